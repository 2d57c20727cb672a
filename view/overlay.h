// The text lines written over the 3D picture: tool prompt, model weight,
// cursor and drag coordinates, guide-plane positions, number labels and
// the load reached by a breaking-force animation. Composed from the globals
// without drawing anything.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct OverlayText {
    int x, y;          // client position of the text's top left, pixels
    std::string text;
};

// Window position of a joint or member: 1 with the position, 0 when it
// does not project (ProjectJoint and ProjectMember in the program).
using ProjectFn = std::function<int(int, short&, short&)>;

// The lines in drawing order (a later line covers an earlier one at the
// same place). Labels go where the projections put them.
std::vector<OverlayText> ComposeOverlayText(const ProjectFn& projectJoint, const ProjectFn& projectMember);
