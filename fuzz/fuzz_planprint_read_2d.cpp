// Fuzz target: any bytes as a 2D model file imported by Planprint, then
// printed on every tile.
// seeds: examples tests/data/import_2d
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "fuzz/planprint_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzInputFile(data, size);
    fuzz::StartPlanprint();
    fuzz::CheckAndPrint(g_pModel->Read2dFile(path));
    return 0;
}
