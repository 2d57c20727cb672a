// Where the 3D view lies on the screen and what its picture shows there,
// in screen pixels: for windows that open over the view and should hide
// little of it.
#pragma once

#include <vector>

#include <wx/gdicmn.h>

struct ViewOnScreen {
    wxRect area;                // the view's window
    wxRect model;               // holds the model's joints as shown; empty without joints on screen
    std::vector<wxRect> texts;  // the texts over the picture, one line high each
};
