// Run the Analysis on small models built in the tables, with the recording
// backend answering its boxes.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "frame/analysis_command.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"

using platform::Event;
using Texts = std::vector<std::string>;
using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

constexpr int kOk = platform::IDOK, kCancel = platform::IDCANCEL;
constexpr unsigned kOkBox = platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;
constexpr unsigned kOkCancelBox = platform::MB_OKCANCEL | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;
const char* const kDuplicateMembers =
    "Duplicate Members Present \nClick OK to delete them or\nclick CANCEL to stop the analysis";
const char* const kZeroLength =
    "Zero Length Members Present \nClick OK to delete them or\nclick CANCEL to stop the analysis";
const char* const kStrayJoints =
    "Stray Joints Present \nClick OK to delete the stray joints or\nclick CANCEL to stop the analysis";
const char* const kWorked = ">>>> It Worked! <<<<";
const char* const kNoMembers = "No Members Present \nCanceling the analysis";

inline void AddJoint(float x, float y, float z, short held)
{
    JointRec& jt = g_Joints[++g_nJoints];
    jt.x = x, jt.y = y, jt.z = z;
    for (int d = 0; d < 6; ++d) (&jt.restraintTX)[d] = held;
}

inline void AddMember(int a, int b, short shape = 2, short material = 1)
{
    MemberRec& m = g_Members[++g_nMembers] = MemberRec();
    m.jointA = static_cast<short>(a), m.jointB = static_cast<short>(b), m.shape = shape, m.material = material;
}

// A 5 in 1/8 x 1/8 balsa cantilever along x, tip load: -0.01 lbs passes, -1 breaks it, -3 bends it past 10 in.
inline void BuildCantilever(float tipLoad)
{
    AddJoint(0, 0, 0, 1);
    AddJoint(5, 0, 0, 0);
    AddMember(1, 2);
    g_Joints[2].forceY = tipLoad;
}

inline int HaltCount()
{
    return g_bHaltUnstable + g_bHaltLargeDisplacements + g_bHaltIncorrectModel + g_bHaltInadequateSupport;
}

class RunAnalysisTest : public Tf3dTest {
protected:
    void SetUp() override { Tf3dTest::SetUp(); Restart(); }
    void Restart()
    {
        ResetAllGlobals();
        ResetAllShapes();
        ResetAllMaterials();
        backend.Clear();
    }
    Texts TextsOf(Event::Kind kind) const
    {
        Texts out;
        for (const Event& e : backend.events)
            if (e.kind == kind) out.push_back(e.text);
        return out;
    }
    // Runs the command on a fresh record with these box answers; gives the box texts.
    Texts Run(std::initializer_list<int> answers = {})
    {
        backend.Clear();
        backend.ScriptAnswers(answers);
        RunTheAnalysis();
        return TextsOf(Event::Box);
    }
    bool Solved() const { return backend.Count(Event::Cursor) > 0; }
    // The command shows exactly these boxes (of this style, if given) and solves nothing.
    void ExpectRefusal(const Texts& texts, std::initializer_list<int> answers = {}, unsigned flags = 0)
    {
        EXPECT_EQ(Run(answers), texts);
        for (const Event& e : backend.Boxes()) EXPECT_TRUE(flags == 0 || e.flags == flags) << e.text;
        EXPECT_FALSE(Solved());
    }
};
