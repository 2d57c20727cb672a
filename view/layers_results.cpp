// Displaced shape in result colours, collapse picture, joints and markers.
#include "view/scene_layers.h"

void DrawResultMembers() {}
void DrawMembersAnimated(float) {}
void DrawJoints() {}
void DrawMarkedJoints() {}
void HighlightJoint(int) {}
void HighlightDisplacedJoint(int) {}
void DrawPointMarker(float, float, float) {}
void DrawFocusMarker() {}
