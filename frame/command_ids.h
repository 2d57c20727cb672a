// Command ids of the main frame's menu, toolbar and accelerator commands.
#pragma once

// Joints
constexpr int ID_JOINTS_SELECT = 32823;
constexpr int ID_JOINTS_ADD = 32825;
constexpr int ID_JOINTS_MOVE = 33051;
constexpr int ID_JOINTS_DELETE = 32773;
constexpr int ID_JOINTS_PROPERTIES = 32816;

// Guides
constexpr int ID_GUIDES_MOVE_FOCUS = 32859;
constexpr int ID_GUIDES_MOVE_ORIGIN = 33014;
constexpr int ID_GUIDES_XY_PLANE_TO_CURSOR = 32849;
constexpr int ID_GUIDES_XY_PLANE_TO_JOINT = 32904;
constexpr int ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE = 32905;
constexpr int ID_GUIDES_XY_REPLICATE_AND_MOVE = 32906;
constexpr int ID_GUIDES_XY_REPLICATE_TO_JOINT = 32990;
constexpr int ID_GUIDES_XZ_PLANE_TO_CURSOR = 32827;
constexpr int ID_GUIDES_XZ_PLANE_TO_JOINT = 32903;
constexpr int ID_GUIDES_XZ_MOVE_JOINTS_AND_PLANE = 32901;
constexpr int ID_GUIDES_XZ_REPLICATE_AND_MOVE = 32902;
constexpr int ID_GUIDES_XZ_REPLICATE_TO_JOINT = 32991;
constexpr int ID_GUIDES_YZ_PLANE_TO_CURSOR = 32826;
constexpr int ID_GUIDES_YZ_PLANE_TO_JOINT = 32907;
constexpr int ID_GUIDES_YZ_MOVE_JOINTS_AND_PLANE = 32908;
constexpr int ID_GUIDES_YZ_REPLICATE_AND_MOVE = 32909;
constexpr int ID_GUIDES_YZ_REPLICATE_TO_JOINT = 32992;

// Members
constexpr int ID_MEMBERS_ADD = 33017;
constexpr int ID_MEMBERS_DELETE = 32788;
constexpr int ID_MEMBERS_CHANGE_SHAPE = 32913;
constexpr int ID_MEMBERS_CHANGE_MATERIAL = 32912;
constexpr int ID_MEMBERS_COLOR_PAINT = 32915;
constexpr int ID_MEMBERS_COLOR_COPY = 32914;
constexpr int ID_MEMBERS_HIDE = 32934;
constexpr int ID_MEMBERS_SHOW = 32967;
constexpr int ID_MEMBERS_PROPERTIES = 32817;
constexpr int ID_MEMBERS_NEGATE = 32971;
constexpr int ID_MEMBERS_RESTORE = 32973;
constexpr int ID_MEMBERS_COPY_PROPERTIES = 32997;

// Split member at 10 % .. 90 % (no menu, toolbar or accelerator entry)
constexpr int ID_MEMBERS_SPLIT_10 = 32873;
constexpr int ID_MEMBERS_SPLIT_20 = 32874;
constexpr int ID_MEMBERS_SPLIT_30 = 32875;
constexpr int ID_MEMBERS_SPLIT_40 = 32876;
constexpr int ID_MEMBERS_SPLIT_50 = 32877;
constexpr int ID_MEMBERS_SPLIT_60 = 32878;
constexpr int ID_MEMBERS_SPLIT_70 = 32879;
constexpr int ID_MEMBERS_SPLIT_80 = 32880;
constexpr int ID_MEMBERS_SPLIT_90 = 32881;

// Supports
constexpr int ID_SUPPORTS_YZ_ROLLER = 32899;
constexpr int ID_SUPPORTS_XY_ROLLER = 32898;
constexpr int ID_SUPPORTS_XZ_ROLLER = 32789;
constexpr int ID_SUPPORTS_X_ROLLER = 33026;
constexpr int ID_SUPPORTS_Y_ROLLER = 33028;
constexpr int ID_SUPPORTS_Z_ROLLER = 33029;
constexpr int ID_SUPPORTS_HINGE = 32815;
constexpr int ID_SUPPORTS_FIXED = 32790;
constexpr int ID_SUPPORTS_DELETE = 32900;

// Loads
constexpr int ID_LOADS_FORCE_X = 32794;
constexpr int ID_LOADS_FORCE_Y = 32793;
constexpr int ID_LOADS_FORCE_Z = 32796;
constexpr int ID_LOADS_DELETE_FORCE = 32970;

// File / plane tiles
constexpr int ID_FILE_XY_TILES_MOVE = 32964;
constexpr int ID_FILE_XZ_TILES_MOVE = 32965;
constexpr int ID_FILE_YZ_TILES_MOVE = 32966;
