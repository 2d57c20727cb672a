#include "files/preferences.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "frame/frame_globals.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

const char* const kFullFile =
    "Trussforge3D Preferences\n"
    "/usr/bin/gedit\n"
    "/opt/My Viewer/view er\n"
    "firefox\n"
    "/home/u/docs/manual.html\n"
    "100 60 36 4.500000 0.087266\n"
    "0\n";

// Saves an environment variable and puts it back afterwards.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name)
    {
        const char* v = std::getenv(name);
        had_ = v != nullptr;
        if (had_) value_ = v;
    }
    ~EnvGuard()
    {
        if (had_) setenv(name_, value_.c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string value_;
};

class PreferencesTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        root_ = MakeTempDir();
        program_ = root_ + "/bin/";
        mkdir(program_.c_str(), 0755);
        SetPreferencesProgramFolder(program_);
    }
    void TearDown() override
    {
        SetPreferencesProgramFolder("");
        chmod(program_.c_str(), 0755);
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
        Tf3dTest::TearDown();
    }

    static std::string MakeTempDir()
    {
        std::string pattern = ::testing::TempDir() + "prefs_XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        EXPECT_NE(mkdtemp(buf.data()), nullptr);
        return buf.data();
    }

    void WritePrefs(const std::string& text)
    {
        std::ofstream(program_ + "Prefs.TF3", std::ios::binary) << text;
    }

    // Values as a start-up model may have left them.
    void SetStartValues()
    {
        g_nWorkspaceX = 30;
        g_nWorkspaceY = 20;
        g_nWorkspaceZ = 10;
        g_fLinearSpeed = 1.5f;
        g_fAngularSpeed = 0.5f;
        g_bSoundOn = 1;
        g_strTextViewerPath = "t";
        g_strGraphicViewerPath = "g";
        g_strBrowserPath = "b";
        g_strManualPath = "m";
    }

    EnvGuard xdg_{"XDG_CONFIG_HOME"};
    EnvGuard home_{"HOME"};
    std::string root_;
    std::string program_;
};

}  // namespace

// ---- reading ----

TEST_F(PreferencesTest, FullFileSetsEverything)
{
    WritePrefs(kFullFile);
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_strTextViewerPath, "/usr/bin/gedit");
    EXPECT_EQ(g_strGraphicViewerPath, "/opt/My Viewer/view er");
    EXPECT_EQ(g_strBrowserPath, "firefox");
    EXPECT_EQ(g_strManualPath, "/home/u/docs/manual.html");
    // Taken as read: no clamping to the dialog's 48 or 120.
    EXPECT_EQ(g_nWorkspaceX, 100);
    EXPECT_EQ(g_nWorkspaceY, 60);
    EXPECT_EQ(g_nWorkspaceZ, 36);
    EXPECT_EQ(g_fLinearSpeed, 4.5f);  // linear first
    EXPECT_EQ(g_fAngularSpeed, 0.087266f);
    EXPECT_EQ(g_bSoundOn, 0);
}

TEST_F(PreferencesTest, SoundOnlyForOneAndEmptyPathKept)
{
    for (const char* sound : {"1", "2", "-1", "0"}) {
        SCOPED_TRACE(sound);
        g_bSoundOn = 7;
        WritePrefs(std::string("h\na\n\nc\nd\n48 24 24 2.000000 0.174533\n") + sound);
        EXPECT_EQ(ReadPreferencesFile(), 1);
        EXPECT_EQ(g_bSoundOn, sound[0] == '1' ? 1 : 0);
        EXPECT_EQ(g_strGraphicViewerPath, "");
        EXPECT_EQ(g_strBrowserPath, "c");
    }
}

TEST_F(PreferencesTest, MissingFileSetsSpeedsAndWorkspaceOnly)
{
    SetStartValues();
    g_bSoundOn = 0;
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(g_nWorkspaceX, 48);
    EXPECT_EQ(g_nWorkspaceY, 24);
    EXPECT_EQ(g_nWorkspaceZ, 24);
    EXPECT_EQ(g_fLinearSpeed, 2.0f);
    EXPECT_EQ(g_fAngularSpeed, 0.174533f);
    EXPECT_EQ(g_bSoundOn, 0);
    EXPECT_EQ(g_strTextViewerPath, "t");
    EXPECT_EQ(g_strManualPath, "m");
}

TEST_F(PreferencesTest, WindowsLineEndsAndNumbersOverSeveralLines)
{
    WritePrefs("h\r\nA B\r\ng\r\nb\r\nm\r\n 50\t25\n26\r\n  3 0.2 \r\n1\r\n");
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_strTextViewerPath, "A B");
    EXPECT_EQ(g_strManualPath, "m");
    EXPECT_EQ(g_nWorkspaceZ, 26);
    EXPECT_EQ(g_fLinearSpeed, 3.0f);
    EXPECT_EQ(g_fAngularSpeed, 0.2f);
    EXPECT_EQ(g_bSoundOn, 1);
}

TEST_F(PreferencesTest, NumbersReadWithAPointInACommaLocale)
{
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) { comma = name; break; }
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
    WritePrefs(kFullFile);
    const int result = ReadPreferencesFile();
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(g_fLinearSpeed, 4.5f);
}

// ---- damaged files ----

TEST_F(PreferencesTest, TruncatedAtEveryLineKeepsWhatIsMissing)
{
    const std::string full = kFullFile;
    std::vector<size_t> ends;
    for (size_t p = full.find('\n'); p != std::string::npos; p = full.find('\n', p + 1))
        ends.push_back(p + 1);
    ASSERT_EQ(ends.size(), 7u);
    for (size_t lines = 0; lines < 7; ++lines) {
        SCOPED_TRACE("lines kept: " + std::to_string(lines));
        SetStartValues();
        WritePrefs(full.substr(0, lines ? ends[lines - 1] : 0));
        EXPECT_EQ(ReadPreferencesFile(), 0);
        EXPECT_EQ(g_strTextViewerPath, lines > 1 ? "/usr/bin/gedit" : "t");
        EXPECT_EQ(g_strManualPath, lines > 4 ? "/home/u/docs/manual.html" : "m");
        EXPECT_EQ(g_nWorkspaceX, lines > 5 ? 100 : 30);
        EXPECT_EQ(g_fAngularSpeed, lines > 5 ? 0.087266f : 0.5f);
        EXPECT_EQ(g_bSoundOn, 1);
    }
    // The last line needs no line end.
    WritePrefs(full.substr(0, full.size() - 1));
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_bSoundOn, 0);
}

TEST_F(PreferencesTest, LongPathLines)
{
    // Browsing may give paths beyond the dialog's 255 characters; they are kept.
    const std::string longPath = "/" + std::string(299, 'p');
    WritePrefs("h\n" + longPath + "\ng\nb\nm\n48 24 24 2 0.1 1\n");
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_strTextViewerPath, longPath);

    // An absurd line keeps its path and does not shift the lines after it.
    SetStartValues();
    WritePrefs("h\nt2\n" + std::string(1 << 20, 'x') + "\nb2\nm2\n40 20 20 2 0.1 0\n");
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(g_strTextViewerPath, "t2");
    EXPECT_EQ(g_strGraphicViewerPath, "g");
    EXPECT_EQ(g_strBrowserPath, "b2");
    EXPECT_EQ(g_nWorkspaceX, 40);
    EXPECT_EQ(g_bSoundOn, 0);

    // So does a header without a line end.
    SetStartValues();
    WritePrefs(std::string(1 << 20, 'h'));
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(g_strTextViewerPath, "t");
    EXPECT_EQ(g_nWorkspaceX, 30);
}

TEST_F(PreferencesTest, MalformedNumberStopsReading)
{
    const std::string paths = "h\na\nb\nc\nd\n";
    struct Case { const char* numbers; short x, y; float linear; int sound; };
    const Case cases[] = {
        {"abc 24 24 2 0.1 0", 30, 20, 1.5f, 1},
        {"40 2,5 24 2 0.1 0", 40, 20, 1.5f, 1},
        {"40 25 24 2,5 0.1 0", 40, 25, 1.5f, 1},
        {"40 25 24 nan 0.1 0", 40, 25, 1.5f, 1},
        {"40 25 24 2 0.1 on", 40, 25, 2.0f, 1},
        {"99999999999 25 24 2 0.1 0", 30, 20, 1.5f, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numbers);
        SetStartValues();
        WritePrefs(paths + c.numbers + "\n");
        EXPECT_EQ(ReadPreferencesFile(), 0);
        EXPECT_EQ(g_strManualPath, "d");
        EXPECT_EQ(g_nWorkspaceX, c.x);
        EXPECT_EQ(g_nWorkspaceY, c.y);
        EXPECT_EQ(g_fLinearSpeed, c.linear);
        EXPECT_EQ(g_bSoundOn, c.sound);
    }
    SetStartValues();
    WritePrefs(paths + "40 " + std::string(100000, '9') + " 24 2 0.1 0\n");
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(g_nWorkspaceX, 40);
    EXPECT_EQ(g_nWorkspaceY, 20);
}

TEST_F(PreferencesTest, UnusableValuesKeepTheStartValue)
{
    const std::string paths = "h\na\nb\nc\nd\n";
    for (const char* numbers : {"0 -24 40000 2 0.1 0", "-1 0 65560 2 0.1 0"}) {
        SCOPED_TRACE(numbers);
        SetStartValues();
        WritePrefs(paths + numbers + "\n");
        EXPECT_EQ(ReadPreferencesFile(), 0);
        EXPECT_EQ(g_nWorkspaceX, 30);
        EXPECT_EQ(g_nWorkspaceY, 20);
        EXPECT_EQ(g_nWorkspaceZ, 10);
        EXPECT_EQ(g_fLinearSpeed, 2.0f);  // the rest is still read
        EXPECT_EQ(g_bSoundOn, 0);
    }
    SetStartValues();
    WritePrefs(paths + "12 1 32767 1e39 -1e39 1\n");
    EXPECT_EQ(ReadPreferencesFile(), 0);
    EXPECT_EQ(g_nWorkspaceY, 1);
    EXPECT_EQ(g_nWorkspaceZ, 32767);
    EXPECT_EQ(g_fLinearSpeed, 1.5f);
    EXPECT_EQ(g_fAngularSpeed, 0.5f);

    // Odd but harmless values are taken as read.
    WritePrefs(paths + "+200 150 12 0 -0.1 1\n");
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_nWorkspaceX, 200);
    EXPECT_EQ(g_fLinearSpeed, 0.0f);
    EXPECT_EQ(g_fAngularSpeed, -0.1f);
}

TEST_F(PreferencesTest, RandomBytesLeaveUsableValues)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string text = round % 2 ? std::string(kFullFile) : std::string();
        if (round % 2) {
            for (int k = 0; k < 4; ++k) text[rng() % text.size()] = static_cast<char>(rng() % 256);
        } else {
            const size_t n = rng() % 400;
            for (size_t i = 0; i < n; ++i) text += static_cast<char>(rng() % 256);
        }
        SetStartValues();
        WritePrefs(text);
        ReadPreferencesFile();
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_GE(g_nWorkspaceX, 1);
        EXPECT_GE(g_nWorkspaceY, 1);
        EXPECT_GE(g_nWorkspaceZ, 1);
        EXPECT_TRUE(std::isfinite(g_fLinearSpeed));
        EXPECT_TRUE(std::isfinite(g_fAngularSpeed));
        EXPECT_TRUE(g_bSoundOn == 0 || g_bSoundOn == 1);
        EXPECT_EQ(g_strTextViewerPath.find('\0'), std::string::npos);
    }
}

// ---- where the file lives ----

TEST_F(PreferencesTest, PathInTheProgramFolderWhenWritable)
{
    EXPECT_EQ(PreferencesFilePath(), program_ + "Prefs.TF3");
    SetPreferencesProgramFolder(root_ + "/bin");  // without the trailing slash
    EXPECT_EQ(PreferencesFilePath(), program_ + "Prefs.TF3");

    // Without an override the running program's own folder is used.
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

TEST_F(PreferencesTest, PathInTheConfigFolderWhenProgramFolderIsNotWritable)
{
    SetPreferencesProgramFolder(root_ + "/not/there/");
    setenv("XDG_CONFIG_HOME", (root_ + "/cfg").c_str(), 1);
    EXPECT_EQ(PreferencesFilePath(), root_ + "/cfg/trussforge3d/Prefs.TF3");

    setenv("HOME", (root_ + "/home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PreferencesFilePath(), root_ + "/home/.config/trussforge3d/Prefs.TF3");
    setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: ignored
    EXPECT_EQ(PreferencesFilePath(), root_ + "/home/.config/trussforge3d/Prefs.TF3");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(PreferencesFilePath(), root_ + "/home/.config/trussforge3d/Prefs.TF3");

    if (geteuid() != 0) {  // root writes anywhere
        SetPreferencesProgramFolder(program_);
        chmod(program_.c_str(), 0555);
        EXPECT_EQ(PreferencesFilePath(), root_ + "/home/.config/trussforge3d/Prefs.TF3");
    }
}

TEST_F(PreferencesTest, ReaderUsesTheConfigFolder)
{
    SetPreferencesProgramFolder(root_ + "/not/there/");
    setenv("XDG_CONFIG_HOME", (root_ + "/cfg").c_str(), 1);
    SetStartValues();
    EXPECT_EQ(ReadPreferencesFile(), 0);  // nothing there yet
    EXPECT_EQ(g_nWorkspaceX, 48);

    ASSERT_TRUE(MakePreferencesFolder());
    struct stat st;
    ASSERT_EQ(stat((root_ + "/cfg/trussforge3d").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_TRUE(MakePreferencesFolder());  // already there

    std::ofstream(PreferencesFilePath()) << kFullFile;
    EXPECT_EQ(ReadPreferencesFile(), 1);
    EXPECT_EQ(g_nWorkspaceX, 100);
}
