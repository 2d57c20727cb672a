#include "model/defaults.h"

#include <cstring>

#include "model/tables.h"

namespace {

struct ShapeDefault {
    const char* name;
    float height, width, area, torsionConst, inertiaYY, inertiaZZ, modulusYY, modulusZZ, spacing;
};

struct MaterialDefault {
    const char* name;
    float colorR, colorG, colorB;
    float youngsModulus, shearModulus, density;
    float ultTension, ultCompression, ultBending, ultShear;
};

const ShapeDefault kShapesUS[11] = {
    {"Failure Spring", 0.125f, 0.125f, 0.015625f, 3.434e-5f, 2.034e-5f, 2.034e-5f, 3.2552e-4f, 3.2552e-4f, 0},
    {"3/32x3/32", 0.09375f, 0.09375f, 0.008789f, 1.087e-5f, 6.44e-6f, 6.44e-6f, 1.3733e-4f, 1.3733e-4f, 0},
    {"1/8x1/8", 0.125f, 0.125f, 0.015625f, 3.434e-5f, 2.034e-5f, 2.034e-5f, 3.2552e-4f, 3.2552e-4f, 0},
    {"3/16x3/16", 0.1875f, 0.1875f, 0.03516f, 1.7386e-4f, 1.03e-4f, 1.03e-4f, 0.00109863f, 0.00109863f, 0},
    {"1/4x1/4", 0.25f, 0.25f, 0.0625f, 5.4948e-4f, 3.2552e-4f, 3.2552e-4f, 0.00260417f, 0.00260417f, 0},
    {"5/16x5/16", 0.3125f, 0.3125f, 0.097656f, 0.0013415f, 7.9473e-4f, 7.9473e-4f, 0.00508626f, 0.00508626f, 0},
    {"3/8x3/8", 0.375f, 0.375f, 0.140625f, 0.00278174f, 0.00164795f, 0.00164795f, 0.00878906f, 0.00878906f, 0},
    {"1/2x1/2", 0.5f, 0.5f, 0.25f, 0.0087917f, 0.005208f, 0.005208f, 0.020833f, 0.020833f, 0},
    {"1/8x1/4", 0.25f, 0.125f, 0.03125f, 1.1182e-4f, 4.069e-5f, 1.6276e-4f, 6.5104e-4f, 0.00130208f, 0},
    {"1/8x3/8", 0.375f, 0.125f, 0.04687f, 1.9263e-4f, 6.104e-5f, 5.4932e-4f, 9.7656e-4f, 0.00292971f, 0},
    {"1/4x1/2", 0.5f, 0.25f, 0.125f, 0.001789f, 6.51e-4f, 0.0026042f, 0.005208f, 0.010417f, 0},
};

const ShapeDefault kShapesMetric[11] = {
    {"NOT USED", 0.01f, 0.01f, 1e-6f, 1e-6f, 1e-6f, 1e-6f, 1e-6f, 1e-6f, 0},
    {"3/32x3/32", 0.238125f, 0.238125f, 0.0567f, 4.524e-4f, 2.6793e-4f, 2.6793e-4f, 0.0022504f, 0.0022504f, 0},
    {"1/8x1/8", 0.3175f, 0.3175f, 0.10080625f, 0.00142942f, 8.4682e-4f, 8.4682e-4f, 0.00533431f, 0.00533431f, 0},
    {"3/16x3/16", 0.47625f, 0.47625f, 0.22681f, 0.00723657f, 0.00428717f, 0.00428717f, 0.01800325f, 0.01800325f, 0},
    {"1/4x1/4", 0.635f, 0.635f, 0.403225f, 0.022871f, 0.013549f, 0.013549f, 0.042675f, 0.042675f, 0},
    {"5/16x5/16", 0.79375f, 0.79375f, 0.63004f, 0.055837f, 0.033079f, 0.033079f, 0.083349f, 0.083349f, 0},
    {"3/8x3/8", 0.9525f, 0.9525f, 0.9072f, 0.11578f, 0.06859f, 0.06859f, 0.144035f, 0.144035f, 0},
    {"1/2x1/2", 1.27f, 1.27f, 1.6129f, 0.36594f, 0.21677f, 0.21677f, 0.34139f, 0.34139f, 0},
    {"1/8x1/4", 0.635f, 0.3175f, 0.20161f, 0.0046543f, 0.00169364f, 0.00677456f, 0.01066859f, 0.02133718f, 0},
    {"1/8x3/8", 0.9525f, 0.3175f, 0.30242f, 0.00801784f, 0.00254067f, 0.022864f, 0.01600289f, 0.04800916f, 0},
    {"1/4x1/2", 1.27f, 0.635f, 0.8064f, 0.074464f, 0.02709657f, 0.108395f, 0.0853435f, 0.1707034f, 0},
};

const MaterialDefault kMaterialsUS[11] = {
    {"NOT USED", 0, 0, 0, 1000, 62.5f, 1, 1000, 1000, 1000, 1000},
    {"BalsaD1", 0.9216f, 0.8275f, 0.5255f, 400000, 25000, 12, 1000, 1000, 2500, 200},
    {"BalsaD1.1", 0.861467f, 0.768667f, 0.4902f, 500000, 31250, 14, 1733.3f, 1433.3f, 3700, 226},
    {"BalsaD1.2", 0.801333f, 0.709833f, 0.4549f, 600000, 37500, 16, 2466.7f, 1866.7f, 4900, 252},
    {"BalsaD2", 0.7412f, 0.651f, 0.4196f, 700000, 43750, 18, 3200, 2300, 6100, 278},
    {"BalsaD2.1", 0.700667f, 0.601333f, 0.356867f, 866666.7f, 54166.668f, 20, 3900, 2700, 7000, 328.7f},
    {"BalsaD2.2", 0.660133f, 0.551667f, 0.294133f, 1033333, 64583.312f, 22, 4600, 3100, 7900, 379.3f},
    {"BalsaD3", 0.6196f, 0.502f, 0.2314f, 1200000, 75000, 24, 5300, 3500, 8800, 430},
    {"BassD1", 0.8902f, 0.7804f, 0.6588f, 800000, 50000, 27, 5100, 3300, 5100, 990},
    {"BassD1.1", 0.8486f, 0.7098f, 0.5549f, 1000000, 62500, 31.5f, 6600, 4550, 8300, 990},
    {"BassD2", 0.807f, 0.6392f, 0.451f, 2000000, 125000, 36, 8100, 5800, 11500, 990},
};

const MaterialDefault kMaterialsMetric[11] = {
    {"NOT USED", 0, 0, 0, 1000, 62.5f, 1, 1000, 1000, 1000, 1000},
    {"BalsaD1", 0.9216f, 0.8275f, 0.5255f, 275800, 17237.5f, 0.0018859f, 690, 690, 1724, 138},
    {"BalsaD1.1", 0.861467f, 0.768667f, 0.4902f, 344750, 21546.875f, 0.0022f, 1195, 988.7f, 2551, 156},
    {"BalsaD1.2", 0.801333f, 0.709833f, 0.4549f, 413700, 25856.25f, 0.002515f, 1700, 1287, 3379, 174},
    {"BalsaD2", 0.7412f, 0.651f, 0.4196f, 482650, 30165.625f, 0.0028289f, 2206, 1586, 4206, 192},
    {"BalsaD2.1", 0.700667f, 0.601333f, 0.356867f, 597567, 37347.938f, 0.003143f, 2689, 1862, 4827, 227},
    {"BalsaD2.2", 0.660133f, 0.551667f, 0.294133f, 712483, 44530.188f, 0.003458f, 3171, 2137, 5449, 261},
    {"BalsaD3", 0.6196f, 0.502f, 0.2314f, 827400, 51712.5f, 0.0037718f, 3654, 2413, 6070, 296},
    {"BassD1", 0.8902f, 0.7804f, 0.6588f, 551600, 34475, 0.0042433f, 3520, 2275, 3516, 680},
    {"BassD1.1", 0.8486f, 0.7098f, 0.5549f, 689500, 43093.75f, 0.004951f, 4552.5f, 3137, 5723, 682},
    {"BassD2", 0.807f, 0.6392f, 0.451f, 1390000, 86875, 0.0056577f, 5585, 4000, 7930, 683},
};

bool IsDefaultRow(int row) { return row >= 0 && row <= 10; }

void CopyName(char (&dst)[56], const char* src)
{
    std::strncpy(dst, src, sizeof dst - 1);
    dst[sizeof dst - 1] = '\0';
}

void WriteShape(ShapeRec& s, const ShapeDefault& d, int metricRow)
{
    CopyName(s.name, d.name);
    s.height = d.height;
    s.width = d.width;
    s.area = d.area;
    s.torsionConst = d.torsionConst;
    s.inertiaYY = d.inertiaYY;
    s.inertiaZZ = d.inertiaZZ;
    s.modulusYY = d.modulusYY;
    s.modulusZZ = d.modulusZZ;
    s.spacing = d.spacing;
    s.metricRow = metricRow;
}

void WriteMaterial(MaterialRec& m, const MaterialDefault& d, int metricRow)
{
    CopyName(m.name, d.name);
    m.colorR = d.colorR;
    m.colorG = d.colorG;
    m.colorB = d.colorB;
    m.youngsModulus = d.youngsModulus;
    m.shearModulus = d.shearModulus;
    m.density = d.density;
    m.ultTensionStress = d.ultTension;
    m.ultCompressionStress = d.ultCompression;
    m.ultBendingStress = d.ultBending;
    m.ultShearStress = d.ultShear;
    m.metricRow = metricRow;
}

}  // namespace

void ResetShapeUS(int row)
{
    if (!IsDefaultRow(row)) return;
    WriteShape(g_Shapes[row], kShapesUS[row], 0);
    g_Shapes[row].sectionKind = 0;
}

void ResetShapeMetric(int row)
{
    if (!IsDefaultRow(row)) return;
    WriteShape(g_Shapes[row], kShapesMetric[row], 1);  // sectionKind kept
}

void ResetMaterialUS(int row)
{
    if (!IsDefaultRow(row)) return;
    WriteMaterial(g_Materials[row], kMaterialsUS[row], 0);
}

void ResetMaterialMetric(int row)
{
    if (!IsDefaultRow(row)) return;
    WriteMaterial(g_Materials[row], kMaterialsMetric[row], 1);
}

void ResetAllShapes()
{
    for (int row = 0; row <= 10; ++row) {
        if (g_bMetricUnits)
            ResetShapeMetric(row);
        else
            ResetShapeUS(row);
    }
}

void ResetAllMaterials()
{
    for (int row = 0; row <= 10; ++row) {
        if (g_bMetricUnits)
            ResetMaterialMetric(row);
        else
            ResetMaterialUS(row);
    }
}
