// Generated loads: truck axles, wind, fan and self weight.
#pragma once

int ApplyTruckLoads();             // 0 when the truck is not on the bridge
int ApplyWindLoads(float windSpeed);  // 0 when the speed is 0
void ApplyFanJointLoads(float windSpeed);
void UpdateMemberWeights();
