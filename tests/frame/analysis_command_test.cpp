#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "frame/analysis_command.h"
#include "model/defaults.h"
#include "model/strength.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/model/analysis_fixture.h"
#include "view/status_prompt.h"

namespace {

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
