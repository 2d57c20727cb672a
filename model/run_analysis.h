// "Run the Analysis!": checks, clean-up questions, loads, solve, strength,
// breaking force, colours, animation start and sound. The frame's command
// handler calls this.
#pragma once

void RunTheAnalysis();
