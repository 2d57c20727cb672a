#include "files/model_file.h"

#include <locale.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/clear_model.h"
#include "files/files_globals.h"
#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"
#include "view/view_globals.h"

namespace fs = std::filesystem;

namespace {

std::string DataPath(const char* name) { return std::string(TF3D_TEST_DATA) + "/model_file/" + name; }

std::vector<std::string> Lines(const std::string& crlf)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = crlf.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(crlf.substr(start, end - start));
    return lines;
}

// The value a float field has after going through the file.
float Through(const char* fmt, float v)
{
    char text[128];
    snprintf(text, sizeof text, fmt, v);
    return strtof(text, nullptr);
}
float F(float v) { return Through("%f", v); }
double D(double v)
{
    char text[400];
    snprintf(text, sizeof text, "%f", v);
    return strtod(text, nullptr);
}

// Every setting the file carries, in file order.
struct Settings {
    short ws[3];
    float angular, linear;
    int sound;
    int view[9];
    float jointSize, origin[3];
    double eye[3], center[3];
    float orbit[2], guides[3];
    short defShape, defMaterial;
    float defaults[3];
    int guideShown[3];
    float lights[9], limits[6], axles[2];
    int sections[10], magnify[7];
    float magnification;
    int consider[4], results[6];
    int bridge, tower;
    float wind;
};

Settings Capture()
{
    Settings s = {
        {g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ},
        g_fAngularSpeed, g_fLinearSpeed, g_bSoundOn,
        {g_bShowJoints, g_bShowLoads, g_bShowSupports, g_bShowXYBasePlane, g_bShowYZBasePlane, g_bShowXZBasePlane,
         g_bShowRulers, g_bShowOrigin, g_bShowFocus},
        g_fJointSize, {g_fOriginX, g_fOriginY, g_fOriginZ},
        {g_dEyeX, g_dEyeY, g_dEyeZ}, {g_dCenterX, g_dCenterY, g_dCenterZ},
        {g_fOrbitAngle, g_fOrbitAngleB}, {g_fGuidePlaneY, g_fGuidePlaneX, g_fGuidePlaneZ},
        g_nDefaultShape, g_nDefaultMaterial,
        {g_fDefaultRotation, g_fDefaultOffsetY, g_fDefaultOffsetZ},
        {g_bShowGuideXY, g_bShowGuideXZ, g_bShowGuideYZ},
        {g_fAmbientLightR, g_fAmbientLightG, g_fAmbientLightB, g_fDirectLightR, g_fDirectLightG, g_fDirectLightB,
         g_fBackgroundR, g_fBackgroundG, g_fBackgroundB},
        {g_fDisplacementLimits[0], g_fDisplacementLimits[1], g_fDisplacementLimits[2], g_fDisplacementLimits[3],
         g_fDisplacementLimits[4], g_fDisplacementLimits[5]},
        {g_fFrontAxleLoad, g_fRearAxleLoad},
        {g_bOutBillOfMaterials, g_bOutJointData, g_bOutMemberData, g_bOutLoadData, g_bOutMaterialData,
         g_bOutReserved, g_bOutShapeData, g_bOutStrengthRatios, g_bOutUltimateForces, g_bOutActualForces},
        {g_bMagnifyNone, g_bMagnify2, g_bMagnify5, g_bMagnify10, g_bMagnify20, g_bMagnify50, g_bMagnify100},
        g_fMagnification,
        {g_bConsiderAxial, g_bConsiderBending, g_bConsiderShear, g_bConsiderTorsion},
        {g_bColorAxialStresses, g_bColorBendingStresses, g_bColorFailedMembers, g_bNoAnimation,
         g_bAnimateDisplacement, g_bAnimateCollapse},
        g_bBridgeProject, g_bTowerProject, g_fWindSpeed};
    return s;
}

// Non-default settings; flags in patterns that show a swapped pair.
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
    for (int i = 0; i < 6; ++i) g_fDisplacementLimits[i] = limits[i];
    g_fFrontAxleLoad = 4.25f; g_fRearAxleLoad = 8.5f;
    g_bOutBillOfMaterials = 0; g_bOutJointData = 1; g_bOutMemberData = 0; g_bOutLoadData = 0;
    g_bOutMaterialData = 1; g_bOutReserved = 0; g_bOutShapeData = 1; g_bOutStrengthRatios = 0;
    g_bOutUltimateForces = 1; g_bOutActualForces = 0;
    SetMagnificationRadio(50);
    g_bConsiderAxial = 0; g_bConsiderBending = 1; g_bConsiderShear = 1; g_bConsiderTorsion = 0;
    g_bColorAxialStresses = 0; g_bColorBendingStresses = 1; g_bColorFailedMembers = 0;
    g_bNoAnimation = 0; g_bAnimateDisplacement = 1; g_bAnimateCollapse = 0;
    g_fWindSpeed = 66;
}

// Values of every field the file carries, away from the template's defaults.
void ScrambleTables()
{
    for (int k = 1; k <= g_nJoints; ++k) {
        JointRec& j = g_Joints[k];
        j.fileWord1 = static_cast<short>(k);
        j.fileWord2 = static_cast<short>(-3 * k);
        j.restraintRX = static_cast<short>(k % 2);
        j.restraintRZ = static_cast<short>((k + 1) % 2);
        j.momentX = 0.5f * k; j.momentY = -0.25f * k; j.momentZ = 0.1f * k;
        j.forceX = 1.5f * k; j.forceY = -2.0f * k; j.forceZ = 0.333f * k;
        j.translatedX = k % 2; j.translatedY = (k % 3 == 0); j.translatedZ = (k % 5 == 0);
    }
    for (int i = 1; i <= g_nMembers; ++i) {
        MemberRec& m = g_Members[i];
        m.effLengthYY = 0.9f * i; m.effLengthZZ = 1.1f * i;
        m.userEffYY = i % 2; m.userEffZZ = (i % 3 == 0);
        m.offsetY = 0.01f * i; m.offsetZ = -0.02f * i;
        m.shape = static_cast<short>(1 + i % 10);
        m.material = static_cast<short>(1 + (i * 3) % 10);
        m.rollAngle = static_cast<float>(i % 7) * 15 - 45;
        m.useTorsion = static_cast<short>(i % 2);
        m.momentYY1 = static_cast<short>(i % 3 != 0); m.momentZZ1 = static_cast<short>(i % 4 != 0);
        m.momentYY2 = static_cast<short>(i % 5 != 0); m.momentZZ2 = static_cast<short>(i % 6 != 0);
        m.colorR = 0.01f * i; m.colorG = 0.5f; m.colorB = 1 - 0.01f * i;
    }
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        snprintf(g_Shapes[r].name, sizeof g_Shapes[r].name, " Shape %d  with blanks  ", r);
        g_Shapes[r].sectionKind = r % 2;
        g_Shapes[r].spacing = r == 4 ? 0.125f : 0;
        snprintf(g_Materials[r].name, sizeof g_Materials[r].name, "Material %d ", r);
    }
}

void ExpectTablesThroughFile(const std::vector<JointRec>& joints, const std::vector<MemberRec>& members,
                             const std::vector<ShapeRec>& shapes, const std::vector<MaterialRec>& materials)
{
    ASSERT_EQ(g_nJoints, static_cast<short>(joints.size() - 1));
    ASSERT_EQ(g_nMembers, static_cast<short>(members.size() - 1));
    for (int k = 1; k <= g_nJoints; ++k) {
        SCOPED_TRACE("joint " + std::to_string(k));
        const JointRec& e = joints[k];
        const JointRec& j = g_Joints[k];
        EXPECT_EQ(j.x, F(e.x)); EXPECT_EQ(j.y, F(e.y)); EXPECT_EQ(j.z, F(e.z));
        EXPECT_EQ(j.restraintTX, e.restraintTX); EXPECT_EQ(j.restraintTY, e.restraintTY);
        EXPECT_EQ(j.restraintTZ, e.restraintTZ); EXPECT_EQ(j.restraintRX, e.restraintRX);
        EXPECT_EQ(j.restraintRY, e.restraintRY); EXPECT_EQ(j.restraintRZ, e.restraintRZ);
        EXPECT_EQ(j.fileWord1, e.fileWord1); EXPECT_EQ(j.fileWord2, e.fileWord2);
        EXPECT_EQ(j.momentX, F(e.momentX)); EXPECT_EQ(j.momentY, F(e.momentY)); EXPECT_EQ(j.momentZ, F(e.momentZ));
        EXPECT_EQ(j.forceX, F(e.forceX)); EXPECT_EQ(j.forceY, F(e.forceY)); EXPECT_EQ(j.forceZ, F(e.forceZ));
        EXPECT_EQ(j.translatedX, e.translatedX == 1); EXPECT_EQ(j.translatedY, e.translatedY == 1);
        EXPECT_EQ(j.translatedZ, e.translatedZ == 1);
    }
    for (int i = 1; i <= g_nMembers; ++i) {
        SCOPED_TRACE("member " + std::to_string(i));
        const MemberRec& e = members[i];
        const MemberRec& m = g_Members[i];
        EXPECT_EQ(m.jointA, e.jointA); EXPECT_EQ(m.jointB, e.jointB);
        EXPECT_EQ(m.effLengthYY, F(e.effLengthYY)); EXPECT_EQ(m.effLengthZZ, F(e.effLengthZZ));
        EXPECT_EQ(m.userEffYY, e.userEffYY != 0); EXPECT_EQ(m.userEffZZ, e.userEffZZ != 0);
        EXPECT_EQ(m.offsetY, F(e.offsetY)); EXPECT_EQ(m.offsetZ, F(e.offsetZ));
        EXPECT_EQ(m.shape, e.shape); EXPECT_EQ(m.material, e.material); EXPECT_EQ(m.runner, e.runner);
        EXPECT_EQ(m.rollAngle, F(e.rollAngle));
        EXPECT_EQ(m.useTorsion, e.useTorsion);
        EXPECT_EQ(m.momentYY1, e.momentYY1); EXPECT_EQ(m.momentZZ1, e.momentZZ1);
        EXPECT_EQ(m.momentYY2, e.momentYY2); EXPECT_EQ(m.momentZZ2, e.momentZZ2);
        EXPECT_EQ(m.colorR, F(e.colorR)); EXPECT_EQ(m.colorG, F(e.colorG)); EXPECT_EQ(m.colorB, F(e.colorB));
    }
    for (int r = 1; r <= USER_TABLE_ROWS; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const ShapeRec& e = shapes[r];
        const ShapeRec& s = g_Shapes[r];
        EXPECT_STREQ(s.name, e.name);
        EXPECT_EQ(s.metricRow, e.metricRow == 1); EXPECT_EQ(s.sectionKind, e.sectionKind == 1);
        EXPECT_EQ(s.height, F(e.height)); EXPECT_EQ(s.width, F(e.width)); EXPECT_EQ(s.area, F(e.area));
        EXPECT_EQ(s.torsionConst, Through("%11.11f", e.torsionConst));
        EXPECT_EQ(s.inertiaYY, Through("%11.11f", e.inertiaYY));
        EXPECT_EQ(s.inertiaZZ, Through("%11.11f", e.inertiaZZ));
        EXPECT_EQ(s.modulusYY, Through("%10.10f", e.modulusYY));
        EXPECT_EQ(s.modulusZZ, Through("%10.10f", e.modulusZZ));
        EXPECT_EQ(s.spacing, F(e.spacing));
        const MaterialRec& em = materials[r];
        const MaterialRec& m = g_Materials[r];
        EXPECT_STREQ(m.name, em.name);
        EXPECT_EQ(m.colorR, F(em.colorR)); EXPECT_EQ(m.colorG, F(em.colorG)); EXPECT_EQ(m.colorB, F(em.colorB));
        EXPECT_EQ(m.metricRow, em.metricRow == 1);
        EXPECT_EQ(m.youngsModulus, F(em.youngsModulus)); EXPECT_EQ(m.shearModulus, F(em.shearModulus));
        EXPECT_EQ(m.density, F(em.density));
        EXPECT_EQ(m.ultTensionStress, F(em.ultTensionStress));
        EXPECT_EQ(m.ultCompressionStress, F(em.ultCompressionStress));
        EXPECT_EQ(m.ultBendingStress, F(em.ultBendingStress));
        EXPECT_EQ(m.ultShearStress, F(em.ultShearStress));
    }
}

void ExpectSettingsThroughFile(const Settings& e)
{
    const Settings a = Capture();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.ws[i], e.ws[i]) << "workspace " << i;
    EXPECT_EQ(a.angular, F(e.angular)); EXPECT_EQ(a.linear, F(e.linear)); EXPECT_EQ(a.sound, e.sound != 0);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(a.view[i], e.view[i] != 0) << "view switch " << i;
    EXPECT_EQ(a.jointSize, F(e.jointSize));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.origin[i], F(e.origin[i])) << i;
        EXPECT_EQ(a.eye[i], D(e.eye[i])) << i;
        EXPECT_EQ(a.center[i], D(e.center[i])) << i;
        EXPECT_EQ(a.guides[i], F(e.guides[i])) << i;
        EXPECT_EQ(a.defaults[i], F(e.defaults[i])) << i;
        EXPECT_EQ(a.guideShown[i], e.guideShown[i] != 0) << i;
    }
    EXPECT_EQ(a.orbit[0], F(e.orbit[0])); EXPECT_EQ(a.orbit[1], F(e.orbit[1]));
    EXPECT_EQ(a.defShape, e.defShape); EXPECT_EQ(a.defMaterial, e.defMaterial);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(a.lights[i], F(e.lights[i])) << "light " << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.limits[i], F(e.limits[i])) << "limit " << i;
    EXPECT_EQ(a.axles[0], F(e.axles[0])); EXPECT_EQ(a.axles[1], F(e.axles[1]));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(a.sections[i], e.sections[i] != 0) << "section " << i;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(a.magnify[i], e.magnify[i] != 0) << "magnify " << i;
    EXPECT_EQ(a.magnification, e.magnification);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(a.consider[i], e.consider[i] != 0) << "consider " << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.results[i], e.results[i] != 0) << "results " << i;
    EXPECT_EQ(a.bridge, e.bridge != 0);
    EXPECT_EQ(a.tower, e.tower != 0);
    if (e.tower) {
        EXPECT_EQ(a.wind, F(e.wind));
    }
}

class ModelFileTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetFilesGlobals();
        g_pfnResizeViewportToView = nullptr;
        char pattern[] = "/tmp/tf3d_model_file_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/model.3dd";
    }
    void TearDown() override
    {
        g_pfnResizeViewportToView = nullptr;
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
        Tf3dTest::TearDown();
    }

    // Writes the model, starts over as File/Open Model does and reads it back.
    void SaveAndReopen()
    {
        joints_.assign(g_Joints, g_Joints + g_nJoints + 1);
        members_.assign(g_Members, g_Members + g_nMembers + 1);
        ASSERT_EQ(WriteModelFile(path_), 1);
        shapes_.assign(g_Shapes, g_Shapes + TABLE_ROWS);
        materials_.assign(g_Materials, g_Materials + TABLE_ROWS);
        saved_ = Capture();
        ResetAllGlobals();
        ResetFilesGlobals();
        ClearModel();
        ASSERT_EQ(OpenModelFile(path_), 1);
    }

    std::vector<std::string> SavedLines() { return Lines(ReadBytes(path_)); }

    int OpenText(const std::string& text)
    {
        WriteBytes(path_, text);
        return OpenModelFile(path_);
    }

    std::vector<std::string> TempFilesLeft()
    {
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(dir_))
            if (e.path().filename().string().find(".tmp") != std::string::npos) left.push_back(e.path());
        return left;
    }

    std::string dir_, path_;
    std::vector<JointRec> joints_;
    std::vector<MemberRec> members_;
    std::vector<ShapeRec> shapes_;
    std::vector<MaterialRec> materials_;
    Settings saved_;
};

// ---------------------------------------------------------------- round trips

TEST_F(ModelFileTest, USModelRoundTripsEveryField)
{
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    ScrambleTables();
    ScrambleSettings();
    g_Members[2].userEffYY = 5;  // any non-zero value is saved as 1
    g_Joints[3].translatedY = 2;  // only a 1 is saved as 1
    SaveAndReopen();

    EXPECT_EQ(g_bMetricUnits, 0);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_nFileShapes, 10);
    EXPECT_EQ(g_nFileMaterials, 10);
    EXPECT_EQ(g_nFileUnits, 0);
    ExpectTablesThroughFile(joints_, members_, shapes_, materials_);
    EXPECT_EQ(g_Members[2].userEffYY, 1);
    EXPECT_EQ(g_Joints[3].translatedY, 0);
    ExpectSettingsThroughFile(saved_);
    EXPECT_EQ(g_fMagnification, 50);
    // S4: 0.375 selects the Large joint size
    EXPECT_EQ(g_bJointSizeSmall, 0);
    EXPECT_EQ(g_bJointSizeDefault, 0);
    EXPECT_EQ(g_bJointSizeLarge, 1);
}

TEST_F(ModelFileTest, MetricModelRoundTripsAndClampsTheWorkspaceAt120)
{
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    ScrambleTables();
    ScrambleSettings();
    g_nWorkspaceX = 150;
    g_nWorkspaceY = 120;
    g_nWorkspaceZ = 121;
    ASSERT_EQ(WriteModelFile(path_), 1);
    // the save clamps the globals themselves
    EXPECT_EQ(g_nWorkspaceX, 120);
    EXPECT_EQ(g_nWorkspaceY, 120);
    EXPECT_EQ(g_nWorkspaceZ, 120);

    g_fJointSize = 0.1f;
    SaveAndReopen();
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_bUnitsUS, 0);
    EXPECT_EQ(g_nFileUnits, 1);
    EXPECT_EQ(g_Shapes[3].metricRow, 1);
    ExpectTablesThroughFile(joints_, members_, shapes_, materials_);
    ExpectSettingsThroughFile(saved_);
    EXPECT_EQ(g_bJointSizeSmall, 1);
    EXPECT_EQ(g_bJointSizeLarge, 0);
}

TEST_F(ModelFileTest, USWorkspaceIsClampedAt48OnSave)
{
    g_nWorkspaceX = 60;
    g_nWorkspaceY = 30;
    g_nWorkspaceZ = 49;
    ASSERT_EQ(WriteModelFile(path_), 1);
    EXPECT_EQ(g_nWorkspaceX, 48);
    EXPECT_EQ(g_nWorkspaceY, 30);
    EXPECT_EQ(g_nWorkspaceZ, 48);
    const auto lines = SavedLines();
    EXPECT_EQ(lines[lines.size() - 17], "48 30 48");
}

TEST_F(ModelFileTest, BridgeProjectReopensWithTruckOnTheDeck)
{
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    SetDefaultViewSettings();
    OrientDeckMembers();
    ScrambleSettings();
    g_bBridgeProject = 1;
    g_bShowLoads = 1;
    g_bShowSupports = 0;
    g_bFindBreakingForces = 1;
    FindDeckExtent();
    PlaceTruckAtStart();
    const float truckX = g_fTruckX, truckY = g_fTruckY, truckZ = g_fTruckZ;
    ASSERT_EQ(g_fDeckMaxX, 24.25f);
    SaveAndReopen();

    ExpectTablesThroughFile(joints_, members_, shapes_, materials_);
    // S16 turns the loads off and the supports on
    saved_.view[1] = 0;
    saved_.view[2] = 1;
    ExpectSettingsThroughFile(saved_);
    EXPECT_EQ(g_bBridgeProject, 1);
    EXPECT_EQ(g_bTruckActive, 1);
    EXPECT_EQ(g_bUseTruck, 1);
    EXPECT_EQ(g_bFindBreakingForces, 0);
    EXPECT_EQ(g_nDeckFirstMember, 1);
    EXPECT_EQ(g_nDeckFirstJoint, 1);
    EXPECT_EQ(g_fDeckMinX, 11.75f);
    EXPECT_EQ(g_fDeckMaxX, 24.25f);
    EXPECT_EQ(g_fTruckX, truckX);
    EXPECT_EQ(g_fTruckY, truckY);
    EXPECT_EQ(g_fTruckZ, truckZ);
    EXPECT_EQ(g_bTowerProject, 0);
}

TEST_F(ModelFileTest, TowerProjectReopensInUSUnitsWhateverTheCountsLineSays)
{
    ResetAllShapes();
    ResetAllMaterials();
    SetupTowerProject();
    ScrambleSettings();
    g_bTowerProject = 1;
    g_fWindSpeed = 82.5f;
    SetMetricUnits(1);  // the counts line says metric
    SaveAndReopen();

    ExpectTablesThroughFile(joints_, members_, shapes_, materials_);
    ExpectSettingsThroughFile(saved_);
    EXPECT_EQ(g_nFileUnits, 1);
    EXPECT_EQ(g_bMetricUnits, 0);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_bTowerProject, 1);
    EXPECT_EQ(g_bUseFan, 1);
    EXPECT_EQ(g_fWindSpeed, 82.5f);
    EXPECT_EQ(g_fMagnification, 50);  // a 4.0 tower file keeps its magnification
    EXPECT_EQ(g_bBridgeProject, 0);
}

TEST_F(ModelFileTest, ReadingLeavesWhatTheFileDoesNotCarry)
{
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    ASSERT_EQ(WriteModelFile(path_), 1);
    g_Members[3].negated = 1;
    g_Members[4].hidden = 1;
    g_Joints[5].mark = 1;
    g_Shapes[0].area = 9;
    g_nAnimInterval = 500;
    ASSERT_EQ(OpenModelFile(path_), 1);
    EXPECT_EQ(g_Members[3].negated, 1);
    EXPECT_EQ(g_Members[4].hidden, 1);
    EXPECT_EQ(g_Joints[5].mark, 1);
    EXPECT_EQ(g_Shapes[0].area, 9);
    EXPECT_EQ(g_nAnimInterval, 500);
}

TEST_F(ModelFileTest, EndOfReadInvalidatesWorkspaceListsAndCallsTheView)
{
    ASSERT_EQ(WriteModelFile(path_), 1);
    int* const lists[] = {&g_bListTruckBuilt,    &g_bListFanBuilt,        &g_bListXZBasePlaneBuilt,
                          &g_bListYZBasePlaneBuilt, &g_bListXYBasePlaneBuilt, &g_bListXZGuideBuilt,
                          &g_bListYZGuide1Built, &g_bListYZGuide2Built,   &g_bListYZGuide3Built,
                          &g_bListYZGuide4Built, &g_bListXYGuide1Built,   &g_bListXYGuide2Built,
                          &g_bListRuler1Built,   &g_bListRuler2Built,     &g_bListRuler3Built};
    for (int* f : lists) *f = 1;
    g_bListMembersBuilt = 1;
    static int resized;
    static float clear[4];
    resized = 0;
    g_pfnResizeViewportToView = [] { ++resized; };
    auto previousClear = g_pfnSetClearColor;
    g_pfnSetClearColor = [](float r, float g, float b, float a) {
        clear[0] = r; clear[1] = g; clear[2] = b; clear[3] = a;
    };
    g_fBackgroundR = 0.1f;  // the file's background wins
    const int result = OpenModelFile(path_);
    g_pfnSetClearColor = previousClear;

    EXPECT_EQ(result, 1);
    for (int* f : lists) EXPECT_EQ(*f, 0);
    EXPECT_EQ(g_bListMembersBuilt, 1);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(clear[0], 0.75f);
    EXPECT_EQ(clear[3], 1.0f);
}

// ---------------------------------------------------------------- format

TEST_F(ModelFileTest, WritesTheVersion40LayoutWithCrLf)
{
    g_nJoints = 2;
    g_nMembers = 1;
    JointRec& j = g_Joints[2];
    j.x = 1.5f; j.y = -2.25f; j.z = 1e-7f;
    j.restraintTX = 1; j.restraintTY = 0; j.restraintTZ = 1; j.restraintRX = 0; j.restraintRY = 1; j.restraintRZ = 0;
    j.fileWord1 = 5; j.fileWord2 = -6;
    j.momentX = 1; j.momentY = 2; j.momentZ = 3; j.forceX = 4; j.forceY = 5; j.forceZ = 6;
    j.translatedX = 1; j.translatedY = 2; j.translatedZ = 0;
    MemberRec& m = g_Members[1];
    m.jointA = 1; m.jointB = 2; m.effLengthYY = 3.5f; m.effLengthZZ = 4.25f; m.userEffYY = 5; m.userEffZZ = 0;
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

    g_nWorkspaceX = 40; g_nWorkspaceY = 20; g_nWorkspaceZ = 30;
    g_fAngularSpeed = 0.5f; g_fLinearSpeed = 2.5f; g_bSoundOn = 7;
    g_bShowJoints = 1; g_bShowLoads = 0; g_bShowSupports = 0; g_bShowXYBasePlane = 1; g_bShowYZBasePlane = 0;
    g_bShowXZBasePlane = 1; g_bShowRulers = 0; g_bShowOrigin = 0; g_bShowFocus = 1;
    g_fJointSize = 0.375f; g_fOriginX = 1; g_fOriginY = 2; g_fOriginZ = 3;
    g_dEyeX = 4; g_dEyeY = 5; g_dEyeZ = 6; g_dCenterX = 7; g_dCenterY = 8; g_dCenterZ = 9;
    g_fOrbitAngle = 0.5f; g_fOrbitAngleB = 0.75f;
    g_fGuidePlaneY = 1; g_fGuidePlaneX = 2; g_fGuidePlaneZ = 3;
    g_nDefaultShape = 5; g_nDefaultMaterial = 6;
    g_fDefaultRotation = 7; g_fDefaultOffsetY = 8; g_fDefaultOffsetZ = 9;
    g_bShowGuideXY = 1; g_bShowGuideXZ = 0; g_bShowGuideYZ = 0;
    g_fAmbientLightR = 1; g_fAmbientLightG = 2; g_fAmbientLightB = 3;
    g_fDirectLightR = 4; g_fDirectLightG = 5; g_fDirectLightB = 6;
    g_fBackgroundR = 7; g_fBackgroundG = 8; g_fBackgroundB = 9;
    for (int i = 0; i < 6; ++i) g_fDisplacementLimits[i] = static_cast<float>(i + 1);
    g_fFrontAxleLoad = 1; g_fRearAxleLoad = 2;
    g_bOutBillOfMaterials = 1; g_bOutJointData = 0; g_bOutMemberData = 0; g_bOutLoadData = 1;
    g_bOutMaterialData = 0; g_bOutReserved = 0; g_bOutShapeData = 1; g_bOutStrengthRatios = 0;
    g_bOutUltimateForces = 0; g_bOutActualForces = 1;
    SetMagnificationRadio(5);
    g_bConsiderAxial = 1; g_bConsiderBending = 0; g_bConsiderShear = 0; g_bConsiderTorsion = 1;
    g_bColorAxialStresses = 0; g_bColorBendingStresses = 1; g_bColorFailedMembers = 0;
    g_bNoAnimation = 1; g_bAnimateDisplacement = 0; g_bAnimateCollapse = 0;
    g_bBridgeProject = 0; g_bTowerProject = 3; g_fWindSpeed = 75;

    ASSERT_EQ(WriteModelFile(path_), 1);
    const std::string bytes = ReadBytes(path_);
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 3u + 2 + 1 + 2 + 40 + 50 + 17);
    EXPECT_EQ(lines[0], "Trussforge3D");
    EXPECT_EQ(lines[1], "4.000000");
    EXPECT_EQ(lines[2], "10 10 2 1 0");
    EXPECT_EQ(lines[3], "1 0.000000 0.000000 0.000000 1 1 1 1 1 1 0 0");
    EXPECT_EQ(lines[4], "2 1.500000 -2.250000 0.000000 1 0 1 0 1 0 5 -6");
    EXPECT_EQ(lines[5],
              "1 1 2 3.500000 4.250000 1 0 0.125000 -0.500000 3 4 1 90.000000 0 1 0 1 0 0.250000 0.500000 0.750000");
    EXPECT_EQ(lines[7], "2 1.000000 2.000000 3.000000 4.000000 5.000000 6.000000 1 0 0");
    EXPECT_EQ(lines[8], "1");
    EXPECT_EQ(lines[9], "A b ");
    EXPECT_EQ(lines[10], "1 1 0.500000 0.250000 0.125000");
    EXPECT_EQ(lines[11], "0.00097656250 0.00195312500 0.00048828125 0.0009765625 0.5000000000 0.062500");
    EXPECT_EQ(lines[12], "2");
    const size_t mat10 = 8 + 40 + 45;
    EXPECT_EQ(lines[mat10], "10");
    EXPECT_EQ(lines[mat10 + 1], "Wood");
    EXPECT_EQ(lines[mat10 + 2], "0.500000 0.250000 0.125000");
    EXPECT_EQ(lines[mat10 + 3], "0 400000.000000 25000.000000 12.000000");
    EXPECT_EQ(lines[mat10 + 4], "1.000000 2.000000 3.000000 4.000000");

    const std::vector<std::string> settings = {
        "40 20 30",
        "0.500000 2.500000 1",
        "1 0 0 1 0 1 0 0 1",
        "0.375000 1.000000 2.000000 3.000000 4.000000 5.000000 6.000000 7.000000 8.000000 9.000000 0.500000 "
        "0.750000",
        "1.000000 2.000000 3.000000",
        "5 6",
        "7.000000 8.000000 9.000000",
        "1 0 0",
        "1.000000 2.000000 3.000000 4.000000 5.000000 6.000000 7.000000 8.000000 9.000000",
        "1.000000 2.000000 3.000000 4.000000 5.000000 6.000000",
        "1.000000 2.000000",
        "1 0 0 1 0 0 1 0 0 1",
        "0 0 1 0 0 0 0",
        "1 0 0 1",
        "0 1 0 1 0 0",
        "0",
        "1 75.000000"};
    for (size_t i = 0; i < settings.size(); ++i) EXPECT_EQ(lines[lines.size() - 17 + i], settings[i]) << "S" << i + 1;
    EXPECT_EQ(g_nFileShapes, 10);
    EXPECT_EQ(g_nFileMaterials, 10);
}

TEST_F(ModelFileTest, NumbersUseThePointInAnyLocale)
{
    if (!setlocale(LC_ALL, "de_DE.UTF-8") && !setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    char probe[16];
    snprintf(probe, sizeof probe, "%.1f", 1.5);
    const bool comma = std::string(probe) == "1,5";
    g_nJoints = 1;
    g_Joints[1].x = 1.5f;
    const int written = WriteModelFile(path_);
    g_Joints[1].x = 0;
    const int read = OpenModelFile(path_);
    setlocale(LC_ALL, "C");
    EXPECT_TRUE(comma);
    ASSERT_EQ(written, 1);
    ASSERT_EQ(read, 1);
    EXPECT_EQ(SavedLines()[3], "1 1.500000 0.000000 0.000000 1 1 1 1 1 1 0 0");
    EXPECT_EQ(g_Joints[1].x, 1.5f);
}

// ---------------------------------------------------------------- older versions

TEST_F(ModelFileTest, ReadsHandWrittenVersion40WithItsFlagRules)
{
    ClearModel();
    ASSERT_EQ(OpenModelFile(DataPath("v40.3dd")), 1);
    ASSERT_EQ(g_nJoints, 3);
    ASSERT_EQ(g_nMembers, 2);
    EXPECT_EQ(g_nFileShapes, 2);
    EXPECT_EQ(g_nFileMaterials, 2);
    EXPECT_EQ(g_Joints[1].fileWord1, 7);
    EXPECT_EQ(g_Joints[1].fileWord2, -3);
    EXPECT_EQ(g_Joints[2].x, 10.5f);
    EXPECT_EQ(g_Joints[2].restraintTY, 1);
    EXPECT_EQ(g_Joints[2].restraintRZ, 1);
    EXPECT_EQ(g_Joints[2].momentX, 1.5f);  // moments come before forces
    EXPECT_EQ(g_Joints[2].forceZ, 30);
    EXPECT_EQ(g_Joints[2].translatedX, 1);
    EXPECT_EQ(g_Joints[2].translatedY, 0);  // 2 is not 1
    EXPECT_EQ(g_Joints[3].translatedZ, 1);

    const MemberRec& m = g_Members[1];
    EXPECT_EQ(m.jointA, 1);
    EXPECT_EQ(m.jointB, 3);
    EXPECT_EQ(m.effLengthYY, 9.5f);  // yy before zz
    EXPECT_EQ(m.effLengthZZ, 9.25f);
    EXPECT_EQ(m.userEffYY, 1);
    EXPECT_EQ(m.userEffZZ, 0);  // 2 is not 1
    EXPECT_EQ(m.offsetY, 0.125f);
    EXPECT_EQ(m.offsetZ, -0.25f);
    EXPECT_EQ(m.shape, 2);
    EXPECT_EQ(m.material, 1);
    EXPECT_EQ(m.runner, 1);
    EXPECT_EQ(m.rollAngle, 45);
    EXPECT_EQ(m.useTorsion, 0);
    EXPECT_EQ(m.momentYY1, 1);
    EXPECT_EQ(m.momentZZ1, 0);
    EXPECT_EQ(m.momentYY2, 1);
    EXPECT_EQ(m.momentZZ2, 0);
    EXPECT_EQ(m.colorB, 0.3f);
    EXPECT_EQ(g_Members[2].userEffZZ, 1);

    EXPECT_STREQ(g_Shapes[1].name, " Stick  1/8 x 1/8  ");
    EXPECT_EQ(g_Shapes[1].metricRow, 1);
    EXPECT_EQ(g_Shapes[1].sectionKind, 1);
    EXPECT_EQ(g_Shapes[1].height, 0.125f);
    EXPECT_EQ(g_Shapes[1].width, 0.25f);
    EXPECT_EQ(g_Shapes[1].spacing, 0.5f);
    EXPECT_EQ(g_Shapes[2].metricRow, 0);  // 2 is not 1
    EXPECT_EQ(g_Shapes[2].modulusZZ, 0.0104170004f);
    EXPECT_STREQ(g_Shapes[3].name, "");  // rows past the count are not read
    EXPECT_STREQ(g_Materials[1].name, "  Balsa  hard  ");
    EXPECT_EQ(g_Materials[1].youngsModulus, 400000);  // E before G
    EXPECT_EQ(g_Materials[1].shearModulus, 25000);
    EXPECT_EQ(g_Materials[2].metricRow, 0);
    EXPECT_EQ(g_Materials[2].ultShearStress, 990);

    EXPECT_EQ(g_nWorkspaceX, 40);
    EXPECT_EQ(g_fAngularSpeed, 0.5f);
    EXPECT_EQ(g_fLinearSpeed, 3);
    EXPECT_EQ(g_bSoundOn, 0);
    EXPECT_EQ(g_bShowJoints, 0);
    EXPECT_EQ(g_bShowLoads, 1);
    EXPECT_EQ(g_bShowFocus, 1);
    // 0.25 is none of the three joint sizes
    EXPECT_EQ(g_fJointSize, 0.25f);
    EXPECT_EQ(g_bJointSizeSmall + g_bJointSizeDefault + g_bJointSizeLarge, 0);
    EXPECT_EQ(g_fOriginZ, 3);
    EXPECT_EQ(g_dEyeX, 4);
    EXPECT_EQ(g_dCenterZ, 9);
    EXPECT_EQ(g_fOrbitAngleB, 1.25f);
    EXPECT_EQ(g_fGuidePlaneY, 2);
    EXPECT_EQ(g_fGuidePlaneX, 3);
    EXPECT_EQ(g_fGuidePlaneZ, 4);
    EXPECT_EQ(g_nDefaultShape, 5);
    EXPECT_EQ(g_nDefaultMaterial, 6);
    EXPECT_EQ(g_fDefaultRotation, 15);
    EXPECT_EQ(g_bShowGuideXZ, 1);
    EXPECT_EQ(g_fAmbientLightR, 0.1f);
    EXPECT_EQ(g_fDirectLightR, 0.4f);
    EXPECT_EQ(g_fBackgroundB, 0.9f);
    EXPECT_EQ(g_fDisplacementLimits[3], 0.1f);
    EXPECT_EQ(g_fRearAxleLoad, 9);
    EXPECT_EQ(g_bOutBillOfMaterials, 1);
    EXPECT_EQ(g_bOutJointData, 0);
    EXPECT_EQ(g_bOutReserved, 0);
    EXPECT_EQ(g_bOutShapeData, 1);
    EXPECT_EQ(g_bOutActualForces, 0);
    // S13: every non-zero item is set, the last decides the magnification
    EXPECT_EQ(g_bMagnify2, 1);
    EXPECT_EQ(g_bMagnify20, 1);
    EXPECT_EQ(g_bMagnify10, 0);
    EXPECT_EQ(g_fMagnification, 20);
    EXPECT_EQ(g_bConsiderBending, 1);
    EXPECT_EQ(g_bConsiderShear, 0);
    EXPECT_EQ(g_bColorAxialStresses, 1);
    EXPECT_EQ(g_bAnimateDisplacement, 1);
    EXPECT_EQ(g_bAnimateCollapse, 0);
    EXPECT_EQ(g_bBridgeProject, 0);
    EXPECT_EQ(g_bTowerProject, 0);
    EXPECT_EQ(g_fWindSpeed, 75);  // a zero tower value changes nothing
}

TEST_F(ModelFileTest, ReadsVersion30WithoutOffsetsKindsOrLaterSettings)
{
    ClearModel();
    g_Members[1].offsetY = 0.25f;  // not in a 3.0 member line
    g_Shapes[1].sectionKind = 1;   // not in a 3.0 shape line
    g_fLinearSpeed = 7;
    g_bShowFocus = 1;
    g_nDefaultShape = 9;
    g_bBridgeProject = 1;
    g_bTowerProject = 1;
    ASSERT_EQ(OpenModelFile(DataPath("v30.3dd")), 1);
    ASSERT_EQ(g_nJoints, 2);
    ASSERT_EQ(g_nMembers, 1);
    EXPECT_EQ(g_Members[1].effLengthYY, 12);
    EXPECT_EQ(g_Members[1].effLengthZZ, 11);
    EXPECT_EQ(g_Members[1].userEffYY, 1);
    EXPECT_EQ(g_Members[1].offsetY, 0.25f);
    EXPECT_EQ(g_Members[1].offsetZ, 0);
    EXPECT_EQ(g_Members[1].shape, 3);
    EXPECT_EQ(g_Members[1].material, 4);
    EXPECT_EQ(g_Members[1].rollAngle, 30);
    EXPECT_EQ(g_Members[1].momentZZ2, 1);
    EXPECT_EQ(g_Members[1].colorB, 0.7f);
    // 3.x keeps the translated and metric flags as read
    EXPECT_EQ(g_Joints[2].translatedX, 2);
    EXPECT_EQ(g_Joints[2].translatedZ, 1);
    EXPECT_EQ(g_Shapes[1].metricRow, 2);
    EXPECT_EQ(g_Shapes[1].sectionKind, 1);
    EXPECT_EQ(g_Shapes[1].height, 0.25f);
    EXPECT_EQ(g_Shapes[1].area, 0.03125f);
    EXPECT_EQ(g_Shapes[1].modulusZZ, 0.005f);
    EXPECT_STREQ(g_Materials[1].name, "Old Wood");
    EXPECT_EQ(g_Materials[1].metricRow, 3);
    EXPECT_EQ(g_Materials[1].youngsModulus, 100);
    EXPECT_EQ(g_nWorkspaceX, 36);
    EXPECT_EQ(g_nWorkspaceZ, 24);
    // S2 onwards are not in a 3.0 file
    EXPECT_EQ(g_fLinearSpeed, 7);
    EXPECT_EQ(g_bShowFocus, 1);
    EXPECT_EQ(g_nDefaultShape, 9);
    EXPECT_EQ(g_bBridgeProject, 1);
    EXPECT_EQ(g_bTowerProject, 1);
}

TEST_F(ModelFileTest, ReadsVersion31WithSettingsUpToS15)
{
    ClearModel();
    g_bBridgeProject = 1;
    ASSERT_EQ(OpenModelFile(DataPath("v31.3dd")), 1);
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_Members[1].offsetY, 0.5f);
    EXPECT_EQ(g_Members[1].offsetZ, -0.5f);
    EXPECT_EQ(g_Members[1].userEffYY, 0);
    EXPECT_EQ(g_Members[1].userEffZZ, 1);
    EXPECT_EQ(g_Joints[2].translatedY, 3);
    EXPECT_EQ(g_nWorkspaceX, 100);  // read as is, no clamping
    EXPECT_EQ(g_fAngularSpeed, 0.2f);
    EXPECT_EQ(g_fLinearSpeed, 4);
    EXPECT_EQ(g_bSoundOn, 0);
    EXPECT_EQ(g_bShowJoints, 1);
    EXPECT_EQ(g_bShowLoads, 0);
    EXPECT_EQ(g_fJointSize, 0.1f);
    EXPECT_EQ(g_bJointSizeSmall, 1);
    EXPECT_EQ(g_dEyeZ, 3);
    EXPECT_EQ(g_nDefaultShape, 1);
    EXPECT_EQ(g_bShowGuideYZ, 0);
    EXPECT_EQ(g_fBackgroundR, 0.1f);
    EXPECT_EQ(g_bOutJointData, 0);
    EXPECT_EQ(g_bMagnify100, 1);
    EXPECT_EQ(g_bMagnify10, 0);
    EXPECT_EQ(g_fMagnification, 100);
    EXPECT_EQ(g_bConsiderShear, 1);
    EXPECT_EQ(g_bColorBendingStresses, 1);
    EXPECT_EQ(g_bAnimateCollapse, 1);
    EXPECT_EQ(g_bBridgeProject, 1);  // no S16 in 3.1
}

TEST_F(ModelFileTest, Version32TowerFileTurnsToUSUnitsAndMagnification2)
{
    ClearModel();
    ASSERT_EQ(OpenModelFile(DataPath("v32_tower.3dd")), 1);
    EXPECT_EQ(g_nJoints, 1);
    EXPECT_EQ(g_nMembers, 0);
    EXPECT_EQ(g_nFileUnits, 1);
    EXPECT_EQ(g_bMetricUnits, 0);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_bTowerProject, 1);
    EXPECT_EQ(g_bUseFan, 1);
    EXPECT_EQ(g_fWindSpeed, 60);
    EXPECT_EQ(g_fMagnification, 2);
    EXPECT_EQ(g_bMagnify2, 1);
    EXPECT_EQ(g_bMagnify100, 0);
    EXPECT_EQ(g_bJointSizeDefault, 1);  // 0.26
}

TEST_F(ModelFileTest, Version33FileMayEndBeforeTheTowerLine)
{
    ClearModel();
    g_fWindSpeed = 12;
    ASSERT_EQ(OpenModelFile(DataPath("v33_no_tower.3dd")), 1);
    EXPECT_EQ(g_bTowerProject, 0);
    EXPECT_EQ(g_fWindSpeed, 12);
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_fMagnification, 100);

    // a 4.0 file may not
    std::string text = ReadBytes(DataPath("v40.3dd"));
    text = text.substr(0, text.rfind("0 80.000000"));
    ClearModel();
    g_bShowLoads = 1;
    EXPECT_EQ(OpenText(text), 0);
    // everything before S17 stays read
    EXPECT_EQ(g_nJoints, 3);
    EXPECT_EQ(g_fRearAxleLoad, 9);
    EXPECT_EQ(g_fMagnification, 20);
}

TEST_F(ModelFileTest, Version33BridgeFilePlacesTheTruck)
{
    ClearModel();
    ASSERT_EQ(OpenModelFile(DataPath("v33_bridge.3dd")), 1);
    EXPECT_EQ(g_bBridgeProject, 1);
    EXPECT_EQ(g_bTruckActive, 1);
    EXPECT_EQ(g_bUseTruck, 1);
    EXPECT_EQ(g_bShowLoads, 0);
    EXPECT_EQ(g_bShowSupports, 1);
    EXPECT_EQ(g_nDeckFirstMember, 2);
    EXPECT_EQ(g_nDeckFirstJoint, 1);
    EXPECT_EQ(g_fDeckMinX, 2);
    EXPECT_EQ(g_fDeckMaxX, 8);
    EXPECT_EQ(g_fTruckX, 2);
    EXPECT_FLOAT_EQ(g_fTruckY, 0.125f + 6 + 0.1f);
    EXPECT_EQ(g_fTruckZ, 13 - 1.03125f);
    EXPECT_EQ(g_bTowerProject, 0);
}

TEST_F(ModelFileTest, RefusedVersionsLeaveTheModelAlone)
{
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    ScrambleSettings();
    const std::string good = ReadBytes(DataPath("v40.3dd"));
    const size_t version = good.find("4.000000");
    for (const char* v : {"3.250000", "5.000000", "0.000000", "3.05", "4.0x", "-4.000000", "nan", "inf", ""}) {
        SCOPED_TRACE(v);
        std::string text = good;
        text.replace(version, 8, v);
        EXPECT_EQ(OpenText(text), 0);
        EXPECT_EQ(g_nJoints, 30);
        EXPECT_EQ(g_nMembers, 41);
        EXPECT_EQ(g_Joints[1].x, 11.75f);
        EXPECT_EQ(g_nWorkspaceX, 40);
        EXPECT_EQ(g_fMagnification, 50);
    }
    // other spellings of a known version are fine
    for (const char* v : {"4", "4.0", "4.000000000", "+4.0"}) {
        std::string text = good;
        text.replace(version, 8, v);
        EXPECT_EQ(OpenText(text), 1) << v;
    }
}

TEST_F(ModelFileTest, ReadsCrLfLfAndMixedLineEndsAlike)
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
        EXPECT_STREQ(g_Materials[1].name, "  Balsa  hard  ");
        EXPECT_STREQ(g_Materials[2].name, "Bass");
        EXPECT_EQ(g_Shapes[2].spacing, 0);
        EXPECT_EQ(g_fMagnification, 20);
    }
    // a blank after a name's row number becomes part of the name line
    std::string text = lf;
    text.replace(text.find("\nBass\n"), 6, "\n Bass\n");
    ResetAllGlobals();
    ASSERT_EQ(OpenText(text), 1);
    EXPECT_STREQ(g_Materials[2].name, " Bass");
    text = lf;
    text.replace(text.find("2\nBass\n"), 7, "2 \nBass\n");
    EXPECT_EQ(OpenText(text), 0);  // the name would be empty and "Bass" a bad number
}

TEST_F(ModelFileTest, NamesAndTitleAtTheirLimits)
{
    const std::string good = ReadBytes(DataPath("v40.3dd"));
    std::string text = good;
    const std::string name55(55, 'n');
    text.replace(text.find("Plain"), 5, name55);
    text.replace(0, 0, std::string(255, 't'));
    ASSERT_EQ(OpenText(text), 1);
    EXPECT_EQ(std::string(g_Shapes[2].name), name55);

    text = good;
    text.replace(text.find("Plain"), 5, name55 + "n");
    EXPECT_EQ(OpenText(text), 0);
    text = good;
    text.replace(0, 0, std::string(256, 't'));
    EXPECT_EQ(OpenText(text), 0);
}

// ---------------------------------------------------------------- saving safely

TEST_F(ModelFileTest, SaveReplacesTheFileAndLeavesNoTemporaryFile)
{
    WriteBytes(path_, "old contents");
    ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
    ASSERT_EQ(WriteModelFile(path_), 1);
    EXPECT_EQ(SavedLines()[0], "Trussforge3D");
    struct stat st;
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(TempFilesLeft().empty());
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
}

TEST_F(ModelFileTest, SaveThroughASymbolicLinkWritesTheLinkedFile)
{
    const std::string real = dir_ + "/real.3dd";
    WriteBytes(real, "old");
    ASSERT_EQ(symlink(real.c_str(), path_.c_str()), 0);
    ASSERT_EQ(WriteModelFile(path_), 1);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(Lines(ReadBytes(real))[0], "Trussforge3D");
}

TEST_F(ModelFileTest, UnwritableTargetShowsAccessDenied)
{
    std::vector<std::string> targets = {dir_ + "/no/such/folder/model.3dd", dir_, ""};
    if (geteuid() != 0) {
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
    EXPECT_TRUE(TempFilesLeft().empty());
}

TEST_F(ModelFileTest, FailedWriteKeepsThePreviousFile)
{
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    WriteBytes(path_, "previous model");

    // let the file grow to only 2000 bytes
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = WriteModelFile(path_);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(path_), "previous model");
    EXPECT_TRUE(TempFilesLeft().empty());
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
}

TEST_F(ModelFileTest, OpenRefusesWhatIsNotARegularFile)
{
    EXPECT_EQ(OpenModelFile(dir_ + "/missing.3dd"), 0);
    EXPECT_EQ(OpenModelFile(dir_), 0);
    EXPECT_EQ(OpenModelFile("/dev/zero"), 0);
    const std::string fifo = dir_ + "/fifo.3dd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(OpenModelFile(fifo), 0);  // and does not wait for a writer
}

}  // namespace
