#include "model/undo.h"

#include "model/tables.h"

namespace {

int ClampCount(int n, int rows)
{
    if (n < 0) return 0;
    return n > rows - 1 ? rows - 1 : n;
}

// The fields the snapshot keeps, copied either way between a live record
// and its compact copy.
template <class To, class From>
void CopyJoint(To& d, const From& s)
{
    d.x = s.x; d.y = s.y; d.z = s.z;
    d.fileWord1 = s.fileWord1; d.fileWord2 = s.fileWord2; d.mark = s.mark;
    d.restraintTX = s.restraintTX; d.restraintTY = s.restraintTY; d.restraintTZ = s.restraintTZ;
    d.restraintRX = s.restraintRX; d.restraintRY = s.restraintRY; d.restraintRZ = s.restraintRZ;
    d.forceX = s.forceX; d.forceY = s.forceY; d.forceZ = s.forceZ;
    d.translatedX = s.translatedX; d.translatedY = s.translatedY; d.translatedZ = s.translatedZ;
}

template <class To, class From>
void CopyMember(To& d, const From& s)
{
    d.jointA = s.jointA; d.jointB = s.jointB; d.useTorsion = s.useTorsion;
    d.momentYY1 = s.momentYY1; d.momentZZ1 = s.momentZZ1;
    d.momentYY2 = s.momentYY2; d.momentZZ2 = s.momentZZ2;
    d.negated = s.negated; d.hidden = s.hidden;
    d.effLengthZZ = s.effLengthZZ; d.effLengthYY = s.effLengthYY;
    d.userEffYY = s.userEffYY; d.userEffZZ = s.userEffZZ;
    d.offsetY = s.offsetY; d.offsetZ = s.offsetZ;
    d.shape = s.shape; d.material = s.material; d.runner = s.runner;
    d.rollAngle = s.rollAngle;
    d.colorR = s.colorR; d.colorG = s.colorG; d.colorB = s.colorB;
}

unsigned s_snapshotNumber = 0;

}  // namespace

unsigned UndoSnapshotNumber() { return s_snapshotNumber; }

void TakeUndoSnapshot() { TakeUndoSnapshot(g_Shapes, g_Materials); }

void TakeUndoSnapshot(const ShapeRec (&shapes)[TABLE_ROWS], const MaterialRec (&materials)[TABLE_ROWS])
{
    if (++s_snapshotNumber == 0) s_snapshotNumber = 1;
    g_nUndoJoints = g_nJoints;
    g_nUndoMembers = g_nMembers;
    g_bUndoMetricUnits = g_bMetricUnits;
    g_bUndoUnitsUS = g_bUnitsUS;
    for (int j = 1; j <= ClampCount(g_nJoints, JOINT_ROWS); ++j) CopyJoint(g_UndoJoints[j], g_Joints[j]);
    for (int i = 1; i <= ClampCount(g_nMembers, MEMBER_ROWS); ++i) CopyMember(g_UndoMembers[i], g_Members[i]);
    for (int r = 0; r < TABLE_ROWS; ++r) {
        g_UndoShapes[r] = shapes[r];
        g_UndoMaterials[r] = materials[r];
    }
    g_bModelSaved = 0;
}

void RestoreUndoSnapshot()
{
    // The shape and material rows come back with the members that index them
    // (and with the unit system they belong to).
    for (int r = 0; r < TABLE_ROWS; ++r) {
        g_Shapes[r] = g_UndoShapes[r];
        g_Materials[r] = g_UndoMaterials[r];
    }
    g_nJoints = g_nUndoJoints;
    g_nMembers = g_nUndoMembers;
    g_bMetricUnits = g_bUndoMetricUnits;
    g_bUnitsUS = g_bUndoUnitsUS;
    for (int j = 1; j <= ClampCount(g_nUndoJoints, JOINT_ROWS); ++j) CopyJoint(g_Joints[j], g_UndoJoints[j]);
    for (int i = 1; i <= ClampCount(g_nUndoMembers, MEMBER_ROWS); ++i) CopyMember(g_Members[i], g_UndoMembers[i]);
}
