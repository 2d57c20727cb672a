#include "frame/settings_dialogs.h"

#include <cstdio>

#include "frame/dialog_ids.h"
#include "model/tables.h"
#include "model/units.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

const int kForceIds[3] = {IDC_FORCE_X, IDC_FORCE_Y, IDC_FORCE_Z};
const int kTranslatedIds[3] = {IDC_FORCE_X_TRANSLATED, IDC_FORCE_Y_TRANSLATED, IDC_FORCE_Z_TRANSLATED};
const int kForceLabelIds[3] = {IDC_FORCE_X_LABEL, IDC_FORCE_Y_LABEL, IDC_FORCE_Z_LABEL};

float* DefaultForce(int axis)
{
    float* f[3] = {&g_fDefaultForceX, &g_fDefaultForceY, &g_fDefaultForceZ};
    return f[axis];
}

int* DefaultTranslated(int axis)
{
    int* t[3] = {&g_bDefaultForceXTranslated, &g_bDefaultForceYTranslated, &g_bDefaultForceZTranslated};
    return t[axis];
}

}  // namespace

// ---------------------------------------------------------------- Default Forces

DefaultForcesEditor::DefaultForcesEditor(DialogControls& controls) : c_(controls)
{
    for (int k = 0; k < 3; ++k) {
        force_[k] = *DefaultForce(k);
        translated_[k] = *DefaultTranslated(k);
    }
}

void DefaultForcesEditor::Init()
{
    for (int k = 0; k < 3; ++k) {
        c_.SetChecked(kTranslatedIds[k], translated_[k] != 0);
        c_.SetText(kForceIds[k], FormatNumber(force_[k]));
        if (g_bMetricUnits) c_.SetText(kForceLabelIds[k], "Magnitude (Newtons)");
    }
}

void DefaultForcesEditor::TranslatedClicked(int axis)
{
    if (axis < 0 || axis > 2) return;
    translated_[axis] = !translated_[axis];
    c_.SetChecked(kTranslatedIds[axis], translated_[axis] != 0);
}

bool DefaultForcesEditor::Ok()
{
    DataExchange dx(c_, true);
    for (int k = 0; k < 3; ++k) dx.Float(kForceIds[k], force_[k]);
    if (!dx.Commit()) return false;
    for (int k = 0; k < 3; ++k) {
        *DefaultForce(k) = force_[k];
        *DefaultTranslated(k) = translated_[k];
    }
    return true;
}

// ---------------------------------------------------------------- Axle Loads

void AxleLoadsEditor::ShowLoads()
{
    shown_[0] = front_, shown_[1] = rear_;
    c_.SetText(IDC_AXLE_FRONT, FormatNumber(front_));
    c_.SetText(IDC_AXLE_REAR, FormatNumber(rear_));
}

void AxleLoadsEditor::Init()
{
    if (g_bMetricUnits) {
        c_.SetText(IDC_AXLE_FRONT_LABEL, "Front Axle Load (kg):");
        c_.SetText(IDC_AXLE_REAR_LABEL, "Rear Axle Load (kg):");
        front_ = g_fFrontAxleLoad / kNewtonsPerKilogram;
        rear_ = g_fRearAxleLoad / kNewtonsPerKilogram;
    } else {
        front_ = g_fFrontAxleLoad;
        rear_ = g_fRearAxleLoad;
    }
    ShowLoads();
}

bool AxleLoadsEditor::Ok()
{
    DataExchange dx(c_, true);
    dx.Float(IDC_AXLE_FRONT, front_, 0, 500);
    dx.Float(IDC_AXLE_REAR, rear_, 0, 500);
    if (!dx.Commit()) return false;
    // Kilograms are converted back only when changed: the conversion is not exact.
    const float scale = g_bMetricUnits ? kNewtonsPerKilogram : 1.0f;
    if (front_ != shown_[0]) g_fFrontAxleLoad = front_ * scale;
    if (rear_ != shown_[1]) g_fRearAxleLoad = rear_ * scale;
    return true;
}

void AxleLoadsEditor::Default()
{
    if (g_bMetricUnits) {
        front_ = 1.5875720f, rear_ = 3.1751440f;
        g_fFrontAxleLoad = 15.574081f, g_fRearAxleLoad = 31.148163f;
    } else {
        front_ = g_fFrontAxleLoad = 3.5f;
        rear_ = g_fRearAxleLoad = 7.0f;
    }
    ShowLoads();
}

// ---------------------------------------------------------------- Tower Defaults

void TowerDefaultsEditor::Init()
{
    if (g_bMetricUnits) c_.SetText(IDC_TOWER_WIND_LABEL, "Wind Speed (kph)");
    wind_ = g_fWindSpeed;
    emptyTank_ = g_bEmptyTank;
    reverseWind_ = g_bReverseWind;
    DataExchange dx(c_, false);
    dx.Float(IDC_TOWER_WIND, wind_);
    dx.Check(IDC_TOWER_EMPTY_TANK, emptyTank_);
    dx.Check(IDC_TOWER_REVERSE_WIND, reverseWind_);
}

bool TowerDefaultsEditor::Ok()
{
    DataExchange dx(c_, true);
    dx.Float(IDC_TOWER_WIND, wind_, 0, 400);
    dx.Check(IDC_TOWER_EMPTY_TANK, emptyTank_);
    dx.Check(IDC_TOWER_REVERSE_WIND, reverseWind_);
    if (!dx.Commit()) return false;
    g_fWindSpeed = wind_;
    g_bEmptyTank = emptyTank_;
    g_bReverseWind = reverseWind_;
    return true;
}

// ---------------------------------------------------------------- Intensity

void IntensityEditor::Init()
{
    c_.SetSliderPos(IDC_INTENSITY_SLIDER, percent_);
    Moved();
}

void IntensityEditor::Moved()
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d ", c_.SliderPos(IDC_INTENSITY_SLIDER));
    c_.SetText(IDC_INTENSITY_LABEL, buf);
}

bool IntensityEditor::Ok()
{
    percent_ = static_cast<short>(c_.SliderPos(IDC_INTENSITY_SLIDER));
    return true;
}

// ---------------------------------------------------------------- Opengl Pixel Format

bool PixelFormatViewer::Exchange(bool save)
{
    DataExchange dx(c_, save);
    dx.Short(IDC_PFD_COLOR_BITS, colorBits_, 4, 32);
    dx.Short(IDC_PFD_DEPTH_BITS, depthBits_, 0, 32);
    return dx.Commit();
}

void PixelFormatViewer::Init()
{
    const struct {
        int id;
        int flag;
    } checks[] = {
        {IDC_PFD_DRAW_TO_WINDOW, g_bPfdDrawToWindow},   {IDC_PFD_DRAW_TO_BITMAP, g_bPfdDrawToBitmap},
        {IDC_PFD_SUPPORT_GDI, g_bPfdSupportGdi},        {IDC_PFD_SUPPORT_OPENGL, g_bPfdSupportOpenGL},
        {IDC_PFD_GENERIC_FORMAT, g_bPfdGenericFormat},  {IDC_PFD_GENERIC_ACCELERATED, g_bPfdGenericAccelerated},
        {IDC_PFD_DOUBLEBUFFER, g_bPfdDoubleBuffer},     {IDC_PFD_NEED_PALETTE, g_bPfdNeedPalette},
        {IDC_PFD_NEED_SYSTEM_PALETTE, g_bPfdNeedSystemPalette},
    };
    for (const auto& c : checks) c_.SetChecked(c.id, c.flag != 0);
    c_.SetChecked(IDC_PFD_RGBA, g_bPfdTypeRgba != 0);
    c_.SetChecked(IDC_PFD_COLOR_INDEX, g_bPfdTypeRgba == 0);
    colorBits_ = g_nPfdColorBits;
    depthBits_ = g_nPfdDepthBits;
    Exchange(false);
}

// The dialog only reports the format in use: nothing entered is applied.
bool PixelFormatViewer::Ok() { return Exchange(true); }
