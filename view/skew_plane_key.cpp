#include "view/skew_plane_key.h"

#include "model/tables.h"
#include "printing/tile_layout.h"
#include "view/view_globals.h"

bool SkewPlanePrintKey()
{
    if (g_bShowTilesSkew == 1) {
        g_bShowTilesSkew = 0;
        return true;
    }
    if (ComputeSkewCoordinates() != 0) return false;
    if ((g_bUnitsUS ? ComputeTilesSkewInch() : ComputeTilesSkewCm()) != 0) return false;
    g_bShowTilesSkew = 1;
    // The pages shown are printed from here once the plane prints exist.
    return true;
}
