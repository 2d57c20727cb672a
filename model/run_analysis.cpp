#include "model/run_analysis.h"

#include <cmath>
#include <cstdio>

#include "frame/tool_modes.h"
#include "model/loads.h"
#include "model/model_ops.h"
#include "model/solver.h"
#include "model/strength.h"
#include "model/tables.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

constexpr unsigned kBoxStyle = platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;

const char* const kNoMembers = "No Members Present \nCanceling the analysis";

void InfoBox(const char* text)
{
    platform::MessageBox(text, g_szAppTitle, platform::MB_OK | kBoxStyle);
}

// True when the user chose OK.
bool AskOkCancel(const char* text)
{
    return platform::MessageBox(text, g_szAppTitle, platform::MB_OKCANCEL | kBoxStyle) == platform::IDOK;
}


bool HasAppliedForce()
{
    for (int j = 1; j <= JointCount(); ++j) {
        const JointRec& jt = g_Joints[j];
        if (jt.forceX != 0 || jt.forceY != 0 || jt.forceZ != 0) return true;
    }
    return false;
}

void ClearGeneratedLoads()
{
    for (int j = 1; j <= JointCount(); ++j) {
        JointRec& jt = g_Joints[j];
        jt.selfWeightLoad = 0;
        jt.windLoad = 0;
        jt.truckLoad = 0;
        jt.extraLoadZ = 0;
    }
}

void SumAppliedForces()
{
    for (int j = 1; j <= JointCount(); ++j) {
        g_fTotalLoadX += g_Joints[j].forceX;
        g_fTotalLoadY += g_Joints[j].forceY;
        g_fTotalLoadZ += g_Joints[j].forceZ;
    }
}

void SetHaltFlags(short code)
{
    g_bHaltUnstable = code == 1;
    g_bHaltLargeDisplacements = code == 2;
    g_bHaltIncorrectModel = code == 3;
    g_bHaltInadequateSupport = code == 4;
}

bool AnyHalt()
{
    return g_bHaltUnstable || g_bHaltLargeDisplacements || g_bHaltIncorrectModel ||
           g_bHaltInadequateSupport;
}

// The box for a member whose shape or material has a property too small to
// analyse (the codes 1 to 14 of the section property check).
void ReportSmallProperty(int code, int member)
{
    static const char* const kShapeProperties[8] = {"Height", "Width", "Area", "Ix", "Iy", "Iz", "Sy", "Sz"};
    static const char* const kMaterialProperties[6] = {
        "Young's Modulus (E)",        "Shear Modulus (G)",           "Density",
        "Ultimate Tensile Stress", "Ultimate Compression Stress", "Ultimate Bending Stress"};
    const MemberRec& m = g_Members[member];
    const bool shape = code <= 8;
    const int row = shape ? m.shape : m.material;
    const ShapeRec& s = ShapeAt(row);
    const MaterialRec& t = MaterialAt(row);
    const float shapeValues[8] = {s.height, s.width, s.area, s.torsionConst, s.inertiaYY, s.inertiaZZ,
                                  s.modulusYY, s.modulusZZ};
    const float materialValues[6] = {t.youngsModulus,    t.shearModulus,         t.density,
                                     t.ultTensionStress, t.ultCompressionStress, t.ultBendingStress};
    const bool listed = row >= 1 && row < TABLE_ROWS;
    char text[400];
    std::snprintf(text, sizeof text,
                  "Member %d cannot be analysed:\nthe %s of its %s %d%s%.55s%s is %g;\n"
                  "it must be at least 1e-08.\nCanceling the analysis",
                  member, shape ? kShapeProperties[code - 1] : kMaterialProperties[code - 9],
                  shape ? "shape" : "material", row, listed ? " \"" : "", listed ? (shape ? s.name : t.name) : "",
                  listed ? "\"" : "", static_cast<double>(shape ? shapeValues[code - 1] : materialValues[code - 9]));
    InfoBox(text);
}

// Section property checks; false ends the command.
bool SectionPropertiesOk()
{
    int member = 0;
    const int code = CheckSectionProperties(&member);
    switch (code) {
    case 0:
        return true;
    case 15:
    case 20:
    case 21:
    case 22:
    case 23:
        InfoBox("Inconsistent Member Properties\nCanceling the analysis");
        return false;
    case 99:
        InfoBox("Trussforge3D is NOT for Professional Use");
        return false;
    default:
        if (code >= 1 && code <= 14 && member >= 1 && member <= MemberCount()) ReportSmallProperty(code, member);
        return false;
    }
}

// Duplicate joints, duplicate and zero-length members, stray joints; false
// ends the command.
bool CleanUpModel()
{
    if (FindDuplicateJoint() != 0) {
        InfoBox("Duplicate Joints Present \nCanceling the analysis");
        return false;
    }
    if (HasDuplicateMember()) {
        if (!AskOkCancel("Duplicate Members Present \nClick OK to delete them or\n"
                         "click CANCEL to stop the analysis"))
            return false;
        RemoveDuplicateMembers();
        g_bListMembersBuilt = 0;
    }
    if (ComputeMemberLengths()) {
        if (!AskOkCancel("Zero Length Members Present \nClick OK to delete them or\n"
                         "click CANCEL to stop the analysis"))
            return false;
        RemoveZeroLengthMembers();
        g_bListMembersBuilt = 0;
    }
    if (HasUnconnectedJoint()) {
        if (!AskOkCancel("Stray Joints Present \nClick OK to delete the stray joints or\n"
                         "click CANCEL to stop the analysis"))
            return false;
        RemoveUnconnectedJoints();
        g_bListJointsBuilt = 0;
    }
    if (g_nMembers <= 0) {
        InfoBox(kNoMembers);
        return false;
    }
    return true;
}

bool ResultsAreFinite()
{
    for (int j = 1; j <= JointCount(); ++j) {
        const JointRec& jt = g_Joints[j];
        const float v[] = {jt.forceX, jt.forceY, jt.forceZ, jt.dispX, jt.dispY, jt.dispZ, jt.rotX, jt.rotY, jt.rotZ};
        for (float x : v)
            if (!std::isfinite(x)) return false;
    }
    for (int i = 1; i <= MemberCount(); ++i) {
        const MemberRec& m = g_Members[i];
        for (float x : m.endForces)
            if (!std::isfinite(x)) return false;
        for (float x : m.ratios1)
            if (!std::isfinite(x)) return false;
        for (float x : m.ratios2)
            if (!std::isfinite(x)) return false;
    }
    return true;
}

void StartViewTimer(int id)
{
    platform::SetViewTimer(id, static_cast<unsigned>(g_nAnimInterval));
    g_bAnimationRunning = 1;
}

void ShowResults()
{
    ComputeResultColors();
    if (g_bAnimateDisplacement) StartViewTimer(TIMER_ANIMATE_DISPLACEMENT);
    if (g_bAnimateCollapse) StartViewTimer(TIMER_ANIMATE_COLLAPSE);
    if (g_bNoAnimation) {
        ComputeDisplacedShape(g_fMagnification);
        g_fAnimMagnification = g_fMagnification;
        g_bListMembersBuilt = 0;
        g_bListResultMembersBuilt = 0;
        g_bListJointsBuilt = 0;
        g_bListLoadsBuilt = 0;
        g_bListSupportsBuilt = 0;
        g_bShowUndeformed = 0;
        g_bShowDisplacedShape = 1;
        platform::InvalidateFrame(false);
    }
}

}  // namespace

void RunTheAnalysis()
{
    if (g_nMembers <= 0) {
        InfoBox(kNoMembers);
        return;
    }

    if (g_bBreakingForcesActive) {
        g_fTotalLoadX = g_fTotalLoadY = g_fTotalLoadZ = 0;
        if (!HasAppliedForce()) {
            InfoBox("No Joint Forces Present \nFind Breaking Force(s) scales only the forces\n"
                    "applied to joints\nCanceling the analysis");
            return;
        }
    }

    g_fAnimMagnification = 0;
    g_bCrackSoundPending = 1;

    if (!CheckMemberLimit()) return;
    if (!CheckJointLimit()) return;
    if (!SectionPropertiesOk()) return;

    g_bHaltUnstable = 0;
    g_bHaltLargeDisplacements = 0;
    g_bHaltIncorrectModel = 0;

    if (!CleanUpModel()) return;

    g_hPrevCursor = platform::SetCursor(g_hWaitCursor);

    ClearGeneratedLoads();
    if (g_bTruckActive && ApplyTruckLoads() == 0) {
        platform::SetCursor(g_hPrevCursor);
        InfoBox("The truck is not on the bridge \nCanceling the analysis");
        return;
    }
    if (g_bUseFan) {
        ApplyWindLoads(g_fWindSpeed);
        ApplyFanJointLoads(g_fWindSpeed);
        g_bFanSpinning = 1;
    }
    UpdateMemberWeights();
    ComputeUltimateForces();
    ClearToolModes();
    ClearJointMarks();

    CFrameAnalysis analysis;
    const short code = analysis.Run();

    SetHaltFlags(code);
    g_bModelFailed = code != 0;

    for (int i = 1; i <= MemberCount(); ++i) g_Members[i].intact = 1;

    if (code == 0) {
        ComputeStrengthRatios();
        if (g_bMemberFailed) g_bModelFailed = 1;

        // After a solver halt there are no ratios of this run, so nothing is
        // scaled.
        if (g_bBreakingForcesActive) {
            const float m = MaxStrengthRatio();
            if (BreakingForceFactor(m) != 0) {
                // The scaled forces stay in the model: one Undo gives back
                // those of before the run.
                TakeUndoSnapshot();
                g_bUndoAvailable = 1;
                ScaleLoadsToFailure(m);
                g_bModelFailed = 1;
                ComputeStrengthRatios();
                if (g_bMemberFailed) g_bModelFailed = 1;
                SumAppliedForces();
            }
        }
    }

    // Numbers that overflowed are no results: the solver's rule for a
    // displacement that is not a number.
    if (code == 0 && !ResultsAreFinite()) {
        SetHaltFlags(2);
        g_bModelFailed = 1;
    }

    g_bResultsAvailable = 1;

    if (!AnyHalt()) ShowResults();

    platform::SetCursor(g_hPrevCursor);
    UpdateStatusPrompt();

    const int valid = AnyHalt() ? 0 : 1;
    g_bMemberResultsValid = valid;
    g_bJointResultsValid = valid;

    platform::InvalidateFrame(false);

    if (!g_bModelFailed && g_bSoundOn) {
        if (g_bUseFan)
            StartViewTimer(TIMER_FAN);
        else
            platform::PlaySoundResource("IDR_WAVE_CHEERS");
    }

    g_bResultsAvailable = 0;
}

void StopResultTimers()
{
    platform::KillViewTimer(TIMER_ANIMATE_DISPLACEMENT);
    platform::KillViewTimer(TIMER_ANIMATE_COLLAPSE);
    platform::KillViewTimer(TIMER_FAN);
    g_bAnimationRunning = 0;
    g_bFanSpinning = 0;
}

void EndResultsDisplay()
{
    StopResultTimers();
    g_bModelFailed = g_bMemberFailed = 0;
    g_bHaltUnstable = g_bHaltLargeDisplacements = g_bHaltIncorrectModel = g_bHaltInadequateSupport = 0;
    g_bMemberResultsValid = g_bJointResultsValid = g_bResultsAvailable = 0;
    g_bShowUndeformed = 1;
    g_bShowDisplacedShape = 0;
    g_bShowCollapse = 0;
    g_fAnimMagnification = 0;
    g_fFanAngle = 0;
    // Members drawn red as failed are failed only in those results.
    for (int i = 1; i <= MemberCount(); ++i) g_Members[i].intact = 1;
    InvalidateAnimationLists();
    UpdateStatusPrompt();
}
