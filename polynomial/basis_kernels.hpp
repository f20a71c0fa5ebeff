// Kernels shared by the interval changes, the control-polygon conversions and
// the de Casteljau splits.
//
// Each kernel exists in two builds of one template: D = 2 or 3 for a curve
// stored with leading dimension D (the flat, unrolled path), and D = 0 for any
// dimension NDIM with a leading dimension LD >= NDIM (the general path). Both
// builds perform the same floating-point operations in the same order on every
// value, so they give identical results; the fixed builds only let the
// compiler unroll and vectorise. None of them checks its counts: the exported
// routines do that first.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "OrvoSystem.h"
#include "VelCurveBasedInfrastructure.h"
#include "frame/array_view.hpp"

namespace vcbm::basis {

inline constexpr int kMaxCoef = 61;  // capacity of the binomial table

// C(n, p), 0 <= p <= n <= 60, from the shared table.
inline double binom(int n, int p) noexcept { return mcmcnp[n + 61 * p]; }

inline bool count_ok(int ncoef) noexcept { return ncoef >= 1 && ncoef <= kMaxCoef; }

// Copies COUNT reals through crfillx (nothing when the arrays coincide).
inline void copy_reals(std::ptrdiff_t count, const double* from, double* to) noexcept {
    if (count <= 0 || from == to) return;
    if (count <= 0x7fffffff / 8) {
        const int nbytes = static_cast<int>(count * 8);
        crfillx(&nbytes, from, to);
    } else {
        std::memmove(to, from, static_cast<std::size_t>(count) * sizeof(double));
    }
}

// Pairs of doubles (the two lanes of one SSE2 register; on other targets the
// compiler splits them into scalar operations). Each lane gets exactly the
// operation written, so lanes compute what scalar code would.
using f64x2 = double __attribute__((vector_size(16)));
// Loads and stores on any 8-byte boundary: through memcpy, which both GCC and
// clang turn into one unaligned move (an under-aligned vector type is still
// taken as 16-byte aligned by clang).
[[gnu::always_inline]] inline f64x2 load2(const double* p) noexcept {
    f64x2 x;
    std::memcpy(&x, p, sizeof x);
    return x;
}
[[gnu::always_inline]] inline void store2(double* p, f64x2 x) noexcept { std::memcpy(p, &x, sizeof x); }
// (a[1], b[0]): the pair one place lower, from the previous and the current pair.
[[gnu::always_inline]] inline f64x2 lower_pair(f64x2 a, f64x2 b) noexcept {
    return __builtin_shufflevector(a, b, 1, 2);
}

// A point of D = 2 or 3 interleaved components: (x, y) in one pair, z alone.
template <int D>
struct Point {
    static_assert(D == 2 || D == 3);
    f64x2 xy;
    double z;
    [[gnu::always_inline]] static Point load(const double* p) noexcept {
        return {load2(p), D == 3 ? p[2] : 0.0};
    }
    [[gnu::always_inline]] void store(double* p) const noexcept {
        store2(p, xy);
        if constexpr (D == 3) p[2] = z;
    }
};
template <int D, class Op>
[[gnu::always_inline]] inline Point<D> apply(Op op, Point<D> a, Point<D> b) noexcept {
    return {op(a.xy, b.xy), op(a.z, b.z)};
}

// Point J of an interleaved array, and of a local array of points.
template <int D, class T = double>
struct Flat {
    T* p;
    Flat(T* q) noexcept : p(q) {}
    template <class U>
        requires std::is_const_v<T> && std::is_same_v<const U, T>
    Flat(Flat<D, U> f) noexcept : p(f.p) {}  // a writable array, read only
    [[gnu::always_inline]] Point<D> get(int j) const noexcept { return Point<D>::load(p + j * D); }
    [[gnu::always_inline]] void put(int j, Point<D> x) const noexcept { x.store(p + j * D); }
};
// Points in local arrays are copied member by member: clang's
// AddressSanitizer build made each whole-point copy a checked memcpy call (a
// quarter of the curve/curve fuzz targets' time).
template <int D>
[[gnu::always_inline]] inline void copy(Point<D>& to, Point<D> from) noexcept {
    to.xy = from.xy, to.z = from.z;
}
template <int D>
struct Local {
    Point<D>* x;
    [[gnu::always_inline]] Point<D> get(int j) const noexcept { return {x[j].xy, x[j].z}; }
    [[gnu::always_inline]] void put(int j, Point<D> v) const noexcept { copy(x[j], v); }
};

// Passes K, K+1, ..., N, pass k being P[j] = OP(P[j], P[j-1]) for j = N down
// to k (points counted from 0), S passes per sweep: each sweep climbs the
// points keeping the previous point's values after each of its passes in
// registers, then the passes left over take sweeps of S/2, S/4, ... Every
// value is formed from the same operands as in the pass-by-pass order. OP
// takes doubles and pairs alike; P is a Flat or Local array of points.
template <int D, int S, class Points, class Op>
[[gnu::always_inline]] inline void passes_from(int n, int k, Points p, Op op) noexcept {
    using Pt = Point<D>;
    for (; k + S - 1 <= n; k += S) {
        Pt prev[S];  // prev[s]: point j-1 after pass k+s-1 (s = 0: before pass k)
        const Pt first = p.get(k - 1);  // no pass of this sweep changes point k-1
#pragma GCC unroll 16
        for (int s = 0; s < S; ++s) prev[s] = first;
#pragma GCC unroll 16
        for (int h = 0; h < S - 1; ++h) {  // point k+h takes passes k .. k+h only
            Pt x[S + 1];
            x[0] = p.get(k + h);
#pragma GCC unroll 16
            for (int s = 1; s <= S; ++s) x[s] = s <= h + 1 ? apply(op, x[s - 1], prev[s - 1]) : x[s - 1];
            p.put(k + h, x[S]);
#pragma GCC unroll 16
            for (int s = 0; s < S; ++s) prev[s] = x[s];
        }
        for (int j = k + S - 1; j <= n; ++j) {
            Pt x[S + 1];
            x[0] = p.get(j);
#pragma GCC unroll 16
            for (int s = 1; s <= S; ++s) x[s] = apply(op, x[s - 1], prev[s - 1]);
            p.put(j, x[S]);
#pragma GCC unroll 16
            for (int s = 0; s < S; ++s) prev[s] = x[s];
        }
    }
    if constexpr (S > 1) passes_from<D, S / 2>(n, k, p, op);
}

// The N passes k = 1..N. Sweeps of eight passes in 2D and four in 3D keep
// eight pair operations in each step of the climb: shorter sweeps proved
// slower and their speed changed with the placement of the code.
template <int D, class Points, class Op>
[[gnu::always_inline]] inline void passes(int n, Points p, Op op) noexcept {
    passes_from<D, D == 2 ? 8 : 4>(n, 1, p, op);
}

// Calls BODY with the count NCOEF: as a compile-time constant for short
// curves (2 to 8 coefficients), so that the fixed-dimension kernels unroll
// completely there, and as a plain int otherwise. Either way BODY performs
// the same operations in the same order.
template <class Body>
[[gnu::always_inline]] inline void with_count(int ncoef, Body body) noexcept {
    switch (ncoef) {
        case 2: return body(std::integral_constant<int, 2>{});
        case 3: return body(std::integral_constant<int, 3>{});
        case 4: return body(std::integral_constant<int, 4>{});
        case 5: return body(std::integral_constant<int, 5>{});
        case 6: return body(std::integral_constant<int, 6>{});
        case 7: return body(std::integral_constant<int, 7>{});
        case 8: return body(std::integral_constant<int, 8>{});
        default: return body(ncoef);
    }
}

// Canonical coefficients to the control polygon on [0, 1]: division by the
// binomials, then NCOEF-1 passes of prefix sums. POLY may be COEF.
template <int D>
void to_polygon(int nd, std::ptrdiff_t ld, int ncoef, const double* coef, double* poly) noexcept {
    const int n = ncoef - 1;
    if constexpr (D > 0) {
        const auto div = [](auto a, auto b) { return a / b; };
        const auto add = [](auto a, auto b) { return a + b; };
        with_count(ncoef, [&](auto count) {
            const int nc = count, m = nc - 1;
            const auto by_binomial = [&](int j) {
                const double b = binom(m, j);
                return apply(div, Point<D>::load(coef + j * D), Point<D>{f64x2{b, b}, b});
            };
            if constexpr (std::is_same_v<decltype(count), int>) {
                const Flat<D> out{poly};
                for (int j = 0; j < nc; ++j) out.put(j, by_binomial(j));
                passes<D>(m, out, add);
            } else {  // short curves: the points stay in registers
                Point<D> x[decltype(count)::value];
                for (int j = 0; j < nc; ++j) x[j] = by_binomial(j);
                passes<D>(m, Local<D>{x}, add);
                for (int j = 0; j < nc; ++j) x[j].store(poly + j * D);
            }
        });
    } else {
        auto p = mat(poly, ld);
        auto a = mat(coef, ld);
        for (int j = 1; j <= ncoef; ++j) {
            const double b = binom(n, j - 1);
            for (int i = 1; i <= nd; ++i) p(i, j) = a(i, j) / b;
        }
        for (int k = 1; k <= n; ++k)
            for (int j = ncoef; j >= k + 1; --j)
                for (int i = 1; i <= nd; ++i) p(i, j) += p(i, j - 1);
    }
}

// Control polygon to canonical coefficients: a copy, forward differences in
// place, then the products by the binomials. COEF may be POLY.
template <int D>
void to_canonical(int nd, std::ptrdiff_t ld, int ncoef, const double* poly, double* coef) noexcept {
    const int n = ncoef - 1;
    if constexpr (D > 0) {
        const auto sub = [](auto a, auto b) { return a - b; };
        const auto mul = [](auto a, auto b) { return a * b; };
        with_count(ncoef, [&](auto count) {
            const int nc = count, m = nc - 1;
            const auto times_binomial = [&](int j, Point<D> x) {
                const double b = binom(m, j);
                return apply(mul, Point<D>{f64x2{b, b}, b}, x);
            };
            if constexpr (std::is_same_v<decltype(count), int>) {
                copy_reals(static_cast<std::ptrdiff_t>(D) * nc, poly, coef);
                const Flat<D> out{coef};
                passes<D>(m, out, sub);
                for (int j = 0; j < nc; ++j) out.put(j, times_binomial(j, out.get(j)));
            } else {
                // Short curves: the points are taken before the copy and
                // stay in registers, rather than read back from the copy.
                Point<D> x[decltype(count)::value];
                for (int j = 0; j < nc; ++j) x[j] = Point<D>::load(poly + j * D);
                copy_reals(static_cast<std::ptrdiff_t>(D) * nc, poly, coef);
                passes<D>(m, Local<D>{x}, sub);
                for (int j = 0; j < nc; ++j) times_binomial(j, x[j]).store(coef + j * D);
            }
        });
    } else {
        auto a = mat(coef, ld);
        auto p = mat(poly, ld);
        if (nd == ld) {
            copy_reals(static_cast<std::ptrdiff_t>(nd) * ncoef, poly, coef);
        } else if (poly != coef) {
            for (int j = 1; j <= ncoef; ++j)
                for (int i = 1; i <= nd; ++i) a(i, j) = p(i, j);
        }
        for (int k = 1; k <= n; ++k)
            for (int j = ncoef; j >= k + 1; --j)
                for (int i = 1; i <= nd; ++i) a(i, j) -= a(i, j - 1);
        for (int j = 1; j <= ncoef; ++j) {
            const double b = binom(n, j - 1);
            for (int i = 1; i <= nd; ++i) a(i, j) = b * a(i, j);
        }
    }
}

// (a[l] or b[l]) in lane l, b where TOP_l: a choice made at compile time.
template <bool Top0, bool Top1>
[[gnu::always_inline]] inline f64x2 pick(f64x2 a, f64x2 b) noexcept {
    return __builtin_shufflevector(a, b, Top0 ? 2 : 0, Top1 ? 3 : 1);
}

// Sweeps of P = 2 powers for `compose_wide` below, from power K (even) on
// while two powers remain, then one sweep of P = 1 for the last power if
// one is left. On entry v[0..k-1] holds the coefficients of (TA + H s)^(k-1)
// and r[m][j] the sum of component m of column j so far. A sweep climbs the
// columns in pairs (0, 1), (2, 3), ..., and on each pair forms the powers
// k .. k+P-1 in turn, adding each power's term before the next one's. Power
// p at column j is
//   TA v(j)                 for j = 0,
//   TA v(j) + H v(j-1)      for 0 < j < p,
//   v(j-1) H                for j = p (the top, the column's first term),
// v being power p-1; the lanes past the top of a power carry values that
// nothing reads. As K is even, the tops of a sweep lie in the pair (k, k+1).
template <int D, int P>
[[gnu::always_inline]] inline void compose_sweeps(int n, int k, const double* a, double ta, double h, double* v,
                                                  double* const* r) noexcept {
    static_assert(P == 1 || P == 2);
    const f64x2 ta2 = {ta, ta}, h2 = {h, h};
    for (; k + P - 1 <= n; k += P) {
        const double* c = a + k * D;  // c[q*D + m]: component m of the coefficient of power k+q
        f64x2 cv[P][D];
        for (int q = 0; q < P; ++q)
            for (int m = 0; m < D; ++m) cv[q][m] = f64x2{c[q * D + m], c[q * D + m]};
        f64x2 prev[P] = {};  // prev[q]: the previous pair of power k-1+q (none before pair 0)
        // The pair from column J through the powers; in power k+q lane l is
        // column 0 where BOTTOM and l = 0, a top where TOPS and l = q.
        const auto pair = [&](int j, auto bottom, auto tops) {
            f64x2 w = load2(v + j), acc[D];
            for (int m = 0; m < D; ++m) acc[m] = load2(r[m] + j);
            for (int q = 0; q < P; ++q) {
                const f64x2 t = ta2 * w, sh = lower_pair(prev[q], w), inner = t + h2 * sh;
                f64x2 nw = inner;
                if constexpr (bottom) nw = pick<true, false>(inner, t);
                if constexpr (tops) nw = q == 0 ? pick<true, false>(inner, sh * h2) : pick<false, true>(inner, sh * h2);
                prev[q] = w;
                w = nw;
                for (int m = 0; m < D; ++m) {
                    const f64x2 term = cv[q][m] * w;
                    acc[m] = acc[m] + term;
                    if constexpr (tops) acc[m] = q == 0 ? pick<true, false>(acc[m], term) : pick<false, true>(acc[m], term);
                }
            }
            store2(v + j, w);
            for (int m = 0; m < D; ++m) store2(r[m] + j, acc[m]);
        };
        pair(0, std::true_type{}, std::false_type{});
        for (int j = 2; j < k; j += 2) pair(j, std::false_type{}, std::false_type{});
        pair(k, std::false_type{}, std::true_type{});
        // The next pair, which the next sweep reads before it holds anything,
        // starts at 0.
        store2(v + k + 2, f64x2{0.0, 0.0});
        for (int m = 0; m < D; ++m) store2(r[m] + k + 2, f64x2{0.0, 0.0});
    }
    if constexpr (P > 1) compose_sweeps<D, P / 2>(n, k, a, ta, h, v, r);
}

// The composition of `compose` below for D = 2 or 3 components and longer
// curves, with the same operations on every value in the same order, in
// sweeps of several powers (compose_sweeps). The columns go in pairs through
// the two lanes of a register, and the result is kept by component until
// the end, where it is written out; so COEFN may be COEF, which is only read
// before that. Every pair is stored whole, so that the next sweep reads back
// what one store wrote.
template <int D>
void compose_wide(int ncoef, const double* a, double ta, double tb, double* coefn) noexcept {
    constexpr int cap = kMaxCoef + 7;
    const int n = ncoef - 1;
    const double h = tb - ta;
    alignas(16) double vbuf[cap];  // v[i]: coefficient of s^i in the last power of (TA + H s)
    alignas(16) double rbuf[D][cap];
    double* v = vbuf;
    double* r[D];
    for (int m = 0; m < D; ++m) r[m] = rbuf[m];
    store2(v, f64x2{ta, h});  // power 1: (TA, H)
    for (int m = 0; m < D; ++m) {
        const double c = a[D + m];
        store2(r[m], f64x2{a[m] + c * ta, c * h});
    }
    // Lanes past the tops are read before they are written: they start at 0
    // (here the pair that the first sweep reads, then in each sweep the one
    // that the next sweep will).
    store2(v + 2, f64x2{0.0, 0.0});
    for (int m = 0; m < D; ++m) store2(r[m] + 2, f64x2{0.0, 0.0});
    compose_sweeps<D, 2>(n, 2, a, ta, h, v, r);
    // Back to interleaved points, two at a time.
    int j = 0;
    for (; j + 1 <= n; j += 2) {
        f64x2 c[D];
        for (int m = 0; m < D; ++m) c[m] = load2(r[m] + j);
        if constexpr (D == 2) {
            store2(coefn + 2 * j, __builtin_shufflevector(c[0], c[1], 0, 2));
            store2(coefn + 2 * j + 2, __builtin_shufflevector(c[0], c[1], 1, 3));
        } else {
            store2(coefn + 3 * j, __builtin_shufflevector(c[0], c[1], 0, 2));
            store2(coefn + 3 * j + 2, __builtin_shufflevector(c[2], c[0], 0, 3));
            store2(coefn + 3 * j + 4, __builtin_shufflevector(c[1], c[2], 1, 3));
        }
    }
    if (j == n)
        for (int m = 0; m < D; ++m) coefn[j * D + m] = r[m][j];
}

// The composition of `compose` below for D = 2 or 3 components and 9 to 12
// coefficients, where the sweeps of compose_wide are too short to pay for
// its setting up: two powers per sweep on the interleaved points, column by
// column, with the same operations on every value in the same order. R may
// be A: a sweep reads the coefficients of its two powers before writing
// their columns, and writes no column above them.
template <int D>
void compose_mid(int ncoef, const double* a, double ta, double tb, double* r) noexcept {
    const int n = ncoef - 1;
    const double h = tb - ta;
    double v[kMaxCoef + 1];  // v[i]: coefficient of s^i in the last power of (TA + H s)
    double c0[D], c1[D];
    for (int m = 0; m < D; ++m) c0[m] = a[D + m];
    v[0] = ta;  // power 1: (TA, H)
    v[1] = h;
    for (int m = 0; m < D; ++m) r[m] = a[m] + c0[m] * ta;
    for (int m = 0; m < D; ++m) r[D + m] = c0[m] * h;
    int k = 2;
    for (; k + 1 <= n; k += 2) {  // powers k (W below) and k+1 (U)
        for (int m = 0; m < D; ++m) c0[m] = a[k * D + m];
        for (int m = 0; m < D; ++m) c1[m] = a[(k + 1) * D + m];
        double pv = v[0], w = ta * pv, pw = w, u = ta * w;  // pv, pw: column i-1 of powers k-1, k
        v[0] = u;
        for (int m = 0; m < D; ++m) r[m] = (r[m] + c0[m] * w) + c1[m] * u;
        for (int i = 1; i < k; ++i) {
            const double x = v[i];
            w = ta * x + h * pv;
            u = ta * w + h * pw;
            pv = x;
            pw = w;
            v[i] = u;
            for (int m = 0; m < D; ++m) r[i * D + m] = (r[i * D + m] + c0[m] * w) + c1[m] * u;
        }
        w = pv * h;  // the tops: column k of power k, columns k and k+1 of power k+1
        u = ta * w + h * pw;
        v[k] = u;
        for (int m = 0; m < D; ++m) r[k * D + m] = c0[m] * w + c1[m] * u;
        u = w * h;
        v[k + 1] = u;
        for (int m = 0; m < D; ++m) r[(k + 1) * D + m] = c1[m] * u;
    }
    if (k == n) {  // the last power alone
        for (int m = 0; m < D; ++m) c0[m] = a[k * D + m];
        double pv = v[0], w = ta * pv;
        for (int m = 0; m < D; ++m) r[m] += c0[m] * w;
        for (int i = 1; i < k; ++i) {
            const double x = v[i];
            w = ta * x + h * pv;
            pv = x;
            for (int m = 0; m < D; ++m) r[i * D + m] += c0[m] * w;
        }
        w = pv * h;
        for (int m = 0; m < D; ++m) r[k * D + m] = c0[m] * w;
    }
}

// COEFN(s) = C(TA + H s), H = TB - TA, by composing one power of (TA + H s)
// at a time. COEFN may be COEF: step k reads column k+1 before writing it and
// writes only columns 1..k+1. In 2D and 3D, curves of up to 8 coefficients
// take the count as a compile-time constant (with_count), longer ones go to
// compose_mid (up to 12) or compose_wide.
template <int D>
void compose(int nd, std::ptrdiff_t ld, int ncoef, const double* coef, double ta, double tb,
             double* coefn) noexcept {
    if constexpr (D > 0) {
        if (ncoef > 12) return compose_wide<D>(ncoef, coef, ta, tb, coefn);
        if (ncoef > 8) return compose_mid<D>(ncoef, coef, ta, tb, coefn);
        with_count(ncoef, [&](auto count) {
            const int nc = count;
            auto a = mat(coef, D);
            auto r = mat(coefn, D);
            for (int m = 1; m <= D; ++m) r(m, 1) = a(m, 1);
            if (nc == 1) return;
            const double h = tb - ta;
            double v[kMaxCoef + 2];  // v[i]: coefficient of s^(i-1) in (TA + H s)^k
            v[1] = ta;
            v[2] = h;
            // The advance of V to the next power and the use of that power
            // are made in one sweep over the columns.
            double c[D];
            for (int m = 0; m < D; ++m) c[m] = a(m + 1, 2);
            for (int m = 0; m < D; ++m) r(m + 1, 1) += c[m] * v[1];
            for (int m = 0; m < D; ++m) r(m + 1, 2) = c[m] * v[2];
            for (int k = 2; k <= nc - 1; ++k) {
                for (int m = 0; m < D; ++m) c[m] = a(m + 1, k + 1);
                v[k + 1] = v[k] * h;
                for (int m = 0; m < D; ++m) r(m + 1, k + 1) = c[m] * v[k + 1];
                for (int i = k; i >= 2; --i) {
                    v[i] = ta * v[i] + h * v[i - 1];
                    for (int m = 0; m < D; ++m) r(m + 1, i) += c[m] * v[i];
                }
                v[1] = ta * v[1];
                for (int m = 0; m < D; ++m) r(m + 1, 1) += c[m] * v[1];
            }
        });
    } else {
        auto a = mat(coef, ld);
        auto r = mat(coefn, ld);
        for (int i = 1; i <= nd; ++i) r(i, 1) = a(i, 1);
        if (ncoef == 1) return;
        const double h = tb - ta;
        double v[kMaxCoef + 2];  // v[i]: coefficient of s^(i-1) in (TA + H s)^k
        v[1] = ta;
        v[2] = h;
        for (int k = 1; k <= ncoef - 1; ++k) {
            for (int i = 1; i <= k; ++i)
                for (int m = 1; m <= nd; ++m) r(m, i) += a(m, k + 1) * v[i];
            for (int m = 1; m <= nd; ++m) r(m, k + 1) = a(m, k + 1) * v[k + 1];
            if (k == ncoef - 1) break;
            v[k + 2] = v[k + 1] * h;
            for (int i = k + 1; i >= 2; --i) v[i] = ta * v[i] + h * v[i - 1];
            v[1] = ta * v[1];
        }
    }
}

// COEFN(s) = C(1 - s): column 1 the sum of all columns, column j the signed
// binomial sums of the columns from j on. COEFN may be COEF (column j reads
// only columns j and later, which are still intact).
template <int D>
void reverse(int ncoef, const double* coef, double* coefn) noexcept {
    double s[D];
    for (int c = 0; c < D; ++c) s[c] = coef[c];
    for (int k = 1; k < ncoef; ++k)
        for (int c = 0; c < D; ++c) s[c] += coef[k * D + c];
    for (int c = 0; c < D; ++c) coefn[c] = s[c];
    for (int j = 1; j < ncoef; ++j) {
        for (int c = 0; c < D; ++c) s[c] = coef[j * D + c];
        for (int k = j + 1; k < ncoef; ++k) {
            const double b = binom(k, j);
            for (int c = 0; c < D; ++c) s[c] += b * coef[k * D + c];
        }
        const bool odd = (j % 2) == 1;
        for (int c = 0; c < D; ++c) coefn[j * D + c] = odd ? -s[c] : s[c];
    }
}

// One de Casteljau step between neighbouring points a (earlier) and b.
// Both take doubles and pairs alike.
struct Half {
    template <class T>
    T operator()(T a, T b) const noexcept { return (a + b) / 2.0; }
};
struct AtT {
    double t;
    template <class T>
    T operator()(T a, T b) const noexcept { return a + (b - a) * t; }
};

// Sweeps of S rows of the de Casteljau triangle for split_flat below (D = 2
// or 3), then sweeps of S/2, S/4, ... Row R, of M points, is read from IN;
// a sweep forms rows R+1 .. R+S climbing down the points and keeping the
// previous point of each row in registers. It writes the last points of rows
// R .. R+S-1 (final points of RIGHT) and row R+S to OUT, and the first points
// of rows R+1 .. R+S to LEFT. Then OUT holds the next row.
template <int D, int S, class In, class Out, class Step>
[[gnu::always_inline]] inline void split_sweeps(int m, int r, In in, Out out, double* left, Step step) noexcept {
    using Pt = Point<D>;
    for (; m > S; m -= S, r += S) {
        Pt prev[S], x[S + 1];  // prev[s]: point j+1 of row r+s
#pragma GCC unroll 16
        for (int h = 0; h < S; ++h) {  // point m-1-h, the last of row r+h
            x[0] = in.get(m - 1 - h);
#pragma GCC unroll 16
            for (int q = 1; q <= h; ++q) x[q] = apply(step, x[q - 1], prev[q - 1]);
            out.put(m - 1 - h, x[h]);
#pragma GCC unroll 16
            for (int q = 0; q <= h; ++q) copy(prev[q], x[q]);
        }
        for (int j = m - 1 - S; j >= 0; --j) {
            x[0] = in.get(j);
#pragma GCC unroll 16
            for (int q = 1; q <= S; ++q) x[q] = apply(step, x[q - 1], prev[q - 1]);
            out.put(j, x[S]);
#pragma GCC unroll 16
            for (int q = 0; q < S; ++q) copy(prev[q], x[q]);
        }
        for (int q = 1; q <= S; ++q) x[q].store(left + (r + q) * D);
        in = out;
    }
    if constexpr (S > 1) split_sweeps<D, S / 2>(m, r, in, out, left, step);
}

// Split of NCOEF points of D interleaved components (point j at POLY + j*D),
// worked out in RIGHT: after pass r its first NCOEF-r points are the row r+1
// of the de Casteljau triangle, and its last point of that pass is final.
// Pass 1 reads POLY, so that no copy has to be read back. LEFT or RIGHT may
// be POLY (POLY is read through before LEFT is written past its first
// point, and RIGHT only at points already read). In 2D and 3D the passes go
// by sweeps of several rows (eight in 2D, four in 3D, as for `passes`), and
// up to 8 points are kept in registers throughout.
template <int D, class Step>
void split_flat(int ncoef, const double* poly, double* left, double* right, Step step) noexcept {
    if constexpr (D == 2 || D == 3) {
        constexpr int S = D == 2 ? 8 : 4;
        with_count(ncoef, [&](auto count) {
            const int nc = count;
            if constexpr (std::is_same_v<decltype(count), int>) {
                Point<D>::load(poly).store(left);
                if (nc == 1) return Point<D>::load(poly).store(right);
                split_sweeps<D, S>(nc, 0, Flat<D, const double>{poly}, Flat<D>{right}, left, step);
            } else {
                Point<D> x[decltype(count)::value];
                const Local<D> local{x};
                for (int j = 0; j < nc; ++j) local.put(j, Point<D>::load(poly + j * D));
                x[0].store(left);
                split_sweeps<D, S>(nc, 0, local, local, left, step);
                for (int j = 0; j < nc; ++j) x[j].store(right + j * D);
            }
        });
    } else {
        const int last = (ncoef - 1) * D;
        for (int c = 0; c < D; ++c) left[c] = poly[c];
        for (int x = 0; x < last; ++x) right[x] = step(poly[x], poly[x + D]);
        for (int c = 0; c < D; ++c) right[last + c] = poly[last + c];
        if (ncoef > 1)
            for (int c = 0; c < D; ++c) left[D + c] = right[c];
        for (int r = 2; r < ncoef; ++r) {
            const int end = (ncoef - r) * D;
            for (int x = 0; x < end; ++x) right[x] = step(right[x], right[x + D]);
            for (int c = 0; c < D; ++c) left[r * D + c] = right[c];
        }
    }
}

// The same for one polygon whose points lie STRIDE reals apart.
template <class Step>
void split_strided(int ncoef, const double* poly, std::ptrdiff_t stride, double* left, double* right,
                   Step step) noexcept {
    if (poly != right)
        for (int j = 0; j < ncoef; ++j) right[j * stride] = poly[j * stride];
    left[0] = right[0];
    for (int r = 1; r < ncoef; ++r) {
        const int last = ncoef - r;
        for (int x = 0; x < last; ++x) right[x * stride] = step(right[x * stride], right[(x + 1) * stride]);
        left[r * stride] = right[0];
    }
}

// The split component by component through the triangle in WORK(LDW, LDW):
// column 1 the polygon, column r+1 the step applied to column r from row r+1
// on; LEFT is the diagonal, RIGHT the last row read backwards.
template <class Step>
void split_triangle(int nd, std::ptrdiff_t ldw, int ncoef, const double* poly, double* work, double* left,
                    double* right, Step step) noexcept {
    auto p = mat(poly, nd);
    auto w = mat(work, ldw);
    auto l = mat(left, nd);
    auto rt = mat(right, nd);
    for (int c = 1; c <= nd; ++c) {
        for (int i = 1; i <= ncoef; ++i) w(i, 1) = p(c, i);
        for (int r = 1; r < ncoef; ++r)
            for (int i = r + 1; i <= ncoef; ++i) w(i, r + 1) = step(w(i - 1, r), w(i, r));
        for (int j = 1; j <= ncoef; ++j) l(c, j) = w(j, j);
        for (int j = 1; j <= ncoef; ++j) rt(c, j) = w(ncoef, ncoef + 1 - j);
    }
}

}  // namespace vcbm::basis
