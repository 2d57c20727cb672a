// One-level undo of the joint and member tables and the shape and material
// rows they index.
#pragma once

void TakeUndoSnapshot();
void RestoreUndoSnapshot();
// Changes with every snapshot taken: a caller that took one can tell whether
// Undo would still restore it.
unsigned UndoSnapshotNumber();
