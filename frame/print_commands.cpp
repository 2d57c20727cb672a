#include "frame/print_commands.h"

#include "frame/command_ids.h"
#include "model/tables.h"
#include "printing/plane_print.h"
#include "state/view_globals.h"

namespace {

using PrintFn = void (*)();

// {inch portrait, inch landscape, cm portrait, cm landscape}
void PrintByUnitsAndOrientation(const PrintFn (&variants)[4])
{
    const int index = (g_bMetricUnits ? 2 : 0) + (g_bTileLandscape ? 1 : 0);
    variants[index]();
}

}  // namespace

void FilePrintXYPlane()
{
    PrintByUnitsAndOrientation(
        {PrintPlaneXYInchPortrait, PrintPlaneXYInchLandscape, PrintPlaneXYCmPortrait, PrintPlaneXYCmLandscape});
}

void FilePrintXZPlane()
{
    PrintByUnitsAndOrientation(
        {PrintPlaneXZInchPortrait, PrintPlaneXZInchLandscape, PrintPlaneXZCmPortrait, PrintPlaneXZCmLandscape});
}

void FilePrintYZPlane()
{
    PrintByUnitsAndOrientation(
        {PrintPlaneYZInchPortrait, PrintPlaneYZInchLandscape, PrintPlaneYZCmPortrait, PrintPlaneYZCmLandscape});
}

bool RunPrintCommand(int commandId)
{
    switch (commandId) {
    case ID_FILE_PRINT_XY_PLANE: FilePrintXYPlane(); return true;
    case ID_FILE_PRINT_XZ_PLANE: FilePrintXZPlane(); return true;
    case ID_FILE_PRINT_YZ_PLANE: FilePrintYZPlane(); return true;
    default: return false;
    }
}
