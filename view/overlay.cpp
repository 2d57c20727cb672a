#include "view/overlay.h"

#include <cmath>
#include <cstdio>

#include "model/model_ops.h"
#include "model/tables.h"
#include "model/units.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

class CLines {
public:
    explicit CLines(std::vector<OverlayText>& out) : m_out(out) {}
    template <class... Args>
    void Add(int x, int y, const char* format, Args... args)
    {
        std::snprintf(m_buffer, sizeof m_buffer, format, args...);
        m_out.push_back({x, y, m_buffer});
    }

private:
    std::vector<OverlayText>& m_out;
    char m_buffer[100];
};

void MemberLabels(CLines& lines, const ProjectFn& projectMember, short MemberRec::*field)
{
    for (int i = 1; i <= g_nMembers && i <= MAX_MEMBERS; ++i) {
        short x, y;
        if (!projectMember(i, x, y)) continue;
        lines.Add(x, y, "%d", field ? static_cast<int>(g_Members[i].*field) : i);
    }
}

void ForceLabels(CLines& lines, const ProjectFn& projectJoint, float JointRec::*force)
{
    for (int j = 1; j <= g_nJoints && j <= MAX_JOINTS; ++j) {
        const float f = g_Joints[j].*force;
        if (f == 0) continue;
        short x, y;
        if (!projectJoint(j, x, y)) continue;
        lines.Add(x, y, "%3.1f", std::fabs(f));
    }
}

}  // namespace

std::vector<OverlayText> ComposeOverlayText(const ProjectFn& projectJoint, const ProjectFn& projectMember)
{
    std::vector<OverlayText> out;
    CLines lines(out);
    lines.Add(10, 5, " ->> %s", g_strStatusPrompt.c_str());

    if ((g_bModeAddMember || g_bModeChangeShape || g_bModeChangeMaterial) && g_nMembers > 0 && g_bShowModelWeight) {
        const double grams = TotalWeight() * (g_bMetricUnits ? kGramsPerNewton : kGramsPerPound);
        lines.Add(10, 130, " Weight = %3.2f grams  ", grams);
    }

    // Cursor relative to the origin, and the drag deltas, in single precision.
    const float rx = g_fCursorX - g_fOriginX, ry = g_fCursorY - g_fOriginY, rz = g_fCursorZ - g_fOriginZ;
    const float dx = g_fCursorX - g_fDragStartX, dy = g_fCursorY - g_fDragStartY, dz = g_fCursorZ - g_fDragStartZ;
    if (g_bModeAddMember && g_bCursorOnPlane)
        lines.Add(10, 50, "  X = %3.2f, Y = %3.2f, Z = %3.2f  ", rx, ry, rz);
    if (g_bModeAddMember && g_bShowDragDeltas && g_bDraggingMember)
        lines.Add(10, 90, " dX = %3.2f, dY = %3.2f, dZ = %3.2f   ", dx, dy, dz);
    if (g_bModeSetOrigin && g_bCursorOnPlane)
        lines.Add(10, 50, " Gx = %3.2f, Gy = %3.2f, Gz = %3.2f   ", g_fCursorX, g_fCursorY, g_fCursorZ);
    if (g_bModeAddJoint) lines.Add(10, 50, " X = %3.2f, Y = %3.2f, Z = %3.2f   ", rx, ry, rz);
    if (g_bModeAddJoint && g_bShowDragDeltas)
        lines.Add(10, 90, " dX = %3.2f, dY = %3.2f, dZ = %3.2f   ", dx, dy, dz);
    if (g_bDraggingPlaneXY) {
        const float z = g_fGuidePlaneZ - g_fOriginZ;
        lines.Add(10, 50, " XY Plane : Z = %3.2f, DZ = %3.2f ", z, dz);
    }
    if (g_bDraggingPlaneXZ) {
        const float y = g_fGuidePlaneY - g_fOriginY;
        lines.Add(10, 50, " XZ Plane : Y = %3.2f, DY = %3.2f  ", y, dy);
    }
    if (g_bDraggingPlaneYZ) {
        const float x = g_fGuidePlaneX - g_fOriginX;
        lines.Add(10, 50, " YZ Plane : X = %3.2f, DX = %3.2f  ", x, dx);
    }

    if (g_bShowMemberNumbers) MemberLabels(lines, projectMember, nullptr);
    if (g_bShowShapeNumbers) MemberLabels(lines, projectMember, &MemberRec::shape);
    if (g_bShowMaterialNumbers) MemberLabels(lines, projectMember, &MemberRec::material);
    if (g_bShowForcesX) ForceLabels(lines, projectJoint, &JointRec::forceX);
    if (g_bShowForcesY) ForceLabels(lines, projectJoint, &JointRec::forceY);
    if (g_bShowForcesZ) ForceLabels(lines, projectJoint, &JointRec::forceZ);

    if ((g_bAnimationRunning || g_bShowDisplacedShape) && g_bFindBreakingForces) {
        // The load reached grows with the drawn magnification up to the full load.
        float f = g_fMagnification > 0 ? g_fAnimMagnification / g_fMagnification : 1.0f;
        if (!(f <= 1)) f = 1;
        const float fx = f * g_fTotalLoadX, fy = f * g_fTotalLoadY, fz = f * g_fTotalLoadZ;
        lines.Add(10, 65, " Fx = %3.2f, Fy = %3.2f, Fz = %3.2f   ", fx, fy, fz);
    }
    return out;
}
