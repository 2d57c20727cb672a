// Unit factors. A U.S. model measures lengths in inches and weights in
// pounds, a metric one in centimetres and newtons. Where a factor is used in
// both precisions, the float form is the double rounded once.
#pragma once

constexpr float kCentimetresPerInch = 2.54f;
constexpr float kCubicInchesPerCubicFoot = 1728.0f;

// Degrees in a radian; divide by it for radians.
constexpr float kDegreesPerRadian = 57.29578f;
// The coarser factor that the truck's tilt (in degrees) is computed and
// turned back into radians with.
constexpr double kTruckDegreesPerRadian = 57.296;
constexpr float kTruckDegreesPerRadianF = static_cast<float>(kTruckDegreesPerRadian);

constexpr double kGramsPerPound = 453.5923767;
constexpr float kGramsPerPoundF = static_cast<float>(kGramsPerPound);
// The shorter factor the model data turn grams back into pounds with.
constexpr float kGramsPerPoundShort = 453.59f;
constexpr double kGramsPerNewton = 101.94;
constexpr float kGramsPerNewtonF = static_cast<float>(kGramsPerNewton);
constexpr float kNewtonsPerKilogram = 9.81f;
