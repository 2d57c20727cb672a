// Damaged, truncated and hostile model files: every one is refused, with the
// line at fault and the model left as it was, or read without writing past a
// table.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "files/model_file.h"
#include "model/defaults.h"
#include "model/templates.h"
#include "state/view_globals.h"
#include "tests/common/awkward_numbers.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

// Replaces the n-th blank-separated field of the line that starts with prefix.
std::string ReplaceField(const std::string& text, const std::string& linePrefix, int n, const std::string& value)
{
    size_t pos = text.find("\n" + linePrefix);
    if (pos++ == std::string::npos) return text;
    for (int i = 0; i < n; ++i) pos = text.find(' ', pos) + 1;
    return text.substr(0, pos) + value + text.substr(text.find_first_of(" \r\n", pos));
}

class MalformedModelFileTest : public Tf3dTest {
protected:
    int Open(const std::string& bytes)
    {
        WriteBytes(path_, bytes);
        why_.clear();
        return OpenModelFile(path_, &why_);
    }
    static std::string AtLine(int line)
    {
        return "The file is malformed or ends early at line " + std::to_string(line) + ".";
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
        ResetAllShapes(); ResetAllMaterials();
        BuildBridgeTemplate();
        g_nWorkspaceX = 44;
    }
    void ExpectBridgeUntouched()
    {
        EXPECT_EQ(Mismatches({{g_nJoints, 30}, {g_nMembers, 41}, {g_Joints[1].x, 11.75f}, {g_Members[41].jointB, 29},
                              {g_nWorkspaceX, 44}}), "");
    }
    // Everything the file carries, as it stands.
    static std::string State() { return ModelFileText(); }

    TempFolder dir_{"tf3d_malformed"};
    std::string path_ = dir_ / "model.3dd";
    std::string good_ = ToCrlf(ReadBytes(std::string(TF3D_TEST_DATA) + "/model_file/v40.3dd"));
    std::string why_;
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
    // cuts of a large model, at, inside and at the end of every line, say that
    // line and leave the loaded model as it was
    LoadBridge();
    ASSERT_EQ(WriteModelFile(path_), 1);
    const std::string full = ReadBytes(path_), before = State();
    std::vector<size_t> starts = {0};
    for (size_t i = 0; i + 1 < full.size(); ++i)
        if (full[i] == '\n') starts.push_back(i + 1);
    for (size_t l = 0; l + 1 < starts.size(); ++l) {
        for (size_t cut : {starts[l], (starts[l] + starts[l + 1]) / 2, starts[l + 1] - 1}) {
            SCOPED_TRACE("line " + std::to_string(l) + " cut at " + std::to_string(cut));
            ASSERT_EQ(Open(full.substr(0, cut)), 0);
            EXPECT_EQ(why_, AtLine(static_cast<int>(l) + 1));
            ExpectBridgeUntouched();
            if (State() != before) FAIL() << "the model changed";
        }
    }
}

TEST_F(MalformedModelFileTest, FullTablesAreReadBack)
{
    g_nJoints = MAX_JOINTS, g_nMembers = MAX_MEMBERS;
    for (int k = 1; k <= MAX_JOINTS; ++k) g_Joints[k].x = k;
    for (int i = 1; i <= MAX_MEMBERS; ++i) {
        MemberRec& m = g_Members[i];
        m.jointA = 1 + i % MAX_JOINTS, m.jointB = 1 + (i + 1) % MAX_JOINTS, m.shape = 1 + i % 10, m.material = 10;
    }
    ASSERT_EQ(WriteModelFile(path_), 1);
    ResetAllGlobals();
    ASSERT_EQ(OpenModelFile(path_), 1);
    EXPECT_EQ(Mismatches({{g_nJoints, MAX_JOINTS}, {g_nMembers, MAX_MEMBERS}, {g_Joints[MAX_JOINTS].x, 400},
                          {g_Members[MAX_MEMBERS].jointB, 2 + MAX_MEMBERS % MAX_JOINTS}}), "");
}

TEST_F(MalformedModelFileTest, BadReferencesAndCountsAreRefused)
{
    // member line fields: 1 jointA, 2 jointB, 9 shape, 10 material (the file has 3 joints)
    struct Case { int member, field; const char* value; };
    const Case cases[] = {{1, 1, "0"},  {1, 1, "4"},  {1, 1, "-1"}, {2, 2, "32767"}, {2, 2, "0"},
                          {1, 9, "0"},  {1, 9, "11"}, {2, 9, "-2"}, {1, 10, "0"},   {2, 10, "11"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.member) + " " + std::to_string(c.field) + " " + c.value);
        const std::string text =
            ReplaceField(good_, std::to_string(c.member) + (c.member == 1 ? " 1 3 " : " 3 2 "), c.field, c.value);
        ASSERT_NE(text, good_);
        LoadBridge();
        EXPECT_EQ(Open(text), 0);
        const char* what = c.field <= 2 ? "joint" : c.field == 9 ? "shape" : "material";
        EXPECT_EQ(why_, "Member " + std::to_string(c.member) + " refers to a missing " + what + ".");
        ExpectBridgeUntouched();
    }
    // counts beyond the tables are refused before anything is stored
    const std::string counts = "2 2 3 2 0";
    const std::string line3 = AtLine(3);
    const std::pair<const char*, std::string> badCounts[] = {
        {"2 2 401 2 0", "The model has more than 400 joints."}, {"2 2 3 901 0", "The model has more than 900 members."},
        {"11 2 3 2 0", "The model has more than 10 shapes."},   {"2 11 3 2 0", "The model has more than 10 materials."},
        {"-1 2 3 2 0", line3}, {"2 2 -3 2 0", line3}, {"2 2 3 -1 0", line3}, {"2 2 32768 2 0", line3},
        {"2 2 99999999999 2 0", line3}, {"2 2 3 2 70000", line3}, {"2 2 3.5 2 0", line3}};
    for (const auto& [bad, why] : badCounts) {
        SCOPED_TRACE(bad);
        LoadBridge();
        std::string text = good_;
        EXPECT_EQ(Open(text.replace(text.find(counts), counts.size(), bad)), 0);
        EXPECT_EQ(why_, why);
        ExpectBridgeUntouched();
    }
    // default shape or material outside the table
    for (const char* line : {"0 6", "11 6", "5 0", "5 11", "-5 6"}) {
        std::string text = good_;
        EXPECT_EQ(OpenFresh(text.replace(text.find("\r\n5 6\r\n") + 2, 3, line)), 0) << line;
        EXPECT_EQ(Mismatches({{g_nDefaultShape, 2}, {g_nDefaultMaterial, 4}}), "") << line;
    }
}

TEST_F(MalformedModelFileTest, OverlongMalformedOrNonFiniteLinesAndNumbersAreRefused)
{
    std::string text = good_;
    EXPECT_EQ(Open(text.replace(text.find("Plain"), 5, std::string(10000, 'x'))), 0);
    ExpectConsistentModel();
    EXPECT_EQ(Open(std::string(1 << 20, 't')), 0);  // a title that never ends
    EXPECT_EQ(Open(std::string(1 << 20, 't') + "\r\n4.000000\r\n"), 0);
    text = good_;
    text.replace(text.find("10.500000"), 9, "1" + std::string(100000, '0'));
    LoadBridge();
    EXPECT_EQ(Open(text), 0);
    ExpectConsistentModel();
    // field 1 is the x of joint 2, field 5 a restraint
    for (const char* bad : {"nan", "inf", "-inf", "1e39", "1.2.3", "12abc", "--1", "0,5", "\x01", "1e"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(OpenFresh(ReplaceField(good_, "2 10.500000", 1, bad)), 0);
        EXPECT_EQ(why_, AtLine(5));
        EXPECT_EQ(OpenFresh(ReplaceField(good_, "2 10.500000", 5, bad)), 0);
        EXPECT_EQ(why_, AtLine(5));
        ExpectConsistentModel();
    }
    for (const char* bad : {"1.0", "0x1", "40000", "1e2"})
        EXPECT_EQ(OpenFresh(ReplaceField(good_, "2 10.500000", 5, bad)), 0) << bad;
    // underflow to zero is a number
    EXPECT_EQ(Open(ReplaceField(good_, "2 10.500000", 1, "1e-50")), 1);
    EXPECT_EQ(g_Joints[2].x, 0);
}

// The same file, number for number, as Planprint's reader takes it
// (tests/planprint/read_3d_test.cpp checks its reader on the same table).
TEST_F(MalformedModelFileTest, AwkwardNumbersAndAByteOrderMarkReadAsPlanprintReadsThem)
{
    const std::string tower = ReadBytes(std::string(TF3D_SOURCE_DIR) + "/examples/tower.3dd");
    for (const AwkwardNumber& n : AwkwardNumbers()) {
        SCOPED_TRACE(n.text.substr(0, 40));
        LoadBridge();
        ASSERT_EQ(Open(WithField(tower, 11, 3, n.text)), n.read ? 1 : 0);  // member 1's yy effective length
        if (n.read) {
            EXPECT_TRUE(SameBits(g_Members[1].effLengthYY, n.value)) << g_Members[1].effLengthYY;
        } else {
            EXPECT_EQ(why_, AtLine(12));
            ExpectBridgeUntouched();
        }
    }
    EXPECT_EQ(Open("\xEF\xBB\xBF" + tower), 1);
    EXPECT_EQ(g_nMembers, 17);
}

TEST_F(MalformedModelFileTest, RandomBytesNeverCrash)
{
    std::mt19937 rng(1234);
    auto randomBytes = [&](size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = static_cast<char>(rng() & 0xff);
        return s;
    };
    const char digits[] = "0123456789 -.\r\n";
    // noise, half of it behind a valid header, then a few damaged bytes in a good file (some harmless)
    for (int i = 0; i < 1400; ++i) {
        std::string text = good_;
        if (i < 400) {
            text = (i % 2 ? "Trussforge3D\r\n4.000000\r\n" : "") + randomBytes(rng() % 4000);
        } else {
            for (int h = 0, hits = 1 + static_cast<int>(rng() % 6); h < hits; ++h) {
                const size_t at = rng() % text.size();
                switch (rng() % 3) {
                case 0: text[at] = digits[rng() % (sizeof digits - 1)]; break;
                case 1: text.erase(at, 1 + rng() % 8); break;
                default: text.insert(at, randomBytes(1 + rng() % 4)); break;
                }
                if (text.empty()) text = "x";
            }
        }
        const int result = OpenFresh(text);
        EXPECT_TRUE(i < 400 ? result == 0 : result == 0 || result == 1) << "case " << i;
        ExpectConsistentModel();
        if (HasFatalFailure()) FAIL() << "case " << i;
    }
}

}  // namespace
