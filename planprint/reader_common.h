// What the two model file readers share: the box that says why a file was
// refused, the largest file they take and the largest values they let
// through to printing.
#pragma once

#include <cstddef>
#include <string>

#include "platform/unreadable_file.h"

// Model files are far below this; anything larger is not one.
constexpr std::size_t kMaxModelFileBytes = platform::kMaxModelFileBytes;

// Reads a whole model file into text. A file that cannot be read (a folder,
// pipe or device, a file over kMaxModelFileBytes, one without access) is
// refused with a box that says why, and false is returned.
bool ReadModelFileText(const std::string& path, std::string& text);

// Shows why a file was refused (OK and Cancel, the answer is not used) and
// returns 0.
int RefuseModelFile(const std::string& message);

// "<title message>\n<reason>"
std::string RefusalText(const char* titleMessage, const std::string& reason);

// Printing converts model lengths x 100 to whole logical units; joint
// coordinates and shape heights must lie within this (model units) for the
// whole tiled layout to convert.
constexpr float kMaxPrintableLength = 1e6f;

// Why a joint or a shape is beyond what printing can convert, or "".
std::string FarJointText(int row, float x, float y, float z);
std::string LargeShapeText(int row, float height);
