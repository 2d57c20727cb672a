#include "frame/preferences_editor.h"

#include <cstdio>

#include "files/preferences.h"
#include "files/text_io.h"
#include "frame/dialog_ids.h"
#include "model/tables.h"
#include "model/units.h"
#include "platform/platform.h"
#include "platform/safe_file.h"
#include "state/frame_globals.h"
#include "state/manual_path.h"
#include "state/view_globals.h"

namespace {

constexpr size_t kPathBytes = 255;

std::string* PathGlobal(int which)
{
    std::string* globals[] = {&g_strTextViewerPath, &g_strGraphicViewerPath, &g_strBrowserPath, &g_strManualPath};
    return which >= 0 && which < 4 ? globals[which] : nullptr;
}

const int kPathFields[4] = {IDC_PREF_TEXT_VIEWER, IDC_PREF_GRAPHIC_VIEWER, IDC_PREF_BROWSER, IDC_PREF_MANUAL};

}  // namespace

std::string PreferencesFileText()
{
    CLocaleScopeC c;
    std::string text = "Trussforge3D Preferences\r\n";
    for (int i = 0; i < 4; ++i) text += *PathGlobal(i) + "\r\n";
    char line[160];
    std::snprintf(line, sizeof line, "%d %d %d %f %f\r\n%d\r\n", g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ,
                  static_cast<double>(g_fLinearSpeed), static_cast<double>(g_fAngularSpeed), g_bSoundOn ? 1 : 0);
    return text + line;
}

platform::SaveResult SavePreferencesFile(std::string* why)
{
    MakePreferencesFolder();
    return platform::SafeSaveFile(PreferencesFilePath(), PreferencesFileText(), why);
}

PreferencesEditor::PreferencesEditor(DialogControls& controls) : c_(controls)
{
    workspace_[0] = g_nWorkspaceX;
    workspace_[1] = g_nWorkspaceY;
    workspace_[2] = g_nWorkspaceZ;
    if (g_bUnitsUS) {
        angular_ = static_cast<int>((g_fAngularSpeed * kDegreesPerRadian + 0.00005f) * 1000) / 1000.0f;
        linear_ = g_fLinearSpeed;
    } else {
        angular_ = g_fAngularSpeed;
        linear_ = g_fLinearSpeed * kCentimetresPerInch;
    }
    shownAngular_ = angular_, shownLinear_ = linear_;
    for (int i = 0; i < 4; ++i) paths_[i] = *PathGlobal(i);
    sound_ = g_bSoundOn;
}

void PreferencesEditor::Init()
{
    if (!g_bUnitsUS) {
        c_.SetText(IDC_PREF_LINEAR_LABEL, "Linear (cm)");
        c_.SetText(IDC_PREF_ANGULAR_LABEL, "Angular (Rad)");
        c_.SetText(IDC_PREF_XMAX_LABEL, "Xmax (cm)");
        c_.SetText(IDC_PREF_YMAX_LABEL, "Ymax (cm)");
        c_.SetText(IDC_PREF_ZMAX_LABEL, "Zmax (cm)");
    }
    c_.Enable(IDC_PREF_SAVE, g_bPrefsSaveAllowed != 0);
    Exchange(false);
}

bool PreferencesEditor::Exchange(bool save)
{
    DataExchange dx(c_, save);
    dx.Short(IDC_PREF_XMAX, workspace_[0], kWorkspaceMin, kWorkspaceMax);
    dx.Short(IDC_PREF_YMAX, workspace_[1], kWorkspaceMin, kWorkspaceMax);
    dx.Short(IDC_PREF_ZMAX, workspace_[2], kWorkspaceMin, kWorkspaceMax);
    for (int i = 0; i < 4; ++i) dx.Text(kPathFields[i], paths_[i], kPathBytes);
    dx.Float(IDC_PREF_ANGULAR, angular_, kAngularSpeedShownMin, kAngularSpeedShownMax);
    dx.Float(IDC_PREF_LINEAR, linear_, kLinearSpeedShownMin, kLinearSpeedShownMax);
    dx.Check(IDC_PREF_SOUND_ON, sound_);
    return dx.Commit();
}

bool PreferencesEditor::Apply()
{
    if (!Exchange(true)) return false;
    short* globals[3] = {&g_nWorkspaceX, &g_nWorkspaceY, &g_nWorkspaceZ};
    const short largest = static_cast<short>(LargestWorkspace());
    for (int k = 0; k < 3; ++k) *globals[k] = workspace_[k] > largest ? largest : workspace_[k];
    // A speed is converted back only when changed: the shown one is rounded.
    if (angular_ != shownAngular_) g_fAngularSpeed = g_bUnitsUS ? angular_ / kDegreesPerRadian : angular_;
    if (linear_ != shownLinear_) g_fLinearSpeed = g_bUnitsUS ? linear_ : linear_ / kCentimetresPerInch;
    shownAngular_ = angular_, shownLinear_ = linear_;
    for (int i = 0; i < 4; ++i) *PathGlobal(i) = paths_[i];
    return true;
}

// The floor, guide planes and rulers are drawn to the workspace size.
void PreferencesEditor::InvalidateWorkspaceLists()
{
    g_bListXYBasePlaneBuilt = g_bListXZBasePlaneBuilt = g_bListYZBasePlaneBuilt = 0;
    InvalidateGuideLists();
    g_bListRuler1Built = g_bListRuler2Built = g_bListRuler3Built = 0;
}

bool PreferencesEditor::Ok()
{
    if (!Apply()) return false;
    InvalidateWorkspaceLists();
    return true;
}

void PreferencesEditor::Cancel() { InvalidateWorkspaceLists(); }

void PreferencesEditor::Save()
{
    if (!g_bPrefsSaveAllowed || !Apply()) return;
    InvalidateWorkspaceLists();
    std::string why;
    const platform::SaveResult result = SavePreferencesFile(&why);
    if (result == platform::SaveResult::Saved) return;
    const std::string path = PreferencesFilePath();
    const std::string notSaved =
        "The preferences could not be saved to\n" + path + (why.empty() ? std::string() : "\n" + why);
    const unsigned icon =
        result == platform::SaveResult::MayBeDamaged ? platform::MB_ICONSTOP : platform::MB_ICONEXCLAMATION;
    platform::MessageBox(platform::SaveFailureText(result, path, notSaved), g_szAppTitle, platform::MB_OK | icon);
}

void PreferencesEditor::Default()
{
    g_fLinearSpeed = kDefaultLinearSpeed;
    g_fAngularSpeed = kDefaultAngularSpeed;
    g_nWorkspaceX = workspace_[0] = kDefaultWorkspaceX;
    g_nWorkspaceY = workspace_[1] = kDefaultWorkspaceY;
    g_nWorkspaceZ = workspace_[2] = kDefaultWorkspaceZ;
    angular_ = g_bUnitsUS ? kDefaultAngularSpeedDegrees : kDefaultAngularSpeed;
    linear_ = g_bUnitsUS ? kDefaultLinearSpeed : kDefaultLinearSpeed * kCentimetresPerInch;
    shownAngular_ = angular_, shownLinear_ = linear_;
    const std::string defaults[4] = {g_szDesktopOpener, "", g_szDesktopOpener, DefaultManualPath()};
    for (int i = 0; i < 4; ++i) *PathGlobal(i) = paths_[i] = defaults[i];
    InvalidateWorkspaceLists();
    Exchange(false);
}

void PreferencesEditor::Browse(int which)
{
    std::string* global = PathGlobal(which);
    if (!global) return;
    platform::FileDialogRequest request;
    request.open = true;
    // Programs here have no extension of their own.
    const bool manual = which == 3;
    request.defaultExt = manual ? "pdf" : "";
    request.fileName = manual ? "*.pdf" : "*";
    request.filter = manual ? "Adobe pdf File (*.pdf)|*.pdf|All Files (*.*)|*.*||" : "All Files (*.*)|*.*||";
    std::string path;
    if (!platform::FileDialog(request, path) || path.empty()) return;
    // Only this field changes: what the user typed in the others stays.
    *global = paths_[which] = path;
    c_.SetText(kPathFields[which], path);
}

void PreferencesEditor::SoundOn()
{
    if (sound_) {
        sound_ = 0;
        g_bSoundOn = 0;
    } else {
        platform::PlaySoundResource("IDR_WAVE_WRENCH");
        g_bSoundOn = 1;
        sound_ = 1;
    }
    c_.SetChecked(IDC_PREF_SOUND_ON, sound_ != 0);
}
