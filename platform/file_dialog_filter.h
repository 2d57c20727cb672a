// Conversions between the classic file-dialog request and what a desktop
// file chooser takes and gives back.
#pragma once

#include <string>

namespace platform {

// "Name (*.x)|*.x|All Files (*.*)|*.*||" -> "Name (*.x)|*.x|All Files (*.*)|*":
// pairs up to the first empty field; a pattern "*.*" becomes "*" so that it
// also lists files without an extension; a description without a pattern is
// dropped. An empty or unusable filter gives "*".
std::string ChooserWildcard(const std::string& filter);

// The initial name shown in the chooser: "" when the name is a pattern
// ("*.3dd"), else the name itself.
std::string ChooserInitialName(const std::string& fileName);

// path + "." + ext when the file name part of path has no extension (and ext
// is not empty), else path unchanged.
std::string WithDefaultExtension(const std::string& path, const std::string& ext);

}  // namespace platform
