#include "printing/picture_print.h"

#include <unistd.h>

#include <vector>

#include "tests/common/pdf_tools.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

using platform::Event;

// The screen picture on Letter: as large as the sheet less half an inch on
// every side allows, centred, its top row at the top; its top-left quarter
// is black, the rest white.
TEST_F(Tf3dTest, ScreenPicturePrintsCentredWithinHalfInchMarginsTopRowUp)
{
    TempFolder dir("picture_print");
    const std::string pdf = dir / "picture.pdf";
    const struct {
        int width, height;
        double left, top, w, h;  // where the picture lies on the sheet, points
    } cases[] = {
        {200, 100, 36, 261, 540, 270},  // a wide picture fills the width
        {100, 400, 216, 36, 180, 720},  // a tall one the height
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        std::vector<unsigned char> rgb(static_cast<size_t>(c.width) * c.height * 3, 255);
        for (int y = 0; y < c.height / 2; ++y)
            for (int x = 0; x < c.width / 2; ++x)
                for (int k = 0; k < 3; ++k) rgb[(static_cast<size_t>(y) * c.width + x) * 3 + k] = 0;
        unlink(pdf.c_str());
        backend.ScriptPrintToPdf(pdf);
        PrintPicture("bridge.3dd", rgb.data(), c.width, c.height);
        const PdfInfo info = ReadPdfInfo(pdf);
        ASSERT_EQ(info.pages, 1);
        EXPECT_EQ(info.title, "bridge.3dd");
        EXPECT_NEAR(info.widthPt, 612, 0.01);
        EXPECT_NEAR(info.heightPt, 792, 0.01);
        const PdfRaster r = RasterisePdfPage(pdf, 1, 144);
        int left = 0, top = 0, right = 0, bottom = 0;
        ASSERT_TRUE(r.DarkBox(0, 0, r.width - 1, r.height - 1, &left, &top, &right, &bottom));
        EXPECT_NEAR(left / 2.0, c.left, 1);
        EXPECT_NEAR(top / 2.0, c.top, 1);
        EXPECT_NEAR((right + 1) / 2.0, c.left + c.w / 2, 1);
        EXPECT_NEAR((bottom + 1) / 2.0, c.top + c.h / 2, 1);
    }
    // No picture: no dialog. A failed job is told.
    PrintPicture("bridge.3dd", nullptr, 10, 10);
    EXPECT_EQ(backend.Count(Event::PrintDialog), 2);
    backend.ScriptPrintToPdf(dir / "no/such/folder.pdf");
    const unsigned char grey[3] = {128, 128, 128};
    PrintPicture("bridge.3dd", grey, 1, 1);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.Boxes().back().text.rfind("Printing failed.\n", 0), 0u) << backend.Boxes().back().text;
}
