// Tool-mode flags (declared in frame_globals.h) and their clearing. The
// frame's handlers call this; the prompt that follows the tools is in
// view/status_prompt.h.
#pragma once

void ClearToolModes();
