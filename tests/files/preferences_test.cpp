#include "files/preferences.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "model/tables.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

const char* const kFullFile =
    "Trussforge3D Preferences\n/usr/bin/gedit\n/opt/My Viewer/view er\nfirefox\n/home/u/docs/manual.html\n"
    "100 60 36 4.500000 0.087266\n0\n";

// Saves an environment variable and puts it back afterwards.
struct EnvGuard {
    const char* name;
    const char* old = std::getenv(name);
    std::string value = old ? old : "";
    ~EnvGuard() { old ? setenv(name, value.c_str(), 1) : unsetenv(name); }
};

// The four paths, joined by '|'.
std::string Paths()
{
    return g_strTextViewerPath + "|" + g_strGraphicViewerPath + "|" + g_strBrowserPath + "|" + g_strManualPath;
}

class PreferencesTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        mkdir(program_.c_str(), 0755);
        SetPreferencesProgramFolder(program_);
    }
    void TearDown() override
    {
        SetPreferencesProgramFolder("");
        chmod(program_.c_str(), 0755);
        Tf3dTest::TearDown();
    }

    void WritePrefs(const std::string& text) { WriteBytes(program_ + "Prefs.TF3", text); }

    // Values as a start-up model may have left them.
    void SetStartValues()
    {
        g_nWorkspaceX = 30; g_nWorkspaceY = 20; g_nWorkspaceZ = 10;
        g_fLinearSpeed = 1.5f; g_fAngularSpeed = 0.5f; g_bSoundOn = 1;
        g_strTextViewerPath = "t"; g_strGraphicViewerPath = "g"; g_strBrowserPath = "b"; g_strManualPath = "m";
    }

    EnvGuard xdg_{"XDG_CONFIG_HOME"}, home_{"HOME"};
    TempFolder root_{"tf3d_prefs"};
    std::string program_ = root_ / "bin/";
};

}  // namespace

TEST_F(PreferencesTest, FullFileSetsEverything)
{
    WritePrefs(kFullFile);
    {
        const CommaLocale comma;  // numbers are read with a point whatever the locale
        EXPECT_EQ(ReadPreferencesFile(), 1);
    }
    EXPECT_EQ(Paths(), "/usr/bin/gedit|/opt/My Viewer/view er|firefox|/home/u/docs/manual.html");
    // the workspace as the dialog takes it: at most 48 in a U.S. model; linear speed first
    EXPECT_EQ(Mismatches({{g_nWorkspaceX, 48}, {g_nWorkspaceY, 48}, {g_nWorkspaceZ, 36}, {g_fLinearSpeed, 4.5f},
                          {g_fAngularSpeed, 0.087266f}, {g_bSoundOn, 0}}), "");
    // sound only for a 1; an empty path is kept
    for (const char* sound : {"1", "2", "-1"}) {
        WritePrefs(std::string("h\na\n\nc\nd\n48 24 24 2.000000 0.174533\n") + sound);
        EXPECT_EQ(ReadPreferencesFile(), 1) << sound;
        EXPECT_EQ(g_bSoundOn, sound[0] == '1' ? 1 : 0) << sound;
        EXPECT_EQ(Paths(), "a||c|d");
    }
    // Windows line ends, numbers over several lines
    WritePrefs("h\r\nA B\r\ng\r\nb\r\nm\r\n 50\t25\n26\r\n  3 0.2 \r\n1\r\n");
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(Paths(), "A B|g|b|m");
    EXPECT_EQ(Mismatches({{g_nWorkspaceZ, 26}, {g_fLinearSpeed, 3}, {g_fAngularSpeed, 0.2f}, {g_bSoundOn, 1}}), "");
    // earlier versions' Windows defaults give way to the desktop's opener, the graphic viewer's
    // to none chosen; the manual stays
    WritePrefs("h\nwordpad.exe\nPBRUSH.EXE\nIexplorer.exe\nwordpad.exe\n48 24 24 2 0.2\n1\n");
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(Paths(), "xdg-open||xdg-open|wordpad.exe");
}

TEST_F(PreferencesTest, MissingOrTruncatedFileKeepsWhatIsMissing)
{
    // no file at all sets the speeds and the workspace only
    SetStartValues();
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(Mismatches({{g_nWorkspaceX, 48}, {g_nWorkspaceY, 24}, {g_nWorkspaceZ, 24}, {g_fLinearSpeed, 2},
                          {g_fAngularSpeed, 0.174533f}, {g_bSoundOn, 1}}), "");
    EXPECT_EQ(Paths(), "t|g|b|m");
    // a FIFO in its place reads as no file, without waiting for a writer
    SetStartValues();
    ASSERT_EQ(mkfifo(PreferencesFilePath().c_str(), 0600), 0);
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(Paths(), "t|g|b|m");
    unlink(PreferencesFilePath().c_str());
    const std::string full = kFullFile;
    size_t end = 0;
    for (size_t lines = 0; lines < 7; ++lines, end = full.find('\n', end) + 1) {
        SCOPED_TRACE("lines kept: " + std::to_string(lines));
        SetStartValues();
        WritePrefs(full.substr(0, end));
        EXPECT_EQ(ReadPreferencesFile(), 0);
        EXPECT_EQ(g_strTextViewerPath, lines > 1 ? "/usr/bin/gedit" : "t");
        EXPECT_EQ(g_strManualPath, lines > 4 ? "/home/u/docs/manual.html" : "m");
        EXPECT_EQ(Mismatches({{g_nWorkspaceX, lines > 5 ? 48 : 30}, {g_fAngularSpeed, lines > 5 ? 0.087266f : 0.5f},
                              {g_bSoundOn, 1}}), "");
    }
    // the last line needs no line end
    ASSERT_EQ(end, full.size());
    WritePrefs(full.substr(0, end - 1));
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_bSoundOn, 0);
}

TEST_F(PreferencesTest, LongLinesAndBadNumbers)
{
    // browsing may give paths beyond the dialog's 255 characters; they are kept
    const std::string longPath = "/" + std::string(299, 'p');
    WritePrefs("h\n" + longPath + "\ng\nb\nm\n48 24 24 2 0.1 1\n");
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_strTextViewerPath, longPath);
    // an absurd line keeps its path and does not shift the lines after it
    SetStartValues();
    WritePrefs("h\nt2\n" + std::string(1 << 20, 'x') + "\nb2\nm2\n40 20 20 2 0.1 0\n");
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(Paths(), "t2|g|b2|m2");
    EXPECT_EQ(Mismatches({{g_nWorkspaceX, 40}, {g_bSoundOn, 0}}), "");
    // so does a header without a line end
    SetStartValues();
    WritePrefs(std::string(1 << 20, 'h'));
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(Paths(), "t|g|b|m");
    EXPECT_EQ(g_nWorkspaceX, 30);
    // a malformed number stops reading; a speed that is not finite keeps the start value and reading
    // goes on; the rest is brought within what the Preferences dialog takes (workspace 12 to 48 in a
    // U.S. model, 120 in a metric one; linear speed 0 to 72 in or cm; angular 0.01 to 360 degrees
    // or radians)
    const float degree = static_cast<float>(0.01 / 57.29578f), turn = static_cast<float>(360 / 57.29578f);
    struct Case { std::string numbers; int result; short x, y, z; float linear, angular; int sound; int metric = 0; };
    const Case cases[] = {
        {"abc 24 24 2 0.1 0", 0, 30, 20, 10, 1.5f, 0.5f, 1},
        {"40 2,5 24 2 0.1 0", 0, 40, 20, 10, 1.5f, 0.5f, 1},
        {"40 25 24 2,5 0.1 0", 0, 40, 25, 24, 1.5f, 0.5f, 1},
        {"40 25 24 nan 0.1 0", 0, 40, 25, 24, 1.5f, 0.5f, 1},
        {"40 25 24 2 0.1 on", 0, 40, 25, 24, 2.0f, 0.1f, 1},
        {"99999999999 25 24 2 0.1 0", 0, 30, 20, 10, 1.5f, 0.5f, 1},
        {"40 " + std::string(100000, '9') + " 24 2 0.1 0", 0, 40, 20, 10, 1.5f, 0.5f, 1},
        {"0 -24 40000 2 0.1 0", 1, 12, 12, 48, 2.0f, 0.1f, 0},
        {"12 1 32767 1e39 -1e39 0", 0, 12, 12, 48, 1.5f, 0.5f, 0},
        {"+200 150 12 0 -0.1 0", 1, 48, 48, 12, 0.0f, degree, 0},
        {"5000 5000 5000 1e30 1e30 1", 1, 48, 48, 48, 72, turn, 1},
        {"5000 100 11 1e30 1e-9 1", 1, 120, 100, 12, static_cast<float>(72 / 2.54f), 0.01f, 1, 1},
    };
    for (const Case& c : cases) {
        SetStartValues();
        SetMetricUnits(c.metric);
        WritePrefs("h\na\nb\nc\nd\n" + c.numbers + "\n");
        const int result = ReadPreferencesFile();
        EXPECT_EQ(Mismatches({{result, c.result}, {g_nWorkspaceX, c.x}, {g_nWorkspaceY, c.y},
                              {g_nWorkspaceZ, c.z}, {g_fLinearSpeed, c.linear}, {g_fAngularSpeed, c.angular},
                              {g_bSoundOn, c.sound}}), "")
            << c.numbers.substr(0, 30);
        EXPECT_EQ(g_strManualPath, "d");
    }
}

TEST_F(PreferencesTest, RandomBytesLeaveUsableValues)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text = round % 2 ? std::string(kFullFile) : std::string(rng() % 400, '\0');
        for (int k = 0; round % 2 && k < 4; ++k) text[rng() % text.size()] = static_cast<char>(rng() % 256);
        if (round % 2 == 0)
            for (char& c : text) c = static_cast<char>(rng() % 256);
        SetStartValues();
        WritePrefs(text);
        ReadPreferencesFile();
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_TRUE(g_nWorkspaceX >= 1 && g_nWorkspaceY >= 1 && g_nWorkspaceZ >= 1);
        EXPECT_TRUE(std::isfinite(g_fLinearSpeed) && std::isfinite(g_fAngularSpeed));
        EXPECT_TRUE(g_bSoundOn == 0 || g_bSoundOn == 1);
        EXPECT_EQ(g_strTextViewerPath.find('\0'), std::string::npos);
    }
}

TEST_F(PreferencesTest, PathInTheProgramFolderOrElseInTheConfigFolder)
{
    EXPECT_EQ(PreferencesFilePath(), program_ + "Prefs.TF3");
    SetPreferencesProgramFolder(root_ / "bin");  // without the trailing slash
    EXPECT_EQ(PreferencesFilePath(), program_ + "Prefs.TF3");
    SetPreferencesProgramFolder(root_ / "not/there/");
    setenv("XDG_CONFIG_HOME", (root_ / "cfg").c_str(), 1);
    EXPECT_EQ(PreferencesFilePath(), root_ / "cfg/trussforge3d/Prefs.TF3");
    // the reader looks there too
    SetStartValues();
    EXPECT_EQ(ReadPreferencesFile(), 0);  // nothing there yet
    EXPECT_EQ(g_nWorkspaceX, 48);
    ASSERT_TRUE(MakePreferencesFolder());
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "cfg/trussforge3d"));
    EXPECT_TRUE(MakePreferencesFolder());  // already there
    WriteBytes(PreferencesFilePath(), kFullFile);
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_nWorkspaceX, 48);
    // XDG_CONFIG_HOME unset, relative or empty: the home folder's
    const std::string home = root_ / "home/.config/trussforge3d/Prefs.TF3";
    setenv("HOME", (root_ / "home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PreferencesFilePath(), home);
    for (const char* xdg : {"relative/cfg", ""}) {
        setenv("XDG_CONFIG_HOME", xdg, 1);
        EXPECT_EQ(PreferencesFilePath(), home) << xdg;
    }
    if (geteuid() != 0) {  // root writes anywhere
        SetPreferencesProgramFolder(program_);
        chmod(program_.c_str(), 0555);
        EXPECT_EQ(PreferencesFilePath(), home);
    }
    // without an override the running program's own folder is used
    SetPreferencesProgramFolder("");
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    std::string folder(exe, static_cast<size_t>(n));
    folder.erase(folder.rfind('/') + 1);
    if (access(folder.c_str(), W_OK) == 0) {
        EXPECT_EQ(PreferencesFilePath(), folder + "Prefs.TF3");
    }
}
