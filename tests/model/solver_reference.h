// Plain Gauss-Jordan elimination, the sequence the solver has to reproduce
// bit for bit, and a lattice tower model for solver tests and benchmarks.
#pragma once

#include <algorithm>
#include <cstddef>

#include "model/tables.h"

namespace solver_reference {

// Row exchanges made by the reference elimination since the last reset.
inline int g_nExchanges = 0;

// Step l (0-based) of the elimination: returns 0, or l + 1 when no row at or
// below l has a non-zero entry in column l.
inline int Step(float* a, float* b, int n, std::size_t stride, int l)
{
    float* pa = a + stride * static_cast<std::size_t>(l);
    float* pb = b + stride * static_cast<std::size_t>(l);
    if (pa[l] == 0) {
        int r = l + 1;
        while (r < n && a[stride * static_cast<std::size_t>(r) + static_cast<std::size_t>(l)] == 0) ++r;
        if (r >= n) return l + 1;
        std::swap_ranges(pa, pa + n, a + stride * static_cast<std::size_t>(r));
        std::swap_ranges(pb, pb + n, b + stride * static_cast<std::size_t>(r));
        ++g_nExchanges;
    }
    const float pivot = pa[l];
    for (int j = 0; j < n; ++j) {
        pa[j] = pa[j] / pivot;
        pb[j] = pb[j] / pivot;
    }
    for (int m = 0; m < n; ++m) {
        if (m == l) continue;
        float* ra = a + stride * static_cast<std::size_t>(m);
        float* rb = b + stride * static_cast<std::size_t>(m);
        const float f = ra[l];
        for (int j = 0; j < n; ++j) {
            ra[j] = ra[j] - f * pa[j];
            rb[j] = rb[j] - f * pb[j];
        }
    }
    return 0;
}

inline int Eliminate(float* a, float* b, int n, std::size_t stride)
{
    for (int l = 0; l < n; ++l) {
        const int r = Step(a, b, n, stride, l);
        if (r != 0) return r;
    }
    return 0;
}

// Square lattice tower: 4 joints per level (fixed at level 0), vertical
// chords, a horizontal ring on every level and one diagonal per storey on
// faces taken in turn; shape and material rows 1 must be filled. Loads go
// on the top level.
inline void BuildLatticeTower(int levels, float width, float storey, float loadX, float loadY, float loadZ)
{
    const float cx[4] = {0, width, width, 0};
    const float cz[4] = {0, 0, width, width};
    g_nJoints = 0;
    g_nMembers = 0;
    for (int lv = 0; lv < levels; ++lv)
        for (int c = 0; c < 4; ++c) {
            JointRec& j = g_Joints[++g_nJoints];
            j = JointRec();
            j.x = cx[c];
            j.y = static_cast<float>(lv) * storey;
            j.z = cz[c];
            const short held = lv == 0 ? 1 : 0;
            j.restraintTX = j.restraintTY = j.restraintTZ = held;
            j.restraintRX = j.restraintRY = j.restraintRZ = held;
            if (lv == levels - 1) {
                j.forceX = loadX;
                j.forceY = loadY;
                j.forceZ = loadZ;
            }
        }
    auto add = [](int a, int b) {
        MemberRec& m = g_Members[++g_nMembers];
        m = MemberRec();
        m.jointA = static_cast<short>(a);
        m.jointB = static_cast<short>(b);
    };
    for (int lv = 0; lv < levels; ++lv) {
        const int base = 4 * lv + 1;
        for (int c = 0; c < 4; ++c) add(base + c, base + (c + 1) % 4);
        if (lv + 1 < levels) {
            for (int c = 0; c < 4; ++c) add(base + c, base + 4 + c);
            const int face = lv % 4;
            add(base + face, base + 4 + (face + 1) % 4);
        }
    }
}

}  // namespace solver_reference
