// Reference helpers shared by the numerical tests, in long double and
// independent of the library: seeded random curves, Horner and de Casteljau
// evaluation, binomials and polynomials built from their roots.
#pragma once

#include <cmath>
#include <random>
#include <vector>

namespace ref {

using LD = long double;
using V = std::vector<double>;
inline constexpr LD kUnit = 0x1p-53L;  // unit roundoff of a double

// N values drawn uniformly in [LO, HI].
inline V random_values(std::mt19937& g, std::size_t n, double lo = -1.0, double hi = 1.0) {
    std::uniform_real_distribution<double> u(lo, hi);
    V v(n);
    for (auto& x : v) x = u(g);
    return v;
}

inline LD binom(int n, int p) { return std::round(std::tgamma(n + 1.0L) / std::tgamma(p + 1.0L) / std::tgamma(n - p + 1.0L)); }

// Component I of the canonical curve COEF(LD, NCOEF) at T (Horner); with
// ABS, the sum of |c_k| |T|^k against which rounding errors are measured.
inline LD horner(const double* coef, int ld, int ncoef, int i, LD t, bool abs = false) {
    LD s = 0;
    for (int j = ncoef - 1; j >= 0; --j)
        s = abs ? s * std::fabs(t) + std::fabs(coef[j * ld + i]) : s * t + coef[j * ld + i];
    return s;
}

// Component I of the Bernstein curve POLY(LD, NCOEF) on [0, 1] at T (de Casteljau).
inline LD bernstein(const double* poly, int ld, int ncoef, int i, LD t) {
    std::vector<LD> b(ncoef);
    for (int j = 0; j < ncoef; ++j) b[j] = poly[j * ld + i];
    for (int r = 1; r < ncoef; ++r)
        for (int j = 0; j < ncoef - r; ++j) b[j] = b[j] + (b[j + 1] - b[j]) * t;
    return b[0];
}

// Canonical coefficients of SCALE * prod (t - r).
inline V from_roots(const V& roots, double scale = 1.0) {
    V c{scale};
    for (double r : roots) {
        V d(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            d[i + 1] += c[i];
            d[i] -= r * c[i];
        }
        c = d;
    }
    return c;
}

}  // namespace ref
