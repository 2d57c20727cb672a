#include "frame/menu_table.h"

#include <cstring>

#include "frame/command_ids.h"
#include "frame/tool_commands.h"
#include "model/tables.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

constexpr MenuKind N = MenuKind::Normal;
constexpr MenuKind C = MenuKind::Check;
#define SEP(menu) {menu, nullptr, 0, "", MenuKind::Separator}

const char* const kTopMenus[] = {"File", "Edit", "View", "Guides", "Members",
                                 "Joints", "Supports", "Loads", "Analysis", "Help"};

const MenuEntry kMenu[] = {
    // File
    {"File/New", "U.S. Customary Units", ID_FILE_NEW_US_UNITS, "", C},
    {"File/New", "Metric Units", ID_FILE_NEW_METRIC_UNITS, "", C},
    SEP("File/New"),
    {"File/New", "Bridge Project", ID_FILE_NEW_BRIDGE_PROJECT, "", C},
    {"File/New", "Tower Project", ID_FILE_NEW_TOWER_PROJECT, "", C},
    {"File", "Open Model...\tCtrl+O", ID_FILE_OPEN_MODEL, "", N},
    {"File", "Save Model\tCtrl+S", ID_FILE_SAVE_MODEL, "", N},
    {"File", "Save Model As...", ID_FILE_SAVE_MODEL_AS, "", N},
    SEP("File"),
    {"File/Tile Orientation", "Portrait", ID_FILE_TILE_PORTRAIT, "", C},
    {"File/Tile Orientation", "Landscape", ID_FILE_TILE_LANDSCAPE, "", C},
    {"File/XY Plane Tiles", "Show Tiles", ID_FILE_XY_TILES_SHOW, "", N},
    {"File/XY Plane Tiles", "Move Tiles", ID_FILE_XY_TILES_MOVE, "", C},
    {"File/XZ Plane Tiles", "Show Tiles", ID_FILE_XZ_TILES_SHOW, "", N},
    {"File/XZ Plane Tiles", "Move Tiles", ID_FILE_XZ_TILES_MOVE, "", C},
    {"File/YZ Plane Tiles", "Show Tiles", ID_FILE_YZ_TILES_SHOW, "", N},
    {"File/YZ Plane Tiles", "Move Tiles", ID_FILE_YZ_TILES_MOVE, "", C},
    {"File", "Print XY Plane", ID_FILE_PRINT_XY_PLANE, "", N},
    {"File", "Print XZ Plane", ID_FILE_PRINT_XZ_PLANE, "", N},
    {"File", "Print YZ Plane", ID_FILE_PRINT_YZ_PLANE, "", N},
    SEP("File"),
    {"File", "Import Trussforge 2D File ...", ID_FILE_IMPORT_2D, "", N},
    {"File", "Export DXF File ...", ID_FILE_EXPORT_DXF, "", N},
    SEP("File"),
    {"File", "Save Output File", ID_FILE_SAVE_OUTPUT, "", N},
    {"File/Include in Output File", "Joint Data", ID_OUT_JOINT_DATA, "", C},
    {"File/Include in Output File", "Member Data", ID_OUT_MEMBER_DATA, "", C},
    {"File/Include in Output File", "Material Data", ID_OUT_MATERIAL_DATA, "", C},
    {"File/Include in Output File", "Shape Data", ID_OUT_SHAPE_DATA, "", C},
    {"File/Include in Output File", "Load Data", ID_OUT_LOAD_DATA, "", C},
    {"File/Include in Output File", "Bill of Materials", ID_OUT_BILL_OF_MATERIALS, "", C},
    {"File/Include in Output File", "Ultimate Forces", ID_OUT_ULTIMATE_FORCES, "", C},
    {"File/Include in Output File", "Actual Forces", ID_OUT_ACTUAL_FORCES, "", C},
    {"File/Include in Output File", "Strength Ratios", ID_OUT_STRENGTH_RATIOS, "", C},
    SEP("File"),
    {"File", "E&xit Trussforge3D", ID_APP_EXIT, "", N},

    // Edit
    {"Edit", "Undo\tCtrl+Z", ID_EDIT_UNDO, "", N},
    SEP("Edit"),
    {"Edit", "Copy to Clipboard", ID_EDIT_COPY_TO_CLIPBOARD, "", N},
    SEP("Edit"),
    {"Edit", "Preferences ...", ID_EDIT_PREFERENCES, "", N},

    // View
    {"View", "Toolbar", ID_VIEW_TOOLBAR, "", C},
    SEP("View"),
    {"View", "Joints", ID_VIEW_JOINTS, "", C},
    {"View", "Loads", ID_VIEW_LOADS, "", C},
    {"View", "Supports", ID_VIEW_SUPPORTS, "", C},
    {"View", "XY Base Plane", ID_VIEW_XY_BASE_PLANE, "", C},
    {"View", "XZ Base Plane", ID_VIEW_XZ_BASE_PLANE, "", C},
    {"View", "YZ Base Plane", ID_VIEW_YZ_BASE_PLANE, "", C},
    {"View", "Rulers", ID_VIEW_RULERS, "", C},
    {"View", "Show Origin", ID_VIEW_SHOW_ORIGIN, "", C},
    {"View", "Show Focus", ID_VIEW_SHOW_FOCUS, "", C},
    {"View", "Show Model Weight", ID_VIEW_SHOW_MODEL_WEIGHT, "", C},
    SEP("View"),
    {"View", "Show All", ID_VIEW_SHOW_ALL, "", N},
    {"View", "Hide All", ID_VIEW_HIDE_ALL, "", N},
    {"View", "Refresh Screen", ID_VIEW_REFRESH_SCREEN, "", N},
    SEP("View"),
    {"View/Goto", "Front Far", ID_VIEW_GOTO_FRONT_FAR, "", N},
    {"View/Goto", "Front Near", ID_VIEW_GOTO_FRONT_NEAR, "", N},
    {"View/Goto", "Perspective", ID_VIEW_GOTO_PERSPECTIVE, "", N},
    {"View/Goto", "Left Side Far", ID_VIEW_GOTO_LEFT_FAR, "", N},
    {"View/Goto", "Left Side Near", ID_VIEW_GOTO_LEFT_NEAR, "", N},
    {"View/Goto", "Right Side Far", ID_VIEW_GOTO_RIGHT_FAR, "", N},
    {"View/Goto", "Right Side Near", ID_VIEW_GOTO_RIGHT_NEAR, "", N},
    {"View/Goto", "Top Far", ID_VIEW_GOTO_TOP_FAR, "", N},
    {"View/Goto", "Top Near", ID_VIEW_GOTO_TOP_NEAR, "", N},
    {"View/Goto", "Bottom Far", ID_VIEW_GOTO_BOTTOM_FAR, "", N},
    {"View/Goto", "Bottom Near", ID_VIEW_GOTO_BOTTOM_NEAR, "", N},
    {"View/Goto", "Back Far", ID_VIEW_GOTO_BACK_FAR, "", N},
    {"View/Goto", "Back Near", ID_VIEW_GOTO_BACK_NEAR, "", N},
    SEP("View"),
    {"View", "Background Color ...", ID_VIEW_BACKGROUND_COLOR, "", N},
    {"View", "Ambient Light Intensity ...", ID_VIEW_AMBIENT_LIGHT, "", N},
    {"View", "Direct Light Intensity ...", ID_VIEW_DIRECT_LIGHT, "", N},
    {"View", "Reset to Default Lighting", ID_VIEW_DEFAULT_LIGHTING, "", N},
    SEP("View"),
    {"View", "Advanced Options", ID_VIEW_ADVANCED_OPTIONS, "", C},

    // Guides
    {"Guides", "Move Focus", ID_GUIDES_MOVE_FOCUS, "Focus on Joint", C},
    {"Guides", "Move Origin", ID_GUIDES_MOVE_ORIGIN, "", C},
    {"Guides", "Reset Origin", ID_GUIDES_RESET_ORIGIN, "", N},
    SEP("Guides"),
    {"Guides/XY GuidePlane", "Show/Hide Plane", ID_GUIDES_XY_SHOW, "Show the vertical GuidePlane.", C},
    {"Guides/XY GuidePlane", "Move Plane to Cursor", ID_GUIDES_XY_PLANE_TO_CURSOR, "Move the XY GuidePlane.", C},
    {"Guides/XY GuidePlane", "Move Plane to Joint", ID_GUIDES_XY_PLANE_TO_JOINT, "", C},
    {"Guides/XY GuidePlane", "Move Joint(s) and Plane", ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE, "", C},
    {"Guides/XY GuidePlane", "Replicate Joint(s) and Move Plane", ID_GUIDES_XY_REPLICATE_AND_MOVE, "", C},
    {"Guides/XY GuidePlane", "Replicate Joint(s) and Move Plane to Joint", ID_GUIDES_XY_REPLICATE_TO_JOINT, "", C},
    {"Guides/XZ GuidePlane", "Show/Hide Plane", ID_GUIDES_XZ_SHOW, "Show the horizontal GuidePlane.", C},
    {"Guides/XZ GuidePlane", "Move Plane to Cursor", ID_GUIDES_XZ_PLANE_TO_CURSOR, "Move the XZ GuidePane only.", C},
    {"Guides/XZ GuidePlane", "Move Plane to Joint", ID_GUIDES_XZ_PLANE_TO_JOINT, "", C},
    {"Guides/XZ GuidePlane", "Move Joint(s) and Plane", ID_GUIDES_XZ_MOVE_JOINTS_AND_PLANE, "", C},
    {"Guides/XZ GuidePlane", "Replicate Joint(s) and Move Plane", ID_GUIDES_XZ_REPLICATE_AND_MOVE, "", C},
    {"Guides/XZ GuidePlane", "Replicate Joint(s) and Move Plane to Joint", ID_GUIDES_XZ_REPLICATE_TO_JOINT, "", C},
    {"Guides/YZ GuidePlane", "Show/Hide Plane", ID_GUIDES_YZ_SHOW, "Show the transverse GuidePlane.", C},
    {"Guides/YZ GuidePlane", "Move Plane to Cursor", ID_GUIDES_YZ_PLANE_TO_CURSOR, "Move the YZ GuidePlane", C},
    {"Guides/YZ GuidePlane", "Move Plane to Joint", ID_GUIDES_YZ_PLANE_TO_JOINT, "", C},
    {"Guides/YZ GuidePlane", "Move Joint(s) and Plane", ID_GUIDES_YZ_MOVE_JOINTS_AND_PLANE, "", C},
    {"Guides/YZ GuidePlane", "Replicate Joint(s) and Move Plane", ID_GUIDES_YZ_REPLICATE_AND_MOVE, "", C},
    {"Guides/YZ GuidePlane", "Replicate Joint(s) and Move Plane to Joint", ID_GUIDES_YZ_REPLICATE_TO_JOINT, "", C},

    // Members
    {"Members", "Add", ID_MEMBERS_ADD, "Create a new member", C},
    {"Members", "Delete", ID_MEMBERS_DELETE, "", C},
    {"Members", "Change Shape", ID_MEMBERS_CHANGE_SHAPE, "", C},
    {"Members", "Change Material", ID_MEMBERS_CHANGE_MATERIAL, "", C},
    {"Members/Color", "Paint Member", ID_MEMBERS_COLOR_PAINT, "", C},
    {"Members/Color", "Copy Color", ID_MEMBERS_COLOR_COPY, "", C},
    {"Members/Color", "Set Default Color", ID_MEMBERS_COLOR_SET_DEFAULT, "", N},
    {"Members", "Properties ...", ID_MEMBERS_PROPERTIES, "", C},
    {"Members", "Copy Properties", ID_MEMBERS_COPY_PROPERTIES, "", C},
    SEP("Members"),
    {"Members", "Hide", ID_MEMBERS_HIDE, "", C},
    {"Members", "Show", ID_MEMBERS_SHOW, "", C},
    {"Members", "Hide All", ID_MEMBERS_HIDE_ALL, "", N},
    {"Members", "Show All", ID_MEMBERS_SHOW_ALL, "", N},
    {"Members", "Negate", ID_MEMBERS_NEGATE, "", C},
    {"Members", "Restore", ID_MEMBERS_RESTORE, "", C},
    {"Members", "Negate All", ID_MEMBERS_NEGATE_ALL, "", N},
    {"Members", "Restore All", ID_MEMBERS_RESTORE_ALL, "", N},
    SEP("Members"),
    {"Members", "Show Member Numbers", ID_MEMBERS_SHOW_MEMBER_NUMBERS, "", C},
    {"Members", "Show Shape Numbers", ID_MEMBERS_SHOW_SHAPE_NUMBERS, "", C},
    {"Members", "Show Material Numbers", ID_MEMBERS_SHOW_MATERIAL_NUMBERS, "", C},
    SEP("Members"),
    {"Members", "Set Default Material and Shape...", ID_MEMBERS_SET_DEFAULTS, "", N},
    {"Members", "Edit Shape List", ID_MEMBERS_EDIT_SHAPES, "", N},
    {"Members", "Edit Material List", ID_MEMBERS_EDIT_MATERIALS, "", N},
    {"Members", "Reset All Member Fixities!", ID_MEMBERS_RESET_FIXITIES, "", N},

    // Joints
    {"Joints", "Select a Joint", ID_JOINTS_SELECT, "Select a joint", C},
    {"Joints", "Select All Joints", ID_JOINTS_SELECT_ALL, "", N},
    {"Joints", "Clear Joint Selections", ID_JOINTS_CLEAR_SELECTIONS, "Clear All Joint Selections", N},
    SEP("Joints"),
    {"Joints", "Add", ID_JOINTS_ADD, "Create a new joint", C},
    {"Joints", "Move", ID_JOINTS_MOVE, "", C},
    {"Joints", "Delete", ID_JOINTS_DELETE, "", C},
    {"Joints", "Properties ...", ID_JOINTS_PROPERTIES, "", C},
    {"Joints", "Find Duplicates!", ID_JOINTS_FIND_DUPLICATES, "", N},
    SEP("Joints"),
    {"Joints", "Use \"Create Joint in Member\" Dialog", ID_JOINTS_USE_SPLIT_DIALOG, "", C},
    {"Joints/Size", "Small", ID_JOINTS_SIZE_SMALL, "", C},
    {"Joints/Size", "Default", ID_JOINTS_SIZE_DEFAULT, "", C},
    {"Joints/Size", "Large", ID_JOINTS_SIZE_LARGE, "", C},

    // Supports (restrained TX TY TZ RX RY RZ)
    {"Supports", "YZ Roller (right)", ID_SUPPORTS_YZ_ROLLER, "Add support of type = 100 000", C},
    {"Supports", "XY Roller", ID_SUPPORTS_XY_ROLLER, "Add support of type = 001 000", C},
    {"Supports", "XZ Roller", ID_SUPPORTS_XZ_ROLLER, "Add support of type = 010 000", C},
    {"Supports", "X Roller", ID_SUPPORTS_X_ROLLER, "Add support of type = 011 100", C},
    {"Supports", "Y Roller (right)", ID_SUPPORTS_Y_ROLLER, "Add support of type = 101 010", C},
    {"Supports", "Z Roller", ID_SUPPORTS_Z_ROLLER, "Add support of type = 110 001", C},
    {"Supports", "Universal Hinge", ID_SUPPORTS_HINGE, "Add support of type = 111 000", C},
    {"Supports", "Fixed", ID_SUPPORTS_FIXED, "Add support of type = 111 111", C},
    SEP("Supports"),
    {"Supports", "Delete", ID_SUPPORTS_DELETE, "", C},

    // Loads
    {"Loads", "Add/Change Force X", ID_LOADS_FORCE_X, "", C},
    {"Loads", "Add/Change Force Y", ID_LOADS_FORCE_Y, "", C},
    {"Loads", "Add/Change Force Z", ID_LOADS_FORCE_Z, "", C},
    {"Loads", "Delete Force", ID_LOADS_DELETE_FORCE, "", C},
    SEP("Loads"),
    {"Loads", "Show X Forces", ID_LOADS_SHOW_FORCES_X, "", C},
    {"Loads", "Show Y Forces", ID_LOADS_SHOW_FORCES_Y, "", C},
    {"Loads", "Show Z Forces", ID_LOADS_SHOW_FORCES_Z, "", C},
    {"Loads", "Set Default Force...", ID_LOADS_SET_DEFAULT_FORCE, "", N},
    SEP("Loads"),
    {"Loads", "Use Truck", ID_LOADS_USE_TRUCK, "", C},
    {"Loads", "Truck Axle Loads ...", ID_LOADS_TRUCK_AXLE_LOADS, "", N},
    {"Loads", "Use Fan", ID_LOADS_USE_FAN, "", C},
    {"Loads", "Tower Defaults ...", ID_LOADS_TOWER_DEFAULTS, "", C},

    // Analysis
    {"Analysis", "Run the Analysis!", ID_ANALYSIS_RUN, "Run the Analysis", N},
    {"Analysis", "Clear Results", ID_ANALYSIS_CLEAR_RESULTS, "", N},
    {"Analysis", "Reset Geometry", ID_ANALYSIS_RESET_GEOMETRY, "", N},
    SEP("Analysis"),
    {"Analysis", "Global Data...", ID_ANALYSIS_GLOBAL_DATA, "", N},
    {"Analysis", "MemberResults ...", ID_ANALYSIS_MEMBER_RESULTS, "", N},
    {"Analysis", "Joint Results ...", ID_ANALYSIS_JOINT_RESULTS, "", N},
    SEP("Analysis"),
    {"Analysis/Analysis Options/Consider", "Axial Stresses", ID_OPT_CONSIDER_AXIAL, "", C},
    {"Analysis/Analysis Options/Consider", "Bending Stresses", ID_OPT_CONSIDER_BENDING, "", C},
    {"Analysis/Analysis Options/Consider", "Shear Stresses", ID_OPT_CONSIDER_SHEAR, "", C},
    {"Analysis/Analysis Options/Consider", "Torsion Stresses", ID_OPT_CONSIDER_TORSION, "", C},
    {"Analysis/Analysis Options", "Include Self Weight", ID_OPT_INCLUDE_SELF_WEIGHT, "", C},
    {"Analysis/Analysis Options", "Include Eccentricity at Connection", ID_OPT_INCLUDE_ECCENTRICITY, "", C},
    {"Analysis/Analysis Options", "Find Breaking Force(s)", ID_OPT_FIND_BREAKING_FORCES, "", C},
    SEP("Analysis/Analysis Options"),
    {"Analysis/Analysis Options", "No Animation", ID_OPT_NO_ANIMATION, "", C},
    {"Analysis/Analysis Options", "Animate Displacement", ID_OPT_ANIMATE_DISPLACEMENT, "", C},
    {"Analysis/Analysis Options", "Animate Collapse", ID_OPT_ANIMATE_COLLAPSE, "", C},
    {"Analysis/Analysis Options/Animation Speed", "Fast", ID_OPT_SPEED_FAST, "", C},
    {"Analysis/Analysis Options/Animation Speed", "  *", ID_OPT_SPEED_50, "", C},
    {"Analysis/Analysis Options/Animation Speed", "Medium", ID_OPT_SPEED_MEDIUM, "", C},
    {"Analysis/Analysis Options/Animation Speed", "  *", ID_OPT_SPEED_500, "", C},
    {"Analysis/Analysis Options/Animation Speed", "Slow", ID_OPT_SPEED_SLOW, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "None", ID_OPT_MAGNIFY_NONE, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "2", ID_OPT_MAGNIFY_2, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "5", ID_OPT_MAGNIFY_5, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "10", ID_OPT_MAGNIFY_10, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "20", ID_OPT_MAGNIFY_20, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "50", ID_OPT_MAGNIFY_50, "", C},
    {"Analysis/Analysis Options/Displacement Magnification", "100", ID_OPT_MAGNIFY_100, "", C},
    SEP("Analysis/Analysis Options"),
    {"Analysis/Analysis Options", "Color Axial Stresses", ID_OPT_COLOR_AXIAL, "", C},
    {"Analysis/Analysis Options", "Color Bending Stresses", ID_OPT_COLOR_BENDING, "", C},
    {"Analysis/Analysis Options", "Color Failed Members", ID_OPT_COLOR_FAILED, "", C},
    SEP("Analysis"),
    {"Analysis", "Launch File Viewer", ID_ANALYSIS_LAUNCH_FILE_VIEWER, "", N},
    {"Analysis", "Launch Graphic Viewer", ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER, "", N},

    // Help
    {"Help", "The Trussforge3D Manual", ID_HELP_MANUAL, "", N},
    {"Help", "BBSC's Internet Site", ID_HELP_MAKER_WEB_SITE, "", N},
    {"Help", "Trussforge3D Resource Site", ID_HELP_RESOURCE_SITE, "", N},
    SEP("Help"),
    {"Help", "Show Warning Message ...", ID_HELP_SHOW_WARNING, "", N},
    SEP("Help"),
    {"Help", "About Trussforge3D...", ID_APP_ABOUT, "", N},
};
#undef SEP

const ToolbarButton kToolbar[TOOLBAR_BUTTON_COUNT] = {
    {ID_GUIDES_MOVE_FOCUS, "Focus on Joint", "Set Focus to a Joint", false, true},
    {ID_JOINTS_SELECT, "Select a joint", "Select a Joint", false, true},
    {ID_JOINTS_CLEAR_SELECTIONS, "Clear All Joint Selections", "Clear All Joint Selections", false, false},
    {ID_JOINTS_ADD, "Create a new joint", "Add a New Joint", true, true},
    {ID_MEMBERS_ADD, "Create a new member", "Add a New Member", false, true},
    {ID_GUIDES_XY_SHOW, "Show the vertical GuidePlane.", "Show the XY GuidePlane", true, true},
    {ID_GUIDES_XY_PLANE_TO_CURSOR, "Move the XY GuidePlane.", " Move the XY GuidePlane", false, true},
    {ID_GUIDES_XZ_SHOW, "Show the horizontal GuidePlane.", "Show the XZ GuidePlane", true, true},
    {ID_GUIDES_XZ_PLANE_TO_CURSOR, "Move the XZ GuidePane only.", " Move the XZ GuidePlane", false, true},
    {ID_GUIDES_YZ_SHOW, "Show the transverse GuidePlane.", "Show the YZ GuidePlane", true, true},
    {ID_GUIDES_YZ_PLANE_TO_CURSOR, "Move the YZ GuidePlane", " Move the YZ GuidePlane", false, true},
    {ID_SUPPORTS_XZ_ROLLER, "Add support of type = 010 000", "Add an XZ Roller", true, true},
    {ID_SUPPORTS_HINGE, "Add support of type = 111 000", "Add Universal Hinge", false, true},
    {ID_SUPPORTS_FIXED, "Add support of type = 111 111", "Add a Fixed Support", false, true},
    {ID_ANALYSIS_RUN, "Run the Analysis", "Run the Analysis", true, false},
};

const Accelerator kAccelerators[] = {
    {ACCEL_CTRL, 'N', ID_FILE_NEW},
    {ACCEL_CTRL, 'P', ID_FILE_PRINT},
    {ACCEL_ALT, KEY_BACKSPACE, ID_EDIT_UNDO},
};

// Items whose check mark is a flag of their own.
struct CheckFlag {
    int id;
    int* flag;
};

const CheckFlag kCheckFlags[] = {
    {ID_FILE_TILE_PORTRAIT, &g_bTilePortrait},
    {ID_FILE_TILE_LANDSCAPE, &g_bTileLandscape},
    {ID_FILE_NEW_US_UNITS, &g_bUnitsUS},
    {ID_FILE_NEW_METRIC_UNITS, &g_bMetricUnits},
    {ID_FILE_NEW_BRIDGE_PROJECT, &g_bTruckActive},
    {ID_FILE_NEW_TOWER_PROJECT, &g_bTowerProject},
    {ID_OUT_JOINT_DATA, &g_bOutJointData},
    {ID_OUT_MEMBER_DATA, &g_bOutMemberData},
    {ID_OUT_MATERIAL_DATA, &g_bOutMaterialData},
    {ID_OUT_SHAPE_DATA, &g_bOutShapeData},
    {ID_OUT_LOAD_DATA, &g_bOutLoadData},
    {ID_OUT_BILL_OF_MATERIALS, &g_bOutBillOfMaterials},
    {ID_OUT_ULTIMATE_FORCES, &g_bOutUltimateForces},
    {ID_OUT_ACTUAL_FORCES, &g_bOutActualForces},
    {ID_OUT_STRENGTH_RATIOS, &g_bOutStrengthRatios},
    {ID_VIEW_JOINTS, &g_bShowJoints},
    {ID_VIEW_LOADS, &g_bShowLoads},
    {ID_VIEW_SUPPORTS, &g_bShowSupports},
    {ID_VIEW_XY_BASE_PLANE, &g_bShowXYBasePlane},
    {ID_VIEW_XZ_BASE_PLANE, &g_bShowXZBasePlane},
    {ID_VIEW_YZ_BASE_PLANE, &g_bShowYZBasePlane},
    {ID_VIEW_RULERS, &g_bShowRulers},
    {ID_VIEW_SHOW_ORIGIN, &g_bShowOrigin},
    {ID_VIEW_SHOW_FOCUS, &g_bShowFocus},
    {ID_VIEW_SHOW_MODEL_WEIGHT, &g_bShowModelWeight},
    {ID_VIEW_ADVANCED_OPTIONS, &g_bAdvancedOptions},
    {ID_GUIDES_XY_SHOW, &g_bShowGuideXY},
    {ID_GUIDES_XZ_SHOW, &g_bShowGuideXZ},
    {ID_GUIDES_YZ_SHOW, &g_bShowGuideYZ},
    {ID_MEMBERS_SHOW_MEMBER_NUMBERS, &g_bShowMemberNumbers},
    {ID_MEMBERS_SHOW_SHAPE_NUMBERS, &g_bShowShapeNumbers},
    {ID_MEMBERS_SHOW_MATERIAL_NUMBERS, &g_bShowMaterialNumbers},
    {ID_JOINTS_USE_SPLIT_DIALOG, &g_bUseSplitDialog},
    {ID_JOINTS_SIZE_SMALL, &g_bJointSizeSmall},
    {ID_JOINTS_SIZE_DEFAULT, &g_bJointSizeDefault},
    {ID_JOINTS_SIZE_LARGE, &g_bJointSizeLarge},
    {ID_LOADS_SHOW_FORCES_X, &g_bShowForcesX},
    {ID_LOADS_SHOW_FORCES_Y, &g_bShowForcesY},
    {ID_LOADS_SHOW_FORCES_Z, &g_bShowForcesZ},
    {ID_LOADS_USE_TRUCK, &g_bUseTruck},
    {ID_LOADS_USE_FAN, &g_bUseFan},
    {ID_LOADS_TOWER_DEFAULTS, &g_bTowerDefaultsChecked},
    {ID_OPT_CONSIDER_AXIAL, &g_bConsiderAxial},
    {ID_OPT_CONSIDER_BENDING, &g_bConsiderBending},
    {ID_OPT_CONSIDER_SHEAR, &g_bConsiderShear},
    {ID_OPT_CONSIDER_TORSION, &g_bConsiderTorsion},
    {ID_OPT_INCLUDE_SELF_WEIGHT, &g_bIncludeSelfWeight},
    {ID_OPT_FIND_BREAKING_FORCES, &g_bFindBreakingForces},
    {ID_OPT_NO_ANIMATION, &g_bNoAnimation},
    {ID_OPT_ANIMATE_DISPLACEMENT, &g_bAnimateDisplacement},
    {ID_OPT_ANIMATE_COLLAPSE, &g_bAnimateCollapse},
    {ID_OPT_SPEED_FAST, &g_bAnimSpeedFast},
    {ID_OPT_SPEED_50, &g_bAnimSpeed50},
    {ID_OPT_SPEED_MEDIUM, &g_bAnimSpeedMedium},
    {ID_OPT_SPEED_500, &g_bAnimSpeed500},
    {ID_OPT_SPEED_SLOW, &g_bAnimSpeedSlow},
    {ID_OPT_MAGNIFY_NONE, &g_bMagnifyNone},
    {ID_OPT_MAGNIFY_2, &g_bMagnify2},
    {ID_OPT_MAGNIFY_5, &g_bMagnify5},
    {ID_OPT_MAGNIFY_10, &g_bMagnify10},
    {ID_OPT_MAGNIFY_20, &g_bMagnify20},
    {ID_OPT_MAGNIFY_50, &g_bMagnify50},
    {ID_OPT_MAGNIFY_100, &g_bMagnify100},
    {ID_OPT_COLOR_AXIAL, &g_bColorAxialStresses},
    {ID_OPT_COLOR_BENDING, &g_bColorBendingStresses},
    {ID_OPT_COLOR_FAILED, &g_bColorFailedMembers},
};

bool Flag(const int* f) { return *f != 0; }

}  // namespace

const char* const* TopMenus() { return kTopMenus; }
int TopMenuCount() { return static_cast<int>(sizeof kTopMenus / sizeof kTopMenus[0]); }

const MenuEntry* MenuEntries() { return kMenu; }
int MenuEntryCount() { return static_cast<int>(sizeof kMenu / sizeof kMenu[0]); }

const MenuEntry* FindMenuEntry(int commandId)
{
    if (commandId == 0) return nullptr;
    for (const MenuEntry& e : kMenu)
        if (e.id == commandId) return &e;
    return nullptr;
}

std::string MenuItemPath(const MenuEntry& entry)
{
    std::string path = entry.menu;
    if (!entry.text) return path;
    std::string text = entry.text;
    const size_t tab = text.find('\t');
    if (tab != std::string::npos) text.erase(tab);
    std::string plain;
    for (char ch : text)
        if (ch != '&') plain += ch;
    return path + "/" + plain;
}

const ToolbarButton* ToolbarButtons() { return kToolbar; }

bool IsWindowCommand(int commandId)
{
    return commandId == ID_APP_EXIT || commandId == ID_APP_ABOUT || commandId == ID_VIEW_TOOLBAR ||
           commandId == ID_FILE_PRINT;
}

const Accelerator* Accelerators() { return kAccelerators; }
int AcceleratorCount() { return static_cast<int>(sizeof kAccelerators / sizeof kAccelerators[0]); }

CommandState CommandStateOf(int commandId)
{
    CommandState s;
    if (const ToolCommand* tool = FindToolCommand(commandId)) {
        s.checked = Flag(tool->flag);
        return s;
    }
    for (const CheckFlag& c : kCheckFlags) {
        if (c.id == commandId) {
            s.checked = Flag(c.flag);
            break;
        }
    }
    switch (commandId) {
    case ID_FILE_SAVE_MODEL:
        s.enabled = g_bHasFileName != 0;
        break;
    case ID_EDIT_UNDO:
        s.enabled = g_bUndoAvailable != 0;
        break;
    case ID_MEMBERS_EDIT_MATERIALS:
    case ID_MEMBERS_EDIT_SHAPES:
    case ID_MEMBERS_RESET_FIXITIES:
        s.enabled = g_bAdvancedOptions != 0;
        break;
    case ID_ANALYSIS_MEMBER_RESULTS:
        s.enabled = g_bMemberResultsValid != 0;
        break;
    case ID_ANALYSIS_JOINT_RESULTS:
        s.enabled = g_bJointResultsValid != 0;
        break;
    case ID_LOADS_USE_TRUCK:
    case ID_LOADS_TRUCK_AXLE_LOADS:
        s.enabled = g_bBridgeProject != 0;
        break;
    case ID_LOADS_USE_FAN:
    case ID_LOADS_TOWER_DEFAULTS:
        s.enabled = g_bTowerProject != 0;
        break;
    case ID_OPT_FIND_BREAKING_FORCES:
        s.enabled = g_bTruckActive == 0;
        break;
    case ID_OPT_INCLUDE_ECCENTRICITY:
        s.checked = g_bEccentricityEnabled != 0 && g_bIncludeEccentricity != 0;
        break;
    default:
        break;
    }
    return s;
}
