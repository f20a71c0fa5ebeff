/* Equation solving: closed-form and bracketed roots, roots on an interval, systems in two unknowns. */
#ifndef VCBM_SOLVE_H
#define VCBM_SOLVE_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Closed-form roots, bracketing solvers and bivariate products ---- */

/* Real roots of A x^2 + B x + C = 0 (A non-zero); IER = -1 for a double root. */
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
/* A root of the canonical polynomial C(1..NCOEF) between A and B, on the ufxnl1 family. */
VCBM_API void upxnul(const int* NCOEF, const double* C, const double* A, const double* B, const double* EPSX,
                     const double* EPSF, double* X, int* IER);
/* As upxnul on the mfxnl1 family; IOPT = 8 evaluates C8, otherwise C; STATUS "    " or "PBRN". */
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
   IER 0, 1 noisy pieces, 100 zero polynomial, 200 more roots than the degree. */
VCBM_API void ur1pls(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, double* AUX, int* IER);
/* Sizes the per-level subdivision storage and isolates the roots; WORK holds at least 10 NCMAX reals. */
VCBM_API void mmrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* TDEB, const double* TFIN, const double* EPSF, int* NROOT, double* ROOT,
                     double* WORK, char* STATUS, int* IER, long STATUS_len);
/* Isolation and refinement of the roots on [A, B] (A < B) with NLEVEL levels of storage STACK(NCMAX, 2, NLEVEL). */
VCBM_API void mhrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* A, const double* B, const double* EPSF, const int* NLEVEL, double* STACK,
                     double* WORK, int* NROOT, double* ROOT, char* STATUS, int* IER, long STATUS_len);
/* Continues the isolation of the piece [TA, TB] at subdivision level LEVEL with one work area. */
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

/**
 * @brief Change of a bivariate polynomial from a box to the unit square.
 *
 * B(s, t) = A(U1 + s (U2 - U1), V1 + t (V2 - V1)), both in canonical form, the
 * coefficient (i, j) multiplying u^(i-1) v^(j-1); the same polynomial, exactly
 * up to rounding.
 *
 * @param[in]  LDA  int: leading dimension of A, at least NU.
 * @param[in]  NU   int: coefficients in u, 1 to 41.
 * @param[in]  NV   int: coefficients in v, 1 to 41.
 * @param[in]  A    double A(LDA, NV): the polynomial on the box.
 * @param[in]  BOX  double BOX(4): (U1, U2, V1, V2).
 * @param[in]  LDB  int: leading dimension of B, at least NU.
 * @param[out] B    double B(LDB, NV): the polynomial on the unit square.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NU or NV outside 1 to 41, or a leading dimension below NU; B not written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mfmca7(const int* LDA, const int* NU, const int* NV, const double* A, const double* BOX,
                     const int* LDB, double* B, int* IER);

/**
 * @brief Bernstein net on the unit square of a bivariate canonical polynomial.
 *
 * @param[in]  LDA  int: leading dimension of A, at least NU.
 * @param[in]  NU   int: coefficients in u, 1 to 41.
 * @param[in]  NV   int: coefficients in v, 1 to 41.
 * @param[in]  A    double A(LDA, NV): canonical coefficients.
 * @param[in]  LDB  int: leading dimension of B, at least NU.
 * @param[out] B    double B(LDB, NV): the Bernstein coefficients of degrees NU-1, NV-1 on [0, 1]^2.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NU or NV outside 1 to 41, or a leading dimension below NU; B not written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mbbpy2(const int* LDA, const int* NU, const int* NV, const double* A, const int* LDB, double* B,
                     int* IER);

/**
 * @brief Bernstein nets of the two partial derivatives of a bivariate Bernstein net on the unit square.
 *
 * DU(i, j) = (NU-1) (B(i+1, j) - B(i, j)) and DV(i, j) = (NV-1) (B(i, j+1) - B(i, j)): the exact nets
 * of the derivatives in u and in v.
 *
 * @param[in]  LDB  int: leading dimension of B, at least NU.
 * @param[in]  NU   int: coefficients in u, 1 to 41.
 * @param[in]  NV   int: coefficients in v, 1 to 41.
 * @param[in]  B    double B(LDB, NV): the net.
 * @param[in]  LDU  int: leading dimension of DU, at least NU-1.
 * @param[out] DU   double DU(LDU, NV): the net of the u-derivative, NU-1 by NV (nothing when NU = 1).
 * @param[in]  LDV  int: leading dimension of DV, at least NU.
 * @param[out] DV   double DV(LDV, NV-1): the net of the v-derivative, NU by NV-1 (nothing when NV = 1).
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: a size or leading dimension out of range; nothing written.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mdeca1(const int* LDB, const int* NU, const int* NV, const double* B, const int* LDU, double* DU,
                     const int* LDV, double* DV, int* IER);

/**
 * @brief Common zeros of two bivariate polynomials in a box, by subdivision of their Bernstein nets.
 *
 * Both polynomials are converted to Bernstein nets on the box and the box is halved
 * (v first, then u, alternately; 41 levels at most). A box is dropped when a net keeps
 * one sign beyond EPSF; it is solved by Newton's iteration when the ranges of the
 * derivative nets prove that it holds one common zero at most; otherwise it is split.
 * Roots closer than EPSX in both components are one.
 *
 * @param[in]  LD1      int: first leading dimension of each polynomial, at least NU.
 * @param[in]  LD2      int: second leading dimension, at least NV.
 * @param[in]  FG       double FG(LD1, LD2, 2): F then G, canonical, (i, j) multiplying u^(i-1) v^(j-1).
 * @param[in]  NU       int: coefficients used in u, 1 to 41.
 * @param[in]  NV       int: coefficients used in v, 1 to 41.
 * @param[in]  BOX      double BOX(4): (U1, U2, V1, V2), U1 < U2, V1 < V2.
 * @param[in]  EPSX     double: parameter resolution, and the distance under which two roots are one.
 * @param[in]  EPSF     double: value tolerance.
 * @param[in]  NMAX     int: capacity of ROOTS, at least 1.
 * @param[out] ROOTS    double ROOTS(2, NMAX): ROOTS(., 1..NROOT), the zeros (u, v), ascending in u.
 * @param[out] NROOT    int: the number of zeros found.
 * @param[out] LASTBOX  double LASTBOX(4): on codes -2, -13 and 2, the box (U1, U2, V1, V2) the solve stopped on.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: some isolated zeros did not converge; the others are returned.
 *   - -2: the solve stopped on a box where both nets lie within EPSF (LASTBOX).
 *   - -13: the subdivision reached 41 levels (LASTBOX).
 *   - 1: a size out of range, an empty or inverted box, NMAX < 1, a coefficient that is not a number,
 *     or a failed conversion or split.
 *   - 2: the root list is full.
 *   - 10: a work area was refused.
 * @par Work space
 *   A request of 8 NU NV reals, then (under the stage MRS2D1) one of 164 NU NV + 2 max(NU, NV)^2 + 328
 *   reals; both released on every path.
 * @par Trace
 *   Threshold 3, entry and exit lines; the stages trace under MRS2D1 to MRS2D5, MRS2NR, MRS2D4,
 *   MBTCV1 and MINLTT at their own thresholds. At level 3 and up MRS2NR writes its noise lines when it
 *   does not converge. Reports every non-zero code through aermsg.
 */
VCBM_API void mrs2d0(const int* LD1, const int* LD2, const double* FG, const int* NU, const int* NV,
                     const double* BOX, const double* EPSX, const double* EPSF, const int* NMAX, double* ROOTS,
                     int* NROOT, double* LASTBOX, int* IER);

/* ---- Roots by Bezier subdivision ---- */

VCBM_END_DECLS

#endif
