#include <cmath>
#include <string>

#include "frame/dialog_ids.h"
#include "frame/table_editors.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "tests/common/test_env.h"
#include "tests/frame/fake_controls.h"

namespace {

class TableEditorsTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetAllShapes();
        ResetAllMaterials();
        g_nMembers = 1;
        g_Members[1].shape = 2;
        g_Members[1].material = 4;
    }
    FakeControls c;
};

TEST_F(TableEditorsTest, MaterialPagingLabelsUnitsAndRangeChecks)
{
    MaterialEditor e(c);
    e.Init();
    EXPECT_EQ(c.Text(IDC_MAT_ROW), "1 - Not used");
    EXPECT_EQ(c.Text(IDC_MAT_NAME), "BalsaD1");
    EXPECT_EQ(c.Text(IDC_MAT_E_LABEL), "Young's Modulus (E) (psi)");
    EXPECT_EQ(c.Number(IDC_MAT_E), 400000);
    EXPECT_FALSE(c.c[IDC_MAT_PASTE].enabled);  // nothing copied yet
    // Wrapping both ways with the labels of each direction.
    e.Previous();
    EXPECT_EQ(c.Text(IDC_MAT_ROW), "10 - Not Used");
    for (int k = 0; k < 3; ++k) e.Next();
    EXPECT_EQ(c.Text(IDC_MAT_ROW), "3 - Not used");
    e.Next();
    EXPECT_EQ(c.Text(IDC_MAT_ROW), "4 - Used");
    // Paging stores what is shown; a value out of range stores nothing and stays.
    c.SetText(IDC_MAT_NAME, "Spruce");
    c.SetText(IDC_MAT_SHEAR, "300");
    c.SetText(IDC_MAT_E, "4e8");
    e.Next();
    EXPECT_EQ(e.Row(), 4);
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "Please enter a number between 1e-07 and 3e+08.");
    EXPECT_EQ(c.focus, IDC_MAT_E);
    EXPECT_EQ(std::string(g_Materials[4].name), "BalsaD2");
    EXPECT_FALSE(e.Ok());
    c.SetText(IDC_MAT_E, "5e5");
    EXPECT_TRUE(e.Ok());
    EXPECT_EQ(std::string(g_Materials[4].name), "Spruce");
    EXPECT_EQ(g_Materials[4].ultShearStress, 300);
    // Labels follow the row's own units.
    g_Materials[5].metricRow = 1;
    e.Next();
    EXPECT_EQ(c.Text(IDC_MAT_DENSITY_LABEL), "Density*g (N/cm^3)");
    EXPECT_EQ(c.Text(IDC_MAT_SHEAR_LABEL), "Ultimate Shear Stress (N/cm^2)");
}

TEST_F(TableEditorsTest, MaterialCopyPasteDefaultAndColour)
{
    MaterialEditor e(c);
    e.Init();
    c.SetText(IDC_MAT_DENSITY, "13");
    c.SetText(IDC_MAT_NAME, "Mine");
    e.Copy();  // what is on screen, checked and stored first
    EXPECT_TRUE(c.c[IDC_MAT_PASTE].enabled);
    EXPECT_EQ(g_Materials[1].density, 13);
    g_Materials[2].metricRow = 1;
    e.Next();
    e.Paste();
    EXPECT_EQ(std::string(g_Materials[2].name), "Mine");
    EXPECT_TRUE(g_Materials[2].density == 13 && g_Materials[2].metricRow == 1);
    EXPECT_EQ(c.Text(IDC_MAT_E_LABEL), "Young's Modulus (E) (N/cm^2)");
    e.Default();
    EXPECT_EQ(std::string(g_Materials[2].name), "BalsaD1.1");
    EXPECT_EQ(g_Materials[2].metricRow, 0);

    // A cancelled chooser leaves the colour; a chosen one sets it and the
    // default member colour follows the default material.
    const float before = g_Materials[2].colorR;
    e.ChangeColour();
    EXPECT_EQ(g_Materials[2].colorR, before);
    backend.colourAnswer = true;
    backend.colour[0] = 10, backend.colour[1] = 20, backend.colour[2] = 30;
    g_nDefaultMaterial = 2;
    e.ChangeColour();
    EXPECT_EQ(g_Materials[2].colorG, 20 / 255.0f);
    EXPECT_EQ(g_fDefaultColorB, 30 / 255.0f);
    EXPECT_EQ(c.c[IDC_MAT_SWATCH].swatch[2], 30);
}

TEST_F(TableEditorsTest, BalsaAndBassRegressions)
{
    const struct {
        bool balsa, metric;
        float density, clamped, youngs, bending;
    } cases[] = {
        {true, false, 40, 28, 1515.15f * 784 + 13030.3f * 28 + 3636.36f, 10.8586f * 784 + 117.273f * 28 - 67.273f},
        {true, false, 2, 4, 1515.15f * 16 + 13030.3f * 4 + 3636.36f, 10.8586f * 16 + 117.273f * 4 - 67.273f},
        {false, false, 50, 36, 55413.0f * 36, static_cast<float>(-192970.32 / (1 - 454.691 * std::exp(-0.09014413 * 36)))},
        {true, true, 0.01f, 0.0044002f, 0, 0},
        {false, true, 0.0001f, 0.0018859f, 55413.0f * (0.0018859f / 0.00015715f) * 0.6895f, 0},
    };
    for (const auto& k : cases) {
        float d = k.density;
        const WoodProperties p = k.balsa ? BalsaFromDensity(d, k.metric) : BassFromDensity(d, k.metric);
        EXPECT_FLOAT_EQ(d, k.clamped);
        if (k.youngs) {
            EXPECT_NEAR(p.youngs, k.youngs, k.youngs * 1e-5);
        }
        if (k.bending) {
            EXPECT_NEAR(p.bending, k.bending, std::fabs(k.bending) * 1e-5);
        }
        EXPECT_NEAR(p.shear, p.youngs * 0.0625f, p.youngs * 1e-6);
    }
    // Through the dialog: the density field keeps the clamped value.
    MaterialEditor e(c);
    e.Init();
    c.SetText(IDC_MAT_DENSITY, "40");
    e.Balsa();
    EXPECT_EQ(c.Text(IDC_MAT_DENSITY), "28");
    EXPECT_EQ(g_Materials[1].density, 28);
}

TEST_F(TableEditorsTest, SectionsFromDimensions)
{
    const struct {
        float r, beta;
    } betas[] = {{1, 0.141f}, {1.25f, 0.141f}, {1.5f, 0.196f}, {3, 0.263f}, {10, 0.312f}, {10.5f, 0.333f}};
    for (const auto& b : betas) EXPECT_EQ(TorsionCoefficient(b.r), b.beta) << b.r;
    // A 3/8 high, 1/8 wide stick: stiffer and stronger about zz than about yy.
    const SectionProperties s = RectangularSection(0.375f, 0.125f, false);
    EXPECT_FLOAT_EQ(s.torsion, 0.263f * 0.125f * 0.125f * 0.125f * 0.375f);
    EXPECT_FLOAT_EQ(s.izz, 0.125f * 0.375f * 0.375f * 0.375f / 12);
    EXPECT_FLOAT_EQ(s.szz, 0.125f * 0.375f * 0.375f / 6);
    EXPECT_FLOAT_EQ(s.iyy, 0.375f * 0.125f * 0.125f * 0.125f / 12);
    EXPECT_FLOAT_EQ(s.syy, 0.375f * 0.125f * 0.125f / 6);
    const SectionProperties d = RectangularSection(0.375f, 0.125f, true);
    EXPECT_TRUE(d.area == s.area && d.iyy == 2 * s.iyy && d.torsion == 2 * s.torsion);

    ShapeEditor e(c);
    e.Init();
    EXPECT_EQ(c.Text(IDC_SHP_ROW), "1 - Unused");
    e.Next();
    EXPECT_EQ(c.Text(IDC_SHP_ROW), "2 - Used");
    // Circular: the width follows the diameter; doubled from the separation on screen.
    c.SetText(IDC_SHP_HEIGHT, "0.25");
    c.SetText(IDC_SHP_WIDTH, "0.9");
    c.SetText(IDC_SHP_SEPARATION, "0.5");
    c.SetText(IDC_SHP_IX, "-4");  // replaced, so not checked
    e.Section(true);
    EXPECT_TRUE(backend.Boxes().empty());
    const SectionProperties circle = CircularSection(0.25f, true);
    EXPECT_EQ(c.Text(IDC_SHP_WIDTH), "0.25");
    EXPECT_TRUE(g_Shapes[2].width == 0.25f && g_Shapes[2].sectionKind == 1 && g_Shapes[2].spacing == 0.5f);
    EXPECT_EQ(g_Shapes[2].inertiaYY, circle.iyy);
    EXPECT_EQ(c.Text(IDC_SHP_SECTION_LABEL), "Circular cross section");
    // A height out of range changes nothing.
    c.SetText(IDC_SHP_HEIGHT, "11");
    e.Section(false);
    EXPECT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(g_Shapes[2].sectionKind, 1);
    // Rectangular, doubled (the separation is stored): the values about yy reach the row and the dialog.
    c.SetText(IDC_SHP_HEIGHT, "0.375");
    c.SetText(IDC_SHP_WIDTH, "0.125");
    e.Section(false);
    EXPECT_TRUE(g_Shapes[2].inertiaYY == 2 * s.iyy && g_Shapes[2].modulusYY == 2 * s.syy);
    EXPECT_NEAR(c.Number(IDC_SHP_SY), 2 * s.syy, 1e-8);
}

TEST_F(TableEditorsTest, ShapeCopyPasteTakesTheUnitsAndCancelKeepsPagedRows)
{
    g_Shapes[3].metricRow = 1;
    ShapeEditor e(c);
    e.Init();
    e.Next();
    e.Next();  // row 3, metric
    EXPECT_EQ(c.Text(IDC_SHP_HEIGHT_LABEL), "Height (cm.)");
    c.SetText(IDC_SHP_AREA, "0.5");
    e.Copy();
    EXPECT_EQ(g_Shapes[3].area, 0.5f);
    e.Next();  // row 4, U.S.
    EXPECT_EQ(c.Text(IDC_SHP_SY_LABEL), "Sy (in.^3)");
    e.Paste();
    EXPECT_TRUE(g_Shapes[4].metricRow == 1 && g_Shapes[4].area == 0.5f);
    EXPECT_EQ(std::string(g_Shapes[4].name), "3/16x3/16");
    EXPECT_EQ(c.Text(IDC_SHP_SY_LABEL), "Sy (cm^3)");
    // Default uses the model's unit system.
    e.Default();
    EXPECT_TRUE(g_Shapes[4].metricRow == 0 && std::string(g_Shapes[4].name) == "1/4x1/4");
}

}  // namespace
