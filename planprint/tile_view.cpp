#include "planprint/tile_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "planprint/model_data.h"
#include "planprint/outline.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/units.h"

int g_bMoveModel;
int g_bShowGridLines;
int g_bTileSetupOpen;
std::string g_strPrintFilePath;
int g_nMouseX, g_nMouseY;
float g_fViewScaleX, g_fViewScaleY;
int g_nHScrollPos, g_nVScrollPos;
int g_nHScrollSpan, g_nVScrollSpan;
int g_nPrintPageCounter;
int g_nPrintCol, g_nPrintRow;
float g_fTileOriginX, g_fTileOriginY;

namespace {

// The Move Model drag: pointer at button-down (model units) and the model
// offset then.
bool s_dragging = false;
float s_p0x = 0, s_p0y = 0;
float s_o0x = 0, s_o0y = 0;

// One scroll step moves the picture this far: an inch, in either unit.
float ScrollUnit() { return g_bEnglishUnits ? 1.0f : kCentimetresPerInchF; }

void DragOffset(int x, int y, float& ox, float& oy)
{
    ox = x / g_fViewScaleX - s_p0x + s_o0x;
    oy = s_p0y - y / g_fViewScaleY + s_o0y;  // screen y grows downward
}

int ScrollStep(int pos, ScrollCode code, int thumb, int span, bool& known)
{
    const int line = static_cast<int>(ScrollUnit() * 1000 / span);
    known = true;
    switch (code) {
    case SCROLL_LINE_UP: return pos - line;
    case SCROLL_LINE_DOWN: return pos + line;
    case SCROLL_PAGE_UP: return pos - 7 * line;
    case SCROLL_PAGE_DOWN: return pos + 7 * line;
    case SCROLL_THUMB_TRACK: return thumb;
    case SCROLL_THUMB_POSITION: return pos;
    default: known = false; return pos;
    }
}

}  // namespace

void ResetTileViewGlobals()
{
    g_bMoveModel = 0;
    g_bShowGridLines = 1;
    g_bTileSetupOpen = 0;
    g_strPrintFilePath.clear();
    g_nMouseX = g_nMouseY = 0;
    g_fViewScaleX = g_fViewScaleY = 1.0f;
    g_nHScrollPos = 0;
    g_nVScrollPos = 1000;
    g_nHScrollSpan = g_nVScrollSpan = 1;
    g_nPrintPageCounter = 0;
    g_nPrintCol = g_nPrintRow = 0;
    g_fTileOriginX = g_fTileOriginY = 0;
    s_dragging = false;
}

void InitViewExtents()
{
    g_Scene.fLeft = 0;
    g_Scene.fBottom = 0;
    g_Scene.fRight = 30.94f;
    g_Scene.fTop = 21;
    UpdateScrollSpans();
    g_nHScrollPos = 0;
    g_nVScrollPos = 1000;
}

void ViewKeyDown(ViewKey key)
{
    if (key == VIEW_KEY_ESCAPE) {
        ClearEndSelection();
        return;
    }
    const bool move = g_bMoveModel != 0;
    float dx = 0, dy = 0;
    switch (key) {
    case VIEW_KEY_LEFT: dx = -1; break;
    case VIEW_KEY_RIGHT: dx = 1; break;
    case VIEW_KEY_UP: dy = 1; break;
    case VIEW_KEY_DOWN: dy = -1; break;
    default: return;
    }
    if (move) {
        // The model slides half a unit over the tiles.
        g_pModel->fOffsetX += dx * 0.5f;
        g_pModel->fOffsetY += dy * 0.5f;
    } else {
        // The picture pans a unit the other way; the thumbs follow.
        g_Overlay.fViewOffsetX -= dx;
        g_Overlay.fViewOffsetY -= dy;
        ScrollToOverlay();
    }
}

void ViewMouseMove(int x, int y)
{
    g_nMouseX = x;
    g_nMouseY = y;
    if (s_dragging) DragOffset(x, y, g_pModel->fOffsetX, g_pModel->fOffsetY);
}

bool ViewLeftDown(int x, int y)
{
    g_nMouseX = x;
    g_nMouseY = y;
    if (!g_bMoveModel) return false;
    s_dragging = true;
    s_p0x = x / g_fViewScaleX;
    s_p0y = y / g_fViewScaleY;
    s_o0x = g_pModel->fOffsetX;
    s_o0y = g_pModel->fOffsetY;
    return true;
}

bool ViewLeftUp(int x, int y)
{
    g_nMouseX = x;
    g_nMouseY = y;
    if (!s_dragging) return false;
    float ox, oy;
    DragOffset(x, y, ox, oy);
    g_pModel->fOffsetX = RoundTo(ox, 8);
    g_pModel->fOffsetY = RoundTo(oy, 8);
    s_dragging = false;
    return true;
}

bool IsDraggingModel() { return s_dragging; }

void EndModelDrag() { s_dragging = false; }

void ViewVScroll(ScrollCode code, int thumb)
{
    bool known;
    const int pos = ScrollStep(g_nVScrollPos, code, thumb, g_nVScrollSpan, known);
    if (!known) return;
    g_nVScrollPos = std::clamp(pos, 0, 1000);
    g_Overlay.fViewOffsetY = ScrollUnit() * 0.5f - g_nVScrollSpan * (1000 - g_nVScrollPos) * 0.001f;
}

void ViewHScroll(ScrollCode code, int thumb)
{
    bool known;
    const int pos = ScrollStep(g_nHScrollPos, code, thumb, g_nHScrollSpan, known);
    if (!known) return;
    g_nHScrollPos = std::clamp(pos, 0, 1000);
    g_Overlay.fViewOffsetX = ScrollUnit() * 0.5f - g_nHScrollSpan * g_nHScrollPos * 0.001f;
}

void UpdateScrollSpans()
{
    const int h = static_cast<int>(g_fGuidePlaneX + 1 - (g_Scene.fRight - g_Scene.fLeft));
    const int v = static_cast<int>(g_fGuidePlaneY + 2 - (g_Scene.fTop - g_Scene.fBottom));
    g_nHScrollSpan = std::max(h, 1);
    g_nVScrollSpan = std::max(v, 1);
}

void ScrollToOverlay()
{
    const float unit = ScrollUnit() * 0.5f;
    const float h = (unit - g_Overlay.fViewOffsetX) / (g_nHScrollSpan * 0.001f);
    const float v = 1000 - (unit - g_Overlay.fViewOffsetY) / (g_nVScrollSpan * 0.001f);
    g_nHScrollPos = static_cast<int>(std::lround(std::clamp(h, 0.0f, 1000.0f)));
    g_nVScrollPos = static_cast<int>(std::lround(std::clamp(v, 0.0f, 1000.0f)));
}

std::string CoordinatePaneText()
{
    const int n = g_bEnglishUnits ? 8 : 10;
    const float x = RoundTo(g_nMouseX / g_fViewScaleX - g_Overlay.fViewOffsetX, n);
    const float y = RoundTo((g_Scene.nHeight - g_nMouseY) / g_fViewScaleY - g_Overlay.fViewOffsetY, n);
    char text[96];
    std::snprintf(text, sizeof text, "X = %06.3f, Y = %06.3f ", x, y);
    return text;
}

std::string UnitPaneText() { return g_bEnglishUnits ? "   IN   " : "   CM   "; }

void ResetPreviewAfterImport()
{
    g_Scene.Refresh();
    g_Scene.ApplyProjection();
    // The scroll bars as at the view's creation, for the new guide plane.
    UpdateScrollSpans();
    g_nHScrollPos = 0;
    g_nVScrollPos = 1000;
    g_Overlay.fViewOffsetX = 0.5f;
    g_Overlay.fViewOffsetY = 0.5f;
    g_bOutlineListBuilt = 0;
}
