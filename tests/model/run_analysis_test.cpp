#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "frame/tool_modes.h"
#include "model/defaults.h"
#include "model/run_analysis.h"
#include "model/strength.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"

namespace {

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

void AddJoint(float x, float y, float z, short held)
{
    JointRec& jt = g_Joints[++g_nJoints];
    jt.x = x, jt.y = y, jt.z = z;
    for (int d = 0; d < 6; ++d) (&jt.restraintTX)[d] = held;
}

void AddMember(int a, int b, short shape = 2, short material = 1)
{
    MemberRec& m = g_Members[++g_nMembers] = MemberRec();
    m.jointA = static_cast<short>(a), m.jointB = static_cast<short>(b), m.shape = shape, m.material = material;
}

// A 5 in 1/8 x 1/8 balsa cantilever along x, tip load: -0.01 lbs passes, -1 breaks it, -3 bends it past 10 in.
void BuildCantilever(float tipLoad)
{
    AddJoint(0, 0, 0, 1);
    AddJoint(5, 0, 0, 0);
    AddMember(1, 2);
    g_Joints[2].forceY = tipLoad;
}

int HaltCount()
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

TEST_F(RunAnalysisTest, NothingToAnalyseOrTruckOffTheBridgeStops)
{
    AddJoint(0, 0, 0, 1);  // no members: told, nothing else happens
    g_fAnimMagnification = 3;
    ExpectRefusal({kNoMembers}, {}, kOkBox);
    EXPECT_EQ(V(backend.events.size(), g_fAnimMagnification, g_bCrackSoundPending), V(1, 3, 0));
    Restart();  // breaking force with only generated loads: nothing to scale
    BuildCantilever(0);
    g_Joints[2].truckLoad = -5, g_Joints[2].windLoad = 2;
    g_bBreakingForcesActive = 1;
    g_fTotalLoadX = g_fTotalLoadY = g_fTotalLoadZ = 7;
    ExpectRefusal({"No Joint Forces Present \nFind Breaking Force(s) scales only the forces\n"
                   "applied to joints\nCanceling the analysis"},
                  {}, kOkBox);
    EXPECT_EQ(V(backend.events.size(), g_bCrackSoundPending, g_fTotalLoadX, g_fTotalLoadY, g_fTotalLoadZ,
                g_Joints[2].truckLoad), V(1, 0, 0, 0, 0, -5));

    Restart();  // the truck off the bridge: the cursor comes back and the user is told
    BuildCantilever(-0.01f);
    g_bTruckActive = g_bMemberResultsValid = 1;
    g_fTruckX = g_fTruckMinX = 12;
    g_Joints[2].windLoad = 4;
    ASSERT_EQ(Run(), Texts{"The truck is not on the bridge \nCanceling the analysis"});
    EXPECT_EQ(backend.Boxes()[0].flags, kOkBox);
    ASSERT_EQ(backend.Count(Event::Cursor), 2);
    EXPECT_EQ(backend.events[0].id, g_hWaitCursor);
    EXPECT_EQ(backend.cursor, platform::CURSOR_ARROW);
    // Generated loads were cleared; nothing redrawn or played.
    EXPECT_EQ(V(g_Joints[2].windLoad, g_bMemberResultsValid, backend.Count(Event::Sound),
                backend.Count(Event::InvalidateFrame)), V(0, 1, 0, 0));
}

TEST_F(RunAnalysisTest, RefusalsShowTheirMessageAndStop)
{
    // Limits come before anything else: full member table with duplicates.
    for (int j = 1; j <= 3; ++j) AddJoint(0, 0, 0, 0);
    while (g_nMembers < MAX_MEMBERS) AddMember(1, 2);
    ExpectRefusal({"Maximum Number of Members = 900\n"});
    EXPECT_EQ(g_bCrackSoundPending, 1);
    g_nMembers = 1;
    while (g_nJoints < MAX_JOINTS) AddJoint(0, 0, 0, 0);
    ExpectRefusal({"Maximum Number of Joints = 400\n"});
    Restart();  // too tall a section beats an earlier failing test
    BuildCantilever(-0.01f);
    g_Shapes[2].height = 1.3f, g_Shapes[2].area = 0;
    ExpectRefusal({"Trussforge3D is NOT for Professional Use"}, {}, kOkBox);
    EXPECT_EQ(backend.Boxes().at(0).caption, "Trussforge3D");
    g_Shapes[2].height = 0.125f;  // a property too small to analyse: the last member with one is named
    AddMember(1, 2, 2, 3);
    g_Materials[3].density = -0.5f;
    const char* const end = ";\nit must be at least 1e-08.\nCanceling the analysis";
    ExpectRefusal({std::string("Member 2 cannot be analysed:\nthe Density of its material 3 \"BalsaD1.2\" is -0.5") + end},
                  {}, kOkBox);
    g_nMembers = 1;
    ExpectRefusal({std::string("Member 1 cannot be analysed:\nthe Area of its shape 2 \"1/8x1/8\" is 0") + end});
    g_Shapes[2].area = 0.015625f;  // material rows of the wrong unit system
    SetMetricUnits(1);
    ResetAllShapes();
    ExpectRefusal({"Inconsistent Member Properties\nCanceling the analysis"});
    Restart();  // duplicate joints; three halt flags are cleared first, inadequate support stays
    BuildCantilever(-0.01f);
    AddJoint(5, 0, 0, 0);
    AddMember(1, 3);
    g_bHaltUnstable = g_bHaltLargeDisplacements = g_bHaltIncorrectModel = g_bHaltInadequateSupport = 1;
    ExpectRefusal({"Duplicate Joints Present \nCanceling the analysis"}, {}, kOkBox);
    EXPECT_EQ(V(g_Joints[2].mark, HaltCount(), g_bHaltInadequateSupport), V(1, 1, 1));
}

TEST_F(RunAnalysisTest, CleanUpQuestionCancelKeepsTheModelOkDeletes)
{
    const struct { void (*addFault)(); const char* text; int* listFlag; } cases[] = {
        {[] { AddMember(2, 1); AddMember(1, 2); }, kDuplicateMembers, &g_bListMembersBuilt},
        {[] { AddMember(2, 2); }, kZeroLength, &g_bListMembersBuilt},
        {[] { AddJoint(9, 9, 9, 0); }, kStrayJoints, &g_bListJointsBuilt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Restart();
        BuildCantilever(-0.01f);
        c.addFault();
        const int members = g_nMembers, joints = g_nJoints;
        *c.listFlag = 1;
        ExpectRefusal({c.text}, {kCancel}, kOkCancelBox);
        EXPECT_EQ(V(g_nMembers, g_nJoints, *c.listFlag), V(members, joints, 1));
        EXPECT_EQ(Run({kOk}), Texts{c.text});
        EXPECT_EQ(V(g_nMembers, g_nJoints, *c.listFlag, Solved(), backend.unscriptedBoxes), V(1, 2, 0, 1, 0));
    }
}

TEST_F(RunAnalysisTest, CleanUpQuestionsComeInOrder)
{
    BuildCantilever(-0.01f);
    AddJoint(9, 9, 9, 0);  // stray
    AddMember(1, 1);       // zero length
    AddMember(2, 1);       // duplicate of member 1
    EXPECT_EQ(Run({kOk, kOk, kOk}), (Texts{kDuplicateMembers, kZeroLength, kStrayJoints}));
    EXPECT_EQ(V(g_nMembers, g_nJoints, Solved()), V(1, 2, 1));
    Restart();  // nothing left after the clean-up ends the command
    AddJoint(0, 0, 0, 1);
    AddMember(1, 1);
    ExpectRefusal({kZeroLength, kStrayJoints, kNoMembers}, {kOk, kOk});
    EXPECT_EQ(g_nMembers + g_nJoints, 0);
}

TEST_F(RunAnalysisTest, PassingRunWorksAnimatesAndCheers)
{
    BuildCantilever(-0.01f);
    g_bModeAddJoint = g_Joints[1].mark = 1;
    g_Members[1].intact = 0;
    g_bAnimateDisplacement = 1;  // collapse animation is on by default
    g_nAnimInterval = 50;
    Run();
    EXPECT_EQ(V(g_bModelFailed, g_bMemberFailed, g_bResultsAvailable, g_bMemberResultsValid, g_bJointResultsValid,
                g_bModeAddJoint, g_Joints[1].mark, g_Members[1].intact, g_bAnimationRunning),
              V(0, 0, 0, 1, 1, 0, 0, 1, 1));
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    const float ratio = g_Members[1].governingRatios[G_MZZ];
    EXPECT_TRUE(g_Joints[2].dispY < 0 && g_Members[1].ultTension > 0 && ratio > 0 && ratio < 1) << ratio;
    std::vector<Event::Kind> kinds;
    for (const Event& e : backend.events) kinds.push_back(e.kind);
    ASSERT_EQ(kinds, (std::vector<Event::Kind>{Event::Cursor, Event::SetTimer, Event::SetTimer, Event::Cursor,
                                               Event::InvalidateFrame, Event::Sound}));
    EXPECT_EQ(V(backend.events[1].id, backend.events[1].flags, backend.events[2].id), V(3, 50, 4));
    EXPECT_EQ(backend.events[5].text, "IDR_WAVE_CHEERS");
}

TEST_F(RunAnalysisTest, NoAnimationShowsTheDisplacedShapeAtOnce)
{
    BuildCantilever(-0.01f);
    g_bAnimateCollapse = g_bSoundOn = 0;
    g_bNoAnimation = 1;
    g_fMagnification = 20;
    g_bListMembersBuilt = g_bListResultMembersBuilt = g_bListJointsBuilt = g_bListLoadsBuilt = g_bListSupportsBuilt = 1;
    Run();
    const int lists = g_bListMembersBuilt + g_bListResultMembersBuilt + g_bListJointsBuilt + g_bListLoadsBuilt +
                      g_bListSupportsBuilt;
    EXPECT_EQ(V(backend.Count(Event::SetTimer) + backend.Count(Event::Sound) + g_bAnimationRunning,
                backend.Count(Event::InvalidateFrame), g_fAnimMagnification, g_bShowUndeformed, g_bShowDisplacedShape,
                lists), V(0, 2, 20, 0, 1, 0));
    EXPECT_FLOAT_EQ(g_Joints[2].displacedY, 20 * g_Joints[2].dispY);
}

TEST_F(RunAnalysisTest, SolverHaltsInvalidateTheResults)
{
    const struct { void (*spoil)(); int* halt; const char* prompt; short tipMark; } cases[] = {
        {[] { g_Joints[2].forceY = -3; }, &g_bHaltLargeDisplacements,
         ">>>> Large Displacements - Analysis Halted! <<<<", 1},
        {[] { MemberRec& m = g_Members[1]; m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 0; },
         &g_bHaltUnstable, ">>>> Structure Unstable - Analysis Halted! <<<<", 1},
        {[] { JointRec& j = g_Joints[1]; j.restraintTZ = j.restraintRX = j.restraintRY = j.restraintRZ = 0; },
         &g_bHaltInadequateSupport, ">>>> Inadequate Support - Analysis Halted! <<<<", 0},  // two held
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompt);
        Restart();
        BuildCantilever(-0.01f);
        c.spoil();
        g_bMemberResultsValid = g_bJointResultsValid = 1;
        Run();
        EXPECT_EQ(V(*c.halt, HaltCount(), g_bModelFailed, g_bMemberResultsValid + g_bJointResultsValid,
                    g_Members[1].intact, g_Joints[2].mark, backend.Count(Event::SetTimer) + backend.Count(Event::Sound),
                    backend.Count(Event::InvalidateFrame)), V(1, 1, 1, 0, 1, c.tipMark, 0, 1));
        EXPECT_EQ(g_strStatusPrompt, c.prompt);
    }
    JointRec& j = g_Joints[1];  // A later good run clears the halt.
    j.restraintTZ = j.restraintRX = j.restraintRY = j.restraintRZ = 1;
    Run();
    EXPECT_EQ(V(HaltCount() + g_bModelFailed, g_bJointResultsValid), V(0, 1));
}

TEST_F(RunAnalysisTest, BreakingForceScalesNothingWithoutAUsableRatio)
{
    BuildCantilever(-3.0f);  // after a halt there are no ratios of this run
    g_bBreakingForcesActive = 1;
    Run();
    EXPECT_EQ(V(g_bHaltLargeDisplacements, g_Joints[2].forceY, g_fTotalLoadY), V(1, -3, 0));
    Restart();  // the only applied force sits on the fixed joint: every ratio is 0
    BuildCantilever(0);
    g_Joints[1].forceY = -2;
    g_bIncludeSelfWeight = 0;
    g_bBreakingForcesActive = 1;
    Run();
    EXPECT_EQ(V(MaxStrengthRatio(), g_Joints[1].forceY, g_fTotalLoadY, g_bModelFailed), V(0, -2, 0, 0));
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    UpdateStatusPrompt();  // outside the run the breaking-force line shows
    EXPECT_EQ(g_strStatusPrompt, " Force magnitude(s) set to breaking ! ");
    Restart();  // a load so small that 1/ratio overflows: nothing scaled, every result finite
    BuildCantilever(-1e-42f);
    g_bIncludeSelfWeight = 0;
    g_bBreakingForcesActive = 1;
    Run();
    EXPECT_GT(MaxStrengthRatio(), 0);
    EXPECT_EQ(V(g_Joints[2].forceY, g_bMemberResultsValid, g_bModelFailed), V(-1e-42f, 1, 0));
    EXPECT_TRUE(std::isfinite(g_Joints[2].dispY) && std::isfinite(g_Members[1].endForces[0]));
}

// ---- project templates ----

class TemplateAnalysisTest : public RunAnalysisTest {
protected:
    // Bridge with the truck at x 18.
    void BuildBridgeProject()
    {
        Restart();
        g_bUseTruck = 1;
        BuildBridgeTemplate();
        SetDefaultViewSettings();
        OrientDeckMembers();
        FindDeckExtent();
        PlaceTruckAtStart();
        g_bTruckActive = 1;
        g_fTruckX = 18;
    }
    void BuildTowerProject(bool legs)
    {
        Restart();
        SetupTowerProject();
        g_bUseFan = g_bTowerProject = 1;
        for (int k = 1; legs && k <= 4; ++k) AddMember(k, k + 4, 9, 7);
    }
    static float Sum(float JointRec::*field)
    {
        float s = 0;
        for (int j = 1; j <= g_nJoints; ++j) s += g_Joints[j].*field;
        return s;
    }
};

TEST_F(TemplateAnalysisTest, BridgeWithTruck)
{
    BuildBridgeProject();
    Run();
    EXPECT_EQ(V(backend.Count(Event::Box), HaltCount(), g_bMemberResultsValid, g_bModelFailed,
                Sum(&JointRec::windLoad)), V(0, 0, 1, 0, 0));
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -(3.5f + 7.0f), 1e-4f);  // all four wheels on the deck
    EXPECT_TRUE(g_nTruckJoint1 != 0 && g_nTruckJoint2 != 0 && Sum(&JointRec::selfWeightLoad) < 0 &&
                g_Joints[7].dispY < 0 && g_Joints[22].dispY < 0);
    // Each flat 1/8 x 3/8 chord spans 12.5 in with 1.75 and 3.5 lbs at the
    // wheels: about 7.2 in-lbs under the front wheel (x = 16.94) against
    // Sy x Fb = 9.7656e-4 x 8800 = 8.59 in-lbs.
    EXPECT_NEAR(MaxStrengthRatio(), 0.84f, 0.02f);
    // Members 6 (joints 6-7) and 20 (joints 21-22).
    EXPECT_GT(std::min(g_Members[6].governingRatios[G_MYY], g_Members[20].governingRatios[G_MYY]), 0.8f);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    EXPECT_EQ(TextsOf(Event::Sound), Texts{"IDR_WAVE_CHEERS"});
}

TEST_F(TemplateAnalysisTest, BridgeBreakingForce)
{
    float m = 0;
    for (int breaking : {0, 1}) {
        BuildBridgeProject();
        g_Joints[8].forceY = g_Joints[23].forceY = -0.5f;
        g_Joints[23].forceZ = 0.25f;
        g_bBreakingForcesActive = breaking;
        g_fTotalLoadY = 99;
        Run();
        ASSERT_EQ(HaltCount(), 0);
        if (!breaking) m = MaxStrengthRatio();
    }
    ASSERT_GT(m, 0);
    const float f = 1.0f / m + 0.0051f;
    const float scaled[][2] = {{g_Joints[8].forceY, -0.5f * f}, {g_Joints[23].forceZ, 0.25f * f},
                               {g_fTotalLoadY, -0.5f * f + -0.5f * f}, {g_fTotalLoadZ, 0.25f * f}, {g_fTotalLoadX, 0}};
    for (const auto& s : scaled) EXPECT_FLOAT_EQ(s[0], s[1]);
    EXPECT_EQ(V(g_bModelFailed + g_bMemberFailed, g_bMemberResultsValid, backend.Count(Event::Sound)), V(2, 1, 0));
    EXPECT_NEAR(MaxStrengthRatio(), 1 + 0.0051f * m, 1e-4f * (1 + m));
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -10.5f, 1e-4f);  // generated loads are not scaled
    EXPECT_EQ(g_strStatusPrompt, "Ready");  // breaking force on and no halt: the prompt keeps the (cleared) tool text
}

TEST_F(TemplateAnalysisTest, TowerBareAndWithLegsUnderTheFan)
{
    BuildTowerProject(false);
    ExpectRefusal({kStrayJoints}, {kCancel});
    EXPECT_EQ(g_nJoints, 8);
    Run({kOk});  // without its feet the platform has no support
    EXPECT_EQ(V(g_nJoints, g_bHaltInadequateSupport, backend.Count(Event::SetTimer)), V(4, 1, 0));
    EXPECT_EQ(g_strStatusPrompt, ">>>> Inadequate Support - Analysis Halted! <<<<");

    BuildTowerProject(true);  // with legs under the fan
    Run();
    EXPECT_EQ(V(backend.Count(Event::Box), HaltCount(), g_bFanSpinning, g_bMemberResultsValid), V(0, 0, 1, 1));
    // Wind on the platform joints pushes the tower along +x.
    EXPECT_TRUE(g_Joints[5].windLoad > 0 && g_Joints[5].dispX > 0 && g_Joints[8].dispX > 0);
    // The legs (members 6 to 9, foot to top) carry the platform joints' vertical loads to the feet.
    float legs = 0, top = 0;
    for (int i = 6; i <= 9; ++i) legs += g_Members[i].endForces[EF_AXIAL1];
    for (int j = 5; j <= 8; ++j) top += g_Joints[j].forceY + g_Joints[j].truckLoad + g_Joints[j].selfWeightLoad;
    EXPECT_NEAR(legs, -top, 1e-3f);
    // Overturning: the windward legs 6 and 7 (feet at x = 18) pull, the
    // leeward legs (x = 22) push past their buckling load of about 5 lbs.
    for (int i = 6; i <= 9; ++i) {
        EXPECT_EQ(g_Members[i].intact, i <= 7 ? 1 : 0) << i;
        EXPECT_TRUE(i <= 7 ? g_Members[i].endForces[EF_AXIAL1] < 0 : g_Members[i].ratios1[R_A] > 1) << i;
    }
    EXPECT_EQ(g_bModelFailed + g_bMemberFailed, 2);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Undersized! <<<<");
    // The collapse animation still runs; no fan, no cheers.
    EXPECT_EQ(V(backend.Count(Event::SetTimer), backend.Timers().at(0).id, backend.Count(Event::Sound)), V(1, 4, 0));
    BuildTowerProject(true);  // A tower that holds starts the fan timer instead of the cheers.
    g_fWindSpeed = 20;
    g_bAnimateCollapse = 0;
    g_nAnimInterval = 40;
    Run();
    ASSERT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    EXPECT_EQ(V(backend.Count(Event::SetTimer), backend.Timers().at(0).id, backend.Timers().at(0).flags,
                g_bAnimationRunning, backend.Count(Event::Sound)), V(1, 5, 40, 1, 0));
}

// The outcome table of the manual lists exactly the prompts that Run the
// Analysis leaves (the tool text, "Ready" after it, aside).
TEST_F(RunAnalysisTest, TheManualListsTheOutcomePromptsOfTheAnalysis)
{
    std::set<std::string> shown;
    int* const halts[] = {nullptr, &g_bHaltUnstable, &g_bHaltLargeDisplacements, &g_bHaltIncorrectModel,
                          &g_bHaltInadequateSupport};
    for (int failed : {0, 1})
        for (int breaking : {0, 1})
            for (int* halt : halts) {
                Restart();
                g_bResultsAvailable = 1, g_bModelFailed = failed, g_bBreakingForcesActive = breaking;
                if (halt) *halt = 1;
                UpdateStatusPrompt();
                if (g_strStatusPrompt != "Ready") shown.insert(g_strStatusPrompt);
            }
    std::ifstream in(std::string(TF3D_SOURCE_DIR) + "/docs/manual.html");
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t from = html.find("shows it in the prompt:"), to = html.find("</table>", from);
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos);
    std::set<std::string> listed;
    for (size_t a = html.find("<code>", from); a < to; a = html.find("<code>", a + 1)) {
        std::string text = html.substr(a + 6, html.find("</code>", a) - a - 6);
        for (const auto& [entity, c] : {std::pair<std::string, char>{"&gt;", '>'}, {"&lt;", '<'}})
            for (size_t k; (k = text.find(entity)) != std::string::npos;) text.replace(k, entity.size(), 1, c);
        listed.insert(text);
    }
    EXPECT_EQ(listed, shown);
}

}  // namespace
