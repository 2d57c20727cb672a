// Import of the older 2D model file (".tfd"): a plane truss in whole drawing
// units, turned into a flat 3D model standing in the plane z = 10.
#pragma once

#include <string>

// Reads the 2D model file at path into the (cleared) model tables.
// Returns 1 when the file was read. Returns 0 when it cannot be opened, its
// scale code is unknown, its counts exceed the table limits, a member names a
// joint outside 1..N, a number is malformed or the file ends early; then the
// model, the unit flags and the shape and material tables are left untouched.
int Import2DModelFile(const std::string& path);
