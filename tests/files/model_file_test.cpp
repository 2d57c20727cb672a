#include "files/model_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace fs = std::filesystem;

namespace {

std::string DataPath(const char* name) { return std::string(TF3D_TEST_DATA) + "/model_file/" + name; }

// Settings away from their start-up values; flags in patterns that show a swapped pair.
void ScrambleSettings()
{
    g_nWorkspaceX = 40; g_nWorkspaceY = 20; g_nWorkspaceZ = 30;
    g_fAngularSpeed = 0.3f; g_fLinearSpeed = 1.5f; g_bSoundOn = 0;
    g_bShowJoints = 0; g_bShowLoads = 1; g_bShowSupports = 0; g_bShowXYBasePlane = 1; g_bShowYZBasePlane = 0;
    g_bShowXZBasePlane = 0; g_bShowRulers = 1; g_bShowOrigin = 1; g_bShowFocus = 0;
    g_fJointSize = 0.375f; g_fOriginX = 1.25f; g_fOriginY = -2.5f; g_fOriginZ = 3.125f;
    g_dEyeX = 10.123456789; g_dEyeY = -11.5; g_dEyeZ = 12.75; g_dCenterX = 1.1; g_dCenterY = 2.2; g_dCenterZ = 3.3;
    g_fOrbitAngle = 0.697f; g_fOrbitAngleB = -1.2f;
    g_fGuidePlaneY = 4.5f; g_fGuidePlaneX = 5.5f; g_fGuidePlaneZ = 6.5f;
    g_nDefaultShape = 7; g_nDefaultMaterial = 3;
    g_fDefaultRotation = 45; g_fDefaultOffsetY = 0.25f; g_fDefaultOffsetZ = -0.125f;
    g_bShowGuideXY = 0; g_bShowGuideXZ = 1; g_bShowGuideYZ = 0;
    g_fAmbientLightR = 0.1f; g_fAmbientLightG = 0.2f; g_fAmbientLightB = 0.3f;
    g_fDirectLightR = 0.4f; g_fDirectLightG = 0.5f; g_fDirectLightB = 0.6f;
    g_fBackgroundR = 0.7f; g_fBackgroundG = 0.8f; g_fBackgroundB = 0.9f;
    const float limits[6] = {1, 2, 3, 0.4f, 0.5f, 0.6f};
    std::copy(limits, limits + 6, g_fDisplacementLimits);
    g_fFrontAxleLoad = 4.25f; g_fRearAxleLoad = 8.5f;
    g_bOutBillOfMaterials = 0; g_bOutJointData = 1; g_bOutMemberData = 0; g_bOutLoadData = 0;
    g_bOutMaterialData = 1; g_bOutReserved = 0; g_bOutShapeData = 1; g_bOutStrengthRatios = 0;
    g_bOutUltimateForces = 1; g_bOutActualForces = 0;
    SetMagnificationRadio(50);
    g_bConsiderAxial = 0; g_bConsiderBending = 1; g_bConsiderShear = 1; g_bConsiderTorsion = 0;
    g_bColorAxialStresses = 0; g_bColorBendingStresses = 1; g_bColorFailedMembers = 0;
    g_bNoAnimation = 0; g_bAnimateDisplacement = 1; g_bAnimateCollapse = 0;
}

// A template with every table field the file carries away from the template's and the start-up values.
void LoadModel(void (*build)() = BuildBridgeTemplate, bool scramble = false)
{
    ResetAllShapes(); ResetAllMaterials();
    build();
    if (!scramble) return;
    for (int k = 1; k <= g_nJoints; ++k) {
        JointRec& j = g_Joints[k];
        j.fileWord1 = k; j.fileWord2 = -3 * k; j.restraintRX = k % 2; j.restraintRZ = (k + 1) % 2;
        j.momentX = 0.5f * k; j.momentY = -0.25f * k; j.momentZ = 0.1f * k;
        j.forceX = 1.5f * k; j.forceY = -2.0f * k; j.forceZ = 0.333f * k;
        j.translatedX = k % 2; j.translatedY = (k % 3 == 0); j.translatedZ = (k % 5 == 0);
    }
    for (int i = 1; i <= g_nMembers; ++i) {
        MemberRec& m = g_Members[i];
        m.effLengthYY = 0.9f * i; m.effLengthZZ = 1.1f * i; m.userEffYY = i % 2; m.userEffZZ = (i % 3 == 0);
        m.offsetY = 0.01f * i; m.offsetZ = -0.02f * i; m.colorR = 0.01f * i; m.colorG = 0.5f; m.colorB = 1 - 0.01f * i;
        m.shape = 1 + i % 10; m.material = 1 + (i * 3) % 10; m.rollAngle = (i % 7) * 15 - 45; m.useTorsion = i % 2;
        m.momentYY1 = i % 3 != 0; m.momentZZ1 = i % 4 != 0; m.momentYY2 = i % 5 != 0; m.momentZZ2 = i % 6 != 0;
    }
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        snprintf(g_Shapes[r].name, sizeof g_Shapes[r].name, " Shape %d  with blanks  ", r);
        g_Shapes[r].sectionKind = r % 2;
        g_Shapes[r].spacing = r == 4 ? 0.125f : 0;
        snprintf(g_Materials[r].name, sizeof g_Materials[r].name, "Material %d ", r);
    }
    ScrambleSettings();
}

class ModelFileTest : public Tf3dTest {
protected:
    // Saves, starts over as File/Open Model does and reads the file back; returns the saved lines.
    std::vector<std::string> SaveAndReopen()
    {
        EXPECT_EQ(WriteModelFile(path_), 1);
        const auto lines = CrlfLines(path_);
        ResetAllGlobals();
        ClearModel();
        EXPECT_EQ(OpenModelFile(path_), 1);
        return lines;
    }

    // Everything read back is saved again unchanged: no field is lost, swapped or rounded.
    void ExpectSavedAgainAs(const std::vector<std::string>& expected)
    {
        ASSERT_EQ(WriteModelFile(path_), 1);
        ExpectSameLines(CrlfLines(path_), expected);
    }

    int OpenText(const std::string& text)
    {
        WriteBytes(path_, text);
        return OpenModelFile(path_);
    }

    // Starts from nothing, sets what preset sets and opens one of the hand-written files.
    int OpenFresh(const char* name, void (*preset)() = [] {})
    {
        ResetAllGlobals();
        ClearModel();
        preset();
        return OpenModelFile(DataPath(name));
    }

    bool NoTempFiles()
    {
        for (const auto& e : fs::directory_iterator(dir_.path))
            if (e.path().filename().string().find(".tmp") != std::string::npos) return false;
        return true;
    }

    TempFolder dir_{"tf3d_model_file"};
    std::string path_ = dir_ / "model.3dd";
};

TEST_F(ModelFileTest, RoundTripKeepsEveryFieldAndClampsTheWorkspace)
{
    struct Case { int metric; short ws[3], clamped[3]; const char* line; float jointSize; int small, large; };
    const Case cases[] = {{0, {60, 30, 49}, {48, 30, 48}, "48 30 48", 0.375f, 0, 1},
                          {1, {150, 120, 121}, {120, 120, 120}, "120 120 120", 0.1f, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ResetAllGlobals();
        SetMetricUnits(c.metric);
        LoadModel(BuildBridgeTemplate, true);
        g_nWorkspaceX = c.ws[0], g_nWorkspaceY = c.ws[1], g_nWorkspaceZ = c.ws[2], g_fJointSize = c.jointSize;
        ASSERT_EQ(WriteModelFile(path_), 1);
        // the save clamps the globals themselves
        EXPECT_EQ(Mismatches({{g_nWorkspaceX, c.clamped[0]}, {g_nWorkspaceY, c.clamped[1]},
                              {g_nWorkspaceZ, c.clamped[2]}}), "");
        const auto saved = SaveAndReopen();
        EXPECT_EQ(saved[saved.size() - 17], c.line);
        EXPECT_EQ(Mismatches({{g_bMetricUnits, c.metric}, {g_bUnitsUS, 1 - c.metric}, {g_nFileUnits, c.metric},
                              {g_nFileShapes + g_nFileMaterials, 20}, {g_Shapes[3].metricRow, c.metric},
                              {g_dEyeX, 10.123457}, {g_fMagnification, 50}, {g_bJointSizeSmall, c.small},
                              {g_bJointSizeDefault, 0}, {g_bJointSizeLarge, c.large}}), "");
        ExpectSavedAgainAs(saved);
    }
}

TEST_F(ModelFileTest, ProjectsReopenWithTruckOrFan)
{
    // a bridge with the truck on the deck; loads off and supports on is what reading a bridge sets anyway
    LoadModel();
    SetDefaultViewSettings();
    OrientDeckMembers();
    ScrambleSettings();
    g_bBridgeProject = g_bShowSupports = g_bFindBreakingForces = 1;
    g_bShowLoads = 0;
    FindDeckExtent();
    PlaceTruckAtStart();
    const float truck[3] = {g_fTruckX, g_fTruckY, g_fTruckZ};
    auto saved = SaveAndReopen();
    EXPECT_TRUE(g_bBridgeProject && g_bTruckActive && g_bUseTruck);
    EXPECT_FALSE(g_bTowerProject || g_bFindBreakingForces);
    EXPECT_EQ(Mismatches({{g_nDeckFirstMember, 1}, {g_nDeckFirstJoint, 1}, {g_fDeckMinX, 11.75f},
                          {g_fDeckMaxX, 24.25f}, {g_fTruckX, truck[0]}, {g_fTruckY, truck[1]},
                          {g_fTruckZ, truck[2]}}), "");
    ExpectSavedAgainAs(saved);
    // a tower reopens in U.S. units whatever the counts line says, and a 4.0 tower file keeps its magnification
    ResetAllGlobals();
    LoadModel(SetupTowerProject, true);
    g_bTowerProject = 1, g_fWindSpeed = 82.5f;
    SetMetricUnits(1);
    saved = SaveAndReopen();
    EXPECT_TRUE(g_bTowerProject && g_bUseFan && !g_bBridgeProject);
    EXPECT_EQ(Mismatches({{g_nFileUnits, 1}, {g_bMetricUnits, 0}, {g_bUnitsUS, 1}, {g_fWindSpeed, 82.5f},
                          {g_fMagnification, 50}}), "");
    saved[2].back() = '0';
    ExpectSavedAgainAs(saved);
}

TEST_F(ModelFileTest, OpeningKeepsWhatTheFileDoesNotCarryAndRefreshesTheView)
{
    LoadModel();
    ASSERT_EQ(WriteModelFile(path_), 1);
    g_Members[3].negated = g_Members[4].hidden = g_Joints[5].mark = 1, g_Shapes[0].area = 9, g_nAnimInterval = 500;
    int* const lists[] = {&g_bListTruckBuilt,     &g_bListFanBuilt,        &g_bListXZBasePlaneBuilt,
                          &g_bListYZBasePlaneBuilt, &g_bListXYBasePlaneBuilt, &g_bListXZGuideBuilt,
                          &g_bListYZGuide1Built,  &g_bListYZGuide2Built,   &g_bListYZGuide3Built,
                          &g_bListYZGuide4Built,  &g_bListXYGuide1Built,   &g_bListXYGuide2Built,
                          &g_bListRuler1Built,    &g_bListRuler2Built,     &g_bListRuler3Built};
    for (int* f : lists) *f = 1;
    g_bListMembersBuilt = 1;
    static int resized;
    static float clear[2];
    resized = 0;
    g_pfnResizeViewportToView = [] { ++resized; };
    auto previousClear = g_pfnSetClearColor;
    g_pfnSetClearColor = [](float r, float, float, float a) { clear[0] = r, clear[1] = a; };
    g_fBackgroundR = 0.1f;  // the file's background wins
    const int result = OpenModelFile(path_);
    g_pfnSetClearColor = previousClear;
    g_pfnResizeViewportToView = nullptr;
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(g_Members[3].negated && g_Members[4].hidden && g_Joints[5].mark);
    for (int* f : lists) EXPECT_EQ(*f, 0);
    EXPECT_EQ(Mismatches({{g_Shapes[0].area, 9}, {g_nAnimInterval, 500}, {g_bListMembersBuilt, 1}, {resized, 1},
                          {clear[0], 0.75f}, {clear[1], 1}}), "");
}

TEST_F(ModelFileTest, WritesTheVersion40LayoutWithCrLfAndPointsInAnyLocale)
{
    const CommaLocale comma;  // where one is installed
    g_nJoints = 2, g_nMembers = 1;
    JointRec& j = g_Joints[2];
    j.x = 1.5f; j.y = -2.25f; j.z = 1e-7f;
    j.restraintTX = 1; j.restraintTY = 0; j.restraintTZ = 1; j.restraintRX = 0; j.restraintRY = 1; j.restraintRZ = 0;
    j.fileWord1 = 5; j.fileWord2 = -6;
    j.momentX = 1; j.momentY = 2; j.momentZ = 3; j.forceX = 4; j.forceY = 5; j.forceZ = 6;
    j.translatedX = 1; j.translatedY = 2; j.translatedZ = 0;  // only a 1 is saved as 1
    MemberRec& m = g_Members[1];
    m.jointA = 1; m.jointB = 2; m.effLengthYY = 3.5f; m.effLengthZZ = 4.25f;
    m.userEffYY = 5; m.userEffZZ = 0;  // any non-zero value is saved as 1
    m.offsetY = 0.125f; m.offsetZ = -0.5f; m.shape = 3; m.material = 4; m.runner = 1; m.rollAngle = 90;
    m.useTorsion = 0; m.momentYY1 = 1; m.momentZZ1 = 0; m.momentYY2 = 1; m.momentZZ2 = 0;
    m.colorR = 0.25f; m.colorG = 0.5f; m.colorB = 0.75f;
    ShapeRec& s = g_Shapes[1];
    std::strcpy(s.name, "A b ");
    s.metricRow = 1; s.sectionKind = 1; s.height = 0.5f; s.width = 0.25f; s.area = 0.125f;
    s.torsionConst = 0.0009765625f; s.inertiaYY = 0.001953125f; s.inertiaZZ = 0.00048828125f;
    s.modulusYY = 0.0009765625f; s.modulusZZ = 0.5f; s.spacing = 0.0625f;
    MaterialRec& mat = g_Materials[10];
    std::strcpy(mat.name, "Wood");
    mat.colorR = 0.5f; mat.colorG = 0.25f; mat.colorB = 0.125f; mat.metricRow = 3;
    mat.shearModulus = 25000; mat.youngsModulus = 400000; mat.density = 12;
    mat.ultTensionStress = 1; mat.ultCompressionStress = 2; mat.ultBendingStress = 3; mat.ultShearStress = 4;
    ScrambleSettings();
    g_bSoundOn = 7;
    g_bTowerProject = 3;
    ASSERT_EQ(WriteModelFile(path_), 1);
    const auto lines = CrlfLines(path_);
    ASSERT_EQ(lines.size(), 3u + 2 + 1 + 2 + 40 + 50 + 17);
    ExpectLinesAt(lines, 0, {"Trussforge3D", "4.000000", "10 10 2 1 0",
                             "1 0.000000 0.000000 0.000000 1 1 1 1 1 1 0 0",
                             "2 1.500000 -2.250000 0.000000 1 0 1 0 1 0 5 -6",
                             "1 1 2 3.500000 4.250000 1 0 0.125000 -0.500000 3 4 1 90.000000 0 1 0 1 0 0.250000 "
                             "0.500000 0.750000",
                             "1 0.000000 0.000000 0.000000 0.000000 0.000000 0.000000 0 0 0",
                             "2 1.000000 2.000000 3.000000 4.000000 5.000000 6.000000 1 0 0",
                             "1", "A b ", "1 1 0.500000 0.250000 0.125000",
                             "0.00097656250 0.00195312500 0.00048828125 0.0009765625 0.5000000000 0.062500", "2"});
    ExpectLinesAt(lines, 8 + 40 + 45,
                  {"10", "Wood", "0.500000 0.250000 0.125000", "0 400000.000000 25000.000000 12.000000",
                   "1.000000 2.000000 3.000000 4.000000"});
    ExpectLinesAt(lines, lines.size() - 17,
                  {"40 20 30", "0.300000 1.500000 1", "0 1 0 1 0 0 1 1 0",
                   "0.375000 1.250000 -2.500000 3.125000 10.123457 -11.500000 12.750000 1.100000 2.200000 3.300000 "
                   "0.697000 -1.200000",
                   "4.500000 5.500000 6.500000", "7 3", "45.000000 0.250000 -0.125000", "0 1 0",
                   "0.100000 0.200000 0.300000 0.400000 0.500000 0.600000 0.700000 0.800000 0.900000",
                   "1.000000 2.000000 3.000000 0.400000 0.500000 0.600000", "4.250000 8.500000",
                   "0 1 0 0 1 0 1 0 1 0", "0 0 0 0 0 1 0", "0 1 1 0", "0 1 0 0 1 0", "0", "1 75.000000"});
    EXPECT_EQ(Mismatches({{g_nFileShapes, 10}, {g_nFileMaterials, 10}}), "");
    ASSERT_EQ(OpenModelFile(path_), 1);
    EXPECT_EQ(Mismatches({{g_Joints[2].x, 1.5f}, {g_Joints[2].y, -2.25f}, {g_fOriginZ, 3.125f}}), "");
}

TEST_F(ModelFileTest, ReadsHandWrittenFilesOfEveryVersion)
{
    ASSERT_EQ(OpenFresh("v40.3dd"), 1);
    // moments before forces, yy before zz, E before G; a flag saved as 2 is not 1;
    // 0.25 is none of the three joint sizes; every non-zero magnification item is set, the last decides;
    // a zero tower value changes nothing
    EXPECT_EQ(Mismatches({{g_nJoints, 3}, {g_nMembers, 2}, {g_nFileShapes, 2}, {g_nFileMaterials, 2},
                          {g_Joints[2].momentX, 1.5f}, {g_Members[1].effLengthYY, 9.5f},
                          {g_Materials[1].youngsModulus, 400000},
                          {g_Joints[2].translatedX, 1}, {g_Joints[2].translatedY, 0}, {g_Members[1].userEffYY, 1},
                          {g_Members[1].userEffZZ, 0}, {g_Shapes[1].metricRow, 1}, {g_Shapes[2].metricRow, 0},
                          {g_Materials[2].metricRow, 0}, {g_Shapes[2].modulusZZ, 0.0104170004f},
                          {g_fJointSize, 0.25f}, {g_bJointSizeSmall + g_bJointSizeDefault + g_bJointSizeLarge, 0},
                          {g_bMagnify2, 1}, {g_bMagnify20, 1}, {g_bMagnify10, 0}, {g_fMagnification, 20},
                          {g_bBridgeProject + g_bTowerProject, 0}, {g_fWindSpeed, 75}}), "");
    EXPECT_STREQ(g_Shapes[1].name, " Stick  1/8 x 1/8  ");
    EXPECT_STREQ(g_Materials[1].name, "  Balsa  hard  ");
    EXPECT_STREQ(g_Shapes[3].name, "");  // rows past the count are not read
    // 3.0 has no offsets, no section kinds and nothing after the workspace line; it keeps the
    // translated and metric flags as read
    ASSERT_EQ(OpenFresh("v30.3dd", [] {
        g_Members[1].offsetY = 0.25f, g_Shapes[1].sectionKind = 1, g_fLinearSpeed = 7;
        g_bBridgeProject = g_bTowerProject = 1;
    }), 1);
    const MemberRec& m = g_Members[1];
    EXPECT_EQ(Mismatches({{g_nJoints, 2}, {g_nMembers, 1}, {m.effLengthZZ, 11}, {m.offsetY, 0.25f}, {m.offsetZ, 0},
                          {m.shape, 3}, {m.material, 4}, {m.rollAngle, 30}, {m.colorB, 0.7f},
                          {g_Shapes[1].sectionKind, 1}, {g_Shapes[1].height, 0.25f}, {g_Shapes[1].modulusZZ, 0.005f},
                          {g_Materials[1].youngsModulus, 100}, {g_Joints[2].translatedX, 2},
                          {g_Shapes[1].metricRow, 2}, {g_Materials[1].metricRow, 3}, {g_nWorkspaceZ, 24},
                          {g_fLinearSpeed, 7}, {g_bBridgeProject, 1}, {g_bTowerProject, 1}}), "");
    // 3.1 adds the offsets and the settings up to the results line; workspace read as is, no project line
    ASSERT_EQ(OpenFresh("v31.3dd", [] { g_bBridgeProject = 1; }), 1);
    EXPECT_EQ(Mismatches({{g_bMetricUnits, 1}, {m.offsetZ, -0.5f}, {m.userEffZZ, 1}, {g_Joints[2].translatedY, 3},
                          {g_nWorkspaceX, 100}, {g_fLinearSpeed, 4}, {g_bJointSizeSmall, 1}, {g_fBackgroundR, 0.1f},
                          {g_bMagnify100, 1}, {g_fMagnification, 100}, {g_bAnimateCollapse, 1},
                          {g_bBridgeProject, 1}}), "");
    // a 3.2 tower turns to U.S. units and magnification 2; 0.26 is the default joint size
    ASSERT_EQ(OpenFresh("v32_tower.3dd"), 1);
    EXPECT_TRUE(g_bTowerProject && g_bUseFan);
    EXPECT_EQ(Mismatches({{g_nJoints, 1}, {g_nFileUnits, 1}, {g_bMetricUnits, 0}, {g_fWindSpeed, 60},
                          {g_fMagnification, 2}, {g_bMagnify2, 1}, {g_bMagnify100, 0}, {g_bJointSizeDefault, 1}}), "");
    // a 3.3 bridge places the truck, turns the loads off and the supports on
    ASSERT_EQ(OpenFresh("v33_bridge.3dd"), 1);
    EXPECT_TRUE(g_bBridgeProject && g_bTruckActive && g_bUseTruck && !g_bTowerProject);
    EXPECT_EQ(Mismatches({{g_bShowLoads, 0}, {g_bShowSupports, 1}, {g_nDeckFirstMember, 2}, {g_fDeckMinX, 2},
                          {g_fDeckMaxX, 8}, {g_fTruckX, 2 + 5.3125f}, {g_fTruckZ, 13 - 1.03125f}}), "");
    EXPECT_FLOAT_EQ(g_fTruckY, 0.125f + 6 + 0.1f);
    // a 3.3 file may end before the tower line
    ASSERT_EQ(OpenFresh("v33_no_tower.3dd", [] { g_fWindSpeed = 12; }), 1);
    EXPECT_EQ(Mismatches({{g_bTowerProject, 0}, {g_fWindSpeed, 12}, {g_fMagnification, 100}}), "");
    // a 4.0 file may not; nothing of it is taken
    std::string text = ReadBytes(DataPath("v40.3dd"));
    const std::string before = ModelFileText();
    EXPECT_EQ(OpenText(text.substr(0, text.rfind("0 80.000000"))), 0);
    EXPECT_EQ(ModelFileText(), before);
}

TEST_F(ModelFileTest, RefusedVersionsLeaveTheModelAlone)
{
    LoadModel(BuildBridgeTemplate, true);
    const std::string good = ReadBytes(DataPath("v40.3dd"));
    const size_t version = good.find("4.000000");
    for (const char* v : {"3.250000", "5.000000", "0.000000", "3.05", "4.0x", "-4.000000", "nan", "inf", ""}) {
        std::string text = good;
        EXPECT_EQ(OpenText(text.replace(version, 8, v)), 0) << v;
        EXPECT_EQ(Mismatches({{g_nJoints, 30}, {g_nMembers, 41}, {g_Joints[1].x, 11.75f},
                              {g_Members[1].effLengthYY, 0.9f}, {g_nWorkspaceX, 40}, {g_fMagnification, 50}}), "")
            << v;
    }
    // other spellings of a known version are fine
    for (const char* v : {"4", "4.0", "4.000000000", "+4.0"}) {
        std::string text = good;
        EXPECT_EQ(OpenText(text.replace(version, 8, v)), 1) << v;
    }
}

TEST_F(ModelFileTest, ReadsCrLfLfAndMixedLineEndsAlikeAndNamesToTheirLimits)
{
    const std::string lf = ReadBytes(DataPath("v40.3dd"));
    std::string mixed;
    int n = 0;
    for (char c : lf) {
        if (c == '\n' && (n++ % 2)) mixed += '\r';
        mixed += c;
    }
    for (const std::string& text : {lf, ToCrlf(lf), mixed}) {
        ResetAllGlobals();
        ClearModel();
        ASSERT_EQ(OpenText(text), 1);
        EXPECT_STREQ(g_Shapes[1].name, " Stick  1/8 x 1/8  ");
        EXPECT_STREQ(g_Shapes[2].name, "Plain");
        EXPECT_STREQ(g_Materials[2].name, "Bass");
        EXPECT_EQ(Mismatches({{g_Shapes[2].spacing, 0}, {g_fMagnification, 20}}), "");
    }
    // a blank after a name's row number becomes part of the name line
    std::string text = lf;
    text.replace(text.find("\nBass\n"), 6, "\n Bass\n");
    ASSERT_EQ(OpenText(text), 1);
    EXPECT_STREQ(g_Materials[2].name, " Bass");
    text = lf;
    text.replace(text.find("2\nBass\n"), 7, "2 \nBass\n");
    EXPECT_EQ(OpenText(text), 0);  // the name would be empty and "Bass" a bad number
    // names up to 55 characters, a title up to 255
    const std::string name55(55, 'n');
    text = lf;
    ASSERT_EQ(OpenText(std::string(255, 't') + text.replace(text.find("Plain"), 5, name55)), 1);
    EXPECT_EQ(std::string(g_Shapes[2].name), name55);
    text = lf;
    EXPECT_EQ(OpenText(text.replace(text.find("Plain"), 5, name55 + "n")), 0);
    EXPECT_EQ(OpenText(std::string(256, 't') + lf), 0);
}

TEST_F(ModelFileTest, SaveReplacesTheFileInPlaceOrKeepsThePreviousOne)
{
    WriteBytes(path_, "old contents");
    ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
    ASSERT_EQ(WriteModelFile(path_), 1);
    ExpectLinesAt(CrlfLines(path_), 0, {"Trussforge3D"});
    struct stat st;
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(NoTempFiles());
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
    // through a symbolic link the linked file is written and the link stays
    const std::string link = dir_ / "link.3dd";
    ASSERT_EQ(symlink(path_.c_str(), link.c_str()), 0);
    WriteBytes(path_, "old");
    ASSERT_EQ(WriteModelFile(link), 1);
    EXPECT_TRUE(fs::is_symlink(link));
    ExpectLinesAt(CrlfLines(path_), 0, {"Trussforge3D"});
    // a write that fails part way keeps the previous file and says so
    LoadModel();
    WriteBytes(path_, "previous model");
    EXPECT_EQ(WithFileSizeLimit(2000, [&] { return WriteModelFile(path_); }), 0);
    EXPECT_EQ(ReadBytes(path_), "previous model");
    EXPECT_TRUE(NoTempFiles());
    ASSERT_EQ(backend.Count(platform::Event::Box), 1);
    EXPECT_EQ(backend.Boxes()[0].text, "Access Denied!\nYour file was not saved.");
}

TEST_F(ModelFileTest, MetricRowsAndTinyValuesReadBackExactlyAndNonFiniteIsNeverWritten)
{
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    g_Shapes[3].torsionConst = 3e-9f;
    g_Materials[4].ultShearStress = 7.5e-7f;
    ShapeRec shapes[TABLE_ROWS];
    MaterialRec materials[TABLE_ROWS];
    std::copy(g_Shapes, g_Shapes + TABLE_ROWS, shapes);
    std::copy(g_Materials, g_Materials + TABLE_ROWS, materials);
    const auto lines = SaveAndReopen();
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(std::memcmp(&g_Shapes[r], &shapes[r], sizeof(ShapeRec)), 0);
        EXPECT_EQ(std::memcmp(&g_Materials[r], &materials[r], sizeof(MaterialRec)), 0);
    }
    // Numbers that round-trip in six decimals keep the old form.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 0 0.317500 0.317500 0.10080625"), lines.end());

    // A number that is not finite: nothing written, the old file kept, the user told.
    const std::string before = ReadBytes(path_);
    g_Joints[1].x = std::nanf("");
    g_nJoints = 1;
    backend.Clear();
    EXPECT_EQ(WriteModelFile(path_), 0);
    EXPECT_EQ(ReadBytes(path_), before);
    ASSERT_EQ(backend.Count(platform::Event::Box), 1);
    EXPECT_EQ(backend.Boxes()[0].text, "The model holds a number that is not finite.\nYour file was not saved.");
    g_Joints[1].x = 0;
    g_Materials[2].density = -INFINITY;
    EXPECT_EQ(WriteModelFile(path_), 0);
    EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(ModelFileTest, SaveKeepsHardLinksTogether)
{
    LoadModel();
    WriteBytes(path_, "old");
    const std::string other = dir_ / "other.3dd";
    ASSERT_EQ(link(path_.c_str(), other.c_str()), 0);
    ASSERT_EQ(WriteModelFile(other), 1);
    EXPECT_EQ(ReadBytes(path_), ReadBytes(other));
    ExpectLinesAt(CrlfLines(path_), 0, {"Trussforge3D"});
    EXPECT_TRUE(NoTempFiles());
}

TEST_F(ModelFileTest, UnwritableTargetShowsAccessDenied)
{
    std::vector<std::string> targets = {dir_ / "no/such/folder/model.3dd", dir_.path, ""};
    if (geteuid() != 0) {  // root writes anywhere
        WriteBytes(path_, "old contents");
        chmod(path_.c_str(), 0444);
        targets.push_back(path_);
    }
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        backend.Clear();
        g_nWorkspaceX = 100;
        EXPECT_EQ(WriteModelFile(target), 0);
        const auto boxes = backend.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Access Denied!\nYour file was not saved.");
        EXPECT_EQ(boxes[0].caption, "Trussforge3D");
        EXPECT_EQ(boxes[0].flags, platform::MB_OK | platform::MB_ICONSTOP);
        EXPECT_EQ(g_nWorkspaceX, 100);  // nothing written, nothing clamped
    }
    if (geteuid() != 0) {
        EXPECT_EQ(ReadBytes(path_), "old contents");
    }
    EXPECT_TRUE(NoTempFiles());
}

TEST_F(ModelFileTest, OpenRefusesWhatIsNotARegularFile)
{
    EXPECT_EQ(OpenModelFile(dir_ / "missing.3dd"), 0);
    EXPECT_EQ(OpenModelFile(dir_.path), 0);
    EXPECT_EQ(OpenModelFile("/dev/zero"), 0);
    const std::string fifo = dir_ / "fifo.3dd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(OpenModelFile(fifo), 0);  // and does not wait for a writer
}

}  // namespace
