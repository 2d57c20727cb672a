#include "view/mouse_editing.h"

#include "model/model_ops.h"
#include "model/tables.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"
#include "view/camera_navigation.h"
#include "view/member_split.h"
#include "view/pick_dialogs.h"
#include "view/picking.h"
#include "view/status_prompt.h"

namespace {

// Display lists a change makes stale: members, joints, loads, supports,
// origin axes, and the seven guide-plane sheets.
enum : unsigned { LISTS_M = 1, LISTS_J = 2, LISTS_L = 4, LISTS_S = 8, LISTS_O = 16, LISTS_G = 32 };

void ClearLists(unsigned which)
{
    if (which & LISTS_M) g_bListMembersBuilt = 0;
    if (which & LISTS_J) g_bListJointsBuilt = 0;
    if (which & LISTS_L) g_bListLoadsBuilt = 0;
    if (which & LISTS_S) g_bListSupportsBuilt = 0;
    if (which & LISTS_O) g_bListOriginBuilt = 0;
    if (which & LISTS_G) InvalidateGuideLists();
}

void Redraw()
{
    platform::InvalidateView(false);
}

void ShowHaltMessage(const char* text)
{
    platform::MessageBox(text, g_szAppTitle, platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
}

void ShowBothEndsMessage()
{
    ShowHaltMessage("Both ends of the member to be spliced must be visible on the screen.");
}

float& Coordinate(JointRec& j, int axis)
{
    return axis == 0 ? j.x : axis == 1 ? j.y : j.z;
}

float& MoveOrigin(JointRec& j, int axis)
{
    return axis == 0 ? j.moveOrgX : axis == 1 ? j.moveOrgY : j.moveOrgZ;
}

float CursorCoordinate(int axis)
{
    return axis == 0 ? g_fCursorX : axis == 1 ? g_fCursorY : g_fCursorZ;
}

bool LiveJoint(int j)
{
    return j >= 1 && j <= JointCount() && j <= MAX_JOINTS;
}

bool LiveMember(int m)
{
    return m >= 1 && m <= MemberCount() && m <= MAX_MEMBERS;
}

// A joint at (x, y, z) with no restraint; false when the table is full.
bool AppendJoint(float x, float y, float z)
{
    if (g_nJoints < 0 || g_nJoints >= MAX_JOINTS) return false;
    g_Joints[++g_nJoints] = FreeJoint(x, y, z);
    return true;
}

// ---------------------------------------------------------------- guide planes

// One guide plane with its tools: the axis it moves along (0 x for the YZ
// plane, 1 y for XZ, 2 z for XY), its position and drag state.
struct GuidePlane {
    int axis;
    int* toJoint;
    int* toCursor;
    int* replicate;
    int* replicateToJoint;
    int* moveJoints;
    int* dragging;
    float* position;
    float* dragStart;
    int (*basePick1)(int, int);  // base planes that contain the moving axis
    int (*basePick2)(int, int);
};

// In the order the handlers serve them: XZ, YZ, XY.
const GuidePlane kPlanes[3] = {
    {1, &g_bModeXZPlaneToJoint, &g_bModeXZPlaneToCursor, &g_bModeXZPlaneReplicate,
     &g_bModeXZPlaneReplicateToJoint, &g_bModeXZPlaneMoveJoints, &g_bDraggingPlaneXZ, &g_fGuidePlaneY,
     &g_fDragStartY, PickBasePointYZ, PickBasePointXY},
    {0, &g_bModeYZPlaneToJoint, &g_bModeYZPlaneToCursor, &g_bModeYZPlaneReplicate,
     &g_bModeYZPlaneReplicateToJoint, &g_bModeYZPlaneMoveJoints, &g_bDraggingPlaneYZ, &g_fGuidePlaneX,
     &g_fDragStartX, PickBasePointXY, PickBasePointXZ},
    {2, &g_bModeXYPlaneToJoint, &g_bModeXYPlaneToCursor, &g_bModeXYPlaneReplicate,
     &g_bModeXYPlaneReplicateToJoint, &g_bModeXYPlaneMoveJoints, &g_bDraggingPlaneXY, &g_fGuidePlaneZ,
     &g_fDragStartZ, PickBasePointYZ, PickBasePointXZ},
};

// What a plane drag carries: the joint count at its start (a drag whose
// joints were changed under it by a command is dropped) and whether it
// moves the marked joints.
int s_jointsAtPlaneDrag = 0;
bool s_planeDragMovesJoints = false;

void StartPlaneDrag(const GuidePlane& p, bool movesJoints)
{
    *p.dragStart = *p.position;
    *p.dragging = 1;
    s_jointsAtPlaneDrag = g_nJoints;
    s_planeDragMovesJoints = movesJoints;
    if (!movesJoints) return;
    for (int j = 1; j <= JointCount(); ++j)
        if (g_Joints[j].mark) MoveOrigin(g_Joints[j], p.axis) = Coordinate(g_Joints[j], p.axis);
}

// Every marked joint at its move origin plus d along the plane's axis.
void PlaceMarkedJoints(const GuidePlane& p, float d)
{
    for (int j = 1; j <= JointCount(); ++j) {
        JointRec& jt = g_Joints[j];
        if (jt.mark) Coordinate(jt, p.axis) = MoveOrigin(jt, p.axis) + d;
    }
}

// Appends a copy, moved by d along the axis, of every marked joint among the
// first n; false when the copies would not fit (nothing appended).
bool ReplicateMarkedJoints(const GuidePlane& p, int n, float d)
{
    if (!CanReplicateMarkedJoints()) return false;
    for (int j = 1; j <= n; ++j) {
        const JointRec& src = g_Joints[j];
        if (!src.mark) continue;
        float q[3] = {src.x, src.y, src.z};
        q[p.axis] += d;
        AppendJoint(q[0], q[1], q[2]);
    }
    return true;
}

void HaltOnDuplicateJoint()
{
    platform::MessageBeep(0xFFFFFFFFu);
    ShowDuplicateJointMessage();
    ClearLists(LISTS_G);
}

// The plane back where its drag started, and the joints it carried back to
// their move origins (unless the joints were changed under the drag).
void PutPlaneBack(const GuidePlane& p)
{
    if (s_planeDragMovesJoints && g_nJoints == s_jointsAtPlaneDrag) PlaceMarkedJoints(p, 0);
    *p.position = *p.dragStart;
    *p.dragging = 0;
    ClearLists(LISTS_G | LISTS_M | LISTS_J | LISTS_L | LISTS_S);
}

// Rows 21 to 35 of the press, for one plane.
void PressPlaneRows(const GuidePlane& p, int x, int y)
{
    if (*p.toJoint) {
        g_nPickedJoint = 0;
        g_nPickedJoint = static_cast<short>(PickJoint(x, y));
        if (g_nPickedJoint) {
            *p.position = Coordinate(g_Joints[g_nPickedJoint], p.axis);
            ClearLists(LISTS_G);
            Redraw();
        }
        g_nPickedJoint = 0;
        *p.toJoint = 0;
    }
    if (*p.toCursor) StartPlaneDrag(p, false);
    if (*p.replicate && g_nJoints > 0) StartPlaneDrag(p, false);
    if (*p.replicateToJoint && g_nJoints > 0) {
        *p.dragStart = *p.position;
        g_nPickedJoint = 0;
        g_nPickedJoint = static_cast<short>(PickJoint(x, y));
        if (g_nPickedJoint) {
            const int n = g_nJoints;
            if (!CanReplicateMarkedJoints()) {
                ShowJointLimitMessage();
            } else {
                *p.position = Coordinate(g_Joints[g_nPickedJoint], p.axis);
                ReplicateMarkedJoints(p, n, *p.position - *p.dragStart);
                if (HasCoincidentJoints()) {
                    *p.position = *p.dragStart;
                    g_nJoints = static_cast<short>(n);
                    HaltOnDuplicateJoint();
                }
            }
            ClearLists(LISTS_G | LISTS_M | LISTS_J | LISTS_L);
            *p.replicateToJoint = 0;
            Redraw();
        }
        g_nPickedJoint = 0;
    }
    if (*p.moveJoints && g_nJoints > 0) StartPlaneDrag(p, true);
}

// Steps 3 to 5 of the release, for one plane.
void ReleasePlane(const GuidePlane& p)
{
    if (!*p.dragging) return;
    if (*p.toCursor) {
        *p.dragging = 0;
        *p.toCursor = 0;
    }
    if (*p.moveJoints && g_nJoints > 0) {
        PlaceMarkedJoints(p, *p.position - *p.dragStart);
        if (HasCoincidentJoints()) {
            *p.position = *p.dragStart;
            PlaceMarkedJoints(p, 0);
            HaltOnDuplicateJoint();
        }
        ClearLists(LISTS_M | LISTS_J | LISTS_L | LISTS_S);
        *p.moveJoints = 0;
        *p.dragging = 0;
    }
    if (*p.replicate && g_nJoints > 0) {
        const int n = g_nJoints;
        if (!ReplicateMarkedJoints(p, n, *p.position - *p.dragStart)) {
            ShowJointLimitMessage();
            *p.position = *p.dragStart;
            ClearLists(LISTS_G);
        } else if (HasCoincidentJoints()) {
            g_nJoints = static_cast<short>(n);
            *p.position = *p.dragStart;
            HaltOnDuplicateJoint();
        }
        ClearLists(LISTS_M | LISTS_J | LISTS_L);
        *p.replicate = 0;
        *p.dragging = 0;
    }
}

// Mouse move step 7, for one plane.
void MovePlane(const GuidePlane& p, int x, int y)
{
    if (!(*p.toCursor || *p.replicate || *p.moveJoints) || !*p.dragging) return;
    if (!p.basePick1(x, y)) p.basePick2(x, y);
    *p.position = CursorCoordinate(p.axis);
    ClearLists(LISTS_G);
    if (*p.moveJoints) {
        PlaceMarkedJoints(p, *p.position - *p.dragStart);
        ClearLists(LISTS_M | LISTS_J | LISTS_L | LISTS_S);
    }
    Redraw();
}

// ---------------------------------------------------------------- stale numbers

// What the kept picks named when a handler last ran: a command that deletes,
// renumbers or replaces rows in between (undo, open, new) makes them stale.
struct PickedRows {
    short joint = 0, member = 0;
    float x = 0, y = 0, z = 0;
    short jointA = 0, jointB = 0;
};
PickedRows s_picked;

bool JointIs(int j, float x, float y, float z)
{
    return LiveJoint(j) && g_Joints[j].x == x && g_Joints[j].y == y && g_Joints[j].z == z;
}

void RememberPicks()
{
    s_picked = PickedRows();
    s_picked.joint = g_nPickedJoint;
    if (LiveJoint(g_nPickedJoint)) {
        const JointRec& j = g_Joints[g_nPickedJoint];
        s_picked.x = j.x, s_picked.y = j.y, s_picked.z = j.z;
    }
    s_picked.member = g_nPickedMember;
    if (LiveMember(g_nPickedMember)) {
        s_picked.jointA = g_Members[g_nPickedMember].jointA;
        s_picked.jointB = g_Members[g_nPickedMember].jointB;
    }
}

// A picked number that no longer names the row it named is dropped, and so
// is a drag whose joints a command changed under it.
void DropStaleSelections()
{
    if (g_nPickedJoint != 0 &&
        (g_nPickedJoint == s_picked.joint ? !JointIs(g_nPickedJoint, s_picked.x, s_picked.y, s_picked.z)
                                          : !LiveJoint(g_nPickedJoint)))
        g_nPickedJoint = 0;
    if (g_nPickedMember != 0 &&
        (!LiveMember(g_nPickedMember) ||
         (g_nPickedMember == s_picked.member && (g_Members[g_nPickedMember].jointA != s_picked.jointA ||
                                                 g_Members[g_nPickedMember].jointB != s_picked.jointB))))
        g_nPickedMember = 0;
    if (g_bDraggingMember && !JointIs(g_nDragStartJoint, g_fDragStartX, g_fDragStartY, g_fDragStartZ))
        g_bDraggingMember = 0;
    for (const GuidePlane& p : kPlanes) {
        if (*p.dragging && g_nJoints != s_jointsAtPlaneDrag) PutPlaneBack(p);
    }
}

// ---------------------------------------------------------------- press rows

// Rows 1 to 3: the page-grid corner of a plane to the grid point clicked.
void PressMoveTiles(int flag, int (*pick)(int, int), float& first, const float& cursorFirst, float& second,
                    const float& cursorSecond, int x, int y)
{
    if (!flag) return;
    g_bCursorOnPlane = pick(x, y) ? 1 : 0;
    if (!g_bCursorOnPlane) return;
    first = cursorFirst;
    second = cursorSecond;
    Redraw();
}

bool AnyMemberTool()
{
    return g_bModeHideMembers || g_bModeDeleteMember || g_bModeChangeShape || g_bModeChangeMaterial ||
           g_bModePaintMember || g_bModeCopyColor || g_bModeShowMembers || g_bModeNegateMember ||
           g_bModeRestoreMember || g_bModeCopyProperties;
}

bool AnySplitTool()
{
    return g_bModeSplitMember10 || g_bModeSplitMember20 || g_bModeSplitMember30 || g_bModeSplitMember40 ||
           g_bModeSplitMember50 || g_bModeSplitMember60 || g_bModeSplitMember70 || g_bModeSplitMember80 ||
           g_bModeSplitMember90;
}

struct SupportTool {
    int* flag;
    short pattern[6];  // TX TY TZ RX RY RZ
};

const SupportTool kSupportTools[] = {
    {&g_bModeSupportXYRoller, {0, 0, 1, 0, 0, 0}}, {&g_bModeSupportXZRoller, {0, 1, 0, 0, 0, 0}},
    {&g_bModeSupportYZRoller, {1, 0, 0, 0, 0, 0}}, {&g_bModeSupportXRoller, {0, 1, 1, 1, 0, 0}},
    {&g_bModeSupportYRoller, {1, 0, 1, 0, 1, 0}},  {&g_bModeSupportZRoller, {1, 1, 0, 0, 0, 1}},
    {&g_bModeSupportHinge, {1, 1, 1, 0, 0, 0}},    {&g_bModeSupportFixed, {1, 1, 1, 1, 1, 1}},
};

bool AnyJointTool()
{
    if (g_bModeDeleteJoint || g_bModeSetFocus || g_bModeForceX || g_bModeForceY || g_bModeForceZ ||
        g_bModeDeleteLoad || g_bModeSelectJoints || g_bModeDeleteSupport)
        return true;
    for (const GuidePlane& p : kPlanes)
        if (*p.replicateToJoint || *p.toJoint) return true;
    for (const SupportTool& t : kSupportTools)
        if (*t.flag) return true;
    return false;
}

// A member row: the picked member gets act, then the pick is reset.
template <typename Act>
void MemberRow(int flag, int x, int y, unsigned lists, Act act)
{
    if (!flag) return;
    g_nPickedMember = 0;
    g_nPickedMember = static_cast<short>(PickMember(x, y));
    if (g_nPickedMember) {
        act(g_Members[g_nPickedMember]);
        ClearLists(lists);
        Redraw();
    }
    g_nPickedMember = 0;
}

// A joint row; keep leaves the picked number for the highlight.
template <typename Act>
void JointRow(int flag, int x, int y, unsigned lists, bool keep, Act act)
{
    if (!flag) return;
    g_nPickedJoint = 0;
    g_nPickedJoint = static_cast<short>(PickJoint(x, y));
    if (g_nPickedJoint) {
        act(g_Joints[g_nPickedJoint]);
        ClearLists(lists);
        Redraw();
    }
    if (!keep) g_nPickedJoint = 0;
}

void PressMemberRows(int x, int y)
{
    MemberRow(g_bModeCopyColor, x, y, 0, [](MemberRec& m) {
        g_fDefaultColorR = m.colorR;
        g_fDefaultColorG = m.colorG;
        g_fDefaultColorB = m.colorB;
        g_bModeCopyColor = 0;
    });
    MemberRow(g_bModePaintMember, x, y, 0, [](MemberRec& m) {
        m.colorR = g_fDefaultColorR;
        m.colorG = g_fDefaultColorG;
        m.colorB = g_fDefaultColorB;
    });
    MemberRow(g_bModeChangeShape, x, y, 0, [](MemberRec& m) { m.shape = g_nDefaultShape; });
    MemberRow(g_bModeNegateMember, x, y, LISTS_M, [](MemberRec& m) { m.negated = 1; });
    MemberRow(g_bModeRestoreMember, x, y, LISTS_M, [](MemberRec& m) { m.negated = 0; });
    MemberRow(g_bModeHideMembers, x, y, LISTS_M, [](MemberRec& m) { m.hidden = 1; });
    MemberRow(g_bModeShowMembers, x, y, LISTS_M, [](MemberRec& m) { m.hidden = 0; });
    MemberRow(g_bModeChangeMaterial, x, y, 0, [](MemberRec& m) {
        m.material = g_nDefaultMaterial;
        m.colorR = g_fDefaultColorR;
        m.colorG = g_fDefaultColorG;
        m.colorB = g_fDefaultColorB;
    });
    if (AnySplitTool()) {
        g_nPickedMember = 0;
        g_nPickedMember = static_cast<short>(PickMember(x, y));
        if (g_nPickedMember) {
            SplitMember(g_nPickedMember, g_fSplitToolFraction);
            Redraw();
        }
        g_nPickedMember = 0;
    }
}

using PickFunction = int (*)(int, int);

// The pick on the shape shown: displaced or undeformed.
short PickShown(PickFunction undeformed, PickFunction displaced, int x, int y)
{
    return static_cast<short>(g_bShowDisplacedShape ? displaced(x, y) : undeformed(x, y));
}

// A results dialog that is shown reloads for the joint or member picked.
void ResultsRow(int shown, short& picked, PickFunction undeformed, PickFunction displaced, void (*reshow)(), int x,
                int y)
{
    if (!shown) return;
    picked = 0;
    picked = PickShown(undeformed, displaced, x, y);
    if (!picked) return;
    if (reshow) reshow();
    Redraw();
}

// The modeless property dialogs: the pick is undone together with what the
// dialog changes.
void PressPropertyRows(int x, int y)
{
    JointRow(g_bModeJointProperties, x, y, LISTS_M | LISTS_J | LISTS_L | LISTS_S, true, [](JointRec&) {
        TakeUndoSnapshot();
        g_bUndoAvailable = 1;
        if (g_PickDialogs.showJointProperties) {
            g_PickDialogs.showJointProperties();
            g_bJointDialogOpen = 1;
        }
    });
    if (g_bModeMemberProperties) {
        g_nPickedMember = 0;
        g_nPickedMember = static_cast<short>(PickMember(x, y));
        if (g_nPickedMember) {
            TakeUndoSnapshot();
            g_bUndoAvailable = 1;
            if (g_PickDialogs.showMemberProperties) {
                g_PickDialogs.showMemberProperties();
                g_bMemberDialogOpen = 1;
            }
            ClearLists(LISTS_M | LISTS_J | LISTS_L | LISTS_S);
            Redraw();
        }
    }
    ResultsRow(g_bMemberResultsDlgShown, g_nPickedMember, PickMember, PickMemberDisplaced,
               g_PickDialogs.reshowMemberResults, x, y);
    ResultsRow(g_bJointResultsDlgShown, g_nPickedJoint, PickJoint, PickJointDisplaced,
               g_PickDialogs.reshowJointResults, x, y);
}

void PressSupportAndLoadRows(int x, int y)
{
    for (const SupportTool& t : kSupportTools)
        JointRow(*t.flag, x, y, LISTS_S, false, [&t](JointRec& j) {
            SetRestraints(j, t.pattern);
            // The only support tool without an undo snapshot: its command did
            // not mark the model changed.
            if (t.flag == &g_bModeSupportYZRoller) g_bModelSaved = 0;
        });
    JointRow(g_bModeDeleteSupport, x, y, LISTS_S, false, [](JointRec& j) {
        static const short kFree[6] = {0, 0, 0, 0, 0, 0};
        SetRestraints(j, kFree);
    });
    JointRow(g_bModeDeleteLoad, x, y, LISTS_L, false, [](JointRec& j) {
        j.forceX = j.forceY = j.forceZ = 0;
        j.translatedX = j.translatedY = j.translatedZ = 0;
        g_bModelSaved = 0;  // no undo snapshot marked the model changed
    });
    struct ForceTool {
        int* flag;
        float JointRec::*force;
        int JointRec::*translated;
        const float* value;
        const int* translatedValue;
    };
    const ForceTool forces[] = {
        {&g_bModeForceX, &JointRec::forceX, &JointRec::translatedX, &g_fDefaultForceX, &g_bDefaultForceXTranslated},
        {&g_bModeForceY, &JointRec::forceY, &JointRec::translatedY, &g_fDefaultForceY, &g_bDefaultForceYTranslated},
        {&g_bModeForceZ, &JointRec::forceZ, &JointRec::translatedZ, &g_fDefaultForceZ, &g_bDefaultForceZTranslated},
    };
    for (const ForceTool& f : forces) {
        JointRow(*f.flag, x, y, 0, false, [&f](JointRec& j) {
            j.*f.force = *f.value;
            j.*f.translated = *f.translatedValue;
        });
        if (*f.flag) ClearLists(LISTS_L);
    }
}

// First hit of the XZ, YZ and XY guide grids, stored as the cursor's state.
int PickGuideGrid(int x, int y)
{
    int hit = PickGridPointXZ(x, y);
    if (!hit) hit = PickGridPointYZ(x, y);
    if (!hit) hit = PickGridPointXY(x, y);
    g_bCursorOnPlane = hit ? 1 : 0;
    return hit;
}

void PressSetOrigin(int x, int y)
{
    g_nPickedJoint = 0;
    g_nPickedJoint = static_cast<short>(PickJoint(x, y));
    bool found = true;
    if (g_nPickedJoint) {
        const JointRec& j = g_Joints[g_nPickedJoint];
        g_fOriginX = j.x;
        g_fOriginY = j.y;
        g_fOriginZ = j.z;
    } else if (PickGuideGrid(x, y)) {
        g_fOriginX = g_fCursorX;
        g_fOriginY = g_fCursorY;
        g_fOriginZ = g_fCursorZ;
    } else {
        found = false;
    }
    g_nPickedJoint = 0;
    g_bModeSetOrigin = 0;
    if (!found) return;
    ClearLists(LISTS_O);
    Redraw();
}

// Split of the member under the cursor by the Add Joint tool.
void SplitHoveredMember(int member, int x, int y)
{
    if (!CheckJointLimit() || !CheckMemberLimit()) return;
    SplitOutcome outcome;
    if (g_bUseSplitDialog) {
        const float fraction = FractionAlongMember(member, x, y);
        if (fraction < 0 || static_cast<int>(fraction * 100) == 0) {
            ShowBothEndsMessage();
            return;
        }
        g_fSplitFraction = fraction;
        if (g_PickDialogs.askSplitFraction && !g_PickDialogs.askSplitFraction(g_fSplitFraction)) return;
        outcome = SplitMember(member, g_fSplitFraction);
    } else {
        outcome = SplitMemberAtPoint(member, x, y);
    }
    if (outcome == SPLIT_NOT_POSSIBLE) ShowBothEndsMessage();
    if (outcome == SPLIT_DONE) {
        g_nPickedMember = 0;
        ClearLists(LISTS_M);
    }
}

void PressAddJoint(int x, int y)
{
    bool appended = false;
    if (LiveMember(g_nPickedMember)) {
        SplitHoveredMember(g_nPickedMember, x, y);
    } else {
        PickGuideGrid(x, y);
        if (CheckJointLimit() && AppendJoint(g_fCursorX, g_fCursorY, g_fCursorZ)) {
            appended = true;
            g_fDragStartX = g_fCursorX;
            g_fDragStartY = g_fCursorY;
            g_fDragStartZ = g_fCursorZ;
        }
    }
    ClearLists(LISTS_J);
    Redraw();
    // A joint this click put on top of another is dropped again, silently.
    if (appended && LastJointIsDuplicate()) --g_nJoints;
}

void ReleaseMemberDrag()
{
    const int end = g_nPickedJoint;
    if (!LiveJoint(end)) {
        g_bCursorOnPlane = 0;
        g_nPickedJoint = 0;
        g_nPickedMember = 0;
    } else if (end == g_nDragStartJoint) {
        g_nPickedJoint = 0;
        g_nPickedMember = 0;
        g_bDraggingMember = 0;
        ShowHaltMessage("Operation Halted!\nThis action would create a zero length member.");
    } else if (CheckMemberLimit()) {
        MemberRec m;
        m.jointA = g_nDragStartJoint;
        m.jointB = static_cast<short>(end);
        m.shape = g_nDefaultShape;
        m.material = g_nDefaultMaterial;
        m.colorR = g_fDefaultColorR;
        m.colorG = g_fDefaultColorG;
        m.colorB = g_fDefaultColorB;
        m.hidden = m.negated = 0;
        m.runner = 0;
        m.userEffYY = m.userEffZZ = 0;
        m.offsetY = g_fDefaultOffsetY;
        m.offsetZ = g_fDefaultOffsetZ;
        m.rollAngle = g_fDefaultRotation;
        m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 1;
        const int row = g_nMembers + 1;
        g_Members[row] = m;
        g_nMembers = static_cast<short>(row);
        g_Members[row].actualLength = g_Members[row].effLengthZZ = g_Members[row].effLengthYY = MemberLength(row);
        g_nPickedJoint = 0;
    } else {
        g_nPickedJoint = 0;
    }
    g_bDraggingMember = 0;
}

}  // namespace

bool EditOnLButtonDown(int x, int y)
{
    const PromptFollowsTools prompt;  // tools that end with this click
    DropStaleSelections();
    // A press of the zoom gesture only marks where the gesture starts.
    if (g_bZoomGestureArmed) {
        g_nZoomPressX = static_cast<short>(x);
        return true;
    }

    PressMoveTiles(g_bModeMoveTilesXY, PickGridPointXY, g_fTilesXYOriginX, g_fCursorX, g_fTilesXYOriginY, g_fCursorY,
                   x, y);
    PressMoveTiles(g_bModeMoveTilesXZ, PickGridPointXZ, g_fTilesXZOriginX, g_fCursorX, g_fTilesXZOriginZ, g_fCursorZ,
                   x, y);
    PressMoveTiles(g_bModeMoveTilesYZ, PickGridPointYZ, g_fTilesYZOriginZ, g_fCursorZ, g_fTilesYZOriginY, g_fCursorY,
                   x, y);

    PressMemberRows(x, y);
    for (const GuidePlane& p : kPlanes) PressPlaneRows(p, x, y);

    JointRow(g_bModeDeleteJoint, x, y, LISTS_J | LISTS_M | LISTS_L | LISTS_S, false,
             [](JointRec&) { DeleteJoint(g_nPickedJoint); });
    JointRow(g_bModeMoveJoint, x, y, LISTS_J | LISTS_M | LISTS_L | LISTS_S, true, [](JointRec&) {});
    PressPropertyRows(x, y);
    JointRow(g_bModeSetFocus, x, y, 0, false, [](JointRec& j) {
        g_dCenterX = j.x;
        g_dCenterY = j.y;
        g_dCenterZ = j.z;
        g_bModeSetFocus = 0;
    });
    MemberRow(g_bModeDeleteMember, x, y, 0, [](MemberRec&) { DeleteMember(g_nPickedMember); });
    MemberRow(g_bModeCopyProperties, x, y, 0, [](MemberRec& m) {
        g_nDefaultShape = m.shape;
        g_nDefaultMaterial = m.material;
        g_fDefaultColorR = m.colorR;
        g_fDefaultColorG = m.colorG;
        g_fDefaultColorB = m.colorB;
        g_fDefaultRotation = m.rollAngle;
        g_fDefaultOffsetY = m.offsetY;
        g_fDefaultOffsetZ = m.offsetZ;
    });
    PressSupportAndLoadRows(x, y);
    if (g_bModeSetOrigin) PressSetOrigin(x, y);
    if (g_bModeAddJoint) PressAddJoint(x, y);
    if (g_bModeSelectJoints) {
        JointRow(1, x, y, 0, false, [](JointRec& j) { j.mark = 1; });
        RememberPicks();
        return false;
    }
    if (g_bModeAddMember && !g_bDraggingMember && LiveJoint(g_nPickedJoint)) {
        const JointRec& j = g_Joints[g_nPickedJoint];
        g_nDragStartJoint = g_nPickedJoint;
        g_bDraggingMember = 1;
        g_fDragStartX = j.x;
        g_fDragStartY = j.y;
        g_fDragStartZ = j.z;
    }
    RememberPicks();
    return true;
}

void EditOnMouseMove(int x, int y)
{
    g_fMouseX = static_cast<float>(x);
    g_fMouseY = static_cast<float>(y);
    if (CameraOrbitOnMouseMove(x, y)) return;
    DropStaleSelections();

    if (AnyMemberTool()) {
        const short before = g_nPickedMember;
        g_nPickedMember = static_cast<short>(PickMember(x, y));
        if (g_nPickedMember || before) Redraw();
    }
    if (g_bJointResultsDlgShown) {
        const short before = g_nPickedJoint;
        g_nPickedJoint = PickShown(PickJoint, PickJointDisplaced, x, y);
        if (g_nPickedJoint || before) Redraw();
    } else if (g_bMemberResultsDlgShown) {
        const short before = g_nPickedMember;
        g_nPickedMember = PickShown(PickMember, PickMemberDisplaced, x, y);
        if (g_nPickedMember || before) Redraw();
    }
    auto hoverJoint = [x, y] {
        g_nPickedJoint = static_cast<short>(PickJoint(x, y));
        if (g_nPickedJoint) {
            const JointRec& j = g_Joints[g_nPickedJoint];
            g_fCursorX = j.x;
            g_fCursorY = j.y;
            g_fCursorZ = j.z;
        }
    };
    if (AnyJointTool()) {
        const short before = g_nPickedJoint;
        hoverJoint();
        if (g_nPickedJoint || before) Redraw();
    }
    if (g_bModeSetOrigin) {
        PickGuideGrid(x, y);
        hoverJoint();
        Redraw();
    }
    if (g_bModeAddMember) {
        hoverJoint();
        Redraw();
        if (g_bDraggingMember) PickGuideGrid(x, y);
    }
    if (g_bModeAddJoint) {
        g_nPickedMember = static_cast<short>(PickMember(x, y));
        if (!g_nPickedMember) PickGuideGrid(x, y);
        Redraw();
    }
    for (const GuidePlane& p : kPlanes) MovePlane(p, x, y);
    RememberPicks();
}

void EditOnLButtonUp(int x, int /*y*/)
{
    const PromptFollowsTools prompt;  // plane drags end their tools here
    if (g_bZoomGestureArmed) {
        FinishZoomGesture(x);
        return;
    }
    // The fan turns after a passed tower analysis until this release.
    const bool fanTurns = platform::ViewTimerRunning(TIMER_FAN);
    if (fanTurns || (!g_bModelFailed && g_bUseFan && g_bAnimationRunning)) {
        platform::KillViewTimer(TIMER_FAN);
        g_bAnimationRunning = 0;
        if (g_bSoundOn) platform::PlaySoundResource("IDR_WAVE_CHEERS");
        // A drag under way still ends with this release.
        if (!AnyDragUnderWay()) return;
    }
    DropStaleSelections();

    for (const GuidePlane& p : kPlanes) ReleasePlane(p);
    if (g_bModeAddMember && g_bDraggingMember) ReleaseMemberDrag();

    // A drag whose tool a command switched off ends here too.
    g_bDraggingMember = 0;
    for (const GuidePlane& p : kPlanes)
        if (*p.dragging) PutPlaneBack(p);

    ClearLists(LISTS_M | LISTS_L | LISTS_J);
    Redraw();
    RememberPicks();
}

void EndGuidePlaneTools()
{
    for (const GuidePlane& p : kPlanes)
        *p.toJoint = *p.toCursor = *p.replicate = *p.replicateToJoint = *p.moveJoints = 0;
}

bool AnyDragUnderWay()
{
    return g_bDraggingMember || g_bDraggingPlaneXY || g_bDraggingPlaneXZ || g_bDraggingPlaneYZ || g_bOrbitDragging;
}

void CancelDrags()
{
    g_bDraggingMember = 0;
    for (const GuidePlane& p : kPlanes)
        if (*p.dragging) PutPlaneBack(p);
    Redraw();
}
