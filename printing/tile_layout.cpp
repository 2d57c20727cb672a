#include "printing/tile_layout.h"

#include <cmath>

#include "model/tables.h"
#include "model/units.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"

namespace {

constexpr double kInchPageW = kPageFrameInchW, kInchPageH = kPageFrameInchH;
constexpr double kCmPageW = kPageFrameCmW, kCmPageH = kPageFrameCmH;
constexpr double kMaxPages = 32767;

struct LayoutParams {
    TilePlane plane;
    float slab;    // half-width of the slab around the guide plane
    float margin;  // space left below the smallest coordinates
    float k;       // added to each range
    bool landscape;
    double pageW, pageH;
};

// Where one plane's layout goes.
struct TileGlobals {
    float* origin1;
    float* origin2;
    short* across;
    short* down;
};

TileGlobals GlobalsOf(TilePlane plane)
{
    switch (plane) {
    case TILE_PLANE_XY: return {&g_fTilesXYOriginX, &g_fTilesXYOriginY, &g_nTilesAcrossXY, &g_nTilesDownXY};
    case TILE_PLANE_XZ: return {&g_fTilesXZOriginX, &g_fTilesXZOriginZ, &g_nTilesAcrossXZ, &g_nTilesDownXZ};
    default: return {&g_fTilesYZOriginZ, &g_fTilesYZOriginY, &g_nTilesAcrossYZ, &g_nTilesDownYZ};
    }
}

// A joint's coordinate normal to the plane and its two in-plane coordinates.
void PlaneCoords(TilePlane plane, const JointRec& j, float* normal, float* first, float* second)
{
    switch (plane) {
    case TILE_PLANE_XY: *normal = j.z; *first = j.x; *second = j.y; break;
    case TILE_PLANE_XZ: *normal = j.y; *first = j.x; *second = j.z; break;
    default: *normal = j.x; *first = j.z; *second = j.y; break;
    }
}

float GuidePlaneOf(TilePlane plane)
{
    switch (plane) {
    case TILE_PLANE_XY: return g_fGuidePlaneZ;
    case TILE_PLANE_XZ: return g_fGuidePlaneY;
    default: return g_fGuidePlaneX;
    }
}

void WriteOnePageAtOrigin(const TileGlobals& g)
{
    *g.origin1 = 0;
    *g.origin2 = 0;
    *g.across = 1;
    *g.down = 1;
}

// Pages needed for a range: the quotient truncated, plus 1 when the quotient
// in single precision exceeds that whole number. False when the count is
// not a number or does not fit a short.
bool PageCount(float range, double page, short* count)
{
    double q = static_cast<double>(range) * 100.0 / page;
    float qf = static_cast<float>(q);
    if (!(qf <= static_cast<float>(kMaxPages))) return false;
    int n = static_cast<int>(q);
    if (qf > static_cast<float>(n)) ++n;
    *count = static_cast<short>(n);
    return true;
}

// The margin below the smallest coordinate, so that a joint on the
// workspace's edge prints with its whole cross and stick; never further
// below 0 than the margin.
float ClampedOrigin(float smallest, float margin)
{
    float o = smallest - margin;
    return o < -margin ? -margin : o;
}

float Range(float smallest, float largest, float k)
{
    return static_cast<float>(static_cast<double>(largest) - static_cast<double>(smallest) + k);
}

// Origins and counts from the extremes of the two in-plane coordinates.
// Writes nothing and returns 1 when the layout cannot be held.
int WriteLayout(const TileGlobals& g, float min1, float max1, float min2, float max2, float margin, float k,
                bool landscape, double pageW, double pageH)
{
    if (!std::isfinite(min1) || !std::isfinite(max1) || !std::isfinite(min2) || !std::isfinite(max2)) return 1;
    float r1 = Range(min1, max1, k);
    float r2 = Range(min2, max2, k);
    short across = 1, down = 1;
    if (!PageCount(landscape ? r2 : r1, pageW, &across) || !PageCount(landscape ? r1 : r2, pageH, &down))
        return 1;
    *g.origin1 = ClampedOrigin(min1, margin);
    *g.origin2 = ClampedOrigin(min2, margin);
    *g.across = across;
    *g.down = down;
    return 0;
}

int LayOutPlane(const LayoutParams& lp)
{
    TileGlobals g = GlobalsOf(lp.plane);
    const int nJoints = JointCount();
    if (MemberCount() < 1 || nJoints < 1) {
        WriteOnePageAtOrigin(g);
        return 0;
    }

    const double guide = GuidePlaneOf(lp.plane);
    const double below = guide - lp.slab, above = guide + lp.slab;
    auto inSlab = [&](double normal) { return normal > below && normal < above; };

    // Seed from the last joint of the slab, then widen over all of them.
    int seed = 0;
    for (int i = nJoints; i >= 1 && seed == 0; --i) {
        float n, a, b;
        PlaneCoords(lp.plane, g_Joints[i], &n, &a, &b);
        if (inSlab(n)) seed = i;
    }
    if (seed == 0) {
        WriteOnePageAtOrigin(g);
        return 0;
    }
    float n, min1, min2;
    PlaneCoords(lp.plane, g_Joints[seed], &n, &min1, &min2);
    float max1 = min1, max2 = min2;
    for (int i = 1; i <= nJoints; ++i) {
        float a, b;
        PlaneCoords(lp.plane, g_Joints[i], &n, &a, &b);
        if (!inSlab(n)) continue;
        if (a > max1) max1 = a;
        if (a < min1) min1 = a;
        if (b > max2) max2 = b;
        if (b < min2) min2 = b;
    }
    return WriteLayout(g, min1, max1, min2, max2, lp.margin, lp.k, lp.landscape, lp.pageW, lp.pageH);
}

int LayOutSkew(float margin, float k, double pageW, double pageH)
{
    TileGlobals g = GlobalsOf(TILE_PLANE_YZ);
    const int nJoints = JointCount();
    if (MemberCount() < 1 || nJoints < 1) {
        WriteOnePageAtOrigin(g);
        return 1;
    }
    bool any = false;
    float minZ = 0, maxZ = 0, minS = 0, maxS = 0;
    for (int i = 1; i <= nJoints; ++i) {
        const JointRec& j = g_Joints[i];
        if (!j.mark) continue;
        if (!any) {
            minZ = maxZ = j.z;
            minS = maxS = j.moveOrgY;
            any = true;
            continue;
        }
        if (j.z < minZ) minZ = j.z;
        if (j.z > maxZ) maxZ = j.z;
        if (j.moveOrgY < minS) minS = j.moveOrgY;
        if (j.moveOrgY > maxS) maxS = j.moveOrgY;
    }
    if (!any) {
        WriteOnePageAtOrigin(g);
        return 1;
    }
    return WriteLayout(g, minZ, maxZ, minS, maxS, margin, k, false, pageW, pageH);
}

constexpr LayoutParams Inch(TilePlane p, bool landscape) { return {p, 0.5f, 0.5f, 1.0f, landscape, kInchPageW, kInchPageH}; }
constexpr LayoutParams Cm(TilePlane p, float slab, bool landscape) { return {p, slab, 1.0f, 2.0f, landscape, kCmPageW, kCmPageH}; }

}  // namespace

int ComputeTilesXYInchPortrait() { return LayOutPlane(Inch(TILE_PLANE_XY, false)); }
int ComputeTilesXZInchPortrait() { return LayOutPlane(Inch(TILE_PLANE_XZ, false)); }
int ComputeTilesYZInchPortrait() { return LayOutPlane(Inch(TILE_PLANE_YZ, false)); }
int ComputeTilesXYInchLandscape() { return LayOutPlane(Inch(TILE_PLANE_XY, true)); }
int ComputeTilesXZInchLandscape() { return LayOutPlane(Inch(TILE_PLANE_XZ, true)); }
int ComputeTilesYZInchLandscape() { return LayOutPlane(Inch(TILE_PLANE_YZ, true)); }
int ComputeTilesXYCmPortrait() { return LayOutPlane(Cm(TILE_PLANE_XY, 0.5f, false)); }
int ComputeTilesXZCmPortrait() { return LayOutPlane(Cm(TILE_PLANE_XZ, 0.5f, false)); }
int ComputeTilesYZCmPortrait() { return LayOutPlane(Cm(TILE_PLANE_YZ, 1.5f, false)); }
int ComputeTilesXYCmLandscape() { return LayOutPlane(Cm(TILE_PLANE_XY, 1.5f, true)); }
int ComputeTilesXZCmLandscape() { return LayOutPlane(Cm(TILE_PLANE_XZ, 1.5f, true)); }
int ComputeTilesYZCmLandscape() { return LayOutPlane(Cm(TILE_PLANE_YZ, 1.5f, true)); }

int ComputeTilesSkewInch() { return LayOutSkew(0.5f, 1.0f, kInchPageW, kInchPageH); }
int ComputeTilesSkewCm() { return LayOutSkew(1.5f, 2.0f, kCmPageW, kCmPageH); }

int ComputeSkewCoordinates()
{
    const int nJoints = JointCount();
    int marked = 0;
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    for (int i = 1; i <= nJoints; ++i) {
        const JointRec& j = g_Joints[i];
        if (!j.mark) continue;
        if (marked++ == 0) {
            xmin = xmax = j.x;
            ymin = ymax = j.y;
            continue;
        }
        if (j.x < xmin) xmin = j.x;
        if (j.x > xmax) xmax = j.x;
        if (j.y < ymin) ymin = j.y;
        if (j.y > ymax) ymax = j.y;
    }
    if (marked < 3) return 1;

    const float dx = xmax - xmin;
    const float dy = ymax - ymin;
    const float d2 = dx * dx + dy * dy;
    const float D = static_cast<float>(std::sqrt(static_cast<double>(d2)));
    // Marked joints on one vertical line give the plane no direction.
    if (!(D > 0) || !std::isfinite(D)) return 1;
    float c = dy / D;
    if (c > 1) c = 1;
    const float t = static_cast<float>(std::acos(static_cast<double>(c)));
    g_fSkewPlaneAngle = t * kDegreesPerRadian;

    const float S = static_cast<float>(std::sin(static_cast<double>(t / 2.0f)));
    for (int i = 1; i <= nJoints; ++i) {
        JointRec& j = g_Joints[i];
        const float ex = j.x - xmin;
        const float ey = j.y - ymin;
        const float l2 = ex * ex + ey * ey;
        const float l = static_cast<float>(std::sqrt(static_cast<double>(l2)));
        j.moveOrgY = j.y + 2.0f * l * S * S;
    }
    return 0;
}

int ComputePlaneTiles(TilePlane plane)
{
    const bool cm = g_bMetricUnits != 0;
    const bool landscape = g_bTileLandscape != 0;
    switch (plane) {
    case TILE_PLANE_XY:
        if (cm) return landscape ? ComputeTilesXYCmLandscape() : ComputeTilesXYCmPortrait();
        return landscape ? ComputeTilesXYInchLandscape() : ComputeTilesXYInchPortrait();
    case TILE_PLANE_XZ:
        if (cm) return landscape ? ComputeTilesXZCmLandscape() : ComputeTilesXZCmPortrait();
        return landscape ? ComputeTilesXZInchLandscape() : ComputeTilesXZInchPortrait();
    case TILE_PLANE_YZ:
        if (cm) return landscape ? ComputeTilesYZCmLandscape() : ComputeTilesYZCmPortrait();
        return landscape ? ComputeTilesYZInchLandscape() : ComputeTilesYZInchPortrait();
    }
    return 1;
}
