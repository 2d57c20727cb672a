#include "tests/common/test_env.h"

#include "files/files_globals.h"
#include "frame/frame_globals.h"
#include "model/tables.h"
#include "printing/printing_globals.h"
#include "view/view_globals.h"

void ResetAllGlobals()
{
    ResetModelGlobals();
    ResetViewGlobals();
    ResetFrameGlobals();
    ResetFilesGlobals();
    ResetPrintingGlobals();
}
