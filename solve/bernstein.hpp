// Midpoint subdivision of a scalar control polygon, the innermost step of
// the interval root finder: the de Casteljau triangle of the library's split
// routines, kept in one row on the stack instead of a caller's square array.
#pragma once

namespace vcbm::bern {

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

}  // namespace vcbm::bern
