// Tool-mode flags (declared in frame_globals.h), their clearing, the status
// prompt and the tool commands. The frame's handlers call these.
#pragma once

#include <string>

void ClearToolModes();
void UpdateStatusPrompt();
// The prompt text of the tool flags alone: the first set flag's, or "Ready".
const char* ToolPromptText();

// Keeps the prompt with the tools: when a tool ended itself (or another
// flag of the prompt changed) while the object lived, the prompt is composed
// again. Left alone otherwise, so an analysis outcome stays shown.
class PromptFollowsTools {
public:
    PromptFollowsTools() : before_(ToolPromptText()) {}
    ~PromptFollowsTools()
    {
        if (before_ != ToolPromptText()) UpdateStatusPrompt();
    }
    PromptFollowsTools(const PromptFollowsTools&) = delete;
    PromptFollowsTools& operator=(const PromptFollowsTools&) = delete;

private:
    std::string before_;
};
