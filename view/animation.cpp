#include "view/animation.h"

#include <ctime>

#include "model/model_ops.h"
#include "model/tables.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

unsigned s_randomState = 1;

constexpr int kMaxCracks = 9;
constexpr unsigned kCollapseHoldMs = 2000;

void PlayCrack()
{
    platform::PlaySoundResource("IDR_WAVE_CRACK");
}

void TurnFan()
{
    if (g_bFanSpinning) g_fFanAngle -= g_fWindSpeed;
}

void ShowDisplaced()
{
    g_bShowUndeformed = 0;
    g_bShowDisplacedShape = 1;
    g_bShowCollapse = 0;
}

void EndAnimation(int timer)
{
    g_bFanSpinning = 0;
    platform::KillViewTimer(timer);
}

void TickDisplacement()
{
    g_fAnimMagnification += g_fMagnification / 10;
    TurnFan();
    if (g_fAnimMagnification >= g_fMagnification) {
        EndAnimation(TIMER_ANIMATE_DISPLACEMENT);
        g_bAnimationRunning = 0;
    }
    ComputeDisplacedShape(g_fAnimMagnification);
    InvalidateAnimationLists();
    ShowDisplaced();
}

// Each step tests the values the steps before it left.
void TickCollapse()
{
    const float m = g_fMagnification;
    if (g_fAnimMagnification <= m) {
        TurnFan();
        g_fAnimMagnification += m / 10;
        ComputeDisplacedShape(g_fAnimMagnification);
        const int members = g_bListMembersBuilt;
        InvalidateAnimationLists();
        g_bListMembersBuilt = members;
        ShowDisplaced();
    }
    if (!g_bMemberFailed) {
        if (g_fAnimMagnification >= m) {
            EndAnimation(TIMER_ANIMATE_COLLAPSE);
            InvalidateAnimationLists();
            ShowDisplaced();
        }
        return;
    }
    if (m <= g_fAnimMagnification && g_fAnimMagnification <= 10 * m) {
        TurnFan();
        if (g_bSoundOn && g_bCrackSoundPending) {
            if (g_bFanSpinning)
                PlayCrackIfAnyFailed();
            else
                PlayMemberCracks();
        }
        g_fAnimMagnification += 0.5f * m;
        InvalidateAnimationLists();
        g_bShowUndeformed = 0;
        g_bShowCollapse = 1;
        g_bShowDisplacedShape = 0;
    }
    if (g_fAnimMagnification >= 10 * m) {
        EndAnimation(TIMER_ANIMATE_COLLAPSE);
        InvalidateAnimationLists();
        g_bShowCollapse = 0;
        // The last collapsed picture stays on screen meanwhile.
        platform::WaitTicks(kCollapseHoldMs);
        g_bShowUndeformed = 1;
        g_bShowDisplacedShape = 0;
    }
}

void TickFan()
{
    g_fFanAngle -= 15;
}

}  // namespace

bool OnAnimationTimer(int id)
{
    switch (id) {
    case TIMER_ANIMATE_DISPLACEMENT: TickDisplacement(); break;
    case TIMER_ANIMATE_COLLAPSE: TickCollapse(); break;
    case TIMER_FAN: TickFan(); break;
    default: return false;
    }
    platform::InvalidateView(false);
    return true;
}

void PlayMemberCracks()
{
    g_bCrackSoundPending = 0;
    SeedCrackRandom(static_cast<unsigned>(std::time(nullptr)));
    int played = 0;
    for (int i = 1; i <= MemberCount(); ++i) {
        const int delay = NextCrackRandom() * 200 / 32767;
        if (g_bSoundOn != 1 || g_Members[i].intact) continue;
        PlayCrack();
        if (++played == kMaxCracks) return;
        // More than the pause has passed before the next crack.
        platform::WaitTicks(static_cast<unsigned>(delay) + 1);
    }
}

void PlayCrackIfAnyFailed()
{
    if (!g_bSoundOn) return;
    g_bCrackSoundPending = 0;
    for (int i = 1; i <= MemberCount(); ++i)
        if (!g_Members[i].intact) {
            PlayCrack();
            return;
        }
}

void SeedCrackRandom(unsigned seed)
{
    s_randomState = seed;
}

int NextCrackRandom()
{
    s_randomState = s_randomState * 214013u + 2531011u;
    return static_cast<int>((s_randomState >> 16) & 0x7FFF);
}
