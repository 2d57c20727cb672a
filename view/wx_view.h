// The 3D view of TF3D's main window: an OpenGL canvas with a
// compatibility-profile context that draws the scene and the overlay text.
//
// The main frame creates it as its child, before the preferences are read:
//
//     auto* view = new CSpan3DView(this);
//     if (!view->Created()) {
//         // The reason and the error code have been shown in two message
//         // boxes; the view does nothing more. Destroy the frame and end the
//         // program with exit code 1.
//     }
//     if (view->StartFileResult() == 0) {
//         // g_strStartFile was refused (StartFileRefusal() says why) and
//         // nothing of it was read: report it and go on with the new
//         // untitled model. The view sets no caption and no file name.
//     }
//
// GL set-up waits until the window is realised (shown); the first paint,
// resize or MakeCurrent() does it.
#pragma once

#include <functional>
#include <string>

#include <wx/font.h>
#include <wx/glcanvas.h>
#include <wx/image.h>
#include <wx/timer.h>

#include "view/wx_view_on_screen.h"

class CSpan3DView : public wxGLCanvas {
public:
    explicit CSpan3DView(wxWindow* parent);
    ~CSpan3DView() override;

    // False when the pixel format, the GL context or the display's colour
    // depth failed; the view then never touches GL.
    bool Created() const { return m_bCreated; }

    // Result of reading g_strStartFile at creation: 1 read, 0 refused (the
    // model is as it was), -1 no start file named.
    int StartFileResult() const { return m_nStartFileResult; }
    // Why g_strStartFile was refused, when StartFileResult() is 0.
    const std::string& StartFileRefusal() const { return m_strStartFileRefusal; }

    // Makes the context current, setting up the GL state, the 27 reserved
    // lists and the viewport the first time. False while the window is not
    // realised or when creation failed.
    bool MakeCurrent();

    // One drawing pass now: scene, overlay text, buffer swap, then the
    // after-frame hook. A pass already under way makes this do nothing.
    void RenderFrame();

    // Draws the pass into the back buffer without swapping and reads it
    // back (window pixels, top row first). False when GL is not ready.
    bool CaptureFrame(wxImage& image);

    // Pixel height of the overlay text line.
    static int OverlayLineHeight();

    // Where the view lies on the screen, with the model's joints as it shows
    // them (displaced after an analysis) and its overlay texts.
    ViewOnScreen OnScreen();

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    // Holds the mouse while a drag is under way, so that a release outside
    // the view ends it like any release.
    void UpdateCapture();
    wxPoint PixelPoint(const wxMouseEvent& event) const;
    wxSize PixelSize() const;
    void DrawPicture();
    void DrawOverlayText();

    wxGLContext* m_pContext = nullptr;
    bool m_bCreated = false;
    bool m_bGLReady = false;
    int m_nStartFileResult = -1;
    std::string m_strStartFileRefusal;
    wxFont m_font;
};

// Called after every finished frame (after the buffer swap); for tests and
// benchmarks. An empty function removes the hook.
void SetAfterFrameHook(std::function<void()> hook);

// The failure messages of view creation, each followed by the error-code box.
enum ViewCreateFailure { VIEW_FAIL_CHOOSE_FORMAT, VIEW_FAIL_SET_FORMAT, VIEW_FAIL_CONTEXT, VIEW_FAIL_COLOR_DEPTH };
void ReportViewCreateFailure(ViewCreateFailure why, int errorCode);
