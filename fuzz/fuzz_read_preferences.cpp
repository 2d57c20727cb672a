// Fuzz target: any bytes as the preferences file, read for a U.S. and for a
// metric model. Whatever the file holds, the workspace sides and the speeds
// stay within what the Preferences dialog accepts for the model's units.
// seeds: tests/data/preferences
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "files/preferences.h"
#include "fuzz/fuzz_input.h"
#include "model/tables.h"
#include "model/units.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

void Check(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "%s (workspace %d x %d x %d, linear %g, angular %g, sound %d, %s)\n", what, g_nWorkspaceX,
                 g_nWorkspaceY, g_nWorkspaceZ, g_fLinearSpeed, g_fAngularSpeed, g_bSoundOn,
                 g_bUnitsUS ? "U.S." : "metric");
    std::abort();
}

// low <= value <= high, to single precision.
bool Within(double value, double low, double high)
{
    return value >= low * (1 - 1e-6) && value <= high * (1 + 1e-6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzInputFile(data, size);
    for (int us = 1; us >= 0; --us) {
        g_bUnitsUS = us;
        g_bMetricUnits = !us;
        g_nWorkspaceX = kDefaultWorkspaceX;
        g_nWorkspaceY = kDefaultWorkspaceY;
        g_nWorkspaceZ = kDefaultWorkspaceZ;
        g_fLinearSpeed = kDefaultLinearSpeed;
        g_fAngularSpeed = kDefaultAngularSpeed;
        g_bSoundOn = 1;
        ReadPreferencesFrom(path);

        const int largest = us ? kWorkspaceLargestUS : kWorkspaceLargestMetric;
        for (short side : {g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ})
            Check(side >= kWorkspaceMin && side <= largest, "workspace side out of range");
        // The dialog takes 0 to 72 in or cm and 0.01 to 360 degrees (U.S.) or
        // radians (metric); the globals hold inches and radians.
        const double inch = us ? 1 : kCentimetresPerInch, radian = us ? kDegreesPerRadian : 1;
        Check(Within(g_fLinearSpeed, kLinearSpeedShownMin / inch, kLinearSpeedShownMax / inch),
              "linear speed out of range");
        Check(Within(g_fAngularSpeed, kAngularSpeedShownMin / radian, kAngularSpeedShownMax / radian),
              "angular speed out of range");
        Check(g_bSoundOn == 0 || g_bSoundOn == 1, "sound switch neither 0 nor 1");
    }
    return 0;
}
