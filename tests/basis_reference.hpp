// Reference evaluations for the basis-conversion and control-polygon tests,
// in long double and independent of the library.
#pragma once

#include <cmath>
#include <random>
#include <vector>

namespace basis_ref {

using LD = long double;
inline constexpr LD kUnit = 0x1p-53L;  // unit roundoff of a double

inline std::vector<double> random_values(std::mt19937& g, std::size_t n, double lo = -1.0, double hi = 1.0) {
    std::uniform_real_distribution<double> u(lo, hi);
    std::vector<double> v(n);
    for (auto& x : v) x = u(g);
    return v;
}

inline LD binom(int n, int p) {
    LD r = 1;
    for (int i = 1; i <= p; ++i) r = r * (n - p + i) / i;
    return std::round(r);
}

// Component I (0-based) of the canonical curve COEF(LD, NCOEF) at T, by Horner.
inline LD horner(const double* coef, int ld, int ncoef, int i, LD t) {
    LD s = 0;
    for (int j = ncoef - 1; j >= 0; --j) s = s * t + coef[j * ld + i];
    return s;
}

// Component I of the Bernstein curve POLY(LD, NCOEF) on [0, 1] at T, by de Casteljau.
inline LD bernstein(const double* poly, int ld, int ncoef, int i, LD t) {
    std::vector<LD> b(ncoef);
    for (int j = 0; j < ncoef; ++j) b[j] = poly[j * ld + i];
    for (int r = 1; r < ncoef; ++r)
        for (int j = 0; j < ncoef - r; ++j) b[j] = b[j] + (b[j + 1] - b[j]) * t;
    return b[0];
}

// Sum of |c_k| x^k: the size against which a rounding error in a change of
// variable or basis is measured.
inline LD abs_size(const double* coef, int ld, int ncoef, int i, LD x) {
    LD s = 0;
    for (int j = ncoef - 1; j >= 0; --j) s = s * x + std::fabs(coef[j * ld + i]);
    return s;
}

}  // namespace basis_ref
