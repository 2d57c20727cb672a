#include <string>
#include <vector>

#include "files/clear_model.h"
#include "frame/frame_globals.h"
#include "frame/tool_modes.h"
#include "model/defaults.h"
#include "model/run_analysis.h"
#include "model/strength.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

using platform::Event;

constexpr unsigned kOkBox = platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;
constexpr unsigned kOkCancelBox =
    platform::MB_OKCANCEL | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;

const char* const kDuplicateMembers =
    "Duplicate Members Present \nClick OK to delete them or\nclick CANCEL to stop the analysis";
const char* const kZeroLength =
    "Zero Length Members Present \nClick OK to delete them or\nclick CANCEL to stop the analysis";
const char* const kStrayJoints =
    "Stray Joints Present \nClick OK to delete the stray joints or\nclick CANCEL to stop the analysis";

class RunAnalysisTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetAllShapes();
        ResetAllMaterials();
    }

    static int AddJoint(float x, float y, float z, short held)
    {
        const int j = ++g_nJoints;
        JointRec& jt = g_Joints[j];
        jt.x = x;
        jt.y = y;
        jt.z = z;
        jt.restraintTX = jt.restraintTY = jt.restraintTZ = held;
        jt.restraintRX = jt.restraintRY = jt.restraintRZ = held;
        return j;
    }
    static int AddMember(int a, int b, short shape = 2, short material = 1)
    {
        const int i = ++g_nMembers;
        MemberRec& m = g_Members[i];
        m.jointA = static_cast<short>(a);
        m.jointB = static_cast<short>(b);
        m.shape = shape;
        m.material = material;
        m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 1;
        m.negated = m.hidden = 0;
        return i;
    }
    // A 5-inch 1/8 x 1/8 balsa cantilever along x with a vertical tip load:
    // -0.01 lbs passes, -1 lbs breaks it, -3 lbs bends it past 10 inches.
    static void BuildCantilever(float tipLoad)
    {
        AddJoint(0, 0, 0, 1);
        AddJoint(5, 0, 0, 0);
        AddMember(1, 2);
        g_Joints[2].forceY = tipLoad;
    }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> out;
        for (const Event& e : backend.Boxes()) out.push_back(e.text);
        return out;
    }
    std::vector<Event::Kind> Kinds() const
    {
        std::vector<Event::Kind> out;
        for (const Event& e : backend.events) out.push_back(e.kind);
        return out;
    }
    bool Solved() const { return backend.Count(Event::Cursor) > 0; }
};

// ---- refusals and clean-up questions ----

TEST_F(RunAnalysisTest, NoMembersDoesNothing)
{
    AddJoint(0, 0, 0, 1);
    g_fAnimMagnification = 3;
    RunTheAnalysis();
    EXPECT_TRUE(backend.events.empty());
    EXPECT_FLOAT_EQ(g_fAnimMagnification, 3);
    EXPECT_EQ(g_bCrackSoundPending, 0);
}

TEST_F(RunAnalysisTest, BreakingForceWithoutAppliedForcesDoesNothing)
{
    BuildCantilever(0);
    g_Joints[2].truckLoad = -5;  // generated loads do not count
    g_Joints[2].windLoad = 2;
    g_bBreakingForcesActive = 1;
    g_fTotalLoadX = g_fTotalLoadY = g_fTotalLoadZ = 7;
    RunTheAnalysis();
    EXPECT_TRUE(backend.events.empty());
    EXPECT_EQ(g_bCrackSoundPending, 0);
    EXPECT_FLOAT_EQ(g_fTotalLoadX + g_fTotalLoadY + g_fTotalLoadZ, 0);
    EXPECT_FLOAT_EQ(g_Joints[2].truckLoad, -5);
}

TEST_F(RunAnalysisTest, LimitsAreCheckedBeforeAnythingElse)
{
    // Full member table with duplicate joints and members.
    for (int j = 1; j <= 3; ++j) AddJoint(0, 0, 0, 0);
    while (g_nMembers < MAX_MEMBERS) AddMember(1, 2);
    RunTheAnalysis();
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Maximum Number of Members = MAX_MEMBERS\n"});
    EXPECT_EQ(g_bCrackSoundPending, 1);
    EXPECT_FLOAT_EQ(g_fAnimMagnification, 0);
    EXPECT_FALSE(Solved());

    backend.Clear();
    g_nMembers = 1;
    while (g_nJoints < MAX_JOINTS) AddJoint(0, 0, 0, 0);
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Maximum Number of Joints = MAX_JOINTS\n"});
    EXPECT_EQ(g_nJoints, MAX_JOINTS);
    EXPECT_FALSE(Solved());
}

TEST_F(RunAnalysisTest, SectionPropertyRefusals)
{
    BuildCantilever(-0.01f);
    g_Shapes[2].height = 1.3f;
    g_Shapes[2].area = 0;  // an earlier failing test does not matter
    RunTheAnalysis();
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "Trussforge3D is NOT for Professional Use");
    EXPECT_EQ(backend.Boxes()[0].caption, "Trussforge3D");
    EXPECT_EQ(backend.Boxes()[0].flags, kOkBox);
    EXPECT_FALSE(Solved());

    // A tiny area ends the command without a message.
    backend.Clear();
    g_Shapes[2].height = 0.125f;
    RunTheAnalysis();
    EXPECT_TRUE(backend.events.empty());

    // Material rows of the wrong unit system.
    backend.Clear();
    g_Shapes[2].area = 0.015625f;
    SetMetricUnits(1);
    ResetAllShapes();
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"Inconsistent Member Properties\nCanceling the analysis"});
    EXPECT_FALSE(Solved());
}

TEST_F(RunAnalysisTest, DuplicateJointsCancelTheAnalysis)
{
    BuildCantilever(-0.01f);
    AddJoint(5, 0, 0, 0);
    AddMember(1, 3);
    g_bHaltUnstable = g_bHaltLargeDisplacements = g_bHaltIncorrectModel = 1;
    g_bHaltInadequateSupport = 1;
    RunTheAnalysis();
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "Duplicate Joints Present \nCanceling the analysis");
    EXPECT_EQ(backend.Boxes()[0].flags, kOkBox);
    EXPECT_EQ(g_Joints[2].mark, 1);
    EXPECT_FALSE(Solved());
    // Three halt flags are cleared before the checks; inadequate support stays.
    EXPECT_EQ(g_bHaltUnstable + g_bHaltLargeDisplacements + g_bHaltIncorrectModel, 0);
    EXPECT_EQ(g_bHaltInadequateSupport, 1);
}

TEST_F(RunAnalysisTest, CleanUpQuestionCancelKeepsTheModelOkDeletes)
{
    struct Case {
        void (*addFault)();
        const char* text;
        int members, joints;  // counts after OK
        int* listFlag;
    };
    const Case cases[] = {
        {[] { AddMember(2, 1); AddMember(1, 2); }, kDuplicateMembers, 1, 2, &g_bListMembersBuilt},
        {[] { AddMember(2, 2); }, kZeroLength, 1, 2, &g_bListMembersBuilt},
        {[] { AddJoint(9, 9, 9, 0); }, kStrayJoints, 1, 2, &g_bListJointsBuilt},
    };
    for (const Case& c : cases) {
        ResetAllGlobals();
        ResetAllShapes();
        ResetAllMaterials();
        BuildCantilever(-0.01f);
        c.addFault();
        const int members = g_nMembers, joints = g_nJoints;
        *c.listFlag = 1;

        backend.Clear();
        backend.ScriptAnswers({platform::IDCANCEL});
        RunTheAnalysis();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.text});
        EXPECT_EQ(backend.Boxes()[0].flags, kOkCancelBox);
        EXPECT_EQ(g_nMembers, members) << c.text;
        EXPECT_EQ(g_nJoints, joints) << c.text;
        EXPECT_EQ(*c.listFlag, 1) << c.text;
        EXPECT_FALSE(Solved()) << c.text;

        backend.Clear();
        backend.ScriptAnswers({platform::IDOK});
        RunTheAnalysis();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.text});
        EXPECT_EQ(g_nMembers, c.members) << c.text;
        EXPECT_EQ(g_nJoints, c.joints) << c.text;
        EXPECT_EQ(*c.listFlag, 0) << c.text;
        EXPECT_TRUE(Solved()) << c.text;
        EXPECT_EQ(backend.unscriptedBoxes, 0);
    }
}

TEST_F(RunAnalysisTest, CleanUpQuestionsComeInOrder)
{
    BuildCantilever(-0.01f);
    AddJoint(9, 9, 9, 0);  // stray
    AddMember(1, 1);       // zero length
    AddMember(2, 1);       // duplicate of member 1
    backend.ScriptAnswers({platform::IDOK, platform::IDOK, platform::IDOK});
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kDuplicateMembers, kZeroLength, kStrayJoints}));
    EXPECT_EQ(g_nMembers, 1);
    EXPECT_EQ(g_nJoints, 2);
    EXPECT_TRUE(Solved());
    EXPECT_EQ(g_bModelFailed, 0);
}

TEST_F(RunAnalysisTest, NothingLeftAfterCleanUpEndsTheCommand)
{
    AddJoint(0, 0, 0, 1);
    AddMember(1, 1);
    backend.ScriptAnswers({platform::IDOK, platform::IDOK});
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kZeroLength, kStrayJoints}));
    EXPECT_EQ(g_nMembers, 0);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_FALSE(Solved());
}

TEST_F(RunAnalysisTest, TruckOffTheBridgeRestoresTheCursorAndStops)
{
    BuildCantilever(-0.01f);
    g_bTruckActive = 1;
    g_fTruckX = g_fTruckMinX = 12;
    g_bMemberResultsValid = 1;
    g_Joints[2].windLoad = 4;
    RunTheAnalysis();
    ASSERT_EQ(backend.Count(Event::Cursor), 2);
    EXPECT_EQ(backend.events[0].id, g_hWaitCursor);
    EXPECT_EQ(backend.cursor, platform::CURSOR_ARROW);
    EXPECT_FLOAT_EQ(g_Joints[2].windLoad, 0);  // generated loads were cleared
    EXPECT_EQ(g_bMemberResultsValid, 1);
    EXPECT_EQ(backend.Count(Event::Sound), 0);
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 0);
}

// ---- outcomes ----

TEST_F(RunAnalysisTest, PassingRunWorksAnimatesAndCheers)
{
    BuildCantilever(-0.01f);
    g_bModeAddJoint = 1;
    g_Joints[1].mark = 1;
    g_Members[1].intact = 0;
    g_bAnimateDisplacement = 1;  // collapse animation is on by default
    g_nAnimInterval = 50;
    RunTheAnalysis();

    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_bMemberFailed, 0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    EXPECT_EQ(g_bJointResultsValid, 1);
    EXPECT_EQ(g_bResultsAvailable, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    EXPECT_EQ(g_bModeAddJoint, 0);
    EXPECT_EQ(g_Joints[1].mark, 0);
    EXPECT_EQ(g_Members[1].intact, 1);
    EXPECT_LT(g_Joints[2].dispY, 0);
    EXPECT_GT(g_Members[1].ultTension, 0);
    EXPECT_GT(g_Members[1].governingRatios[G_MZZ], 0);
    EXPECT_LT(g_Members[1].governingRatios[G_MZZ], 1);
    EXPECT_EQ(g_bAnimationRunning, 1);

    const std::vector<Event::Kind> expected = {Event::Cursor, Event::SetTimer, Event::SetTimer,
                                               Event::Cursor, Event::InvalidateFrame, Event::Sound};
    ASSERT_EQ(Kinds(), expected);
    EXPECT_EQ(backend.events[1].id, 3);
    EXPECT_EQ(backend.events[1].flags, 50u);
    EXPECT_EQ(backend.events[2].id, 4);
    EXPECT_EQ(backend.events[5].text, "IDR_WAVE_CHEERS");
}

TEST_F(RunAnalysisTest, NoAnimationShowsTheDisplacedShapeAtOnce)
{
    BuildCantilever(-0.01f);
    g_bAnimateCollapse = 0;
    g_bNoAnimation = 1;
    g_fMagnification = 20;
    g_bListMembersBuilt = g_bListResultMembersBuilt = g_bListJointsBuilt = 1;
    g_bListLoadsBuilt = g_bListSupportsBuilt = 1;
    g_bSoundOn = 0;
    RunTheAnalysis();

    EXPECT_EQ(backend.Count(Event::SetTimer), 0);
    EXPECT_EQ(backend.Count(Event::Sound), 0);
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 2);
    EXPECT_FLOAT_EQ(g_fAnimMagnification, 20);
    EXPECT_FLOAT_EQ(g_Joints[2].displacedY, 20 * g_Joints[2].dispY);
    EXPECT_EQ(g_bShowUndeformed, 0);
    EXPECT_EQ(g_bShowDisplacedShape, 1);
    EXPECT_EQ(g_bListMembersBuilt + g_bListResultMembersBuilt + g_bListJointsBuilt +
                  g_bListLoadsBuilt + g_bListSupportsBuilt,
              0);
    EXPECT_EQ(g_bAnimationRunning, 0);
}

TEST_F(RunAnalysisTest, FanStartsTheFanTimerInsteadOfTheCheers)
{
    BuildCantilever(-0.01f);
    g_bUseFan = 1;
    g_fWindSpeed = 0;
    g_bAnimateCollapse = 0;
    RunTheAnalysis();
    ASSERT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_bFanSpinning, 1);
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_EQ(backend.Timers()[0].id, 5);
    EXPECT_EQ(backend.Timers()[0].flags, static_cast<unsigned>(g_nAnimInterval));
    EXPECT_EQ(backend.Count(Event::Sound), 0);
    EXPECT_EQ(g_bAnimationRunning, 1);
}

TEST_F(RunAnalysisTest, OverstressedMemberIsUndersized)
{
    BuildCantilever(-1.0f);
    RunTheAnalysis();
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_bMemberFailed, 1);
    EXPECT_EQ(g_Members[1].intact, 0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Undersized! <<<<");
    // The collapse animation still runs; no cheers.
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_EQ(backend.Timers()[0].id, 4);
    EXPECT_EQ(backend.Count(Event::Sound), 0);
}

TEST_F(RunAnalysisTest, LargeDisplacementsHaltTheAnalysis)
{
    BuildCantilever(-3.0f);
    g_bMemberResultsValid = g_bJointResultsValid = 1;
    RunTheAnalysis();
    EXPECT_EQ(g_bHaltLargeDisplacements, 1);
    EXPECT_EQ(g_bHaltUnstable + g_bHaltIncorrectModel + g_bHaltInadequateSupport, 0);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_bMemberResultsValid, 0);
    EXPECT_EQ(g_bJointResultsValid, 0);
    EXPECT_EQ(g_Joints[2].mark, 1);
    EXPECT_EQ(g_Members[1].intact, 1);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Large Displacements - Analysis Halted! <<<<");
    EXPECT_EQ(backend.Count(Event::SetTimer), 0);
    EXPECT_EQ(backend.Count(Event::Sound), 0);
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 1);
}

TEST_F(RunAnalysisTest, UnstableModelHalts)
{
    BuildCantilever(-0.01f);
    MemberRec& m = g_Members[1];
    m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 0;
    RunTheAnalysis();
    EXPECT_EQ(g_bHaltUnstable, 1);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_bMemberResultsValid, 0);
    EXPECT_EQ(g_Joints[2].mark, 1);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Structure Unstable - Analysis Halted! <<<<");
}

TEST_F(RunAnalysisTest, InadequateSupportHalts)
{
    BuildCantilever(-0.01f);
    JointRec& j = g_Joints[1];
    j.restraintRX = j.restraintRY = j.restraintRZ = 0;
    j.restraintTZ = 0;  // two restrained degrees of freedom
    RunTheAnalysis();
    EXPECT_EQ(g_bHaltInadequateSupport, 1);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_bJointResultsValid, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Inadequate Support - Analysis Halted! <<<<");

    // A later good run clears the halt.
    backend.Clear();
    j.restraintTZ = j.restraintRX = j.restraintRY = j.restraintRZ = 1;
    RunTheAnalysis();
    EXPECT_EQ(g_bHaltInadequateSupport, 0);
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_bJointResultsValid, 1);
}

TEST_F(RunAnalysisTest, BreakingForceAfterAHaltScalesNothing)
{
    BuildCantilever(-3.0f);
    g_bBreakingForcesActive = 1;
    RunTheAnalysis();
    EXPECT_EQ(g_bHaltLargeDisplacements, 1);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_FLOAT_EQ(g_Joints[2].forceY, -3.0f);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, 0);
}

TEST_F(RunAnalysisTest, BreakingForceScalesTheAppliedForces)
{
    BuildCantilever(-0.01f);
    g_bIncludeSelfWeight = 0;
    RunTheAnalysis();
    const float m = MaxStrengthRatio();
    ASSERT_GT(m, 0);
    ASSERT_LT(m, 1);

    backend.Clear();
    g_bBreakingForcesActive = 1;
    g_fTotalLoadY = 99;
    RunTheAnalysis();
    const float f = 1.0f / m + 0.0051f;
    EXPECT_FLOAT_EQ(g_Joints[2].forceY, -0.01f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, -0.01f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadX, 0);
    EXPECT_NEAR(MaxStrengthRatio(), 1 + 0.0051f * m, 1e-5f);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_bMemberFailed, 1);
    EXPECT_EQ(g_Members[1].intact, 0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    // Breaking force on and no halt: the prompt keeps the (cleared) tool text.
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    EXPECT_EQ(backend.Count(Event::Sound), 0);
}

TEST_F(RunAnalysisTest, BreakingForceWithNoStressScalesNothing)
{
    // The only applied force sits on the fixed joint.
    BuildCantilever(0);
    g_Joints[1].forceY = -2;
    g_bIncludeSelfWeight = 0;
    g_bBreakingForcesActive = 1;
    RunTheAnalysis();
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0);
    EXPECT_FLOAT_EQ(g_Joints[1].forceY, -2);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, 0);
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    // Outside the run the breaking-force line shows.
    UpdateStatusPrompt();
    EXPECT_EQ(g_strStatusPrompt, " Force magnitude(s) set to breaking ! ");
}

// ---- project templates ----

class TemplateAnalysisTest : public RunAnalysisTest {
protected:
    static void BuildBridgeProject()
    {
        ClearModel();
        SetMetricUnits(0);
        g_bUseTruck = 1;
        ResetAllShapes();
        ResetAllMaterials();
        BuildBridgeTemplate();
        SetDefaultViewSettings();
        OrientDeckMembers();
        FindDeckExtent();
        PlaceTruckAtStart();
        g_bTruckActive = 1;
        g_fTruckX = 18;
    }
    static void BuildTowerProject()
    {
        ClearModel();
        SetMetricUnits(0);
        ResetAllShapes();
        ResetAllMaterials();
        SetupTowerProject();
        g_bUseFan = 1;
        g_bTowerProject = 1;
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
    RunTheAnalysis();
    EXPECT_TRUE(backend.Boxes().empty());
    EXPECT_EQ(g_bHaltUnstable + g_bHaltLargeDisplacements + g_bHaltIncorrectModel +
                  g_bHaltInadequateSupport,
              0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    // All four wheels are on the deck.
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -(3.5f + 7.0f), 1e-4f);
    EXPECT_NE(g_nTruckJoint1, 0);
    EXPECT_NE(g_nTruckJoint2, 0);
    EXPECT_LT(Sum(&JointRec::selfWeightLoad), 0);
    EXPECT_FLOAT_EQ(Sum(&JointRec::windLoad), 0);
    // The deck sags under the truck.
    EXPECT_LT(g_Joints[7].dispY, 0);
    EXPECT_LT(g_Joints[22].dispY, 0);

    // Each flat 1/8 x 3/8 chord spans 12.5 in with 1.75 and 3.5 lbs at the
    // wheels: about 7.2 in-lbs under the front wheel (x = 16.94) against
    // Sy x Fb = 9.7656e-4 x 8800 = 8.59 in-lbs.
    EXPECT_NEAR(MaxStrengthRatio(), 0.84f, 0.02f);
    EXPECT_GT(g_Members[6].governingRatios[G_MYY], 0.8f);   // joints 6-7
    EXPECT_GT(g_Members[20].governingRatios[G_MYY], 0.8f);  // joints 21-22
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    ASSERT_EQ(backend.Sounds().size(), 1u);
    EXPECT_EQ(backend.Sounds()[0].text, "IDR_WAVE_CHEERS");
}

TEST_F(TemplateAnalysisTest, BridgeBreakingForce)
{
    BuildBridgeProject();
    g_Joints[8].forceY = -0.5f;
    g_Joints[23].forceY = -0.5f;
    g_Joints[23].forceZ = 0.25f;
    RunTheAnalysis();
    ASSERT_EQ(g_bHaltLargeDisplacements + g_bHaltUnstable, 0);
    const float m = MaxStrengthRatio();
    ASSERT_GT(m, 0);

    BuildBridgeProject();
    g_Joints[8].forceY = -0.5f;
    g_Joints[23].forceY = -0.5f;
    g_Joints[23].forceZ = 0.25f;
    g_bBreakingForcesActive = 1;
    backend.Clear();
    RunTheAnalysis();
    const float f = 1.0f / m + 0.0051f;
    EXPECT_FLOAT_EQ(g_Joints[8].forceY, -0.5f * f);
    EXPECT_FLOAT_EQ(g_Joints[23].forceZ, 0.25f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, -0.5f * f + -0.5f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadZ, 0.25f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadX, 0);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_bMemberFailed, 1);
    EXPECT_NEAR(MaxStrengthRatio(), 1 + 0.0051f * m, 1e-4f * (1 + m));
    // Generated loads are not scaled.
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -10.5f, 1e-4f);
}

TEST_F(TemplateAnalysisTest, BareTowerHasStrayFeet)
{
    BuildTowerProject();
    backend.ScriptAnswers({platform::IDCANCEL});
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kStrayJoints});
    EXPECT_EQ(g_nJoints, 8);
    EXPECT_FALSE(Solved());

    // Without its feet the platform has no support.
    backend.Clear();
    backend.ScriptAnswers({platform::IDOK});
    RunTheAnalysis();
    EXPECT_EQ(g_nJoints, 4);
    EXPECT_EQ(g_bHaltInadequateSupport, 1);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Inadequate Support - Analysis Halted! <<<<");
    EXPECT_EQ(backend.Count(Event::SetTimer), 0);
}

TEST_F(TemplateAnalysisTest, TowerWithLegsUnderTheFan)
{
    BuildTowerProject();
    for (int k = 1; k <= 4; ++k) AddMember(k, k + 4, 9, 7);
    RunTheAnalysis();
    EXPECT_TRUE(backend.Boxes().empty());
    EXPECT_EQ(g_bHaltUnstable + g_bHaltLargeDisplacements + g_bHaltIncorrectModel +
                  g_bHaltInadequateSupport,
              0);
    EXPECT_EQ(g_bFanSpinning, 1);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    // Wind on the platform joints pushes the tower along +x.
    EXPECT_GT(g_Joints[5].windLoad, 0);
    EXPECT_GT(g_Joints[5].dispX, 0);
    EXPECT_GT(g_Joints[8].dispX, 0);

    // The legs (members 6 to 9, foot to top) carry the vertical loads of the
    // platform joints down to the feet.
    float legs = 0, top = 0;
    for (int i = 6; i <= 9; ++i) legs += g_Members[i].endForces[EF_AXIAL1];
    for (int j = 5; j <= 8; ++j)
        top += g_Joints[j].forceY + g_Joints[j].truckLoad + g_Joints[j].selfWeightLoad;
    EXPECT_NEAR(legs, -top, 1e-3f);

    // Overturning: the windward legs (feet at x = 18) pull, the leeward legs
    // (x = 22) push past their buckling load of about 5 lbs.
    EXPECT_LT(g_Members[6].endForces[EF_AXIAL1], 0);
    EXPECT_LT(g_Members[7].endForces[EF_AXIAL1], 0);
    EXPECT_EQ(g_Members[6].intact, 1);
    EXPECT_EQ(g_Members[7].intact, 1);
    EXPECT_GT(g_Members[8].ratios1[R_A], 1);
    EXPECT_GT(g_Members[9].ratios1[R_A], 1);
    EXPECT_EQ(g_Members[8].intact, 0);
    EXPECT_EQ(g_Members[9].intact, 0);
    EXPECT_EQ(g_bModelFailed, 1);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Undersized! <<<<");
    EXPECT_EQ(backend.Count(Event::Sound), 0);
    for (const Event& t : backend.Timers()) EXPECT_NE(t.id, 5);
}

TEST_F(TemplateAnalysisTest, TowerThatHoldsSpinsTheFan)
{
    BuildTowerProject();
    for (int k = 1; k <= 4; ++k) AddMember(k, k + 4, 9, 7);
    g_fWindSpeed = 20;
    g_bAnimateCollapse = 0;
    RunTheAnalysis();
    ASSERT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_EQ(backend.Timers()[0].id, 5);
    EXPECT_EQ(backend.Count(Event::Sound), 0);
}

}  // namespace
