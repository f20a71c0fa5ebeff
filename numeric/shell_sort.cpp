// Shell sort of a table of records on one key row (vsheld for reals, vsheli
// for 32-bit integers), ascending, in place.
//
// The table T(LDT, N) holds one record per column; KEY selects the row
// compared. Records move whole. The gaps are 1, 4, 13, 40, ... (h -> 3h + 1):
// the first is the smallest of 4, 13, 40, ... not below N div 9, or 1 when
// N div 9 <= 1, and each pass is followed by the gap h div 3. A pass walks
// each record back by steps of h while its key is strictly smaller than the
// one h places before it, so equal keys are never exchanged directly (with
// the single gap 1, for N < 18, the sort is stable).
//
// Out-of-range arguments: N < 2, LDT < 1, or KEY outside 1..LDT leave the
// table as it is.
#include <algorithm>
#include <cstddef>

#include "frame/array_view.hpp"
#include "vcbm_numeric.h"

namespace {

template <class T>
void shell_sort(int n, int ldt_in, T* table, int key) noexcept {
    if (n < 2 || ldt_in < 1 || key < 1 || key > ldt_in) return;
    const std::ptrdiff_t ldt = ldt_in;
    const auto t = vcbm::mat(table, ldt);
    const long q = n / 9;
    long h = 1;
    if (q > 1) {
        h = 4;
        while (h < q) h = 3 * h + 1;
    }
    for (; h > 0; h /= 3) {
        for (long i = h + 1; i <= n; ++i) {
            for (long j = i - h; j >= 1; j -= h) {
                T* lower = t.col(j);
                T* upper = t.col(j + h);
                if (!(upper[key - 1] < lower[key - 1])) break;
                std::swap_ranges(lower, lower + ldt, upper);
            }
        }
    }
}

}  // namespace

extern "C" {

void vsheld(const int* N, const int* LDT, double* T, const int* KEY) { shell_sort(*N, *LDT, T, *KEY); }

void vsheli(const int* N, const int* LDT, int* T, const int* KEY) { shell_sort(*N, *LDT, T, *KEY); }

}  // extern "C"
