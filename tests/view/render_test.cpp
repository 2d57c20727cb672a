// The view window and the scene renderer, checked in the realised view: GL
// state after creation, resizing, timers, the start-up model and creation
// failures; the list protocol, member solids and the bridge example as pixels.
#include <cstdio>
#include <fstream>

#include "files/model_file.h"
#include "model/defaults.h"
#include "state/frame_globals.h"
#include "tests/view/view_fixture.h"
#include "view/gl_setup.h"
#include "view/member_solids.h"
#include "view/overlay.h"

namespace {

double ProjectionAspect()
{
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    return m[5] / m[0];  // gluPerspective: f / aspect in [0], f in [5]
}

GLint Integer(GLenum name)
{
    GLint v[4] = {0, 0, 0, 0};
    glGetIntegerv(name, v);
    return name == GL_VIEWPORT ? v[2] : v[0];  // the viewport's width
}

}  // namespace

TEST_F(ViewTest, CreationLeavesTheFixedGLStateAndHooks)
{
    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL})
        EXPECT_TRUE(glIsEnabled(cap)) << cap;
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(Integer(GL_SHADE_MODEL) == GL_FLAT && Integer(GL_DEPTH_BITS) >= 16);
    EXPECT_TRUE(g_nViewWidth == Integer(GL_VIEWPORT) && g_nViewHeight > 0);
    // The reserved list names; the arrow head is compiled once up front.
    EXPECT_TRUE(g_nListBase != 0 && glIsList(g_nListBase + LIST_RESERVED_COUNT - 1));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_ARROW_HEAD));
    EXPECT_EQ(-1, view->StartFileResult());
    // The hooks reach this context until the view goes.
    ASSERT_NE(nullptr, g_pfnSetClearColor);
    g_pfnSetClearColor(0.25f, 0.5f, 1.0f, 1.0f);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(0.5f, clear[1]);
    glViewport(0, 0, 10, 10);
    g_pfnResizeViewportToView();
    EXPECT_EQ(g_nViewWidth, Integer(GL_VIEWPORT));
    frame->Destroy();
    frame = new wxFrame(nullptr, wxID_ANY, "empty");  // TearDown destroys this one
    Pump();
    EXPECT_TRUE(g_pfnSetClearColor == nullptr && g_pfnResizeViewportToView == nullptr);
}

TEST_F(ViewTest, ResizeUsesTheLargerSideOverTheSmaller)
{
    ResizeGLViewport(400, 800);
    EXPECT_NEAR(2.0, ProjectionAspect(), 1e-5);
    EXPECT_EQ(GL_PROJECTION, Integer(GL_MATRIX_MODE));
    ResizeGLViewport(800, 400);
    EXPECT_NEAR(2.0, ProjectionAspect(), 1e-5);
    EXPECT_TRUE(Integer(GL_VIEWPORT) == 800 && g_nViewHeight == 400);
    GLfloat before[16], after[16];  // a zero side stores the size and changes nothing else
    glMatrixMode(GL_MODELVIEW);
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    ResizeGLViewport(0, 300);
    EXPECT_EQ(0, g_nViewWidth);
    ResizeGLViewport(500, 0);
    EXPECT_TRUE(g_nViewWidth == 500 && g_nViewHeight == 0);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);
    EXPECT_TRUE(Integer(GL_VIEWPORT) == 800 && Integer(GL_MATRIX_MODE) == GL_MODELVIEW);
}

// The view's timers reach the animation: ticks grow the displaced shape
// until the timer is killed; the fan turns until a left-button release.
TEST_F(ViewTest, AnimationTimersShowTheDisplacedShapeAndTheFanTurns)
{
    g_nJoints = 1, g_fMagnification = 2;
    g_Joints[1].y = 1, g_Joints[1].dispY = -0.5f;
    for (int id : {TIMER_ANIMATE_DISPLACEMENT, TIMER_ANIMATE_COLLAPSE}) {
        backend.Clear();
        g_fAnimMagnification = 0;
        g_bAnimationRunning = g_bShowUndeformed = g_bListResultMembersBuilt = 1, g_bShowDisplacedShape = 0;
        wxTimer timer(view, id);
        wxTimerEvent tick(timer);
        view->ProcessWindowEvent(tick);
        EXPECT_TRUE(!g_bShowUndeformed && g_bShowDisplacedShape && !g_bListResultMembersBuilt);
        EXPECT_FLOAT_EQ(0.9f, g_Joints[1].displacedY);  // 1 + 0.2 x -0.5
        int ticks = 1;
        while (backend.Count(platform::Event::KillTimer) == 0 && ticks < 20) view->ProcessWindowEvent(tick), ++ticks;
        ASSERT_EQ(1, backend.Count(platform::Event::KillTimer));
        for (const auto& e : backend.events)
            if (e.kind == platform::Event::KillTimer) {
                EXPECT_EQ(id, e.id);
            }
        EXPECT_TRUE(ticks == 10 || ticks == 11) << ticks;
        EXPECT_NEAR(0.0f, g_Joints[1].displacedY, 0.06f);  // 1 + 2 x -0.5
        EXPECT_EQ(g_bAnimationRunning, id == TIMER_ANIMATE_DISPLACEMENT ? 0 : 1);
    }
    // The fan turns with each tick until a left-button release ends it with the cheers.
    backend.Clear();
    g_bUseFan = g_bListFanBuilt = 1, g_bAnimationRunning = g_bModelFailed = 0, g_fFanAngle = 0;
    backend.SetViewTimer(TIMER_FAN, 10);
    wxTimer fan(view, TIMER_FAN);
    wxTimerEvent tick(fan);
    for (int i = 0; i < 2; ++i) view->ProcessWindowEvent(tick);
    EXPECT_FLOAT_EQ(-30.0f, g_fFanAngle);
    EXPECT_EQ(0, backend.Count(platform::Event::KillTimer));
    wxMouseEvent release(wxEVT_LEFT_UP);
    for (int i = 0; i < 2; ++i) view->ProcessWindowEvent(release);  // the second finds nothing running
    EXPECT_FALSE(backend.ViewTimerRunning(TIMER_FAN));
    ASSERT_EQ(1u, backend.Sounds().size());
    EXPECT_EQ("IDR_WAVE_CHEERS", backend.Sounds()[0].text);
}

TEST_F(ViewTest, ViewCreationFailureShowsReasonThenErrorCode)
{
    ReportViewCreateFailure(VIEW_FAIL_COLOR_DEPTH, 22);
    ReportViewCreateFailure(VIEW_FAIL_SET_FORMAT, 0);
    const auto boxes = backend.Boxes();
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ("Please set display colors to 16-bits or higher.\nSee Start|Settings|Control Panel|Display.",
              boxes[0].text);
    EXPECT_EQ("Report this error code = 22  ", boxes[1].text);
    EXPECT_EQ(0u, boxes[2].text.rfind("SetPixelFormat failed!  \nReport this message to BBSC.  \n", 0));
    for (const auto& b : boxes) EXPECT_TRUE(b.caption == "Trussforge3D" && b.flags == 0x1040u) << b.flags;
}

// A start-up model is read when the view is created and its result handed
// to the frame, which reports a file that cannot be read.
TEST_F(Tf3dTest, StartFileIsReadWhenTheViewIsCreated)
{
    auto create = [](const std::string& path) {
        g_strStartFile = path;
        auto* frame = new wxFrame(nullptr, wxID_ANY, "start file");
        auto* view = new CSpan3DView(frame);
        EXPECT_TRUE(view->Created());
        const int result = view->StartFileResult();
        frame->Destroy();
        Pump();
        return result;
    };
    g_bModelSaved = 0;
    EXPECT_EQ(1, create(ExamplePath("bridge.3dd")));
    EXPECT_TRUE(g_nMembers > 0 && g_bModelSaved == 1);
    EXPECT_EQ(0, create(std::string(TF3D_SOURCE_DIR) + "/no/such/model.3dd"));
    const std::string bad = testing::TempDir() + "tf3d_view_bad.3dd";
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 3 1 0\n1 0 0 0 1 1 1 1 1 1 0 0\n";  // cut short
    EXPECT_EQ(0, create(bad));
    std::remove(bad.c_str());
    EXPECT_EQ(0, backend.Count(platform::Event::Box));
}

TEST_F(ViewTest, ListIsCompiledOnceAndReplayedUntilItsFlagIsCleared)
{
    int built5 = 0, built6 = 0, drawn5 = 0, drawn6 = 0;
    const int before5 = DisplayListCompileCount(5), before6 = DisplayListCompileCount(6);
    for (int pass = 0; pass < 4; ++pass) {
        if (pass == 3) built6 = 0;
        CallDisplayList(5, built5, [&] { ++drawn5; });
        CallDisplayList(6, built6, [&] { ++drawn6; });
    }
    EXPECT_TRUE(built5 == 1 && drawn5 == 1 && drawn6 == 2);
    EXPECT_TRUE(DisplayListCompileCount(5) == before5 + 1 && DisplayListCompileCount(6) == before6 + 2);
    // The same through whole frames with the members layer.
    view->RenderFrame();  // empty model: nothing compiled, flag stays 0
    EXPECT_TRUE(DisplayListCompileCount(LIST_MEMBERS) == 0 && g_bListMembersBuilt == 0);
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    int frames = 0;
    SetAfterFrameHook([&] { ++frames; });
    for (int i = 0; i < 3; ++i) view->RenderFrame();
    EXPECT_TRUE(frames == 3 && DisplayListCompileCount(LIST_MEMBERS) == 1);
    g_bListMembersBuilt = 0;
    view->RenderFrame(), view->RenderFrame();
    EXPECT_EQ(2, DisplayListCompileCount(LIST_MEMBERS));
    g_bShowUndeformed = g_bListMembersBuilt = 0;  // a layer switched off is neither compiled nor replayed
    view->RenderFrame();
    EXPECT_TRUE(DisplayListCompileCount(LIST_MEMBERS) == 2 && g_bListMembersBuilt == 0 && g_bRendering == 0);
}

TEST_F(ViewTest, BridgeMembersShowInTheirColoursOverTheBackground)
{
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    HideScenery();
    g_bTruckActive = 0;
    FrameModel(0.8, 0.6);  // looking down on the deck
    ASSERT_TRUE(Capture());
    ASSERT_EQ(g_nViewWidth, image.GetWidth());
    int bg[3], p[3];
    Pixel(image.GetWidth() - 2, image.GetHeight() - 2, bg);
    const float want[] = {g_fBackgroundR, g_fBackgroundG, g_fBackgroundB};
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(want[c] * 255, bg[c], 1);
    // A lit member keeps the order of its colour's channels (lighting may
    // saturate one) and is tinted.
    int found = 0, solid = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        if (m.hidden || m.negated || g_Shapes[m.shape].height <= 0.03f) continue;
        ++solid;
        short x, y;
        if (!ProjectMember(i, x, y) || x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight()) continue;
        Pixel(x, y, p);
        const bool ordered = (m.colorR > m.colorG ? p[0] >= p[1] : p[0] <= p[1]) &&
                             (m.colorG > m.colorB ? p[1] >= p[2] : p[1] <= p[2]);
        found += ordered && std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) >= 10;
    }
    ASSERT_GT(solid, 10);
    EXPECT_GE(found, solid * 8 / 10);
    // The prompt line: dark text inside its cell at (10, 5), on a box of the background colour.
    int dark = 0, boxed = 0, top = 1000, bottom = -1, left = 1000;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            Pixel(x, y, p);
            if (p[0] < 80 && p[1] < 80 && p[2] < 80) {
                ++dark;
                top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x);
            }
            boxed += p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2];
        }
    EXPECT_TRUE(dark > 20 && boxed > 2000) << dark << " " << boxed;
    EXPECT_TRUE(top >= 5 && bottom < 5 + CSpan3DView::OverlayLineHeight() && bottom - top >= 8 && left >= 10)
        << top << " " << bottom << " " << left;
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ViewTest, MemberWithAnEndBehindTheEyeGetsNoLabel)
{
    LookAt(0, 0, 30, 0, 0, 0);
    AddJoint(-2, 0, 0), AddJoint(2, 0, 0), AddJoint(0, 0, 40);  // the last behind the eye
    AddMember(1, 3), AddMember(1, 2);
    short x, y, jx, jy;
    ASSERT_EQ(1, ProjectMember(2, x, y));
    EXPECT_TRUE(std::abs(g_nViewWidth / 2 - x) <= 1 && std::abs(g_nViewHeight / 2 - y) <= 1) << x << " " << y;
    ASSERT_EQ(1, ProjectJoint(2, jx, jy));
    EXPECT_GT(jx, x);
    EXPECT_EQ(0, ProjectMember(1, x, y) + ProjectJoint(3, jx, jy) + ProjectJoint(4, jx, jy) + ProjectMember(3, jx, jy));
    g_bShowMemberNumbers = 1;  // the prompt and member 2
    const auto lines = ComposeOverlayText(ProjectJoint, ProjectMember);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("2", lines[1].text);
}

TEST_F(ViewTest, MemberSolidsFollowTheMemberAxisAndRoll)
{
    // Section 0.2 high, 0.1 wide: along +x the height lies along y, the width along z.
    const struct {
        bool box;
        float x1, y1, z1, x2, y2, z2, roll, offY;
        std::vector<float> want;
    } cases[] = {
        {false, 0, 0, 0, 0.5f, 0, 0, 0, 0, {0, 0.5f, -0.1f, 0.1f, -0.05f, 0.05f}},
        {false, 0, 0, 0, 0.5f, 0, 0, 90, 0, {0, 0.5f, -0.05f, 0.05f, -0.1f, 0.1f}},     // rolled
        {false, 0, 0, 0, 0, -0.5f, 0, 0, 0, {-0.1f, 0.1f, -0.5f, 0, -0.05f, 0.05f}},    // straight down
        {false, 0, 0, 0, 0, 0, -0.5f, 0, 0.3f, {-0.05f, 0.05f, 0.2f, 0.4f, -0.5f, 0}},  // along -z, offset
        {true, 0.1f, 0, 0, 0.1f, 0.6f, 0, 0, 0, {0, 0.2f, 0, 0.6f, -0.05f, 0.05f}},
        {true, 0, 0, 0, 0, 0, 0.5f, 0, 0, {-0.05f, 0.05f, -0.1f, 0.1f, 0, 0.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ExpectBox(BoxOf(Feedback([&] {
                      if (c.box)
                          DrawMemberBox(c.x1, c.y1, c.z1, c.x2, c.y2, c.z2, c.roll, 0.2f, 0.1f, 1, 1, 1);
                      else
                          DrawRectMember(c.x1, c.y1, c.z1, c.x2, c.y2, c.z2, c.roll, 0.2f, 0.1f, 1, 1, 1, c.offY, 0);
                  })),
                  c.want, 1e-4f);
    }
    // Zero length: nothing.
    EXPECT_TRUE(Feedback([] { DrawRectMember(0.1f, 0.1f, 0, 0.1f, 0.1f, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); }).empty());
    EXPECT_TRUE(Feedback([] { DrawRoundMember(0, 0, 0, 0, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); }).empty());
    EXPECT_TRUE(Feedback([] { DrawMemberBox(0, 0, 0, 0, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1); }).empty());
    // Doubled: a gap of the spacing between the sticks; rods of radius h / 2
    // (the width plays no part) with axes at +-(h / 2 + s / 2).
    const float h = 0.2f, w = 0.1f, s = 0.3f;
    auto innerGap = [](const FbPrims& prims) {
        float nearest = 1e9f;
        for (const auto& p : prims)
            for (const auto& v : p.vertices) nearest = std::min(nearest, std::fabs(v.z));
        return nearest;
    };
    const auto rect = Feedback([&] { DrawDoubleRectMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, s, 0, 0); });
    const auto single = Feedback([&] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, 0, 0); });
    EXPECT_NEAR(s / 2, innerGap(rect), 1e-3f);
    EXPECT_NEAR(s / 2 + w, BoxOf(rect).hi[2], 1e-3f);
    EXPECT_EQ(2 * Polygons(single), Polygons(rect));
    const auto rods = Feedback([&] { DrawDoubleRoundMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, s, 0, 0); });
    EXPECT_NEAR(s / 2, innerGap(rods), 1e-3f);
    EXPECT_NEAR(s / 2 + h, BoxOf(rods).hi[2], 1e-3f);
    EXPECT_NEAR(h / 2, BoxOf(rods).hi[1], 1e-3f);
}

TEST_F(ViewTest, MembersListChoosesLineOrSolidAndColour)
{
    ResetAllShapes();
    AddJoint(0, 0, 0);
    AddJoint(0.5f, 0, 0);
    MemberRec& m = AddMember(1, 2, 0.2f, 0.4f, 0.6f);
    auto draw = [] {
        g_bListMembersBuilt = 0;
        return Feedback([] { DrawMembers(); });
    };
    auto line = [](const FbPrims& prims, float r, float g, float b) {
        return prims.size() == 1 && IsLine(prims[0]) && AllIn(prims, r, g, b);
    };
    const int box = Polygons(Feedback([] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, 0.1f, 0.1f, 1, 1, 1, 0, 0); }));
    ASSERT_GE(box, 6);
    EXPECT_EQ(box, Polygons(draw()));
    EXPECT_TRUE(AllIn(draw(), 0.2f, 0.4f, 0.6f));
    m.intact = 0;
    EXPECT_TRUE(AllIn(draw(), 1, 0, 0));
    m.runner = 1;  // a deck member is magenta while the deck is highlighted
    g_bHighlightDeck = 1;
    EXPECT_TRUE(AllIn(draw(), 1, 0.25f, 1));
    g_bHighlightDeck = 0;
    m.intact = m.hidden = 1;
    EXPECT_TRUE(line(draw(), 0, 0, 0));
    m.negated = 1;  // negated wins over hidden
    EXPECT_TRUE(line(draw(), 1, 0, 0));
    m.hidden = m.negated = 0;
    // A section 0.03 high or less is a line in the list, a yellow solid when picked.
    g_Shapes[1].height = 0.03f;
    EXPECT_TRUE(line(draw(), 0.2f, 0.4f, 0.6f));
    const auto picked = Feedback([] { HighlightMember(1); });
    EXPECT_EQ(box, Polygons(picked));
    EXPECT_NEAR(0.025f, BoxOf(picked).hi[1], 1e-4f);
    EXPECT_NEAR(1.0f, picked[0].vertices[0].g, 0.01f);
    // Coincident joints: no solid, but the line of a thin member stays.
    g_Joints[2].x = 0;
    EXPECT_TRUE(line(draw(), 0.2f, 0.4f, 0.6f));
    g_Shapes[1].height = 0.125f;
    EXPECT_TRUE(draw().empty());
    // Bad rows draw nothing and do not crash.
    m.jointB = 77;
    EXPECT_TRUE(draw().empty());
    m.jointB = 2;
    m.shape = 40;
    EXPECT_TRUE(draw().empty());
    EXPECT_TRUE(Feedback([] { HighlightMember(5); }).empty());
}
