// Page tile layout of the full-scale plane prints: the page-grid corner and
// the pages across and down of each print plane, and the joints' coordinates
// in the skewed YZ plane through the marked joints.
//
// A page covers 7 x 10 model inches, or 17.78 x 25.40 model centimetres.
// Results go to the globals of state/printing_globals.h.
#pragma once

// The page frame in print units: hundredths of a model unit (0.01 in or 0.1 mm).
constexpr int kPageFrameInchW = 700, kPageFrameInchH = 1000;
constexpr int kPageFrameCmW = 1778, kPageFrameCmH = 2540;

// Plane layouts. Each lays out the joints that lie in a thin slab around the
// plane's guide plane and returns 0. An empty model, or a slab with no joint
// in it, gives one page at origin (0, 0) and also returns 0. Returns 1 and
// writes nothing when the layout cannot be held: a coordinate that is not
// finite, or more than 32767 pages along either side.
int ComputeTilesXYInchPortrait();
int ComputeTilesXZInchPortrait();
int ComputeTilesYZInchPortrait();
int ComputeTilesXYInchLandscape();
int ComputeTilesXZInchLandscape();
int ComputeTilesYZInchLandscape();
int ComputeTilesXYCmPortrait();
int ComputeTilesXZCmPortrait();
int ComputeTilesYZCmPortrait();
int ComputeTilesXYCmLandscape();
int ComputeTilesXZCmLandscape();
int ComputeTilesYZCmLandscape();

// Skewed-plane layouts over the marked joints (z and the skew coordinate in
// moveOrgY), into the YZ globals. Return 0 after a layout. Return 1 after
// laying out one page at origin (0, 0) when the model has no members, no
// joints or no marked joint; return 1 and write nothing when the layout
// cannot be held (as for the plane layouts).
int ComputeTilesSkewInch();
int ComputeTilesSkewCm();

// Sets g_fSkewPlaneAngle and every joint's skew coordinate (moveOrgY) from
// the marked joints and returns 0. Returns 1 and writes nothing when fewer
// than three joints are marked, or when the marked joints span no distance
// in x and y (or a span that is not finite).
int ComputeSkewCoordinates();

enum TilePlane { TILE_PLANE_XY, TILE_PLANE_XZ, TILE_PLANE_YZ };

// The layout of one plane for the Show Tiles commands: centimetre variants
// when g_bMetricUnits is set, inch variants otherwise; landscape when
// g_bTileLandscape is set. Returns what the variant returns.
int ComputePlaneTiles(TilePlane plane);
