// Tool-mode flags (declared in frame_globals.h), their clearing, the status
// prompt and the tool commands. The frame's handlers call these.
#pragma once

void ClearToolModes();
void UpdateStatusPrompt();
