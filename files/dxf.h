// DXF export of the front face (File/Export DXF File).
#pragma once

#include <string>

#include "platform/safe_file.h"

// Writes every member lying in the front face (joints with the largest z) as
// a rectangle of four lines. Saved on success; NotSaved when the file could
// not be created or a write failed (no partial file is left then);
// MayBeDamaged when the failure may have damaged the file.
platform::SaveResult WriteDxfFile(const std::string& path);
