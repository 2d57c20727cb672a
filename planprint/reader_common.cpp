#include "planprint/reader_common.h"

#include <cmath>

#include "planprint/program.h"
#include "platform/platform.h"
#include "platform/safe_file.h"

int RefuseModelFile(const std::string& message)
{
    platform::MessageBox(message, kPlanprintTitle, platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION);
    return 0;
}

std::string RefusalText(const char* titleMessage, const std::string& reason)
{
    return std::string(titleMessage) + "\n" + reason;
}

namespace {

bool Printable(float value) { return std::fabs(value) <= kMaxPrintableLength; }  // false for NaN

std::string BoundsText()
{
    const long limit = static_cast<long>(kMaxPrintableLength);
    return "between " + std::to_string(-limit) + " and " + std::to_string(limit) + ".";
}

}  // namespace

std::string FarJointText(int row, float x, float y, float z)
{
    if (Printable(x) && Printable(y) && Printable(z)) return "";
    return "Joint " + std::to_string(row) + " lies too far out to be printed: its coordinates must lie " + BoundsText();
}

std::string LargeShapeText(int row, float height)
{
    if (Printable(height)) return "";
    return "Shape " + std::to_string(row) + " is too large to be printed: its height must lie " + BoundsText();
}

bool ReadModelFileText(const std::string& path, std::string& text)
{
    if (platform::ReadRegularFile(path, kMaxModelFileBytes, text)) return true;
    platform::MessageBox("The model file could not be read:\n" + path + "\n" + platform::UnreadableFileReason(path, kMaxModelFileBytes),
                         kPlanprintTitle, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    return false;
}
