// The on-screen preview: the scene that fits the guide plane into the window
// with a 2D orthographic projection and draws one frame, and the tile
// overlay (guide plane, tiles and grid) drawn at its view offset. The fitting
// is plain arithmetic; the drawing (gl_preview.cpp) takes whatever GL
// context is current.
#pragma once

class CTileOverlay {
public:
    void Draw();
    void DrawGridEnglish();
    void DrawGridSI();

    // Pans the guide plane, the grid and the model together, model units.
    float fViewOffsetX = 0;
    float fViewOffsetY = 0;
};

class CGLScene {
public:
    // GL state of a new context: clear colour, depth, lights, materials and
    // the display-list names.
    void SetupContext();
    // Deletes the display lists of the current context.
    void ReleaseContext();

    // Stores the viewport size in pixels.
    void SetViewportSize(int width, int height);
    // Fits the guide plane into the window (only while the window has an
    // area) and resets the pan and the scroll bars.
    void Refresh();
    // The view scale factors for the current extents; the GL projection is
    // loaded with every frame.
    void ApplyProjection();
    // One frame: tiles, grid and outlines (the caller swaps the buffers).
    void DrawDetail();

    float fLeft = 1, fRight = 1, fBottom = 1, fTop = 1.5f;
    float fClearR = 0, fClearG = 0.5f, fClearB = 0;
    float fAmbientR = 0.4f, fAmbientG = 0.4f, fAmbientB = 0.4f;
    float fDiffuseR = 0.75f, fDiffuseG = 0.75f, fDiffuseB = 0.75f;
    int nWidth = 0, nHeight = 0;
    float fAspect = 1;

private:
    void LoadProjection();

    unsigned m_nListBase = 0;
};

extern CGLScene g_Scene;
extern CTileOverlay g_Overlay;

// 0 while the member outlines' display list must be compiled again.
extern int g_bOutlineListBuilt;

// Start-up values of the scene, the overlay and the view scale.
void ResetSceneGlobals();
