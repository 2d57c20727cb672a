// Model operations and checks on the global tables.
#pragma once

struct ShapeRec;
struct MaterialRec;

void ClearJointMarks();
int DeleteJoint(int j);            // 0 when the model has no joints
void DeleteMember(int i);
void ComputeDisplacedShape(float scale);
// The truck of the results display where it stands undisplaced, level.
void PlaceTruckUndisplaced();
int FindDuplicateJoint();          // marks and returns the first coincident joint, or 0
bool HasUnconnectedJoint();
int FindUnconnectedJoint();
void RemoveUnconnectedJoints();
bool ComputeMemberLengths();       // true when some length is 0.0001 or less
int FindZeroLengthMember();
void RemoveZeroLengthMembers();
bool HasDuplicateMember();
int FindDuplicateMember();
void RemoveDuplicateMembers();
// A member's shape or material row; a row outside the table reads as an
// empty row (all values 0).
const ShapeRec& ShapeAt(int row);
const MaterialRec& MaterialAt(int row);

// 0 or the code of the last failing test; member (when given) takes the
// member of that test.
int CheckSectionProperties(int* member = nullptr);
float MemberLength(int i);
float MemberLengthYZ(int i);
int CheckMemberLimit();            // 1 = room, 0 = full (with a message)
int CheckJointLimit();
void ShowJointLimitMessage();     // the message of CheckJointLimit on its own
bool CanReplicateMarkedJoints();
void FindMaxDisplacements();
float LoadArrowScale();
bool LastJointIsDuplicate();
bool HasCoincidentJoints();
bool JointCoincidesWithAnother(int j);  // on the 0.001 grid
float TotalWeight();
