// The results display and joint markers in the realised view: result
// colours of an analysed bridge read back as pixels, the colouring rules
// and the collapse geometry read back in feedback mode, joint spheres,
// highlights and marks.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <wx/image.h>

#include "files/model_file.h"
#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/run_analysis.h"
#include "model/tables.h"
#include "tests/view/feedback.h"
#include "tests/view/view_fixture.h"
#include "view/projection.h"
#include "view/renderer.h"
#include "view/scene_layers.h"
#include "view/view_globals.h"

namespace {

using Vertex = FbVertex;
using Primitive = FbPrimitive;

template <class F>
std::vector<Primitive> Feedback(F draw)
{
    return FeedbackPrimitives(draw);
}

bool IsLine(const Primitive& p)
{
    return p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN;
}

// Every primitive drawn in the colour (r, g, b).
bool AllIn(const std::vector<Primitive>& prims, float r, float g, float b)
{
    if (prims.empty()) return false;
    for (const auto& p : prims)
        for (const auto& v : p.vertices)
            if (std::fabs(v.r - r) > 0.01f || std::fabs(v.g - g) > 0.01f || std::fabs(v.b - b) > 0.01f) return false;
    return true;
}

float MaxY(const std::vector<Primitive>& prims)
{
    float y = -1e9f;
    for (const auto& p : prims)
        for (const auto& v : p.vertices) y = std::max(y, v.y);
    return y;
}

float MinY(const std::vector<Primitive>& prims)
{
    float y = 1e9f;
    for (const auto& p : prims)
        for (const auto& v : p.vertices) y = std::min(y, v.y);
    return y;
}

void SetJoint(int j, float x, float y, float z)
{
    g_Joints[j] = JointRec();
    g_Joints[j].x = g_Joints[j].displacedX = x;
    g_Joints[j].y = g_Joints[j].displacedY = y;
    g_Joints[j].z = g_Joints[j].displacedZ = z;
}

void SetMember(int i, int a, int b, float r, float g, float bl)
{
    g_Members[i] = MemberRec();
    g_Members[i].jointA = static_cast<short>(a);
    g_Members[i].jointB = static_cast<short>(b);
    g_Members[i].colorR = r, g_Members[i].colorG = g, g_Members[i].colorB = bl;
}

}  // namespace

class ResultLayersTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    }

    // Whether a pixel can be colour (r, g, b) under the view's lighting: each
    // channel between the unlit value (emission + ambient) and the fully lit
    // one (plus the light's diffuse part), give or take rounding.
    static bool LitAs(const int p[3], float r, float g, float b)
    {
        GLfloat emission[4], ambient[4], diffuse[4];
        glGetMaterialfv(GL_FRONT, GL_EMISSION, emission);
        glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
        glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        const float c[3] = {r, g, b};
        for (int k = 0; k < 3; ++k) {
            const float lo = 255 * std::min(1.0f, emission[k] + ambient[k] * c[k]);
            const float hi = 255 * std::min(1.0f, emission[k] + (ambient[k] + diffuse[k]) * c[k]);
            if (p[k] < lo - 2 || p[k] > hi + 2) return false;
        }
        return true;
    }

    // Pixel at the window position of a model point.
    bool PixelAt(const wxImage& image, float x, float y, float z, int p[3])
    {
        float wx, wy;
        if (!ProjectToWindow(x, y, z, wx, wy)) return false;
        const int px = static_cast<int>(wx), py = static_cast<int>(wy);
        if (px < 0 || py < 0 || px >= image.GetWidth() || py >= image.GetHeight()) return false;
        Pixel(image, px, py, p);
        return true;
    }

    // Pixel at the displaced midpoint of member i.
    bool DisplacedMidpointPixel(const wxImage& image, int i, int p[3])
    {
        const JointRec& a = g_Joints[g_Members[i].jointA];
        const JointRec& b = g_Joints[g_Members[i].jointB];
        return PixelAt(image, (a.displacedX + b.displacedX) / 2, (a.displacedY + b.displacedY) / 2,
                       (a.displacedZ + b.displacedZ) / 2, p);
    }

    // Camera over the front of the model, looking down on its centre.
    static void FrameModel()
    {
        float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
        for (int j = 1; j <= g_nJoints; ++j) {
            const float p[3] = {g_Joints[j].x, g_Joints[j].y, g_Joints[j].z};
            for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
        }
        const float span = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
        g_dCenterX = (lo[0] + hi[0]) / 2, g_dCenterY = (lo[1] + hi[1]) / 2, g_dCenterZ = (lo[2] + hi[2]) / 2;
        g_dEyeX = g_dCenterX, g_dEyeY = g_dCenterY + 0.45 * span, g_dEyeZ = g_dCenterZ + 0.9 * span;
    }

    // Runs the analysis with the displaced shape shown at once.
    void Analyse(float magnification)
    {
        g_bNoAnimation = 1;
        g_bAnimateCollapse = 0;
        g_bAnimateDisplacement = 0;
        SetMagnificationRadio(magnification);
        RunTheAnalysis();
        ASSERT_EQ(1, g_bShowDisplacedShape);
        ASSERT_EQ(0, g_bShowUndeformed);
        ASSERT_EQ(0, g_bAnimationRunning);
        EXPECT_EQ(0, backend.unscriptedBoxes);
    }

    void Save(const wxImage& image, const char* path) { EXPECT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG)); }

    // Two joints 6 apart on the x axis joined by one member, seen from +z.
    static void TwoJointScene()
    {
        ResetAllShapes();
        g_nJoints = 2;
        SetJoint(1, -3, 0, 0);
        SetJoint(2, 3, 0, 0);
        g_nMembers = 1;
        SetMember(1, 1, 2, 0.6f, 0.5f, 0.2f);
        g_Members[1].shape = 4;
        g_dEyeX = 0, g_dEyeY = 0, g_dEyeZ = 20;
        g_dCenterX = g_dCenterY = g_dCenterZ = 0;
        g_bShowSupports = g_bShowLoads = 0;
    }
};

TEST_F(ResultLayersTest, AxialColoursShowTheMostTensionedAndCompressedMembers)
{
    ASSERT_EQ(1, OpenModelFile(ExamplePath("metric_truss.3dd")));
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;  // the members alone
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = g_bShowRulers = 0;
    g_bColorAxialStresses = 1;
    ASSERT_NO_FATAL_FAILURE(Analyse(10));

    // The member with the largest tension ratio and the one with the largest
    // compression ratio carry the strongest colours of their bands.
    int tension = 0, compression = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        const float a = g_Members[i].ratios2[R_A];
        if (a > 0 && (!tension || a > g_Members[tension].ratios2[R_A])) tension = i;
        if (a < 0 && (!compression || a < g_Members[compression].ratios2[R_A])) compression = i;
    }
    ASSERT_NE(0, tension);
    ASSERT_NE(0, compression);
    EXPECT_EQ(0.0f, g_Members[tension].axialColorR);
    EXPECT_EQ(1.0f, g_Members[tension].axialColorB);
    EXPECT_EQ(1.0f, g_Members[compression].axialColorG);

    FrameModel();
    wxImage image;
    ASSERT_TRUE(view->CaptureFrame(image));
    Save(image, "/tmp/results_axial.png");
    int p[3];
    ASSERT_TRUE(DisplacedMidpointPixel(image, tension, p));
    EXPECT_TRUE(LitAs(p, 0, 0, 1)) << p[0] << " " << p[1] << " " << p[2];
    EXPECT_GT(p[2], p[0] + 90);
    EXPECT_EQ(p[0], p[1]);
    ASSERT_TRUE(DisplacedMidpointPixel(image, compression, p));
    EXPECT_TRUE(LitAs(p, 0, 1, 0)) << p[0] << " " << p[1] << " " << p[2];
    EXPECT_GT(p[1], p[0] + 90);
    EXPECT_EQ(p[0], p[2]);

    // Repaints replay list 15; a change of colouring mode rebuilds it.
    ASSERT_TRUE(view->CaptureFrame(image));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_RESULT_MEMBERS));
    g_bColorAxialStresses = 0;
    g_bColorFailedMembers = 1;
    g_bListResultMembersBuilt = 0;
    ASSERT_TRUE(view->CaptureFrame(image));
    EXPECT_EQ(2, DisplayListCompileCount(LIST_RESULT_MEMBERS));
    ASSERT_TRUE(DisplacedMidpointPixel(image, tension, p));
    const MemberRec& m = g_Members[tension];
    EXPECT_TRUE(LitAs(p, m.colorR, m.colorG, m.colorB)) << p[0] << " " << p[1] << " " << p[2];
    EXPECT_EQ(0, DisplayListCompileCount(LIST_JOINTS));  // no joint spheres on the displaced shape
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ResultLayersTest, OverloadedMemberIsRedWhileFailuresAreColoured)
{
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    g_Joints[8].forceY = -5;  // overloads the chord members at that joint
    ASSERT_NO_FATAL_FAILURE(Analyse(2));
    ASSERT_EQ(1, g_bModelFailed);
    int failed = 0, sound = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        if (g_Members[i].intact == 0 && !failed) failed = i;
        // A member of the other chord, far from the load.
        if (g_Members[i].intact == 1 && g_Members[i].jointA == 16) sound = i;
    }
    ASSERT_NE(0, failed);
    ASSERT_NE(0, sound);

    FrameModel();
    wxImage image;
    ASSERT_TRUE(view->CaptureFrame(image));
    Save(image, "/tmp/results_failed.png");
    int p[3];
    ASSERT_TRUE(DisplacedMidpointPixel(image, failed, p));
    EXPECT_TRUE(LitAs(p, 1, 0, 0)) << p[0] << " " << p[1] << " " << p[2];
    ASSERT_TRUE(DisplacedMidpointPixel(image, sound, p));
    const MemberRec& s = g_Members[sound];
    EXPECT_TRUE(LitAs(p, s.colorR, s.colorG, s.colorB)) << p[0] << " " << p[1] << " " << p[2];

    // With failures not coloured the failed member keeps its own colour.
    g_bColorFailedMembers = 0;
    g_bListResultMembersBuilt = 0;
    ASSERT_TRUE(view->CaptureFrame(image));
    ASSERT_TRUE(DisplacedMidpointPixel(image, failed, p));
    const MemberRec& f = g_Members[failed];
    EXPECT_TRUE(LitAs(p, f.colorR, f.colorG, f.colorB)) << p[0] << " " << p[1] << " " << p[2];
}

TEST_F(ResultLayersTest, BridgeScreenshotsPlainAndDisplaced)
{
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    FrameModel();
    wxImage plain, displaced;
    ASSERT_TRUE(view->CaptureFrame(plain));
    Save(plain, "/tmp/results_bridge_plain.png");
    ASSERT_GT(DisplayListCompileCount(LIST_JOINTS), 0);

    ASSERT_NO_FATAL_FAILURE(Analyse(100));
    ASSERT_TRUE(view->CaptureFrame(displaced));
    Save(displaced, "/tmp/results_bridge_displaced.png");

    // The joint that sags most moves visibly down the screen.
    int mid = 0;
    for (int j = 1; j <= g_nJoints; ++j)
        if (g_Joints[j].dispY < (mid ? g_Joints[mid].dispY : 0)) mid = j;
    ASSERT_NE(0, mid);
    const JointRec& j = g_Joints[mid];
    float x0, y0, x1, y1;
    ASSERT_TRUE(ProjectToWindow(j.x, j.y, j.z, x0, y0));
    ASSERT_TRUE(ProjectToWindow(j.displacedX, j.displacedY, j.displacedZ, x1, y1));
    EXPECT_GT(y1 - y0, 10);

    // The collapse display at the same magnification.
    g_bShowDisplacedShape = 0;
    g_bShowCollapse = 1;
    g_fAnimMagnification = 100;
    wxImage collapse;
    ASSERT_TRUE(view->CaptureFrame(collapse));
    Save(collapse, "/tmp/results_bridge_collapse.png");
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ResultLayersTest, ResultColoursFollowTheColouringMode)
{
    ResetAllShapes();
    g_nJoints = 2;
    SetJoint(1, -0.4f, 0, 0);
    SetJoint(2, 0.4f, 0, 0);
    g_Joints[1].displacedY = g_Joints[2].displacedY = -0.3f;
    g_nMembers = 1;
    SetMember(1, 1, 2, 0.2f, 0.4f, 0.6f);
    MemberRec& m = g_Members[1];
    m.axialColorR = 0, m.axialColorG = 0, m.axialColorB = 1;
    m.bendingColorR = 0.5f, m.bendingColorG = 0.5f, m.bendingColorB = 0.8f;
    m.intact = 0;
    auto draw = [] {
        g_bListResultMembersBuilt = 0;
        return Feedback([] { DrawResultMembers(); });
    };

    auto prims = draw();  // start-up mode: failures coloured
    ASSERT_GE(prims.size(), 6u);
    EXPECT_TRUE(AllIn(prims, 1, 0, 0));
    // On the displaced joints, not the undeformed ones.
    const float half = g_Shapes[1].height / 2;
    EXPECT_NEAR(-0.3f + half, MaxY(prims), 1e-4f);
    EXPECT_NEAR(-0.3f - half, MinY(prims), 1e-4f);
    const size_t solid = prims.size();

    g_bColorFailedMembers = 0;
    EXPECT_TRUE(AllIn(draw(), 0.2f, 0.4f, 0.6f));
    g_bColorFailedMembers = 1;
    m.intact = 1;
    EXPECT_TRUE(AllIn(draw(), 0.2f, 0.4f, 0.6f));
    m.intact = 0;
    g_bColorBendingStresses = 1;
    EXPECT_TRUE(AllIn(draw(), 0.5f, 0.5f, 0.8f));
    g_bColorAxialStresses = 1;  // axial wins over bending
    EXPECT_TRUE(AllIn(draw(), 0, 0, 1));
    g_bAnimationRunning = 1;  // an animation shows the own colours
    EXPECT_TRUE(AllIn(draw(), 0.2f, 0.4f, 0.6f));
    g_bAnimationRunning = 0;

    m.hidden = 1;  // hidden members are drawn like the others here
    prims = draw();
    EXPECT_EQ(solid, prims.size());
    EXPECT_TRUE(AllIn(prims, 0, 0, 1));
    m.negated = 1;  // a thin red line
    prims = draw();
    ASSERT_EQ(1u, prims.size());
    EXPECT_TRUE(IsLine(prims[0]));
    EXPECT_TRUE(AllIn(prims, 1, 0, 0));
    m.hidden = m.negated = 0;

    g_Shapes[1].height = 0.03f;  // thin: a line in the result colour
    prims = draw();
    ASSERT_EQ(1u, prims.size());
    EXPECT_TRUE(IsLine(prims[0]));
    EXPECT_TRUE(AllIn(prims, 0, 0, 1));
    g_Shapes[1].height = 0.125f;

    // Coincident displaced ends draw no solid; bad joint rows draw nothing.
    g_Joints[2].displacedX = g_Joints[1].displacedX;
    EXPECT_TRUE(draw().empty());
    g_Members[1].jointB = 300;
    EXPECT_TRUE(draw().empty());
    EXPECT_EQ(1, g_bListResultMembersBuilt);

    // No joints: nothing compiled, the flag stays clear.
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
    g_nJoints = 3;
    SetJoint(1, -0.5f, 0, 0);
    SetJoint(2, 0, 0, 0);
    SetJoint(3, 0, 0.4f, 0);
    g_Joints[1].dispX = 0.01f, g_Joints[1].dispY = -0.02f, g_Joints[1].dispZ = 0.005f;
    g_Joints[1].rotZ = 0.1f;
    g_Joints[1].rotY = 0.05f;
    g_Joints[2].rotX = -0.2f;
    g_nMembers = 2;
    SetMember(1, 1, 2, 0, 0, 0);  // black: drawn olive
    SetMember(2, 2, 3, 0.2f, 0.4f, 0.6f);
    g_Members[2].intact = 0;

    // m = 0: the undeformed structure.
    auto prims = Feedback([] { DrawMembersAnimated(0); });
    ASSERT_EQ(2u, prims.size());
    EXPECT_NEAR(-0.5f, prims[0].vertices[0].x, 1e-6f);
    EXPECT_NEAR(0, prims[0].vertices[1].x, 1e-6f);
    EXPECT_NEAR(0.4f, prims[1].vertices[1].y, 1e-6f);
    EXPECT_TRUE(AllIn({prims[0]}, 0.35f, 0.35f, 0.17f));
    EXPECT_TRUE(AllIn({prims[1]}, 1, 0, 0));
    EXPECT_FLOAT_EQ(0.5f, g_Members[1].length);
    EXPECT_FLOAT_EQ(1, g_Members[2].cosY);

    // m = 3: start moved by 3 x its displacement, direction turned by 3 x its
    // rotations, length kept.
    const float m = 3;
    prims = Feedback([&] { DrawMembersAnimated(m); });
    ASSERT_EQ(2u, prims.size());
    // Outside truck and tower scenes the displaced positions stay.
    EXPECT_EQ(-0.5f, g_Joints[1].displacedX);
    EXPECT_EQ(0.4f, g_Joints[3].displacedY);
    const float* s = g_Members[1].displacedScratch;
    EXPECT_FLOAT_EQ(-0.02f, s[4]);
    const float sx = -0.5f + m * 0.01f, sy = m * -0.02f, sz = m * 0.005f;
    const float cy = std::cos(std::acos(0.0f) + m * 0.05f), cz = std::cos(std::acos(0.0f) + m * 0.1f);
    EXPECT_NEAR(sx, prims[0].vertices[0].x, 1e-6f);
    EXPECT_NEAR(sy, prims[0].vertices[0].y, 1e-6f);
    EXPECT_NEAR(sx + 0.5f, prims[0].vertices[1].x, 1e-6f);
    EXPECT_NEAR(sy + 0.5f * cy, prims[0].vertices[1].y, 1e-6f);
    // Depth in feedback is a window depth of limited precision.
    EXPECT_NEAR(sz + 0.5f * cz, prims[0].vertices[1].z, 1e-4f);
    EXPECT_NEAR(cz, s[8], 1e-7f);
    EXPECT_NEAR(sy, s[10], 1e-7f);
    // The second member starts at joint 2, which does not move, and turns
    // by its rotation about x.
    const float c2x = std::cos(std::acos(0.0f) + m * -0.2f);
    EXPECT_NEAR(0.4f * c2x, prims[1].vertices[1].x, 1e-6f);

    // An animation shows the failed member in its own colour.
    g_bAnimationRunning = 1;
    prims = Feedback([&] { DrawMembersAnimated(m); });
    EXPECT_TRUE(AllIn({prims[1]}, 0.2f, 0.4f, 0.6f));
    g_bAnimationRunning = 0;

    // In a truck scene the drawn ends become the joints' displaced positions.
    g_bTruckActive = 1;
    Feedback([&] { DrawMembersAnimated(m); });
    EXPECT_NEAR(sx, g_Joints[1].displacedX, 1e-6f);
    EXPECT_NEAR(0.4f * c2x, g_Joints[3].displacedX, 1e-6f);
    EXPECT_NEAR(0, g_Joints[2].displacedX, 1e-6f);  // written last as member 2's start
}

TEST_F(ResultLayersTest, ZeroLengthMemberFromAFileDrawsNothing)
{
    // A member whose joints coincide cannot be made with the mouse, but a
    // file can hold one.
    ResetAllShapes();
    g_nJoints = 3;
    SetJoint(1, -0.5f, 0, 0);
    SetJoint(2, 0, 0, 0);
    SetJoint(3, 0, 0, 0);
    g_nMembers = 2;
    SetMember(1, 1, 2, 0.2f, 0.4f, 0.6f);
    SetMember(2, 2, 3, 0.2f, 0.4f, 0.6f);
    const std::string path = testing::TempDir() + "results_zero_length.3dd";
    ASSERT_EQ(1, WriteModelFile(path));
    ResetAllShapes();
    ASSERT_EQ(1, OpenModelFile(path));
    std::remove(path.c_str());
    ASSERT_EQ(2, g_nMembers);
    g_Joints[2].rotZ = g_Joints[2].rotX = 0.1f;
    g_Joints[2].dispY = -0.01f;
    g_Members[2].cosX = 7;

    g_nMembers = 1;
    const size_t one = Feedback([] { DrawMembersAnimated(5); }).size();
    ASSERT_GT(one, 0u);
    g_nMembers = 2;
    for (float m : {0.0f, 5.0f}) {
        const auto prims = Feedback([&] { DrawMembersAnimated(m); });
        EXPECT_EQ(one, prims.size());
        for (const auto& p : prims)
            for (const auto& v : p.vertices)
                EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    }
    const MemberRec& zero = g_Members[2];
    EXPECT_EQ(0, zero.length);
    EXPECT_EQ(0, zero.actualLength);
    EXPECT_EQ(0, zero.cosX);
    EXPECT_EQ(0, zero.cosY);
    EXPECT_EQ(0, zero.cosZ);
    for (float v : zero.displacedScratch) EXPECT_TRUE(std::isfinite(v));

    // Whole frames of the collapse and displaced displays.
    g_bShowUndeformed = 0;
    g_bShowCollapse = 1;
    g_fAnimMagnification = 5;
    view->RenderFrame();
    g_bShowCollapse = 0;
    ComputeDisplacedShape(5);
    g_bShowDisplacedShape = 1;
    view->RenderFrame();
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ResultLayersTest, JointsAreSpheresOnlyInTheUndeformedDisplay)
{
    view->RenderFrame();  // no joints: nothing compiled
    EXPECT_EQ(0, DisplayListCompileCount(LIST_JOINTS));
    EXPECT_EQ(0, g_bListJointsBuilt);

    TwoJointScene();
    wxImage image;
    ASSERT_TRUE(view->CaptureFrame(image));
    Save(image, "/tmp/results_joints.png");
    int p[3];
    ASSERT_TRUE(PixelAt(image, -3, 0, 0, p));
    EXPECT_TRUE(LitAs(p, 0, 0, 1)) << p[0] << " " << p[1] << " " << p[2];
    ASSERT_TRUE(PixelAt(image, 3, 0.2f, 0, p));  // inside the sphere, above the member
    EXPECT_TRUE(LitAs(p, 0, 0, 1)) << p[0] << " " << p[1] << " " << p[2];
    ASSERT_TRUE(PixelAt(image, 3, 0.4f, 0, p));  // outside it
    EXPECT_FALSE(LitAs(p, 0, 0, 1));
    ASSERT_TRUE(view->CaptureFrame(image));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_JOINTS));

    // A larger joint size rebuilds the list.
    g_fJointSize = 0.5f;
    g_bListJointsBuilt = 0;
    ASSERT_TRUE(view->CaptureFrame(image));
    EXPECT_EQ(2, DisplayListCompileCount(LIST_JOINTS));
    ASSERT_TRUE(PixelAt(image, 3, 0.4f, 0, p));
    EXPECT_TRUE(LitAs(p, 0, 0, 1)) << p[0] << " " << p[1] << " " << p[2];

    // The displaced display shows no joint spheres, only the members.
    for (int j = 1; j <= 2; ++j) g_Joints[j].displacedY = -1;
    g_bShowUndeformed = 0;
    g_bShowDisplacedShape = 1;
    ASSERT_TRUE(view->CaptureFrame(image));
    Save(image, "/tmp/results_joints_displaced.png");
    ASSERT_TRUE(PixelAt(image, -3, 0, 0, p));
    int bg[3];
    Pixel(image, 2, image.GetHeight() - 2, bg);
    EXPECT_EQ(bg[0], p[0]);
    EXPECT_EQ(bg[1], p[1]);
    EXPECT_EQ(bg[2], p[2]);
    ASSERT_TRUE(PixelAt(image, 0, -1, 0, p));
    EXPECT_TRUE(LitAs(p, 0.6f, 0.5f, 0.2f)) << p[0] << " " << p[1] << " " << p[2];
    EXPECT_EQ(2, DisplayListCompileCount(LIST_JOINTS));
}

TEST_F(ResultLayersTest, PickedAndMarkedJointsAreHighlighted)
{
    TwoJointScene();
    g_nPickedJoint = 1;
    g_Joints[2].mark = 1;
    wxImage image;
    ASSERT_TRUE(view->CaptureFrame(image));
    Save(image, "/tmp/results_highlights.png");
    int p[3];
    ASSERT_TRUE(PixelAt(image, -3, 0, 0, p));
    EXPECT_TRUE(LitAs(p, 1, 1, 0)) << p[0] << " " << p[1] << " " << p[2];
    ASSERT_TRUE(PixelAt(image, 3, 0, 0, p));
    EXPECT_TRUE(LitAs(p, 1, 0, 0)) << p[0] << " " << p[1] << " " << p[2];

    // On the displaced shape the pick follows the joint and marks are not shown.
    g_Joints[1].displacedY = -1.5f;
    g_Joints[2].displacedY = -1.5f;
    g_bShowUndeformed = 0;
    g_bShowDisplacedShape = 1;
    ASSERT_TRUE(view->CaptureFrame(image));
    ASSERT_TRUE(PixelAt(image, -3, -1.5f, 0, p));
    EXPECT_TRUE(LitAs(p, 1, 1, 0)) << p[0] << " " << p[1] << " " << p[2];
    ASSERT_TRUE(PixelAt(image, -3, 0, 0, p));
    EXPECT_FALSE(LitAs(p, 1, 1, 0));
    ASSERT_TRUE(PixelAt(image, 3, 0, 0, p));
    EXPECT_FALSE(LitAs(p, 1, 0, 0));

    // The focus marker is green at the camera centre.
    g_bShowFocus = 1;
    g_nPickedJoint = 0;
    ASSERT_TRUE(view->CaptureFrame(image));
    ASSERT_TRUE(PixelAt(image, 0, 0, 0, p));
    EXPECT_TRUE(LitAs(p, 0, 1, 0)) << p[0] << " " << p[1] << " " << p[2];

    // Sizes and colours of the immediate markers; nothing for joint 0 or a
    // joint outside the model.
    SetJoint(1, 0, 0, 0);
    g_Joints[1].displacedY = -0.3f;
    SetJoint(2, 0.5f, 0, 0);
    g_Joints[2].mark = 1;
    const float r = g_fJointSize;
    auto top = [](std::vector<Primitive> prims) { return MaxY(prims); };
    EXPECT_NEAR(r + 0.05f, top(Feedback([] { HighlightJoint(1); })), 1e-4f);
    EXPECT_NEAR(r + 0.06f, top(Feedback([] { HighlightDisplacedJoint(1); })) + 0.3f, 1e-4f);
    EXPECT_TRUE(AllIn(Feedback([] { DrawPointMarker(0, 0, 0); }), 0, 0, 1));
    EXPECT_NEAR(r + 0.04f, top(Feedback([] { DrawPointMarker(0, 0, 0); })), 1e-4f);
    EXPECT_TRUE(AllIn(Feedback([] { DrawMarkedJoints(); }), 1, 0, 0));
    EXPECT_TRUE(Feedback([] { HighlightJoint(0); }).empty());
    EXPECT_TRUE(Feedback([] { HighlightJoint(3); }).empty());
    EXPECT_TRUE(Feedback([] { HighlightDisplacedJoint(-4); }).empty());
    g_nJoints = 0;
    EXPECT_TRUE(Feedback([] { HighlightJoint(1); }).empty());
    EXPECT_TRUE(Feedback([] { DrawMarkedJoints(); }).empty());
}
