// Damaged, truncated and hostile model files: every one is refused or read
// without writing past a table, and the tables stay consistent.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "files/files_globals.h"
#include "files/model_file.h"
#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"
#include "view/view_globals.h"

namespace {

// Replaces the n-th blank-separated field of the line that starts with prefix.
std::string ReplaceField(const std::string& text, const std::string& linePrefix, int n, const std::string& value)
{
    size_t line = text.find("\n" + linePrefix);
    if (line == std::string::npos) return text;
    size_t pos = line + 1;
    for (int i = 0; i < n; ++i) pos = text.find(' ', pos) + 1;
    size_t end = text.find_first_of(" \r\n", pos);
    return text.substr(0, pos) + value + text.substr(end);
}

// What the rest of the program relies on after any read, good or bad.
void ExpectConsistentModel()
{
    ASSERT_TRUE(g_nJoints >= 0 && g_nJoints <= MAX_JOINTS) << g_nJoints;
    ASSERT_TRUE(g_nMembers >= 0 && g_nMembers <= MAX_MEMBERS) << g_nMembers;
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        ASSERT_TRUE(m.jointA >= 1 && m.jointA <= g_nJoints) << "member " << i;
        ASSERT_TRUE(m.jointB >= 1 && m.jointB <= g_nJoints) << "member " << i;
        ASSERT_TRUE(m.shape >= 1 && m.shape <= USER_TABLE_ROWS) << "member " << i;
        ASSERT_TRUE(m.material >= 1 && m.material <= USER_TABLE_ROWS) << "member " << i;
    }
    ASSERT_TRUE(g_nDefaultShape >= 1 && g_nDefaultShape <= USER_TABLE_ROWS);
    ASSERT_TRUE(g_nDefaultMaterial >= 1 && g_nDefaultMaterial <= USER_TABLE_ROWS);
    for (int r = 0; r < TABLE_ROWS; ++r) {
        ASSERT_LT(strnlen(g_Shapes[r].name, sizeof g_Shapes[r].name), sizeof g_Shapes[r].name);
        ASSERT_LT(strnlen(g_Materials[r].name, sizeof g_Materials[r].name), sizeof g_Materials[r].name);
    }
}

class MalformedModelFileTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        path_ = ::testing::TempDir() + "malformed_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".3dd";
        good_ = ToCrlf(ReadBytes(std::string(TF3D_TEST_DATA) + "/model_file/v40.3dd"));
    }
    void TearDown() override
    {
        std::remove(path_.c_str());
        Tf3dTest::TearDown();
    }

    int Open(const std::string& bytes)
    {
        WriteBytes(path_, bytes);
        return OpenModelFile(path_);
    }
    // Reads into an empty program.
    int OpenFresh(const std::string& bytes)
    {
        ResetAllGlobals();
        ClearModel();
        return Open(bytes);
    }

    // A loaded model that a refused read must leave alone.
    void LoadBridge()
    {
        ResetAllGlobals();
        ResetAllShapes();
        ResetAllMaterials();
        BuildBridgeTemplate();
        g_nWorkspaceX = 44;
    }
    void ExpectBridgeUntouched()
    {
        EXPECT_EQ(g_nJoints, 30);
        EXPECT_EQ(g_nMembers, 41);
        EXPECT_EQ(g_Joints[1].x, 11.75f);
        EXPECT_EQ(g_Members[41].jointB, 29);
        EXPECT_EQ(g_nWorkspaceX, 44);
    }

    std::string path_;
    std::string good_;
};

TEST_F(MalformedModelFileTest, EveryCutOfAGoodFileIsRefused)
{
    ASSERT_EQ(Open(good_), 1);
    // cutting inside the last number still leaves a number
    for (size_t cut = 0; cut <= good_.rfind(' ') + 1; ++cut) {
        ASSERT_EQ(OpenFresh(good_.substr(0, cut)), 0) << "cut at " << cut;
        ExpectConsistentModel();
        if (HasFatalFailure()) FAIL() << "cut at " << cut;
    }

    // cuts of a large model keep the rows read through: at, inside and at the end of every line
    LoadBridge();
    ASSERT_EQ(WriteModelFile(path_), 1);
    const std::string full = ReadBytes(path_);
    std::vector<size_t> starts = {0};
    for (size_t i = 0; i + 1 < full.size(); ++i)
        if (full[i] == '\n') starts.push_back(i + 1);
    const size_t firstMember = 3 + 30, firstLoad = firstMember + 41;
    for (size_t l = 0; l + 1 < starts.size(); ++l) {
        for (size_t cut : {starts[l], (starts[l] + starts[l + 1]) / 2, starts[l + 1] - 1}) {
            SCOPED_TRACE("line " + std::to_string(l) + " cut at " + std::to_string(cut));
            ASSERT_EQ(OpenFresh(full.substr(0, cut)), 0);
            ExpectConsistentModel();
            if (HasFatalFailure()) return;
            const size_t done = cut == starts[l + 1] - 1 ? l + 1 : l;  // lines with their last number
            const size_t joints = done <= 3 ? 0 : std::min<size_t>(done - 3, 30);
            const size_t members = done <= firstMember ? 0 : std::min(done, firstLoad) - firstMember;
            EXPECT_EQ(g_nJoints, static_cast<short>(joints));
            EXPECT_EQ(g_nMembers, static_cast<short>(members));
        }
    }
}

TEST_F(MalformedModelFileTest, CountsBeyondTheTablesAreRefusedBeforeAnythingIsStored)
{
    const std::string counts = "2 2 3 2 0";
    const size_t at = good_.find(counts);
    for (const char* bad : {"2 2 401 2 0", "2 2 3 901 0", "11 2 3 2 0", "2 11 3 2 0", "-1 2 3 2 0",
                            "2 2 -3 2 0", "2 2 3 -1 0", "2 2 32768 2 0", "2 2 99999999999 2 0",
                            "2 2 3 2 70000", "2 2 3.5 2 0"}) {
        SCOPED_TRACE(bad);
        LoadBridge();
        std::string text = good_;
        EXPECT_EQ(Open(text.replace(at, counts.size(), bad)), 0);
        ExpectBridgeUntouched();
    }
}

TEST_F(MalformedModelFileTest, FullTablesAreReadBack)
{
    g_nJoints = MAX_JOINTS;
    g_nMembers = MAX_MEMBERS;
    for (int k = 1; k <= MAX_JOINTS; ++k) g_Joints[k].x = static_cast<float>(k);
    for (int i = 1; i <= MAX_MEMBERS; ++i) {
        g_Members[i].jointA = static_cast<short>(1 + i % MAX_JOINTS);
        g_Members[i].jointB = static_cast<short>(1 + (i + 1) % MAX_JOINTS);
        g_Members[i].shape = static_cast<short>(1 + i % 10);
        g_Members[i].material = 10;
    }
    ASSERT_EQ(WriteModelFile(path_), 1);
    ResetAllGlobals();
    ASSERT_EQ(OpenModelFile(path_), 1);
    EXPECT_EQ(g_nJoints, MAX_JOINTS);
    EXPECT_EQ(g_nMembers, MAX_MEMBERS);
    EXPECT_EQ(g_Joints[MAX_JOINTS].x, 400);
    EXPECT_EQ(g_Members[MAX_MEMBERS].jointB, 2 + MAX_MEMBERS % MAX_JOINTS);
}

TEST_F(MalformedModelFileTest, BadReferencesAreRefused)
{
    struct Case {
        int member, field;
        const char* value;
    };
    // member line fields: 1 jointA, 2 jointB, 9 shape, 10 material (the file has 3 joints)
    const Case cases[] = {{1, 1, "0"},  {1, 1, "4"},  {1, 1, "-1"}, {2, 2, "32767"}, {2, 2, "0"},
                          {1, 9, "0"},  {1, 9, "11"}, {2, 9, "-2"}, {1, 10, "0"},   {2, 10, "11"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.member) + " " + std::to_string(c.field) + " " + c.value);
        const std::string prefix = std::to_string(c.member) + (c.member == 1 ? " 1 3 " : " 3 2 ");
        const std::string text = ReplaceField(good_, prefix, c.field, c.value);
        ASSERT_NE(text, good_);
        EXPECT_EQ(OpenFresh(text), 0);
        EXPECT_EQ(g_nJoints, 3);
        EXPECT_EQ(g_nMembers, c.member - 1);  // members before the bad one stay
        ExpectConsistentModel();
    }
    // default shape or material outside the table
    for (const char* line : {"0 6", "11 6", "5 0", "5 11", "-5 6"}) {
        std::string text = good_;
        text.replace(text.find("\r\n5 6\r\n") + 2, 3, line);
        EXPECT_EQ(OpenFresh(text), 0) << line;
        EXPECT_EQ(g_nDefaultShape, 2);
        EXPECT_EQ(g_nDefaultMaterial, 4);
    }
}

TEST_F(MalformedModelFileTest, OverlongLinesAndNumbersAreRefused)
{
    std::string text = good_;
    text.replace(text.find("Plain"), 5, std::string(10000, 'x'));
    EXPECT_EQ(Open(text), 0);
    ExpectConsistentModel();

    EXPECT_EQ(Open(std::string(1 << 20, 't')), 0);  // a title that never ends
    EXPECT_EQ(Open(std::string(1 << 20, 't') + "\r\n4.000000\r\n"), 0);

    text = good_;
    text.replace(text.find("10.500000"), 9, "1" + std::string(100000, '0'));
    LoadBridge();
    EXPECT_EQ(Open(text), 0);
    ExpectConsistentModel();
}

TEST_F(MalformedModelFileTest, MalformedOrNonFiniteNumbersAreRefused)
{
    // field 1 is the x of joint 2, field 5 a restraint
    for (const char* bad : {"nan", "inf", "-inf", "1e39", "1.2.3", "12abc", "--1", "0,5", "\x01", "1e"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(OpenFresh(ReplaceField(good_, "2 10.500000", 1, bad)), 0);
        EXPECT_EQ(g_nJoints, 1);
        EXPECT_EQ(OpenFresh(ReplaceField(good_, "2 10.500000", 5, bad)), 0);
        ExpectConsistentModel();
    }
    for (const char* bad : {"1.0", "0x1", "40000", "1e2"})
        EXPECT_EQ(OpenFresh(ReplaceField(good_, "2 10.500000", 5, bad)), 0) << bad;
    // underflow to zero is a number
    EXPECT_EQ(Open(ReplaceField(good_, "2 10.500000", 1, "1e-50")), 1);
    EXPECT_EQ(g_Joints[2].x, 0);
}

TEST_F(MalformedModelFileTest, RandomBytesNeverCrash)
{
    std::mt19937 rng(1234);
    auto randomBytes = [&](size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = static_cast<char>(rng() & 0xff);
        return s;
    };
    // noise, half of it behind a valid header
    for (int i = 0; i < 400; ++i) {
        const std::string head = i % 2 ? "Trussforge3D\r\n4.000000\r\n" : "";
        EXPECT_EQ(OpenFresh(head + randomBytes(rng() % 4000)), 0);
        ExpectConsistentModel();
        if (HasFatalFailure()) FAIL() << "case " << i;
    }
    // a few damaged bytes in a good file; some damage is harmless
    const char digits[] = "0123456789 -.\r\n";
    for (int i = 0; i < 1000; ++i) {
        std::string text = good_;
        const int hits = 1 + static_cast<int>(rng() % 6);
        for (int h = 0; h < hits; ++h) {
            const size_t at = rng() % text.size();
            switch (rng() % 3) {
            case 0: text[at] = digits[rng() % (sizeof digits - 1)]; break;
            case 1: text.erase(at, 1 + rng() % 8); break;
            default: text.insert(at, randomBytes(1 + rng() % 4)); break;
            }
            if (text.empty()) text = "x";
        }
        const int result = OpenFresh(text);
        EXPECT_TRUE(result == 0 || result == 1);
        ExpectConsistentModel();
        if (HasFatalFailure()) FAIL() << "case " << i;
    }
}

}  // namespace
