#include "platform/print_device.h"

#include <algorithm>

#include "platform/platform.h"

namespace platform {

const Paper kPaperLetter = {"Letter", 612, 792};
const Paper kPaperLegal = {"Legal", 612, 1008};
const Paper kPaperTabloid = {"Tabloid", 792, 1224};
const Paper kPaperA4 = {"A4", 595.2756, 841.8898};
const Paper kPaperA3 = {"A3", 841.8898, 1190.5512};

SheetGeometry WholeSheet(const Paper& paper, Orientation orientation)
{
    SheetGeometry g;
    const bool turned = orientation == Orientation::Landscape;
    g.sheetWidth = g.printableWidth = turned ? paper.heightPt : paper.widthPt;
    g.sheetHeight = g.printableHeight = turned ? paper.widthPt : paper.heightPt;
    return g;
}

std::vector<int> PageSequence(const PrintChoice& choice, int pageCount)
{
    std::vector<int> pages;
    if (choice.ranges.empty()) {
        for (int p = 1; p <= pageCount; ++p) pages.push_back(p);
    } else {
        for (const PageRange& r : choice.ranges) {
            const int first = std::max(1, std::min(r.first, r.last));
            const int last = std::min(pageCount, std::max(r.first, r.last));
            for (int p = first; p <= last; ++p) pages.push_back(p);
        }
    }
    if (choice.reverse) std::reverse(pages.begin(), pages.end());
    const int copies = std::max(1, choice.copies);
    std::vector<int> sheets;
    if (choice.collate) {
        for (int c = 0; c < copies; ++c) sheets.insert(sheets.end(), pages.begin(), pages.end());
    } else {
        for (int p : pages) sheets.insert(sheets.end(), copies, p);
    }
    return sheets;
}

namespace {

PrintOutcome Failed(PrintDC& dc, const std::string& step, int sheets)
{
    PrintOutcome out;
    out.status = PrintStatus::Failed;
    out.sheets = sheets;
    const std::string why = dc.Error();
    out.error = why.empty() ? step : step + ": " + why;
    dc.AbortDoc();
    return out;
}

}  // namespace

PrintOutcome RunPrintJob(PrintTarget& target, const std::string& jobName, int pageCount, const DrawPageFn& drawPage)
{
    PrintOutcome out;
    if (!target.dc) {
        out.status = PrintStatus::Failed;
        out.error = target.error.empty() ? "The printer could not be opened" : target.error;
        return out;
    }
    PrintDC& dc = *target.dc;
    const std::vector<int> sheets = PageSequence(target.choice, pageCount);
    if (sheets.empty()) {
        out.status = PrintStatus::NoPageInRange;
        return out;
    }
    if (!dc.StartDoc(jobName)) return Failed(dc, "The print job could not be started", 0);
    std::unique_ptr<PrintProgress> progress = GetBackend().BeginPrintProgress(jobName);
    const int total = static_cast<int>(sheets.size());
    for (int i = 0; i <= total; ++i) {
        if (progress && !progress->Update(i, total)) {
            dc.AbortDoc();
            out.status = PrintStatus::Cancelled;
            out.sheets = i;
            return out;
        }
        if (i == total) break;
        if (!dc.StartPage()) return Failed(dc, "Page " + std::to_string(sheets[i]) + " could not be started", i);
        drawPage(dc, sheets[i]);
        if (!dc.EndPage()) return Failed(dc, "Page " + std::to_string(sheets[i]) + " could not be printed", i);
    }
    progress.reset();
    if (!dc.EndDoc()) return Failed(dc, "The print job could not be finished", total);
    out.sheets = total;
    return out;
}

// ---- what a backend without a toolkit does ----

bool Backend::PrintDialog(const PrintDialogRequest&, PrintTarget&) { return false; }

std::unique_ptr<PrintProgress> Backend::BeginPrintProgress(const std::string&) { return nullptr; }

}  // namespace platform
