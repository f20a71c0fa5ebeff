// The first two derivatives of a canonical curve at a parameter, by two
// Horner chains on the coefficients of the derivative curves formed on the
// fly: the common work of the curvature and of the frame at a regular point.
#pragma once

#include <cmath>
#include <cstddef>

#include "frame/vector_toolkit.hpp"

namespace vcbm::geo {

// D1 and D2 at T of COEF(DIM, NCOEF), NCOEF >= 3. D1 runs on the
// coefficients j COEF(:, j+1) (those of derivc and of mdrvck of order 1),
// D2 on SECOND(j, COEF(i, j+2)), j = 1 .. NCOEF-2, the coefficient of
// t^(j-1) of the second derivative as the caller's reference routine forms
// it, so that both come out with the same roundings as that routine.
template <int Dim, class Second>
inline void first_two(int ncoef, const double* coef, double t, double* d1, double* d2, Second second) noexcept {
    auto a = [coef](int i, int k) { return coef[static_cast<std::ptrdiff_t>(k - 1) * Dim + i]; };
    double s1[Dim], s2[Dim];
    for (int i = 0; i < Dim; ++i) {
        s1[i] = (ncoef - 1) * a(i, ncoef);
        s2[i] = second(ncoef - 2, a(i, ncoef));
    }
    for (int j = ncoef - 2; j >= 1; --j) {
        for (int i = 0; i < Dim; ++i) {
            s1[i] = s1[i] * t + j * a(i, j + 1);
            if (j <= ncoef - 3) s2[i] = s2[i] * t + second(j, a(i, j + 2));
        }
    }
    for (int i = 0; i < Dim; ++i) {
        d1[i] = s1[i];
        d2[i] = s2[i];
    }
}

// The second-derivative coefficient of mdrvck: 2 C(j+1, 2) = j (j+1), an
// exact integer, times the coefficient.
struct SecondOnce {
    double operator()(int j, double c) const noexcept { return static_cast<double>(j * (j + 1)) * c; }
};

// That of derivc then cderiv: j times the first-derivative coefficient (j+1) c.
struct SecondTwice {
    double operator()(int j, double c) const noexcept { return j * ((j + 1) * c); }
};

// normalise() of vector_toolkit.hpp in three dimensions with the sizes read
// once by the caller: the same operations in the same order (the norm scaled
// by its largest component from 1 up, the quotients, the snap to an axis),
// written out so that independent normalisations overlap.
inline bool unit3(const double* v, double* vu, double tol, double& xnorm, const NormSizes& sz) noexcept {
    if (tol <= 0.0) tol = sz.smallest;
    const double a0 = std::fabs(v[0]), a1 = std::fabs(v[1]), a2 = std::fabs(v[2]);
    int k = 0;
    double big = a0;
    if (a1 > big) big = a1, k = 1;
    if (a2 > big) big = a2, k = 2;
    if (big >= 1.0) {
        double s = 0.0;
        for (int i = 0; i < 3; ++i) {
            if (i == k) continue;
            const double r = v[i] / v[k];
            s += r * r;
        }
        xnorm = big * std::sqrt(1.0 + s);
    } else {
        xnorm = std::sqrt(((0.0 + v[0] * v[0]) + v[1] * v[1]) + v[2] * v[2]);
    }
    if (tol >= xnorm) {
        vu[0] = vu[1] = vu[2] = 0.0;
        return false;
    }
    for (int i = 0; i < 3; ++i) vu[i] = v[i] / xnorm;
    int negligible = 0, last = -1;
    for (int i = 0; i < 3; ++i) {
        const double a = std::fabs(vu[i]);
        if (a <= sz.negligible)
            ++negligible;
        else if (a > sz.negligible)
            last = i;
    }
    if (negligible == 2 && last >= 0) {
        const double sign = vu[last] > 0.0 ? 1.0 : -1.0;
        vu[0] = vu[1] = vu[2] = 0.0;
        vu[last] = sign;
    }
    return true;
}

}  // namespace vcbm::geo
