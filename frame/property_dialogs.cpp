#include "frame/property_dialogs.h"

#include <cstdio>

#include "frame/dialog_ids.h"
#include "frame/file_commands.h"
#include "model/loads.h"
#include "model/model_ops.h"
#include "model/units.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/status_prompt.h"

namespace {

std::string RowNumberText(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", n);
    return buf;
}

bool SameJointFields(const JointRec& a, const JointRec& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.mark == b.mark && a.restraintTX == b.restraintTX &&
           a.restraintTY == b.restraintTY && a.restraintTZ == b.restraintTZ && a.restraintRX == b.restraintRX &&
           a.restraintRY == b.restraintRY && a.restraintRZ == b.restraintRZ && a.forceX == b.forceX &&
           a.forceY == b.forceY && a.forceZ == b.forceZ && a.translatedX == b.translatedX &&
           a.translatedY == b.translatedY && a.translatedZ == b.translatedZ;
}

bool SameMemberFields(const MemberRec& a, const MemberRec& b)
{
    return a.jointA == b.jointA && a.jointB == b.jointB && a.useTorsion == b.useTorsion &&
           a.momentYY1 == b.momentYY1 && a.momentZZ1 == b.momentZZ1 && a.momentYY2 == b.momentYY2 &&
           a.momentZZ2 == b.momentZZ2 && a.effLengthZZ == b.effLengthZZ && a.effLengthYY == b.effLengthYY &&
           a.userEffZZ == b.userEffZZ && a.userEffYY == b.userEffYY && a.rollAngle == b.rollAngle &&
           a.offsetY == b.offsetY && a.offsetZ == b.offsetZ && a.hidden == b.hidden && a.negated == b.negated &&
           a.runner == b.runner && a.shape == b.shape && a.material == b.material;
}

short* Restraints(JointRec& j, int k)
{
    short* r[6] = {&j.restraintTX, &j.restraintTY, &j.restraintTZ, &j.restraintRX, &j.restraintRY, &j.restraintRZ};
    return r[k];
}

std::vector<std::string> Names(bool shapes)
{
    std::vector<std::string> names;
    for (int row = 1; row <= USER_TABLE_ROWS; ++row)
        names.emplace_back(shapes ? g_Shapes[row].name : g_Materials[row].name);
    return names;
}

// A combo index for a table row; rows outside 1..10 select nothing.
int ComboIndex(int row) { return row >= 1 && row <= USER_TABLE_ROWS ? row - 1 : -1; }

const int kRestraintIds[6] = {IDC_JNT_TX, IDC_JNT_TY, IDC_JNT_TZ, IDC_JNT_RX, IDC_JNT_RY, IDC_JNT_RZ};
const int kMomentIds[4] = {IDC_MEM_MYY1, IDC_MEM_MZZ1, IDC_MEM_MYY2, IDC_MEM_MZZ2};

}  // namespace

std::vector<std::string> ShapeNames() { return Names(true); }
std::vector<std::string> MaterialNames() { return Names(false); }

int ClampRow(int n, int count)
{
    if (count <= 0) return 0;
    return n < 1 ? 1 : n > count ? count : n;
}

int WrapRow(int n, int delta, int count)
{
    if (count <= 0) return 0;
    n += delta;
    if (n > count) return 1;
    if (n < 1) return count;
    return n;
}

// ---------------------------------------------------------------- Joint Properties

bool JointPropertiesEditor::Create()
{
    if (g_bMetricUnits) {
        const int ids[6] = {IDC_JNT_X_LABEL, IDC_JNT_Y_LABEL, IDC_JNT_Z_LABEL,
                            IDC_JNT_FORCE_X_LABEL, IDC_JNT_FORCE_Y_LABEL, IDC_JNT_FORCE_Z_LABEL};
        const char* texts[6] = {"X (cm)", "Y (cm)", "Z (cm)", "X (N)", "Y (N)", "Z (N)"};
        for (int k = 0; k < 6; ++k) c_.SetText(ids[k], texts[k]);
    }
    const bool advanced = g_bAdvancedOptions != 0;
    c_.Show(IDC_JNT_SUPPORTS_GROUP, advanced);
    for (int id : kRestraintIds) c_.Show(id, advanced);
    if (JointCount() <= 0) return false;
    Load(g_nPickedJoint);
    return true;
}

void JointPropertiesEditor::ShowForPick()
{
    if (JointCount() <= 0) return;
    Load(g_nPickedJoint);
    g_bModeJointProperties = 1;
}

bool JointPropertiesEditor::Exchange(bool save)
{
    DataExchange dx(c_, save);
    dx.Short(IDC_JNT_NUMBER, save ? typed_ : n_, 1, 10000);
    dx.Float(IDC_JNT_X, x_, -1000, 1000);
    dx.Float(IDC_JNT_Y, y_, -1000, 1000);
    dx.Float(IDC_JNT_Z, z_, -1000, 1000);
    for (int k = 0; k < 6; ++k) dx.Check(kRestraintIds[k], restraint_[k]);
    dx.Check(IDC_JNT_SELECTED, mark_);
    dx.Float(IDC_JNT_FORCE_X, force_[0], -10000, 10000);
    dx.Float(IDC_JNT_FORCE_Y, force_[1], -10000, 10000);
    dx.Float(IDC_JNT_FORCE_Z, force_[2], -10000, 10000);
    dx.Check(IDC_JNT_TRANS_X, translated_[0]);
    dx.Check(IDC_JNT_TRANS_Y, translated_[1]);
    dx.Check(IDC_JNT_TRANS_Z, translated_[2]);
    return dx.Commit();
}

void JointPropertiesEditor::Load(int n)
{
    n_ = static_cast<short>(ClampRow(n, JointCount()));
    loadedRow_ = n_;
    loadedCount_ = g_nJoints;
    if (n_ == 0) return;
    JointRec& j = g_Joints[n_];
    origin_[0] = g_fOriginX, origin_[1] = g_fOriginY, origin_[2] = g_fOriginZ;
    x_ = shown_[0] = j.x - origin_[0];
    y_ = shown_[1] = j.y - origin_[1];
    z_ = shown_[2] = j.z - origin_[2];
    for (int k = 0; k < 6; ++k) restraint_[k] = *Restraints(j, k);
    mark_ = j.mark;
    force_[0] = j.forceX, force_[1] = j.forceY, force_[2] = j.forceZ;
    translated_[0] = j.translatedX, translated_[1] = j.translatedY, translated_[2] = j.translatedZ;
    x0_ = j.x, y0_ = j.y, z0_ = j.z;
    loaded_ = j;
    Exchange(false);
}

bool JointPropertiesEditor::TablesChanged() const
{
    return g_nJoints != loadedCount_ || loadedRow_ < 1 || loadedRow_ > JointCount() ||
           !SameJointFields(g_Joints[loadedRow_], loaded_);
}

// Reads the controls and stores them into the joint shown. A coordinate
// left as shown keeps its value: adding the origin back is not exact. False
// when a value was refused or the tables changed.
bool JointPropertiesEditor::Store()
{
    if (TablesChanged()) {
        Refresh();
        return false;
    }
    if (!Exchange(true)) return false;
    JointRec& j = g_Joints[n_];
    float* coordinates[3] = {&j.x, &j.y, &j.z};
    const float entered[3] = {x_, y_, z_};
    for (int k = 0; k < 3; ++k)
        if (entered[k] != shown_[k]) *coordinates[k] = entered[k] + origin_[k];
    for (int k = 0; k < 6; ++k) *Restraints(j, k) = static_cast<short>(restraint_[k]);
    j.mark = static_cast<short>(mark_);
    j.forceX = force_[0], j.forceY = force_[1], j.forceZ = force_[2];
    j.translatedX = translated_[0], j.translatedY = translated_[1], j.translatedZ = translated_[2];
    loaded_ = j;
    NoteModelChanges();
    return true;
}

void JointPropertiesEditor::ListsChanged()
{
    g_bListJointsBuilt = g_bListMembersBuilt = g_bListResultMembersBuilt = 0;
    g_bListSupportsBuilt = g_bListLoadsBuilt = 0;
    platform::InvalidateFrame(false);
}

bool JointPropertiesEditor::Ok()
{
    if (!Store()) return false;
    ListsChanged();
    g_bJointDialogOpen = 0;
    return true;
}

void JointPropertiesEditor::Cancel()
{
    const PromptFollowsTools prompt;  // the Properties tool ends here
    g_bListJointsBuilt = g_bListMembersBuilt = g_bListResultMembersBuilt = 0;
    g_bListSupportsBuilt = g_bListLoadsBuilt = 0;
    g_bModeJointProperties = 0;
    g_bJointDialogOpen = 0;
    platform::InvalidateFrame(false);
}

void JointPropertiesEditor::Apply()
{
    if (!Store()) return;
    if (JointCoincidesWithAnother(n_)) {
        JointRec& j = g_Joints[n_];
        j.x = x0_, j.y = y0_, j.z = z0_;
        NoteModelChanges();
    }
    if (typed_ != n_) {
        Load(typed_);
        g_nPickedJoint = n_;
    } else {
        Load(n_);
    }
    ListsChanged();
}

void JointPropertiesEditor::Step(int delta)
{
    if (!Store()) return;
    n_ = static_cast<short>(WrapRow(ClampRow(typed_, JointCount()), delta, JointCount()));
    g_nPickedJoint = n_;
    Load(n_);
    ListsChanged();
}

void JointPropertiesEditor::Previous() { Step(-1); }

void JointPropertiesEditor::Next() { Step(1); }

void JointPropertiesEditor::AddJoint()
{
    if (!Store()) return;
    if (g_nJoints >= MAX_JOINTS - 1) return;
    const int n = g_nJoints + 1;
    JointRec& j = g_Joints[n] = JointRec();
    for (int k = 0; k < 6; ++k) *Restraints(j, k) = 0;
    g_nJoints = static_cast<short>(n);
    g_nPickedJoint = static_cast<short>(n);
    Load(n);
    g_bListJointsBuilt = g_bListSupportsBuilt = g_bListLoadsBuilt = 0;
    NoteModelChanges();
    platform::InvalidateFrame(false);
}

void JointPropertiesEditor::ShowTyped()
{
    DataExchange dx(c_, true);
    dx.Short(IDC_JNT_NUMBER, typed_, 1, 10000);
    if (!dx.Commit()) return;
    Load(typed_);
    g_nPickedJoint = n_;
    platform::InvalidateFrame(false);
}

bool JointPropertiesEditor::Refresh()
{
    if (JointCount() <= 0) return false;
    if (!TablesChanged()) return true;
    Load(loadedRow_);
    if (g_nPickedJoint > JointCount()) g_nPickedJoint = n_;
    return true;
}

// ---------------------------------------------------------------- Member Properties

bool MemberPropertiesEditor::Create()
{
    UpdateMemberWeights();
    if (g_bMetricUnits) {
        c_.SetText(IDC_MEM_ACTUAL_LENGTH_LABEL, "Actual Length (cm)");
        c_.SetText(IDC_MEM_EFF_ZZ_LABEL, "Eff. Length zz (cm)");
        c_.SetText(IDC_MEM_EFF_YY_LABEL, "Eff. Length yy (cm)");
        c_.SetText(IDC_MEM_ROLL_UNIT, "Radian");
        c_.SetText(IDC_MEM_OFFSET_Y_LABEL, "Offset y (cm)");
        c_.SetText(IDC_MEM_OFFSET_Z_LABEL, "Offset z (cm)");
    }
    const bool advanced = g_bAdvancedOptions != 0;
    for (int id : kMomentIds) c_.Show(id, advanced);
    c_.Show(IDC_MEM_USE_TORSION, advanced);
    c_.Show(IDC_MEM_START_MOMENTS_GROUP, advanced);
    c_.Show(IDC_MEM_END_MOMENTS_GROUP, advanced);
    c_.SetChoices(IDC_MEM_SHAPE, ShapeNames());
    c_.SetChoices(IDC_MEM_MATERIAL, MaterialNames());
    if (MemberCount() <= 0) return false;
    Load(g_nPickedMember);
    return true;
}

void MemberPropertiesEditor::ShowForPick()
{
    if (MemberCount() <= 0) return;
    Load(g_nPickedMember);
    g_bModeMemberProperties = 1;
}

bool MemberPropertiesEditor::Exchange(bool save)
{
    DataExchange dx(c_, save);
    dx.Short(IDC_MEM_NUMBER, save ? typed_ : m_, 1, 10000);
    dx.Check(IDC_MEM_USE_TORSION, torsion_);
    for (int k = 0; k < 4; ++k) dx.Check(kMomentIds[k], moments_[k]);
    dx.Float(IDC_MEM_EFF_ZZ, effZZ_, 0.001, 100000);
    dx.Check(IDC_MEM_UD_ZZ, udZZ_);
    dx.Float(IDC_MEM_EFF_YY, effYY_, 0.001, 100000);
    dx.Check(IDC_MEM_UD_YY, udYY_);
    dx.Float(IDC_MEM_ROLL, roll_, -90, 90);
    dx.Float(IDC_MEM_OFFSET_Y, offsetY_, -1, 1);
    dx.Float(IDC_MEM_OFFSET_Z, offsetZ_, -1, 1);
    dx.Check(IDC_MEM_HIDE, hide_);
    dx.Check(IDC_MEM_NEGATE, negate_);
    dx.Check(IDC_MEM_RUNNER, runner_);
    return dx.Commit();
}

void MemberPropertiesEditor::Remember()
{
    loadedRow_ = m_;
    loadedCount_ = g_nMembers;
    if (m_ > 0) loaded_ = g_Members[m_];
}

void MemberPropertiesEditor::Load(int m)
{
    m_ = static_cast<short>(ClampRow(m, MemberCount()));
    Remember();
    if (m_ == 0) return;
    const MemberRec& mem = g_Members[m_];
    c_.SetSelection(IDC_MEM_SHAPE, ComboIndex(mem.shape));
    c_.SetSelection(IDC_MEM_MATERIAL, ComboIndex(mem.material));
    torsion_ = mem.useTorsion;
    moments_[0] = mem.momentYY1, moments_[1] = mem.momentZZ1, moments_[2] = mem.momentYY2, moments_[3] = mem.momentZZ2;
    effZZ_ = mem.effLengthZZ, effYY_ = mem.effLengthYY;
    udZZ_ = mem.userEffZZ, udYY_ = mem.userEffYY;
    roll_ = shownRoll_ = g_bMetricUnits ? mem.rollAngle / kDegreesPerRadian : mem.rollAngle;
    offsetY_ = mem.offsetY, offsetZ_ = mem.offsetZ;
    hide_ = mem.hidden, negate_ = mem.negated, runner_ = mem.runner == 1;
    c_.SetText(IDC_MEM_START_JOINT, FormatInteger(mem.jointA));
    c_.SetText(IDC_MEM_END_JOINT, FormatInteger(mem.jointB));
    c_.SetText(IDC_MEM_ACTUAL_LENGTH, FormatNumber(mem.actualLength));
    Exchange(false);
}

bool MemberPropertiesEditor::TablesChanged() const
{
    return g_nMembers != loadedCount_ || loadedRow_ < 1 || loadedRow_ > MemberCount() ||
           !SameMemberFields(g_Members[loadedRow_], loaded_);
}

bool MemberPropertiesEditor::Store()
{
    if (TablesChanged()) {
        Refresh();
        return false;
    }
    if (!Exchange(true)) return false;
    MemberRec& mem = g_Members[m_];
    mem.useTorsion = static_cast<short>(torsion_);
    mem.momentYY1 = static_cast<short>(moments_[0]);
    mem.momentZZ1 = static_cast<short>(moments_[1]);
    mem.momentYY2 = static_cast<short>(moments_[2]);
    mem.momentZZ2 = static_cast<short>(moments_[3]);
    mem.effLengthZZ = effZZ_, mem.effLengthYY = effYY_;
    mem.userEffZZ = udZZ_, mem.userEffYY = udYY_;
    // Radians shown are converted back only when changed: the conversion is not exact.
    if (roll_ != shownRoll_) {
        const float roll = g_bMetricUnits ? roll_ * kDegreesPerRadian : roll_;
        mem.rollAngle = roll < -90 ? -90 : roll > 90 ? 90 : roll;
    }
    mem.offsetY = offsetY_, mem.offsetZ = offsetZ_;
    mem.hidden = hide_, mem.negated = negate_, mem.runner = static_cast<short>(runner_);
    const int shape = c_.Selection(IDC_MEM_SHAPE), material = c_.Selection(IDC_MEM_MATERIAL);
    if (shape >= 0) mem.shape = static_cast<short>(shape + 1);
    if (material >= 0) mem.material = static_cast<short>(material + 1);
    loaded_ = mem;
    NoteModelChanges();
    return true;
}

void MemberPropertiesEditor::ListsChanged()
{
    g_bListJointsBuilt = g_bListMembersBuilt = g_bListResultMembersBuilt = g_bListSupportsBuilt = 0;
    platform::InvalidateFrame(false);
}

bool MemberPropertiesEditor::Ok()
{
    if (!Store()) return false;
    g_bMemberDialogOpen = 0;
    ListsChanged();
    g_nPickedMember = 0;
    return true;
}

void MemberPropertiesEditor::Cancel()
{
    const PromptFollowsTools prompt;
    g_bMemberDialogOpen = 0;
    g_bModeMemberProperties = 0;
    g_nPickedMember = 0;
    platform::InvalidateFrame(false);
}

void MemberPropertiesEditor::Apply()
{
    if (!Store()) return;
    if (typed_ != m_) {
        Load(typed_);
        g_nPickedMember = m_;
    } else {
        Load(m_);
    }
    ListsChanged();
}

void MemberPropertiesEditor::Step(int delta)
{
    if (!Store()) return;
    m_ = static_cast<short>(WrapRow(ClampRow(typed_, MemberCount()), delta, MemberCount()));
    g_nPickedMember = m_;
    Load(m_);
    ListsChanged();
}

void MemberPropertiesEditor::Previous() { Step(-1); }

void MemberPropertiesEditor::Next() { Step(1); }

void MemberPropertiesEditor::ShowTyped()
{
    DataExchange dx(c_, true);
    dx.Short(IDC_MEM_NUMBER, typed_, 1, 10000);
    if (!dx.Commit()) return;
    Load(typed_);
    g_nPickedMember = m_;
    platform::InvalidateFrame(false);
}

void MemberPropertiesEditor::ShapeChanged()
{
    const int sel = c_.Selection(IDC_MEM_SHAPE);
    if (TablesChanged()) {
        Refresh();
        return;
    }
    if (sel < 0 || m_ < 1) return;
    g_Members[m_].shape = static_cast<short>(sel + 1);
    Remember();
    NoteModelChanges();
    ListsChanged();
}

void MemberPropertiesEditor::MaterialChanged()
{
    const int sel = c_.Selection(IDC_MEM_MATERIAL);
    if (TablesChanged()) {
        Refresh();
        return;
    }
    if (sel < 0 || m_ < 1) return;
    g_Members[m_].material = static_cast<short>(sel + 1);
    Remember();
    NoteModelChanges();
    ListsChanged();
}

bool MemberPropertiesEditor::Refresh()
{
    if (MemberCount() <= 0) return false;
    if (!TablesChanged()) return true;
    Load(loadedRow_);
    if (g_nPickedMember > MemberCount()) g_nPickedMember = m_;
    return true;
}

// ---------------------------------------------------------------- Default Member Properties

void DefaultMemberEditor::Init()
{
    rotation_ = g_fDefaultRotation;
    offsetY_ = g_fDefaultOffsetY;
    offsetZ_ = g_fDefaultOffsetZ;
    c_.SetChoices(IDC_DEF_MATERIAL, MaterialNames());
    c_.SetChoices(IDC_DEF_SHAPE, ShapeNames());
    c_.SetSelection(IDC_DEF_MATERIAL, ComboIndex(g_nDefaultMaterial));
    c_.SetSelection(IDC_DEF_SHAPE, ComboIndex(g_nDefaultShape));
    ShowRows();
    DataExchange dx(c_, false);
    dx.Float(IDC_DEF_ROTATION, rotation_);
    dx.Float(IDC_DEF_OFFSET_Y, offsetY_);
    dx.Float(IDC_DEF_OFFSET_Z, offsetZ_);
}

void DefaultMemberEditor::ShowRows()
{
    const int material = c_.Selection(IDC_DEF_MATERIAL), shape = c_.Selection(IDC_DEF_SHAPE);
    c_.SetText(IDC_DEF_MATERIAL_ROW, material >= 0 ? RowNumberText(material + 1) : "");
    c_.SetText(IDC_DEF_SHAPE_ROW, shape >= 0 ? RowNumberText(shape + 1) : "");
}

void DefaultMemberEditor::SelectionChanged() { ShowRows(); }

bool DefaultMemberEditor::Ok()
{
    // New members take these, so they are held to what Member Properties accepts.
    DataExchange dx(c_, true);
    dx.Float(IDC_DEF_ROTATION, rotation_, -90, 90);
    dx.Float(IDC_DEF_OFFSET_Y, offsetY_, -1, 1);
    dx.Float(IDC_DEF_OFFSET_Z, offsetZ_, -1, 1);
    if (!dx.Commit()) return false;
    const int shape = c_.Selection(IDC_DEF_SHAPE), material = c_.Selection(IDC_DEF_MATERIAL);
    if (shape >= 0) g_nDefaultShape = static_cast<short>(shape + 1);
    if (material >= 0) g_nDefaultMaterial = static_cast<short>(material + 1);
    const MaterialRec& m = g_Materials[ClampRow(g_nDefaultMaterial, USER_TABLE_ROWS)];
    g_fDefaultColorR = m.colorR, g_fDefaultColorG = m.colorG, g_fDefaultColorB = m.colorB;
    g_fDefaultRotation = rotation_, g_fDefaultOffsetY = offsetY_, g_fDefaultOffsetZ = offsetZ_;
    return true;
}

void DefaultMemberEditor::Reset()
{
    g_fDefaultRotation = g_fDefaultOffsetY = g_fDefaultOffsetZ = 0;
    rotation_ = offsetY_ = offsetZ_ = 0;
    g_nDefaultMaterial = 4;
    g_nDefaultShape = 2;
    c_.SetSelection(IDC_DEF_MATERIAL, 3);
    c_.SetSelection(IDC_DEF_SHAPE, 1);
    ShowRows();
    DataExchange dx(c_, false);
    dx.Float(IDC_DEF_ROTATION, rotation_);
    dx.Float(IDC_DEF_OFFSET_Y, offsetY_);
    dx.Float(IDC_DEF_OFFSET_Z, offsetZ_);
}

// ---------------------------------------------------------------- Create Joint in Member

void SplitPercentEditor::Init() { c_.SetText(IDC_SPLIT_PERCENT, FormatNumber(CutDecimals(fraction_, 3) * 100.0f)); }

bool SplitPercentEditor::Ok()
{
    // A split needs a point strictly inside the member.
    float percent = 0;
    DataExchange dx(c_, true);
    dx.Float(IDC_SPLIT_PERCENT, percent, 1, 99);
    if (!dx.Commit()) return false;
    fraction_ = percent / 100.0f;
    return true;
}
