// Start-up of the window tests: the toolkit is initialised once per process
// (under a virtual display), its asserts and error logs go to stderr, and any
// modal dialog that slips through is answered at once so no test can block.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include "tests/common/temp_folder.h"
#include "tests/gui_common/modal_script.h"

namespace {

std::function<void(wxDialog*)> s_script;

class AnswerEveryDialog : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        if (s_script) {
            auto script = std::move(s_script);
            s_script = nullptr;
            dialog->CallAfter([dialog, script] {
                script(dialog);
                if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
            });
            return wxID_NONE;
        }
        std::fprintf(stderr, "unexpected modal dialog: %s\n", dialog->GetTitle().utf8_str().data());
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void AssertToStderr(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "wx assert %s:%d %s: %s %s\n", file.utf8_str().data(), line, func.utf8_str().data(),
                 cond.utf8_str().data(), msg.utf8_str().data());
}

}  // namespace

void SetModalScript(std::function<void(wxDialog*)> script) { s_script = std::move(script); }

int main(int argc, char** argv)
{
    setenv("NO_AT_BRIDGE", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Settings written by the tests stay out of the user's own configuration.
    const std::string config = MakeTempFolder("tf3d_gui_test_config");
    if (!config.empty()) setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp);  // a GUI app, so that GTK starts
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot initialise the toolkit (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    wxSetAssertHandler(AssertToStderr);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    AnswerEveryDialog hook;
    hook.Register();
    const int result = RUN_ALL_TESTS();
    hook.Unregister();
    wxEntryCleanup();
    std::error_code ignored;
    if (!config.empty()) std::filesystem::remove_all(config, ignored);
    return result;
}
