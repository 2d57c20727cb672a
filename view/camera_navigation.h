// Looking around the model: orbit with the right mouse button, dolly with
// the wheel, focus on a joint with a double click, the zoom gesture of key
// 'Z', and the view's keys (orbit, dolly, pan, preset and stored views,
// layer switches and a few commands). Each changes the camera globals or a
// switch and invalidates the view through the platform layer.
#pragma once

// Keys of the view: printable keys by their upper-case character, the others
// by these codes.
enum ViewKey : int {
    VIEW_KEY_ESCAPE = 27,
    VIEW_KEY_F1 = 0x1000,  // .. VIEW_KEY_F1 + 11 for F12
    VIEW_KEY_LEFT = 0x1010,
    VIEW_KEY_UP,
    VIEW_KEY_RIGHT,
    VIEW_KEY_DOWN,
    VIEW_KEY_NUMPAD0 = 0x1020,  // .. VIEW_KEY_NUMPAD0 + 9
    VIEW_KEY_NUMPAD_ADD = 0x1030,
    VIEW_KEY_NUMPAD_SUBTRACT,
    VIEW_KEY_NUMPAD_MULTIPLY,
    VIEW_KEY_NUMPAD_DIVIDE,
};

void CameraOnRButtonDown(int x, int y);
void CameraOnRButtonUp();
// Carries a right-button orbit along; false when no orbit drag is under way.
bool CameraOrbitOnMouseMove(int x, int y);
// Wheel delta: negative toward the user (the eye backs away), positive away.
void CameraOnMouseWheel(int delta);
// Double click: the camera centre to the joint under the point.
void CameraOnLButtonDblClk(int x, int y);
// Left release of the zoom gesture armed by key 'Z'.
void FinishZoomGesture(int x);
// One key press in the view (ctrl: the Ctrl key is held); false when the
// key means nothing to the view.
bool CameraOnKeyDown(int key, bool ctrl);
