#include "printing/picture_print.h"

#include <algorithm>

#include "platform/platform.h"
#include "platform/print_device.h"
#include "printing/plane_print.h"

namespace {

constexpr double kMarginPt = 36;  // half an inch kept free on every side

}  // namespace

void PrintPicture(const std::string& jobName, const unsigned char* rgb, int width, int height)
{
    if (!rgb || width < 1 || height < 1) return;
    platform::PrintDialogRequest request;
    request.jobName = jobName;
    platform::PrintTarget target;
    if (!platform::PrintDialog(request, target)) return;
    const platform::PrintOutcome outcome = platform::RunPrintJob(target, jobName, 1, [&](platform::PrintDC& dc, int) {
        dc.SetMapMode(platform::MapMode::LoEnglish);
        dc.SetWindowOrg(0, 0);
        const platform::SheetGeometry sheet = dc.Sheet();
        const double s = dc.PointsPerUnit();
        const double roomW = std::max(1.0, sheet.printableWidth - 2 * kMarginPt);
        const double roomH = std::max(1.0, sheet.printableHeight - 2 * kMarginPt);
        const double scale = std::min(roomW / width, roomH / height);  // points per pixel
        const double w = width * scale, h = height * scale;
        const double left = (sheet.printableWidth - w) / 2, top = (sheet.printableHeight - h) / 2;
        // Device points from the printable area's corner to logical units (y up).
        dc.DrawImage(rgb, width, height, static_cast<int>(left / s), static_cast<int>(-top / s),
                     static_cast<int>((left + w) / s), static_cast<int>(-(top + h) / s));
    });
    ReportPrintOutcome(outcome, 1);
}
