#include "platform/print_device.h"

#include <cairo-pdf.h>
#include <unistd.h>

#include <cmath>

#include "platform/cairo_print_dc.h"
#include "platform/safe_file.h"
#include "tests/common/pdf_tools.h"
#include "tests/common/save_faults.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

using namespace platform;

namespace {

class PrintDeviceTest : public Tf3dTest {
protected:
    TempFolder dir{"print_device"};

    // One page drawn on a PDF of the paper; true when the file was written.
    bool PrintOnePage(const std::string& path, const Paper& paper, Orientation o, const DrawPageFn& draw)
    {
        std::unique_ptr<PrintDC> dc = CreatePdfPrintDC(path, paper, o);
        if (!dc->StartDoc("Test Job") || !dc->StartPage()) return false;
        draw(*dc, 1);
        return dc->EndPage() && dc->EndDoc();
    }
};

// A PDF on Letter whose stream refuses every write past `limit` bytes.
class LimitedPdfDC : public CairoPrintDC {
public:
    explicit LimitedPdfDC(size_t limit) : CairoPrintDC(WholeSheet(kPaperLetter, Orientation::Portrait)), limit_(limit)
    {
    }
    ~LimitedPdfDC() override { AbortDoc(); }
    size_t written = 0;
    bool delivered = false;

protected:
    cairo_surface_t* OpenSurface(const std::string&) override
    {
        return cairo_pdf_surface_create_for_stream(&LimitedPdfDC::Write, this, sheet_.sheetWidth, sheet_.sheetHeight);
    }
    bool Deliver() override { return delivered = true; }
    void Discard() override {}

private:
    static cairo_status_t Write(void* closure, const unsigned char*, unsigned int length)
    {
        auto* self = static_cast<LimitedPdfDC*>(closure);
        if (self->written + length > self->limit_) return self->StreamFailed(CAIRO_STATUS_WRITE_ERROR);
        self->written += length;
        return CAIRO_STATUS_SUCCESS;
    }
    size_t limit_;
};

}  // namespace

TEST_F(PrintDeviceTest, PapersOrientationsAndTitle)
{
    struct Case {
        const Paper* paper;
        Orientation o;
        double w, h;
    } cases[] = {
        {&kPaperLetter, Orientation::Portrait, 612, 792},
        {&kPaperA4, Orientation::Landscape, 841.89, 595.28},
        {&kPaperLegal, Orientation::Portrait, 612, 1008},
        {&kPaperTabloid, Orientation::Landscape, 1224, 792},
    };
    for (const Case& c : cases) {
        const std::string path = dir / (std::string(c.paper->name) + ".pdf");
        ASSERT_TRUE(PrintOnePage(path, *c.paper, c.o, [](PrintDC&, int) {}));
        const PdfInfo info = ReadPdfInfo(path);
        EXPECT_EQ(info.pages, 1) << c.paper->name;
        EXPECT_NEAR(info.widthPt, c.w, 0.01) << c.paper->name;
        EXPECT_NEAR(info.heightPt, c.h, 0.01) << c.paper->name;
        EXPECT_EQ(info.title, "Test Job");
    }
}

TEST_F(PrintDeviceTest, MappingModesDrawAtFullScaleWithYUp)
{
    // A horizontal line of one inch (100 units) and one of 10 cm (1000
    // units), each from the logical origin, with the window origin one inch
    // (or 2.54 cm) left of and below the device origin.
    struct Case {
        MapMode mode;
        int originY, length;
        double expectedPt;
    } cases[] = {{MapMode::LoEnglish, 200, 100, 72.0}, {MapMode::LoMetric, 508, 1000, 283.46}};
    for (const Case& c : cases) {
        const std::string path = dir / "line.pdf";
        ASSERT_TRUE(PrintOnePage(path, kPaperLetter, Orientation::Portrait, [&](PrintDC& dc, int) {
            dc.SetMapMode(c.mode);
            dc.SetWindowOrg(-c.originY / 2, c.originY);
            dc.MoveTo(0, 0);
            dc.LineTo(c.length, 0);
            dc.MoveTo(0, 0);
            dc.LineTo(0, -c.length / 10);  // y up: a short line down the page
        }));
        const PdfRaster r = RasterisePdfPage(path, 1, 288);
        int left = 0, top = 0, right = 0, bottom = 0;
        const double s = r.Scale(), ox = 72 * 0.5 * c.originY / (c.mode == MapMode::LoEnglish ? 100 : 254);
        const double oy = 2 * ox;
        ASSERT_TRUE(r.DarkBox(0, static_cast<int>((oy - 2) * s), r.width - 1, static_cast<int>((oy + 2) * s), &left,
                              &top, &right, &bottom));
        EXPECT_NEAR(left / s, ox, 0.5);
        EXPECT_NEAR((right + 1 - left) / s, c.expectedPt, 0.5);
        ASSERT_TRUE(r.DarkBox(static_cast<int>((ox - 2) * s), static_cast<int>((oy + 3) * s),
                              static_cast<int>((ox + 2) * s), r.height - 1, &left, &top, &right, &bottom));
        EXPECT_NEAR((bottom + 1) / s - oy, c.expectedPt / 10, 0.5);
    }
}

TEST_F(PrintDeviceTest, ClipRectanglesTextAndImages)
{
    const std::string path = dir / "shapes.pdf";
    const unsigned char blackWhite[] = {0, 0, 0, 255, 255, 255};
    ASSERT_TRUE(PrintOnePage(path, kPaperLetter, Orientation::Portrait, [&](PrintDC& dc, int) {
        dc.SetWindowOrg(0, 1000);  // logical (x, y) lies x/100 in right, (1000 - y)/100 in down
        dc.SelectPen({2, {0, 0, 0}});
        dc.SetClipRect(100, 900, 300, 800);
        dc.MoveTo(0, 850);
        dc.LineTo(600, 850);  // cut to x 1..3 in
        dc.ClearClip();
        dc.SelectBrush({{0, 0, 0}, false});
        dc.Rectangle(400, 700, 500, 600);  // filled black
        dc.SelectBrush({{0, 0, 0}, true});
        dc.SelectPen({3, {0, 0, 0}});
        dc.Rectangle(600, 700, 700, 600);  // outline only
        dc.SelectFont({30, 0, 400, ""});
        dc.TextOut(100, 500, "Span 12");
        dc.SelectFont({30, 900, 400, ""});
        dc.TextOut(500, 300, "Upward");
        dc.DrawImage(blackWhite, 2, 1, 100, 200, 300, 100);
    }));
    const PdfRaster r = RasterisePdfPage(path, 1, 72);
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(r.DarkBox(0, 107, r.width - 1, 109, &left, &top, &right, &bottom));
    EXPECT_NEAR(left, 72, 1);
    EXPECT_NEAR(right, 216, 1);
    EXPECT_TRUE(r.Dark(324, 252));   // filled rectangle's middle
    EXPECT_FALSE(r.Dark(468, 252));  // hollow one's middle
    EXPECT_TRUE(r.Dark(432, 252));

    const PdfWord span = FindPdfWord(ReadPdfWords(path), "Span");
    EXPECT_NEAR(span.xMin, 72, 1.5);
    EXPECT_NEAR(span.yMin, 360, 2.5);
    EXPECT_NEAR(span.yMax - span.yMin, 30 * 0.72, 4);
    // Text turned a quarter anticlockwise runs up the page from its reference point.
    ASSERT_TRUE(r.DarkBox(340, 400, 400, 504, &left, &top, &right, &bottom));
    EXPECT_GE(left, 359);
    EXPECT_LE(right, 360 + 24);
    EXPECT_LE(bottom, 505);
    EXPECT_GT(bottom - top, 3 * (right - left));
    // Image: the black pixel fills the left half of its rectangle.
    EXPECT_TRUE(r.Dark(90, 612));
    EXPECT_FALSE(r.Dark(198, 612));
}

TEST_F(PrintDeviceTest, FileIsWholeOrAbsent)
{
    const std::string kept = dir / "kept.pdf";
    WriteBytes(kept, "old");
    {
        auto dc = CreatePdfPrintDC(kept, kPaperLetter, Orientation::Portrait);
        ASSERT_TRUE(dc->StartDoc("Aborted") && dc->StartPage());
        dc->LineTo(100, 100);
        dc->AbortDoc();
    }
    {
        auto dc = CreatePdfPrintDC(kept, kPaperLetter, Orientation::Portrait);
        ASSERT_TRUE(dc->StartDoc("Dropped") && dc->StartPage());  // never ended: dropped with the device
    }
    EXPECT_EQ(ReadBytes(kept), "old");

    const std::string nowhere = dir / "missing/folder.pdf";
    auto dc = CreatePdfPrintDC(nowhere, kPaperLetter, Orientation::Portrait);
    ASSERT_TRUE(dc->StartDoc("Job") && dc->StartPage() && dc->EndPage());
    EXPECT_FALSE(dc->EndDoc());
    EXPECT_NE(dc->Error().find(nowhere), std::string::npos);
    EXPECT_NE(access(nowhere.c_str(), F_OK), 0);
    EXPECT_FALSE(dc->StartPage());  // the job is over

    // Written in place (a second link), its old text not put back.
    ASSERT_EQ(link(kept.c_str(), (dir / "link.pdf").c_str()), 0);
    auto linked = CreatePdfPrintDC(kept, kPaperLetter, Orientation::Portrait);
    ASSERT_TRUE(linked->StartDoc("Job") && linked->StartPage() && linked->EndPage());
    SaveFaults faults{{SaveCall::Close, 1}, {SaveCall::Write, 2}};
    EXPECT_FALSE(linked->EndDoc());
    EXPECT_EQ(linked->Error(), MayBeDamagedText(kept));
}

TEST(PrintJob, PageSequenceFollowsRangesCopiesCollationAndOrder)
{
    // One choice at a time: an array of choices makes GCC 12 warn of uninitialised vectors at -O3.
    auto expect = [](const PrintChoice& choice, int pages, const std::vector<int>& expected) {
        EXPECT_EQ(PageSequence(choice, pages), expected) << pages << " pages, " << choice.copies << " copies";
    };
    expect({}, 3, {1, 2, 3});
    expect({{{2, 3}}, 1, true, false}, 6, {2, 3});
    expect({{{5, 9}, {1, 1}}, 1, true, false}, 6, {5, 6, 1});  // cut to the document
    expect({{{3, 2}}, 1, true, false}, 6, {2, 3});            // written backwards
    expect({{{7, 9}}, 1, true, false}, 6, {});
    expect({{{0, 2}}, 1, true, false}, 6, {1, 2});  // from page 0: the first page
    expect({{{0, 0}}, 1, true, false}, 6, {});      // the dialog's empty range field
    expect({{}, 2, true, false}, 2, {1, 2, 1, 2});
    expect({{}, 2, false, false}, 2, {1, 1, 2, 2});
    expect({{}, 1, true, true}, 3, {3, 2, 1});
    expect({{}, 0, true, false}, 2, {1, 2});
    expect({}, 0, {});
}

TEST_F(PrintDeviceTest, JobRunChecksEveryStepAndCanBeCancelled)
{
    const std::string path = dir / "job.pdf";
    std::vector<int> drawn;
    auto draw = [&drawn](PrintDC& dc, int page) {
        drawn.push_back(page);
        dc.TextOut(0, 0, "Page " + std::to_string(page));
    };
    auto run = [&](const std::string& file, const PrintChoice& choice, int pages) {
        PrintTarget target;
        target.dc = CreatePdfPrintDC(file, kPaperLetter, Orientation::Portrait);
        target.choice = choice;
        drawn.clear();
        return RunPrintJob(target, "Job", pages, draw);
    };

    PrintOutcome out = run(path, {{{2, 3}}, 2, false, false}, 4);
    EXPECT_EQ(out.status, PrintStatus::Printed);
    EXPECT_EQ(drawn, (std::vector<int>{2, 2, 3, 3}));
    EXPECT_EQ(ReadPdfInfo(path).pages, 4);
    EXPECT_EQ(backend.Count(platform::Event::PrintProgress), 5);

    unlink(path.c_str());
    backend.cancelPrintBeforeSheet = 2;
    out = run(path, {}, 4);
    EXPECT_EQ(out.status, PrintStatus::Cancelled);
    EXPECT_EQ(out.sheets, 2);
    EXPECT_NE(access(path.c_str(), F_OK), 0);
    backend.cancelPrintBeforeSheet = -1;

    out = run(dir / "no/such/folder.pdf", {}, 1);
    EXPECT_EQ(out.status, PrintStatus::Failed);
    EXPECT_NE(out.error.find("could not be finished"), std::string::npos);

    out = run(path, {{{5, 6}}, 1, true, false}, 4);
    EXPECT_EQ(out.status, PrintStatus::NoPageInRange);
    EXPECT_TRUE(drawn.empty());

    // A write that fails on the way out fails the page it belongs to, or the
    // end of the job, and nothing is delivered.
    std::vector<size_t> writtenBefore;  // bytes out before page 1, 2 and 3, and in all
    auto limited = [&](size_t limit) {
        PrintTarget target;
        auto* dc = new LimitedPdfDC(limit);
        target.dc.reset(dc);
        writtenBefore.clear();
        const PrintOutcome o = RunPrintJob(target, "Job", 3, [&](PrintDC& d, int page) {
            writtenBefore.push_back(dc->written);
            draw(d, page);
        });
        writtenBefore.push_back(dc->written);
        return std::make_pair(o, dc->delivered);
    };
    ASSERT_EQ(limited(size_t(1) << 30).first.status, PrintStatus::Printed);
    const std::vector<size_t> whole = writtenBefore;
    const struct {
        size_t limit;
        const char* error;
        int sheets;
    } failures[] = {
        {whole[1] + 16, "Page 2 could not be printed: error while writing to output stream", 1},
        {whole[2] - 1, "Page 2 could not be printed: error while writing to output stream", 1},
        {whole[2] + 1, "Page 3 could not be printed: error while writing to output stream", 2},
        {whole[3] - 16, "The print job could not be finished: error while writing to output stream", 3},
    };
    for (const auto& f : failures) {
        const auto [outcome, delivered] = limited(f.limit);
        EXPECT_EQ(outcome.status, PrintStatus::Failed) << f.limit;
        EXPECT_EQ(outcome.error, f.error);
        EXPECT_EQ(outcome.sheets, f.sheets);
        EXPECT_FALSE(delivered) << f.error;
    }

    PrintTarget none;
    none.error = "No printer";
    out = RunPrintJob(none, "Job", 1, draw);
    EXPECT_EQ(out.status, PrintStatus::Failed);
    EXPECT_EQ(out.error, "No printer");
}
