// The main frame's View, Guides, Members, Joints, Loads and Analysis
// commands that are not tools: display switches, camera presets, lighting
// and colours, immediate model commands, analysis options and their radio
// groups, and the commands that open dialogs (through g_MenuDialogs).
#pragma once

// Runs the command of that id; false when it is not one of these.
bool RunViewCommand(int commandId);

// View/Goto presets: the camera of one preset (g_fOrbitAngle,
// g_fOrbitAngleB, eye and centre); false for another id.
bool GotoPreset(int commandId);
