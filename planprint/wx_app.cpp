#include "planprint/wx_app.h"

#include <cstdio>

#include "planprint/frame_commands.h"
#include "planprint/program.h"
#include "planprint/wx_main_frame.h"
#include "platform/platform.h"
#include "platform/wx_backend.h"

bool CPlanprintApp::OnInit()
{
    SetAppName("planprint");
    SetAppDisplayName(kPlanprintTitle);
    platform::InstallWxBackend("planprint");
    StartPlanprintState();
    auto* frame = new CMainFrame;
    platform::ShowOnScreen(frame);
    platform::TellUnreadableSettings(kPlanprintTitle);
    return true;
}

int CPlanprintApp::OnExit()
{
    EndPlanprintState();
    return wxApp::OnExit();
}

void CPlanprintApp::OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                                    const wxChar* msg)
{
    std::fprintf(stderr, "%s(%d): assert \"%s\" failed in %s(): %s\n", wxString(file).utf8_str().data(), line,
                 wxString(cond).utf8_str().data(), wxString(func).utf8_str().data(),
                 wxString(msg).utf8_str().data());
}
