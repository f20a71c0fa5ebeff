/* Approximation by polynomial curves; principal axes and boxes of curves. */
#ifndef VCBM_APPROX_H
#define VCBM_APPROX_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Function approximation ---- */

/*
 * The function to approximate: VAL(NDIM) = the IDERIV-th derivative (0: the value) with respect to T
 * of the caller's function at T, T within the current segment TSEG(2). IER arrives 0; a positive
 * value reports a failure.
 */
typedef void (*vcbm_approx_function)(const int* NDIM, const double* TSEG, const double* T, const int* IDERIV,
                                     double* VAL, int* IER);

/**
 * @brief Approximation of a vector function by polynomial segments under a tolerance per group of components.
 *
 * Each segment is expanded at Gauss-Legendre points in orthonormal Jacobi polynomials that vanish at
 * the segment ends to order ORDER, after removal of the Hermite polynomial carrying F and its first
 * ORDER derivatives at both ends; the expansion is truncated per group under TOL(g), and a segment
 * that needs more than MAXCOEF coefficients is halved (left half retried, right half next).
 * Reads EPSPB (interval lengths) and EPS1 (Hermite pivots, dropped Hermite coefficients).
 * A function value that is not a number leaves the error bound unmet: the segment is cut until
 * MAXSEG segments exist, then kept with IER = -1.
 *
 * @param[in]  NDIM      int: number of components of F, at least 1.
 * @param[in]  NSUB      int: number of component groups, 1 to NDIM.
 * @param[in]  GROUPDIM  int GROUPDIM(NSUB): components per group, each at least 1, summing to NDIM.
 * @param[in]  TINT      double TINT(2): the approximation interval (either order, not shorter than EPSPB).
 * @param[in]  FUNC      vcbm_approx_function: the function; IDERIV never exceeds ORDER.
 * @param[in]  ORDER     int: continuity order at the breakpoints, -1, 0, 1 or 2.
 * @param[in]  LDCOEF    int: second dimension of COEF.
 * @param[in]  MAXSEG    int: maximum number of segments, at least 1.
 * @param[in]  MAXCOEF   int: maximum coefficients per segment, taken as 14 above 14; at least
 *                       max(2 ORDER + 2, 2) and at most LDCOEF.
 * @param[in]  TOL       double TOL(NSUB): tolerance of each group, positive.
 * @param[in]  TOUT      double TOUT(2): parameter interval of every output polynomial.
 * @param[in]  NPCODE    int: minimum number of Gauss points, -5..-1 (8, 10, 15, 20, 25) or 1..4 (30, 40, 50, 61).
 * @param[out] NSEG      int: number of segments produced.
 * @param[out] NCOEF     int NCOEF(MAXSEG): coefficients of each segment.
 * @param[out] COEF      double COEF(NDIM, LDCOEF, MAXSEG): zeroed, then COEF(j, i, s) the coefficient of
 *                       v^(i-1) of component j of segment s, v running over TOUT.
 * @param[out] TBREAK    double TBREAK(0:MAXSEG): segment s is [TBREAK(s-1), TBREAK(s)].
 * @param[out] ERRMAX    double ERRMAX(NSUB, MAXSEG): error bound per group and segment.
 * @param[out] ERRMEAN   double ERRMEAN(NSUB, MAXSEG): root-mean-square error per group and segment.
 * @param[out] IER       int: result code, see Codes.
 *
 * @par Codes
 *   - 0: every segment within tolerance.
 *   - -1: MAXSEG reached: a segment kept MAXCOEF coefficients with errors above tolerance.
 *   - -2: the debug verification could not read its parameters or evaluate; results complete.
 *   - 1: invalid arguments (counts, groups, tolerances, intervals, MAXCOEF, NPCODE, ORDER), or the
 *     output conversion failed.
 *   - 10: a Hermite system is singular at EPS1.
 *   - 13: the work area was refused or its release failed.
 *   - 33: no weighted Jacobi table for the chosen orders.
 *   - 100 + k: FUNC returned k > 0; the segments before it are complete.
 * @par Work space
 *   One request of NDIM (NPTS + 13) + ((NPTS + 1)/2)(NDJAC + 1) + 3 NDIM (NDJAC + 1) + NDIM reals after
 *   the checks, NPTS and NDJAC those of ma1nbp (NPTS less 2 when ORDER >= 0).
 * @par Trace
 *   Threshold 2, entry and exit. Reports every non-zero code through aermsg, negative ones included.
 *   When nacdbg returns 1, each accepted segment is checked by mapdbn (lines on the print unit).
 */
VCBM_API void mapfnc(const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TINT,
                     vcbm_approx_function FUNC, const int* ORDER, const int* LDCOEF, const int* MAXSEG,
                     const int* MAXCOEF, const double* TOL, const double* TOUT, const int* NPCODE, int* NSEG,
                     int* NCOEF, double* COEF, double* TBREAK, double* ERRMAX, double* ERRMEAN, int* IER);

/**
 * @brief mapfnc with preferred cutting parameters.
 *
 * When group 1 cannot be kept within MAXCOEF coefficients, the segment is cut at the first of
 * TCUT(2..NCUT-1) strictly inside it, and at its midpoint when there is none (or another group failed).
 *
 * @param[in]  NDIM      int: as mapfnc.
 * @param[in]  NSUB      int: as mapfnc.
 * @param[in]  GROUPDIM  int GROUPDIM(NSUB): as mapfnc.
 * @param[in]  TINT      double TINT(2): as mapfnc.
 * @param[in]  NCUT      int: number of cutting parameters, at least 2.
 * @param[in]  TCUT      double TCUT(NCUT): the preferred cuts, TCUT(1) = TINT(1) and TCUT(NCUT) = TINT(2).
 * @param[in]  FUNC      vcbm_approx_function: as mapfnc.
 * @param[in]  ORDER     int: as mapfnc.
 * @param[in]  LDCOEF    int: as mapfnc.
 * @param[in]  MAXSEG    int: as mapfnc.
 * @param[in]  MAXCOEF   int: as mapfnc.
 * @param[in]  TOL       double TOL(NSUB): as mapfnc.
 * @param[in]  TOUT      double TOUT(2): as mapfnc.
 * @param[in]  NPCODE    int: as mapfnc.
 * @param[out] NSEG      int: as mapfnc.
 * @param[out] NCOEF     int NCOEF(MAXSEG): as mapfnc.
 * @param[out] COEF      double COEF(NDIM, LDCOEF, MAXSEG): as mapfnc.
 * @param[out] TBREAK    double TBREAK(0:MAXSEG): as mapfnc.
 * @param[out] ERRMAX    double ERRMAX(NSUB, MAXSEG): as mapfnc.
 * @param[out] ERRMEAN   double ERRMEAN(NSUB, MAXSEG): as mapfnc.
 * @param[out] IER       int: the codes of mapfnc; NCUT < 2 gives 1.
 *
 * @par Codes
 *   - As mapfnc.
 * @par Work space
 *   As mapfnc.
 * @par Trace
 *   Threshold 2 under MAPFNC1, entry and exit; every non-zero code is reported.
 */
VCBM_API void mapfnc1(const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TINT, const int* NCUT,
                      const double* TCUT, vcbm_approx_function FUNC, const int* ORDER, const int* LDCOEF,
                      const int* MAXSEG, const int* MAXCOEF, const double* TOL, const double* TOUT,
                      const int* NPCODE, int* NSEG, int* NCOEF, double* COEF, double* TBREAK, double* ERRMAX,
                      double* ERRMEAN, int* IER);

/**
 * @brief Working degree and number of Gauss points of the approximation.
 *
 * NDJAC = MAXCOEF + 5 (NPCODE < 1) or MAXCOEF + 8; NPTS = the larger of the smallest rule of
 * 8, 10, 15, 20, 25, 30, 40, 50, 61 points above NDJAC and the rule NPCODE asks for, plus 2 when ORDER >= 0.
 *
 * @param[in]  ORDER    int: continuity order, -1..2.
 * @param[in]  MAXCOEF  int: coefficients per segment, at least max(2 ORDER + 2, 2).
 * @param[in]  NPCODE   int: -5..-1 or 1..4 (see mapfnc).
 * @param[out] NPTS     int: number of Gauss points (plus 2 when ORDER >= 0).
 * @param[out] NDJAC    int: degree of the working expansion.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: MAXCOEF too small, or NDJAC of 61 or more.
 *   - 2: ORDER outside -1..2.
 *   - 3: NPCODE not in the list (0 included).
 * @par Work space
 *   None.
 * @par Trace
 *   None. Reports positive codes through aermsg.
 */
VCBM_API void ma1nbp(const int* ORDER, const int* MAXCOEF, const int* NPCODE, int* NPTS, int* NDJAC, int* IER);

/**
 * @brief Positive roots of the Legendre polynomial of degree NPTS, increasing.
 *
 * @param[in]  NPTS  int: the degree, 2 to 61; nothing is written otherwise.
 * @param[out] U     double U(NPTS/2): the positive roots.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit.
 */
VCBM_API void mrtptt(const int* NPTS, double* U);

/**
 * @brief Samples of the function at the Gauss points of a segment, as sums and differences of symmetric pairs.
 *
 * With m and h the centre and half-length of TSEG: S(j, k) = F_j(m + h U(k)) + F_j(m - h U(k)) and
 * D(j, k) = F_j(m + h U(k)) - F_j(m - h U(k)), k = 1..NPTS/2; for odd NPTS, column NPTS/2 + 1 of both
 * holds F(m).
 *
 * @param[in]  NDIM  int: number of components.
 * @param[in]  FUNC  vcbm_approx_function: the function (IDERIV = 0).
 * @param[in]  TSEG  double TSEG(2): the segment.
 * @param[in]  NPTS  int: number of Gauss points.
 * @param[in]  U     double U(NPTS/2): the positive nodes on [-1, 1].
 * @param[out] S     double S(NDIM, (NPTS+1)/2): the sums.
 * @param[out] D     double D(NDIM, (NPTS+1)/2): the differences.
 * @param[out] IER   int: 0, or 100 + k when FUNC returned k > 0 (sampling stops there).
 *
 * @par Codes
 *   - 0: success.
 *   - 100 + k: FUNC returned k > 0.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit. Reports every non-zero code.
 */
VCBM_API void mapfdi(const int* NDIM, vcbm_approx_function FUNC, const double* TSEG, const int* NPTS,
                     const double* U, double* S, double* D, int* IER);

/**
 * @brief Derivatives of the function at both ends of a segment, scaled to the parameter u on [-1, 1].
 *
 * @param[in]  NDIM    int: number of components.
 * @param[in]  FUNC    vcbm_approx_function: the function.
 * @param[in]  TSEG    double TSEG(2): the segment [t0, t1].
 * @param[in]  IORDRE  int: highest order, 0..2.
 * @param[out] VALA    double VALA(NDIM, 0:IORDRE): F^(k)(t0) h^k, h = (t1 - t0)/2.
 * @param[out] VALB    double VALB(NDIM, 0:IORDRE): F^(k)(t1) h^k.
 * @param[out] IER     int: 0, or 100 + k when FUNC returned k > 0.
 *
 * @par Codes
 *   - 0: success.
 *   - 100 + k: FUNC returned k > 0.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void mapcco(const int* NDIM, vcbm_approx_function FUNC, const double* TSEG, const int* IORDRE,
                     double* VALA, double* VALB, int* IER);

/**
 * @brief Hermite polynomial of degree 2 IORDRE + 1 on [-1, 1] from derivatives at both ends.
 *
 * H^(k)(-1) = VALA(., k) and H^(k)(1) = VALB(., k), k = 0..IORDRE; its even and odd parts each solve a
 * system of order IORDRE + 1 (mrslwd, pivot threshold EPS1).
 *
 * @param[in]  IORDRE  int: 0..2.
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  VALA    double VALA(NDIM, 0:IORDRE): values at u = -1.
 * @param[in]  VALB    double VALB(NDIM, 0:IORDRE): values at u = 1.
 * @param[out] HC      double HC(2 IORDRE + 2, NDIM): canonical coefficients of each component.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: IORDRE outside 0..2 or NDIM < 1.
 *   - 10: a system is singular at EPS1.
 *   - 13: a work-space request failed.
 * @par Work space
 *   One request of 3 (IORDRE + 1) NDIM + (IORDRE + 1)^2 reals when that exceeds 153; none otherwise.
 * @par Trace
 *   Threshold 3, entry and exit. Reports positive codes.
 */
VCBM_API void mcvctx(const int* IORDRE, const int* NDIM, const double* VALA, const double* VALB, double* HC,
                     int* IER);

/**
 * @brief P(U) + P(-U) and P(U) - P(-U) of a canonical polynomial, by Horner's rule in U^2.
 *
 * @param[in]  NCOEF  int: number of coefficients (nothing summed below 1).
 * @param[in]  C      double C(NCOEF): coefficients, C(1) the constant term.
 * @param[in]  U      double: the point.
 * @param[out] SUM    double: P(U) + P(-U).
 * @param[out] DIFF   double: P(U) - P(-U).
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mpocvi(const int* NCOEF, const double* C, const double* U, double* SUM, double* DIFF);

/**
 * @brief Value of a canonical polynomial by Horner's rule.
 *
 * @param[in]  NCOEF  int: number of coefficients (0 below 1).
 * @param[in]  C      double C(NCOEF): coefficients, C(1) the constant term.
 * @param[in]  T      double: the point.
 * @param[out] VAL    double: the value.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mpocur(const int* NCOEF, const double* C, const double* T, double* VAL);

/**
 * @brief Removal of the Hermite polynomial from the symmetric samples.
 *
 * S(j, k) -= H_j(U(k)) + H_j(-U(k)) and D(j, k) -= H_j(U(k)) - H_j(-U(k)); for odd NPTS, H_j(0) is
 * taken from column NPTS/2 + 1 of both.
 *
 * @param[in]     NDIM    int: number of components.
 * @param[in]     IORDRE  int: 0..2 (nothing is done otherwise).
 * @param[in]     NPTS    int: number of Gauss points.
 * @param[in]     U       double U(NPTS/2): the positive nodes.
 * @param[in]     HC      double HC(2 IORDRE + 2, NDIM): the Hermite polynomial.
 * @param[in,out] S       double S(NDIM, (NPTS+1)/2): the sums.
 * @param[in,out] D       double D(NDIM, (NPTS+1)/2): the differences.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit.
 */
VCBM_API void mapcti(const int* NDIM, const int* IORDRE, const int* NPTS, const double* U, const double* HC,
                     double* S, double* D);

/**
 * @brief Weighted Jacobi values at the Gauss points: PT(k, n) = w_k (1 - u_k^2)^(IORDRE+1) J_n(u_k).
 *
 * J_n is orthonormal on [-1, 1] for the weight (1 - u^2)^(2 IORDRE + 2) (the normalised Legendre
 * polynomials and no factor for IORDRE = -1); u_k, w_k the positive nodes and weights, then the
 * centre of an odd rule (0 for odd n). The values come from tables built at first use.
 *
 * @param[in]  NDJAC   int: working degree, 2 IORDRE + 2 to NPTS - 1.
 * @param[in]  NPTS    int: 8, 10, 15, 20, 25, 30, 40, 50 or 61.
 * @param[in]  IORDRE  int: -1..2.
 * @param[out] PT      double PT((NPTS+1)/2, NDJAC - 2 IORDRE - 1): column n + 1 for J_n.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 11: NPTS not a supported rule.
 *   - 21: IORDRE outside -1..2.
 *   - 31: NDJAC outside 2 IORDRE + 2 .. NPTS - 1 (0 .. NPTS - 1 for IORDRE = -1).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void mapptt(const int* NDJAC, const int* NPTS, const int* IORDRE, double* PT, int* IER);

/**
 * @brief Jacobi coefficients from the weighted values and the symmetric samples.
 *
 * CRVJAC(K + 1 + n, j) = sum_k PT(k, n) S(j, k) for even n, with D for odd n, K = 2 IORDRE + 2
 * (0 for IORDRE = -1), n = 0..NDJAC - K.
 *
 * @param[in]  NDIM    int: number of components.
 * @param[in]  IORDRE  int: -1..2 (nothing is done otherwise).
 * @param[in]  NDJAC   int: working degree.
 * @param[in]  NPTS    int: number of Gauss points.
 * @param[in]  PT      double PT((NPTS+1)/2, NDJAC - K + 1): from mapptt.
 * @param[in]  S       double S(NDIM, (NPTS+1)/2): sums from mapfdi.
 * @param[in]  D       double D(NDIM, (NPTS+1)/2): differences from mapfdi.
 * @param[out] CRVJAC  double CRVJAC(NDJAC + 1, NDIM): positions K + 1 .. NDJAC + 1 written.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit.
 */
VCBM_API void mapcoe(const int* NDIM, const int* IORDRE, const int* NDJAC, const int* NPTS, const double* PT,
                     const double* S, const double* D, double* CRVJAC);

/**
 * @brief Compound Jacobi form of the function on one segment.
 *
 * Samples (mapfdi), end derivatives and Hermite part (mapcco, mcvctx, mapcti) when IORDRE >= 0,
 * weighted values (mapptt), coefficients (mapcoe); positions 1..2 IORDRE + 2 then hold the
 * Hermite polynomial's canonical coefficients.
 *
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  FUNC    vcbm_approx_function: the function.
 * @param[in]  TSEG    double TSEG(2): the segment.
 * @param[in]  IORDRE  int: -1..2.
 * @param[in]  NDJAC   int: working degree.
 * @param[in]  NPTS    int: a supported rule (see mapptt).
 * @param[out] WORK    double WORK(NDIM (NPTS + 13) + ((NPTS+1)/2)(NDJAC + 1)): work.
 * @param[out] CRVJAC  double CRVJAC(NDJAC + 1, NDIM): the compound Jacobi coefficients.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: a Hermite system is singular; 13: its work space was refused.
 *   - 33: no weighted table for NPTS, IORDRE and NDJAC (also NDIM < 1).
 *   - 100 + k: FUNC returned k > 0.
 * @par Work space
 *   None of its own.
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void mapjak(const int* NDIM, vcbm_approx_function FUNC, const double* TSEG, const int* IORDRE,
                     const int* NDJAC, const int* NPTS, double* WORK, double* CRVJAC, int* IER);

/**
 * @brief Truncation of a group's compound Jacobi expansion under a tolerance.
 *
 * From the highest position down, YMAX(j) accumulates |CRVJAC(p, j)| times the maximum modulus of the
 * basis function at p; the first p whose accumulated Euclidean norm exceeds TOL (or is not a number)
 * is the number kept. Dispatches on IORDRE to mtrpj0, mtrpj2, mtrpj4, mtrpj6 (nothing for other values).
 *
 * @param[in]  LDJAC   int: leading dimension of CRVJAC.
 * @param[in]  NDIMG   int: components of the group.
 * @param[in]  NC      int: positions in use, taken as 61 above 61.
 * @param[in]  TOL     double: the group's tolerance.
 * @param[in]  IORDRE  int: -1..2.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): the group's coefficients.
 * @param[out] YMAX    double YMAX(NDIMG): the accumulated bounds per component.
 * @param[out] ERRMAX  double: bound of the maximum error of what is dropped.
 * @param[out] NKEEP   int: positions kept (trailing Hermite positions within EPS1 dropped).
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mtrpjj(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const int* IORDRE,
                     const double* CRVJAC, double* YMAX, double* ERRMAX, int* NKEEP);

/**
 * @brief mtrpjj for continuity order -1 (normalised Legendre expansion).
 *
 * @param[in]  LDJAC   int: as mtrpjj.
 * @param[in]  NDIMG   int: as mtrpjj.
 * @param[in]  NC      int: as mtrpjj.
 * @param[in]  TOL     double: as mtrpjj.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): as mtrpjj.
 * @param[out] YMAX    double YMAX(NDIMG): as mtrpjj.
 * @param[out] ERRMAX  double: as mtrpjj.
 * @param[out] NKEEP   int: as mtrpjj.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mtrpj0(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC,
                     double* YMAX, double* ERRMAX, int* NKEEP);

/**
 * @brief mtrpjj for continuity order 0.
 *
 * @param[in]  LDJAC   int: as mtrpjj.
 * @param[in]  NDIMG   int: as mtrpjj.
 * @param[in]  NC      int: as mtrpjj.
 * @param[in]  TOL     double: as mtrpjj.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): as mtrpjj.
 * @param[out] YMAX    double YMAX(NDIMG): as mtrpjj.
 * @param[out] ERRMAX  double: as mtrpjj.
 * @param[out] NKEEP   int: as mtrpjj.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mtrpj2(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC,
                     double* YMAX, double* ERRMAX, int* NKEEP);

/**
 * @brief mtrpjj for continuity order 1.
 *
 * @param[in]  LDJAC   int: as mtrpjj.
 * @param[in]  NDIMG   int: as mtrpjj.
 * @param[in]  NC      int: as mtrpjj.
 * @param[in]  TOL     double: as mtrpjj.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): as mtrpjj.
 * @param[out] YMAX    double YMAX(NDIMG): as mtrpjj.
 * @param[out] ERRMAX  double: as mtrpjj.
 * @param[out] NKEEP   int: as mtrpjj.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mtrpj4(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC,
                     double* YMAX, double* ERRMAX, int* NKEEP);

/**
 * @brief mtrpjj for continuity order 2.
 *
 * @param[in]  LDJAC   int: as mtrpjj.
 * @param[in]  NDIMG   int: as mtrpjj.
 * @param[in]  NC      int: as mtrpjj.
 * @param[in]  TOL     double: as mtrpjj.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): as mtrpjj.
 * @param[out] YMAX    double YMAX(NDIMG): as mtrpjj.
 * @param[out] ERRMAX  double: as mtrpjj.
 * @param[out] NKEEP   int: as mtrpjj.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mtrpj6(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC,
                     double* YMAX, double* ERRMAX, int* NKEEP);

/**
 * @brief Mean (root-mean-square) error of dropping the positions beyond N.
 *
 * EMEAN = sqrt(0.5 sum CRVJAC(p, j)^2) over j and p = max(2 IORDRE + 3, N + 1) .. NC.
 *
 * @param[in]  LDJAC   int: leading dimension of CRVJAC.
 * @param[in]  NDIMG   int: components of the group.
 * @param[in]  NC      int: positions in use.
 * @param[in]  IORDRE  int: continuity order.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): the coefficients.
 * @param[in]  N       int: positions kept.
 * @param[out] EMEAN   double: the mean error.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit.
 */
VCBM_API void maperm(const int* LDJAC, const int* NDIMG, const int* NC, const int* IORDRE, const double* CRVJAC,
                     const int* N, double* EMEAN);

/**
 * @brief Maximum-error estimate of dropping the positions beyond N.
 *
 * With K = 2 IORDRE + 2: EMAX = sqrt(sum CRVJAC(p, j)^2 (2K + 2p - 1) C(2K + p - 1, K) / 2^(2K+1)) over j
 * and p = max(N + 1, K + 1) .. NC (0 for an empty range).
 *
 * @param[in]  LDJAC   int: leading dimension of CRVJAC.
 * @param[in]  NDIMG   int: components of the group.
 * @param[in]  NC      int: positions in use.
 * @param[in]  IORDRE  int: continuity order.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIMG): the coefficients.
 * @param[in]  N       int: positions kept.
 * @param[out] EMAX    double: the estimate.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit.
 */
VCBM_API void maperr(const int* LDJAC, const int* NDIMG, const int* NC, const int* IORDRE, const double* CRVJAC,
                     const int* N, double* EMAX);

/**
 * @brief Split of the first NCOEF positions into odd positions (1, 3, ...) then even ones (2, 4, ...).
 *
 * @param[in]  LDJAC   int: leading dimension of CRVJAC and CMP.
 * @param[in]  NCOEF   int: positions to split.
 * @param[in]  NDIM    int: number of components.
 * @param[in]  CRVJAC  double CRVJAC(LDJAC, NDIM): the coefficients.
 * @param[out] CMP     double CMP(LDJAC, NDIM): positions 1, 3, 5, ... then 2, 4, ... of each component.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit.
 */
VCBM_API void mapcmp(const int* LDJAC, const int* NCOEF, const int* NDIM, const double* CRVJAC, double* CMP);

/**
 * @brief Canonical coefficients on [-1, 1] of one component in compound Jacobi form.
 *
 * Sum over the positions of the coefficient times the power coefficients of the basis function
 * (tables built at first use).
 *
 * @param[in]  IORDRE  int: -1..2 (nothing is written otherwise).
 * @param[in]  NDEG    int: degree, 0..60 (nothing is written otherwise).
 * @param[in]  CMP     double CMP(NDEG + 1): the coefficients split by mapcmp.
 * @param[out] CAN     double CAN(NDEG + 1): canonical coefficients, CAN(1) the constant term.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit.
 */
VCBM_API void mjacan(const int* IORDRE, const int* NDEG, const double* CMP, double* CAN);

/**
 * @brief Canonical polynomial on [-1, 1] re-expressed on [T1, T2], component-major to coefficient-major.
 *
 * OUT(j, i) is the coefficient of v^(i-1) of component j after u = (2v - (T1 + T2))/(T2 - T1).
 *
 * @param[in]  NDIMAX  int: leading dimension of OUT.
 * @param[in]  NDIM    int: number of components, 1..NDIMAX.
 * @param[in]  NCF     int: number of coefficients, 1..61.
 * @param[in]  CAN     double CAN(NCF, NDIM): the coefficients on [-1, 1], one column per component.
 * @param[in]  T1      double: start of the output interval.
 * @param[in]  T2      double: end of the output interval.
 * @param[out] OUT     double OUT(NDIMAX, NCF): rows 1..NDIM written.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |T2 - T1| below EPSPB, or NDIM outside 1..NDIMAX.
 *   - 10: NCF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void marcin(const int* NDIMAX, const int* NDIM, const int* NCF, const double* CAN, const double* T1,
                     const double* T2, double* OUT, int* IER);

/**
 * @brief Saved parameters of the debug verification (per thread, for the life of the thread).
 *
 * MODE "LECT" returns the saved values (the defaults before any "SAUV"), "DEFT" the defaults, "SAUV"
 * saves RP and IP. Defaults: RP = (0.01, 1, 0.2) in single precision, IP = (1, 1).
 *
 * @param[in]     MODE      char: the mode, 4 characters.
 * @param[in,out] RP        double RP(3): step fraction, absolute and relative tolerance factors.
 * @param[in,out] IP        int IP(2): order to verify and verbosity.
 * @param[out]    IER       int: 0, or 1 for an unknown MODE.
 * @param[in]     MODE_len  long: length of MODE, 4 characters are used (blank-padded when shorter).
 *
 * @par Codes
 *   - 0: success.
 *   - 1: unknown MODE.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit; at that level the code is reported through aermsg, 0 included.
 */
VCBM_API void mapirw(const char* MODE, double* RP, int* IP, int* IER, long MODE_len);

/**
 * @brief Verification of the derivative of order IP(1) at both segment ends by a difference quotient.
 *
 * Writes the components whose difference exceeds both the relative bound |exact| RP(3) and the
 * absolute bound RP(2) 4 TOL/|t1 - t0| (times 0.5/|t1 - t0| when IP(1) > 1) on the print unit.
 *
 * @param[in]  NDIM      int: number of components.
 * @param[in]  NSUB      int: number of groups.
 * @param[in]  GROUPDIM  int GROUPDIM(NSUB): components per group.
 * @param[in]  TOL       double TOL(NSUB): tolerance per group.
 * @param[in]  FUNC      vcbm_approx_function: the function.
 * @param[in]  TSEG      double TSEG(2): the segment [t0, t1].
 * @param[in]  RP        double RP(3): parameters of mapirw.
 * @param[in]  IP        int IP(2): order to verify (at least 1) and verbosity (2: values written).
 * @param[out] IER       int: result code, see Codes.
 *
 * @par Codes
 *   - 0: verification done (mismatches are written, not reported).
 *   - 1: step (t1 - t0) RP(1) below 1e-15, IP(1) < 1, NDIM < 1, or FUNC failed.
 *   - 2: a work-space request failed.
 * @par Work space
 *   One request of 7 NDIM reals when NDIM exceeds 16; none otherwise.
 * @par Trace
 *   Threshold 3, entry and exit. Reports positive codes.
 */
VCBM_API void mapdbn(const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TOL,
                     vcbm_approx_function FUNC, const double* TSEG, const double* RP, const int* IP, int* IER);

/* ---- Principal axes and boxes of curves ---- */

/**
 * @brief Barycentre, inertia matrix and principal axes of a set of curves in Legendre form.
 *
 * The inertia matrix is the second moment about the barycentre integrated over the parameter
 * interval [-1, 1] and averaged over the curves:
 * INER(a, b) = (sum over c, m of L(m+1, a, c) L(m+1, b, c) 2/(2m+1)) / NCURVE - 2 G(a) G(b).
 * Its eigenproblem is solved by vpvpsy at EPSPB (mveps3), and once more at 1e6 EPSPB when that
 * fails. Negative eigenvalues (rounding) are set to 0.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least every NCOEF(c).
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  L       double L(NCMAX, NDIM, NCURVE): L(n, k, c) the coefficient of the Legendre
 *                     polynomial of degree n-1 (P(1) = 1) in component k of curve c, u in [-1, 1].
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[out] INER    double INER(NDIM, NDIM): receives the inertia matrix, then holds what the
 *                     eigensolver leaves of it.
 * @param[out] G       double G(NDIM): the barycentre (mean of the constant coefficients).
 * @param[out] V       double V(NDIM, NDIM): the principal axes, unit columns matching D.
 * @param[out] D       double D(NDIM): the eigenvalues, decreasing, none below 0.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the eigenproblem failed twice (also when EPSPB is not positive).
 *   - 3: NDIM < 1, NCURVE < 1 or some NCOEF(c) outside 1..NCMAX; nothing is written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr3(const int* NCMAX, const int* NDIM, const int* NCURVE, const double* L, const int* NCOEF,
                     double* INER, double* G, double* V, double* D, int* IER);

/**
 * @brief Oriented box of a set of curves in Legendre form: barycentre, principal axes, half-lengths.
 *
 * The axes come from mblcr3. Along axis i the half-length bounds every curve on [-1, 1]:
 * EXT(i) = max over c of |V(., i) . (L(1, ., c) - G)| + sum over n >= 2 of |V(., i) . L(n, ., c)|,
 * since |P_n| <= 1. The half-lengths are then put in decreasing order with their axes (equal ones
 * keep their places). The box is {G + sum of s_i V(., i) : |s_i| <= EXT(i)}.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least every NCOEF(c).
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  L       double L(NCMAX, NDIM, NCURVE): Legendre coefficients as for mblcr3.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[out] G       double G(NDIM): the centre of the box, the barycentre of the curves.
 * @param[out] V       double V(NDIM, NDIM): the axes of the box, unit columns matching EXT.
 * @param[out] EXT     double EXT(NDIM): the half-lengths, longest first.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the work-space request was refused.
 *   - 2: the principal axes failed (mblcr3).
 *   - 3: NDIM < 1, NCURVE < 1 or some NCOEF(c) outside 1..NCMAX; nothing is written.
 * @par Work space
 *   One request of NDIM*NDIM + NDIM reals when NDIM >= 4; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr2(const int* NCMAX, const int* NDIM, const int* NCURVE, const double* L, const int* NCOEF,
                     double* G, double* V, double* EXT, int* IER);

/**
 * @brief Oriented box of a set of curves given by canonical coefficients on [-1, 1].
 *
 * Each component of each curve is converted to Legendre form (mcvlgd) in a work area, then mblcr2
 * makes the box. The box encloses every curve for u in [-1, 1].
 *
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCMAX   int: coefficient columns per curve block, 1 to 61.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  CRV     double CRV(NDIM, NCMAX, NCURVE): CRV(k, j, c) the coefficient of u^(j-1) in
 *                     component k of curve c; columns past NCOEF(c) are not read.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[out] G       double G(NDIM): the centre of the box.
 * @param[out] V       double V(NDIM, NDIM): the axes, unit columns matching EXT.
 * @param[out] EXT     double EXT(NDIM): the half-lengths, longest first.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the work-space request was refused.
 *   - 2: mblcr2 failed.
 *   - 3: NDIM < 1, NCURVE < 1, NCMAX > 61 or some NCOEF(c) outside 1..NCMAX; nothing is written.
 * @par Work space
 *   One request of NCMAX*(NDIM*NCURVE + 1) reals when that exceeds 512; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr1(const int* NDIM, const int* NCMAX, const int* NCURVE, const double* CRV, const int* NCOEF,
                     double* G, double* V, double* EXT, int* IER);

/**
 * @brief Principal axes or oriented box of curves given on any parameter interval, as a direct frame.
 *
 * The curves are re-expressed on [-1, 1] (mfmcb2) and converted to Legendre form (mcvlgd). An even
 * IOPT gives the principal axes only (mblcr3): EXT then receives the eigenvalues of the inertia
 * matrix, decreasing. An odd IOPT gives the full box (mblcr2). Then the frame is made direct: in 3
 * dimensions the third axis is reversed when the triple product of the axes is negative, in 2
 * dimensions the second axis when their determinant is negative.
 *
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCMAX   int: coefficient columns per curve block, 1 to 61.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  CRV     double CRV(NDIM, NCMAX, NCURVE): CRV(k, j, c) the coefficient of t^(j-1) in
 *                     component k of curve c; columns past NCOEF(c) are not read.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[in]  TINT    double TINT(2): the parameter interval of every curve (TINT(1) may exceed
 *                     TINT(2)); the box encloses the arcs over it.
 * @param[in]  IOPT    int: even: axes only; odd: the box.
 * @param[out] G       double G(NDIM): the barycentre, centre of the box.
 * @param[out] V       double V(NDIM, NDIM): the axes, unit columns, a direct frame in 2 and 3D.
 * @param[out] EXT     double EXT(NDIM): the half-lengths, longest first (odd IOPT), or the
 *                     eigenvalues, decreasing (even IOPT).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the work-space request was refused.
 *   - 2: the axes or the box failed (mblcr3 or mblcr2).
 *   - 3: NDIM < 1, NCURVE < 1, NCMAX > 61, some NCOEF(c) outside 1..NCMAX, or the change of
 *        interval failed; nothing meaningful is written.
 *   - 200: the work space could not be released (the results are complete).
 * @par Work space
 *   One request of NCMAX*(NDIM*NCURVE + 1) reals, plus NDIM*NDIM for the axes only, when that
 *   exceeds 512; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr4(const int* NDIM, const int* NCMAX, const int* NCURVE, const double* CRV, const int* NCOEF,
                     const double* TINT, const int* IOPT, double* G, double* V, double* EXT, int* IER);

/**
 * @brief Barycentre, inertia matrix and principal axes of a 3D patch in Legendre form.
 *
 * As mblcr3 over the square [-1, 1]^2: the weight of the coefficient of P_i(u) P_j(v) is
 * 2/(2i+1) 2/(2j+1), the barycentre is the constant coefficient and the correction is
 * -4 G(a) G(b). The eigenproblem is solved once, at EPSPB; negative eigenvalues are set to 0.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, at least 1.
 * @param[in]  NCOEFV  int: number of coefficients in v, at least 1.
 * @param[in]  L       double L(NCMAX, NCOEFV, 3): L(i, j, k) the coefficient of P_(i-1)(u) P_(j-1)(v)
 *                     in component k (the layout of mpclgd with NCMAX = NCOEFU).
 * @param[out] INER    double INER(3, 3): receives the inertia matrix, then what the eigensolver
 *                     leaves of it.
 * @param[out] G       double G(3): the barycentre.
 * @param[out] V       double V(3, 3): the principal axes, unit columns matching D.
 * @param[out] D       double D(3): the eigenvalues, decreasing, none below 0.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU outside 1..NCMAX or NCOEFV < 1; nothing is written.
 *   - 2: the eigenproblem failed (also when EPSPB is not positive).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry and exit lines. At level 1 and above, on the print unit of nfnimp:
 *   "MBLSR3 : Valeurs propres :", a line of the three eigenvalues, "MBLSR3 : Vecteurs propres :"
 *   and one line per eigenvector, every value in a 22-character field. Reports positive codes
 *   through aermsg.
 */
VCBM_API void mblsr3(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* L, double* INER,
                     double* G, double* V, double* D, int* IER);

/**
 * @brief Oriented box of a 3D patch in Legendre form, as a direct frame.
 *
 * The axes come from mblsr3. EXT(i) is the sum over every coefficient but the constant one of
 * |V(., i) . L(a, b, .)|, a bound of the patch over [-1, 1]^2; the half-lengths are ordered
 * longest first with their axes, and the third axis is reversed when the frame is not direct.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, at least 1.
 * @param[in]  NCOEFV  int: number of coefficients in v, at least 1.
 * @param[in]  L       double L(NCMAX, NCOEFV, 3): the Legendre coefficients as for mblsr3.
 * @param[out] G       double G(3): the centre of the box.
 * @param[out] V       double V(3, 3): the axes, unit columns forming a direct frame.
 * @param[out] EXT     double EXT(3): the half-lengths, longest first.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU outside 1..NCMAX or NCOEFV < 1; nothing is written.
 *   - 2: the principal axes failed (mblsr3).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry and exit lines, and the lines of mblsr3. Reports positive codes through
 *   aermsg.
 */
VCBM_API void mblsr2(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* L, double* G, double* V,
                     double* EXT, int* IER);

/**
 * @brief Axis-aligned box of a curve from its coefficient vectors (in practice its control points).
 *
 * MODE 1: the componentwise minimum and maximum of the NCOEF vectors, which encloses a curve whose
 * control points they are. MODE 2: each component's polygon is split at its middle (mlmpna) and
 * the box is the union of the boxes of the two halves, a tighter enclosure of the same curve.
 * A NaN coordinate makes both bounds of its component NaN.
 *
 * @param[in]  CRV    double CRV(NDIM, NCOEF): the coefficient vectors.
 * @param[in]  NDIM   int: number of components, at least 1.
 * @param[in]  NCOEF  int: number of vectors, at least 1.
 * @param[in]  MODE   int: 1 or 2, as above.
 * @param[out] BOX    double BOX(2, NDIM): BOX(1, k) the minimum and BOX(2, k) the maximum of
 *                    component k.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1 or NCOEF < 1; nothing is written.
 *   - 2: MODE is neither 1 nor 2; nothing is written.
 *   - 10: the work-space request was refused.
 * @par Work space
 *   One request of NDIM*NCOEF reals (MODE 1), NDIM*NCOEF + NCOEF*NCOEF + 2*NCOEF (MODE 2), when
 *   that exceeds 4096; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblbe0(const double* CRV, const int* NDIM, const int* NCOEF, const int* MODE, double* BOX, int* IER);

/**
 * @brief Axis-aligned box of a patch from its coefficient vectors (in practice its control net).
 *
 * MODE 1: the componentwise minimum and maximum of the NCOEFU*NCOEFV vectors. MODE 2: the net is
 * split at the middle of u (mlmkab) and the box is the union of the boxes of the two halves.
 *
 * @param[in]  NET     double NET(NDIM, NCMAX, NCOEFV): NET(k, i, j) component k of vector (i, j).
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCMAX   int: second dimension of NET, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of vectors along u, at least 1.
 * @param[in]  NCOEFV  int: number of vectors along v, at least 1.
 * @param[in]  MODE    int: 1 or 2, as above.
 * @param[out] BOX     double BOX(2, NDIM): minimum and maximum of each component.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM, NCOEFU or NCOEFV below 1, or NCOEFU > NCMAX; nothing is written.
 *   - 2: MODE is neither 1 nor 2; nothing is written.
 *   - 10: the work-space request was refused.
 * @par Work space
 *   One request of N = NDIM*NCOEFU*NCOEFV reals (MODE 1), 3N + NCOEFU*NCOEFU (MODE 2), when that
 *   exceeds 4096; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblbe1(const double* NET, const int* NDIM, const int* NCMAX, const int* NCOEFU, const int* NCOEFV,
                     const int* MODE, double* BOX, int* IER);

/**
 * @brief Componentwise minimum and/or maximum of a set of points stored one component per column.
 *
 * A NaN coordinate makes both results of its component NaN. MODE outside 1..3 or NPTS < 1 writes
 * nothing.
 *
 * @param[in]  MODE  int: 1 the minima, 2 the maxima, 3 both.
 * @param[in]  NDIM  int: number of components.
 * @param[in]  NPTS  int: number of points.
 * @param[in]  PTS   double PTS(NPTS, NDIM): PTS(i, k) component k of point i.
 * @param[out] VMIN  double VMIN(NDIM): the minima (MODE 1 or 3; not written otherwise).
 * @param[out] VMAX  double VMAX(NDIM): the maxima (MODE 2 or 3; not written otherwise).
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void sminmx(const int* MODE, const int* NDIM, const int* NPTS, const double* PTS, double* VMIN,
                     double* VMAX);

/**
 * @brief Whether a set of space curves lies in a plane within a tolerance, and the plane's normal.
 *
 * The curves are taken on u in [-1, 1] and boxed by mblcr1; the normal is the axis of the shortest
 * half-length EXT(3). The set is planar when EXT(3) < TOL; when moreover TOL >= EXT(2) the curves
 * lie within TOL of a line and no plane is defined (code 20).
 *
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to 61.
 * @param[in]  CRV     double CRV(3, *): the coefficient columns of the curves one after the other,
 *                     NCOEF(c) columns of 3 reals for curve c, column j of t^(j-1), t in [-1, 1].
 * @param[in]  TOL     double: the planarity tolerance, a distance (a NaN gives "not planar").
 * @param[out] PLANAR  int: 1 when the set is planar, 0 otherwise (0 with codes 20 and above).
 * @param[out] G       double G(3): the barycentre of the curves, a point of the plane.
 * @param[out] DIR     double DIR(3): the unit normal of the plane (the axis of least extent).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (PLANAR says the verdict).
 *   - 1: the work-space request was refused.
 *   - 2: the box failed (mblcr1).
 *   - 3: NCURVE < 1 or some NCOEF(c) outside 1..61; nothing is written.
 *   - 20: the curves lie within TOL of a line: no plane is defined (G and DIR are written).
 * @par Work space
 *   One request of 3*NCURVE*max(NCOEF) reals when that exceeds 256, and those of mblcr1.
 * @par Trace
 *   Threshold 1, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mvdrpn(const int* NCURVE, const int* NCOEF, const double* CRV, const double* TOL, int* PLANAR, double* G,
                     double* DIR, int* IER);

/* ---- Curve-on-surface approximation ---- */

/**
 * @brief The space curve S(C(t)) traced on a polynomial patch by a planar curve of its parameter plane.
 *
 * A point, or a straight line whose image fits MAXCOEF coefficients, gives one exact segment (mequvt);
 * otherwise (or when mequvt fails) the composition is approximated by mapck6 on TINT. Every segment
 * is parametrised over TINT (mapfnc's output interval): segment s at v in TINT is the point of t in
 * [ERRTAB(1, s), ERRTAB(2, s)] at the same relative place; the single exact segment is S(C(t)) in t.
 *
 * @param[in]  NCFUMX  int: first dimension of SURF.
 * @param[in]  NCFVMX  int: second dimension of SURF.
 * @param[in]  SURF    double SURF(NCFUMX, NCFVMX, NDIM): SURF(i, j, k) the coefficient of u^(i-1) v^(j-1)
 *                     of component k.
 * @param[in]  NDIM    int: components of the patch and of the result, 1..NDIMAX.
 * @param[in]  NCOEFU  int: coefficients in u, 1..NCFUMX (at most 61).
 * @param[in]  NCOEFV  int: coefficients in v, 1..NCFVMX (at most 61).
 * @param[in]  NDIM2   int: components of the planar curve; must be 2.
 * @param[in]  NCOEF2  int: coefficients of the planar curve, at least 1.
 * @param[in]  CRV2    double CRV2(2, NCOEF2): the planar curve (u(t), v(t)), canonical in t.
 * @param[in]  TINT    double TINT(2): parameter interval of the planar curve.
 * @param[in]  ORDER   int: continuity order at the breakpoints (see mapfnc).
 * @param[in]  MAXCOEF int: maximum coefficients per segment (see mapfnc), at most LDCOEF.
 * @param[in]  TOL     double: tolerance on the distance to S(C(t)).
 * @param[in]  NDIMAX  int: first dimension of COEF.
 * @param[in]  LDCOEF  int: second dimension of COEF.
 * @param[in]  MAXSEG  int: maximum number of segments, at least 1.
 * @param[out] COEF    double COEF(NDIMAX, LDCOEF, MAXSEG): canonical coefficients of each segment over
 *                     TINT, rows beyond NDIM zero.
 * @param[out] NSEG    int: number of segments.
 * @param[out] NCOEF   int NCOEF(MAXSEG): coefficients of each segment.
 * @param[out] ERRTAB  double ERRTAB(4, MAXSEG): per segment its start, end, maximum error and mean error.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1, -2: mapfnc's warnings (segment limit reached, debug verification failed); results complete.
 *   - 1: inconsistent dimensions or counts (NCOEFU or NCOEFV above 61 included), or NDIM2 not 2.
 *   - 3: the work area was refused or not released.
 *   - 4: mapck6 failed.
 * @par Work space
 *   On the approximation path one request of 3 MAXSEG + 1 reals, besides those of mapck6 and mapfnc.
 * @par Trace
 *   Threshold 2, entry and exit; at that level also the debug lines of the degree, the number of
 *   segments and each segment's coefficient count and errors (swrdbi, swrdbr). Reports positive codes.
 */
VCBM_API void mapck5(const int* NCFUMX, const int* NCFVMX, const double* SURF, const int* NDIM, const int* NCOEFU,
                     const int* NCOEFV, const int* NDIM2, const int* NCOEF2, const double* CRV2, const double* TINT,
                     const int* ORDER, const int* MAXCOEF, const double* TOL, const int* NDIMAX, const int* LDCOEF,
                     const int* MAXSEG, double* COEF, int* NSEG, int* NCOEF, double* ERRTAB, int* IER);

/**
 * @brief Approximation of S(C(t)) by mapfnc with mpoeq1 as the function.
 *
 * One group of NDIM components, TINT as approximation and output interval, at least 30 Gauss points.
 *
 * @param[in]  NCFUMX  int: as mapck5.
 * @param[in]  NCFVMX  int: as mapck5.
 * @param[in]  SURF    double SURF(NCFUMX, NCFVMX, NDIM): as mapck5.
 * @param[in]  NDIM    int: as mapck5.
 * @param[in]  NCOEFU  int: as mapck5.
 * @param[in]  NCOEFV  int: as mapck5.
 * @param[in]  NDIM2   int: as mapck5.
 * @param[in]  NCOEF2  int: as mapck5.
 * @param[in]  CRV2    double CRV2(2, NCOEF2): as mapck5.
 * @param[in]  TINT    double TINT(2): as mapck5.
 * @param[in]  ORDER   int: as mapck5.
 * @param[in]  MAXCOEF int: as mapck5.
 * @param[in]  TOL     double: as mapck5.
 * @param[in]  NDIMAX  int: as mapck5.
 * @param[in]  LDCOEF  int: as mapck5.
 * @param[in]  MAXSEG  int: as mapck5.
 * @param[out] COEF    double COEF(NDIMAX, LDCOEF, MAXSEG): as mapck5.
 * @param[out] NSEG    int: as mapck5.
 * @param[out] NCOEF   int NCOEF(MAXSEG): as mapck5.
 * @param[out] TBREAK  double TBREAK(0:MAXSEG): the breakpoints.
 * @param[out] ERRMAX  double ERRMAX(MAXSEG): maximum error per segment.
 * @param[out] ERRMEAN double ERRMEAN(MAXSEG): mean error per segment.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success; -1, -2: mapfnc's warnings, results complete.
 *   - 1: the checks of mapck5.
 *   - 2: a work-space request or release failed.
 *   - 3: the patch could not be converted.
 *   - 4: mapfnc failed with a positive code.
 * @par Work space
 *   Requests of NDIM NCOEFU NCOEFV reals (the patch, component first), 2 NCOEF2 reals (the curve) and,
 *   when NDIM exceeds 10, 5 NDIM reals (mpoeq1's partial derivatives); they form the evaluation block of
 *   mpoeq1 for the duration of the call (one per thread).
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void mapck6(const int* NCFUMX, const int* NCFVMX, const double* SURF, const int* NDIM, const int* NCOEFU,
                     const int* NCOEFV, const int* NDIM2, const int* NCOEF2, const double* CRV2, const double* TINT,
                     const int* ORDER, const int* MAXCOEF, const double* TOL, const int* NDIMAX, const int* LDCOEF,
                     const int* MAXSEG, double* COEF, int* NSEG, int* NCOEF, double* TBREAK, double* ERRMAX,
                     double* ERRMEAN, int* IER);

/**
 * @brief Exact image of a point or a straight line of the parameter plane on a patch.
 *
 * For C(t) = (a0 + a1 t, b0 + b1 t): the surface point when a1 = b1 = 0 (or NCOEF2 = 1), the iso-curve
 * re-expressed in t when one of a1, b1 is 0, and otherwise the patch re-expressed on
 * [a0, a0 + a1] x [b0, b0 + b1] summed along its anti-diagonals.
 *
 * @param[in]  NDIM    int: components of the patch, 1..NDIMAX.
 * @param[in]  NCFUMX  int: first dimension of SURF.
 * @param[in]  NCFVMX  int: second dimension of SURF.
 * @param[in]  SURF    double SURF(NCFUMX, NCFVMX, NDIM): the patch.
 * @param[in]  NCOEFU  int: coefficients in u, 1..NCFUMX.
 * @param[in]  NCOEFV  int: coefficients in v, 1..NCFVMX.
 * @param[in]  NCOEF2  int: coefficients of the planar curve, 1 or 2.
 * @param[in]  CRV2    double CRV2(2, NCOEF2): the point or line.
 * @param[in]  NDIMAX  int: first dimension of RES.
 * @param[in]  MAXCOEF int: second dimension of RES.
 * @param[out] RES     double RES(NDIMAX, MAXCOEF): zeroed, then the image, canonical in t.
 * @param[out] NCOUT   int: coefficients of the image.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: MAXCOEF < 1, the image needs more than MAXCOEF coefficients, or NCOEF2 not 1 or 2 (also NDIM,
 *     NCOEFU or NCOEFV below 1).
 *   - 2: NCOEFU > NCFUMX or NCOEFV > NCFVMX.
 *   - 3: a work-space request failed.
 *   - 4: a change of parameter interval failed.
 *   - 5: NDIMAX < NDIM.
 * @par Work space
 *   For a diagonal line one request of NDIM NCOEFU NCOEFV reals; for a point, NDIM reals when NDIM
 *   exceeds 64; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit. Reports positive codes.
 */
VCBM_API void mequvt(const int* NDIM, const int* NCFUMX, const int* NCFVMX, const double* SURF, const int* NCOEFU,
                     const int* NCOEFV, const int* NCOEF2, const double* CRV2, const int* NDIMAX, const int* MAXCOEF,
                     double* RES, int* NCOUT, int* IER);

/**
 * @brief The composition S(C(T)) and its first two derivatives, the function mapck6 approximates.
 *
 * Reads the patch and the planar curve from the evaluation block of the mapck6 call running on the
 * same thread. IDERIV = 1: S_u u' + S_v v'; IDERIV = 2: S_u u'' + S_v v'' + S_uu u'^2 + 2 S_uv u' v' + S_vv v'^2.
 *
 * @param[in]  NDIM    int: components; a value other than the block's returns without result.
 * @param[in]  TSEG    double TSEG(2): the current segment (not read).
 * @param[in]  T       double: the parameter.
 * @param[in]  IDERIV  int: order of derivation, 0..2.
 * @param[out] VAL     double VAL(NDIM): the value or derivative.
 * @param[out] IER     int: 1 for IDERIV outside 0..2, 2 when no planar curve of 2 components is set up;
 *                     left as it arrived otherwise.
 *
 * @par Codes
 *   - 1: IDERIV outside 0..2.
 *   - 2: the evaluation block holds no 2-component planar curve (no mapck6 call running).
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mpoeq1(const int* NDIM, const double* TSEG, const double* T, const int* IDERIV, double* VAL,
                     int* IER);

VCBM_END_DECLS

#endif
