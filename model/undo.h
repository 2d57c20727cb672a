// One-level undo of the joint and member tables and the shape and material
// rows they index.
#pragma once

void TakeUndoSnapshot();
void RestoreUndoSnapshot();
