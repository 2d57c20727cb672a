// Workspace base planes, guide planes, rulers, origin axes and page tiles.
#include "view/scene_layers.h"

void DrawBasePlaneYZ() {}
void DrawBasePlaneXY() {}
void DrawBasePlaneXZ() {}
void DrawGuideXYPart1(float) {}
void DrawGuideXYPart2(float) {}
void DrawGuideXZ(float) {}
void DrawGuideYZPart1(float) {}
void DrawGuideYZPart2(float) {}
void DrawGuideYZPart3(float) {}
void DrawGuideYZPart4(float) {}
void DrawGuideIntersections() {}
void DrawRulerX(float) {}
void DrawRulerY(float) {}
void DrawRulerZ(float) {}
void DrawRulerCursorMarks(float, float, float) {}
void DrawOriginAxes() {}
void DrawPageTiles(TilePlane, float, int, int) {}
