// Horner evaluation of curves in canonical form, COEF(LD, NCOEF) with
// column j the coefficient of t^(j-1). Shared by the curve evaluators and
// available to the other polynomial routines of the library.
#pragma once

#include <cstddef>

namespace vcbm {

// C(T) in dimension D (2 or 3 in practice), leading dimension D, every
// component carried at once. T = 0 and T = 1 are answered without
// multiplication, so the end points of a curve on [0, 1] come out as its
// first column and as the sum of its columns (added from the last one, which
// is what the Horner scheme itself adds at T = 1).
template <int D>
inline void curve_point_fixed(int ncoef, const double* coef, double t, double* p) noexcept {
    if (ncoef < 1) {
        for (int i = 0; i < D; ++i) p[i] = 0.0;
        return;
    }
    if (ncoef == 1 || t == 0.0) {
        for (int i = 0; i < D; ++i) p[i] = coef[i];
        return;
    }
    const double* c = coef + static_cast<std::ptrdiff_t>(ncoef - 1) * D;
    double s[D];
    for (int i = 0; i < D; ++i) s[i] = c[i];
    if (t == 1.0) {
        for (int j = ncoef - 1; j >= 1; --j) {
            c -= D;
            for (int i = 0; i < D; ++i) s[i] += c[i];
        }
    } else {
        for (int j = ncoef - 1; j >= 1; --j) {
            c -= D;
            for (int i = 0; i < D; ++i) s[i] = s[i] * t + c[i];
        }
    }
    for (int i = 0; i < D; ++i) p[i] = s[i];
}

// C(T) for the first NDIM rows of COEF(LD, NCOEF), any NDIM, NCOEF >= 1.
// T = 0 gives the first column, T = 1 the sum of the columns (from the
// last); otherwise each component runs S = (S + COEF(i, j)) T for j =
// NCOEF down to 2 and ends with S + COEF(i, 1). Four components share a pass
// so that their independent chains overlap.
inline void curve_point(int ndim, std::ptrdiff_t ld, int ncoef, const double* coef, double t,
                        double* p) noexcept {
    auto at = [&](int i, int j) { return coef[static_cast<std::ptrdiff_t>(j - 1) * ld + (i - 1)]; };
    if (t == 0.0) {
        for (int i = 1; i <= ndim; ++i) p[i - 1] = at(i, 1);
        return;
    }
    if (t == 1.0) {
        for (int i = 1; i <= ndim; ++i) {
            double s = at(i, ncoef);
            for (int j = ncoef - 1; j >= 1; --j) s += at(i, j);
            p[i - 1] = s;
        }
        return;
    }
    int i = 1;
    for (; i + 3 <= ndim; i += 4) {
        double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
        for (int j = ncoef; j >= 2; --j) {
            const double* c = coef + static_cast<std::ptrdiff_t>(j - 1) * ld + (i - 1);
            s0 = (s0 + c[0]) * t;
            s1 = (s1 + c[1]) * t;
            s2 = (s2 + c[2]) * t;
            s3 = (s3 + c[3]) * t;
        }
        p[i - 1] = s0 + at(i, 1);
        p[i] = s1 + at(i + 1, 1);
        p[i + 1] = s2 + at(i + 2, 1);
        p[i + 2] = s3 + at(i + 3, 1);
    }
    for (; i <= ndim; ++i) {
        double s = 0.0;
        for (int j = ncoef; j >= 2; --j) s = (s + at(i, j)) * t;
        p[i - 1] = s + at(i, 1);
    }
}

}  // namespace vcbm
