#include <sys/stat.h>
#include "files/import_2d.h"

#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "tests/common/awkward_numbers.h"
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
        const int a = (m - 1) % (nJoints - 1) + 1;
        s << m << ' ' << a << ' ' << a + 1 << " 0 0.0 0 260\n";
    }
    for (int j = 1; j <= nJoints; ++j) s << j << " 0 0.0 0 0\n";
    return s.str();
}

// TX TY TZ RX RY RZ as six digits.
std::string RestraintsOf(int joint)
{
    const JointRec& j = g_Joints[joint];
    std::string r;
    for (short v : {j.restraintTX, j.restraintTY, j.restraintTZ, j.restraintRX, j.restraintRY, j.restraintRZ})
        r += std::to_string(v);
    return r;
}

class Import2DTest : public Tf3dTest {
protected:
    int ImportText(const std::string& text)
    {
        WriteBytes(path_, text);
        return Import2DModelFile(path_);
    }

    // Marks the state a refused import must leave alone.
    void PlantSentinels()
    {
        std::strcpy(g_Shapes[1].name, "sentinel"); std::strcpy(g_Materials[1].name, "sentinel");
        g_Joints[1].x = 123, g_Members[1].jointA = 77;
        SetMetricUnits(1);
    }
    void ExpectUntouched()
    {
        EXPECT_STREQ(g_Shapes[1].name, "sentinel");
        EXPECT_STREQ(g_Materials[1].name, "sentinel");
        EXPECT_EQ(Mismatches({{g_nJoints, 0}, {g_nMembers, 0}, {g_Joints[1].x, 123}, {g_Members[1].jointA, 77},
                              {g_bMetricUnits, 1}}), "");
    }

    TempFolder dir_{"tf3d_import2d"};
    std::string path_ = dir_ / "model.tfd";
};

TEST_F(Import2DTest, PanelWithEveryScaleCodeSupportsMembersAndLoadsInAnyLocale)
{
    struct Case { const char* file; int metric; float factor; };
    const Case cases[] = {{"panel_117.tfd", 0, 1.0f / 40}, {"panel_118.tfd", 0, 2.0f / 40},
                          {"panel_156.tfd", 1, 1.0f / 16}, {"panel_157.tfd", 1, 1.0f / 8}};
    const float drawX[] = {0, 40, 80, 120, 160}, drawDown[] = {0, 80, 0, 40, 0};  // largest y - y
    // support codes 1 1 1, 0 1 1, 0 1 0, 0 0 1, 1 0 0; load lines give the y force, then the x force
    const char* restraints[] = {"111111", "111000", "011100", "101010", "000000"};
    const float fy[] = {0, -10.5f, 0, -1, 0}, fx[] = {0, 0, 2.25f, -3, 0};
    const short a[] = {1, 2, 3, 1, 2, 4}, b[] = {2, 3, 4, 3, 4, 5};
    const CommaLocale comma;  // numbers are read with a point whatever the locale
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ClearModel();
        SetMetricUnits(!c.metric);
        g_fDefaultColorR = 0.25f, g_fDefaultColorB = 0.75f;
        ASSERT_EQ(Import2DModelFile(DataPath(c.file)), 1);
        // the built-in tables of the model's unit system replace whatever was there
        EXPECT_EQ(Mismatches({{g_nJoints, 5}, {g_nMembers, 6}, {g_bMetricUnits, c.metric}, {g_bUnitsUS, 1 - c.metric},
                              {g_Shapes[1].metricRow, c.metric}, {g_Materials[1].metricRow, c.metric}}), "");
        for (int i = 1; i <= 5; ++i) {
            const JointRec& j = g_Joints[i];
            EXPECT_FLOAT_EQ(j.x, drawX[i - 1] * c.factor);
            EXPECT_FLOAT_EQ(j.y - 4, drawDown[i - 1] * c.factor);
            EXPECT_EQ(RestraintsOf(i), restraints[i - 1]);
            EXPECT_EQ(Mismatches({{j.z, 10}, {j.forceY, fy[i - 1]}, {j.forceX, fx[i - 1]}, {j.forceZ, 0},
                                  {j.translatedX, 1}}), "") << "joint " << i;
        }
        for (int i = 1; i <= 6; ++i) {
            const MemberRec& m = g_Members[i];
            EXPECT_EQ(Mismatches({{m.jointA, a[i - 1]}, {m.jointB, b[i - 1]},
                                  {m.useTorsion + m.momentYY1 + m.momentZZ1 + m.momentYY2 + m.momentZZ2, 5},
                                  {m.colorR, 0.25f}, {m.colorB, 0.75f}}), "") << "member " << i;
        }
        // the effective length is kept unscaled; any non-zero value is the user's
        EXPECT_EQ(Mismatches({{g_Members[2].effLengthYY, 2.5f}, {g_Members[2].userEffYY, 1},
                              {g_Members[6].effLengthYY, -1.5f}, {g_Members[6].userEffYY, 1},
                              {g_Members[1].userEffYY, 0}}), "");
    }
}

TEST_F(Import2DTest, TypeCodesPickMaterialAndShape)
{
    ASSERT_EQ(Import2DModelFile(DataPath("type_codes.tfd")), 1);
    // 136 257 260 261 262 265 266 267 279 280 296 297 298, then 0 and -136 (unknown)
    const short material[] = {8, 7, 1, 4, 8, 1, 4, 7, 10, 10, 1, 4, 7, 1, 1};
    const short shape[] = {2, 2, 2, 2, 1, 4, 4, 4, 1, 2, 3, 3, 3, 2, 2};
    ASSERT_EQ(g_nMembers, 15);
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(Mismatches({{g_Members[i].material, material[i - 1]}, {g_Members[i].shape, shape[i - 1]}}), "")
            << "member " << i;
}

TEST_F(Import2DTest, AllNegativeYKeepsZeroAsTopWindowsLineEndsAndGluedNumbers)
{
    ASSERT_EQ(Import2DModelFile(DataPath("negative_y_crlf.tfd")), 1);
    EXPECT_EQ(RestraintsOf(2), "101010");
    EXPECT_EQ(Mismatches({{g_bMetricUnits, 1}, {g_nJoints, 3}, {g_Members[1].material, 10},
                          {g_Members[1].effLengthYY, 4}, {g_Members[2].jointA, 3}, {g_Joints[3].forceY, 0.55f},
                          {g_Joints[3].forceX, -0.5f}}), "");
    EXPECT_FLOAT_EQ(g_Joints[1].x, -1);
    EXPECT_FLOAT_EQ(g_Joints[1].y, 6);
    EXPECT_FLOAT_EQ(g_Joints[3].y, 8);
    // numbers run together split at the sign
    ClearModel();
    ASSERT_EQ(Import2DModelFile(DataPath("glued.tfd")), 1);
    EXPECT_EQ(Mismatches({{g_Members[1].effLengthYY, 12.5f}, {g_Members[1].material, 8}, {g_Joints[1].forceY, -2.5f},
                          {g_Joints[1].forceX, -10}, {g_Joints[2].forceY, 1}, {g_Joints[2].forceX, -0.25f}}), "");
    EXPECT_FLOAT_EQ(g_Joints[2].y, 4.4f);
}

TEST_F(Import2DTest, EmptyModelAndFullTables)
{
    ASSERT_EQ(ImportText("nothing\n0 0 0 0 156\n"), 1);
    EXPECT_EQ(Mismatches({{g_nJoints, 0}, {g_bMetricUnits, 1}, {g_Shapes[3].metricRow, 1}}), "");
    ClearModel();
    ASSERT_EQ(ImportText(BigModel(MAX_MEMBERS, MAX_JOINTS)), 1);
    EXPECT_EQ(Mismatches({{g_nJoints, MAX_JOINTS}, {g_nMembers, MAX_MEMBERS},
                          {g_Members[MAX_MEMBERS].jointB, (MAX_MEMBERS - 1) % (MAX_JOINTS - 1) + 2}}), "");
    EXPECT_FLOAT_EQ(g_Joints[MAX_JOINTS].x, MAX_JOINTS * 10 / 40.0f);
    ExpectConsistentModel();
}

TEST_F(Import2DTest, BadFilesLeaveTheModelAlone)
{
    PlantSentinels();
    EXPECT_EQ(Import2DModelFile(DataPath("no_such_file.tfd")), 0);
    ExpectUntouched();
    // special files are refused without waiting for a writer or reading for ever
    TempFolder dir("import_2d_fifo");
    const std::string fifo = dir / "fifo.tfd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.path}) {
        EXPECT_EQ(Import2DModelFile(path), 0);
        ExpectUntouched();
    }
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

// The same file, number for number, as Planprint's 2D reader takes it
// (tests/planprint/read_2d_test.cpp checks it on the same table).
TEST_F(Import2DTest, AwkwardAndGluedNumbersAndAByteOrderMarkReadAsPlanprintReadsThem)
{
    const std::string pratt = ReadBytes(std::string(TF3D_SOURCE_DIR) + "/examples/pratt_truss.tfd");
    for (const AwkwardNumber& n : AwkwardNumbers()) {
        SCOPED_TRACE(n.text.substr(0, 40));
        ClearModel();
        PlantSentinels();
        WriteBytes(path_, WithField(pratt, 15, 5, n.text));
        std::string why;
        ASSERT_EQ(Import2DModelFile(path_, &why), n.read ? 1 : 0);
        if (n.read) {
            EXPECT_TRUE(SameBits(g_Members[1].effLengthYY, n.value)) << g_Members[1].effLengthYY;
        } else {
            EXPECT_EQ(why, "The file is malformed or ends early at line 16.");
            ExpectUntouched();
        }
    }
    std::string glued = pratt;
    glued.replace(glued.find("\n1 1 2 0 0.0 0 257\n"), 19, "\n1 1 2 0-1.5 12.5 257\n");
    ASSERT_EQ(ImportText("\xEF\xBB\xBF" + glued), 1);
    EXPECT_TRUE(g_Members[1].effLengthYY == 12.5f && g_Members[1].material == 7);
}

TEST_F(Import2DTest, TruncatedFilesAndHugeLines)
{
    const std::string full = ReadBytes(DataPath("panel_117.tfd"));
    std::vector<size_t> ends = {0};
    for (size_t p = full.find('\n'); p != std::string::npos; p = full.find('\n', p + 1)) ends.push_back(p + 1);
    ASSERT_EQ(ends.size(), 19u);
    PlantSentinels();
    for (size_t keep = 0; keep + 1 < ends.size(); ++keep) {
        EXPECT_EQ(ImportText(full.substr(0, ends[keep])), 0) << "lines kept: " << keep;
        ExpectUntouched();
    }
    EXPECT_EQ(ImportText(full), 1);
    // a huge title line is skipped, unless it never ends; a huge counts line is refused
    ASSERT_EQ(ImportText(std::string(3 << 20, 'T') + Tiny().substr(1)), 1);
    EXPECT_FLOAT_EQ(g_Joints[2].x, 1 / 40.0f);
    ClearModel();
    PlantSentinels();
    EXPECT_EQ(ImportText(std::string(3 << 20, 'T')), 0);  // no line end at all
    ExpectUntouched();
    const std::string blanks(2 << 20, ' ');
    EXPECT_EQ(ImportText("t\n" + blanks + "1 2 0 0 117" + blanks), 0);
    ExpectUntouched();
}

TEST_F(Import2DTest, RandomBytesNeverCorruptTheTables)
{
    std::mt19937 rng(20240611);
    const std::string valid = ReadBytes(DataPath("panel_117.tfd"));
    for (int round = 0; round < 400; ++round) {
        // pure noise, sometimes behind a plausible header, or a valid file with a few bytes changed
        std::string text = round % 2 ? valid : round % 4 ? "" : "t\n3 4 0 0 118\n";
        if (round % 2) {
            for (int k = 0; k < 3; ++k) text[rng() % text.size()] = static_cast<char>(rng() % 256);
        } else {
            for (size_t i = 0, n = rng() % 600; i < n; ++i) text += static_cast<char>(rng() % 256);
        }
        ClearModel();
        PlantSentinels();
        SCOPED_TRACE("round " + std::to_string(round));
        if (ImportText(text) == 1) {
            ExpectConsistentModel();
            EXPECT_STREQ(g_Shapes[1].name, "3/32x3/32");
        } else {
            ExpectUntouched();
        }
    }
}

}  // namespace
