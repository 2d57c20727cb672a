#include "frame/analysis_command.h"

#include <cstdio>

#include "frame/tool_modes.h"
#include "model/model_ops.h"
#include "model/run_analysis.h"
#include "model/tables.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/status_prompt.h"

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

void StartViewTimer(int id)
{
    platform::SetViewTimer(id, static_cast<unsigned>(g_nAnimInterval));
    g_bAnimationRunning = 1;
}

void ShowResults()
{
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

    if (!ApplyAnalysisLoads()) {
        platform::SetCursor(g_hPrevCursor);
        InfoBox("The truck is not on the bridge \nCanceling the analysis");
        return;
    }
    if (g_bUseFan) g_bFanSpinning = 1;
    ClearToolModes();
    ClearJointMarks();

    AnalyseModel();

    g_bResultsAvailable = 1;

    if (!AnalysisHalted()) ShowResults();

    platform::SetCursor(g_hPrevCursor);
    UpdateStatusPrompt();

    const int valid = AnalysisHalted() ? 0 : 1;
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
