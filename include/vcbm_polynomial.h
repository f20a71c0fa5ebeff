/* Polynomial curves and patches: evaluation, basis conversion, control polygons, bounds. */
#ifndef VCBM_POLYNOMIAL_H
#define VCBM_POLYNOMIAL_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Evaluation of polynomials, curves and patches ---- */

/* Value of the scalar polynomial A(N) at T by Horner; 0 when N < 1. */
VCBM_API double polval(const double* A, const int* N, const double* T);
/* Derivative B(NB) of A(N): NB = N-1, B(i) = i A(i+1); NB = 1, B(1) = 0 when N < 2. */
VCBM_API void polder(const double* A, const int* N, double* B, int* NB);
/* Product C(NC) of A(NA) and B(NB), NC = NA+NB-1; nothing when NA < 1 or NB < 1. */
VCBM_API void polpol(const int* NA, const double* A, const int* NB, const double* B, int* NC, double* C);
/* Point P(NDIM) of the curve COEF(NDIM, NCOEF) at T; the origin when NCOEF < 1. */
VCBM_API void pocurv(const int* NDIM, const int* NCOEF, const double* COEF, const double* T, double* P);
/* Point P(NDIM) at T of the first NDIM rows of COEF(NDIMAX, NCOEF); the origin when NCOEF < 1 or NDIM > NDIMAX. */
VCBM_API void mpocrb(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* T,
                     double* P);
/* Point P(2) of the planar curve COEF(2, NCOEF) at T. */
VCBM_API void vpscr2(const int* NCOEF, const double* COEF, const double* T, double* P);
/* Point P(3) of the space curve COEF(3, NCOEF) at T. */
VCBM_API void vpscr3(const int* NCOEF, const double* COEF, const double* T, double* P);
/* First-derivative curve COEFD(NDIM, NCOEFD); NCOEFD = 1 and COEFD = 0 when NCOEF < 2. */
VCBM_API void derivc(const int* NDIM, const int* NCOEF, const double* COEF, int* NCOEFD, double* COEFD);
/* Derivative curve of order IORDR; one zero coefficient when IORDR >= NCOEF, IORDR < 0 or NCOEF > 61. COEFD may be COEF. */
VCBM_API void mcdriv(const int* NDIM, const int* NCOEF, const double* COEF, const int* IORDR, int* NCOEFD,
                     double* COEFD);
/* mcdriv in place on COEF(NDIM, NCOEF); the whole array zeroed and NCOEF = 1 when the derivative vanishes. */
VCBM_API void cderiv(int* NCOEF, const int* NDIM, double* COEF, const int* IORDR);
/* Derivative of order IORDR at T, D(NDIM); 0 when IORDR >= NCOEF, IORDR < 0 or NCOEF > 61. */
VCBM_API void mdrvck(const int* NCOEF, const int* NDIM, const double* COEF, const int* IORDR, const double* T,
                     double* D);
/* Point and derivatives D(NDIM, 0:IORDR) at T; IER = 1 when IORDR < 0 or NCOEF < 1. */
VCBM_API void mdrvcb(const int* IORDR, const int* NDIM, const int* NCOEF, const double* COEF, const double* T,
                     double* D, int* IER);
/* Point P(3) of the patch COEF(3, 21, NV) at (U, V); 0 when NU < 1, NV < 1 or NU > 21. */
VCBM_API void posurf(const double* COEF, const int* NU, const int* NV, const double* U, const double* V, double* P);
/* Point P(NDIM) of the patch COEF(NUMAX, NVMAX, NDIM) at (U, V); 0 for empty or oversized counts. */
VCBM_API void mpoca1(const int* NUMAX, const int* NVMAX, const int* NDIM, const double* COEF, const int* NU,
                     const int* NV, const double* U, const double* V, double* P);
/* Point P(NDIM) of the patch COEF(NDIMAX, NUMAX, NVMAX) at (U, V); 0 for empty or oversized counts. */
VCBM_API void mpoca2(const int* NDIMAX, const int* NUMAX, const int* NVMAX, const double* COEF, const int* NDIM,
                     const int* NU, const int* NV, const double* U, const double* V, double* P);
/* First partial derivative in u, D(NDIMAX), of the patch COEF(NDIMAX, NUMAX, NV); 0 when NU < 2 or NV < 1. */
VCBM_API void mdrpu1(const int* NDIMAX, const int* NUMAX, const int* NU, const int* NV, const double* COEF,
                     const double* U, const double* V, double* D);
/* First partial derivative in v, D(NDIMAX), of the patch COEF(NDIMAX, NUMAX, NV); 0 when NV < 2 or NU < 1. */
VCBM_API void mdrpv1(const int* NDIMAX, const int* NUMAX, const int* NU, const int* NV, const double* COEF,
                     const double* U, const double* V, double* D);
/* Partial derivative D(NDIM) of orders IDU in u and IDV in v; 0 unless 0 <= IDU < NU, 0 <= IDV < NV. */
VCBM_API void mdrvpk(const int* NDIM, const int* NUMAX, const int* NU, const int* NV, const double* COEF,
                     const double* U, const double* V, const int* IDU, const int* IDV, double* D);
/* Derivative patch COEFD(3, 21, NVD) of COEF(3, 21, NV) in u (IDIR = 1) or v (IDIR = 2); nothing otherwise. */
VCBM_API void derivt(const int* NU, const int* NV, const double* COEF, int* NUD, int* NVD, double* COEFD,
                     const int* IDIR);
/* As derivt with leading sizes NUI (input) and NUO (output), output counts NUO, NVO given; NVI is not read. */
VCBM_API void vderiv(const int* NUI, const int* NVI, const double* COEF, const int* NUO, const int* NVO,
                     double* COEFD, const int* IDIR);

/* ---- Basis conversion and reparametrisation ---- */

/* ---- Control polygons, subdivision and bounds ---- */

/* ---- Extreme values and bounding boxes ---- */

VCBM_END_DECLS

#endif
