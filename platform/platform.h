// The program's window-system services, behind one small interface: message
// boxes, beep, cursor, view timers, invalidation, sound and the print
// dialog. The program installs a toolkit backend; tests install the
// recording TestBackend.
#pragma once

#include <memory>
#include <string>

#include "platform/safe_file.h"

namespace platform {

struct PrintDialogRequest;
struct PrintTarget;
class PrintProgress;

// Message box styles (the values of the classic MB_ flags).
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_SYSTEMMODAL = 0x1000;
constexpr unsigned MB_TASKMODAL = 0x2000;

// Message box results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Cursors.
using CursorHandle = int;
constexpr CursorHandle CURSOR_ARROW = 0;
constexpr CursorHandle CURSOR_WAIT = 1;

// The answer a box gives when the user just presses Enter.
int DefaultAnswer(unsigned flags);

// A file dialog request. The filter is in the classic form
// "Name (*.x)|*.x|All Files (*.*)|*.*||".
struct FileDialogRequest {
    bool open = true;          // false: save dialog (with overwrite prompt)
    std::string defaultExt;    // "3dd"
    std::string fileName;      // initial name, "*.3dd"
    std::string filter;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    virtual void MessageBeep(unsigned type) = 0;
    // Sets the cursor and returns the one it replaces.
    virtual CursorHandle SetCursor(CursorHandle cursor) = 0;
    // Timers of the 3D view, by id.
    virtual void SetViewTimer(int id, unsigned periodMs) = 0;
    virtual void KillViewTimer(int id) = 0;
    virtual bool ViewTimerRunning(int id) = 0;
    virtual void InvalidateFrame(bool erase) = 0;
    virtual void InvalidateView(bool erase) = 0;
    // Plays one of the program's sound clips ("IDR_WAVE_CHEERS", ...) asynchronously.
    virtual void PlaySoundResource(const std::string& name) = 0;

    // File dialog; true with the chosen full path, false when cancelled.
    virtual bool FileDialog(const FileDialogRequest& request, std::string& path) = 0;
    // Colour chooser starting at rgb; true with the chosen colour, false when cancelled.
    virtual bool ChooseColour(unsigned char rgb[3]) = 0;
    // Copies the main window's client area to the clipboard as a bitmap.
    virtual bool CopyMainWindowToClipboard() = 0;
    // Starts a helper program (or opens a document or web address) with its
    // parameters; false when nothing could be started.
    virtual bool ShellOpen(const std::string& program, const std::string& parameters) = 0;
    // Caption of the main window.
    virtual void SetMainCaption(const std::string& caption) = 0;
    // Persistent settings (recent files and the like). WriteSetting changes
    // them in memory; SaveSettings writes the settings file whole, in one
    // save, when any changed since the last save, and names the file in file.
    virtual std::string ReadSetting(const std::string& section, const std::string& key,
                                    const std::string& fallback) = 0;
    virtual void WriteSetting(const std::string& section, const std::string& key,
                              const std::string& value) = 0;
    virtual SaveResult SaveSettings(std::string& file, std::string& why) = 0;
    // True, with the file and why, when the settings file exists but could
    // not be read at start: the settings then start empty, and the file is
    // left as it is for the run (SaveSettings writes nothing).
    virtual bool SettingsUnreadable(std::string& file, std::string& why);
    // Size of the primary screen in pixels.
    virtual void ScreenSize(int& width, int& height) = 0;
    // Milliseconds since some fixed start, and a blocking wait of that many.
    virtual unsigned TickCount() = 0;
    virtual void WaitTicks(unsigned ms) = 0;

    // The system print dialog (platform/print_device.h): true with the
    // target filled when the user confirms, false when cancelled. Without
    // a toolkit: cancelled.
    virtual bool PrintDialog(const PrintDialogRequest& request, PrintTarget& target);
    // Progress of a running print job; without a toolkit nothing is shown.
    virtual std::unique_ptr<PrintProgress> BeginPrintProgress(const std::string& jobName);
};

// Installs a backend (nullptr restores the headless one, which writes boxes
// to stderr and answers each with its default button).
void SetBackend(Backend* backend);
Backend& GetBackend();

inline int MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    return GetBackend().MessageBox(text, caption, flags);
}
inline void MessageBeep(unsigned type) { GetBackend().MessageBeep(type); }
inline CursorHandle SetCursor(CursorHandle c) { return GetBackend().SetCursor(c); }
inline void SetViewTimer(int id, unsigned periodMs) { GetBackend().SetViewTimer(id, periodMs); }
inline void KillViewTimer(int id) { GetBackend().KillViewTimer(id); }
inline bool ViewTimerRunning(int id) { return GetBackend().ViewTimerRunning(id); }
inline void InvalidateFrame(bool erase) { GetBackend().InvalidateFrame(erase); }
inline void InvalidateView(bool erase) { GetBackend().InvalidateView(erase); }
inline void PlaySoundResource(const std::string& name) { GetBackend().PlaySoundResource(name); }
inline bool FileDialog(const FileDialogRequest& r, std::string& path) { return GetBackend().FileDialog(r, path); }
inline bool ChooseColour(unsigned char rgb[3]) { return GetBackend().ChooseColour(rgb); }
inline bool CopyMainWindowToClipboard() { return GetBackend().CopyMainWindowToClipboard(); }
inline bool ShellOpen(const std::string& program, const std::string& parameters)
{
    return GetBackend().ShellOpen(program, parameters);
}
inline void SetMainCaption(const std::string& caption) { GetBackend().SetMainCaption(caption); }
inline std::string ReadSetting(const std::string& section, const std::string& key, const std::string& fallback)
{
    return GetBackend().ReadSetting(section, key, fallback);
}
inline void WriteSetting(const std::string& section, const std::string& key, const std::string& value)
{
    GetBackend().WriteSetting(section, key, value);
}
// Saves the settings; a failure is told in a box with this caption. True
// when they are saved. A settings file that could not be read is not
// saved over, and that is told only once, by TellUnreadableSettings.
bool SaveSettings(const std::string& caption);
// When the settings file could not be read, says so in a box with this
// caption, naming the file and why. The programs call it once, at start.
void TellUnreadableSettings(const std::string& caption);
inline void ScreenSize(int& width, int& height) { GetBackend().ScreenSize(width, height); }
inline unsigned TickCount() { return GetBackend().TickCount(); }
inline void WaitTicks(unsigned ms) { GetBackend().WaitTicks(ms); }
inline bool PrintDialog(const PrintDialogRequest& request, PrintTarget& target)
{
    return GetBackend().PrintDialog(request, target);
}

}  // namespace platform
