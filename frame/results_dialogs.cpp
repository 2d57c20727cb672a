#include "frame/results_dialogs.h"

#include <cmath>

#include "frame/dialog_ids.h"
#include "frame/file_commands.h"
#include "frame/property_dialogs.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/units.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

void ShowCut(DialogControls& c, int id, float value, int decimals)
{
    c.SetText(id, FormatNumber(CutDecimals(value, decimals)));
}

// A displacement limit must be positive: a limit of 0 or less halts every analysis.
constexpr double kLimitMin = 0.0001, kLimitMax = 100000;

const int kLimitIds[6] = {IDC_JRES_LIMIT_X, IDC_JRES_LIMIT_Y, IDC_JRES_LIMIT_Z,
                          IDC_JRES_LIMIT_RX, IDC_JRES_LIMIT_RY, IDC_JRES_LIMIT_RZ};

}  // namespace

// ---------------------------------------------------------------- Member Results

void MemberResultsViewer::Create()
{
    m_ = g_nPickedMember;
    if (m_ <= 0) m_ = 1;
    if (m_ > MemberCount()) m_ = MemberCount();
    if (m_ == 0) m_ = 1;
    const bool metric = g_bMetricUnits != 0;
    const char* force = metric ? "N" : "lbs";
    const char* moment = metric ? "N-cm" : "in-lbs";
    const char* length = metric ? "cm" : "in";
    // Actual forces: two axial and four shear forces, then the two torsions and four moments.
    for (int k = 0; k < 12; ++k) c_.SetText(IDC_MRES_FORCE_UNIT_FIRST + k, k < 6 ? force : moment);
    // Ultimate: axial T and C and shear, then torsion and two moments.
    for (int k = 0; k < 6; ++k) c_.SetText(IDC_MRES_ULT_UNIT_FIRST + k, k < 3 ? force : moment);
    for (int k = 0; k < 3; ++k) c_.SetText(IDC_MRES_LENGTH_UNIT_FIRST + k, length);
    Fill();
}

void MemberResultsViewer::ShowAgain()
{
    m_ = g_nPickedMember > 0 ? g_nPickedMember : 1;
    Fill();
}

void MemberResultsViewer::Fill()
{
    m_ = ClampRow(m_, MemberCount());
    shownCount_ = g_nMembers;
    if (m_ < 1) m_ = 1;
    const MemberRec& mem = g_Members[m_];
    c_.SetText(IDC_MRES_NUMBER, FormatInteger(m_));
    const float axial1 = mem.endForces[EF_AXIAL1];
    c_.SetText(IDC_MRES_SENSE, axial1 < 0 ? "T " : axial1 > 0 ? "C " : "  ");
    const struct {
        int id;
        int force;
    } forces[] = {
        {IDC_MRES_AXIAL1, EF_AXIAL1},    {IDC_MRES_AXIAL2, EF_AXIAL2},     {IDC_MRES_SHEAR1_ZZ, EF_SHEARZZ1},
        {IDC_MRES_SHEAR1_YY, EF_SHEARYY1}, {IDC_MRES_SHEAR2_ZZ, EF_SHEARZZ2}, {IDC_MRES_SHEAR2_YY, EF_SHEARYY2},
        {IDC_MRES_TORSION1, EF_TORSION1}, {IDC_MRES_TORSION2, EF_TORSION2}, {IDC_MRES_M1ZZ, EF_M1ZZ},
        {IDC_MRES_M1YY, EF_M1YY},        {IDC_MRES_M2ZZ, EF_M2ZZ},         {IDC_MRES_M2YY, EF_M2YY},
    };
    for (const auto& f : forces) ShowCut(c_, f.id, mem.endForces[f.force], 2);
    ShowCut(c_, IDC_MRES_ULT_TENSION, mem.ultTension, 2);
    ShowCut(c_, IDC_MRES_ULT_COMPRESSION, mem.ultCompression, 2);
    ShowCut(c_, IDC_MRES_ULT_SHEAR, mem.ultShear, 2);
    ShowCut(c_, IDC_MRES_ULT_TORSION, mem.ultTorsion, 2);
    ShowCut(c_, IDC_MRES_ULT_MZZ, mem.ultBendZZ, 2);
    ShowCut(c_, IDC_MRES_ULT_MYY, mem.ultBendYY, 2);
    ShowCut(c_, IDC_MRES_LENGTH, mem.actualLength, 3);
    ShowCut(c_, IDC_MRES_LZZ, mem.effLengthZZ, 3);
    ShowCut(c_, IDC_MRES_LYY, mem.effLengthYY, 3);
    const int ratioIds[8] = {IDC_MRES_RATIO_AXIAL, IDC_MRES_RATIO_MYY, IDC_MRES_RATIO_MZZ, IDC_MRES_RATIO_VYY,
                             IDC_MRES_RATIO_VZZ,   IDC_MRES_RATIO_TORSION, IDC_MRES_RATIO_AM, IDC_MRES_RATIO_ST};
    for (int k = 0; k < 8; ++k) {
        const float ratio = mem.governingRatios[k];
        ShowCut(c_, ratioIds[k], ratio, k < 6 ? 3 : 2);
        c_.SetText(IDC_MRES_STATUS_FIRST + k, ratio > 1 ? "NG" : "OK");
    }
}

void MemberResultsViewer::Step(int delta)
{
    m_ = WrapRow(m_, delta, MemberCount());
    g_nPickedMember = static_cast<short>(m_);
    Fill();
    platform::InvalidateFrame(false);
}

void MemberResultsViewer::Next() { Step(1); }

void MemberResultsViewer::Previous() { Step(-1); }

// The member shown was highlighted for this window: the highlight goes with
// it, unless Member Properties shows that member.
void MemberResultsViewer::Close()
{
    g_bMemberResultsDlgShown = 0;
    if (!g_bMemberDialogOpen) g_nPickedMember = 0;
    platform::InvalidateFrame(false);
}

bool MemberResultsViewer::Refresh()
{
    if (MemberCount() <= 0) return false;
    if (g_nMembers != shownCount_) Fill();
    return true;
}

// ---------------------------------------------------------------- Joint Results

void JointResultsViewer::Create()
{
    g_nPickedJoint = 1;
    n_ = 1;
    for (int k = 0; k < 6; ++k) limits_[k] = g_fDisplacementLimits[k];
    if (g_bMetricUnits)
        for (int k = 0; k < 3; ++k) {
            c_.SetText(IDC_JRES_DISP_UNIT_FIRST + k, "cm");
            c_.SetText(IDC_JRES_LIMIT_UNIT_FIRST + k, "cm");
        }
    const bool advanced = g_bAdvancedOptions != 0;
    for (int id : kLimitIds) c_.SetReadOnly(id, !advanced);
    c_.Show(IDC_JRES_DEFAULTS, advanced);
    c_.Show(IDC_JRES_OK, advanced);
    LoadResults();
    ExchangeLimits(false);
}

void JointResultsViewer::LoadResults()
{
    n_ = ClampRow(n_, JointCount());
    shownCount_ = g_nJoints;
    if (n_ < 1) n_ = 1;
    const JointRec& j = g_Joints[n_];
    c_.SetText(IDC_JRES_NUMBER, FormatInteger(n_));
    ShowCut(c_, IDC_JRES_DISP_X, j.dispX, 3);
    ShowCut(c_, IDC_JRES_DISP_Y, j.dispY, 3);
    ShowCut(c_, IDC_JRES_DISP_Z, j.dispZ, 3);
    ShowCut(c_, IDC_JRES_ROT_X, j.rotX, 3);
    ShowCut(c_, IDC_JRES_ROT_Y, j.rotY, 3);
    ShowCut(c_, IDC_JRES_ROT_Z, j.rotZ, 3);
}

bool JointResultsViewer::ExchangeLimits(bool save)
{
    DataExchange dx(c_, save);
    for (int k = 0; k < 6; ++k) dx.Float(kLimitIds[k], limits_[k], kLimitMin, kLimitMax);
    return dx.Commit();
}

void JointResultsViewer::ShowAgain()
{
    n_ = g_nPickedJoint > 0 ? g_nPickedJoint : 1;
    LoadResults();
}

void JointResultsViewer::Step(int delta)
{
    n_ = WrapRow(n_, delta, JointCount());
    g_nPickedJoint = static_cast<short>(n_);
    LoadResults();
    platform::InvalidateFrame(false);
}

void JointResultsViewer::Next() { Step(1); }

void JointResultsViewer::Previous() { Step(-1); }

bool JointResultsViewer::Ok()
{
    if (!ExchangeLimits(true)) return false;
    for (int k = 0; k < 6; ++k) g_fDisplacementLimits[k] = limits_[k];
    NoteModelChanges();
    Close();
    return true;
}

// Likewise the joint shown, unless Joint Properties shows it.
void JointResultsViewer::Close()
{
    g_bJointResultsDlgShown = 0;
    if (!g_bJointDialogOpen) g_nPickedJoint = 0;
    platform::InvalidateFrame(false);
}

void JointResultsViewer::Defaults()
{
    const float defaults[6] = {5, 10, 5, 1.5f, 1.57f, 1.5f};
    for (int k = 0; k < 6; ++k) g_fDisplacementLimits[k] = limits_[k] = defaults[k];
    ExchangeLimits(false);
    NoteModelChanges();
}

bool JointResultsViewer::Refresh()
{
    if (JointCount() <= 0) return false;
    if (g_nJoints != shownCount_) LoadResults();
    return true;
}

// ---------------------------------------------------------------- Model Data

void FillModelData(DialogControls& c)
{
    const float weight = TotalWeight();
    float lbs, grams;
    if (g_bUnitsUS) {
        lbs = weight;
        grams = weight * kGramsPerPoundF;
    } else {
        grams = weight * kGramsPerNewtonF;
        lbs = grams / kGramsPerPoundShort;
    }
    ShowCut(c, IDC_MDATA_LBS, lbs, 3);
    ShowCut(c, IDC_MDATA_GRAMS, grams, 2);
    c.SetText(IDC_MDATA_JOINTS, FormatInteger(g_nJoints));
    c.SetText(IDC_MDATA_MEMBERS, FormatInteger(g_nMembers));

    float deflection[3] = {0, 0, 0};
    if (!g_bHaltUnstable && !g_bHaltLargeDisplacements && !g_bHaltIncorrectModel) {
        FindMaxDisplacements();
        deflection[0] = g_fMaxDisplacementX, deflection[1] = g_fMaxDisplacementY, deflection[2] = g_fMaxDisplacementZ;
    }
    float load[3] = {0, 0, 0};
    const int joints = JointCount();
    for (int j = 1; j <= joints; ++j) {
        load[0] += std::fabs(g_Joints[j].forceX);
        load[1] += std::fabs(g_Joints[j].forceY);
        load[2] += std::fabs(g_Joints[j].forceZ);
    }
    const int deflectionIds[3] = {IDC_MDATA_DEFLECTION_X, IDC_MDATA_DEFLECTION_Y, IDC_MDATA_DEFLECTION_Z};
    const int loadIds[3] = {IDC_MDATA_LOAD_X, IDC_MDATA_LOAD_Y, IDC_MDATA_LOAD_Z};
    for (int k = 0; k < 3; ++k) {
        ShowCut(c, deflectionIds[k], deflection[k], 3);
        c.SetText(loadIds[k], FormatNumber(load[k]));
        if (g_bMetricUnits) {
            c.SetText(IDC_MDATA_DEFLECTION_UNIT_FIRST + k, "cm");
            c.SetText(IDC_MDATA_LOAD_UNIT_FIRST + k, "N");
        }
    }
}
