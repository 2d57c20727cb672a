// Fuzz target: any bytes as the preferences file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/preferences.h"
#include "frame/frame_globals.h"
#include "view/view_globals.h"

namespace {

char s_folder[] = "/tmp/fuzz_prefs_XXXXXX";
char s_file[sizeof s_folder + 16];

const char* TempFile()
{
    static const bool made = [] {
        if (!mkdtemp(s_folder)) std::abort();
        std::snprintf(s_file, sizeof s_file, "%s/Prefs.TF3", s_folder);
        SetPreferencesProgramFolder(s_folder);
        std::atexit([] {
            std::remove(s_file);
            std::remove(s_folder);
        });
        return true;
    }();
    (void)made;
    return s_file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(TempFile(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);

    g_nWorkspaceX = 48;
    g_nWorkspaceY = 24;
    g_nWorkspaceZ = 24;
    g_fLinearSpeed = 2.0f;
    g_fAngularSpeed = 0.174533f;
    ReadPreferencesFile();
    if (g_nWorkspaceX < 1 || g_nWorkspaceY < 1 || g_nWorkspaceZ < 1) std::abort();
    if (!std::isfinite(g_fLinearSpeed) || !std::isfinite(g_fAngularSpeed)) std::abort();
    if (g_bSoundOn != 0 && g_bSoundOn != 1) std::abort();
    return 0;
}
