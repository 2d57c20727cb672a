#include <cstring>
#include <set>
#include <string>

#include "frame/command_ids.h"
#include "frame/frame_globals.h"
#include "frame/menu_table.h"
#include "frame/tool_commands.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

using MenuTableTest = Tf3dTest;

TEST_F(MenuTableTest, BarOrderAndEveryItemUnderAKnownMenu)
{
    const char* const expect[] = {"File", "Edit", "View", "Guides", "Members",
                                  "Joints", "Supports", "Loads", "Analysis", "Help"};
    ASSERT_EQ(TopMenuCount(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_STREQ(TopMenus()[i], expect[i]);

    std::set<int> ids;
    for (int i = 0; i < MenuEntryCount(); ++i) {
        const MenuEntry& e = MenuEntries()[i];
        const std::string top = std::string(e.menu).substr(0, std::string(e.menu).find('/'));
        bool known = false;
        for (int k = 0; k < 10; ++k) known = known || top == expect[k];
        EXPECT_TRUE(known) << e.menu;
        if (e.kind == MenuKind::Separator) {
            EXPECT_EQ(e.id, 0);
            continue;
        }
        ASSERT_NE(e.text, nullptr);
        EXPECT_TRUE(ids.insert(e.id).second) << "id used twice: " << e.id;
        // The toolkit's item id: 1 .. 0x7ffe, outside its reserved range.
        const int item = ToolkitItemId(e.id);
        EXPECT_TRUE(item > 0 && item < 0x7fff) << e.id;
        EXPECT_FALSE(item >= 4999 && item <= 5999) << e.id;
        EXPECT_EQ(CommandIdOfToolkitItem(item), e.id);
    }
    // File ends with Exit, View begins with the toolbar switch, Help with About.
    const MenuEntry* exitItem = FindMenuEntry(ID_APP_EXIT);
    ASSERT_NE(exitItem, nullptr);
    EXPECT_STREQ(exitItem->text, "E&xit Trussforge3D");
    EXPECT_EQ(MenuItemPath(*exitItem), "File/Exit Trussforge3D");
    int lastFile = -1, firstView = -1, lastHelp = -1;
    for (int i = 0; i < MenuEntryCount(); ++i) {
        const std::string m = MenuEntries()[i].menu;
        if (m.rfind("File", 0) == 0) lastFile = i;
        if (m == "View" && firstView < 0) firstView = i;
        if (m == "Help") lastHelp = i;
    }
    EXPECT_EQ(MenuEntries()[lastFile].id, ID_APP_EXIT);
    EXPECT_EQ(MenuEntries()[firstView].id, ID_VIEW_TOOLBAR);
    EXPECT_EQ(MenuEntries()[lastHelp].id, ID_APP_ABOUT);
}

TEST_F(MenuTableTest, EveryToolCommandHasItsMenuItemExceptTheSplitTools)
{
    for (int i = 0; i < ToolCommandCount(); ++i) {
        const ToolCommand& t = ToolCommands()[i];
        const MenuEntry* e = FindMenuEntry(t.id);
        if (t.id >= ID_MEMBERS_SPLIT_10 && t.id <= ID_MEMBERS_SPLIT_90) {
            EXPECT_EQ(e, nullptr);
            continue;
        }
        ASSERT_NE(e, nullptr) << t.menuPath;
        EXPECT_EQ(MenuItemPath(*e), t.menuPath);
        EXPECT_EQ(e->kind, MenuKind::Check);
    }
}

TEST_F(MenuTableTest, FileItemsAndAcceleratorTexts)
{
    EXPECT_EQ(MenuItemPath(*FindMenuEntry(ID_FILE_NEW_US_UNITS)), "File/New/U.S. Customary Units");
    EXPECT_EQ(MenuItemPath(*FindMenuEntry(ID_FILE_NEW_TOWER_PROJECT)), "File/New/Tower Project");
    EXPECT_STREQ(FindMenuEntry(ID_FILE_OPEN_MODEL)->text, "Open Model...\tCtrl+O");
    EXPECT_STREQ(FindMenuEntry(ID_FILE_SAVE_MODEL)->text, "Save Model\tCtrl+S");
    EXPECT_STREQ(FindMenuEntry(ID_EDIT_UNDO)->text, "Undo\tCtrl+Z");
    EXPECT_EQ(MenuItemPath(*FindMenuEntry(ID_OUT_STRENGTH_RATIOS)), "File/Include in Output File/Strength Ratios");
    EXPECT_EQ(MenuItemPath(*FindMenuEntry(ID_HELP_MAKER_WEB_SITE)), "Help/BBSC's Internet Site");
    EXPECT_EQ(MenuItemPath(*FindMenuEntry(ID_JOINTS_MOVE)), "Joints/Move");
    EXPECT_EQ(FindMenuEntry(ID_FILE_NEW), nullptr);  // Ctrl+N only

    // Ctrl+N and Alt+Backspace have no menu text to carry them.
    bool ctrlN = false, altBack = false;
    for (int i = 0; i < AcceleratorCount(); ++i) {
        const Accelerator& a = Accelerators()[i];
        EXPECT_TRUE(ToolkitItemId(a.id) > 0 && ToolkitItemId(a.id) < 0x7fff);
        ctrlN = ctrlN || (a.modifiers == ACCEL_CTRL && a.key == 'N' && a.id == ID_FILE_NEW);
        altBack = altBack || (a.modifiers == ACCEL_ALT && a.key == KEY_BACKSPACE && a.id == ID_EDIT_UNDO);
    }
    EXPECT_TRUE(ctrlN);
    EXPECT_TRUE(altBack);

    // The two Animation Speed steps between the named ones.
    EXPECT_STREQ(FindMenuEntry(ID_OPT_SPEED_50)->text, "  *");
    EXPECT_STREQ(FindMenuEntry(ID_OPT_SPEED_500)->text, "  *");
}

TEST_F(MenuTableTest, ToolbarButtonsInOrderWithTheirTexts)
{
    const ToolbarButton* b = ToolbarButtons();
    const int ids[TOOLBAR_BUTTON_COUNT] = {
        ID_GUIDES_MOVE_FOCUS, ID_JOINTS_SELECT, ID_JOINTS_CLEAR_SELECTIONS, ID_JOINTS_ADD, ID_MEMBERS_ADD,
        ID_GUIDES_XY_SHOW, ID_GUIDES_XY_PLANE_TO_CURSOR, ID_GUIDES_XZ_SHOW, ID_GUIDES_XZ_PLANE_TO_CURSOR,
        ID_GUIDES_YZ_SHOW, ID_GUIDES_YZ_PLANE_TO_CURSOR, ID_SUPPORTS_XZ_ROLLER, ID_SUPPORTS_HINGE,
        ID_SUPPORTS_FIXED, ID_ANALYSIS_RUN};
    int separators = 0;
    for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
        EXPECT_EQ(b[i].id, ids[i]) << i;
        EXPECT_NE(FindMenuEntry(b[i].id), nullptr) << i;
        separators += b[i].separatorBefore;
    }
    EXPECT_EQ(separators, 6);
    EXPECT_TRUE(b[3].separatorBefore && b[5].separatorBefore && b[7].separatorBefore &&
                b[9].separatorBefore && b[11].separatorBefore && b[14].separatorBefore);
    EXPECT_STREQ(b[0].flyBy, "Focus on Joint");
    EXPECT_STREQ(b[0].tooltip, "Set Focus to a Joint");
    EXPECT_STREQ(b[8].flyBy, "Move the XZ GuidePane only.");
    EXPECT_STREQ(b[8].tooltip, " Move the XZ GuidePlane");
    EXPECT_STREQ(b[10].flyBy, "Move the YZ GuidePlane");
    EXPECT_STREQ(b[12].tooltip, "Add Universal Hinge");
    EXPECT_STREQ(b[13].flyBy, "Add support of type = 111 111");
    EXPECT_STREQ(b[14].tooltip, "Run the Analysis");
}

TEST_F(MenuTableTest, EnableRules)
{
    EXPECT_FALSE(CommandStateOf(ID_FILE_SAVE_MODEL).enabled);
    g_bHasFileName = 1;
    EXPECT_TRUE(CommandStateOf(ID_FILE_SAVE_MODEL).enabled);
    EXPECT_TRUE(CommandStateOf(ID_FILE_SAVE_MODEL_AS).enabled);

    EXPECT_FALSE(CommandStateOf(ID_EDIT_UNDO).enabled);
    g_bUndoAvailable = 1;
    EXPECT_TRUE(CommandStateOf(ID_EDIT_UNDO).enabled);

    EXPECT_TRUE(CommandStateOf(ID_MEMBERS_EDIT_SHAPES).enabled);
    g_bAdvancedOptions = 0;
    EXPECT_FALSE(CommandStateOf(ID_MEMBERS_EDIT_SHAPES).enabled);
    EXPECT_FALSE(CommandStateOf(ID_MEMBERS_EDIT_MATERIALS).enabled);
    EXPECT_FALSE(CommandStateOf(ID_MEMBERS_RESET_FIXITIES).enabled);
    EXPECT_TRUE(CommandStateOf(ID_VIEW_ADVANCED_OPTIONS).enabled);
    EXPECT_FALSE(CommandStateOf(ID_VIEW_ADVANCED_OPTIONS).checked);

    EXPECT_FALSE(CommandStateOf(ID_ANALYSIS_MEMBER_RESULTS).enabled);
    EXPECT_FALSE(CommandStateOf(ID_ANALYSIS_JOINT_RESULTS).enabled);
    g_bJointResultsValid = 1;
    EXPECT_FALSE(CommandStateOf(ID_ANALYSIS_MEMBER_RESULTS).enabled);
    EXPECT_TRUE(CommandStateOf(ID_ANALYSIS_JOINT_RESULTS).enabled);

    // Truck items only in a bridge project, fan items only in a tower project.
    EXPECT_FALSE(CommandStateOf(ID_LOADS_USE_TRUCK).enabled);
    EXPECT_FALSE(CommandStateOf(ID_LOADS_TRUCK_AXLE_LOADS).enabled);
    g_bBridgeProject = 1;
    EXPECT_TRUE(CommandStateOf(ID_LOADS_TRUCK_AXLE_LOADS).enabled);
    EXPECT_FALSE(CommandStateOf(ID_LOADS_USE_FAN).enabled);
    g_bTowerProject = 1;
    EXPECT_TRUE(CommandStateOf(ID_LOADS_TOWER_DEFAULTS).enabled);

    // Find Breaking Force(s) greyed while the truck is in use.
    EXPECT_TRUE(CommandStateOf(ID_OPT_FIND_BREAKING_FORCES).enabled);
    g_bTruckActive = 1;
    EXPECT_FALSE(CommandStateOf(ID_OPT_FIND_BREAKING_FORCES).enabled);
    EXPECT_TRUE(CommandStateOf(ID_FILE_NEW_BRIDGE_PROJECT).checked);

    // Items without a rule stay enabled and unchecked.
    for (int id : {ID_ANALYSIS_RUN, ID_JOINTS_SELECT_ALL, ID_VIEW_REFRESH_SCREEN, ID_VIEW_GOTO_FRONT_FAR,
                   ID_FILE_PRINT_XY_PLANE}) {
        EXPECT_TRUE(CommandStateOf(id).enabled) << id;
        EXPECT_FALSE(CommandStateOf(id).checked) << id;
    }
}

TEST_F(MenuTableTest, CheckMarksFollowTheirFlags)
{
    EXPECT_TRUE(CommandStateOf(ID_FILE_NEW_US_UNITS).checked);
    EXPECT_FALSE(CommandStateOf(ID_FILE_NEW_METRIC_UNITS).checked);
    SetMetricUnits(1);
    EXPECT_FALSE(CommandStateOf(ID_FILE_NEW_US_UNITS).checked);
    EXPECT_TRUE(CommandStateOf(ID_FILE_NEW_METRIC_UNITS).checked);

    // Tools: their own flag.
    EXPECT_FALSE(CommandStateOf(ID_SUPPORTS_FIXED).checked);
    RunToolCommand(ID_SUPPORTS_FIXED);
    EXPECT_TRUE(CommandStateOf(ID_SUPPORTS_FIXED).checked);
    EXPECT_FALSE(CommandStateOf(ID_SUPPORTS_HINGE).checked);

    // Radio groups and switches with their start-up values.
    EXPECT_TRUE(CommandStateOf(ID_OPT_MAGNIFY_10).checked);
    EXPECT_FALSE(CommandStateOf(ID_OPT_MAGNIFY_50).checked);
    SetMagnificationRadio(50);
    EXPECT_TRUE(CommandStateOf(ID_OPT_MAGNIFY_50).checked);
    EXPECT_FALSE(CommandStateOf(ID_OPT_MAGNIFY_10).checked);
    EXPECT_TRUE(CommandStateOf(ID_OPT_ANIMATE_COLLAPSE).checked);
    EXPECT_TRUE(CommandStateOf(ID_OPT_SPEED_FAST).checked);
    EXPECT_TRUE(CommandStateOf(ID_OPT_COLOR_FAILED).checked);
    EXPECT_TRUE(CommandStateOf(ID_JOINTS_SIZE_DEFAULT).checked);
    EXPECT_TRUE(CommandStateOf(ID_OPT_CONSIDER_AXIAL).checked);
    EXPECT_FALSE(CommandStateOf(ID_OPT_CONSIDER_SHEAR).checked);
    EXPECT_TRUE(CommandStateOf(ID_OUT_JOINT_DATA).checked);
    EXPECT_TRUE(CommandStateOf(ID_GUIDES_XY_SHOW).checked);
    g_bShowGuideXY = 0;
    EXPECT_FALSE(CommandStateOf(ID_GUIDES_XY_SHOW).checked);
    EXPECT_TRUE(CommandStateOf(ID_VIEW_JOINTS).checked);
    EXPECT_FALSE(CommandStateOf(ID_VIEW_SHOW_ORIGIN).checked);

    g_bIncludeEccentricity = 1;
    EXPECT_TRUE(CommandStateOf(ID_OPT_INCLUDE_ECCENTRICITY).checked);
}

}  // namespace
