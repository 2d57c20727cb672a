// Model tables: joints, members, shapes and materials, their counts and the
// analysis settings and outcome flags owned by the model store.
#pragma once

#include <cstdint>

constexpr int MAX_JOINTS = 400;
constexpr int MAX_MEMBERS = 900;
constexpr int JOINT_ROWS = 402;
constexpr int MEMBER_ROWS = 902;
constexpr int TABLE_ROWS = 12;  // shapes and materials: row 0 reserved, 1..10 used, 11 never set
constexpr int USER_TABLE_ROWS = 10;

struct JointRec {
    float x = 0, y = 0, z = 0;
    float moveOrgX = 0, moveOrgY = 0, moveOrgZ = 0;
    short fileWord1 = 0, fileWord2 = 0;
    short mark = 0;
    short restraintTX = 1, restraintTY = 1, restraintTZ = 1;
    short restraintRX = 1, restraintRY = 1, restraintRZ = 1;
    float forceX = 0, forceY = 0, forceZ = 0;
    float momentX = 0, momentY = 0, momentZ = 0;
    float selfWeightLoad = 0;
    float windLoad = 0;
    float truckLoad = 0;
    float extraLoadZ = 0;
    int translatedX = 0, translatedY = 0, translatedZ = 0;
    float dispX = 0, dispY = 0, dispZ = 0;
    float rotX = 0, rotY = 0, rotZ = 0;
    float displacedX = 0, displacedY = 0, displacedZ = 0;
};

struct MemberRec {
    short jointA = 0;
    short jointB = 0;
    short useTorsion = 1;
    short momentYY1 = 1, momentZZ1 = 1, momentYY2 = 1, momentZZ2 = 1;
    int negated = 0;
    int hidden = 0;
    float actualLength = 0;
    float weight = 0;
    float length = 0.01f;
    double planeAngle = 0;
    float effLengthZZ = 0;
    float effLengthYY = 0;
    int userEffYY = 0;
    int userEffZZ = 0;
    float offsetY = 0;
    float offsetZ = 0;
    short shape = 1;
    short material = 1;
    short runner = 0;
    float rollAngle = 0;
    float outline1[8] = {};
    float outline2[8] = {};
    float cosX = 0, cosY = 0, cosZ = 0;
    float colorR = 0, colorG = 0, colorB = 0;
    float ultTension = 0, ultCompression = 0, ultBendZZ = 0, ultBendYY = 0, ultShear = 0, ultTorsion = 0;
    float displacedScratch[12] = {};  // renderer's scratch for the displaced drawing
    int intact = 1;
    float axialColorR = 0, axialColorG = 0, axialColorB = 0;
    float bendingColorR = 0, bendingColorG = 0, bendingColorB = 0;
    // axial1, shearZZ1, shearYY1, torsion1, m1yy, m1zz, axial2 .. m2zz
    float endForces[12] = {};
    float ratios1[8] = {};  // A1, Mzz1, Myy1, Vzz1, Vyy1, T1, AM1, VT1
    float ratios2[8] = {};  // A2 .. VT2
    float governingRatios[8] = {};  // A, Myy, Mzz, Vyy, Vzz, T, AM, VT
};

// Indices into MemberRec::endForces.
enum EndForce {
    EF_AXIAL1 = 0, EF_SHEARZZ1, EF_SHEARYY1, EF_TORSION1, EF_M1YY, EF_M1ZZ,
    EF_AXIAL2, EF_SHEARZZ2, EF_SHEARYY2, EF_TORSION2, EF_M2YY, EF_M2ZZ
};
// Indices into ratios1 / ratios2.
enum EndRatio { R_A = 0, R_MZZ, R_MYY, R_VZZ, R_VYY, R_T, R_AM, R_VT };
// Indices into governingRatios.
enum GoverningRatio { G_A = 0, G_MYY, G_MZZ, G_VYY, G_VZZ, G_T, G_AM, G_VT };

struct ShapeRec {
    char name[56] = "";
    float area = 0.001f;
    float width = 0.001f;
    float height = 0.001f;
    int sectionKind = 0;  // 0 rectangular, 1 circular
    float spacing = 0;
    float torsionConst = 0.001f;
    float inertiaYY = 0.001f;
    float inertiaZZ = 0.001f;
    float modulusYY = 0.001f;
    float modulusZZ = 0.001f;
    int metricRow = 0;
};

struct MaterialRec {
    char name[56] = "";
    float colorR = 0, colorG = 0, colorB = 0;
    float shearModulus = 0.001f;
    float youngsModulus = 0.001f;
    float density = 0.001f;
    float ultTensionStress = 0.001f;
    float ultCompressionStress = 0.001f;
    float ultBendingStress = 0.001f;
    float ultShearStress = 0.001f;
    int metricRow = 0;
};

// Compact copies held by the one-level undo snapshot.
struct UndoJointRec {
    float x, y, z;
    short fileWord1, fileWord2, mark;
    short restraintTX, restraintTY, restraintTZ, restraintRX, restraintRY, restraintRZ;
    float forceX, forceY, forceZ;
    int translatedX, translatedY, translatedZ;
};

struct UndoMemberRec {
    short jointA, jointB, useTorsion, momentYY1, momentZZ1, momentYY2, momentZZ2;
    int negated, hidden;
    float effLengthZZ, effLengthYY;
    int userEffYY, userEffZZ;
    float offsetY, offsetZ;
    short shape, material, runner;
    float rollAngle, colorR, colorG, colorB;
};

// ---- tables and counts ----
extern JointRec g_Joints[JOINT_ROWS];
extern MemberRec g_Members[MEMBER_ROWS];
extern ShapeRec g_Shapes[TABLE_ROWS];
extern MaterialRec g_Materials[TABLE_ROWS];
extern short g_nJoints;
extern short g_nMembers;
extern short g_nFileShapes;
extern short g_nFileMaterials;
extern short g_nFileUnits;
extern int g_bMetricUnits;  // 1 = cm, N, N/cm^2
extern int g_bUnitsUS;      // always !g_bMetricUnits

// ---- undo snapshot ----
extern UndoJointRec g_UndoJoints[JOINT_ROWS];
extern UndoMemberRec g_UndoMembers[MEMBER_ROWS];
extern short g_nUndoJoints;
extern short g_nUndoMembers;
extern int g_bUndoMetricUnits;
extern int g_bUndoUnitsUS;
// The shape and material rows of the snapshot.
extern ShapeRec g_UndoShapes[TABLE_ROWS];
extern MaterialRec g_UndoMaterials[TABLE_ROWS];

// ---- model state ----
extern int g_bModelSaved;      // 1 = no unsaved changes
extern int g_bUndoAvailable;

// ---- project, truck, deck and wind ----
extern int g_bBridgeProject;
extern int g_bTowerProject;
extern int g_bTruckActive;   // Use Truck (analysis)
extern int g_bUseTruck;      // Use Truck (menu flag, drawing)
extern int g_bUseFan;
extern int g_bTowerFlag2;
extern float g_fTruckX, g_fTruckY, g_fTruckZ;
extern float g_fTruckMinX;
extern float g_fFrontAxleLoad, g_fRearAxleLoad;
extern float g_fWindSpeed;
extern int g_bReverseWind;
extern int g_bEmptyTank;
extern float g_fDeckMinX, g_fDeckMaxX;
extern short g_nDeckFirstJoint, g_nDeckFirstMember;
extern short g_nTruckJoint1, g_nTruckJoint2;
extern float g_fTruckDisplacedX, g_fTruckDisplacedY, g_fTruckDisplacedZ;
extern float g_fTruckTilt;

// ---- analysis options ----
extern int g_bIncludeSelfWeight;
extern int g_bIncludeEccentricity;
extern int g_bEccentricityEnabled;
extern int g_bUniformTestLoads;
extern int g_bConsiderAxial, g_bConsiderBending, g_bConsiderShear, g_bConsiderTorsion;
extern int g_bFindBreakingForces;
extern int g_bBreakingForcesActive;
extern float g_fDisplacementLimits[6];
extern const float g_fPi;

// ---- analysis outcome ----
extern int g_bModelFailed;
extern int g_bMemberFailed;
extern int g_bHaltUnstable;
extern int g_bHaltLargeDisplacements;
extern int g_bHaltIncorrectModel;
extern int g_bHaltInadequateSupport;
extern int g_bMemberResultsValid;
extern int g_bJointResultsValid;
extern int g_bResultsAvailable;
extern float g_fTotalLoadX, g_fTotalLoadY, g_fTotalLoadZ;
extern float g_fMaxDisplacementX, g_fMaxDisplacementY, g_fMaxDisplacementZ;

// Loop bounds over the live rows: the counts as signed 16-bit values, never
// negative and never past the tables.
inline int JointCount() { return g_nJoints < 0 ? 0 : g_nJoints < JOINT_ROWS ? g_nJoints : JOINT_ROWS - 1; }
inline int MemberCount() { return g_nMembers < 0 ? 0 : g_nMembers < MEMBER_ROWS ? g_nMembers : MEMBER_ROWS - 1; }

// The six restraints TX TY TZ RX RY RZ of a joint (1 = restrained).
void SetRestraints(JointRec& j, const short r[6]);
// A joint at (x, y, z) with no restraint, its other fields as constructed.
JointRec FreeJoint(float x, float y, float z);

// Writes both unit flags so they stay inverse.
void SetMetricUnits(int metric);

// Restores every global above to its start-up value.
void ResetModelGlobals();
