// Reference models: read with OpenModelFile, analysed with CFrameAnalysis
// and compared with independent double-precision solutions.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "files/model_file.h"
#include "model/solver.h"
#include "state/files_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

using Numbers = std::map<std::string, std::vector<double>>;

// The numbers of a reference file under the nearest key before them, in file order;
// strings, true, false and null are left out (the files hold no escaped quotes).
Numbers NumbersByKey(const std::string& path)
{
    const std::string s = ReadBytes(path);
    EXPECT_FALSE(s.empty()) << path;
    Numbers out;
    std::string key;
    for (size_t p = 0; p < s.size(); ++p) {
        if (s[p] == '"') {
            const size_t end = s.find('"', p + 1);
            if (end == std::string::npos) break;
            const size_t next = s.find_first_not_of(" \r\n\t", end + 1);
            if (next != std::string::npos && s[next] == ':') key = s.substr(p + 1, end - p - 1);
            p = end;
        } else if (s[p] == '-' || std::isdigit(static_cast<unsigned char>(s[p]))) {
            char* end = nullptr;
            const double v = std::strtod(s.c_str() + p, &end);
            if (end == s.c_str() + p) continue;
            out[key].push_back(v);
            p = static_cast<size_t>(end - s.c_str()) - 1;
        }
    }
    return out;
}

// The single number under key.
double One(const Numbers& n, const char* key)
{
    const auto it = n.find(key);
    EXPECT_TRUE(it != n.end() && it->second.size() == 1) << key;
    return it != n.end() && !it->second.empty() ? it->second[0] : -1;
}

class AcceptanceSolverTest : public Tf3dTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AcceptanceSolverTest, MatchesTheReferenceSolution)
{
    const std::string base = std::string(TF3D_TEST_DATA) + "/solver/" + GetParam();
    Numbers settings = NumbersByKey(base + ".settings.json"), ref = NumbersByKey(base + ".ref.json");
    ClearModel();
    ASSERT_EQ(OpenModelFile(base + ".3dd"), 1);
    // the file carries neither the negated flags nor the analysis switches
    for (double m : settings["negated"]) {
        ASSERT_TRUE(m >= 1 && m <= g_nMembers);
        g_Members[static_cast<int>(m)].negated = 1;
    }
    g_bIncludeEccentricity = static_cast<int>(One(settings, "includeEccentricity"));
    g_bIncludeSelfWeight = static_cast<int>(One(settings, "includeSelfWeight"));
    g_bUniformTestLoads = static_cast<int>(One(settings, "uniformTestLoads"));
    const auto& limits = settings["displacementLimits"];
    ASSERT_EQ(limits.size(), 6u);
    for (int i = 0; i < 6; ++i) g_fDisplacementLimits[i] = static_cast<float>(limits[i]);
    for (int k = 1; k <= g_nJoints; ++k) {
        JointRec& j = g_Joints[k];
        j.selfWeightLoad = j.windLoad = j.truckLoad = j.extraLoadZ = 0;
        j.mark = 0;
    }
    CFrameAnalysis analysis;
    const short code = analysis.Run();
    EXPECT_EQ(code, One(settings, "code"));
    EXPECT_EQ(code, One(ref, "code"));
    std::vector<double> marked;
    for (int k = 1; k <= g_nJoints; ++k)
        if (g_Joints[k].mark) marked.push_back(k);
    EXPECT_EQ(marked, settings["marked_joints"]);
    // per group the largest difference must stay within tolerance of the largest reference magnitude
    const char* groups[4] = {"translations", "rotations", "end forces", "end moments"};
    double diff[4] = {}, big[4] = {};
    auto add = [&](int g, double computed, double reference) {
        diff[g] = std::max(diff[g], std::fabs(computed - reference));
        big[g] = std::max(big[g], std::fabs(reference));
    };
    const auto& joints = ref["joint"];
    if (!joints.empty()) {
        ASSERT_EQ(joints.size(), static_cast<size_t>(g_nJoints));
        const char* keys[6] = {"dispX", "dispY", "dispZ", "rotX", "rotY", "rotZ"};
        for (const char* key : keys) ASSERT_EQ(ref[key].size(), joints.size()) << key;
        for (size_t r = 0; r < joints.size(); ++r) {
            const JointRec& j = g_Joints[static_cast<int>(joints[r])];
            const float got[6] = {j.dispX, j.dispY, j.dispZ, j.rotX, j.rotY, j.rotZ};
            for (int e = 0; e < 6; ++e) add(e / 3, got[e], ref[keys[e]][r]);
        }
    }
    const auto& members = ref["member"];
    if (!members.empty()) {
        ASSERT_EQ(members.size(), static_cast<size_t>(g_nMembers));
        ASSERT_EQ(ref["endForces"].size(), 12 * members.size());
        for (size_t r = 0; r < members.size(); ++r) {
            const MemberRec& m = g_Members[static_cast<int>(members[r])];
            EXPECT_TRUE(m.jointA == ref["jointA"].at(r) && m.jointB == ref["jointB"].at(r)) << members[r];
            for (int e = 0; e < 12; ++e) add(2 + e % 6 / 3, m.endForces[e], ref["endForces"][12 * r + e]);
        }
    }
    if (joints.empty() && members.empty()) return;
    const double tolerance = One(settings, "tolerance");
    ASSERT_GT(tolerance, 0);
    for (int g = 0; g < 4; ++g)
        EXPECT_LE(diff[g], tolerance * big[g]) << groups[g] << ": largest difference " << diff[g]
                                               << ", largest value " << big[g];
}

INSTANTIATE_TEST_SUITE_P(ReferenceModels, AcceptanceSolverTest,
                         ::testing::Values("frame020", "special030", "mechanism", "over_limit"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
