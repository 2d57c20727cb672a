#include "model/solver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "model/tables.h"
#include "model/units.h"

namespace {

bool ValidJoint(int j, int nJoints) { return j >= 1 && j <= nJoints; }
bool ValidRow(int row) { return row >= 0 && row < TABLE_ROWS; }

// Six results of a joint in freedom order.
void GetJointResults(const JointRec& j, float* d)
{
    d[0] = j.dispX;
    d[1] = j.dispY;
    d[2] = j.dispZ;
    d[3] = j.rotX;
    d[4] = j.rotY;
    d[5] = j.rotZ;
}

// Leaves new elements uninitialised, so that the threads that clear a work
// matrix are the first to touch its pages.
template <class T>
struct UninitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitAllocator<U>;
    };
    UninitAllocator() = default;
    template <class U>
    UninitAllocator(const UninitAllocator<U>&) noexcept
    {
    }
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// Square work matrix, rows padded to whole cache lines, aligned to 64 bytes.
struct WorkMatrix {
    std::vector<float, UninitAllocator<float>> storage;
    float* data = nullptr;
    std::size_t stride = 0;

    explicit WorkMatrix(int n)
    {
        stride = (static_cast<std::size_t>(n) + 15) & ~static_cast<std::size_t>(15);
        storage.resize(stride * static_cast<std::size_t>(n) + 16);
        const auto addr = reinterpret_cast<std::uintptr_t>(storage.data());
        data = storage.data() + ((64 - addr % 64) % 64) / sizeof(float);
    }
    float* Row(int i) { return data + stride * static_cast<std::size_t>(i); }
};

}  // namespace

void ComputeMemberGeometry()
{
    const int nJoints = JointCount();
    const int nMembers = MemberCount();
    for (int i = 1; i <= nMembers; ++i) {
        MemberRec& m = g_Members[i];
        if (!ValidJoint(m.jointA, nJoints) || !ValidJoint(m.jointB, nJoints)) continue;
        const JointRec& a = g_Joints[m.jointA];
        const JointRec& b = g_Joints[m.jointB];
        const float dx = b.x - a.x;
        const float dy = b.y - a.y;
        const float dz = b.z - a.z;
        m.length = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (m.length == 0) {
            // A joint to itself has no direction.
            m.cosX = m.cosY = m.cosZ = 0;
        } else {
            m.cosX = dx / m.length;
            m.cosY = dy / m.length;
            m.cosZ = dz / m.length;
        }
    }
}

CFrameAnalysis::CFrameAnalysis()
{
    m_nJointCount = JointCount();
    m_nMemberCount = MemberCount();
    m_nEquations = static_cast<short>((m_nJointCount + 2) * 6);
    g_bModelFailed = 0;
    g_bMemberFailed = 0;
}

short CFrameAnalysis::Run()
{
    ComputeMemberGeometry();
    short code = AssembleAndSolve();
    if (code != 0) return code;
    code = CheckDisplacements();
    if (code != 0) return code;
    ComputeMemberForces();
    return 0;
}

void CFrameAnalysis::BuildLocalStiffness(int member)
{
    const MemberRec& m = g_Members[member];
    const MaterialRec& mat = g_Materials[m.material];
    const ShapeRec& sh = g_Shapes[m.shape];
    const float E = mat.youngsModulus;
    const float G = mat.shearModulus;
    const float L = m.length;
    const float L2 = L * L;
    const float L3 = L2 * L;

    std::memset(m_k, 0, sizeof(m_k));

    const float ea = E * sh.area / L;
    m_k[0][0] = ea;
    m_k[6][6] = ea;
    m_k[0][6] = 0.0f - ea;
    m_k[6][0] = 0.0f - ea;

    if (m.useTorsion == 1) {
        const float gj = G * sh.torsionConst / L;
        m_k[3][3] = gj;
        m_k[9][9] = gj;
        m_k[3][9] = 0.0f - gj;
        m_k[9][3] = 0.0f - gj;
    }

    // One bending plane: freedoms v1, t1, v2, t2 (0-based); the xz plane
    // has the opposite sign on the terms that couple a shear to a rotation.
    auto bending = [this, E, L, L2, L3](float I, short start, short end, int v1, int t1, int v2, int t2,
                                        bool xz) {
        const float ei = E * I;
        float kvv = 0, kvt1 = 0, kvt2 = 0, kt1t1 = 0, kt1t2 = 0, kt2t2 = 0;
        if (start == 1 && end == 1) {
            kvv = 12.0f * ei / L3;
            kvt1 = 6.0f * ei / L2;
            kvt2 = 6.0f * ei / L2;
            kt1t1 = 4.0f * ei / L;
            kt1t2 = 2.0f * ei / L;
            kt2t2 = 4.0f * ei / L;
        } else if (start == 1 && end == 0) {
            kvv = 3.0f * ei / L3;
            kvt1 = 3.0f * ei / L2;
            kt1t1 = 3.0f * ei / L;
        } else if (start == 0 && end == 1) {
            kvv = 3.0f * ei / L3;
            kvt2 = 3.0f * ei / L2;
            kt2t2 = 3.0f * ei / L;
        } else {
            return;
        }
        // 0 - x keeps absent terms +0.
        const float s1 = xz ? 0.0f - kvt1 : kvt1;
        const float s2 = xz ? 0.0f - kvt2 : kvt2;
        m_k[v1][v1] = kvv;
        m_k[v1][t1] = s1;
        m_k[v1][v2] = 0.0f - kvv;
        m_k[v1][t2] = s2;
        m_k[t1][t1] = kt1t1;
        m_k[t1][v2] = 0.0f - s1;
        m_k[t1][t2] = kt1t2;
        m_k[v2][v2] = kvv;
        m_k[v2][t2] = 0.0f - s2;
        m_k[t2][t2] = kt2t2;
        const int idx[4] = {v1, t1, v2, t2};
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) m_k[idx[b]][idx[a]] = m_k[idx[a]][idx[b]];
    };
    bending(sh.inertiaZZ, m.momentZZ1, m.momentZZ2, 1, 5, 7, 11, false);
    bending(sh.inertiaYY, m.momentYY1, m.momentYY2, 2, 4, 8, 10, true);
}

void CFrameAnalysis::BuildRotation(int member)
{
    const MemberRec& m = g_Members[member];
    std::memset(m_r, 0, sizeof(m_r));

    const float cx = m.cosX;
    const float cy = m.cosY;
    const float cz = m.cosZ;
    const float a = m.rollAngle / kDegreesPerRadian;
    const float ca = std::cos(a);
    const float sa = std::sin(a);

    float lambda[3][3];
    lambda[0][0] = cx;
    lambda[0][1] = cy;
    lambda[0][2] = cz;
    const float xz = cx * cx + cz * cz;
    if (xz != 0) {
        const float c = std::sqrt(xz);
        lambda[1][0] = (-cx * cy * ca - cz * sa) / c;
        lambda[1][1] = c * ca;
        lambda[1][2] = (cx * sa - cy * cz * ca) / c;
        lambda[2][0] = (cx * cy * sa - cz * ca) / c;
        lambda[2][1] = -c * sa;
        lambda[2][2] = (cx * ca + cy * cz * sa) / c;
    } else {
        const float d = std::sqrt(cx * cx + cy * cy);
        if (d == 0) return;
        lambda[1][0] = (-cx * cz * sa - cy * ca) / d;
        lambda[1][1] = (cx * ca - cy * cz * sa) / d;
        lambda[1][2] = d * sa;
        lambda[2][0] = (cy * sa - cx * cz * ca) / d;
        lambda[2][1] = (-cy * cz * ca - cx * sa) / d;
        lambda[2][2] = d * ca;
    }
    for (int blk = 0; blk < 4; ++blk)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m_r[3 * blk + i][3 * blk + j] = lambda[i][j];
}

void CFrameAnalysis::BuildMemberGlobalStiffness(int member)
{
    BuildRotation(member);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) m_rt[i][j] = m_r[j][i];
    BuildLocalStiffness(member);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
            float s = 0;
            for (int q = 0; q < 12; ++q) s += m_rt[i][q] * m_k[q][j];
            m_rtk[i][j] = s;
        }
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
            float s = 0;
            for (int q = 0; q < 12; ++q) s += m_rtk[i][q] * m_r[q][j];
            m_kg[i][j] = s;
        }
}

short CFrameAnalysis::AssembleAndSolve()
{
    const int nJoints = m_nJointCount;
    const int nDof = 6 * nJoints;

    // Load vector.
    std::vector<float> load(static_cast<std::size_t>(nDof));
    for (int j = 1; j <= nJoints; ++j) {
        const JointRec& jt = g_Joints[j];
        float* l = &load[static_cast<std::size_t>(6 * (j - 1))];
        l[0] = jt.forceX + jt.windLoad;
        l[1] = jt.forceY + jt.truckLoad + jt.selfWeightLoad;
        l[2] = jt.forceZ + jt.extraLoadZ;
        l[3] = jt.momentX;
        l[4] = jt.momentY;
        l[5] = jt.momentZ;
        if (g_bUniformTestLoads == 1) {
            const float u = g_bMetricUnits ? 2.225f : 0.5f;
            for (int d = 0; d < 6; ++d) l[d] = u;
        }
    }

    // Equation numbers.
    std::vector<short> eq(static_cast<std::size_t>(nDof));
    m_nFree = 0;
    int restrained = 0;
    for (int j = 1; j <= nJoints; ++j) {
        const JointRec& jt = g_Joints[j];
        const short flags[6] = {jt.restraintTX, jt.restraintTY, jt.restraintTZ,
                                jt.restraintRX, jt.restraintRY, jt.restraintRZ};
        for (int d = 0; d < 6; ++d) {
            short& e = eq[static_cast<std::size_t>(6 * (j - 1) + d)];
            if (flags[d] == 0) {
                e = m_nFree++;
            } else {
                e = -1;
                ++restrained;
            }
        }
    }
    if (restrained < 6) return 4;

    // A member that names a missing joint, shape or material cannot be built.
    for (int i = 1; i <= m_nMemberCount; ++i) {
        const MemberRec& m = g_Members[i];
        if (m.negated != 0) continue;
        if (!ValidJoint(m.jointA, nJoints) || !ValidJoint(m.jointB, nJoints) || !ValidRow(m.shape) ||
            !ValidRow(m.material))
            return 3;
    }

    const int n = m_nFree;
    WorkMatrix a(n);
    WorkMatrix b(n);

    // Reduced stiffness matrix, added member by member in place of the full one.
    auto assemble = [&]() {
        solver_internal::ClearMatrices(a.data, b.data, n, a.stride);
        for (int i = 1; i <= m_nMemberCount; ++i) {
            const MemberRec& m = g_Members[i];
            if (m.negated != 0) continue;
            BuildMemberGlobalStiffness(i);
            const int joints[2] = {m.jointA, m.jointB};
            for (int p = 0; p < 2; ++p)
                for (int q = 0; q < 2; ++q)
                    for (int r = 0; r < 6; ++r) {
                        const short er = eq[static_cast<std::size_t>(6 * (joints[p] - 1) + r)];
                        if (er < 0) continue;
                        float* row = a.Row(er);
                        for (int c = 0; c < 6; ++c) {
                            const short ec = eq[static_cast<std::size_t>(6 * (joints[q] - 1) + c)];
                            if (ec < 0) continue;
                            row[ec] += m_kg[6 * p + r][6 * q + c];
                        }
                    }
        }
    };

    std::vector<float> reducedLoad(static_cast<std::size_t>(n));
    for (int d = 0; d < nDof; ++d)
        if (eq[static_cast<std::size_t>(d)] >= 0)
            reducedLoad[static_cast<std::size_t>(eq[static_cast<std::size_t>(d)])] = load[static_cast<std::size_t>(d)];

    assemble();
    int result;
    if (solver_internal::g_pfnEliminate != nullptr) {
        result = solver_internal::g_pfnEliminate(a.data, b.data, n, a.stride);
    } else {
        result = solver_internal::Eliminate(a.data, b.data, n, a.stride, false);
        if (result < 0) {
            assemble();
            result = solver_internal::Eliminate(a.data, b.data, n, a.stride, true);
        }
    }
    if (result > 0) {
        // Mark the joint owning the equation that found no pivot.
        for (int d = 0; d < nDof; ++d)
            if (eq[static_cast<std::size_t>(d)] == result - 1) {
                g_Joints[d / 6 + 1].mark = 1;
                break;
            }
        return 1;
    }
    for (int i = 0; i < n; ++i)
        if (a.Row(i)[i] != 1.0f) return 3;

    // Displacements = inverse x loads; eight rows at a time, each summed in
    // column order.
    std::vector<float> x(static_cast<std::size_t>(n));
    const float* f = reducedLoad.data();
    int m = 0;
    for (; m + 8 <= n; m += 8) {
        float s[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        const float* rows[8];
        for (int r = 0; r < 8; ++r) rows[r] = b.Row(m + r);
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < 8; ++r) s[r] += rows[r][c] * f[c];
        for (int r = 0; r < 8; ++r) x[static_cast<std::size_t>(m + r)] = s[r];
    }
    for (; m < n; ++m) {
        float s = 0;
        const float* row = b.Row(m);
        for (int c = 0; c < n; ++c) s += row[c] * f[c];
        x[static_cast<std::size_t>(m)] = s;
    }

    for (int j = 1; j <= nJoints; ++j) {
        JointRec& jt = g_Joints[j];
        float* out[6] = {&jt.dispX, &jt.dispY, &jt.dispZ, &jt.rotX, &jt.rotY, &jt.rotZ};
        for (int d = 0; d < 6; ++d) {
            const short e = eq[static_cast<std::size_t>(6 * (j - 1) + d)];
            *out[d] = e < 0 ? 0.0f : x[static_cast<std::size_t>(e)];
        }
    }
    return 0;
}

short CFrameAnalysis::CheckDisplacements()
{
    const int nJoints = m_nJointCount;
    short code = 0;
    for (int c = 0; c < 6; ++c) {
        float best = 0;
        int bestJoint = 0;
        for (int j = 1; j <= nJoints; ++j) {
            float d[6];
            GetJointResults(g_Joints[j], d);
            const float v = std::fabs(d[c]);
            // A value that is not a number counts as the largest.
            const bool larger = bestJoint == 0 || (std::isnan(v) && !std::isnan(best)) || v > best;
            if (larger) {
                best = v;
                bestJoint = j;
            }
        }
        if (bestJoint != 0 && !(best <= g_fDisplacementLimits[c])) {
            g_Joints[bestJoint].mark = 1;
            code = 2;
        }
    }
    return code;
}

void CFrameAnalysis::ComputeMemberForces()
{
    for (int i = 1; i <= m_nMemberCount; ++i) {
        MemberRec& m = g_Members[i];
        if (m.negated != 0) {
            for (float& f : m.endForces) f = 0;
            continue;
        }
        GetJointResults(g_Joints[m.jointA], m_dGlobal);
        GetJointResults(g_Joints[m.jointB], m_dGlobal + 6);
        BuildRotation(i);
        for (int r = 0; r < 12; ++r) {
            float s = 0;
            for (int q = 0; q < 12; ++q) s += m_r[r][q] * m_dGlobal[q];
            m_dLocal[r] = s;
        }
        BuildLocalStiffness(i);
        for (int r = 0; r < 12; ++r) {
            float s = 0;
            for (int q = 0; q < 12; ++q) s += m_k[r][q] * m_dLocal[q];
            m_fLocal[r] = s;
        }
        for (int r = 0; r < 12; ++r) m.endForces[r] = m_fLocal[r];

        if (g_bIncludeEccentricity) {
            auto grow = [](float& moment, float amount) {
                if (moment >= 0)
                    moment += amount;
                else
                    moment -= amount;
            };
            grow(m.endForces[EF_M1YY], std::fabs(m.offsetZ * m.endForces[EF_AXIAL1]));
            grow(m.endForces[EF_M2YY], std::fabs(m.offsetZ * m.endForces[EF_AXIAL2]));
            grow(m.endForces[EF_M1ZZ], std::fabs(m.offsetY * m.endForces[EF_AXIAL1]));
            grow(m.endForces[EF_M2ZZ], std::fabs(m.offsetY * m.endForces[EF_AXIAL2]));
        }
    }
}
