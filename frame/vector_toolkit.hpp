// Internal helpers of the vector toolkit, shared by its source files and by
// the polynomial evaluators: products, the overflow-resistant norm, the
// normalisation with its axis snap, binomials and exact factorials.
#pragma once

#include <array>
#include <cmath>

#include "OrvoSystem.h"

namespace vcbm {

// ---- Products ----------------------------------------------------------------

inline double dot3(const double* a, const double* b) noexcept {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

inline void cross3(const double* a, const double* b, double* c) noexcept {
    const double c1 = a[1] * b[2] - a[2] * b[1];
    const double c2 = a[2] * b[0] - a[0] * b[2];
    const double c3 = a[0] * b[1] - a[1] * b[0];
    c[0] = c1;
    c[1] = c2;
    c[2] = c3;
}

// (A x B) . C
inline double triple3(const double* a, const double* b, const double* c) noexcept {
    double w[3];
    cross3(a, b, w);
    return dot3(w, c);
}

// Euclidean norm of V(N). The largest component (the first of equal ones)
// scales the sum when it is at least 1, so that large vectors do not
// overflow; smaller vectors are summed as they are. 0 when N < 1.
inline double norm(int n, const double* v) noexcept {
    if (n < 1) return 0.0;
    int k = 0;
    double big = std::fabs(v[0]);
    for (int i = 1; i < n; ++i) {
        if (std::fabs(v[i]) > big) {
            big = std::fabs(v[i]);
            k = i;
        }
    }
    double s = 0.0;
    if (big >= 1.0) {
        for (int i = 0; i < n; ++i) {
            if (i == k) continue;
            const double r = v[i] / v[k];
            s += r * r;
        }
        return big * std::sqrt(1.0 + s);
    }
    for (int i = 0; i < n; ++i) s += v[i] * v[i];
    return std::sqrt(s);
}

// ---- Normalisation -----------------------------------------------------------

// The two sizes the normalisation derives from the decimal exponent E of
// aovsr8: 10^-E, the smallest norm treated as non-zero, and
// 10^((-E-1)/2) (integer division), the size of a negligible unit-vector
// component.
struct NormSizes {
    double smallest;
    double negligible;
};
NormSizes norm_sizes() noexcept;  // calls aovsr8

// VU = V/norm(V) with the snap to an exact axis. The tolerance is TOL
// itself when positive, 10^-E otherwise. Returns false (VU = 0 through
// vrirazx) when the norm does not exceed the tolerance. XNORM receives the
// norm in every case.
bool normalise(int n, const double* v, double* vu, double tol, double& xnorm) noexcept;

// unitvt's behaviour for internal callers: 0 on success; 1 after
// germsg("UNITVT") when N < 1 or V is too short.
int unit_vector(int n, const double* v, double* vu) noexcept;

// ---- Binomials and factorials ------------------------------------------------

// Largest n of the binomial table mcmcnp (61 x 61).
inline constexpr int kMaxBinomial = 60;

// C(n, p) from the mcmcnp table, 0 <= p <= n <= 60. Outside that range the
// table is not read and the result is 0.
inline double binomial(int n, int p) noexcept {
    if (p < 0 || n < p || n > kMaxBinomial) return 0.0;
    return mcmcnp[n + 61 * p];
}

// Exact factorials 0! .. 21!, formed by products in double: every partial
// product up to 22! is representable, so no step rounds.
inline constexpr int kExactFactorials = 21;
inline constexpr std::array<double, kExactFactorials + 1> kFactorial = [] {
    std::array<double, kExactFactorials + 1> f{};
    f[0] = 1.0;
    for (int k = 1; k <= kExactFactorials; ++k) f[k] = f[k - 1] * k;
    return f;
}();

// r!: from the table for r <= 21, as the product 1 * 2 * ... * r above;
// 1 for r < 2.
inline double factorial(int r) noexcept {
    if (r < 2) return 1.0;
    if (r <= kExactFactorials) return kFactorial[r];
    double f = 1.0;
    for (int k = 2; k <= r; ++k) f *= k;
    return f;
}

}  // namespace vcbm
