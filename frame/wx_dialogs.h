// Every dialog of TF3D on the toolkit, and their installation as the hooks
// that menu commands (g_MenuDialogs) and the view's picks and keys
// (g_PickDialogs) call.
#pragma once

class wxDialog;
class wxWindow;

// Installs every dialog hook; owner is the main frame (the dialogs' parent).
void InstallDialogs(wxWindow* owner);
// The parent of new dialogs: the main frame while it exists.
wxWindow* DialogOwner();

// ---- modal dialogs ----
void RunMaterialEditor();
void RunShapeEditor();
void RunPreferences();
void RunDefaultMember();
bool RunDefaultForces();
bool RunAxleLoads();
bool RunTowerDefaults();
bool RunIntensity(short& percent);
void RunModelData();
bool RunSplitPercent(float& fraction);
void RunPixelFormat();

// ---- modeless dialogs: hidden when shown, created when none exists, then
// shown for the picked joint or member ----
void ShowJointProperties();
void ShowMemberProperties();
void ShowMemberResults();
void ShowJointResults();
// Their windows while they exist, else nullptr.
wxDialog* JointPropertiesWindow();
wxDialog* MemberPropertiesWindow();
wxDialog* MemberResultsWindow();
wxDialog* JointResultsWindow();
