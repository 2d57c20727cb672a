#include "tests/common/test_env.h"

#include "model/tables.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"

void ResetAllGlobals()
{
    ResetModelGlobals();
    ResetViewGlobals();
    ResetFrameGlobals();
    ResetFilesGlobals();
    ResetPrintingGlobals();
}
