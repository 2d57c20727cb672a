// The view window: GL state after creation, resizing, the start-up model,
// the view timers and the creation failure messages.
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <GL/gl.h>
#include <wx/timer.h>

#include "files/model_file.h"
#include "frame/frame_globals.h"
#include "model/tables.h"
#include "tests/view/view_fixture.h"
#include "view/gl_setup.h"

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
    EXPECT_EQ(GL_FLAT, Integer(GL_SHADE_MODEL));
    EXPECT_GE(Integer(GL_DEPTH_BITS), 16);
    EXPECT_EQ(g_nViewWidth, Integer(GL_VIEWPORT));
    EXPECT_TRUE(g_nViewWidth > 0 && g_nViewHeight > 0);
    // The reserved list names; the arrow head is compiled once up front.
    EXPECT_NE(0u, g_nListBase);
    EXPECT_TRUE(glIsList(g_nListBase + LIST_RESERVED_COUNT - 1));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_ARROW_HEAD));
    EXPECT_EQ(3, g_bPfdDoubleBuffer + g_bPfdDrawToWindow + g_bPfdSupportOpenGL);
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
    EXPECT_EQ(nullptr, g_pfnSetClearColor);
    EXPECT_EQ(nullptr, g_pfnResizeViewportToView);
}

TEST_F(ViewTest, ResizeUsesTheLargerSideOverTheSmaller)
{
    ResizeGLViewport(400, 800);
    EXPECT_NEAR(2.0, ProjectionAspect(), 1e-5);
    EXPECT_EQ(GL_PROJECTION, Integer(GL_MATRIX_MODE));
    ResizeGLViewport(800, 400);
    EXPECT_NEAR(2.0, ProjectionAspect(), 1e-5);
    EXPECT_EQ(800, Integer(GL_VIEWPORT));
    EXPECT_EQ(400, g_nViewHeight);

    // A zero side stores the size and changes nothing else.
    GLfloat before[16], after[16];
    glMatrixMode(GL_MODELVIEW);
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    ResizeGLViewport(0, 300);
    EXPECT_EQ(0, g_nViewWidth);
    ResizeGLViewport(500, 0);
    EXPECT_EQ(500, g_nViewWidth);
    EXPECT_EQ(0, g_nViewHeight);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);
    EXPECT_EQ(800, Integer(GL_VIEWPORT));
    EXPECT_EQ(GL_MODELVIEW, Integer(GL_MATRIX_MODE));
}

TEST_F(ViewTest, AnimationTimersShowTheDisplacedShapeAndTheFanTurns)
{
    g_nJoints = 1;
    g_Joints[1].y = 1;
    g_Joints[1].dispY = -0.5f;
    g_fMagnification = 2;
    for (int id : {TIMER_ANIMATE_DISPLACEMENT, TIMER_ANIMATE_COLLAPSE}) {
        backend.Clear();
        g_bAnimationRunning = g_bShowUndeformed = g_bListResultMembersBuilt = 1;
        g_bShowDisplacedShape = 0;
        wxTimer timer(view, id);
        wxTimerEvent tick(timer);
        view->ProcessWindowEvent(tick);
        EXPECT_EQ(0, g_bAnimationRunning);
        ASSERT_EQ(1, backend.Count(platform::Event::KillTimer));
        EXPECT_EQ(id, backend.events.back().id);
        EXPECT_EQ(0, g_bShowUndeformed);
        EXPECT_EQ(1, g_bShowDisplacedShape);
        EXPECT_EQ(0, g_bListResultMembersBuilt);
        EXPECT_FLOAT_EQ(0.0f, g_Joints[1].displacedY);  // 1 + 2 x -0.5
    }

    // The fan turns with each tick until a left-button release ends it with the cheers.
    backend.Clear();
    g_bUseFan = g_bAnimationRunning = g_bListFanBuilt = 1;
    g_bModelFailed = 0;
    g_fFanAngle = 0;
    wxTimer fan(view, TIMER_FAN);
    wxTimerEvent tick(fan);
    view->ProcessWindowEvent(tick);
    view->ProcessWindowEvent(tick);
    EXPECT_FLOAT_EQ(-30.0f, g_fFanAngle);
    EXPECT_EQ(0, g_bListFanBuilt);
    EXPECT_EQ(0, backend.Count(platform::Event::KillTimer));
    wxMouseEvent release(wxEVT_LEFT_UP);
    view->ProcessWindowEvent(release);
    view->ProcessWindowEvent(release);  // nothing runs any more
    EXPECT_EQ(0, g_bAnimationRunning);
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
    for (const auto& b : boxes) {
        EXPECT_EQ("Trussforge3D", b.caption);
        EXPECT_EQ(0x1040u, b.flags);
    }
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
    EXPECT_GT(g_nMembers, 0);
    EXPECT_EQ(1, g_bModelSaved);

    EXPECT_EQ(0, create(std::string(TF3D_SOURCE_DIR) + "/no/such/model.3dd"));
    const std::string bad = testing::TempDir() + "tf3d_view_bad.3dd";
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 3 1 0\n1 0 0 0 1 1 1 1 1 1 0 0\n";  // cut short
    EXPECT_EQ(0, create(bad));
    std::remove(bad.c_str());
    EXPECT_EQ(0, backend.Count(platform::Event::Box));
}
