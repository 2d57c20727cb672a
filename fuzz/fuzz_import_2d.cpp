// Fuzz target: any bytes as a 2D model file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include "files/clear_model.h"
#include "files/import_2d.h"
#include "model/tables.h"

namespace {

char s_path[] = "/tmp/fuzz_import_2d_XXXXXX";

const char* TempPath()
{
    static const bool made = [] {
        const int fd = mkstemp(s_path);
        if (fd < 0) std::abort();
        close(fd);
        std::atexit([] { std::remove(s_path); });
        return true;
    }();
    (void)made;
    return s_path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(TempPath(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);

    ClearModel();
    if (Import2DModelFile(TempPath()) == 1) {
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
