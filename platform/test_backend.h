// Recording backend for tests: every call is logged in order, message boxes
// are answered from a script and never block.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct Event {
    enum Kind { Box, Beep, Cursor, SetTimer, KillTimer, InvalidateFrame, InvalidateView, Sound };
    Kind kind;
    std::string text;     // box text, sound name
    std::string caption;  // box caption
    unsigned flags = 0;   // box style, beep type, timer period, erase flag
    int id = 0;           // box answer, timer id, cursor
};

class TestBackend : public Backend {
public:
    // Answers for the next message boxes, in order. A box with no scripted
    // answer takes its default button and counts as unscripted.
    void ScriptAnswers(std::initializer_list<int> answers);
    void Clear();

    std::vector<Event> events;
    std::deque<int> answers;
    int unscriptedBoxes = 0;
    CursorHandle cursor = CURSOR_ARROW;

    std::vector<Event> Boxes() const { return Only(Event::Box); }
    std::vector<Event> Sounds() const { return Only(Event::Sound); }
    std::vector<Event> Timers() const { return Only(Event::SetTimer); }
    int Count(Event::Kind k) const { return static_cast<int>(Only(k).size()); }

    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void MessageBeep(unsigned type) override;
    CursorHandle SetCursor(CursorHandle c) override;
    void SetViewTimer(int id, unsigned periodMs) override;
    void KillViewTimer(int id) override;
    void InvalidateFrame(bool erase) override;
    void InvalidateView(bool erase) override;
    void PlaySoundResource(const std::string& name) override;

private:
    std::vector<Event> Only(Event::Kind k) const;
};

}  // namespace platform
