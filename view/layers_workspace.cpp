// Workspace base planes, guide planes, rulers, origin axes and page tiles.
#include "view/scene_layers.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/tables.h"
#include "printing/tile_layout.h"
#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"
#include "view/renderer.h"

namespace {

// Pages drawn along one axis of a tile grid at most.
constexpr int kMaxPagesPerAxis = 256;

float Wx() { return g_nWorkspaceX; }
float Wy() { return g_nWorkspaceY; }
float Wz() { return g_nWorkspaceZ; }

void Black()
{
    glColor3f(0, 0, 0);
}

// Rectangles wound counter-clockwise seen from the side of their normal.
void QuadXY(float x0, float x1, float y0, float y1, float z)
{
    glNormal3f(0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(x0, y1, z);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glEnd();
}

void QuadYZ(float y0, float y1, float z0, float z1, float x)
{
    glNormal3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(x, y1, z1);
    glVertex3f(x, y0, z1);
    glVertex3f(x, y0, z0);
    glVertex3f(x, y1, z0);
    glEnd();
}

void QuadXZ(float x0, float x1, float z0, float z1, float y)
{
    glNormal3f(0, 1, 0);
    glBegin(GL_QUADS);
    glVertex3f(x0, y, z0);
    glVertex3f(x0, y, z1);
    glVertex3f(x1, y, z1);
    glVertex3f(x1, y, z0);
    glEnd();
}

void LineLoop(const float (*points)[3], int count)
{
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < count; ++i) glVertex3fv(points[i]);
    glEnd();
}

void Line(float x0, float y0, float z0, float x1, float y1, float z1)
{
    glBegin(GL_LINES);
    glVertex3f(x0, y0, z0);
    glVertex3f(x1, y1, z1);
    glEnd();
}

void BeginGridPoints()
{
    Black();
    glPointSize(g_nLargeScreenFactor == 2 ? 2.0f : 1.0f);
    glBegin(GL_POINTS);
}

void EndGridPoints()
{
    glEnd();
    glPointSize(1);
}

void BeginSheet(float r, float g, float b, float a)
{
    glColor4f(r, g, b, a);
    glEnable(GL_BLEND);
}

void EndSheet()
{
    glDisable(GL_BLEND);
}

void XYSheetColour()
{
    if (g_bGuidePlaneHalfAlpha)
        BeginSheet(0, 1, 1, 0.5f);
    else
        BeginSheet(1, 1, 1, 0.9f);
}

// ---- list contents ----

void BasePlaneYZ()
{
    const float wy = Wy(), wz = Wz();
    glColor3f(1, 1, 1);
    QuadYZ(0, wy, 0, wz, 0);
    Black();
    const float outline[4][3] = {{0.01f, wy, wz}, {0.01f, 0.01f, wz}, {0.01f, 0.01f, 0.01f}, {0.01f, wy, 0.01f}};
    LineLoop(outline, 4);
}

void BasePlaneXY()
{
    const float wx = Wx(), wy = Wy();
    glColor3f(1, 1, 1);
    QuadXY(0, wx, 0, wy, 0);
    Black();
    const float outline[4][3] = {{0.01f, wy, 0.01f}, {0.01f, 0.01f, 0.01f}, {wx, 0.01f, 0.01f}, {wx, wy, 0.01f}};
    LineLoop(outline, 4);
}

void BasePlaneXZ()
{
    const float wx = Wx(), wz = Wz();
    if (g_bTruckActive)
        glColor3f(0, 0, 1);  // water under the bridge
    else
        glColor3f(1, 1, 1);
    QuadXZ(0, wx, 0, wz, 0);
    Black();
    const float outline[4][3] = {{0.01f, 0.01f, 0.01f}, {0.01f, 0.01f, wz}, {wx, 0.01f, wz}, {wx, 0.01f, 0.01f}};
    LineLoop(outline, 4);
}

// XY guide plane in its own frame (the plane is z = 0).
void GuideXYPart1()
{
    const float wx = Wx(), wy = Wy(), gx = g_fGuidePlaneX, gy = g_fGuidePlaneY;
    glNormal3f(0, 0, 1);
    if (g_bGuideGridXY) {
        const int nx = GuideGridUnits(g_nWorkspaceX), ny = GuideGridUnits(g_nWorkspaceY);
        BeginGridPoints();
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j) glVertex3f(static_cast<float>(i), static_cast<float>(j), 0.05f);
        EndGridPoints();
    }
    Black();
    const float outline[4][3] = {{0.06f, 0.05f, 0.05f}, {wx, 0.05f, 0.05f}, {wx, wy, 0.05f}, {0.06f, wy, 0.05f}};
    LineLoop(outline, 4);
    XYSheetColour();
    QuadXY(0, gx, 0, gy, 0);
    QuadXY(gx, wx, 0, gy, 0);
    EndSheet();
}

void GuideXYPart2()
{
    const float wx = Wx(), wy = Wy(), gx = g_fGuidePlaneX, gy = g_fGuidePlaneY;
    XYSheetColour();
    QuadXY(0, gx, gy, wy, 0);
    QuadXY(gx, wx, gy, wy, 0);
    EndSheet();
}

// XZ guide plane in its own frame (the plane is y = 0).
void GuideXZ()
{
    const float wx = Wx(), wz = Wz(), gx = g_fGuidePlaneX, gz = g_fGuidePlaneZ;
    glNormal3f(0, 1, 0);
    Black();
    const float outline[4][3] = {{0.05f, 0.05f, 0.05f}, {wx, 0.05f, 0.05f}, {wx, 0.05f, wz}, {0.05f, 0.05f, wz}};
    LineLoop(outline, 4);
    if (g_bGuideGridXZ) {
        const int nx = GuideGridUnits(g_nWorkspaceX), nz = GuideGridUnits(g_nWorkspaceZ);
        BeginGridPoints();
        for (int i = 0; i <= nx; ++i)
            for (int k = 0; k <= nz; ++k) glVertex3f(static_cast<float>(i), 0.05f, static_cast<float>(k));
        EndGridPoints();
    }
    BeginSheet(0, 1, 1, 0.5f);
    QuadXZ(0, gx, 0, gz, 0);
    QuadXZ(gx, wx, 0, gz, 0);
    QuadXZ(0.05f, gx, gz, wz, 0.05f);
    QuadXZ(gx, wx, gz, wz, 0);
    EndSheet();
}

// YZ guide plane in its own frame (the plane is x = 0).
void GuideYZPart1()
{
    const float wy = Wy(), wz = Wz();
    glNormal3f(1, 0, 0);
    Black();
    const float outline[4][3] = {{0.05f, 0.05f, wz}, {0.05f, 0.05f, 0.05f}, {0.05f, wy, 0.05f}, {0.05f, wy, wz}};
    LineLoop(outline, 4);
    BeginSheet(0, 1, 1, 0.5f);
    QuadYZ(0, g_fGuidePlaneY, 0, g_fGuidePlaneZ, 0);
    EndSheet();
    if (g_bGuideGridYZ) {
        const int ny = GuideGridUnits(g_nWorkspaceY), nz = GuideGridUnits(g_nWorkspaceZ);
        glNormal3f(1, 0, 0);
        BeginGridPoints();
        for (int j = 0; j <= ny; ++j)
            for (int k = 0; k <= nz; ++k) glVertex3f(0.05f, static_cast<float>(j), static_cast<float>(k));
        EndGridPoints();
    }
}

void GuideYZQuarter(float y0, float y1, float z0, float z1)
{
    BeginSheet(0, 1, 1, 0.5f);
    QuadYZ(y0, y1, z0, z1, 0);
    EndSheet();
}

// ---- rulers ----

// Two-digit number with its lower-left corner at (x, y, z) of the current
// frame; a leading '1' is narrow, so the second digit follows closer.
void RulerNumber(int n, float x, float y, float z)
{
    const int tens = n / 10, units = n % 10;
    glPushMatrix();
    glTranslatef(x, y, z);
    DrawRulerChar(static_cast<char>('0' + tens), 0.5f);
    glTranslatef(tens == 1 ? 0.25f : 0.4f, 0, 0);
    DrawRulerChar(static_cast<char>('0' + units), 0.5f);
    glPopMatrix();
}

bool RulerNumberWritten(int n)
{
    return n >= 10 && n <= 98;
}

void RulerX(float s)
{
    const float wx = Wx(), zs = Wz(), zl = Wz() + 0.05f;
    glColor3f(1, 1, 0.5f);
    QuadXY(0, wx, -s, 0.05f, zs);
    Black();
    const float outline[4][3] = {{0, 0.05f, zl}, {0, -s, zl}, {wx, -s, zl}, {wx, 0.05f, zl}};
    LineLoop(outline, 4);
    glBegin(GL_LINES);
    for (int i = 1; i <= g_nWorkspaceX; ++i) {
        glVertex3f(static_cast<float>(i), 0, zl);
        glVertex3f(static_cast<float>(i), -s / 2, zl);
    }
    for (int q = 0; q <= 4 * g_nWorkspaceX; ++q) {
        glVertex3f(q * 0.25f, 0, zl);
        glVertex3f(q * 0.25f, -s / 4, zl);
    }
    glEnd();
    for (int n = 12; n <= g_nWorkspaceX; n += 12) {
        glLineWidth(2);
        Line(static_cast<float>(n), 0, zl, static_cast<float>(n), -s / 2, zl);
        glLineWidth(1);
        if (RulerNumberWritten(n)) RulerNumber(n, n - 0.8f, -7 * s / 8, zl);
    }
    const char* label = g_bUnitsUS ? "IN." : "CM.";
    glPushMatrix();
    glTranslatef(1.5f, -7 * s / 8, zl);
    for (int i = 0; i < 3; ++i) {
        DrawRulerChar(label[i], 0.5f);
        glTranslatef(0.4f, 0, 0);
    }
    glPopMatrix();
}

void RulerY(float s)
{
    const float wy = Wy(), zs = Wz(), zl = Wz() + 0.05f;
    glColor3f(1, 1, 0.5f);
    QuadXY(-1.75f, 0, 0, wy, zs);
    Black();
    const float outline[4][3] = {{-1.75f, 0, zl}, {0, 0, zl}, {0, wy, zl}, {-1.75f, wy, zl}};
    LineLoop(outline, 4);
    glBegin(GL_LINES);
    for (int j = 1; j <= g_nWorkspaceY; ++j) {
        glVertex3f(0, static_cast<float>(j), zl);
        glVertex3f(-s / 3, static_cast<float>(j), zl);
    }
    for (int q = 0; q <= 4 * g_nWorkspaceY; ++q) {
        glVertex3f(0, q * 0.25f, zl);
        glVertex3f(-s / 5, q * 0.25f, zl);
    }
    glEnd();
    for (int n = 12; n <= g_nWorkspaceY; n += 12) {
        glLineWidth(2);
        Line(0, static_cast<float>(n), zl, -s / 3, static_cast<float>(n), zl);
        glLineWidth(1);
        if (RulerNumberWritten(n)) RulerNumber(n, -1.35f, n - 0.65f, zl);
    }
}

void RulerZ(float s)
{
    const float wz = Wz(), xs = Wx(), xl = Wx() + 0.05f;
    glColor3f(1, 1, 0.5f);
    QuadYZ(-s, 0, 0, wz, xs);
    Black();
    const float outline[4][3] = {{xl, 0, 0}, {xl, -s, 0}, {xl, -s, wz}, {xl, 0, wz}};
    LineLoop(outline, 4);
    glBegin(GL_LINES);
    for (int k = 1; k <= g_nWorkspaceZ; ++k) {
        glVertex3f(xl, 0, static_cast<float>(k));
        glVertex3f(xl, -s / 2, static_cast<float>(k));
    }
    for (int q = 0; q <= 4 * g_nWorkspaceZ; ++q) {
        glVertex3f(xl, 0, q * 0.25f);
        glVertex3f(xl, -s / 4, q * 0.25f);
    }
    glEnd();
    for (int n = 12; n <= g_nWorkspaceZ; n += 12) {
        glLineWidth(2);
        Line(xl, 0, static_cast<float>(n), xl, -s / 2, static_cast<float>(n));
        glLineWidth(1);
        if (!RulerNumberWritten(n)) continue;
        // Turned to read along the ruler from the outside, below its tick.
        glPushMatrix();
        glTranslatef(xl, -1.65f, n - 0.15f);
        glRotatef(90, 0, 1, 0);
        RulerNumber(n, 0, 0, 0);
        glPopMatrix();
    }
}

// ---- ruler glyphs ----

// Strokes in a unit cell (x 0..1 across the width, y 0..1 up the height);
// a point with x < 0 ends a stroke.
struct Glyph {
    char c;
    int count;
    float pts[12][2];
};

constexpr float E = -1;

const Glyph kGlyphs[] = {
    {'.', 5, {{0.35f, 0}, {0.65f, 0}, {0.65f, 0.12f}, {0.35f, 0.12f}, {0.35f, 0}}},
    {'0', 8, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {E, 0}, {0, 0}, {1, 1}}},
    {'1', 3, {{0.2f, 0.75f}, {0.5f, 1}, {0.5f, 0}}},
    {'2', 6, {{0, 1}, {1, 1}, {1, 0.5f}, {0, 0.5f}, {0, 0}, {1, 0}}},
    {'3', 7, {{0, 1}, {1, 1}, {1, 0}, {0, 0}, {E, 0}, {0.2f, 0.5f}, {1, 0.5f}}},
    {'4', 6, {{0, 1}, {0, 0.5f}, {1, 0.5f}, {E, 0}, {1, 1}, {1, 0}}},
    {'5', 6, {{1, 1}, {0, 1}, {0, 0.5f}, {1, 0.5f}, {1, 0}, {0, 0}}},
    {'6', 6, {{1, 1}, {0, 1}, {0, 0}, {1, 0}, {1, 0.5f}, {0, 0.5f}}},
    {'7', 3, {{0, 1}, {1, 1}, {0.35f, 0}}},
    {'8', 8, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}, {E, 0}, {0, 0.5f}, {1, 0.5f}}},
    {'9', 6, {{1, 0.5f}, {0, 0.5f}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}},
    {'C', 4, {{1, 1}, {0, 1}, {0, 0}, {1, 0}}},
    {'I', 8, {{0.5f, 0}, {0.5f, 1}, {E, 0}, {0.2f, 1}, {0.8f, 1}, {E, 0}, {0.2f, 0}, {0.8f, 0}}},
    {'M', 5, {{0, 0}, {0, 1}, {0.5f, 0.45f}, {1, 1}, {1, 0}}},
    {'N', 4, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
};

}  // namespace

void DrawRulerChar(char c, float size)
{
    const Glyph* glyph = nullptr;
    for (const Glyph& g : kGlyphs)
        if (g.c == c) glyph = &g;
    if (!glyph) return;
    const float w = size / 2, h = size;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < glyph->count; ++i) {
        const float* p = glyph->pts[i];
        if (p[0] < 0) {
            glEnd();
            glBegin(GL_LINE_STRIP);
        } else {
            glVertex3f(p[0] * w, p[1] * h, 0);
        }
    }
    glEnd();
}

int GuideGridUnits(short size)
{
    // Grid points grow with the square of the workspace; a size read
    // unchecked from a file must not stall the view.
    constexpr int kMaxGridUnits = 500;
    return std::min<int>(size, kMaxGridUnits);
}

void DrawBasePlaneYZ()
{
    CallDisplayList(LIST_YZ_BASE_PLANE, g_bListYZBasePlaneBuilt, BasePlaneYZ);
}

void DrawBasePlaneXY()
{
    CallDisplayList(LIST_XY_BASE_PLANE, g_bListXYBasePlaneBuilt, BasePlaneXY);
}

void DrawBasePlaneXZ()
{
    CallDisplayList(LIST_XZ_BASE_PLANE, g_bListXZBasePlaneBuilt, BasePlaneXZ);
}

void DrawGuideXYPart1(float z)
{
    glPushMatrix();
    glTranslatef(0, 0, z);
    CallDisplayList(LIST_XY_GUIDE_1, g_bListXYGuide1Built, GuideXYPart1);
    glPopMatrix();
}

void DrawGuideXYPart2(float z)
{
    glPushMatrix();
    glTranslatef(0, 0, z);
    CallDisplayList(LIST_XY_GUIDE_2, g_bListXYGuide2Built, GuideXYPart2);
    glPopMatrix();
}

void DrawGuideXZ(float y)
{
    glPushMatrix();
    glTranslatef(0, y, 0);
    CallDisplayList(LIST_XZ_GUIDE, g_bListXZGuideBuilt, GuideXZ);
    glPopMatrix();
}

void DrawGuideYZPart1(float x)
{
    glPushMatrix();
    glTranslatef(x, 0, 0);
    CallDisplayList(LIST_YZ_GUIDE_1, g_bListYZGuide1Built, GuideYZPart1);
    glPopMatrix();
}

void DrawGuideYZPart2(float x)
{
    glPushMatrix();
    glTranslatef(x, 0, 0);
    CallDisplayList(LIST_YZ_GUIDE_2, g_bListYZGuide2Built,
                    [] { GuideYZQuarter(0, g_fGuidePlaneY, g_fGuidePlaneZ, Wz()); });
    glPopMatrix();
}

void DrawGuideYZPart3(float x)
{
    glPushMatrix();
    glTranslatef(x, 0, 0);
    CallDisplayList(LIST_YZ_GUIDE_3, g_bListYZGuide3Built,
                    [] { GuideYZQuarter(g_fGuidePlaneY, Wy(), 0.05f, g_fGuidePlaneZ); });
    glPopMatrix();
}

void DrawGuideYZPart4(float x)
{
    glPushMatrix();
    glTranslatef(x, 0, 0);
    CallDisplayList(LIST_YZ_GUIDE_4, g_bListYZGuide4Built,
                    [] { GuideYZQuarter(g_fGuidePlaneY, Wy(), g_fGuidePlaneZ, Wz()); });
    glPopMatrix();
}

void DrawGuideIntersections()
{
    const float gx = g_fGuidePlaneX + 0.05f, gy = g_fGuidePlaneY + 0.05f, gz = g_fGuidePlaneZ + 0.05f;
    Black();
    if (g_bShowGuideYZ && g_bShowGuideXZ) Line(gx, gy, 0, gx, gy, Wz());
    if (g_bShowGuideXY && g_bShowGuideXZ) Line(0, gy, gz, Wx(), gy, gz);
    if (g_bShowGuideYZ && g_bShowGuideXY) Line(gx, 0, gz, gx, Wy(), gz);
}

void DrawRulerX(float size)
{
    CallDisplayList(LIST_RULER_X, g_bListRuler1Built, [size] { RulerX(size); });
}

void DrawRulerY(float size)
{
    CallDisplayList(LIST_RULER_Y, g_bListRuler2Built, [size] { RulerY(size); });
}

void DrawRulerZ(float size)
{
    CallDisplayList(LIST_RULER_Z, g_bListRuler3Built, [size] { RulerZ(size); });
}

void DrawRulerCursorMarks(float x, float y, float z)
{
    const float zl = Wz() + 0.05f;
    glColor3f(0, 0, 1);
    glPushMatrix();
    glTranslatef(x, 0, zl);  // up at the X ruler
    glCallList(LIST_ARROW_HEAD);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, y, zl);  // along +X at the Y ruler
    glRotatef(-90, 0, 0, 1);
    glCallList(LIST_ARROW_HEAD);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(Wx() + 0.05f, 0, z);  // up at the Z ruler
    glRotatef(90, 0, 1, 0);
    glCallList(LIST_ARROW_HEAD);
    glPopMatrix();
}

void DrawOriginAxes()
{
    CallDisplayList(LIST_ORIGIN, g_bListOriginBuilt, [] {
        const float ox = g_fOriginX, oy = g_fOriginY, oz = g_fOriginZ;
        GLUquadric* cone = gluNewQuadric();
        glLineWidth(2);
        struct Axis {
            float r, g, b;
            float dx, dy, dz;       // direction of the axis
            float cx, cy, cz;       // cone base, from the origin
            float angle, ax, ay;    // turns the cone's +Z onto the axis
        };
        const Axis axes[3] = {
            {0, 0, 1, 1, 0, 0, 1, 0.02f, 0, 90, 0, 1},
            {0, 1, 0, 0, 1, 0, 0, 1.02f, 0, -90, 1, 0},
            {1, 0, 0, 0, 0, 1, 0, 0, 1.02f, 0, 0, 0},
        };
        for (const Axis& a : axes) {
            glColor3f(a.r, a.g, a.b);
            Line(ox, oy + 0.02f, oz, ox + a.dx, oy + 0.02f + a.dy, oz + a.dz);
            glPushMatrix();
            glTranslatef(ox + a.cx, oy + a.cy, oz + a.cz);
            if (a.angle != 0) glRotatef(a.angle, a.ax, a.ay, 0);
            gluCylinder(cone, 0.15, 0, 0.7, 12, 12);
            glPopMatrix();
        }
        glLineWidth(1);
        gluDeleteQuadric(cone);
    });
}

void DrawPageTiles(TileGrid grid, float position, int metric, int landscape)
{
    int across, down;
    float first, second;  // grid corner along the first and second in-plane axes
    switch (grid) {
    case TILES_XY:
        across = g_nTilesAcrossXY, down = g_nTilesDownXY;
        first = g_fTilesXYOriginX, second = g_fTilesXYOriginY;
        break;
    case TILES_XZ:
        across = g_nTilesAcrossXZ, down = g_nTilesDownXZ;
        first = g_fTilesXZOriginX, second = g_fTilesXZOriginZ;
        break;
    default:
        across = g_nTilesAcrossYZ, down = g_nTilesDownYZ;
        first = g_fTilesYZOriginZ, second = g_fTilesYZOriginY;
        break;
    }
    if (across <= 0 || down <= 0) return;

    // The page frame in model units.
    const float pageW = (metric ? kPageFrameCmW : kPageFrameInchW) / 100.0f;
    const float pageH = (metric ? kPageFrameCmH : kPageFrameInchH) / 100.0f;
    int n1 = across, n2 = down;
    float p1 = pageW, p2 = pageH;
    if (landscape && grid != TILES_SKEW) {
        n1 = down, n2 = across;
        p1 = pageH, p2 = pageW;
    }
    n1 = std::min(n1, kMaxPagesPerAxis);
    n2 = std::min(n2, kMaxPagesPerAxis);

    // Local frame: u along the first axis, v along the second, w off the plane.
    glPushMatrix();
    float m[16] = {0};
    m[15] = 1;
    switch (grid) {
    case TILES_XY:
        glTranslatef(first, second, position);
        m[0] = 1, m[5] = 1, m[10] = 1;  // u -> x, v -> y, w -> z
        break;
    case TILES_XZ:
        glTranslatef(first, position, second);
        m[0] = 1, m[6] = 1, m[9] = 1;  // u -> x, v -> z, w -> y
        break;
    default:
        glTranslatef(position, second, first);
        if (grid == TILES_SKEW && std::isfinite(g_fSkewPlaneAngle)) glRotatef(-g_fSkewPlaneAngle, 0, 0, 1);
        m[2] = 1, m[5] = 1, m[8] = 1;  // u -> z, v -> y, w -> x
        break;
    }
    glMultMatrixf(m);
    glNormal3f(0, 0, 1);  // off the plane
    glColor3f(0.5f, 0, 0);
    for (int i = 0; i < n1; ++i) {
        const float u0 = i * p1 + 0.05f, u1 = (i + 1) * p1 - 0.05f;
        for (int j = 0; j < n2; ++j) {
            const float v0 = j * p2 + 0.05f, v1 = (j + 1) * p2 - 0.05f;
            glBegin(GL_LINE_LOOP);
            glVertex3f(u0, v0, 0.05f);
            glVertex3f(u1, v0, 0.05f);
            glVertex3f(u1, v1, 0.05f);
            glVertex3f(u0, v1, 0.05f);
            glEnd();
        }
    }
    glPopMatrix();
}
