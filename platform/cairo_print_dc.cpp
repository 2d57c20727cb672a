#include "platform/cairo_print_dc.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/safe_file.h"

namespace platform {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kThinnestLinePt = 0.25;
constexpr double kDefaultFontPt = 10;

// The same text as UTF-8; bytes that are not UTF-8 are taken as Latin-1.
std::string ValidUtf8(const std::string& s)
{
    auto valid = [&s]() {
        for (size_t i = 0; i < s.size();) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            const int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
            if (n == 0 || i + n > s.size()) return false;
            for (int k = 1; k < n; ++k)
                if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
            i += n;
        }
        return true;
    };
    if (valid()) return s;
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void SetSource(cairo_t* cr, const Rgb& c) { cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

}  // namespace

CairoPrintDC::CairoPrintDC(const SheetGeometry& sheet) : sheet_(sheet) {}

CairoPrintDC::~CairoPrintDC() { CloseSurface(); }

bool CairoPrintDC::Fail(const std::string& why)
{
    error_ = why;
    return false;
}

cairo_status_t CairoPrintDC::StreamFailed(cairo_status_t status)
{
    if (streamStatus_ == CAIRO_STATUS_SUCCESS) streamStatus_ = status;
    return status;
}

cairo_status_t CairoPrintDC::SurfaceStatus() const
{
    if (streamStatus_ != CAIRO_STATUS_SUCCESS) return streamStatus_;
    return surface_ ? cairo_surface_status(surface_) : CAIRO_STATUS_SUCCESS;
}

void CairoPrintDC::CloseSurface()
{
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
    inPage_ = false;
    strokePending_ = false;
}

bool CairoPrintDC::StartDoc(const std::string& jobName)
{
    if (surface_) return Fail("A print job is already under way");
    error_.clear();
    streamStatus_ = CAIRO_STATUS_SUCCESS;
    surface_ = OpenSurface(jobName);
    if (!surface_) return false;
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        const std::string why = cairo_status_to_string(cairo_surface_status(surface_));
        CloseSurface();
        Discard();
        return Fail(why);
    }
    cr_ = cairo_create(surface_);
    return true;
}

bool CairoPrintDC::StartPage()
{
    if (!cr_) return Fail("No print job is under way");
    if (inPage_) return Fail("A page is already under way");
    if (!PrepareSheet(surface_)) return false;
    cairo_identity_matrix(cr_);
    cairo_reset_clip(cr_);
    cairo_new_path(cr_);
    cairo_translate(cr_, sheet_.printableLeft, sheet_.printableTop);
    inPage_ = true;
    return true;
}

bool CairoPrintDC::EndPage()
{
    if (!inPage_) return Fail("No page is under way");
    Flush();
    cairo_show_page(cr_);
    inPage_ = false;
    // The page goes to the surface, and on to its stream, as it is shown.
    cairo_status_t status = cairo_status(cr_);
    if (status == CAIRO_STATUS_SUCCESS) status = SurfaceStatus();
    if (status != CAIRO_STATUS_SUCCESS) return Fail(cairo_status_to_string(status));
    return true;
}

bool CairoPrintDC::EndDoc()
{
    if (!cr_) return Fail("No print job is under way");
    if (inPage_ && !EndPage()) return false;
    cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_finish(surface_);
    const cairo_status_t status = SurfaceStatus();
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    if (status != CAIRO_STATUS_SUCCESS) {
        Discard();
        return Fail(cairo_status_to_string(status));
    }
    return Deliver();
}

void CairoPrintDC::AbortDoc()
{
    CloseSurface();
    Discard();
}

double CairoPrintDC::PointsPerUnit() const { return PointsPerLogicalUnit(mode_); }

void CairoPrintDC::DeviceOf(int x, int y, double* dx, double* dy) const
{
    const double s = PointsPerUnit();
    *dx = (static_cast<double>(x) - originX_) * s;
    *dy = (static_cast<double>(originY_) - y) * s;
}

void CairoPrintDC::SetMapMode(MapMode mode)
{
    Flush();
    mode_ = mode;
}

void CairoPrintDC::SetWindowOrg(int x, int y)
{
    Flush();
    originX_ = x;
    originY_ = y;
}

void CairoPrintDC::SetClipRect(int x1, int y1, int x2, int y2)
{
    if (!inPage_) return;
    Flush();
    double ax, ay, bx, by;
    DeviceOf(x1, y1, &ax, &ay);
    DeviceOf(x2, y2, &bx, &by);
    cairo_reset_clip(cr_);
    cairo_rectangle(cr_, std::min(ax, bx), std::min(ay, by), std::fabs(bx - ax), std::fabs(by - ay));
    cairo_clip(cr_);
}

void CairoPrintDC::ClearClip()
{
    if (!inPage_) return;
    Flush();
    cairo_reset_clip(cr_);
}

PrintPen CairoPrintDC::SelectPen(const PrintPen& pen)
{
    Flush();
    const PrintPen old = pen_;
    pen_ = pen;
    return old;
}

PrintBrush CairoPrintDC::SelectBrush(const PrintBrush& brush)
{
    const PrintBrush old = brush_;
    brush_ = brush;
    return old;
}

PrintFont CairoPrintDC::SelectFont(const PrintFont& font)
{
    const PrintFont old = font_;
    font_ = font;
    return old;
}

void CairoPrintDC::ApplyPen()
{
    SetSource(cr_, pen_.colour);
    cairo_set_line_width(cr_, pen_.width > 0 ? pen_.width * PointsPerUnit() : kThinnestLinePt);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

// Lines are gathered into one path and stroked together.
void CairoPrintDC::Flush()
{
    if (!strokePending_) return;
    ApplyPen();
    cairo_stroke(cr_);
    strokePending_ = false;
}

void CairoPrintDC::MoveTo(int x, int y)
{
    curX_ = x;
    curY_ = y;
    if (!inPage_) return;
    double dx, dy;
    DeviceOf(x, y, &dx, &dy);
    cairo_move_to(cr_, dx, dy);
}

void CairoPrintDC::LineTo(int x, int y)
{
    if (inPage_) {
        double dx, dy;
        if (!cairo_has_current_point(cr_)) {
            DeviceOf(curX_, curY_, &dx, &dy);
            cairo_move_to(cr_, dx, dy);
        }
        DeviceOf(x, y, &dx, &dy);
        cairo_line_to(cr_, dx, dy);
        strokePending_ = true;
    }
    curX_ = x;
    curY_ = y;
}

void CairoPrintDC::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!inPage_) return;
    Flush();
    double ax, ay, bx, by;
    DeviceOf(x1, y1, &ax, &ay);
    DeviceOf(x2, y2, &bx, &by);
    cairo_new_path(cr_);
    cairo_rectangle(cr_, std::min(ax, bx), std::min(ay, by), std::fabs(bx - ax), std::fabs(by - ay));
    if (!brush_.hollow) {
        SetSource(cr_, brush_.colour);
        cairo_fill_preserve(cr_);
    }
    ApplyPen();
    cairo_stroke(cr_);
}

void CairoPrintDC::ApplyFont()
{
    const char* face = font_.face.empty() ? "sans-serif" : font_.face.c_str();
    cairo_select_font_face(cr_, face, CAIRO_FONT_SLANT_NORMAL,
                           font_.weight >= 700 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, font_.height > 0 ? font_.height * PointsPerUnit() : kDefaultFontPt);
}

void CairoPrintDC::TextOut(int x, int y, const std::string& utf8)
{
    if (!inPage_ || utf8.empty()) return;
    Flush();
    double dx, dy;
    DeviceOf(x, y, &dx, &dy);
    cairo_save(cr_);
    cairo_new_path(cr_);
    cairo_translate(cr_, dx, dy);
    cairo_rotate(cr_, -font_.escapement * kPi / 1800.0);
    ApplyFont();
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);
    cairo_move_to(cr_, 0, fe.ascent);
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_show_text(cr_, ValidUtf8(utf8).c_str());
    cairo_new_path(cr_);
    cairo_restore(cr_);
}

void CairoPrintDC::DrawImage(const unsigned char* rgb, int width, int height, int x1, int y1, int x2, int y2)
{
    if (!inPage_ || !rgb || width <= 0 || height <= 0 || width > 32767 || height > 32767) return;
    Flush();
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int row = 0; row < height; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(row) * stride);
        const unsigned char* in = rgb + static_cast<size_t>(row) * width * 3;
        for (int col = 0; col < width; ++col, in += 3)
            out[col] = (std::uint32_t(in[0]) << 16) | (std::uint32_t(in[1]) << 8) | in[2];
    }
    cairo_surface_mark_dirty(image);

    double ax, ay, bx, by;
    DeviceOf(x1, y1, &ax, &ay);
    DeviceOf(x2, y2, &bx, &by);
    const double left = std::min(ax, bx), top = std::min(ay, by);
    const double w = std::fabs(bx - ax), h = std::fabs(by - ay);
    if (w > 0 && h > 0) {
        cairo_save(cr_);
        cairo_new_path(cr_);
        cairo_translate(cr_, left, top);
        cairo_scale(cr_, w / width, h / height);
        cairo_set_source_surface(cr_, image, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
        cairo_rectangle(cr_, 0, 0, width, height);
        cairo_fill(cr_);
        cairo_restore(cr_);
    }
    cairo_surface_destroy(image);
}

// ---------------------------------------------------------------- PDF file

namespace {

class PdfPrintDC : public CairoPrintDC {
public:
    PdfPrintDC(const std::string& path, const SheetGeometry& sheet) : CairoPrintDC(sheet), path_(path) {}
    ~PdfPrintDC() override { AbortDoc(); }

protected:
    cairo_surface_t* OpenSurface(const std::string& jobName) override
    {
        bytes_.clear();
        cairo_surface_t* s = cairo_pdf_surface_create_for_stream(&PdfPrintDC::Write, this, sheet_.sheetWidth,
                                                                 sheet_.sheetHeight);
        if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
            cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_TITLE, jobName.c_str());
        return s;
    }

    bool Deliver() override
    {
        std::string why;
        const SaveResult result = SafeSaveFile(path_, bytes_, &why);
        Discard();
        const std::string notSaved = path_ + " could not be written" + (why.empty() ? "" : " (" + why + ")");
        return result == SaveResult::Saved || Fail(SaveFailureText(result, path_, notSaved));
    }

    void Discard() override { std::string().swap(bytes_); }

private:
    static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length)
    {
        try {
            static_cast<PdfPrintDC*>(closure)->bytes_.append(reinterpret_cast<const char*>(data), length);
        } catch (const std::bad_alloc&) {
            return static_cast<PdfPrintDC*>(closure)->StreamFailed(CAIRO_STATUS_NO_MEMORY);
        }
        return CAIRO_STATUS_SUCCESS;
    }

    std::string path_;
    std::string bytes_;
};

}  // namespace

std::unique_ptr<PrintDC> CreatePdfPrintDC(const std::string& path, const Paper& paper, Orientation orientation)
{
    return std::make_unique<PdfPrintDC>(path, WholeSheet(paper, orientation));
}

}  // namespace platform
