#include "model/model_ops.h"

#include <cmath>
#include <climits>
#include <string>

#include "model/loads.h"
#include "model/tables.h"
#include "model/units.h"
#include "platform/platform.h"
#include "state/frame_globals.h"

namespace {

// A joint referenced by a member; a number outside the table reads row 0.
const JointRec& JointAt(int j)
{
    return (j >= 0 && j < JOINT_ROWS) ? g_Joints[j] : g_Joints[0];
}

// One coordinate on the 0.001 grid, truncated toward zero.
int GridValue(float v)
{
    float scaled = v * 1000.0f;
    if (!(scaled == scaled)) return 0;  // NaN
    if (scaled >= 2147483648.0f) return INT_MAX;
    if (scaled < -2147483648.0f) return INT_MIN;
    return static_cast<int>(scaled);
}

bool JointsCoincide(int a, int b)
{
    const JointRec& ja = g_Joints[a];
    const JointRec& jb = g_Joints[b];
    return GridValue(ja.x) == GridValue(jb.x) && GridValue(ja.y) == GridValue(jb.y) &&
           GridValue(ja.z) == GridValue(jb.z);
}

bool SameJoints(const MemberRec& a, const MemberRec& b)
{
    return (a.jointA == b.jointA && a.jointB == b.jointB) || (a.jointA == b.jointB && a.jointB == b.jointA);
}

float Distance(const JointRec& a, const JointRec& b)
{
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    float dz = b.z - a.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Whichever of the smallest and largest value has the larger magnitude;
// the smallest on a tie.
float LargerMagnitude(float lo, float hi)
{
    return std::fabs(hi) > std::fabs(lo) ? hi : lo;
}

}  // namespace

const ShapeRec& ShapeAt(int s)
{
    static const ShapeRec kNone = [] {
        ShapeRec r;
        r.area = r.width = r.height = 0;
        r.torsionConst = r.inertiaYY = r.inertiaZZ = r.modulusYY = r.modulusZZ = 0;
        return r;
    }();
    return (s >= 0 && s < TABLE_ROWS) ? g_Shapes[s] : kNone;
}

const MaterialRec& MaterialAt(int m)
{
    static const MaterialRec kNone = [] {
        MaterialRec r;
        r.shearModulus = r.youngsModulus = r.density = 0;
        r.ultTensionStress = r.ultCompressionStress = r.ultBendingStress = r.ultShearStress = 0;
        return r;
    }();
    return (m >= 0 && m < TABLE_ROWS) ? g_Materials[m] : kNone;
}

void ClearJointMarks()
{
    int n = JointCount();
    for (int j = 1; j <= n; ++j) g_Joints[j].mark = 0;
}

int DeleteJoint(int j)
{
    int n = JointCount();
    if (n == 0) return 0;
    if (j < 1 || j > n) return 0;
    g_bJointResultsValid = 0;

    for (int r = j; r < n; ++r) g_Joints[r] = g_Joints[r + 1];
    g_nJoints = static_cast<short>(n - 1);

    int m = MemberCount();
    int kept = 0;
    for (int i = 1; i <= m; ++i) {
        if (g_Members[i].jointA == j || g_Members[i].jointB == j) continue;
        ++kept;
        if (kept != i) g_Members[kept] = g_Members[i];
    }
    g_nMembers = static_cast<short>(kept);

    for (int i = 1; i <= kept; ++i) {
        if (g_Members[i].jointA > j) --g_Members[i].jointA;
        if (g_Members[i].jointB > j) --g_Members[i].jointB;
    }
    return 1;
}

void DeleteMember(int i)
{
    int m = MemberCount();
    if (i < 1 || i > m) return;
    g_bMemberResultsValid = 0;
    for (int r = i; r < m; ++r) g_Members[r] = g_Members[r + 1];
    g_nMembers = static_cast<short>(m - 1);
}

void PlaceTruckUndisplaced()
{
    g_fTruckDisplacedX = g_fTruckX;
    g_fTruckDisplacedY = g_fTruckY;
    g_fTruckDisplacedZ = g_fTruckZ;
    g_fTruckTilt = 0;
}

void ComputeDisplacedShape(float scale)
{
    int n = JointCount();
    for (int j = 1; j <= n; ++j) {
        JointRec& jt = g_Joints[j];
        jt.displacedX = scale * jt.dispX + jt.x;
        jt.displacedY = scale * jt.dispY + jt.y;
        jt.displacedZ = scale * jt.dispZ + jt.z;
    }

    // No wheel found the deck: the truck stays where it stood.
    if (g_nTruckJoint1 == 0 || g_nTruckJoint2 == 0) {
        PlaceTruckUndisplaced();
        return;
    }
    const JointRec& b = JointAt(g_nTruckJoint1);
    const JointRec& c = JointAt(g_nTruckJoint2);
    float dx = b.displacedX - c.displacedX;
    if (dx == 0.0f || !(dx == dx)) return;
    g_fTruckDisplacedX = c.displacedX + 5.3125f;
    g_fTruckDisplacedY = c.displacedY + 0.1875f;
    g_fTruckDisplacedZ = c.displacedZ - 1.03125f;
    float slope = (b.displacedY - c.displacedY) / dx;
    g_fTruckTilt = static_cast<float>(std::atan(static_cast<double>(slope)) * kTruckDegreesPerRadian);
}

int FindDuplicateJoint()
{
    int n = JointCount();
    for (int a = 1; a <= n; ++a) {
        for (int b = 1; b <= n; ++b) {
            if (b != a && JointsCoincide(a, b)) {
                g_Joints[a].mark = 1;
                return a;
            }
        }
    }
    return 0;
}

int FindUnconnectedJoint()
{
    int n = JointCount();
    int m = MemberCount();
    for (int j = 1; j <= n; ++j) {
        bool used = false;
        for (int i = 1; i <= m && !used; ++i)
            used = (g_Members[i].jointA == j || g_Members[i].jointB == j);
        if (!used) return j;
    }
    return 0;
}

bool HasUnconnectedJoint() { return FindUnconnectedJoint() != 0; }

void RemoveUnconnectedJoints()
{
    int j;
    while ((j = FindUnconnectedJoint()) != 0) {
        if (!DeleteJoint(j)) break;
    }
}

bool ComputeMemberLengths()
{
    bool zero = false;
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        MemberRec& mem = g_Members[i];
        mem.length = Distance(JointAt(mem.jointA), JointAt(mem.jointB));
        if (mem.length <= 0.0001) zero = true;
    }
    return zero;
}

int FindZeroLengthMember()
{
    int m = MemberCount();
    for (int i = 1; i <= m; ++i)
        if (g_Members[i].length <= 0.0001) return i;
    return 0;
}

void RemoveZeroLengthMembers()
{
    int i;
    while ((i = FindZeroLengthMember()) != 0) DeleteMember(i);
}

bool HasDuplicateMember()
{
    int m = MemberCount();
    for (int i = 1; i <= m; ++i)
        for (int j = i + 1; j <= m; ++j)
            if (SameJoints(g_Members[i], g_Members[j])) return true;
    return false;
}

int FindDuplicateMember()
{
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        int found = 0;
        for (int j = 1; j <= m; ++j)
            if (j != i && SameJoints(g_Members[i], g_Members[j])) found = j;
        if (found) return found;
    }
    return 0;
}

void RemoveDuplicateMembers()
{
    int i;
    while ((i = FindDuplicateMember()) != 0) DeleteMember(i);
}

int CheckSectionProperties(int* member)
{
    int code = 0;
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        int c = 0;  // this member's last failing test
        const ShapeRec& s = ShapeAt(g_Members[i].shape);
        const MaterialRec& mat = MaterialAt(g_Members[i].material);
        if (s.height < 1e-8) c = 1;
        if (s.width < 1e-8) c = 2;
        if (s.area < 1e-8) c = 3;
        if (s.torsionConst < 1e-8) c = 4;
        if (s.inertiaYY < 1e-8) c = 5;
        if (s.inertiaZZ < 1e-8) c = 6;
        if (s.modulusYY < 1e-8) c = 7;
        if (s.modulusZZ < 1e-8) c = 8;
        if (g_bMetricUnits && s.metricRow == 0) c = 20;
        if (g_bUnitsUS && s.metricRow != 0) c = 21;
        if (mat.youngsModulus < 1e-8) c = 9;
        if (mat.shearModulus < 1e-8) c = 10;
        if (mat.density < 1e-8) c = 11;
        if (mat.ultTensionStress < 1e-8) c = 12;
        if (mat.ultCompressionStress < 1e-8) c = 13;
        if (mat.ultBendingStress < 1e-8) c = 14;
        if (mat.ultShearStress < 1e-8) c = 15;
        if (g_bMetricUnits && mat.metricRow == 0) c = 22;
        if (g_bUnitsUS && mat.metricRow != 0) c = 23;
        if (s.height > 1.27) c = 99;
        if (c != 0) {
            code = c;
            if (member) *member = i;
        }
    }
    return code;
}

float MemberLength(int i)
{
    if (i < 0 || i >= MEMBER_ROWS) return 0;
    return Distance(JointAt(g_Members[i].jointA), JointAt(g_Members[i].jointB));
}

float MemberLengthYZ(int i)
{
    if (i < 0 || i >= MEMBER_ROWS) return 0;
    const JointRec& a = JointAt(g_Members[i].jointA);
    const JointRec& b = JointAt(g_Members[i].jointB);
    float dy = b.y - a.y;
    float dz = b.z - a.z;
    return std::sqrt(dy * dy + dz * dz);
}

namespace {

// The limit messages name the number.
const std::string kJointLimitMessage = "Maximum Number of Joints = " + std::to_string(MAX_JOINTS) + "\n";
const std::string kMemberLimitMessage = "Maximum Number of Members = " + std::to_string(MAX_MEMBERS) + "\n";

void ShowLimitMessage(const std::string& message)
{
    platform::MessageBox(message, g_szAppTitle,
                         platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
}

// 1 while the table has room; at the limit shows the message and returns 0.
int RoomBelowLimit(int count, int limit, const std::string& message)
{
    if (count < limit) return 1;
    ShowLimitMessage(message);
    return 0;
}

}  // namespace

int CheckMemberLimit()
{
    return RoomBelowLimit(g_nMembers, MAX_MEMBERS, kMemberLimitMessage);
}

int CheckJointLimit()
{
    return RoomBelowLimit(g_nJoints, MAX_JOINTS, kJointLimitMessage);
}

void ShowJointLimitMessage()
{
    ShowLimitMessage(kJointLimitMessage);
}

bool CanReplicateMarkedJoints()
{
    int n = JointCount();
    int marked = 0;
    for (int j = 1; j <= n; ++j)
        if (g_Joints[j].mark) ++marked;
    return n + marked < MAX_JOINTS;
}

void FindMaxDisplacements()
{
    g_fMaxDisplacementX = g_fMaxDisplacementY = g_fMaxDisplacementZ = 0;
    int n = JointCount();
    if (MemberCount() == 0 || n == 0) return;
    float loX = g_Joints[1].dispX, hiX = loX;
    float loY = g_Joints[1].dispY, hiY = loY;
    float loZ = g_Joints[1].dispZ, hiZ = loZ;
    for (int j = 2; j <= n; ++j) {
        const JointRec& jt = g_Joints[j];
        if (jt.dispX < loX) loX = jt.dispX;
        if (jt.dispX > hiX) hiX = jt.dispX;
        if (jt.dispY < loY) loY = jt.dispY;
        if (jt.dispY > hiY) hiY = jt.dispY;
        if (jt.dispZ < loZ) loZ = jt.dispZ;
        if (jt.dispZ > hiZ) hiZ = jt.dispZ;
    }
    g_fMaxDisplacementX = LargerMagnitude(loX, hiX);
    g_fMaxDisplacementY = LargerMagnitude(loY, hiY);
    g_fMaxDisplacementZ = LargerMagnitude(loZ, hiZ);
}

float LoadArrowScale()
{
    int n = JointCount();
    if (n == 0) return 1.0f;
    float e = 0;
    for (int j = 1; j <= n; ++j) {
        const JointRec& jt = g_Joints[j];
        if (std::fabs(jt.forceX) > e) e = std::fabs(jt.forceX);
        if (std::fabs(jt.forceY) > e) e = std::fabs(jt.forceY);
        if (std::fabs(jt.forceZ) > e) e = std::fabs(jt.forceZ);
    }
    return e == 0.0f ? 1.0f : 1.0f / e;
}

bool LastJointIsDuplicate()
{
    int n = JointCount();
    for (int j = 1; j < n; ++j)
        if (JointsCoincide(j, n)) return true;
    return false;
}

bool HasCoincidentJoints()
{
    int n = JointCount();
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (JointsCoincide(a, b)) return true;
    return false;
}

bool JointCoincidesWithAnother(int j)
{
    const int n = JointCount();
    if (j < 1 || j > n) return false;
    for (int other = 1; other <= n; ++other)
        if (other != j && JointsCoincide(j, other)) return true;
    return false;
}

float TotalWeight()
{
    UpdateMemberWeights();
    float total = 0;
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) total += g_Members[i].weight;
    return total;
}
