#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/safe_file.h"
#include "tests/common/save_faults.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

using namespace platform;

namespace {

// Names in the folder other than the expected ones (a temporary file left behind).
std::vector<std::string> Leftovers(const TempFolder& folder, std::initializer_list<std::string> expected)
{
    std::vector<std::string> extra;
    for (const auto& e : std::filesystem::directory_iterator(folder.path)) {
        const std::string name = e.path().filename();
        if (std::find(expected.begin(), expected.end(), name) == expected.end()) extra.push_back(name);
    }
    return extra;
}

// Runs f in a child process whose files may grow to at most bytes, with the
// size-limit signal as a shell leaves it (it ends the process): f's result,
// or -1 when the child did not end by itself.
template <class F>
int InChildUnderSizeLimit(rlim_t bytes, F f)
{
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_DFL);
        const rlimit small{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &small);
        _exit(f());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// An extended attribute's value, or "<none>".
std::string Attribute(const std::string& path, const char* name)
{
    char value[256];
    const ssize_t n = getxattr(path.c_str(), name, value, sizeof value);
    return n < 0 ? "<none>" : std::string(value, static_cast<size_t>(n));
}

}  // namespace

TEST(SafeFile, ChoosesRenameOnlyWhereItKeepsWhatTheUserHas)
{
    struct Case {
        SaveTarget t;
        SaveMethod expected;
    } cases[] = {
        {{false, true, true, true, 1, true}, SaveMethod::Rename},
        {{false, true, true, false, 1, true}, SaveMethod::Refuse},   // new file, folder read-only
        {{true, true, true, true, 1, true}, SaveMethod::Rename},
        {{true, true, true, false, 1, true}, SaveMethod::InPlace},   // folder read-only, file writable
        {{true, true, true, true, 2, true}, SaveMethod::InPlace},    // hard link
        {{true, true, true, true, 1, false}, SaveMethod::InPlace},   // owner would change
        {{true, false, true, true, 1, true}, SaveMethod::Refuse},    // FIFO or device
        {{true, true, false, true, 1, true}, SaveMethod::Refuse},    // read-only file
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(ChooseSaveMethod(cases[i].t), cases[i].expected) << "case " << i;
}

TEST(SafeFile, SavesNewAndOldFilesKeepingModeLinksAndLongNames)
{
    TempFolder dir("safe_save");
    const std::string file = dir / "model.3dd";
    // A new file takes its mode from the umask.
    struct stat st;
    for (const mode_t mask : {022, 077}) {
        std::remove(file.c_str());
        const mode_t old = umask(mask);
        const SaveResult result = SafeSaveFile(file, "one");
        umask(old);
        ASSERT_EQ(result, SaveResult::Saved);
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask) << std::oct << mask;
    }
    EXPECT_EQ(ReadBytes(file), "one");

    chmod(file.c_str(), 0640);
    {
        // The file and then its folder reach the disk.
        SaveFaults count{};
        ASSERT_EQ(SafeSaveFile(file, "two"), SaveResult::Saved);
        EXPECT_EQ(count.Calls(SaveCall::Fsync), 2);
    }
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(file), "two");

    // Extended attributes and an ACL whose mask is wider than the group's
    // own entry come along to the new file, and the mode stays.
    ASSERT_EQ(setxattr(file.c_str(), "user.tf3d.note", "kept", 4, 0), 0) << "no user attributes in /tmp";
    const bool acl = std::system("command -v setfacl getfacl > /dev/null") == 0;
    if (acl) {
        ASSERT_EQ(std::system(("setfacl -m u:nobody:rw " + file).c_str()), 0);
    }
    const std::string aclText = dir / "acl.txt";
    auto getAcl = [&] {
        const bool ok = acl && std::system(("getfacl -cp " + file + " > " + aclText).c_str()) == 0;
        return ok ? ReadBytes(aclText) : std::string();
    };
    const std::string aclBefore = getAcl();
    EXPECT_TRUE(!acl || aclBefore.find("user:nobody:rw-") != std::string::npos) << aclBefore;
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    const ino_t inode = st.st_ino;
    const mode_t mode = st.st_mode;
    ASSERT_EQ(SafeSaveFile(file, "two, with attributes"), SaveResult::Saved);
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_NE(st.st_ino, inode);  // a new file took the name
    EXPECT_EQ(st.st_mode, mode);
    EXPECT_EQ(Attribute(file, "user.tf3d.note"), "kept");
    EXPECT_EQ(getAcl(), aclBefore);
    std::remove(aclText.c_str());

    // A symbolic link stays a link; its target gets the text.
    const std::string link = dir / "link.3dd";
    ASSERT_EQ(symlink("model.3dd", link.c_str()), 0);
    ASSERT_EQ(SafeSaveFile(link, "three"), SaveResult::Saved);
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadBytes(file), "three");

    // A hard link is not split: both names see the new text.
    const std::string hard = dir / "hard.3dd";
    ASSERT_EQ(::link(file.c_str(), hard.c_str()), 0);
    ASSERT_EQ(SafeSaveFile(hard, "four, longer than before"), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(file), "four, longer than before");
    ASSERT_EQ(SafeSaveFile(file, "5"), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(hard), "5");

    const std::string longName = dir / (std::string(250, 'n') + ".3dd");
    EXPECT_EQ(SafeSaveFile(longName, "long"), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(longName), "long");
    EXPECT_TRUE(Leftovers(dir, {"model.3dd", "link.3dd", "hard.3dd", std::string(250, 'n') + ".3dd"}).empty());
}

// A file-size limit (ulimit -f 4) stops a save without ending the program:
// by rename and, through a second link, in place over a file already larger
// than the limit, where only the bytes written are put back.
TEST(SafeFile, AFailedSaveKeepsTheOldTextAndLeavesNothingBehind)
{
    TempFolder dir("safe_save_fail");
    const std::string file = dir / "report.txt";
    const std::string hard = dir / "other.txt";
    const std::string big(12000, 'x');
    for (const std::string& old : {std::string("old text"), std::string(10600, 'o') + "end"}) {
        WriteBytes(file, old);
        EXPECT_EQ(InChildUnderSizeLimit(4096, [&] { return static_cast<int>(SafeSaveFile(file, big)); }),
                  static_cast<int>(SaveResult::NotSaved));
        EXPECT_EQ(ReadBytes(file), old);
        ASSERT_EQ(::link(file.c_str(), hard.c_str()), 0);
        EXPECT_EQ(InChildUnderSizeLimit(4096, [&] {
                      std::string why;
                      const SaveResult r = SafeSaveFile(hard, big, &why);
                      return why.empty() ? 99 : static_cast<int>(r);
                  }),
                  static_cast<int>(SaveResult::NotSaved));
        EXPECT_EQ(ReadBytes(file), old);
        std::remove(hard.c_str());
        EXPECT_TRUE(Leftovers(dir, {"report.txt"}).empty());
    }
}

// Each step of both ways of saving failed in turn: the old text stays, or
// is put back; only when putting it back fails too may the file be damaged.
TEST(SafeFile, EveryFailedStepOfBothPathsKeepsTheOldTextOrSaysTheFileMayBeDamaged)
{
    struct Case {
        bool inPlace;  // the target has a second hard link
        std::initializer_list<SaveFault> faults;
        SaveResult expected;
        const char* text;  // the file afterwards
    };
    const char* const kOld = "old text of the file\n";
    const char* const kNew = "new text, longer than the old one\n";
    const std::string oldNewTail = kOld + std::string(kNew).substr(std::strlen(kOld));
    const char* const kOldNewTail = oldNewTail.c_str();
    const Case cases[] = {
        {false, {{SaveCall::Fchmod, 1}}, SaveResult::NotSaved, kOld},
        {false, {{SaveCall::Write, 1, ENOSPC}}, SaveResult::NotSaved, kOld},
        {false, {{SaveCall::Fsync, 1}}, SaveResult::NotSaved, kOld},
        {false, {{SaveCall::Close, 1}}, SaveResult::NotSaved, kOld},
        {false, {{SaveCall::Rename, 1}}, SaveResult::NotSaved, kOld},
        {false, {{SaveCall::Fchown, 1, EPERM}}, SaveResult::Saved, kNew},  // written in place instead
        {true, {{SaveCall::Write, 1, ENOSPC}}, SaveResult::NotSaved, kOld},
        {true, {{SaveCall::Ftruncate, 1}}, SaveResult::NotSaved, kOld},
        {true, {{SaveCall::Fsync, 1}}, SaveResult::NotSaved, kOld},
        {true, {{SaveCall::Close, 1}}, SaveResult::NotSaved, kOld},
        {false, {{SaveCall::Fsetxattr, 1, EPERM}}, SaveResult::Saved, kNew},  // written in place instead
        {true, {{SaveCall::Close, 1}, {SaveCall::Write, 2}}, SaveResult::MayBeDamaged, kNew},
        // The old text is back, though its sync failed.
        {true, {{SaveCall::Fsync, 1}, {SaveCall::Fsync, 2}}, SaveResult::NotSaved, kOld},
        {true, {{SaveCall::Fsync, 1}, {SaveCall::Ftruncate, 2}}, SaveResult::MayBeDamaged, kOldNewTail},
    };
    TempFolder dir("safe_save_steps");
    const std::string file = dir / "model.3dd", other = dir / "other.3dd";
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(n++));
        std::remove(other.c_str());
        WriteBytes(file, kOld);
        chmod(file.c_str(), 0640);
        ASSERT_EQ(setxattr(file.c_str(), "user.tf3d.note", "kept", 4, 0), 0);
        if (c.inPlace) {
            ASSERT_EQ(::link(file.c_str(), other.c_str()), 0);
        }
        std::string why;
        SaveResult result;
        {
            SaveFaults faults(c.faults);
            result = SafeSaveFile(file, kNew, &why);
            EXPECT_TRUE(faults.AllHit());
        }
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(why.empty(), result == SaveResult::Saved) << why;
        EXPECT_EQ(ReadBytes(file), c.text);
        struct stat st;
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_EQ(st.st_nlink, c.inPlace ? 2u : 1u);
        EXPECT_EQ(Attribute(file, "user.tf3d.note"), "kept");
        EXPECT_TRUE(Leftovers(dir, {"model.3dd", "other.3dd"}).empty());
    }
    EXPECT_NE(MayBeDamagedText(file).find(file), std::string::npos);
}

TEST(SafeFile, SpecialFilesAreRefusedWithoutBlocking)
{
    TempFolder dir("safe_special");
    const std::string fifo = dir / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes;
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.path, dir / "missing"}) {
        EXPECT_FALSE(ReadRegularFile(path, 1 << 20, bytes)) << path;
        EXPECT_TRUE(bytes.empty());
    }
    EXPECT_EQ(SafeSaveFile(fifo, "x"), SaveResult::NotSaved);
    EXPECT_EQ(SafeSaveFile("/dev/null", "x"), SaveResult::NotSaved);
    EXPECT_TRUE(IsSpecialFile(fifo) && IsSpecialFile("/dev/null") && !IsSpecialFile(dir / "missing"));

    WriteBytes(dir / "small", "12345");
    EXPECT_TRUE(ReadRegularFile(dir / "small", 5, bytes));
    EXPECT_EQ(bytes, "12345");
    EXPECT_FALSE(ReadRegularFile(dir / "small", 4, bytes));  // over the bound
}
