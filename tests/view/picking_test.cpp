// The picks give the first hit record of a selection pass that draws every
// candidate in order, whichever candidates they leave undrawn.
#include <cmath>
#include <functional>

#include <GL/gl.h>
#include <GL/glu.h>

#include "model/tables.h"
#include "state/frame_globals.h"
#include "tests/view/edit_fixture.h"
#include "view/gl_setup.h"
#include "view/member_solids.h"
#include "view/picking.h"

namespace {

// First hit name of a plain selection pass through the 4-pixel pick window.
GLuint FirstHitDrawingAll(int x, int y, const std::function<void()>& draw)
{
    GLuint buffer[512];
    glSelectBuffer(512, buffer);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x, g_nViewHeight - y, 4, 4, viewport);
    gluPerspective(45, ViewAspect(g_nViewWidth, g_nViewHeight), 2, 500);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(g_dEyeX, g_dEyeY, g_dEyeZ, g_dCenterX, g_dCenterY, g_dCenterZ, 0, 1, 0);
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    draw();
    glPopAttrib();
    const GLint hits = glRenderMode(GL_RENDER);
    ResizeGLViewport(g_nViewWidth, g_nViewHeight);
    return hits > 0 ? buffer[3] : 0;
}

TEST_F(EditViewTest, PicksAgreeWithASelectionOfEveryCandidate)
{
    g_nWorkspaceX = 12, g_nWorkspaceY = 8, g_nWorkspaceZ = 8;
    g_fGuidePlaneZ = 4;
    // A lattice of joints and members over the plane.
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 4; ++j) AddJoint(1 + 2 * i, 1 + 2 * j, 4 + (i + j) % 3);
    for (int a = 1; a < g_nJoints; ++a) AddMember(a, a + 1), AddMember(a, (a + 4) % g_nJoints + 1);
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].shape = static_cast<short>(1 + i % 4);
    const int nx = 4 * 12 + 1, ny = 4 * 8 + 1;
    auto drawGrid = [&] {
        for (int i = 0; i < nx; ++i)
            for (int j = 0; j < ny; ++j) {
                glLoadName(i * ny + j + 1);
                glBegin(GL_POINTS);
                glVertex3f(i * 0.25f, j * 0.25f, 4);
                glEnd();
            }
    };
    auto drawMembers = [] {
        for (int i = 1; i <= g_nMembers; ++i) {
            const MemberRec& m = g_Members[i];
            const JointRec &a = g_Joints[m.jointA], &b = g_Joints[m.jointB];
            glLoadName(i);
            DrawMemberBox(a.x, a.y, a.z, b.x, b.y, b.z, m.rollAngle, g_Shapes[m.shape].height,
                          g_Shapes[m.shape].width, 0, 0, 0);
        }
    };
    int gridHits = 0, memberHits = 0;
    // Near and oblique; then far, where several grid points share the window.
    for (double distance : {10.0, 60.0}) {
        LookAt(6 + distance * 0.4, 4 + distance * 0.5, 4 + distance, 6, 4, 4);
        for (int y = 10; y < g_nViewHeight; y += 37)
            for (int x = 10; x < g_nViewWidth; x += 41) {
                const GLuint grid = FirstHitDrawingAll(x, y, drawGrid);
                g_fCursorX = g_fCursorY = g_fCursorZ = -1;
                ASSERT_EQ(PickGridPointXY(x, y) != 0, grid != 0) << x << " " << y;
                if (grid) {
                    ++gridHits;
                    EXPECT_EQ(V(g_fCursorX, g_fCursorY, g_fCursorZ),
                              V((grid - 1) / ny * 0.25f, (grid - 1) % ny * 0.25f, 4));
                }
                const GLuint member = FirstHitDrawingAll(x, y, drawMembers);
                EXPECT_EQ(PickMember(x, y), static_cast<int>(member)) << x << " " << y;
                memberHits += member != 0;
            }
    }
    EXPECT_GT(gridHits, 10);
    EXPECT_GT(memberHits, 10);
}

// A workspace read from a file may be huge: the picks cover the drawn grid
// only (500 units a side).
TEST_F(EditViewTest, GridPicksStayBoundedOnAHugeWorkspace)
{
    g_nWorkspaceX = g_nWorkspaceY = g_nWorkspaceZ = 32000;
    LookAt(500, 100, 150, 500, 100, 12);
    const wxPoint inside = At(499, 100, 12), beyond = At(501, 100, 12);
    ASSERT_TRUE(PickGridPointXY(inside.x, inside.y));
    EXPECT_TRUE(std::abs(g_fCursorX - 499) <= 0.5f && std::abs(g_fCursorY - 100) <= 0.5f && g_fCursorZ == 12);
    EXPECT_FALSE(PickGridPointXY(beyond.x, beyond.y));
    g_bShowGuideXY = 0;
    EXPECT_FALSE(PickGridPointXY(inside.x, inside.y));  // a hidden plane has no points
    EXPECT_TRUE(PickBasePointXY(inside.x, inside.y));   // the base planes are always there
}

}  // namespace
