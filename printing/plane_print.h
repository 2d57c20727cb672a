// Full-scale plane printing: the structure lying in the XY, XZ or YZ guide
// plane (the joints of a thin slab around it), or in the skewed YZ plane
// through the marked joints, printed at 1:1 over the pages of the plane's
// page layout, column by column: a frame on each page, a cross on every
// joint, every member's number by its middle and its outline.
//
// One model unit is 100 logical units: 0.01 in for U.S. models, 0.1 mm for
// metric ones. A page frame is 700 x 1000 (7 x 10 in) or 1778 x 2540
// (17.78 x 25.40 cm), 0.75 in (19 mm) right of and 0.30 in (7.6 mm) below
// the printable area's top-left corner.
#pragma once

#include "printing/member_outline.h"
#include "printing/tile_layout.h"

namespace platform {
struct PrintOutcome;
}

// Each shows the print dialog and prints every page of its plane. A model
// without joints or members prints nothing and says nothing. A plane with
// no joint in it, or more pages than a print can hold, prints nothing and
// says so; so does a job that fails. When the plane's page tiles are shown
// the print takes those pages (perhaps moved by the user); otherwise it lays
// the plane's pages out first.
void PrintPlaneXYInchPortrait();
void PrintPlaneXYInchLandscape();
void PrintPlaneXYCmPortrait();
void PrintPlaneXYCmLandscape();
void PrintPlaneXZInchPortrait();
void PrintPlaneXZInchLandscape();
void PrintPlaneXZCmPortrait();
void PrintPlaneXZCmLandscape();
void PrintPlaneYZInchPortrait();
void PrintPlaneYZInchLandscape();
void PrintPlaneYZCmPortrait();
void PrintPlaneYZCmLandscape();
void PrintSkewPlaneInch();
void PrintSkewPlaneCm();

// The view's skewed-plane print key: while the skewed-plane tiles are shown
// it only hides them. Otherwise it gives the joints their skew coordinates,
// lays out the skewed plane's pages in the model's units, shows the tiles
// and prints; it stops, printing nothing, when fewer than three joints are
// marked or when a step refuses (marked joints that fix no plane are
// reported). True when the view is to be redrawn.
bool PrintMarkedSkewPlane();

// Where a print puts the pages of its plane.
struct PlanePageMap {
    PlaneKind plane = PLANE_XY;
    bool landscape = false;
    float origin1 = 0, origin2 = 0;  // the page grid's corner in the plane
    int across = 1;                  // pages across
    int width = kPageFrameInchW, height = kPageFrameInchH;  // the page frame in logical units
};

// The logical page point of the in-plane point (u, v) on page (column,
// row), in single precision, each coordinate truncated toward zero.
void MapToPage(const PlanePageMap& map, float u, float v, int column, int row, int* x, int* y);

// Tells the user when a print job failed or printed nothing; a job that was
// printed or cancelled needs no word.
void ReportPrintOutcome(const platform::PrintOutcome& outcome, long pages);
