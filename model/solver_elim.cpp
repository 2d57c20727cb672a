// Blocked, multi-threaded Gauss-Jordan elimination in single precision.
//
// Every entry receives exactly the subtractions and the division of the
// textbook sequence (pivot row divided, then every other row minus its
// multiplier times the pivot row), in the same order; only the grouping
// into blocks of pivots and the spreading over threads differ. Work whose
// multiplier or pivot-row entry is exactly zero is skipped unless 'exact'
// is set: for finite values it changes at most the sign of a zero, which
// neither the pivot tests nor any sum that starts from zero can see.

#include <emmintrin.h>
#include <immintrin.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "model/solver.h"

namespace solver_internal {
EliminateFn g_pfnEliminate = nullptr;
bool g_bForceSse2 = false;
}  // namespace solver_internal

namespace {

constexpr int kBlock = 64;         // pivots per block
constexpr int kPanelRows = 64;     // rows per task when finding multipliers
constexpr int kPivotCols = 128;    // columns per task when updating pivot rows
constexpr int kTileRows = 32;      // rows per task of the trailing update
constexpr int kTileCols = 512;     // columns per task of the trailing update
constexpr int kThreadsFrom = 128;  // smallest system worth the threads

// ---------------------------------------------------------------- kernels

// x[j] = x[j] - f * p[j]
void AxpySse2(float* x, const float* p, float f, int len)
{
    const __m128 fv = _mm_set1_ps(f);
    int j = 0;
    for (; j + 4 <= len; j += 4)
        _mm_storeu_ps(x + j, _mm_sub_ps(_mm_loadu_ps(x + j), _mm_mul_ps(fv, _mm_loadu_ps(p + j))));
    for (; j < len; ++j) x[j] = x[j] - f * p[j];
}

// x[j] = x[j] / d, copied to out[j]
void DivideSse2(float* x, float* out, float d, int len)
{
    const __m128 dv = _mm_set1_ps(d);
    int j = 0;
    for (; j + 4 <= len; j += 4) {
        const __m128 v = _mm_div_ps(_mm_loadu_ps(x + j), dv);
        _mm_storeu_ps(x + j, v);
        _mm_storeu_ps(out + j, v);
    }
    for (; j < len; ++j) out[j] = x[j] = x[j] / d;
}

// For R rows r and columns j0..j1-1: for s = 0..k-1 in order,
// rows[r][j] = rows[r][j] - f[r][s] * p[s * ps + j].
template <int R>
void TileSse2(float* const* rows, const float* const* f, const float* p, std::size_t ps, int j0, int j1, int k)
{
    int j = j0;
    for (; j + 8 <= j1; j += 8) {
        __m128 a0[R], a1[R];
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) {
            a0[r] = _mm_loadu_ps(rows[r] + j);
            a1[r] = _mm_loadu_ps(rows[r] + j + 4);
        }
        const float* q = p + j;
        for (int s = 0; s < k; ++s, q += ps) {
            const __m128 p0 = _mm_loadu_ps(q);
            const __m128 p1 = _mm_loadu_ps(q + 4);
#pragma GCC unroll 8
            for (int r = 0; r < R; ++r) {
                const __m128 fv = _mm_set1_ps(f[r][s]);
                a0[r] = _mm_sub_ps(a0[r], _mm_mul_ps(fv, p0));
                a1[r] = _mm_sub_ps(a1[r], _mm_mul_ps(fv, p1));
            }
        }
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) {
            _mm_storeu_ps(rows[r] + j, a0[r]);
            _mm_storeu_ps(rows[r] + j + 4, a1[r]);
        }
    }
    for (; j < j1; ++j)
        for (int r = 0; r < R; ++r) {
            float v = rows[r][j];
            const float* q = p + j;
            for (int s = 0; s < k; ++s, q += ps) v = v - f[r][s] * *q;
            rows[r][j] = v;
        }
}

__attribute__((target("avx2"))) void AxpyAvx2(float* x, const float* p, float f, int len)
{
    const __m256 fv = _mm256_set1_ps(f);
    int j = 0;
    for (; j + 8 <= len; j += 8)
        _mm256_storeu_ps(x + j, _mm256_sub_ps(_mm256_loadu_ps(x + j), _mm256_mul_ps(fv, _mm256_loadu_ps(p + j))));
    for (; j < len; ++j) x[j] = x[j] - f * p[j];
}

__attribute__((target("avx2"))) void DivideAvx2(float* x, float* out, float d, int len)
{
    const __m256 dv = _mm256_set1_ps(d);
    int j = 0;
    for (; j + 8 <= len; j += 8) {
        const __m256 v = _mm256_div_ps(_mm256_loadu_ps(x + j), dv);
        _mm256_storeu_ps(x + j, v);
        _mm256_storeu_ps(out + j, v);
    }
    for (; j < len; ++j) out[j] = x[j] = x[j] / d;
}

template <int R>
__attribute__((target("avx2"))) void TileAvx2(float* const* rows, const float* const* f, const float* p,
                                              std::size_t ps, int j0, int j1, int k)
{
    int j = j0;
    for (; j + 16 <= j1; j += 16) {
        __m256 a0[R], a1[R];
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) {
            a0[r] = _mm256_loadu_ps(rows[r] + j);
            a1[r] = _mm256_loadu_ps(rows[r] + j + 8);
        }
        const float* q = p + j;
        for (int s = 0; s < k; ++s, q += ps) {
            const __m256 p0 = _mm256_loadu_ps(q);
            const __m256 p1 = _mm256_loadu_ps(q + 8);
#pragma GCC unroll 8
            for (int r = 0; r < R; ++r) {
                const __m256 fv = _mm256_set1_ps(f[r][s]);
                a0[r] = _mm256_sub_ps(a0[r], _mm256_mul_ps(fv, p0));
                a1[r] = _mm256_sub_ps(a1[r], _mm256_mul_ps(fv, p1));
            }
        }
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) {
            _mm256_storeu_ps(rows[r] + j, a0[r]);
            _mm256_storeu_ps(rows[r] + j + 8, a1[r]);
        }
    }
    for (; j + 8 <= j1; j += 8) {
        __m256 a0[R];
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) a0[r] = _mm256_loadu_ps(rows[r] + j);
        const float* q = p + j;
        for (int s = 0; s < k; ++s, q += ps) {
            const __m256 p0 = _mm256_loadu_ps(q);
#pragma GCC unroll 8
            for (int r = 0; r < R; ++r) a0[r] = _mm256_sub_ps(a0[r], _mm256_mul_ps(_mm256_set1_ps(f[r][s]), p0));
        }
#pragma GCC unroll 8
        for (int r = 0; r < R; ++r) _mm256_storeu_ps(rows[r] + j, a0[r]);
    }
    for (; j < j1; ++j)
        for (int r = 0; r < R; ++r) {
            float v = rows[r][j];
            const float* q = p + j;
            for (int s = 0; s < k; ++s, q += ps) v = v - f[r][s] * *q;
            rows[r][j] = v;
        }
}

using TileFn = void (*)(float* const*, const float* const*, const float*, std::size_t, int, int, int);

struct Kernels {
    void (*axpy)(float*, const float*, float, int);
    void (*divide)(float*, float*, float, int);
    TileFn tile[5];  // by number of rows, 1..4
};

const Kernels& PickKernels()
{
    static const Kernels sse2 = {AxpySse2, DivideSse2, {nullptr, TileSse2<1>, TileSse2<2>, TileSse2<3>, TileSse2<4>}};
    static const Kernels avx2 = {AxpyAvx2, DivideAvx2, {nullptr, TileAvx2<1>, TileAvx2<2>, TileAvx2<3>, TileAvx2<4>}};
    if (solver_internal::g_bForceSse2) return sse2;
    static const bool hasAvx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return hasAvx2 ? avx2 : sse2;
}

// ------------------------------------------------------------ thread pool

// Runs numbered tasks on the calling thread and a few workers; the workers
// live as long as the pool.
class TaskPool {
public:
    explicit TaskPool(int workers)
    {
        for (int i = 0; i < workers; ++i) {
            try {
                m_threads.emplace_back([this] { WorkerLoop(); });
            } catch (...) {
                break;  // fewer threads only make it slower
            }
        }
    }
    ~TaskPool()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads) t.join();
    }
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    void ParallelFor(int count, const std::function<void(int)>& fn)
    {
        if (count <= 0) return;
        if (m_threads.empty() || count == 1) {
            for (int i = 0; i < count; ++i) fn(i);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_fn = &fn;
            m_count = count;
            m_next.store(0, std::memory_order_relaxed);
            m_busy = static_cast<int>(m_threads.size());
            ++m_generation;
        }
        m_wake.notify_all();
        Drain(fn, count);
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done.wait(lock, [this] { return m_busy == 0; });
        m_fn = nullptr;
    }

private:
    void Drain(const std::function<void(int)>& fn, int count)
    {
        for (;;) {
            const int i = m_next.fetch_add(1, std::memory_order_relaxed);
            if (i >= count) return;
            fn(i);
        }
    }
    void WorkerLoop()
    {
        unsigned seen = 0;
        for (;;) {
            const std::function<void(int)>* fn;
            int count;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_quit || m_generation != seen; });
                if (m_quit) return;
                seen = m_generation;
                fn = m_fn;
                count = m_count;
            }
            Drain(*fn, count);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (--m_busy == 0) m_done.notify_one();
            }
        }
    }

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(int)>* m_fn = nullptr;
    int m_count = 0;
    int m_busy = 0;
    unsigned m_generation = 0;
    bool m_quit = false;
    std::atomic<int> m_next{0};
};

// ------------------------------------------------------------ elimination

struct Segment {
    float* m;        // matrix (row 0, column 0)
    const float* p;  // pivot rows of that matrix (step 0, column 0)
    int j0, j1;      // columns j0..j1-1
};

// Pivots are taken in blocks of up to kBlock. For each block the pivot rows'
// block columns are eliminated first, on one thread; then, in parallel, the
// pivot rows' other columns go through the block's steps and every other
// row finds its multipliers from its block columns; last, every row with a
// multiplier subtracts multiplier times pivot row for each step in turn,
// tile by tile.
class BlockedGaussJordan {
public:
    BlockedGaussJordan(float* a, float* b, int n, std::size_t stride, bool exact, TaskPool& pool)
        : m_a(a), m_b(b), m_n(n), m_stride(stride), m_exact(exact), m_pool(pool), m_kern(PickKernels()),
          m_pa(static_cast<std::size_t>(kBlock) * stride), m_pb(static_cast<std::size_t>(kBlock) * stride),
          m_f(static_cast<std::size_t>(n) * kBlock), m_active(static_cast<std::size_t>(n))
    {
    }

    int Run()
    {
        for (int l0 = 0; l0 < m_n;) {
            if (A(l0)[l0] == 0 && !Exchange(l0)) return Finish(l0 + 1);
            const int k = FactorDiagonalBlock(l0, std::min(kBlock, m_n - l0));
            UpdateBlock(l0, k);
            l0 += k;
        }
        return Finish(0);
    }

private:
    float* A(int row) const { return m_a + m_stride * static_cast<std::size_t>(row); }
    float* B(int row) const { return m_b + m_stride * static_cast<std::size_t>(row); }
    float* PA(int s) { return m_pa.data() + m_stride * static_cast<std::size_t>(s); }
    float* F(int row) { return m_f.data() + static_cast<std::size_t>(row) * kBlock; }

    // First later row with a non-zero entry in column l takes the place of row l.
    bool Exchange(int l)
    {
        int r = l + 1;
        while (r < m_n && A(r)[l] == 0) ++r;
        if (r >= m_n) return false;
        std::swap_ranges(A(l), A(l) + m_n, A(r));
        std::swap_ranges(B(l), B(l) + m_n, B(r));
        return true;
    }

    // Eliminates the k x k block of pivot rows and pivot columns l0.. in
    // full; stops the block before a pivot that has become exactly zero.
    // Leaves the pivots, the multipliers among the pivot rows and the
    // divided pivot rows' block columns.
    int FactorDiagonalBlock(int l0, int k)
    {
        for (;;) {
            for (int i = 0; i < k; ++i) std::memcpy(m_d[i], A(l0 + i) + l0, sizeof(float) * static_cast<std::size_t>(k));
            int t = 0;
            for (; t < k; ++t) {
                const float pivot = m_d[t][t];
                if (pivot == 0) break;
                m_pivot[t] = pivot;
                m_kern.divide(m_d[t], PA(t) + l0, pivot, k);
                for (int i = 0; i < k; ++i) {
                    if (i == t) continue;
                    const float f = m_d[i][t];
                    m_fp[i][t] = f;
                    m_kern.axpy(m_d[i], m_d[t], f, k);
                }
            }
            if (t == k) break;
            k = t;  // t > 0: the pivot of row l0 is not zero
        }
        for (int i = 0; i < k; ++i) std::memcpy(A(l0 + i) + l0, m_d[i], sizeof(float) * static_cast<std::size_t>(k));
        return k;
    }

    // Columns lo..hi (inclusive) outside which rows r0..r1-1 are all exactly zero.
    void NonZeroColumns(float* (BlockedGaussJordan::*row)(int) const, int r0, int r1, int& lo, int& hi) const
    {
        lo = m_n;
        hi = -1;
        for (int r = r0; r < r1; ++r) {
            const float* x = (this->*row)(r);
            int j = 0;
            while (j < lo && x[j] == 0) ++j;
            lo = std::min(lo, j);
            j = m_n - 1;
            while (j > hi && x[j] == 0) --j;
            hi = std::max(hi, j);
        }
    }

    void UpdateBlock(int l0, int k)
    {
        // Column segments that the pivot rows can reach, panel columns excluded.
        int aLo = 0, aHi = m_n - 1, bLo = 0, bHi = m_n - 1;
        if (!m_exact) {
            NonZeroColumns(&BlockedGaussJordan::A, l0, l0 + k, aLo, aHi);
            NonZeroColumns(&BlockedGaussJordan::B, l0, l0 + k, bLo, bHi);
        }
        std::vector<Segment> segs;
        auto addSeg = [&segs](float* m, const float* p, int j0, int j1) {
            if (j1 > j0) segs.push_back({m, p, j0, j1});
        };
        addSeg(m_a, m_pa.data(), aLo, std::min(aHi + 1, l0));
        addSeg(m_a, m_pa.data(), std::max(aLo, l0 + k), aHi + 1);
        addSeg(m_b, m_pb.data(), bLo, bHi + 1);

        // Pivot rows outside the panel, by column chunks; multipliers of the
        // other rows, by row chunks.
        struct Chunk {
            const Segment* seg;
            int j0, j1;
        };
        std::vector<Chunk> pivotChunks;
        for (const Segment& s : segs)
            for (int j = s.j0; j < s.j1; j += kPivotCols) pivotChunks.push_back({&s, j, std::min(j + kPivotCols, s.j1)});
        const int nPivotTasks = static_cast<int>(pivotChunks.size());
        const int nRowTasks = (m_n + kPanelRows - 1) / kPanelRows;
        m_pool.ParallelFor(nPivotTasks + nRowTasks, [&](int task) {
            if (task < nPivotTasks) {
                const Chunk& c = pivotChunks[static_cast<std::size_t>(task)];
                UpdatePivotRows(*c.seg, l0, k, c.j0, c.j1);
            } else {
                const int r0 = (task - nPivotTasks) * kPanelRows;
                FindMultipliers(l0, k, r0, std::min(r0 + kPanelRows, m_n));
            }
        });

        // Trailing update of every row that has a multiplier.
        m_rows.clear();
        for (int r = 0; r < m_n; ++r)
            if (m_active[static_cast<std::size_t>(r)]) m_rows.push_back(r);
        const int nActive = static_cast<int>(m_rows.size());
        if (nActive == 0) return;
        std::vector<Chunk> tileCols;
        for (const Segment& s : segs)
            for (int j = s.j0; j < s.j1; j += kTileCols) tileCols.push_back({&s, j, std::min(j + kTileCols, s.j1)});
        const int nColTasks = static_cast<int>(tileCols.size());
        const int nRowGroups = (nActive + kTileRows - 1) / kTileRows;
        m_pool.ParallelFor(nColTasks * nRowGroups, [&](int task) {
            const Chunk& c = tileCols[static_cast<std::size_t>(task % nColTasks)];
            const int g0 = (task / nColTasks) * kTileRows;
            const int g1 = std::min(g0 + kTileRows, nActive);
            for (int g = g0; g < g1; g += 4) {
                const int nr = std::min(4, g1 - g);
                float* rows[4];
                const float* fs[4];
                for (int r = 0; r < nr; ++r) {
                    const int row = m_rows[static_cast<std::size_t>(g + r)];
                    rows[r] = c.seg->m + m_stride * static_cast<std::size_t>(row);
                    fs[r] = F(row);
                }
                m_kern.tile[nr](rows, fs, c.seg->p, m_stride, c.j0, c.j1, k);
            }
        });
    }

    // Columns j0..j1-1 of pivot rows l0..l0+k-1 through the block's steps.
    // Row i takes steps 0..i-1, its division (which is pivot row i) and
    // steps i+1..k-1, in that order; the later steps wait until every
    // pivot row is known.
    void UpdatePivotRows(const Segment& seg, int l0, int k, int j0, int j1)
    {
        float* const p = const_cast<float*>(seg.p);
        auto row = [&](int i) { return seg.m + m_stride * static_cast<std::size_t>(l0 + i); };
        for (int i = 0; i < k; ++i) {
            float* x = row(i);
            const float* f = m_fp[i];
            if (i > 0) m_kern.tile[1](&x, &f, p, m_stride, j0, j1, i);
            m_kern.divide(x + j0, p + m_stride * static_cast<std::size_t>(i) + j0, m_pivot[i], j1 - j0);
        }
        for (int i = 0; i + 1 < k; ++i) {
            float* x = row(i);
            const float* f = m_fp[i] + i + 1;
            m_kern.tile[1](&x, &f, p + m_stride * static_cast<std::size_t>(i + 1), m_stride, j0, j1, k - i - 1);
        }
    }

    // Multipliers of rows r0..r1-1 (pivot rows excluded) for the block's
    // steps, with their panel columns brought through those steps.
    void FindMultipliers(int l0, int k, int r0, int r1)
    {
        for (int r = r0; r < r1; ++r) {
            char& active = m_active[static_cast<std::size_t>(r)];
            active = 0;
            if (r >= l0 && r < l0 + k) continue;
            float* v = A(r) + l0;
            if (!m_exact) {
                bool any = false;
                for (int u = 0; u < k && !any; ++u) any = v[u] != 0;
                if (!any) continue;
            }
            active = 1;
            float* f = F(r);
            for (int s = 0; s < k; ++s) {
                const float m = v[s];
                f[s] = m;
                // Entries left of the pivot column are zero in the pivot
                // row; start at a whole vector before it.
                const int u0 = m_exact ? 0 : (s & ~7);
                m_kern.axpy(v + u0, PA(s) + l0 + u0, m, k - u0);
            }
        }
    }

    // In skipping mode an infinity or NaN means the skipped work might have
    // mattered; it never leaves the matrices once it is there.
    int Finish(int code)
    {
        if (m_exact) return code;
        const int nTasks = (m_n + kPanelRows - 1) / kPanelRows;
        std::atomic<bool> bad{false};
        m_pool.ParallelFor(nTasks, [&](int task) {
            const int r0 = task * kPanelRows;
            const int r1 = std::min(r0 + kPanelRows, m_n);
            // x - x is +0 for every finite x and NaN otherwise.
            __m128 acc = _mm_setzero_ps();
            for (int r = r0; r < r1; ++r)
                for (const float* x : {static_cast<const float*>(A(r)), static_cast<const float*>(B(r))}) {
                    int j = 0;
                    for (; j + 4 <= m_n; j += 4) {
                        const __m128 v = _mm_loadu_ps(x + j);
                        acc = _mm_or_ps(acc, _mm_sub_ps(v, v));
                    }
                    for (; j < m_n; ++j) {
                        const __m128 v = _mm_set_ss(x[j]);
                        acc = _mm_or_ps(acc, _mm_sub_ps(v, v));
                    }
                }
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_castps_si128(acc), _mm_setzero_si128())) != 0xffff)
                bad.store(true, std::memory_order_relaxed);
        });
        return bad.load() ? -1 : code;
    }

    float* m_a;
    float* m_b;
    int m_n;
    std::size_t m_stride;
    bool m_exact;
    TaskPool& m_pool;
    const Kernels& m_kern;
    std::vector<float> m_pa;     // divided pivot rows of a, by step
    std::vector<float> m_pb;     // divided pivot rows of b, by step
    std::vector<float> m_f;      // multipliers, kBlock per row
    std::vector<char> m_active;  // row has a non-zero multiplier in this block
    std::vector<int> m_rows;
    float m_d[kBlock][kBlock] = {};
    float m_fp[kBlock][kBlock] = {};
    float m_pivot[kBlock] = {};
};

int WorkerCount(int n)
{
    if (n < kThreadsFrom) return 0;
    const unsigned hw = std::thread::hardware_concurrency();
    return static_cast<int>(std::min(hw == 0 ? 1u : hw, 8u)) - 1;
}

}  // namespace

namespace solver_internal {

void ClearMatrices(float* a, float* b, int n, std::size_t stride)
{
    if (n <= 0) return;
    TaskPool pool(WorkerCount(n));
    const int nTasks = (n + kPanelRows - 1) / kPanelRows;
    pool.ParallelFor(nTasks, [&](int task) {
        const int r0 = task * kPanelRows;
        const int r1 = std::min(r0 + kPanelRows, n);
        const std::size_t offset = stride * static_cast<std::size_t>(r0);
        const std::size_t count = stride * static_cast<std::size_t>(r1 - r0);
        std::fill(a + offset, a + offset + count, 0.0f);
        std::fill(b + offset, b + offset + count, 0.0f);
        for (int r = r0; r < r1; ++r) b[stride * static_cast<std::size_t>(r) + static_cast<std::size_t>(r)] = 1.0f;
    });
}

int Eliminate(float* a, float* b, int n, std::size_t stride, bool exact)
{
    if (n <= 0) return 0;
    TaskPool pool(WorkerCount(n));
    auto gj = std::make_unique<BlockedGaussJordan>(a, b, n, stride, exact, pool);
    return gj->Run();
}

}  // namespace solver_internal
