// Linear static analysis of the model as a 3D rigid-jointed space frame.
#pragma once

#include <cstddef>

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

private:
    short AssembleAndSolve();
    short CheckDisplacements();
    void ComputeMemberForces();

    void BuildLocalStiffness(int member);
    void BuildRotation(int member);
    void BuildMemberGlobalStiffness(int member);

    int m_nJointCount = 0;   // g_nJoints, kept within the table
    int m_nMemberCount = 0;  // g_nMembers, kept within the table

    // Member work matrices and vectors, 0-based (row 0 = local freedom 1).
    float m_k[12][12] = {};
    float m_r[12][12] = {};
    float m_rt[12][12] = {};
    float m_rtk[12][12] = {};
    float m_kg[12][12] = {};
    float m_dGlobal[12] = {};
    float m_dLocal[12] = {};
    float m_fLocal[12] = {};
};

// Gauss-Jordan elimination used by the solver, open to tests and benchmarks.
namespace solver_internal {

// Eliminates a (n x n, rows 'stride' floats apart) beside b, which must hold
// the identity. Returns 0 when done, or l + 1 when column l (0-based) has no
// non-zero pivot at or below row l (the elimination stops there).
// With exact = false work on operands that are exactly zero is skipped; this
// can only differ from the full sequence once an infinity or NaN appears,
// and then -1 is returned: restart from the original matrices with exact.
int Eliminate(float* a, float* b, int n, std::size_t stride, bool exact);

// Sets a (n x n, rows 'stride' floats apart, padding included) to zero and
// b to the identity.
void ClearMatrices(float* a, float* b, int n, std::size_t stride);

// Test hooks: a replacement elimination (same contract, no -1), and a switch
// that keeps the elimination off the AVX2 kernels.
using EliminateFn = int (*)(float* a, float* b, int n, std::size_t stride);
extern EliminateFn g_pfnEliminate;
extern bool g_bForceSse2;

}  // namespace solver_internal
