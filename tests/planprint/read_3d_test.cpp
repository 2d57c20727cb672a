// Import of TF3D's 3D model files: the examples against numbers worked by
// hand, and files that must be refused with the previous model kept.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "planprint/outline.h"
#include "planprint/reader_common.h"
#include "planprint_test.h"
#include "tests/common/awkward_numbers.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Corners {
    float x[4], y[4];
};

void ExpectCorners(int member, const Corners& c, float tolerance = 1e-5f)
{
    const CMember& m = g_pMembers[member];
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(std::fabs(m.fCornerX[i] - c.x[i]) < tolerance && std::fabs(m.fCornerY[i] - c.y[i]) < tolerance)
            << "member " << member << " corner " << i + 1 << ": " << m.fCornerX[i] << ", " << m.fCornerY[i];
}

// Replaces the first occurrence of what in text.
std::string Replace(std::string text, const std::string& what, const std::string& with)
{
    const size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

}  // namespace

using Read3dTest = PlanprintTest;

// The tower: legs 4 in apart, 12 in high, front face at z = 12.
TEST_F(Read3dTest, TowerFlattensOntoItsFrontFace)
{
    ASSERT_EQ(g_pModel->Read3dFile(Example("tower.3dd")), 1);
    const CModelData& m = *g_pModel;
    EXPECT_TRUE(m.nJoints == 8 && m.nMembers == 17 && m.nSections == 10 && m.bEnglish == 1 && g_bEnglishUnits &&
                !g_bSIUnits);
    EXPECT_TRUE(m.fMinX == 18 && m.fMaxX == 22 && m.fRangeX == 4 && m.fMinY == 1.25f && m.fRangeY == 12 &&
                m.fMaxZ == 12 && m.fMinZ == 8 && m.fRangeZ == 4 && m.fLiftZ == 0.02f);
    // Joints shifted to the origin, the front plane at z = 0.
    const float expected[8][4] = {{0, 0, 0, 0},  {0, 0, -4, 2},  {4, 0, 0, 0},  {4, 0, -4, 2},
                                  {0, 12, 0, 0}, {0, 12, -4, 2}, {4, 12, 0, 0}, {4, 12, -4, 2}};
    for (int k = 1; k <= 8; ++k) {
        const CJoint& j = g_pJoints[k];
        EXPECT_TRUE(j.x == expected[k - 1][0] && j.y == expected[k - 1][1] && j.z == expected[k - 1][2] &&
                    j.nPlane == expected[k - 1][3])
            << k;
    }
    EXPECT_TRUE(g_pJoints[1].nRestrainTX == 1 && g_pJoints[1].nRestrainRX == 0 && g_pJoints[5].nRestrainTY == 0);
    // In the front plane: the top (3), the legs (6, 8), the braces (14, 15).
    const int offPlane[18] = {0, 2, 2, 0, 1, 2, 0, 1, 0, 1, 2, 2, 2, 2, 0, 0, 1, 1};
    for (int k = 1; k <= 17; ++k) EXPECT_EQ(g_pMembers[k].nOffPlane, offPlane[k]) << k;
    EXPECT_TRUE(g_pMembers[14].nSection == 4 && g_pMembers[14].nMaterial == 7 && g_pMembers[1].fEffLengthYY == 4 &&
                std::fabs(g_pMembers[1].fColorR - 0.6196f) < 1e-6f);
    EXPECT_TRUE(g_pSections[5].strName == "5/16x5/16" && g_pSections[5].fHeight == 0.3125f);
    // Leg 6 from (0, 0) to (0, 12), 5/16 in: vertical.
    ExpectCorners(6, {{-0.15625f, 0.15625f, 0.15625f, -0.15625f}, {-0.15625f, -0.15625f, 12.15625f, 12.15625f}});
    EXPECT_TRUE(g_pMembers[6].nOutlineKind == 1 && g_pMembers[6].dLength == 12);
    // Brace 15 from (4, 0) to (0, 12), 1/4 in: falling, the first end at (0, 12);
    // steps of 0.125 / sqrt(10) and 0.375 / sqrt(10).
    const float a = 0.125f / std::sqrt(10.0f), b = 0.375f / std::sqrt(10.0f);
    ExpectCorners(15, {{-a + b, -a - b, 4 + a - b, 4 + a + b}, {12 + b + a, 12 + b - a, -b - a, -b + a}});
    EXPECT_EQ(g_pMembers[15].nOutlineKind, 4);
    EXPECT_NEAR(g_pMembers[15].dLength, std::sqrt(160.0), 1e-6);
    EXPECT_NEAR(g_pMembers[15].dAngle, std::atan(-3.0), 1e-6);
    // Members out of the plane keep their constructor outline.
    EXPECT_TRUE(g_pMembers[1].fCornerX[2] == 0 && g_pMembers[1].nOutlineKind == 0);
    // h = 13, w = 5: one portrait Legal tile, the model centred to the half inch.
    EXPECT_TRUE(g_nCols == 1 && g_nRows == 1 && g_nPageOrient == kPortrait && g_nPaperSize == kPaperLegal &&
                g_fPrintablePageW == 7.5f && g_fPrintablePageH == 13 && g_fGuidePlaneX == 7.5f && g_fGuidePlaneY == 13);
    EXPECT_TRUE(m.fOffsetX == 2 && m.fOffsetY == 0.5f);
}

// The metric truss: chords 40 cm long, 8 cm deep, all in one plane.
TEST_F(Read3dTest, MetricTrussLaysOutInCentimetres)
{
    ASSERT_EQ(g_pModel->Read3dFile(Example("metric_truss.3dd")), 1);
    EXPECT_TRUE(g_pModel->bEnglish == 0 && g_bSIUnits && !g_bEnglishUnits && g_pModel->nMembers == 15);
    EXPECT_TRUE(g_pJoints[5].x == 40 && g_pJoints[5].y == 0 && g_pJoints[9].x == 35 && g_pJoints[9].y == 8);
    for (int k = 1; k <= 15; ++k) EXPECT_EQ(g_pMembers[k].nOffPlane, 0) << k;
    // SI materials go to the metric half of the pairs.
    const CMaterial& si = g_pMaterialPairs[2].si;
    EXPECT_TRUE(si.strName == "BalsaD1.1" && si.fE == 344750 && si.fG == 21546.875f && si.fDensity == 0.0022f &&
                si.fUltCompression == 988.700012f && si.fColorG == 0.768667f);
    EXPECT_TRUE(g_pMaterials[2].strName.empty() && g_pMaterials[2].fDensity == 14);
    EXPECT_EQ(g_pSections[4].fHeight, 0.635f);
    // Chord 1 from (0, 0) to (10, 0), 1/4 in = 0.635 cm.
    ExpectCorners(1, {{-0.3175f, -0.3175f, 10.3175f, 10.3175f}, {0.3175f, -0.3175f, -0.3175f, 0.3175f}});
    EXPECT_TRUE(g_pMembers[1].nOutlineKind == 2 && g_pMembers[1].dAngle == 0 && g_pMembers[1].dLength == 10);
    // Diagonal 8 from (0, 0) to (5, 8), 0.3175 cm: rising.
    EXPECT_EQ(g_pMembers[8].nOutlineKind, 3);
    EXPECT_NEAR(g_pMembers[8].dLength, std::sqrt(89.0), 1e-6);
    // w = 41 cm, h = 9 cm: two landscape Letter tiles, centred to the centimetre.
    EXPECT_TRUE(g_nCols == 2 && g_nRows == 1 && g_nPageOrient == kLandscape && g_nPaperSize == kPaperLetter);
    EXPECT_FLOAT_EQ(g_fPrintablePageW, 19.05f);
    EXPECT_FLOAT_EQ(g_fPrintablePageH, 25.4f);
    EXPECT_FLOAT_EQ(g_fGuidePlaneX, 50.8f);
    EXPECT_FLOAT_EQ(g_fGuidePlaneY, 19.05f);
    EXPECT_TRUE(g_pModel->fOffsetX == 5 && g_pModel->fOffsetY == 6);
}

// The bridge's deck: front chord of 14 members at z = 13, its twin behind.
TEST_F(Read3dTest, BridgeOutlinesOnlyItsFrontChord)
{
    ASSERT_EQ(g_pModel->Read3dFile(Example("bridge.3dd")), 1);
    EXPECT_TRUE(g_pModel->nJoints == 30 && g_pModel->nMembers == 41 && g_pModel->fRangeX == 12.5f &&
                g_pModel->fRangeY == 0);
    for (int k = 1; k <= 41; ++k) EXPECT_EQ(g_pMembers[k].nOffPlane, k <= 14 ? 0 : k <= 28 ? 1 : 2) << k;
    // Member 1 from (0, 0) to (0.25, 0) in 1/8 x 3/8, standing 3/8 high.
    ExpectCorners(1, {{-0.1875f, -0.1875f, 0.4375f, 0.4375f}, {0.1875f, -0.1875f, -0.1875f, 0.1875f}});
    EXPECT_EQ(g_pMembers[1].fEdgeMidX[2], 0.4375f);
    // w = 13.5, h = 1: two landscape Letter tiles, 20 x 7.5.
    EXPECT_TRUE(g_nCols == 2 && g_nRows == 1 && g_nPageOrient == kLandscape && g_nPaperSize == kPaperLetter &&
                g_fGuidePlaneX == 20 && g_fGuidePlaneY == 7.5f && g_pModel->fOffsetX == 4 &&
                g_pModel->fOffsetY == 4);
}

// TF3D writes CR LF; a file with bare LF line ends reads the same.
TEST_F(Read3dTest, LfAndCrLfLineEndsReadAlike)
{
    const std::string crlf = ReadText(Example("tower.3dd"));
    ASSERT_NE(crlf.find("\r\n"), std::string::npos);
    std::string lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    for (const std::string& text : {crlf, lf}) {
        CreateModelTables();
        ASSERT_EQ(g_pModel->Read3dFile(Write("tower.3dd", text)), 1);
        EXPECT_TRUE(g_pSections[9].strName == "1/8x3/8" && g_pModel->nMembers == 17 && g_pJoints[7].x == 4 &&
                    g_pJoints[7].y == 12 && g_nPaperSize == kPaperLegal);
    }
    EXPECT_TRUE(backend.Boxes().empty());
}

// The largest model TF3D saves fits; one joint more is refused.
TEST_F(Read3dTest, FourHundredJointsAndNineHundredMembersFit)
{
    auto model = [](int joints, int members) {
        std::ostringstream f;
        f << "Trussforge3D\n4.000000\n10 10 " << joints << " " << members << " 0\n";
        for (int k = 1; k <= joints; ++k)
            f << k << " " << (k - 1) % 20 << ".000000 " << (k - 1) / 20 << ".000000 5.000000 0 0 0 0 0 0 0 0\n";
        for (int k = 1; k <= members; ++k)
            f << k << " " << (k - 1) % joints + 1 << " " << k % joints + 1
              << " 0 0 0 0 0 0 2 1 0 0 1 1 1 1 1 0.5 0.5 0.5\n";
        for (int k = 1; k <= joints; ++k) f << k << " 0 0 0 0 0 0 0 0 0\n";
        for (int r = 1; r <= 10; ++r) f << r << "\nShape " << r << "\n0 0 0.125 0.125 0.015625\n0 0 0 0 0 0\n";
        for (int r = 1; r <= 10; ++r) f << r << "\nWood\n0.5 0.5 0.5\n0 1 1 1\n1 1 1 1\n";
        return f.str();
    };
    ASSERT_EQ(g_pModel->Read3dFile(Write("big.3dd", model(400, 900))), 1);
    EXPECT_TRUE(g_pModel->nJoints == 400 && g_pModel->nMembers == 900 && g_pJoints[400].x == 19 &&
                g_pJoints[400].y == 19 && g_pMembers[900].nJointB == 101);
    EXPECT_TRUE(g_nCols == 3 && g_nRows == 2);  // 20 x 20 in: portrait Letter, 3 x 2
    ASSERT_EQ(g_pModel->Read3dFile(Write("bigger.3dd", model(401, 900))), 0);
    ASSERT_EQ(g_pModel->Read3dFile(Write("bigger.3dd", model(400, 901))), 0);
    ASSERT_EQ(backend.Boxes().size(), 2u);
    EXPECT_EQ(backend.Boxes()[0].text, "ERROR - Not a Trussforge3D File\nThe model has more than 400 joints.");
    EXPECT_EQ(backend.Boxes()[1].text, "ERROR - Not a Trussforge3D File\nThe model has more than 900 members.");
    EXPECT_EQ(g_pModel->nJoints, 400);
}

// Every refusal says why and leaves the
// previous model, its units and its layout as they were.
TEST_F(Read3dTest, RefusedFilesLeaveThePreviousModel)
{
    const std::string metric = ReadText(Example("metric_truss.3dd"));
    const std::string notTf3d = "ERROR - Not a Trussforge3D File";
    const std::string farJoint3 =
        "\nJoint 3 lies too far out to be printed: its coordinates must lie between -1000000 and 1000000.";
    struct Case {
        const char* name;
        std::string text;
        std::string message;  // "" = no box
    };
    const Case cases[] = {
        {"title with a trailing blank", Replace(metric, "Trussforge3D", "Trussforge3D "), notTf3d},
        {"no title", "", notTf3d},
        {"version 3.0", Replace(metric, "4.000000", "3.000000"), "Cannot load version 3.0 file."},
        {"version 3.3", Replace(metric, "4.000000", "3.300000"), "Cannot load version 3.3 file."},
        {"unknown version", Replace(metric, "4.000000", "5.000000"), "Cannot load version 5.0 file."},
        {"version not a number", Replace(metric, "4.000000", "four"), notTf3d + "\nThe version line is malformed."},
        {"short file", metric.substr(0, metric.size() / 3),
         notTf3d + "\nThe file is malformed or ends early at line 26."},
        {"malformed number", Replace(metric, "14.000000 6.000000", "14.000000 6.0x0000"),
         notTf3d + "\nThe file is malformed or ends early at line 5."},
        {"missing joint", Replace(metric, "\n15 9 5 ", "\n15 9 10 "),
         notTf3d + "\nMember 15 refers to a missing joint."},
        {"missing shape", Replace(metric, "0.000000 0.000000 2 4 0 0.000000 1 1 1 1 1 0.741200 0.651000 0.419600\r\n1 ",
                                  "0.000000 0.000000 11 4 0 0.000000 1 1 1 1 1 0.741200 0.651000 0.419600\r\n1 "),
         notTf3d + "\nMember 15 refers to a missing shape."},
        {"negative count", Replace(metric, "10 10 9 15 1", "10 10 -9 15 1"),
         notTf3d + "\nThe file is malformed or ends early at line 3."},
        {"too many shapes", Replace(metric, "10 10 9 15 1", "41 10 9 15 1"),
         notTf3d + "\nThe model has more than 40 shapes."},
        // Beyond what printing can convert to whole hundredths.
        {"joint far out", Replace(metric, "\n3 24.000000", "\n3 1e10"), notTf3d + farJoint3},
        {"joint at the float limit",
         Replace(metric, "6.000000 12.000000 0 0 1 1 1 0 0 0\r\n4", "3e38 12.000000 0 0 1 1 1 0 0 0\r\n4"),
         notTf3d + farJoint3},
        {"joint at the int limit", Replace(metric, "\n3 24.000000", "\n3 2147483647"), notTf3d + farJoint3},
        {"joint behind", Replace(metric, "24.000000 6.000000 12.000000", "24.000000 6.000000 -2147483647"),
         notTf3d + farJoint3},
        {"shape too large", Replace(metric, "1 0 0.635000 0.635000", "1 0 1e7 0.635000"),
         notTf3d + "\nShape 4 is too large to be printed: its height must lie between -1000000 and 1000000."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreateModelTables();
        ASSERT_EQ(g_pModel->Read3dFile(Example("tower.3dd")), 1);
        const float offsetX = g_pModel->fOffsetX;
        backend.Clear();
        EXPECT_EQ(g_pModel->Read3dFile(Write("bad.3dd", c.text)), 0);
        ExpectRefusal(c.message);
        EXPECT_TRUE(g_pModel->nJoints == 8 && g_pModel->nMembers == 17 && g_bEnglishUnits && g_pModel->bEnglish &&
                    g_pJoints[9].x == 0 && g_pJoints[7].x == 4 && g_pMembers[15].nJointA == 3 &&
                    g_pSections[4].fHeight == 0.25f && g_nPaperSize == kPaperLegal && g_pModel->fOffsetX == offsetX);
    }
}

// The same file, number for number, as TF3D's reader takes it
// (tests/files/malformed_model_file_test.cpp checks it on the same table).
TEST_F(Read3dTest, AwkwardNumbersAndAByteOrderMarkReadAsTf3dReadsThem)
{
    const std::string tower = ReadText(Example("tower.3dd"));
    for (const AwkwardNumber& n : AwkwardNumbers()) {
        SCOPED_TRACE(n.text.substr(0, 40));
        backend.Clear();
        ASSERT_EQ(g_pModel->Read3dFile(Write("awkward.3dd", WithField(tower, 11, 3, n.text))), n.read ? 1 : 0);
        if (n.read)
            EXPECT_TRUE(SameBits(g_pMembers[1].fEffLengthYY, n.value)) << g_pMembers[1].fEffLengthYY;
        else
            ExpectRefusal("ERROR - Not a Trussforge3D File\nThe file is malformed or ends early at line 12.");
    }
    backend.Clear();
    EXPECT_EQ(g_pModel->Read3dFile(Write("bom.3dd", "\xEF\xBB\xBF" + tower)), 1);
    ExpectRefusal("");
}

TEST_F(Read3dTest, NoJointsGiveExtentsOfZero)
{
    ASSERT_EQ(g_pModel->Read3dFile(Example("tower.3dd")), 1);
    std::string empty = "Trussforge 3d\n4.0\n0 0 0 0 0\n";
    ASSERT_EQ(g_pModel->Read3dFile(Write("empty.3dd", empty)), 1);
    const CModelData& m = *g_pModel;
    EXPECT_TRUE(m.nJoints == 0 && m.nMembers == 0 && m.fMaxX == 0 && m.fRangeY == 0 && m.fMaxZ == 0);
    // 1 x 1: one landscape Letter tile with the model's corner centred.
    EXPECT_TRUE(g_nCols == 1 && g_nRows == 1 && g_nPageOrient == kLandscape && m.fOffsetX == 5 && m.fOffsetY == 4);
}

// A file that cannot be read at all is refused by both readers with the
// reason, and without blocking on a pipe.
TEST_F(Read3dTest, UnreadableFilesSayWhy)
{
    const std::string pipe = folder + "/pipe.3dd", big = Write("big.3dd", "");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(truncate(big.c_str(), kMaxModelFileBytes + 1), 0);
    const struct {
        std::string path, why;
    } cases[] = {
        {pipe, "It is a pipe, not a file."},
        {"/dev/zero", "It is a device, not a file."},
        {folder, "It is a folder."},
        {big, "It is larger than 16 MB: no model file is that large."},
        {folder + "/none.3dd", "No such file or directory."},
    };
    ASSERT_EQ(g_pModel->Read3dFile(Example("tower.3dd")), 1);
    for (const auto& c : cases)
        for (auto read : {&CModelData::Read3dFile, &CModelData::Read2dFile}) {
            SCOPED_TRACE(c.path);
            backend.Clear();
            EXPECT_EQ((g_pModel->*read)(c.path), 0);
            ASSERT_EQ(backend.Boxes().size(), 1u);
            EXPECT_EQ(backend.Boxes()[0].text, "The model file could not be read:\n" + c.path + "\n" + c.why);
            EXPECT_EQ(backend.Boxes()[0].caption, "Planprint");
            EXPECT_EQ(g_pModel->nMembers, 17);
        }
}
