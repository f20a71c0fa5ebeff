/* Numerical kernels: linear systems, eigenproblem and sorting, quadrature, simplex. */
#ifndef VCBM_NUMERIC_H
#define VCBM_NUMERIC_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Linear systems ---- */

/* ---- Symmetric eigenproblem and sorting ---- */

/* ---- Gauss-Legendre quadrature ---- */

/* Integrand: F(NDIM) = the NDIM values at T; IER arrives 0 and is set non-zero on failure. */
typedef void (*vcbm_integrand)(const int* NDIM, const double* T, double* F, int* IER);

/* X(N) = nodes of the N-point Gauss-Legendre rule on [-1, 1], increasing; N outside 1..61 writes nothing. */
VCBM_API void mextrl(const int* N, double* X);
/* W(N) = weights matching mextrl's nodes; N outside 1..61 writes nothing. */
VCBM_API void mexthi(const int* N, double* W);
/* X(2L), W(2L) = positive nodes (outermost first) and weights of the 4L-point rule, NPTS = 2L;
   IER -1 and L = 10 for LEVEL outside 1..10. */
VCBM_API void vgaus0(const int* LEVEL, double* X, double* W, int* NPTS, int* IER);
/* RESULT(NDIM) = the 4*LEVEL-point rule applied to FUNC on [A, B]; IER 1 (NDIM < 1) or 10 (NDIM > 10)
   refuses the call, otherwise 0 or FUNC's code. */
VCBM_API void vgaus1(const int* NDIM, vcbm_integrand FUNC, const int* LEVEL, const double* A, const double* B,
                     double* RESULT, int* NCALLS, int* IER);
/* RESULT(NDIM) = integral of FUNC on [A, B], levels 1..10 until the change is below max(|TOL|, 1e-10);
   NDIM refused as in vgaus1. */
VCBM_API void vgauss(const int* NDIM, vcbm_integrand FUNC, const double* A, const double* B, const double* TOL,
                     double* RESULT, double* ERRMAX, int* NCALLS, int* IER);
/* Second copy of vgauss with storage of its own: may run inside a vgauss integrand. */
VCBM_API void vgausa(const int* NDIM, vcbm_integrand FUNC, const double* A, const double* B, const double* TOL,
                     double* RESULT, double* ERRMAX, int* NCALLS, int* IER);
/* Second copy of vgaus1, used by vgausa. */
VCBM_API void vgausb(const int* NDIM, vcbm_integrand FUNC, const int* LEVEL, const double* A, const double* B,
                     double* RESULT, int* NCALLS, int* IER);

/* ---- Simplex optimisation ---- */

/* Minimises C.X subject to A(LDA, N) X = B(M), X >= 0 (revised simplex); OPTION 0/1 start from the last M columns,
   10/11 continue from the previous call's basis (0/10 most negative cost, 1/11 smallest index);
   IER 0, 1 limits or basis, 2 option, -1 unbounded, -2 MAXIT reached, -3 M = 0 with a pivot. */
VCBM_API void msimpl(const int* M, const int* N, const int* LDA, const double* A, const double* B, const double* C,
                     const int* MAXIT, const int* OPTION, double* X, int* NIT, int* STATUS, int* IER);

VCBM_END_DECLS

#endif
