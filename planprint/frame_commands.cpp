#include "planprint/frame_commands.h"

#include <sys/stat.h>

#include "planprint/model_data.h"
#include "planprint/program.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/tile_view.h"
#include "platform/platform.h"
#include "platform/safe_file.h"

namespace {

// The empty document's file, "" while untitled.
std::string s_documentPath;

std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

void ShowDocumentTitle()
{
    const std::string name = s_documentPath.empty() ? "Untitled" : FileName(s_documentPath);
    platform::SetMainCaption(name + " - " + kPlanprintTitle);
}

bool Import(const char* ext, const char* filter, const char* titleExt, int (CModelData::*read)(const std::string&))
{
    platform::FileDialogRequest request;
    request.open = true;
    request.defaultExt = ext;
    request.fileName = std::string("*.") + ext;
    request.filter = filter;
    std::string path;
    if (!platform::FileDialog(request, path)) return false;
    const bool taken = (g_pModel->*read)(path) == 1;
    if (taken) {
        g_strPrintFilePath = path;
        platform::SetMainCaption(ImportTitle(path, titleExt));
    }
    platform::InvalidateFrame(false);
    return taken;
}

}  // namespace

void StartPlanprintState()
{
    CreateModelTables();
    ResetSceneGlobals();
    ResetTileViewGlobals();
    ReadSettings();
    g_Scene.Refresh();
    s_documentPath.clear();
}

void EndPlanprintState()
{
    WriteSettings();
    DestroyModelTables();
}

std::string ImportTitle(const std::string& path, const char* ext)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    // A name that starts with its only dot has no extension.
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return (hasExtension ? path.substr(0, dot) : path) + "." + ext + " - " + kPlanprintTitle;
}

bool ImportModelFile2d()
{
    return Import("tfd", "Trussforge (2D) Files (*.tfd)|*.tfd|All Files (*.*)|*.*||", "tfu",
                  &CModelData::Read2dFile);
}

bool ImportModelFile3d()
{
    return Import("3dd", "Trussforge (3D) Files (*.3dd)|*.3dd|All Files (*.*)|*.*||", "mwd",
                  &CModelData::Read3dFile);
}

void ToggleMoveModel()
{
    if (g_bMoveModel) {
        g_bMoveModel = 0;
        EndModelDrag();
    } else {
        g_bMoveModel = 1;
    }
}

void ToggleShowGridLines()
{
    g_bShowGridLines = !g_bShowGridLines;
    platform::InvalidateFrame(false);
}

void RefreshProjection()
{
    g_Scene.ApplyProjection();
    platform::InvalidateFrame(false);
}

void DocumentNew()
{
    s_documentPath.clear();
    ShowDocumentTitle();
}

void DocumentOpen()
{
    platform::FileDialogRequest request;
    request.open = true;
    request.filter = "All Files (*.*)|*.*||";
    std::string path;
    if (!platform::FileDialog(request, path)) return;
    s_documentPath = path;
    ShowDocumentTitle();
}

void DocumentSave()
{
    std::string path = s_documentPath;
    if (path.empty()) {
        platform::FileDialogRequest request;
        request.open = false;
        request.fileName = "Untitled";
        request.filter = "All Files (*.*)|*.*||";
        if (!platform::FileDialog(request, path)) return;
    }
    struct stat st;
    std::string why;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        // Whatever is there, a model perhaps, stays.
        platform::MessageBox(FileName(path) + " was left unchanged: a Planprint document holds no data.",
                             kPlanprintTitle, platform::MB_OK | platform::MB_ICONINFORMATION);
    } else if (const auto saved = platform::SafeSaveFile(path, "", &why); saved != platform::SaveResult::Saved) {
        // A pipe, a device or a file without access is no document.
        const std::string notSaved = FileName(path) + " could not be saved: " + why + ".";
        platform::MessageBox(platform::SaveFailureText(saved, path, notSaved), kPlanprintTitle,
                             platform::MB_OK | platform::MB_ICONSTOP);
        return;
    }
    s_documentPath = path;
    ShowDocumentTitle();
}
