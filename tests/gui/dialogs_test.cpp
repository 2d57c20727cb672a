// Every dialog in its window: opened as the menus, picks and keys open it,
// on a known model; controls set, buttons pressed, the tables and globals
// checked. Modal dialogs are driven from inside their modal loop.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "frame/command_ids.h"
#include "frame/dialog_ids.h"
#include "frame/file_commands.h"
#include "frame/menu_dialogs.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"
#include "model/defaults.h"
#include "model/templates.h"
#include "state/frame_globals.h"
#include "tests/gui_common/modal_script.h"
#include "tests/view/view_fixture.h"
#include "view/pick_dialogs.h"

namespace {

using platform::Event;

// Sends what a click on the control of that id sends (a check box or list
// first takes the new state).
void Press(wxWindow* dialog, int id, int choice = -1)
{
    wxWindow* w = WxDialogControls(dialog).Find(id);
    ASSERT_NE(w, nullptr) << id;
    wxEventType type = wxEVT_BUTTON;
    if (auto* box = dynamic_cast<wxCheckBox*>(w)) {
        box->SetValue(!box->GetValue());
        type = wxEVT_CHECKBOX;
    } else if (auto* list = dynamic_cast<wxChoice*>(w)) {
        list->SetSelection(choice);
        type = wxEVT_CHOICE;
    } else if (dynamic_cast<wxSlider*>(w)) {
        type = wxEVT_SLIDER;
    } else if (dynamic_cast<wxTextCtrl*>(w)) {
        type = wxEVT_TEXT_ENTER;
    }
    wxCommandEvent event(type, id);
    event.SetEventObject(w);
    if (choice >= 0) event.SetInt(choice);
    w->GetEventHandler()->ProcessEvent(event);
}

// Every shown control lies inside the dialog, no two shown neighbours
// overlap, and every label has room for its text.
void ExpectLaidOut(wxWindow* parent, const wxRect& area)
{
    std::vector<wxRect> placed;
    for (wxWindow* w : parent->GetChildren()) {
        if (!w->IsShown()) continue;
        const wxRect r = w->GetRect();
        EXPECT_TRUE(area.Contains(r)) << w->GetLabel() << " " << r.x << "," << r.y << " " << r.width << "x" << r.height;
        for (const wxRect& other : placed) EXPECT_FALSE(other.Intersects(r)) << w->GetLabel();
        placed.push_back(r);
        if (auto* label = dynamic_cast<wxStaticText*>(w)) {
            EXPECT_GE(r.width, label->GetTextExtent(label->GetLabelText().BeforeFirst('\n')).x) << label->GetLabelText();
        }
        if (dynamic_cast<wxStaticBox*>(w)) ExpectLaidOut(w, wxRect(w->GetClientSize()));
    }
}

// w's rectangle in its top-level window, from the windows' own positions: a
// window manager may move the dialog between two questions to the screen.
wxRect InTopLevel(wxWindow* w)
{
    wxRect r = w->GetRect();
    for (wxWindow* p = w->GetParent(); p && !w->IsTopLevel() && !p->IsTopLevel(); w = p, p = p->GetParent())
        r.Offset(p->GetPosition() + p->GetClientAreaOrigin());
    return r;
}

// The shown control nearest beside w on its row: to its right (side 1) or
// left (-1); null when there is none.
wxWindow* Beside(wxWindow* parent, wxWindow* w, int side)
{
    const wxRect r = InTopLevel(w);
    wxWindow* nearest = nullptr;
    int nearestGap = 1 << 30;
    for (wxWindow* c : parent->GetChildren()) {
        if (!c->IsShown() || c == w) continue;
        if (dynamic_cast<wxStaticBox*>(c)) c = Beside(c, w, side);  // the nearest inside a group
        if (!c) continue;
        const wxRect o = InTopLevel(c);
        const int centre = o.y + o.height / 2, ownCentre = r.y + r.height / 2;
        const bool sameRow =
            (centre >= r.y && centre < r.GetBottom()) || (ownCentre >= o.y && ownCentre < o.GetBottom());
        const int gap = side > 0 ? o.x - r.GetRight() : r.x - o.GetRight();
        if (sameRow && gap > 0 && gap < nearestGap) nearest = c, nearestGap = gap;
    }
    return nearest;
}
wxWindow* Beside(wxWindow* dialog, int id, int side)
{
    return Beside(dialog, WxDialogControls(dialog).Find(id), side);
}
std::string TextBeside(wxWindow* dialog, int id)
{
    auto* label = dynamic_cast<wxControl*>(Beside(dialog, id, 1));
    return label ? std::string(label->GetLabelText().utf8_str()) : "(none)";
}

// Controls that belong together on a row, left and right, per dialog: a
// label and its field, a field and its check box or unit.
const std::map<std::string, std::vector<std::pair<int, int>>> kRowPairs = {
    {"Edit Material",
     {{IDC_MAT_NAME_LABEL, IDC_MAT_NAME}, {IDC_MAT_DENSITY_LABEL, IDC_MAT_DENSITY}, {IDC_MAT_E_LABEL, IDC_MAT_E},
      {IDC_MAT_G_LABEL, IDC_MAT_G}, {IDC_MAT_TENSION_LABEL, IDC_MAT_TENSION},
      {IDC_MAT_COMPRESSION_LABEL, IDC_MAT_COMPRESSION}, {IDC_MAT_BENDING_LABEL, IDC_MAT_BENDING},
      {IDC_MAT_SHEAR_LABEL, IDC_MAT_SHEAR}}},
    {"Edit Shapes",
     {{IDC_SHP_NAME_LABEL, IDC_SHP_NAME}, {IDC_SHP_HEIGHT_LABEL, IDC_SHP_HEIGHT}, {IDC_SHP_WIDTH_LABEL, IDC_SHP_WIDTH},
      {IDC_SHP_SEPARATION_LABEL, IDC_SHP_SEPARATION}, {IDC_SHP_AREA_LABEL, IDC_SHP_AREA}, {IDC_SHP_IX_LABEL, IDC_SHP_IX},
      {IDC_SHP_IY_LABEL, IDC_SHP_IY}, {IDC_SHP_IZ_LABEL, IDC_SHP_IZ}, {IDC_SHP_SY_LABEL, IDC_SHP_SY},
      {IDC_SHP_SZ_LABEL, IDC_SHP_SZ}}},
    {"Trussforge3D Preferences",
     {{IDC_PREF_XMAX_LABEL, IDC_PREF_XMAX}, {IDC_PREF_YMAX_LABEL, IDC_PREF_YMAX}, {IDC_PREF_ZMAX_LABEL, IDC_PREF_ZMAX},
      {IDC_PREF_ANGULAR_LABEL, IDC_PREF_ANGULAR}, {IDC_PREF_LINEAR_LABEL, IDC_PREF_LINEAR}}},
    {"Default Forces",
     {{IDC_FORCE_X_LABEL, IDC_FORCE_X}, {IDC_FORCE_Y_LABEL, IDC_FORCE_Y}, {IDC_FORCE_Z_LABEL, IDC_FORCE_Z},
      {IDC_FORCE_X, IDC_FORCE_X_TRANSLATED}, {IDC_FORCE_Y, IDC_FORCE_Y_TRANSLATED},
      {IDC_FORCE_Z, IDC_FORCE_Z_TRANSLATED}}},
    {"Axle Loads", {{IDC_AXLE_FRONT_LABEL, IDC_AXLE_FRONT}, {IDC_AXLE_REAR_LABEL, IDC_AXLE_REAR}}},
    {"Tower Defaults", {{IDC_TOWER_WIND_LABEL, IDC_TOWER_WIND}}},
    {"Default Member Properties", {{IDC_DEF_MATERIAL, IDC_DEF_MATERIAL_ROW}, {IDC_DEF_SHAPE, IDC_DEF_SHAPE_ROW}}},
    {"Joint Properties",
     {{IDC_JNT_X_LABEL, IDC_JNT_X}, {IDC_JNT_Y_LABEL, IDC_JNT_Y}, {IDC_JNT_Z_LABEL, IDC_JNT_Z},
      {IDC_JNT_FORCE_X_LABEL, IDC_JNT_FORCE_X}, {IDC_JNT_FORCE_Y_LABEL, IDC_JNT_FORCE_Y},
      {IDC_JNT_FORCE_Z_LABEL, IDC_JNT_FORCE_Z}, {IDC_JNT_FORCE_X, IDC_JNT_TRANS_X}, {IDC_JNT_FORCE_Y, IDC_JNT_TRANS_Y},
      {IDC_JNT_FORCE_Z, IDC_JNT_TRANS_Z}}},
    {"Member Properties",
     {{IDC_MEM_EFF_ZZ_LABEL, IDC_MEM_EFF_ZZ}, {IDC_MEM_EFF_ZZ, IDC_MEM_UD_ZZ}, {IDC_MEM_EFF_YY_LABEL, IDC_MEM_EFF_YY},
      {IDC_MEM_EFF_YY, IDC_MEM_UD_YY}, {IDC_MEM_ACTUAL_LENGTH_LABEL, IDC_MEM_ACTUAL_LENGTH},
      {IDC_MEM_ROLL, IDC_MEM_ROLL_UNIT}, {IDC_MEM_OFFSET_Y_LABEL, IDC_MEM_OFFSET_Y},
      {IDC_MEM_OFFSET_Z_LABEL, IDC_MEM_OFFSET_Z}}},
};

// Laid out, every field with a label on its left, and the pairs of the
// dialog side by side.
void ExpectLaidOut(wxDialog* dialog)
{
    dialog->Layout();
    ExpectLaidOut(dialog, wxRect(dialog->GetClientSize()));
    std::vector<wxWindow*> all(dialog->GetChildren().begin(), dialog->GetChildren().end());
    for (size_t k = 0; k < all.size(); ++k) {
        wxWindow* w = all[k];
        for (wxWindow* c : w->GetChildren()) all.push_back(c);
        if (!w->IsShown() || !(dynamic_cast<wxTextCtrl*>(w) || dynamic_cast<wxChoice*>(w))) continue;
        EXPECT_NE(dynamic_cast<wxStaticText*>(Beside(dialog, w, -1)), nullptr) << "no label left of " << w->GetId();
    }
    const auto pairs = kRowPairs.find(std::string(dialog->GetTitle().utf8_str()));
    if (pairs == kRowPairs.end()) return;
    for (const auto& [left, right] : pairs->second) {
        wxWindow* l = WxDialogControls(dialog).Find(left);
        wxWindow* r = WxDialogControls(dialog).Find(right);
        ASSERT_TRUE(l && r) << left << " " << right;
        if (!l->IsShown() || !r->IsShown()) continue;
        wxWindow* beside = Beside(dialog, l, 1);
        EXPECT_EQ(beside ? beside->GetId() : 0, right) << dialog->GetTitle() << ": right of " << left;
    }
}

// The caption of every check box, radio button and button of each dialog,
// found by the id the dialog's logic reads it by.
enum class Kind { Check, Radio, Button };
struct Captioned {
    int id;
    Kind kind;
    const char* text;
};
const Kind C = Kind::Check, R = Kind::Radio, B = Kind::Button;
const std::map<std::string, std::vector<Captioned>> kCaptions = {
    {"Edit Material",
     {{IDC_MAT_CHANGE_COLOR, B, "Change Color"}, {IDC_MAT_BALSA, B, "Balsa"}, {IDC_MAT_BASS, B, "Bass"},
      {IDC_MAT_PREVIOUS, B, "<< Previous"}, {IDC_MAT_NEXT, B, "Next >>"}, {IDC_MAT_COPY, B, "Copy"},
      {IDC_MAT_PASTE, B, "Paste"}, {IDC_MAT_DEFAULT, B, "Default Properties"}, {IDC_OK, B, "OK"},
      {IDC_CANCEL, B, "Cancel"}}},
    {"Edit Shapes",
     {{IDC_SHP_RECTANGULAR, B, "Rectangular Section"}, {IDC_SHP_CIRCULAR, B, "Circular Section"},
      {IDC_SHP_NEXT, B, "Next >>"}, {IDC_SHP_PREVIOUS, B, "<< Previous"}, {IDC_SHP_COPY, B, "Copy"},
      {IDC_SHP_PASTE, B, "Paste"}, {IDC_SHP_DEFAULT, B, "Default"}, {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Trussforge3D Preferences",
     {{IDC_PREF_SOUND_ON, C, "Sound On"}, {IDC_PREF_BROWSE_TEXT_VIEWER, B, "Browse..."},
      {IDC_PREF_BROWSE_GRAPHIC_VIEWER, B, "Browse..."}, {IDC_PREF_BROWSE_BROWSER, B, "Browse ..."},
      {IDC_PREF_BROWSE_MANUAL, B, "Browse ..."}, {IDC_PREF_DEFAULT, B, "Default"}, {IDC_PREF_SAVE, B, "Save"},
      {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Joint Properties",
     {{IDC_JNT_TX, C, "TX"}, {IDC_JNT_TY, C, "TY"}, {IDC_JNT_TZ, C, "TZ"}, {IDC_JNT_RX, C, "RX"},
      {IDC_JNT_RY, C, "RY"}, {IDC_JNT_RZ, C, "RZ"}, {IDC_JNT_SELECTED, C, "Selected"}, {IDC_JNT_TRANS_X, C, "Trans."},
      {IDC_JNT_TRANS_Y, C, "Trans."}, {IDC_JNT_TRANS_Z, C, "Trans."}, {IDC_JNT_ADD_JOINT, B, "Add Joint"},
      {IDC_JNT_PREVIOUS, B, " << Previous "}, {IDC_JNT_NEXT, B, "Next >>"}, {IDC_JNT_APPLY, B, "Apply"},
      {IDC_JNT_H, B, "H"}, {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Member Properties",
     {{IDC_MEM_USE_TORSION, C, "Use Torsion"}, {IDC_MEM_MYY1, C, "Myy"}, {IDC_MEM_MZZ1, C, "Mzz"},
      {IDC_MEM_MYY2, C, "Myy"}, {IDC_MEM_MZZ2, C, "Mzz"}, {IDC_MEM_UD_ZZ, C, "UD"}, {IDC_MEM_UD_YY, C, "UD"},
      {IDC_MEM_HIDE, C, "Hide"}, {IDC_MEM_NEGATE, C, "Negate"}, {IDC_MEM_RUNNER, C, "Runner"},
      {IDC_MEM_NEXT, B, "Next >>"}, {IDC_MEM_PREVIOUS, B, "<< Previous "}, {IDC_MEM_APPLY, B, "Apply"},
      {IDC_MEM_H, B, "H"}, {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Default Member Properties", {{IDC_DEF_RESET, B, "Reset"}, {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Create Joint in Member", {{IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Member Results",
     {{IDC_MRES_CLOSE, B, "Close"}, {IDC_MRES_PREVIOUS, B, "<< Previous  "}, {IDC_MRES_NEXT, B, "Next >>"}}},
    {"Joint Results",
     {{IDC_JRES_OK, B, "OK"}, {IDC_JRES_PREVIOUS, B, "<< Previous "}, {IDC_JRES_NEXT, B, "Next >>"},
      {IDC_JRES_CLOSE, B, "Close"}, {IDC_JRES_DEFAULTS, B, "Defaults"}}},
    {"Model Data", {{IDC_OK, B, "Close"}}},
    {"Default Forces",
     {{IDC_FORCE_X_TRANSLATED, C, "Translated"}, {IDC_FORCE_Y_TRANSLATED, C, "Translated"},
      {IDC_FORCE_Z_TRANSLATED, C, "Translated"}, {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Axle Loads", {{IDC_AXLE_DEFAULT, B, "Default"}, {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Tower Defaults",
     {{IDC_TOWER_EMPTY_TANK, C, "Empty Tank"}, {IDC_TOWER_REVERSE_WIND, C, "Reverse Wind Direction"},
      {IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Intensity", {{IDC_OK, B, "OK"}, {IDC_CANCEL, B, "Cancel"}}},
    {"Opengl Pixel Format",
     {{IDC_PFD_DRAW_TO_WINDOW, C, "DRAW_TO_WINDOW"}, {IDC_PFD_DRAW_TO_BITMAP, C, "DRAW_TO_BITMAP"},
      {IDC_PFD_SUPPORT_GDI, C, "SUPPORT_GDI"}, {IDC_PFD_SUPPORT_OPENGL, C, "SUPPORT_OPENGL"},
      {IDC_PFD_GENERIC_FORMAT, C, "GENERIC_FORMAT"}, {IDC_PFD_GENERIC_ACCELERATED, C, "GENERIC_ACCELERATED"},
      {IDC_PFD_DOUBLEBUFFER, C, "DOUBLEBUFFER"}, {IDC_PFD_NEED_PALETTE, C, "NEED_PALETTE"},
      {IDC_PFD_NEED_SYSTEM_PALETTE, C, "NEED_SYSTEM_PALETTE"}, {IDC_PFD_RGBA, R, "RGBA"},
      {IDC_PFD_COLOR_INDEX, R, "Color Index"}, {IDC_OK, B, "OK"}}},
};

// Each control of the dialog's table is of its kind and carries its own
// caption; returns the dialog's caption.
std::string ExpectCaptions(wxDialog* dialog)
{
    const std::string title(dialog->GetTitle().utf8_str());
    const auto captions = kCaptions.find(title);
    EXPECT_NE(captions, kCaptions.end()) << title;
    if (captions == kCaptions.end()) return title;
    for (const Captioned& c : captions->second) {
        wxWindow* w = WxDialogControls(dialog).Find(c.id);
        const bool kind = c.kind == Kind::Check   ? dynamic_cast<wxCheckBox*>(w) != nullptr
                          : c.kind == Kind::Radio ? dynamic_cast<wxRadioButton*>(w) != nullptr
                                                  : dynamic_cast<wxButton*>(w) != nullptr;
        EXPECT_TRUE(kind) << title << ": " << c.id << " " << c.text;
        EXPECT_EQ(WxDialogControls(dialog).Text(c.id), c.text) << title << ": " << c.id;
    }
    return title;
}

std::string Text(wxWindow* d, int id) { return WxDialogControls(d).Text(id); }
void Type(wxWindow* d, int id, const std::string& text) { WxDialogControls(d).SetText(id, text); }
bool Shown(wxWindow* d, int id) { return WxDialogControls(d).Find(id)->IsShown(); }

class DialogsTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetFileCommandState();
        InstallDialogs(nullptr);
        ResetAllShapes();
        ResetAllMaterials();
        BuildBridgeTemplate();
        MarkModelSaved();
    }
    void TearDown() override
    {
        for (wxDialog* d : {JointPropertiesWindow(), MemberPropertiesWindow(), MemberResultsWindow(), JointResultsWindow()})
            if (d) d->Destroy();
        Pump();
        g_MenuDialogs = MenuDialogs();
        g_PickDialogs = PickDialogs();
        ResetFileCommandState();
        Tf3dTest::TearDown();
    }
    // Runs a menu command whose modal dialog the script drives; true when
    // the dialog came up with that caption.
    bool Modal(int id, const char* caption, std::function<void(wxDialog*)> script)
    {
        bool ran = false;
        SetModalScript([&](wxDialog* d) {
            ran = true;
            EXPECT_EQ(d->GetTitle(), caption);
            ExpectLaidOut(d);
            script(d);
        });
        backend.events.clear();
        RunFrameCommand(id);
        SetModalScript(nullptr);
        return ran;
    }
    int Boxes() const { return backend.Count(Event::Box); }
};

TEST_F(DialogsTest, MaterialAndShapeEditors)
{
    ASSERT_TRUE(Modal(ID_MEMBERS_EDIT_MATERIALS, "Edit Material", [&](wxDialog* d) {
        EXPECT_EQ(Text(d, IDC_MAT_ROW), "1 - Not used");
        EXPECT_FALSE(WxDialogControls(d).Find(IDC_MAT_PASTE)->IsEnabled());
        Type(d, IDC_MAT_DENSITY, "40");
        Press(d, IDC_MAT_BALSA);
        EXPECT_EQ(Text(d, IDC_MAT_DENSITY), "28");
        Press(d, IDC_MAT_COPY);
        Press(d, IDC_MAT_NEXT);
        Press(d, IDC_MAT_PASTE);
        Type(d, IDC_MAT_E, "4e8");
        Press(d, wxID_OK);  // refused: the dialog stays
        EXPECT_TRUE(d->IsModal());
        Type(d, IDC_MAT_E, "5e5");
        Press(d, wxID_OK);
        EXPECT_FALSE(d->IsModal());
    }));
    EXPECT_EQ(Boxes(), 1);
    EXPECT_TRUE(g_Materials[1].density == 28 && g_Materials[2].density == 28 && g_Materials[2].youngsModulus == 5e5f);
    EXPECT_EQ(g_bModelSaved, 0);

    const MaterialRec before = g_Materials[1];
    ASSERT_TRUE(Modal(ID_MEMBERS_EDIT_MATERIALS, "Edit Material", [&](wxDialog* d) {
        Type(d, IDC_MAT_NAME, "Changed");
        Press(d, wxID_CANCEL);
    }));
    EXPECT_STREQ(g_Materials[1].name, before.name);

    ASSERT_TRUE(Modal(ID_MEMBERS_EDIT_SHAPES, "Edit Shapes", [&](wxDialog* d) {
        Type(d, IDC_SHP_HEIGHT, "0.375");
        Type(d, IDC_SHP_WIDTH, "0.125");
        Press(d, IDC_SHP_RECTANGULAR);
        EXPECT_EQ(Text(d, IDC_SHP_SECTION_LABEL), "Rectangular cross section");
        Press(d, wxID_OK);
    }));
    EXPECT_FLOAT_EQ(g_Shapes[1].torsionConst, 0.263f * 0.125f * 0.125f * 0.125f * 0.375f);
    EXPECT_EQ(g_bUndoAvailable, 1);
}

TEST_F(DialogsTest, PreferencesDialog)
{
    SetMetricUnits(1);
    ASSERT_TRUE(Modal(ID_EDIT_PREFERENCES, "Trussforge3D Preferences", [&](wxDialog* d) {
        EXPECT_EQ(Text(d, IDC_PREF_LINEAR_LABEL), "Linear (cm)");
        EXPECT_EQ(Text(d, IDC_PREF_ANGULAR), "0.174533");
        EXPECT_EQ(Text(d, IDC_PREF_LINEAR), "5.08");
        Type(d, IDC_PREF_XMAX, "151");
        Press(d, wxID_OK);
        EXPECT_TRUE(d->IsModal());
        Type(d, IDC_PREF_XMAX, "150");
        Type(d, IDC_PREF_LINEAR, "2.54");
        Press(d, wxID_OK);
    }));
    EXPECT_TRUE(g_nWorkspaceX == 120 && g_fLinearSpeed == 1.0f && Boxes() == 1);
    ASSERT_TRUE(Modal(ID_EDIT_PREFERENCES, "Trussforge3D Preferences", [&](wxDialog* d) {
        Type(d, IDC_PREF_BROWSER, "firefox");
        Press(d, wxID_CANCEL);
    }));
    EXPECT_EQ(g_strBrowserPath, "xdg-open");
    g_bPrefsSaveAllowed = 0;
    ASSERT_TRUE(Modal(ID_EDIT_PREFERENCES, "Trussforge3D Preferences", [&](wxDialog* d) {
        EXPECT_FALSE(WxDialogControls(d).Find(IDC_PREF_SAVE)->IsEnabled());
    }));
}

TEST_F(DialogsTest, SmallSettingsDialogs)
{
    ASSERT_TRUE(Modal(ID_LOADS_SET_DEFAULT_FORCE, "Default Forces", [&](wxDialog* d) {
        EXPECT_EQ(Text(d, IDC_FORCE_X_LABEL), "Magnitude (pounds) :");
        Press(d, IDC_FORCE_X_TRANSLATED);
        Type(d, IDC_FORCE_X, "-3.5");
        Press(d, wxID_OK);
    }));
    EXPECT_TRUE(g_fDefaultForceX == -3.5f && g_bDefaultForceXTranslated == 1);
    ASSERT_TRUE(Modal(ID_LOADS_SET_DEFAULT_FORCE, "Default Forces", [&](wxDialog* d) {
        Type(d, IDC_FORCE_Y, "7");
        Press(d, wxID_CANCEL);
    }));
    EXPECT_EQ(g_fDefaultForceY, 1.0f);

    ASSERT_TRUE(Modal(ID_LOADS_TRUCK_AXLE_LOADS, "Axle Loads", [&](wxDialog* d) {
        Type(d, IDC_AXLE_REAR, "600");
        Press(d, wxID_OK);
        EXPECT_TRUE(d->IsModal());
        Press(d, IDC_AXLE_DEFAULT);
        EXPECT_EQ(Text(d, IDC_AXLE_REAR), "7");
        Type(d, IDC_AXLE_FRONT, "4");
        Press(d, wxID_OK);
    }));
    EXPECT_TRUE(g_fFrontAxleLoad == 4 && g_fRearAxleLoad == 7 && g_bListTruckBuilt == 0);

    ASSERT_TRUE(Modal(ID_LOADS_TOWER_DEFAULTS, "Tower Defaults", [&](wxDialog* d) {
        Type(d, IDC_TOWER_WIND, "50");
        Press(d, IDC_TOWER_REVERSE_WIND);
        Press(d, wxID_OK);
    }));
    EXPECT_TRUE(g_fWindSpeed == 50 && g_bReverseWind == 1);

    ASSERT_TRUE(Modal(ID_VIEW_DIRECT_LIGHT, "Intensity", [&](wxDialog* d) {
        EXPECT_EQ(Text(d, IDC_INTENSITY_LABEL), "50 ");
        WxDialogControls(d).SetSliderPos(IDC_INTENSITY_SLIDER, 80);
        Press(d, IDC_INTENSITY_SLIDER);
        EXPECT_EQ(Text(d, IDC_INTENSITY_LABEL), "80 ");
        Press(d, wxID_OK);
    }));
    EXPECT_EQ(g_fDirectLightG, 0.8f);

    ASSERT_TRUE(Modal(ID_MEMBERS_SET_DEFAULTS, "Default Member Properties", [&](wxDialog* d) {
        Press(d, IDC_DEF_SHAPE, 5);
        EXPECT_EQ(Text(d, IDC_DEF_SHAPE_ROW), "6");
        Type(d, IDC_DEF_OFFSET_Y, "2");
        Press(d, wxID_OK);
        EXPECT_TRUE(d->IsModal());
        Type(d, IDC_DEF_OFFSET_Y, "0.5");
        Press(d, wxID_OK);
    }));
    EXPECT_TRUE(g_nDefaultShape == 6 && g_fDefaultOffsetY == 0.5f);

    ASSERT_TRUE(Modal(ID_ANALYSIS_GLOBAL_DATA, "Model Data", [&](wxDialog* d) {
        EXPECT_EQ(Text(d, IDC_MDATA_JOINTS), std::to_string(g_nJoints));
        EXPECT_EQ(Text(d, IDC_MDATA_LOAD_UNIT_FIRST), "lbs");
    }));
}

TEST_F(DialogsTest, DialogsThatPicksAndKeysOpen)
{
    float fraction = 0.25f;
    bool ran = false;
    SetModalScript([&](wxDialog* d) {
        ran = true;
        EXPECT_EQ(d->GetTitle(), "Create Joint in Member");
        EXPECT_EQ(Text(d, IDC_SPLIT_PERCENT), "25");
        Type(d, IDC_SPLIT_PERCENT, "100");
        Press(d, wxID_OK);
        EXPECT_TRUE(d->IsModal());
        Type(d, IDC_SPLIT_PERCENT, "30");
        Press(d, wxID_OK);
    });
    ASSERT_TRUE(g_PickDialogs.askSplitFraction(fraction));
    EXPECT_TRUE(ran && fraction == 0.3f);
    EXPECT_EQ(backend.Boxes().back().text, "Please enter a number between 1 and 99.");

    g_nPfdColorBits = 24, g_nPfdDepthBits = 16, g_bPfdTypeRgba = 1, g_bPfdSupportOpenGL = 1;
    SetModalScript([&](wxDialog* d) {
        EXPECT_EQ(d->GetTitle(), "Opengl Pixel Format");
        ExpectLaidOut(d);
        EXPECT_TRUE(WxDialogControls(d).Checked(IDC_PFD_SUPPORT_OPENGL) && WxDialogControls(d).Checked(IDC_PFD_RGBA));
        EXPECT_EQ(Text(d, IDC_PFD_DEPTH_BITS), "16");
        Press(d, wxID_OK);
        EXPECT_FALSE(d->IsModal());
    });
    g_PickDialogs.showPixelFormat();
    SetModalScript(nullptr);
}

TEST_F(DialogsTest, JointPropertiesIsModelessAndFollowsTheTables)
{
    g_nPickedJoint = 3;
    g_PickDialogs.showJointProperties();
    wxDialog* d = JointPropertiesWindow();
    ASSERT_TRUE(d && d->IsShown() && !d->IsModal());
    EXPECT_EQ(d->GetTitle(), "Joint Properties");
    ExpectLaidOut(d);
    EXPECT_TRUE(g_bJointDialogOpen == 1 && g_bModeJointProperties == 1);
    Type(d, IDC_JNT_FORCE_X, "12");
    Press(d, IDC_JNT_APPLY);
    EXPECT_EQ(g_Joints[3].forceX, 12);
    Type(d, IDC_JNT_NUMBER, "500");
    Press(d, IDC_JNT_NUMBER);  // Enter
    EXPECT_EQ(Text(d, IDC_JNT_NUMBER), std::to_string(g_nJoints));
    Press(d, IDC_JNT_NEXT);
    EXPECT_EQ(g_nPickedJoint, 1);
    // A pick of another joint reloads the same window.
    g_nPickedJoint = 7;
    g_PickDialogs.showJointProperties();
    EXPECT_EQ(JointPropertiesWindow(), d);
    EXPECT_EQ(Text(d, IDC_JNT_NUMBER), "7");
    // The row changes under the dialog: shown again when idle.
    g_Joints[7].forceZ = -4;
    Pump();
    EXPECT_EQ(Text(d, IDC_JNT_FORCE_Z), "-4");
    Type(d, IDC_JNT_Z, "-2000");
    Press(d, wxID_OK);
    EXPECT_TRUE(d->IsShown() && Boxes() == 1);
    Press(d, wxID_CANCEL);
    Pump();
    EXPECT_TRUE(JointPropertiesWindow() == nullptr && g_bJointDialogOpen == 0 && g_bModeJointProperties == 0);
    // Created again when none exists; without Advanced Options no supports.
    g_bAdvancedOptions = 0;
    g_PickDialogs.showJointProperties();
    ASSERT_NE(JointPropertiesWindow(), nullptr);
    EXPECT_FALSE(Shown(JointPropertiesWindow(), IDC_JNT_TX) || Shown(JointPropertiesWindow(), IDC_JNT_SUPPORTS_GROUP));
    ExpectLaidOut(JointPropertiesWindow());
}

TEST_F(DialogsTest, MemberPropertiesAndResults)
{
    g_nPickedMember = 4;
    g_PickDialogs.showMemberProperties();
    wxDialog* d = MemberPropertiesWindow();
    ASSERT_TRUE(d && d->IsShown());
    EXPECT_EQ(d->GetTitle(), "Member Properties");
    ExpectLaidOut(d);
    Press(d, IDC_MEM_SHAPE, 6);
    EXPECT_TRUE(g_Members[4].shape == 7 && g_bModelSaved == 0);
    Type(d, IDC_MEM_ROLL, "45");
    Press(d, wxID_OK);
    Pump();
    EXPECT_TRUE(g_Members[4].rollAngle == 45 && MemberPropertiesWindow() == nullptr && g_bMemberDialogOpen == 0);

    g_nMembers = 5;
    g_Members[5].governingRatios[G_A] = 1.5f;
    SetMetricUnits(1);
    RunFrameCommand(ID_ANALYSIS_MEMBER_RESULTS);
    d = MemberResultsWindow();
    ASSERT_TRUE(d && d->IsShown() && g_bMemberResultsDlgShown == 1);
    EXPECT_EQ(d->GetTitle(), "Member Results");
    ExpectLaidOut(d);
    // Each value with its own unit beside it.
    for (int id : {IDC_MRES_AXIAL1, IDC_MRES_AXIAL2, IDC_MRES_SHEAR1_ZZ, IDC_MRES_SHEAR1_YY, IDC_MRES_SHEAR2_ZZ,
                   IDC_MRES_SHEAR2_YY, IDC_MRES_ULT_TENSION, IDC_MRES_ULT_COMPRESSION, IDC_MRES_ULT_SHEAR})
        EXPECT_EQ(TextBeside(d, id), "N") << id;
    for (int id : {IDC_MRES_TORSION1, IDC_MRES_TORSION2, IDC_MRES_M1ZZ, IDC_MRES_M1YY, IDC_MRES_M2ZZ, IDC_MRES_M2YY,
                   IDC_MRES_ULT_TORSION, IDC_MRES_ULT_MZZ, IDC_MRES_ULT_MYY})
        EXPECT_EQ(TextBeside(d, id), "N-cm") << id;
    for (int id : {IDC_MRES_LENGTH, IDC_MRES_LZZ, IDC_MRES_LYY}) EXPECT_EQ(TextBeside(d, id), "cm") << id;
    EXPECT_EQ(Text(d, IDC_MRES_NUMBER), "1");
    Press(d, IDC_MRES_PREVIOUS);
    EXPECT_EQ(Text(d, IDC_MRES_NUMBER), "5");
    EXPECT_EQ(TextBeside(d, IDC_MRES_RATIO_AXIAL) + TextBeside(d, IDC_MRES_RATIO_MYY), "NGOK");
    d->Close();  // the close box acts as Close
    Pump();
    EXPECT_TRUE(MemberResultsWindow() == nullptr && g_bMemberResultsDlgShown == 0);

    g_bAdvancedOptions = 0;
    RunFrameCommand(ID_ANALYSIS_JOINT_RESULTS);
    d = JointResultsWindow();
    ASSERT_TRUE(d && g_bJointResultsDlgShown == 1 && g_nPickedJoint == 1);
    EXPECT_EQ(d->GetTitle(), "Joint Results");
    ExpectLaidOut(d);
    EXPECT_FALSE(Shown(d, IDC_JRES_DEFAULTS) || Shown(d, wxID_OK));
    EXPECT_FALSE(dynamic_cast<wxTextCtrl*>(WxDialogControls(d).Find(IDC_JRES_LIMIT_X))->IsEditable());
    Press(d, IDC_JRES_CLOSE);
    Pump();
    EXPECT_EQ(JointResultsWindow(), nullptr);
    g_bAdvancedOptions = 1;
    RunFrameCommand(ID_ANALYSIS_JOINT_RESULTS);
    d = JointResultsWindow();
    Type(d, IDC_JRES_LIMIT_Z, "8");
    Press(d, wxID_OK);
    Pump();
    EXPECT_TRUE(g_fDisplacementLimits[2] == 8 && JointResultsWindow() == nullptr && g_bJointResultsDlgShown == 0);
}

TEST_F(DialogsTest, EveryCheckBoxAndButtonCarriesItsOwnCaption)
{
    std::set<std::string> seen;
    const auto look = [&](wxDialog* d) { seen.insert(ExpectCaptions(d)); };
    const struct {
        int command;
        const char* caption;
    } modal[] = {
        {ID_MEMBERS_EDIT_MATERIALS, "Edit Material"},     {ID_MEMBERS_EDIT_SHAPES, "Edit Shapes"},
        {ID_EDIT_PREFERENCES, "Trussforge3D Preferences"}, {ID_MEMBERS_SET_DEFAULTS, "Default Member Properties"},
        {ID_ANALYSIS_GLOBAL_DATA, "Model Data"},           {ID_LOADS_SET_DEFAULT_FORCE, "Default Forces"},
        {ID_LOADS_TRUCK_AXLE_LOADS, "Axle Loads"},         {ID_LOADS_TOWER_DEFAULTS, "Tower Defaults"},
        {ID_VIEW_DIRECT_LIGHT, "Intensity"},
    };
    for (const auto& m : modal) EXPECT_TRUE(Modal(m.command, m.caption, look)) << m.caption;
    SetModalScript(look);
    float fraction = 0.5f;
    g_PickDialogs.askSplitFraction(fraction);
    SetModalScript(look);
    g_PickDialogs.showPixelFormat();
    SetModalScript(nullptr);
    g_nPickedJoint = 3, g_nPickedMember = 4;
    g_PickDialogs.showJointProperties();
    g_PickDialogs.showMemberProperties();
    RunFrameCommand(ID_ANALYSIS_MEMBER_RESULTS);
    RunFrameCommand(ID_ANALYSIS_JOINT_RESULTS);
    for (wxDialog* d :
         {JointPropertiesWindow(), MemberPropertiesWindow(), MemberResultsWindow(), JointResultsWindow()}) {
        ASSERT_NE(d, nullptr);
        look(d);
    }
    EXPECT_EQ(seen.size(), kCaptions.size());
}

}  // namespace
