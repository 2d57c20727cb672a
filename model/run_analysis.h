// The analysis that "Run the Analysis!" runs: generated loads, the frame
// solver, strength ratios, the breaking-force search and result colours.
// No boxes, prompts, sounds or timers here: the frame's command asks and
// tells the user and shows the outcome.
#pragma once

// True when a joint carries an applied force (the only loads that Find
// Breaking Force(s) scales).
bool HasAppliedForce();

// The loads of a run: generated loads cleared, then the truck's, the wind's
// and the fan's applied as the options ask, the members' weights and their
// ultimate forces. False, with nothing after the truck applied, when the
// truck is not on the bridge.
bool ApplyAnalysisLoads();

// Solves the model under the loads applied: halt flags, failure flags and
// strength ratios; with Find Breaking Force(s) the applied forces scaled
// to failure (one Undo gives back those of before); result colours unless
// the solver halted. Results that are not finite count as a halt for large
// displacements.
void AnalyseModel();

// True when the last analysis halted (unstable, large displacements,
// incorrect model or inadequate support).
bool AnalysisHalted();
