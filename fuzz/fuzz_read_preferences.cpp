// Fuzz target: any bytes as the preferences file.
// seeds: tests/data/preferences
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/preferences.h"
#include "fuzz/fuzz_input.h"
#include "frame/frame_globals.h"
#include "view/view_globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzInputFile(data, size);

    g_nWorkspaceX = 48;
    g_nWorkspaceY = 24;
    g_nWorkspaceZ = 24;
    g_fLinearSpeed = 2.0f;
    g_fAngularSpeed = 0.174533f;
    ReadPreferencesFrom(path);
    if (g_nWorkspaceX < 1 || g_nWorkspaceY < 1 || g_nWorkspaceZ < 1) std::abort();
    if (!std::isfinite(g_fLinearSpeed) || !std::isfinite(g_fAngularSpeed)) std::abort();
    if (g_bSoundOn != 0 && g_bSoundOn != 1) std::abort();
    return 0;
}
