#include "platform/platform.h"

#include <cstdio>

namespace platform {

int DefaultAnswer(unsigned flags)
{
    const bool second = (flags & MB_DEFBUTTON2) != 0;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return second ? IDCANCEL : IDOK;
    case MB_YESNO: return second ? IDNO : IDYES;
    case MB_YESNOCANCEL: return (flags & MB_DEFBUTTON3) ? IDCANCEL : second ? IDNO : IDYES;
    default: return IDOK;
    }
}

namespace {

class HeadlessBackend : public Backend {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return DefaultAnswer(flags);
    }
    void MessageBeep(unsigned) override {}
    CursorHandle SetCursor(CursorHandle c) override
    {
        CursorHandle prev = cursor_;
        cursor_ = c;
        return prev;
    }
    void SetViewTimer(int, unsigned) override {}
    void KillViewTimer(int) override {}
    void InvalidateFrame(bool) override {}
    void InvalidateView(bool) override {}
    void PlaySoundResource(const std::string&) override {}

private:
    CursorHandle cursor_ = CURSOR_ARROW;
};

HeadlessBackend g_headless;
Backend* g_backend = &g_headless;

}  // namespace

void SetBackend(Backend* backend) { g_backend = backend ? backend : &g_headless; }
Backend& GetBackend() { return *g_backend; }

}  // namespace platform
