// Linear static analysis of the model as a 3D rigid-jointed space frame.
#pragma once

// Lengths and direction cosines of every member.
void ComputeMemberGeometry();

class CFrameAnalysis {
public:
    CFrameAnalysis();
    ~CFrameAnalysis() = default;

    // 0 solved, 1 unstable, 2 displacement over a limit, 3 incorrect model,
    // 4 inadequate support.
    short Run();

    short m_nEquations = 0;
    short m_nFree = 0;
};
