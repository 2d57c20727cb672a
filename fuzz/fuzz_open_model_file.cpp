// Feeds arbitrary bytes to the 3D model file reader and checks that the
// tables stay consistent whatever it makes of them.
// seeds: examples tests/data/model_file tests/data/solver
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/model_file.h"
#include "fuzz/fuzz_input.h"
#include "model/tables.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

bool InTable(int row, int last) { return row >= 1 && row <= last; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzInputFile(data, size);

    ResetModelGlobals();
    ResetViewGlobals();
    ResetFrameGlobals();
    ResetFilesGlobals();
    const int result = OpenModelFile(path);

    if (result != 0 && result != 1) abort();
    if (g_nJoints < 0 || g_nJoints > MAX_JOINTS || g_nMembers < 0 || g_nMembers > MAX_MEMBERS) abort();
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        if (!InTable(m.jointA, g_nJoints) || !InTable(m.jointB, g_nJoints) || !InTable(m.shape, USER_TABLE_ROWS) ||
            !InTable(m.material, USER_TABLE_ROWS))
            abort();
    }
    if (!InTable(g_nDefaultShape, USER_TABLE_ROWS) || !InTable(g_nDefaultMaterial, USER_TABLE_ROWS)) abort();
    if (g_bMetricUnits == g_bUnitsUS) abort();
    return 0;
}
