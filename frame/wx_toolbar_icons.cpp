#include "frame/wx_toolbar_icons.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <wx/brush.h>
#include <wx/font.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include "frame/command_ids.h"

namespace {

// Every picture is drawn on a 62 x 62 grid and scaled to the asked size.
constexpr double kGrid = 62.0;

const wxColour kInk(40, 40, 48);
const wxColour kJoint(200, 60, 30);
const wxColour kMember(60, 100, 170);
const wxColour kAdd(30, 150, 50);
const wxColour kGround(110, 90, 70);
// Guide planes take the colour of their normal axis: XY blue, XZ green, YZ red.
const wxColour kPlaneXY(50, 90, 220);
const wxColour kPlaneXZ(40, 160, 60);
const wxColour kPlaneYZ(210, 60, 50);

using Gc = wxGraphicsContext;

void Line(Gc& gc, double x1, double y1, double x2, double y2, const wxColour& c, double width)
{
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(c, width).Cap(wxCAP_ROUND).Join(wxJOIN_ROUND)));
    gc.StrokeLine(x1, y1, x2, y2);
}

void Disc(Gc& gc, double x, double y, double r, const wxColour& fill, const wxColour& edge, double width = 1.5)
{
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(edge, width)));
    gc.SetBrush(wxBrush(fill));
    gc.DrawEllipse(x - r, y - r, 2 * r, 2 * r);
}

void Joint(Gc& gc, double x, double y, double r = 5.5) { Disc(gc, x, y, r, kJoint, kInk); }

void Polygon(Gc& gc, std::initializer_list<wxPoint2DDouble> pts, const wxColour& fill, const wxColour& edge,
             double width = 1.5)
{
    wxGraphicsPath path = gc.CreatePath();
    bool first = true;
    for (const auto& p : pts) {
        if (first)
            path.MoveToPoint(p);
        else
            path.AddLineToPoint(p);
        first = false;
    }
    path.CloseSubpath();
    gc.SetBrush(wxBrush(fill));
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(edge, width).Join(wxJOIN_ROUND)));
    gc.DrawPath(path);
}

// A plus sign in a green disc, bottom right.
void PlusBadge(Gc& gc)
{
    Disc(gc, 47, 47, 11, kAdd, wxColour(255, 255, 255), 2);
    Line(gc, 41, 47, 53, 47, *wxWHITE, 3.5);
    Line(gc, 47, 41, 47, 53, *wxWHITE, 3.5);
}

void Label(Gc& gc, const char* text, double x, double y, const wxColour& colour)
{
    wxFont font(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold());
    gc.SetFont(font, colour);
    gc.DrawText(text, x, y);
}

// Arrow from (x1, y1) to (x2, y2) with heads at both ends.
void DoubleArrow(Gc& gc, double x1, double y1, double x2, double y2, const wxColour& c)
{
    Line(gc, x1, y1, x2, y2, c, 3);
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / len, uy = dy / len;
    const double h = 7, w = 4.5;
    Polygon(gc, {{x2, y2}, {x2 - ux * h - uy * w, y2 - uy * h + ux * w}, {x2 - ux * h + uy * w, y2 - uy * h - ux * w}},
            c, c, 1);
    Polygon(gc, {{x1, y1}, {x1 + ux * h - uy * w, y1 + uy * h + ux * w}, {x1 + ux * h + uy * w, y1 + uy * h - ux * w}},
            c, c, 1);
}

// A guide plane as a tinted grid of 4 x 4 cells spanned by two screen
// vectors from a corner.
void PlaneGrid(Gc& gc, double ox, double oy, double ux, double uy, double vx, double vy, const wxColour& c)
{
    Polygon(gc, {{ox, oy}, {ox + ux, oy + uy}, {ox + ux + vx, oy + uy + vy}, {ox + vx, oy + vy}},
            wxColour(c.Red(), c.Green(), c.Blue(), 70), c, 2);
    for (int i = 1; i < 4; ++i) {
        const double t = i / 4.0;
        Line(gc, ox + ux * t, oy + uy * t, ox + ux * t + vx, oy + uy * t + vy, c, 1);
        Line(gc, ox + vx * t, oy + vy * t, ox + vx * t + ux, oy + vy * t + uy, c, 1);
    }
}

// The three guide planes in an oblique view: x to the right, y up, z
// towards the viewer (down and to the left).
void PlaneXY(Gc& gc, bool small)
{
    if (small)
        PlaneGrid(gc, 20, 8, 34, 0, 0, 32, kPlaneXY);
    else
        PlaneGrid(gc, 10, 8, 42, 0, 0, 38, kPlaneXY);
}

void PlaneXZ(Gc& gc, bool small)
{
    if (small)
        PlaneGrid(gc, 22, 28, 34, 0, -14, 16, kPlaneXZ);
    else
        PlaneGrid(gc, 22, 16, 36, 0, -18, 24, kPlaneXZ);
}

void PlaneYZ(Gc& gc, bool small)
{
    if (small)
        PlaneGrid(gc, 32, 6, 0, 30, -16, 18, kPlaneYZ);
    else
        PlaneGrid(gc, 40, 4, 0, 34, -24, 22, kPlaneYZ);
}

void Hatch(Gc& gc, double x, double y, double w, double h)
{
    Polygon(gc, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, wxColour(200, 185, 160), kGround, 1.5);
    gc.Clip(x, y, w, h);
    for (double s = x - h; s < x + w; s += 6) Line(gc, s, y + h, s + h, y, kGround, 1.2);
    gc.ResetClip();
}

void DrawFocus(Gc& gc)
{
    Disc(gc, 31, 31, 22, wxColour(255, 255, 255, 0), kInk, 2.5);
    Disc(gc, 31, 31, 13, wxColour(255, 255, 255, 0), kInk, 2);
    Line(gc, 31, 3, 31, 17, kInk, 2.5);
    Line(gc, 31, 45, 31, 59, kInk, 2.5);
    Line(gc, 3, 31, 17, 31, kInk, 2.5);
    Line(gc, 45, 31, 59, 31, kInk, 2.5);
    Joint(gc, 31, 31, 6);
}

void Pointer(Gc& gc, double x, double y)
{
    Polygon(gc, {{x, y}, {x, y + 28}, {x + 7, y + 21}, {x + 12, y + 32}, {x + 17, y + 30}, {x + 12, y + 19},
                 {x + 21, y + 19}},
            *wxWHITE, kInk, 2);
}

void DrawSelect(Gc& gc)
{
    Disc(gc, 42, 42, 12, wxColour(255, 215, 0, 110), wxColour(200, 150, 0), 2);
    Joint(gc, 42, 42, 6.5);
    Pointer(gc, 8, 6);
}

void DrawClearSelection(Gc& gc)
{
    const double pts[3][2] = {{14, 44}, {31, 16}, {48, 44}};
    Line(gc, 14, 44, 31, 16, kMember, 4);
    Line(gc, 31, 16, 48, 44, kMember, 4);
    Line(gc, 14, 44, 48, 44, kMember, 4);
    for (const auto& p : pts) {
        Disc(gc, p[0], p[1], 9, wxColour(255, 215, 0, 110), wxColour(200, 150, 0), 1.5);
        Joint(gc, p[0], p[1], 5);
    }
    Line(gc, 8, 8, 54, 54, wxColour(210, 30, 30), 4.5);
    Line(gc, 54, 8, 8, 54, wxColour(210, 30, 30), 4.5);
}

void DrawAddJoint(Gc& gc)
{
    Joint(gc, 24, 24, 13);
    Disc(gc, 20, 20, 4, wxColour(255, 170, 140), wxColour(255, 170, 140), 0.5);  // highlight
    PlusBadge(gc);
}

void DrawAddMember(Gc& gc)
{
    Line(gc, 10, 38, 40, 10, kMember, 7);
    Joint(gc, 10, 38, 6.5);
    Joint(gc, 40, 10, 6.5);
    PlusBadge(gc);
}

void DrawRoller(Gc& gc)
{
    Polygon(gc, {{31, 16}, {17, 38}, {45, 38}}, wxColour(230, 230, 235), kInk, 2.5);
    Disc(gc, 22, 44, 5, wxColour(120, 120, 130), kInk, 1.5);
    Disc(gc, 40, 44, 5, wxColour(120, 120, 130), kInk, 1.5);
    Line(gc, 8, 50.5, 54, 50.5, kGround, 3);
    Joint(gc, 31, 14, 6.5);
}

void DrawHinge(Gc& gc)
{
    Polygon(gc, {{31, 16}, {15, 44}, {47, 44}}, wxColour(230, 230, 235), kInk, 2.5);
    Hatch(gc, 8, 44, 46, 10);
    Joint(gc, 31, 16, 6.5);
    Disc(gc, 31, 16, 2, *wxWHITE, *wxWHITE, 0.5);  // the pin
}

void DrawFixed(Gc& gc)
{
    Line(gc, 31, 8, 31, 38, kMember, 8);
    Hatch(gc, 8, 38, 46, 16);
    Polygon(gc, {{22, 36}, {40, 36}, {40, 40}, {22, 40}}, kInk, kInk, 1);  // base plate
    Joint(gc, 31, 10, 6);
}

void DrawRun(Gc& gc)
{
    // A small truss under load, and the start sign.
    Line(gc, 6, 50, 56, 50, kMember, 3.5);
    Line(gc, 6, 50, 18, 36, kMember, 3);
    Line(gc, 18, 36, 30, 50, kMember, 3);
    Line(gc, 30, 50, 42, 36, kMember, 3);
    Line(gc, 42, 36, 56, 50, kMember, 3);
    Line(gc, 18, 36, 42, 36, kMember, 3);
    Disc(gc, 31, 19, 15, kAdd, wxColour(20, 100, 30), 2);
    Polygon(gc, {{26, 11}, {26, 27}, {39, 19}}, *wxWHITE, *wxWHITE, 1);
}

void DrawProgram(Gc& gc)
{
    Hatch(gc, 2, 50, 58, 8);
    const double top = 20, bottom = 46;
    Line(gc, 4, bottom, 58, bottom, kMember, 4);
    Line(gc, 13, top, 49, top, kMember, 4);
    const double xs[] = {4, 13, 22, 31, 40, 49, 58};
    for (int i = 0; i + 1 < 7; ++i) {
        const bool up = i % 2 == 0;
        Line(gc, xs[i], up ? bottom : top, xs[i + 1], up ? top : bottom, kMember, 3);
    }
    for (int i = 0; i < 7; ++i) Joint(gc, xs[i], i % 2 == 0 ? bottom : top, 3.5);
}

bool Draw(Gc& gc, int id)
{
    switch (id) {
    case ID_GUIDES_MOVE_FOCUS: DrawFocus(gc); return true;
    case ID_JOINTS_SELECT: DrawSelect(gc); return true;
    case ID_JOINTS_CLEAR_SELECTIONS: DrawClearSelection(gc); return true;
    case ID_JOINTS_ADD: DrawAddJoint(gc); return true;
    case ID_MEMBERS_ADD: DrawAddMember(gc); return true;
    case ID_GUIDES_XY_SHOW:
        PlaneXY(gc, false);
        Label(gc, "XY", 18, 18, kInk);
        return true;
    case ID_GUIDES_XY_PLANE_TO_CURSOR:
        PlaneXY(gc, true);
        DoubleArrow(gc, 30, 36, 6, 58, kInk);  // along z
        return true;
    case ID_GUIDES_XZ_SHOW:
        PlaneXZ(gc, false);
        Label(gc, "XZ", 20, 44, kInk);
        return true;
    case ID_GUIDES_XZ_PLANE_TO_CURSOR:
        PlaneXZ(gc, true);
        DoubleArrow(gc, 32, 4, 32, 58, kInk);  // along y
        return true;
    case ID_GUIDES_YZ_SHOW:
        PlaneYZ(gc, false);
        Label(gc, "YZ", 6, 6, kInk);
        return true;
    case ID_GUIDES_YZ_PLANE_TO_CURSOR:
        PlaneYZ(gc, true);
        DoubleArrow(gc, 4, 28, 58, 28, kInk);  // along x
        return true;
    case ID_SUPPORTS_XZ_ROLLER: DrawRoller(gc); return true;
    case ID_SUPPORTS_HINGE: DrawHinge(gc); return true;
    case ID_SUPPORTS_FIXED: DrawFixed(gc); return true;
    case ID_ANALYSIS_RUN: DrawRun(gc); return true;
    default: return false;
    }
}

template <typename DrawFn>
wxBitmap Picture(int size, DrawFn draw)
{
    if (size <= 0) return wxBitmap();
    wxImage image(size, size);
    image.InitAlpha();
    unsigned char* alpha = image.GetAlpha();
    std::fill(alpha, alpha + size * size, 0);
    std::fill(image.GetData(), image.GetData() + 3 * size * size, 255);
    bool drawn = false;
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        if (gc) {
            gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
            gc->Scale(size / kGrid, size / kGrid);
            drawn = draw(*gc);
        }
    }
    return drawn ? wxBitmap(image) : wxBitmap();
}

}  // namespace

wxBitmap MakeToolbarIcon(int commandId, int size)
{
    return Picture(size, [commandId](Gc& gc) { return Draw(gc, commandId); });
}

wxBitmap MakeProgramIcon(int size)
{
    return Picture(size, [](Gc& gc) {
        DrawProgram(gc);
        return true;
    });
}
