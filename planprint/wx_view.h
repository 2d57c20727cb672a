// Planprint's one view: the GL preview of the tiles and outlines, with the
// keys, the Move Model drag and the two scroll bars that pan the picture.
#pragma once

#include <wx/glcanvas.h>

class wxImage;
class wxScrollBar;
class wxScrollEvent;

class COGLView : public wxGLCanvas {
public:
    // The scroll bars belong to the parent; the view drives them.
    COGLView(wxWindow* parent, wxScrollBar* horizontal, wxScrollBar* vertical);
    ~COGLView() override;

    // False when no GL context could be made here.
    bool Created() const { return m_pContext != nullptr; }

    // Both thumbs where the picture is.
    void SyncScrollBars();
    // Lets the pointer go after a drag that Move Model ended.
    void ReleaseDrag();
    // Draws one frame now (the preview as on screen) and, when image is
    // given, reads it back.
    bool RenderFrame(wxImage* image = nullptr);

private:
    bool MakeCurrent();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnScroll(wxScrollEvent& event);

    wxGLContext* m_pContext = nullptr;
    bool m_bGLReady = false;
    wxScrollBar* m_pHBar;
    wxScrollBar* m_pVBar;
};
