// Window positions of model points, found by drawing one point in feedback
// mode through the current projection and the camera.
#pragma once

// 1 when (x, y, z) lies inside the view volume, with its window position
// (pixels, origin top left); 0 otherwise, the outputs then unchanged.
// Loads the camera into the model-view matrix and leaves the matrix mode
// at GL_PROJECTION.
int ProjectToWindow(float x, float y, float z, float& windowX, float& windowY);

// 1 when joint j (1..g_nJoints) projects, with its window position.
int ProjectJoint(int j, short& windowX, short& windowY);

// 1 when both ends of member m project, with the midpoint of the two
// projected ends (the integer part of each mean).
int ProjectMember(int m, short& windowX, short& windowY);
