/* Equation solving: closed-form and bracketed roots, roots on an interval, systems in two unknowns. */
#ifndef VCBM_SOLVE_H
#define VCBM_SOLVE_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Closed-form roots, bracketing solvers and bivariate products ---- */

/* Real roots of A x^2 + B x + C = 0 (A non-zero); IER = -1 for a double root. Coefficients whose discriminant
   overflows are divided by a power of two first; a NaN or infinite coefficient gives no root. */
VCBM_API void urequ2(const double* A, const double* B, const double* C, int* NROOT, double* ROOT, int* IER);
/* Root of C(1) + C(2) t in [TDEB, TFIN] widened by EPSNR; NCOEF must be 2. */
VCBM_API void urpol2(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, int* IER);
/* Roots of C(1) + C(2) t + C(3) t^2 in [TDEB, TFIN] widened by EPSNR, ascending; NCOEF must be 3. */
VCBM_API void urpol3(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, int* IER);
/* One step of the bracketing solver (ufxnl1 family): next abscissa X, ICODE 0 evaluate, 1 root, 2, 3 failures. */
VCBM_API void ufxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE);
/* Quadratic-interpolation estimate of the ufxnl1 family inside [XA, XB]. */
VCBM_API double ufxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
                       const double* FB);
/* One step of the bracketing solver (mfxnl1 family, converges on an exact zero; EPSF not read). */
VCBM_API void mfxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE);
/* Quadratic-interpolation estimate of the mfxnl1 family inside [XA, XB]. */
VCBM_API double zfxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
                       const double* FB);
/* A root of the canonical polynomial C(1..NCOEF) between A and B, on the ufxnl1 family; IER 0 root, 1 no sign
   change, 2 bracket exhausted, 3 iteration limit, 4 A, B, EPSX or EPSF is NaN (nothing evaluated) or a value is
   NaN (X where it was met). */
VCBM_API void upxnul(const int* NCOEF, const double* C, const double* A, const double* B, const double* EPSX,
                     const double* EPSF, double* X, int* IER);
/* As upxnul on the mfxnl1 family (IER 0 to 4); IOPT = 8 evaluates C8, otherwise C; STATUS "    " or "PBRN". */
VCBM_API void mpxnul(const int* IOPT, const int* NCOEF, const double* C8, const double* C, const double* A,
                     const double* B, const double* EPSX, const double* EPSF, double* X, char* STATUS, int* IER,
                     long STATUS_len);
/* F = C(1) + C(2) X + ... + C(NCOEF) X^(NCOEF-1), by Horner. */
VCBM_API void mqpos(const int* NCOEF, const double* C, const double* X, double* F);
/* R <- R op P*Q for bivariate polynomials in canonical form (MODE 0 set, -1 subtract, else add). */
VCBM_API void meqps2(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
                     const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
                     const int* MODE, const int* LD1R, const int* LD2R, double* R, int* NUR, int* NVR, int* IER);
/* R <- R op P*Q for bivariate polynomials in Bernstein form. */
VCBM_API void meqps5(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
                     const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
                     const int* MODE, const int* LD1R, const int* LD2R, double* R, int* NUR, int* NVR, int* IER);
/* Checks the sizes and forms the product in the basis IBASE (0 canonical, 1 Bernstein). */
VCBM_API void meqps4(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
                     const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
                     const int* MODE, const int* IBASE, const int* LD1R, const int* LD2R, double* R, int* NUR,
                     int* NVR, int* IER);
/* R = sum over d of P(., ., d) * Q(., ., d), in the basis IBASE. */
VCBM_API void meqps3(const int* LD1P, const int* LD2P, const int* NDIM, const double* P, const int* NU1,
                     const int* NV1, const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2,
                     const int* NV2, const int* IBASE, const int* LD1R, const int* LD2R, double* R, int* NUR,
                     int* NVR, int* IER);

/* ---- Roots of a polynomial on an interval ---- */

/* All real roots of C(1..NCOEF) (NCOEF 1..41) in [TDEB, TFIN], ascending; AUX(NROOT) cleared;
   IER 0, 1 noisy pieces, 2 a coefficient not finite or TDEB, TFIN, EPS1, EPSNR or EPSPB NaN (no root),
   100 zero polynomial, 200 more roots than the degree. Coefficients above 2^100 in magnitude are divided by
   the power of two of the largest before the solve. */
VCBM_API void ur1pls(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, double* AUX, int* IER);
/* Sizes the per-level subdivision storage and isolates the roots; WORK holds at least 10 NCMAX reals;
   IER 0, 1 noisy, 2 as ur1pls's (C, or C2 when IOPT is not 8, EPSF too), -1 zero polynomial, -2 list full,
   10 NCMAX or NCOEF out of range. */
VCBM_API void mmrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* TDEB, const double* TFIN, const double* EPSF, int* NROOT, double* ROOT,
                     double* WORK, char* STATUS, int* IER, long STATUS_len);
/* Isolation and refinement of the roots on [A, B] (A < B) with NLEVEL levels of storage STACK(NCMAX, 2, NLEVEL);
   IER as mmrs1d's. */
VCBM_API void mhrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* A, const double* B, const double* EPSF, const int* NLEVEL, double* STACK,
                     double* WORK, int* NROOT, double* ROOT, char* STATUS, int* IER, long STATUS_len);
/* Continues the isolation of the piece [TA, TB] at subdivision level LEVEL with one work area; IER 0, 2 as
   mmrs1d's, -2 list full, 10 counts out of range. */
VCBM_API void myrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* A, const double* B, const double* TA, const double* TB, const int* LEVEL,
                     const double* EPSF, double* WORK, int* NROOT, double* ROOT, int* NOISY, char* STATUS,
                     int* IER, long STATUS_len);
/* Sign test of a control polygon: ICODE 0 no root, 1 maybe roots, 2 zero within EPS1. */
VCBM_API void mzrs1d(const int* NCOEF, const double* POLYG, int* ICODE);
/* Monotonicity test from the first differences scaled by SCALE: ISENS 1, -1 or 0 undecided. */
VCBM_API void ujrs1d(const int* NCOEF, const double* POLYG, double* WORK, const double* SCALE, int* ISENS);
/* Safeguarded Newton iteration on C (derivative CD) from X, kept near [A, B]; IER 0, -1 or 1. */
VCBM_API void unrs1d(const int* NCOEF, const double* C, const double* CD, const double* A, const double* B,
                     const double* EPSX, const double* EPSF, double* X, int* IER);
/* Inserts X(NDIM) with multiplicity MULT into the sorted list SOL(NDIM, NMAX); IER 1 on overflow. */
VCBM_API void uajsol(const int* NDIM, const double* X, const int* MULT, const double* EPS, const int* NMAX,
                     int* NSOL, double* SOL, int* IER);
/* Removes from the sorted list SOL(NDIM, NSOL) every entry equal to its predecessor within EPS. */
VCBM_API void uelsol(const double* EPS, const int* NDIM, int* NSOL, double* SOL);

/* ---- Systems of two polynomial equations ---- */

/* ---- Roots by Bezier subdivision ---- */

VCBM_END_DECLS

#endif
