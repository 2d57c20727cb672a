// Fails chosen system calls of the saves (and whole-file reads) made while
// it lives: "the 1st close fails with EIO". Every other call goes to the system.
#pragma once

#include <cerrno>
#include <initializer_list>
#include <vector>

#include "platform/file_system_calls.h"

enum class SaveCall { Write, Fsync, Close, Rename, Ftruncate, Fchmod, Fchown, Fsetxattr, Read, Count };

struct SaveFault {
    SaveCall call;
    int nth;  // from 1, counting the calls of that kind
    int error = EIO;
};

class SaveFaults {
public:
    SaveFaults(std::initializer_list<SaveFault> faults)
    {
        State& s = Get();
        s.faults.assign(faults.begin(), faults.end());
        s.hit.assign(faults.size(), false);
        for (int& n : s.calls) n = 0;
        static const platform::FileSystemCalls calls = {
            [](int fd, const void* b, size_t n, off_t at) -> ssize_t {
                return Fails(SaveCall::Write) ? -1 : Real().pwrite(fd, b, n, at);
            },
            [](int fd) { return Fails(SaveCall::Fsync) ? -1 : Real().fsync(fd); },
            // A failed close releases the descriptor all the same.
            [](int fd) {
                const bool fail = Fails(SaveCall::Close);
                const int saved = errno;
                const int r = Real().close(fd);
                if (!fail) return r;
                errno = saved;
                return -1;
            },
            [](const char* a, const char* b) { return Fails(SaveCall::Rename) ? -1 : Real().rename(a, b); },
            [](int fd, off_t n) { return Fails(SaveCall::Ftruncate) ? -1 : Real().ftruncate(fd, n); },
            [](int fd, mode_t m) { return Fails(SaveCall::Fchmod) ? -1 : Real().fchmod(fd, m); },
            [](int fd, uid_t u, gid_t g) { return Fails(SaveCall::Fchown) ? -1 : Real().fchown(fd, u, g); },
            [](int fd, const char* name, const void* v, size_t n, int flags) {
                return Fails(SaveCall::Fsetxattr) ? -1 : Real().fsetxattr(fd, name, v, n, flags);
            },
            [](int fd, void* b, size_t n, off_t at) -> ssize_t {
                return Fails(SaveCall::Read) ? -1 : Real().pread(fd, b, n, at);
            },
        };
        platform::SetFileSystemCalls(&calls);
    }
    ~SaveFaults() { platform::SetFileSystemCalls(nullptr); }
    SaveFaults(const SaveFaults&) = delete;
    SaveFaults& operator=(const SaveFaults&) = delete;

    // True when every planted fault was reached.
    bool AllHit() const
    {
        for (bool h : Get().hit)
            if (!h) return false;
        return true;
    }
    int Calls(SaveCall c) const { return Get().calls[static_cast<int>(c)]; }

private:
    struct State {
        std::vector<SaveFault> faults;
        std::vector<bool> hit;
        int calls[static_cast<int>(SaveCall::Count)] = {};
    };
    static State& Get()
    {
        static State s;
        return s;
    }
    static const platform::FileSystemCalls& Real() { return platform::RealFileSystemCalls(); }
    static bool Fails(SaveCall c)
    {
        State& s = Get();
        const int n = ++s.calls[static_cast<int>(c)];
        for (size_t i = 0; i < s.faults.size(); ++i) {
            if (s.faults[i].call == c && s.faults[i].nth == n) {
                s.hit[i] = true;
                errno = s.faults[i].error;
                return true;
            }
        }
        return false;
    }
};
