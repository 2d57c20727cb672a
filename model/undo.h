// One-level undo of the joint and member tables and the shape and material
// rows they index.
#pragma once

#include "model/tables.h"

void TakeUndoSnapshot();
// The same with these shape and material rows in place of the live ones
// (the rows as they were before an edit already made).
void TakeUndoSnapshot(const ShapeRec (&shapes)[TABLE_ROWS], const MaterialRec (&materials)[TABLE_ROWS]);
void RestoreUndoSnapshot();
// Changes with every snapshot taken: a caller that took one can tell whether
// Undo would still restore it.
unsigned UndoSnapshotNumber();
