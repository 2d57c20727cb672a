#include "state/printing_globals.h"

float g_fTilesXYOriginX = 0, g_fTilesXYOriginY = 0;
float g_fTilesXZOriginX = 0, g_fTilesXZOriginZ = 0;
float g_fTilesYZOriginZ = 0, g_fTilesYZOriginY = 0;
short g_nTilesAcrossXY = 1, g_nTilesDownXY = 1;
short g_nTilesAcrossXZ = 1, g_nTilesDownXZ = 1;
short g_nTilesAcrossYZ = 1, g_nTilesDownYZ = 1;
float g_fSkewPlaneAngle = 0;

void ResetPrintingGlobals()
{
    g_fTilesXYOriginX = g_fTilesXYOriginY = 0;
    g_fTilesXZOriginX = g_fTilesXZOriginZ = 0;
    g_fTilesYZOriginZ = g_fTilesYZOriginY = 0;
    g_nTilesAcrossXY = g_nTilesDownXY = 1;
    g_nTilesAcrossXZ = g_nTilesDownXZ = 1;
    g_nTilesAcrossYZ = g_nTilesDownYZ = 1;
    g_fSkewPlaneAngle = 0;
}
