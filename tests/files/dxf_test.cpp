#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
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
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t pos = text.find(end, start);
        if (pos == std::string::npos) pos = text.size();
        lines.push_back(text.substr(start, pos - start));
        start = pos + end.size();
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
        const std::string bytes = ReadBytes(m_path);
        std::size_t lf = 0, crlf = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != '\n') continue;
            ++lf;
            if (i > 0 && bytes[i - 1] == '\r') ++crlf;
        }
        EXPECT_EQ(lf, crlf);
        return Split(bytes, "\r\n");
    }

    std::string m_dir;
    std::string m_path;
};

void SetJoint(int j, float x, float y, float z)
{
    g_Joints[j].x = x;
    g_Joints[j].y = y;
    g_Joints[j].z = z;
}

void SetMember(int i, int a, int b, int shape)
{
    g_Members[i].jointA = a;
    g_Members[i].jointB = b;
    g_Members[i].shape = shape;
}

// Front face at z = 10: a vertical, a horizontal drawn right to left, two
// slanted members (one ending at z = 9.7), one member reaching back to
// z = 9.5 and one whose joints differ only in z.
void BuildFrontFaceModel()
{
    g_Shapes[1].height = 0.125f;
    g_Shapes[2].height = 0.25f;
    g_nJoints = 7;
    SetJoint(1, 0, 0, 10);
    SetJoint(2, 0, 5, 10);
    SetJoint(3, 4, 0, 10);
    SetJoint(4, 3, 4, 9.7f);
    SetJoint(5, 8, -3, 10);
    SetJoint(6, 0, 0, 9.5f);
    SetJoint(7, 0, 0, 9.9f);
    g_nMembers = 6;
    SetMember(1, 2, 1, 1);
    SetMember(2, 3, 1, 1);
    SetMember(3, 4, 1, 2);
    SetMember(4, 3, 5, 1);
    SetMember(5, 1, 6, 1);
    SetMember(6, 1, 7, 1);
}

// Index of the line after the ENTITIES heading.
std::size_t EntitiesStart(const std::vector<std::string>& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == "ENTITIES") return i + 1;
    return lines.size();
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
}

TEST_F(DxfTest, UnitsFollowTheModel)
{
    BuildFrontFaceModel();
    SetMetricUnits(1);
    std::vector<std::string> lines = WriteAndRead();
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[5], "$INSUNITS");
    EXPECT_EQ(lines[7], "5");
    SetMetricUnits(0);
    lines = WriteAndRead();
    EXPECT_EQ(lines[7], "1");
}

TEST_F(DxfTest, NoMemberInTheFrontSlabGivesAnEmptyEntitiesSection)
{
    // The joint at z = 10 has no member; both members lie at 9.5 or below.
    g_Shapes[1].height = 0.125f;
    g_nJoints = 4;
    SetJoint(1, 0, 0, 9.5f);
    SetJoint(2, 1, 0, 9.5f);
    SetJoint(3, 1, 1, 0);
    SetJoint(4, 5, 5, 10);
    g_nMembers = 2;
    SetMember(1, 1, 2, 1);
    SetMember(2, 2, 3, 1);
    const std::vector<std::string> lines = WriteAndRead();
    const std::size_t start = EntitiesStart(lines);
    ASSERT_EQ(lines.size(), start + 4);
    EXPECT_EQ(lines[start], "0");
    EXPECT_EQ(lines[start + 1], "ENDSEC");
    EXPECT_EQ(lines[start + 3], "EOF");
}

TEST_F(DxfTest, FlatModelExportsEveryMemberAndBadJointsAreSkipped)
{
    g_Shapes[1].height = 0.5f;
    g_nJoints = 3;
    SetJoint(1, 0, 0, 0);
    SetJoint(2, 2, 2, 0);   // slope 1
    SetJoint(3, 3, -2, 0);  // slope -4
    g_nMembers = 4;
    SetMember(1, 1, 2, 1);
    SetMember(2, 2, 3, 1);
    SetMember(3, 1, 9, 1);   // joint beyond the model
    SetMember(4, 3, 1, 77);  // shape row beyond the table
    const std::vector<std::string> lines = WriteAndRead();
    const std::size_t start = EntitiesStart(lines);
    // Three rectangles of four lines of 16 lines each, then the end.
    ASSERT_EQ(lines.size(), start + 3 * 4 * 16 + 4);
    for (std::size_t k = start; k < start + 3 * 64; k += 16) {
        EXPECT_EQ(lines[k + 1], "LINE");
        EXPECT_EQ(lines[k + 3], "MODEL");
    }
    // Member 2 runs from (2, 2) to (3, -2): first end (2, 2), h = 0.25.
    std::size_t m2 = start + 64;
    EXPECT_EQ(lines[m2 + 4], "10");
    const double sine = -4 / std::sqrt(17.0);
    EXPECT_NEAR(std::strtod(lines[m2 + 5].c_str(), nullptr), 2 - 0.25 * sine, 2e-6);
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
