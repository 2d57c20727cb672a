// Recording backend for tests: every call is logged in order, message boxes
// are answered from a script and never block.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/print_device.h"

namespace platform {

struct Event {
    enum Kind { Box, Beep, Cursor, SetTimer, KillTimer, InvalidateFrame, InvalidateView, Sound,
                FileDialog, ChooseColour, Clipboard, ShellOpen, Caption, Wait, PrintDialog, PrintProgress };
    Kind kind;
    std::string text;     // box text, sound name, dialog filter, program, caption
    std::string caption;  // box caption, dialog file name, shell parameters
    unsigned flags = 0;   // box style, beep type, timer period, erase flag
    int id = 0;           // box answer, timer id, cursor
};

class TestBackend : public Backend {
public:
    // Answers for the next message boxes, in order. A box with no scripted
    // answer takes its default button and counts as unscripted.
    void ScriptAnswers(std::initializer_list<int> answers);
    // Paths the next file dialogs return, in order; "" cancels a dialog. A
    // dialog with no scripted path is cancelled.
    void ScriptFiles(std::initializer_list<std::string> paths);
    // The next print dialog prints to a PDF file at path (on the request's
    // paper, Letter when it names none) with this choice. A dialog with no
    // scripted answer is cancelled.
    void ScriptPrintToPdf(const std::string& path, const PrintChoice& choice = PrintChoice());
    void Clear();

    std::vector<Event> events;
    std::deque<int> answers;
    int unscriptedBoxes = 0;
    CursorHandle cursor = CURSOR_ARROW;
    std::deque<std::string> files;
    std::vector<FileDialogRequest> fileRequests;
    bool colourAnswer = false;                 // ChooseColour: false = cancelled
    unsigned char colour[3] = {0, 0, 0};       // the colour chosen when answered
    bool shellResult = true;
    std::string mainCaption;
    std::map<std::string, std::string> settings;
    int settingsSaves = 0;                     // SaveSettings calls
    SaveResult settingsSaveResult = SaveResult::Saved;
    std::string settingsReadFailure;           // why the settings file could not be read; "" when it could
    int screenWidth = 1280, screenHeight = 1024;
    unsigned ticks = 0;                        // advanced by WaitTicks, never blocks
    struct PrintAnswer {
        std::string pdfPath;
        PrintChoice choice;
    };
    std::deque<PrintAnswer> printAnswers;
    std::vector<PrintDialogRequest> printRequests;
    int cancelPrintBeforeSheet = -1;           // the progress answers Cancel before this sheet (from 0)
    std::set<int> runningTimers;               // view timers set and not killed since

    std::vector<Event> Boxes() const { return Only(Event::Box); }
    std::vector<Event> Sounds() const { return Only(Event::Sound); }
    std::vector<Event> Timers() const { return Only(Event::SetTimer); }
    int Count(Event::Kind k) const { return static_cast<int>(Only(k).size()); }

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void MessageBeep(unsigned type) override;
    CursorHandle SetCursor(CursorHandle c) override;
    void SetViewTimer(int id, unsigned periodMs) override;
    void KillViewTimer(int id) override;
    bool ViewTimerRunning(int id) override;
    void InvalidateFrame(bool erase) override;
    void InvalidateView(bool erase) override;
    void PlaySoundResource(const std::string& name) override;
    bool FileDialog(const FileDialogRequest& request, std::string& path) override;
    bool ChooseColour(unsigned char rgb[3]) override;
    bool CopyMainWindowToClipboard() override;
    bool ShellOpen(const std::string& program, const std::string& parameters) override;
    void SetMainCaption(const std::string& caption) override;
    std::string ReadSetting(const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    void WriteSetting(const std::string& section, const std::string& key, const std::string& value) override;
    SaveResult SaveSettings(std::string& file, std::string& why) override;
    bool SettingsUnreadable(std::string& file, std::string& why) override;
    void ScreenSize(int& width, int& height) override;
    unsigned TickCount() override;
    void WaitTicks(unsigned ms) override;
    bool PrintDialog(const PrintDialogRequest& request, PrintTarget& target) override;
    std::unique_ptr<platform::PrintProgress> BeginPrintProgress(const std::string& jobName) override;

private:
    std::vector<Event> Only(Event::Kind k) const;
};

}  // namespace platform
