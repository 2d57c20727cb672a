// Small GL drawing helpers shared by the scene layers.
#pragma once

struct GLUquadric;

// One quadric object for every sphere, cylinder and disk of the scene.
GLUquadric* SharedQuadric();

// Axis-aligned box with outward normals and counter-clockwise faces;
// nothing when it has no volume.
void DrawAxisBox(float x0, float x1, float y0, float y1, float z0, float z1);

// A GL line from a to b in the colour.
void DrawColouredLine(const float a[3], const float b[3], float red, float green, float blue);
