#include "planprint/wx_program_icon.h"

#include <algorithm>
#include <memory>

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>

wxBitmap MakePlanprintIcon(int size)
{
    wxImage image(size, size);
    image.InitAlpha();
    std::fill(image.GetAlpha(), image.GetAlpha() + size * size, 0);
    std::fill(image.GetData(), image.GetData() + 3 * size * size, 255);
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        if (!gc) return wxBitmap();
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        gc->Scale(size / 62.0, size / 62.0);  // drawn on a 62 x 62 grid
        // Four white pages with dark edges.
        gc->SetPen(wxPen(wxColour(40, 40, 48), 2));
        gc->SetBrush(*wxWHITE_BRUSH);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) gc->DrawRectangle(3 + c * 28, 9 + r * 22, 28, 22);
        // A Warren truss across them, its sticks outlined.
        gc->SetPen(wxPen(wxColour(60, 100, 170), 3));
        const double top = 20, bottom = 42, xs[] = {7, 15, 23, 31, 39, 47, 55};
        gc->StrokeLine(xs[0], bottom, xs[6], bottom);
        gc->StrokeLine(xs[1], top, xs[5], top);
        for (int i = 0; i + 1 < 7; ++i) {
            const bool up = i % 2 == 0;
            gc->StrokeLine(xs[i], up ? bottom : top, xs[i + 1], up ? top : bottom);
        }
    }
    return wxBitmap(image);
}
