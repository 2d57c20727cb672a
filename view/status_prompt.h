// The status prompt (g_strStatusPrompt, shown over the 3D view): the tool's
// instruction, or the outcome of the last analysis. The view's mouse tools
// and keys and the frame's commands keep it up to date.
#pragma once

#include <string>

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
