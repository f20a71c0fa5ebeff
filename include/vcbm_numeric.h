/* Numerical kernels: linear systems, eigenproblem and sorting, quadrature, simplex. */
#ifndef VCBM_NUMERIC_H
#define VCBM_NUMERIC_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Linear systems ---- */
/* Solves A.X = B (one right-hand side) by elimination with row pivoting; IER 1 = solved, 2 = singular
   (a pivot of modulus <= EPS, or zero). N < 1: IER 1, nothing touched; LDA < N: IER 2, nothing touched. */
VCBM_API void rslv(double* A, double* B, const int* N, const int* LDA, const double* EPS, int* IER);
/* Solves A.X = B column by column through rslv (A copied to AW, columns through X); IER as rslv,
   left as it was when NRHS < 1; LDA < N: IER 2, nothing touched. */
VCBM_API void rslw(const double* A, double* B, const int* N, const int* NRHS, double* X, double* AW,
                   const int* LDA, const void* RESERVED, const double* EPS, int* IER);
/* Solves the augmented system W(N+NRHS, N), stored equation by equation; IER 0 = solved, 1 = singular.
   N < 1: IER 0, nothing written; NRHS < 0 or LDX < N: IER 1, nothing written. */
VCBM_API void mrslw(const int* LDX, const int* N, const int* NRHS, const double* EPS, double* W, double* X,
                    int* IER);
/* Solves A.X = B through mrslw; IER 0 = solved, 1 = singular (also NRHS < 0 or LDA < N). */
VCBM_API void mrslwd(const int* LDA, const int* N, const int* NRHS, const double* A, const double* B,
                     const double* EPS, double* W, double* X, int* IER);
/* Solves the transposed system A^T.X = B through mrslw; IER 0 = solved, 1 = singular (also NRHS < 0 or LDA < N). */
VCBM_API void mrslwi(const int* LDA, const int* N, const int* NRHS, const double* A, const double* B,
                     const double* EPS, double* W, double* X, int* IER);

/* ---- Symmetric eigenproblem and sorting ---- */
/* Eigenvalues (decreasing) and eigenvectors of a symmetric matrix by cyclic Jacobi; IER 0 = converged,
   1 = sweep limit reached, 11 = EPS <= 0 (or not a number), 12 = LDA < N (N >= 1); nothing computed for 11, 12. */
VCBM_API void vpvpsy(double* A, const int* N, const int* LDA, const double* EPS, double* D, double* V,
                     int* NSWEEP, double* OFFNRM, int* IER);
/* Shell sort of the N records T(LDT, N) of reals on row KEY, ascending; no effect unless 1 <= KEY <= LDT. */
VCBM_API void vsheld(const int* N, const int* LDT, double* T, const int* KEY);
/* Shell sort of the N records T(LDT, N) of integers on row KEY, ascending; no effect unless 1 <= KEY <= LDT. */
VCBM_API void vsheli(const int* N, const int* LDT, int* T, const int* KEY);

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
   refuses the call, otherwise 0 or FUNC's code (-1 for LEVEL outside 1..10: the 40-point rule is used). */
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
