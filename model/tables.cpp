#include "model/tables.h"

JointRec g_Joints[JOINT_ROWS];
MemberRec g_Members[MEMBER_ROWS];
ShapeRec g_Shapes[TABLE_ROWS];
MaterialRec g_Materials[TABLE_ROWS];
short g_nJoints = 0;
short g_nMembers = 0;
short g_nFileShapes = 0;
short g_nFileMaterials = 0;
short g_nFileUnits = 0;
int g_bMetricUnits = 0;
int g_bUnitsUS = 1;

UndoJointRec g_UndoJoints[JOINT_ROWS];
UndoMemberRec g_UndoMembers[MEMBER_ROWS];
short g_nUndoJoints = 0;
short g_nUndoMembers = 0;
int g_bUndoMetricUnits = 0;
int g_bUndoUnitsUS = 0;
ShapeRec g_UndoShapes[TABLE_ROWS];
MaterialRec g_UndoMaterials[TABLE_ROWS];

int g_bModelSaved = 1;
int g_bUndoAvailable = 0;

int g_bBridgeProject = 0;
int g_bTowerProject = 0;
int g_bTruckActive = 0;
int g_bUseTruck = 0;
int g_bUseFan = 0;
int g_bTowerFlag2 = 0;
float g_fTruckX = 21, g_fTruckY = 0, g_fTruckZ = 14;
float g_fTruckMinX = 12;
float g_fFrontAxleLoad = 3.5f, g_fRearAxleLoad = 7;
float g_fWindSpeed = 75;
int g_bReverseWind = 0;
int g_bEmptyTank = 0;
float g_fDeckMinX = 0, g_fDeckMaxX = 0;
short g_nDeckFirstJoint = 0, g_nDeckFirstMember = 0;
short g_nTruckJoint1 = 0, g_nTruckJoint2 = 0;
float g_fTruckDisplacedX = 0, g_fTruckDisplacedY = 0, g_fTruckDisplacedZ = 0;
float g_fTruckTilt = 0;

int g_bIncludeSelfWeight = 1;
int g_bIncludeEccentricity = 0;
int g_bEccentricityEnabled = 1;
int g_bUniformTestLoads = 0;
int g_bConsiderAxial = 1, g_bConsiderBending = 1, g_bConsiderShear = 0, g_bConsiderTorsion = 0;
int g_bFindBreakingForces = 0;
int g_bBreakingForcesActive = 0;
float g_fDisplacementLimits[6] = {5, 10, 5, 1.57f, 1.57f, 1.57f};
const float g_fPi = 3.1415927f;

int g_bModelFailed = 0;
int g_bMemberFailed = 0;
int g_bHaltUnstable = 0;
int g_bHaltLargeDisplacements = 0;
int g_bHaltIncorrectModel = 0;
int g_bHaltInadequateSupport = 0;
int g_bMemberResultsValid = 0;
int g_bJointResultsValid = 0;
int g_bResultsAvailable = 0;
float g_fTotalLoadX = 0, g_fTotalLoadY = 0, g_fTotalLoadZ = 0;
float g_fMaxDisplacementX = 0, g_fMaxDisplacementY = 0, g_fMaxDisplacementZ = 0;

void SetMetricUnits(int metric)
{
    g_bMetricUnits = metric ? 1 : 0;
    g_bUnitsUS = metric ? 0 : 1;
}

void ResetModelGlobals()
{
    for (auto& j : g_Joints) j = JointRec();
    for (auto& m : g_Members) m = MemberRec();
    for (auto& s : g_Shapes) s = ShapeRec();
    for (auto& m : g_Materials) m = MaterialRec();
    g_nJoints = g_nMembers = 0;
    g_nFileShapes = g_nFileMaterials = g_nFileUnits = 0;
    SetMetricUnits(0);

    for (auto& u : g_UndoJoints) u = UndoJointRec();
    for (auto& u : g_UndoMembers) u = UndoMemberRec();
    g_nUndoJoints = g_nUndoMembers = 0;
    g_bUndoMetricUnits = g_bUndoUnitsUS = 0;
    for (auto& u : g_UndoShapes) u = ShapeRec();
    for (auto& u : g_UndoMaterials) u = MaterialRec();

    g_bModelSaved = 1;
    g_bUndoAvailable = 0;

    g_bBridgeProject = g_bTowerProject = g_bTruckActive = g_bUseTruck = g_bUseFan = g_bTowerFlag2 = 0;
    g_fTruckX = 21; g_fTruckY = 0; g_fTruckZ = 14;
    g_fTruckMinX = 12;
    g_fFrontAxleLoad = 3.5f; g_fRearAxleLoad = 7;
    g_fWindSpeed = 75;
    g_bReverseWind = g_bEmptyTank = 0;
    g_fDeckMinX = g_fDeckMaxX = 0;
    g_nDeckFirstJoint = g_nDeckFirstMember = 0;
    g_nTruckJoint1 = g_nTruckJoint2 = 0;
    g_fTruckDisplacedX = g_fTruckDisplacedY = g_fTruckDisplacedZ = 0;
    g_fTruckTilt = 0;

    g_bIncludeSelfWeight = 1;
    g_bIncludeEccentricity = 0;
    g_bEccentricityEnabled = 1;
    g_bUniformTestLoads = 0;
    g_bConsiderAxial = 1; g_bConsiderBending = 1; g_bConsiderShear = 0; g_bConsiderTorsion = 0;
    g_bFindBreakingForces = g_bBreakingForcesActive = 0;
    const float limits[6] = {5, 10, 5, 1.57f, 1.57f, 1.57f};
    for (int i = 0; i < 6; ++i) g_fDisplacementLimits[i] = limits[i];

    g_bModelFailed = g_bMemberFailed = 0;
    g_bHaltUnstable = g_bHaltLargeDisplacements = g_bHaltIncorrectModel = g_bHaltInadequateSupport = 0;
    g_bMemberResultsValid = g_bJointResultsValid = g_bResultsAvailable = 0;
    g_fTotalLoadX = g_fTotalLoadY = g_fTotalLoadZ = 0;
    g_fMaxDisplacementX = g_fMaxDisplacementY = g_fMaxDisplacementZ = 0;
}

void SetRestraints(JointRec& j, const short r[6])
{
    j.restraintTX = r[0];
    j.restraintTY = r[1];
    j.restraintTZ = r[2];
    j.restraintRX = r[3];
    j.restraintRY = r[4];
    j.restraintRZ = r[5];
}

JointRec FreeJoint(float x, float y, float z)
{
    static const short kFree[6] = {0, 0, 0, 0, 0, 0};
    JointRec j;
    j.x = x;
    j.y = y;
    j.z = z;
    SetRestraints(j, kFree);
    return j;
}
