#include "printing/member_outline.h"

#include <algorithm>
#include <cmath>

#include "model/tables.h"

void PlaneCoordinates(PlaneKind plane, const JointRec& joint, float* u, float* v)
{
    switch (plane) {
    case PLANE_XY: *u = joint.x, *v = joint.y; break;
    case PLANE_XZ: *u = joint.x, *v = joint.z; break;
    case PLANE_YZ: *u = joint.z, *v = joint.y; break;
    default: *u = joint.z, *v = joint.moveOrgY; break;  // skewed YZ
    }
}

namespace {

// The member's two ends in the plane, ordered so that b never lies left of a.
struct Ends {
    float ua, va, ub, vb;
};

bool MemberEnds(PlaneKind plane, int member, Ends* ends)
{
    if (member < 1 || member > MemberCount()) return false;
    const MemberRec& m = g_Members[member];
    const int n = JointCount();
    if (m.jointA < 1 || m.jointA > n || m.jointB < 1 || m.jointB > n) return false;
    if (m.shape < 0 || m.shape >= TABLE_ROWS) return false;
    float pu, pv, qu, qv;
    PlaneCoordinates(plane, g_Joints[m.jointA], &pu, &pv);
    PlaneCoordinates(plane, g_Joints[m.jointB], &qu, &qv);
    // End b has the larger u; with equal u the smaller v; with both equal it is jointB.
    const bool bIsA = pu > qu || (pu == qu && pv < qv);
    *ends = bIsA ? Ends{qu, qv, pu, pv} : Ends{pu, pv, qu, qv};
    return true;
}

// Writes length and planeAngle; returns the angle.
double StoreLengthAndAngle(MemberRec& m, const Ends& e)
{
    const float du = e.ub - e.ua;
    const float dv = e.va - e.vb;
    const float L = static_cast<float>(std::sqrt(static_cast<double>(du * du + dv * dv)));
    m.length = L;
    double theta = 0;  // a member that projects to one point lies along u
    if (L > 0) {
        if (std::fabs(dv) <= std::fabs(du)) {
            theta = std::asin(static_cast<double>(dv / L));
        } else {
            theta = std::acos(static_cast<double>(du / L));
            if (dv < 0) theta = -theta;
        }
    }
    m.planeAngle = theta;
    return theta;
}

// The rectangle with end extension e and half-breadth h around the member.
void WriteRectangle(float* c, const Ends& p, double theta, double e, double h)
{
    double r[8];
    if (p.ua == p.ub) {
        const double q[8] = {p.ua - h, p.va + e, p.ua + h, p.va + e, p.ub + h, p.vb - e, p.ub - h, p.vb - e};
        std::copy(q, q + 8, r);
    } else if (p.va == p.vb) {
        const double q[8] = {p.ua - e, p.va - h, p.ua - e, p.va + h, p.ub + e, p.vb + h, p.ub + e, p.vb - h};
        std::copy(q, q + 8, r);
    } else {
        const double s = std::cos(1.570796 - theta), co = std::cos(theta);
        const double du = co, dv = -s;  // along the axis, a towards b
        const double nu = s, nv = co;   // across it
        const double q[8] = {p.ua - e * du - h * nu, p.va - e * dv - h * nv, p.ua - e * du + h * nu,
                             p.va - e * dv + h * nv, p.ub + e * du + h * nu, p.vb + e * dv + h * nv,
                             p.ub + e * du - h * nu, p.vb + e * dv - h * nv};
        std::copy(q, q + 8, r);
    }
    for (int i = 0; i < 8; ++i) c[i] = static_cast<float>(r[i]);
}

void SingleOutline(PlaneKind plane, int member)
{
    Ends e;
    if (!MemberEnds(plane, member, &e)) return;
    MemberRec& m = g_Members[member];
    const ShapeRec& s = g_Shapes[m.shape];
    const double half = (plane == PLANE_XZ ? s.width : s.height) / 2.0;
    const double theta = StoreLengthAndAngle(m, e);
    WriteRectangle(m.outline1, e, theta, half, half);
}

void DoubleOutline(PlaneKind plane, int member)
{
    Ends e;
    if (!MemberEnds(plane, member, &e)) return;
    MemberRec& m = g_Members[member];
    const ShapeRec& s = g_Shapes[m.shape];
    const double roll = std::isfinite(m.rollAngle) ? std::trunc(static_cast<double>(m.rollAngle)) : 0;
    bool sideBySide = false;
    switch (plane) {
    case PLANE_XY: sideBySide = roll != 0; break;
    case PLANE_XZ: sideBySide = roll != 90; break;
    case PLANE_YZ:
    case PLANE_SKEW_YZ: sideBySide = roll != 90 && e.ua != e.ub; break;
    }
    const double h1 = sideBySide ? (s.spacing + 2.0 * s.width) / 2.0 : s.height / 2.0;
    const double h2 = sideBySide ? s.spacing / 2.0 : s.height / 2.0;
    const double ext = s.width / 2.0;
    const double theta = StoreLengthAndAngle(m, e);
    WriteRectangle(m.outline1, e, theta, ext, h1);
    WriteRectangle(m.outline2, e, theta, ext, h2);
}

}  // namespace

void MemberOutlineXY(short member) { SingleOutline(PLANE_XY, member); }
void MemberOutlineXZ(short member) { SingleOutline(PLANE_XZ, member); }
void MemberOutlineYZ(short member) { SingleOutline(PLANE_YZ, member); }
void MemberOutlineSkewYZ(short member) { SingleOutline(PLANE_SKEW_YZ, member); }
void MemberDoubleOutlineXY(short member) { DoubleOutline(PLANE_XY, member); }
void MemberDoubleOutlineXZ(short member) { DoubleOutline(PLANE_XZ, member); }
void MemberDoubleOutlineYZ(short member) { DoubleOutline(PLANE_YZ, member); }
void MemberDoubleOutlineSkewYZ(short member) { DoubleOutline(PLANE_SKEW_YZ, member); }

bool ComputeMemberOutline(PlaneKind plane, int member)
{
    Ends unused;
    if (!MemberEnds(plane, member, &unused)) return false;
    if (g_Shapes[g_Members[member].shape].spacing != 0)
        DoubleOutline(plane, member);
    else
        SingleOutline(plane, member);
    return true;
}
