// Dialogs that picks and keys of the 3D view open. The window program
// installs them at start-up; where none is installed (headless runs and
// tests) a pick only highlights and stores the picked number, and the
// split question answers OK with the fraction it was given.
#pragma once

struct PickDialogs {
    // Modeless property dialogs: hidden when open, then shown for
    // g_nPickedJoint / g_nPickedMember.
    void (*showJointProperties)() = nullptr;
    void (*showMemberProperties)() = nullptr;
    // Modeless results dialogs: hidden and shown again for the pick.
    void (*reshowMemberResults)() = nullptr;
    void (*reshowJointResults)() = nullptr;
    // "Create Joint in Member" (modal): shows fraction in percent; true on OK
    // with the fraction the user accepted.
    bool (*askSplitFraction)(float& fraction) = nullptr;
    // The pixel-format information (key 'H').
    void (*showPixelFormat)() = nullptr;
};

// Wiring, not model state: ResetAllGlobals leaves it alone.
extern PickDialogs g_PickDialogs;
