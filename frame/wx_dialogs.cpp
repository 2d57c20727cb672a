#include "frame/wx_dialogs.h"

#include <type_traits>

#include <wx/weakref.h>
#include <wx/window.h>

#include "frame/menu_dialogs.h"
#include "frame/wx_dialog_base.h"
#include "view/pick_dialogs.h"

namespace {

wxWeakRef<wxWindow> s_owner;

}  // namespace

wxWindow* DialogOwner() { return s_owner.get(); }

void InstallDialogs(wxWindow* owner)
{
    s_owner = owner;
    ForgetModelessPlaces();

    g_MenuDialogs.editMaterials = RunMaterialEditor;
    g_MenuDialogs.editShapes = RunShapeEditor;
    g_MenuDialogs.preferences = RunPreferences;
    g_MenuDialogs.defaultMember = RunDefaultMember;
    g_MenuDialogs.defaultForces = RunDefaultForces;
    g_MenuDialogs.axleLoads = RunAxleLoads;
    g_MenuDialogs.towerDefaults = RunTowerDefaults;
    g_MenuDialogs.intensity = RunIntensity;
    g_MenuDialogs.modelData = RunModelData;
    g_MenuDialogs.showMemberResults = ShowMemberResults;
    g_MenuDialogs.showJointResults = ShowJointResults;

    g_PickDialogs.showJointProperties = ShowJointProperties;
    g_PickDialogs.showMemberProperties = ShowMemberProperties;
    g_PickDialogs.reshowMemberResults = ShowMemberResults;
    g_PickDialogs.reshowJointResults = ShowJointResults;
    g_PickDialogs.askSplitFraction = RunSplitPercent;
    g_PickDialogs.showPixelFormat = RunPixelFormat;
}
