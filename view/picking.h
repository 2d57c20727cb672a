// Which joint, member or guide-plane grid point lies under a window point.
// Each pick draws its candidates in selection mode through a small pick
// window around the point and returns the first hit record: the lowest
// number among the candidates inside the window (depth plays no part), or
// the grid point that comes first in the drawing order; 0 for none.
//
// Window points are client pixels with y downward. The view's context must
// be current; the picks leave the matrix mode at GL_PROJECTION with the
// view's perspective loaded, as ResizeGLViewport does.
#pragma once

// Joints as spheres at their positions, or at their displaced positions.
int PickJoint(int x, int y);
int PickJointDisplaced(int x, int y);

// Members as boxes between their joints (hidden members only while the Show
// Members tool is on); 0 when the model has no joints.
int PickMember(int x, int y);
int PickMemberDisplaced(int x, int y);

// Points 0.25 apart on a guide plane (XY at z = g_fGuidePlaneZ, XZ at
// y = g_fGuidePlaneY, YZ at x = g_fGuidePlaneX); nonzero on a hit, with the
// point in g_fCursorX, g_fCursorY, g_fCursorZ. 0 while the plane is hidden.
int PickGridPointXY(int x, int y);
int PickGridPointXZ(int x, int y);
int PickGridPointYZ(int x, int y);

// The same on the base planes z = 0, y = 0 and x = 0, always available.
int PickBasePointXY(int x, int y);
int PickBasePointXZ(int x, int y);
int PickBasePointYZ(int x, int y);
