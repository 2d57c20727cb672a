// Page-tile layout of the plane prints: grid corners and page counts per
// plane, and the tilt of the skewed YZ plane.
#pragma once

extern float g_fTilesXYOriginX, g_fTilesXYOriginY;
extern float g_fTilesXZOriginX, g_fTilesXZOriginZ;
// YZ and skewed-plane grid: z first, then y (or the skew coordinate).
extern float g_fTilesYZOriginZ, g_fTilesYZOriginY;
extern short g_nTilesAcrossXY, g_nTilesDownXY;
extern short g_nTilesAcrossXZ, g_nTilesDownXZ;
extern short g_nTilesAcrossYZ, g_nTilesDownYZ;
extern float g_fSkewPlaneAngle;  // degrees

// Restores every global above to its start-up value.
void ResetPrintingGlobals();
