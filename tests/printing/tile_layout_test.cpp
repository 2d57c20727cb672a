#include "printing/tile_layout.h"

#include <cmath>
#include <limits>

#include "model/tables.h"
#include "printing/printing_globals.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

struct PlaneLayout {
    float origin1, origin2;
    short across, down;
};

PlaneLayout LayoutOf(TilePlane plane)
{
    switch (plane) {
    case TILE_PLANE_XY: return {g_fTilesXYOriginX, g_fTilesXYOriginY, g_nTilesAcrossXY, g_nTilesDownXY};
    case TILE_PLANE_XZ: return {g_fTilesXZOriginX, g_fTilesXZOriginZ, g_nTilesAcrossXZ, g_nTilesDownXZ};
    default: return {g_fTilesYZOriginZ, g_fTilesYZOriginY, g_nTilesAcrossYZ, g_nTilesDownYZ};
    }
}

// Fills a plane's layout with a marker (3, 4, 5, 6) to see whether it is written.
void MarkLayout(TilePlane plane)
{
    switch (plane) {
    case TILE_PLANE_XY: g_fTilesXYOriginX = 3; g_fTilesXYOriginY = 4; g_nTilesAcrossXY = 5; g_nTilesDownXY = 6; break;
    case TILE_PLANE_XZ: g_fTilesXZOriginX = 3; g_fTilesXZOriginZ = 4; g_nTilesAcrossXZ = 5; g_nTilesDownXZ = 6; break;
    default: g_fTilesYZOriginZ = 3; g_fTilesYZOriginY = 4; g_nTilesAcrossYZ = 5; g_nTilesDownYZ = 6; break;
    }
}

void ExpectLayout(TilePlane plane, float o1, float o2, int across, int down)
{
    PlaneLayout l = LayoutOf(plane);
    EXPECT_FLOAT_EQ(o1, l.origin1);
    EXPECT_FLOAT_EQ(o2, l.origin2);
    EXPECT_EQ(across, l.across);
    EXPECT_EQ(down, l.down);
}

class TileLayoutTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        g_nMembers = 1;
        g_fGuidePlaneX = 5;
        g_fGuidePlaneY = 7;
        g_fGuidePlaneZ = 9;
    }

    int AddJoint(float x, float y, float z, short mark = 0)
    {
        int i = ++g_nJoints;
        g_Joints[i].x = x;
        g_Joints[i].y = y;
        g_Joints[i].z = z;
        g_Joints[i].mark = mark;
        return i;
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

TEST_F(TileLayoutTest, XYSlabExamplePortraitAndLandscape)
{
    // x 1.2..15.7, y 0.3..9.9 in the slab; joints outside it would widen the range.
    g_fGuidePlaneZ = 0;
    AddJoint(1.2f, 5, 0);
    AddJoint(-40, -40, 0.5f);
    AddJoint(15.7f, 0.3f, 0.2f);
    AddJoint(8, 9.9f, -0.3f);
    AddJoint(60, 60, -0.5f);
    EXPECT_EQ(0, ComputeTilesXYInchPortrait());
    ExpectLayout(TILE_PLANE_XY, 1.2f - 0.5f, 0, 3, 2);
    EXPECT_EQ(0, ComputeTilesXYInchLandscape());
    ExpectLayout(TILE_PLANE_XY, 1.2f - 0.5f, 0, 2, 2);
}

TEST_F(TileLayoutTest, ExactFillIsNotRoundedUp)
{
    g_fGuidePlaneZ = 0;
    AddJoint(0, 0, 0);
    AddJoint(13, 9, 0);  // ranges 14 and 10 in: exactly 2 x 1 pages
    ComputeTilesXYInchPortrait();
    ExpectLayout(TILE_PLANE_XY, 0, 0, 2, 1);
    g_Joints[2].x = 13.01f;
    ComputeTilesXYInchPortrait();
    EXPECT_EQ(3, g_nTilesAcrossXY);

    // 35.56 cm: the quotient is 2 only in single precision.
    SetMetricUnits(1);
    g_Joints[2].x = 33.56f;
    ComputeTilesXYCmPortrait();
    EXPECT_EQ(2, g_nTilesAcrossXY);
    g_Joints[2].x = 33.57f;
    ComputeTilesXYCmPortrait();
    EXPECT_EQ(3, g_nTilesAcrossXY);
}

TEST_F(TileLayoutTest, SlabBoundsAreExclusiveAndMetricSlabsDifferByVariant)
{
    g_fGuidePlaneZ = 2;
    AddJoint(3, 3, 2.49f);
    AddJoint(4, 4, 1.51f);
    AddJoint(100, 100, 2.5f);
    AddJoint(-100, -100, 1.5f);
    ComputeTilesXYInchPortrait();
    ExpectLayout(TILE_PLANE_XY, 2.5f, 2.5f, 1, 1);

    SetMetricUnits(1);
    g_Joints[3].z = 3.5f;
    g_Joints[4].z = 0.5f;
    ComputeTilesXYCmLandscape();
    ExpectLayout(TILE_PLANE_XY, 2, 2, 1, 1);

    g_nJoints = 0;
    g_fGuidePlaneZ = 10;
    AddJoint(5, 5, 10);
    AddJoint(53.8f, 5, 11);  // 1 cm off the guide plane
    ComputeTilesXYCmPortrait();  // 0.5 cm slab
    ExpectLayout(TILE_PLANE_XY, 4, 4, 1, 1);
    ComputeTilesXYCmLandscape();  // 1.5 cm slab: 50.8 cm, two page heights
    ExpectLayout(TILE_PLANE_XY, 4, 4, 1, 2);
}

// Every variant on one model: joints 0.25 either side of the guide plane, one
// 1 unit off it (only in the 1.5 cm slabs) and one far off it. The Show Tiles
// layout picks the same variant from the units and orientation.
TEST_F(TileLayoutTest, EveryVariantAndShowTilesChoice)
{
    struct {
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
        AddPlaneJoint(c.plane, 0.25f, 3, 4);
        AddPlaneJoint(c.plane, -0.25f, 40, 30);
        AddPlaneJoint(c.plane, 1.0f, 60, 40);
        AddPlaneJoint(c.plane, 2.0f, -100, -100);
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

TEST_F(TileLayoutTest, EmptyModelOrEmptySlabGivesOnePageAtOrigin)
{
    MarkLayout(TILE_PLANE_XZ);
    EXPECT_EQ(0, ComputeTilesXZInchPortrait());  // no joints
    ExpectLayout(TILE_PLANE_XZ, 0, 0, 1, 1);

    AddJoint(10, 50, 10);  // far from the XZ guide plane
    MarkLayout(TILE_PLANE_XZ);
    EXPECT_EQ(0, ComputeTilesXZInchPortrait());
    ExpectLayout(TILE_PLANE_XZ, 0, 0, 1, 1);

    g_Joints[1].y = g_fGuidePlaneY;
    g_nMembers = 0;
    MarkLayout(TILE_PLANE_XZ);
    EXPECT_EQ(0, ComputeTilesXZCmLandscape());
    ExpectLayout(TILE_PLANE_XZ, 0, 0, 1, 1);
}

TEST_F(TileLayoutTest, LayoutsThatCannotBeHeldAreRefused)
{
    g_fGuidePlaneZ = 0;
    AddJoint(0, 0, 0);
    AddJoint(229368, 0, 0);  // 229369 in = 32767 pages across
    EXPECT_EQ(0, ComputeTilesXYInchPortrait());
    EXPECT_EQ(32767, g_nTilesAcrossXY);

    const float inf = std::numeric_limits<float>::infinity(), big = std::numeric_limits<float>::max();
    const float bad[][2] = {{0, 229375}, {0, 1e30f}, {big, -big}, {0, inf}, {0, std::nanf("")}};
    for (const auto& b : bad) {  // the second joint seeds the extremes
        g_Joints[1].y = b[0];
        g_Joints[2].x = b[1];
        MarkLayout(TILE_PLANE_XY);
        EXPECT_EQ(1, ComputeTilesXYInchPortrait());
        ExpectLayout(TILE_PLANE_XY, 3, 4, 5, 6);
        EXPECT_EQ(b[1] == 229375 ? 0 : 1, ComputeTilesXYCmLandscape());  // 9031 pages down fit
    }
}

// ---- skew coordinates ----

TEST_F(TileLayoutTest, SkewCoordinatesOfLevelVerticalAndSlopedJoints)
{
    struct Case {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        g_nJoints = 0;
        for (int i = 0; i < 4; ++i) AddJoint(c.joints[i][0], c.joints[i][1], c.joints[i][2], i < 3);
        EXPECT_EQ(0, ComputeSkewCoordinates());
        EXPECT_NEAR(c.angle, g_fSkewPlaneAngle, 1e-3);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(c.skew[i], g_Joints[i + 1].moveOrgY, 1e-5) << i;
    }
    g_nJoints = 3;  // the slope: z 0..10, skew 0..10, 11 in each way
    EXPECT_EQ(0, ComputeTilesSkewInch());
    ExpectLayout(TILE_PLANE_YZ, 0, 0, 2, 2);
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
    g_Joints[1].x = 2;
    g_Joints[3].x = 3e38f;
    g_Joints[2].x = -3e38f;  // span overflows
    EXPECT_EQ(1, ComputeSkewCoordinates());
    EXPECT_FLOAT_EQ(12, g_fSkewPlaneAngle);
    EXPECT_FLOAT_EQ(-7, g_Joints[1].moveOrgY);
    EXPECT_FLOAT_EQ(0, g_Joints[2].moveOrgY);
}

TEST_F(TileLayoutTest, SkewLayoutOverMarkedJoints)
{
    struct { float z, s; short mark; } joints[] = {
        {2, 10, 1}, {-50, -50, 0}, {20, 1, 1}, {9, 49.8f, 1}, {400, 400, 0},
    };
    for (const auto& j : joints) g_Joints[AddJoint(0, 0, j.z, j.mark)].moveOrgY = j.s;
    EXPECT_EQ(0, ComputeTilesSkewInch());  // 19 x 49.8 in
    ExpectLayout(TILE_PLANE_YZ, 1.5f, 0.5f, 3, 5);
    EXPECT_EQ(0, ComputeTilesSkewCm());  // 20 x 50.8 cm, margin 1.5
    ExpectLayout(TILE_PLANE_YZ, 0.5f, 0, 2, 2);
}

TEST_F(TileLayoutTest, SkewLayoutOfNothingIsOnePageAndRefused)
{
    MarkLayout(TILE_PLANE_YZ);
    EXPECT_EQ(1, ComputeTilesSkewInch());  // no joints
    ExpectLayout(TILE_PLANE_YZ, 0, 0, 1, 1);

    AddJoint(1, 1, 1, 0);
    MarkLayout(TILE_PLANE_YZ);
    EXPECT_EQ(1, ComputeTilesSkewCm());  // nothing marked
    ExpectLayout(TILE_PLANE_YZ, 0, 0, 1, 1);

    g_Joints[1].mark = 1;
    g_Joints[1].moveOrgY = 1e9f;
    AddJoint(1, 1, 1, 1);
    MarkLayout(TILE_PLANE_YZ);
    EXPECT_EQ(1, ComputeTilesSkewInch());  // too many pages: nothing written
    ExpectLayout(TILE_PLANE_YZ, 3, 4, 5, 6);
}
