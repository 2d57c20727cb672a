#include "planprint/wx_view.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/scrolbar.h>

#include "planprint/scene.h"
#include "planprint/tile_view.h"
#include "platform/wx_backend.h"
#include "platform/wx_gl_capture.h"

namespace {

// RGBA with at least 16 colour bits, a 16-bit depth buffer, double buffered.
wxGLAttributes PreviewAttributes()
{
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().MinRGBA(5, 6, 5, 0).Depth(16).DoubleBuffer().EndList();
    return attrs;
}

ScrollCode ScrollCodeOf(wxEventType type)
{
    if (type == wxEVT_SCROLL_LINEUP) return SCROLL_LINE_UP;
    if (type == wxEVT_SCROLL_LINEDOWN) return SCROLL_LINE_DOWN;
    if (type == wxEVT_SCROLL_PAGEUP) return SCROLL_PAGE_UP;
    if (type == wxEVT_SCROLL_PAGEDOWN) return SCROLL_PAGE_DOWN;
    if (type == wxEVT_SCROLL_THUMBTRACK) return SCROLL_THUMB_TRACK;
    if (type == wxEVT_SCROLL_THUMBRELEASE) return SCROLL_THUMB_POSITION;
    return SCROLL_OTHER;
}

constexpr int kScrollRange = 1000;

}  // namespace

COGLView::COGLView(wxWindow* parent, wxScrollBar* horizontal, wxScrollBar* vertical)
    : wxGLCanvas(parent, PreviewAttributes(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_pHBar(horizontal), m_pVBar(vertical)
{
    wxGLContextAttrs contextAttrs;
    contextAttrs.PlatformDefaults().CompatibilityProfile().EndList();
    m_pContext = new wxGLContext(this, nullptr, &contextAttrs);
    if (!m_pContext->IsOK()) {
        delete m_pContext;
        m_pContext = nullptr;
    }

    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    Bind(wxEVT_PAINT, &COGLView::OnPaint, this);
    Bind(wxEVT_SIZE, &COGLView::OnSize, this);
    Bind(wxEVT_KEY_DOWN, &COGLView::OnKeyDown, this);
    Bind(wxEVT_MOTION, &COGLView::OnMouseMove, this);
    Bind(wxEVT_LEFT_DOWN, &COGLView::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &COGLView::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &COGLView::OnCaptureLost, this);
    for (wxScrollBar* bar : {m_pHBar, m_pVBar}) {
        bar->SetScrollbar(0, 1, kScrollRange + 1, 1);
        bar->Bind(wxEVT_SCROLL_LINEUP, &COGLView::OnScroll, this);
        bar->Bind(wxEVT_SCROLL_LINEDOWN, &COGLView::OnScroll, this);
        bar->Bind(wxEVT_SCROLL_PAGEUP, &COGLView::OnScroll, this);
        bar->Bind(wxEVT_SCROLL_PAGEDOWN, &COGLView::OnScroll, this);
        bar->Bind(wxEVT_SCROLL_THUMBTRACK, &COGLView::OnScroll, this);
        bar->Bind(wxEVT_SCROLL_THUMBRELEASE, &COGLView::OnScroll, this);
    }
    platform::SetWxViewWindow(this);
    InitViewExtents();
    SyncScrollBars();
}

COGLView::~COGLView()
{
    if (m_bGLReady && GetXWindow() && m_pContext->SetCurrent(*this)) g_Scene.ReleaseContext();
    delete m_pContext;
}

bool COGLView::MakeCurrent()
{
    if (!m_pContext || !GetXWindow() || !IsShownOnScreen()) return false;
    if (!m_pContext->SetCurrent(*this)) return false;
    if (!m_bGLReady) {
        g_Scene.SetupContext();
        m_bGLReady = true;
    }
    return true;
}

void COGLView::SyncScrollBars()
{
    m_pHBar->SetThumbPosition(g_nHScrollPos);
    m_pVBar->SetThumbPosition(g_nVScrollPos);
}

void COGLView::ReleaseDrag()
{
    if (!IsDraggingModel() && HasCapture()) ReleaseMouse();
}

bool COGLView::RenderFrame(wxImage* image)
{
    if (!MakeCurrent()) return false;
    g_Scene.DrawDetail();
    const int w = g_Scene.nWidth, h = g_Scene.nHeight;
    if (image && w > 0 && h > 0) platform::ReadGLBackBuffer(w, h, *image);
    SwapBuffers();
    return true;
}

void COGLView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    RenderFrame();
}

void COGLView::OnSize(wxSizeEvent& event)
{
    event.Skip();
    const wxSize size = GetClientSize() * GetContentScaleFactor();
    g_Scene.SetViewportSize(size.x, size.y);
    if (size.x > 0 && size.y > 0) {
        g_Scene.Refresh();
        g_Scene.ApplyProjection();
        SyncScrollBars();
        Refresh(false);
    }
}

void COGLView::OnKeyDown(wxKeyEvent& event)
{
    ViewKey key = VIEW_KEY_OTHER;
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE: key = VIEW_KEY_ESCAPE; break;
    case WXK_LEFT: key = VIEW_KEY_LEFT; break;
    case WXK_RIGHT: key = VIEW_KEY_RIGHT; break;
    case WXK_UP: key = VIEW_KEY_UP; break;
    case WXK_DOWN: key = VIEW_KEY_DOWN; break;
    default: break;
    }
    ViewKeyDown(key);
    SyncScrollBars();
    Refresh(false);
    // Arrows stay with the view instead of moving the focus.
    if (key == VIEW_KEY_OTHER) event.Skip();
}

void COGLView::OnMouseMove(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition() * GetContentScaleFactor();
    ViewMouseMove(p.x, p.y);
    if (IsDraggingModel()) Refresh(false);
    event.Skip();
}

void COGLView::OnLeftDown(wxMouseEvent& event)
{
    SetFocus();
    const wxPoint p = event.GetPosition() * GetContentScaleFactor();
    if (ViewLeftDown(p.x, p.y) && !HasCapture()) CaptureMouse();
    event.Skip();
}

void COGLView::OnLeftUp(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition() * GetContentScaleFactor();
    if (ViewLeftUp(p.x, p.y)) Refresh(false);
    if (HasCapture()) ReleaseMouse();
    event.Skip();
}

void COGLView::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag ends where the pointer was last seen.
    if (ViewLeftUp(g_nMouseX, g_nMouseY)) Refresh(false);
}

void COGLView::OnScroll(wxScrollEvent& event)
{
    const ScrollCode code = ScrollCodeOf(event.GetEventType());
    if (event.GetEventObject() == m_pVBar)
        ViewVScroll(code, event.GetPosition());
    else
        ViewHScroll(code, event.GetPosition());
    SyncScrollBars();
    Refresh(false);
}
