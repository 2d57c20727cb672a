// "Run the Analysis!": checks, clean-up questions, the analysis, and its
// outcome shown: prompt, colours, animation start and sound. The frame's
// command handler calls this.
#pragma once

void RunTheAnalysis();

// Stops the result animation and the fan (view timers 3, 4 and 5).
void StopResultTimers();
// Ends the results display of the last analysis: timers stopped, result and
// animation flags cleared, the undeformed model shown, the outcome prompt
// back to the tool's prompt, and the lists that froze the results rebuilt.
// Every command that replaces the model calls this.
void EndResultsDisplay();
