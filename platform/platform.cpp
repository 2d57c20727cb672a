#include "platform/platform.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

namespace platform {

int DefaultAnswer(unsigned flags)
{
    const bool second = (flags & MB_DEFBUTTON2) != 0;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return second ? IDCANCEL : IDOK;
    case MB_YESNO: return second ? IDNO : IDYES;
    case MB_YESNOCANCEL: return (flags & MB_DEFBUTTON3) ? IDCANCEL : second ? IDNO : IDYES;
    default: return IDOK;
    }
}

namespace {

class HeadlessBackend : public Backend {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return DefaultAnswer(flags);
    }
    void MessageBeep(unsigned) override {}
    CursorHandle SetCursor(CursorHandle c) override
    {
        CursorHandle prev = cursor_;
        cursor_ = c;
        return prev;
    }
    void SetViewTimer(int, unsigned) override {}
    void KillViewTimer(int) override {}
    bool ViewTimerRunning(int) override { return false; }
    void InvalidateFrame(bool) override {}
    void InvalidateView(bool) override {}
    void PlaySoundResource(const std::string&) override {}
    bool FileDialog(const FileDialogRequest&, std::string&) override { return false; }
    bool ChooseColour(unsigned char[3]) override { return false; }
    bool CopyMainWindowToClipboard() override { return false; }
    bool ShellOpen(const std::string&, const std::string&) override { return false; }
    void SetMainCaption(const std::string&) override {}
    std::string ReadSetting(const std::string& section, const std::string& key, const std::string& fallback) override
    {
        auto it = settings_.find(section + "/" + key);
        return it == settings_.end() ? fallback : it->second;
    }
    void WriteSetting(const std::string& section, const std::string& key, const std::string& value) override
    {
        settings_[section + "/" + key] = value;
    }
    SaveResult SaveSettings(std::string&, std::string&) override { return SaveResult::Saved; }
    void ScreenSize(int& width, int& height) override
    {
        width = 800;
        height = 600;
    }
    unsigned TickCount() override
    {
        using namespace std::chrono;
        return static_cast<unsigned>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void WaitTicks(unsigned ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

private:
    CursorHandle cursor_ = CURSOR_ARROW;
    std::map<std::string, std::string> settings_;
};

HeadlessBackend g_headless;
Backend* g_backend = &g_headless;

}  // namespace

void SetBackend(Backend* backend) { g_backend = backend ? backend : &g_headless; }
Backend& GetBackend() { return *g_backend; }

bool Backend::SettingsUnreadable(std::string&, std::string&) { return false; }

bool SaveSettings(const std::string& caption)
{
    std::string file, why;
    if (GetBackend().SettingsUnreadable(file, why)) return false;
    const SaveResult result = GetBackend().SaveSettings(file, why);
    if (result == SaveResult::Saved) return true;
    const std::string notSaved =
        "The settings could not be saved to\n" + file + (why.empty() ? std::string() : "\n" + why);
    MessageBox(SaveFailureText(result, file, notSaved), caption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void TellUnreadableSettings(const std::string& caption)
{
    std::string file, why;
    if (!GetBackend().SettingsUnreadable(file, why)) return;
    MessageBox("The settings file\n" + file + "\ncould not be read (" + why +
                   ").\nIt is left as it is: this session starts with the default settings and does not save them.",
               caption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace platform
