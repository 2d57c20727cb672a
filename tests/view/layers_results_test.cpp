// The results display and joint markers in the realised view: result
// colours of analysed examples read back as pixels, the colouring rules and
// the collapse geometry read back in feedback mode, joint spheres and marks.
#include <cstdio>

#include "files/model_file.h"
#include "frame/analysis_command.h"
#include "model/defaults.h"
#include "model/model_ops.h"
#include "state/frame_globals.h"
#include "tests/view/view_fixture.h"
#include "view/scene_layers.h"

namespace {

class ResultLayersTest : public ViewTest {
protected:
    // Whether the pixel at a model point can be colour (r, g, b) under the view's lighting: each
    // channel between the unlit value (emission + ambient) and the fully lit one (plus diffuse).
    ::testing::AssertionResult LitAt(float x, float y, float z, float r, float g, float b) const
    {
        int p[3];
        if (!PixelAt(x, y, z, p)) return ::testing::AssertionFailure() << "off screen";
        GLfloat emission[4], ambient[4], diffuse[4];
        glGetMaterialfv(GL_FRONT, GL_EMISSION, emission);
        glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        const float c[3] = {r, g, b};
        for (int k = 0; k < 3; ++k) {
            const float lo = 255 * std::min(1.0f, emission[k] + ambient[k] * c[k]);
            const float hi = 255 * std::min(1.0f, emission[k] + (ambient[k] + diffuse[k]) * c[k]);
            if (p[k] < lo - 2 || p[k] > hi + 2)
                return ::testing::AssertionFailure() << "pixel " << p[0] << " " << p[1] << " " << p[2];
        }
        return ::testing::AssertionSuccess();
    }
    // The same at the displaced midpoint of member i, in its own colour unless given.
    ::testing::AssertionResult LitMid(int i, float r = -1, float g = 0, float b = 0) const
    {
        const MemberRec& m = g_Members[i];
        const JointRec &a = g_Joints[m.jointA], &e = g_Joints[m.jointB];
        if (r < 0) r = m.colorR, g = m.colorG, b = m.colorB;
        return LitAt((a.displacedX + e.displacedX) / 2, (a.displacedY + e.displacedY) / 2,
                     (a.displacedZ + e.displacedZ) / 2, r, g, b);
    }
    // Runs the analysis with the displaced shape shown at once.
    void Analyse(float magnification)
    {
        g_bNoAnimation = 1, g_bAnimateCollapse = g_bAnimateDisplacement = 0;
        SetMagnificationRadio(magnification);
        RunTheAnalysis();
        ASSERT_TRUE(g_bShowDisplacedShape == 1 && g_bShowUndeformed == 0 && g_bAnimationRunning == 0);
        EXPECT_EQ(0, backend.unscriptedBoxes);
    }
};

}  // namespace

TEST_F(ResultLayersTest, AnalysedExamplesShowAxialAndFailureColours)
{
    ASSERT_EQ(1, OpenModelFile(ExamplePath("metric_truss.3dd")));
    HideScenery();
    g_bColorAxialStresses = 1;
    ASSERT_NO_FATAL_FAILURE(Analyse(10));
    int t = 0, c = 0;  // most tensioned, most compressed
    for (int i = 1; i <= g_nMembers; ++i) {
        const float a = g_Members[i].ratios2[R_A];
        if (a > 0 && (!t || a > g_Members[t].ratios2[R_A])) t = i;
        if (a < 0 && (!c || a < g_Members[c].ratios2[R_A])) c = i;
    }
    ASSERT_TRUE(t && c);
    EXPECT_TRUE(g_Members[t].axialColorR == 0 && g_Members[t].axialColorG == 0 && g_Members[t].axialColorB == 1);
    EXPECT_TRUE(g_Members[c].axialColorR == 0 && g_Members[c].axialColorG == 1 && g_Members[c].axialColorB == 0);
    FrameModel(0.45, 0.9);
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitMid(t, 0, 0, 1) && LitMid(c, 0, 1, 0));
    // Repaints replay the result list; a change of colouring mode rebuilds it.
    ASSERT_TRUE(Capture());
    EXPECT_EQ(1, DisplayListCompileCount(LIST_RESULT_MEMBERS));
    g_bColorAxialStresses = g_bListResultMembersBuilt = 0;
    g_bColorFailedMembers = 1;
    ASSERT_TRUE(Capture());
    EXPECT_EQ(2, DisplayListCompileCount(LIST_RESULT_MEMBERS));
    EXPECT_TRUE(LitMid(t));
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());

    // An overloaded bridge: the failed member is red while failures are coloured.
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    g_bTruckActive = 0;       // the joint force alone
    g_Joints[8].forceY = -5;  // overloads the chord members at that joint
    ASSERT_NO_FATAL_FAILURE(Analyse(2));
    ASSERT_EQ(1, g_bModelFailed);
    int failed = 0, sound = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        if (g_Members[i].intact == 0 && !failed) failed = i;
        if (g_Members[i].intact == 1 && g_Members[i].jointA == 16) sound = i;  // the other chord
    }
    ASSERT_TRUE(failed && sound);
    FrameModel(0.45, 0.9);
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitMid(failed, 1, 0, 0) && LitMid(sound));
    g_bColorFailedMembers = g_bListResultMembersBuilt = 0;  // not coloured: the member's own colour
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitMid(failed));
}

TEST_F(ResultLayersTest, ResultColoursFollowTheColouringMode)
{
    ResetAllShapes();
    AddJoint(-0.4f, 0, 0).displacedY = -0.3f;
    AddJoint(0.4f, 0, 0).displacedY = -0.3f;
    MemberRec& m = AddMember(1, 2, 0.2f, 0.4f, 0.6f);
    m.axialColorR = 0, m.axialColorG = 0, m.axialColorB = 1, m.intact = 0;
    m.bendingColorR = 0.5f, m.bendingColorG = 0.5f, m.bendingColorB = 0.8f;
    auto draw = [] {
        g_bListResultMembersBuilt = 0;
        return Feedback([] { DrawResultMembers(); });
    };
    auto prims = draw();  // start-up mode: failures coloured, on the displaced joints
    ASSERT_GE(prims.size(), 6u);
    EXPECT_TRUE(AllIn(prims, 1, 0, 0));
    const float half = g_Shapes[1].height / 2;
    EXPECT_NEAR(-0.3f + half, BoxOf(prims).hi[1], 1e-4f);
    EXPECT_NEAR(-0.3f - half, BoxOf(prims).lo[1], 1e-4f);
    const size_t solid = prims.size();
    // failed-colouring, intact, bending, axial, animation -> colour
    const struct {
        int failed, intact, bending, axial, animation;
        float r, g, b;
    } modes[] = {
        {0, 0, 0, 0, 0, 0.2f, 0.4f, 0.6f}, {1, 1, 0, 0, 0, 0.2f, 0.4f, 0.6f}, {1, 0, 1, 0, 0, 0.5f, 0.5f, 0.8f},
        {1, 0, 1, 1, 0, 0, 0, 1},          {1, 0, 1, 1, 1, 0.2f, 0.4f, 0.6f},  // axial wins; animation: own colours
    };
    for (const auto& c : modes) {
        g_bColorFailedMembers = c.failed, m.intact = static_cast<short>(c.intact);
        g_bColorBendingStresses = c.bending, g_bColorAxialStresses = c.axial, g_bAnimationRunning = c.animation;
        EXPECT_TRUE(AllIn(draw(), c.r, c.g, c.b)) << &c - modes;
    }
    g_bAnimationRunning = 0;
    m.hidden = 1;  // hidden members are drawn like the others here
    prims = draw();
    EXPECT_EQ(solid, prims.size());
    EXPECT_TRUE(AllIn(prims, 0, 0, 1));
    m.negated = 1;  // a thin red line
    prims = draw();
    EXPECT_TRUE(prims.size() == 1 && IsLine(prims[0]) && AllIn(prims, 1, 0, 0));
    m.hidden = m.negated = 0, g_Shapes[1].height = 0.03f;  // thin: a line in the result colour
    prims = draw();
    EXPECT_TRUE(prims.size() == 1 && IsLine(prims[0]) && AllIn(prims, 0, 0, 1));
    g_Shapes[1].height = 0.125f;
    // Coincident displaced ends draw no solid; bad joint rows draw nothing;
    // no joints compile nothing and leave the flag clear.
    g_Joints[2].displacedX = g_Joints[1].displacedX;
    EXPECT_TRUE(draw().empty());
    m.jointB = 300;
    EXPECT_TRUE(draw().empty());
    EXPECT_EQ(1, g_bListResultMembersBuilt);
    g_nJoints = 0;
    const int compiled = DisplayListCompileCount(LIST_RESULT_MEMBERS);
    EXPECT_TRUE(draw().empty());
    EXPECT_EQ(0, g_bListResultMembersBuilt);
    EXPECT_EQ(compiled, DisplayListCompileCount(LIST_RESULT_MEMBERS));
}

TEST_F(ResultLayersTest, CollapseMembersTurnByTheStartJointRotations)
{
    ResetAllShapes();
    g_Shapes[1].height = 0.02f;  // thin, so each member comes back as its end points
    JointRec& j1 = AddJoint(-0.5f, 0, 0);
    AddJoint(0, 0, 0).rotX = -0.2f;
    AddJoint(0, 0.4f, 0);
    j1.dispX = 0.01f, j1.dispY = -0.02f, j1.dispZ = 0.005f, j1.rotZ = 0.1f, j1.rotY = 0.05f;
    AddMember(1, 2);  // black: drawn olive
    AddMember(2, 3, 0.2f, 0.4f, 0.6f).intact = 0;
    auto prims = Feedback([] { DrawMembersAnimated(0); });  // the undeformed structure
    ASSERT_EQ(2u, prims.size());
    EXPECT_NEAR(-0.5f, prims[0].vertices[0].x, 1e-6f);
    EXPECT_NEAR(0.4f, prims[1].vertices[1].y, 1e-6f);
    EXPECT_TRUE(AllIn({prims[0]}, 0.35f, 0.35f, 0.17f));
    EXPECT_TRUE(AllIn({prims[1]}, 1, 0, 0));
    // m = 3: start moved by 3 x its displacement, direction turned by 3 x
    // its rotations, length kept; outside truck and tower scenes the
    // displaced positions stay.
    const float m = 3;
    prims = Feedback([&] { DrawMembersAnimated(m); });
    ASSERT_EQ(2u, prims.size());
    EXPECT_EQ(-0.5f, g_Joints[1].displacedX);
    const float sx = -0.5f + m * 0.01f, sy = m * -0.02f, sz = m * 0.005f, q = std::acos(0.0f);
    const float c2x = std::cos(q + m * -0.2f);  // member 2 starts at the unmoved joint 2 and turns about x
    const FbVertex &a = prims[0].vertices[0], &b = prims[0].vertices[1];
    const float want[] = {sx, sy, sx + 0.5f, sy + 0.5f * std::cos(q + m * 0.05f), 0.4f * c2x};
    const float got[] = {a.x, a.y, b.x, b.y, prims[1].vertices[1].x};
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(want[k], got[k], 1e-6f) << k;
    EXPECT_NEAR(sz + 0.5f * std::cos(q + m * 0.1f), b.z, 1e-4f);  // feedback depth is coarse
    g_bAnimationRunning = 1;  // an animation shows the failed member in its own colour
    EXPECT_TRUE(AllIn({Feedback([&] { DrawMembersAnimated(m); })[1]}, 0.2f, 0.4f, 0.6f));
    g_bAnimationRunning = 0;
    g_bTruckActive = 1;  // in a truck scene the drawn ends become the displaced positions
    Feedback([&] { DrawMembersAnimated(m); });
    EXPECT_NEAR(sx, g_Joints[1].displacedX, 1e-6f);
    EXPECT_NEAR(0.4f * c2x, g_Joints[3].displacedX, 1e-6f);
    EXPECT_NEAR(0, g_Joints[2].displacedX, 1e-6f);  // written last as member 2's start
}

TEST_F(ResultLayersTest, ZeroLengthMemberFromAFileDrawsNothing)
{
    // A member whose joints coincide cannot be made with the mouse, but a file can hold one.
    ResetAllShapes();
    for (float x : {-0.5f, 0.0f, 0.0f}) AddJoint(x, 0, 0);
    for (int j : {1, 2}) AddMember(j, j + 1, 0.2f, 0.4f, 0.6f);
    const std::string path = testing::TempDir() + "results_zero_length.3dd";
    ASSERT_EQ(1, WriteModelFile(path));
    ResetAllShapes();
    ASSERT_EQ(1, OpenModelFile(path));
    std::remove(path.c_str());
    ASSERT_EQ(2, g_nMembers);
    g_Joints[2].rotZ = g_Joints[2].rotX = 0.1f, g_Joints[2].dispY = -0.01f;
    g_Members[2].cosX = 7;
    g_nMembers = 1;
    const size_t one = Feedback([] { DrawMembersAnimated(5); }).size();
    ASSERT_GT(one, 0u);
    g_nMembers = 2;
    for (float m : {0.0f, 5.0f}) {
        const auto prims = Feedback([&] { DrawMembersAnimated(m); });
        EXPECT_EQ(one, prims.size());
        const FbBox box = BoxOf(prims);
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(std::isfinite(box.lo[k]) && std::isfinite(box.hi[k]));
    }
    const MemberRec& zero = g_Members[2];
    EXPECT_TRUE(zero.length == 0 && zero.actualLength == 0 && zero.cosX + zero.cosY + zero.cosZ == 0);
    for (float v : zero.displacedScratch) EXPECT_TRUE(std::isfinite(v));
    // Whole frames of the collapse and displaced displays.
    g_bShowUndeformed = 0, g_bShowCollapse = 1, g_fAnimMagnification = 5;
    view->RenderFrame();
    g_bShowCollapse = 0, g_bShowDisplacedShape = 1;
    ComputeDisplacedShape(5);
    view->RenderFrame();
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ResultLayersTest, JointSpheresAndHighlightsShowOnlyWhereTheyBelong)
{
    view->RenderFrame();  // no joints: nothing compiled
    EXPECT_EQ(0, DisplayListCompileCount(LIST_JOINTS));
    ResetAllShapes();  // two joints 6 apart on the x axis joined by one member, seen from +z
    AddJoint(-3, 0, 0);
    AddJoint(3, 0, 0);
    AddMember(1, 2, 0.6f, 0.5f, 0.2f).shape = 4;
    LookAt(0, 0, 20, 0, 0, 0);
    g_bShowSupports = g_bShowLoads = 0;
    g_nPickedJoint = g_Joints[2].mark = 1;  // picked yellow, marked red
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitAt(-3, 0, 0, 1, 1, 0));
    EXPECT_TRUE(LitAt(3, 0.2f, 0, 1, 0, 0));  // inside the sphere of 0.25, above the member
    EXPECT_FALSE(LitAt(3, 0.4f, 0, 1, 0, 0));
    g_nPickedJoint = g_Joints[2].mark = 0;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitAt(3, 0.2f, 0, 0, 0, 1));  // the joint's blue sphere
    EXPECT_EQ(1, DisplayListCompileCount(LIST_JOINTS));
    // The displaced display: no spheres or marks, the pick follows the joint.
    g_nPickedJoint = g_Joints[2].mark = 1;
    g_Joints[1].displacedY = g_Joints[2].displacedY = -1.5f;
    g_bShowUndeformed = 0, g_bShowDisplacedShape = 1;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitAt(-3, -1.5f, 0, 1, 1, 0));
    EXPECT_TRUE(LitAt(0, -1.5f, 0, 0.6f, 0.5f, 0.2f));
    int p[3], bg[3];
    ASSERT_TRUE(PixelAt(3, 0, 0, p));
    Pixel(2, image.GetHeight() - 2, bg);
    EXPECT_TRUE(p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2]);
    EXPECT_FALSE(LitAt(-3, 0, 0, 1, 1, 0));
    g_bShowFocus = 1, g_nPickedJoint = 0;  // the focus marker is green at the camera centre
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(LitAt(0, 0, 0, 0, 1, 0));
    // Markers draw nothing for joint 0 or a joint outside the model.
    for (int j : {0, 3, -4}) {
        EXPECT_TRUE(Feedback([=] { HighlightJoint(j); }).empty()) << j;
        EXPECT_TRUE(Feedback([=] { HighlightDisplacedJoint(j); }).empty()) << j;
    }
    g_nJoints = 0;
    EXPECT_TRUE(Feedback([] { DrawMarkedJoints(); }).empty());
}
