// Supports, loads, truck, fan and the project scenery in the realised view:
// pixels read back at projected model points, and geometry read back in
// feedback mode (drawn directly: feedback cannot replay lists that hold
// spheres or disks).
#include <cstdlib>

#include "files/clear_model.h"
#include "files/model_file.h"
#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "model/model_ops.h"
#include "tests/view/view_fixture.h"
#include "view/animation.h"
#include "view/mouse_editing.h"
#include "view/scene_layers.h"

namespace {

FbBox Fb(float half, const std::function<void()>& draw, const FbKeep& keep = nullptr)
{
    return BoxOf(Feedback(draw, half), keep);
}

// Pixels that draw() alone leaves on a black back buffer, seen from +x
// through an orthographic box of +-40 units.
int DrawnPixels(const std::function<void()>& draw)
{
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    std::vector<unsigned char> rgb(static_cast<size_t>(vp[2]) * vp[3] * 3);
    InOrtho(40, 100, -90, [&] {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(vp[0], vp[1], vp[2], vp[3], GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    });
    return static_cast<int>(rgb.size() - std::count(rgb.begin(), rgb.end(), 0));
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
using Hue = bool (Rgb::*)() const;

class SceneryTest : public ViewTest {
protected:
    // Only the layers under test, over a deep blue that greys and greens stand out from.
    void DarkScenery()
    {
        HideScenery();
        ASSERT_TRUE(view->MakeCurrent());
        glClearColor(0, 0, 0.35f, 1);
    }
    Rgb At(float x, float y, float z) const
    {
        int p[3];
        PixelAt(x, y, z, p);
        return Rgb{p[0], p[1], p[2]};
    }
    // Whether the pixel at a model point has the hue.
    ::testing::AssertionResult Is(Hue hue, float x, float y, float z) const
    {
        const Rgb c = At(x, y, z);
        return ((c.*hue)() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
               << "(" << c.r << ", " << c.g << ", " << c.b << ") at " << x << " " << y << " " << z;
    }
    void OpenExample(const char* name)
    {
        ClearModel();
        ASSERT_EQ(1, OpenModelFile(ExamplePath(name)));
    }
};

}  // namespace

TEST_F(SceneryTest, EachRestraintPatternShowsItsGlyphAtItsJoint)
{
    DarkScenery();
    g_bShowSupports = 1;
    const float g = g_fJointSize + 0.04f;
    // A joint at (5, 3, 5) seen from the front or from the right; probes are
    // offsets from it in units of g.
    enum { F, S };
    struct Probe {
        int from;
        float dx, dy, dz;
        Hue is;
    };
    const Hue grey = &Rgb::Grey, green = &Rgb::Green, bg = &Rgb::Background;
    const struct {
        int code;
        std::vector<Probe> probes;
    } cases[] = {
        // balls; columns behind, below and to the left of the joint
        {8, {{F, 0, 0, 0, grey}, {F, 1.5f, 0, 0, green}, {F, 0, 2.5f, 0, bg}}},
        {16, {{F, 0, 0, 0, grey}, {F, 1.3f, 0, 0, bg}, {F, 0, -2, 0, green}}},
        {32, {{F, 0, 0, 0, grey}, {F, -3, 0, 0, green}, {F, -3, 2.5f, 0, bg}, {F, 0, -2, 0, bg}}},
        // rollers: along z they are long seen from the side, along x from the front
        {28, {{F, 0, 0, 0, grey}, {F, 1.3f, 0, 0, bg}, {S, 0, 0, 1.3f, grey}, {F, 0, -2, 0, green}}},
        {42, {{S, 0, 0, 1.3f, grey}, {F, -3, 2.5f, 0, green}, {F, -3, 3.5f, 0, bg}, {F, 0, -2, 0, bg}}},
        {49, {{F, 1.3f, 0, 0, grey}, {S, 0, 0, 1.3f, bg}, {F, 0, -2, 0, green}}},
        // pin: pyramid on a column; fixed: a column encases the joint
        {56, {{F, 0, -1.5f, 0, grey}, {F, 0, -4, 0, green}, {F, 0, 1, 0, bg}}},
        {63, {{F, 0, 0, 0, green}, {F, 0, 1.5f, 0, green}, {F, 0, 2.5f, 0, bg}, {F, 2.5f, 0, 0, bg}}},
        // any other pattern: a cube on a column; none: nothing
        {18, {{F, 1.3f, 1.3f, 0, grey}, {F, 0, -2.5f, 0, green}, {F, 0, 2, 0, bg}, {F, 2, 0, 0, bg}}},
        {0, {{F, 0, 0, 0, bg}}},
    };
    int greenOf16 = 0, greenOf63 = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ClearModel();
        AddJoint(5, 3, 5, c.code);
        g_bListSupportsBuilt = 0;
        for (int from : {F, S}) {
            LookAt(from == F ? 5 : 17, 3, from == F ? 17 : 5, 5, 3, 5);
            ASSERT_TRUE(Capture());
            for (const Probe& p : c.probes) {
                if (p.from != from) continue;
                EXPECT_TRUE(Is(p.is, 5 + p.dx * g, 3 + p.dy * g, 5 + p.dz * g)) << from;
            }
            if (from == F && c.code == 16) greenOf16 = At(5, 3 - 2 * g, 5).g;
            if (from == F && c.code == 63) greenOf63 = At(5, 3 - 2 * g, 5).g;
        }
        EXPECT_EQ(1 + (&c - cases), DisplayListCompileCount(LIST_SUPPORTS));
    }
    EXPECT_LT(greenOf63, greenOf16 - 6);  // the encasing column is the darker green
}

TEST_F(SceneryTest, GlyphsFollowTheDisplayedShapeAndLeaveMarkersOutOfTheCollapse)
{
    const float g = g_fJointSize + 0.04f;
    AddJoint(0, 3, 0, 16).displacedX = 1;  // ball on a column
    AddJoint(-6, 3, 0, 56);                // pyramid
    AddJoint(6, 3, 0, 8).displacedY = 4;   // ball with the column behind it
    const auto grey = Colour(0.3f, 0.3f, 0.3f), green = Colour(0, 0.4f, 0);
    auto glyphs = [](const FbKeep& keep) {
        return Fb(10, [] { for (int j = 1; j <= g_nJoints; ++j) DrawSupportGlyph(j); }, keep);
    };
    auto ball = [&](const FbVertex& v) { return grey(v) && v.x > -3 && v.x < 3; };
    ExpectBox(glyphs(ball), {-g, g, 3 - g, 3 + g, -g, g}, 0.01f);
    // On the displaced shape the ball follows its joint; a column standing
    // under a joint stays, one behind it moves with it.
    g_bShowDisplacedShape = 1;
    ExpectBox(glyphs(ball), {1 - g, 1 + g, 3 - g, 3 + g, -g, g}, 0.01f);
    ExpectBox(glyphs([&](const FbVertex& v) { return green(v) && v.x > -3 && v.x < 3; }),
              {-2 * g, 2 * g, 0, 3 - g, -2 * g, 2 * g}, 2e-3f);
    ExpectBox(glyphs([&](const FbVertex& v) { return green(v) && v.x > 3; }),
              {6 - 2 * g, 6 + 2 * g, 1, 4 + 2 * g, -5 * g, -g}, 2e-3f);
    // The collapse leaves out the balls; the pyramid and the columns stay.
    g_bShowDisplacedShape = 0, g_bShowCollapse = 1;
    EXPECT_EQ(0, glyphs([&](const FbVertex& v) { return grey(v) && v.x > -3; }).count);
    EXPECT_GT(glyphs(grey).count, 0);
    EXPECT_GT(glyphs([&](const FbVertex& v) { return green(v) && v.x > 3; }).count, 0);
    // Bad joint numbers draw nothing; an empty model compiles nothing.
    EXPECT_EQ(0, Fb(10, [] { DrawSupportGlyph(0); DrawSupportGlyph(4); DrawSupportGlyph(-1); }).count);
    ClearModel();
    g_bListSupportsBuilt = 0;
    EXPECT_EQ(0, Fb(10, [] { DrawSupports(); }).count);
    EXPECT_EQ(0, DisplayListCompileCount(LIST_SUPPORTS));
}

TEST_F(SceneryTest, ForceArrowsScaleToTheLargestLoadAndPointAlongTheForce)
{
    const float big = 12.5f * g_fJointSize, small = 4 * g_fJointSize, h = 0.0615f * big, h2 = 0.0615f * small;
    JointRec &a = AddJoint(1, 2, 3), &b = AddJoint(-8, 0, 0);
    a.forceY = -10, b.forceX = 1;
    // The red vertices of joint a's arrow (right) or b's (left).
    auto arrow = [](bool right) {
        g_bListLoadsBuilt = 0;
        return Fb(12, [] { DrawLoads(); }, [=](const FbVertex& v) {
            return (right ? v.x > -3 && v.x < 5 : v.x > -12 && v.x < -5) && IsColour(v, 1, 0, 0);
        });
    };
    const std::vector<float> left = {-8 - small, -8, -h2, h2, -h2, h2};
    // Fy < 0 comes down onto the joint from above, as long as the largest
    // load allows; the small load gets the minimum, tip at the joint, body on the -x side.
    ExpectBox(arrow(true), {1 - h, 1 + h, 2, 2 + big, 3 - h, 3 + h}, 2e-3f);
    ExpectBox(arrow(false), left, 2e-3f);
    a.translatedY = b.translatedX = 1, b.forceX = -1;  // translated: tail at the joint, pointing away
    ExpectBox(arrow(true), {1 - h, 1 + h, 2 - big, 2, 3 - h, 3 + h}, 2e-3f);
    ExpectBox(arrow(false), left, 2e-3f);
    b.translatedX = 0;  // untranslated Fx < 0: body on the +x side
    ExpectBox(arrow(false), {-8, -8 + small, -h2, h2, -h2, h2}, 2e-3f);
    a.translatedY = 0, a.displacedY = 2.5f, g_bShowDisplacedShape = 1;  // anchored on the displaced shape
    EXPECT_NEAR(2.5f, arrow(true).lo[1], 2e-3f);
    // Non-finite and huge forces still draw arrows of bounded length.
    a.forceY = std::nanf(""), b.forceX = 1e30f;
    const FbBox nan = arrow(true), huge = arrow(false);
    EXPECT_NEAR(small, nan.hi[1] - nan.lo[1], 2e-3f);
    EXPECT_NEAR(big, huge.hi[0] - huge.lo[0], 2e-3f);
    // On screen: the arrow stands above the loaded joint only.
    DarkScenery();
    ClearModel();
    g_bShowLoads = 1;
    g_bShowUndeformed = g_bShowDisplacedShape = g_bListLoadsBuilt = 0;
    AddJoint(5, 3, 5).forceY = -4;
    AddJoint(8, 3, 5);
    LookAt(5, 4, 15, 5, 4, 5);
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(Is(&Rgb::Red, 5, 3 + 0.25f * big, 5));
    EXPECT_TRUE(Is(&Rgb::Red, 5, 3 + 0.8f * big, 5));
    EXPECT_TRUE(Is(&Rgb::Background, 5, 3 - 0.3f * big, 5));
    EXPECT_TRUE(Is(&Rgb::Background, 8, 3 + 0.25f * big, 5));
}

TEST_F(SceneryTest, TruckRidesOnTheBridgeDeckWithItsApproaches)
{
    ASSERT_NO_FATAL_FAILURE(OpenExample("bridge.3dd"));
    ASSERT_EQ(1, g_bTruckActive);
    DarkScenery();
    g_fTruckX = (g_fDeckMinX + g_fDeckMaxX) / 2 + 3;  // onto the deck
    const float x = g_fTruckX, y = g_fTruckY, z = g_fTruckZ;
    LookAt(x + 6, y + 7, z + 14, x - 3, y + 1, z);
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(Is(&Rgb::Red, x - 4, y + 2.9f, z + 1));           // cargo box
    EXPECT_TRUE(Is(&Rgb::Yellow, x - 0.2f, y + 1, z + 0.875f));   // chassis
    EXPECT_TRUE(Is(&Rgb::Grey, x - 1.0625f, y + 0.625f, z + 1.1875f));  // wheel
    // Approaches while supports are shown: the blocks' front faces. The
    // truck is placed outside its list, and supports are not drawn with it.
    const float zf = z + 2.75f;
    EXPECT_TRUE(Is(&Rgb::Background, g_fDeckMinX - 3, y - 1, zf));
    g_bShowSupports = 1, g_fTruckX += 1;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(Is(&Rgb::Grey, g_fDeckMinX - 3, y - 1, zf));
    EXPECT_TRUE(Is(&Rgb::Grey, g_fDeckMaxX + 3, y - 1, zf));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_TRUCK));
    EXPECT_EQ(0, DisplayListCompileCount(LIST_SUPPORTS));
    g_bListTruckBuilt = 0;  // a truck at a non-finite place is not drawn
    EXPECT_GT(DrawnPixels([] { DrawTruck(0, 0, 0, 0); }), 100);
    EXPECT_EQ(0, DrawnPixels([] { DrawTruck(std::nanf(""), 0, 0, 0); }));
}

TEST_F(SceneryTest, TowerShowsFanTankAndBaseAndTheTankRidesTheDisplacedTop)
{
    ASSERT_NO_FATAL_FAILURE(OpenExample("tower.3dd"));
    ASSERT_TRUE(g_bTowerProject == 1 && g_bUseFan == 1);
    DarkScenery();
    LookAt(40, 18, 34, 10, 9, 11);
    ASSERT_TRUE(Capture());
    const float r = 11, c = 12, d = 0.5f * r * 0.7071f;  // workspace 24 x 24: axis at y = z = 12
    EXPECT_TRUE(Is(&Rgb::Black, 0.1f, c + d, c + d));           // back disk between the blades
    EXPECT_TRUE(Is(&Rgb::Yellow, 0.75f, c, c + 0.564f * r));    // a blade
    EXPECT_TRUE(Is(&Rgb::Red, 0.75f, c, c + r));                // the duct rim
    EXPECT_TRUE(Is(&Rgb::Red, 20, 16.5f, 12));                  // the tank on the top at (20, 14, 10)
    EXPECT_TRUE(Is(&Rgb::Background, 20, 20, 12));
    // The rotor turns outside the fan's lists; clearing their flag rebuilds
    // the fan alone.
    g_fFanAngle = 45;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(Is(&Rgb::Yellow, 0.75f, c + d, c + d));
    g_bListFanBuilt = 0;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(Is(&Rgb::Yellow, 0.75f, c + d, c + d));
    EXPECT_TRUE(DisplayListCompileCount(LIST_FAN) == 2 && DisplayListCompileCount(LIST_FAN_ROTOR) == 2);
    EXPECT_EQ(1, DisplayListCompileCount(LIST_TANK));
    const float zf = 10 + 9.25f / 2;  // the base slab while supports are shown
    EXPECT_TRUE(Is(&Rgb::Background, 12, 0.75f, zf));
    g_bShowSupports = 1;
    ASSERT_TRUE(Capture());
    EXPECT_TRUE(Is(&Rgb::Grey, 12, 0.75f, zf));
    // A workspace with no room for a fan draws none.
    g_bListFanBuilt = 0;
    EXPECT_GT(DrawnPixels([] { DrawFan(0); }), 100);
    for (int side : {2, 0, -4}) {
        g_nWorkspaceY = side, g_bListFanBuilt = 0;
        EXPECT_EQ(0, DrawnPixels([] { DrawFan(0); })) << side;
    }
    // The tank on the displaced tower sits on joints 5 to 7.
    ComputeDisplacedShape(0);
    auto tank = [](int collapse) { return Fb(30, [=] { DrawTankOnDisplacedTower(collapse); }, Colour(1, 0, 0)); };
    const std::vector<float> upright = {18, 22, 14, 19.5f, 8, 12};
    ExpectBox(tank(0), upright, 5e-3f);  // level top: at the undeformed place
    g_Joints[7].displacedX += 2;         // collapse: lowered by half the sway of joint 7
    ExpectBox(tank(1), {19, 23, 13, 18.5f, 8, 12}, 5e-3f);
    g_Joints[7].displacedX = g_Joints[7].x, g_Joints[7].displacedY += 4;  // raised: leans by atan2(dy, dx)
    EXPECT_GT(tank(0).hi[0] - tank(0).lo[0], 5);
    // Fewer than 7 joints: upright at the undeformed placement, reading no
    // row beyond the count.
    g_Joints[7].displacedY = std::nanf("");
    for (int n : {6, -3}) {
        g_nJoints = static_cast<short>(n);
        ExpectBox(tank(0), upright, 5e-3f);
        ExpectBox(tank(1), upright, 5e-3f);
    }
    EXPECT_EQ(0, Fb(30, [] { DrawTank(20, std::nanf(""), 10, 0); }).count);
}

// After a passed tower analysis the fan turns on the screen while timer 5
// runs, also once the growth (timer 4, ticking with it) has ended, and
// stands still after the stopping click.
TEST_F(SceneryTest, TheFanTurnsOnScreenAfterAPassedTowerAnalysis)
{
    ASSERT_NO_FATAL_FAILURE(OpenExample("tower.3dd"));
    DarkScenery();
    LookAt(40, 18, 34, 10, 9, 11);
    RunFrameCommand(ID_ANALYSIS_RUN);
    ASSERT_TRUE(!g_bModelFailed && backend.ViewTimerRunning(TIMER_FAN));
    auto frame = [&] {
        wxImage picture;
        EXPECT_TRUE(view->CaptureFrame(picture));
        return picture;
    };
    auto differ = [](const wxImage& a, const wxImage& b) {
        return !std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
    };
    for (int i = 0; i < 100 && backend.ViewTimerRunning(TIMER_ANIMATE_COLLAPSE); ++i)
        OnAnimationTimer(TIMER_ANIMATE_COLLAPSE), OnAnimationTimer(TIMER_FAN);
    ASSERT_FALSE(backend.ViewTimerRunning(TIMER_ANIMATE_COLLAPSE));
    wxImage before = frame();
    // A turning fan compiles no display list (the GL driver would keep memory of each).
    ResetDisplayListCompileCounts();
    for (int tick = 0; tick < 3; ++tick) {
        OnAnimationTimer(TIMER_FAN);
        const wxImage after = frame();
        EXPECT_TRUE(differ(before, after)) << "tick " << tick;
        before = after;
    }
    for (int id = 1; id <= LIST_RESERVED_COUNT; ++id) EXPECT_EQ(DisplayListCompileCount(id), 0) << id;
    EditOnLButtonUp(0, 0);
    EXPECT_FALSE(backend.ViewTimerRunning(TIMER_FAN));
    EXPECT_FALSE(differ(before, frame()));
}
