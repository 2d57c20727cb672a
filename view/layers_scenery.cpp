// Supports, loads, truck, fan and the bridge and tower scenery.
#include "view/scene_layers.h"

void DrawSupports() {}
void DrawLoads() {}
void DrawTruck(float, float, float, float) {}
void DrawFan(float) {}
void DrawBridgeApproaches() {}
void DrawTank(float, float, float, float) {}
void DrawTowerBase() {}
