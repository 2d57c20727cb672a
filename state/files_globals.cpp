#include "state/files_globals.h"

int g_bOutJointData = 1;
int g_bOutMemberData = 1;
int g_bOutMaterialData = 1;
int g_bOutShapeData = 1;
int g_bOutLoadData = 1;
int g_bOutBillOfMaterials = 1;
int g_bOutUltimateForces = 1;
int g_bOutActualForces = 1;
int g_bOutStrengthRatios = 1;
int g_bOutReserved = 1;

char g_szReportBuffer[REPORT_BUFFER_SIZE];

void ResetFilesGlobals()
{
    g_bOutJointData = g_bOutMemberData = g_bOutMaterialData = g_bOutShapeData = 1;
    g_bOutLoadData = g_bOutBillOfMaterials = g_bOutUltimateForces = 1;
    g_bOutActualForces = g_bOutStrengthRatios = 1;
    g_bOutReserved = 1;
    g_szReportBuffer[0] = '\0';
}
