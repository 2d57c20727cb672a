// Control ids of every dialog of TF3D, one group per dialog. Ids are unique
// within their dialog only. OK and Cancel are the toolkit's own buttons.
// Labels that change text but have no id of their own take one from 1900 up.
#pragma once

constexpr int IDC_OK = 1;
constexpr int IDC_CANCEL = 2;

// ---- Edit Material ----
constexpr int IDC_MAT_NO_LABEL = 1073;
constexpr int IDC_MAT_ROW = 1114;
constexpr int IDC_MAT_NAME_LABEL = 1074;
constexpr int IDC_MAT_NAME = 1075;
constexpr int IDC_MAT_CHANGE_COLOR = 1206;
constexpr int IDC_MAT_SWATCH = 1207;
constexpr int IDC_MAT_BALSA = 1119;
constexpr int IDC_MAT_BASS = 1121;
constexpr int IDC_MAT_DENSITY_LABEL = 1090;
constexpr int IDC_MAT_DENSITY = 1091;
constexpr int IDC_MAT_E_LABEL = 1076;
constexpr int IDC_MAT_E = 1077;
constexpr int IDC_MAT_G_LABEL = 1078;
constexpr int IDC_MAT_G = 1079;
constexpr int IDC_MAT_TENSION_LABEL = 1080;
constexpr int IDC_MAT_TENSION = 1081;
constexpr int IDC_MAT_COMPRESSION_LABEL = 1082;
constexpr int IDC_MAT_COMPRESSION = 1083;
constexpr int IDC_MAT_BENDING_LABEL = 1084;
constexpr int IDC_MAT_BENDING = 1085;
constexpr int IDC_MAT_SHEAR_LABEL = 1086;
constexpr int IDC_MAT_SHEAR = 1087;
constexpr int IDC_MAT_PREVIOUS = 1088;
constexpr int IDC_MAT_NEXT = 1089;
constexpr int IDC_MAT_COPY = 1117;
constexpr int IDC_MAT_PASTE = 1118;
constexpr int IDC_MAT_DEFAULT = 1095;

// ---- Edit Shapes ----
constexpr int IDC_SHP_NO_LABEL = 1052;
constexpr int IDC_SHP_ROW = 1053;
constexpr int IDC_SHP_NAME_LABEL = 1054;
constexpr int IDC_SHP_NAME = 1055;
constexpr int IDC_SHP_HEIGHT_LABEL = 1056;
constexpr int IDC_SHP_HEIGHT = 1057;
constexpr int IDC_SHP_WIDTH_LABEL = 1058;
constexpr int IDC_SHP_WIDTH = 1059;
constexpr int IDC_SHP_SEPARATION_LABEL = 1060;
constexpr int IDC_SHP_SEPARATION = 1061;
constexpr int IDC_SHP_RECTANGULAR = 1093;
constexpr int IDC_SHP_CIRCULAR = 1441;
constexpr int IDC_SHP_SECTION_LABEL = 1442;
constexpr int IDC_SHP_AREA_LABEL = 1198;
constexpr int IDC_SHP_AREA = 1032;
constexpr int IDC_SHP_IX_LABEL = 1064;
constexpr int IDC_SHP_IX = 1065;
constexpr int IDC_SHP_IY_LABEL = 1066;
constexpr int IDC_SHP_IY = 1067;
constexpr int IDC_SHP_IZ_LABEL = 1199;
constexpr int IDC_SHP_IZ = 1068;
constexpr int IDC_SHP_SY_LABEL = 1069;
constexpr int IDC_SHP_SY = 1070;
constexpr int IDC_SHP_SZ_LABEL = 1071;
constexpr int IDC_SHP_SZ = 1072;
constexpr int IDC_SHP_NEXT = 1062;
constexpr int IDC_SHP_PREVIOUS = 1063;
constexpr int IDC_SHP_COPY = 1115;
constexpr int IDC_SHP_PASTE = 1116;
constexpr int IDC_SHP_DEFAULT = 1094;

// ---- Trussforge3D Preferences ----
constexpr int IDC_PREF_XMAX = 1032;
constexpr int IDC_PREF_YMAX = 1124;
constexpr int IDC_PREF_ZMAX = 1125;
constexpr int IDC_PREF_XMAX_LABEL = 1121;
constexpr int IDC_PREF_YMAX_LABEL = 1122;
constexpr int IDC_PREF_ZMAX_LABEL = 1123;
constexpr int IDC_PREF_TEXT_VIEWER = 1128;
constexpr int IDC_PREF_GRAPHIC_VIEWER = 1129;
constexpr int IDC_PREF_BROWSER = 1191;
constexpr int IDC_PREF_MANUAL = 1194;
constexpr int IDC_PREF_ANGULAR = 1213;
constexpr int IDC_PREF_ANGULAR_LABEL = 1211;
constexpr int IDC_PREF_LINEAR = 1212;
constexpr int IDC_PREF_LINEAR_LABEL = 1210;
constexpr int IDC_PREF_SOUND_ON = 1023;
constexpr int IDC_PREF_BROWSE_TEXT_VIEWER = 1130;
constexpr int IDC_PREF_BROWSE_GRAPHIC_VIEWER = 1131;
constexpr int IDC_PREF_BROWSE_BROWSER = 1192;
constexpr int IDC_PREF_BROWSE_MANUAL = 1195;
constexpr int IDC_PREF_DEFAULT = 1216;
constexpr int IDC_PREF_SAVE = 1026;

// ---- Joint Properties ----
constexpr int IDC_JNT_NUMBER = 1293;
constexpr int IDC_JNT_X = 1032;
constexpr int IDC_JNT_Y = 1096;
constexpr int IDC_JNT_Z = 1098;
constexpr int IDC_JNT_TX = 1023;
constexpr int IDC_JNT_TY = 1103;
constexpr int IDC_JNT_TZ = 1104;
constexpr int IDC_JNT_RX = 1105;
constexpr int IDC_JNT_RY = 1106;
constexpr int IDC_JNT_RZ = 1107;
constexpr int IDC_JNT_SELECTED = 1231;
constexpr int IDC_JNT_FORCE_X = 1033;
constexpr int IDC_JNT_FORCE_Y = 1034;
constexpr int IDC_JNT_FORCE_Z = 1035;
constexpr int IDC_JNT_TRANS_X = 1342;
constexpr int IDC_JNT_TRANS_Y = 1344;
constexpr int IDC_JNT_TRANS_Z = 1343;
constexpr int IDC_JNT_ADD_JOINT = 1218;
constexpr int IDC_JNT_PREVIOUS = 1219;
constexpr int IDC_JNT_NEXT = 1220;
constexpr int IDC_JNT_APPLY = 1345;
constexpr int IDC_JNT_H = 1419;
constexpr int IDC_JNT_SUPPORTS_GROUP = 1336;
constexpr int IDC_JNT_X_LABEL = 1900;
constexpr int IDC_JNT_Y_LABEL = 1901;
constexpr int IDC_JNT_Z_LABEL = 1902;
constexpr int IDC_JNT_FORCE_X_LABEL = 1903;
constexpr int IDC_JNT_FORCE_Y_LABEL = 1904;
constexpr int IDC_JNT_FORCE_Z_LABEL = 1905;

// ---- Member Properties ----
constexpr int IDC_MEM_NUMBER = 1292;
constexpr int IDC_MEM_START_JOINT = 1032;
constexpr int IDC_MEM_END_JOINT = 1164;
constexpr int IDC_MEM_USE_TORSION = 1023;
constexpr int IDC_MEM_MYY1 = 1166;
constexpr int IDC_MEM_MZZ1 = 1167;
constexpr int IDC_MEM_MYY2 = 1168;
constexpr int IDC_MEM_MZZ2 = 1169;
constexpr int IDC_MEM_EFF_ZZ = 1171;
constexpr int IDC_MEM_UD_ZZ = 1323;
constexpr int IDC_MEM_EFF_YY = 1173;
constexpr int IDC_MEM_UD_YY = 1324;
constexpr int IDC_MEM_ACTUAL_LENGTH = 1175;
constexpr int IDC_MEM_ROLL = 1182;
constexpr int IDC_MEM_ROLL_UNIT = 1335;
constexpr int IDC_MEM_OFFSET_Y = 1402;
constexpr int IDC_MEM_OFFSET_Z = 1405;
constexpr int IDC_MEM_HIDE = 1225;
constexpr int IDC_MEM_NEGATE = 1226;
constexpr int IDC_MEM_RUNNER = 1407;
constexpr int IDC_MEM_SHAPE = 1401;
constexpr int IDC_MEM_MATERIAL = 1400;
constexpr int IDC_MEM_NEXT = 1221;
constexpr int IDC_MEM_PREVIOUS = 1222;
constexpr int IDC_MEM_APPLY = 1398;
constexpr int IDC_MEM_H = 1408;
constexpr int IDC_MEM_START_MOMENTS_GROUP = 1906;
constexpr int IDC_MEM_END_MOMENTS_GROUP = 1907;
constexpr int IDC_MEM_EFF_ZZ_LABEL = 1908;
constexpr int IDC_MEM_EFF_YY_LABEL = 1909;
constexpr int IDC_MEM_ACTUAL_LENGTH_LABEL = 1910;
constexpr int IDC_MEM_OFFSET_Y_LABEL = 1911;
constexpr int IDC_MEM_OFFSET_Z_LABEL = 1912;

// ---- Default Member Properties ----
constexpr int IDC_DEF_MATERIAL = 1001;
constexpr int IDC_DEF_SHAPE = 1002;
constexpr int IDC_DEF_MATERIAL_ROW = 1187;
constexpr int IDC_DEF_SHAPE_ROW = 1186;
constexpr int IDC_DEF_ROTATION = 1032;
constexpr int IDC_DEF_OFFSET_Y = 1033;
constexpr int IDC_DEF_OFFSET_Z = 1034;
constexpr int IDC_DEF_RESET = 1418;

// ---- Create Joint in Member ----
constexpr int IDC_SPLIT_PERCENT = 1032;

// ---- Member Results ----
constexpr int IDC_MRES_NUMBER = 1032;
constexpr int IDC_MRES_SENSE = 1432;
constexpr int IDC_MRES_AXIAL1 = 1235;
constexpr int IDC_MRES_AXIAL2 = 1266;
constexpr int IDC_MRES_SHEAR1_ZZ = 1245;
constexpr int IDC_MRES_SHEAR1_YY = 1287;
constexpr int IDC_MRES_SHEAR2_ZZ = 1290;
constexpr int IDC_MRES_SHEAR2_YY = 1293;
constexpr int IDC_MRES_TORSION1 = 1277;
constexpr int IDC_MRES_TORSION2 = 2;
constexpr int IDC_MRES_M1ZZ = 1247;
constexpr int IDC_MRES_M1YY = 1248;
constexpr int IDC_MRES_M2ZZ = 1249;
constexpr int IDC_MRES_M2YY = 1250;
constexpr int IDC_MRES_ULT_TENSION = 1237;
constexpr int IDC_MRES_ULT_COMPRESSION = 1282;
constexpr int IDC_MRES_ULT_SHEAR = 1267;
constexpr int IDC_MRES_ULT_TORSION = 1268;
constexpr int IDC_MRES_ULT_MZZ = 1269;
constexpr int IDC_MRES_ULT_MYY = 1270;
constexpr int IDC_MRES_LENGTH = 1296;
constexpr int IDC_MRES_LZZ = 1299;
constexpr int IDC_MRES_LYY = 1302;
constexpr int IDC_MRES_RATIO_AXIAL = 1306;
constexpr int IDC_MRES_RATIO_MYY = 1311;
constexpr int IDC_MRES_RATIO_MZZ = 1305;
constexpr int IDC_MRES_RATIO_VYY = 1304;
constexpr int IDC_MRES_RATIO_VZZ = 1312;
constexpr int IDC_MRES_RATIO_TORSION = 1307;
constexpr int IDC_MRES_RATIO_AM = 1251;
constexpr int IDC_MRES_RATIO_ST = 1252;
constexpr int IDC_MRES_STATUS_FIRST = 1334;  // 1334..1341: the six mode ratios, then A-M and S-T
constexpr int IDC_MRES_CLOSE = 1;
constexpr int IDC_MRES_PREVIOUS = 1279;
constexpr int IDC_MRES_NEXT = 1280;
constexpr int IDC_MRES_FORCE_UNIT_FIRST = 1913;   // 1913..1924: units of the forces, in the order above
constexpr int IDC_MRES_ULT_UNIT_FIRST = 1925;     // 1925..1930
constexpr int IDC_MRES_LENGTH_UNIT_FIRST = 1931;  // 1931..1933

// ---- Joint Results ----
constexpr int IDC_JRES_NUMBER = 1032;
constexpr int IDC_JRES_DISP_X = 1358;
constexpr int IDC_JRES_DISP_Y = 1362;
constexpr int IDC_JRES_DISP_Z = 1363;
constexpr int IDC_JRES_ROT_X = 1370;
constexpr int IDC_JRES_ROT_Y = 1371;
constexpr int IDC_JRES_ROT_Z = 1372;
constexpr int IDC_JRES_LIMIT_X = 1378;
constexpr int IDC_JRES_LIMIT_Y = 1382;
constexpr int IDC_JRES_LIMIT_Z = 1383;
constexpr int IDC_JRES_LIMIT_RX = 1390;
constexpr int IDC_JRES_LIMIT_RY = 1391;
constexpr int IDC_JRES_LIMIT_RZ = 1392;
constexpr int IDC_JRES_OK = 1;
constexpr int IDC_JRES_PREVIOUS = 1351;
constexpr int IDC_JRES_NEXT = 1352;
constexpr int IDC_JRES_CLOSE = 1396;
constexpr int IDC_JRES_DEFAULTS = 1397;
constexpr int IDC_JRES_DISP_UNIT_FIRST = 1934;  // 1934..1936: the translation units
constexpr int IDC_JRES_LIMIT_UNIT_FIRST = 1943;  // 1943..1945: the translation limits' units

// ---- Model Data ----
constexpr int IDC_MDATA_LBS = 1032;
constexpr int IDC_MDATA_GRAMS = 1033;
constexpr int IDC_MDATA_JOINTS = 1290;
constexpr int IDC_MDATA_MEMBERS = 1291;
constexpr int IDC_MDATA_DEFLECTION_X = 1350;
constexpr int IDC_MDATA_DEFLECTION_Y = 1351;
constexpr int IDC_MDATA_DEFLECTION_Z = 1352;
constexpr int IDC_MDATA_LOAD_X = 1359;
constexpr int IDC_MDATA_LOAD_Y = 1360;
constexpr int IDC_MDATA_LOAD_Z = 1361;
constexpr int IDC_MDATA_DEFLECTION_UNIT_FIRST = 1937;  // 1937..1939
constexpr int IDC_MDATA_LOAD_UNIT_FIRST = 1940;        // 1940..1942

// ---- Default Forces ----
constexpr int IDC_FORCE_X_GROUP = 1039;
constexpr int IDC_FORCE_Y_GROUP = 1035;
constexpr int IDC_FORCE_Z_GROUP = 1040;
constexpr int IDC_FORCE_X = 1041;
constexpr int IDC_FORCE_Y = 1032;
constexpr int IDC_FORCE_Z = 1042;
constexpr int IDC_FORCE_X_LABEL = 1047;
constexpr int IDC_FORCE_Y_LABEL = 1045;
constexpr int IDC_FORCE_Z_LABEL = 1046;
constexpr int IDC_FORCE_X_TRANSLATED = 1048;
constexpr int IDC_FORCE_Y_TRANSLATED = 1049;
constexpr int IDC_FORCE_Z_TRANSLATED = 1050;

// ---- Axle Loads ----
constexpr int IDC_AXLE_FRONT = 1033;
constexpr int IDC_AXLE_REAR = 1032;
constexpr int IDC_AXLE_FRONT_LABEL = 1437;
constexpr int IDC_AXLE_REAR_LABEL = 1438;
constexpr int IDC_AXLE_DEFAULT = 1410;

// ---- Tower Defaults ----
constexpr int IDC_TOWER_WIND = 1032;
constexpr int IDC_TOWER_WIND_LABEL = 1433;
constexpr int IDC_TOWER_EMPTY_TANK = 1023;
constexpr int IDC_TOWER_REVERSE_WIND = 1440;

// ---- Intensity ----
constexpr int IDC_INTENSITY_SLIDER = 1110;
constexpr int IDC_INTENSITY_LABEL = 1113;

// ---- Opengl Pixel Format ----
constexpr int IDC_PFD_DRAW_TO_WINDOW = 1023;
constexpr int IDC_PFD_DRAW_TO_BITMAP = 1024;
constexpr int IDC_PFD_SUPPORT_GDI = 1025;
constexpr int IDC_PFD_SUPPORT_OPENGL = 1026;
constexpr int IDC_PFD_GENERIC_FORMAT = 1027;
constexpr int IDC_PFD_GENERIC_ACCELERATED = 1028;
constexpr int IDC_PFD_DOUBLEBUFFER = 1029;
constexpr int IDC_PFD_NEED_PALETTE = 1030;
constexpr int IDC_PFD_NEED_SYSTEM_PALETTE = 1031;
constexpr int IDC_PFD_RGBA = 1445;
constexpr int IDC_PFD_COLOR_INDEX = 1446;
constexpr int IDC_PFD_COLOR_BITS = 1032;
constexpr int IDC_PFD_DEPTH_BITS = 1033;
