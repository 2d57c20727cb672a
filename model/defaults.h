// Built-in U.S. and metric shape and material tables.
#pragma once

void ResetShapeUS(int row);        // rows 0..10; any other row does nothing
void ResetShapeMetric(int row);
void ResetMaterialUS(int row);
void ResetMaterialMetric(int row);
void ResetAllShapes();             // rows 0..10 in the model's unit system
void ResetAllMaterials();
