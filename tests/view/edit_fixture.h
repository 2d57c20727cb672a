// The view driven as a user drives it: mouse and key events sent to the
// window at the window points of model points.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include <wx/event.h>

#include "frame/tool_commands.h"
#include "tests/view/view_fixture.h"

class EditViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        view->MakeCurrent();
        // Looking at the XY guide plane at z = 12 from the front; the other
        // guide planes out of the way.
        g_fGuidePlaneZ = 12;
        g_bShowGuideXZ = g_bShowGuideYZ = 0;
        LookAt(20, 10, 50, 20, 10, 12);
    }

    // Window point of a model point (its projection, rounded).
    wxPoint At(float x, float y, float z)
    {
        float wx = -1, wy = -1;
        view->MakeCurrent();
        EXPECT_TRUE(ProjectToWindow(x, y, z, wx, wy)) << x << " " << y << " " << z;
        return wxPoint(static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(wy)));
    }
    wxPoint AtJoint(int j) { return At(g_Joints[j].x, g_Joints[j].y, g_Joints[j].z); }

    void Send(wxEventType type, wxPoint p, int wheel = 0)
    {
        wxMouseEvent event(type);
        event.m_x = p.x, event.m_y = p.y;
        event.m_wheelRotation = wheel, event.m_wheelDelta = 120;
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
    }
    void Move(wxPoint p) { Send(wxEVT_MOTION, p); }
    void Click(wxPoint p)
    {
        Move(p);
        Send(wxEVT_LEFT_DOWN, p);
        Send(wxEVT_LEFT_UP, p);
    }
    void Drag(wxPoint from, wxPoint to)
    {
        Move(from);
        Send(wxEVT_LEFT_DOWN, from);
        Move(to);
        Send(wxEVT_LEFT_UP, to);
    }
    void Key(int code, bool ctrl = false)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = code, event.m_controlDown = ctrl;
        event.SetEventObject(view);
        view->ProcessWindowEvent(event);
    }
    void Tool(int commandId) { ASSERT_TRUE(RunToolCommand(commandId)); }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& b : backend.Boxes()) texts.push_back(b.text);
        return texts;
    }
};

// Several values compared at once.
using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

inline const char* const kDuplicateJoint = "Operation Halted!\nThis action would create a duplicate joint";
inline const char* const kBothEnds = "Both ends of the member to be spliced must be visible on the screen.";
