// Import of the older 2D model files.
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "planprint_test.h"
#include "tests/common/awkward_numbers.h"

namespace {

// A small 2D file: joints {x, y, s1, s2, s3}, members {a, b, end, type}.
std::string File2d(int scale, std::initializer_list<std::array<int, 5>> joints,
                   std::initializer_list<std::array<int, 4>> members, const char* title = "TRUSSFORGE DATA FILE")
{
    std::ostringstream f;
    f << title << "\n" << members.size() << " " << joints.size() << " 0 0 " << scale << "\n";
    int k = 0;
    for (const auto& j : joints) f << ++k << " " << j[0] << " " << j[1] << " " << j[2] << " " << j[3] << " " << j[4] << "\n";
    k = 0;
    for (const auto& m : members) f << ++k << " " << m[0] << " " << m[1] << " " << m[2] << " 0.0 1.5 " << m[3] << "\n";
    for (k = 1; k <= static_cast<int>(joints.size()); ++k) f << k << " 0 0.0 " << -k << " " << (k == 1 ? 2 : 0) << "\n";
    return f.str();
}

}  // namespace

using Read2dTest = PlanprintTest;

// The Pratt truss: 12 in span, 3 in deep, drawing units of 1/40 in.
TEST_F(Read2dTest, PrattTrussAgainstNumbersWorkedByHand)
{
    ASSERT_EQ(g_pModel->Read2dFile(Example("pratt_truss.tfd")), 1);
    const CModelData& m = *g_pModel;
    EXPECT_TRUE(m.nJoints == 13 && m.nMembers == 23 && m.bEnglish == 1 && g_bEnglishUnits);
    // y flipped (largest drawing y 120), scaled by 1/40, shifted to the origin.
    EXPECT_TRUE(m.fRangeX == 12 && m.fRangeY == 3 && m.fMinX == 0 && m.fMinY == 0);
    const float expected[14][2] = {{0, 0},  {0, 0}, {2, 0}, {4, 0}, {6, 0}, {8, 0}, {10, 0},
                                   {12, 0}, {2, 2}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {6, 3}};
    for (int k = 1; k <= 13; ++k)
        EXPECT_TRUE(g_pJoints[k].x == expected[k][0] && g_pJoints[k].y == expected[k][1] && g_pJoints[k].z == 0)
            << k;
    // Joint 1 (0, 1, 1): held in translation; joint 7 (0, 1, 0): in y and z and about x.
    EXPECT_TRUE(g_pJoints[1].nRestrainTX && g_pJoints[1].nRestrainTY && g_pJoints[1].nRestrainTZ &&
                !g_pJoints[1].nRestrainRX && !g_pJoints[1].nRestrainRZ);
    EXPECT_TRUE(!g_pJoints[7].nRestrainTX && g_pJoints[7].nRestrainTY && g_pJoints[7].nRestrainRX &&
                !g_pJoints[7].nRestrainRY);
    EXPECT_TRUE(g_pJoints[4].fForceY == -5 && g_pJoints[4].bTranslatedY == 1 && g_pJoints[4].fForceX == 0);
    // Type 257: material 7 and 1/8 x 1/8; type 298: material 7 and 3/16 x 3/16.
    const CMember& chord = g_pMembers[1];
    const CMember& top = g_pMembers[7];
    EXPECT_TRUE(chord.nMaterial == 7 && chord.nSection == 2 && top.nSection == 3 && chord.bUseTorsion == 1 &&
                chord.bMomentZZ1 == 1 && chord.fEffLengthYY == 0 && chord.fUserEffYY == 0 && chord.nOffPlane == 0);
    EXPECT_NEAR(chord.fColorR, 0.88235295 - 20 * 3.844675e-5, 1e-6);
    // Chord 1 from (0, 0) to (2, 0), 1/16 in either side.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(chord.fCornerX[i], i < 2 ? -0.0625f : 2.0625f) << i;
        EXPECT_EQ(chord.fCornerY[i], (i == 0 || i == 3) ? 0.0625f : -0.0625f) << i;
    }
    // End post 7 from (0, 0) up to (2, 2): rising, 3/32 in either side.
    EXPECT_EQ(top.nOutlineKind, 3);
    const float a = 0.09375f / std::sqrt(2.0f);
    EXPECT_NEAR(top.fCornerX[0], -a - a, 1e-6);
    EXPECT_NEAR(top.fCornerY[0], -a + a, 1e-6);
    EXPECT_NEAR(top.fCornerX[2], 2 + a + a, 1e-6);
    EXPECT_NEAR(top.fCornerY[2], 2 + a - a, 1e-6);
    // w = 13, h = 4: one landscape Legal tile, 13 x 7.5.
    EXPECT_TRUE(g_nCols == 1 && g_nRows == 1 && g_nPageOrient == kLandscape && g_nPaperSize == kPaperLegal &&
                g_fGuidePlaneX == 13 && g_fGuidePlaneY == 7.5f && m.fOffsetX == 0.5f && m.fOffsetY == 2.5f);
}

TEST_F(Read2dTest, ScalesCodesTypesAndSupports)
{
    // Code 118 doubles code 117: x 80 is 4 in, not 2.
    ASSERT_EQ(g_pModel->Read2dFile(Write("a.tfd", File2d(118, {{0, 0, 1, 0, 1}, {80, 0, 0, 0, 0}}, {{1, 2, 1, 262}}))), 1);
    EXPECT_TRUE(g_pJoints[2].x == 4 && g_pModel->fRangeX == 4);
    // Supports 1, 0, 1 hold nothing; type 262 is material 8, 3/32 x 3/32; end code 1.
    EXPECT_TRUE(!g_pJoints[1].nRestrainTX && !g_pJoints[1].nRestrainRX && !g_pJoints[1].nRestrainTZ);
    const CMember& m = g_pMembers[1];
    EXPECT_TRUE(m.nMaterial == 8 && m.nSection == 1 && m.bMomentZZ1 == 0 && m.bMomentZZ2 == 1 &&
                m.fEffLengthYY == 1.5f && m.fUserEffYY == 1 && g_pSections[1].fHeight == 0.09375f);
    EXPECT_TRUE(g_pJoints[1].fForceY == -1 && g_pJoints[1].fForceX == 2);
    ASSERT_EQ(g_pModel->Read2dFile(Write("b.tfd", File2d(117, {{0, 0, 0, 0, 1}, {80, 0, 0, 0, 0}}, {{1, 2, 3, 999}}))), 1);
    EXPECT_EQ(g_pJoints[2].x, 2);
    EXPECT_TRUE(g_pJoints[1].nRestrainTX && !g_pJoints[1].nRestrainTY && g_pJoints[1].nRestrainRY);
    EXPECT_TRUE(g_pMembers[1].nMaterial == 1 && g_pMembers[1].nSection == 2 && g_pMembers[1].bMomentZZ1 == 0 &&
                g_pMembers[1].bMomentZZ2 == 0);
    // SI, 1/8 cm a unit; every y negative: the largest y stays 0, y becomes -y.
    ASSERT_EQ(g_pModel->Read2dFile(Write("c.tfd", File2d(157, {{0, -16, 0, 0, 0}, {8, -32, 0, 0, 0}}, {{1, 2, 2, 296}},
                                                          "Trussforge v1.62 - DATA FILE"))),
              1);
    EXPECT_TRUE(g_bSIUnits && g_pModel->bEnglish == 0 && g_pJoints[2].x == 1 && g_pJoints[2].y == 2 &&
                g_pJoints[1].y == 0 && g_pSections[3].fHeight == 0.47625f && g_pMembers[1].bMomentZZ2 == 0);
    // The member's colour is the English material row's, also for an SI file.
    EXPECT_EQ(g_pMembers[1].fColorB, g_pMaterials[1].fColorB);
}

TEST_F(Read2dTest, RefusedFilesLeaveThePreviousModel)
{
    const std::string good = File2d(117, {{0, 0, 0, 1, 1}, {80, 40, 0, 0, 0}, {160, 0, 0, 1, 0}}, {{1, 2, 0, 260}, {2, 3, 0, 260}});
    const std::string notTfd = "ERROR - Not a Trussforge File";
    const std::string farJoint2 =
        "\nJoint 2 lies too far out to be printed: its coordinates must lie between -1000000 and 1000000.";
    struct Case {
        const char* name;
        std::string text;
        std::string message;  // "" = refused silently
    };
    const Case cases[] = {
        {"wrong title", "TRUSSFORGE DATA FILE 2\n" + good.substr(good.find('\n') + 1), notTfd},
        {"unknown scale code", File2d(119, {{0, 0, 0, 0, 0}}, {{1, 1, 0, 260}}), ""},
        {"no members", File2d(117, {{0, 0, 0, 0, 0}}, {}), ""},
        {"missing joint", File2d(117, {{0, 0, 0, 0, 0}, {40, 0, 0, 0, 0}}, {{1, 3, 0, 260}}),
         notTfd + "\nMember 1 refers to a missing joint."},
        {"too many joints", "TRUSSFORGE DATA FILE\n1 401 0 0 117\n", notTfd + "\nThe model has more than 400 joints."},
        {"too many members", "TRUSSFORGE DATA FILE\n901 2 0 0 117\n", notTfd + "\nThe model has more than 900 members."},
        {"short file", good.substr(0, good.size() - 12), notTfd + "\nThe file is malformed or ends early at line 10."},
        {"malformed header", "TRUSSFORGE DATA FILE\n2 x 0 0 117\n", notTfd + "\nThe file is malformed or ends early at line 2."},
        {"negative count", "TRUSSFORGE DATA FILE\n2 -3 0 0 117\n", notTfd + "\nThe file is malformed or ends early at line 2."},
        {"joint far out", File2d(117, {{0, 0, 0, 0, 0}, {2147483647, 0, 0, 0, 0}}, {{1, 2, 0, 260}}), notTfd + farJoint2},
        {"joint far below", File2d(118, {{0, 0, 0, 0, 0}, {0, -2147483647, 0, 0, 0}}, {{1, 2, 0, 260}}),
         notTfd + farJoint2},
    };
    ASSERT_EQ(g_pModel->Read2dFile(Write("good.tfd", good)), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        backend.Clear();
        EXPECT_EQ(g_pModel->Read2dFile(Write("bad.tfd", c.text)), 0);
        ExpectRefusal(c.message);
        EXPECT_TRUE(g_pModel->nJoints == 3 && g_pModel->nMembers == 2 && g_pJoints[2].x == 2 && g_pJoints[2].y == 0 &&
                    g_pMembers[2].nJointB == 3 && g_nPaperSize == kPaperLetter);
    }
}

// The same file, number for number, as TF3D's 2D import takes it
// (tests/files/import_2d_test.cpp checks it on the same table).
TEST_F(Read2dTest, AwkwardAndGluedNumbersAndAByteOrderMarkReadAsTf3dReadsThem)
{
    std::ifstream in(Example("pratt_truss.tfd"), std::ios::binary);
    const std::string pratt((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const AwkwardNumber& n : AwkwardNumbers()) {
        SCOPED_TRACE(n.text.substr(0, 40));
        backend.Clear();
        ASSERT_EQ(g_pModel->Read2dFile(Write("awkward.tfd", WithField(pratt, 15, 5, n.text))), n.read ? 1 : 0);
        if (n.read)
            EXPECT_TRUE(SameBits(g_pMembers[1].fEffLengthYY, n.value)) << g_pMembers[1].fEffLengthYY;
        else
            ExpectRefusal("ERROR - Not a Trussforge File\nThe file is malformed or ends early at line 16.");
    }
    // numbers written into fixed columns run together; a byte-order mark before the title
    std::string glued = pratt;
    glued.replace(glued.find("\n1 1 2 0 0.0 0 257\n"), 19, "\n1 1 2 0-1.5 12.5 257\n");
    backend.Clear();
    ASSERT_EQ(g_pModel->Read2dFile(Write("glued.tfd", "\xEF\xBB\xBF" + glued)), 1);
    ExpectRefusal("");
    EXPECT_TRUE(g_pMembers[1].fEffLengthYY == 12.5f && g_pMembers[1].nMaterial == 7);
}
