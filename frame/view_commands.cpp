#include "frame/view_commands.h"

#include <cstring>
#include <type_traits>
#include <utility>

#include "files/model_file.h"
#include "frame/analysis_command.h"
#include "frame/command_ids.h"
#include "frame/menu_dialogs.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/status_prompt.h"

namespace {

void Redraw() { platform::InvalidateFrame(false); }

void PromptAndRedraw()
{
    UpdateStatusPrompt();
    Redraw();
}

void InvalidateMemberLists() { g_bListMembersBuilt = g_bListResultMembersBuilt = 0; }

void ResultsDisplayOff()
{
    g_bShowUndeformed = 1;
    g_bShowDisplacedShape = 0;
    g_bShowCollapse = 0;
}

// ---- View ----

// Display switches that flip, then update the prompt and redraw.
int* PromptedToggle(int id)
{
    switch (id) {
    case ID_VIEW_JOINTS: return &g_bShowJoints;
    case ID_VIEW_LOADS: return &g_bShowLoads;
    case ID_VIEW_SUPPORTS: return &g_bShowSupports;
    case ID_VIEW_XY_BASE_PLANE: return &g_bShowXYBasePlane;
    case ID_VIEW_XZ_BASE_PLANE: return &g_bShowXZBasePlane;
    case ID_VIEW_YZ_BASE_PLANE: return &g_bShowYZBasePlane;
    case ID_VIEW_RULERS: return &g_bShowRulers;
    case ID_VIEW_SHOW_ORIGIN: return &g_bShowOrigin;
    case ID_MEMBERS_SHOW_MEMBER_NUMBERS: return &g_bShowMemberNumbers;
    case ID_MEMBERS_SHOW_SHAPE_NUMBERS: return &g_bShowShapeNumbers;
    case ID_MEMBERS_SHOW_MATERIAL_NUMBERS: return &g_bShowMaterialNumbers;
    case ID_LOADS_SHOW_FORCES_X: return &g_bShowForcesX;
    case ID_LOADS_SHOW_FORCES_Y: return &g_bShowForcesY;
    case ID_LOADS_SHOW_FORCES_Z: return &g_bShowForcesZ;
    default: return nullptr;
    }
}

// Switches that only flip.
int* PlainToggle(int id)
{
    switch (id) {
    case ID_VIEW_SHOW_MODEL_WEIGHT: return &g_bShowModelWeight;
    case ID_VIEW_ADVANCED_OPTIONS: return &g_bAdvancedOptions;
    case ID_JOINTS_USE_SPLIT_DIALOG: return &g_bUseSplitDialog;
    case ID_OPT_CONSIDER_AXIAL: return &g_bConsiderAxial;
    case ID_OPT_CONSIDER_BENDING: return &g_bConsiderBending;
    case ID_OPT_CONSIDER_SHEAR: return &g_bConsiderShear;
    case ID_OPT_CONSIDER_TORSION: return &g_bConsiderTorsion;
    case ID_OPT_INCLUDE_SELF_WEIGHT: return &g_bIncludeSelfWeight;
    default: return nullptr;
    }
}

void SetAllViewSwitches(int on)
{
    int* switches[] = {&g_bShowJoints, &g_bShowLoads, &g_bShowSupports, &g_bShowXYBasePlane,
                       &g_bShowXZBasePlane, &g_bShowYZBasePlane, &g_bShowRulers, &g_bShowGuideXY,
                       &g_bShowGuideXZ, &g_bShowGuideYZ};
    for (int* s : switches) *s = on;
    Redraw();
}

void RefreshScreen()
{
    const int members = MemberCount();
    for (int i = 1; i <= members; ++i) g_Members[i].intact = 1;
    g_bListTruckBuilt = g_bListFanBuilt = 0;
    InvalidateMemberLists();
    g_bListJointsBuilt = 0;
    ResultsDisplayOff();
    g_bGuideGridXY = g_bGuideGridXZ = g_bGuideGridYZ = 1;
    g_bShowForcesX = g_bShowForcesY = g_bShowForcesZ = 0;
    g_bShowHoverMemberNumber = 0;
    g_bShowMemberNumbers = g_bShowMaterialNumbers = g_bShowShapeNumbers = 0;
    g_bShowTilesXY = g_bShowTilesXZ = g_bShowTilesYZ = 0;
    Redraw();
}

// The colour chooser starting at grey; false when it was cancelled (the
// colour then stays as it was).
bool ChooseColour(float& r, float& g, float& b)
{
    unsigned char rgb[3] = {128, 128, 128};
    if (!platform::ChooseColour(rgb)) return false;
    r = rgb[0] / 255.0f;
    g = rgb[1] / 255.0f;
    b = rgb[2] / 255.0f;
    return true;
}

void BackgroundColour()
{
    if (ChooseColour(g_fBackgroundR, g_fBackgroundG, g_fBackgroundB) && g_pfnSetClearColor)
        g_pfnSetClearColor(g_fBackgroundR, g_fBackgroundG, g_fBackgroundB, 1.0f);
    PromptAndRedraw();
}

void SetLight(float* rgb[3], float value)
{
    for (int k = 0; k < 3; ++k) *rgb[k] = value;
    if (g_pfnResizeViewportToView) g_pfnResizeViewportToView();
}

void LightIntensity(bool ambient)
{
    float* light[3] = {&g_fDirectLightR, &g_fDirectLightG, &g_fDirectLightB};
    if (ambient) light[0] = &g_fAmbientLightR, light[1] = &g_fAmbientLightG, light[2] = &g_fAmbientLightB;
    short percent = static_cast<short>(*light[0] * 100.0f);
    if (g_MenuDialogs.intensity && g_MenuDialogs.intensity(percent)) SetLight(light, percent / 100.0f);
    PromptAndRedraw();
}

void DefaultLighting()
{
    float* direct[3] = {&g_fDirectLightR, &g_fDirectLightG, &g_fDirectLightB};
    float* ambient[3] = {&g_fAmbientLightR, &g_fAmbientLightG, &g_fAmbientLightB};
    for (int k = 0; k < 3; ++k) *direct[k] = 0.5f, *ambient[k] = 0.4f;
    if (g_pfnResizeViewportToView) g_pfnResizeViewportToView();
    PromptAndRedraw();
}

// ---- Guides ----

int* GuidePlaneSwitch(int id)
{
    switch (id) {
    case ID_GUIDES_XY_SHOW: return &g_bShowGuideXY;
    case ID_GUIDES_XZ_SHOW: return &g_bShowGuideXZ;
    case ID_GUIDES_YZ_SHOW: return &g_bShowGuideYZ;
    default: return nullptr;
    }
}

void ResetOrigin()
{
    g_fOriginX = g_fOriginY = g_fOriginZ = 0;
    g_bListOriginBuilt = 0;
    Redraw();
}

// ---- Joints ----

void SelectAllJoints()
{
    const int n = JointCount();
    for (int j = 1; j <= n; ++j) g_Joints[j].mark = 1;
    PromptAndRedraw();
}

void ClearJointSelections()
{
    ClearJointMarks();
    PromptAndRedraw();
}

void FindDuplicates()
{
    ClearJointMarks();
    if (FindDuplicateJoint() == 0)
        platform::MessageBox("No Duplicate Joints Found!", g_szAppTitle,
                             platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    Redraw();
}

void JointSize(int id)
{
    g_bJointSizeSmall = id == ID_JOINTS_SIZE_SMALL;
    g_bJointSizeDefault = id == ID_JOINTS_SIZE_DEFAULT;
    g_bJointSizeLarge = id == ID_JOINTS_SIZE_LARGE;
    g_fJointSize = id == ID_JOINTS_SIZE_SMALL ? 0.1f : id == ID_JOINTS_SIZE_LARGE ? 0.375f : 0.26f;
    g_bListJointsBuilt = g_bListSupportsBuilt = g_bListLoadsBuilt = 0;
    Redraw();
}

// ---- Members ----

void SetEveryMember(int MemberRec::*field, int value, bool prompt)
{
    const int members = MemberCount();
    for (int i = 1; i <= members; ++i) g_Members[i].*field = value;
    InvalidateMemberLists();
    if (prompt) UpdateStatusPrompt();
    Redraw();
}

// Runs a table editor (modal: the joints and members stay as they are).
// When it changed a row, the undo snapshot takes the rows as they were
// before, so Edit/Undo brings them back; a look changes nothing.
void EditTables(void (*editor)())
{
    static_assert(std::is_trivially_copyable_v<ShapeRec> && std::is_trivially_copyable_v<MaterialRec>);
    ShapeRec shapes[TABLE_ROWS];
    MaterialRec materials[TABLE_ROWS];
    std::memcpy(shapes, g_Shapes, sizeof shapes);
    std::memcpy(materials, g_Materials, sizeof materials);
    if (editor) editor();
    if (std::memcmp(shapes, g_Shapes, sizeof shapes) == 0 && std::memcmp(materials, g_Materials, sizeof materials) == 0)
        return;
    TakeUndoSnapshot(shapes, materials);
    g_bUndoAvailable = 1;
}

void EditShapeList()
{
    EditTables(g_MenuDialogs.editShapes);
    // Member solids take their size from the shape rows.
    InvalidateMemberLists();
    PromptAndRedraw();
}

void EditMaterialList()
{
    EditTables(g_MenuDialogs.editMaterials);
    PromptAndRedraw();
}

void SetDefaultColour()
{
    ChooseColour(g_fDefaultColorR, g_fDefaultColorG, g_fDefaultColorB);
    PromptAndRedraw();
}

void ResetAllFixities()
{
    const int members = MemberCount();
    for (int i = 1; i <= members; ++i) {
        MemberRec& m = g_Members[i];
        m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 1;
    }
}

// ---- Loads ----

void UseTruck()
{
    if (g_bUseTruck) {
        g_bUseTruck = g_bTruckActive = 0;
    } else {
        g_bUseTruck = g_bTruckActive = 1;
        g_bShowSupports = 1;
        // Breaking forces cannot be searched with the truck (the menu greys
        // the option), so the option goes off with both of its flags.
        g_bFindBreakingForces = g_bBreakingForcesActive = 0;
    }
    g_bListTruckBuilt = g_bListBridgeApproachBuilt = 0;
    Redraw();
}

void UseFan()
{
    g_bUseFan = !g_bUseFan;
    if (!g_bUseFan) StopResultTimers();
    g_bListFanBuilt = 0;
    Redraw();
}

// ---- Analysis ----

void ClearResults()
{
    if (MemberCount() <= 0) return;
    StopResultTimers();
    const int members = MemberCount();
    for (int i = 1; i <= members; ++i) g_Members[i].intact = 1;
    g_bResultsAvailable = 0;
    ResultsDisplayOff();
    g_bMemberResultsValid = g_bJointResultsValid = 0;
    InvalidateMemberLists();
    g_bListSupportsBuilt = g_bListJointsBuilt = g_bListLoadsBuilt = 0;
    UpdateStatusPrompt();  // the outcome goes: the tool in force, or "Ready"
    Redraw();
}

void ResetGeometry()
{
    StopResultTimers();
    g_bResultsAvailable = 0;
    g_bListTruckBuilt = 0;
    InvalidateMemberLists();
    g_bListJointsBuilt = g_bListLoadsBuilt = g_bListSupportsBuilt = 0;
    ResultsDisplayOff();
    Redraw();
}

void ShowResults(void (*show)())
{
    if (MemberCount() > 0 && show) show();
}

// A radio group: one flag per item, the value it stores.
struct RadioItem {
    int id;
    int* flag;
    int value;
};

const RadioItem kAnimationRadios[] = {
    {ID_OPT_NO_ANIMATION, &g_bNoAnimation, 0},
    {ID_OPT_ANIMATE_DISPLACEMENT, &g_bAnimateDisplacement, 0},
    {ID_OPT_ANIMATE_COLLAPSE, &g_bAnimateCollapse, 0},
};
const RadioItem kSpeedRadios[] = {
    {ID_OPT_SPEED_FAST, &g_bAnimSpeedFast, 10},    {ID_OPT_SPEED_50, &g_bAnimSpeed50, 50},
    {ID_OPT_SPEED_MEDIUM, &g_bAnimSpeedMedium, 100}, {ID_OPT_SPEED_500, &g_bAnimSpeed500, 500},
    {ID_OPT_SPEED_SLOW, &g_bAnimSpeedSlow, 1000},
};
const RadioItem kMagnifyRadios[] = {
    {ID_OPT_MAGNIFY_NONE, &g_bMagnifyNone, 1}, {ID_OPT_MAGNIFY_2, &g_bMagnify2, 2},
    {ID_OPT_MAGNIFY_5, &g_bMagnify5, 5},       {ID_OPT_MAGNIFY_10, &g_bMagnify10, 10},
    {ID_OPT_MAGNIFY_20, &g_bMagnify20, 20},    {ID_OPT_MAGNIFY_50, &g_bMagnify50, 50},
    {ID_OPT_MAGNIFY_100, &g_bMagnify100, 100},
};
const RadioItem kColourRadios[] = {
    {ID_OPT_COLOR_AXIAL, &g_bColorAxialStresses, 0},
    {ID_OPT_COLOR_BENDING, &g_bColorBendingStresses, 0},
    {ID_OPT_COLOR_FAILED, &g_bColorFailedMembers, 0},
};

// Sets the item of that id in its group and clears the others; the item,
// or nullptr when the id is not in the group.
template <size_t N>
const RadioItem* ChooseRadio(const RadioItem (&group)[N], int id)
{
    const RadioItem* chosen = nullptr;
    for (const RadioItem& r : group)
        if (r.id == id) chosen = &r;
    if (!chosen) return nullptr;
    for (const RadioItem& r : group) *r.flag = &r == chosen;
    return chosen;
}

bool RunRadio(int id)
{
    if (ChooseRadio(kAnimationRadios, id)) {
        if (id == ID_OPT_ANIMATE_COLLAPSE) Redraw();
        return true;
    }
    if (const RadioItem* r = ChooseRadio(kSpeedRadios, id)) {
        g_nAnimInterval = r->value;
        return true;
    }
    for (const RadioItem& r : kMagnifyRadios) {
        if (r.id != id) continue;
        SetMagnificationRadio(static_cast<float>(r.value));
        PromptAndRedraw();
        return true;
    }
    if (ChooseRadio(kColourRadios, id)) {
        // The displaced members keep their colours in their display list.
        g_bListResultMembersBuilt = 0;
        if (id != ID_OPT_COLOR_FAILED) Redraw();
        return true;
    }
    if (id == ID_JOINTS_SIZE_SMALL || id == ID_JOINTS_SIZE_DEFAULT || id == ID_JOINTS_SIZE_LARGE) {
        JointSize(id);
        return true;
    }
    return false;
}

// ---- View/Goto ----

struct Preset {
    int id;
    float angle;
    double eye[3], centre[3];
};

const Preset kPresets[] = {
    {ID_VIEW_GOTO_FRONT_NEAR, 1.57f, {22, 12, 47}, {22, 12, 12}},
    {ID_VIEW_GOTO_PERSPECTIVE, 2.45f, {68, 9, 43}, {26, 9, 8}},
    {ID_VIEW_GOTO_LEFT_FAR, 0.0f, {-30, 10, 10}, {22, 12, 10}},
    {ID_VIEW_GOTO_LEFT_NEAR, 0.0f, {-19, 10, 12}, {22, 12, 12}},
    {ID_VIEW_GOTO_RIGHT_FAR, 3.1f, {96, 12, 15}, {22, 12, 12}},
    {ID_VIEW_GOTO_RIGHT_NEAR, 3.1f, {66, 12, 14}, {22, 12, 12}},
    {ID_VIEW_GOTO_TOP_FAR, 1.57f, {23, 84, 14}, {23, 0, 12}},
    {ID_VIEW_GOTO_TOP_NEAR, 1.57f, {25, 37, 14}, {25, 0, 12}},
    {ID_VIEW_GOTO_BOTTOM_FAR, 1.57f, {24, -44, 23}, {24, 12, 12}},
    {ID_VIEW_GOTO_BOTTOM_NEAR, 1.57f, {24, -29, 23}, {24, 12, 12}},
    {ID_VIEW_GOTO_BACK_FAR, -1.55f, {21, 12, -62}, {22, 12, 12}},
    {ID_VIEW_GOTO_BACK_NEAR, -1.55f, {21, 12, -32}, {22, 12, 12}},
};

void SetCamera(float angle, const double eye[3], const double centre[3])
{
    g_fOrbitAngle = g_fOrbitAngleB = angle;
    g_dEyeX = eye[0], g_dEyeY = eye[1], g_dEyeZ = eye[2];
    g_dCenterX = centre[0], g_dCenterY = centre[1], g_dCenterZ = centre[2];
}

bool RunCommand(int id)
{
    if (int* s = PromptedToggle(id)) {
        *s = !*s;
        PromptAndRedraw();
        return true;
    }
    if (int* s = PlainToggle(id)) {
        *s = !*s;
        return true;
    }
    if (int* s = GuidePlaneSwitch(id)) {
        *s = !*s;
        InvalidateGuideLists();
        PromptAndRedraw();
        return true;
    }
    if (GotoPreset(id)) {
        Redraw();
        return true;
    }
    if (RunRadio(id)) return true;

    switch (id) {
    case ID_VIEW_SHOW_FOCUS: g_bShowFocus = !g_bShowFocus; Redraw(); return true;
    case ID_VIEW_SHOW_ALL: SetAllViewSwitches(1); return true;
    case ID_VIEW_HIDE_ALL: SetAllViewSwitches(0); return true;
    case ID_VIEW_REFRESH_SCREEN: RefreshScreen(); return true;
    case ID_VIEW_BACKGROUND_COLOR: BackgroundColour(); return true;
    case ID_VIEW_AMBIENT_LIGHT: LightIntensity(true); return true;
    case ID_VIEW_DIRECT_LIGHT: LightIntensity(false); return true;
    case ID_VIEW_DEFAULT_LIGHTING: DefaultLighting(); return true;

    case ID_GUIDES_RESET_ORIGIN: ResetOrigin(); return true;

    case ID_EDIT_PREFERENCES:
        if (g_MenuDialogs.preferences) g_MenuDialogs.preferences();
        return true;

    case ID_JOINTS_SELECT_ALL: SelectAllJoints(); return true;
    case ID_JOINTS_CLEAR_SELECTIONS: ClearJointSelections(); return true;
    case ID_JOINTS_FIND_DUPLICATES: FindDuplicates(); return true;

    case ID_MEMBERS_NEGATE_ALL: SetEveryMember(&MemberRec::negated, 1, false); return true;
    case ID_MEMBERS_RESTORE_ALL: SetEveryMember(&MemberRec::negated, 0, false); return true;
    case ID_MEMBERS_HIDE_ALL: SetEveryMember(&MemberRec::hidden, 1, true); return true;
    case ID_MEMBERS_SHOW_ALL: SetEveryMember(&MemberRec::hidden, 0, true); return true;
    case ID_MEMBERS_SET_DEFAULTS:
        if (g_MenuDialogs.defaultMember) g_MenuDialogs.defaultMember();
        UpdateStatusPrompt();
        return true;
    case ID_MEMBERS_EDIT_SHAPES: EditShapeList(); return true;
    case ID_MEMBERS_EDIT_MATERIALS: EditMaterialList(); return true;
    case ID_MEMBERS_COLOR_SET_DEFAULT: SetDefaultColour(); return true;
    case ID_MEMBERS_RESET_FIXITIES: ResetAllFixities(); return true;

    case ID_LOADS_SET_DEFAULT_FORCE:
        if (g_MenuDialogs.defaultForces) g_MenuDialogs.defaultForces();
        PromptAndRedraw();
        return true;
    case ID_LOADS_USE_TRUCK: UseTruck(); return true;
    case ID_LOADS_TRUCK_AXLE_LOADS:
        if (g_MenuDialogs.axleLoads) g_MenuDialogs.axleLoads();
        g_bListTruckBuilt = 0;
        Redraw();
        return true;
    case ID_LOADS_USE_FAN: UseFan(); return true;
    case ID_LOADS_TOWER_DEFAULTS:
        if (g_MenuDialogs.towerDefaults) g_MenuDialogs.towerDefaults();
        g_bListFanBuilt = 0;
        Redraw();
        return true;

    case ID_ANALYSIS_CLEAR_RESULTS: ClearResults(); return true;
    case ID_ANALYSIS_RESET_GEOMETRY: ResetGeometry(); return true;
    case ID_ANALYSIS_GLOBAL_DATA:
        if (g_MenuDialogs.modelData) g_MenuDialogs.modelData();
        return true;
    case ID_ANALYSIS_MEMBER_RESULTS: ShowResults(g_MenuDialogs.showMemberResults); return true;
    case ID_ANALYSIS_JOINT_RESULTS: ShowResults(g_MenuDialogs.showJointResults); return true;
    case ID_OPT_INCLUDE_ECCENTRICITY:
        if (g_bEccentricityEnabled) g_bIncludeEccentricity = !g_bIncludeEccentricity;
        return true;
    case ID_OPT_FIND_BREAKING_FORCES:
        g_bFindBreakingForces = g_bBreakingForcesActive = !g_bFindBreakingForces;
        return true;
    default: return false;
    }
}

}  // namespace

bool GotoPreset(int commandId)
{
    if (commandId == ID_VIEW_GOTO_FRONT_FAR) {
        const double x = g_nWorkspaceX / 2.15;
        const double eye[3] = {x, static_cast<double>(g_nWorkspaceY / 2), g_nWorkspaceZ * 2.7};
        const double centre[3] = {x, static_cast<double>(g_nWorkspaceY / 2), static_cast<double>(g_nWorkspaceZ / 2)};
        SetCamera(1.57f, eye, centre);
        return true;
    }
    for (const Preset& p : kPresets) {
        if (p.id != commandId) continue;
        SetCamera(p.angle, p.eye, p.centre);
        return true;
    }
    return false;
}

bool RunViewCommand(int commandId) { return RunCommand(commandId); }
