// Planprint's icon: a truss laid over four page tiles, drawn in code.
#pragma once

#include <wx/bitmap.h>

// size x size pixels with a transparent background.
wxBitmap MakePlanprintIcon(int size);
