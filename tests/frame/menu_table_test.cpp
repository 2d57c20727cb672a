#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "frame/command_ids.h"
#include "frame/menu_table.h"
#include "frame/tool_commands.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"

namespace {

using MenuTableTest = Tf3dTest;

bool Enabled(int id) { return CommandStateOf(id).enabled; }
bool Checked(int id) { return CommandStateOf(id).checked; }
std::string PathOf(int id) { return MenuItemPath(*FindMenuEntry(id)); }

TEST_F(MenuTableTest, BarOrderUniqueIdsAndItemPlaces)
{
    const char* const bar[] = {"File", "Edit", "View", "Guides", "Members",
                               "Joints", "Supports", "Loads", "Analysis", "Help"};
    ASSERT_EQ(TopMenuCount(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_STREQ(TopMenus()[i], bar[i]);
    std::set<int> ids;
    int lastFile = -1, firstView = -1, lastHelp = -1;
    for (int i = 0; i < MenuEntryCount(); ++i) {
        const MenuEntry& e = MenuEntries()[i];
        const std::string menu = e.menu, top = menu.substr(0, menu.find('/'));
        EXPECT_NE(std::find(std::begin(bar), std::end(bar), top), std::end(bar)) << e.menu;
        if (top == "File") lastFile = i;
        if (menu == "View" && firstView < 0) firstView = i;
        if (menu == "Help") lastHelp = i;
        if (e.kind == MenuKind::Separator) {
            EXPECT_EQ(e.id, 0);
            continue;
        }
        ASSERT_NE(e.text, nullptr);
        EXPECT_TRUE(ids.insert(e.id).second) << "id used twice: " << e.id;
        const int item = ToolkitItemId(e.id);  // the toolkit's item id: 1 .. 0x7ffe, outside its reserved range.
        EXPECT_TRUE(item > 0 && item < 0x7fff && !(item >= 4999 && item <= 5999)) << e.id;
        EXPECT_EQ(CommandIdOfToolkitItem(item), e.id);
    }
    EXPECT_EQ(MenuEntries()[lastFile].id, ID_APP_EXIT);
    EXPECT_EQ(MenuEntries()[firstView].id, ID_VIEW_TOOLBAR);
    EXPECT_EQ(MenuEntries()[lastHelp].id, ID_APP_ABOUT);
    // Every tool command has its check item, except the split tools.
    for (int i = 0; i < ToolCommandCount(); ++i) {
        const ToolCommand& t = ToolCommands()[i];
        const MenuEntry* e = FindMenuEntry(t.id);
        const bool split = t.id >= ID_MEMBERS_SPLIT_10 && t.id <= ID_MEMBERS_SPLIT_90;
        ASSERT_EQ(e == nullptr, split) << t.menuPath;
        EXPECT_TRUE(split || (MenuItemPath(*e) == t.menuPath && e->kind == MenuKind::Check)) << t.menuPath;
    }
}

TEST_F(MenuTableTest, ItemTextsAcceleratorsAndToolbar)
{
    EXPECT_STREQ(FindMenuEntry(ID_APP_EXIT)->text, "E&xit Trussforge3D");
    EXPECT_EQ(PathOf(ID_APP_EXIT), "File/Exit Trussforge3D");
    EXPECT_EQ(PathOf(ID_FILE_NEW_US_UNITS), "File/New/U.S. Customary Units");
    EXPECT_EQ(PathOf(ID_OUT_STRENGTH_RATIOS), "File/Include in Output File/Strength Ratios");
    EXPECT_EQ(PathOf(ID_HELP_MAKER_WEB_SITE), "Help/BBSC's Internet Site");
    EXPECT_STREQ(FindMenuEntry(ID_FILE_OPEN_MODEL)->text, "Open Model...\tCtrl+O");
    EXPECT_STREQ(FindMenuEntry(ID_FILE_SAVE_MODEL)->text, "Save Model\tCtrl+S");
    EXPECT_STREQ(FindMenuEntry(ID_OPT_SPEED_50)->text, "  *");  // unnamed Animation Speed step
    EXPECT_EQ(FindMenuEntry(ID_FILE_NEW), nullptr);              // Ctrl+N only
    bool ctrlN = false, altBack = false;  // ctrl+N and Alt+Backspace have no menu text to carry them
    for (int i = 0; i < AcceleratorCount(); ++i) {
        const Accelerator& a = Accelerators()[i];
        EXPECT_TRUE(ToolkitItemId(a.id) > 0 && ToolkitItemId(a.id) < 0x7fff);
        ctrlN = ctrlN || (a.modifiers == ACCEL_CTRL && a.key == 'N' && a.id == ID_FILE_NEW);
        altBack = altBack || (a.modifiers == ACCEL_ALT && a.key == KEY_BACKSPACE && a.id == ID_EDIT_UNDO);
    }
    EXPECT_TRUE(ctrlN && altBack);

    // Toolbar buttons in order, groups split by separators, with their texts.
    const ToolbarButton* b = ToolbarButtons();
    const int ids[TOOLBAR_BUTTON_COUNT] = {
        ID_GUIDES_MOVE_FOCUS, ID_JOINTS_SELECT, ID_JOINTS_CLEAR_SELECTIONS, ID_JOINTS_ADD, ID_MEMBERS_ADD,
        ID_GUIDES_XY_SHOW, ID_GUIDES_XY_PLANE_TO_CURSOR, ID_GUIDES_XZ_SHOW, ID_GUIDES_XZ_PLANE_TO_CURSOR,
        ID_GUIDES_YZ_SHOW, ID_GUIDES_YZ_PLANE_TO_CURSOR, ID_SUPPORTS_XZ_ROLLER, ID_SUPPORTS_HINGE,
        ID_SUPPORTS_FIXED, ID_ANALYSIS_RUN};
    std::string separators;
    for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
        EXPECT_TRUE(b[i].id == ids[i] && FindMenuEntry(b[i].id) != nullptr) << i;
        if (b[i].separatorBefore) separators += std::to_string(i) + " ";
    }
    EXPECT_EQ(separators, "3 5 7 9 11 14 ");
    EXPECT_STREQ(b[8].flyBy, "Move the XZ GuidePane only.");
    EXPECT_STREQ(b[8].tooltip, " Move the XZ GuidePlane");
    EXPECT_STREQ(b[13].flyBy, "Add support of type = 111 111");
    EXPECT_STREQ(b[14].tooltip, "Run the Analysis");
}

TEST_F(MenuTableTest, EnableRulesAndCheckMarks)
{
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_MODEL) || Enabled(ID_EDIT_UNDO));  // save only with a file name
    g_bHasFileName = g_bUndoAvailable = 1;
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_MODEL) && Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(Enabled(ID_MEMBERS_EDIT_SHAPES));
    g_bAdvancedOptions = 0;
    EXPECT_FALSE(Enabled(ID_MEMBERS_EDIT_SHAPES) || Enabled(ID_MEMBERS_EDIT_MATERIALS) ||
                 Enabled(ID_MEMBERS_RESET_FIXITIES) || Checked(ID_VIEW_ADVANCED_OPTIONS));
    EXPECT_TRUE(Enabled(ID_VIEW_ADVANCED_OPTIONS) && !Enabled(ID_ANALYSIS_JOINT_RESULTS));
    g_bJointResultsValid = 1;
    EXPECT_TRUE(!Enabled(ID_ANALYSIS_MEMBER_RESULTS) && Enabled(ID_ANALYSIS_JOINT_RESULTS));
    // Truck items only in a bridge project, fan items only in a tower project.
    EXPECT_FALSE(Enabled(ID_LOADS_TRUCK_AXLE_LOADS));
    g_bBridgeProject = 1;
    EXPECT_TRUE(Enabled(ID_LOADS_TRUCK_AXLE_LOADS) && !Enabled(ID_LOADS_USE_FAN));
    g_bTowerProject = 1;
    EXPECT_TRUE(Enabled(ID_LOADS_TOWER_DEFAULTS));
    EXPECT_TRUE(Enabled(ID_OPT_FIND_BREAKING_FORCES));  // find Breaking Force(s) greyed while the truck is in use
    g_bTruckActive = 1;
    EXPECT_TRUE(!Enabled(ID_OPT_FIND_BREAKING_FORCES) && Checked(ID_FILE_NEW_BRIDGE_PROJECT));
    for (int id : {ID_ANALYSIS_RUN, ID_VIEW_REFRESH_SCREEN, ID_FILE_PRINT_XY_PLANE})  // no rule
        EXPECT_TRUE(Enabled(id) && !Checked(id)) << id;

    EXPECT_TRUE(Checked(ID_FILE_NEW_US_UNITS));  // check marks follow their flags
    SetMetricUnits(1);
    EXPECT_TRUE(!Checked(ID_FILE_NEW_US_UNITS) && Checked(ID_FILE_NEW_METRIC_UNITS));
    RunToolCommand(ID_SUPPORTS_FIXED);
    EXPECT_TRUE(Checked(ID_SUPPORTS_FIXED) && !Checked(ID_SUPPORTS_HINGE) && Checked(ID_OPT_MAGNIFY_10));
    SetMagnificationRadio(50);
    EXPECT_TRUE(Checked(ID_OPT_MAGNIFY_50) && !Checked(ID_OPT_MAGNIFY_10) && Checked(ID_GUIDES_XY_SHOW));
    g_bShowGuideXY = 0;
    g_bIncludeEccentricity = 1;
    EXPECT_TRUE(!Checked(ID_GUIDES_XY_SHOW) && Checked(ID_OPT_INCLUDE_ECCENTRICITY));
}

}  // namespace
