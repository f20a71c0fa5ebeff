// Eigenvalues and eigenvectors of a real symmetric matrix by the cyclic
// Jacobi method (vpvpsy).
//
// Each sweep visits every pair (p, q), p < q, in row order and applies the
// symmetric reflection [[c, s], [s, -c]] chosen to annihilate A(p, q); no
// pair is skipped for being small. The iteration stops when a sweep moves
// the diagonal by at most EPS (Euclidean norm of the change), or after the
// sweep limit. The eigenvalues are then ordered decreasingly by a bubble
// sort that moves the eigenvector columns along.
//
// Off-diagonal norms (the initial S and the final OFFNRM) sum the squares of
// the entries column by column, entries of modulus below EPS counting as
// zero. The values written by a transformation are computed in exactly the
// order stated below, so results are reproducible to the last bit.
//
// Out-of-range arguments: EPS <= 0 or not a number gives IER = 11; LDA < N
// (with N >= 1) gives IER = 12; in both cases only IER and NSWEEP (0) are
// written. N <= 0 computes nothing but OFFNRM = 0.
//
// How the sweep is organised for speed (every entry still receives the same
// updates, with the same operands, in the same order as in plain pair-by-pair
// processing, so every result is the same to the bit):
//  - Each pair's coefficients form a long dependent chain (two roots and two
//    divisions), and consecutive pairs of a row depend on each other through
//    A(p, p). Rows are therefore taken two at a time: in step y the first row
//    handles its pair (P, y) and the second row at once its pair (P+1, y).
//    The parts of a second-row transformation that an unfinished first-row
//    pair must see first are put off: row y of the pairs (P+1, x), x < y,
//    until (P, y) is done (they are the short scalar "fold" below), and row P
//    until the end of the two rows. The two chains then run side by side.
//  - A is updated column by column; the mirror into rows is written only
//    where a later column update of the same sweep reads it, the rest once at
//    the end of the two rows.
//  - Orders 5 to 12 work on a copy padded to a multiple of four rows, so
//    column updates are whole 4-wide vectors, in a build for AVX2 (the same
//    operations as the plain build: AVX2 alone has no fused multiply-add),
//    taken when the processor has it. Otherwise, and for larger orders, the
//    matrix is swept in place one row at a time. Orders 1 to 4 are unrolled
//    and kept in registers.
#include "numeric/jacobi_eigen.hpp"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "frame/frame.hpp"
#include "vcbm_frame.h"
#include "vcbm_numeric.h"

namespace vcbm {

int jacobi_sweep_limit(double eps, double s, int n, int nitnr) noexcept {
    // The power is a real raised to an integer, by repeated squaring.
    const double shrink = __builtin_powi(1.0 - 1.0 / n, n);
    const double bound = std::log(eps / s) / std::log(shrink) + 2.0;
    if (!(bound < static_cast<double>(nitnr))) return nitnr;
    if (bound < 1.0) return 1;  // one sweep runs in any case
    return static_cast<int>(bound);
}

}  // namespace vcbm

namespace {

using std::ptrdiff_t;

#define VCBM_INLINE [[gnu::always_inline]] inline

typedef double v2 __attribute__((vector_size(16)));
typedef double v4 __attribute__((vector_size(32)));
typedef long long v4i __attribute__((vector_size(32)));
typedef long long v2i __attribute__((vector_size(16)));

// The correctly rounded square root, as std::sqrt, but without the library
// call that std::sqrt keeps for negative arguments (to set errno): in the
// chain of one pair the call path costs registers and code for nothing.
VCBM_INLINE double root(double x) noexcept {
#if defined(__SSE2__)
    const __m128d v = _mm_set1_pd(x);
    return _mm_cvtsd_f64(_mm_sqrt_sd(v, v));
#else
    return std::sqrt(x);
#endif
}

// The transformation of one pair: its coefficients and the new values of
// the pair's own four entries.
struct Reflection {
    double c, s;
    double app, aqq, off;  // new A(p, p), A(q, q), A(p, q) = A(q, p)
};

// Coefficients for the current entries app = A(p, p), aqq = A(q, q),
// apq = A(p, q).
VCBM_INLINE Reflection reflection(double app, double aqq, double apq, double eps, double sqrt_eps) noexcept {
    const double delta = app - aqq;
    const double tau = 2.0 * apq;
    // +1 when delta.tau >= 0, else -1: formed without a branch, whose
    // direction would follow the signs of the data.
    const v2 dt = {delta * tau, 0.0};
    const v2 two = reinterpret_cast<v2>((dt >= v2{0.0, 0.0}) & reinterpret_cast<v2i>(v2{2.0, 2.0}));
    const double sigma = two[0] - 1.0;
    double t = 1.0e30;
    double h = 0.0;
    double c;
    if (std::fabs(delta) > eps) {
        t = tau / delta;
        const double t2p1 = t * t + 1.0;
        if (t2p1 == 1.0) {
            // sqrt(1) = 1, 0.5 / 1 = 0.5 and sqrt(0.5 + 0.5) = 1, all exact:
            // the near-converged sweeps skip two roots and a division.
            h = 0.5;
            c = 1.0;
        } else {
            h = 0.5 / root(t2p1);
            c = root(h + 0.5);
        }
    } else {
        c = root(h + 0.5);
    }
    double s;
    double s2;
    if (std::fabs(t) <= sqrt_eps) {  // small angle
        s = t / 2.0;
        s2 = s * s;
    } else {  // includes the 45-degree case |delta| <= eps
        s = sigma * root(0.5 - h);
        s2 = 1.0 - c * c;
    }
    const double cc = c * c;
    const double m = tau * c * s;
    return {c, s, app * cc + aqq * s2 + m, app * s2 + aqq * cc - m, (s2 - cc) * apq + delta * c * s};
}

// x := c.x + s.y, y := s.x - c.y, one slice of as many rows as the vector
// type V holds (4 or 2).
template <class V>
VCBM_INLINE void reflect_slice(double* x, double* y, const V& c, const V& s) noexcept {
    V xr, yr;
    std::memcpy(&xr, x, sizeof xr);
    std::memcpy(&yr, y, sizeof yr);
    const V nx = c * xr + s * yr;
    const V ny = s * xr - c * yr;
    std::memcpy(x, &nx, sizeof nx);
    std::memcpy(y, &ny, sizeof ny);
}

// The same, one row.
VCBM_INLINE void reflect1(double* x, double* y, double c, double s) noexcept {
    const double xr = *x;
    const double yr = *y;
    *x = c * xr + s * yr;
    *y = s * xr - c * yr;
}

// dst[k * stride] = src[k], k < count (a column into a row). The counts are
// a few entries, so a plain loop: the empty asm statement keeps the compiler
// from making it a vector loop with a long set-up and tail.
VCBM_INLINE void copy_to_row(const double* src, double* dst, ptrdiff_t count, ptrdiff_t stride) noexcept {
    for (const double* end = src + count; src < end; ++src, dst += stride) {
        asm("" : "+r"(dst));
        *dst = *src;
    }
}

// Largest order worked on in padded local storage (orders 5 and up).
constexpr ptrdiff_t local_max = 12;

// The working matrix A (both triangles) and V, column-major with leading
// dimension ld. NV > 0: local storage of 4 NV rows per column (padding rows
// are zero and take part harmlessly in the column updates); NV == 0: the
// caller's arrays, n rows.
template <int NV>
struct Sweeper {
    double* a;
    double* v;
    ptrdiff_t lda;  // leading dimension when NV == 0
    ptrdiff_t n;
    double eps, sqrt_eps;

    static constexpr ptrdiff_t local_ld = 4 * NV;
    ptrdiff_t ld() const noexcept {
        if constexpr (NV > 0) return local_ld;
        return lda;
    }
    double& at(ptrdiff_t i, ptrdiff_t j) const noexcept { return a[j * ld() + i]; }
    double* col(ptrdiff_t j) const noexcept { return a + j * ld(); }

    // Column update of whole columns x and y.
    VCBM_INLINE void reflect(double* x, double* y, double c, double s) const noexcept {
        if constexpr (NV > 0) {
            const v4 cv = {c, c, c, c}, sv = {s, s, s, s};
            for (int k = 0; k < NV; ++k) reflect_slice(x + 4 * k, y + 4 * k, cv, sv);
        } else {
            // The plain build: pairs of rows (4-wide vectors would be split).
            const v2 cv = {c, c}, sv = {s, s};
            ptrdiff_t r = 0;
            for (; r + 2 <= n; r += 2) reflect_slice(x + r, y + r, cv, sv);
            if (r < n) reflect1(x + r, y + r, c, s);
        }
    }

    // Column update of rows [0, rows) only, 0 < rows < n (local storage).
    VCBM_INLINE void reflect_head(double* x, double* y, ptrdiff_t rows, double c, double s) const noexcept {
        static_assert(NV > 0);
        const v4 cv = {c, c, c, c}, sv = {s, s, s, s};
        ptrdiff_t r = 0;
        for (; r + 4 <= rows; r += 4) reflect_slice(x + r, y + r, cv, sv);
        if (r == rows) return;
        // The last slice lies inside the padded column: blend.
        const long long left = rows - r;
        const v4i keep = v4i{0, 1, 2, 3} >= v4i{left, left, left, left};
        v4 xr, yr;
        std::memcpy(&xr, x + r, sizeof xr);
        std::memcpy(&yr, y + r, sizeof yr);
        const v4 nx = keep ? xr : cv * xr + sv * yr;
        const v4 ny = keep ? yr : sv * xr - cv * yr;
        std::memcpy(x + r, &nx, sizeof nx);
        std::memcpy(y + r, &ny, sizeof ny);
    }

    // The coefficients of (p, q) from the entries in memory. Out of line:
    // it is used where they are computed ahead of need, off the chains.
    [[gnu::noinline]] Reflection from_memory(ptrdiff_t p, ptrdiff_t q) const noexcept {
        return reflection(at(p, p), at(q, q), at(p, q), eps, sqrt_eps);
    }

    // Coefficients of (p, q+1) while (p, q) is still to be applied with R:
    // the new A(q+1, p) formed exactly as the column update forms it.
    VCBM_INLINE Reflection following(const Reflection& R, ptrdiff_t p, ptrdiff_t q) const noexcept {
        const double apq_next = R.c * at(q + 1, p) + R.s * at(q + 1, q);
        return reflection(R.app, at(q + 1, q + 1), apq_next, eps, sqrt_eps);
    }

    // Row j of the columns r in [from, to) from column j: the mirror of the
    // entries A(r, j) written by column updates.
    VCBM_INLINE void mirror(ptrdiff_t j, ptrdiff_t from, ptrdiff_t to) const noexcept {
        const double* src = col(j) + from;
        double* dst = a + from * ld() + j;
        if constexpr (NV > 0) {
            // At most local_max - 1 entries: a jump into a fixed sequence.
            static_assert(local_max <= 12, "one case per count");
            constexpr ptrdiff_t L = local_ld;
            switch (to - from) {
                case 11: dst[10 * L] = src[10]; [[fallthrough]];
                case 10: dst[9 * L] = src[9]; [[fallthrough]];
                case 9: dst[8 * L] = src[8]; [[fallthrough]];
                case 8: dst[7 * L] = src[7]; [[fallthrough]];
                case 7: dst[6 * L] = src[6]; [[fallthrough]];
                case 6: dst[5 * L] = src[5]; [[fallthrough]];
                case 5: dst[4 * L] = src[4]; [[fallthrough]];
                case 4: dst[3 * L] = src[3]; [[fallthrough]];
                case 3: dst[2 * L] = src[2]; [[fallthrough]];
                case 2: dst[L] = src[1]; [[fallthrough]];
                case 1: dst[0] = src[0]; [[fallthrough]];
                default: break;
            }
        } else {
            copy_to_row(src, dst, to - from, ld());
        }
    }

    // Pair (p, q) on A: whole columns p and q, then the pair's own entries.
    VCBM_INLINE void apply_a(const Reflection& R, ptrdiff_t p, ptrdiff_t q) const noexcept {
        double* cp = col(p);
        double* cq = col(q);
        reflect(cp, cq, R.c, R.s);
        cp[p] = R.app;
        cq[q] = R.aqq;
        cq[p] = R.off;
        cp[q] = R.off;
    }

    // Pair (p, q) on V.
    VCBM_INLINE void apply_v(const Reflection& R, ptrdiff_t p, ptrdiff_t q) const noexcept {
        reflect(v + p * ld(), v + q * ld(), R.c, R.s);
    }

    // Pair (p, q) on A and V, with row q for the columns after q, which the
    // later pairs of row p read (the rest of the mirror comes at the end of
    // the row or rows).
    VCBM_INLINE void apply(const Reflection& R, ptrdiff_t p, ptrdiff_t q) const noexcept {
        apply_a(R, p, q);
        apply_v(R, p, q);
        mirror(q, q + 1, n);
    }

    // The rest of the mirror once the rows before `first` are done: row y of
    // each column y >= first from its rows [first, y). Its rows above
    // `finished` (the first of the rows just done) are copied only for the
    // last rows of a sweep (last): otherwise the pass that takes row y
    // copies them again.
    VCBM_INLINE void mirror_columns(ptrdiff_t first, ptrdiff_t finished, bool last) const noexcept {
        for (ptrdiff_t y = first; y < n; ++y) {
            if (last) mirror(y, 0, finished);
            mirror(y, first, y);
        }
    }

    // Row p from column p, all but the entries skip and p.
    VCBM_INLINE void mirror_row(ptrdiff_t p, ptrdiff_t skip) const noexcept {
        mirror(p, 0, skip);
        mirror(p, skip + 1, p);
        mirror(p, p + 1, n);
    }

    // Row p alone, starting with the coefficients cur of (p, p+1). Once
    // final, the coefficients of (p+1, p+2) go to *ahead.
    VCBM_INLINE void one_row(ptrdiff_t p, Reflection cur, Reflection* ahead) const noexcept {
        for (ptrdiff_t q = p + 1; q + 1 < n; ++q) {
            const Reflection next = following(cur, p, q);
            apply(cur, p, q);
            if (q == p + 2) *ahead = from_memory(p + 1, p + 2);
            cur = next;
        }
        apply(cur, p, n - 1);
        if (n - 1 == p + 2) *ahead = from_memory(p + 1, p + 2);
        mirror_columns(p + 1, p, p + 2 >= n - 1);
        mirror_row(p, p);
    }

    // Pair (Q, y) of the second row, Q = P+1: rows [0, y) but row P of
    // columns Q and y (the others are put off), its own entries, and V.
    VCBM_INLINE void second_row_pair(const Reflection& R, ptrdiff_t P, ptrdiff_t y) const noexcept {
        const ptrdiff_t Q = P + 1;
        double* cQ = col(Q);
        double* cy = col(y);
        const double keep_q = cQ[P];
        const double keep_y = cy[P];
        reflect_head(cQ, cy, y, R.c, R.s);
        cQ[P] = keep_q;
        cy[P] = keep_y;
        cQ[Q] = R.app;
        cy[y] = R.aqq;
        cy[Q] = R.off;
        cQ[y] = R.off;
        apply_v(R, Q, y);
    }

    // Rows P and Q = P+1 together (P + 2 < n), starting with the
    // coefficients cur of (P, Q). Once final, the coefficients of
    // (P+2, P+3) go to *ahead (when P + 3 < n).
    //
    // Step y applies (P, y), then the row y parts of the pairs (Q, x), x < y,
    // then computes (Q, y). The column updates of (Q, y) wait until the next
    // step, after (P, y+1): its coefficients come late, and work that waits
    // for them would hold up the work behind it.
    VCBM_INLINE void two_rows(ptrdiff_t P, Reflection cur, Reflection* ahead) const noexcept {
        const ptrdiff_t Q = P + 1;
        double cx[local_max], sx[local_max];  // coefficients of (Q, x)
        double* cP = col(P);
        Reflection rq{};  // (Q, y-1), its column updates still to come
        {
            const Reflection next = following(cur, P, Q);
            apply(cur, P, Q);
            rq.app = cur.aqq;  // A(Q, Q) for the first pair of row Q
            cur = next;
        }
        for (ptrdiff_t y = Q + 1; y < n; ++y) {
            Reflection next{};
            if (y + 1 < n) next = following(cur, P, y);
            apply(cur, P, y);
            if (y > Q + 1) {
                second_row_pair(rq, P, y - 1);
                if (y - 1 == P + 3) *ahead = from_memory(P + 2, P + 3);
            }
            // Row y of the pairs (Q, x), Q < x < y, put off until now.
            double* cy = col(y);
            double w = cy[Q];
            if (y > Q + 1) {
                ptrdiff_t x = Q + 1;
                for (; x + 2 < y; x += 2) {
                    const double w1 = cy[x];
                    const double w2 = cy[x + 1];
                    const double u = cx[x] * w + sx[x] * w1;
                    cy[x] = sx[x] * w - cx[x] * w1;
                    w = cx[x + 1] * u + sx[x + 1] * w2;
                    cy[x + 1] = sx[x + 1] * u - cx[x + 1] * w2;
                }
                if (x + 1 < y) {
                    const double w1 = cy[x];
                    const double u = cx[x] * w + sx[x] * w1;
                    cy[x] = sx[x] * w - cx[x] * w1;
                    w = u;
                    ++x;
                }
                const double w1 = cy[x];
                const double u = rq.c * w + rq.s * w1;
                cy[x] = rq.s * w - rq.c * w1;
                w = u;
            }
            rq = reflection(rq.app, cur.aqq, w, eps, sqrt_eps);
            cx[y] = rq.c;
            sx[y] = rq.s;
            cur = next;
        }
        second_row_pair(rq, P, n - 1);
        if (n - 1 == P + 3) *ahead = from_memory(P + 2, P + 3);
        // Row P of the pairs (Q, x), put off until row P was done.
        double w = cP[Q];
        for (ptrdiff_t x = Q + 1; x < n; ++x) {
            const double wx = cP[x];
            const double u = cx[x] * w + sx[x] * wx;
            cP[x] = sx[x] * w - cx[x] * wx;
            w = u;
        }
        cP[Q] = w;
        mirror_columns(Q + 1, P, P + 3 >= n - 1);
        mirror_row(Q, P);
        mirror_row(P, P);
    }

    // One sweep, starting with the coefficients first of (0, 1). The
    // coefficients of (0, 1) for the next sweep are final after the first
    // row or rows; they go to *again.
    VCBM_INLINE void sweep(Reflection first, Reflection* again) const noexcept {
        ptrdiff_t p = 0;
        Reflection cur = first;
        if constexpr (NV > 0) {
            // Two rows at a time (n >= 5 here), then the last row alone when
            // one is left: it has the single pair (n-2, n-1).
            for (; p + 2 < n; p += 2) {
                Reflection ahead{};
                two_rows(p, cur, &ahead);
                // Rows 0 and 1 are done: A(0, 0), A(1, 1) and A(0, 1) keep
                // their values for the rest of the sweep.
                if (p == 0) *again = from_memory(0, 1);
                cur = ahead;
            }
            if (p + 1 < n) {
                apply(cur, p, p + 1);
                mirror_columns(p + 1, p, true);
                mirror_row(p, p);
            }
        } else {
            for (; p + 1 < n; ++p) {
                Reflection ahead{};
                one_row(p, cur, &ahead);
                if (p == 1) *again = from_memory(0, 1);
                cur = ahead;
            }
        }
    }

    // Sweeps until convergence or NMAX; D holds the diagonal on entry and
    // after each sweep. Returns 0 (converged) or 1 (sweep limit reached).
    VCBM_INLINE int iterate(double* d, int nmax, int* nsweep) const noexcept {
        int done = 0;
        bool converged = false;
        Reflection first = from_memory(0, 1);
        do {
            Reflection again{};
            sweep(first, &again);
            first = again;
            *nsweep = ++done;
            double moved = 0.0;
            for (ptrdiff_t i = 0; i < n; ++i) {
                const double aii = at(i, i);
                const double dd = aii - d[i];
                moved += dd * dd;
                d[i] = aii;
            }
            converged = std::sqrt(moved) <= eps;
            // A NaN on the diagonal stays there: no further sweep can converge.
            if (std::isnan(moved)) break;
        } while (!converged && done < nmax);
        return converged ? 0 : 1;
    }
};

// Sum of squares of the off-diagonal entries (strict lower triangle only, or
// both triangles), entries of modulus below EPS counting as zero.
VCBM_INLINE double off_diagonal_squares(const double* a, ptrdiff_t lda, ptrdiff_t n, double eps, bool both) noexcept {
    double sum = 0.0;
    for (ptrdiff_t j = 0; j < n; ++j) {
        const double* cj = a + j * lda;
        for (ptrdiff_t i = both ? 0 : j + 1; i < n; ++i) {
            if (i == j) continue;
            const double x = cj[i];
            if (!(std::fabs(x) < eps)) sum += x * x;
        }
    }
    return sum;
}

// Decreasing order of D by bubble passes; equal eigenvalues keep the order
// of their columns. perm follows the exchanges.
VCBM_INLINE void order(double* d, int* perm, ptrdiff_t n) noexcept {
    for (ptrdiff_t k = 1; k < n; ++k) {
        bool exchanged = false;
        for (ptrdiff_t i = 0; i < n - k; ++i) {
            if (d[i] < d[i + 1]) {
                std::swap(d[i], d[i + 1]);
                std::swap(perm[i], perm[i + 1]);
                exchanged = true;
            }
        }
        if (!exchanged) break;
    }
}

template <int NV>
VCBM_INLINE int iterate_local(double* wa, double* wv, ptrdiff_t n, double eps, double* d, int nmax,
                              int* nsweep) noexcept {
    const Sweeper<NV> w{wa, wv, 0, n, eps, std::sqrt(eps)};
    return w.iterate(d, nmax, nsweep);
}

// Orders 5 to local_max, on padded copies of A and V, built for AVX2 (which
// has no fused multiply-add: the same operations as the plain build).
// Returns the code.
__attribute__((target("avx2"))) int jacobi_local(double* a, ptrdiff_t n, ptrdiff_t lda, double eps, int nitnr,
                                                 double* d, double* v, int* nsweep, double* offnrm) noexcept {
    const double root2 = std::sqrt(2.0);
    const ptrdiff_t ld = (n + 3) & ~ptrdiff_t{3};
    alignas(32) double wa[local_max * local_max];
    alignas(32) double wv[local_max * local_max];
    for (ptrdiff_t j = 0; j < n; ++j) {
        for (ptrdiff_t i = 0; i < n; ++i) {
            wa[j * ld + i] = a[j * lda + i];
            wv[j * ld + i] = i == j ? 1.0 : 0.0;
        }
        for (ptrdiff_t i = n; i < ld; ++i) wa[j * ld + i] = wv[j * ld + i] = 0.0;
    }
    int code = 0;
    const double s = root2 * std::sqrt(off_diagonal_squares(wa, ld, n, eps, false));
    for (ptrdiff_t i = 0; i < n; ++i) d[i] = wa[i * ld + i];
    if (!(s < eps)) {
        const int nmax = vcbm::jacobi_sweep_limit(eps, s, static_cast<int>(n), nitnr);
        code = ld == 8 ? iterate_local<2>(wa, wv, n, eps, d, nmax, nsweep)
                       : iterate_local<3>(wa, wv, n, eps, d, nmax, nsweep);
    }
    int perm[local_max];
    for (ptrdiff_t i = 0; i < n; ++i) perm[i] = static_cast<int>(i);
    order(d, perm, n);
    for (ptrdiff_t j = 0; j < n; ++j) {
        const double* vj = wv + perm[j] * ld;
        const double* aj = wa + j * ld;
        for (ptrdiff_t i = 0; i < n; ++i) {
            v[j * lda + i] = vj[i];
            a[j * lda + i] = aj[i];
        }
    }
    *offnrm = root2 * std::sqrt(off_diagonal_squares(wa, ld, n, eps, true));
    return code;
}

// Decreasing order of D with the columns of V (leading dimension lda).
void order_columns(double* d, double* v, ptrdiff_t lda, ptrdiff_t n) noexcept {
    for (ptrdiff_t k = 1; k < n; ++k) {
        bool exchanged = false;
        for (ptrdiff_t i = 0; i < n - k; ++i) {
            if (d[i] < d[i + 1]) {
                std::swap(d[i], d[i + 1]);
                double* vi = v + i * lda;
                double* vj = vi + lda;
                for (ptrdiff_t r = 0; r < n; ++r) std::swap(vi[r], vj[r]);
                exchanged = true;
            }
        }
        if (!exchanged) break;
    }
}

// Larger orders, in place, one row at a time. Returns the code.
int jacobi_in_place(double* a, ptrdiff_t n, ptrdiff_t lda, double eps, int nitnr, double* d, double* v,
                    int* nsweep, double* offnrm) noexcept {
    const double root2 = std::sqrt(2.0);
    int code = 0;
    for (ptrdiff_t j = 0; j < n; ++j)
        for (ptrdiff_t i = 0; i < n; ++i) v[j * lda + i] = i == j ? 1.0 : 0.0;
    const double s = root2 * std::sqrt(off_diagonal_squares(a, lda, n, eps, false));
    for (ptrdiff_t i = 0; i < n; ++i) d[i] = a[i * lda + i];
    if (!(s < eps)) {
        const int nmax = vcbm::jacobi_sweep_limit(eps, s, static_cast<int>(n), nitnr);
        const Sweeper<0> w{a, v, lda, n, eps, std::sqrt(eps)};
        code = w.iterate(d, nmax, nsweep);
    }
    order_columns(d, v, lda, n);
    *offnrm = root2 * std::sqrt(off_diagonal_squares(a, lda, n, eps, true));
    return code;
}

// Orders 1 to 4 in registers: the working matrix and V are small arrays
// with compile-time indices only, so that they live in registers; the sweep
// is the plain pair-by-pair one (the entries that the pair's own values
// overwrite are computed and dropped by the compiler).
template <int N>
int jacobi_small(double* a, ptrdiff_t lda, double eps, int nitnr, double* d, double* v, int* nsweep,
                 double* offnrm) noexcept {
    const double root2 = std::sqrt(2.0);
    int code = 0;
    const double s = root2 * std::sqrt(off_diagonal_squares(a, lda, N, eps, false));
    double w[N][N];  // w[j][i] = A(i, j)
    double z[N][N];  // z[j][i] = V(i, j)
#pragma GCC unroll 4
    for (int j = 0; j < N; ++j) {
#pragma GCC unroll 4
        for (int i = 0; i < N; ++i) {
            w[j][i] = a[j * lda + i];
            z[j][i] = i == j ? 1.0 : 0.0;
        }
        d[j] = w[j][j];
    }
    if (!(s < eps)) {
        const int nmax = vcbm::jacobi_sweep_limit(eps, s, N, nitnr);
        const double sqrt_eps = std::sqrt(eps);
        int done = 0;
        bool converged = false;
        do {
#pragma GCC unroll 4
            for (int p = 0; p < N - 1; ++p) {
#pragma GCC unroll 4
                for (int q = p + 1; q < N; ++q) {
                    const Reflection R = reflection(w[p][p], w[q][q], w[q][p], eps, sqrt_eps);
#pragma GCC unroll 4
                    for (int r = 0; r < N; ++r) {
                        reflect1(&w[p][r], &w[q][r], R.c, R.s);
                        reflect1(&z[p][r], &z[q][r], R.c, R.s);
                    }
#pragma GCC unroll 4
                    for (int r = 0; r < N; ++r) {
                        w[r][p] = w[p][r];
                        w[r][q] = w[q][r];
                    }
                    w[p][p] = R.app;
                    w[q][q] = R.aqq;
                    w[q][p] = R.off;
                    w[p][q] = R.off;
                }
            }
            *nsweep = ++done;
            double moved = 0.0;
#pragma GCC unroll 4
            for (int i = 0; i < N; ++i) {
                const double dd = w[i][i] - d[i];
                moved += dd * dd;
                d[i] = w[i][i];
            }
            converged = std::sqrt(moved) <= eps;
            // A NaN on the diagonal stays there: no further sweep can converge.
            if (std::isnan(moved)) break;
        } while (!converged && done < nmax);
        if (!converged) code = 1;
#pragma GCC unroll 4
        for (int j = 0; j < N; ++j)
#pragma GCC unroll 4
            for (int i = 0; i < N; ++i) a[j * lda + i] = w[j][i];
    }
#pragma GCC unroll 4
    for (int j = 0; j < N; ++j)
#pragma GCC unroll 4
        for (int i = 0; i < N; ++i) v[j * lda + i] = z[j][i];
    order_columns(d, v, lda, N);
    *offnrm = root2 * std::sqrt(off_diagonal_squares(a, lda, N, eps, true));
    return code;
}

}  // namespace

extern "C" void vpvpsy(double* A, const int* N, const int* LDA, const double* EPS, double* D, double* V,
                       int* NSWEEP, double* OFFNRM, int* IER) {
    static constexpr auto R = vcbm::routine("VPVPSY");
    vcbm::Frame f(R, *IER);
    *NSWEEP = 0;
    double epsln;
    int nitnr;
    int nitln;
    mepsln(&epsln, &nitnr, &nitln);
    const double eps = *EPS;
    if (!(eps > 0.0)) return f.fail(11);
    const int n = *N;
    if (n >= 1 && *LDA < n) return f.fail(12);
    const int lda = *LDA;
    int code;
    switch (n) {
        case 1: code = jacobi_small<1>(A, lda, eps, nitnr, D, V, NSWEEP, OFFNRM); break;
        case 2: code = jacobi_small<2>(A, lda, eps, nitnr, D, V, NSWEEP, OFFNRM); break;
        case 3: code = jacobi_small<3>(A, lda, eps, nitnr, D, V, NSWEEP, OFFNRM); break;
        case 4: code = jacobi_small<4>(A, lda, eps, nitnr, D, V, NSWEEP, OFFNRM); break;
        default:
            if (n <= 0) {
                *OFFNRM = 0.0;
                code = 0;
            } else if (n <= local_max && __builtin_cpu_supports("avx2")) {
                code = jacobi_local(A, n, lda, eps, nitnr, D, V, NSWEEP, OFFNRM);
            } else {  // the same results, one row at a time
                code = jacobi_in_place(A, n, lda, eps, nitnr, D, V, NSWEEP, OFFNRM);
            }
    }
    if (code != 0) f.fail(code);
}
