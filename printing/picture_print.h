// The view's own print: the picture on the screen, overlay text included,
// scaled to fit one page and centred on it.
#pragma once

#include <string>

// rgb: width x height pixels, top row first, 3 bytes each. Shows the print
// dialog and prints one page; a failure is reported.
void PrintPicture(const std::string& jobName, const unsigned char* rgb, int width, int height);
