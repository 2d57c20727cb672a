// Reference models: read with OpenModelFile, analysed with CFrameAnalysis
// and compared with independent double-precision solutions.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "files/clear_model.h"
#include "files/files_globals.h"
#include "files/model_file.h"
#include "model/solver.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

// Just enough JSON for the reference files.
struct Json {
    enum Type { Null, Bool, Number, String, Array, Object } type = Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json& operator[](const std::string& key) const
    {
        static const Json none;
        for (const auto& m : members)
            if (m.first == key) return m.second;
        return none;
    }
    bool Has(const std::string& key) const
    {
        return std::any_of(members.begin(), members.end(), [&](const auto& m) { return m.first == key; });
    }
    int Int() const { return static_cast<int>(number); }
};

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : s_(text) {}

    bool Parse(Json& out)
    {
        if (!Value(out)) return false;
        Blanks();
        return p_ == s_.size();
    }

private:
    void Blanks()
    {
        while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\n' || s_[p_] == '\r' || s_[p_] == '\t')) ++p_;
    }
    bool Literal(const char* word)
    {
        const std::string w(word);
        if (s_.compare(p_, w.size(), w) != 0) return false;
        p_ += w.size();
        return true;
    }
    bool Str(std::string& out)
    {
        if (s_[p_] != '"') return false;
        for (++p_; p_ < s_.size() && s_[p_] != '"'; ++p_) {
            if (s_[p_] == '\\') {
                if (++p_ >= s_.size()) return false;
                const char e = s_[p_];
                if (e == 'u') {
                    p_ += 4;
                    out += '?';
                } else {
                    out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                }
            } else {
                out += s_[p_];
            }
        }
        if (p_ >= s_.size()) return false;
        ++p_;
        return true;
    }
    bool Value(Json& v)
    {
        Blanks();
        if (p_ >= s_.size()) return false;
        const char c = s_[p_];
        if (c == '{') {
            v.type = Json::Object;
            ++p_;
            Blanks();
            if (s_[p_] == '}') return ++p_, true;
            for (;;) {
                Blanks();
                std::pair<std::string, Json> m;
                if (!Str(m.first)) return false;
                Blanks();
                if (s_[p_++] != ':' || !Value(m.second)) return false;
                v.members.push_back(std::move(m));
                Blanks();
                if (s_[p_] == ',') { ++p_; continue; }
                if (s_[p_] == '}') return ++p_, true;
                return false;
            }
        }
        if (c == '[') {
            v.type = Json::Array;
            ++p_;
            Blanks();
            if (s_[p_] == ']') return ++p_, true;
            for (;;) {
                Json item;
                if (!Value(item)) return false;
                v.items.push_back(std::move(item));
                Blanks();
                if (s_[p_] == ',') { ++p_; continue; }
                if (s_[p_] == ']') return ++p_, true;
                return false;
            }
        }
        if (c == '"') {
            v.type = Json::String;
            return Str(v.text);
        }
        if (Literal("null")) return v.type = Json::Null, true;
        if (Literal("true")) return v.type = Json::Bool, v.number = 1, true;
        if (Literal("false")) return v.type = Json::Bool, v.number = 0, true;
        char* end = nullptr;
        v.number = std::strtod(s_.c_str() + p_, &end);
        if (end == s_.c_str() + p_) return false;
        v.type = Json::Number;
        p_ = static_cast<size_t>(end - s_.c_str());
        return true;
    }

    const std::string& s_;
    size_t p_ = 0;
};

Json LoadJson(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    Json j;
    EXPECT_TRUE(JsonParser(s.str()).Parse(j)) << path;
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

class AcceptanceSolverTest : public Tf3dTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetFilesGlobals();
    }
};

TEST_P(AcceptanceSolverTest, MatchesTheReferenceSolution)
{
    const std::string base = std::string(TF3D_TEST_DATA) + "/solver/" + GetParam();
    const Json settings = LoadJson(base + ".settings.json");
    const Json ref = LoadJson(base + ".ref.json");
    ASSERT_EQ(settings.type, Json::Object);
    ASSERT_EQ(ref.type, Json::Object);

    ClearModel();
    ASSERT_EQ(OpenModelFile(base + ".3dd"), 1);

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
    if (joints.type == Json::Array) {
        ASSERT_TRUE(settings.Has("tolerance"));
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
    if (members.type == Json::Array) {
        ASSERT_EQ(members.items.size(), static_cast<size_t>(g_nMembers));
        Group forces{"end forces"}, moments{"end moments"};
        for (const Json& r : members.items) {
            const int i = r["member"].Int();
            const MemberRec& m = g_Members[i];
            EXPECT_EQ(m.jointA, r["jointA"].Int()) << "member " << i;
            EXPECT_EQ(m.jointB, r["jointB"].Int()) << "member " << i;
            const auto& f = r["endForces"].items;
            ASSERT_EQ(f.size(), 12u);
            for (int e = 0; e < 12; ++e) {
                if (e % 6 < 3)
                    forces.Add(m.endForces[e], f[e].number);
                else
                    moments.Add(m.endForces[e], f[e].number);
            }
        }
        forces.Expect(tolerance);
        moments.Expect(tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(ReferenceModels, AcceptanceSolverTest,
                         ::testing::Values("frame020", "special030", "mechanism", "over_limit"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
