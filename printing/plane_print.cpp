#include "printing/plane_print.h"

#include <cmath>
#include <string>
#include <vector>

#include "model/tables.h"
#include "platform/platform.h"
#include "platform/print_device.h"
#include "printing/tile_layout.h"
#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"

namespace {

// More pages than this are refused rather than sent to a printer.
constexpr long kMaxPrintPages = 1000;

struct PlanePrint {
    PlaneKind plane;
    bool cm;
    bool landscape;
    const char* jobName;
    float slab;       // half-width of the slab of joints around the guide plane
    int (*layout)();  // the plane's page layout for these units and orientation
    int* tilesShown;  // the plane's tiles are on view
};

const char* const kJobXY = "Structure in the XY Plane";
const char* const kJobXZ = "Structure in the XZ Plane";
const char* const kJobYZ = "Structure in the YZ Plane";
const char* const kJobSkew = "Structure in the Skewed YZ Plane";

// The metric portrait XY and XZ prints take the joints within 0.5 cm, the
// slab their page layout is made from, so that no joint falls off the pages.
const PlanePrint kXYInchPortrait = {PLANE_XY, false, false, kJobXY, 0.5f, ComputeTilesXYInchPortrait, &g_bShowTilesXY};
const PlanePrint kXYInchLandscape = {PLANE_XY, false, true, kJobXY, 0.5f, ComputeTilesXYInchLandscape, &g_bShowTilesXY};
const PlanePrint kXYCmPortrait = {PLANE_XY, true, false, kJobXY, 0.5f, ComputeTilesXYCmPortrait, &g_bShowTilesXY};
const PlanePrint kXYCmLandscape = {PLANE_XY, true, true, kJobXY, 1.5f, ComputeTilesXYCmLandscape, &g_bShowTilesXY};
const PlanePrint kXZInchPortrait = {PLANE_XZ, false, false, kJobXZ, 0.5f, ComputeTilesXZInchPortrait, &g_bShowTilesXZ};
const PlanePrint kXZInchLandscape = {PLANE_XZ, false, true, kJobXZ, 0.5f, ComputeTilesXZInchLandscape, &g_bShowTilesXZ};
const PlanePrint kXZCmPortrait = {PLANE_XZ, true, false, kJobXZ, 0.5f, ComputeTilesXZCmPortrait, &g_bShowTilesXZ};
const PlanePrint kXZCmLandscape = {PLANE_XZ, true, true, kJobXZ, 1.5f, ComputeTilesXZCmLandscape, &g_bShowTilesXZ};
const PlanePrint kYZInchPortrait = {PLANE_YZ, false, false, kJobYZ, 0.5f, ComputeTilesYZInchPortrait, &g_bShowTilesYZ};
const PlanePrint kYZInchLandscape = {PLANE_YZ, false, true, kJobYZ, 0.5f, ComputeTilesYZInchLandscape, &g_bShowTilesYZ};
const PlanePrint kYZCmPortrait = {PLANE_YZ, true, false, kJobYZ, 1.5f, ComputeTilesYZCmPortrait, &g_bShowTilesYZ};
const PlanePrint kYZCmLandscape = {PLANE_YZ, true, true, kJobYZ, 1.5f, ComputeTilesYZCmLandscape, &g_bShowTilesYZ};
const PlanePrint kSkewInch = {PLANE_SKEW_YZ, false, false, kJobSkew, 0, ComputeTilesSkewInch, &g_bShowTilesSkew};
const PlanePrint kSkewCm = {PLANE_SKEW_YZ, true, false, kJobSkew, 0, ComputeTilesSkewCm, &g_bShowTilesSkew};

const char* PlaneName(PlaneKind plane)
{
    switch (plane) {
    case PLANE_XY: return "XY";
    case PLANE_XZ: return "XZ";
    default: return "YZ";
    }
}

// The joints that belong to the print's plane.
std::vector<bool> JointsInPlane(const PlanePrint& p)
{
    const int n = JointCount();
    std::vector<bool> in(static_cast<size_t>(n) + 1, false);
    const double guide = p.plane == PLANE_XY ? g_fGuidePlaneZ : p.plane == PLANE_XZ ? g_fGuidePlaneY : g_fGuidePlaneX;
    for (int i = 1; i <= n; ++i) {
        const JointRec& j = g_Joints[i];
        if (p.plane == PLANE_SKEW_YZ) {
            in[i] = j.mark != 0;
        } else {
            const double normal = p.plane == PLANE_XY ? j.z : p.plane == PLANE_XZ ? j.y : j.x;
            in[i] = normal > guide - p.slab && normal < guide + p.slab;
        }
    }
    return in;
}

bool BothEndsIn(const std::vector<bool>& in, const MemberRec& m)
{
    const int n = static_cast<int>(in.size()) - 1;
    return m.jointA >= 1 && m.jointA <= n && m.jointB >= 1 && m.jointB <= n && in[m.jointA] && in[m.jointB];
}

PlanePageMap CurrentPageMap(const PlanePrint& p, int* down)
{
    PlanePageMap map;
    map.plane = p.plane;
    map.landscape = p.landscape;
    map.width = p.cm ? kPageFrameCmW : kPageFrameInchW;
    map.height = p.cm ? kPageFrameCmH : kPageFrameInchH;
    switch (p.plane) {
    case PLANE_XY:
        map.origin1 = g_fTilesXYOriginX, map.origin2 = g_fTilesXYOriginY;
        map.across = g_nTilesAcrossXY, *down = g_nTilesDownXY;
        break;
    case PLANE_XZ:
        map.origin1 = g_fTilesXZOriginX, map.origin2 = g_fTilesXZOriginZ;
        map.across = g_nTilesAcrossXZ, *down = g_nTilesDownXZ;
        break;
    default:
        map.origin1 = g_fTilesYZOriginZ, map.origin2 = g_fTilesYZOriginY;
        map.across = g_nTilesAcrossYZ, *down = g_nTilesDownYZ;
        break;
    }
    return map;
}

void Say(const std::string& text, unsigned icon)
{
    platform::MessageBox(text, g_szAppTitle, platform::MB_OK | icon);
}

// The corners of an outline as page points.
struct Corners {
    int x[4], y[4];
};

Corners MapCorners(const PlanePageMap& map, const float* c, int column, int row)
{
    Corners out;
    for (int k = 0; k < 4; ++k) MapToPage(map, c[2 * k], c[2 * k + 1], column, row, &out.x[k], &out.y[k]);
    return out;
}

// A closed line through four page points.
void DrawClosed(platform::PrintDC& dc, const int (&x)[4], const int (&y)[4])
{
    dc.MoveTo(x[0], y[0]);
    for (int k = 1; k < 4; ++k) dc.LineTo(x[k], y[k]);
    dc.LineTo(x[0], y[0]);
}

// The middle of a member in the plane, where its number is printed.
void MemberMiddle(PlaneKind plane, const MemberRec& rec, float* u, float* v)
{
    float ua, va, ub, vb;
    PlaneCoordinates(plane, g_Joints[rec.jointA], &ua, &va);
    PlaneCoordinates(plane, g_Joints[rec.jointB], &ub, &vb);
    *u = (ua + ub) / 2.0f;
    *v = (va + vb) / 2.0f;
}

void DrawPage(platform::PrintDC& dc, const PlanePrint& p, const PlanePageMap& map, const std::vector<bool>& in,
              int column, int row)
{
    const int W = map.width, H = map.height;
    dc.SetMapMode(p.cm ? platform::MapMode::LoMetric : platform::MapMode::LoEnglish);
    const platform::PrintPen oldPen = dc.SelectPen({1, {0, 0, 0}});
    const platform::PrintBrush oldBrush = dc.SelectBrush({{255, 255, 255}, false});
    if (p.cm)
        dc.SetWindowOrg(-190, 2616);
    else
        dc.SetWindowOrg(-75, 1030);

    const int frameX[4] = {0, W, W, 0}, frameY[4] = {0, 0, H, H};
    DrawClosed(dc, frameX, frameY);
    dc.SetClipRect(0, 0, W, H);

    const int nJoints = JointCount(), nMembers = MemberCount();
    for (int i = 1; i <= nJoints; ++i) {
        if (!in[i]) continue;
        float u, v;
        PlaneCoordinates(p.plane, g_Joints[i], &u, &v);
        int X, Y;
        MapToPage(map, u, v, column, row, &X, &Y);
        dc.MoveTo(X - 12, Y);
        dc.LineTo(X + 12, Y);
        dc.MoveTo(X, Y - 12);
        dc.LineTo(X, Y + 12);
    }

    for (int m = 1; m <= nMembers; ++m) {
        const MemberRec& rec = g_Members[m];
        if (!BothEndsIn(in, rec)) continue;
        float u, v;
        MemberMiddle(p.plane, rec, &u, &v);
        int X, Y;
        MapToPage(map, u, v, column, row, &X, &Y);
        dc.TextOut(X + 10, Y - 10, std::to_string(m));
    }

    for (int m = 1; m <= nMembers; ++m) {
        if (!BothEndsIn(in, g_Members[m]) || !ComputeMemberOutline(p.plane, m)) continue;
        const MemberRec& rec = g_Members[m];
        const Corners o1 = MapCorners(map, rec.outline1, column, row);
        if (g_Shapes[rec.shape].spacing == 0) {
            DrawClosed(dc, o1.x, o1.y);
            continue;
        }
        // The two sticks: between the outer and inner long edges on each side.
        const Corners o2 = MapCorners(map, rec.outline2, column, row);
        const int ax[4] = {o1.x[0], o2.x[0], o2.x[3], o1.x[3]}, ay[4] = {o1.y[0], o2.y[0], o2.y[3], o1.y[3]};
        const int bx[4] = {o2.x[1], o1.x[1], o1.x[2], o2.x[2]}, by[4] = {o2.y[1], o1.y[1], o1.y[2], o2.y[2]};
        DrawClosed(dc, ax, ay);
        DrawClosed(dc, bx, by);
    }

    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
    dc.ClearClip();
}

void SayTooManyPages(const PlanePrint& p)
{
    Say(std::string("The ") + (p.plane == PLANE_SKEW_YZ ? "skewed YZ" : PlaneName(p.plane)) +
            " plane needs more pages than one print can hold (" + std::to_string(kMaxPrintPages) +
            ").\nNothing was printed.",
        platform::MB_ICONINFORMATION);
}

// ---- what the pages of a print leave out

// The page grid as a rectangle in the plane: from the grid's corner, extentU
// logical units along the first coordinate and extentV along the second.
struct PageGrid {
    PlanePageMap map;
    float extentU = 0, extentV = 0;
};

PageGrid GridOf(const PlanePageMap& map, int down)
{
    PageGrid g;
    g.map = map;
    const float alongFirst = static_cast<float>(map.landscape ? down : map.across);
    const float alongSecond = static_cast<float>(map.landscape ? map.across : down);
    g.extentU = alongFirst * static_cast<float>(map.landscape ? map.height : map.width);
    g.extentV = alongSecond * static_cast<float>(map.landscape ? map.width : map.height);
    return g;
}

// The in-plane point (u, v), moved by (dx, dy) logical units along the page's
// own x and y axes, lies on some page of the grid.
bool OnGrid(const PageGrid& g, float u, float v, float dx = 0, float dy = 0)
{
    float U = (u - g.map.origin1) * 100.0f, V = (v - g.map.origin2) * 100.0f;
    // Which way the page's axes run in the plane (see MapToPage).
    const bool turned = g.map.landscape;
    switch (g.map.plane) {
    case PLANE_XY: U += turned ? dy : dx, V += turned ? -dx : dy; break;
    case PLANE_XZ: U += turned ? dy : dx, V += turned ? dx : -dy; break;
    default: U += turned ? -dy : -dx, V += turned ? -dx : dy; break;
    }
    return U >= 0 && U <= g.extentU && V >= 0 && V <= g.extentV;
}

// The device's default font (10 pt) in logical units: the height of a line
// and the width of a digit, a little over both.
struct NumberSize {
    float height, digit;
};
NumberSize NumberSizeOf(bool cm)
{
    const float pointsPerUnit =
        static_cast<float>(platform::PointsPerLogicalUnit(cm ? platform::MapMode::LoMetric : platform::MapMode::LoEnglish));
    return {11.0f / pointsPerUnit, 6.5f / pointsPerUnit};
}

// Which joints of the plane lose some of their cross, and which members of
// it some of their outline or number, on the pages of the grid.
struct CutParts {
    std::vector<bool> joints, members;
};

CutParts CutFromGrid(const PlanePrint& p, const std::vector<bool>& in, const PageGrid& g)
{
    CutParts cut;
    const int nJoints = JointCount(), nMembers = MemberCount();
    cut.joints.assign(static_cast<size_t>(nJoints) + 1, false);
    cut.members.assign(static_cast<size_t>(nMembers) + 1, false);
    for (int i = 1; i <= nJoints; ++i) {
        if (!in[i]) continue;
        float u, v;
        PlaneCoordinates(p.plane, g_Joints[i], &u, &v);
        cut.joints[i] = !OnGrid(g, u, v, -12, 0) || !OnGrid(g, u, v, 12, 0) || !OnGrid(g, u, v, 0, -12) ||
                        !OnGrid(g, u, v, 0, 12);
    }
    const NumberSize size = NumberSizeOf(p.cm);
    for (int m = 1; m <= nMembers; ++m) {
        const MemberRec& rec = g_Members[m];
        if (!BothEndsIn(in, rec)) continue;
        float u, v;
        MemberMiddle(p.plane, rec, &u, &v);
        const float right = 10 + size.digit * static_cast<float>(std::to_string(m).size()), below = -10 - size.height;
        bool cutOff = !OnGrid(g, u, v, 10, -10) || !OnGrid(g, u, v, right, -10) || !OnGrid(g, u, v, 10, below) ||
                      !OnGrid(g, u, v, right, below);
        if (!cutOff && ComputeMemberOutline(p.plane, m))
            for (int k = 0; k < 4 && !cutOff; ++k) cutOff = !OnGrid(g, rec.outline1[2 * k], rec.outline1[2 * k + 1]);
        cut.members[m] = cutOff;
    }
    return cut;
}

// A plane's page layout globals, kept to be put back.
class SavedTiles {
public:
    explicit SavedTiles(PlaneKind plane)
    {
        switch (plane) {
        case PLANE_XY: o1_ = &g_fTilesXYOriginX, o2_ = &g_fTilesXYOriginY, a_ = &g_nTilesAcrossXY, d_ = &g_nTilesDownXY; break;
        case PLANE_XZ: o1_ = &g_fTilesXZOriginX, o2_ = &g_fTilesXZOriginZ, a_ = &g_nTilesAcrossXZ, d_ = &g_nTilesDownXZ; break;
        default: o1_ = &g_fTilesYZOriginZ, o2_ = &g_fTilesYZOriginY, a_ = &g_nTilesAcrossYZ, d_ = &g_nTilesDownYZ; break;
        }
        origin1_ = *o1_, origin2_ = *o2_, across_ = *a_, down_ = *d_;
    }
    void Restore() const { *o1_ = origin1_, *o2_ = origin2_, *a_ = across_, *d_ = down_; }

private:
    float *o1_, *o2_;
    short *a_, *d_;
    float origin1_, origin2_;
    short across_, down_;
};

std::string Counted(int n, const char* thing)
{
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// With the plane's tiles shown, the print takes the pages shown. When a
// joint or member of the plane falls off them that a new layout would hold,
// the user chooses: lay the tiles out again, print the pages shown, or print
// nothing. False when nothing is to be printed.
bool ConfirmShownPages(const PlanePrint& p, const std::vector<bool>& in)
{
    int down = 1;
    const PlanePageMap shownMap = CurrentPageMap(p, &down);
    const CutParts shown = CutFromGrid(p, in, GridOf(shownMap, down));

    // A new layout, tried and then undone: the tiles shown stay as they are.
    const SavedTiles saved(p.plane);
    const bool laidOut = p.layout() == 0;
    const PlanePageMap freshMap = CurrentPageMap(p, &down);
    saved.Restore();
    if (!laidOut) return true;
    const CutParts fresh = CutFromGrid(p, in, GridOf(freshMap, down));

    int joints = 0, members = 0;
    for (size_t i = 1; i < shown.joints.size(); ++i) joints += shown.joints[i] && !fresh.joints[i];
    for (size_t m = 1; m < shown.members.size(); ++m) members += shown.members[m] && !fresh.members[m];
    if (joints == 0 && members == 0) return true;

    std::string what = joints ? Counted(joints, "joint") : "";
    if (members) what += (joints ? " and " : "") + Counted(members, "member");
    const std::string plane = p.plane == PLANE_SKEW_YZ ? "skewed YZ" : PlaneName(p.plane);
    const int answer = platform::MessageBox(
        "Part of the " + plane + " plane lies outside the page tiles shown: " + what +
            " would be cut from the print, wholly or in part.\n\n"
            "Yes: lay the tiles out again to hold the plane, then print.\n"
            "No: print the pages shown.\n"
            "Cancel: print nothing.",
        g_szAppTitle, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
    if (answer == platform::IDCANCEL) return false;
    if (answer == platform::IDYES) {
        p.layout();
        platform::InvalidateFrame(false);
    }
    return true;
}

}  // namespace

void ReportPrintOutcome(const platform::PrintOutcome& outcome, long pages)
{
    switch (outcome.status) {
    case platform::PrintStatus::Failed:
        Say("Printing failed.\n" + outcome.error, platform::MB_ICONEXCLAMATION);
        break;
    case platform::PrintStatus::NoPageInRange:
        Say("None of the pages chosen is in this print of " + std::to_string(pages) +
                " pages.\nNothing was printed.",
            platform::MB_ICONINFORMATION);
        break;
    default: break;
    }
}

namespace {

void RunPlanePrint(const PlanePrint& p)
{
    if (MemberCount() < 1 || JointCount() < 1) return;
    const std::vector<bool> in = JointsInPlane(p);
    bool any = false;
    for (bool b : in) any = any || b;
    if (!any) {
        if (p.plane == PLANE_SKEW_YZ)
            Say("No joint is marked.\nNothing was printed.", platform::MB_ICONINFORMATION);
        else
            Say(std::string("No joint lies within ") + (p.slab == 0.5f ? "0.5" : "1.5") + (p.cm ? " cm" : " in") +
                    " of the " + PlaneName(p.plane) + " guide plane.\nNothing was printed.",
                platform::MB_ICONINFORMATION);
        return;
    }

    if (*p.tilesShown && !ConfirmShownPages(p, in)) return;

    platform::PrintDialogRequest request;
    request.jobName = p.jobName;
    platform::PrintTarget target;
    if (!platform::PrintDialog(request, target)) return;

    const bool laidOut = *p.tilesShown || p.layout() == 0;
    int down = 1;
    const PlanePageMap map = CurrentPageMap(p, &down);
    const long pages = static_cast<long>(map.across) * down;
    if (!laidOut || map.across < 1 || down < 1 || pages > kMaxPrintPages) {
        SayTooManyPages(p);
        return;
    }
    const platform::PrintOutcome outcome =
        platform::RunPrintJob(target, p.jobName, static_cast<int>(pages), [&](platform::PrintDC& dc, int page) {
            DrawPage(dc, p, map, in, (page - 1) / down + 1, (page - 1) % down + 1);
        });
    ReportPrintOutcome(outcome, pages);
}

// A page coordinate in single precision, truncated toward zero.
int Truncated(float value)
{
    if (!(value > -1e9f)) return value != value ? 0 : -1000000000;
    if (!(value < 1e9f)) return 1000000000;
    return static_cast<int>(value);
}

}  // namespace

void MapToPage(const PlanePageMap& map, float u, float v, int column, int row, int* x, int* y)
{
    const float U = (u - map.origin1) * 100.0f;
    const float V = (v - map.origin2) * 100.0f;
    const float W = static_cast<float>(map.width), H = static_cast<float>(map.height);
    const float left = static_cast<float>(column - 1) * W;  // the page's offsets into the plane
    const float below = static_cast<float>(row - 1) * H;
    const float acrossW = static_cast<float>(map.across) * W;
    float X = 0, Y = 0;
    if (!map.landscape) {
        switch (map.plane) {
        case PLANE_XY: X = U - left, Y = V - below; break;
        case PLANE_XZ: X = U - left, Y = H - (V - below); break;
        default: X = W - (U - left), Y = V - below; break;
        }
    } else {
        switch (map.plane) {
        case PLANE_XY: X = acrossW - V - left, Y = U - below; break;
        case PLANE_XZ: X = V - left, Y = U - below; break;
        default: X = acrossW - V - left, Y = H - (U - below); break;
        }
    }
    *x = Truncated(X);
    *y = Truncated(Y);
}

void PrintPlaneXYInchPortrait() { RunPlanePrint(kXYInchPortrait); }
void PrintPlaneXYInchLandscape() { RunPlanePrint(kXYInchLandscape); }
void PrintPlaneXYCmPortrait() { RunPlanePrint(kXYCmPortrait); }
void PrintPlaneXYCmLandscape() { RunPlanePrint(kXYCmLandscape); }
void PrintPlaneXZInchPortrait() { RunPlanePrint(kXZInchPortrait); }
void PrintPlaneXZInchLandscape() { RunPlanePrint(kXZInchLandscape); }
void PrintPlaneXZCmPortrait() { RunPlanePrint(kXZCmPortrait); }
void PrintPlaneXZCmLandscape() { RunPlanePrint(kXZCmLandscape); }
void PrintPlaneYZInchPortrait() { RunPlanePrint(kYZInchPortrait); }
void PrintPlaneYZInchLandscape() { RunPlanePrint(kYZInchLandscape); }
void PrintPlaneYZCmPortrait() { RunPlanePrint(kYZCmPortrait); }
void PrintPlaneYZCmLandscape() { RunPlanePrint(kYZCmLandscape); }
void PrintSkewPlaneInch() { RunPlanePrint(kSkewInch); }
void PrintSkewPlaneCm() { RunPlanePrint(kSkewCm); }

bool PrintMarkedSkewPlane()
{
    if (g_bShowTilesSkew == 1) {
        g_bShowTilesSkew = 0;
        return true;
    }
    int marked = 0;
    for (int i = 1; i <= JointCount(); ++i) marked += g_Joints[i].mark != 0;
    if (ComputeSkewCoordinates() != 0) {
        if (marked >= 3)
            Say("The marked joints all have the same x and y, so they fix no skewed plane.\nNothing was printed.",
                platform::MB_ICONINFORMATION);
        return false;
    }
    const bool cm = g_bUnitsUS == 0;
    if ((cm ? ComputeTilesSkewCm() : ComputeTilesSkewInch()) != 0) {
        if (MemberCount() >= 1 && JointCount() >= 1) SayTooManyPages(cm ? kSkewCm : kSkewInch);
        return false;
    }
    g_bShowTilesSkew = 1;
    if (cm)
        PrintSkewPlaneCm();
    else
        PrintSkewPlaneInch();
    return true;
}
