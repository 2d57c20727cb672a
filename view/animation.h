// The result animation driven by the view's timers: timer 3 grows the
// displaced shape to the chosen magnification, timer 4 grows it and, when
// members failed, goes on to collapse it with crack sounds and a hold,
// timer 5 turns the tower's fan until a left-button release. The ticks
// change only drawing data and display-list flags, then invalidate the view.
#pragma once

// One tick of view timer 3, 4 or 5; false for any other id.
bool OnAnimationTimer(int id);

// One crack sound per failed member, the first nine only, each after a
// random pause of up to 200 ms (waited through the platform layer).
void PlayMemberCracks();
// One crack sound when any member failed.
void PlayCrackIfAnyFailed();

// The crack pauses' random source: 0 .. 32767 from a seed.
void SeedCrackRandom(unsigned seed);
int NextCrackRandom();
