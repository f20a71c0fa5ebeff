// Products, norms, scalar Horner, factorials, table search, degree
// conversion, binomial access and the relative comparison of two reals.
// None of these has a trace or an error code.
#include <algorithm>
#include <cmath>

#include "OrvoSystem.h"
#include "frame/array_view.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_frame.h"

extern "C" {

double sc(const int* N, const double* A, const double* B) {
    double s = 0.0;
    for (int i = 0; i < *N; ++i) s += A[i] * B[i];
    return s;
}

void pvec(const double* A, const double* B, double* C) { vcbm::cross3(A, B, C); }

double pmixt(const double* A, const double* B, const double* C) { return vcbm::triple3(A, B, C); }

double zsnorm(const int* N, const double* V) { return vcbm::norm(*N, V); }

void upos(const int* N, const double* A, const double* X, double* P) {
    const int n = *N;
    if (n < 1) {
        *P = 0.0;
        return;
    }
    const double x = *X;
    double p = A[n - 1];
    for (int i = n - 2; i >= 0; --i) p = p * x + A[i];
    *P = p;
}

double fac(double* F, const int* N) {
    auto f = vcbm::vec(F);
    f(1) = 1.0;
    for (int k = 2; k <= *N; ++k) f(k) = f(k - 1) * k;
    return *N < 2 ? 1.0 : f(*N);
}

void sintab(const int* IVAL, const int* N, const int* ITAB, int* IPOS) {
    *IPOS = 0;
    for (int i = 1; i <= *N; ++i) {
        if (ITAB[i - 1] == *IVAL) {
            *IPOS = i;
            return;
        }
    }
}

double sdegrd(const double* ANGLE) { return *ANGLE * dnombr[3]; }

// The table entry at N + 61P. Positions outside the 61 x 61 table give 0.
double maccnp(const int* N, const int* P) {
    const int n = *N, p = *P;
    if (n < 0 || p < 0 || n > vcbm::kMaxBinomial || p > vcbm::kMaxBinomial) return 0.0;
    return mcmcnp[n + 61 * p];
}

// Both magnitudes are clamped into [TOL(2), TOL(3)] with their signs kept.
// A value that meets a bound carries no reliable sign of its own, so A then
// takes B's sign: two tiny values of opposite signs compare equal.
int scmpval(const double* A, const double* B, const double* TOL) {
    const double lo = TOL[1], hi = TOL[2];
    const double ma = std::min(std::max(std::fabs(*A), lo), hi);
    const double mb = std::min(std::max(std::fabs(*B), lo), hi);
    double a = std::copysign(ma, *A);
    const double b = std::copysign(mb, *B);
    if (ma == lo || ma == hi || mb == lo || mb == hi) a = std::copysign(ma, b);
    return TOL[0] >= std::fabs(a - b) / std::sqrt(std::fabs(a * b)) ? -1 : 0;
}

}  // extern "C"
