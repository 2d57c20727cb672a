// Small modal settings dialogs: Default Forces, Axle Loads, Tower Defaults,
// Intensity and the pixel-format information.
#pragma once

#include "frame/dialog_controls.h"

class DefaultForcesEditor {
public:
    explicit DefaultForcesEditor(DialogControls& controls);
    void Init();
    void TranslatedClicked(int axis);  // 0 X, 1 Y, 2 Z
    bool Ok();                         // stores all six values

private:
    DialogControls& c_;
    float force_[3];
    int translated_[3];
};

class AxleLoadsEditor {
public:
    explicit AxleLoadsEditor(DialogControls& controls) : c_(controls) {}
    void Init();
    bool Ok();
    void Default();

private:
    void ShowLoads();

    DialogControls& c_;
    float front_ = 0, rear_ = 0;  // as shown: lbs, or kg in a metric model
    float shown_[2] = {};         // what the fields showed
};

class TowerDefaultsEditor {
public:
    explicit TowerDefaultsEditor(DialogControls& controls) : c_(controls) {}
    void Init();
    bool Ok();

private:
    DialogControls& c_;
    float wind_ = 0;
    int emptyTank_ = 0, reverseWind_ = 0;
};

class IntensityEditor {
public:
    IntensityEditor(DialogControls& controls, short percent) : c_(controls), percent_(percent) {}
    void Init();
    void Moved();
    bool Ok();  // always takes the position
    short Percent() const { return percent_; }

private:
    DialogControls& c_;
    short percent_;
};

class PixelFormatViewer {
public:
    explicit PixelFormatViewer(DialogControls& controls) : c_(controls) {}
    void Init();
    bool Ok();

private:
    bool Exchange(bool save);

    DialogControls& c_;
    short colorBits_ = 0, depthBits_ = 0;
};
