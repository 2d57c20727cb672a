#include "files/preferences.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/text_io.h"
#include "model/tables.h"
#include "model/units.h"
#include "platform/folders.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

std::string s_programFolderOverride;

bool IsOldDefaultHelper(const std::string& path)
{
    std::string name = path;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name == "wordpad.exe" || name == "pbrush.exe" || name == "iexplorer.exe";
}

// Longest path line kept; a longer line leaves its path unchanged.
constexpr size_t kMaxPathLine = 4096;
// Far above any preferences file.
constexpr size_t kMaxPreferencesBytes = 16u << 20;
// Longest number token read.
constexpr size_t kMaxToken = 64;

// The folder with a trailing '/'; empty stays empty.
std::string AsFolder(std::string folder)
{
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string ProgramFolder()
{
    return AsFolder(s_programFolderOverride.empty() ? platform::RunningProgramFolder() : s_programFolderOverride);
}

std::string ConfigFolder()
{
    const std::string base = platform::UserConfigFolder();
    return base.empty() ? std::string() : AsFolder(base) + "trussforge3d/";
}

// Reads one line up to its '\n' (or the end of the file) into line, without
// the '\n' or a '\r' before it. Returns false when the file had already ended.
// tooLong is set when the line holds more than kMaxPathLine characters.
bool ReadLine(FILE* f, std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    int c = std::getc(f);
    if (c == EOF) return false;
    for (; c != EOF && c != '\n'; c = std::getc(f)) {
        if (line.size() < kMaxPathLine) line.push_back(static_cast<char>(c));
        else tooLong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t nul = line.find('\0');
    if (nul != std::string::npos) line.resize(nul);
    return true;
}

// Next blank-separated token; false at the end of the file or when the token
// is longer than kMaxToken (then it is skipped).
bool ReadToken(FILE* f, std::string& token)
{
    token.clear();
    auto blank = [](int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    };
    int c;
    do c = std::getc(f);
    while (blank(c));
    bool tooLong = false;
    for (; c != EOF && !blank(c); c = std::getc(f)) {
        if (token.size() < kMaxToken) token.push_back(static_cast<char>(c));
        else tooLong = true;
    }
    return !token.empty() && !tooLong;
}

const char* SkipPlus(const std::string& s)
{
    const char* p = s.data();
    if (s.size() > 1 && *p == '+' && p[1] != '-') ++p;
    return p;
}

bool ParseInt(const std::string& token, int& out)
{
    const char* end = token.data() + token.size();
    auto r = std::from_chars(SkipPlus(token), end, out);
    return r.ec == std::errc() && r.ptr == end;
}

// C-locale decimal number; an overflow reads as an infinity, an underflow as
// zero. Words such as "inf" and "nan" and hexadecimal forms are refused.
bool ParseFloat(const std::string& token, float& out)
{
    for (char c : token)
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return false;
    if (token.empty() || !CLocaleC()) return false;
    char* end = nullptr;
    const float value = strtof_l(token.c_str(), &end, CLocaleC());
    if (end != token.c_str() + token.size()) return false;
    out = value;
    return true;
}

}  // namespace

int LargestWorkspace() { return g_bUnitsUS ? kWorkspaceLargestUS : kWorkspaceLargestMetric; }

void SetPreferencesProgramFolder(const std::string& folder)
{
    s_programFolderOverride = folder;
}

std::string PreferencesFilePath()
{
    const std::string program = ProgramFolder();
    if (!program.empty() && access(program.c_str(), W_OK) == 0) return program + "Prefs.TF3";
    const std::string config = ConfigFolder();
    if (!config.empty()) return config + "Prefs.TF3";
    return program + "Prefs.TF3";
}

bool MakePreferencesFolder()
{
    const std::string path = PreferencesFilePath();
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return true;  // the current folder
    const std::string folder = path.substr(0, slash + 1);
    for (size_t pos = folder.find('/', 1); pos != std::string::npos; pos = folder.find('/', pos + 1))
        mkdir(folder.substr(0, pos).c_str(), 0755);
    struct stat st;
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int ReadPreferencesFile() { return ReadPreferencesFrom(PreferencesFilePath()); }

int ReadPreferencesFrom(const std::string& path)
{
    CReadFile file;
    if (!file.Open(path, kMaxPreferencesBytes)) {
        g_fLinearSpeed = kDefaultLinearSpeed;
        g_fAngularSpeed = kDefaultAngularSpeed;
        SetWorkspaceSize(kDefaultWorkspaceX, kDefaultWorkspaceY, kDefaultWorkspaceZ);
        return 0;
    }
    FILE* f = file.File();
    bool sound = true;  // every value present and usable

    std::string line;
    bool tooLong = false;
    if (!ReadLine(f, line, tooLong)) sound = false;  // header, not checked

    std::string* paths[] = {&g_strTextViewerPath, &g_strGraphicViewerPath, &g_strBrowserPath,
                            &g_strManualPath};
    for (std::string* p : paths) {
        if (ReadLine(f, line, tooLong) && !tooLong) *p = line;
        else sound = false;
    }
    // Files saved by earlier versions hold their defaults, Windows programs
    // that cannot start here: take the desktop's opener instead. The graphic
    // viewer has no file to open, so its old defaults (the opener included)
    // mean that none is chosen.
    for (int i = 0; i < 3; ++i)
        if (IsOldDefaultHelper(*paths[i])) *paths[i] = g_szDesktopOpener;
    const std::string& graphic = g_strGraphicViewerPath;
    if (graphic.substr(graphic.rfind('/') + 1) == g_szDesktopOpener) g_strGraphicViewerPath.clear();

    // Workspace X, Y, Z, linear speed, angular speed, sound. Reading stops at
    // the first malformed number; a speed that is not finite is skipped.
    std::string token;
    short workspace[3] = {g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ};
    for (short& w : workspace) {
        int value;
        if (!ReadToken(f, token) || !ParseInt(token, value)) {
            SetWorkspaceSize(workspace[0], workspace[1], workspace[2]);
            return 0;
        }
        w = static_cast<short>(std::clamp(value, kWorkspaceMin, LargestWorkspace()));
    }
    SetWorkspaceSize(workspace[0], workspace[1], workspace[2]);
    // The speeds' limits in the globals' units (radians, inches).
    const bool us = g_bUnitsUS != 0;
    const double angularScale = us ? kDegreesPerRadian : 1.0, linearScale = us ? 1.0 : kCentimetresPerInch;
    struct Speed {
        float* value;
        double min, max;
    } speeds[] = {{&g_fLinearSpeed, kLinearSpeedShownMin / linearScale, kLinearSpeedShownMax / linearScale},
                  {&g_fAngularSpeed, kAngularSpeedShownMin / angularScale, kAngularSpeedShownMax / angularScale}};
    for (const Speed& s : speeds) {
        float value;
        if (!ReadToken(f, token) || !ParseFloat(token, value)) return 0;
        if (std::isfinite(value))
            *s.value = static_cast<float>(std::clamp(static_cast<double>(value), s.min, s.max));
        else
            sound = false;
    }
    int soundOn;
    if (!ReadToken(f, token) || !ParseInt(token, soundOn)) return 0;
    g_bSoundOn = (soundOn == 1) ? 1 : 0;
    return sound ? 1 : 0;
}
