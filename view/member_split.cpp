#include "view/member_split.h"

#include <cmath>

#include "model/model_ops.h"
#include "model/tables.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/member_solids.h"
#include "view/projection.h"

namespace {

// The member's ends in measuring order.
bool MemberEnds(int member, int& first, int& second)
{
    int a, b;
    if (!MemberJoints(member, a, b)) return false;
    const JointRec& ja = g_Joints[a];
    const JointRec& jb = g_Joints[b];
    const bool aFirst = ja.x < jb.x || (ja.x == jb.x && ja.y < jb.y);
    first = aFirst ? a : b;
    second = aFirst ? b : a;
    return true;
}

bool ProjectJointPoint(int j, float& x, float& y)
{
    const JointRec& p = g_Joints[j];
    return ProjectToWindow(p.x, p.y, p.z, x, y) == 1;
}

MemberRec SplitPart(const MemberRec& kept, int from, int to)
{
    MemberRec m;
    m.jointA = static_cast<short>(from);
    m.jointB = static_cast<short>(to);
    m.shape = kept.shape;
    m.material = kept.material;
    m.colorR = kept.colorR;
    m.colorG = kept.colorG;
    m.colorB = kept.colorB;
    m.runner = kept.runner;
    m.rollAngle = kept.rollAngle;
    m.offsetY = kept.offsetY;
    m.offsetZ = kept.offsetZ;
    m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 1;
    return m;
}

bool HasRoom()
{
    return CheckJointLimit() && CheckMemberLimit();
}

}  // namespace

float FractionAlongMember(int member, int x, int y)
{
    int first, second;
    if (!MemberEnds(member, first, second)) return -1;
    float x1, y1, x2, y2;
    if (!ProjectJointPoint(first, x1, y1) || !ProjectJointPoint(second, x2, y2)) return -1;
    const float length = std::hypot(x2 - x1, y2 - y1);
    if (length == 0) return -1;
    return std::hypot(x - x1, y - y1) / length;
}

SplitOutcome SplitMember(int member, float fraction)
{
    int first, second;
    if (!MemberEnds(member, first, second)) return SPLIT_NOT_POSSIBLE;
    if (!HasRoom()) return SPLIT_TABLE_FULL;
    if (!(fraction >= 0.01f && fraction <= 0.99f)) return SPLIT_NOT_POSSIBLE;

    const JointRec& a = g_Joints[first];
    const JointRec& b = g_Joints[second];
    const int added = g_nJoints + 1;
    g_Joints[added] = FreeJoint(a.x + fraction * (b.x - a.x), a.y + fraction * (b.y - a.y), a.z + fraction * (b.z - a.z));
    g_nJoints = static_cast<short>(added);
    if (LastJointIsDuplicate()) {
        g_nJoints = static_cast<short>(added - 1);
        ShowDuplicateJointMessage();
        return SPLIT_ON_JOINT;
    }

    const MemberRec kept = g_Members[member];
    DeleteMember(member);
    g_Members[++g_nMembers] = SplitPart(kept, first, added);
    g_Members[++g_nMembers] = SplitPart(kept, added, second);
    return SPLIT_DONE;
}

SplitOutcome SplitMemberAtPoint(int member, int x, int y)
{
    int first, second;
    if (!MemberEnds(member, first, second)) return SPLIT_NOT_POSSIBLE;
    if (!HasRoom()) return SPLIT_TABLE_FULL;
    return SplitMember(member, FractionAlongMember(member, x, y));
}

int SplitMemberAtCursor(int member, int x, int y)
{
    return SplitMemberAtPoint(member, x, y) == SPLIT_DONE ? 1 : 0;
}

int SplitMemberAtFraction(int member)
{
    return SplitMember(member, g_fSplitFraction) == SPLIT_DONE ? 1 : 0;
}

void ShowDuplicateJointMessage()
{
    platform::MessageBox("Operation Halted!\nThis action would create a duplicate joint", g_szAppTitle,
                         platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
}
