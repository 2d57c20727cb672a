// The print device of both programs: a device context in the classic fixed
// mapping modes (0.01 inch or 0.1 mm per logical unit, y up), drawn with
// cairo onto a PDF file or onto a printer's job, and the run of one print
// job (the pages and copies chosen in the print dialog, progress, cancel).
//
//     platform::PrintDialogRequest request;
//     request.jobName = "Structure in the XY Plane";
//     platform::PrintTarget target;
//     if (!platform::PrintDialog(request, target)) return;     // cancelled
//     const platform::PrintOutcome outcome = platform::RunPrintJob(
//         target, request.jobName, pageCount, [&](platform::PrintDC& dc, int page) {
//             dc.SetMapMode(platform::MapMode::LoEnglish);
//             dc.SetWindowOrg(-75, 1030);
//             dc.MoveTo(0, 0);
//             dc.LineTo(100, 0);                               // one inch
//         });
//     if (outcome.status == platform::PrintStatus::Failed) ...  // tell the user outcome.error
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Logical units: 0.01 inch or 0.1 mm, x to the right and y up.
enum class MapMode { LoEnglish, LoMetric };

// Points (1/72 inch) in one logical unit of a mapping mode.
constexpr double PointsPerLogicalUnit(MapMode mode) { return mode == MapMode::LoEnglish ? 0.72 : 72.0 / 254.0; }

enum class Orientation { Portrait, Landscape };

// A paper size, portrait, in points (1/72 inch).
struct Paper {
    const char* name;
    double widthPt, heightPt;
};
extern const Paper kPaperLetter;   // 8.5 x 11 in
extern const Paper kPaperLegal;    // 8.5 x 14 in
extern const Paper kPaperTabloid;  // 11 x 17 in
extern const Paper kPaperA4;
extern const Paper kPaperA3;

// The sheet as it lies (landscape: the long side across) and the part of it
// the device prints on, in points from the sheet's top-left corner.
struct SheetGeometry {
    double sheetWidth = 0, sheetHeight = 0;
    double printableLeft = 0, printableTop = 0, printableWidth = 0, printableHeight = 0;
};
SheetGeometry WholeSheet(const Paper& paper, Orientation orientation);

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A solid pen; width in logical units, 0 draws the thinnest line the device has.
struct PrintPen {
    int width = 0;
    Rgb colour;
};

// A solid brush, or a hollow one that fills nothing.
struct PrintBrush {
    Rgb colour{255, 255, 255};
    bool hollow = false;
};

struct PrintFont {
    int height = 0;      // character height in logical units; 0: the device's default font (10 pt)
    int escapement = 0;  // direction of the text, tenths of a degree anticlockwise
    int weight = 400;    // 700 and above: bold
    std::string face;    // font family; "" for a plain sans-serif
};

// A device context. Drawing takes logical coordinates; the device origin is
// the top-left corner of the printable area, and the window origin is the
// logical point that lies there. Pen, brush, font, mapping and window origin
// stay from page to page; each page starts without a clip.
class PrintDC {
public:
    virtual ~PrintDC() = default;

    // The job and its pages. Each returns false when the device failed; the
    // reason is then in Error() and the job can only be aborted.
    virtual bool StartDoc(const std::string& jobName) = 0;
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDoc() = 0;
    // Ends the job without output (nothing is printed or written).
    virtual void AbortDoc() = 0;
    virtual std::string Error() const = 0;

    virtual SheetGeometry Sheet() const = 0;
    // Points per logical unit in the current mapping mode.
    virtual double PointsPerUnit() const = 0;

    virtual void SetMapMode(MapMode mode) = 0;
    virtual void SetWindowOrg(int x, int y) = 0;
    // Clips further drawing to the rectangle between two opposite corners.
    virtual void SetClipRect(int x1, int y1, int x2, int y2) = 0;
    virtual void ClearClip() = 0;

    // Each returns what it replaces. The start-up pen is black and 0 wide,
    // the brush white, the font the device's default.
    virtual PrintPen SelectPen(const PrintPen& pen) = 0;
    virtual PrintBrush SelectBrush(const PrintBrush& brush) = 0;
    virtual PrintFont SelectFont(const PrintFont& font) = 0;

    // Lines from the current position with the pen.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Filled with the brush and outlined with the pen.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Text whose top-left corner (before the escapement turns it) is at (x, y).
    virtual void TextOut(int x, int y, const std::string& utf8) = 0;
    // RGB pixels, top row first, 3 bytes each, scaled into the rectangle
    // between two opposite corners.
    virtual void DrawImage(const unsigned char* rgb, int width, int height, int x1, int y1, int x2, int y2) = 0;
};

// A PDF written to path when the job ends, whole or not at all (through
// SafeSaveFile). The printable area is the whole sheet.
std::unique_ptr<PrintDC> CreatePdfPrintDC(const std::string& path, const Paper& paper, Orientation orientation);

// ---- one print job ----

struct PageRange {
    int first, last;  // page numbers from 1, inclusive
};

// What the user chose in the print dialog.
struct PrintChoice {
    std::vector<PageRange> ranges;  // empty: every page
    int copies = 1;
    bool collate = true;  // whole copies one after the other, not each page n times
    bool reverse = false;
};

// The pages in the order they come out, for a document of pageCount pages.
// Ranges are cut to the document; copies below 1 count as 1.
std::vector<int> PageSequence(const PrintChoice& choice, int pageCount);

struct PrintDialogRequest {
    std::string jobName;
    const Paper* paper = nullptr;  // the paper the dialog offers first; nullptr: the system's own
    Orientation orientation = Orientation::Portrait;
};

// What a confirmed print dialog gives: the device and the choice, or no
// device and the reason it could not be opened.
struct PrintTarget {
    std::unique_ptr<PrintDC> dc;
    PrintChoice choice;
    std::string error;
};

// Progress of a running job; the toolkit shows it with a Cancel button.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    // Before the done+1-th of total sheets; false when the user cancelled.
    virtual bool Update(int done, int total) = 0;
};

enum class PrintStatus { Printed, Cancelled, Failed, NoPageInRange };

struct PrintOutcome {
    PrintStatus status = PrintStatus::Printed;
    int sheets = 0;     // pages that went to the device
    std::string error;  // Failed: what failed and why
};

using DrawPageFn = std::function<void(PrintDC& dc, int page)>;

// Runs a job on the target: StartDoc, each page of the choice between
// StartPage and EndPage, EndDoc; checks every step, shows the progress and
// stops when it is cancelled. A failed or cancelled job is aborted, so it
// leaves no output.
PrintOutcome RunPrintJob(PrintTarget& target, const std::string& jobName, int pageCount, const DrawPageFn& drawPage);

}  // namespace platform
