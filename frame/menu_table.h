// The main frame's menu bar and toolbar as plain data, and the rules that
// check and enable their items from the program's globals.
#pragma once

#include <string>

enum class MenuKind { Normal, Check, Separator };

struct MenuEntry {
    const char* menu;  // parent menu path: "File", "File/New", "Analysis/Analysis Options/Consider"
    const char* text;  // item text, accelerator after a tab; nullptr for a separator
    int id;            // 0 for a separator
    const char* help;  // fly-by help, may be empty
    MenuKind kind;
};

// The top-level menus in the order of the bar.
const char* const* TopMenus();
int TopMenuCount();

// Every item of every menu, in menu order; submenus appear where their
// first item does.
const MenuEntry* MenuEntries();
int MenuEntryCount();
// The entry of a command id, or nullptr (no menu item).
const MenuEntry* FindMenuEntry(int commandId);
// "File/New/U.S. Customary Units": the entry's menu path and its text
// without the accelerator.
std::string MenuItemPath(const MenuEntry& entry);

struct ToolbarButton {
    int id;
    const char* flyBy;    // fly-by help
    const char* tooltip;
    bool separatorBefore;
    bool checkable;       // shows its flag as a pressed button
};

constexpr int TOOLBAR_BUTTON_COUNT = 15;
const ToolbarButton* ToolbarButtons();

// Commands the main window handles itself: exit, the About box, the toolbar
// switch and the print of the view's picture. Every other command goes to
// RunPrintCommand or RunFrameCommand.
bool IsWindowCommand(int commandId);

// Keyboard accelerators without a menu item of their own.
struct Accelerator {
    int modifiers;  // ACCEL_CTRL, ACCEL_ALT, ACCEL_SHIFT bits
    int key;        // ASCII letter in upper case, or one of the KEY_ values
    int id;
};
enum { ACCEL_CTRL = 1, ACCEL_ALT = 2, ACCEL_SHIFT = 4 };
enum { KEY_BACKSPACE = 8 };
const Accelerator* Accelerators();
int AcceleratorCount();

// The toolkit takes item ids from 1 to 0x7ffe only, and keeps 4999..5999
// for itself: command ids are shifted into 2771 .. 3204 (the program's own
// commands) and 27600 .. 29392 (the framework's).
constexpr int TOOLKIT_ID_OFFSET = 30000;
inline int ToolkitItemId(int commandId) { return commandId - TOOLKIT_ID_OFFSET; }
inline int CommandIdOfToolkitItem(int itemId) { return itemId + TOOLKIT_ID_OFFSET; }

// Check and enable state of a menu item or toolbar button.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};
CommandState CommandStateOf(int commandId);
