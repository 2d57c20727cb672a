#include "frame/wx_app.h"

#include <cstdio>
#include <string>
#include <vector>

#include "frame/file_commands.h"
#include "frame/wx_main_frame.h"
#include "platform/sdl_sound.h"
#include "platform/wx_backend.h"

bool CSpan3DApp::OnInit()
{
    SetAppName("trussforge3d");
    SetAppDisplayName("Trussforge3D");
    platform::InstallWxBackend();
    platform::SetWxSoundPlayer(platform::PlaySoundClip, platform::ReleaseSoundWhenSilent);
    LoadRecentFileList();

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i].utf8_str());
    // A view that cannot set up OpenGL has shown why; the program ends.
    m_bStartFailed = StartMainFrame(args) == nullptr;
    return true;
}

int CSpan3DApp::OnRun()
{
    if (m_bStartFailed) return 1;
    return wxApp::OnRun();
}

int CSpan3DApp::OnExit()
{
    SaveRecentFileList();
    return wxApp::OnExit();
}

void CSpan3DApp::OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                                 const wxChar* msg)
{
    std::fprintf(stderr, "%s(%d): assert \"%s\" failed in %s(): %s\n", wxString(file).utf8_str().data(), line,
                 wxString(cond).utf8_str().data(), wxString(func).utf8_str().data(),
                 wxString(msg).utf8_str().data());
}
