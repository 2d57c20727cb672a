// The 3D scene of the main window, drawn once per paint from display lists
// with fixed ids and the valid flags of view/view_globals.h.
#pragma once

#include <functional>

// Fixed display-list ids (20 is reserved and never used).
enum DisplayListId {
    LIST_MEMBERS = 1,
    LIST_YZ_BASE_PLANE = 2,
    LIST_XY_BASE_PLANE = 3,
    LIST_XZ_BASE_PLANE = 4,
    LIST_XY_GUIDE_1 = 5,
    LIST_XY_GUIDE_2 = 6,
    LIST_XZ_GUIDE = 7,
    LIST_YZ_GUIDE_1 = 8,
    LIST_YZ_GUIDE_2 = 9,
    LIST_YZ_GUIDE_3 = 10,
    LIST_YZ_GUIDE_4 = 11,
    LIST_RULER_X = 12,
    LIST_SUPPORTS = 13,
    LIST_RULER_Y = 14,
    LIST_RESULT_MEMBERS = 15,
    LIST_JOINTS = 16,
    LIST_LOADS = 17,
    LIST_RULER_Z = 18,
    LIST_ORIGIN = 19,
    LIST_TRUCK = 21,
    LIST_FAN = 22,
    LIST_BRIDGE_APPROACH = 23,
    LIST_ARROW_HEAD = 24,
    LIST_TANK = 25,
    LIST_TOWER_BASE = 26,
    LIST_FAN_ROTOR = 27,  // rebuilt with the fan list, turned outside it
    LIST_RESERVED_COUNT = 27
};

// Draws the whole scene with the view's context current and the projection
// set: clears, sets the camera, then draws every layer in its fixed order.
void RenderScene();

// List protocol of every layer that owns a list: when built is 0, compiles
// draw() into list id and sets built to 1; then replays the list.
void CallDisplayList(int id, int& built, const std::function<void()>& draw);

// Compiles the arrow-head triangle into list 24 (done once per context).
void CompileArrowHeadList();

// How many times each list was compiled since the last reset (for tests and
// benchmarks).
int DisplayListCompileCount(int id);
void ResetDisplayListCompileCounts();
