// Layers of the 3D scene other than the member solids: workspace and guide
// planes, rulers, origin, page tiles, supports, loads, truck, fan, tank,
// tower base, the results display and the joint markers. RenderScene calls
// them in its fixed order; a layer that owns a list uses CallDisplayList
// with the id named below and positions itself outside the list.
#pragma once

// ---- workspace, guide planes, rulers, origin ----
// Units of a workspace side that the guide grids cover: the size, at most 500.
int GuideGridUnits(short size);
void DrawBasePlaneYZ();                 // list 2, g_bListYZBasePlaneBuilt
void DrawBasePlaneXY();                 // list 3, g_bListXYBasePlaneBuilt
void DrawBasePlaneXZ();                 // list 4, g_bListXZBasePlaneBuilt
void DrawGuideXYPart1(float z);         // list 5, g_bListXYGuide1Built, translated to z
void DrawGuideXYPart2(float z);         // list 6, g_bListXYGuide2Built
void DrawGuideXZ(float y);              // list 7, g_bListXZGuideBuilt, translated to y
void DrawGuideYZPart1(float x);         // list 8, g_bListYZGuide1Built, translated to x
void DrawGuideYZPart2(float x);         // list 9, g_bListYZGuide2Built
void DrawGuideYZPart3(float x);         // list 10, g_bListYZGuide3Built
void DrawGuideYZPart4(float x);         // list 11, g_bListYZGuide4Built
void DrawGuideIntersections();          // immediate
void DrawRulerX(float size);            // list 12, g_bListRuler1Built
void DrawRulerY(float size);            // list 14, g_bListRuler2Built
void DrawRulerZ(float size);            // list 18, g_bListRuler3Built
void DrawRulerCursorMarks(float x, float y, float z);  // immediate, replays list 24
// One stroke glyph ('.', '0'-'9', 'C', 'I', 'M', 'N') in a cell size/2 wide
// and size high, lower-left corner at the origin, in the XY plane, current
// colour; any other character draws nothing.
void DrawRulerChar(char c, float size);
void DrawOriginAxes();                  // list 19, g_bListOriginBuilt

// Page rectangles of one plane at its position, in inch or cm pages,
// portrait or landscape (immediate). The skewed plane is portrait only.
enum TileGrid { TILES_XY, TILES_XZ, TILES_YZ, TILES_SKEW };
void DrawPageTiles(TileGrid grid, float position, int metric, int landscape);

// ---- supports, loads, truck, fan, scenery ----
void DrawSupports();                    // list 13, g_bListSupportsBuilt
void DrawLoads();                       // list 17, g_bListLoadsBuilt
void DrawTruck(float x, float y, float z, float tilt);  // list 21, g_bListTruckBuilt
void DrawFan(float angle);              // lists 22 and 27 (rotor), g_bListFanBuilt
void DrawBridgeApproaches();            // list 23, g_bListBridgeApproachBuilt
void DrawTank(float x, float y, float z, float tilt);   // list 25, g_bListTankBuilt
void DrawTowerBase();                   // list 26, g_bListTowerBaseBuilt
void DrawSupportGlyph(int joint);       // one joint's glyph, inside list 13
void DrawArrow(float length);           // red arrow, tip at the origin, body along +y (inside list 17)
// Tank on the displaced tower top carried by joints 5, 6 and 7, lowered in
// the collapse display; upright at (20, 14, 10) when the model has fewer
// than 7 joints.
void DrawTankOnDisplacedTower(int collapse);

// ---- results display and joint markers ----
void DrawResultMembers();               // list 15, g_bListResultMembersBuilt
void DrawMembersAnimated(float magnification);  // immediate
void DrawJoints();                      // list 16, g_bListJointsBuilt
void DrawMarkedJoints();                // immediate
void HighlightJoint(int joint);         // immediate
void HighlightDisplacedJoint(int joint);  // immediate
void DrawPointMarker(float x, float y, float z);  // immediate
void DrawFocusMarker();                 // immediate
