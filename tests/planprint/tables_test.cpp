// Planprint's records, default tables and rounding.
#include <cmath>

#include "planprint_test.h"

using TablesTest = PlanprintTest;

TEST_F(TablesTest, RoundToRoundsToTheNearestStepAlsoBelowZero)
{
    struct Case {
        float x;
        int n;
        float expected;
    };
    const Case cases[] = {
        {1.26f, 2, 1.5f}, {1.24f, 2, 1.0f},   {-0.3f, 2, -0.5f},     {-1.0f, 8, -1.0f},
        {1.30f, 8, 1.25f}, {-0.5f, 8, -0.5f}, {-0.01f, 8, 0.0f},     {5.4f, 1, 5.0f},
        {5.525f, 1, 6.0f}, {3.75f, 2, 4.0f},  {-0.0625f, 8, 0.0f},   {2.25f, 2, 2.5f},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundTo(c.x, c.n), c.expected) << c.x << " / " << c.n;
}

TEST_F(TablesTest, StandardSectionsByIndex)
{
    struct Case {
        int index;
        bool metric;
        const char* name;
        float height, width, area;
    };
    const Case cases[] = {
        {1, false, "3/32x3/32", 0.09375f, 0.09375f, 0.0087890625f},
        {9, false, "1/8x3/8", 0.375f, 0.125f, 0.046875f},
        {10, false, "1/4x1/2", 0.5f, 0.25f, 0.125f},
        {0, true, "NOT USED", 0.01f, 0.01f, 1e-6f},
        {8, true, "1/8x1/4", 0.635f, 0.3175f, 0.20161f},
    };
    for (const Case& c : cases) {
        CSection s;
        c.metric ? s.SetStandardMetric(c.index) : s.SetStandard(c.index);
        EXPECT_TRUE(s.strName == c.name && s.fHeight == c.height && s.fWidth == c.width &&
                    std::fabs(s.fArea - c.area) < 1e-7f)
            << c.index;
    }
    // Outside the table: unchanged.
    CSection s;
    s.SetStandard(9);
    for (int index : {-1, 11}) {
        s.SetStandard(index);
        s.SetStandardMetric(index);
        EXPECT_EQ(s.strName, "1/8x3/8");
    }
    EXPECT_EQ(g_pSections[4].strName, "1/4x1/4");
    LoadStandardSectionsMetric();
    EXPECT_EQ(g_pSections[4].fHeight, 0.635f);
}

TEST_F(TablesTest, DensityFitsClampTheirDensity)
{
    CMaterial m;
    m.SetFromDensity(3);  // taken as 4 pcf
    EXPECT_EQ(m.fDensity, 4);
    EXPECT_NEAR(m.fE, 80000, 0.05);  // 1515.15 * 16 + 13030.3 * 4 + 3636.36
    EXPECT_NEAR(m.fUltShear, 17.3524 * 4 - 7.2571, 1e-4);
    EXPECT_NEAR(m.fColorR, 0.88235295, 1e-7);
    m.SetFromDensity(30);
    EXPECT_EQ(m.fDensity, 24);
    m.SetFromDensityHeavy(40);
    EXPECT_EQ(m.fDensity, 36);
    EXPECT_NEAR(m.fE, 411.523 * 36 * 36 + 18518.5 * 36, 0.1);

    CMaterialPair pair;
    pair.SetMetricFromDensityHeavy(0.0060f);
    EXPECT_EQ(pair.si.fDensity, 0.0056574f);
    pair.SetMetricFromDensityHeavy(0.0005f);
    EXPECT_EQ(pair.si.fDensity, 0.00078575f);
    pair.SetMetricFromDensity(0.0006286f);  // 4 pcf
    EXPECT_NEAR(pair.si.fE, (1515.15 * 16 + 13030.3 * 4) * 0.6895 + 2507.2703, 0.2);
    EXPECT_NEAR(pair.si.fUltShear, (17.3524 * 4 - 7.2571) * 0.6895, 1e-3);
}

TEST_F(TablesTest, DefaultMaterialsAtStartUp)
{
    // Rows 1..7 light woods of 12..24 pcf, rows 8..10 heavy ones of 26..30.
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(g_pMaterials[row].fDensity, 10.0f + 2 * row) << row;
    EXPECT_NEAR(g_pMaterials[1].fE, 1515.15 * 144 + 13030.3 * 12 + 3636.36, 0.1);
    EXPECT_NEAR(g_pMaterials[8].fE, 411.523 * 676 + 18518.5 * 26, 0.1);
    EXPECT_NEAR(g_pMaterials[7].fColorR, 0.88235295 - 20 * 3.844675e-5, 1e-6);
    EXPECT_EQ(g_pMaterialPairs[7].si.fDensity, 0.0037716f);
    EXPECT_EQ(g_pMaterialPairs[10].si.fDensity, 0.0047145f);
    EXPECT_TRUE(g_pMaterials[1].strName.empty() && g_pMaterials[11].fDensity == 0);
}
