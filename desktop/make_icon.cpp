// Writes a program's window icon as a PNG for the desktop's icon theme:
// make_icon SIZE FILE. Needs no display.
#include <cstdio>
#include <cstdlib>

#include <wx/image.h>
#include <wx/init.h>

#ifdef PLANPRINT_ICON
#include "planprint/wx_program_icon.h"
#define MAKE_ICON MakePlanprintIcon
#else
#include "frame/wx_toolbar_icons.h"
#define MAKE_ICON MakeProgramIcon
#endif

int main(int argc, char** argv)
{
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 512) {
        std::fprintf(stderr, "usage: %s SIZE FILE.png (SIZE 16 to 512)\n", argv[0]);
        return 2;
    }
    wxInitializer init;
    if (!init.IsOk()) {
        std::fprintf(stderr, "%s: cannot initialise the toolkit\n", argv[0]);
        return 1;
    }
    wxImage::AddHandler(new wxPNGHandler);
    const wxBitmap icon = MAKE_ICON(size);
    if (!icon.IsOk() || !icon.ConvertToImage().SaveFile(argv[2], wxBITMAP_TYPE_PNG)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
