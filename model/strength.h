// Member capacities, strength ratios, breaking force and result colours.
#pragma once

void ComputeUltimateForces();
void ComputeStrengthRatios();
float MaxStrengthRatio();
// Scales loads and results by 1/m + 0.0051; false (nothing scaled) when that
// factor is not a finite positive number.
bool ScaleLoadsToFailure(float m);
void ComputeResultColors();
