// Fuzz target: any bytes as a 2D model file.
// seeds: examples tests/data/import_2d
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "files/clear_model.h"
#include "fuzz/fuzz_input.h"
#include "files/import_2d.h"
#include "model/tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzInputFile(data, size);
    ClearModel();
    if (Import2DModelFile(path) == 1) {
        if (g_nJoints < 0 || g_nJoints > MAX_JOINTS || g_nMembers < 0 || g_nMembers > MAX_MEMBERS)
            std::abort();
        for (int i = 1; i <= g_nMembers; ++i) {
            const MemberRec& m = g_Members[i];
            if (m.jointA < 1 || m.jointA > g_nJoints || m.jointB < 1 || m.jointB > g_nJoints) std::abort();
            if (m.shape < 1 || m.shape > USER_TABLE_ROWS || m.material < 1 || m.material > USER_TABLE_ROWS)
                std::abort();
        }
    } else if (g_nJoints != 0 || g_nMembers != 0) {
        std::abort();  // a refused file leaves the cleared model
    }
    return 0;
}
