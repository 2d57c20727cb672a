// The result animation stepped tick by tick: growth, collapse with cracks,
// the hold, and the fan.
#include <algorithm>
#include <string>
#include <vector>

#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/view/edit_fixture.h"
#include "view/animation.h"
#include "view/mouse_editing.h"

namespace {

using platform::Event;

class AnimationTest : public Tf3dTest {
protected:
    // Joint 1 moves down by 0.1 per unit of magnification; members 1..failed fail.
    void Model(int members, int failed)
    {
        g_nJoints = 2;
        g_Joints[1].y = 1, g_Joints[1].dispY = -0.1f;
        g_nMembers = static_cast<short>(members);
        for (int i = 1; i <= members; ++i) {
            g_Members[i] = MemberRec();
            g_Members[i].jointA = 1, g_Members[i].jointB = 2;
            g_Members[i].intact = i > failed;
        }
        g_bMemberFailed = failed > 0;
        g_fMagnification = 10, g_fAnimMagnification = 0;
        g_bCrackSoundPending = g_bAnimationRunning = 1;
        backend.SetViewTimer(TIMER_ANIMATE_COLLAPSE, 10);
    }
    // Ticks timer id until it is killed (at most limit ticks); the
    // magnification drawn after each tick.
    std::vector<float> Run(int id, int limit = 100)
    {
        std::vector<float> drawn;
        while (backend.ViewTimerRunning(id) && static_cast<int>(drawn.size()) < limit) {
            EXPECT_TRUE(OnAnimationTimer(id));
            drawn.push_back(g_fAnimMagnification);
        }
        return drawn;
    }
    int Cracks() const
    {
        int n = 0;
        for (const Event& e : backend.Sounds()) n += e.text == "IDR_WAVE_CRACK";
        return n;
    }
};

TEST_F(AnimationTest, CollapseCracksNineTimesOnceThenHolds)
{
    const struct {
        int failed;
        int sound;
        int ticks, cracks;
    } cases[] = {
        {0, 1, 10, 0},   // all pass: the displaced shape stays, silently
        {12, 1, 27, 9},  // the tenth tick reaches 10 and starts the collapse, 17 more reach 100
        {12, 0, 27, 0},  // sounds off: a silent collapse
        {3, 1, 27, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failed * 10 + c.sound);
        backend.Clear();
        Model(15, c.failed);
        g_bSoundOn = c.sound;
        std::vector<float> drawn = Run(TIMER_ANIMATE_COLLAPSE);
        ASSERT_EQ(static_cast<int>(drawn.size()), c.ticks);
        EXPECT_EQ(Cracks(), c.cracks);
        EXPECT_EQ(g_bAnimationRunning, 1);
        if (!c.failed) {
            EXPECT_EQ(V(g_bShowDisplacedShape, g_bShowUndeformed, g_bShowCollapse, backend.Count(Event::Wait)),
                      V(1, 0, 0, 0));
            continue;
        }
        // Growth to 10, the collapse from 15 to 100 in steps of 5, the cracks at its first tick.
        EXPECT_EQ(drawn[8], 9);
        EXPECT_EQ(drawn[9], 15);
        EXPECT_EQ(drawn.back(), 100);
        EXPECT_FLOAT_EQ(g_Joints[1].displacedY, 0);  // positions of the growth's end
        // A pause after each crack but the ninth; the hold of 2000 ms on the
        // tick count, then the undeformed model.
        ASSERT_EQ(backend.Count(Event::Wait), 1 + c.cracks - (c.cracks == 9 ? 1 : 0));
        unsigned hold = 0;
        for (const Event& e : backend.events) hold = e.kind == Event::Wait ? e.flags : hold;
        EXPECT_EQ(hold, 2000u);
        EXPECT_EQ(V(g_bShowUndeformed, g_bShowDisplacedShape, g_bShowCollapse, g_bCrackSoundPending),
                  V(1, 0, 0, c.sound ? 0 : 1));
    }
}

TEST_F(AnimationTest, TheFanTurnsUntilAReleaseAndTheCheers)
{
    // A tower passed: the fan turned during the growth, then timer 5 turns it on.
    Model(2, 0);
    g_bUseFan = g_bFanSpinning = 1, g_fWindSpeed = 3, g_fFanAngle = 0;
    Run(TIMER_ANIMATE_COLLAPSE);
    EXPECT_EQ(V(g_fFanAngle, g_bFanSpinning), V(-30, 0));
    g_bAnimationRunning = 0;  // as after Animate Displacement: the fan must still stop
    backend.SetViewTimer(TIMER_FAN, 10);
    for (int i = 0; i < 3; ++i) OnAnimationTimer(TIMER_FAN);
    EXPECT_EQ(g_fFanAngle, -75);
    ASSERT_TRUE(backend.Sounds().empty());
    // The release ends a member drag under way too, from joint 1 to joint 2.
    g_nMembers = 0;
    g_bModeAddMember = g_bDraggingMember = g_nDragStartJoint = 1, g_nPickedJoint = 2;
    g_fDragStartX = g_Joints[1].x, g_fDragStartY = g_Joints[1].y, g_fDragStartZ = g_Joints[1].z;
    EditOnLButtonUp(0, 0);
    EXPECT_FALSE(backend.ViewTimerRunning(TIMER_FAN));
    ASSERT_EQ(backend.Sounds().size(), 1u);
    EXPECT_EQ(backend.Sounds()[0].text, "IDR_WAVE_CHEERS");
    EXPECT_EQ(V(g_bDraggingMember, g_nMembers, g_Members[1].jointB), V(0, 1, 2));
    // After Animate Collapse the animation flag is still set: the click that
    // stops the fan clears it, and the next click cheers no more.
    backend.Clear();
    g_bAnimationRunning = 1;
    backend.SetViewTimer(TIMER_FAN, 10);
    EditOnLButtonUp(0, 0);
    EditOnLButtonUp(0, 0);
    EXPECT_EQ(V(g_bAnimationRunning, backend.ViewTimerRunning(TIMER_FAN), backend.Sounds().size()), V(0, 0, 1));
    // With failed members the tower cracks once at the first collapse tick.
    backend.Clear();
    Model(5, 4);
    g_bFanSpinning = 1;
    Run(TIMER_ANIMATE_COLLAPSE);
    EXPECT_EQ(Cracks(), 1);
    // A new analysis stops every result timer first.
    g_nMembers = 0;
    backend.SetViewTimer(TIMER_FAN, 10);
    backend.SetViewTimer(TIMER_ANIMATE_DISPLACEMENT, 10);
    RunFrameCommand(ID_ANALYSIS_RUN);
    EXPECT_TRUE(backend.runningTimers.empty());
    EXPECT_EQ(OnAnimationTimer(7), false);
}

TEST(CrackRandom, DrawsFrom0To32767)
{
    SeedCrackRandom(12345);
    int lo = 32767, hi = 0;
    for (int i = 0; i < 100000; ++i) {
        const int r = NextCrackRandom();
        lo = std::min(lo, r), hi = std::max(hi, r);
    }
    EXPECT_EQ(V(lo, hi), V(0, 32767));
}

}  // namespace
