// Tool commands of the main frame: each chooses one editing tool. The frame's
// command handlers call RunToolCommand with their command id.
#pragma once

// What a tool command does besides clearing the tools and setting its flag.
enum ToolExtra : unsigned {
    TOOL_JOINT_LIMIT = 1u << 0,        // refuse at the joint limit, before anything else
    TOOL_MEMBER_LIMIT = 1u << 1,       // refuse at the member limit, before anything else
    TOOL_SNAPSHOT_LAST = 1u << 2,      // tools cleared and flag set before the snapshot
    TOOL_TOGGLE = 1u << 3,             // choosing the active tool again leaves no tool
    TOOL_RESULTS_OFF = 1u << 4,        // show the undeformed model, hide the displaced shape
    TOOL_MEMBER_LISTS = 1u << 5,       // member display lists rebuilt
    TOOL_MODEL_UNSAVED = 1u << 6,      // g_bModelSaved = 0
    TOOL_MATERIAL_COLOR = 1u << 7,     // default member colour from the default material
};

struct ToolCommand {
    int id;
    const char* menuPath;
    int* flag;           // the tool's own flag
    bool undoSnapshot;   // the tool edits the model
    unsigned extras;     // ToolExtra bits
    int* alsoSet;        // a display switch the tool turns on, or nullptr
};

// The table of tool commands.
const ToolCommand* ToolCommands();
int ToolCommandCount();
// The entry of a command id, or nullptr.
const ToolCommand* FindToolCommand(int commandId);

// Runs the tool command of that id (a refusal at a limit still counts as
// handled); false when the id is not a tool command.
bool RunToolCommand(int commandId);
