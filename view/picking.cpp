#include "view/picking.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/gl_setup.h"
#include "view/member_solids.h"
#include "view/scene_layers.h"

namespace {

constexpr int kSelectBufferSize = 512;

// One selection pass through the pick window around a window point. Only
// candidates that may fall inside the window need to be drawn: the others
// give no hit record, so the first record stays the same whichever of them
// are left out. MayHit tells them apart from the same matrices GL uses.
class SelectionPick {
public:
    SelectionPick(int x, int y)
    {
        glSelectBuffer(kSelectBufferSize, m_buffer);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        const double size = g_nLargeScreenFactor == 2 ? 8 : 4;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPickMatrix(x, g_nViewHeight - y, size, size, viewport);
        MultiplyViewPerspective(g_nViewWidth, g_nViewHeight);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(g_dEyeX, g_dEyeY, g_dEyeZ, g_dCenterX, g_dCenterY, g_dCenterZ, 0, g_dUpY, 0);

        double projection[16], modelView[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) {
                double sum = 0;
                for (int k = 0; k < 4; ++k) sum += projection[k * 4 + r] * modelView[c * 4 + k];
                m_clip[c * 4 + r] = sum;
            }

        // Candidates are drawn unlit: the result is the same, and the
        // software rasteriser is safer that way.
        glPushAttrib(GL_ENABLE_BIT);
        glDisable(GL_LIGHTING);
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
    }

    // False when the box lo..hi certainly lies outside the pick window.
    bool MayHit(const float lo[3], const float hi[3]) const
    {
        double corners[8][4];
        for (int i = 0; i < 8; ++i) {
            const float p[3] = {(i & 1) ? hi[0] : lo[0], (i & 2) ? hi[1] : lo[1], (i & 4) ? hi[2] : lo[2]};
            ToClip(p, corners[i]);
        }
        // Outside when all corners lie beyond one plane of the clip volume.
        for (int axis = 0; axis < 3; ++axis)
            for (int side = -1; side <= 1; side += 2) {
                bool allOutside = true;
                for (int i = 0; i < 8 && allOutside; ++i) allOutside = Beyond(corners[i], axis, side);
                if (allOutside) return false;
            }
        return true;
    }

    bool MayHit(const float p[3]) const { return MayHit(p, p); }

    // Ends the pass; the name of the first hit record, or 0 (no hit, or an
    // overflowing buffer). The view's own projection is loaded again.
    unsigned Finish()
    {
        glPopAttrib();
        const GLint hits = glRenderMode(GL_RENDER);
        LoadViewProjection(g_nViewWidth, g_nViewHeight);
        if (hits < 1) return 0;
        const GLuint names = m_buffer[0];
        if (names < 1 || names > kSelectBufferSize - 3) return 0;
        return m_buffer[3 + names - 1];
    }

private:
    void ToClip(const float p[3], double out[4]) const
    {
        for (int r = 0; r < 4; ++r)
            out[r] = m_clip[r] * p[0] + m_clip[4 + r] * p[1] + m_clip[8 + r] * p[2] + m_clip[12 + r];
    }

    // The clip point lies beyond the plane coordinate = side * w, with a
    // margin so that rounding never leaves out a point GL would take.
    static bool Beyond(const double c[4], int axis, int side)
    {
        const double v = c[axis], w = c[3];
        const double margin = 1e-5 * (std::fabs(v) + std::fabs(w)) + 1e-9;
        return side < 0 ? v + w < -margin : v - w > margin;
    }

    GLuint m_buffer[kSelectBufferSize];
    double m_clip[16];
};

bool ViewReady()
{
    return g_nViewWidth > 0 && g_nViewHeight > 0;
}

void JointPosition(const JointRec& j, bool displaced, float p[3])
{
    p[0] = displaced ? j.displacedX : j.x;
    p[1] = displaced ? j.displacedY : j.y;
    p[2] = displaced ? j.displacedZ : j.z;
}

int PickJoints(int x, int y, bool displaced)
{
    if (!ViewReady()) return 0;
    const int n = std::min(JointCount(), MAX_JOINTS);
    const float radius = g_fJointSize - 0.02f;
    SelectionPick pick(x, y);
    GLUquadric* quadric = gluNewQuadric();
    for (int j = 1; j <= n; ++j) {
        float p[3];
        JointPosition(g_Joints[j], displaced, p);
        const float r = std::fabs(radius);
        const float lo[3] = {p[0] - r, p[1] - r, p[2] - r}, hi[3] = {p[0] + r, p[1] + r, p[2] + r};
        if (!pick.MayHit(lo, hi)) continue;
        glLoadName(j);
        glPushMatrix();
        glTranslatef(p[0], p[1], p[2]);
        gluSphere(quadric, radius, 16, 16);
        glPopMatrix();
    }
    const unsigned hit = pick.Finish();
    gluDeleteQuadric(quadric);
    return static_cast<int>(hit);
}

int PickMembers(int x, int y, bool displaced)
{
    if (!ViewReady() || JointCount() == 0) return 0;
    const int m = std::min(MemberCount(), MAX_MEMBERS);
    SelectionPick pick(x, y);
    for (int i = 1; i <= m; ++i) {
        const MemberRec& mem = g_Members[i];
        int ja, jb;
        if (!MemberJoints(i, ja, jb) || mem.shape < 0 || mem.shape >= TABLE_ROWS) continue;
        if (mem.hidden && g_bModeShowMembers != 1) continue;
        float a[3], b[3];
        JointPosition(g_Joints[ja], displaced, a);
        JointPosition(g_Joints[jb], displaced, b);
        const ShapeRec& s = g_Shapes[mem.shape];
        // The box lies within half its section's diagonal of the axis.
        const float reach = 0.5f * std::sqrt(s.height * s.height + s.width * s.width);
        float lo[3], hi[3];
        for (int k = 0; k < 3; ++k) lo[k] = std::min(a[k], b[k]) - reach, hi[k] = std::max(a[k], b[k]) + reach;
        if (!pick.MayHit(lo, hi)) continue;
        glLoadName(i);
        DrawMemberBox(a[0], a[1], a[2], b[0], b[1], b[2], mem.rollAngle, s.height, s.width, 0, 0, 0);
    }
    return static_cast<int>(pick.Finish());
}

// A plane of grid points: the outer and inner axes in drawing order and the
// fixed coordinate.
struct GridPlane {
    int outer, inner, fixed;  // 0 = x, 1 = y, 2 = z
    float fixedValue;
};

short WorkspaceSize(int axis)
{
    return axis == 0 ? g_nWorkspaceX : axis == 1 ? g_nWorkspaceY : g_nWorkspaceZ;
}

// Points from 0 in steps of 0.25 up to the size of the drawn grid.
int GridCount(int axis)
{
    const int units = GuideGridUnits(WorkspaceSize(axis));
    return units < 0 ? 0 : 4 * units + 1;
}

void GridPoint(const GridPlane& plane, int i, int j, float p[3])
{
    p[plane.outer] = i * 0.25f;
    p[plane.inner] = j * 0.25f;
    p[plane.fixed] = plane.fixedValue;
}

int PickGrid(int x, int y, const GridPlane& plane)
{
    if (!ViewReady()) return 0;
    const int outerCount = GridCount(plane.outer), innerCount = GridCount(plane.inner);
    if (outerCount == 0 || innerCount == 0) return 0;
    SelectionPick pick(x, y);
    for (int i = 0; i < outerCount; ++i) {
        float first[3], last[3];
        GridPoint(plane, i, 0, first);
        GridPoint(plane, i, innerCount - 1, last);
        if (!pick.MayHit(first, last)) continue;
        for (int j = 0; j < innerCount; ++j) {
            float p[3];
            GridPoint(plane, i, j, p);
            if (!pick.MayHit(p)) continue;
            glLoadName(static_cast<GLuint>(i) * innerCount + j + 1);
            glBegin(GL_POINTS);
            glVertex3f(p[0], p[1], p[2]);
            glEnd();
        }
    }
    const unsigned hit = pick.Finish();
    if (hit == 0) return 0;
    const unsigned index = hit - 1;
    float p[3];
    GridPoint(plane, static_cast<int>(index / innerCount), static_cast<int>(index % innerCount), p);
    g_fCursorX = p[0];
    g_fCursorY = p[1];
    g_fCursorZ = p[2];
    return 1;
}

}  // namespace

int PickJoint(int x, int y) { return PickJoints(x, y, false); }

int PickJointDisplaced(int x, int y) { return PickJoints(x, y, true); }

int PickMember(int x, int y) { return PickMembers(x, y, false); }

int PickMemberDisplaced(int x, int y) { return PickMembers(x, y, true); }

int PickGridPointXY(int x, int y)
{
    return g_bShowGuideXY ? PickGrid(x, y, {0, 1, 2, g_fGuidePlaneZ}) : 0;
}

int PickGridPointXZ(int x, int y)
{
    return g_bShowGuideXZ ? PickGrid(x, y, {0, 2, 1, g_fGuidePlaneY}) : 0;
}

int PickGridPointYZ(int x, int y)
{
    return g_bShowGuideYZ ? PickGrid(x, y, {1, 2, 0, g_fGuidePlaneX}) : 0;
}

int PickBasePointXZ(int x, int y) { return PickGrid(x, y, {0, 2, 1, 0}); }

int PickBasePointXY(int x, int y) { return PickGrid(x, y, {0, 1, 2, 0}); }

int PickBasePointYZ(int x, int y) { return PickGrid(x, y, {2, 1, 0, 0}); }
