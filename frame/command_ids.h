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

// ---- framework commands ----
constexpr int ID_FILE_NEW = 57600;         // Ctrl+N, no menu item
constexpr int ID_FILE_OPEN = 57601;        // Ctrl+O of the framework (bound to Open Model)
constexpr int ID_FILE_SAVE = 57603;        // Ctrl+S of the framework (bound to Save Model)
constexpr int ID_FILE_PRINT = 57607;       // Ctrl+P, the view's standard print
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_MANUAL = 57666;
constexpr int ID_VIEW_TOOLBAR = 59392;

// ---- File ----
constexpr int ID_FILE_NEW_US_UNITS = 32951;
constexpr int ID_FILE_NEW_METRIC_UNITS = 32952;
constexpr int ID_FILE_NEW_BRIDGE_PROJECT = 33046;
constexpr int ID_FILE_NEW_TOWER_PROJECT = 33050;
constexpr int ID_FILE_OPEN_MODEL = 32771;
constexpr int ID_FILE_SAVE_MODEL = 32805;
constexpr int ID_FILE_SAVE_MODEL_AS = 32806;
constexpr int ID_FILE_TILE_PORTRAIT = 32989;
constexpr int ID_FILE_TILE_LANDSCAPE = 32988;
constexpr int ID_FILE_XY_TILES_SHOW = 32960;
constexpr int ID_FILE_XZ_TILES_SHOW = 32961;
constexpr int ID_FILE_YZ_TILES_SHOW = 32962;
constexpr int ID_FILE_PRINT_XY_PLANE = 32807;
constexpr int ID_FILE_PRINT_XZ_PLANE = 32955;
constexpr int ID_FILE_PRINT_YZ_PLANE = 32956;
constexpr int ID_FILE_IMPORT_2D = 32779;
constexpr int ID_FILE_EXPORT_DXF = 32780;
constexpr int ID_FILE_SAVE_OUTPUT = 33024;
constexpr int ID_OUT_JOINT_DATA = 32917;
constexpr int ID_OUT_MEMBER_DATA = 33025;
constexpr int ID_OUT_MATERIAL_DATA = 32918;
constexpr int ID_OUT_SHAPE_DATA = 32919;
constexpr int ID_OUT_LOAD_DATA = 32921;
constexpr int ID_OUT_BILL_OF_MATERIALS = 32931;
constexpr int ID_OUT_ULTIMATE_FORCES = 32923;
constexpr int ID_OUT_ACTUAL_FORCES = 32922;
constexpr int ID_OUT_STRENGTH_RATIOS = 32924;

// ---- Edit ----
constexpr int ID_EDIT_COPY_TO_CLIPBOARD = 33048;
constexpr int ID_EDIT_PREFERENCES = 32954;

// ---- Help ----
constexpr int ID_HELP_MAKER_WEB_SITE = 32978;
constexpr int ID_HELP_RESOURCE_SITE = 33062;
constexpr int ID_HELP_SHOW_WARNING = 33032;

// ---- View ----
constexpr int ID_VIEW_JOINTS = 33100;
constexpr int ID_VIEW_LOADS = 33101;
constexpr int ID_VIEW_SUPPORTS = 33102;
constexpr int ID_VIEW_XY_BASE_PLANE = 33103;
constexpr int ID_VIEW_XZ_BASE_PLANE = 33104;
constexpr int ID_VIEW_YZ_BASE_PLANE = 33105;
constexpr int ID_VIEW_RULERS = 33106;
constexpr int ID_VIEW_SHOW_ORIGIN = 33107;
constexpr int ID_VIEW_SHOW_FOCUS = 33108;
constexpr int ID_VIEW_SHOW_MODEL_WEIGHT = 33109;
constexpr int ID_VIEW_SHOW_ALL = 33110;
constexpr int ID_VIEW_HIDE_ALL = 33111;
constexpr int ID_VIEW_REFRESH_SCREEN = 33112;
constexpr int ID_VIEW_BACKGROUND_COLOR = 33113;
constexpr int ID_VIEW_AMBIENT_LIGHT = 33114;
constexpr int ID_VIEW_DIRECT_LIGHT = 33115;
constexpr int ID_VIEW_DEFAULT_LIGHTING = 33116;
constexpr int ID_VIEW_ADVANCED_OPTIONS = 33117;
constexpr int ID_VIEW_GOTO_FRONT_FAR = 33001;
constexpr int ID_VIEW_GOTO_LEFT_FAR = 33002;
constexpr int ID_VIEW_GOTO_TOP_FAR = 33003;
constexpr int ID_VIEW_GOTO_BOTTOM_FAR = 33004;
constexpr int ID_VIEW_GOTO_FRONT_NEAR = 33005;
constexpr int ID_VIEW_GOTO_LEFT_NEAR = 33006;
constexpr int ID_VIEW_GOTO_RIGHT_NEAR = 33007;
constexpr int ID_VIEW_GOTO_TOP_NEAR = 33008;
constexpr int ID_VIEW_GOTO_BOTTOM_NEAR = 33009;
constexpr int ID_VIEW_GOTO_PERSPECTIVE = 33010;
constexpr int ID_VIEW_GOTO_RIGHT_FAR = 33011;
constexpr int ID_VIEW_GOTO_BACK_NEAR = 33012;
constexpr int ID_VIEW_GOTO_BACK_FAR = 33013;

// ---- Guides ----
constexpr int ID_GUIDES_RESET_ORIGIN = 33120;
constexpr int ID_GUIDES_XY_SHOW = 33121;
constexpr int ID_GUIDES_XZ_SHOW = 33122;
constexpr int ID_GUIDES_YZ_SHOW = 33123;

// ---- Members ----
constexpr int ID_MEMBERS_NEGATE_ALL = 33130;
constexpr int ID_MEMBERS_RESTORE_ALL = 33131;
constexpr int ID_MEMBERS_HIDE_ALL = 33132;
constexpr int ID_MEMBERS_SHOW_ALL = 33133;
constexpr int ID_MEMBERS_SHOW_MEMBER_NUMBERS = 33134;
constexpr int ID_MEMBERS_SHOW_SHAPE_NUMBERS = 33135;
constexpr int ID_MEMBERS_SHOW_MATERIAL_NUMBERS = 33136;
constexpr int ID_MEMBERS_SET_DEFAULTS = 33137;
constexpr int ID_MEMBERS_EDIT_SHAPES = 33138;
constexpr int ID_MEMBERS_EDIT_MATERIALS = 33139;
constexpr int ID_MEMBERS_COLOR_SET_DEFAULT = 33140;
constexpr int ID_MEMBERS_RESET_FIXITIES = 33141;

// ---- Joints ----
constexpr int ID_JOINTS_SELECT_ALL = 33150;
constexpr int ID_JOINTS_CLEAR_SELECTIONS = 33151;
constexpr int ID_JOINTS_FIND_DUPLICATES = 33152;
constexpr int ID_JOINTS_USE_SPLIT_DIALOG = 33153;
constexpr int ID_JOINTS_SIZE_SMALL = 33154;
constexpr int ID_JOINTS_SIZE_DEFAULT = 33155;
constexpr int ID_JOINTS_SIZE_LARGE = 33156;

// ---- Loads ----
constexpr int ID_LOADS_SHOW_FORCES_X = 33160;
constexpr int ID_LOADS_SHOW_FORCES_Y = 33161;
constexpr int ID_LOADS_SHOW_FORCES_Z = 33162;
constexpr int ID_LOADS_SET_DEFAULT_FORCE = 33163;
constexpr int ID_LOADS_USE_TRUCK = 33164;
constexpr int ID_LOADS_TRUCK_AXLE_LOADS = 33165;
constexpr int ID_LOADS_USE_FAN = 33166;
constexpr int ID_LOADS_TOWER_DEFAULTS = 33167;

// ---- Analysis ----
constexpr int ID_ANALYSIS_RUN = 33170;
constexpr int ID_ANALYSIS_CLEAR_RESULTS = 33171;
constexpr int ID_ANALYSIS_RESET_GEOMETRY = 33172;
constexpr int ID_ANALYSIS_GLOBAL_DATA = 33173;
constexpr int ID_ANALYSIS_MEMBER_RESULTS = 33174;
constexpr int ID_ANALYSIS_JOINT_RESULTS = 33175;
constexpr int ID_ANALYSIS_LAUNCH_FILE_VIEWER = 32862;
constexpr int ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER = 32957;
constexpr int ID_OPT_CONSIDER_AXIAL = 33180;
constexpr int ID_OPT_CONSIDER_BENDING = 33181;
constexpr int ID_OPT_CONSIDER_SHEAR = 33182;
constexpr int ID_OPT_CONSIDER_TORSION = 33183;
constexpr int ID_OPT_INCLUDE_SELF_WEIGHT = 33184;
constexpr int ID_OPT_INCLUDE_ECCENTRICITY = 33185;
constexpr int ID_OPT_FIND_BREAKING_FORCES = 33186;
constexpr int ID_OPT_NO_ANIMATION = 33187;
constexpr int ID_OPT_ANIMATE_DISPLACEMENT = 33188;
constexpr int ID_OPT_ANIMATE_COLLAPSE = 33189;
constexpr int ID_OPT_SPEED_FAST = 33190;
constexpr int ID_OPT_SPEED_50 = 33191;
constexpr int ID_OPT_SPEED_MEDIUM = 33192;
constexpr int ID_OPT_SPEED_500 = 33193;
constexpr int ID_OPT_SPEED_SLOW = 33194;
constexpr int ID_OPT_MAGNIFY_NONE = 33195;
constexpr int ID_OPT_MAGNIFY_2 = 33196;
constexpr int ID_OPT_MAGNIFY_5 = 33197;
constexpr int ID_OPT_MAGNIFY_10 = 33198;
constexpr int ID_OPT_MAGNIFY_20 = 33199;
constexpr int ID_OPT_MAGNIFY_50 = 33200;
constexpr int ID_OPT_MAGNIFY_100 = 33201;
constexpr int ID_OPT_COLOR_AXIAL = 33202;
constexpr int ID_OPT_COLOR_BENDING = 33203;
constexpr int ID_OPT_COLOR_FAILED = 33204;
