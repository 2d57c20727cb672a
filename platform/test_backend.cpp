#include "platform/test_backend.h"

namespace platform {

void TestBackend::ScriptAnswers(std::initializer_list<int> list)
{
    for (int a : list) answers.push_back(a);
}

void TestBackend::Clear()
{
    events.clear();
    answers.clear();
    unscriptedBoxes = 0;
    cursor = CURSOR_ARROW;
}

std::vector<Event> TestBackend::Only(Event::Kind k) const
{
    std::vector<Event> out;
    for (const auto& e : events)
        if (e.kind == k) out.push_back(e);
    return out;
}

int TestBackend::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    int answer;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    } else {
        answer = DefaultAnswer(flags);
        ++unscriptedBoxes;
    }
    events.push_back({Event::Box, text, caption, flags, answer});
    return answer;
}

void TestBackend::MessageBeep(unsigned type) { events.push_back({Event::Beep, "", "", type, 0}); }

CursorHandle TestBackend::SetCursor(CursorHandle c)
{
    CursorHandle prev = cursor;
    cursor = c;
    events.push_back({Event::Cursor, "", "", 0, c});
    return prev;
}

void TestBackend::SetViewTimer(int id, unsigned periodMs)
{
    events.push_back({Event::SetTimer, "", "", periodMs, id});
}

void TestBackend::KillViewTimer(int id) { events.push_back({Event::KillTimer, "", "", 0, id}); }

void TestBackend::InvalidateFrame(bool erase)
{
    events.push_back({Event::InvalidateFrame, "", "", erase ? 1u : 0u, 0});
}

void TestBackend::InvalidateView(bool erase)
{
    events.push_back({Event::InvalidateView, "", "", erase ? 1u : 0u, 0});
}

void TestBackend::PlaySoundResource(const std::string& name)
{
    events.push_back({Event::Sound, name, "", 0, 0});
}

}  // namespace platform
