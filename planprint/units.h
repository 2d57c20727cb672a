// Unit factors of Planprint: an English layout measures in inches, an SI one
// in centimetres.
#pragma once

constexpr double kCentimetresPerInch = 2.54;
constexpr float kCentimetresPerInchF = static_cast<float>(kCentimetresPerInch);
constexpr double kMillimetresPerInch = 25.4;
static_assert(kCentimetresPerInchF == 2.54f, "the float factor is the float nearest 2.54");
