// Each front-plane member printed at full scale as the flat rectangle its
// stick occupies in the print plane: the centreline extended by half the
// section height beyond each end, as wide as the section is high.
#pragma once

// Fills the outline fields of member row; nothing for a member out of the
// print plane.
void ComputeMemberOutline(int row);
// Midpoints of the four edges.
void ComputeEdgeMidpoints(int row);
// Selected member ends back to normal.
void ClearEndSelection();
// Draws every outlined member into the preview (GL, gl_preview.cpp).
void DrawOutlines2d();
