// The material and shape table editors: they page through rows 1..10 of
// g_Materials and g_Shapes and store every change straight into the row.
#pragma once

#include <string>

#include "frame/dialog_controls.h"

// Balsa and basswood properties from a density, in the model's units. The
// density is clamped to the range the regression holds for; density takes
// the clamped value.
struct WoodProperties {
    float youngs, shear, tension, compression, bending, shearStress;
};
WoodProperties BalsaFromDensity(float& density, bool metric);
WoodProperties BassFromDensity(float& density, bool metric);

// Section properties of a solid stick (rectangular h x w, or circular of
// diameter h), doubled when the member is doubled (separation not 0).
struct SectionProperties {
    float height, width, area, torsion, iyy, izz, syy, szz;
};
SectionProperties RectangularSection(float h, float w, bool doubled);
SectionProperties CircularSection(float diameter, bool doubled);
// The torsion coefficient of a rectangle whose sides are in ratio r >= 1.
float TorsionCoefficient(float r);

// "Edit Material".
class MaterialEditor {
public:
    explicit MaterialEditor(DialogControls& controls) : c_(controls) {}
    void Init();
    bool Ok();  // true: the dialog may close
    void Next();
    void Previous();
    void Copy();
    void Paste();
    void Default();
    void ChangeColour();
    void Balsa();
    void Bass();
    int Row() const { return row_; }

private:
    enum Label { USED_OR_NOT_USED, USED_OR_NOT_USED_CAPS };
    bool Read();
    void Load();
    void Show(Label label);
    void StoreMaterial();
    void SetUnitLabels();
    void ShowSwatch(bool rounded);
    void Step(int delta, Label label);
    void Wood(bool balsa);

    DialogControls& c_;
    short row_ = 1;
    float e_ = 0, g_ = 0, density_ = 0, tension_ = 0, compression_ = 0, bending_ = 0, shear_ = 0;
    bool clipFilled_ = false;
    std::string clipName_;
    float clip_[7] = {};
};

// "Edit Shapes".
class ShapeEditor {
public:
    explicit ShapeEditor(DialogControls& controls) : c_(controls) {}
    void Init();
    bool Ok();
    void Next();
    void Previous();
    void Copy();
    void Paste();
    void Default();
    void Section(bool circular);
    int Row() const { return row_; }

private:
    bool Read();
    void Load();
    void Show();
    void StoreShape();
    void SetUnitLabels();
    void Step(int delta);

    DialogControls& c_;
    short row_ = 1;
    float height_ = 0, width_ = 0, separation_ = 0, area_ = 0, ix_ = 0, iy_ = 0, iz_ = 0, sy_ = 0, sz_ = 0;
    bool clipFilled_ = false;
    std::string clipName_;
    float clip_[9] = {};  // area, height, width, Ix, Iy, Iz, Sy, Sz, spacing
    int clipMetric_ = 0;
};

// Whether any member uses the row.
bool IsMaterialUsed(int row);
bool IsShapeUsed(int row);
