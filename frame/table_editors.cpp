#include "frame/table_editors.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/dialog_ids.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "platform/platform.h"
#include "state/frame_globals.h"

namespace {

// Names read back from the editors' name fields.
constexpr size_t kNameBytes = 50;

void CopyName(char (&dest)[56], const std::string& text)
{
    const std::string kept = TruncateText(text, sizeof dest - 1);
    std::memcpy(dest, kept.c_str(), kept.size() + 1);
}

std::string RowLabel(int row, const char* state)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d - %s", row, state);
    return buf;
}

int Wrapped(int row, int delta)
{
    row += delta;
    if (row > USER_TABLE_ROWS) return 1;
    if (row < 1) return USER_TABLE_ROWS;
    return row;
}

float ClampHighFirst(float v, float lo, float hi)
{
    if (v > hi) return hi;
    if (v < lo) return lo;
    return v;
}

float ClampLowFirst(float v, float lo, float hi)
{
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

// One pcf in N/cm^3, and one psi in N/cm^2.
constexpr float kPcf = 0.00015715f;
constexpr float kPsi = 0.6895f;

WoodProperties Scaled(WoodProperties p, bool metric)
{
    if (!metric) return p;
    for (float* v : {&p.youngs, &p.shear, &p.tension, &p.compression, &p.bending, &p.shearStress}) *v *= kPsi;
    return p;
}

}  // namespace

bool IsMaterialUsed(int row)
{
    const int members = MemberCount();
    for (int i = 1; i <= members; ++i)
        if (g_Members[i].material == row) return true;
    return false;
}

bool IsShapeUsed(int row)
{
    const int members = MemberCount();
    for (int i = 1; i <= members; ++i)
        if (g_Members[i].shape == row) return true;
    return false;
}

WoodProperties BalsaFromDensity(float& density, bool metric)
{
    float d;
    if (metric) {
        density = ClampHighFirst(density, 0.0006286f, 0.0044002f);
        d = density / kPcf;
    } else {
        density = ClampHighFirst(density, 4.0f, 28.0f);
        d = density;
    }
    WoodProperties p;
    p.youngs = 1515.15f * d * d + 13030.3f * d + 3636.36f;
    p.shear = p.youngs * 0.0625f;
    p.tension = 10.2904f * d * d - 20.53f * d - 33.636f;
    p.compression = 4.60859f * d * d + 38.1061f * d - 17.273f;
    p.bending = 10.8586f * d * d + 117.273f * d - 67.273f;
    p.shearStress = 17.3524f * d - 7.2571f;
    return Scaled(p, metric);
}

WoodProperties BassFromDensity(float& density, bool metric)
{
    float d;
    if (metric) {
        density = ClampLowFirst(density, 0.0018859f, 0.0078575f);
        d = density / kPcf;
    } else {
        density = ClampHighFirst(density, 5.0f, 36.0f);
        d = density;
    }
    WoodProperties p;
    p.youngs = 55413.0f * d;
    p.shear = 55413.0f * d * 0.0625f;
    p.tension = 4.01234f * d * d + 80.5556f * d;
    p.compression = 4.32099f * d * d + 5.55556f * d;
    p.bending = static_cast<float>(-192970.32 / (1.0 - 454.691 * std::exp(-0.09014413 * d)));
    p.shearStress = 64.1667f * d - 1.01852f * d * d;
    return Scaled(p, metric);
}

float TorsionCoefficient(float r)
{
    if (r > 10) return 0.333f;
    if (r > 7.5f) return 0.312f;
    if (r > 4.5f) return 0.291f;
    if (r > 3.5f) return 0.281f;
    if (r > 2.75f) return 0.263f;
    if (r > 2.25f) return 0.249f;
    if (r > 1.75f) return 0.229f;
    if (r > 1.25f) return 0.196f;
    return 0.141f;
}

namespace {

SectionProperties Doubled(SectionProperties s, bool doubled)
{
    if (doubled)
        for (float* v : {&s.torsion, &s.iyy, &s.izz, &s.syy, &s.szz}) *v *= 2;
    return s;
}

}  // namespace

SectionProperties RectangularSection(float h, float w, bool doubled)
{
    SectionProperties s;
    s.height = h;
    s.width = w;
    s.area = h * w;
    const float longer = h > w ? h : w, shorter = h > w ? w : h;
    s.torsion = TorsionCoefficient(longer / shorter) * shorter * shorter * shorter * longer;
    s.iyy = h * w * w * w / 12;
    s.izz = w * h * h * h / 12;
    s.syy = s.iyy / (w / 2);
    s.szz = s.izz / (h / 2);
    return Doubled(s, doubled);
}

SectionProperties CircularSection(float diameter, bool doubled)
{
    SectionProperties s;
    s.height = s.width = diameter;
    s.area = diameter * diameter * 3.14159f * 0.25f;
    const float c = diameter * 0.5f, c4 = c * c * c * c;
    s.iyy = s.izz = c4 * 3.14159f * 0.25f;
    s.torsion = c4 * 3.14159f * 0.5f;
    s.syy = s.iyy / c;
    s.szz = s.izz / c;
    return Doubled(s, doubled);
}

// ---------------------------------------------------------------- materials

void MaterialEditor::Init()
{
    row_ = 1;
    Load();
    Show(USED_OR_NOT_USED);
    c_.Enable(IDC_MAT_PASTE, clipFilled_);
}

bool MaterialEditor::Read()
{
    DataExchange dx(c_, true);
    dx.Float(IDC_MAT_DENSITY, density_, 1e-7, 1e7);
    dx.Float(IDC_MAT_E, e_, 1e-7, 3e8);
    dx.Float(IDC_MAT_G, g_, 1e-7, 1e8);
    dx.Float(IDC_MAT_TENSION, tension_, 0.1, 1e8);
    dx.Float(IDC_MAT_COMPRESSION, compression_, 0.1, 1e8);
    dx.Float(IDC_MAT_BENDING, bending_, 0, 1e8);
    dx.Float(IDC_MAT_SHEAR, shear_, 0, 1e8);
    return dx.Commit();
}

void MaterialEditor::Load()
{
    const MaterialRec& m = g_Materials[row_];
    e_ = m.youngsModulus;
    g_ = m.shearModulus;
    density_ = m.density;
    tension_ = m.ultTensionStress;
    compression_ = m.ultCompressionStress;
    bending_ = m.ultBendingStress;
    shear_ = m.ultShearStress;
}

void MaterialEditor::Show(Label label)
{
    const bool used = IsMaterialUsed(row_);
    c_.SetText(IDC_MAT_ROW, RowLabel(row_, used ? "Used" : label == USED_OR_NOT_USED ? "Not used" : "Not Used"));
    c_.SetText(IDC_MAT_NAME, g_Materials[row_].name);
    DataExchange dx(c_, false);
    dx.Float(IDC_MAT_DENSITY, density_);
    dx.Float(IDC_MAT_E, e_);
    dx.Float(IDC_MAT_G, g_);
    dx.Float(IDC_MAT_TENSION, tension_);
    dx.Float(IDC_MAT_COMPRESSION, compression_);
    dx.Float(IDC_MAT_BENDING, bending_);
    dx.Float(IDC_MAT_SHEAR, shear_);
    SetUnitLabels();
    ShowSwatch(false);
}

void MaterialEditor::StoreMaterial()
{
    MaterialRec& m = g_Materials[row_];
    CopyName(m.name, TruncateText(c_.Text(IDC_MAT_NAME), kNameBytes));
    m.youngsModulus = e_;
    m.shearModulus = g_;
    m.density = density_;
    m.ultTensionStress = tension_;
    m.ultCompressionStress = compression_;
    m.ultBendingStress = bending_;
    m.ultShearStress = shear_;
}

void MaterialEditor::SetUnitLabels()
{
    const bool metric = g_Materials[row_].metricRow != 0;
    const char* stress = metric ? "(N/cm^2)" : "(psi)";
    c_.SetText(IDC_MAT_DENSITY_LABEL, metric ? "Density*g (N/cm^3)" : "Density (pcf)");
    c_.SetText(IDC_MAT_E_LABEL, std::string("Young's Modulus (E) ") + stress);
    c_.SetText(IDC_MAT_G_LABEL, std::string("Shear Modulus (G) ") + stress);
    c_.SetText(IDC_MAT_TENSION_LABEL, std::string("Ultimate Tensile Stress ") + stress);
    c_.SetText(IDC_MAT_COMPRESSION_LABEL, std::string("Ultimate Compression Stress ") + stress);
    c_.SetText(IDC_MAT_BENDING_LABEL, std::string("Ultimate Bending Stress ") + stress);
    c_.SetText(IDC_MAT_SHEAR_LABEL, std::string("Ultimate Shear Stress ") + stress);
}

void MaterialEditor::ShowSwatch(bool rounded)
{
    const MaterialRec& m = g_Materials[row_];
    auto channel = [rounded](float c) {
        const float v = c * 255.0f;
        const long n = rounded ? std::lround(v) : static_cast<long>(v);
        return static_cast<unsigned char>(n < 0 ? 0 : n > 255 ? 255 : n);
    };
    c_.SetSwatch(IDC_MAT_SWATCH, channel(m.colorR), channel(m.colorG), channel(m.colorB));
}

bool MaterialEditor::Ok()
{
    if (!Read()) return false;
    StoreMaterial();
    return true;
}

void MaterialEditor::Step(int delta, Label label)
{
    if (!Read()) return;
    StoreMaterial();
    row_ = static_cast<short>(Wrapped(row_, delta));
    Load();
    Show(label);
}

void MaterialEditor::Next() { Step(1, USED_OR_NOT_USED); }

void MaterialEditor::Previous() { Step(-1, USED_OR_NOT_USED_CAPS); }

void MaterialEditor::Copy()
{
    if (!Read()) return;
    StoreMaterial();
    const MaterialRec& m = g_Materials[row_];
    clipName_ = m.name;
    const float values[7] = {m.youngsModulus, m.shearModulus, m.density, m.ultTensionStress,
                             m.ultCompressionStress, m.ultBendingStress, m.ultShearStress};
    std::memcpy(clip_, values, sizeof clip_);
    clipFilled_ = true;
    c_.Enable(IDC_MAT_PASTE, true);
}

void MaterialEditor::Paste()
{
    if (!clipFilled_) return;
    CopyName(g_Materials[row_].name, clipName_);
    c_.SetText(IDC_MAT_NAME, clipName_);
    e_ = clip_[0], g_ = clip_[1], density_ = clip_[2], tension_ = clip_[3];
    compression_ = clip_[4], bending_ = clip_[5], shear_ = clip_[6];
    StoreMaterial();
    Show(USED_OR_NOT_USED);
}

void MaterialEditor::Default()
{
    if (g_bMetricUnits)
        ResetMaterialMetric(row_);
    else
        ResetMaterialUS(row_);
    Load();
    Show(USED_OR_NOT_USED);
}

void MaterialEditor::ChangeColour()
{
    unsigned char rgb[3] = {128, 128, 128};
    if (!platform::ChooseColour(rgb)) return;
    MaterialRec& m = g_Materials[row_];
    m.colorR = rgb[0] / 255.0f;
    m.colorG = rgb[1] / 255.0f;
    m.colorB = rgb[2] / 255.0f;
    const int d = g_nDefaultMaterial;
    if (d >= 0 && d < TABLE_ROWS) {
        g_fDefaultColorR = g_Materials[d].colorR;
        g_fDefaultColorG = g_Materials[d].colorG;
        g_fDefaultColorB = g_Materials[d].colorB;
    }
    ShowSwatch(true);
}

void MaterialEditor::Wood(bool balsa)
{
    if (!Read()) return;
    const WoodProperties p = balsa ? BalsaFromDensity(density_, g_bMetricUnits != 0)
                                   : BassFromDensity(density_, g_bMetricUnits != 0);
    e_ = p.youngs, g_ = p.shear, tension_ = p.tension, compression_ = p.compression;
    bending_ = p.bending, shear_ = p.shearStress;
    StoreMaterial();
    Show(USED_OR_NOT_USED);
}

void MaterialEditor::Balsa() { Wood(true); }

void MaterialEditor::Bass() { Wood(false); }

// ---------------------------------------------------------------- shapes

void ShapeEditor::Init()
{
    row_ = 1;
    Load();
    Show();
    c_.Enable(IDC_SHP_PASTE, clipFilled_);
}

bool ShapeEditor::Read()
{
    DataExchange dx(c_, true);
    dx.Float(IDC_SHP_HEIGHT, height_, 0.001, 10);
    dx.Float(IDC_SHP_WIDTH, width_, 0.001, 10);
    dx.Float(IDC_SHP_SEPARATION, separation_, 0, 100);
    dx.Float(IDC_SHP_AREA, area_, 0.00001, 1e7);
    dx.Float(IDC_SHP_IX, ix_, 1e-10, 1e6);
    dx.Float(IDC_SHP_IY, iy_, 1e-10, 1e6);
    dx.Float(IDC_SHP_IZ, iz_, 1e-10, 1e6);
    dx.Float(IDC_SHP_SY, sy_, 1e-9, 1e6);
    dx.Float(IDC_SHP_SZ, sz_, 1e-9, 1e6);
    return dx.Commit();
}

void ShapeEditor::Load()
{
    const ShapeRec& s = g_Shapes[row_];
    height_ = s.height, width_ = s.width, separation_ = s.spacing, area_ = s.area;
    ix_ = s.torsionConst, iy_ = s.inertiaYY, iz_ = s.inertiaZZ, sy_ = s.modulusYY, sz_ = s.modulusZZ;
}

void ShapeEditor::Show()
{
    c_.SetText(IDC_SHP_ROW, RowLabel(row_, IsShapeUsed(row_) ? "Used" : "Unused"));
    c_.SetText(IDC_SHP_NAME, g_Shapes[row_].name);
    DataExchange dx(c_, false);
    dx.Float(IDC_SHP_HEIGHT, height_);
    dx.Float(IDC_SHP_WIDTH, width_);
    dx.Float(IDC_SHP_SEPARATION, separation_);
    dx.Float(IDC_SHP_AREA, area_);
    dx.Float(IDC_SHP_IX, ix_);
    dx.Float(IDC_SHP_IY, iy_);
    dx.Float(IDC_SHP_IZ, iz_);
    dx.Float(IDC_SHP_SY, sy_);
    dx.Float(IDC_SHP_SZ, sz_);
    SetUnitLabels();
    c_.SetText(IDC_SHP_SECTION_LABEL,
               g_Shapes[row_].sectionKind == 1 ? "Circular cross section" : "Rectangular cross section");
}

void ShapeEditor::StoreShape()
{
    ShapeRec& s = g_Shapes[row_];
    CopyName(s.name, TruncateText(c_.Text(IDC_SHP_NAME), kNameBytes));
    s.area = area_, s.height = height_, s.width = width_, s.torsionConst = ix_;
    s.inertiaYY = iy_, s.inertiaZZ = iz_, s.modulusYY = sy_, s.modulusZZ = sz_, s.spacing = separation_;
}

void ShapeEditor::SetUnitLabels()
{
    const bool metric = g_Shapes[row_].metricRow != 0;
    c_.SetText(IDC_SHP_HEIGHT_LABEL, metric ? "Height (cm.)" : "Height (in.)");
    c_.SetText(IDC_SHP_WIDTH_LABEL, metric ? "Width (cm.)" : "Width (in.)");
    c_.SetText(IDC_SHP_SEPARATION_LABEL, metric ? "Separation\nDistance (cm.)" : "Separation\nDistance (in.)");
    c_.SetText(IDC_SHP_AREA_LABEL, metric ? "Area (cm^2)" : "Area (in^2)");
    c_.SetText(IDC_SHP_IX_LABEL, metric ? "Ix (cm^4)" : "Ix (in^4)");
    c_.SetText(IDC_SHP_IY_LABEL, metric ? "Iy (cm^4)" : "Iy (in^4)");
    c_.SetText(IDC_SHP_IZ_LABEL, metric ? "Iz (cm^4)" : "Iz (in^4)");
    c_.SetText(IDC_SHP_SY_LABEL, metric ? "Sy (cm^3)" : "Sy (in.^3)");
    c_.SetText(IDC_SHP_SZ_LABEL, metric ? "Sz (cm^3)" : "Sz (in.^3)");
}

bool ShapeEditor::Ok()
{
    if (!Read()) return false;
    StoreShape();
    return true;
}

void ShapeEditor::Step(int delta)
{
    if (!Read()) return;
    StoreShape();
    row_ = static_cast<short>(Wrapped(row_, delta));
    Load();
    Show();
}

void ShapeEditor::Next() { Step(1); }

void ShapeEditor::Previous() { Step(-1); }

void ShapeEditor::Copy()
{
    if (!Read()) return;
    StoreShape();
    const ShapeRec& s = g_Shapes[row_];
    clipName_ = s.name;
    const float values[9] = {s.area, s.height, s.width, s.torsionConst, s.inertiaYY,
                             s.inertiaZZ, s.modulusYY, s.modulusZZ, s.spacing};
    std::memcpy(clip_, values, sizeof clip_);
    clipMetric_ = s.metricRow;
    clipFilled_ = true;
    c_.Enable(IDC_SHP_PASTE, true);
}

void ShapeEditor::Paste()
{
    if (!clipFilled_) return;
    CopyName(g_Shapes[row_].name, clipName_);
    c_.SetText(IDC_SHP_NAME, clipName_);
    area_ = clip_[0], height_ = clip_[1], width_ = clip_[2], ix_ = clip_[3], iy_ = clip_[4];
    iz_ = clip_[5], sy_ = clip_[6], sz_ = clip_[7], separation_ = clip_[8];
    g_Shapes[row_].metricRow = clipMetric_;
    StoreShape();
    Show();
}

void ShapeEditor::Default()
{
    if (g_bMetricUnits)
        ResetShapeMetric(row_);
    else
        ResetShapeUS(row_);
    Load();
    Show();
}

void ShapeEditor::Section(bool circular)
{
    // Only the dimensions and the separation feed the section; its old
    // properties are replaced, so they are not checked.
    DataExchange dx(c_, true);
    dx.Float(IDC_SHP_HEIGHT, height_, 0.001, 10);
    dx.Float(IDC_SHP_WIDTH, width_, 0.001, 10);
    dx.Float(IDC_SHP_SEPARATION, separation_, 0, 100);
    if (!dx.Commit()) return;

    ShapeRec& s = g_Shapes[row_];
    CopyName(s.name, TruncateText(c_.Text(IDC_SHP_NAME), kNameBytes));
    s.sectionKind = circular ? 1 : 0;
    const bool doubled = separation_ != 0;
    const SectionProperties p =
        circular ? CircularSection(height_, doubled) : RectangularSection(height_, width_, doubled);
    height_ = s.height = p.height;
    width_ = s.width = p.width;
    area_ = s.area = p.area;
    ix_ = s.torsionConst = p.torsion;
    iy_ = s.inertiaYY = p.iyy;
    iz_ = s.inertiaZZ = p.izz;
    sy_ = s.modulusYY = p.syy;
    sz_ = s.modulusZZ = p.szz;
    s.spacing = separation_;
    Show();
}
