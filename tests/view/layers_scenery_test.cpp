// Supports, loads, truck, fan and the project scenery in the realised view:
// pixels read back at projected model points, and geometry read back in
// feedback mode where sizes and directions matter.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <wx/image.h>

#include "files/clear_model.h"
#include "files/model_file.h"
#include "model/tables.h"
#include "tests/view/feedback.h"
#include "tests/view/view_fixture.h"
#include "view/projection.h"
#include "view/renderer.h"
#include "view/scene_layers.h"
#include "view/view_globals.h"

namespace {

// Every vertex drawn, in model units with its colour (see FeedbackPrimitives).
std::vector<FbVertex> Feedback(float half, const std::function<void()>& draw, float tilt = 0)
{
    std::vector<FbVertex> out;
    for (const FbPrimitive& p : FeedbackPrimitives(draw, half, tilt))
        out.insert(out.end(), p.vertices.begin(), p.vertices.end());
    return out;
}

struct Bounds {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    int count = 0;
};

Bounds BoundsOf(const std::vector<FbVertex>& vs, const std::function<bool(const FbVertex&)>& keep)
{
    Bounds b;
    for (const auto& v : vs) {
        if (!keep(v)) continue;
        const float c[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) b.lo[k] = std::min(b.lo[k], c[k]), b.hi[k] = std::max(b.hi[k], c[k]);
        ++b.count;
    }
    return b;
}

bool All(const FbVertex&) { return true; }
bool IsColour(const FbVertex& v, float r, float g, float b)
{
    return std::fabs(v.r - r) < 0.01f && std::fabs(v.g - g) < 0.01f && std::fabs(v.b - b) < 0.01f;
}

void ExpectBox(const Bounds& b, float x0, float x1, float y0, float y1, float z0, float z1, float tol = 2e-3f)
{
    ASSERT_GT(b.count, 0);
    EXPECT_NEAR(x0, b.lo[0], tol);
    EXPECT_NEAR(x1, b.hi[0], tol);
    EXPECT_NEAR(y0, b.lo[1], tol);
    EXPECT_NEAR(y1, b.hi[1], tol);
    EXPECT_NEAR(z0, b.lo[2], tol);
    EXPECT_NEAR(z1, b.hi[2], tol);
}

enum View { FRONT, SIDE, TOP };

struct Rect {
    float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
    int count = 0;
};

// Draws draw() alone into the back buffer, lighting and culling off,
// through an orthographic view of half-height `half` centred on (cx, cy) of
// the screen plane, and returns the extent of the pixels of one colour in
// model units of the screen axes: FRONT (x, y), SIDE from +x (-z, y), TOP
// from +y (x, -z). (Feedback mode cannot replay lists holding disks of
// several loops or spheres.)
Rect PixelBounds(View view, float cx, float cy, float half, const std::function<void()>& draw, float r, float g,
                 float b)
{
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    const float halfW = half * vp[2] / vp[3];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(cx - halfW, cx + halfW, cy - half, cy + half, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (view == SIDE) glRotatef(-90, 0, 1, 0);
    if (view == TOP) glRotatef(90, 1, 0, 0);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0.35f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<size_t>(vp[2]) * vp[3] * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(vp[0], vp[1], vp[2], vp[3], GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const int want[3] = {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
                         static_cast<int>(std::lround(b * 255))};
    const float unit = 2 * half / vp[3];
    Rect out;
    for (int y = 0; y < vp[3]; ++y)
        for (int x = 0; x < vp[2]; ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * vp[2] + x) * 3];
            if (std::abs(p[0] - want[0]) > 2 || std::abs(p[1] - want[1]) > 2 || std::abs(p[2] - want[2]) > 2)
                continue;
            const float mx = cx - halfW + (x + 0.5f) * unit, my = cy - half + (y + 0.5f) * unit;
            out.lo[0] = std::min(out.lo[0], mx - unit / 2), out.hi[0] = std::max(out.hi[0], mx + unit / 2);
            out.lo[1] = std::min(out.lo[1], my - unit / 2), out.hi[1] = std::max(out.hi[1], my + unit / 2);
            ++out.count;
        }
    return out;
}

void ExpectRect(const Rect& r, float x0, float x1, float y0, float y1, float tol)
{
    ASSERT_GT(r.count, 0);
    EXPECT_NEAR(x0, r.lo[0], tol);
    EXPECT_NEAR(x1, r.hi[0], tol);
    EXPECT_NEAR(y0, r.lo[1], tol);
    EXPECT_NEAR(y1, r.hi[1], tol);
}

// Only the layers under test: planes, guides, rulers, joints, loads and
// supports off; the caller turns on what it checks.
void SceneryOnly()
{
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 0;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;
    g_bShowRulers = g_bShowJoints = g_bShowLoads = g_bShowSupports = 0;
    g_bShowOrigin = g_bShowFocus = 0;
}

void LookAt(float ex, float ey, float ez, float cx, float cy, float cz)
{
    g_dEyeX = ex, g_dEyeY = ey, g_dEyeZ = ez;
    g_dCenterX = cx, g_dCenterY = cy, g_dCenterZ = cz;
}

JointRec& AddJoint(float x, float y, float z, int code)
{
    JointRec& j = g_Joints[++g_nJoints];
    j = JointRec();
    j.x = j.displacedX = x;
    j.y = j.displacedY = y;
    j.z = j.displacedZ = z;
    short* r[6] = {&j.restraintTX, &j.restraintTY, &j.restraintTZ, &j.restraintRX, &j.restraintRY, &j.restraintRZ};
    for (int k = 0; k < 6; ++k) *r[k] = (code >> (5 - k)) & 1;
    return j;
}

struct Rgb {
    int r = -1, g = -1, b = -1;
    bool Grey() const { return std::max({r, g, b}) - std::min({r, g, b}) <= 6 && r > 95; }
    bool Green() const { return g - r >= 25 && std::abs(r - b) <= 6; }
    bool Red() const { return r - g >= 40 && std::abs(g - b) <= 6; }
    bool Yellow() const { return r - b >= 60 && g - b >= 60; }
    bool Black() const { return std::max({r, g, b}) - std::min({r, g, b}) <= 6 && r < 90; }  // lit black glows
    bool Background() const { return r < 10 && g < 10 && b > 60; }
};

void SaveImage(const wxImage& image, const std::string& path)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

class SceneryTest : public ViewTest {
protected:
    // Deep blue clear colour, so that greys and greens stand out.
    void DarkBackground()
    {
        ASSERT_TRUE(view->MakeCurrent());
        glClearColor(0, 0, 0.35f, 1);
    }
    bool Capture()
    {
        return view->CaptureFrame(image);
    }
    // Pixel at the window position of a model point (-1s when off screen).
    Rgb At(float x, float y, float z)
    {
        Rgb c;
        float wx, wy;
        if (!ProjectToWindow(x, y, z, wx, wy)) return c;
        const int ix = static_cast<int>(std::lround(wx)), iy = static_cast<int>(std::lround(wy));
        if (ix < 0 || iy < 0 || ix >= image.GetWidth() || iy >= image.GetHeight()) return c;
        c.r = image.GetRed(ix, iy), c.g = image.GetGreen(ix, iy), c.b = image.GetBlue(ix, iy);
        return c;
    }
    wxImage image;
};

std::string Describe(const Rgb& c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

}  // namespace

TEST_F(SceneryTest, EachRestraintPatternShowsItsGlyphAtItsJoint)
{
    SceneryOnly();
    g_bShowSupports = 1;
    DarkBackground();
    const float g = g_fJointSize + 0.04f;
    // One joint at (5, 3, 5), seen from the front (along -z) or from the
    // right (along -x); probes are offsets from the joint in units of g.
    enum { FRONT, SIDE };
    struct Probe {
        int from;
        float dx, dy, dz;
        bool (Rgb::*is)() const;
    };
    const struct {
        int code;
        std::vector<Probe> probes;
    } cases[] = {
        // balls; columns behind, below and to the left of the joint
        {8, {{FRONT, 0, 0, 0, &Rgb::Grey}, {FRONT, 1.5f, 0, 0, &Rgb::Green}, {FRONT, 0, 2.5f, 0, &Rgb::Background}}},
        {16, {{FRONT, 0, 0, 0, &Rgb::Grey}, {FRONT, 1.3f, 0, 0, &Rgb::Background}, {FRONT, 0, -2, 0, &Rgb::Green}}},
        {32, {{FRONT, 0, 0, 0, &Rgb::Grey}, {FRONT, -3, 0, 0, &Rgb::Green}, {FRONT, -3, 2.5f, 0, &Rgb::Background},
              {FRONT, 0, -2, 0, &Rgb::Background}}},
        // rollers: along z they are long seen from the side, along x from the front
        {28, {{FRONT, 0, 0, 0, &Rgb::Grey}, {FRONT, 1.3f, 0, 0, &Rgb::Background}, {SIDE, 0, 0, 1.3f, &Rgb::Grey},
              {FRONT, 0, -2, 0, &Rgb::Green}}},
        {42, {{SIDE, 0, 0, 1.3f, &Rgb::Grey}, {FRONT, -3, 2.5f, 0, &Rgb::Green}, {FRONT, -3, 3.5f, 0, &Rgb::Background},
              {FRONT, 0, -2, 0, &Rgb::Background}}},
        {49, {{FRONT, 1.3f, 0, 0, &Rgb::Grey}, {SIDE, 0, 0, 1.3f, &Rgb::Background}, {FRONT, 0, -2, 0, &Rgb::Green}}},
        // pin: pyramid on a column; fixed: a column encases the joint
        {56, {{FRONT, 0, -1.5f, 0, &Rgb::Grey}, {FRONT, 0, -4, 0, &Rgb::Green}, {FRONT, 0, 1, 0, &Rgb::Background}}},
        {63, {{FRONT, 0, 0, 0, &Rgb::Green}, {FRONT, 0, 1.5f, 0, &Rgb::Green}, {FRONT, 0, 2.5f, 0, &Rgb::Background},
              {FRONT, 2.5f, 0, 0, &Rgb::Background}}},
        // any other pattern: a cube on a column
        {18, {{FRONT, 1.3f, 1.3f, 0, &Rgb::Grey}, {FRONT, 0, -2.5f, 0, &Rgb::Green}, {FRONT, 0, 2, 0, &Rgb::Background},
              {FRONT, 2, 0, 0, &Rgb::Background}}},
    };
    int greenOf16 = 0, greenOf63 = 0;
    for (const auto& c : cases) {
        ClearModel();
        AddJoint(5, 3, 5, c.code);
        g_bListSupportsBuilt = 0;
        for (int from : {FRONT, SIDE}) {
            if (from == FRONT)
                LookAt(5, 3, 17, 5, 3, 5);
            else
                LookAt(17, 3, 5, 5, 3, 5);
            ASSERT_TRUE(Capture());
            for (const Probe& p : c.probes) {
                if (p.from != from) continue;
                const Rgb px = At(5 + p.dx * g, 3 + p.dy * g, 5 + p.dz * g);
                EXPECT_TRUE((px.*p.is)()) << "code " << c.code << (from == FRONT ? " front" : " side") << " at ("
                                          << p.dx << ", " << p.dy << ", " << p.dz << ") g: " << Describe(px);
            }
            if (from == FRONT && c.code == 16) greenOf16 = At(5, 3 - 2 * g, 5).g;
            if (from == FRONT && c.code == 63) greenOf63 = At(5, 3 - 2 * g, 5).g;
        }
        EXPECT_EQ(1, DisplayListCompileCount(LIST_SUPPORTS) - (&c - cases));
    }
    EXPECT_LT(greenOf63, greenOf16 - 6);  // the encasing column is the darker green

    // No restraint, no glyph.
    ClearModel();
    AddJoint(5, 3, 5, 0);
    LookAt(5, 3, 17, 5, 3, 5);
    g_bListSupportsBuilt = 0;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(At(5, 3, 5).Background());

    // The whole family in a row, for a person to look at.
    ClearModel();
    const int codes[] = {8, 16, 32, 28, 42, 49, 56, 63, 18, 0};
    for (int i = 0; i < 10; ++i) AddJoint(2 + 2.5f * i, 3, 5, codes[i]);
    glClearColor(g_fBackgroundR, g_fBackgroundG, g_fBackgroundB, 1);
    LookAt(15, 8, 26, 13.5f, 2.5f, 5);
    g_bListSupportsBuilt = 0;
    ASSERT_TRUE(Capture());
    SaveImage(image, "/tmp/scenery_supports.png");
}

TEST_F(SceneryTest, GlyphsFollowTheDisplayedShapeAndLeaveMarkersOutOfTheCollapse)
{
    const float g = g_fJointSize + 0.04f;
    AddJoint(0, 3, 0, 16).displacedX = 1;  // ball follows the displaced joint
    AddJoint(-6, 3, 0, 56);                // pyramid
    AddJoint(6, 3, 0, 8).displacedY = 4;   // column placed at the displaced joint
    // Each glyph drawn directly: feedback cannot replay a list that holds a sphere.
    auto draw = [] {
        return Feedback(10, [] {
            for (int j = 1; j <= g_nJoints; ++j) DrawSupportGlyph(j);
        });
    };
    auto grey = [](const FbVertex& v) { return IsColour(v, 0.3f, 0.3f, 0.3f); };
    auto green = [](const FbVertex& v) { return IsColour(v, 0, 0.4f, 0); };
    auto middle = [](const FbVertex& v) { return v.x > -3 && v.x < 3; };

    auto vs = draw();
    ExpectBox(BoundsOf(vs, [&](const FbVertex& v) { return grey(v) && middle(v); }), -g, g, 3 - g, 3 + g, -g, g,
              0.01f);

    g_bShowDisplacedShape = 1;
    vs = draw();
    ExpectBox(BoundsOf(vs, [&](const FbVertex& v) { return grey(v) && middle(v); }), 1 - g, 1 + g, 3 - g, 3 + g, -g,
              g, 0.01f);
    // The column under the ball stays under the undeformed joint, floor to g below.
    ExpectBox(BoundsOf(vs, [&](const FbVertex& v) { return green(v) && middle(v); }), -2 * g, 2 * g, 0, 3 - g,
              -2 * g, 2 * g);
    // A column placed at the displaced joint moves with it: behind, up to 2g above.
    ExpectBox(BoundsOf(vs, [&](const FbVertex& v) { return green(v) && v.x > 3; }), 6 - 2 * g, 6 + 2 * g, 1,
              4 + 2 * g, -5 * g, -g);

    g_bShowDisplacedShape = 0;
    g_bShowCollapse = 1;
    vs = draw();
    EXPECT_EQ(0, BoundsOf(vs, [&](const FbVertex& v) { return grey(v) && v.x > -3; }).count);
    ExpectBox(BoundsOf(vs, [&](const FbVertex& v) { return grey(v) && v.x < -3; }), -6 - 2 * g, -6 + 2 * g,
              3 - 3 * g, 3, -2 * g, 2 * g);
    for (float x : {-6.0f, 0.0f, 6.0f})  // every column stays
        EXPECT_GT(BoundsOf(vs, [&](const FbVertex& v) { return green(v) && std::fabs(v.x - x) < 2; }).count, 0);

    // Faces wound outward: seen from above the front, the back face is culled.
    g_bShowCollapse = 0;
    ClearModel();
    AddJoint(0, 3, 0, 56);
    EXPECT_EQ(3 * 3, BoundsOf(Feedback(10, [] { DrawSupportGlyph(1); }, 20), grey).count);

    // Bad joint numbers draw nothing; an empty model compiles nothing.
    EXPECT_TRUE(Feedback(10, [] { DrawSupportGlyph(0); DrawSupportGlyph(4); DrawSupportGlyph(-1); }).empty());
    ClearModel();
    g_bListSupportsBuilt = 0;
    EXPECT_TRUE(Feedback(10, [] { DrawSupports(); }).empty());
    EXPECT_EQ(0, g_bListSupportsBuilt);
    EXPECT_EQ(0, DisplayListCompileCount(LIST_SUPPORTS));
}

TEST_F(SceneryTest, ForceArrowsScaleToTheLargestLoadAndPointAlongTheForce)
{
    const float js = g_fJointSize, big = 12.5f * js, small = 4 * js;
    JointRec& a = AddJoint(1, 2, 3, 0);
    a.forceY = -10;
    JointRec& b = AddJoint(-8, 0, 0, 0);
    b.forceX = 1;
    auto draw = [] {
        g_bListLoadsBuilt = 0;
        return Feedback(12, [] { DrawLoads(); });
    };
    auto near = [](float x0, float x1) {
        return [=](const FbVertex& v) { return v.x > x0 && v.x < x1 && IsColour(v, 1, 0, 0); };
    };
    auto vs = draw();
    EXPECT_FLOAT_EQ(big, g_fArrowMaxLength);
    EXPECT_FLOAT_EQ(small, g_fArrowMinLength);
    // Fy < 0 comes down onto the joint from above; the largest load is 12.5 joint sizes.
    const float head = 0.0615f * big;
    ExpectBox(BoundsOf(vs, near(-3, 5)), 1 - head, 1 + head, 2, 2 + big, 3 - head, 3 + head);
    // The small load gets the minimum length, tip at the joint, body on the -x side.
    const float head2 = 0.0615f * small;
    ExpectBox(BoundsOf(vs, near(-12, -5)), -8 - small, -8, -head2, head2, -head2, head2);

    // Translated: tail at the joint, pointing away from it.
    a.translatedY = 1;
    b.translatedX = 1;
    b.forceX = -1;
    vs = draw();
    ExpectBox(BoundsOf(vs, near(-3, 5)), 1 - head, 1 + head, 2 - big, 2, 3 - head, 3 + head);
    ExpectBox(BoundsOf(vs, near(-12, -5)), -8 - small, -8, -head2, head2, -head2, head2);
    b.translatedX = 0;  // untranslated Fx < 0: body on the +x side
    vs = draw();
    ExpectBox(BoundsOf(vs, near(-12, -5)), -8, -8 + small, -head2, head2, -head2, head2);

    // Fz > 0 lies on the -z side; Fy is left out while the truck is on.
    a.forceZ = 5;
    g_bTruckActive = 1;
    vs = draw();
    ExpectBox(BoundsOf(vs, near(-3, 5)), 1 - 0.0615f * big / 2, 1 + 0.0615f * big / 2, 2 - 0.0615f * big / 2,
              2 + 0.0615f * big / 2, 3 - big / 2, 3);
    g_bTruckActive = 0;

    // Anchors on the displaced shape while it is shown.
    a.forceZ = 0;
    a.translatedY = 0;
    a.displacedY = 2.5f;
    g_bShowDisplacedShape = 1;
    vs = draw();
    EXPECT_NEAR(2.5f, BoundsOf(vs, near(-3, 5)).lo[1], 2e-3f);

    // Non-finite and huge forces still draw arrows of bounded length.
    a.forceY = std::nanf("");
    b.forceX = 1e30f;
    vs = draw();
    const Bounds nan = BoundsOf(vs, near(-3, 5)), huge = BoundsOf(vs, near(-12, -5));
    EXPECT_NEAR(small, nan.hi[1] - nan.lo[1], 2e-3f);
    EXPECT_NEAR(big, huge.hi[0] - huge.lo[0], 2e-3f);

    // Outward faces: from above the front only the front side and the top
    // square (two triangles) of each pyramid remain.
    EXPECT_EQ(2 * (3 + 6), BoundsOf(Feedback(5, [] { DrawArrow(1); }, 20), All).count);

    // The arrow leaves black as the current colour.
    DrawArrow(1);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(0.0f, colour[0]);
}

TEST_F(SceneryTest, ForceArrowShowsBesideALoadedJoint)
{
    SceneryOnly();
    DarkBackground();
    g_bShowLoads = 1;
    g_bShowUndeformed = 0;
    AddJoint(5, 3, 5, 0).forceY = -4;
    AddJoint(8, 3, 5, 0);
    LookAt(5, 4, 15, 5, 4, 5);
    ASSERT_TRUE(Capture());
    const float len = 12.5f * g_fJointSize;
    EXPECT_TRUE(At(5, 3 + 0.25f * len, 5).Red()) << Describe(At(5, 3 + 0.25f * len, 5));
    EXPECT_TRUE(At(5, 3 + 0.8f * len, 5).Red());
    EXPECT_TRUE(At(5, 3 - 0.3f * len, 5).Background());
    EXPECT_TRUE(At(8, 3 + 0.25f * len, 5).Background());  // no load, no arrow
}

TEST_F(SceneryTest, TruckRidesOnTheBridgeDeckWithItsApproaches)
{
    ClearModel();
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    ASSERT_EQ(1, g_bTruckActive);
    {
        wxImage shot;
        ASSERT_TRUE(view->CaptureFrame(shot));
        SaveImage(shot, "/tmp/scenery_bridge.png");
    }
    SceneryOnly();
    DarkBackground();
    g_fTruckX = (g_fDeckMinX + g_fDeckMaxX) / 2 + 3;  // onto the deck
    const float x = g_fTruckX, y = g_fTruckY, z = g_fTruckZ;
    LookAt(x + 6, y + 7, z + 14, x - 3, y + 1, z);
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(At(x - 4, y + 2.9f, z + 1).Red()) << "cargo box " << Describe(At(x - 4, y + 2.9f, z + 1));
    const Rgb chassis = At(x - 0.2f, y + 1, z + 0.875f);
    EXPECT_TRUE(chassis.Yellow()) << Describe(chassis);
    const Rgb wheel = At(x - 1.0625f, y + 0.625f, z + 1.1875f);
    EXPECT_TRUE(wheel.Grey() && wheel.r < 130) << "wheel " << Describe(wheel);

    // Approaches while supports are shown: the left block's front face.
    const float zf = z + 2.75f;
    EXPECT_TRUE(At(g_fDeckMinX - 3, y - 1, zf).Background());
    g_bShowSupports = 1;
    ASSERT_TRUE(Capture());
    const Rgb block = At(g_fDeckMinX - 3, y - 1, zf);
    EXPECT_TRUE(block.Grey()) << Describe(block);
    const Rgb right = At(g_fDeckMaxX + 3, y - 1, zf);
    EXPECT_TRUE(right.Grey()) << Describe(right);
    EXPECT_EQ(0, DisplayListCompileCount(LIST_SUPPORTS));  // not with the truck
}

TEST_F(SceneryTest, TruckAndApproachGeometry)
{
    auto box = [](View v, float cx, float cy, float half, float r, float g, float b, float tilt = 0) {
        g_bListTruckBuilt = 0;
        return PixelBounds(v, cx, cy, half, [=] { DrawTruck(0, 0, 0, tilt); }, r, g, b);
    };
    const float px = 0.05f;  // a pixel or two at these scales
    ExpectRect(box(FRONT, -3.5f, 2.2f, 3, 0.5f, 0, 0), -7.125f, -1.375f, 1.375f, 4.375f, px);  // cargo box
    ExpectRect(box(FRONT, -3.5f, 2.2f, 3, 0.973f, 0.733f, 0.082f), -7, 0, 0.625f, 2.125f, px);  // chassis, cab
    ExpectRect(box(FRONT, -3.5f, 2.2f, 3, 0.2f, 0.2f, 0.2f), -5.9375f, -0.4375f, 0, 1.25f, px);  // wheels
    ExpectRect(box(TOP, -3.5f, 0, 3, 0.2f, 0.2f, 0.2f), -5.9375f, -0.4375f, -1.1875f, 1.1875f, px);
    SetMetricUnits(1);
    ExpectRect(box(FRONT, -9, 5.5f, 7, 0.5f, 0, 0), -7.125f * 2.54f, -1.375f * 2.54f, 1.375f * 2.54f,
               4.375f * 2.54f, 2 * px);
    SetMetricUnits(0);
    // Tilted nose-up by atan(0.1) about the bumper and raised by 5.3125 x 0.1:
    // the top front corner of the cargo box is its highest point.
    const float a = std::atan(0.1f);
    const Rect tilted = box(FRONT, -3.5f, 2.2f, 3, 0.5f, 0, 0, a * 57.296f);
    EXPECT_NEAR(-1.375f * std::sin(a) + 4.375f * std::cos(a) + 0.53125f, tilted.hi[1], px);
    g_bListTruckBuilt = 0;
    EXPECT_EQ(0, PixelBounds(FRONT, 0, 0, 10, [] { DrawTruck(std::nanf(""), 0, 0, 0); }, 0.5f, 0, 0).count);

    g_fTruckY = 6, g_fTruckZ = 12, g_fDeckMinX = 10, g_fDeckMaxX = 20;
    g_bListBridgeApproachBuilt = 0;
    const auto vs = Feedback(40, [] { DrawBridgeApproaches(); });
    const auto grey = [](const FbVertex& v) { return IsColour(v, 0.4f, 0.4f, 0.4f); };
    ExpectBox(BoundsOf(vs, grey), 2, 32, 0, 6, 9.25f, 14.75f, 5e-3f);
    // The seats under the deck ends, 0.375 below the road.
    ExpectBox(BoundsOf(vs, [&](const FbVertex& v) { return grey(v) && v.x > 10.01f && v.x < 19.99f; }), 10.25f,
              19.75f, 0, 5.625f, 9.25f, 14.75f, 5e-3f);
    const auto brown = [](const FbVertex& v) { return IsColour(v, 0.6196f, 0.402f, 0.1314f); };
    ExpectBox(BoundsOf(vs, brown), 10, 20, 6 - 0.357f, 5.75f, 10, 14, 5e-3f);
}

TEST_F(SceneryTest, TowerShowsFanTankAndBase)
{
    ClearModel();
    ASSERT_EQ(1, OpenModelFile(ExamplePath("tower.3dd")));
    ASSERT_EQ(1, g_bTowerProject);
    ASSERT_EQ(1, g_bUseFan);
    {
        wxImage shot;
        LookAt(44, 20, 46, 12, 9, 10);
        ASSERT_TRUE(view->CaptureFrame(shot));
        SaveImage(shot, "/tmp/scenery_tower.png");
    }
    SceneryOnly();
    DarkBackground();
    LookAt(40, 18, 34, 10, 9, 11);
    ASSERT_TRUE(Capture());
    const float r = 11, c = 12;  // workspace 24 x 24: axis at y = z = 12
    // Back disk between the blades, a blade, the duct rim.
    const float d = 0.5f * r * 0.7071f;
    EXPECT_TRUE(At(0.1f, c + d, c + d).Black()) << Describe(At(0.1f, c + d, c + d));
    EXPECT_TRUE(At(0.75f, c, c + 0.564f * r).Yellow()) << Describe(At(0.75f, c, c + 0.564f * r));
    EXPECT_TRUE(At(0.75f, c, c + r).Red()) << Describe(At(0.75f, c, c + r));
    // The tank stands on the tower top at (20, 14, 10).
    EXPECT_TRUE(At(20, 16.5f, 12).Red()) << Describe(At(20, 16.5f, 12));
    EXPECT_TRUE(At(20, 20, 12).Background());

    // The rotor angle is frozen into the fan list until its flag is cleared.
    g_bFanSpinning = 1;
    g_fFanAngle = 45;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(At(0.1f, c + d, c + d).Black());
    g_bListFanBuilt = 0;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(At(0.75f, c + d, c + d).Yellow()) << Describe(At(0.75f, c + d, c + d));

    // The base slab while supports are shown.
    const float zf = 10 + 9.25f / 2;
    EXPECT_TRUE(At(12, 0.75f, zf).Background());
    g_bShowSupports = 1;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(At(12, 0.75f, zf).Grey()) << Describe(At(12, 0.75f, zf));
}

TEST_F(SceneryTest, FanAndTowerBaseHaveTheirSizes)
{
    ExpectBox(BoundsOf(Feedback(40, [] { DrawTowerBase(); }), All), 8, 32, 0.375f, 1.125f, 10 - 4.625f, 10 + 4.625f,
              5e-3f);

    // Fan: a duct of radius min(Wy, Wz) / 2 - 1 on the YZ plane, blowing
    // along +x; seen from the +x side: the back disk and four blades.
    g_nWorkspaceY = 21, g_nWorkspaceZ = 31;  // integer halves: axis at (10, 15), r = 9
    auto fan = [](View v, float cx, float cy, float r, float g, float b) {
        g_bListFanBuilt = 0;
        return PixelBounds(v, cx, cy, 11, [] { DrawFan(0); }, r, g, b);
    };
    const float px = 0.1f;
    ExpectRect(fan(FRONT, 2, 10, 1, 0, 0), 0, 2.5f, 1, 19, px);  // duct and hub cone
    ExpectRect(fan(SIDE, -15, 10, 0, 0, 0), -24, -6, 1, 19, px);
    const float blade = 0.846f * 9;
    ExpectRect(fan(SIDE, -15, 10, 1, 1, 0), -15 - blade, -15 + blade, 10 - blade, 10 + blade, px);
    g_nWorkspaceY = 2;  // no room: nothing
    EXPECT_EQ(0, fan(FRONT, 2, 10, 1, 0, 0).count);
}

TEST_F(SceneryTest, DisplacedTankSitsOnJointsFiveToSeven)
{
    ClearModel();
    ASSERT_EQ(1, OpenModelFile(ExamplePath("tower.3dd")));
    for (int j = 1; j <= g_nJoints; ++j) {
        g_Joints[j].displacedX = g_Joints[j].x;
        g_Joints[j].displacedY = g_Joints[j].y;
        g_Joints[j].displacedZ = g_Joints[j].z;
    }
    auto red = [](const FbVertex& v) { return IsColour(v, 1, 0, 0); };
    auto tank = [&](int collapse) { return BoundsOf(Feedback(30, [=] { DrawTankOnDisplacedTower(collapse); }), red); };
    // Level top: the undeformed placement, the tank on its plate.
    ExpectBox(tank(0), 18, 22, 14, 19.5f, 8, 12, 5e-3f);
    const auto plate = [](const FbVertex& v) { return IsColour(v, 0.6f, 0.6f, 0.6f); };
    ExpectBox(BoundsOf(Feedback(30, [] { DrawTank(20, 14, 10, 0); }), plate), 17.25f, 22.75f, 13.25f, 14, 7.25f,
              12.75f, 5e-3f);
    // Collapse: lowered by half the sway of joint 7.
    g_Joints[7].displacedX += 2;
    ExpectBox(tank(1), 19, 23, 13, 18.5f, 8, 12, 5e-3f);
    // Joint 7 raised: the tank leans by atan2(dy, dx).
    g_Joints[7].displacedX = g_Joints[7].x;
    g_Joints[7].displacedY += 4;
    const Bounds leaning = tank(0);
    EXPECT_GT(leaning.hi[0] - leaning.lo[0], 5);  // a 45-degree lean widens it

    // Fewer than 7 joints: upright at the undeformed placement, no rows beyond the count read.
    g_Joints[7].displacedY = std::nanf("");
    g_nJoints = 6;
    ExpectBox(tank(0), 18, 22, 14, 19.5f, 8, 12, 5e-3f);
    ExpectBox(tank(1), 18, 22, 14, 19.5f, 8, 12, 5e-3f);
    g_nJoints = -3;
    ExpectBox(tank(1), 18, 22, 14, 19.5f, 8, 12, 5e-3f);
    EXPECT_TRUE(Feedback(30, [] { DrawTank(20, std::nanf(""), 10, 0); }).empty());
}

TEST_F(SceneryTest, ListsRebuildOnlyWhenTheirFlagIsCleared)
{
    ClearModel();
    ASSERT_EQ(1, OpenModelFile(ExamplePath("tower.3dd")));
    g_bShowLoads = 1;
    g_Joints[5].forceX = 3;
    auto pass = [&] { view->RenderFrame(); };
    const int lists[] = {LIST_FAN, LIST_TANK, LIST_TOWER_BASE, LIST_LOADS};
    for (int i = 0; i < 3; ++i) pass();
    for (int id : lists) EXPECT_EQ(1, DisplayListCompileCount(id)) << "list " << id;
    g_bListFanBuilt = 0;
    pass();
    EXPECT_EQ(2, DisplayListCompileCount(LIST_FAN));
    for (int id : {LIST_TANK, LIST_TOWER_BASE, LIST_LOADS, LIST_MEMBERS}) EXPECT_EQ(1, DisplayListCompileCount(id));
    g_bListLoadsBuilt = 0;
    pass();
    EXPECT_EQ(2, DisplayListCompileCount(LIST_LOADS));
    EXPECT_EQ(2, DisplayListCompileCount(LIST_FAN));

    // The bridge: truck, approaches and, without the truck, the supports.
    ClearModel();
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    for (int i = 0; i < 2; ++i) pass();
    EXPECT_EQ(1, DisplayListCompileCount(LIST_TRUCK));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_BRIDGE_APPROACH));
    g_fTruckX += 1;  // placed outside the list
    pass();
    EXPECT_EQ(1, DisplayListCompileCount(LIST_TRUCK));
    g_bTruckActive = 0;
    for (int i = 0; i < 2; ++i) pass();
    EXPECT_EQ(1, DisplayListCompileCount(LIST_SUPPORTS));
    g_bListSupportsBuilt = 0;
    pass();
    EXPECT_EQ(2, DisplayListCompileCount(LIST_SUPPORTS));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_BRIDGE_APPROACH));
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}
