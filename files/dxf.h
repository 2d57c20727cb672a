// DXF export of the front face (File/Export DXF File).
#pragma once

#include <string>

#include "platform/safe_file.h"

// Writes every member lying in the front face (joints with the largest z) as
// a rectangle of four lines. 1 on success; 0 when the file could not be
// created or a write failed (no partial file is left then). *result, when
// given, tells a failure that may have damaged the file.
int WriteDxfFile(const std::string& path, platform::SaveResult* result = nullptr);
