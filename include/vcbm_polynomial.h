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

/* COEFN(s) = C(TA + (TB-TA) s), s in [0, 1]; IER = 10 for NCOEF outside 1..61.
   Nothing is read or written when NDIM < 1 or NDIM > NDIMAX. COEFN may be COEF. */
VCBM_API void marc41(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF,
                     const double* TA, const double* TB, double* COEFN, int* IER);
/* The curve known on [TAB(1), TAB(2)] re-expressed on [TNEW(1), TNEW(2)]; IER = 13 for a target
   interval shorter than EPSPB, else the code of marc41. */
VCBM_API void mfmcb2(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM,
                     const double* TAB, double* COEFN, const double* TNEW, int* IER);
/* Reversal COEFN(s) = C(1 - s) in 3D; IER = 10 for NCOEF outside 1..61. COEFN may be COEF. */
VCBM_API void vcvinv(const int* NCOEF, const double* COEF, double* COEFN, int* IER);
/* Reversal COEFN(s) = C(1 - s) in 2D; IER = 10 for NCOEF outside 1..61. COEFN may be COEF. */
VCBM_API void vcvin2(const int* NCOEF, const double* COEF, double* COEFN, int* IER);
/* COEF(LDC, NCOEF) on [0, 1] into CF(LDW, NDIM) on [-1, 1] (t = (s+1)/2), coefficient-first;
   W(LDW, NDIM) is work. Nothing is done unless 1 <= NCOEF <= min(61, LDW) and 1 <= NDIM <= LDC. */
VCBM_API void mcvnst(const int* LDW, const int* LDC, const int* NCOEF, const int* NDIM,
                     const double* COEF, double* W, double* CF);
/* Legendre coefficients CL(NCOEF, NDIM) of CF(NCOEF, NDIM); W(NCOEF) work; CL may be CF.
   Nothing is done unless 1 <= NCOEF <= 62. */
VCBM_API void mcvlgd(const int* NCOEF, const int* NDIM, const double* CF, double* W, double* CL);
/* One component: W = even then odd canonical coefficients; CL(NDEG+1) the Legendre coefficients.
   Nothing is written unless 0 <= NDEG <= 61. */
VCBM_API void mcanlg(const int* NDEG, const double* W, double* CL);
/* Coefficients CJ(NCOEF, NDIM) in the orthonormal Legendre basis (IORDRE = -1, the only order
   provided: CJ is not written for another); W(NCOEF) work; CJ may be CF. */
VCBM_API void mcvjac(const int* NCOEF, const int* NDIM, const int* IORDRE, const double* CF,
                     double* W, double* CJ);
/* One component of mcvjac; nothing is written unless IORDRE = -1 and 0 <= NDEG <= 61. */
VCBM_API void mcanjc(const int* IORDRE, const int* NDEG, const double* W, double* CJ);
/* 3D patch P(NDU+1, NDV+1, 3) into Legendre coefficients PL (same layout) in both variables;
   W holds 3 (NDU+1)(NDV+1) + max(NDU, NDV) + 1 reals. PL may be P. Degrees 0..61. */
VCBM_API void mpclgd(const int* NDU, const int* NDV, const double* P, double* W, double* PL);
/* NCOEFR = index of the last column (2..NCOEF) with a non-zero (or NaN) entry, else 1;
   ICONST = 1 when there is none (the curve is constant), else 0. */
VCBM_API void udegcv(const int* NDIM, const int* NCOEF, const double* COEF, int* NCOEFR, int* ICONST);
/* B(j, i) = A(i, j), i = 1..N1, j = 1..N2; nothing is done when LDB < N2. */
VCBM_API void mcvinv(const int* LDB, const int* N1, const int* N2, const double* A, double* B);
/* B(k, i) = A(i, k), i = 1..N3, k = 1..N1, A(N3, *); nothing is done when LDB < N1. */
VCBM_API void minvcv(const int* LDB, const int* N1, const int* N3, const double* A, double* B);
/* IDIR = 1: B(k, i) = A(i, k); IDIR = -1: A(i, k) = B(k, i); i = 1..N2, k = 1..N1.
   IER 3119 sizes, 3164 direction, -3136 when N2 = 1 and NA = LDB (one flat copy of LDB reals). */
VCBM_API void mfmcb5(const int* IDIR, const int* LDA, const int* NA, double* A, const int* N1,
                     const int* LDB, const int* N2, double* B, int* IER);
/* IDIR = 1: B(j, k, i) = A(i, j, k); IDIR = -1: the reverse; i = 1..N3, j = 1..N1, k = 1..N2.
   IER 3133 sizes, 3163 direction; N3 = 1, LDB1 = LDA2, LDB2 = NA3: one flat copy. */
VCBM_API void mfmca5(const int* IDIR, const int* LDA1, const int* LDA2, const int* NA3, double* A,
                     const int* N1, const int* N2, const int* LDB1, const int* LDB2, const int* N3,
                     double* B, int* IER);
/* Copies A(LDA, NA2, NBLK) into the wider B(LDB, NB2, NBLK), last block first, so that B may lie
   over A (same first element). Only the part common to both shapes is copied; NB3 is not read. */
VCBM_API void mfmca8(const int* LDA, const int* NA2, const int* NBLK, const int* LDB, const int* NB2,
                     const int* NB3, const double* A, double* B);
/* Copies A(LDA, NA2, NBLK) into the narrower B(LDB, NB2, NBLK), first block first, so that B may
   lie over A. Only the part common to both shapes is copied; NA3 is not read. */
VCBM_API void mfmca9(const int* LDA, const int* NA2, const int* NA3, const int* LDB, const int* NB2,
                     const int* NBLK, const double* A, double* B);

/* ---- Control polygons, subdivision and bounds ---- */

/* Control polygon POLY(NDIMAX, NCOEF) on [0, 1] of COEF; IER = 10 for NCOEF outside 1..61.
   Nothing is read or written when NDIM < 1 or NDIM > NDIMAX. POLY may be COEF. */
VCBM_API void cpolyg(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF,
                     double* POLY, int* IER);
/* Control polygon of the curve on [TA, TB]; WORK(NDIM, NCOEF) holds the arc on [0, 1]. No code. */
VCBM_API void ufdplg(const int* NDIM, const int* NCOEF, const double* COEF, const double* TA,
                     const double* TB, double* WORK, double* POLY);
/* cpolyg in 2D. */
VCBM_API void mcpol2(const int* NCOEF, const double* COEF, double* POLY, int* IER);
/* cpolyg in 3D. */
VCBM_API void mcpol3(const int* NCOEF, const double* COEF, double* POLY, int* IER);
/* Canonical coefficients COEF(NDIMAX, NCOEF) of the control polygon POLY; IER = 10 for NCOEF
   outside 1..61. Nothing is read or written when NDIM < 1 or NDIM > NDIMAX. COEF may be POLY. */
VCBM_API void polygc(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* POLY,
                     double* COEF, int* IER);
/* polygc in 2D. */
VCBM_API void mpolc2(const int* NCOEF, const double* POLY, double* COEF, int* IER);
/* polygc in 3D. */
VCBM_API void mpolc3(const int* NCOEF, const double* POLY, double* COEF, int* IER);
/* de Casteljau split at 1/2 of POLY(NDIM, NCOEF) into LEFT and RIGHT (each on [0, 1]); WORK(LDW, LDW)
   is scratch. Nothing is done unless 1 <= NCOEF <= LDW and NDIM >= 1. LEFT or RIGHT may be POLY. */
VCBM_API void upolyg(const int* NDIM, const int* LDW, const int* NCOEF, const double* POLY, double* WORK,
                     double* LEFT, double* RIGHT);
/* The same split at t = T. */
VCBM_API void uplygg(const int* NDIM, const int* LDW, const int* NCOEF, const double* POLY,
                     const double* T, double* WORK, double* LEFT, double* RIGHT);
/* Split at 1/2 of the scalar polygon POLY(N); WORK(N, N) scratch; nothing for N < 1. */
VCBM_API void mlmpna(const double* POLY, const int* N, double* WORK, double* LEFT, double* RIGHT);
/* Split at 1/2 of the control net NET(LD1, LD2, NDIM) of degrees NU-1, NV-1 along u (IDIR = 1) or v
   (IDIR = 2) into LEFT and RIGHT(LD1, LD2, NDIM); WORK(LDW, *) scratch. IER = 1 for sizes or IDIR. */
VCBM_API void mlmkab(const int* LD1, const int* LD2, const double* NET, const int* NU, const int* NV,
                     const int* NDIM, const int* IDIR, double* WORK, const int* LDW, double* LEFT,
                     double* RIGHT, int* IER);
/* AMAX, AMIN = largest and smallest of A(N); returns AMIN. N < 1 leaves both unchanged (and
   returns AMIN as it stands). */
VCBM_API double ugpolx(const int* N, const double* A, double* AMAX, double* AMIN);
/* AMIN, AMAX of A(N), stopping once a strictly positive and a strictly negative value were seen.
   N < 1 leaves both unchanged. */
VCBM_API void utspol(const int* N, const double* A, double* AMIN, double* AMAX);

/* ---- Extreme values and bounding boxes ---- */

/**
 * @brief Critical points of a polynomial on an interval: the zeros of its derivative.
 *
 * The derivative's zeros come from mrs1d0 with the abscissa resolution 1e-6
 * and EPSF as value tolerance; the middle of each noisy interval and of each
 * unresolved interval no longer than a thousandth of the interval follow them.
 *
 * @param[in]  NCOEF int: number of coefficients, 1 to 61.
 * @param[in]  C     double C(NCOEF): canonical coefficients.
 * @param[in]  TINT  double TINT(2): the interval, either order (taken as [min, max]).
 * @param[in]  EPSF  double: value tolerance on the derivative, > 0.
 * @param[out] CRIT  double CRIT(NCOEF): CRIT(1..NCRIT), the roots of the derivative, then the middles.
 * @param[out] NCRIT int: number of critical points.
 * @param[out] IFLAT int: 1 when the derivative is within EPSF of zero on the whole interval, else 0.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 3178: NCOEF outside 1..61.
 *   - 3835: more critical points than NCOEF.
 *   - 8354: an unresolved interval longer than a thousandth of the interval.
 *   - other positive: the code of mrs1d0 (1 for an interval shorter than 1e-6 or EPSF <= 0, 10 work space).
 * @par Work space
 *   That of mrs1d0.
 * @par Trace
 *   Threshold 4, entry and exit. Reports positive codes.
 */
VCBM_API void mbtpnm(const int* NCOEF, const double* C, const double* TINT, const double* EPSF, double* CRIT,
                     int* NCRIT, int* IFLAT, int* IER);

/**
 * @brief Fine bounds of a polynomial on an interval, widened by a tolerance.
 *
 * The values at the ends and at the critical points (mbtpnm with TOL as value
 * tolerance), each extreme widened by TOL; a value that passes the current
 * bound by less than TOL does not move it. When the critical points cannot be
 * found, the coarse bounds of mbtpnp are returned with code -10.
 *
 * @param[in]  NCOEF int: number of coefficients, 1 to 61.
 * @param[in]  C     double C(NCOEF): canonical coefficients.
 * @param[in]  TINT  double TINT(2): the interval, either order (taken as [min, max]).
 * @param[in]  TOL   double: bound tolerance, > 0 (otherwise the coarse bounds, code -10).
 * @param[out] BMAX  double: upper bound.
 * @param[out] BMIN  double: lower bound.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -10: the coarse bounds, the critical points were not found.
 *   - 8888: NCOEF outside 1..61.
 *   - other positive: the code of mbtpnm, when the coarse bounds failed too.
 * @par Work space
 *   That of mrs1d0.
 * @par Trace
 *   Threshold 3, entry and exit. Reports every non-zero code.
 */
VCBM_API void mbtpnn(const int* NCOEF, const double* C, const double* TINT, const double* TOL, double* BMAX,
                     double* BMIN, int* IER);

/**
 * @brief Fine bounds of a polynomial on an interval, with the parameters where they are reached.
 *
 * As mbtpnn, but only a bound reached at an interior critical point is
 * widened by TOL; a bound reached at an end is the plain value there.
 *
 * @param[in]  NCOEF int: number of coefficients, 1 to 61.
 * @param[in]  C     double C(NCOEF): canonical coefficients.
 * @param[in]  TINT  double TINT(2): the interval, either order (taken as [A, B] = [min, max]).
 * @param[in]  TOL   double: bound tolerance, > 0.
 * @param[out] BMAX  double: upper bound.
 * @param[out] BMIN  double: lower bound.
 * @param[out] TMAX  double: where BMAX is reached (B with the coarse bounds; A on a flat polynomial).
 * @param[out] TMIN  double: where BMIN is reached (A with the coarse bounds; B on a flat polynomial).
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0, -10, 8888, other positive: as mbtpnn.
 * @par Work space
 *   That of mrs1d0.
 * @par Trace
 *   Threshold 3, entry and exit. Reports every non-zero code.
 */
VCBM_API void mbtpnu(const int* NCOEF, const double* C, const double* TINT, const double* TOL, double* BMAX,
                     double* BMIN, double* TMAX, double* TMIN, int* IER);

/**
 * @brief Coarse bounds of a polynomial on an interval: its extreme Bernstein coefficients.
 *
 * On [0, 1] the coefficients come from mbbpg1; on any other interval the
 * polynomial is carried to [-1, 1] (mfmcb2) and converted by mbbpg2, which
 * keeps the rounding at the size of the values on the interval.
 *
 * @param[in]  NCOEF int: number of coefficients, 1 to 61.
 * @param[in]  C     double C(NCOEF): canonical coefficients.
 * @param[in]  TINT  double TINT(2): the interval, either order (taken as [min, max]).
 * @param[out] BMAX  double: the largest Bernstein coefficient on the interval.
 * @param[out] BMIN  double: the smallest.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 8888: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. Reports every non-zero code.
 */
VCBM_API void mbtpnp(const int* NCOEF, const double* C, const double* TINT, double* BMAX, double* BMIN, int* IER);

/**
 * @brief Fine bounds of every component of a curve (mbtpnn per component).
 *
 * @param[in]  NDIMAX int: leading dimension of COEF.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 21.
 * @param[in]  COEF   double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  NDIM   int: components to bound, at most NDIMAX (none below 1).
 * @param[in]  TINT   double TINT(2): the interval, either order.
 * @param[in]  TOL    double: bound tolerance, > 0.
 * @param[out] BOX    double BOX(2, NDIM): BOX(1, c) the lower, BOX(2, c) the upper bound of component c.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -10: some component has its coarse bounds (the last negative code met).
 *   - 8888: NCOEF outside 1..21 or NDIM above NDIMAX (BOX untouched).
 *   - other positive: the code of mbtpnn for the first component that failed.
 * @par Work space
 *   That of mrs1d0.
 * @par Trace
 *   Threshold 2, entry and exit. Reports every non-zero code.
 */
VCBM_API void mbtcb1(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* TINT,
                     const double* TOL, double* BOX, int* IER);

/**
 * @brief Coarse bounds of every component of a curve (mbtpnp per component).
 *
 * @param[in]  NDIMAX int: leading dimension of COEF.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 21.
 * @param[in]  COEF   double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  NDIM   int: components to bound, at most NDIMAX (none below 1).
 * @param[in]  TINT   double TINT(2): the interval, either order.
 * @param[out] BOX    double BOX(2, NDIM): lower and upper bound of each component.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 8888: NCOEF outside 1..21 or NDIM above NDIMAX (BOX untouched).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void mbtcb2(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* TINT,
                     double* BOX, int* IER);

/**
 * @brief Boxes of a set of planar curves and the box of the whole set (fine bounds).
 *
 * @param[in]  NCMAX  int: second dimension of COEFS.
 * @param[in]  TOL    double: bound tolerance, > 0.
 * @param[in]  NCURV  int: number of curves (none below 1).
 * @param[in]  TINTS  double TINTS(2, NCURV): the interval of each curve, either order.
 * @param[in]  NCOEFS int NCOEFS(NCURV): number of coefficients of each curve, 1 to min(NCMAX, 21).
 * @param[in]  COEFS  double COEFS(2, NCMAX, NCURV): canonical coefficients of each curve.
 * @param[out] BOXES  double BOXES(6, NCURV): (XMIN, YMIN, XMAX - XMIN, 0, 0, YMAX - YMIN) per curve.
 * @param[out] BOX    double BOX(4): (XMIN, YMIN, XMAX, YMAX) of the set; (1e32, 1e32, -1e32, -1e32) with no curve.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the bounding of one curve failed (a positive code of mbtcb1, or NCOEFS(i) above NCMAX); the
 *     curves before it are in BOXES and BOX.
 * @par Work space
 *   That of mrs1d0.
 * @par Trace
 *   Threshold 1, entry and exit. " Probleme issu de MBTCB1." on the print unit at level 1 or more when
 *   a curve failed. Reports every non-zero code.
 */
VCBM_API void mbtcbn(const int* NCMAX, const double* TOL, const int* NCURV, const double* TINTS, const int* NCOEFS,
                     const double* COEFS, double* BOXES, double* BOX, int* IER);

VCBM_END_DECLS

#endif
