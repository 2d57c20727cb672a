// Why a model file cannot be read at all, in the words both programs show.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The largest model file either program reads; model files are far below it.
constexpr std::size_t kMaxModelFileBytes = 16u << 20;

// Why ReadRegularFile(path, maxBytes, ...) refused path, as one sentence for
// a box: "It is a folder.", "It is a pipe, not a file.", the size limit, or
// the system's reason ("No such file or directory.").
std::string UnreadableFileReason(const std::string& path, std::size_t maxBytes);

}  // namespace platform
