#include "printing/member_outline.h"

#include <array>
#include <cmath>

#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

using Corners = std::array<float, 8>;

class MemberOutlineTest : public Tf3dTest {
protected:
    // Member 1 between two joints; shape 1 of width 0.125 and height 0.25.
    void Member(std::array<float, 3> a, std::array<float, 3> b, float spacing = 0, float roll = 0)
    {
        g_nJoints = 2, g_nMembers = 1;
        g_Joints[1].x = a[0], g_Joints[1].y = a[1], g_Joints[1].z = a[2];
        g_Joints[2].x = b[0], g_Joints[2].y = b[1], g_Joints[2].z = b[2];
        g_Members[1].jointA = 1, g_Members[1].jointB = 2, g_Members[1].shape = 1, g_Members[1].rollAngle = roll;
        g_Shapes[1].width = 0.125f, g_Shapes[1].height = 0.25f, g_Shapes[1].spacing = spacing;
    }
    static Corners Of(const float* c) { return {c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]}; }
    static void ExpectCorners(const float* actual, const Corners& expected)
    {
        for (int i = 0; i < 8; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "value " << i;
    }
};

}  // namespace

TEST_F(MemberOutlineTest, SingleOutlinesInEveryPlane)
{
    const struct {
        void (*op)(short);
        std::array<float, 3> a, b;
        float length;
        double angle;
        Corners corners;
    } cases[] = {
        // Along u, either way round; along v, end a is the upper joint.
        {MemberOutlineXY, {0, 0, 9}, {4, 0, 9}, 4, 0, {-0.125f, -0.125f, -0.125f, 0.125f, 4.125f, 0.125f, 4.125f, -0.125f}},
        {MemberOutlineXY, {4, 0, 9}, {0, 0, 9}, 4, 0, {-0.125f, -0.125f, -0.125f, 0.125f, 4.125f, 0.125f, 4.125f, -0.125f}},
        {MemberOutlineXY, {2, 0, 9}, {2, 3, 9}, 3, 1.5707963267948966, {1.875f, 3.125f, 2.125f, 3.125f, 2.125f, -0.125f, 1.875f, -0.125f}},
        // A 3-4-5 slope: axis (0.6, 0.8), across it (-0.8, 0.6).
        {MemberOutlineXY, {0, 0, 9}, {3, 4, 9}, 5, -std::acos(0.6), {0.025f, -0.175f, -0.175f, -0.025f, 2.975f, 4.175f, 3.175f, 4.025f}},
        // XZ takes the width; YZ and the skewed plane run along z.
        {MemberOutlineXZ, {1, 7, 2}, {3, 7, 2}, 2, 0, {0.9375f, 1.9375f, 0.9375f, 2.0625f, 3.0625f, 2.0625f, 3.0625f, 1.9375f}},
        {MemberOutlineYZ, {7, 5, 1}, {7, 5, 3}, 2, 0, {0.875f, 4.875f, 0.875f, 5.125f, 3.125f, 5.125f, 3.125f, 4.875f}},
        // Ends on one point: angle 0, not a number that is none.
        {MemberOutlineXY, {5, 5, 1}, {5, 5, 8}, 0, 0, {4.875f, 5.125f, 5.125f, 5.125f, 5.125f, 4.875f, 4.875f, 4.875f}},
    };
    for (const auto& c : cases) {
        Member(c.a, c.b);
        g_Members[1].outline2[0] = 77;
        c.op(1);
        SCOPED_TRACE(testing::Message() << c.a[0] << "," << c.a[1] << " to " << c.b[0] << "," << c.b[1]);
        EXPECT_FLOAT_EQ(g_Members[1].length, c.length);
        EXPECT_NEAR(g_Members[1].planeAngle, c.angle, 1e-6);
        ExpectCorners(g_Members[1].outline1, c.corners);
        EXPECT_EQ(g_Members[1].outline2[0], 77);  // single outlines leave the second one
    }
    g_Joints[1].moveOrgY = 2, g_Joints[2].moveOrgY = 2;  // the skewed plane reads the skew coordinate
    MemberOutlineSkewYZ(1);
    ExpectCorners(g_Members[1].outline1, {0.875f, 1.875f, 0.875f, 2.125f, 8.125f, 2.125f, 8.125f, 1.875f});
}

TEST_F(MemberOutlineTest, DoubledSticksSideBySideOrEdgeOnByRollAndPlane)
{
    // Half-breadths: side by side 0.375 outer and 0.25 inner (spacing 0.5,
    // width 0.125); edge-on the height's half, 0.125, for both. End extension 0.0625.
    const struct {
        void (*op)(short);
        float roll;
        bool alongZ;  // the member runs along z (else along u at one z)
        bool sideBySide;
    } cases[] = {
        {MemberDoubleOutlineXY, 45, false, true},    {MemberDoubleOutlineXY, 0.9f, false, false},
        {MemberDoubleOutlineXY, -0.9f, false, false}, {MemberDoubleOutlineXZ, 89.9f, false, true},
        {MemberDoubleOutlineXZ, 90, false, false},   {MemberDoubleOutlineXZ, -90, false, true},
        {MemberDoubleOutlineYZ, 0, true, true},      {MemberDoubleOutlineYZ, 90, true, false},
        {MemberDoubleOutlineYZ, 0, false, false},    {MemberDoubleOutlineSkewYZ, 30, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "roll " << c.roll << (c.alongZ ? " along z" : ""));
        if (c.alongZ)
            Member({1, 2, 1}, {1, 2, 5}, 0.5f, c.roll);
        else  // along x at one z: along u in XY and XZ, on one u in YZ
            Member({1, 2, 3}, {5, 2, 3}, 0.5f, c.roll);
        c.op(1);
        const float outer = c.sideBySide ? 0.375f : 0.125f, inner = c.sideBySide ? 0.25f : 0.125f;
        const MemberRec& m = g_Members[1];
        if ((c.op == MemberDoubleOutlineYZ && !c.alongZ) || c.op == MemberDoubleOutlineSkewYZ) {
            // One point in u: across u by the half-breadth, along v by the end extension.
            EXPECT_NEAR(m.outline1[2] - m.outline1[0], 2 * outer, 1e-6);
            EXPECT_NEAR(m.outline2[2] - m.outline2[0], 2 * inner, 1e-6);
        } else {
            EXPECT_NEAR(m.outline1[3] - m.outline1[1], 2 * outer, 1e-6);
            EXPECT_NEAR(m.outline2[3] - m.outline2[1], 2 * inner, 1e-6);
            EXPECT_NEAR(m.outline1[4] - m.outline1[2], 4.125f, 1e-6);
        }
    }
    // A member whose joints or shape lie outside the tables is left as it is.
    g_Members[1].jointB = 3, g_Members[1].length = 9;
    EXPECT_FALSE(ComputeMemberOutline(PLANE_XY, 1));
    g_Members[1].jointB = 2, g_Members[1].shape = 12;
    EXPECT_FALSE(ComputeMemberOutline(PLANE_XY, 1));
    EXPECT_EQ(g_Members[1].length, 9);
}
