// The picture in the current GL context's back buffer as an image, top row
// first: what the views' captures and their tests look at.
#pragma once

#include <wx/image.h>

namespace platform {

void ReadGLBackBuffer(int width, int height, wxImage& image);

}  // namespace platform
