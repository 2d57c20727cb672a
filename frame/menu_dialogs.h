// Dialogs that menu commands open. The window program installs them at
// start-up; where none is installed (headless runs and tests) a command
// does everything around its dialog as if the dialog had been cancelled.
#pragma once

struct MenuDialogs {
    // Modal editors that store into the tables themselves.
    void (*editMaterials)() = nullptr;
    void (*editShapes)() = nullptr;
    void (*preferences)() = nullptr;
    void (*defaultMember)() = nullptr;
    // Modal settings dialogs; each stores its values on OK and says so.
    bool (*defaultForces)() = nullptr;
    bool (*axleLoads)() = nullptr;
    bool (*towerDefaults)() = nullptr;
    // Shows percent (0..100) and leaves the chosen one there; true on OK.
    bool (*intensity)(short& percent) = nullptr;
    void (*modelData)() = nullptr;
    // Modeless results: hidden when shown, created when none exists, then shown.
    void (*showMemberResults)() = nullptr;
    void (*showJointResults)() = nullptr;
};

// Wiring, not model state: ResetAllGlobals leaves it alone.
extern MenuDialogs g_MenuDialogs;
