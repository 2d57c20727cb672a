#include "files/import_2d.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "frame/frame_globals.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

std::string DataPath(const char* name) { return std::string(TF3D_TEST_DATA) + "/import_2d/" + name; }

// Two joints and one member; the parts under test replaced.
std::string Tiny(const std::string& counts = "1 2 0 0 117", const std::string& member = "1 1 2 0 0 0 136")
{
    return "t\n" + counts + "\n1 0 0 0 0 0\n2 1 1 0 0 0\n" + member + "\n1 0 0 0 0\n2 0 0 0 0\n";
}

// A model of nJoints joints on a row and nMembers members between neighbours.
std::string BigModel(int nMembers, int nJoints)
{
    std::ostringstream s;
    s << "big\n" << nMembers << ' ' << nJoints << " 0 0 117\n";
    for (int j = 1; j <= nJoints; ++j) s << j << ' ' << j * 10 << " 0 0 0 0\n";
    for (int m = 1; m <= nMembers; ++m) {
        int a = (m - 1) % (nJoints - 1) + 1;
        s << m << ' ' << a << ' ' << a + 1 << " 0 0.0 0 260\n";
    }
    for (int j = 1; j <= nJoints; ++j) s << j << " 0 0.0 0 0\n";
    return s.str();
}

struct Restraints { short tx, ty, tz, rx, ry, rz; };

void ExpectRestraints(int joint, Restraints r)
{
    const JointRec& j = g_Joints[joint];
    EXPECT_TRUE(j.restraintTX == r.tx && j.restraintTY == r.ty && j.restraintTZ == r.tz && j.restraintRX == r.rx &&
                j.restraintRY == r.ry && j.restraintRZ == r.rz)
        << "joint " << joint << ": " << j.restraintTX << j.restraintTY << j.restraintTZ << j.restraintRX
        << j.restraintRY << j.restraintRZ;
}

class Import2DTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ClearModel();
        path_ = ::testing::TempDir() + "import2d_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".tfd";
    }
    void TearDown() override
    {
        std::remove(path_.c_str());
        Tf3dTest::TearDown();
    }

    int ImportText(const std::string& text)
    {
        WriteBytes(path_, text);
        return Import2DModelFile(path_);
    }

    // Marks the state a refused import must leave alone.
    void PlantSentinels()
    {
        std::strcpy(g_Shapes[1].name, "sentinel");
        std::strcpy(g_Materials[1].name, "sentinel");
        g_Joints[1].x = 123;
        g_Members[1].jointA = 77;
        SetMetricUnits(1);
    }
    void ExpectUntouched()
    {
        EXPECT_EQ(g_nJoints, 0);
        EXPECT_EQ(g_nMembers, 0);
        EXPECT_STREQ(g_Shapes[1].name, "sentinel");
        EXPECT_STREQ(g_Materials[1].name, "sentinel");
        EXPECT_EQ(g_Joints[1].x, 123);
        EXPECT_EQ(g_Members[1].jointA, 77);
        EXPECT_EQ(g_bMetricUnits, 1);
    }
    // After any accepted import every reference stays inside the tables.
    void ExpectConsistent()
    {
        ASSERT_TRUE(g_nJoints >= 0 && g_nJoints <= MAX_JOINTS) << g_nJoints;
        ASSERT_TRUE(g_nMembers >= 0 && g_nMembers <= MAX_MEMBERS) << g_nMembers;
        for (int i = 1; i <= g_nMembers; ++i) {
            const MemberRec& m = g_Members[i];
            EXPECT_TRUE(m.jointA >= 1 && m.jointA <= g_nJoints && m.jointB >= 1 && m.jointB <= g_nJoints) << i;
            EXPECT_TRUE(m.shape >= 1 && m.shape <= USER_TABLE_ROWS) << i;
            EXPECT_TRUE(m.material >= 1 && m.material <= USER_TABLE_ROWS) << i;
        }
    }

    std::string path_;
};

// ---- reading ----

TEST_F(Import2DTest, ScaleCodesSetUnitsAndFactor)
{
    struct Case { const char* file; int metric; float factor; };
    const Case cases[] = {
        {"panel_117.tfd", 0, 1.0f / 40}, {"panel_118.tfd", 0, 2.0f / 40},
        {"panel_156.tfd", 1, 1.0f / 16}, {"panel_157.tfd", 1, 1.0f / 8},
    };
    const float drawX[] = {0, 40, 80, 120, 160};
    const float drawDown[] = {0, 80, 0, 40, 0};  // largest y - y
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ClearModel();
        SetMetricUnits(!c.metric);
        ASSERT_EQ(Import2DModelFile(DataPath(c.file)), 1);
        EXPECT_EQ(g_nJoints, 5);
        EXPECT_EQ(g_nMembers, 6);
        EXPECT_EQ(g_bMetricUnits, c.metric);
        EXPECT_EQ(g_bUnitsUS, 1 - c.metric);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_FLOAT_EQ(g_Joints[i].x, drawX[i - 1] * c.factor);
            EXPECT_FLOAT_EQ(g_Joints[i].y - 4, drawDown[i - 1] * c.factor);
            EXPECT_EQ(g_Joints[i].z, 10);
        }
        // the built-in tables of the model's unit system replace whatever was there
        EXPECT_EQ(g_Shapes[1].metricRow, c.metric);
        EXPECT_EQ(g_Materials[1].metricRow, c.metric);
        EXPECT_STREQ(g_Materials[10].name, "BassD2");
    }
}

TEST_F(Import2DTest, PanelSupportsMembersAndLoads)
{
    g_fDefaultColorR = 0.25f;
    g_fDefaultColorG = 0.5f;
    g_fDefaultColorB = 0.75f;
    ASSERT_EQ(Import2DModelFile(DataPath("panel_117.tfd")), 1);
    // support codes 1 1 1, 0 1 1, 0 1 0, 0 0 1, 1 0 0
    ExpectRestraints(1, {1, 1, 1, 1, 1, 1});
    ExpectRestraints(2, {1, 1, 1, 0, 0, 0});
    ExpectRestraints(3, {0, 1, 1, 1, 0, 0});
    ExpectRestraints(4, {1, 0, 1, 0, 1, 0});
    ExpectRestraints(5, {0, 0, 0, 0, 0, 0});

    const short a[] = {1, 2, 3, 1, 2, 4}, b[] = {2, 3, 4, 3, 4, 5};
    for (int i = 1; i <= 6; ++i) {
        const MemberRec& m = g_Members[i];
        SCOPED_TRACE("member " + std::to_string(i));
        EXPECT_EQ(m.jointA, a[i - 1]);
        EXPECT_EQ(m.jointB, b[i - 1]);
        EXPECT_EQ(m.useTorsion + m.momentYY1 + m.momentZZ1 + m.momentYY2 + m.momentZZ2, 5);
        EXPECT_EQ(m.colorR, 0.25f);
        EXPECT_EQ(m.colorB, 0.75f);
    }
    // the effective length is kept unscaled; any non-zero value is the user's
    EXPECT_EQ(g_Members[2].effLengthYY, 2.5f);
    EXPECT_EQ(g_Members[2].userEffYY, 1);
    EXPECT_EQ(g_Members[6].effLengthYY, -1.5f);
    EXPECT_EQ(g_Members[6].userEffYY, 1);
    EXPECT_EQ(g_Members[1].userEffYY, 0);

    // load lines give the y force, then the x force
    const float fy[] = {0, -10.5f, 0, -1, 0}, fx[] = {0, 0, 2.25f, -3, 0};
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE("joint " + std::to_string(i));
        EXPECT_EQ(g_Joints[i].forceY, fy[i - 1]);
        EXPECT_EQ(g_Joints[i].forceX, fx[i - 1]);
        EXPECT_EQ(g_Joints[i].forceZ, 0);
        EXPECT_EQ(g_Joints[i].translatedX, 1);
    }
}

TEST_F(Import2DTest, TypeCodesPickMaterialAndShape)
{
    ASSERT_EQ(Import2DModelFile(DataPath("type_codes.tfd")), 1);
    // 136 257 260 261 262 265 266 267 279 280 296 297 298, then 0 and -136 (unknown)
    const short material[] = {8, 7, 1, 4, 8, 1, 4, 7, 10, 10, 1, 4, 7, 1, 1};
    const short shape[] = {2, 2, 2, 2, 1, 4, 4, 4, 1, 2, 3, 3, 3, 2, 2};
    ASSERT_EQ(g_nMembers, 15);
    for (int i = 1; i <= 15; ++i) {
        EXPECT_EQ(g_Members[i].material, material[i - 1]) << "member " << i;
        EXPECT_EQ(g_Members[i].shape, shape[i - 1]) << "member " << i;
    }
}

TEST_F(Import2DTest, AllNegativeYKeepsZeroAsTopAndWindowsLineEndsRead)
{
    ASSERT_EQ(Import2DModelFile(DataPath("negative_y_crlf.tfd")), 1);
    EXPECT_EQ(g_bMetricUnits, 1);
    ASSERT_EQ(g_nJoints, 3);
    EXPECT_FLOAT_EQ(g_Joints[1].x, -1);
    EXPECT_FLOAT_EQ(g_Joints[1].y, 6);
    EXPECT_FLOAT_EQ(g_Joints[3].y, 8);
    ExpectRestraints(2, {1, 0, 1, 0, 1, 0});
    EXPECT_EQ(g_Members[1].material, 10);
    EXPECT_EQ(g_Members[1].effLengthYY, 4);
    EXPECT_EQ(g_Members[2].jointA, 3);
    EXPECT_EQ(g_Joints[3].forceY, 0.55f);
    EXPECT_EQ(g_Joints[3].forceX, -0.5f);
}

TEST_F(Import2DTest, NumbersRunTogetherSplitAtTheSign)
{
    ASSERT_EQ(Import2DModelFile(DataPath("glued.tfd")), 1);
    EXPECT_EQ(g_Members[1].effLengthYY, 12.5f);
    EXPECT_EQ(g_Members[1].material, 8);
    EXPECT_EQ(g_Joints[1].forceY, -2.5f);
    EXPECT_EQ(g_Joints[1].forceX, -10);
    EXPECT_EQ(g_Joints[2].forceY, 1);
    EXPECT_EQ(g_Joints[2].forceX, -0.25f);
    EXPECT_FLOAT_EQ(g_Joints[2].y, 4.4f);
}

TEST_F(Import2DTest, EmptyModelAndFullTables)
{
    ASSERT_EQ(ImportText("nothing\n0 0 0 0 156\n"), 1);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_Shapes[3].metricRow, 1);

    ClearModel();
    ASSERT_EQ(ImportText(BigModel(MAX_MEMBERS, MAX_JOINTS)), 1);
    EXPECT_EQ(g_nJoints, MAX_JOINTS);
    EXPECT_EQ(g_nMembers, MAX_MEMBERS);
    EXPECT_EQ(g_Members[MAX_MEMBERS].jointB, (MAX_MEMBERS - 1) % (MAX_JOINTS - 1) + 2);
    EXPECT_FLOAT_EQ(g_Joints[MAX_JOINTS].x, MAX_JOINTS * 10 / 40.0f);
    ExpectConsistent();
}

TEST_F(Import2DTest, NumbersReadWithAPointInACommaLocale)
{
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) { comma = name; break; }
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
    const int result = Import2DModelFile(DataPath("panel_117.tfd"));
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(g_Members[2].effLengthYY, 2.5f);
    EXPECT_EQ(g_Joints[3].forceX, 2.25f);
}

// ---- refused files ----

TEST_F(Import2DTest, BadFilesLeaveTheModelAlone)
{
    PlantSentinels();
    EXPECT_EQ(Import2DModelFile(DataPath("no_such_file.tfd")), 0);
    ExpectUntouched();
    std::vector<std::string> bad = {BigModel(MAX_MEMBERS + 1, MAX_JOINTS), BigModel(10, MAX_JOINTS + 1),
                                    Tiny("1 2 0 0 117", "1 1 2 0 0 0." + std::string(5000, '7') + " 136")};
    // unknown scale codes and counts out of range
    for (const char* counts : {"1 2 0 0 0", "1 2 0 0 116", "1 2 0 0 119", "1 2 0 0 155", "1 2 0 0 158",
                               "1 2 0 0 -117", "-1 2 0 0 117", "1 -2 0 0 117", "32768 2 0 0 117",
                               "1 65538 0 0 117", "1 99999999999 0 0 117"})
        bad.push_back(Tiny(counts));
    // member ends outside the model and malformed numbers
    for (const char* member : {"1 0 2 0 0 0 136", "1 1 0 0 0 0 136", "1 3 1 0 0 0 136", "1 2 3 0 0 0 136",
                               "1 -1 2 0 0 0 136", "1 1 32769 0 0 0 136", "1 65537 2 0 0 0 136",
                               "1 1 2 0 0 nan 136", "1 1 2 0 0 1e39 136", "1 1 2 0 0 1e 136",
                               "1 1 2 0 0 1,5 136", "1 1 2 0 0 0 2147483648", "1 1.5 2 0 0 0 136"})
        bad.push_back(Tiny("1 2 0 0 117", member));
    for (const std::string& text : bad) {
        SCOPED_TRACE(text.substr(0, 60));
        EXPECT_EQ(ImportText(text), 0);
        ExpectUntouched();
    }
    // a member on one joint is the model checks' business, not the reader's
    EXPECT_EQ(ImportText(Tiny("1 2 0 0 117", "1 2 2 0 0 0 136")), 1);
    // tiny values read as zero rather than refusing the file
    EXPECT_EQ(ImportText(Tiny("1 2 0 0 117", "1 1 2 0 0 1e-60 136")), 1);
    EXPECT_EQ(g_Members[1].effLengthYY, 0);
}

TEST_F(Import2DTest, TruncatedAtEveryLineIsRefused)
{
    const std::string full = ReadBytes(DataPath("panel_117.tfd"));
    std::vector<size_t> ends = {0};
    for (size_t p = full.find('\n'); p != std::string::npos; p = full.find('\n', p + 1)) ends.push_back(p + 1);
    ASSERT_EQ(ends.size(), 19u);
    PlantSentinels();
    for (size_t keep = 0; keep + 1 < ends.size(); ++keep) {
        SCOPED_TRACE("lines kept: " + std::to_string(keep));
        EXPECT_EQ(ImportText(full.substr(0, ends[keep])), 0);
        ExpectUntouched();
    }
    EXPECT_EQ(ImportText(full), 1);
}

TEST_F(Import2DTest, HugeTitleLineIsSkipped)
{
    const std::string body = "1 2 0 0 117\n1 0 0 0 0 0\n2 40 0 0 0 0\n1 1 2 0 0 0 136\n"
                             "1 0 0 0 0\n2 0 0 0 0\n";
    ASSERT_EQ(ImportText(std::string(3 << 20, 'T') + "\n" + body), 1);
    EXPECT_FLOAT_EQ(g_Joints[2].x, 1);
    ClearModel();
    PlantSentinels();
    EXPECT_EQ(ImportText(std::string(3 << 20, 'T')), 0);  // no line end at all
    ExpectUntouched();
    std::string blanks(2 << 20, ' ');
    EXPECT_EQ(ImportText("t\n" + blanks + "1 2 0 0 117" + blanks), 0);
    ExpectUntouched();
}

TEST_F(Import2DTest, RandomBytesNeverCorruptTheTables)
{
    std::mt19937 rng(20240611);
    const std::string valid = ReadBytes(DataPath("panel_117.tfd"));
    for (int round = 0; round < 400; ++round) {
        std::string text;
        if (round % 2 == 0) {
            // pure noise, sometimes behind a plausible header
            if (round % 4 == 0) text = "t\n3 4 0 0 118\n";
            const size_t n = rng() % 600;
            for (size_t i = 0; i < n; ++i) text += static_cast<char>(rng() % 256);
        } else {
            // a valid file with a few bytes changed
            text = valid;
            for (int k = 0; k < 3; ++k) text[rng() % text.size()] = static_cast<char>(rng() % 256);
        }
        ClearModel();
        PlantSentinels();
        SCOPED_TRACE("round " + std::to_string(round));
        if (ImportText(text) == 1) {
            ExpectConsistent();
            EXPECT_STREQ(g_Shapes[1].name, "3/32x3/32");
        } else {
            ExpectUntouched();
        }
    }
}

}  // namespace
