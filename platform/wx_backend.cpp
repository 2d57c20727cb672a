#include "platform/wx_backend.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/display.h>
#include <wx/fileconf.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include "platform/file_dialog_filter.h"
#include "platform/folders.h"
#include "platform/message_box_style.h"
#include "platform/wx_message_box.h"
#include "platform/platform.h"
#include "platform/safe_file.h"
#include "platform/shell_command.h"
#include "platform/wx_print_job.h"

namespace platform {

namespace {

wxFrame* g_mainWindow = nullptr;
void (*g_playSound)(const std::string&) = nullptr;
bool (*g_releaseSound)() = nullptr;
wxWindow* g_viewWindow = nullptr;
// View timers by id; their owner is g_viewWindow.
std::map<int, std::unique_ptr<wxTimer>> g_viewTimers;

// Lets the sound player release its device once the clips have played
// out, so that the program is idle between sounds.
class SoundReleaseTimer : public wxTimer {
public:
    void Notify() override
    {
        if (g_releaseSound && !g_releaseSound()) StartOnce(kCheckMs);
    }
    static constexpr int kCheckMs = 500;
};

void DropViewTimers()
{
    for (auto& t : g_viewTimers) t.second->Stop();
    g_viewTimers.clear();
}

// The owner of a box or chooser: the dialog the user is working in, so that
// it stays in front of the main window, else the main window.
wxWindow* Owner()
{
    wxWindow* focus = wxWindow::FindFocus();
    wxWindow* top = focus ? wxGetTopLevelParent(focus) : nullptr;
    return top && top->IsShown() && top != g_mainWindow ? top : g_mainWindow;
}

void OnMainDestroyed(wxWindowDestroyEvent& event)
{
    if (event.GetWindow() == g_mainWindow) g_mainWindow = nullptr;
    event.Skip();
}

void OnViewDestroyed(wxWindowDestroyEvent& event)
{
    if (event.GetWindow() == g_viewWindow) {
        DropViewTimers();
        g_viewWindow = nullptr;
    }
    event.Skip();
}

// Text from the program: UTF-8, or Latin-1 when it is not valid UTF-8.
wxString ToWx(const std::string& s)
{
    wxString w = wxString::FromUTF8(s.data(), s.size());
    if (w.empty() && !s.empty()) w = wxString(s.data(), wxConvISO8859_1, s.size());
    return w;
}

std::string FromWx(const wxString& s) { return std::string(s.utf8_str()); }

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

BoxAnswer AnswerFromWx(int id)
{
    switch (id) {
    case wxID_OK: return BoxAnswer::Ok;
    case wxID_YES: return BoxAnswer::Yes;
    case wxID_NO: return BoxAnswer::No;
    default: return BoxAnswer::Cancel;
    }
}

// Far above any settings file.
constexpr std::size_t kMaxSettingsBytes = 4u << 20;

class WxBackend : public Backend {
public:
    explicit WxBackend(const std::string& settingsName) : folder_(UserConfigFolder())
    {
        wxLogNull quiet;
        // Without a folder the settings last for this run only. The toolkit
        // only parses and prints the file; SaveSettings writes it.
        if (!folder_.empty()) file_ = folder_ + "/" + settingsName + ".conf";
        std::string bytes;
        // A file that is there but cannot be read is not saved over: the
        // user's recent files and other sections would be lost.
        if (!file_.empty())
            unreadable_ = ReadFileIfPresent(file_, kMaxSettingsBytes, bytes, &readWhy_) == ReadResult::Failed;
        wxMemoryInputStream in(bytes.data(), bytes.size());
        settings_ = std::make_unique<wxFileConfig>(in);
        settings_->SetExpandEnvVars(false);
    }

    ~WxBackend() override
    {
        if (cursor_ == CURSOR_WAIT) wxEndBusyCursor();
    }

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override
    {
        // The toolkit's own box shows no icon under GTK 3.
        CMessageBoxDialog box(Owner(), ToWx(text), ToWx(caption), flags);
        return MessageBoxResult(flags, AnswerFromWx(box.ShowModal()));
    }

    void MessageBeep(unsigned) override { wxBell(); }

    CursorHandle SetCursor(CursorHandle cursor) override
    {
        const CursorHandle previous = cursor_;
        const bool wait = cursor == CURSOR_WAIT;
        if (wait && cursor_ != CURSOR_WAIT) wxBeginBusyCursor();
        if (!wait && cursor_ == CURSOR_WAIT) wxEndBusyCursor();
        cursor_ = wait ? CURSOR_WAIT : CURSOR_ARROW;
        return previous;
    }

    void SetViewTimer(int id, unsigned periodMs) override
    {
        if (!g_viewWindow) return;
        auto& timer = g_viewTimers[id];
        if (!timer) timer = std::make_unique<wxTimer>(g_viewWindow, id);
        timer->Start(periodMs == 0 ? 1 : periodMs > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(periodMs));
    }

    void KillViewTimer(int id) override
    {
        auto it = g_viewTimers.find(id);
        if (it != g_viewTimers.end()) it->second->Stop();
    }

    bool ViewTimerRunning(int id) override
    {
        auto it = g_viewTimers.find(id);
        return it != g_viewTimers.end() && it->second->IsRunning();
    }

    void InvalidateFrame(bool erase) override
    {
        if (g_mainWindow) g_mainWindow->Refresh(erase);
        if (g_viewWindow) g_viewWindow->Refresh(erase);
    }

    void InvalidateView(bool erase) override
    {
        if (g_viewWindow) g_viewWindow->Refresh(erase);
    }

    void PlaySoundResource(const std::string& name) override
    {
        if (!g_playSound) return;
        g_playSound(name);
        if (g_releaseSound) soundRelease_.StartOnce(SoundReleaseTimer::kCheckMs);
    }

    bool FileDialog(const FileDialogRequest& request, std::string& path) override
    {
        // Like the classic dialog, a chosen file makes its folder the current one.
        const long style = wxFD_CHANGE_DIR | (request.open ? wxFD_OPEN | wxFD_FILE_MUST_EXIST
                                                           : wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        wxFileDialog dialog(Owner(), request.open ? "Open" : "Save As", wxEmptyString,
                            ToWx(ChooserInitialName(request.fileName)), ToWx(ChooserWildcard(request.filter)),
                            style);
        for (;;) {
            if (dialog.ShowModal() != wxID_OK) return false;
            const std::string chosen = FromWx(dialog.GetPath());
            if (chosen.empty()) return false;
            if (request.open) {
                path = chosen;
                return true;
            }
            const std::string named = WithDefaultExtension(chosen, request.defaultExt);
            // The chooser asked about the name as typed; ask about the completed one.
            if (named != chosen && FileExists(named)) {
                const std::string name = named.substr(named.rfind('/') + 1);
                wxMessageDialog ask(Owner(), ToWx(name + " already exists.\nDo you want to replace it?"),
                                    "Save As", wxYES_NO | wxNO_DEFAULT | wxICON_WARNING);
                if (ask.ShowModal() != wxID_YES) continue;
            }
            path = named;
            return true;
        }
    }

    bool ChooseColour(unsigned char rgb[3]) override
    {
        wxColourData data;
        data.SetChooseFull(true);
        data.SetColour(wxColour(rgb[0], rgb[1], rgb[2]));
        wxColourDialog dialog(Owner(), &data);
        if (dialog.ShowModal() != wxID_OK) return false;
        const wxColour c = dialog.GetColourData().GetColour();
        if (!c.IsOk()) return false;
        rgb[0] = c.Red();
        rgb[1] = c.Green();
        rgb[2] = c.Blue();
        return true;
    }

    bool CopyMainWindowToClipboard() override
    {
        if (!g_mainWindow || !g_mainWindow->IsShownOnScreen()) return false;
        g_mainWindow->Update();  // paint what is pending before the copy
        wxRect area(g_mainWindow->ClientToScreen(wxPoint(0, 0)), g_mainWindow->GetClientSize());
        // A docked toolbar lies inside the client area of a classic frame.
        const wxToolBar* toolbar = g_mainWindow->GetToolBar();
        if (toolbar && toolbar->IsShown())
            area.Union(wxRect(toolbar->GetScreenPosition(), toolbar->GetSize()));
        if (area.width <= 0 || area.height <= 0) return false;
        wxBitmap bitmap(area.width, area.height, 24);
        {
            // The screen holds what the user sees, GL pictures included.
            wxScreenDC screen;
            wxMemoryDC memory(bitmap);
            if (!memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y)) return false;
        }
        // The clipboard offers bitmaps as PNG.
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
        wxClipboardLocker lock;
        if (!lock) return false;
        wxTheClipboard->Clear();
        return wxTheClipboard->SetData(new wxBitmapDataObject(bitmap));
    }

    bool ShellOpen(const std::string& program, const std::string& parameters) override
    {
        const char* searchPath = std::getenv("PATH");
        const std::vector<std::string> command =
            ShellOpenCommand(program, parameters, searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin");
        if (command.empty()) return false;
        std::vector<const char*> argv;
        for (const auto& a : command) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        wxLogNull quiet;
        return wxExecute(argv.data(), wxEXEC_ASYNC) > 0;
    }

    void SetMainCaption(const std::string& caption) override
    {
        if (g_mainWindow) g_mainWindow->SetTitle(ToWx(caption));
    }

    std::string ReadSetting(const std::string& section, const std::string& key, const std::string& fallback) override
    {
        wxLogNull quiet;
        wxString value;
        if (!settings_->Read(SettingPath(section, key), &value)) return fallback;
        return FromWx(value);
    }

    void WriteSetting(const std::string& section, const std::string& key, const std::string& value) override
    {
        wxLogNull quiet;
        const wxString path = SettingPath(section, key), text = ToWx(value);
        wxString old;
        if (settings_->Read(path, &old) && old == text) return;
        settings_->Write(path, text);
        changed_ = true;
    }

    SaveResult SaveSettings(std::string& file, std::string& why) override
    {
        file = file_;
        if (unreadable_) {
            why = "the file could not be read and is left as it is";
            return SaveResult::NotSaved;
        }
        if (!changed_ || file_.empty()) return SaveResult::Saved;
        wxLogNull quiet;
        // The config folder may not exist yet on a fresh system.
        if (!wxFileName::DirExists(ToWx(folder_))) wxFileName::Mkdir(ToWx(folder_), 0700, wxPATH_MKDIR_FULL);
        wxMemoryOutputStream out;
        settings_->Save(out);
        std::string bytes(out.GetLength(), '\0');
        out.CopyTo(&bytes[0], bytes.size());
        const SaveResult result = SafeSaveFile(file_, bytes, &why);
        if (result == SaveResult::Saved) changed_ = false;
        return result;
    }

    bool SettingsUnreadable(std::string& file, std::string& why) override
    {
        if (!unreadable_) return false;
        file = file_;
        why = readWhy_;
        return true;
    }

    void ScreenSize(int& width, int& height) override
    {
        const wxRect r = wxDisplay().GetGeometry();
        width = r.width;
        height = r.height;
    }

    unsigned TickCount() override
    {
        using namespace std::chrono;
        return static_cast<unsigned>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }

    void WaitTicks(unsigned ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    bool PrintDialog(const PrintDialogRequest& request, PrintTarget& target) override
    {
        return ShowSystemPrintDialog(g_mainWindow, request, target);
    }

    std::unique_ptr<PrintProgress> BeginPrintProgress(const std::string& jobName) override
    {
        return ShowPrintProgress(g_mainWindow, jobName);
    }

private:
    static wxString SettingPath(const std::string& section, const std::string& key)
    {
        return "/" + ToWx(section) + "/" + ToWx(key);
    }

    CursorHandle cursor_ = CURSOR_ARROW;
    SoundReleaseTimer soundRelease_;
    std::string folder_;
    std::string file_;
    bool changed_ = false;  // since the settings were read or saved
    bool unreadable_ = false;  // the file is there but could not be read
    std::string readWhy_;
    std::unique_ptr<wxFileConfig> settings_;
};

std::unique_ptr<WxBackend> g_backend;

}  // namespace

void InstallWxBackend(const std::string& settingsName)
{
    // Under a file-size limit the toolkit's own files, like ours, fail to
    // write instead of ending the program.
    IgnoreFileSizeSignal();
    auto fresh = std::make_unique<WxBackend>(settingsName);
    SetBackend(fresh.get());
    g_backend = std::move(fresh);
}

void SetWxSoundPlayer(void (*play)(const std::string& name), bool (*releaseWhenSilent)())
{
    g_playSound = play;
    g_releaseSound = releaseWhenSilent;
}

void SetWxMainWindow(wxFrame* frame)
{
    if (frame == g_mainWindow) return;
    if (g_mainWindow) g_mainWindow->Unbind(wxEVT_DESTROY, &OnMainDestroyed);
    g_mainWindow = frame;
    if (frame) frame->Bind(wxEVT_DESTROY, &OnMainDestroyed);
}

void ShowOnScreen(wxWindow* topLevel, int timeoutMs)
{
    GtkWidget* widget = topLevel->GetHandle();
    bool mapped = false;
    auto onMap = +[](GtkWidget*, GdkEvent*, gpointer flag) -> gboolean {
        *static_cast<bool*>(flag) = true;
        return FALSE;
    };
    const gulong handler = g_signal_connect(widget, "map-event", G_CALLBACK(onMap), &mapped);
    // Shown unrealized under a window manager, the toolkit maps the window
    // 2 pixels wide until the manager tells its frame size: the menu bar's
    // layout then fails (Gtk-CRITICAL) and a box shown meanwhile is centred
    // on that speck and may be stacked under the window.
    gtk_widget_realize(widget);
    topLevel->Show();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!mapped && std::chrono::steady_clock::now() < end)
        if (!g_main_context_iteration(nullptr, FALSE)) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    g_signal_handler_disconnect(widget, handler);
}

void SetWxViewWindow(wxWindow* view)
{
    if (view == g_viewWindow) return;
    DropViewTimers();
    if (g_viewWindow) g_viewWindow->Unbind(wxEVT_DESTROY, &OnViewDestroyed);
    g_viewWindow = view;
    if (view) view->Bind(wxEVT_DESTROY, &OnViewDestroyed);
}

}  // namespace platform
