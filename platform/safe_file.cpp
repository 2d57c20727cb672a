#include "platform/safe_file.h"

#include "platform/file_system_calls.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace platform {

namespace {

const FileSystemCalls kRealCalls = {::pwrite, ::fsync,  ::close,     ::rename, ::ftruncate,
                                    ::fchmod, ::fchown, ::fsetxattr, ::pread};
const FileSystemCalls* g_calls = &kRealCalls;

const FileSystemCalls& Sys() { return *g_calls; }

constexpr int kMaxLinkDepth = 40;
constexpr size_t kNameMax = 255;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names, through any chain of symbolic links (the
// last one may name a file that does not exist yet).
bool ResolveLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st;
        if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::vector<char> buf(PATH_MAX + 1);
        const ssize_t n = readlink(target.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) return false;
        std::string next(buf.data(), static_cast<size_t>(n));
        if (next.empty()) return false;
        if (next[0] != '/') next = FolderOf(target) + "/" + next;
        target = next;
    }
    errno = ELOOP;
    return false;
}

void SetWhy(std::string* why, const char* what)
{
    if (why) *why = std::string(what) + ": " + std::strerror(errno);
}

// Writes the first size bytes of data from the start of the file; *written
// (when given) counts the bytes that reached it.
bool WriteAll(int fd, const char* data, size_t size, size_t* written = nullptr)
{
    size_t done = 0;
    bool ok = true;
    while (done < size) {
        const ssize_t n = Sys().pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (written) *written = done;
    return ok;
}

bool WriteAll(int fd, const std::string& bytes, size_t* written = nullptr)
{
    return WriteAll(fd, bytes.data(), bytes.size(), written);
}

bool Sync(int fd)
{
    // Some file systems cannot sync; that is not a failed write.
    return Sys().fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS;
}

bool ReadAllFromStart(int fd, std::string& bytes)
{
    bytes.clear();
    char buf[65536];
    off_t at = 0;
    for (;;) {
        const ssize_t n = Sys().pread(fd, buf, sizeof buf, at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        bytes.append(buf, static_cast<size_t>(n));
        at += n;
    }
}

// "<folder>/.<name>.XXXXXX", the name cut so the whole fits the name limit.
std::string TempTemplate(const std::string& target)
{
    const std::string suffix = ".XXXXXX";
    std::string base = BaseOf(target);
    const size_t room = kNameMax - 1 - suffix.size();
    if (base.size() > room) base.resize(room);
    return FolderOf(target) + "/." + base + suffix;
}

// Copies the extended attributes (POSIX ACLs are stored as such) of the
// file at path to the file open as fd. False when one cannot be copied; a
// file system without them has none to copy.
bool CopyAttributes(const std::string& path, int fd)
{
    std::vector<char> names;
    for (int tries = 0;; ++tries) {
        const ssize_t size = llistxattr(path.c_str(), nullptr, 0);
        if (size < 0) return errno == ENOTSUP;
        if (size == 0) return true;
        names.resize(static_cast<size_t>(size));
        const ssize_t got = llistxattr(path.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<size_t>(got));
            break;
        }
        if (errno != ERANGE || tries == 3) return false;  // the list keeps growing
    }
    std::vector<char> value;
    for (size_t at = 0; at < names.size();) {
        const std::string name(names.data() + at, strnlen(names.data() + at, names.size() - at));
        at += name.size() + 1;
        ssize_t got = -1;
        for (int tries = 0; got < 0; ++tries) {
            const ssize_t size = lgetxattr(path.c_str(), name.c_str(), nullptr, 0);
            if (size < 0) return false;
            value.resize(static_cast<size_t>(size) + 1);
            got = lgetxattr(path.c_str(), name.c_str(), value.data(), value.size());
            if (got < 0 && (errno != ERANGE || tries == 3)) return false;
        }
        if (Sys().fsetxattr(fd, name.c_str(), value.data(), static_cast<size_t>(got), 0) != 0) return false;
    }
    return true;
}

// Makes a rename in folder last: the new name survives a power loss.
void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    Sys().fsync(fd);  // the file is in place already; a folder that cannot sync changes nothing
    close(fd);
}

// NotKept: the new file could not be given the old one's owner, group or
// extended attributes; the file is to be written in place instead.
enum class RenameOutcome { Saved, Failed, NotKept };

RenameOutcome SaveByRename(const std::string& target, const struct stat* old, const std::string& bytes,
                           std::string* why)
{
    std::string temp = TempTemplate(target);
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        SetWhy(why, "cannot create a temporary file");
        return RenameOutcome::Failed;
    }
    temp = name.data();

    auto fail = [&](RenameOutcome outcome, const char* what, bool open) {
        const int saved = errno;
        if (open) Sys().close(fd);
        unlink(temp.c_str());
        errno = saved;
        if (outcome == RenameOutcome::Failed) SetWhy(why, what);
        return outcome;
    };

    if (old) {
        if (Sys().fchown(fd, old->st_uid, old->st_gid) != 0) return fail(RenameOutcome::NotKept, "", true);
        if (!CopyAttributes(target, fd)) return fail(RenameOutcome::NotKept, "", true);
        // After the ACL: the mode's group bits become the mask, as in the old file.
        if (Sys().fchmod(fd, old->st_mode & 07777) != 0)
            return fail(RenameOutcome::Failed, "cannot set permissions", true);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        if (Sys().fchmod(fd, 0666 & ~mask) != 0) return fail(RenameOutcome::Failed, "cannot set permissions", true);
    }
    if (!WriteAll(fd, bytes) || !Sync(fd)) return fail(RenameOutcome::Failed, "write failed", true);
    if (Sys().close(fd) != 0) return fail(RenameOutcome::Failed, "write failed", false);
    if (Sys().rename(temp.c_str(), target.c_str()) != 0)
        return fail(RenameOutcome::Failed, "cannot replace the file", false);
    SyncFolder(FolderOf(target));
    return RenameOutcome::Saved;
}

bool HoldsText(int fd, const std::string& text)
{
    std::string now;
    return ReadAllFromStart(fd, now) && now == text;
}

// Gives the file open as fd its old text back after a failed overwrite:
// only the bytes that were written (the first `written`, or all of them
// when the file was cut shorter) and the old length, so that a size limit
// that stopped the save does not stop this too. True when the file holds
// the old text afterwards.
bool PutBack(int fd, const std::string& old, size_t written, bool cut)
{
    const size_t size = cut ? old.size() : std::min(written, old.size());
    struct stat st;
    bool ok = WriteAll(fd, old.data(), size) && fstat(fd, &st) == 0;
    if (ok && static_cast<unsigned long long>(st.st_size) != old.size())
        ok = Sys().ftruncate(fd, static_cast<off_t>(old.size())) == 0;
    ok = ok && Sync(fd);
    return ok || HoldsText(fd, old);
}

// Overwrites the file itself. After a failure at any step the old text is
// put back; the file may be damaged only when it does not hold it then.
SaveResult SaveInPlace(const std::string& target, const std::string& bytes, std::string* why)
{
    const int fd = open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        SetWhy(why, "cannot open the file");
        return SaveResult::NotSaved;
    }
    struct stat st;
    std::string old;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !ReadAllFromStart(fd, old)) {
        if (errno == 0) errno = EINVAL;
        SetWhy(why, "cannot read the file");
        Sys().close(fd);
        return SaveResult::NotSaved;
    }
    size_t written = 0;
    bool cut = false;
    bool ok = WriteAll(fd, bytes, &written);
    if (ok) {
        // A failed truncation may have cut the file all the same.
        cut = bytes.size() < old.size();
        ok = Sys().ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && Sync(fd);
    }
    if (!ok) {
        const int saved = errno;
        SetWhy(why, "write failed");
        const bool restored = PutBack(fd, old, written, cut);
        Sys().close(fd);
        errno = saved;
        return restored ? SaveResult::NotSaved : SaveResult::MayBeDamaged;
    }
    if (Sys().close(fd) != 0) {
        // The new text may not have reached the disk whole; the descriptor
        // is gone either way, so the old text goes back through a new one.
        const int saved = errno;
        SetWhy(why, "write failed");
        const int again = open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        const bool restored = again >= 0 && PutBack(again, old, bytes.size(), bytes.size() < old.size());
        if (again >= 0) Sys().close(again);
        errno = saved;
        return restored ? SaveResult::NotSaved : SaveResult::MayBeDamaged;
    }
    return SaveResult::Saved;
}

}  // namespace

SaveMethod ChooseSaveMethod(const SaveTarget& t)
{
    if (!t.exists) return t.folderWritable ? SaveMethod::Rename : SaveMethod::Refuse;
    if (!t.regular || !t.writable) return SaveMethod::Refuse;
    if (t.folderWritable && t.links == 1 && t.ownerKept) return SaveMethod::Rename;
    return SaveMethod::InPlace;
}

const FileSystemCalls& RealFileSystemCalls() { return kRealCalls; }
void SetFileSystemCalls(const FileSystemCalls* calls) { g_calls = calls ? calls : &kRealCalls; }

void IgnoreFileSizeSignal() { signal(SIGXFSZ, SIG_IGN); }

SaveResult SafeSaveFile(const std::string& path, const std::string& bytes, std::string* why)
{
    IgnoreFileSizeSignal();
    if (path.empty()) {
        if (why) *why = "no file name";
        return SaveResult::NotSaved;
    }
    std::string target;
    if (!ResolveLinks(path, target)) {
        SetWhy(why, "cannot follow the link");
        return SaveResult::NotSaved;
    }

    SaveTarget t;
    struct stat st;
    t.exists = stat(target.c_str(), &st) == 0;
    if (t.exists) {
        t.regular = S_ISREG(st.st_mode);
        t.writable = access(target.c_str(), W_OK) == 0;
        t.links = st.st_nlink;
        t.ownerKept = geteuid() == 0 || st.st_uid == geteuid();
    } else if (errno != ENOENT) {
        SetWhy(why, "cannot reach the file");
        return SaveResult::NotSaved;
    }
    const std::string folder = FolderOf(target);
    t.folderWritable = access(folder.c_str(), W_OK | X_OK) == 0;

    switch (ChooseSaveMethod(t)) {
    case SaveMethod::Refuse:
        if (why) *why = !t.exists ? "the folder cannot be written" : !t.regular ? "not a regular file" : "the file cannot be written";
        return SaveResult::NotSaved;
    case SaveMethod::InPlace: return SaveInPlace(target, bytes, why);
    case SaveMethod::Rename:
        switch (SaveByRename(target, t.exists ? &st : nullptr, bytes, why)) {
        case RenameOutcome::Saved: return SaveResult::Saved;
        case RenameOutcome::Failed: return SaveResult::NotSaved;
        case RenameOutcome::NotKept: return SaveInPlace(target, bytes, why);
        }
    }
    return SaveResult::NotSaved;
}

std::string MayBeDamagedText(const std::string& path)
{
    return "Saving failed and the previous content could not be put back:\n" + path + "\nThe file may be damaged.";
}

std::string SaveFailureText(SaveResult result, const std::string& path, const std::string& notSaved)
{
    switch (result) {
    case SaveResult::Saved: return std::string();
    case SaveResult::MayBeDamaged: return MayBeDamagedText(path);
    case SaveResult::NotSaved: break;
    }
    return notSaved;
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    return ReadFileIfPresent(path, maxBytes, bytes) == ReadResult::Read;
}

ReadResult ReadFileIfPresent(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string* why)
{
    bytes.clear();
    // Non-blocking open: a FIFO without a writer must not hang the program.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return ReadResult::Missing;
        SetWhy(why, "cannot open it");
        return ReadResult::Failed;
    }
    const std::string tooLarge = "it is larger than " + std::to_string(maxBytes) + " bytes";
    struct stat st;
    bool ok = false;
    if (fstat(fd, &st) != 0) {
        SetWhy(why, "cannot read it");
    } else if (!S_ISREG(st.st_mode)) {
        if (why) *why = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
    } else if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        if (why) *why = tooLarge;
    } else if (!ReadAllFromStart(fd, bytes)) {
        SetWhy(why, "read failed");
    } else if (bytes.size() > maxBytes) {  // grew while being read
        if (why) *why = tooLarge;
    } else {
        ok = true;
    }
    close(fd);
    if (ok) return ReadResult::Read;
    bytes.clear();
    return ReadResult::Failed;
}

bool IsSpecialFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

}  // namespace platform
