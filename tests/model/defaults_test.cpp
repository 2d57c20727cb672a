#include <cmath>
#include <cstring>

#include "model/defaults.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

using DefaultsTest = Tf3dTest;

void ExpectNear(double expected, double actual, double relTol, const char* what, int row)
{
    EXPECT_LE(std::fabs(actual - expected), relTol * std::fabs(expected)) << what << " row " << row;
}

// Rows 1..10: section values follow from width and height, so a mistyped number shows as inconsistent.
void ExpectRectangularSections()
{
    for (int r = 1; r <= 10; ++r) {
        const ShapeRec& s = g_Shapes[r];
        const double w = s.width, h = s.height;
        ExpectNear(w * h, s.area, 2e-3, "area", r);
        ExpectNear(w * h * h * h / 12, s.inertiaZZ, 2e-3, "Izz", r);
        ExpectNear(h * w * w * w / 12, s.inertiaYY, 2e-3, "Iyy", r);
        ExpectNear(w * h * h / 6, s.modulusZZ, 2e-3, "Szz", r);
        ExpectNear(h * w * w / 6, s.modulusYY, 2e-3, "Syy", r);
    }
}

}  // namespace

TEST_F(DefaultsTest, ShapeTablesAreConsistentInBothUnits)
{
    ResetAllShapes();
    ExpectRectangularSections();
    // Row 0 is the failure spring: a copy of 1/8x1/8 under another name.
    EXPECT_STREQ("Failure Spring", g_Shapes[0].name);
    for (float ShapeRec::*f : {&ShapeRec::height, &ShapeRec::width, &ShapeRec::area, &ShapeRec::torsionConst,
                               &ShapeRec::inertiaYY, &ShapeRec::inertiaZZ, &ShapeRec::modulusYY, &ShapeRec::modulusZZ})
        EXPECT_EQ(g_Shapes[2].*f, g_Shapes[0].*f);
    ShapeRec us[11];  // metric rows are the inch sizes in centimetres; the reset keeps the section kind
    std::memcpy(us, g_Shapes, sizeof us);
    g_Shapes[4].sectionKind = 1;
    SetMetricUnits(1);
    ResetAllShapes();
    ExpectRectangularSections();
    for (int r = 1; r <= 10; ++r) {
        ExpectNear(us[r].width * 2.54, g_Shapes[r].width, 1e-5, "width", r);
        ExpectNear(us[r].height * 2.54, g_Shapes[r].height, 1e-5, "height", r);
        ExpectNear(us[r].torsionConst * std::pow(2.54, 4), g_Shapes[r].torsionConst, 2e-3, "J", r);
        EXPECT_EQ(1, g_Shapes[r].metricRow - us[r].metricRow) << r;
    }
    EXPECT_EQ(1, g_Shapes[4].sectionKind);
}

TEST_F(DefaultsTest, MaterialTablesMatchAcrossUnits)
{
    ResetAllMaterials();
    MaterialRec us[11];
    std::memcpy(us, g_Materials, sizeof us);
    SetMetricUnits(1);
    ResetAllMaterials();
    const double psi = 0.6894757, pcf = 4.448222 / (12 * 12 * 12 * 2.54 * 2.54 * 2.54);
    for (int r = 1; r <= 10; ++r) {
        const MaterialRec& m = g_Materials[r];
        EXPECT_STREQ(us[r].name, m.name);
        ExpectNear(m.youngsModulus / 16.0, m.shearModulus, 1e-6, "G", r);  // E / 16
        for (float MaterialRec::*f : {&MaterialRec::youngsModulus, &MaterialRec::ultTensionStress,
                                      &MaterialRec::ultCompressionStress, &MaterialRec::ultBendingStress,
                                      &MaterialRec::ultShearStress})
            ExpectNear(us[r].*f * psi, m.*f, 1e-2, "stress", r);
        ExpectNear(us[r].density * pcf, m.density, 1e-2, "density", r);
    }
    EXPECT_FLOAT_EQ(24.0f, us[7].density);
    EXPECT_FLOAT_EQ(0.0037718f, g_Materials[7].density);
}

TEST_F(DefaultsTest, RowsOutsideZeroToTenAreNeverWritten)
{
    std::strcpy(g_Shapes[11].name, "keep");
    std::strcpy(g_Materials[11].name, "keep");
    const ShapeRec s11 = g_Shapes[11];
    const MaterialRec m11 = g_Materials[11];
    for (int row : {-1, 11, 12, 1000}) {
        ResetShapeUS(row);
        ResetShapeMetric(row);
        ResetMaterialUS(row);
        ResetMaterialMetric(row);
    }
    for (int metric : {0, 1}) {
        SetMetricUnits(metric);
        ResetAllShapes();
        ResetAllMaterials();
    }
    EXPECT_TRUE(std::memcmp(&s11, &g_Shapes[11], sizeof s11) == 0 &&
                std::memcmp(&m11, &g_Materials[11], sizeof m11) == 0);
}
