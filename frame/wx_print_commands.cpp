#include "frame/wx_print_commands.h"

#include "printing/picture_print.h"
#include "state/frame_globals.h"
#include "view/wx_view.h"

void PrintViewPicture(CSpan3DView* view)
{
    wxImage picture;
    if (!view || !view->CaptureFrame(picture) || !picture.IsOk()) return;
    PrintPicture(g_strModelFileName, picture.GetData(), picture.GetWidth(), picture.GetHeight());
}
