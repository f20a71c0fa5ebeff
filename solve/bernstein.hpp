// Midpoint subdivision of a scalar control polygon, the innermost step of
// the interval root finder: the de Casteljau triangle of the library's split
// routines, kept in one row on the stack instead of a caller's square array.
#pragma once

namespace vcbm::bern {

// de Casteljau split at 1/2: the polygons of the two halves, each on [0, 1].
// n <= 61. Column r of the de Casteljau triangle is built from column r-1;
// the left polygon takes the first point of each column, the right polygon
// its last point, from the split point to the end. Short polygons update
// one row in place, carrying the old value of the previous entry; longer
// ones alternate two rows, a loop the compiler vectorises. Both compute the
// same averages.
inline void split_half(const double* p, int n, double* left, double* right) noexcept {
    double rows[2][61];
    double* __restrict cur = rows[0];
    double* __restrict next = rows[1];
    for (int i = 0; i < n; ++i) cur[i] = p[i];
    left[0] = cur[0];
    right[n - 1] = cur[n - 1];
    if (n <= 10) {
        for (int r = 1; r < n; ++r) {
            double prev = cur[r - 1];
            for (int i = r; i < n; ++i) {
                const double old = cur[i];
                cur[i] = (prev + old) / 2.0;
                prev = old;
            }
            left[r] = cur[r];
            right[n - 1 - r] = cur[n - 1];
        }
        return;
    }
    for (int r = 1; r < n; ++r) {
        for (int i = r; i < n; ++i) next[i] = (cur[i - 1] + cur[i]) / 2.0;
        left[r] = next[r];
        right[n - 1 - r] = next[n - 1];
        double* t = cur;
        cur = next;
        next = t;
    }
}

}  // namespace vcbm::bern
