// What Planprint's fuzz targets share: a quiet platform backend, and tile
// printing of whatever a reader took onto a device that draws nothing.
#pragma once

#include <cstdlib>
#include <string>

#include "planprint/model_data.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/tile_print.h"
#include "planprint/tile_view.h"
#include "platform/print_device.h"
#include "platform/test_backend.h"

namespace fuzz {

// Takes every call and draws nothing; the printing's own arithmetic still runs.
class NullPrintDC : public platform::PrintDC {
public:
    bool StartDoc(const std::string&) override { return true; }
    bool StartPage() override { return true; }
    bool EndPage() override { return true; }
    bool EndDoc() override { return true; }
    void AbortDoc() override {}
    std::string Error() const override { return std::string(); }
    platform::SheetGeometry Sheet() const override
    {
        platform::SheetGeometry s;
        s.sheetWidth = s.printableWidth = 612;
        s.sheetHeight = s.printableHeight = 792;
        return s;
    }
    double PointsPerUnit() const override { return 0.72; }
    void SetMapMode(platform::MapMode) override {}
    void SetWindowOrg(int, int) override {}
    void SetClipRect(int, int, int, int) override {}
    void ClearClip() override {}
    platform::PrintPen SelectPen(const platform::PrintPen& p) override { return p; }
    platform::PrintBrush SelectBrush(const platform::PrintBrush& b) override { return b; }
    platform::PrintFont SelectFont(const platform::PrintFont& f) override { return f; }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void TextOut(int, int, const std::string&) override {}
    void DrawImage(const unsigned char*, int, int, int, int, int, int) override {}
};

// Fresh tables and start-up settings, boxes recorded and dropped.
inline void StartPlanprint()
{
    static platform::TestBackend backend;
    backend.Clear();
    platform::SetBackend(&backend);
    CreateModelTables();
    ResetSettingsGlobals();
    ResetSceneGlobals();
    ResetTileViewGlobals();
}

// The model a reader took stays within its tables, and every tile prints.
inline void CheckAndPrint(int result)
{
    if (result != 0 && result != 1) std::abort();
    const CModelData& m = *g_pModel;
    if (m.nJoints < 0 || m.nJoints > kMaxJoints || m.nMembers < 0 || m.nMembers > kMaxMembers) std::abort();
    for (int i = 1; i <= m.nMembers; ++i) {
        const CMember& r = g_pMembers[i];
        if (r.nJointA < 1 || r.nJointA > m.nJoints || r.nJointB < 1 || r.nJointB > m.nJoints) std::abort();
    }
    if (g_nCols < 1 || g_nCols > 10 || g_nRows < 1 || g_nRows > 10) std::abort();
    if (result != 1) return;
    NullPrintDC dc;
    BeginTilePrinting();
    for (int page = 1; page <= TilePageCount(); ++page) PrintTilePage(dc, page);
}

}  // namespace fuzz
