// Fixed GL state of the 3D view: clear colour, shading, depth test and
// culling, lighting, and the viewport and perspective for a client size.
// Each acts on the GL context that is current.
#pragma once

// Clear colour from the background globals, flat shading, depth test,
// back-face culling with counter-clockwise fronts.
void InitGLState();

// Light model, front material and the directional light 0, from the
// lighting globals. Leaves blending off with the alpha blend function set.
void SetupLighting();

// Stores the client size in g_nViewWidth / g_nViewHeight; when both are
// non-zero sets the perspective (aspect = larger side over smaller), the
// viewport and the lighting. Leaves the matrix mode at GL_PROJECTION.
void ResizeGLViewport(int width, int height);

// Multiplies the current matrix by the view's perspective for a client size.
void MultiplyViewPerspective(int width, int height);
// The perspective and viewport of ResizeGLViewport without storing the size
// or touching the lighting; nothing when either side is 0.
void LoadViewProjection(int width, int height);

// The aspect ResizeGLViewport uses: the larger side over the smaller.
double ViewAspect(int width, int height);

// glClearColor, for g_pfnSetClearColor.
void SetGLClearColor(float r, float g, float b, float a);
