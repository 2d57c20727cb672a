#include "printing/tile_layout.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "model/tables.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"

namespace {

// A plane's layout: its two origin coordinates, pages across and down.
struct PlaneLayout { float *origin1, *origin2; short *across, *down; };

PlaneLayout LayoutOf(TilePlane plane)
{
    switch (plane) {
    case TILE_PLANE_XY: return {&g_fTilesXYOriginX, &g_fTilesXYOriginY, &g_nTilesAcrossXY, &g_nTilesDownXY};
    case TILE_PLANE_XZ: return {&g_fTilesXZOriginX, &g_fTilesXZOriginZ, &g_nTilesAcrossXZ, &g_nTilesDownXZ};
    default: return {&g_fTilesYZOriginZ, &g_fTilesYZOriginY, &g_nTilesAcrossYZ, &g_nTilesDownYZ};
    }
}

// Fills a plane's layout with a marker (3, 4, 5, 6) to see whether it is written.
void MarkLayout(TilePlane plane)
{
    const PlaneLayout l = LayoutOf(plane);
    *l.origin1 = 3, *l.origin2 = 4, *l.across = 5, *l.down = 6;
}

void ExpectLayout(TilePlane plane, float o1, float o2, int across, int down)
{
    const PlaneLayout l = LayoutOf(plane);
    EXPECT_FLOAT_EQ(o1, *l.origin1);
    EXPECT_FLOAT_EQ(o2, *l.origin2);
    EXPECT_EQ((std::array<int, 2>{across, down}), (std::array<int, 2>{*l.across, *l.down}));
}

// Runs a layout over the marker and checks its result and what it wrote.
void ExpectComputed(int (*compute)(), int result, TilePlane plane, float o1, float o2, int across, int down)
{
    MarkLayout(plane);
    EXPECT_EQ(result, compute());
    ExpectLayout(plane, o1, o2, across, down);
}

class TileLayoutTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        g_nMembers = 1, g_fGuidePlaneX = 5, g_fGuidePlaneY = 7, g_fGuidePlaneZ = 9;
    }
    int AddJoint(float x, float y, float z, short mark = 0)
    {
        JointRec& j = g_Joints[++g_nJoints] = JointRec();
        j.x = x, j.y = y, j.z = z, j.mark = mark;
        return g_nJoints;
    }
    // Replaces the joints; XY tiles around z = 0.
    void XYJoints(std::initializer_list<std::array<float, 3>> xyz)
    {
        g_nJoints = 0, g_fGuidePlaneZ = 0;
        for (const auto& p : xyz) AddJoint(p[0], p[1], p[2]);
    }
    // A joint given by its offset from the plane's guide plane and its two in-plane coordinates.
    void AddPlaneJoint(TilePlane plane, float offset, float first, float second)
    {
        switch (plane) {
        case TILE_PLANE_XY: AddJoint(first, second, g_fGuidePlaneZ + offset); break;
        case TILE_PLANE_XZ: AddJoint(first, g_fGuidePlaneY + offset, second); break;
        default: AddJoint(g_fGuidePlaneX + offset, second, first); break;
        }
    }
};

}  // namespace

TEST_F(TileLayoutTest, XYSlabsRangesAndExactFills)
{
    // x 1.2..15.7, y 0.3..9.9 in the slab; joints outside it would widen the range.
    XYJoints({{1.2f, 5, 0}, {-40, -40, 0.5f}, {15.7f, 0.3f, 0.2f}, {8, 9.9f, -0.3f}, {60, 60, -0.5f}});
    // The origin leaves the margin below the smallest coordinates, below 0 too,
    // but never goes further below 0 than the margin.
    ExpectComputed(ComputeTilesXYInchPortrait, 0, TILE_PLANE_XY, 1.2f - 0.5f, 0.3f - 0.5f, 3, 2);
    ExpectComputed(ComputeTilesXYInchLandscape, 0, TILE_PLANE_XY, 1.2f - 0.5f, 0.3f - 0.5f, 2, 2);
    XYJoints({{-3, -3, 0}, {5, 5, 0}});
    ExpectComputed(ComputeTilesXYInchPortrait, 0, TILE_PLANE_XY, -0.5f, -0.5f, 2, 1);
    ExpectComputed(ComputeTilesXYCmLandscape, 0, TILE_PLANE_XY, -1, -1, 1, 1);
    XYJoints({{0, 0, 0}, {13, 9, 0}});  // ranges 14 and 10 in: exactly 2 x 1 pages, not rounded up
    ExpectComputed(ComputeTilesXYInchPortrait, 0, TILE_PLANE_XY, -0.5f, -0.5f, 2, 1);
    // Just past; and 35.56 cm, where the quotient is 2 only in single precision.
    const struct { int (*compute)(); int metric; float x; int across; } fills[] = {
        {ComputeTilesXYInchPortrait, 0, 13.01f, 3}, {ComputeTilesXYCmPortrait, 1, 33.56f, 2},
        {ComputeTilesXYCmPortrait, 1, 33.57f, 3}};
    for (const auto& f : fills) {
        SetMetricUnits(f.metric);
        g_Joints[2].x = f.x;
        f.compute();
        EXPECT_EQ(f.across, g_nTilesAcrossXY) << f.x;
    }
}

TEST_F(TileLayoutTest, SlabBoundsAreExclusiveAndMetricSlabsDifferByVariant)
{
    XYJoints({{3, 3, 2.49f}, {4, 4, 1.51f}, {100, 100, 2.5f}, {-100, -100, 1.5f}});
    g_fGuidePlaneZ = 2;
    ExpectComputed(ComputeTilesXYInchPortrait, 0, TILE_PLANE_XY, 2.5f, 2.5f, 1, 1);
    SetMetricUnits(1);
    g_Joints[3].z = 3.5f, g_Joints[4].z = 0.5f;
    ExpectComputed(ComputeTilesXYCmLandscape, 0, TILE_PLANE_XY, 2, 2, 1, 1);
    XYJoints({{5, 5, 10}, {53.8f, 5, 11}});  // the second 1 cm off the guide plane
    g_fGuidePlaneZ = 10;
    ExpectComputed(ComputeTilesXYCmPortrait, 0, TILE_PLANE_XY, 4, 4, 1, 1);   // 0.5 cm slab
    ExpectComputed(ComputeTilesXYCmLandscape, 0, TILE_PLANE_XY, 4, 4, 1, 2);  // 1.5 cm slab: 50.8 cm, two pages
}

// Every variant on one model: joints 0.25 either side of the guide plane, one
// 1 unit off it (only in the 1.5 cm slabs) and one far off it. The Show Tiles
// layout picks the same variant from the units and orientation.
TEST_F(TileLayoutTest, EveryVariantAndShowTilesChoice)
{
    const struct {
        int (*fn)();
        TilePlane plane;
        int metric, landscape;
        float o1, o2;
        int across, down;
    } cases[] = {
        {ComputeTilesXYInchPortrait, TILE_PLANE_XY, 0, 0, 2.5f, 3.5f, 6, 3},
        {ComputeTilesXZInchPortrait, TILE_PLANE_XZ, 0, 0, 2.5f, 3.5f, 6, 3},
        {ComputeTilesYZInchPortrait, TILE_PLANE_YZ, 0, 0, 2.5f, 3.5f, 6, 3},
        {ComputeTilesXYInchLandscape, TILE_PLANE_XY, 0, 1, 2.5f, 3.5f, 4, 4},
        {ComputeTilesXZInchLandscape, TILE_PLANE_XZ, 0, 1, 2.5f, 3.5f, 4, 4},
        {ComputeTilesYZInchLandscape, TILE_PLANE_YZ, 0, 1, 2.5f, 3.5f, 4, 4},
        {ComputeTilesXYCmPortrait, TILE_PLANE_XY, 1, 0, 2, 3, 3, 2},
        {ComputeTilesXZCmPortrait, TILE_PLANE_XZ, 1, 0, 2, 3, 3, 2},
        {ComputeTilesYZCmPortrait, TILE_PLANE_YZ, 1, 0, 2, 3, 4, 2},
        {ComputeTilesXYCmLandscape, TILE_PLANE_XY, 1, 1, 2, 3, 3, 3},
        {ComputeTilesXZCmLandscape, TILE_PLANE_XZ, 1, 1, 2, 3, 3, 3},
        {ComputeTilesYZCmLandscape, TILE_PLANE_YZ, 1, 1, 2, 3, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "plane " << c.plane << " metric " << c.metric << " landscape "
                                        << c.landscape);
        ResetPrintingGlobals();
        g_nJoints = 0;
        for (auto [offset, first, second] : {std::array<float, 3>{0.25f, 3, 4}, {-0.25f, 40, 30}, {1, 60, 40},
                                              {2, -100, -100}})
            AddPlaneJoint(c.plane, offset, first, second);
        EXPECT_EQ(0, c.fn());
        ExpectLayout(c.plane, c.o1, c.o2, c.across, c.down);
        for (TilePlane other : {TILE_PLANE_XY, TILE_PLANE_XZ, TILE_PLANE_YZ})
            if (other != c.plane) ExpectLayout(other, 0, 0, 1, 1);
        MarkLayout(c.plane);
        SetMetricUnits(c.metric);
        g_bTileLandscape = c.landscape;
        EXPECT_EQ(0, ComputePlaneTiles(c.plane));
        ExpectLayout(c.plane, c.o1, c.o2, c.across, c.down);
    }
}

TEST_F(TileLayoutTest, EmptyOrUnholdableLayouts)
{
    // No joints, a joint far from the XZ guide plane, no members: one page at the origin.
    ExpectComputed(ComputeTilesXZInchPortrait, 0, TILE_PLANE_XZ, 0, 0, 1, 1);
    AddJoint(10, 50, 10);
    ExpectComputed(ComputeTilesXZInchPortrait, 0, TILE_PLANE_XZ, 0, 0, 1, 1);
    g_Joints[1].y = g_fGuidePlaneY;
    g_nMembers = 0;
    ExpectComputed(ComputeTilesXZCmLandscape, 0, TILE_PLANE_XZ, 0, 0, 1, 1);
    g_nMembers = 1;  // 229369 in = 32767 pages across; more, or ranges that are not finite, are refused.
    XYJoints({{0, 0, 0}, {229368, 0, 0}});
    EXPECT_EQ(0, ComputeTilesXYInchPortrait());
    EXPECT_EQ(32767, g_nTilesAcrossXY);
    const float inf = std::numeric_limits<float>::infinity(), big = std::numeric_limits<float>::max();
    const float bad[][2] = {{0, 229375}, {0, 1e30f}, {big, -big}, {0, inf}, {0, std::nanf("")}};
    for (const auto& b : bad) {  // the second joint seeds the extremes
        g_Joints[1].y = b[0];
        g_Joints[2].x = b[1];
        ExpectComputed(ComputeTilesXYInchPortrait, 1, TILE_PLANE_XY, 3, 4, 5, 6);
        EXPECT_EQ(b[1] == 229375 ? 0 : 1, ComputeTilesXYCmLandscape());  // 9031 pages down fit
    }
}

TEST_F(TileLayoutTest, SkewCoordinatesOfLevelVerticalAndSlopedJoints)
{
    const struct {
        float joints[4][3];  // the first three marked, the fourth not
        float angle;
        float skew[4];
    } cases[] = {
        // Level: the distance along the line is added to y.
        {{{2, 3, 0}, {6, 3, 1}, {10, 3, 2}, {5, 7, 0}}, 90, {3, 7, 11, 12}},
        // Vertical: the skew coordinate is the height.
        {{{4, 1, 0}, {4, 6, 0}, {4, 9.5f, 0}, {20, 2.25f, 0}}, 0, {1, 6, 9.5f, 2.25f}},
        // A 3-4-5 slope unfolded at true length.
        {{{0, 0, 0}, {3, 4, 5}, {6, 8, 10}, {0, 0, 0}}, 36.8699f, {0, 5, 10, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        g_nJoints = 0;
        for (int i = 0; i < 4; ++i) AddJoint(c.joints[i][0], c.joints[i][1], c.joints[i][2], i < 3);
        EXPECT_EQ(0, ComputeSkewCoordinates());
        EXPECT_NEAR(c.angle, g_fSkewPlaneAngle, 1e-3);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(c.skew[i], g_Joints[i + 1].moveOrgY, 1e-5) << i;
    }
    g_nJoints = 3;  // the slope: z 0..10, skew 0..10, 11 in each way
    ExpectComputed(ComputeTilesSkewInch, 0, TILE_PLANE_YZ, -0.5f, -0.5f, 2, 2);
}

TEST_F(TileLayoutTest, SkewNeedsThreeMarkedJointsAndADirection)
{
    AddJoint(2, 3, 0, 1);
    AddJoint(6, 3, 5, 1);
    AddJoint(2, 3, 9, 0);
    g_Joints[1].moveOrgY = -7;
    g_fSkewPlaneAngle = 12;
    EXPECT_EQ(1, ComputeSkewCoordinates());  // two marked
    g_Joints[2].x = 2;
    g_Joints[3].mark = 1;
    EXPECT_EQ(1, ComputeSkewCoordinates());  // one point in x and y: D = 0
    g_Joints[1].x = std::nanf("");  // seeds the extremes
    EXPECT_EQ(1, ComputeSkewCoordinates());
    g_Joints[1].x = 2, g_Joints[3].x = 3e38f, g_Joints[2].x = -3e38f;  // span overflows
    EXPECT_EQ(1, ComputeSkewCoordinates());
    EXPECT_TRUE(g_fSkewPlaneAngle == 12 && g_Joints[1].moveOrgY == -7 && g_Joints[2].moveOrgY == 0);  // unchanged
}

TEST_F(TileLayoutTest, SkewLayoutOverMarkedJointsOnly)
{
    const struct { float z, s; short mark; } joints[] = {
        {2, 10, 1}, {-50, -50, 0}, {20, 1, 1}, {9, 49.8f, 1}, {400, 400, 0},
    };
    for (const auto& j : joints) g_Joints[AddJoint(0, 0, j.z, j.mark)].moveOrgY = j.s;
    ExpectComputed(ComputeTilesSkewInch, 0, TILE_PLANE_YZ, 1.5f, 0.5f, 3, 5);  // 19 x 49.8 in
    ExpectComputed(ComputeTilesSkewCm, 0, TILE_PLANE_YZ, 0.5f, -0.5f, 2, 2);   // 20 x 50.8 cm, margin 1.5
    g_nJoints = 0;  // no joints, nothing marked: one page, refused; too many pages: nothing written
    ExpectComputed(ComputeTilesSkewInch, 1, TILE_PLANE_YZ, 0, 0, 1, 1);
    AddJoint(1, 1, 1, 0);
    ExpectComputed(ComputeTilesSkewCm, 1, TILE_PLANE_YZ, 0, 0, 1, 1);
    g_Joints[1].mark = 1;
    g_Joints[1].moveOrgY = 1e9f;
    AddJoint(1, 1, 1, 1);
    ExpectComputed(ComputeTilesSkewInch, 1, TILE_PLANE_YZ, 3, 4, 5, 6);
}
