#include "platform/unreadable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

std::string SizeText(std::size_t bytes)
{
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string UnreadableFileReason(const std::string& path, std::size_t maxBytes)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return std::string(std::strerror(errno)) + ".";
    if (S_ISDIR(st.st_mode)) return "It is a folder.";
    if (S_ISFIFO(st.st_mode)) return "It is a pipe, not a file.";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "It is a device, not a file.";
    if (!S_ISREG(st.st_mode)) return "It is not a regular file.";
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return "It is larger than " + SizeText(maxBytes) + ": no model file is that large.";
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::string(std::strerror(errno)) + ".";
    close(fd);
    return "It could not be read to its end.";
}

}  // namespace platform
