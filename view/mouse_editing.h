// Editing the model with the left mouse button by the active tool: the
// press applies the tool to what is under the cursor or starts a drag, the
// move highlights what a click would hit and carries drags along, the
// release finishes drags. Window points are client pixels, y downward; the
// view's context must be current. Every change of the picture invalidates
// the view through the platform layer.
#pragma once

// Left-button press. False when the press must skip the default processing
// (the Select Joints tool).
bool EditOnLButtonDown(int x, int y);
// Mouse move (the right-button orbit is served first).
void EditOnMouseMove(int x, int y);
// Left-button release.
void EditOnLButtonUp(int x, int y);

// True while a member, guide-plane or orbit drag is under way (the view then
// holds the mouse).
bool AnyDragUnderWay();
// Ends a member drag, and puts a dragged guide plane and the joints it
// carries back where the drag started.
void CancelDrags();
// Clears the fifteen guide-plane tools.
void EndGuidePlaneTools();
