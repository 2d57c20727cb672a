// Member capacities, strength ratios, breaking force and result colours.
#pragma once

void ComputeUltimateForces();
void ComputeStrengthRatios();
float MaxStrengthRatio();
void ScaleLoadsToFailure(float m);
void ComputeResultColors();
