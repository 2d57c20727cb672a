// The tile view's state and the plain logic of its keys, mouse, scroll bars
// and status pane, apart from the window that feeds it events.
#pragma once

#include <string>

extern int g_bMoveModel;
extern int g_bShowGridLines;
extern int g_bTileSetupOpen;
// Full path of the last imported model file (printed on the tiles).
extern std::string g_strPrintFilePath;

// Last pointer position in client pixels.
extern int g_nMouseX, g_nMouseY;
// Pixels per model unit, set with the projection.
extern float g_fViewScaleX, g_fViewScaleY;

// Scroll positions (0..1000) and spans (at least 1).
extern int g_nHScrollPos, g_nVScrollPos;
extern int g_nHScrollSpan, g_nVScrollSpan;

// Print state of the job under way.
extern int g_nPrintPageCounter;
extern int g_nPrintCol, g_nPrintRow;
extern float g_fTileOriginX, g_fTileOriginY;  // hundredths of a model unit

void ResetTileViewGlobals();

// The picture's start at the view's creation: a 30.94 x 21 unit window.
void InitViewExtents();

// Keys of the view.
enum ViewKey { VIEW_KEY_ESCAPE, VIEW_KEY_LEFT, VIEW_KEY_RIGHT, VIEW_KEY_UP, VIEW_KEY_DOWN, VIEW_KEY_OTHER };
void ViewKeyDown(ViewKey key);

// Pointer tracking and the Move Model drag (pixels, y down).
void ViewMouseMove(int x, int y);
// True when a drag starts (Move Model is on).
bool ViewLeftDown(int x, int y);
// True when a drag ended.
bool ViewLeftUp(int x, int y);
bool IsDraggingModel();
void EndModelDrag();

// Scroll bar actions.
enum ScrollCode {
    SCROLL_LINE_UP, SCROLL_LINE_DOWN, SCROLL_PAGE_UP, SCROLL_PAGE_DOWN,
    SCROLL_THUMB_POSITION, SCROLL_THUMB_TRACK, SCROLL_OTHER
};
void ViewVScroll(ScrollCode code, int thumb);
void ViewHScroll(ScrollCode code, int thumb);

// Scroll spans from the guide plane and the visible extents, and positions
// that show the current pan.
void UpdateScrollSpans();
void ScrollToOverlay();

// The status bar's coordinate pane for the last pointer position, and the
// unit pane.
std::string CoordinatePaneText();
std::string UnitPaneText();

// Everything an import leaves in the preview: fitted, scrolled home, pan
// reset, outlines compiled again.
void ResetPreviewAfterImport();
