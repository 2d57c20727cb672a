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

void SetLayout(TilePlane plane, float o1, float o2, short across, short down)
{
    switch (plane) {
    case TILE_PLANE_XY:
        g_fTilesXYOriginX = o1; g_fTilesXYOriginY = o2; g_nTilesAcrossXY = across; g_nTilesDownXY = down;
        break;
    case TILE_PLANE_XZ:
        g_fTilesXZOriginX = o1; g_fTilesXZOriginZ = o2; g_nTilesAcrossXZ = across; g_nTilesDownXZ = down;
        break;
    default:
        g_fTilesYZOriginZ = o1; g_fTilesYZOriginY = o2; g_nTilesAcrossYZ = across; g_nTilesDownYZ = down;
        break;
    }
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

    // A joint given by its offset from the plane's guide plane and its two
    // in-plane coordinates.
    void AddPlaneJoint(TilePlane plane, float offset, float first, float second)
    {
        switch (plane) {
        case TILE_PLANE_XY: AddJoint(first, second, g_fGuidePlaneZ + offset); break;
        case TILE_PLANE_XZ: AddJoint(first, g_fGuidePlaneY + offset, second); break;
        default: AddJoint(g_fGuidePlaneX + offset, second, first); break;
        }
    }

    // The joints of the XY slab example: x 1.2..15.7, y 0.3..9.9, with
    // joints outside the slab that would widen the range.
    void BuildXYExample()
    {
        g_fGuidePlaneZ = 0;
        AddJoint(1.2f, 5, 0);
        AddJoint(-40, -40, 0.5f);
        AddJoint(15.7f, 0.3f, 0.2f);
        AddJoint(8, 9.9f, -0.3f);
        AddJoint(60, 60, -0.5f);
    }
};

void ExpectLayout(TilePlane plane, float o1, float o2, int across, int down)
{
    PlaneLayout l = LayoutOf(plane);
    EXPECT_FLOAT_EQ(o1, l.origin1);
    EXPECT_FLOAT_EQ(o2, l.origin2);
    EXPECT_EQ(across, l.across);
    EXPECT_EQ(down, l.down);
}

}  // namespace

// ---- plane layouts ----

TEST_F(TileLayoutTest, XYSlabExamplePortraitAndLandscape)
{
    BuildXYExample();
    EXPECT_EQ(0, ComputeTilesXYInchPortrait());
    ExpectLayout(TILE_PLANE_XY, 1.2f - 0.5f, 0, 3, 2);

    EXPECT_EQ(0, ComputeTilesXYInchLandscape());
    ExpectLayout(TILE_PLANE_XY, 1.2f - 0.5f, 0, 2, 2);
}

TEST_F(TileLayoutTest, WholePagesAreNotRoundedUp)
{
    g_fGuidePlaneZ = 0;
    AddJoint(0, 0, 0);
    AddJoint(13, 9, 0);  // ranges 14 and 10 in: exactly 2 x 1 pages
    ComputeTilesXYInchPortrait();
    ExpectLayout(TILE_PLANE_XY, 0, 0, 2, 1);

    g_Joints[2].x = 13.01f;
    ComputeTilesXYInchPortrait();
    EXPECT_EQ(3, g_nTilesAcrossXY);
}

TEST_F(TileLayoutTest, QuotientIsRoundedToSinglePrecisionBeforeRoundingUp)
{
    SetMetricUnits(1);
    g_fGuidePlaneZ = 0;
    AddJoint(0, 0, 0);
    AddJoint(33.56f, 0, 0);  // 35.56 cm: the quotient is 2 only in single precision
    ComputeTilesXYCmPortrait();
    EXPECT_EQ(2, g_nTilesAcrossXY);

    g_Joints[2].x = 33.57f;
    ComputeTilesXYCmPortrait();
    EXPECT_EQ(3, g_nTilesAcrossXY);
}

TEST_F(TileLayoutTest, SlabBoundsAreExclusive)
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
}

TEST_F(TileLayoutTest, MetricSlabsDifferByVariant)
{
    SetMetricUnits(1);
    g_fGuidePlaneZ = 10;
    AddJoint(5, 5, 10);
    AddJoint(53.8f, 5, 11);  // 1 cm off the guide plane

    ComputeTilesXYCmPortrait();  // 0.5 cm slab
    ExpectLayout(TILE_PLANE_XY, 4, 4, 1, 1);
    ComputeTilesXYCmLandscape();  // 1.5 cm slab: 50.8 cm, two page heights
    ExpectLayout(TILE_PLANE_XY, 4, 4, 1, 2);
}

// Every variant on one model: joints 0.25 either side of the guide plane,
// one 1 unit off it (only in the 1.5 cm slabs) and one far off it, last in
// row order.
struct VariantCase {
    const char* name;
    int (*fn)();
    TilePlane plane;
    float origin1, origin2;
    int across, down;
};

class TileVariantTest : public TileLayoutTest, public ::testing::WithParamInterface<VariantCase> {};

TEST_P(TileVariantTest, SlabMarginAndPages)
{
    const VariantCase& c = GetParam();
    AddPlaneJoint(c.plane, 0.25f, 3, 4);
    AddPlaneJoint(c.plane, -0.25f, 40, 30);
    AddPlaneJoint(c.plane, 1.0f, 60, 40);
    AddPlaneJoint(c.plane, 2.0f, -100, -100);

    EXPECT_EQ(0, c.fn());
    ExpectLayout(c.plane, c.origin1, c.origin2, c.across, c.down);
    for (TilePlane other : {TILE_PLANE_XY, TILE_PLANE_XZ, TILE_PLANE_YZ})
        if (other != c.plane) ExpectLayout(other, 0, 0, 1, 1);
}

INSTANTIATE_TEST_SUITE_P(
    AllPlaneVariants, TileVariantTest,
    ::testing::Values(
        VariantCase{"XYInchPortrait", ComputeTilesXYInchPortrait, TILE_PLANE_XY, 2.5f, 3.5f, 6, 3},
        VariantCase{"XZInchPortrait", ComputeTilesXZInchPortrait, TILE_PLANE_XZ, 2.5f, 3.5f, 6, 3},
        VariantCase{"YZInchPortrait", ComputeTilesYZInchPortrait, TILE_PLANE_YZ, 2.5f, 3.5f, 6, 3},
        VariantCase{"XYInchLandscape", ComputeTilesXYInchLandscape, TILE_PLANE_XY, 2.5f, 3.5f, 4, 4},
        VariantCase{"XZInchLandscape", ComputeTilesXZInchLandscape, TILE_PLANE_XZ, 2.5f, 3.5f, 4, 4},
        VariantCase{"YZInchLandscape", ComputeTilesYZInchLandscape, TILE_PLANE_YZ, 2.5f, 3.5f, 4, 4},
        VariantCase{"XYCmPortrait", ComputeTilesXYCmPortrait, TILE_PLANE_XY, 2, 3, 3, 2},
        VariantCase{"XZCmPortrait", ComputeTilesXZCmPortrait, TILE_PLANE_XZ, 2, 3, 3, 2},
        VariantCase{"YZCmPortrait", ComputeTilesYZCmPortrait, TILE_PLANE_YZ, 2, 3, 4, 2},
        VariantCase{"XYCmLandscape", ComputeTilesXYCmLandscape, TILE_PLANE_XY, 2, 3, 3, 3},
        VariantCase{"XZCmLandscape", ComputeTilesXZCmLandscape, TILE_PLANE_XZ, 2, 3, 3, 3},
        VariantCase{"YZCmLandscape", ComputeTilesYZCmLandscape, TILE_PLANE_YZ, 2, 3, 3, 3}),
    [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

TEST_F(TileLayoutTest, EmptyModelOrEmptySlabGivesOnePageAtOrigin)
{
    SetLayout(TILE_PLANE_XZ, 3, 4, 5, 6);
    EXPECT_EQ(0, ComputeTilesXZInchPortrait());  // no joints
    ExpectLayout(TILE_PLANE_XZ, 0, 0, 1, 1);

    AddJoint(10, 50, 10);  // far from the XZ guide plane
    SetLayout(TILE_PLANE_XZ, 3, 4, 5, 6);
    EXPECT_EQ(0, ComputeTilesXZInchPortrait());
    ExpectLayout(TILE_PLANE_XZ, 0, 0, 1, 1);

    g_Joints[1].y = g_fGuidePlaneY;
    g_nMembers = 0;
    SetLayout(TILE_PLANE_XZ, 3, 4, 5, 6);
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
        SetLayout(TILE_PLANE_XY, 3, 4, 5, 6);
        EXPECT_EQ(1, ComputeTilesXYInchPortrait());
        ExpectLayout(TILE_PLANE_XY, 3, 4, 5, 6);
        EXPECT_EQ(b[1] == 229375 ? 0 : 1, ComputeTilesXYCmLandscape());  // 9031 pages down fit
    }
}

TEST_F(TileLayoutTest, ShowTilesLayoutFollowsUnitsAndOrientation)
{
    // The variant model above, in each plane.
    for (TilePlane p : {TILE_PLANE_XY, TILE_PLANE_XZ, TILE_PLANE_YZ}) {
        AddPlaneJoint(p, 0.25f, 3, 4);
        AddPlaneJoint(p, -0.25f, 40, 30);
        AddPlaneJoint(p, 1.0f, 60, 40);
    }
    struct { int metric, landscape; float o1, o2; int across, down, yzAcross; } cases[] = {
        {0, 0, 2.5f, 3.5f, 6, 3, 6}, {0, 1, 2.5f, 3.5f, 4, 4, 4},
        {1, 0, 2, 3, 3, 2, 4},       {1, 1, 2, 3, 3, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.metric * 2 + c.landscape);
        ResetPrintingGlobals();
        SetMetricUnits(c.metric);
        g_bTileLandscape = c.landscape;
        for (TilePlane p : {TILE_PLANE_XY, TILE_PLANE_XZ, TILE_PLANE_YZ}) EXPECT_EQ(0, ComputePlaneTiles(p));
        ExpectLayout(TILE_PLANE_XY, c.o1, c.o2, c.across, c.down);
        ExpectLayout(TILE_PLANE_XZ, c.o1, c.o2, c.across, c.down);
        ExpectLayout(TILE_PLANE_YZ, c.o1, c.o2, c.yzAcross, c.down);
    }
}

// ---- skew coordinates ----

TEST_F(TileLayoutTest, SkewNeedsThreeMarkedJoints)
{
    AddJoint(0, 0, 0, 1);
    AddJoint(3, 4, 0, 1);
    AddJoint(9, 9, 0, 0);
    for (int i = 1; i <= 3; ++i) g_Joints[i].moveOrgY = -7;
    g_fSkewPlaneAngle = 12;
    EXPECT_EQ(1, ComputeSkewCoordinates());
    EXPECT_FLOAT_EQ(12, g_fSkewPlaneAngle);
    for (int i = 1; i <= 3; ++i) EXPECT_FLOAT_EQ(-7, g_Joints[i].moveOrgY);
}

TEST_F(TileLayoutTest, SkewOfLevelJointsAddsTheDistance)
{
    AddJoint(2, 3, 0, 1);
    AddJoint(6, 3, 1, 1);
    AddJoint(10, 3, 2, 1);
    AddJoint(5, 7, 0, 0);  // unmarked joints get their coordinate too
    EXPECT_EQ(0, ComputeSkewCoordinates());
    EXPECT_NEAR(90, g_fSkewPlaneAngle, 1e-4);
    EXPECT_NEAR(3, g_Joints[1].moveOrgY, 1e-6);
    EXPECT_NEAR(7, g_Joints[2].moveOrgY, 1e-5);
    EXPECT_NEAR(11, g_Joints[3].moveOrgY, 1e-5);
    EXPECT_NEAR(12, g_Joints[4].moveOrgY, 1e-5);  // 7 + 5
}

TEST_F(TileLayoutTest, SkewOfVerticalJointsIsTheHeight)
{
    AddJoint(4, 1, 0, 1);
    AddJoint(4, 6, 0, 1);
    AddJoint(4, 9.5f, 0, 1);
    AddJoint(20, 2.25f, 0, 0);
    EXPECT_EQ(0, ComputeSkewCoordinates());
    EXPECT_EQ(0, g_fSkewPlaneAngle);
    EXPECT_EQ(6, g_Joints[2].moveOrgY);
    EXPECT_EQ(2.25f, g_Joints[4].moveOrgY);
}

TEST_F(TileLayoutTest, SkewUnfoldsTheSlopeAtTrueLength)
{
    AddJoint(0, 0, 0, 1);
    AddJoint(3, 4, 5, 1);
    AddJoint(6, 8, 10, 1);
    EXPECT_EQ(0, ComputeSkewCoordinates());
    EXPECT_NEAR(36.8699, g_fSkewPlaneAngle, 1e-3);
    EXPECT_NEAR(0, g_Joints[1].moveOrgY, 1e-6);
    EXPECT_NEAR(5, g_Joints[2].moveOrgY, 1e-5);
    EXPECT_NEAR(10, g_Joints[3].moveOrgY, 1e-5);

    g_nMembers = 1;
    EXPECT_EQ(0, ComputeTilesSkewInch());  // z 0..10, skew 0..10: 11 in each way
    EXPECT_FLOAT_EQ(0, g_fTilesYZOriginZ);
    EXPECT_FLOAT_EQ(0, g_fTilesYZOriginY);
    EXPECT_EQ(2, g_nTilesAcrossYZ);
    EXPECT_EQ(2, g_nTilesDownYZ);
}

TEST_F(TileLayoutTest, SkewWithoutDirectionIsRefused)
{
    AddJoint(2, 3, 0, 1);
    AddJoint(2, 3, 5, 1);
    AddJoint(2, 3, 9, 1);
    g_Joints[1].moveOrgY = -7;
    g_fSkewPlaneAngle = 12;
    EXPECT_EQ(1, ComputeSkewCoordinates());  // one point in x and y
    g_Joints[1].x = std::nanf("");  // seeds the extremes
    EXPECT_EQ(1, ComputeSkewCoordinates());
    g_Joints[1].x = 2;
    g_Joints[3].x = 3e38f;
    g_Joints[2].x = -3e38f;  // span overflows
    EXPECT_EQ(1, ComputeSkewCoordinates());
    EXPECT_FLOAT_EQ(12, g_fSkewPlaneAngle);
    EXPECT_FLOAT_EQ(-7, g_Joints[1].moveOrgY);
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
    SetLayout(TILE_PLANE_YZ, 3, 4, 5, 6);
    EXPECT_EQ(1, ComputeTilesSkewInch());  // no joints
    ExpectLayout(TILE_PLANE_YZ, 0, 0, 1, 1);

    AddJoint(1, 1, 1, 0);
    SetLayout(TILE_PLANE_YZ, 3, 4, 5, 6);
    EXPECT_EQ(1, ComputeTilesSkewCm());  // nothing marked
    ExpectLayout(TILE_PLANE_YZ, 0, 0, 1, 1);

    g_Joints[1].mark = 1;
    g_Joints[1].moveOrgY = 1e9f;
    AddJoint(1, 1, 1, 1);
    SetLayout(TILE_PLANE_YZ, 3, 4, 5, 6);
    EXPECT_EQ(1, ComputeTilesSkewInch());  // too many pages: nothing written
    ExpectLayout(TILE_PLANE_YZ, 3, 4, 5, 6);
}
