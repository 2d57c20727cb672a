// What the two model file readers share: the program's caption, the box
// that says why a file was refused, and the largest file they take.
#pragma once

#include <cstddef>
#include <string>

extern const char* const kPlanprintTitle;

// Model files are far below this; anything larger is not one.
constexpr std::size_t kMaxModelFileBytes = 16u << 20;

// Reads a whole model file into text. A file that cannot be read (a folder,
// pipe or device, a file over kMaxModelFileBytes, one without access) is
// refused with a box that says why, and false is returned.
bool ReadModelFileText(const std::string& path, std::string& text);

// Shows why a file was refused (OK and Cancel, the answer is not used) and
// returns 0.
int RefuseModelFile(const std::string& message);

// "<title message>\n<reason>"
std::string RefusalText(const char* titleMessage, const std::string& reason);
