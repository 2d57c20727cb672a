#define GL_GLEXT_PROTOTYPES 1  // glWindowPos2i

#include "view/wx_view.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/gdicmn.h>

#include "files/model_file.h"
#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "platform/platform.h"
#include "platform/wx_backend.h"
#include "platform/wx_gl_capture.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/animation.h"
#include "view/camera_navigation.h"
#include "view/gl_setup.h"
#include "view/mouse_editing.h"
#include "view/overlay.h"
#include "view/projection.h"
#include "view/renderer.h"

namespace {

const char* const kSupportLine = "support@trussforge3d.example";

// Pixel height of one overlay text cell: the font is the largest sans-serif
// whose line fits 16 pixels (16-pixel Arial or its stand-in, a 15-pixel
// line), a comfortable size on a 1280 x 1024 screen. The lines at y = 50 and
// y = 65 then overlap by one pixel at most, and the later one wins.
constexpr int kLineHeight = 16;

CSpan3DView* s_pView = nullptr;  // the view that owns the hooks
std::function<void()> s_afterFrame;

// The attributes the view asks for: RGBA, at least 16 colour bits, a 16-bit
// depth buffer, double buffered.
wxGLAttributes RequestedAttributes()
{
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().MinRGBA(5, 6, 5, 0).Depth(g_pfdView.depthBits).DoubleBuffer().EndList();
    return attrs;
}

// Outcome of the pixel-format choice made while the canvas base is built.
bool s_formatSupported = false;
wxAssertHandler_t s_savedAssertHandler = nullptr;
bool s_assertsSilenced = false;

void SilentAssert(const wxString&, int, const wxString&, const wxString&, const wxString&) {}

void RestoreAsserts()
{
    if (s_assertsSilenced) wxSetAssertHandler(s_savedAssertHandler);
    s_assertsSilenced = false;
}

// Chooses the canvas attributes before the base class is built. The
// toolkit asserts when a display has no GL at all; creation reports that
// itself, so its assertions are kept quiet until the canvas exists. An
// unsupported request falls back to any RGBA format so that a window can
// still be made and fail cleanly.
wxGLAttributes ChooseAttributes()
{
    s_savedAssertHandler = wxSetAssertHandler(SilentAssert);
    s_assertsSilenced = true;
    const wxGLAttributes requested = RequestedAttributes();
    s_formatSupported = wxGLCanvas::IsDisplaySupported(requested);
    if (s_formatSupported) {
        RestoreAsserts();
        return requested;
    }
    wxGLAttributes fallback;
    fallback.PlatformDefaults().RGBA().EndList();
    return fallback;
}

void HookSetClearColor(float r, float g, float b, float a)
{
    if (s_pView && s_pView->MakeCurrent()) SetGLClearColor(r, g, b, a);
}

void HookResizeViewport()
{
    if (s_pView && s_pView->MakeCurrent()) ResizeGLViewport(g_nViewWidth, g_nViewHeight);
}

// Overlay lines rendered once and kept as RGB rows, top row first.
struct TextImage {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

std::unordered_map<std::string, TextImage> s_textCache;

wxFont MakeViewFont(double scale)
{
    // The largest sans-serif whose line fits the cell.
    wxBitmap probe(1, 1);
    wxMemoryDC dc(probe);
    const int cell = static_cast<int>(kLineHeight * scale + 0.5);
    wxFont font;
    for (int px = cell; px >= 6; --px) {
        font = wxFont(wxFontInfo(wxSize(0, px)).Family(wxFONTFAMILY_SWISS).FaceName("Arial"));
        if (!font.IsOk()) font = wxFont(wxFontInfo(wxSize(0, px)).Family(wxFONTFAMILY_SWISS));
        dc.SetFont(font);
        if (dc.GetCharHeight() <= cell) break;
    }
    dc.SelectObject(wxNullBitmap);
    return font;
}

const TextImage& RenderText(const std::string& text, const wxFont& font, const wxColour& background)
{
    const std::string key = text + '\x1f' + std::to_string(background.GetRGB());
    auto found = s_textCache.find(key);
    if (found != s_textCache.end()) return found->second;
    if (s_textCache.size() > 512) s_textCache.clear();

    wxBitmap probe(1, 1);
    wxMemoryDC measure(probe);
    measure.SetFont(font);
    const wxString label = wxString::FromUTF8(text.c_str());
    wxSize extent = measure.GetTextExtent(label);
    measure.SelectObject(wxNullBitmap);
    TextImage& image = s_textCache[key];
    if (extent.x <= 0 || extent.y <= 0) return image;

    wxBitmap bitmap(extent.x, extent.y, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(background));
        dc.Clear();
        dc.SetFont(font);
        dc.SetTextForeground(*wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.DrawText(label, 0, 0);
        dc.SelectObject(wxNullBitmap);
    }
    const wxImage pixels = bitmap.ConvertToImage();
    image.width = pixels.GetWidth();
    image.height = pixels.GetHeight();
    image.rgb.assign(pixels.GetData(), pixels.GetData() + 3 * image.width * image.height);
    return image;
}

}  // namespace

void ReportViewCreateFailure(ViewCreateFailure why, int errorCode)
{
    std::string text;
    switch (why) {
    case VIEW_FAIL_CHOOSE_FORMAT:
        text = std::string("ChoosePixelFormat failed!\nReport this message to BBSC\n") + kSupportLine;
        break;
    case VIEW_FAIL_SET_FORMAT:
        text = std::string("SetPixelFormat failed!  \nReport this message to BBSC.  \n") + kSupportLine + "  ";
        break;
    case VIEW_FAIL_CONTEXT:
        text = std::string("wglCreateContext failed!  \nReport this message to BBSC.  \n") + kSupportLine;
        break;
    case VIEW_FAIL_COLOR_DEPTH:
        text = "Please set display colors to 16-bits or higher.\nSee Start|Settings|Control Panel|Display.";
        break;
    }
    const unsigned flags = platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;
    platform::MessageBox(text, g_szAppTitle, flags);
    char code[64];
    std::snprintf(code, sizeof code, "Report this error code = %d  ", errorCode);
    platform::MessageBox(code, g_szAppTitle, flags);
}

void SetAfterFrameHook(std::function<void()> hook)
{
    s_afterFrame = std::move(hook);
}

int CSpan3DView::OverlayLineHeight()
{
    return kLineHeight;
}

CSpan3DView::CSpan3DView(wxWindow* parent)
    : wxGLCanvas(parent, ChooseAttributes(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS)
{
    RestoreAsserts();

    // Shape and material tables of the current unit system; the default
    // member colour is that of the default material.
    ResetAllShapes();
    ResetAllMaterials();
    if (g_nDefaultMaterial >= 0 && g_nDefaultMaterial < TABLE_ROWS) {
        const MaterialRec& m = g_Materials[g_nDefaultMaterial];
        g_fDefaultColorR = m.colorR;
        g_fDefaultColorG = m.colorG;
        g_fDefaultColorB = m.colorB;
    }
    m_font = MakeViewFont(GetContentScaleFactor());

    Bind(wxEVT_PAINT, &CSpan3DView::OnPaint, this);
    Bind(wxEVT_SIZE, &CSpan3DView::OnSize, this);
    // The GL picture covers the whole client area: no erase, no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    Bind(wxEVT_TIMER, &CSpan3DView::OnTimer, this);
    Bind(wxEVT_LEFT_DOWN, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_MOTION, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &CSpan3DView::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &CSpan3DView::OnKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSpan3DView::OnCaptureLost, this);

    if (!s_formatSupported) {
        ReportViewCreateFailure(VIEW_FAIL_CHOOSE_FORMAT, errno);
        return;
    }
    if (!GetHandle()) {
        ReportViewCreateFailure(VIEW_FAIL_SET_FORMAT, errno);
        return;
    }

    const unsigned flags = g_pfdView.flags;
    if (flags & PFD_DOUBLEBUFFER) g_bPfdDoubleBuffer = 1;
    if (flags & PFD_DRAW_TO_WINDOW) g_bPfdDrawToWindow = 1;
    if (flags & PFD_DRAW_TO_BITMAP) g_bPfdDrawToBitmap = 1;
    if (flags & PFD_SUPPORT_GDI) g_bPfdSupportGdi = 1;
    if (flags & PFD_SUPPORT_OPENGL) g_bPfdSupportOpenGL = 1;
    if (flags & PFD_GENERIC_FORMAT) g_bPfdGenericFormat = 1;
    if (flags & PFD_NEED_PALETTE) g_bPfdNeedPalette = 1;
    if (flags & PFD_NEED_SYSTEM_PALETTE) g_bPfdNeedSystemPalette = 1;
    if (flags & PFD_GENERIC_ACCELERATED) g_bPfdGenericAccelerated = 1;
    g_nPfdColorBits = g_pfdView.colorBits;
    g_nPfdDepthBits = g_pfdView.depthBits;
    if (g_pfdView.pixelType == PFD_TYPE_RGBA) g_bPfdTypeRgba = 1;

    wxGLContextAttrs contextAttrs;
    contextAttrs.PlatformDefaults().CompatibilityProfile().EndList();
    m_pContext = new wxGLContext(this, nullptr, &contextAttrs);
    if (!m_pContext->IsOK()) {
        delete m_pContext;
        m_pContext = nullptr;
        ReportViewCreateFailure(VIEW_FAIL_CONTEXT, errno);
        return;
    }
    if (wxDisplayDepth() < 16) {
        ReportViewCreateFailure(VIEW_FAIL_COLOR_DEPTH, errno);
        return;
    }

    m_bCreated = true;
    s_pView = this;
    g_pfnSetClearColor = HookSetClearColor;
    g_pfnResizeViewportToView = HookResizeViewport;
    platform::SetWxViewWindow(this);
    const wxSize size = PixelSize();
    g_nViewWidth = size.x;
    g_nViewHeight = size.y;

    // The model named on the command line. The frame reports a file that
    // cannot be read and decides the caption and the model name.
    if (!g_strStartFile.empty()) {
        m_nStartFileResult = OpenModelFile(g_strStartFile, &m_strStartFileRefusal);
        g_bListSupportsBuilt = 0;
        g_bListLoadsBuilt = 0;
        g_bModelSaved = 1;
        Refresh(false);
    }
}

CSpan3DView::~CSpan3DView()
{
    if (HasCapture()) ReleaseMouse();
    if (m_bGLReady && GetXWindow() && m_pContext->SetCurrent(*this)) glDeleteLists(g_nListBase, LIST_RESERVED_COUNT);
    if (m_bGLReady) InvalidateAllLists();
    delete m_pContext;
    if (s_pView == this) {
        s_pView = nullptr;
        g_pfnSetClearColor = nullptr;
        g_pfnResizeViewportToView = nullptr;
        platform::SetWxViewWindow(nullptr);
    }
}

wxSize CSpan3DView::PixelSize() const
{
    const wxSize client = GetClientSize();
    const double scale = GetContentScaleFactor();
    return wxSize(static_cast<int>(client.x * scale + 0.5), static_cast<int>(client.y * scale + 0.5));
}

bool CSpan3DView::MakeCurrent()
{
    if (!m_bCreated || !GetXWindow()) return false;
    if (!m_pContext->SetCurrent(*this)) return false;
    if (m_bGLReady) return true;

    InitGLState();
    g_nListBase = glGenLists(LIST_RESERVED_COUNT);
    InvalidateAllLists();  // a new context holds no lists yet
    CompileArrowHeadList();
    m_bGLReady = true;
    const wxSize size = PixelSize();
    ResizeGLViewport(size.x, size.y);
    return true;
}

void CSpan3DView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    RenderFrame();
}

void CSpan3DView::OnSize(wxSizeEvent& event)
{
    event.Skip();
    const wxSize size = PixelSize();
    if (MakeCurrent()) {
        ResizeGLViewport(size.x, size.y);
    } else {
        g_nViewWidth = size.x;
        g_nViewHeight = size.y;
    }
}

void CSpan3DView::OnTimer(wxTimerEvent& event)
{
    if (!OnAnimationTimer(event.GetId())) event.Skip();
}

wxPoint CSpan3DView::PixelPoint(const wxMouseEvent& event) const
{
    const double scale = GetContentScaleFactor();
    return wxPoint(static_cast<int>(event.GetX() * scale), static_cast<int>(event.GetY() * scale));
}

// The mouse edits with the left button and moves the camera with the right
// button and the wheel; picking needs the context current.
void CSpan3DView::OnMouse(wxMouseEvent& event)
{
    event.Skip();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN) SetFocus();
    if (!MakeCurrent()) return;
    const wxPoint p = PixelPoint(event);
    if (type == wxEVT_LEFT_DOWN) {
        if (!EditOnLButtonDown(p.x, p.y)) event.Skip(false);
    } else if (type == wxEVT_LEFT_UP) {
        EditOnLButtonUp(p.x, p.y);
    } else if (type == wxEVT_LEFT_DCLICK) {
        CameraOnLButtonDblClk(p.x, p.y);
    } else if (type == wxEVT_RIGHT_DOWN) {
        CameraOnRButtonDown(p.x, p.y);
    } else if (type == wxEVT_RIGHT_UP) {
        CameraOnRButtonUp();
    } else if (type == wxEVT_MOTION) {
        EditOnMouseMove(p.x, p.y);
    } else if (type == wxEVT_MOUSEWHEEL) {
        CameraOnMouseWheel(event.GetWheelRotation());
    }
    UpdateCapture();
}

namespace {

int ViewKeyOf(const wxKeyEvent& event)
{
    const int code = event.GetKeyCode();
    if (code >= WXK_F1 && code <= WXK_F12) return VIEW_KEY_F1 + (code - WXK_F1);
    if (code >= WXK_NUMPAD0 && code <= WXK_NUMPAD9) return VIEW_KEY_NUMPAD0 + (code - WXK_NUMPAD0);
    switch (code) {
    case WXK_ESCAPE: return VIEW_KEY_ESCAPE;
    // Without Num Lock the keypad's arrows are arrows.
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: return VIEW_KEY_LEFT;
    case WXK_UP:
    case WXK_NUMPAD_UP: return VIEW_KEY_UP;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: return VIEW_KEY_RIGHT;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN: return VIEW_KEY_DOWN;
    case WXK_NUMPAD_ADD: return VIEW_KEY_NUMPAD_ADD;
    case WXK_NUMPAD_SUBTRACT: return VIEW_KEY_NUMPAD_SUBTRACT;
    case WXK_NUMPAD_MULTIPLY: return VIEW_KEY_NUMPAD_MULTIPLY;
    case WXK_NUMPAD_DIVIDE: return VIEW_KEY_NUMPAD_DIVIDE;
    default: return code > 0 && code < 128 ? std::toupper(code) : 0;
    }
}

}  // namespace

// A key the view acts on goes no further: F10 does not open the menu bar
// and the arrows do not move the focus. With Ctrl or Alt held only Ctrl+1..3
// are the view's; the others belong to the menus' shortcuts.
void CSpan3DView::OnKeyDown(wxKeyEvent& event)
{
    const int key = ViewKeyOf(event);
    const bool storeView = event.ControlDown() && !event.AltDown() && key >= '1' && key <= '3';
    const bool modified = event.ControlDown() || event.AltDown();
    if (key == 0 || (modified && !storeView) || !MakeCurrent() || !CameraOnKeyDown(key, event.ControlDown()))
        event.Skip();
    UpdateCapture();
}

void CSpan3DView::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    CameraOnRButtonUp();
    CancelDrags();
}

void CSpan3DView::UpdateCapture()
{
    const bool drag = AnyDragUnderWay();
    if (drag && !HasCapture())
        CaptureMouse();
    else if (!drag && HasCapture())
        ReleaseMouse();
}

void CSpan3DView::DrawPicture()
{
    RenderScene();
    glFinish();
    DrawOverlayText();
}

void CSpan3DView::RenderFrame()
{
    if (g_bRendering || !MakeCurrent()) return;
    g_bRendering = 1;
    DrawPicture();
    SwapBuffers();
    glFinish();
    g_bRendering = 0;
    if (s_afterFrame) s_afterFrame();
}

bool CSpan3DView::CaptureFrame(wxImage& image)
{
    if (g_bRendering || !MakeCurrent()) return false;
    const int w = g_nViewWidth, h = g_nViewHeight;
    if (w <= 0 || h <= 0) return false;
    g_bRendering = 1;
    DrawPicture();
    glFinish();
    platform::ReadGLBackBuffer(w, h, image);
    g_bRendering = 0;
    return true;
}

ViewOnScreen CSpan3DView::OnScreen()
{
    ViewOnScreen screen;
    screen.area = wxRect(GetScreenPosition(), GetSize());
    const wxPoint origin = screen.area.GetPosition();
    if (MakeCurrent()) {
        const bool displaced = g_bShowDisplacedShape != 0;
        for (int j = 1; j <= g_nJoints; ++j) {
            const JointRec& joint = g_Joints[j];
            float x, y;
            if (!ProjectToWindow(displaced ? joint.displacedX : joint.x, displaced ? joint.displacedY : joint.y,
                                 displaced ? joint.displacedZ : joint.z, x, y))
                continue;
            const wxRect point(origin.x + static_cast<int>(x), origin.y + static_cast<int>(y), 1, 1);
            screen.model = screen.model.IsEmpty() ? point : screen.model.Union(point);
        }
    }
    // As wide as the text in the window's font, and a quarter more.
    for (const OverlayText& text : ComposeOverlayText(ProjectJoint, ProjectMember)) {
        const int width = GetTextExtent(wxString::FromUTF8(text.text.c_str())).x * 5 / 4;
        screen.texts.emplace_back(origin.x + text.x, origin.y + text.y, width, OverlayLineHeight());
    }
    return screen;
}

// Each line on a box of the background colour, in the DC's default black,
// drawn into the back buffer before the swap.
void CSpan3DView::DrawOverlayText()
{
    const std::vector<OverlayText> lines = ComposeOverlayText(ProjectJoint, ProjectMember);
    const wxColour background(static_cast<unsigned char>(static_cast<int>(g_fBackgroundR * 255)),
                              static_cast<unsigned char>(static_cast<int>(g_fBackgroundG * 255)),
                              static_cast<unsigned char>(static_cast<int>(g_fBackgroundB * 255)));
    const double scale = GetContentScaleFactor();

    glPushAttrib(GL_ENABLE_BIT | GL_PIXEL_MODE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPixelZoom(1, -1);  // rows top down from the raster position
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (const OverlayText& line : lines) {
        const TextImage& image = RenderText(line.text, m_font, background);
        if (image.rgb.empty()) continue;
        const int x = static_cast<int>(line.x * scale);
        const int y = g_nViewHeight - static_cast<int>(line.y * scale);
        glWindowPos2i(x, y);
        glDrawPixels(image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    }
    glPopAttrib();
}
