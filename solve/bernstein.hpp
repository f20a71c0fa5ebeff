// Scalar Bernstein helpers of the interval root finder: true degree, control
// polygon on an interval, midpoint subdivision and coefficient bounds.
//
// They follow the library's conventions for these operations (composition
// one power at a time for the change of interval, repeated prefix sums for
// the conversion, the de Casteljau triangle for the split) so that the
// polygons are the ones the conversion routines produce; they work on one
// component, in the caller's arrays, without a frame.
#pragma once

#include "OrvoSystem.h"

namespace vcbm::bern {

inline double binom(int n, int p) noexcept { return mcmcnp[n + 61 * p]; }

// Index (1-based) of the last non-zero coefficient at or after the second;
// a NaN counts as non-zero; at least 1.
inline int degree_count(const double* c, int n) noexcept {
    for (int k = n; k >= 2; --k)
        if (!(c[k - 1] == 0.0)) return k;
    return 1;
}

// out(s) = c(ta + (tb - ta) s), n coefficients; v is scratch of n + 1 reals.
inline void reparametrise(const double* c, int n, double ta, double tb, double* out, double* v) noexcept {
    out[0] = c[0];
    if (n == 1) return;
    const double h = tb - ta;
    v[0] = ta;
    v[1] = h;
    for (int k = 1; k <= n - 1; ++k) {
        const double ck = c[k];
        for (int i = 0; i < k; ++i) out[i] += ck * v[i];
        out[k] = ck * v[k];
        v[k + 1] = v[k] * h;
        for (int i = k; i >= 1; --i) v[i] = ta * v[i] + h * v[i - 1];
        v[0] = ta * v[0];
    }
}

// Control polygon on [0, 1] of the canonical polynomial c (n <= 61).
inline void to_polygon(const double* c, int n, double* poly) noexcept {
    const int deg = n - 1;
    for (int j = 0; j < n; ++j) poly[j] = c[j] / binom(deg, j);
    for (int k = 1; k <= deg; ++k)
        for (int j = n - 1; j >= k; --j) poly[j] += poly[j - 1];
}

// Control polygon of c on [ta, tb]; work holds 2n + 1 reals.
inline void polygon_on(const double* c, int n, double ta, double tb, double* work, double* poly) noexcept {
    if (ta == 0.0 && tb == 1.0) {
        to_polygon(c, n, poly);
        return;
    }
    reparametrise(c, n, ta, tb, work, work + n);
    to_polygon(work, n, poly);
}

// de Casteljau split at 1/2: the polygons of the two halves, each on [0, 1].
// n <= 61. Column r of the triangle is kept in one row t, updated from the
// bottom up; the left polygon takes its first point, the right polygon its
// last point, from the split point to the end.
inline void split_half(const double* p, int n, double* left, double* right) noexcept {
    double t[61];
    for (int i = 0; i < n; ++i) t[i] = p[i];
    left[0] = t[0];
    right[n - 1] = t[n - 1];
    for (int r = 1; r < n; ++r) {
        for (int i = n - 1; i >= r; --i) t[i] = (t[i - 1] + t[i]) / 2.0;
        left[r] = t[r];
        right[n - 1 - r] = t[n - 1];
    }
}

// Smallest and largest of a, stopping once both a strictly positive and a
// strictly negative value have been seen (the callers test signs only).
inline void sign_bounds(const double* a, int n, double& amin, double& amax) noexcept {
    amin = amax = a[0];
    for (int i = 1; i < n; ++i) {
        const double v = a[i];
        if (v > amax) {
            amax = v;
            if (v > 0.0 && amin < 0.0) return;
        } else if (v < amin) {
            amin = v;
            if (v < 0.0 && amax > 0.0) return;
        }
    }
}

// Largest and smallest of a.
inline void bounds(const double* a, int n, double& amax, double& amin) noexcept {
    amax = amin = a[0];
    for (int i = 1; i < n; ++i) {
        if (a[i] > amax)
            amax = a[i];
        else if (a[i] < amin)
            amin = a[i];
    }
}

}  // namespace vcbm::bern
