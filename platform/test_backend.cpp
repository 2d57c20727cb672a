#include "platform/test_backend.h"

namespace platform {

void TestBackend::ScriptAnswers(std::initializer_list<int> list)
{
    for (int a : list) answers.push_back(a);
}

void TestBackend::ScriptFiles(std::initializer_list<std::string> list)
{
    for (const auto& f : list) files.push_back(f);
}

void TestBackend::ScriptPrintToPdf(const std::string& path, const PrintChoice& choice)
{
    printAnswers.push_back({path, choice});
}

void TestBackend::Clear()
{
    events.clear();
    answers.clear();
    unscriptedBoxes = 0;
    cursor = CURSOR_ARROW;
    files.clear();
    fileRequests.clear();
    colourAnswer = false;
    shellResult = true;
    mainCaption.clear();
    settings.clear();
    settingsSaves = 0;
    settingsSaveResult = SaveResult::Saved;
    settingsReadFailure.clear();
    ticks = 0;
    printAnswers.clear();
    printRequests.clear();
    cancelPrintBeforeSheet = -1;
    runningTimers.clear();
}

std::vector<Event> TestBackend::Only(Event::Kind k) const
{
    std::vector<Event> out;
    for (const auto& e : events)
        if (e.kind == k) out.push_back(e);
    return out;
}

int TestBackend::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    int answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else {
        answer = DefaultAnswer(flags);
        ++unscriptedBoxes;
    }
    events.push_back({Event::Box, text, caption, flags, answer});
    return answer;
}

void TestBackend::MessageBeep(unsigned type) { events.push_back({Event::Beep, "", "", type, 0}); }

CursorHandle TestBackend::SetCursor(CursorHandle c)
{
    CursorHandle prev = cursor;
    cursor = c;
    events.push_back({Event::Cursor, "", "", 0, c});
    return prev;
}

void TestBackend::SetViewTimer(int id, unsigned periodMs)
{
    events.push_back({Event::SetTimer, "", "", periodMs, id});
    runningTimers.insert(id);
}

void TestBackend::KillViewTimer(int id)
{
    events.push_back({Event::KillTimer, "", "", 0, id});
    runningTimers.erase(id);
}

bool TestBackend::ViewTimerRunning(int id) { return runningTimers.count(id) != 0; }

void TestBackend::InvalidateFrame(bool erase)
{
    events.push_back({Event::InvalidateFrame, "", "", erase ? 1u : 0u, 0});
}

void TestBackend::InvalidateView(bool erase)
{
    events.push_back({Event::InvalidateView, "", "", erase ? 1u : 0u, 0});
}

void TestBackend::PlaySoundResource(const std::string& name)
{
    events.push_back({Event::Sound, name, "", 0, 0});
}

}  // namespace platform

namespace platform {

bool TestBackend::FileDialog(const FileDialogRequest& request, std::string& path)
{
    fileRequests.push_back(request);
    std::string answer;
    if (!files.empty()) {
        answer = files.front();
        files.pop_front();
    }
    events.push_back({Event::FileDialog, request.filter, request.fileName, request.open ? 1u : 0u, 0});
    if (answer.empty()) return false;
    path = answer;
    return true;
}

bool TestBackend::ChooseColour(unsigned char rgb[3])
{
    events.push_back({Event::ChooseColour, "", "", 0, colourAnswer ? 1 : 0});
    if (!colourAnswer) return false;
    for (int i = 0; i < 3; ++i) rgb[i] = colour[i];
    return true;
}

bool TestBackend::CopyMainWindowToClipboard()
{
    events.push_back({Event::Clipboard, "", "", 0, 0});
    return true;
}

bool TestBackend::ShellOpen(const std::string& program, const std::string& parameters)
{
    events.push_back({Event::ShellOpen, program, parameters, 0, shellResult ? 1 : 0});
    return shellResult;
}

void TestBackend::SetMainCaption(const std::string& caption)
{
    mainCaption = caption;
    events.push_back({Event::Caption, caption, "", 0, 0});
}

std::string TestBackend::ReadSetting(const std::string& section, const std::string& key, const std::string& fallback)
{
    auto it = settings.find(section + "/" + key);
    return it == settings.end() ? fallback : it->second;
}

void TestBackend::WriteSetting(const std::string& section, const std::string& key, const std::string& value)
{
    settings[section + "/" + key] = value;
}

SaveResult TestBackend::SaveSettings(std::string& file, std::string& why)
{
    ++settingsSaves;
    file = "/test/settings.conf";
    why = settingsSaveResult == SaveResult::Saved ? "" : "write failed: Input/output error";
    return settingsSaveResult;
}

bool TestBackend::SettingsUnreadable(std::string& file, std::string& why)
{
    if (settingsReadFailure.empty()) return false;
    file = "/test/settings.conf";
    why = settingsReadFailure;
    return true;
}

void TestBackend::ScreenSize(int& width, int& height)
{
    width = screenWidth;
    height = screenHeight;
}

unsigned TestBackend::TickCount() { return ticks; }

void TestBackend::WaitTicks(unsigned ms)
{
    ticks += ms;
    events.push_back({Event::Wait, "", "", ms, 0});
}

}  // namespace platform

namespace platform {

bool TestBackend::PrintDialog(const PrintDialogRequest& request, PrintTarget& target)
{
    printRequests.push_back(request);
    const bool answered = !printAnswers.empty();
    events.push_back({Event::PrintDialog, request.jobName, "", 0, answered ? 1 : 0});
    if (!answered) return false;
    const PrintAnswer answer = printAnswers.front();
    printAnswers.pop_front();
    target.dc = CreatePdfPrintDC(answer.pdfPath, request.paper ? *request.paper : kPaperLetter, request.orientation);
    target.choice = answer.choice;
    return true;
}

namespace {

class RecordedProgress : public PrintProgress {
public:
    explicit RecordedProgress(TestBackend& backend) : backend_(backend) {}
    bool Update(int done, int total) override
    {
        const bool go = done != backend_.cancelPrintBeforeSheet;
        backend_.events.push_back({Event::PrintProgress, "", "", static_cast<unsigned>(total), done});
        return go;
    }

private:
    TestBackend& backend_;
};

}  // namespace

std::unique_ptr<PrintProgress> TestBackend::BeginPrintProgress(const std::string&)
{
    return std::make_unique<RecordedProgress>(*this);
}

}  // namespace platform
