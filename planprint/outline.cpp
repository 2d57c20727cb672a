#include "planprint/outline.h"

#include <cmath>
#include <utility>

#include "planprint/model_data.h"

namespace {

// The four edge lines y = slope x + intercept; an edge parallel to an axis
// has slope 0 and keeps its constant coordinate in the intercept.
void SetEdges(CMember& m, const float slope[4], const double intercept[4])
{
    for (int i = 0; i < 4; ++i) {
        m.fEdgeSlope[i] = slope[i];
        m.fEdgeIntercept[i] = static_cast<float>(intercept[i]);
    }
}

}  // namespace

void ComputeMemberOutline(int row)
{
    CMember& m = g_pMembers[row];
    if (m.nOffPlane != 0) return;
    const CJoint& a = g_pJoints[m.nJointA];
    const CJoint& b = g_pJoints[m.nJointB];
    m.fPlaneXA = a.x;
    m.fPlaneYA = a.y;
    m.fPlaneXB = b.x;
    m.fPlaneYB = b.y;
    const bool known = m.nSection >= 0 && m.nSection < kTableRows;
    m.fHalfWidth = known ? 0.5f * g_pSections[m.nSection].fHeight : 0;
    const double h = m.fHalfWidth;

    // The first end is the one with the smaller x, or for a vertical member
    // the smaller y (the start joint when both are equal).
    double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
    const bool vertical = a.x == b.x;
    if (vertical ? y2 < y1 : x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    // Unit direction from the first end to the second and the normal on its
    // left; coinciding ends count as vertical.
    double ux = 0, uy = 1;
    if (length > 0) {
        ux = dx / length;
        uy = dy / length;
    }
    const double nx = -uy, ny = ux;
    const double e1x = x1 - h * ux, e1y = y1 - h * uy;  // the ends extended
    const double e2x = x2 + h * ux, e2y = y2 + h * uy;
    const double cx[4] = {e1x + h * nx, e1x - h * nx, e2x - h * nx, e2x + h * nx};
    const double cy[4] = {e1y + h * ny, e1y - h * ny, e2y - h * ny, e2y + h * ny};
    for (int i = 0; i < 4; ++i) {
        m.fCornerX[i] = static_cast<float>(cx[i]);
        m.fCornerY[i] = static_cast<float>(cy[i]);
    }
    m.dLength = length;

    const float flat[4] = {0, 0, 0, 0};
    if (vertical) {
        m.nOutlineKind = 1;
        m.dAngle = static_cast<float>(M_PI) / 2.0;
        const double intercept[4] = {y1 - h, x1 + h, y2 + h, x2 - h};
        SetEdges(m, flat, intercept);
    } else if (a.y == b.y) {
        m.nOutlineKind = 2;
        m.dAngle = 0;
        const double intercept[4] = {x1 - h, y2 - h, x2 + h, y2 + h};
        SetEdges(m, flat, intercept);
    } else {
        const double slope = dy / dx, across = -1 / slope;
        m.nOutlineKind = slope > 0 ? 3 : 4;
        m.dAngle = std::atan(slope);
        // Ends across the member, sides along it.
        const float slopes[4] = {static_cast<float>(across), static_cast<float>(slope), static_cast<float>(across),
                                 static_cast<float>(slope)};
        const double intercept[4] = {e1y - across * e1x, cy[2] - slope * cx[2], e2y - across * e2x,
                                     cy[3] - slope * cx[3]};
        SetEdges(m, slopes, intercept);
    }
}

void ComputeEdgeMidpoints(int row)
{
    CMember& m = g_pMembers[row];
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        m.fEdgeMidX[i] = (m.fCornerX[i] + m.fCornerX[j]) / 2;
        m.fEdgeMidY[i] = (m.fCornerY[i] + m.fCornerY[j]) / 2;
    }
}

void ClearEndSelection()
{
    for (int i = 1; i <= g_pModel->nMembers; ++i)
        for (int& mark : g_pMembers[i].nEndMark)
            if (mark == 2) mark = 1;
}
