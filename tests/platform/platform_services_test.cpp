// Message box styles, file chooser requests and shell commands.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_dialog_filter.h"
#include "platform/folders.h"
#include "platform/message_box_style.h"
#include "platform/shell_command.h"
#include "tests/common/temp_folder.h"

using namespace platform;

TEST(MessageBoxStyle, ButtonsIconsDefaultsAndResults)
{
    const struct {
        unsigned flags;
        BoxButtons buttons;
        BoxIcon icon;
        BoxAnswer defaultButton;
    } styles[] = {
        // The exit confirmations and the warning box.
        {MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_SYSTEMMODAL, BoxButtons::YesNo, BoxIcon::Exclamation,
         BoxAnswer::No},
        {MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2, BoxButtons::OkCancel, BoxIcon::Exclamation,
         BoxAnswer::Cancel},
        {MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL, BoxButtons::Ok, BoxIcon::Information, BoxAnswer::Ok},
        {MB_ICONSTOP, BoxButtons::Ok, BoxIcon::Stop, BoxAnswer::Ok},
        {MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON3, BoxButtons::YesNoCancel, BoxIcon::Question,
         BoxAnswer::Cancel},
        // A default button the box does not have falls back to the first.
        {MB_OK | MB_DEFBUTTON2, BoxButtons::Ok, BoxIcon::None, BoxAnswer::Ok},
        {MB_YESNO | MB_DEFBUTTON3, BoxButtons::YesNo, BoxIcon::None, BoxAnswer::Yes},
        // Button types without a mapping (abort/retry/ignore = 2) show OK.
        {0x2, BoxButtons::Ok, BoxIcon::None, BoxAnswer::Ok},
    };
    for (const auto& s : styles) {
        const auto style = MessageBoxStyleFromFlags(s.flags);
        EXPECT_TRUE(style.buttons == s.buttons && style.icon == s.icon && style.defaultButton == s.defaultButton)
            << std::hex << s.flags;
    }
    EXPECT_EQ(MessageBoxResult(MB_OKCANCEL, BoxAnswer::Cancel), IDCANCEL);
    EXPECT_EQ(MessageBoxResult(MB_YESNO, BoxAnswer::Yes), IDYES);
    EXPECT_EQ(MessageBoxResult(MB_OK, BoxAnswer::Cancel), IDOK);  // escape or the window's close box
    EXPECT_EQ(MessageBoxResult(MB_YESNO | MB_DEFBUTTON2, BoxAnswer::Cancel), IDNO);
    // Enter on the toolkit's box answers what the headless backend answers.
    for (unsigned type : {MB_OK, MB_OKCANCEL, MB_YESNOCANCEL, MB_YESNO})
        for (unsigned def : {0u, MB_DEFBUTTON2, MB_DEFBUTTON3}) {
            const unsigned flags = type | def | MB_ICONQUESTION;
            EXPECT_EQ(MessageBoxResult(flags, MessageBoxStyleFromFlags(flags).defaultButton), DefaultAnswer(flags))
                << std::hex << flags;
        }
}

TEST(FileDialogFilter, WildcardsInitialNameAndDefaultExtension)
{
    const std::pair<const char*, const char*> wildcards[] = {
        {"Trussforge 3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||",
         "Trussforge 3D Files (*.3dd)|*.3dd|All Files (*.*)|*"},
        {"Models|*.3dd;*.tfd", "Models|*.3dd;*.tfd"},
        {"Any|*.*;*.3dd||Ignored|*.x", "Any|*;*.3dd"},
        // Broken filters never give the chooser an odd field count.
        {"", "*"}, {"||", "*"}, {"Lonely description", "*"}, {"Empty||", "*"},
        {"Text (*.txt)|*.txt|Dangling", "Text (*.txt)|*.txt"}};
    for (auto [filter, wildcard] : wildcards) EXPECT_EQ(ChooserWildcard(filter), wildcard) << filter;
    EXPECT_EQ(ChooserInitialName("*.3dd"), "");
    EXPECT_EQ(ChooserInitialName("bridge.3dd"), "bridge.3dd");
    const char* const withExt[][3] = {
        {"/home/u/bridge", "3dd", "/home/u/bridge.3dd"}, {"/home/u/bridge.3dd", "3dd", "/home/u/bridge.3dd"},
        {"/home/u/report.txt", "3dd", "/home/u/report.txt"}, {"/home/u/bridge.", "3dd", "/home/u/bridge.3dd"},
        // A dot in a folder name is no extension; a leading dot marks a hidden file.
        {"/home/u.v/bridge", "txt", "/home/u.v/bridge.txt"}, {"/home/u/.bridge", "txt", "/home/u/.bridge.txt"},
        {"/home/u/bridge", "", "/home/u/bridge"}, {"", "txt", ""}};
    for (const auto& c : withExt) EXPECT_EQ(WithDefaultExtension(c[0], c[1]), c[2]) << c[0];
}

class ShellCommandTest : public ::testing::Test {
protected:
    // bin holds two programs, a file that is not executable and a folder.
    void SetUp() override
    {
        dir = MakeTempFolder("tf3d_shell");
        ASSERT_FALSE(dir.empty());
        bin = dir + "/bin";
        mkdir(bin.c_str(), 0755);
        mkdir((bin + "/folder").c_str(), 0755);
        for (auto [file, mode] : kFiles) {
            FILE* f = std::fopen((dir + file).c_str(), "w");
            ASSERT_NE(f, nullptr);
            std::fputs("#!/bin/sh\n", f);
            std::fclose(f);
            chmod((dir + file).c_str(), mode);
        }
        path = "/nonexistent:" + bin;
    }
    void TearDown() override
    {
        for (auto [file, mode] : kFiles) std::remove((dir + file).c_str());
        for (const std::string& d : {bin + "/folder", bin, dir}) rmdir(d.c_str());
    }
    static constexpr std::pair<const char*, mode_t> kFiles[] = {
        {"/bin/viewer", 0755}, {"/bin/xdg-open", 0755}, {"/bin/notes.txt", 0644}, {"/manual.html", 0644}};
    using Argv = std::vector<std::string>;
    std::string dir, bin, path;
};

TEST_F(ShellCommandTest, ProgramsOnThePathOrByFullPath)
{
    EXPECT_EQ(FindExecutable("viewer", path), bin + "/viewer");
    EXPECT_EQ(FindExecutable(bin + "/viewer", ""), bin + "/viewer");
    for (const char* missing : {"notes.txt", "folder", ""}) EXPECT_EQ(FindExecutable(missing, path), "") << missing;
    EXPECT_EQ(FindExecutable("viewer", ""), "");
    // Parameters go as one argument, spaces and all, without any quoting.
    EXPECT_EQ(ShellOpenCommand("viewer", "/tmp/my report.txt", path), (Argv{bin + "/viewer", "/tmp/my report.txt"}));
    EXPECT_EQ(ShellOpenCommand("viewer", "", path), (Argv{bin + "/viewer"}));
    EXPECT_EQ(ShellOpenCommand("viewer", "a'b\"; rm -rf $HOME", path), (Argv{bin + "/viewer", "a'b\"; rm -rf $HOME"}));
    // Documents and addresses go to the desktop opener; the browser setting names no program here.
    const std::string opener = bin + "/xdg-open", page = "https://example.org/trussforge3d/latestchanges.html";
    EXPECT_EQ(ShellOpenCommand("Iexplorer.exe", page, path), (Argv{opener, page}));
    EXPECT_EQ(ShellOpenCommand(dir + "/manual.html", "", path), (Argv{opener, dir + "/manual.html"}));
    EXPECT_EQ(ShellOpenCommand("https://example.org/", "", path), (Argv{opener, "https://example.org/"}));
    // A file name is never taken for an option of the opener.
    EXPECT_EQ(ShellOpenCommand("Iexplorer.exe", "--help", path), (Argv{opener, "./--help"}));
    // Nothing to start.
    for (const char* program : {"wordpad.exe", "c:\\Trussforge3D\\docs\\manual.html", ""})
        EXPECT_TRUE(ShellOpenCommand(program, "", path).empty()) << program;
    EXPECT_TRUE(ShellOpenCommand("Iexplorer.exe", "https://example.org/", "/nonexistent").empty());
}

// The sanitized run stops at a float converted to an integer that cannot
// hold it (GCC's "undefined" alone lets that pass).
TEST(SanitizedBuild, StopsAtAFloatBeyondTheIntegerRange)
{
#ifndef TF3D_SANITIZED
    GTEST_SKIP() << "not a sanitized build";
#else
    volatile float big = 3e9f;
    EXPECT_DEATH(std::printf("%d\n", static_cast<int>(big)), "outside the range of representable values");
#endif
}

// The configuration folder whatever form the environment gives it in, and
// the running program's folder as its own path names it.
TEST(Folders, ConfigFolderFromTheEnvironmentAndProgramFolderFromTheProgram)
{
    struct SavedVariable {
        const char* name;
        const char* old = std::getenv(name);
        std::string value = old ? old : "";
        ~SavedVariable() { old ? setenv(name, value.c_str(), 1) : unsetenv(name); }
    } xdg{"XDG_CONFIG_HOME"}, home{"HOME"};
    const passwd* pw = getpwuid(getuid());
    const std::string own = pw && pw->pw_dir ? pw->pw_dir : "";
    struct Case {
        const char* xdg;
        const char* home;  // nullptr: unset
        std::string folder;
    };
    std::vector<Case> cases = {
        {"/x/cfg", "/h", "/x/cfg"},
        {"/x/cfg//", "/h", "/x/cfg"},
        {"/", "/h", "/"},
        {"relative/cfg", "/h/", "/h/.config"},
        {"", "/", "/.config"},
        {nullptr, "/h", "/h/.config"},
    };
    if (!own.empty() && own.back() != '/')  // no HOME: the password entry's home
        for (const char* noHome : {static_cast<const char*>(nullptr), ""})
            cases.push_back({nullptr, noHome, own + "/.config"});
    for (const Case& c : cases) {
        c.xdg ? setenv("XDG_CONFIG_HOME", c.xdg, 1) : unsetenv("XDG_CONFIG_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(UserConfigFolder(), c.folder) << (c.xdg ? c.xdg : "unset") << " " << (c.home ? c.home : "unset");
    }
    EXPECT_EQ(RunningProgramFolder(), std::filesystem::canonical("/proc/self/exe").parent_path().string());
}
