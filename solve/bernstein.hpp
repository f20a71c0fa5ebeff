// Midpoint subdivision of a scalar control polygon, the innermost step of
// the interval root finder: the de Casteljau triangle of the library's split
// routines, kept in one row on the stack instead of a caller's square array.
#pragma once

namespace vcbm::bern {

// de Casteljau split at 1/2: the polygons of the two halves, each on [0, 1].
// N is the count (n <= 61), an int or a std::integral_constant.
//
// Row r of the triangle holds the averages (a + b) / 2 of neighbouring
// entries a, b (lower index first) of row r-1; the left polygon takes the
// first entry of each row, the right polygon its last entry, from the split
// point to the end. The rows are formed four at a time: one sweep up the
// row carries the latest entry of each of the four rows in registers, so
// that every value is loaded and stored once per four rows and no load
// waits on a store just made. Each entry is the same average of the same
// two numbers as row by row.
template <class N>
[[gnu::always_inline]] inline void split_half(const double* p, N count, double* left, double* right) noexcept {
    const int n = count;
    if (n < 1 || n > 61) __builtin_unreachable();
    double v[61];
    for (int i = 0; i < n; ++i) v[i] = p[i];
    left[0] = v[0];
    right[n - 1] = v[n - 1];
    int r = 1;
    for (; r + 3 < n; r += 4) {
        // Rows r..r+3. pt is the entry of row r-1 at the index last
        // visited, pb, pc, pd, pe those of rows r, r+1, r+2, r+3. Row k
        // starts at index k: the first four indices fill the triangle.
        double pt = v[r - 1], pb, pc, pd, pe;
        double t = v[r];
        pb = (pt + t) / 2.0;
        pt = t;
        left[r] = pb;
        t = v[r + 1];
        {
            const double b = (pt + t) / 2.0;
            pc = (pb + b) / 2.0;
            pt = t;
            pb = b;
        }
        left[r + 1] = pc;
        t = v[r + 2];
        {
            const double b = (pt + t) / 2.0;
            const double c = (pb + b) / 2.0;
            pd = (pc + c) / 2.0;
            pt = t;
            pb = b;
            pc = c;
        }
        left[r + 2] = pd;
        t = v[r + 3];
        {
            const double b = (pt + t) / 2.0;
            const double c = (pb + b) / 2.0;
            const double d = (pc + c) / 2.0;
            pe = (pd + d) / 2.0;
            pt = t;
            pb = b;
            pc = c;
            pd = d;
        }
        left[r + 3] = pe;
        v[r + 3] = pe;
        for (int i = r + 4; i < n; ++i) {
            t = v[i];
            const double b = (pt + t) / 2.0;
            const double c = (pb + b) / 2.0;
            const double d = (pc + c) / 2.0;
            const double e = (pd + d) / 2.0;
            v[i] = e;  // row r+3, the next sweep's row r-1
            pt = t;
            pb = b;
            pc = c;
            pd = d;
            pe = e;
        }
        right[n - 1 - r] = pb;
        right[n - 2 - r] = pc;
        right[n - 3 - r] = pd;
        right[n - 4 - r] = pe;
    }
    // The last rows (fewer than four), one at a time in place, carrying the
    // old value of the previous entry.
    for (; r < n; ++r) {
        double prev = v[r - 1];
        for (int i = r; i < n; ++i) {
            const double old = v[i];
            v[i] = (prev + old) / 2.0;
            prev = old;
        }
        left[r] = v[r];
        right[n - 1 - r] = v[n - 1];
    }
}

}  // namespace vcbm::bern
