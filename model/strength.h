// Member capacities, strength ratios, breaking force and result colours.
#pragma once

void ComputeUltimateForces();
void ComputeStrengthRatios();
float MaxStrengthRatio();
// 1/m + 0.0051, the factor that brings the largest strength ratio m to
// breaking; 0 when that is not a finite positive number.
float BreakingForceFactor(float m);
// Scales loads and results by BreakingForceFactor(m); false (nothing scaled)
// when there is no factor.
bool ScaleLoadsToFailure(float m);
void ComputeResultColors();
