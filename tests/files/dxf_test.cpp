#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/dxf.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& end)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, pos; start < text.size(); start = pos + end.size()) {
        pos = std::min(text.find(end, start), text.size());
        lines.push_back(text.substr(start, pos - start));
    }
    return lines;
}

class DxfTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        char pattern[] = "/tmp/tf3d_dxf_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_path = m_dir + "/front.dxf";
    }
    void TearDown() override
    {
        std::remove(m_path.c_str());
        rmdir(m_dir.c_str());
        Tf3dTest::TearDown();
    }

    // Lines of the written file; every line end must be CR LF.
    std::vector<std::string> WriteAndRead()
    {
        EXPECT_EQ(WriteDxfFile(m_path), 1);
        const std::vector<std::string> lines = Split(ReadBytes(m_path), "\r\n");
        for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed";
        return lines;
    }

    // The line after the ENTITIES heading.
    static std::size_t EntitiesStart(const std::vector<std::string>& lines)
    {
        return std::find(lines.begin(), lines.end(), "ENTITIES") - lines.begin() + 1;
    }

    std::string m_dir, m_path;
};

void SetJoints(std::initializer_list<std::array<float, 3>> joints)
{
    g_nJoints = 0;
    for (const auto& j : joints) {
        JointRec& r = g_Joints[++g_nJoints];
        r.x = j[0];
        r.y = j[1];
        r.z = j[2];
    }
}

// Each member as {joint A, joint B, shape}.
void SetMembers(std::initializer_list<std::array<short, 3>> members)
{
    g_nMembers = 0;
    for (const auto& m : members) {
        MemberRec& r = g_Members[++g_nMembers];
        r.jointA = m[0];
        r.jointB = m[1];
        r.shape = m[2];
    }
}

// Front face at z = 10: a vertical, a horizontal drawn right to left, two
// slanted members (one ending at z = 9.7), one member reaching back to
// z = 9.5 and one whose joints differ only in z.
void BuildFrontFaceModel()
{
    g_Shapes[1].height = 0.125f;
    g_Shapes[2].height = 0.25f;
    SetJoints({{0, 0, 10}, {0, 5, 10}, {4, 0, 10}, {3, 4, 9.7f}, {8, -3, 10}, {0, 0, 9.5f}, {0, 0, 9.9f}});
    SetMembers({{2, 1, 1}, {3, 1, 1}, {4, 1, 2}, {3, 5, 1}, {1, 6, 1}, {1, 7, 1}});
}

}  // namespace

TEST_F(DxfTest, FrontFaceMatchesHandDerivedDrawing)
{
    BuildFrontFaceModel();
    const std::vector<std::string> actual = WriteAndRead();
    const std::vector<std::string> expected =
        Split(ReadBytes(std::string(TF3D_TEST_DATA) + "/report/front_face.dxf"), "\n");
    ASSERT_FALSE(expected.empty());
    const std::size_t n = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size());

    SetMetricUnits(1);  // centimetres
    const std::vector<std::string> metric = WriteAndRead();
    ASSERT_GT(metric.size(), 8u);
    EXPECT_EQ(metric[5], "$INSUNITS");
    EXPECT_EQ(metric[7], "5");
    EXPECT_EQ(actual[7], "1");
}

TEST_F(DxfTest, NoMemberInTheFrontSlabGivesAnEmptyEntitiesSection)
{
    // The joint at z = 10 has no member; both members lie at 9.5 or below.
    g_Shapes[1].height = 0.125f;
    SetJoints({{0, 0, 9.5f}, {1, 0, 9.5f}, {1, 1, 0}, {5, 5, 10}});
    SetMembers({{1, 2, 1}, {2, 3, 1}});
    const std::vector<std::string> lines = WriteAndRead();
    const std::size_t start = EntitiesStart(lines);
    ASSERT_EQ(lines.size(), start + 4);
    EXPECT_EQ(lines[start] + "|" + lines[start + 1] + "|" + lines[start + 3], "0|ENDSEC|EOF");
}

TEST_F(DxfTest, FlatModelExportsEveryMemberAndBadJointsAreSkipped)
{
    g_Shapes[1].height = 0.5f;
    SetJoints({{0, 0, 0}, {2, 2, 0}, {3, -2, 0}});  // slopes 1 and -4
    // A joint beyond the model and a shape row beyond the table.
    SetMembers({{1, 2, 1}, {2, 3, 1}, {1, 9, 1}, {3, 1, 77}});
    const std::vector<std::string> lines = WriteAndRead();
    const std::size_t start = EntitiesStart(lines);
    // Three rectangles of four lines of 16 lines each, then the end.
    ASSERT_EQ(lines.size(), start + 3 * 4 * 16 + 4);
    for (std::size_t k = start; k < start + 3 * 64; k += 16) {
        EXPECT_EQ(lines[k + 1], "LINE");
        EXPECT_EQ(lines[k + 3], "MODEL");
    }
    // Member 2 runs from (2, 2) to (3, -2): first end (2, 2), h = 0.25.
    const std::size_t m2 = start + 64;
    EXPECT_EQ(lines[m2 + 4], "10");
    EXPECT_NEAR(std::strtod(lines[m2 + 5].c_str(), nullptr), 2 + 0.25 * 4 / std::sqrt(17.0), 2e-6);
    EXPECT_NEAR(std::strtod(lines[m2 + 7].c_str(), nullptr), 2 + 0.25 / std::sqrt(17.0), 2e-6);
}

TEST_F(DxfTest, UnwritablePathFailsAndFullDiskIsNotSuccess)
{
    BuildFrontFaceModel();
    EXPECT_EQ(WriteDxfFile(m_dir + "/missing/front.dxf"), 0);
    if (access("/dev/full", W_OK) == 0) {
        EXPECT_EQ(WriteDxfFile("/dev/full"), 0);
    }
}
