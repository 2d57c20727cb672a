// The system calls that saving (and reading) a file makes, held in one table so that tests
// can fail any step on demand. The programs always use the real calls.
#pragma once

#include <sys/types.h>

namespace platform {

struct FileSystemCalls {
    ssize_t (*pwrite)(int fd, const void* buf, size_t count, off_t offset);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*ftruncate)(int fd, off_t length);
    int (*fchmod)(int fd, mode_t mode);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*fsetxattr)(int fd, const char* name, const void* value, size_t size, int flags);
    ssize_t (*pread)(int fd, void* buf, size_t count, off_t offset);
};

const FileSystemCalls& RealFileSystemCalls();
// Replaces the calls saving makes; nullptr restores the real ones.
void SetFileSystemCalls(const FileSystemCalls* calls);

}  // namespace platform
