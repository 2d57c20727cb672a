// Fuzz target: any bytes as a 3D model file imported by Planprint, then
// printed on every tile.
// seeds: examples tests/data/model_file tests/data/solver
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "fuzz/planprint_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = FuzzInputFile(data, size);
    fuzz::StartPlanprint();
    fuzz::CheckAndPrint(g_pModel->Read3dFile(path));
    return 0;
}
