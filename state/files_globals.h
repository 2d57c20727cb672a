// State owned by the files subsystem: the File/Include in Output File
// switches and the shared report text buffer.
#pragma once

// ---- report sections (1 = include; saved in the model file) ----
extern int g_bOutJointData;
extern int g_bOutMemberData;
extern int g_bOutMaterialData;
extern int g_bOutShapeData;
extern int g_bOutLoadData;
extern int g_bOutBillOfMaterials;
extern int g_bOutUltimateForces;
extern int g_bOutActualForces;
extern int g_bOutStrengthRatios;
extern int g_bOutReserved;  // carried by the model file, selects nothing

// ---- report buffer: each formatter leaves its section here, NUL-terminated ----
constexpr int REPORT_BUFFER_SIZE = 65500;
extern char g_szReportBuffer[REPORT_BUFFER_SIZE];

// Restores every global above to its start-up value.
void ResetFilesGlobals();
