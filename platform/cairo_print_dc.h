// The print device drawn with cairo. A PDF file and a printer's job differ
// only in where the job's surface comes from and where it goes at the end.
#pragma once

#include <cairo.h>

#include <string>

#include "platform/print_device.h"

namespace platform {

// A subclass's destructor calls AbortDoc(), so that a job left open is
// dropped while the subclass still exists.
class CairoPrintDC : public PrintDC {
public:
    explicit CairoPrintDC(const SheetGeometry& sheet);
    ~CairoPrintDC() override;

    bool StartDoc(const std::string& jobName) override;
    bool StartPage() override;
    bool EndPage() override;
    bool EndDoc() override;
    void AbortDoc() override;
    std::string Error() const override { return error_; }

    SheetGeometry Sheet() const override { return sheet_; }
    double PointsPerUnit() const override;

    void SetMapMode(MapMode mode) override;
    void SetWindowOrg(int x, int y) override;
    void SetClipRect(int x1, int y1, int x2, int y2) override;
    void ClearClip() override;
    PrintPen SelectPen(const PrintPen& pen) override;
    PrintBrush SelectBrush(const PrintBrush& brush) override;
    PrintFont SelectFont(const PrintFont& font) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    void DrawImage(const unsigned char* rgb, int width, int height, int x1, int y1, int x2, int y2) override;

protected:
    // The surface of a new job with a reference for this object, or nullptr
    // with the reason given to Fail().
    virtual cairo_surface_t* OpenSurface(const std::string& jobName) = 0;
    // Before each page is drawn.
    virtual bool PrepareSheet(cairo_surface_t*) { return true; }
    // After the surface has been finished without error: deliver the output.
    virtual bool Deliver() = 0;
    // Drops whatever the job produced.
    virtual void Discard() = 0;

    bool Fail(const std::string& why);
    // A surface writing to a stream of ours calls this when a write fails and
    // returns what it returns. Cairo 1.16 drops a write error made while the
    // document is finished, and may show one made in a page only a page
    // later: the failed page, or job, would seem to have been printed.
    cairo_status_t StreamFailed(cairo_status_t status);

    SheetGeometry sheet_;

private:
    void DeviceOf(int x, int y, double* dx, double* dy) const;
    void Flush();
    void ApplyPen();
    void ApplyFont();
    void CloseSurface();
    // The first error of the job's surface or its stream, or success.
    cairo_status_t SurfaceStatus() const;

    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    bool inPage_ = false;
    bool strokePending_ = false;
    cairo_status_t streamStatus_ = CAIRO_STATUS_SUCCESS;
    std::string error_;

    MapMode mode_ = MapMode::LoEnglish;
    int originX_ = 0, originY_ = 0;
    int curX_ = 0, curY_ = 0;
    PrintPen pen_;
    PrintBrush brush_;
    PrintFont font_;
};

}  // namespace platform
