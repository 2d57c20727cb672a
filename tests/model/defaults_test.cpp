#include <cmath>
#include <cstring>

#include "model/defaults.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

class DefaultsTest : public Tf3dTest {};

void ExpectNear(double expected, double actual, double relTol, const char* what, int row)
{
    EXPECT_LE(std::fabs(actual - expected), relTol * std::fabs(expected)) << what << " row " << row;
}

// Section values of rows 1..10 follow from width and height, so a mistyped
// number shows up as an inconsistent row.
void ExpectRectangularSections()
{
    for (int r = 1; r <= 10; ++r) {
        const ShapeRec& s = g_Shapes[r];
        double w = s.width, h = s.height;
        ExpectNear(w * h, s.area, 2e-3, "area", r);
        ExpectNear(w * h * h * h / 12, s.inertiaZZ, 2e-3, "Izz", r);
        ExpectNear(h * w * w * w / 12, s.inertiaYY, 2e-3, "Iyy", r);
        ExpectNear(w * h * h / 6, s.modulusZZ, 2e-3, "Szz", r);
        ExpectNear(h * w * w / 6, s.modulusYY, 2e-3, "Syy", r);
        EXPECT_EQ(0.0f, s.spacing);
    }
}

}  // namespace

TEST_F(DefaultsTest, USShapesAreConsistentRectangles)
{
    for (int r = 0; r <= 10; ++r) g_Shapes[r].sectionKind = 1;
    ResetAllShapes();
    ExpectRectangularSections();
    for (int r = 0; r <= 10; ++r) {
        EXPECT_EQ(0, g_Shapes[r].sectionKind) << r;
        EXPECT_EQ(0, g_Shapes[r].metricRow) << r;
    }
    EXPECT_STREQ("3/32x3/32", g_Shapes[1].name);
    EXPECT_STREQ("1/8x3/8", g_Shapes[9].name);
    EXPECT_FLOAT_EQ(0.375f, g_Shapes[9].height);
    EXPECT_FLOAT_EQ(0.125f, g_Shapes[9].width);
    EXPECT_FLOAT_EQ(1.9263e-4f, g_Shapes[9].torsionConst);
    // Row 0 is the failure spring: a copy of 1/8x1/8 under another name.
    EXPECT_STREQ("Failure Spring", g_Shapes[0].name);
    const ShapeRec& a = g_Shapes[0];
    const ShapeRec& b = g_Shapes[2];
    EXPECT_EQ(b.height, a.height);
    EXPECT_EQ(b.width, a.width);
    EXPECT_EQ(b.area, a.area);
    EXPECT_EQ(b.torsionConst, a.torsionConst);
    EXPECT_EQ(b.inertiaYY, a.inertiaYY);
    EXPECT_EQ(b.inertiaZZ, a.inertiaZZ);
    EXPECT_EQ(b.modulusYY, a.modulusYY);
    EXPECT_EQ(b.modulusZZ, a.modulusZZ);
}

TEST_F(DefaultsTest, MetricShapesAreInchSizesInCentimetres)
{
    ResetAllShapes();
    ShapeRec us[11];
    std::memcpy(us, g_Shapes, sizeof us);
    g_Shapes[4].sectionKind = 1;
    SetMetricUnits(1);
    ResetAllShapes();
    ExpectRectangularSections();
    for (int r = 1; r <= 10; ++r) {
        EXPECT_STREQ(us[r].name, g_Shapes[r].name);
        ExpectNear(us[r].width * 2.54, g_Shapes[r].width, 1e-5, "width", r);
        ExpectNear(us[r].height * 2.54, g_Shapes[r].height, 1e-5, "height", r);
        ExpectNear(us[r].torsionConst * std::pow(2.54, 4), g_Shapes[r].torsionConst, 2e-3, "J", r);
        EXPECT_EQ(1, g_Shapes[r].metricRow);
    }
    EXPECT_STREQ("NOT USED", g_Shapes[0].name);
    EXPECT_FLOAT_EQ(1e-6f, g_Shapes[0].area);
    // The metric reset keeps the section kind: a circular row stays circular.
    EXPECT_EQ(1, g_Shapes[4].sectionKind);
    EXPECT_EQ(0, g_Shapes[5].sectionKind);
}

TEST_F(DefaultsTest, MaterialTablesMatchAcrossUnits)
{
    ResetAllMaterials();
    MaterialRec us[11];
    std::memcpy(us, g_Materials, sizeof us);
    SetMetricUnits(1);
    ResetAllMaterials();
    const double psiToNcm2 = 0.6894757;
    const double pcfToNcm3 = 4.448222 / (12 * 12 * 12 * 2.54 * 2.54 * 2.54);
    for (int r = 0; r <= 10; ++r) {
        const MaterialRec& m = g_Materials[r];
        EXPECT_EQ(0, us[r].metricRow);
        EXPECT_EQ(1, m.metricRow);
        EXPECT_STREQ(us[r].name, m.name);
        EXPECT_EQ(us[r].colorR, m.colorR);
        EXPECT_EQ(us[r].colorG, m.colorG);
        EXPECT_EQ(us[r].colorB, m.colorB);
        // Shear modulus is E / 16 in both sets.
        ExpectNear(us[r].youngsModulus / 16.0, us[r].shearModulus, 1e-6, "G us", r);
        ExpectNear(m.youngsModulus / 16.0, m.shearModulus, 1e-6, "G metric", r);
        if (r == 0) continue;
        ExpectNear(us[r].youngsModulus * psiToNcm2, m.youngsModulus, 1e-2, "E", r);
        ExpectNear(us[r].ultTensionStress * psiToNcm2, m.ultTensionStress, 1e-2, "tension", r);
        ExpectNear(us[r].ultCompressionStress * psiToNcm2, m.ultCompressionStress, 1e-2, "compression", r);
        ExpectNear(us[r].ultBendingStress * psiToNcm2, m.ultBendingStress, 1e-2, "bending", r);
        ExpectNear(us[r].ultShearStress * psiToNcm2, m.ultShearStress, 1e-2, "shear", r);
        ExpectNear(us[r].density * pcfToNcm3, m.density, 1e-2, "density", r);
    }
    EXPECT_STREQ("NOT USED", us[0].name);
    EXPECT_STREQ("BalsaD3", g_Materials[7].name);
    EXPECT_FLOAT_EQ(0.6196f, g_Materials[7].colorR);
    EXPECT_FLOAT_EQ(24.0f, us[7].density);
    EXPECT_FLOAT_EQ(0.0037718f, g_Materials[7].density);
    EXPECT_FLOAT_EQ(990.0f, us[10].ultShearStress);
    EXPECT_FLOAT_EQ(683.0f, g_Materials[10].ultShearStress);
}

TEST_F(DefaultsTest, RowsOutsideZeroToTenAreNeverWritten)
{
    std::strcpy(g_Shapes[11].name, "keep");
    std::strcpy(g_Materials[11].name, "keep");
    const ShapeRec s11 = g_Shapes[11];
    const MaterialRec m11 = g_Materials[11];
    ShapeRec s3 = g_Shapes[3];

    for (int row : {-1, 11, 12, 1000}) {
        ResetShapeUS(row);
        ResetShapeMetric(row);
        ResetMaterialUS(row);
        ResetMaterialMetric(row);
    }
    ResetAllShapes();
    ResetAllMaterials();
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    EXPECT_EQ(0, std::memcmp(&s11, &g_Shapes[11], sizeof s11));
    EXPECT_EQ(0, std::memcmp(&m11, &g_Materials[11], sizeof m11));
    EXPECT_NE(0, std::memcmp(&s3, &g_Shapes[3], sizeof s3));
}

