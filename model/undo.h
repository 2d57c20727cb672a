// One-level undo of the joint and member tables.
#pragma once

void TakeUndoSnapshot();
void RestoreUndoSnapshot();
