// Splitting a member at a new joint: at the point under the cursor, or at a
// fraction of its length. The fraction runs from the member's first end:
// the joint with the smaller x, then the smaller y; jointB when both agree.
#pragma once

// Window-distance fraction from the first end's projection to the window
// point (x, y); -1 when an end does not project or both project onto one
// point. Needs the view's context current.
float FractionAlongMember(int member, int x, int y);

enum SplitOutcome {
    SPLIT_DONE,
    SPLIT_NOT_POSSIBLE,  // no such member, or a fraction outside 0.01 .. 0.99
    SPLIT_TABLE_FULL,    // the joint or member table is full (its message shown)
    SPLIT_ON_JOINT,      // the new joint would lie on an existing joint (message shown)
};

// Splits member m at the fraction: a joint is appended at that point with no
// restraint, m is removed (later members move down) and two members are
// appended from the first end to the new joint and on to the second end,
// with m's shape, material, colour, runner flag, roll and offsets.
SplitOutcome SplitMember(int member, float fraction);
// As SplitMember at FractionAlongMember of the window point.
SplitOutcome SplitMemberAtPoint(int member, int x, int y);

// 1 when the member was split at the window point / at g_fSplitFraction.
int SplitMemberAtCursor(int member, int x, int y);
int SplitMemberAtFraction(int member);

// "Operation Halted!\nThis action would create a duplicate joint".
void ShowDuplicateJointMessage();
