// The tile settings kept between runs.
#include "planprint/frame_commands.h"
#include "planprint_test.h"

namespace {

std::string Stored(platform::TestBackend& b, const char* name)
{
    return b.ReadSetting(kSettingsSection, name, "<none>");
}

}  // namespace

using SettingsTest = PlanprintTest;

TEST_F(SettingsTest, FirstRunDefaultsAndTheirStoredForm)
{
    g_nCols = 7;
    ReadSettings();
    EXPECT_TRUE(g_nCols == 1 && g_nRows == 1 && g_fPrintablePageW == 7.5f && g_fPrintablePageH == 10 &&
                g_fGuidePlaneX == 7.5f && g_fGuidePlaneY == 10 && g_nPageOrient == kPortrait &&
                g_nPaperSize == kPaperLetter && g_bPrintMemberNumbers == 1 && g_bPrintFileName == 1 &&
                g_bEnglishUnits == 1 && g_bSIUnits == 0 && g_bModeDetail == 1 && g_bModeDesign == 0);
    WriteSettings();
    const std::pair<const char*, const char*> stored[] = {
        {"Cols", "1"},        {"Rows", "1"},       {"PrintablePageW", "75"},           {"PrintablePageH", "100"},
        {"GuidePlaneX", "75"}, {"GuidePlaneY", "100"}, {"PageOrient", "1"},           {"PaperSize", "1"},
        {"PrintMemberNumbersOnTiles", "1"}, {"PrintFileNameOnTiles", "1"}, {"EnglishUnits", "1"},
    };
    for (const auto& s : stored) EXPECT_EQ(Stored(backend, s.first), s.second) << s.first;
    EXPECT_EQ(backend.settings.size(), 11u);
    EXPECT_EQ(backend.settingsSaves, 1);
    backend.settingsSaveResult = platform::SaveResult::MayBeDamaged;
    WriteSettings();
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, platform::MayBeDamagedText("/test/settings.conf"));
    EXPECT_EQ(backend.Boxes()[0].caption, "Planprint");
}

TEST_F(SettingsTest, RoundTripInTheUnitTheyWereWrittenIn)
{
    // An import's layout and a tile setup survive a restart.
    ASSERT_EQ(g_pModel->Read3dFile(Example("metric_truss.3dd")), 1);
    g_bPrintFileName = 0;
    EndPlanprintState();
    StartPlanprintState();
    EXPECT_TRUE(g_nCols == 2 && g_nRows == 1 && g_nPageOrient == kLandscape && g_bSIUnits && !g_bPrintFileName &&
                g_bPrintMemberNumbers);
    // Tenths, truncated: 19.05 cm (just below in single precision) is stored
    // as 190 and read back as 19.0; 25.4 and 50.8 likewise lose a tenth.
    EXPECT_TRUE(Stored(backend, "PrintablePageW") == "190" && Stored(backend, "PrintablePageH") == "253" &&
                Stored(backend, "GuidePlaneX") == "507");
    EXPECT_FLOAT_EQ(g_fPrintablePageW, 19.0f);
    EXPECT_FLOAT_EQ(g_fGuidePlaneX, 50.7f);
    EXPECT_EQ(Stored(backend, "EnglishUnits"), "0");
    EXPECT_EQ(g_pModel->nJoints, 0);  // the model is not kept
}

// All eleven set apart from each other survive a restart, each into its own
// global; the three flags take both values and differ pairwise in some round.
TEST_F(SettingsTest, EveryValueComesBackFromItsOwnKey)
{
    struct Round {
        int cols, rows;
        float pageW, pageH, guideX, guideY;
        int orient, paper, numbers, fileName, english;
    };
    const Round rounds[] = {
        {4, 6, 6.5f, 11, 26, 44.5f, kLandscape, kPaperTabloid, 0, 1, 1},
        {7, 9, 8, 12.5f, 40, 62.5f, kPortrait, kPaperLegal, 1, 0, 1},
        {8, 10, 19, 25.5f, 95, 127.5f, kLandscape, kPaperLetter, 1, 1, 0},
    };
    for (const Round& r : rounds) {
        SCOPED_TRACE(r.cols);
        g_nCols = r.cols, g_nRows = r.rows;
        g_fPrintablePageW = r.pageW, g_fPrintablePageH = r.pageH;
        g_fGuidePlaneX = r.guideX, g_fGuidePlaneY = r.guideY;
        g_nPageOrient = r.orient, g_nPaperSize = r.paper;
        g_bPrintMemberNumbers = r.numbers, g_bPrintFileName = r.fileName;
        SetEnglishUnits(r.english);
        EndPlanprintState();
        ResetSettingsGlobals();
        StartPlanprintState();
        EXPECT_EQ(g_nCols, r.cols);
        EXPECT_EQ(g_nRows, r.rows);
        EXPECT_EQ(g_fPrintablePageW, r.pageW);
        EXPECT_EQ(g_fPrintablePageH, r.pageH);
        EXPECT_EQ(g_fGuidePlaneX, r.guideX);
        EXPECT_EQ(g_fGuidePlaneY, r.guideY);
        EXPECT_EQ(g_nPageOrient, r.orient);
        EXPECT_EQ(g_nPaperSize, r.paper);
        EXPECT_EQ(g_bPrintMemberNumbers, r.numbers);
        EXPECT_EQ(g_bPrintFileName, r.fileName);
        EXPECT_TRUE(g_bEnglishUnits == r.english && g_bSIUnits == !r.english);
    }
}

TEST_F(SettingsTest, StoredValuesAreKeptInRange)
{
    struct Case {
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"Cols", "0"},           {"Rows", "-3"},           {"PrintablePageW", "0"},  {"PrintablePageH", "-100"},
        {"GuidePlaneX", "x"},    {"GuidePlaneY", "999999"}, {"PageOrient", "7"},     {"PaperSize", "2"},
        {"PrintMemberNumbersOnTiles", "5"}, {"PrintFileNameOnTiles", "0"},          {"EnglishUnits", "0"},
    };
    for (const Case& c : cases) backend.WriteSetting(kSettingsSection, c.name, c.value);
    ReadSettings();
    EXPECT_TRUE(g_nCols == 1 && g_nRows == 1 && g_fPrintablePageW == 7.5f && g_fPrintablePageH == 10 &&
                g_fGuidePlaneX == 7.5f && g_fGuidePlaneY == 10 && g_nPageOrient == kPortrait &&
                g_nPaperSize == kPaperLetter && g_bPrintMemberNumbers == 1 && g_bPrintFileName == 0 && g_bSIUnits);
    backend.WriteSetting(kSettingsSection, "Cols", "25");
    backend.WriteSetting(kSettingsSection, "PrintablePageW", "191");
    backend.WriteSetting(kSettingsSection, "PaperSize", "5");
    backend.WriteSetting(kSettingsSection, "PageOrient", "2");
    ReadSettings();
    EXPECT_TRUE(g_nCols == 10 && g_nPaperSize == kPaperLegal && g_nPageOrient == kLandscape);
    EXPECT_FLOAT_EQ(g_fPrintablePageW, 19.1f);
}

TEST_F(SettingsTest, ASettingsFileThatCouldNotBeReadIsNotSavedOver)
{
    backend.settingsReadFailure = "read failed: Input/output error";
    ReadSettings();
    EXPECT_TRUE(g_nCols == 1 && g_fPrintablePageW == 7.5f);  // the defaults, for this run only
    g_nCols = 3;
    WriteSettings();
    EXPECT_EQ(backend.settingsSaves, 0);
    EXPECT_TRUE(backend.Boxes().empty());  // told at start, not at exit
}
