#include <string>
#include <vector>

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
using Texts = std::vector<std::string>;

constexpr unsigned kOkBox = platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;
constexpr unsigned kOkCancelBox = platform::MB_OKCANCEL | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;

const char* const kDuplicateMembers =
    "Duplicate Members Present \nClick OK to delete them or\nclick CANCEL to stop the analysis";
const char* const kZeroLength =
    "Zero Length Members Present \nClick OK to delete them or\nclick CANCEL to stop the analysis";
const char* const kStrayJoints =
    "Stray Joints Present \nClick OK to delete the stray joints or\nclick CANCEL to stop the analysis";
const char* const kWorked = ">>>> It Worked! <<<<";

int AddJoint(float x, float y, float z, short held)
{
    JointRec& jt = g_Joints[++g_nJoints];
    jt.x = x, jt.y = y, jt.z = z;
    jt.restraintTX = jt.restraintTY = jt.restraintTZ = held;
    jt.restraintRX = jt.restraintRY = jt.restraintRZ = held;
    return g_nJoints;
}

int AddMember(int a, int b, short shape = 2, short material = 1)
{
    MemberRec& m = g_Members[++g_nMembers];
    m.jointA = static_cast<short>(a);
    m.jointB = static_cast<short>(b);
    m.shape = shape;
    m.material = material;
    m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 1;
    m.negated = m.hidden = 0;
    return g_nMembers;
}

// A 5-inch 1/8 x 1/8 balsa cantilever along x with a vertical tip load:
// -0.01 lbs passes, -1 lbs breaks it, -3 lbs bends it past 10 inches.
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
    void SetUp() override
    {
        Tf3dTest::SetUp();
        Restart();
    }
    void Restart()
    {
        ResetAllGlobals();
        ResetAllShapes();
        ResetAllMaterials();
        backend.Clear();
    }
    Texts BoxTexts() const
    {
        Texts out;
        for (const Event& e : backend.Boxes()) out.push_back(e.text);
        return out;
    }
    bool Solved() const { return backend.Count(Event::Cursor) > 0; }
};

// ---- refusals and clean-up questions ----

TEST_F(RunAnalysisTest, NothingToAnalyseDoesNothing)
{
    AddJoint(0, 0, 0, 1);  // no members
    g_fAnimMagnification = 3;
    RunTheAnalysis();
    EXPECT_TRUE(backend.events.empty());
    EXPECT_FLOAT_EQ(g_fAnimMagnification, 3);

    // Breaking force with only generated loads.
    Restart();
    BuildCantilever(0);
    g_Joints[2].truckLoad = -5;
    g_Joints[2].windLoad = 2;
    g_bBreakingForcesActive = 1;
    g_fTotalLoadX = g_fTotalLoadY = g_fTotalLoadZ = 7;
    RunTheAnalysis();
    EXPECT_TRUE(backend.events.empty());
    EXPECT_EQ(g_bCrackSoundPending, 0);
    EXPECT_FLOAT_EQ(g_fTotalLoadX + g_fTotalLoadY + g_fTotalLoadZ, 0);
    EXPECT_FLOAT_EQ(g_Joints[2].truckLoad, -5);
}

TEST_F(RunAnalysisTest, RefusalsShowTheirMessageAndStop)
{
    // Limits come before anything else: full member table with duplicates.
    for (int j = 1; j <= 3; ++j) AddJoint(0, 0, 0, 0);
    while (g_nMembers < MAX_MEMBERS) AddMember(1, 2);
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), Texts{"Maximum Number of Members = MAX_MEMBERS\n"});
    EXPECT_EQ(g_bCrackSoundPending, 1);
    EXPECT_FALSE(Solved());

    backend.Clear();
    g_nMembers = 1;
    while (g_nJoints < MAX_JOINTS) AddJoint(0, 0, 0, 0);
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), Texts{"Maximum Number of Joints = MAX_JOINTS\n"});
    EXPECT_FALSE(Solved());

    // Too tall a section beats an earlier failing test.
    Restart();
    BuildCantilever(-0.01f);
    g_Shapes[2].height = 1.3f;
    g_Shapes[2].area = 0;
    RunTheAnalysis();
    ASSERT_EQ(BoxTexts(), Texts{"Trussforge3D is NOT for Professional Use"});
    EXPECT_EQ(backend.Boxes()[0].caption, "Trussforge3D");
    EXPECT_EQ(backend.Boxes()[0].flags, kOkBox);
    EXPECT_FALSE(Solved());

    // A tiny area ends the command without a message.
    backend.Clear();
    g_Shapes[2].height = 0.125f;
    RunTheAnalysis();
    EXPECT_TRUE(backend.events.empty());

    // Material rows of the wrong unit system.
    g_Shapes[2].area = 0.015625f;
    SetMetricUnits(1);
    ResetAllShapes();
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), Texts{"Inconsistent Member Properties\nCanceling the analysis"});
    EXPECT_FALSE(Solved());

    // Duplicate joints; three halt flags are cleared first, inadequate support stays.
    Restart();
    BuildCantilever(-0.01f);
    AddJoint(5, 0, 0, 0);
    AddMember(1, 3);
    g_bHaltUnstable = g_bHaltLargeDisplacements = g_bHaltIncorrectModel = g_bHaltInadequateSupport = 1;
    RunTheAnalysis();
    ASSERT_EQ(BoxTexts(), Texts{"Duplicate Joints Present \nCanceling the analysis"});
    EXPECT_EQ(backend.Boxes()[0].flags, kOkBox);
    EXPECT_EQ(g_Joints[2].mark, 1);
    EXPECT_FALSE(Solved());
    EXPECT_EQ(HaltCount(), 1);
    EXPECT_EQ(g_bHaltInadequateSupport, 1);
}

TEST_F(RunAnalysisTest, CleanUpQuestionCancelKeepsTheModelOkDeletes)
{
    struct Case {
        void (*addFault)();
        const char* text;
        int* listFlag;
    };
    const Case cases[] = {
        {[] { AddMember(2, 1); AddMember(1, 2); }, kDuplicateMembers, &g_bListMembersBuilt},
        {[] { AddMember(2, 2); }, kZeroLength, &g_bListMembersBuilt},
        {[] { AddJoint(9, 9, 9, 0); }, kStrayJoints, &g_bListJointsBuilt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Restart();
        BuildCantilever(-0.01f);
        c.addFault();
        const int members = g_nMembers, joints = g_nJoints;
        *c.listFlag = 1;

        backend.ScriptAnswers({platform::IDCANCEL});
        RunTheAnalysis();
        ASSERT_EQ(BoxTexts(), Texts{c.text});
        EXPECT_EQ(backend.Boxes()[0].flags, kOkCancelBox);
        EXPECT_EQ(g_nMembers, members);
        EXPECT_EQ(g_nJoints, joints);
        EXPECT_EQ(*c.listFlag, 1);
        EXPECT_FALSE(Solved());

        backend.Clear();
        backend.ScriptAnswers({platform::IDOK});
        RunTheAnalysis();
        EXPECT_EQ(BoxTexts(), Texts{c.text});
        EXPECT_EQ(g_nMembers, 1);
        EXPECT_EQ(g_nJoints, 2);
        EXPECT_EQ(*c.listFlag, 0);
        EXPECT_TRUE(Solved());
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
    EXPECT_EQ(BoxTexts(), (Texts{kDuplicateMembers, kZeroLength, kStrayJoints}));
    EXPECT_EQ(g_nMembers, 1);
    EXPECT_EQ(g_nJoints, 2);
    EXPECT_TRUE(Solved());

    // Nothing left after the clean-up ends the command.
    Restart();
    AddJoint(0, 0, 0, 1);
    AddMember(1, 1);
    backend.ScriptAnswers({platform::IDOK, platform::IDOK});
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), (Texts{kZeroLength, kStrayJoints}));
    EXPECT_EQ(g_nMembers + g_nJoints, 0);
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
    EXPECT_EQ(backend.Count(Event::Sound) + backend.Count(Event::InvalidateFrame), 0);
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

    EXPECT_EQ(g_bModelFailed + g_bMemberFailed + g_bResultsAvailable, 0);
    EXPECT_EQ(g_bMemberResultsValid + g_bJointResultsValid, 2);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    EXPECT_EQ(g_bModeAddJoint + g_Joints[1].mark, 0);
    EXPECT_EQ(g_Members[1].intact, 1);
    EXPECT_LT(g_Joints[2].dispY, 0);
    EXPECT_GT(g_Members[1].ultTension, 0);
    EXPECT_GT(g_Members[1].governingRatios[G_MZZ], 0);
    EXPECT_LT(g_Members[1].governingRatios[G_MZZ], 1);
    EXPECT_EQ(g_bAnimationRunning, 1);

    std::vector<Event::Kind> kinds;
    for (const Event& e : backend.events) kinds.push_back(e.kind);
    ASSERT_EQ(kinds, (std::vector<Event::Kind>{Event::Cursor, Event::SetTimer, Event::SetTimer, Event::Cursor,
                                               Event::InvalidateFrame, Event::Sound}));
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

    EXPECT_EQ(backend.Count(Event::SetTimer) + backend.Count(Event::Sound) + g_bAnimationRunning, 0);
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 2);
    EXPECT_FLOAT_EQ(g_fAnimMagnification, 20);
    EXPECT_FLOAT_EQ(g_Joints[2].displacedY, 20 * g_Joints[2].dispY);
    EXPECT_EQ(g_bShowUndeformed, 0);
    EXPECT_EQ(g_bShowDisplacedShape, 1);
    EXPECT_EQ(g_bListMembersBuilt + g_bListResultMembersBuilt + g_bListJointsBuilt + g_bListLoadsBuilt, 0);
    EXPECT_EQ(g_bListSupportsBuilt, 0);
}

TEST_F(RunAnalysisTest, SolverHaltsInvalidateTheResults)
{
    struct Case {
        void (*spoil)();
        int* halt;
        const char* prompt;
        short mark;  // on the tip joint
    };
    const Case cases[] = {
        {[] { g_Joints[2].forceY = -3; }, &g_bHaltLargeDisplacements,
         ">>>> Large Displacements - Analysis Halted! <<<<", 1},
        {[] {
             MemberRec& m = g_Members[1];
             m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 0;
         },
         &g_bHaltUnstable, ">>>> Structure Unstable - Analysis Halted! <<<<", 1},
        {[] {  // two restrained degrees of freedom
             JointRec& j = g_Joints[1];
             j.restraintTZ = j.restraintRX = j.restraintRY = j.restraintRZ = 0;
         },
         &g_bHaltInadequateSupport, ">>>> Inadequate Support - Analysis Halted! <<<<", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        Restart();
        BuildCantilever(-0.01f);
        c.spoil();
        g_bMemberResultsValid = g_bJointResultsValid = 1;
        RunTheAnalysis();
        EXPECT_EQ(*c.halt, 1);
        EXPECT_EQ(HaltCount(), 1);
        EXPECT_EQ(g_bModelFailed, 1);
        EXPECT_EQ(g_bMemberResultsValid + g_bJointResultsValid, 0);
        EXPECT_EQ(g_strStatusPrompt, c.prompt);
        EXPECT_EQ(g_Members[1].intact, 1);
        EXPECT_EQ(g_Joints[2].mark, c.mark);
        EXPECT_EQ(backend.Count(Event::SetTimer) + backend.Count(Event::Sound), 0);
        EXPECT_EQ(backend.Count(Event::InvalidateFrame), 1);
    }
    // A later good run clears the halt.
    JointRec& j = g_Joints[1];
    j.restraintTZ = j.restraintRX = j.restraintRY = j.restraintRZ = 1;
    RunTheAnalysis();
    EXPECT_EQ(HaltCount() + g_bModelFailed, 0);
    EXPECT_EQ(g_bJointResultsValid, 1);
}

TEST_F(RunAnalysisTest, BreakingForceScalesNothingWithoutAUsableRatio)
{
    // After a halt there are no ratios of this run.
    BuildCantilever(-3.0f);
    g_bBreakingForcesActive = 1;
    RunTheAnalysis();
    EXPECT_EQ(g_bHaltLargeDisplacements, 1);
    EXPECT_FLOAT_EQ(g_Joints[2].forceY, -3.0f);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, 0);

    // The only applied force sits on the fixed joint: every ratio is 0.
    Restart();
    BuildCantilever(0);
    g_Joints[1].forceY = -2;
    g_bIncludeSelfWeight = 0;
    g_bBreakingForcesActive = 1;
    RunTheAnalysis();
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0);
    EXPECT_FLOAT_EQ(g_Joints[1].forceY, -2);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, 0);
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    // Outside the run the breaking-force line shows.
    UpdateStatusPrompt();
    EXPECT_EQ(g_strStatusPrompt, " Force magnitude(s) set to breaking ! ");
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
        g_bUseFan = 1;
        g_bTowerProject = 1;
        if (legs)
            for (int k = 1; k <= 4; ++k) AddMember(k, k + 4, 9, 7);
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
    EXPECT_EQ(HaltCount(), 0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    // All four wheels are on the deck.
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -(3.5f + 7.0f), 1e-4f);
    EXPECT_NE(g_nTruckJoint1, 0);
    EXPECT_NE(g_nTruckJoint2, 0);
    EXPECT_LT(Sum(&JointRec::selfWeightLoad), 0);
    EXPECT_FLOAT_EQ(Sum(&JointRec::windLoad), 0);
    EXPECT_LT(g_Joints[7].dispY, 0);
    EXPECT_LT(g_Joints[22].dispY, 0);

    // Each flat 1/8 x 3/8 chord spans 12.5 in with 1.75 and 3.5 lbs at the
    // wheels: about 7.2 in-lbs under the front wheel (x = 16.94) against
    // Sy x Fb = 9.7656e-4 x 8800 = 8.59 in-lbs.
    EXPECT_NEAR(MaxStrengthRatio(), 0.84f, 0.02f);
    EXPECT_GT(g_Members[6].governingRatios[G_MYY], 0.8f);   // joints 6-7
    EXPECT_GT(g_Members[20].governingRatios[G_MYY], 0.8f);  // joints 21-22
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    ASSERT_EQ(backend.Sounds().size(), 1u);
    EXPECT_EQ(backend.Sounds()[0].text, "IDR_WAVE_CHEERS");
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
        RunTheAnalysis();
        ASSERT_EQ(HaltCount(), 0);
        if (!breaking) m = MaxStrengthRatio();
    }
    ASSERT_GT(m, 0);
    const float f = 1.0f / m + 0.0051f;
    EXPECT_FLOAT_EQ(g_Joints[8].forceY, -0.5f * f);
    EXPECT_FLOAT_EQ(g_Joints[23].forceZ, 0.25f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadY, -0.5f * f + -0.5f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadZ, 0.25f * f);
    EXPECT_FLOAT_EQ(g_fTotalLoadX, 0);
    EXPECT_EQ(g_bModelFailed + g_bMemberFailed, 2);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    EXPECT_NEAR(MaxStrengthRatio(), 1 + 0.0051f * m, 1e-4f * (1 + m));
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -10.5f, 1e-4f);  // generated loads are not scaled
    // Breaking force on and no halt: the prompt keeps the (cleared) tool text.
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    EXPECT_EQ(backend.Count(Event::Sound), 0);
}

TEST_F(TemplateAnalysisTest, BareTowerHasStrayFeet)
{
    BuildTowerProject(false);
    backend.ScriptAnswers({platform::IDCANCEL});
    RunTheAnalysis();
    EXPECT_EQ(BoxTexts(), Texts{kStrayJoints});
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
    BuildTowerProject(true);
    RunTheAnalysis();
    EXPECT_TRUE(backend.Boxes().empty());
    EXPECT_EQ(HaltCount(), 0);
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
    for (int j = 5; j <= 8; ++j) top += g_Joints[j].forceY + g_Joints[j].truckLoad + g_Joints[j].selfWeightLoad;
    EXPECT_NEAR(legs, -top, 1e-3f);

    // Overturning: the windward legs (feet at x = 18) pull, the leeward legs
    // (x = 22) push past their buckling load of about 5 lbs.
    for (int i = 6; i <= 7; ++i) {
        EXPECT_LT(g_Members[i].endForces[EF_AXIAL1], 0);
        EXPECT_EQ(g_Members[i].intact, 1);
    }
    for (int i = 8; i <= 9; ++i) {
        EXPECT_GT(g_Members[i].ratios1[R_A], 1);
        EXPECT_EQ(g_Members[i].intact, 0);
    }
    EXPECT_EQ(g_bModelFailed + g_bMemberFailed, 2);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Undersized! <<<<");
    // The collapse animation still runs; no fan, no cheers.
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_EQ(backend.Timers()[0].id, 4);
    EXPECT_EQ(backend.Count(Event::Sound), 0);

    // A tower that holds starts the fan timer instead of the cheers.
    BuildTowerProject(true);
    g_fWindSpeed = 20;
    g_bAnimateCollapse = 0;
    g_nAnimInterval = 40;
    RunTheAnalysis();
    ASSERT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    ASSERT_EQ(backend.Timers().size(), 1u);
    EXPECT_EQ(backend.Timers()[0].id, 5);
    EXPECT_EQ(backend.Timers()[0].flags, 40u);
    EXPECT_EQ(g_bAnimationRunning, 1);
    EXPECT_EQ(backend.Count(Event::Sound), 0);
}

}  // namespace
