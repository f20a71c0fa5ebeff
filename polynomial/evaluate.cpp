// Values of scalar polynomials and points of curves in canonical form, and
// the derivative and product of scalar polynomials. No trace, no error code:
// empty input gives a zero result.
#include <climits>

#include "VelCurveBasedInfrastructure.h"
#include "frame/array_view.hpp"
#include "polynomial/horner.hpp"
#include "vcbm_polynomial.h"

extern "C" {

double polval(const double* A, const int* N, const double* T) {
    const int n = *N;
    if (n < 1) return 0.0;
    const double t = *T;
    double p = A[n - 1];
    for (int i = n - 2; i >= 0; --i) p = p * t + A[i];
    return p;
}

void polder(const double* A, const int* N, double* B, int* NB) {
    const int n = *N;
    if (n < 2) {
        *NB = 1;
        B[0] = 0.0;
        return;
    }
    for (int i = 1; i <= n - 1; ++i) B[i - 1] = i * A[i];
    *NB = n - 1;
}

void polpol(const int* NA, const double* A, const int* NB, const double* B, int* NC, double* C) {
    const int na = *NA, nb = *NB;
    if (na < 1 || nb < 1) return;
    const int nc = na + nb - 1;
    for (int k = 0; k < nc; ++k) C[k] = 0.0;
    for (int i = 0; i < na; ++i)
        for (int j = 0; j < nb; ++j) C[i + j] += A[i] * B[j];
    *NC = nc;
}

void vpscr2(const int* NCOEF, const double* COEF, const double* T, double* P) {
    vcbm::curve_point_fixed<2>(*NCOEF, COEF, *T, P);
}

void vpscr3(const int* NCOEF, const double* COEF, const double* T, double* P) {
    vcbm::curve_point_fixed<3>(*NCOEF, COEF, *T, P);
}

void pocurv(const int* NDIM, const int* NCOEF, const double* COEF, const double* T, double* P) {
    const int ndim = *NDIM, ncoef = *NCOEF;
    // Dimensions 2 and 3 go to the unrolled evaluators, which clear P
    // themselves when there is no coefficient.
    if (ndim == 3) return vcbm::curve_point_fixed<3>(ncoef, COEF, *T, P);
    if (ndim == 2) return vcbm::curve_point_fixed<2>(ncoef, COEF, *T, P);
    if (ncoef < 1) {
        for (int i = 0; i < ndim; ++i) P[i] = 0.0;
        return;
    }
    vcbm::curve_point(ndim, ndim, ncoef, COEF, *T, P);
}

// Reads only rows 1..NDIM of COEF(NDIMAX, NCOEF). NDIM > NDIMAX does not
// describe an array: the point is then the origin and COEF is not read.
void mpocrb(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* T, double* P) {
    const int ndimax = *NDIMAX, ncoef = *NCOEF, ndim = *NDIM;
    if (ndim >= 1 && ndim <= INT_MAX / 8) {
        int nbytes = 8 * ndim;
        irazx(&nbytes, P);
    } else {
        for (int i = 0; i < ndim; ++i) P[i] = 0.0;
    }
    if (ncoef < 1 || ndim < 1 || ndim > ndimax) return;
    if (ndimax == ndim) {
        if (ndim == 3) return vcbm::curve_point_fixed<3>(ncoef, COEF, *T, P);
        if (ndim == 2) return vcbm::curve_point_fixed<2>(ncoef, COEF, *T, P);
    }
    vcbm::curve_point(ndim, ndimax, ncoef, COEF, *T, P);
}

}  // extern "C"
