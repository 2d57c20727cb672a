#include "platform/wx_gl_capture.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace platform {

void ReadGLBackBuffer(int width, int height, wxImage& image)
{
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> rows(rowBytes * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    image.Create(width, height, false);
    // GL's rows run bottom up.
    for (int y = 0; y < height; ++y)
        std::copy_n(&rows[static_cast<size_t>(height - 1 - y) * rowBytes], rowBytes,
                    image.GetData() + static_cast<size_t>(y) * rowBytes);
}

}  // namespace platform
