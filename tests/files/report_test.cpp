#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "files/report.h"
#include "frame/analysis_command.h"
#include "model/defaults.h"
#include "model/templates.h"
#include "state/files_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

using platform::SaveResult;

// Tuesday, December 8, 2026, 03:11 local time.
std::tm FixedTime()
{
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 8, t.tm_wday = 2, t.tm_yday = 341, t.tm_hour = 3, t.tm_min = 11;
    return t;
}

class ReportTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        SetReportClock(FixedTime);
    }
    void TearDown() override
    {
        SetReportClock({});
        Tf3dTest::TearDown();
    }

    // Writes the report and returns its lines, each ended by CR LF.
    std::vector<std::string> WriteAndRead()
    {
        EXPECT_EQ(WriteOutputFile(path_), SaveResult::Saved);
        return CrlfLines(path_);
    }

    TempFolder dir_{"tf3d_report"};
    std::string path_ = dir_ / "report.txt";
};

// Restraints as six digits: TX TY TZ RX RY RZ.
void SetJoint(int j, float x, float y, float z, const char* r)
{
    JointRec& jt = g_Joints[j];
    jt.x = x; jt.y = y; jt.z = z;
    jt.restraintTX = r[0] - '0'; jt.restraintTY = r[1] - '0'; jt.restraintTZ = r[2] - '0';
    jt.restraintRX = r[3] - '0'; jt.restraintRY = r[4] - '0'; jt.restraintRZ = r[5] - '0';
}

// Joints, shape, material and the six capacities of a member.
void SetMember(int i, int a, int b, int shape, int material, std::initializer_list<float> c)
{
    MemberRec& m = g_Members[i];
    m.jointA = a; m.jointB = b; m.shape = shape; m.material = material;
    const float* v = c.begin();
    m.ultTension = v[0]; m.ultCompression = v[1]; m.ultBendZZ = v[2];
    m.ultBendYY = v[3]; m.ultShear = v[4]; m.ultTorsion = v[5];
}

void SetResults(int i, std::initializer_list<float> f, std::initializer_list<float> r1,
                std::initializer_list<float> r2)
{
    std::copy(f.begin(), f.end(), g_Members[i].endForces);
    std::copy(r1.begin(), r1.end(), g_Members[i].ratios1);
    std::copy(r2.begin(), r2.end(), g_Members[i].ratios2);
}

void SetShape(int row, const char* name, float h, float w, float area, float spacing, float ix, float iy,
              float iz, float sy, float sz)
{
    ShapeRec& s = g_Shapes[row];
    std::strcpy(s.name, name);
    s.height = h; s.width = w; s.area = area; s.spacing = spacing;
    s.torsionConst = ix; s.inertiaYY = iy; s.inertiaZZ = iz; s.modulusYY = sy; s.modulusZZ = sz;
}

void SetMaterial(int row, const char* name, float density, float e, float g, float ft, float fc, float fb,
                 float fv)
{
    MaterialRec& m = g_Materials[row];
    std::strcpy(m.name, name);
    m.density = density; m.youngsModulus = e; m.shearModulus = g;
    m.ultTensionStress = ft; m.ultCompressionStress = fc; m.ultBendingStress = fb; m.ultShearStress = fv;
}

// Three members of a 3-4-5 triangle and a stray joint whose x overflows its
// column. Member lengths are left at their constructed value: the report
// has to recompute them.
void BuildUsModel(bool analysed)
{
    SetMetricUnits(0);
    g_strModelFileName = "bridge-us.3dd";
    SetShape(1, "1/8x1/4 Spruce strip", 0.25f, 0.125f, 0.04f, 0, 0.000125f, 0.00004f, 0.00016f, 0.00065f,
             0.0013f);
    SetShape(2, "1/4 sq", 0.25f, 0.25f, 0.0625f, 0.5f, 0.00055f, 0.000325f, 0.000325f, 0.0026f, 0.0026f);
    SetMaterial(1, "Basswood Premium", 28, 1000000, 62500, 6600, 4550, 8300, 990);
    SetMaterial(2, "Balsa", 10, 400000, 25000, 1000, 1000, 2500, 200);
    g_nJoints = 4;
    SetJoint(1, 0, 0, 0, "111111");
    SetJoint(2, 4, 0, 0, "011000");
    SetJoint(3, 4, 3, 0, "001000");
    SetJoint(4, 1234567.5f, -2.5f, 99.99f, "111111");
    g_Joints[3].forceX = 2.25f, g_Joints[3].forceY = -10.5f, g_Joints[3].translatedY = 1;
    g_Joints[4].forceZ = -0.0725f;
    g_nMembers = 3;
    SetMember(1, 1, 2, 2, 1, {412.5f, 284.25f, 21.5f, 21.5f, 41.25f, 1.25f});
    SetMember(2, 2, 3, 2, 1, {412.5f, 301.5f, 21.5f, 21.5f, 41.25f, 1.25f});
    SetMember(3, 1, 3, 1, 2, {12345678.0f, 5.5f, 3.25f, 1.75f, 4.25f, 0.5f});
    g_Members[3].userEffZZ = 1, g_Members[3].effLengthZZ = 2.5f;
    if (!analysed) return;
    SetResults(1, {-5.25f, 0.5f, 0, 0, 0, 1.75f, 5.25f, -0.5f, 0, 0, 0, 0.25f},
               {-0.25f, 0.5f, 0, 0, 0, 0, 0.75f, 0}, {-0.25f, 0.25f, 0, 0, 0, 0, 0.5f, 0});
    SetResults(2, {12345.5f, -1.5f, 0.25f, -0.75f, 2.5f, 12345.5f, 3.75f, 1.5f, -0.25f, 0.75f, -2.5f, -0.5f},
               {43.5f, 100, 0.25f, -0.5f, 0.5f, -0.75f, 143.75f, -0.25f}, {-12.5f, -99.99f, 9.75f, 0, 0, 0, 22.25f, 0});
    SetResults(3, {8.75f, 0, 0, 0, 0, 0, -8.75f, 0, 0, 0, 0, 0}, {1.5f, 0, 0, 0, 0, 0, 1.5f, 0},
               {1.5f, 0, 0, 0, 0, 0, 1.5f, 0});
    g_bMemberResultsValid = g_bJointResultsValid = 1;
}

void BuildMetricModel(bool analysed)
{
    SetMetricUnits(1);
    g_strModelFileName = "metric model.3dd";
    SetShape(1, "1/8x1/8", 0.3175f, 0.3175f, 0.1008f, 0, 0.00143f, 0.00085f, 0.00085f, 0.00533f, 0.00533f);
    SetMaterial(1, "BalsaD2", 0.03f, 482000, 30100, 2206, 1586, 4206, 192);  // a few grams: 5.39
    g_nJoints = 3;
    SetJoint(1, 0, 0, 0, "111111");
    SetJoint(2, 10, 0, 0, "011111");
    SetJoint(3, 10, 7.5f, 0, "001001");
    g_Joints[3].forceY = -44.5f, g_Joints[3].forceZ = 1.25f;
    g_Joints[3].translatedX = g_Joints[3].translatedZ = 1;
    g_nMembers = 2;
    SetMember(1, 1, 2, 1, 1, {222.5f, 159.75f, 22.25f, 22.25f, 13.5f, 0.75f});
    SetMember(2, 2, 3, 1, 1, {222.5f, 98.5f, 22.25f, 22.25f, 13.5f, 0.75f});
    g_bModelFailed = 1;
    if (!analysed) return;
    SetResults(1, {-44.5f, 0, 0, 0, 0, 0, 44.5f, 0, 0, 0, 0, 0}, {-0.2f, 0, 0, 0, 0, 0, 0.2f, 0},
               {-0.2f, 0, 0, 0, 0, 0, 0.2f, 0});
    SetResults(2, {1.25f, -2.5f, 0.5f, 0, -3.75f, 6.25f, -1.25f, 2.5f, -0.5f, 0, 3.75f, -6.25f},
               {1.25f, 0.28f, 0.17f, -0.19f, 0.04f, 0, 1.7f, -0.15f},
               {-0.01f, -0.28f, -0.17f, 0.19f, -0.04f, 0, 0.46f, 0.19f});
    g_bMemberResultsValid = g_bJointResultsValid = 1;
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
}

// A numbered section: rows 1..rows in order, a dash / repeated header / dash
// block before every eighth row, and an empty line after the last.
void ExpectNumberedSection(const std::vector<std::string>& lines, const std::string& title,
                           const std::string& repeated, std::size_t headerLines, int dashes, int rows)
{
    const std::size_t t = IndexOf(lines, title);
    ASSERT_LT(t + 3 + headerLines, lines.size()) << title;
    const std::string dash(static_cast<std::size_t>(dashes), '-');
    EXPECT_EQ(lines[t - 2] + lines[t - 1] + lines[t + 1], "") << title;
    std::size_t k = t + 2 + headerLines;
    EXPECT_EQ(lines[k++], dash) << title;
    for (int row = 1; row <= rows; ++row, ++k) {
        if (row > 1 && (row - 1) % 7 == 0) {
            ASSERT_LT(k + 2, lines.size());
            EXPECT_EQ(lines[k] + "|" + lines[k + 1] + "|" + lines[k + 2], dash + "|" + repeated + "|" + dash)
                << title << " before row " << row;
            k += 3;
        }
        ASSERT_LT(k, lines.size());
        char number[8];
        std::snprintf(number, sizeof number, " %03d", row);
        EXPECT_EQ(lines[k].compare(0, 4, number), 0) << title << ": " << lines[k];
    }
    EXPECT_TRUE(k >= lines.size() || lines[k].empty()) << title;
}

std::vector<std::string> Expected(const char* file)
{
    const auto lines = SplitLines(ReadBytes(std::string(TF3D_TEST_DATA) + "/report/" + file));
    EXPECT_FALSE(lines.empty()) << file;
    return lines;
}

}  // namespace

TEST_F(ReportTest, ModelsMatchHandDerivedTextsInAnyLocale)
{
    const CommaLocale comma;  // numbers keep the point whatever the user's locale
    const locale_t before = uselocale((locale_t)0);
    struct Case { void (*build)(bool); bool analysed, chosen; const char* file; };
    const Case cases[] = {{BuildUsModel, true, false, "us_analysed.txt"},
                          {BuildUsModel, false, false, "us_no_analysis.txt"},
                          {BuildMetricModel, true, false, "metric_analysed.txt"},  // failed analysis
                          {BuildMetricModel, false, true, "metric_selected_no_analysis.txt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ResetAllGlobals();
        c.build(c.analysed);
        if (c.chosen) g_bOutJointData = g_bOutMaterialData = g_bOutUltimateForces = 0;
        ExpectSameLines(WriteAndRead(), Expected(c.file));
        EXPECT_EQ(uselocale((locale_t)0), before);
    }
}

TEST_F(ReportTest, EverySwitchOffWritesTheHeaderOnly)
{
    BuildUsModel(true);
    g_bOutJointData = g_bOutMemberData = g_bOutMaterialData = g_bOutShapeData = g_bOutLoadData = 0;
    g_bOutBillOfMaterials = g_bOutUltimateForces = g_bOutActualForces = g_bOutStrengthRatios = 0;
    std::vector<std::string> lines = WriteAndRead();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[10], "**** Model Passed Latest Analysis! ****");
    EXPECT_EQ(lines[11] + lines[12], "");
    g_bMemberResultsValid = 0;
    lines = WriteAndRead();
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[9] + lines[12], "");
    EXPECT_EQ(lines[13], "No Current Analysis");
}

TEST_F(ReportTest, RealBridgeReportHasEverySectionWithRepeatedHeaders)
{
    BuildBridgeTemplate();
    ResetAllShapes(); ResetAllMaterials();
    OrientDeckMembers(); FindDeckExtent();
    g_Joints[8].forceY = g_Joints[23].forceY = -5;
    RunTheAnalysis();
    ASSERT_EQ(g_bMemberResultsValid, 1);
    const std::vector<std::string> lines = WriteAndRead();
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[6], "Total Vertical Load(Y): -10.00 lbs");
    ExpectNumberedSection(lines, "JOINT DATA",
                          "Joint      X         Y        Z         TX   TY   TZ   RX   RY   RZ", 2, 67, 30);
    ExpectNumberedSection(lines, "ACTUAL FORCES",
                          " no.   Jt1  Jt2   Axial1 ShearZZ ShearYY Torsion   M1yy    M1zz    Axial2 ShearZZ "
                          "ShearYY  Torsion  M2yy    M2zz  ",
                          3, 113, 41);
    EXPECT_EQ(lines[IndexOf(lines, "ACTUAL FORCES") + 6].substr(0, 15), " 001   001  002");
    // sections in their fixed order; two rows of materials (deck and cross members)
    std::size_t last = 0;
    for (const char* title : {"JOINT DATA", "MEMBER MATERIAL", "MEMBER SHAPE", "LOAD DATA", "Bill of Materials",
                              "ULTIMATE FORCES", "ACTUAL FORCES", "STRENGTH RATIOS"}) {
        const std::size_t at = IndexOf(lines, title);
        ASSERT_LT(at, lines.size()) << title;
        EXPECT_GT(at, last) << title;
        last = at;
    }
    const std::size_t bill = IndexOf(lines, "Bill of Materials");
    ASSERT_LT(bill + 8, lines.size());
    EXPECT_EQ(lines[bill + 6].substr(0, 4) + "|" + lines[bill + 6].substr(22, 8) + "|" + lines[bill + 7].substr(0, 4) +
                  "|" + lines[bill + 8],
              "02  |    07  |09  |");
}

TEST_F(ReportTest, LongSectionStopsPastTheSizeLimitAndOutOfRangeRowsDoNotCrash)
{
    BuildUsModel(true);
    g_nMembers = 900;
    for (int i = 4; i <= 900; ++i) g_Members[i] = g_Members[1];
    const std::string message = "\n\nData Size Limit Exceeded!";
    const int n = FormatMaterialData();
    const std::string text(g_szReportBuffer);
    ASSERT_EQ(static_cast<int>(text.size()), n);
    ASSERT_LT(text.size(), static_cast<std::size_t>(REPORT_BUFFER_SIZE));
    ASSERT_GT(text.size(), message.size());
    EXPECT_EQ(text.substr(text.size() - message.size()), message);
    // stopped at the first row after passing 65000 characters: one row (98) and
    // at most one repeated header block (101 + 102 + 101) beyond it
    const std::size_t before = text.size() - message.size();
    EXPECT_GT(before, 65000u);
    EXPECT_LE(before, 65000u + 98 + 304);
    ASSERT_EQ(WriteOutputFile(path_), SaveResult::Saved);
    const std::vector<std::string> file = CrlfLines(path_, true);
    const std::size_t stop = IndexOf(file, "Data Size Limit Exceeded!");
    ASSERT_LT(stop + 2, file.size());
    EXPECT_EQ(file[stop - 1] + file[stop + 1], "");
    EXPECT_EQ(file[stop + 2], "MEMBER SHAPE");
    EXPECT_LT(IndexOf(file, "STRENGTH RATIOS"), file.size());
    EXPECT_EQ(file.back(), "Data Size Limit Exceeded!");  // the last section stops too
    // A section exactly at the limit takes one more row. A joint number of six characters overflows its
    // cell by one: lengthen rows until the text before a row holds exactly 65000 characters.
    int rows = 0;
    for (g_nMembers = 1; FormatActualForces() <= 65000; ++g_nMembers) rows = g_nMembers;
    g_nMembers = static_cast<short>(rows);
    const int shortBy = 65000 - FormatActualForces();
    ASSERT_LE(shortBy, rows);
    const short jointB = g_Members[1].jointB;
    for (int i = 1; i <= shortBy; ++i) g_Members[i].jointB = -32768;
    ASSERT_EQ(FormatActualForces(), 65000);
    g_nMembers = 900;
    FormatActualForces();
    const std::string atLimit(g_szReportBuffer);
    char next[2][16];
    for (int k = 0; k < 2; ++k) std::snprintf(next[k], sizeof next[k], "\n %03d", rows + 1 + k);
    EXPECT_NE(atLimit.find(next[0]), std::string::npos);
    EXPECT_EQ(atLimit.find(next[1]), std::string::npos);
    EXPECT_EQ(atLimit.substr(atLimit.size() - message.size()), message);
    for (int i = 1; i <= shortBy; ++i) g_Members[i].jointB = jointB;
    // rows naming no table row and a name without a terminator
    g_nMembers = 3;
    g_Members[2].shape = 40;
    g_Members[3].material = -2;
    std::memset(g_Materials[1].name, 'N', sizeof g_Materials[1].name);  // no terminator
    EXPECT_EQ(WriteOutputFile(path_), SaveResult::Saved);
    const int oddSize = FormatMaterialData();
    const std::string odd(g_szReportBuffer);
    EXPECT_EQ(oddSize, static_cast<int>(odd.size()));
    EXPECT_NE(odd.find("\n 001    NNNNNNNN 28.00000"), std::string::npos);
    EXPECT_NE(odd.find("\n 003              0.00100"), std::string::npos);
}

TEST_F(ReportTest, FailedWritesKeepThePreviousFileAndSpecialFilesAreRefused)
{
    BuildUsModel(true);
    const std::string missing = dir_ / "no such folder/report.txt";
    EXPECT_EQ(WriteOutputFile(missing), SaveResult::NotSaved);
    EXPECT_NE(access(missing.c_str(), F_OK), 0);
    // a file that cannot grow past 1000 bytes: the previous report stays, through a link too
    WriteBytes(path_, "previous report");
    const std::string link = dir_ / "link.txt";
    ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
    for (const std::string& target : {path_, link})
        EXPECT_EQ(WithFileSizeLimit(1000, [&] { return WriteOutputFile(target); }), SaveResult::NotSaved);
    EXPECT_EQ(ReadBytes(path_), "previous report");
    EXPECT_EQ(WriteOutputFile(link), SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(path_).rfind("\r\n"), ReadBytes(path_).size() - 2);
    // a FIFO or device is refused at once, never opened or removed
    const std::string fifo = dir_ / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& target : {fifo, std::string("/dev/null")})
        EXPECT_EQ(WriteOutputFile(target), SaveResult::NotSaved);
    EXPECT_EQ(access("/dev/null", F_OK), 0);
}
