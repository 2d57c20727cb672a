#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/dxf.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

using platform::SaveResult;

class DxfTest : public Tf3dTest {
protected:
    // Lines of the written file, each ended by CR LF.
    std::vector<std::string> WriteAndRead()
    {
        EXPECT_EQ(WriteDxfFile(path_), SaveResult::Saved);
        return CrlfLines(path_);
    }
    // The written lines after the ENTITIES heading.
    std::vector<std::string> Entities()
    {
        const auto lines = WriteAndRead();
        const auto at = std::find(lines.begin(), lines.end(), "ENTITIES");
        return {at == lines.end() ? at : at + 1, lines.end()};
    }

    TempFolder dir_{"tf3d_dxf"};
    std::string path_ = dir_ / "front.dxf";
};

// Joints as {x, y, z}, members as {joint A, joint B, shape}.
void SetModel(std::initializer_list<std::array<float, 3>> joints, std::initializer_list<std::array<short, 3>> members)
{
    g_nJoints = g_nMembers = 0;
    for (const auto& j : joints) {
        JointRec& r = g_Joints[++g_nJoints];
        r.x = j[0], r.y = j[1], r.z = j[2];
    }
    for (const auto& m : members) {
        MemberRec& r = g_Members[++g_nMembers];
        r.jointA = m[0], r.jointB = m[1], r.shape = m[2];
    }
}

// Front face at z = 10: a vertical, a horizontal drawn right to left, two
// slanted members (one ending at z = 9.7), one member reaching back to
// z = 9.5 and one whose joints differ only in z.
void BuildFrontFaceModel()
{
    g_Shapes[1].height = 0.125f, g_Shapes[2].height = 0.25f;
    SetModel({{0, 0, 10}, {0, 5, 10}, {4, 0, 10}, {3, 4, 9.7f}, {8, -3, 10}, {0, 0, 9.5f}, {0, 0, 9.9f}},
             {{2, 1, 1}, {3, 1, 1}, {4, 1, 2}, {3, 5, 1}, {1, 6, 1}, {1, 7, 1}});
}

}  // namespace

TEST_F(DxfTest, FrontFaceMatchesHandDerivedDrawing)
{
    BuildFrontFaceModel();
    const std::vector<std::string> actual = WriteAndRead();
    const auto expected = SplitLines(ReadBytes(std::string(TF3D_TEST_DATA) + "/report/front_face.dxf"));
    ASSERT_FALSE(expected.empty());
    ExpectSameLines(actual, expected);
    SetMetricUnits(1);  // centimetres
    const std::vector<std::string> metric = WriteAndRead();
    ASSERT_GT(metric.size(), 8u);
    EXPECT_EQ(metric[5] + "|" + metric[7] + "|" + actual[7], "$INSUNITS|5|1");
}

TEST_F(DxfTest, NoMemberInTheFrontSlabGivesAnEmptyEntitiesSection)
{
    // the joint at z = 10 has no member; both members lie at 9.5 or below
    g_Shapes[1].height = 0.125f;
    SetModel({{0, 0, 9.5f}, {1, 0, 9.5f}, {1, 1, 0}, {5, 5, 10}}, {{1, 2, 1}, {2, 3, 1}});
    const auto e = Entities();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0] + "|" + e[1] + "|" + e[3], "0|ENDSEC|EOF");
}

TEST_F(DxfTest, FlatModelExportsEveryMemberAndBadJointsAreSkipped)
{
    // slopes 1 and -4; then a joint beyond the model and a shape row beyond the table
    g_Shapes[1].height = 0.5f;
    SetModel({{0, 0, 0}, {2, 2, 0}, {3, -2, 0}}, {{1, 2, 1}, {2, 3, 1}, {1, 9, 1}, {3, 1, 77}});
    const auto e = Entities();
    // three rectangles of four lines of 16 lines each, then the end
    ASSERT_EQ(e.size(), 3 * 4 * 16 + 4u);
    for (std::size_t k = 0; k < 3 * 64; k += 16) EXPECT_EQ(e[k + 1] + e[k + 3], "LINEMODEL");
    // member 2 runs from (2, 2) to (3, -2): first end (2, 2), h = 0.25
    EXPECT_EQ(e[64 + 4], "10");
    EXPECT_NEAR(std::strtod(e[64 + 5].c_str(), nullptr), 2 + 0.25 * 4 / std::sqrt(17.0), 2e-6);
    EXPECT_NEAR(std::strtod(e[64 + 7].c_str(), nullptr), 2 + 0.25 / std::sqrt(17.0), 2e-6);
}

TEST_F(DxfTest, FailuresKeepThePreviousFileAndSpecialFilesAreRefused)
{
    BuildFrontFaceModel();
    EXPECT_EQ(WriteDxfFile(dir_ / "missing/front.dxf"), SaveResult::NotSaved);
    const std::string path = dir_ / "front.dxf", fifo = dir_ / "fifo.dxf";
    WriteBytes(path, "previous drawing");
    EXPECT_EQ(WithFileSizeLimit(100, [&] { return WriteDxfFile(path); }), SaveResult::NotSaved);
    EXPECT_EQ(ReadBytes(path), "previous drawing");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(WriteDxfFile(fifo), SaveResult::NotSaved);  // does not wait for a reader
    EXPECT_EQ(WriteDxfFile("/dev/full"), SaveResult::NotSaved);
}
