// Pictures of the main toolbar's buttons and of the program, drawn in code.
#pragma once

#include <wx/bitmap.h>

// The picture of a toolbar command (one of the 15 toolbar ids), size x size
// pixels with a transparent background; an empty bitmap for any other id.
wxBitmap MakeToolbarIcon(int commandId, int size);

// The program's icon: a small truss.
wxBitmap MakeProgramIcon(int size);
