// Construction of the approximation tables (see jacobi_tables.hpp).
#include "approx/jacobi_tables.hpp"

#include <cmath>

#include "numeric/gauss_tables.hpp"

namespace vcbm::approx {
namespace {

using real = long double;
constexpr int kDeg = kMaxPositions - 1;  // highest degree of the tables

// The recurrence u J_n = s(n+1) J_(n+1) + s(n) J_(n-1) of the orthonormal
// polynomials of the weight (1 - u^2)^A: s(n)^2 = n (n + 2A) / ((2n + 2A + 1)(2n + 2A - 1)).
real step(int a, int n) noexcept {
    const real nn = n, aa = a;
    return std::sqrt(nn * (nn + 2 * aa) / ((2 * nn + 2 * aa + 1) * (2 * nn + 2 * aa - 1)));
}

// J_0 = 1 / sqrt(integral of the weight), the integral being 2^(2A+1) (A!)^2 / (2A+1)!.
real first(int a) noexcept {
    real mass = 2.0L;
    for (int k = 1; k <= a; ++k) mass *= 4.0L * k * k / ((2.0L * k) * (2.0L * k + 1.0L));
    return 1.0L / std::sqrt(mass);
}

int weight_power(int r) noexcept { return r < 0 ? 0 : r + 1; }
int jacobi_parameter(int r) noexcept { return r < 0 ? 0 : 2 * r + 2; }

// J_0..J_nmax at u into j[].
void all_jacobi(int a, int nmax, real u, real* j) noexcept {
    j[0] = first(a);
    if (nmax < 1) return;
    j[1] = u * j[0] / step(a, 1);
    for (int n = 1; n < nmax; ++n) j[n + 1] = (u * j[n] - step(a, n) * j[n - 1]) / step(a, n + 1);
}

real weight_factor(int r, real u) noexcept {
    real w = 1.0L;
    const real q = 1.0L - u * u;
    for (int i = 0; i < weight_power(r); ++i) w *= q;
    return w;
}

// |b_n(cos theta)|.
real modulus(int r, int n, real theta) noexcept {
    real j[kMaxPositions];
    const real u = std::cos(theta);
    all_jacobi(jacobi_parameter(r), n, u, j);
    return std::fabs(weight_factor(r, u) * j[n]);
}

// The largest |b_n| on the arc [lo, hi] of theta, by golden-section search.
real refine(int r, int n, real lo, real hi) noexcept {
    const real g = 0.6180339887498948482045868343656381L;
    real x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
    real f1 = modulus(r, n, x1), f2 = modulus(r, n, x2);
    for (int it = 0; it < 90; ++it) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + g * (hi - lo);
            f2 = modulus(r, n, x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - g * (hi - lo);
            f1 = modulus(r, n, x1);
        }
    }
    return f1 > f2 ? f1 : f2;
}

// Maxima of |b_n| on [-1, 1] for n = 0..nmax (R >= 0; b_n vanishes at the
// ends and |b_n| is even). A grid in theta over [0, pi/2] finds the lobes;
// every lobe whose grid value is near the best is refined.
void maxima(int r, int nmax, real* out) noexcept {
    constexpr int G = 512;  // about 8 points per lobe at degree 60
    const real half_pi = 1.5707963267948966192313216916397514L;
    const int a = jacobi_parameter(r);
    real best[kMaxPositions] = {};
    real row[3][kMaxPositions];
    auto fill = [&](int i, real* v) {
        const real u = std::cos(half_pi * i / G);
        all_jacobi(a, nmax, u, v);
        const real w = weight_factor(r, u);
        for (int n = 0; n <= nmax; ++n) v[n] = std::fabs(w * v[n]);
    };
    for (int i = 0; i <= G; ++i) {
        fill(i, row[0]);
        for (int n = 0; n <= nmax; ++n)
            if (row[0][n] > best[n]) best[n] = row[0][n];
    }
    for (int n = 0; n <= nmax; ++n) out[n] = best[n];
    fill(0, row[0]);
    fill(1, row[1]);
    for (int i = 1; i <= G; ++i) {
        // row[0], row[1], row[2]: grid points i-1, i, i+1 (mirrored past pi/2).
        fill(i < G ? i + 1 : G - 1, row[2]);
        for (int n = 0; n <= nmax; ++n) {
            const real v = row[1][n];
            if (v >= row[0][n] && v >= row[2][n] && v >= 0.98L * best[n]) {
                const real lo = half_pi * (i - 1) / G, hi = half_pi * (i < G ? i + 1 : i) / G;
                const real m = refine(r, n, lo, hi);
                if (m > out[n]) out[n] = m;
            }
        }
        for (int n = 0; n <= nmax; ++n) {
            row[0][n] = row[1][n];
            row[1][n] = row[2][n];
        }
    }
}

void build(int r, OrderTables& t) noexcept {
    const int k = end_conditions(r), a = jacobi_parameter(r);
    const int nmax = kDeg - k;  // highest n with a position in the table

    // Power coefficients: the monomials, then (1 - u^2)^(R+1) J_n built by
    // the recurrence on coefficient arrays (same-sign terms: no cancellation).
    for (int p = 0; p < kMaxPositions; ++p)
        for (int i = 0; i < kMaxPositions; ++i) t.power[p][i] = 0.0;
    for (int p = 0; p < k; ++p) t.power[p][p] = 1.0;
    real prev[kMaxPositions] = {}, cur[kMaxPositions] = {}, next[kMaxPositions];
    cur[0] = first(a);
    for (int n = 0; n <= nmax; ++n) {
        real b[kMaxPositions] = {};
        for (int i = 0; i <= n; ++i) b[i] = cur[i];
        for (int m = 0; m < weight_power(r); ++m)  // times (1 - u^2)
            for (int i = n + 2 * m + 2; i >= 0; --i)
                if (i < kMaxPositions) b[i] = (i >= 2 ? b[i] - b[i - 2] : b[i]);
        for (int i = 0; i < kMaxPositions; ++i) t.power[k + n][i] = static_cast<double>(b[i]);
        if (n == nmax) break;
        const real s1 = step(a, n + 1), s0 = step(a, n);
        for (int i = 0; i <= n + 1; ++i) {
            const real up = i >= 1 ? cur[i - 1] : 0.0L;
            next[i] = (up - s0 * prev[i]) / s1;
        }
        for (int i = 0; i <= n + 1; ++i) {
            prev[i] = cur[i];
            cur[i] = next[i];
        }
    }

    // Maxima.
    for (int p = 0; p < k; ++p) t.maximum[p] = 1.0;
    if (r < 0) {
        for (int n = 0; n <= kDeg; ++n) t.maximum[n] = static_cast<double>(std::sqrt((2.0L * n + 1.0L) / 2.0L));
    } else {
        real m[kMaxPositions];
        maxima(r, nmax, m);
        for (int n = 0; n <= nmax; ++n)
            t.maximum[k + n] = r == 0 ? static_cast<double>(m[n]) : static_cast<double>(static_cast<float>(m[n]));
    }

    // Weighted values at the Gauss points of every supported rule.
    const auto& g = gauss::tables();
    for (int ri = 0; ri < kNumRules; ++ri) {
        const int npts = kRules[ri], half = npts / 2;
        const double* u = gauss::positive_nodes(npts);
        const double* w = gauss::positive_weights(npts);
        for (int n = 0; n < kMaxPositions; ++n)
            for (int row = 0; row < kMaxRows; ++row) t.weighted[ri][n][row] = 0.0;
        real j[kMaxPositions];
        for (int row = 0; row < half; ++row) {
            const real x = u[row];
            all_jacobi(a, kDeg, x, j);
            const real f = w[row] * weight_factor(r, x);
            for (int n = 0; n <= kDeg; ++n) t.weighted[ri][n][row] = static_cast<double>(f * j[n]);
        }
        if (npts % 2 == 1) {
            all_jacobi(a, kDeg, 0.0L, j);
            for (int n = 0; n <= kDeg; n += 2)
                t.weighted[ri][n][half] = static_cast<double>(static_cast<real>(g.centre[half]) * j[n]);
        }
    }
}

template <int R>
const OrderTables& tables_of() noexcept {
    static const OrderTables* t = [] {
        static OrderTables storage;
        build(R, storage);
        return &storage;
    }();
    return *t;
}

}  // namespace

const OrderTables& tables(int r) noexcept {
    switch (r) {
        case -1: return tables_of<-1>();
        case 0: return tables_of<0>();
        case 1: return tables_of<1>();
        default: return tables_of<2>();
    }
}

long double orthonormal_jacobi(int a, int n, long double u) noexcept {
    real j[kMaxPositions];
    all_jacobi(a, n, u, j);
    return j[n];
}

}  // namespace vcbm::approx
