// Planprint as a whole: the title its window captions and boxes carry.
#pragma once

inline constexpr const char* kPlanprintTitle = "Planprint";
