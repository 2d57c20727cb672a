// The scene renderer's list protocol and the member solids, checked in the
// realised view: compilations counted, geometry read back in feedback mode,
// the bridge example read back as pixels.
#include <algorithm>
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
#include "view/projection.h"
#include "view/renderer.h"
#include "view/view_globals.h"

namespace {

using Vertex = FbVertex;
using Primitive = FbPrimitive;

template <class F>
std::vector<Primitive> Feedback(F draw)
{
    return FeedbackPrimitives(draw);
}

struct Bounds {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
};

Bounds BoundsOf(const std::vector<Primitive>& prims)
{
    Bounds b;
    for (const auto& p : prims)
        for (const auto& v : p.vertices) {
            const float c[3] = {v.x, v.y, v.z};
            for (int k = 0; k < 3; ++k) {
                b.lo[k] = std::min(b.lo[k], c[k]);
                b.hi[k] = std::max(b.hi[k], c[k]);
            }
        }
    return b;
}

int CountTokens(const std::vector<Primitive>& prims, GLenum token)
{
    return static_cast<int>(std::count_if(prims.begin(), prims.end(),
                                          [&](const Primitive& p) { return p.token == token; }));
}

void ExpectBounds(const Bounds& b, float x0, float x1, float y0, float y1, float z0, float z1)
{
    // Depth in feedback is a window depth of limited precision.
    EXPECT_NEAR(x0, b.lo[0], 1e-4f);
    EXPECT_NEAR(x1, b.hi[0], 1e-4f);
    EXPECT_NEAR(y0, b.lo[1], 1e-4f);
    EXPECT_NEAR(y1, b.hi[1], 1e-4f);
    EXPECT_NEAR(z0, b.lo[2], 1e-3f);
    EXPECT_NEAR(z1, b.hi[2], 1e-3f);
}

void TwoJointModel(float x1, float y1, float z1, float x2, float y2, float z2)
{
    g_nJoints = 2;
    g_Joints[1] = JointRec();
    g_Joints[2] = JointRec();
    g_Joints[1].x = x1, g_Joints[1].y = y1, g_Joints[1].z = z1;
    g_Joints[2].x = x2, g_Joints[2].y = y2, g_Joints[2].z = z2;
    g_nMembers = 1;
    g_Members[1] = MemberRec();
    g_Members[1].jointA = 1;
    g_Members[1].jointB = 2;
    g_Members[1].colorR = 0.2f, g_Members[1].colorG = 0.4f, g_Members[1].colorB = 0.6f;
}

}  // namespace

TEST_F(ViewTest, ListIsCompiledOnceAndReplayedUntilItsFlagIsCleared)
{
    int built5 = 0, built6 = 0, drawn5 = 0, drawn6 = 0;
    const int before5 = DisplayListCompileCount(5), before6 = DisplayListCompileCount(6);
    for (int pass = 0; pass < 3; ++pass) {
        CallDisplayList(5, built5, [&] { ++drawn5; });
        CallDisplayList(6, built6, [&] { ++drawn6; });
    }
    EXPECT_EQ(1, drawn5);
    EXPECT_EQ(1, drawn6);
    EXPECT_EQ(1, built5);
    built6 = 0;
    CallDisplayList(5, built5, [&] { ++drawn5; });
    CallDisplayList(6, built6, [&] { ++drawn6; });
    EXPECT_EQ(1, drawn5);
    EXPECT_EQ(2, drawn6);
    EXPECT_EQ(before5 + 1, DisplayListCompileCount(5));
    EXPECT_EQ(before6 + 2, DisplayListCompileCount(6));
}

TEST_F(ViewTest, ScenePassesReplayTheMembersList)
{
    view->RenderFrame();  // empty model: nothing compiled, flag stays 0
    EXPECT_EQ(0, DisplayListCompileCount(LIST_MEMBERS));
    EXPECT_EQ(0, g_bListMembersBuilt);

    ASSERT_EQ(1, OpenModelFile(ExamplePath("bridge.3dd")));
    int frames = 0;
    SetAfterFrameHook([&] { ++frames; });
    for (int i = 0; i < 3; ++i) view->RenderFrame();
    EXPECT_EQ(3, frames);
    EXPECT_EQ(1, DisplayListCompileCount(LIST_MEMBERS));
    EXPECT_EQ(1, g_bListMembersBuilt);

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
    wxImage image;
    ASSERT_TRUE(view->CaptureFrame(image));  // from the file's camera
    ASSERT_EQ(g_nViewWidth, image.GetWidth());
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    image.SaveFile(testing::TempDir() + "view_bridge.png", wxBITMAP_TYPE_PNG);

    // Closer, looking down on the deck, the members alone over the background.
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 0;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;
    g_bShowRulers = g_bShowSupports = g_bShowLoads = g_bShowJoints = 0;
    g_bTruckActive = 0;
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (int j = 1; j <= g_nJoints; ++j) {
        const float p[3] = {g_Joints[j].x, g_Joints[j].y, g_Joints[j].z};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
    }
    const float span = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    g_dCenterX = (lo[0] + hi[0]) / 2, g_dCenterY = (lo[1] + hi[1]) / 2, g_dCenterZ = (lo[2] + hi[2]) / 2;
    g_dEyeX = g_dCenterX, g_dEyeY = g_dCenterY + 0.8 * span, g_dEyeZ = g_dCenterZ + 0.6 * span;
    ASSERT_TRUE(view->CaptureFrame(image));
    image.SaveFile(testing::TempDir() + "view_bridge_close.png", wxBITMAP_TYPE_PNG);

    int bg[3];
    Pixel(image, image.GetWidth() - 2, image.GetHeight() - 2, bg);
    EXPECT_NEAR(g_fBackgroundR * 255, bg[0], 1);
    EXPECT_NEAR(g_fBackgroundG * 255, bg[1], 1);
    EXPECT_NEAR(g_fBackgroundB * 255, bg[2], 1);

    // A lit member keeps the order of its colour's channels.
    int found = 0, solid = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        if (m.hidden || m.negated || g_Shapes[m.shape].height <= 0.03f) continue;
        ++solid;
        short x, y;
        if (!ProjectMember(i, x, y) || x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight()) continue;
        int p[3];
        Pixel(image, x, y, p);
        // Lighting may saturate a channel, so only the order is checked.
        const bool ordered = (m.colorR > m.colorG ? p[0] >= p[1] : p[0] <= p[1]) &&
                             (m.colorG > m.colorB ? p[1] >= p[2] : p[1] <= p[2]);
        const bool tinted = std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) >= 10;
        if (ordered && tinted) ++found;
    }
    ASSERT_GT(solid, 10);
    EXPECT_GE(found, solid * 8 / 10);

    // The prompt line: dark text inside its cell at (10, 5), on a box of
    // the background colour.
    int dark = 0, boxed = 0, top = 1000, bottom = -1, left = 1000;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            int p[3];
            Pixel(image, x, y, p);
            if (p[0] < 80 && p[1] < 80 && p[2] < 80) {
                ++dark;
                top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x);
            }
            if (p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2]) ++boxed;
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
    g_dEyeX = 0, g_dEyeY = 0, g_dEyeZ = 30;
    g_dCenterX = g_dCenterY = g_dCenterZ = 0;
    g_nJoints = 3;
    g_Joints[1].x = -2, g_Joints[1].y = 0, g_Joints[1].z = 0;
    g_Joints[2].x = 2, g_Joints[2].y = 0, g_Joints[2].z = 0;
    g_Joints[3].x = 0, g_Joints[3].y = 0, g_Joints[3].z = 40;  // behind the eye
    g_nMembers = 2;
    g_Members[1].jointA = 1, g_Members[1].jointB = 3;
    g_Members[2].jointA = 1, g_Members[2].jointB = 2;
    short x, y;
    EXPECT_EQ(0, ProjectMember(1, x, y));
    ASSERT_EQ(1, ProjectMember(2, x, y));
    EXPECT_NEAR(g_nViewWidth / 2, x, 1);
    EXPECT_NEAR(g_nViewHeight / 2, y, 1);
    short jx, jy;
    ASSERT_EQ(1, ProjectJoint(2, jx, jy));
    EXPECT_GT(jx, x);
    EXPECT_EQ(0, ProjectJoint(3, jx, jy));
    EXPECT_EQ(0, ProjectJoint(4, jx, jy));
    EXPECT_EQ(0, ProjectMember(3, jx, jy));

    g_bShowMemberNumbers = 1;
    const auto lines = ComposeOverlayText(ProjectJoint, ProjectMember);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("2", lines[1].text);
    EXPECT_EQ(x, lines[1].x);
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_PROJECTION, mode);
}

TEST_F(ViewTest, MemberSolidsFollowTheMemberAxisAndRoll)
{
    // Along +x: length along x, height along y, width along z.
    ExpectBounds(BoundsOf(Feedback([] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); })), 0,
                 0.5f, -0.1f, 0.1f, -0.05f, 0.05f);
    // Rolled 90 degrees the height lies across z.
    ExpectBounds(BoundsOf(Feedback([] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 90, 0.2f, 0.1f, 1, 1, 1, 0, 0); })), 0,
                 0.5f, -0.05f, 0.05f, -0.1f, 0.1f);
    // Straight down: pitch -90, the section stays centred on the axis.
    ExpectBounds(BoundsOf(Feedback([] { DrawRectMember(0, 0, 0, 0, -0.5f, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); })),
                 -0.1f, 0.1f, -0.5f, 0, -0.05f, 0.05f);
    // Along -z with an offset in y.
    ExpectBounds(BoundsOf(Feedback([] { DrawRectMember(0, 0, 0, 0, 0, -0.5f, 0, 0.2f, 0.1f, 1, 1, 1, 0.3f, 0); })),
                 -0.05f, 0.05f, 0.2f, 0.4f, -0.5f, 0);
    // The box primitive scales a unit box between the points.
    ExpectBounds(BoundsOf(Feedback([] { DrawMemberBox(0.1f, 0, 0, 0.1f, 0.6f, 0, 0, 0.2f, 0.1f, 1, 1, 1); })), 0,
                 0.2f, 0, 0.6f, -0.05f, 0.05f);
    ExpectBounds(BoundsOf(Feedback([] { DrawMemberBox(0, 0, 0, 0, 0, 0.5f, 0, 0.2f, 0.1f, 1, 1, 1); })), -0.05f,
                 0.05f, -0.1f, 0.1f, 0, 0.5f);

    // Zero length: nothing.
    EXPECT_TRUE(Feedback([] { DrawRectMember(0.1f, 0.1f, 0, 0.1f, 0.1f, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); }).empty());
    EXPECT_TRUE(Feedback([] { DrawRoundMember(0, 0, 0, 0, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1, 0, 0); }).empty());
    EXPECT_TRUE(Feedback([] { DrawMemberBox(0, 0, 0, 0, 0, 0, 0, 0.2f, 0.1f, 1, 1, 1); }).empty());
}

TEST_F(ViewTest, DoubledMembersLeaveAGapOfTheSpacing)
{
    const float h = 0.2f, w = 0.1f, s = 0.3f;
    auto innerGap = [](const std::vector<Primitive>& prims) {
        float nearest = 1e9f;
        for (const auto& p : prims)
            for (const auto& v : p.vertices) nearest = std::min(nearest, std::fabs(v.z));
        return nearest;
    };
    const auto rect = Feedback([&] { DrawDoubleRectMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, s, 0, 0); });
    const auto single = Feedback([&] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, 0, 0); });
    EXPECT_NEAR(s / 2, innerGap(rect), 1e-3f);
    EXPECT_NEAR(s / 2 + w, BoundsOf(rect).hi[2], 1e-3f);
    EXPECT_EQ(2 * CountTokens(single, GL_POLYGON_TOKEN), CountTokens(rect, GL_POLYGON_TOKEN));

    // Rods: radius h / 2 (the width plays no part), axes at +-(h / 2 + s / 2).
    const auto rods = Feedback([&] { DrawDoubleRoundMember(0, 0, 0, 0.5f, 0, 0, 0, h, w, 1, 1, 1, s, 0, 0); });
    EXPECT_NEAR(s / 2, innerGap(rods), 1e-3f);
    EXPECT_NEAR(s / 2 + h, BoundsOf(rods).hi[2], 1e-3f);
    EXPECT_NEAR(h / 2, BoundsOf(rods).hi[1], 1e-3f);
}

TEST_F(ViewTest, MembersListChoosesLineOrSolidAndColour)
{
    ResetAllShapes();
    TwoJointModel(0, 0, 0, 0.5f, 0, 0);
    auto draw = [] {
        g_bListMembersBuilt = 0;
        return Feedback([] { DrawMembers(); });
    };
    auto lineColour = [](const std::vector<Primitive>& prims, float r, float g, float b) {
        return prims.size() == 1 && prims[0].token != GL_POLYGON_TOKEN && std::fabs(prims[0].vertices[0].r - r) < 0.01f &&
               std::fabs(prims[0].vertices[0].g - g) < 0.01f && std::fabs(prims[0].vertices[0].b - b) < 0.01f;
    };

    const int box = CountTokens(Feedback([] { DrawRectMember(0, 0, 0, 0.5f, 0, 0, 0, 0.1f, 0.1f, 1, 1, 1, 0, 0); }),
                                GL_POLYGON_TOKEN);
    ASSERT_GE(box, 6);
    auto prims = draw();
    ASSERT_EQ(box, CountTokens(prims, GL_POLYGON_TOKEN));
    EXPECT_NEAR(0.4f, prims[0].vertices[0].g, 0.01f);

    g_Members[1].intact = 0;  // failed: red
    prims = draw();
    EXPECT_NEAR(1.0f, prims[0].vertices[0].r, 0.01f);
    EXPECT_NEAR(0.0f, prims[0].vertices[0].g, 0.01f);
    g_Members[1].runner = 1;  // a deck member is magenta while the deck is highlighted
    g_bHighlightDeck = 1;
    prims = draw();
    EXPECT_NEAR(0.25f, prims[0].vertices[0].g, 0.01f);
    EXPECT_NEAR(1.0f, prims[0].vertices[0].b, 0.01f);
    g_bHighlightDeck = 0;
    g_Members[1].intact = 1;

    g_Members[1].hidden = 1;
    EXPECT_TRUE(lineColour(draw(), 0, 0, 0));
    g_Members[1].negated = 1;  // negated wins over hidden
    EXPECT_TRUE(lineColour(draw(), 1, 0, 0));
    g_Members[1].hidden = g_Members[1].negated = 0;

    // A section 0.03 high or less is a line in the list, a solid when picked.
    g_Shapes[1].height = 0.03f;
    EXPECT_TRUE(lineColour(draw(), 0.2f, 0.4f, 0.6f));
    prims = Feedback([] { HighlightMember(1); });
    EXPECT_EQ(box, CountTokens(prims, GL_POLYGON_TOKEN));
    EXPECT_NEAR(0.025f, BoundsOf(prims).hi[1], 1e-4f);
    EXPECT_NEAR(1.0f, prims[0].vertices[0].g, 0.01f);  // yellow

    // Coincident joints: no solid; the line of a thin member stays.
    g_Joints[2].x = 0;
    EXPECT_TRUE(lineColour(draw(), 0.2f, 0.4f, 0.6f));
    g_Shapes[1].height = 0.125f;
    EXPECT_TRUE(draw().empty());

    // Bad rows draw nothing and do not crash.
    g_Members[1].jointB = 77;
    EXPECT_TRUE(draw().empty());
    g_Members[1].jointB = 2;
    g_Members[1].shape = 40;
    EXPECT_TRUE(draw().empty());
    EXPECT_TRUE(Feedback([] { HighlightMember(5); }).empty());
}
