// Import of the older 2D model file (".tfd"): a plane truss in whole drawing
// units, turned into a flat 3D model standing in the plane z = 10.
#pragma once

#include <string>

#include "files/pending_model.h"

// The z of the plane an imported model stands in; the import command moves
// the XY guide plane there.
constexpr float k2DImportPlaneZ = 10;

// Reads and checks the whole 2D model file at path without changing
// anything. False, with why (one line for a box), when it cannot be opened,
// its scale code is unknown, its counts exceed the table limits, a member
// names a joint outside 1..N, a number is malformed or the file ends early.
bool Read2DModelFile(const std::string& path, CPendingModel& model, std::string& why);

// Reads the 2D model file at path into the (cleared) model tables.
// Returns 1 when the file was read. Returns 0 when Read2DModelFile refuses
// it; then the model, the unit flags and the shape and material tables are
// left untouched, and why says why when given.
int Import2DModelFile(const std::string& path, std::string* why = nullptr);
