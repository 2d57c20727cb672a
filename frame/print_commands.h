// The print commands of the main frame: File/Print XY, XZ and YZ Plane.
#pragma once

// Each prints its plane with the variant of the model's units and the tile
// orientation (g_bMetricUnits, g_bTileLandscape).
void FilePrintXYPlane();
void FilePrintXZPlane();
void FilePrintYZPlane();

// Runs one of the commands above; false for any other id.
bool RunPrintCommand(int commandId);
