#define GL_GLEXT_PROTOTYPES 1  // glWindowPos2i

#include "view/wx_view.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/gdicmn.h>

#include "files/model_file.h"
#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "platform/platform.h"
#include "platform/wx_backend.h"
#include "view/gl_setup.h"
#include "view/overlay.h"
#include "view/projection.h"
#include "view/renderer.h"
#include "view/view_globals.h"

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
    : wxGLCanvas(parent, ChooseAttributes(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE)
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
    Bind(wxEVT_LEFT_UP, &CSpan3DView::OnLeftUp, this);

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
        m_nStartFileResult = OpenModelFile(g_strStartFile);
        g_bListSupportsBuilt = 0;
        g_bListLoadsBuilt = 0;
        g_bModelSaved = 1;
        Refresh(false);
    }
}

CSpan3DView::~CSpan3DView()
{
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

// The growing and collapsing animation is not built yet: the first tick of
// timer 3 or 4 shows the picture the animation ends on, the displaced shape
// at the chosen magnification. Timer 5 turns the fan until a left-button
// release in the view stops it with the cheers.
void CSpan3DView::OnTimer(wxTimerEvent& event)
{
    switch (event.GetId()) {
    case TIMER_ANIMATE_DISPLACEMENT:
    case TIMER_ANIMATE_COLLAPSE:
        platform::KillViewTimer(event.GetId());
        g_bAnimationRunning = 0;
        g_bFanSpinning = 0;
        g_fAnimMagnification = g_fMagnification;
        ComputeDisplacedShape(g_fMagnification);
        InvalidateAnimationLists();
        g_bShowUndeformed = 0;
        g_bShowDisplacedShape = 1;
        g_bShowCollapse = 0;
        Refresh(false);
        break;
    case TIMER_FAN:
        g_fFanAngle -= 15;
        g_bListFanBuilt = 0;
        Refresh(false);
        break;
    default:
        event.Skip();
        break;
    }
}

// A left-button release ends the fan's turning after a passed analysis.
void CSpan3DView::OnLeftUp(wxMouseEvent& event)
{
    if (!g_bModelFailed && g_bUseFan && g_bAnimationRunning) {
        platform::KillViewTimer(TIMER_FAN);
        g_bAnimationRunning = 0;
        if (g_bSoundOn) platform::PlaySoundResource("IDR_WAVE_CHEERS");
    }
    event.Skip();
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
    std::vector<unsigned char> rows(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    g_bRendering = 0;
    image.Create(w, h, false);
    unsigned char* out = image.GetData();
    for (int y = 0; y < h; ++y)
        std::copy_n(&rows[static_cast<size_t>(h - 1 - y) * w * 3], w * 3, out + static_cast<size_t>(y) * w * 3);
    return true;
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
