// DXF export of the front face (File/Export DXF File).
#pragma once

#include <string>

// Writes every member lying in the front face (joints with the largest z) as
// a rectangle of four lines. 1 on success; 0 when the file could not be
// created or a write failed (no partial file is left then).
int WriteDxfFile(const std::string& path);
