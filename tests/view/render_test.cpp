// The scene renderer's list protocol and the member solids, checked in the
// realised view: compilations counted, geometry read back in feedback mode,
// the bridge example read back as pixels.
#include <cmath>
#include <vector>

#include <GL/gl.h>
#include <wx/image.h>

#include "files/model_file.h"
#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "tests/view/feedback.h"
#include "tests/view/view_fixture.h"
#include "view/member_solids.h"
#include "view/overlay.h"

namespace {

template <class F>
std::vector<FbPrimitive> Feedback(F draw)
{
    return FeedbackPrimitives(draw);
}

int Polygons(const std::vector<FbPrimitive>& prims)
{
    int n = 0;
    for (const auto& p : prims) n += p.token == GL_POLYGON_TOKEN;
    return n;
}

}  // namespace

TEST_F(ViewTest, ListIsCompiledOnceAndReplayedUntilItsFlagIsCleared)
{
    int built5 = 0, built6 = 0, drawn5 = 0, drawn6 = 0;
    const int before5 = DisplayListCompileCount(5), before6 = DisplayListCompileCount(6);
    for (int pass = 0; pass < 4; ++pass) {
        if (pass == 3) built6 = 0;
        CallDisplayList(5, built5, [&] { ++drawn5; });
        CallDisplayList(6, built6, [&] { ++drawn6; });
    }
    EXPECT_EQ(1, built5);
    EXPECT_EQ(1, drawn5);
    EXPECT_EQ(2, drawn6);
    EXPECT_EQ(before5 + 1, DisplayListCompileCount(5));
    EXPECT_EQ(before6 + 2, DisplayListCompileCount(6));

    // The same through whole frames with the members layer.
    view->RenderFrame();  // empty model: nothing compiled, flag stays 0
    EXPECT_EQ(0, DisplayListCompileCount(LIST_MEMBERS));
    EXPECT_EQ(0, g_bListMembersBuilt);
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    int frames = 0;
    SetAfterFrameHook([&] { ++frames; });
    for (int i = 0; i < 3; ++i) view->RenderFrame();
    EXPECT_EQ(3, frames);
    EXPECT_EQ(1, DisplayListCompileCount(LIST_MEMBERS));
    g_bListMembersBuilt = 0;
    view->RenderFrame();
    view->RenderFrame();
    EXPECT_EQ(2, DisplayListCompileCount(LIST_MEMBERS));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_ARROW_HEAD));
    g_bShowUndeformed = 0;  // a layer switched off is neither compiled nor replayed
    g_bListMembersBuilt = 0;
    view->RenderFrame();
    EXPECT_EQ(2, DisplayListCompileCount(LIST_MEMBERS));
    EXPECT_EQ(0, g_bListMembersBuilt);
    EXPECT_EQ(0, g_bRendering);
}

TEST_F(ViewTest, BridgeMembersShowInTheirColoursOverTheBackground)
{
    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    HideScenery();
    g_bTruckActive = 0;
    FrameModel(0.8, 0.6);  // looking down on the deck
    wxImage image;
    ASSERT_TRUE(view->CaptureFrame(image));
    ASSERT_EQ(g_nViewWidth, image.GetWidth());
    int bg[3];
    Pixel(image, image.GetWidth() - 2, image.GetHeight() - 2, bg);
    EXPECT_NEAR(g_fBackgroundR * 255, bg[0], 1);
    EXPECT_NEAR(g_fBackgroundG * 255, bg[1], 1);
    EXPECT_NEAR(g_fBackgroundB * 255, bg[2], 1);

    // A lit member keeps the order of its colour's channels (lighting may
    // saturate one) and is tinted.
    int found = 0, solid = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        if (m.hidden || m.negated || g_Shapes[m.shape].height <= 0.03f) continue;
        ++solid;
        short x, y;
        if (!ProjectMember(i, x, y) || x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight()) continue;
        int p[3];
        Pixel(image, x, y, p);
        const bool ordered = (m.colorR > m.colorG ? p[0] >= p[1] : p[0] <= p[1]) &&
                             (m.colorG > m.colorB ? p[1] >= p[2] : p[1] <= p[2]);
        found += ordered && std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) >= 10;
    }
    ASSERT_GT(solid, 10);
    EXPECT_GE(found, solid * 8 / 10);

    // The prompt line: dark text inside its cell at (10, 5), on a box of the background colour.
    int dark = 0, boxed = 0, top = 1000, bottom = -1, left = 1000;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            int p[3];
            Pixel(image, x, y, p);
            if (p[0] < 80 && p[1] < 80 && p[2] < 80) {
                ++dark;
                top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x);
            }
            boxed += p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2];
        }
    EXPECT_GT(dark, 20);
    EXPECT_GT(boxed, 2000);
    EXPECT_GE(top, 5);
    EXPECT_LT(bottom, 5 + CSpan3DView::OverlayLineHeight());
    EXPECT_GE(bottom - top, 8);
    EXPECT_GE(left, 10);
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(ViewTest, MemberWithAnEndBehindTheEyeGetsNoLabel)
{
    LookAt(0, 0, 30, 0, 0, 0);
    g_nJoints = 3;
    SetJoint(1, -2, 0, 0);
    SetJoint(2, 2, 0, 0);
    SetJoint(3, 0, 0, 40);  // behind the eye
    g_nMembers = 2;
    SetMember(1, 1, 3, 0, 0, 0);
    SetMember(2, 1, 2, 0, 0, 0);
    short x, y, jx, jy;
    ASSERT_EQ(1, ProjectMember(2, x, y));
    EXPECT_NEAR(g_nViewWidth / 2, x, 1);
    EXPECT_NEAR(g_nViewHeight / 2, y, 1);
    ASSERT_EQ(1, ProjectJoint(2, jx, jy));
    EXPECT_GT(jx, x);
    EXPECT_EQ(0, ProjectMember(1, x, y) + ProjectJoint(3, jx, jy) + ProjectJoint(4, jx, jy) + ProjectMember(3, jx, jy));

    g_bShowMemberNumbers = 1;  // the prompt and member 2
    const auto lines = ComposeOverlayText(ProjectJoint, ProjectMember);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("2", lines[1].text);
}

TEST_F(ViewTest, MemberSolidsFollowTheMemberAxisAndRoll)
{
    // Section 0.2 high, 0.1 wide: along +x the height lies along y, the width along z.
    const struct {
        bool box;
        float x1, y1, z1, x2, y2, z2, roll, offY;
        std::vector<float> want;
    } cases[] = {
        {false, 0, 0, 0, 0.5f, 0, 0, 0, 0, {0, 0.5f, -0.1f, 0.1f, -0.05f, 0.05f}},
        {false, 0, 0, 0, 0.5f, 0, 0, 90, 0, {0, 0.5f, -0.05f, 0.05f, -0.1f, 0.1f}},     // rolled
        {false, 0, 0, 0, 0, -0.5f, 0, 0, 0, {-0.1f, 0.1f, -0.5f, 0, -0.05f, 0.05f}},    // straight down
        {false, 0, 0, 0, 0, 0, -0.5f, 0, 0.3f, {-0.05f, 0.05f, 0.2f, 0.4f, -0.5f, 0}},  // along -z, offset
        {true, 0.1f, 0, 0, 0.1f, 0.6f, 0, 0, 0, {0, 0.2f, 0, 0.6f, -0.05f, 0.05f}},
        {true, 0, 0, 0, 0, 0, 0.5f, 0, 0, {-0.05f, 0.05f, -0.1f, 0.1f, 0, 0.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ExpectBox(BoxOf(Feedback([&] {
                      if (c.box)
                          DrawMemberBox(c.x1, c.y1, c.z1, c.x2, c.y2, c.z2, c.roll, 0.2f, 0.1f, 1, 1, 1);
                      else
                          DrawRectMember(c.x1, c.y1, c.z1, c.x2, c.y2, c.z2, c.roll, 0.2f, 0.1f, 1, 1, 1, c.offY, 0);
                  })),
                  c.want, 1e-4f);
    }
    // Zero length: nothing.
    EXPECT_TRUE(Feedback([] { DrawRectMember(0.1f, 0.1f, 0, 0.1f, 0.1f, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); }).empty());
    EXPECT_TRUE(Feedback([] { DrawRoundMember(0, 0, 0, 0, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); }).empty());
    EXPECT_TRUE(Feedback([] { DrawMemberBox(0, 0, 0, 0, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1); }).empty());

    // Doubled: a gap of the spacing between the sticks; rods of radius h / 2
    // (the width plays no part) with axes at +-(h / 2 + s / 2).
    const float h = 0.2f, w = 0.1f, s = 0.3f;
    auto innerGap = [](const std::vector<FbPrimitive>& prims) {
        float nearest = 1e9f;
        for (const auto& p : prims)
            for (const auto& v : p.vertices) nearest = std::min(nearest, std::fabs(v.z));
        return nearest;
    };
    const auto rect = Feedback([&] { DrawDoubleRectMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, s, 0, 0); });
    const auto single = Feedback([&] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, 0, 0); });
    EXPECT_NEAR(s / 2, innerGap(rect), 1e-3f);
    EXPECT_NEAR(s / 2 + w, BoxOf(rect).hi[2], 1e-3f);
    EXPECT_EQ(2 * Polygons(single), Polygons(rect));
    const auto rods = Feedback([&] { DrawDoubleRoundMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, s, 0, 0); });
    EXPECT_NEAR(s / 2, innerGap(rods), 1e-3f);
    EXPECT_NEAR(s / 2 + h, BoxOf(rods).hi[2], 1e-3f);
    EXPECT_NEAR(h / 2, BoxOf(rods).hi[1], 1e-3f);
}

TEST_F(ViewTest, MembersListChoosesLineOrSolidAndColour)
{
    ResetAllShapes();
    g_nJoints = 2;
    SetJoint(1, 0, 0, 0);
    SetJoint(2, 0.5f, 0, 0);
    g_nMembers = 1;
    MemberRec& m = SetMember(1, 1, 2, 0.2f, 0.4f, 0.6f);
    auto draw = [] {
        g_bListMembersBuilt = 0;
        return Feedback([] { DrawMembers(); });
    };
    auto line = [](const std::vector<FbPrimitive>& prims, float r, float g, float b) {
        return prims.size() == 1 && IsLine(prims[0]) && AllIn(prims, r, g, b);
    };
    const int box = Polygons(Feedback([] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, 0.1f, 0.1f, 1, 1, 1, 0, 0); }));
    ASSERT_GE(box, 6);
    EXPECT_EQ(box, Polygons(draw()));
    EXPECT_TRUE(AllIn(draw(), 0.2f, 0.4f, 0.6f));
    m.intact = 0;
    EXPECT_TRUE(AllIn(draw(), 1, 0, 0));
    m.runner = 1;  // a deck member is magenta while the deck is highlighted
    g_bHighlightDeck = 1;
    EXPECT_TRUE(AllIn(draw(), 1, 0.25f, 1));
    g_bHighlightDeck = 0;
    m.intact = 1;
    m.hidden = 1;
    EXPECT_TRUE(line(draw(), 0, 0, 0));
    m.negated = 1;  // negated wins over hidden
    EXPECT_TRUE(line(draw(), 1, 0, 0));
    m.hidden = m.negated = 0;

    // A section 0.03 high or less is a line in the list, a yellow solid when picked.
    g_Shapes[1].height = 0.03f;
    EXPECT_TRUE(line(draw(), 0.2f, 0.4f, 0.6f));
    const auto picked = Feedback([] { HighlightMember(1); });
    EXPECT_EQ(box, Polygons(picked));
    EXPECT_NEAR(0.025f, BoxOf(picked).hi[1], 1e-4f);
    EXPECT_NEAR(1.0f, picked[0].vertices[0].g, 0.01f);

    // Coincident joints: no solid, but the line of a thin member stays.
    g_Joints[2].x = 0;
    EXPECT_TRUE(line(draw(), 0.2f, 0.4f, 0.6f));
    g_Shapes[1].height = 0.125f;
    EXPECT_TRUE(draw().empty());
    // Bad rows draw nothing and do not crash.
    m.jointB = 77;
    EXPECT_TRUE(draw().empty());
    m.jointB = 2;
    m.shape = 40;
    EXPECT_TRUE(draw().empty());
    EXPECT_TRUE(Feedback([] { HighlightMember(5); }).empty());
}
