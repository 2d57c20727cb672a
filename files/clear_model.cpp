#include "files/clear_model.h"

#include "model/tables.h"
#include "state/view_globals.h"

void ClearModel()
{
    g_nJoints = 0;
    g_nMembers = 0;

    for (int j = 1; j <= MAX_JOINTS; ++j) {
        JointRec& jt = g_Joints[j];
        jt.x = jt.y = jt.z = 0;
        jt.fileWord1 = jt.fileWord2 = 0;
        jt.mark = 0;  // a later model must not inherit the old marks
        jt.restraintTX = jt.restraintTY = jt.restraintTZ = 0;
        jt.restraintRX = jt.restraintRY = jt.restraintRZ = 0;
        jt.forceX = jt.forceY = jt.forceZ = 0;
        jt.momentX = jt.momentY = jt.momentZ = 0;
        jt.dispX = jt.dispY = jt.dispZ = 0;
        jt.rotX = jt.rotY = jt.rotZ = 0;
    }

    for (int i = 1; i <= MAX_MEMBERS; ++i) {
        MemberRec& m = g_Members[i];
        m.jointA = m.jointB = 0;
        m.negated = m.hidden = 0;  // nor the old Negate and Hide flags
        m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 0;
        m.length = 0;
        m.offsetY = m.offsetZ = 0;
        m.shape = m.material = 0;
        m.runner = 0;
        m.rollAngle = 0;
        for (float& v : m.outline1) v = 0;
        m.cosX = m.cosY = m.cosZ = 0;
        for (float& v : m.endForces) v = 0;
        m.intact = 1;
    }

    g_bListMembersBuilt = g_bListJointsBuilt = g_bListLoadsBuilt = g_bListSupportsBuilt = 0;
    g_bListXYBasePlaneBuilt = g_bListXZBasePlaneBuilt = g_bListYZBasePlaneBuilt = 0;
    g_bListRuler1Built = g_bListRuler2Built = g_bListRuler3Built = 0;
    g_bListXYGuide1Built = g_bListXYGuide2Built = g_bListXZGuideBuilt = 0;
    g_bListYZGuide1Built = g_bListYZGuide2Built = g_bListYZGuide3Built = g_bListYZGuide4Built = 0;

    g_bTruckActive = g_bBridgeProject = g_bUseTruck = g_bUseFan = g_bTowerProject = 0;
}
