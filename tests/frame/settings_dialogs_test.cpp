#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/preferences.h"
#include "frame/command_ids.h"
#include "frame/dialog_ids.h"
#include "frame/file_commands.h"
#include "frame/preferences_editor.h"
#include "frame/settings_dialogs.h"
#include "model/tables.h"
#include "platform/safe_file.h"
#include "state/frame_globals.h"
#include "state/manual_path.h"
#include "state/view_globals.h"
#include "tests/common/save_faults.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"
#include "tests/frame/fake_controls.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;

class SettingsDialogsTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        dir = fs::temp_directory_path() / ("tf3d_settings_dialogs_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        SetPreferencesProgramFolder(dir.string());
    }
    void TearDown() override
    {
        SetPreferencesProgramFolder("");
        fs::remove_all(dir);
        Tf3dTest::TearDown();
    }
    FakeControls c;
    fs::path dir;
};

TEST_F(SettingsDialogsTest, LoadDialogsConvertAndCheckTheirRanges)
{
    // Axle loads: kilograms on screen in a metric model, newtons in the globals.
    SetMetricUnits(1);
    g_fFrontAxleLoad = 15.574081f, g_fRearAxleLoad = 31.148163f;
    AxleLoadsEditor axles(c);
    axles.Init();
    EXPECT_EQ(c.Text(IDC_AXLE_FRONT_LABEL), "Front Axle Load (kg):");
    EXPECT_EQ(c.Text(IDC_AXLE_REAR_LABEL), "Rear Axle Load (kg):");
    EXPECT_NEAR(c.Number(IDC_AXLE_FRONT), 1.5876, 1e-4);
    EXPECT_NEAR(c.Number(IDC_AXLE_REAR), 3.1751, 1e-4);
    c.SetText(IDC_AXLE_FRONT, "2");
    ASSERT_TRUE(axles.Ok());
    EXPECT_FLOAT_EQ(g_fFrontAxleLoad, 19.62f);
    c.SetText(IDC_AXLE_FRONT, "501");
    EXPECT_FALSE(axles.Ok());
    EXPECT_FLOAT_EQ(g_fFrontAxleLoad, 19.62f);
    axles.Default();
    EXPECT_TRUE(g_fFrontAxleLoad == 15.574081f && c.Text(IDC_AXLE_REAR) == "3.175144");
    // OK without an edit keeps the newtons: kilograms do not convert back exactly.
    g_fFrontAxleLoad = g_fRearAxleLoad = 30.02f;
    axles.Init();
    ASSERT_TRUE(axles.Ok());
    EXPECT_EQ(g_fFrontAxleLoad, 30.02f);
    EXPECT_EQ(g_fRearAxleLoad, 30.02f);

    // Tower defaults keep the wind speed in either unit system.
    g_fWindSpeed = 60;
    TowerDefaultsEditor tower(c);
    tower.Init();
    EXPECT_EQ(c.Text(IDC_TOWER_WIND_LABEL), "Wind Speed (kph)");
    c.SetChecked(IDC_TOWER_EMPTY_TANK, true);
    ASSERT_TRUE(tower.Ok());
    EXPECT_TRUE(g_fWindSpeed == 60 && g_bEmptyTank == 1 && g_bReverseWind == 0);
    c.SetText(IDC_TOWER_WIND, "400.5");
    EXPECT_FALSE(tower.Ok());

    // Default forces: any number; the translated boxes flip on click.
    DefaultForcesEditor forces(c);
    forces.Init();
    EXPECT_EQ(c.Text(IDC_FORCE_Y_LABEL), "Magnitude (Newtons)");
    forces.TranslatedClicked(0);
    c.SetText(IDC_FORCE_Z, "-25000");
    ASSERT_TRUE(forces.Ok());
    EXPECT_TRUE(g_bDefaultForceXTranslated == 1 && g_fDefaultForceZ == -25000 && g_fDefaultForceY == 1);

    IntensityEditor light(c, 40);
    light.Init();
    EXPECT_EQ(c.Text(IDC_INTENSITY_LABEL), "40 ");
    c.SetSliderPos(IDC_INTENSITY_SLIDER, 70);
    light.Moved();
    light.Ok();
    EXPECT_TRUE(c.Text(IDC_INTENSITY_LABEL) == "70 " && light.Percent() == 70);

    g_bPfdTypeRgba = 1, g_nPfdColorBits = 24, g_bPfdDoubleBuffer = 1;
    PixelFormatViewer pfd(c);
    pfd.Init();
    EXPECT_TRUE(c.Checked(IDC_PFD_RGBA) && !c.Checked(IDC_PFD_COLOR_INDEX) && c.Checked(IDC_PFD_DOUBLEBUFFER));
    EXPECT_EQ(c.Text(IDC_PFD_COLOR_BITS), "24");
    c.SetText(IDC_PFD_COLOR_BITS, "3");
    EXPECT_FALSE(pfd.Ok());
    EXPECT_EQ(backend.Boxes().back().text, "Please enter an integer between 4 and 32.");
}

TEST_F(SettingsDialogsTest, PreferencesUnitsLimitsAndTheirFile)
{
    const struct {
        int metric;
        const char* angular;  // shown for 0.174533 rad
        const char* linear;   // shown for 2 in
        short stored;         // Xmax 150 becomes
    } units[] = {{0, "10", "2", 48}, {1, "0.174533", "5.08", 120}};
    for (const auto& u : units) {
        SetMetricUnits(u.metric);
        PreferencesEditor e(c);
        e.Init();
        EXPECT_EQ(c.Text(IDC_PREF_ANGULAR), u.angular);
        EXPECT_EQ(c.Text(IDC_PREF_LINEAR), u.linear);
        EXPECT_EQ(c.Text(IDC_PREF_XMAX_LABEL), u.metric ? "Xmax (cm)" : "");
        c.SetText(IDC_PREF_XMAX, "150");
        g_bListXYBasePlaneBuilt = 1;
        ASSERT_TRUE(e.Ok());
        EXPECT_EQ(g_nWorkspaceX, u.stored);
        EXPECT_EQ(g_bListXYBasePlaneBuilt, 0);
        c.SetText(IDC_PREF_ZMAX, "11");
        EXPECT_FALSE(e.Ok());
        EXPECT_EQ(c.focus, IDC_PREF_ZMAX);
    }
    // Speeds left as shown keep their value in either unit system, although
    // centimetres and degrees do not convert back exactly.
    for (int metric : {0, 1}) {
        SetMetricUnits(metric);
        int changed = 0;
        for (int k = 1; k <= 2800; ++k) {
            const float linear = k * 0.01f, angular = 0.01f + k * 0.002f;
            g_fLinearSpeed = linear, g_fAngularSpeed = angular;
            PreferencesEditor e(c);
            e.Init();
            ASSERT_TRUE(e.Ok()) << linear << " " << angular;
            changed += g_fLinearSpeed != linear || g_fAngularSpeed != angular;
        }
        EXPECT_EQ(changed, 0) << (metric ? "metric" : "U.S.");
    }
    SetMetricUnits(0);
    // Default acts at once, Cancel keeps it; Save writes what the reader reads.
    PreferencesEditor e(c);
    e.Init();
    g_nWorkspaceY = 30;
    e.Default();
    e.Cancel();
    EXPECT_TRUE(g_nWorkspaceY == 24 && g_strGraphicViewerPath.empty() && g_fAngularSpeed == 0.174533f);
    EXPECT_EQ(g_strManualPath, DefaultManualPath());
    c.SetText(IDC_PREF_TEXT_VIEWER, "/usr/bin/gedit");
    e.Save();
    const auto lines = CrlfLines(PreferencesFilePath());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Trussforge3D Preferences");
    EXPECT_EQ(lines[1], "/usr/bin/gedit");
    EXPECT_EQ(lines[5], "48 24 24 2.000000 0.174533");
    EXPECT_EQ(lines[6], "1");
    g_strTextViewerPath = "other";
    g_nWorkspaceX = 30;
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_TRUE(g_strTextViewerPath == "/usr/bin/gedit" && g_nWorkspaceX == 48);
}

TEST_F(SettingsDialogsTest, PreferencesBrowseSoundSaveFailureAndNoPrefs)
{
    PreferencesEditor e(c);
    e.Init();
    c.SetText(IDC_PREF_BROWSER, "typed by hand");
    backend.ScriptFiles({"/opt/docs/manual.pdf"});
    e.Browse(3);
    EXPECT_EQ(backend.fileRequests.back().filter, "Adobe pdf File (*.pdf)|*.pdf|All Files (*.*)|*.*||");
    EXPECT_EQ(g_strManualPath, "/opt/docs/manual.pdf");
    EXPECT_EQ(c.Text(IDC_PREF_MANUAL), "/opt/docs/manual.pdf");
    EXPECT_EQ(c.Text(IDC_PREF_BROWSER), "typed by hand");  // kept
    backend.ScriptFiles({"/usr/bin/gimp"});
    e.Browse(1);  // programs have no extension here: every file is listed
    EXPECT_EQ(backend.fileRequests.back().filter, "All Files (*.*)|*.*||");
    EXPECT_EQ(g_strGraphicViewerPath, "/usr/bin/gimp");

    c.SetChecked(IDC_PREF_SOUND_ON, false);
    e.SoundOn();  // was on: off at once
    EXPECT_EQ(g_bSoundOn, 0);
    e.SoundOn();
    EXPECT_TRUE(g_bSoundOn == 1 && c.Checked(IDC_PREF_SOUND_ON));
    EXPECT_EQ(backend.Sounds().back().text, "IDR_WAVE_WRENCH");

    // A file that cannot be written is reported.
    fs::create_directories(dir / "Prefs.TF3");
    backend.Clear();
    e.Save();
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text.rfind("The preferences could not be saved to\n" + PreferencesFilePath(), 0), 0u);
    fs::remove_all(dir / "Prefs.TF3");
    // Written in place (a second link) and its old text not put back: it may be damaged.
    WriteBytes(PreferencesFilePath(), "old");
    fs::create_hard_link(PreferencesFilePath(), dir / "link");
    backend.Clear();
    {
        SaveFaults faults{{SaveCall::Close, 1}, {SaveCall::Write, 2}};
        e.Save();
    }
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, platform::MayBeDamagedText(PreferencesFilePath()));
    fs::remove(dir / "link"), fs::remove(PreferencesFilePath());

    // Started with "nprefs": Save is disabled and writes nothing.
    g_bPrefsSaveAllowed = 0;
    PreferencesEditor locked(c);
    locked.Init();
    EXPECT_FALSE(c.c[IDC_PREF_SAVE].enabled);
    locked.Save();
    EXPECT_FALSE(fs::exists(PreferencesFilePath()));
}

// Preferences and Analysis/Launch Graphic Viewer agree: with no graphic
// program chosen the field is empty and the launch says so; a program of the
// user's own is kept and started, also when the preferences cannot be saved.
TEST_F(SettingsDialogsTest, GraphicViewerShownAsLaunchSeesIt)
{
    const std::string none = "No graphic program has been chosen.\nChoose one as the Graphic Viewer in Edit/Preferences.";
    auto launch = [&] {
        backend.Clear();
        RunFrameCommand(ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER);
        for (const auto& e : backend.events)
            if (e.kind == Event::ShellOpen) return "started " + e.text;
        return backend.Boxes().empty() ? std::string("nothing") : backend.Boxes()[0].text;
    };
    // Earlier versions' files: their defaults, the Windows one or the desktop's opener, mean none.
    const struct {
        const char* args;
        const char* line3;
        const char* shown;
    } cases[] = {{"", nullptr, ""},           {"nprefs", "xdg-open", ""},  {"", "PBRUSH.EXE", ""},
                 {"", "/usr/bin/xdg-open", ""}, {"nprefs", "/usr/bin/gimp", "/usr/bin/gimp"}};
    for (const auto& k : cases) {
        ResetAllGlobals();
        ApplyCommandLine(ParseCommandLine({k.args}));
        fs::remove(PreferencesFilePath());
        if (k.line3) WriteBytes(PreferencesFilePath(), std::string("h\nxdg-open\n") + k.line3 + "\nxdg-open\nm\n48 24 24 2 0.2\n1\n");
        ReadPreferencesFile();
        PreferencesEditor e(c);
        e.Init();
        EXPECT_EQ(c.Text(IDC_PREF_GRAPHIC_VIEWER), k.shown) << k.line3;
        EXPECT_EQ(launch(), *k.shown ? "started " + std::string(k.shown) : none) << k.line3;
        // Chosen in the dialog and taken with OK: started, for this run.
        c.SetText(IDC_PREF_GRAPHIC_VIEWER, "/opt/paint/paint");
        ASSERT_TRUE(e.Ok());
        EXPECT_EQ(launch(), "started /opt/paint/paint") << k.line3;
        c.SetText(IDC_PREF_GRAPHIC_VIEWER, " ");
        ASSERT_TRUE(e.Ok());
        EXPECT_EQ(launch(), none) << k.line3;
        e.Default();
        EXPECT_EQ(c.Text(IDC_PREF_GRAPHIC_VIEWER), "");
    }
}

}  // namespace
