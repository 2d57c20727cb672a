// Members drawn as solids between two points: boxes, rods and their doubled
// forms, the members layer (list 1) and the picked-member highlight.
#pragma once

struct MemberRec;

// One triangle P, Q, R in the colour, normal (R - Q) x (P - Q) normalised.
void DrawShadedTriangle(const float p[3], const float q[3], const float r[3], float red, float green, float blue);

// Box of the given height and width from start to end (no offsets).
void DrawMemberBox(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                   float width, float red, float green, float blue);

// Single and doubled member solids; roll in degrees, H the section height
// (the diameter of a rod), W the width, S the gap between the two sticks.
void DrawRectMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                    float width, float red, float green, float blue, float offsetY, float offsetZ);
void DrawRoundMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                     float width, float red, float green, float blue, float offsetY, float offsetZ);
void DrawDoubleRectMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                          float width, float red, float green, float blue, float spacing, float offsetY,
                          float offsetZ);
void DrawDoubleRoundMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                           float width, float red, float green, float blue, float spacing, float offsetY,
                           float offsetZ);

// The solid of member m from a to b chosen by its shape row: doubled when
// the spacing is not 0, else round or rectangular by section kind, with
// grow added to height and width. With thinAsLine a single section 0.03 high
// or less is drawn as a line in the colour instead. Nothing for a shape row
// outside the table.
void DrawMemberSolid(const MemberRec& m, const float a[3], const float b[3], float red, float green, float blue,
                     float grow, bool thinAsLine);

// Joint rows of member i when both lie in 1..g_nJoints (i in 1..g_nMembers).
bool MemberJoints(int i, int& jointA, int& jointB);

// List 1: every member in its own colour (protocol of CallDisplayList).
void DrawMembers();

// Yellow solid of picked member m, 0.02 larger, on the undeformed or the
// displaced shape; a green ball at its start joint while the member results
// dialog is shown.
void HighlightMember(int m);
void HighlightDisplacedMember(int m);
