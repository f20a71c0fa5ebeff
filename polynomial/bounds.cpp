// Extreme values of a coefficient list.
#include "vcbm_polynomial.h"

extern "C" double ugpolx(const int* N, const double* A, double* AMAX, double* AMIN) {
    const int n = *N;
    if (n < 1) return *AMIN;
    double hi = A[0], lo = A[0];
    for (int i = 1; i < n; ++i) {
        if (A[i] > hi)
            hi = A[i];
        else if (A[i] < lo)
            lo = A[i];
    }
    *AMAX = hi;
    *AMIN = lo;
    return lo;
}

extern "C" void utspol(const int* N, const double* A, double* AMIN, double* AMAX) {
    const int n = *N;
    if (n < 1) return;
    double hi = A[0], lo = A[0];
    for (int i = 1; i < n; ++i) {
        const double a = A[i];
        if (a > hi) {
            hi = a;
            if (a > 0.0 && lo < 0.0) break;  // both signs seen
        } else if (a < lo) {
            lo = a;
            if (a < 0.0 && hi > 0.0) break;
        }
    }
    *AMIN = lo;
    *AMAX = hi;
}
