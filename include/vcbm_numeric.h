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

/* ---- Simplex optimisation ---- */

VCBM_END_DECLS

#endif
