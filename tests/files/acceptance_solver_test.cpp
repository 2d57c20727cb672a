// Reference models: read with OpenModelFile, analysed with CFrameAnalysis
// and compared with independent double-precision solutions.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "files/clear_model.h"
#include "files/files_globals.h"
#include "files/model_file.h"
#include "model/solver.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

// Just enough JSON for the reference files.
struct Json {
    bool isObject = false, isArray = false;
    double number = 0;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json& operator[](const std::string& key) const
    {
        static const Json none;
        for (const auto& m : members)
            if (m.first == key) return m.second;
        return none;
    }
    int Int() const { return static_cast<int>(number); }
};

bool ParseJson(const std::string& s, size_t& p, Json& v)
{
    auto blanks = [&] {
        while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
    };
    auto str = [&](std::string& out) {
        if (p >= s.size() || s[p] != '"') return false;
        for (++p; p < s.size() && s[p] != '"'; ++p) {
            if (s[p] == '\\') ++p;  // escapes are kept as the escaped character
            if (p < s.size()) out += s[p];
        }
        return p++ < s.size();
    };
    blanks();
    if (p >= s.size()) return false;
    const char open = s[p];
    if (open == '{' || open == '[') {
        const char close = open == '{' ? '}' : ']';
        (open == '{' ? v.isObject : v.isArray) = true;
        ++p;
        blanks();
        if (p < s.size() && s[p] == close) return ++p, true;
        for (;;) {
            std::pair<std::string, Json> m;
            if (open == '{') {
                blanks();
                if (!str(m.first)) return false;
                blanks();
                if (p >= s.size() || s[p++] != ':') return false;
            }
            if (!ParseJson(s, p, m.second)) return false;
            if (open == '{') v.members.push_back(std::move(m));
            else v.items.push_back(std::move(m.second));
            blanks();
            if (p < s.size() && s[p] == ',') { ++p; continue; }
            return p < s.size() && s[p++] == close;
        }
    }
    std::string ignored;
    if (open == '"') return str(ignored);
    for (const char* word : {"null", "false", "true"}) {
        if (s.compare(p, std::strlen(word), word) == 0) {
            v.number = word[0] == 't';
            p += std::strlen(word);
            return true;
        }
    }
    char* end = nullptr;
    v.number = std::strtod(s.c_str() + p, &end);
    if (end == s.c_str() + p) return false;
    p = static_cast<size_t>(end - s.c_str());
    return true;
}

Json LoadJson(const std::string& path)
{
    const std::string text = ReadBytes(path);
    Json j;
    size_t p = 0;
    EXPECT_TRUE(ParseJson(text, p, j) && text.find_first_not_of(" \r\n\t", p) == std::string::npos) << path;
    return j;
}

// Largest difference over largest reference magnitude of one group.
struct Group {
    const char* name;
    double maxDiff = 0, maxRef = 0;
    void Add(double computed, double reference)
    {
        maxDiff = std::max(maxDiff, std::fabs(computed - reference));
        maxRef = std::max(maxRef, std::fabs(reference));
    }
    void Expect(double tolerance) const
    {
        EXPECT_LE(maxDiff, tolerance * maxRef) << name << ": largest difference " << maxDiff << ", largest value "
                                               << maxRef << ", relative " << maxDiff / maxRef;
    }
};

class AcceptanceSolverTest : public Tf3dTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(AcceptanceSolverTest, MatchesTheReferenceSolution)
{
    const std::string base = std::string(TF3D_TEST_DATA) + "/solver/" + GetParam();
    const Json settings = LoadJson(base + ".settings.json");
    const Json ref = LoadJson(base + ".ref.json");
    ASSERT_TRUE(settings.isObject);
    ASSERT_TRUE(ref.isObject);

    ClearModel();
    ASSERT_EQ(OpenModelFile(base + ".3dd"), 1);

    // the file carries neither the negated flags nor the analysis switches
    for (const Json& m : settings["negated"].items) {
        ASSERT_TRUE(m.Int() >= 1 && m.Int() <= g_nMembers);
        g_Members[m.Int()].negated = 1;
    }
    g_bIncludeEccentricity = settings["includeEccentricity"].Int();
    g_bIncludeSelfWeight = settings["includeSelfWeight"].Int();
    g_bUniformTestLoads = settings["uniformTestLoads"].Int();
    const auto& limits = settings["displacementLimits"].items;
    ASSERT_EQ(limits.size(), 6u);
    for (int i = 0; i < 6; ++i) g_fDisplacementLimits[i] = static_cast<float>(limits[i].number);
    for (int k = 1; k <= g_nJoints; ++k) {
        JointRec& j = g_Joints[k];
        j.selfWeightLoad = j.windLoad = j.truckLoad = j.extraLoadZ = 0;
        j.mark = 0;
    }

    CFrameAnalysis analysis;
    const short code = analysis.Run();

    EXPECT_EQ(code, settings["expected"]["code"].Int());
    EXPECT_EQ(code, ref["code"].Int());
    std::vector<int> marked, expectedMarked;
    for (int k = 1; k <= g_nJoints; ++k)
        if (g_Joints[k].mark) marked.push_back(k);
    for (const Json& k : settings["expected"]["marked_joints"].items) expectedMarked.push_back(k.Int());
    EXPECT_EQ(marked, expectedMarked);

    const double tolerance = settings["tolerance"].number;
    const Json& joints = ref["joints"];
    if (joints.isArray) {
        ASSERT_GT(tolerance, 0);
        ASSERT_EQ(joints.items.size(), static_cast<size_t>(g_nJoints));
        Group translations{"translations"}, rotations{"rotations"};
        for (const Json& r : joints.items) {
            const JointRec& j = g_Joints[r["joint"].Int()];
            translations.Add(j.dispX, r["dispX"].number);
            translations.Add(j.dispY, r["dispY"].number);
            translations.Add(j.dispZ, r["dispZ"].number);
            rotations.Add(j.rotX, r["rotX"].number);
            rotations.Add(j.rotY, r["rotY"].number);
            rotations.Add(j.rotZ, r["rotZ"].number);
        }
        translations.Expect(tolerance);
        rotations.Expect(tolerance);
    }
    const Json& members = ref["members"];
    if (members.isArray) {
        ASSERT_EQ(members.items.size(), static_cast<size_t>(g_nMembers));
        Group forces{"end forces"}, moments{"end moments"};
        for (const Json& r : members.items) {
            const int i = r["member"].Int();
            const MemberRec& m = g_Members[i];
            EXPECT_EQ(m.jointA, r["jointA"].Int()) << "member " << i;
            EXPECT_EQ(m.jointB, r["jointB"].Int()) << "member " << i;
            const auto& f = r["endForces"].items;
            ASSERT_EQ(f.size(), 12u);
            for (int e = 0; e < 12; ++e) (e % 6 < 3 ? forces : moments).Add(m.endForces[e], f[e].number);
        }
        forces.Expect(tolerance);
        moments.Expect(tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(ReferenceModels, AcceptanceSolverTest,
                         ::testing::Values("frame020", "special030", "mechanism", "over_limit"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
