// The wx platform backend on a real (virtual) display.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "platform/platform.h"
#include "platform/print_device.h"
#include "platform/wx_backend.h"
#include "platform/wx_message_box.h"
#include "tests/common/save_faults.h"
#include "tests/common/temp_folder.h"
#include "tests/gui_common/modal_script.h"

using namespace platform;

namespace {

// Runs the event loop until done() or the time is up; done() then.
template <class Done>
bool PumpUntil(Done done, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (wxTheApp->Yield(true); !done() && std::chrono::steady_clock::now() < end; wxTheApp->Yield(true))
        wxMilliSleep(5);
    return done();
}

void PumpFor(double seconds) { PumpUntil([] { return false; }, seconds); }

// A main window with one child standing for the 3D view; counts the view's
// paints and timer ticks by id.
class WxBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallWxBackend();
        frame = new wxFrame(nullptr, wxID_ANY, "Untitled - Trussforge3D", wxPoint(20, 20), wxSize(320, 240));
        view = new wxWindow(frame, wxID_ANY);
        view->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(view);
            ++paints;
        });
        view->Bind(wxEVT_TIMER, [this](wxTimerEvent& e) { ++ticks[e.GetId()]; });
        SetWxMainWindow(frame);
        SetWxViewWindow(view);
    }
    void TearDown() override
    {
        SetWxViewWindow(nullptr);
        SetWxMainWindow(nullptr);
        if (frame) frame->Destroy();
        PumpFor(0.05);
        SetBackend(nullptr);
    }
    wxFrame* frame = nullptr;
    wxWindow* view = nullptr;
    int paints = 0;
    std::map<int, int> ticks;
};

}  // namespace

TEST_F(WxBackendTest, ViewTimersTickByIdUntilKilledOrTheViewGoes)
{
    SetViewTimer(3, 10), SetViewTimer(5, 10);
    ASSERT_TRUE(PumpUntil([this] { return ticks[3] >= 2 && ticks[5] >= 2; }, 5.0));
    KillViewTimer(3);
    const int three = ticks[3], five = ticks[5];
    PumpFor(0.2);
    EXPECT_TRUE(ticks[3] == three && ticks[5] > five);
    // Setting a running timer again restarts it with the new period; a killed one starts again.
    KillViewTimer(5);
    SetViewTimer(4, 60000), SetViewTimer(4, 10);
    EXPECT_TRUE(PumpUntil([this] { return ticks[4] >= 1; }, 5.0));
    SetViewTimer(3, 10);
    EXPECT_TRUE(PumpUntil([&] { return ticks[3] > three; }, 5.0));
    KillViewTimer(99);  // never set: nothing happens
    // The backend forgets the view and its timers when the view goes.
    view->Destroy(), view = nullptr;
    PumpFor(0.05);
    ticks.clear();
    SetViewTimer(4, 10);  // no view: ignored
    PumpFor(0.1);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(WxBackendTest, CaptionTicksCursorBoxesShellAndRepaints)
{
    SetMainCaption("bridge.3dd - Trussforge3D");
    EXPECT_EQ(frame->GetTitle(), "bridge.3dd - Trussforge3D");
    const unsigned before = TickCount();
    WaitTicks(120);
    EXPECT_GE(TickCount() - before, 119u);
    // The wait cursor does not nest.
    EXPECT_EQ(SetCursor(CURSOR_WAIT), CURSOR_ARROW);
    EXPECT_TRUE(SetCursor(CURSOR_WAIT) == CURSOR_WAIT && wxIsBusy());
    EXPECT_TRUE(SetCursor(CURSOR_ARROW) == CURSOR_WAIT && !wxIsBusy());
    // The test start-up closes every modal dialog at once, as Escape would:
    // boxes answer with their safe button, text that is not UTF-8 still shows.
    EXPECT_EQ(MessageBox("Are you sure you want to exit Trussforge3D?", "Trussforge3D",
                         MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_SYSTEMMODAL),
              IDNO);
    EXPECT_EQ(MessageBox("Click CANCEL to stop exit.", "Trussforge3D", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(MessageBox("Gr\xf6\xdf" "e 12\xb0", "Trussforge3D", MB_OK), IDOK);
    // So is the system print dialog: no job; a job's progress box counts its sheets.
    PrintDialogRequest request;
    request.jobName = "Structure in the XY Plane";
    PrintTarget target;
    EXPECT_FALSE(PrintDialog(request, target));
    EXPECT_FALSE(target.dc);
    std::unique_ptr<PrintProgress> progress = GetBackend().BeginPrintProgress(request.jobName);
    EXPECT_TRUE(progress && progress->Update(0, 3) && progress->Update(3, 3));
    progress.reset();
    // Starting another program never blocks; a missing one fails.
    for (const char* missing : {"no_such_program_tf3d", "wordpad.exe", "/nonexistent/manual.html", ""})
        EXPECT_FALSE(ShellOpen(missing, "")) << missing;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ShellOpen("sleep", "2"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // Invalidating the frame or the view repaints the view.
    frame->Show();
    ASSERT_TRUE(PumpUntil([this] { return paints > 0; }, 5.0));
    PumpFor(0.2);
    for (bool wholeFrame : {true, false}) {
        paints = 0;
        wholeFrame ? InvalidateFrame(false) : InvalidateView(false);
        EXPECT_TRUE(PumpUntil([this] { return paints > 0; }, 5.0)) << wholeFrame;
    }
}

TEST(WxSettings, SurviveARestartWordForWord)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    const std::string tmp = MakeTempFolder("tf3d_config");
    ASSERT_FALSE(tmp.empty());
    const std::string root = tmp, folder = root + "/not/yet/there", file = folder + "/trussforge3d.conf";
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    const std::map<std::string, std::string> values = {
        {"File1", "/home/user/models/my bridge.3dd"}, {"File2", "c:\\Trussforge3D\\docs\\manual.html"},
        {"File3", "$HOME/${USER}/%PATH%"},           {"File4", "  blanks around  "},
        {"File5", "a=b; c # not a comment \"quoted\""}, {"File6", "Gr\xc3\xb6\xc3\x9f" "e"},
    };
    InstallWxBackend();
    struct stat st;
    EXPECT_NE(stat((root + "/not").c_str(), &st), 0);  // nothing created before a write
    EXPECT_EQ(ReadSetting("Recent File List", "File1", "none"), "none");
    std::string named, why;
    EXPECT_FALSE(GetBackend().SettingsUnreadable(named, why));  // a missing file is a first run
    for (const auto& v : values) WriteSetting("Recent File List", v.first, v.second);
    WriteSetting("Settings", "Cols", "3");
    EXPECT_NE(stat(file.c_str(), &st), 0);  // written by the save only
    EXPECT_EQ(GetBackend().SaveSettings(named, why), SaveResult::Saved);
    EXPECT_EQ(named, file);
    EXPECT_EQ(stat(file.c_str(), &st), 0);
    InstallWxBackend();  // reads the file afresh
    for (const auto& v : values) EXPECT_EQ(ReadSetting("Recent File List", v.first, "?"), v.second) << v.first;
    EXPECT_TRUE(ReadSetting("Settings", "Cols", "?") == "3" && ReadSetting("Settings", "Rows", "x") == "x");
    {
        // The same values written again change nothing: no write at all.
        SaveFaults count{};
        for (const auto& v : values) WriteSetting("Recent File List", v.first, v.second);
        WriteSetting("Settings", "Cols", "3");
        EXPECT_EQ(GetBackend().SaveSettings(named, why), SaveResult::Saved);
        EXPECT_EQ(count.Calls(SaveCall::Write), 0);
    }
    SetBackend(nullptr);
    std::remove(file.c_str());
    for (const char* d : {"/not/yet/there", "/not/yet", "/not", ""}) rmdir((root + d).c_str());
    old ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

// A settings file kept behind a symbolic link and a second hard link: one
// whole save writes through both; a failed one leaves the old text.
TEST(WxSettings, SavedWholeThroughLinksOrNotAtAll)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    const std::string tmp = MakeTempFolder("tf3d_config");
    ASSERT_FALSE(tmp.empty());
    const std::string root = tmp, link = root + "/trussforge3d.conf", real = root + "/kept/real.conf",
                      other = root + "/kept/other.conf";
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    mkdir((root + "/kept").c_str(), 0700);
    const std::string before = "[Recent File List]\nFile1=/old.3dd\n";
    { std::ofstream(real) << before; }
    ASSERT_EQ(symlink("kept/real.conf", link.c_str()), 0);
    ASSERT_EQ(::link(real.c_str(), other.c_str()), 0);
    auto text = [](const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    InstallWxBackend();
    EXPECT_EQ(ReadSetting("Recent File List", "File1", "?"), "/old.3dd");
    std::string file, why;
    WriteSetting("Recent File List", "File2", "/two.3dd");
    {
        SaveFaults faults{{SaveCall::Close, 1}};
        EXPECT_EQ(GetBackend().SaveSettings(file, why), SaveResult::NotSaved);
    }
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(text(real), before);
    WriteSetting("Recent File List", "File1", "/new.3dd");
    {
        SaveFaults count{};
        EXPECT_EQ(GetBackend().SaveSettings(file, why), SaveResult::Saved);
        EXPECT_EQ(count.Calls(SaveCall::Write), 1);
        EXPECT_EQ(GetBackend().SaveSettings(file, why), SaveResult::Saved);  // nothing new
        EXPECT_EQ(count.Calls(SaveCall::Write), 1);
    }
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(text(real), "[Recent File List]\nFile1=/new.3dd\nFile2=/two.3dd\n");
    EXPECT_EQ(text(other), text(real));
    SetBackend(nullptr);
    for (const std::string& f : {link, real, other, root + "/kept", root}) std::remove(f.c_str());
    old ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

// A settings file that is there but cannot be read (a folder in its place,
// a file over the size limit, a read error) starts the settings empty and is
// left as it is for the run.
TEST(WxSettings, AFileThatCannotBeReadIsLeftAlone)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    const std::string tmp = MakeTempFolder("tf3d_config");
    ASSERT_FALSE(tmp.empty());
    const std::string root = tmp, file = root + "/trussforge3d.conf";
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    const std::string small = "[Recent File List]\nFile1=/kept.3dd\n";
    const std::string large = small + std::string(5 << 20, '#') + "\n";
    auto text = [](const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const struct {
        const char* what;
        const std::string* bytes;  // nullptr: a folder
        bool readFails;
        const char* why;
    } cases[] = {
        {"folder", nullptr, false, "it is a folder"},
        {"large", &large, false, "it is larger than 4194304 bytes"},
        {"read error", &small, true, "read failed: Input/output error"},
        {"readable", &small, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.bytes ? (void)(std::ofstream(file) << *c.bytes) : (void)mkdir(file.c_str(), 0700);
        {
            SaveFaults faults = c.readFails ? SaveFaults{{SaveCall::Read, 1}} : SaveFaults{};
            InstallWxBackend();
        }
        std::string named, why;
        const bool unreadable = GetBackend().SettingsUnreadable(named, why);
        EXPECT_EQ(unreadable, *c.why != '\0');
        EXPECT_EQ(why, c.why);
        EXPECT_EQ(ReadSetting("Recent File List", "File1", "none"), unreadable ? "none" : "/kept.3dd");
        WriteSetting("Recent File List", "File2", "/new.3dd");
        {
            SaveFaults count{};
            EXPECT_EQ(SaveSettings("Trussforge3D"), !unreadable);  // no box: told once, at start
            EXPECT_EQ(count.Calls(SaveCall::Write), unreadable ? 0 : 1);
        }
        if (unreadable) {
            EXPECT_EQ(named, file);
            EXPECT_EQ(GetBackend().SaveSettings(named, why), SaveResult::NotSaved);
        }
        struct stat st;
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_EQ(S_ISDIR(st.st_mode), !c.bytes);
        if (c.bytes && unreadable) {
            EXPECT_TRUE(text(file) == *c.bytes);
        }
        SetBackend(nullptr);
        c.bytes ? std::remove(file.c_str()) : rmdir(file.c_str());
    }
    rmdir(root.c_str());
    old ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

// A GL view cleared to one colour: the clipboard gets the picture on screen.
TEST(WxClipboard, CopiesTheMainWindowWithItsGlPicture)
{
    InstallWxBackend();
    // Out of the way of other tests' windows on the shared display, and
    // raised: the copy takes what the screen shows.
    auto* frame = new wxFrame(nullptr, wxID_ANY, "clip", wxPoint(900, 700), wxSize(300, 200));
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(16).EndList();
    auto* canvas = new wxGLCanvas(frame, attrs);
    // The context is made once the window is realised, as the view does.
    std::unique_ptr<wxGLContext> context;
    int painted = 0;
    canvas->Bind(wxEVT_PAINT, [&](wxPaintEvent&) {
        wxPaintDC dc(canvas);
        if (!context) {
            wxGLContextAttrs ctxAttrs;
            ctxAttrs.PlatformDefaults().CompatibilityProfile().EndList();  // PlatformDefaults sets x11Direct
            context = std::make_unique<wxGLContext>(canvas, nullptr, &ctxAttrs);
        }
        context->SetCurrent(*canvas);
        glClearColor(0.9f, 0.1f, 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        canvas->SwapBuffers();
        ++painted;
    });
    SetWxMainWindow(frame);
    SetWxViewWindow(canvas);
    EXPECT_FALSE(CopyMainWindowToClipboard());  // not on screen yet
    frame->Show();
    ASSERT_TRUE(PumpUntil([&] { return painted > 0; }, 5.0));
    frame->Raise();
    PumpFor(0.3);
    ASSERT_TRUE(CopyMainWindowToClipboard());
    wxBitmapDataObject data;
    {
        wxClipboardLocker lock;
        ASSERT_TRUE(!!lock && wxTheClipboard->GetData(data));
    }
    const wxImage image = data.GetBitmap().ConvertToImage();
    EXPECT_EQ(image.GetSize(), frame->GetClientSize());
    const int x = image.GetWidth() / 2, y = image.GetHeight() / 2, r = image.GetRed(x, y), g = image.GetGreen(x, y),
              b = image.GetBlue(x, y);
    EXPECT_TRUE(std::abs(r - 230) <= 3 && std::abs(g - 26) <= 3 && std::abs(b - 51) <= 3) << r << " " << g << " " << b;
    SetWxViewWindow(nullptr);
    SetWxMainWindow(nullptr);
    context.reset();
    frame->Destroy();
    PumpFor(0.05);
    SetBackend(nullptr);
}

TEST_F(WxBackendTest, MessageBoxesShowTheirIconWrappedTextAndDefaultButton)
{
    const struct {
        unsigned flags;
        bool icon;
        wxWindowID defaultId, escapeId;
    } cases[] = {
        {MB_OK | MB_ICONINFORMATION, true, wxID_OK, wxID_OK},
        {MB_OKCANCEL | MB_ICONSTOP | MB_DEFBUTTON2, true, wxID_CANCEL, wxID_CANCEL},
        {MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, true, wxID_NO, wxID_NONE},
        {MB_YESNOCANCEL | MB_ICONQUESTION, true, wxID_YES, wxID_CANCEL},
        {MB_OK, false, wxID_OK, wxID_OK},
    };
    std::string longText;
    for (int i = 0; i < 150; ++i) longText += "word ";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        CMessageBoxDialog box(frame, std::string(40, 'x') + "\n" + wxString(longText), "Trussforge3D", c.flags);
        EXPECT_EQ(box.IconBitmap().IsOk(), c.icon);
        EXPECT_GE(c.icon ? box.IconBitmap().GetWidth() : 32, 32);
        auto* button = wxDynamicCast(box.FindWindow(c.defaultId), wxButton);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(box.GetDefaultItem() == button);
        EXPECT_EQ(box.GetEscapeId(), c.escapeId);
        EXPECT_EQ(box.GetTitle(), "Trussforge3D");
        EXPECT_LT(box.GetSize().GetWidth(), 1000);  // long lines wrap
    }
}

namespace {

// The system print dialog on screen, once it is up.
GtkPrintUnixDialog* ShownPrintDialog()
{
    GtkPrintUnixDialog* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (GTK_IS_PRINT_UNIX_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data)))
            found = GTK_PRINT_UNIX_DIALOG(w->data);
    g_list_free(windows);
    return found;
}

}  // namespace

// A print of page 3 in two copies to a file; the next print dialog offers
// the same printer and copies, but every page again.
TEST_F(WxBackendTest, EachPrintDialogStartsWithAllPages)
{
    const TempFolder out("tf3d_print_dialog");
    const std::string pdf = out / "print.pdf";
    bool chosen = false;
    SetModalScript([&](wxDialog*) {
        GtkPrintUnixDialog* dialog = ShownPrintDialog();
        ASSERT_TRUE(dialog);
        GtkPrintSettings* settings = gtk_print_settings_new();
        gtk_print_settings_set_printer(settings, "Print to File");
        gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, ("file://" + pdf).c_str());
        gtk_print_settings_set_print_pages(settings, GTK_PRINT_PAGES_RANGES);
        GtkPageRange three = {2, 2};
        gtk_print_settings_set_page_ranges(settings, &three, 1);
        gtk_print_settings_set_n_copies(settings, 2);
        gtk_print_unix_dialog_set_settings(dialog, settings);
        g_object_unref(settings);
        // The printers are listed a moment after the dialog appears: wait for
        // events until one is selected, for 10 s at most.
        bool late = false;
        const guint timer = g_timeout_add_seconds(
            10, [](gpointer flag) -> gboolean { return *static_cast<bool*>(flag) = true, G_SOURCE_REMOVE; }, &late);
        while (!gtk_print_unix_dialog_get_selected_printer(dialog) && !late) g_main_context_iteration(nullptr, TRUE);
        if (!late) g_source_remove(timer);
        chosen = gtk_print_unix_dialog_get_selected_printer(dialog) != nullptr;
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    });
    PrintDialogRequest request;
    request.jobName = "Structure in the XY Plane";
    PrintTarget target;
    ASSERT_TRUE(PrintDialog(request, target));
    ASSERT_TRUE(chosen);
    ASSERT_EQ(target.choice.ranges.size(), 1u);
    EXPECT_TRUE(target.choice.ranges[0].first == 3 && target.choice.ranges[0].last == 3 && target.choice.copies == 2);

    GtkPrintPages pages = GTK_PRINT_PAGES_RANGES;
    int copies = 0;
    std::string printer;
    SetModalScript([&](wxDialog*) {
        GtkPrintUnixDialog* dialog = ShownPrintDialog();
        ASSERT_TRUE(dialog);
        GtkPrintSettings* settings = gtk_print_unix_dialog_get_settings(dialog);
        pages = gtk_print_settings_get_print_pages(settings);
        copies = gtk_print_settings_get_n_copies(settings);
        const gchar* name = gtk_print_settings_get_printer(settings);
        printer = name ? name : "";
        g_object_unref(settings);
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    });
    PrintTarget next;
    EXPECT_FALSE(PrintDialog(request, next));
    EXPECT_EQ(pages, GTK_PRINT_PAGES_ALL);
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(printer, "Print to File");
}
