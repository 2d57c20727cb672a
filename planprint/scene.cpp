#include "planprint/scene.h"

#include "planprint/settings.h"
#include "planprint/tile_view.h"

CGLScene g_Scene;
CTileOverlay g_Overlay;
int g_bOutlineListBuilt = 0;

void ResetSceneGlobals()
{
    g_Scene = CGLScene();
    g_Overlay = CTileOverlay();
    g_bOutlineListBuilt = 0;
}

void CGLScene::SetViewportSize(int width, int height)
{
    nWidth = width;
    nHeight = height;
    if (width > 0 && height > 0) fAspect = static_cast<float>(width) / static_cast<float>(height);
}

void CGLScene::Refresh()
{
    // A minimised or flattened window keeps the last fit.
    if (nWidth <= 0 || nHeight <= 0) return;
    const float w = static_cast<float>(nWidth), h = static_cast<float>(nHeight);
    const float a = w / h;
    const float gx = g_fGuidePlaneX, gy = g_fGuidePlaneY;
    if (nWidth < static_cast<int>(h / gy * gx)) {
        // Narrower than the guide plane's shape.
        fRight = gx + 1;
        fTop = gx / a + 1;
    } else {
        fTop = gy + 1;
        fRight = gy * a + 1;
    }
    fLeft = 0;
    fBottom = 0;
    g_Overlay.fViewOffsetX = 0.5f;
    g_Overlay.fViewOffsetY = 0.5f;
    UpdateScrollSpans();
    g_nHScrollPos = 0;
    g_nVScrollPos = 1000;
}

void CGLScene::ApplyProjection()
{
    if (nWidth <= 0 || nHeight <= 0) return;
    const float dx = fRight - fLeft, dy = fTop - fBottom;
    g_fViewScaleX = dx != 0 ? nWidth / dx : 1.0f;
    g_fViewScaleY = dy != 0 ? nHeight / dy : 1.0f;
}
