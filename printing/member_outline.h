// Member outlines in a print plane: a member's two joints projected into the
// plane, its length and angle there, and the corner points of its stick (or
// of the two sticks of a doubled member) written into the member record
// (length, planeAngle, outline1, outline2; corners c0..c3 as u, v pairs).
#pragma once

struct JointRec;

// The print planes and their in-plane coordinates (u, v): XY (x, y), XZ
// (x, z), YZ (z, y), skewed YZ (z, the skew coordinate in moveOrgY).
enum PlaneKind { PLANE_XY, PLANE_XZ, PLANE_YZ, PLANE_SKEW_YZ };

void PlaneCoordinates(PlaneKind plane, const JointRec& joint, float* u, float* v);

// One member each (row 1..g_nMembers). A member whose joints or shape lie
// outside their tables is left as it is.
void MemberOutlineXY(short member);
void MemberOutlineXZ(short member);
void MemberOutlineYZ(short member);
void MemberOutlineSkewYZ(short member);
void MemberDoubleOutlineXY(short member);
void MemberDoubleOutlineXZ(short member);
void MemberDoubleOutlineYZ(short member);
void MemberDoubleOutlineSkewYZ(short member);

// The doubled-member operation of the plane when the member's shape has a
// spacing, else the single one. False when the member was left as it is.
bool ComputeMemberOutline(PlaneKind plane, int member);
