/* Differential geometry of curves and patches. */
#ifndef VCBM_DIFFGEOM_H
#define VCBM_DIFFGEOM_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curvature ---- */

/* ---- Frenet frame ---- */

/* ---- Tangents and principal normals ---- */

/* ---- Arc length and positioning ---- */

/**
 * @brief Length of a space curve between two parameters by one Gauss-Legendre rule.
 *
 * The rule has 4L points, L = min(NCOEF div 4 + 1, 10); its nodes are kept per
 * thread and fetched again only when L changes. The length is signed: U1 > U2
 * gives the negative of the length over [U2, U1]. Coefficients that are not
 * numbers give a length that is not a number, with code 0.
 *
 * @param[in]  NDIMAX  int: leading dimension of COEF, at least NDIM.
 * @param[in]  NDIM    int: number of rows of COEF used, at least 1.
 * @param[in]  NCOEF   int: number of coefficients, at least 1 (degree NCOEF-1).
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  U1      double: first bound of the integral.
 * @param[in]  U2      double: second bound.
 * @param[out] LENGTH  double: the signed length from U1 to U2 (0 on code 1).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (also U1 = U2, LENGTH = 0).
 *   - 1: NDIM < 1, NCOEF < 1 or NDIM > NDIMAX.
 *   - 2: the Gauss nodes could not be obtained (vgaus0 failed).
 * @par Work space
 *   None.
 * @par Trace
 *   Not traced. Reports the codes 1 and 2 through aermsg.
 */
VCBM_API void mloncv(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, const double* U1,
                     const double* U2, double* LENGTH, int* IER);

/**
 * @brief Length of a curve drawn on a patch between two parameters by one Gauss-Legendre rule.
 *
 * The curve is S(u(t), v(t)) with (u, v) the plane curve CRV2D; its speed is
 * |Su u' + Sv v'|, Su and Sv from mdrpu1 and mdrpv1. The rule has 4L points,
 * L = max(1, min(5, ((NCOEF2D-1)(NCOEFU+NCOEFV-2)) div 4 + 1)), nodes kept per
 * thread apart from those of mloncv. Signed as mloncv.
 *
 * @param[in]  NCOEF2D  int: number of coefficients of the plane curve, at least 1.
 * @param[in]  CRV2D    double CRV2D(2, NCOEF2D): canonical coefficients of (u(t), v(t)).
 * @param[in]  NDIM     int: dimension of the patch, 1 to 3.
 * @param[in]  NCOEFU   int: number of coefficients of the patch in u.
 * @param[in]  NCOEFV   int: number of coefficients of the patch in v.
 * @param[in]  SURF     double SURF(NDIM, NCOEFU, NCOEFV): canonical coefficients, SURF(k, i, j) that of
 *                      u^(i-1) v^(j-1) in component k.
 * @param[in]  U1       double: first bound of the integral.
 * @param[in]  U2       double: second bound.
 * @param[out] LENGTH   double: the signed length from U1 to U2 (0 unless the code is 0).
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (also U1 = U2, LENGTH = 0).
 *   - 1: NDIM outside 1 to 3, or the plane curve could not be evaluated (NCOEF2D < 1).
 *   - 2: the Gauss nodes could not be obtained (vgaus0 failed).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. No error report.
 */
VCBM_API void mloncl(const int* NCOEF2D, const double* CRV2D, const int* NDIM, const int* NCOEFU, const int* NCOEFV,
                     const double* SURF, const double* U1, const double* U2, double* LENGTH, int* IER);

/**
 * @brief Length of a space curve to a tolerance, by a composite Gauss-Legendre rule.
 *
 * The rule of mloncv is applied on N = 1, 2, 4, ... equal sub-intervals until
 * two successive sums differ by at most EPS (an absolute test), 13 refinements
 * (4096 sub-intervals) at most. A sum that is not a number stops the
 * refinement at once with code 1.
 *
 * @param[in]  NDIMAX  int: leading dimension of COEF, at least NDIM.
 * @param[in]  NDIM    int: number of rows of COEF used, at least 1.
 * @param[in]  NCOEF   int: number of coefficients, at least 1.
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  UA      double: first bound.
 * @param[in]  UB      double: second bound (either order; the length is signed).
 * @param[in]  EPS     double: tolerance on the difference of two sums (0 or less: never met but by equal sums).
 * @param[out] LENGTH  double: the last sum (0 on codes 2 and 3).
 * @param[out] DIFF    double: the last difference between two sums (0 on codes 2 and 3).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: converged (also UA = UB, LENGTH = 0).
 *   - 1: not converged after the last refinement; LENGTH and DIFF hold the last values.
 *   - 2: mloncv failed on a sub-interval.
 *   - 3: NDIM < 1, NCOEF < 1 or NDIM > NDIMAX.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. The running sum after each sub-interval of the
 *   last two refinements ("MCGLC1 : SOTTC "), a note when convergence needed them, and
 *   on code 1 the dump of the curve and the tolerances, through the debug writers.
 *   Reports positive codes through aermsg.
 */
VCBM_API void mcglc1(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, const double* UA,
                     const double* UB, const double* EPS, double* LENGTH, double* DIFF, int* IER);

/**
 * @brief Length of a curve drawn on a patch to a tolerance, by a composite Gauss-Legendre rule.
 *
 * As mcglc1 with the rule of mloncl and 10 refinements (512 sub-intervals) at most.
 * The arguments are not checked here: mloncl's failure gives code 2.
 *
 * @param[in]  NCOEF2D  int: number of coefficients of the plane curve.
 * @param[in]  CRV2D    double CRV2D(2, NCOEF2D): canonical coefficients of (u(t), v(t)).
 * @param[in]  NDIM     int: dimension of the patch, 1 to 3.
 * @param[in]  NCOEFU   int: number of coefficients of the patch in u.
 * @param[in]  NCOEFV   int: number of coefficients of the patch in v.
 * @param[in]  SURF     double SURF(NDIM, NCOEFU, NCOEFV): canonical coefficients of the patch.
 * @param[in]  UA       double: first bound.
 * @param[in]  UB       double: second bound (either order).
 * @param[in]  EPS      double: tolerance on the difference of two sums.
 * @param[out] LENGTH   double: the last sum (0 on code 2).
 * @param[out] DIFF     double: the last difference between two sums (0 on code 2).
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: converged (also UA = UB).
 *   - 1: not converged after the last refinement; LENGTH and DIFF hold the last values.
 *   - 2: mloncl failed on a sub-interval.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. A note when convergence needed the last two
 *   refinements and, on code 1, the tolerance and the difference, through the debug
 *   writers. Reports positive codes through aermsg.
 */
VCBM_API void mcglc2(const int* NCOEF2D, const double* CRV2D, const int* NDIM, const int* NCOEFU,
                     const int* NCOEFV, const double* SURF, const double* UA, const double* UB, const double* EPS,
                     double* LENGTH, double* DIFF, int* IER);

/**
 * @brief Parameter of a space curve at which a given fraction of the length of [UA, UB] is reached.
 *
 * A bracketing search on F(x) = length(UA, x) - RATIO (LENB - LENA), with
 * parabolic or secant steps; it measures with mloncv until a step lands within
 * TOLL = max(EPS1, TOL) of the target, then with mcglc1 to TOLL / 4.
 *
 * @param[in]  NDIMAX  int: leading dimension of COEF, equal to NDIM.
 * @param[in]  NDIM    int: dimension of the curve, at least 1.
 * @param[in]  NCOEF   int: number of coefficients, at least 1.
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  UA      double: start of the interval.
 * @param[in]  UB      double: end of the interval, above UA.
 * @param[in]  LENA    double: length from some origin to UA.
 * @param[in]  LENB    double: length from the same origin to UB.
 * @param[in]  RATIO   double: the fraction, 0 to 1.
 * @param[out] UOUT    double: the parameter found (0 on codes 1 to 4; the last estimate on code 5).
 * @param[in]  TOL     double: tolerance on the length.
 * @param[out] NITER   int: the number of iterations made.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (RATIO = 0 gives UA, RATIO = 1 gives UB).
 *   - 1: NDIM < 1 or NCOEF < 1.
 *   - 2: RATIO below 0, above 1, or not a number.
 *   - 3: UA >= UB (or either is not a number).
 *   - 4: NDIM differs from NDIMAX.
 *   - 5: no result within 40 iterations, or a length that is not a number.
 *   - otherwise the code of mloncv or mcglc1, passed on unchanged.
 * @par Work space
 *   None.
 * @par Trace
 *   Not traced. Reports the code through aermsg on every exit, 0 included.
 */
VCBM_API void mposcv(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, const double* UA,
                     const double* UB, const double* LENA, const double* LENB, const double* RATIO, double* UOUT,
                     const double* TOL, int* NITER, int* IER);

/**
 * @brief Parameter of a curve drawn on a patch at which a given fraction of a length is reached.
 *
 * The search of mposcv with the lengths of mloncl and mcglc2; the target is
 * RATIO * LENTOT, measured from UA.
 *
 * @param[in]  NCOEF2D  int: number of coefficients of the plane curve, at least 1.
 * @param[in]  CRV2D    double CRV2D(2, NCOEF2D): canonical coefficients of (u(t), v(t)).
 * @param[in]  NDIM     int: dimension of the patch, 1 to 3.
 * @param[in]  NCOEFU   int: number of coefficients of the patch in u, at least 1.
 * @param[in]  NCOEFV   int: number of coefficients of the patch in v, at least 1.
 * @param[in]  SURF     double SURF(NDIM, NCOEFU, NCOEFV): canonical coefficients of the patch.
 * @param[in]  UA       double: start of the interval.
 * @param[in]  UB       double: end of the interval, above UA.
 * @param[in]  LENTOT   double: the length of [UA, UB].
 * @param[in]  RATIO    double: the fraction, 0 to 1.
 * @param[in]  TOL      double: tolerance on the length.
 * @param[out] UOUT     double: the parameter found (0 on codes 1 to 3; the last estimate on codes 4 and 5).
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (RATIO = 0 gives UA, RATIO = 1 gives UB).
 *   - 1: NCOEF2D, NDIM, NCOEFU or NCOEFV below 1.
 *   - 2: RATIO below 0, above 1, or not a number.
 *   - 3: UA >= UB (or either is not a number).
 *   - 4: a length evaluation failed (NDIM above 3 among others).
 *   - 5: no result within 40 iterations, mcglc2 not converged, or a length that is not a number.
 * @par Work space
 *   None.
 * @par Trace
 *   Not traced. Reports positive codes through aermsg.
 */
VCBM_API void mposcl(const int* NCOEF2D, const double* CRV2D, const int* NDIM, const int* NCOEFU,
                     const int* NCOEFV, const double* SURF, const double* UA, const double* UB,
                     const double* LENTOT, const double* RATIO, const double* TOL, double* UOUT, int* IER);

/* ---- Point projection onto a curve ---- */

/**
 * @brief Roots on [0, 1] of the projection polynomial g(u) = (P(u) - X) . P'(u) of a point onto a curve.
 *
 * @param[out] WORK   double WORK(NDIM, NCOEF-1): the derivative's coefficients (one column when NCOEF = 1).
 * @param[in]  NDIM   int: dimension, 1 to 3.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 21 (g has 2 NCOEF - 2 coefficients).
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  X      double X(NDIM): the point.
 * @param[out] NROOT  int: number of roots of g in [0, 1]; -1 when g is zero within the root finder's
 *                    tolerance everywhere (the curve lies on a sphere around X) or has more roots than its degree.
 * @param[out] ROOTS  double ROOTS(2 NCOEF - 3): the roots, ascending.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: ur1pls failed, or NDIM or NCOEF out of range.
 * @par Work space
 *   That of ur1pls.
 * @par Trace
 *   No entry trace. Reports every code, 0 included.
 */
VCBM_API void mcvprj(double* WORK, const int* NDIM, const int* NCOEF, const double* COEF, const double* X, int* NROOT,
                     double* ROOTS, int* IER);

/**
 * @brief Nearest points of a curve on [0, 1] to a point: the roots of g and the ends compared.
 *
 * Points at distances within EPS1 of the smallest are all kept.
 *
 * @param[in]  NDIM   int: dimension, 1 to 3.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 21.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients on [0, 1].
 * @param[in]  X      double X(NDIM): the point.
 * @param[out] NSOL   int: number of nearest points.
 * @param[out] PROJ   double PROJ(NDIM, 2 NCOEF - 1): the points.
 * @param[out] PARAMS double PARAMS(2 NCOEF - 1): their parameters, in [0, 1].
 * @param[out] DIST   double: the smallest distance.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (on a sphere around X: NSOL = 1, the first point).
 *   - 1: mcvprj failed.
 * @par Work space
 *   That of ur1pls.
 * @par Trace
 *   None; at any non-zero level the lines " LA COURBE EST PORTEE PAR UNE SPHERE " and
 *   " LE POINT ENTRE EST SON CENTRE " on the print unit in the sphere case. Reports positive codes as "MCVPR1".
 */
VCBM_API void mcvpr2(const int* NDIM, const int* NCOEF, const double* COEF, const double* X, int* NSOL, double* PROJ,
                     double* PARAMS, double* DIST, int* IER);

/**
 * @brief Nearest points of a curve on [0, 1] to a point, the curve cut into 1 to 16 pieces.
 *
 * Each piece is reparametrised on [0, 1] and solved by mcvpr2; the pieces'
 * answers are merged (ties within EPS1 kept, a shared end once within EPSNR).
 *
 * @param[in]  NDIM   int: dimension, 2 or 3.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 21.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients on [0, 1].
 * @param[in]  X      double X(NDIM): the point.
 * @param[out] NSOL   int: number of nearest points.
 * @param[out] PARAMS double PARAMS(2 NCOEF - 1): their parameters.
 * @param[out] PROJ   double PROJ(NDIM, 2 NCOEF - 1): the points.
 * @param[out] DIST   double: the smallest distance.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: the curve is a point (length below EPS1): NSOL = 1, PARAMS(1) = 0, PROJ(:, 1) = COEF(:, 1).
 *   - -2: the curve lies on a sphere around X: NSOL = 1, PARAMS(1) = 0, PROJ(:, 1) = COEF(:, 1), DIST the radius.
 *   - 10: NCOEF above 21.
 *   - 20: the restriction to a piece failed.
 *   - 30: mcvpr2 failed on a piece.
 *   - 40: the length could not be computed.
 *   - 100: NDIM not 2 or 3.
 * @par Work space
 *   That of ur1pls.
 * @par Trace
 *   Threshold 2, entry line only; " Longueur CV=" with the length on the print unit at level 3 or more.
 *   Reports every code, 0 included.
 */
VCBM_API void mcvpds(const int* NDIM, const int* NCOEF, const double* COEF, const double* X, int* NSOL, double* PARAMS,
                     double* PROJ, double* DIST, int* IER);

/**
 * @brief Whether a curve on [0, 1] lies on a sphere around a point (32 samples within 5e-6 of the radius).
 *
 * @param[in]  NDIM   int: dimension.
 * @param[in]  NCOEF  int: number of coefficients.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  X      double X(NDIM): the point.
 * @param[out] RADIUS double: |P(0) - X|.
 * @param[out] ISPHER int: 1 when every sample u = k/32 lies within 5e-6 RADIUS of that distance, else 0.
 * @param[out] IER    int: 0.
 *
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry line only. Reports every code, 0 included.
 */
VCBM_API void mcvcrc(const int* NDIM, const int* NCOEF, const double* COEF, const double* X, double* RADIUS,
                     int* ISPHER, int* IER);

/**
 * @brief Extremal (minimum or maximum) distance from a point to a curve on an interval, in Bernstein form.
 *
 * The candidates are the roots of g, the middles of the stretches where g
 * vanishes (solution intervals) or could not be settled (noisy intervals),
 * and the ends when g says the distance moves the wanted way there. Those
 * within EPS of the extreme are all kept, each kind in its own list.
 *
 * @param[in]  NDIM   int: dimension, 2 or 3.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 21.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  BOUNDS double BOUNDS(2): the interval (UA, UB).
 * @param[in]  X      double X(NDIM): the point.
 * @param[in]  ISENS  int: 1 the minimum, -1 the maximum.
 * @param[in]  EPS    double: length tolerance (degenerate curve, ties, and the tolerance of g).
 * @param[in]  EPSA   double: relative precision of the products in g (used by mxepsi).
 * @param[in]  EPSB   double: smallest parameter resolution (used by mxepsi).
 * @param[in]  NMAX   int: capacity of each output list, at least 1.
 * @param[out] NPTS   int: number of extremal points.
 * @param[out] PARPTS double PARPTS(NMAX): their parameters.
 * @param[out] PTS    double PTS(NDIM, NMAX): the points.
 * @param[out] NINT   int: number of extremal solution intervals.
 * @param[out] INTS   double INTS(2, NMAX): the intervals.
 * @param[out] NNOISE int: number of extremal noisy intervals.
 * @param[out] NOISES double NOISES(2, NMAX): the intervals.
 * @param[out] DIST   double: the extremal distance.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -2: the curve lies on a sphere around X: DIST the radius, no list filled.
 *   - -3: the curve is a point (length below EPS): DIST = |X - P(UA)|, no list filled.
 *   - 1: the length, the sphere test or the solver failed.
 *   - 2: NDIM not 2 or 3, or NMAX below 1.
 * @par Work space
 *   That of mpjpc3.
 * @par Trace
 *   Threshold 2, entry and exit; at level 2 or more the debug real "MDPCV0 : Longueur CV ". Reports every
 *   code, 0 included.
 */
VCBM_API void mdpcv0(const int* NDIM, const int* NCOEF, const double* COEF, const double* BOUNDS, const double* X,
                     const int* ISENS, const double* EPS, const double* EPSA, const double* EPSB, const int* NMAX,
                     int* NPTS, double* PARPTS, double* PTS, int* NINT, double* INTS, int* NNOISE, double* NOISES,
                     double* DIST, int* IER);

/**
 * @brief Roots of g in Bernstein form on an interval: work areas and the curves read by mxptcb and mxepsi.
 *
 * @param[in]  NDIM   int: dimension, 2 or 3.
 * @param[in]  NCMAX  int: the largest NCOEF accepted (at most 21).
 * @param[in]  NCOEF  int: number of coefficients, 1 to NCMAX.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  BOUNDS double BOUNDS(2): the interval (UA, UB).
 * @param[in]  X      double X(NDIM): the point.
 * @param[in]  EPS    double: length tolerance.
 * @param[in]  EPSA   double: relative precision of the products.
 * @param[in]  EPSB   double: smallest parameter resolution.
 * @param[in]  NSOLMX int: capacity of each list, at least 2 NCOEF - 2.
 * @param[out] NSOLP  int: number of point roots.
 * @param[out] SOLP   double SOLP(NSOLMX): the roots, ascending.
 * @param[out] NSOLI  int: number of solution intervals.
 * @param[out] SOLI   double SOLI(2, NSOLMX): the intervals.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] NOISE  double NOISE(2, NSOLMX): the intervals.
 * @param[out] FEND   double FEND(2): the function tolerances at the two ends.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1, -2: passed on from mpjpc4.
 *   - 1: mpjpc4 failed.
 *   - 10: a work-space request or release failed ("LNCVAD: PB. d'allocation dynamique").
 * @par Work space
 *   Three requests: 2 of NDIM NCOEF reals and one of 2 NCOEF - 1.
 * @par Trace
 *   Threshold 2, entry line only. Reports positive codes.
 */
VCBM_API void mpjpc3(const int* NDIM, const int* NCMAX, const int* NCOEF, const double* COEF, const double* BOUNDS,
                     const double* X, const double* EPS, const double* EPSA, const double* EPSB, const int* NSOLMX,
                     int* NSOLP, double* SOLP, int* NSOLI, double* SOLI, int* NNOISE, double* NOISE, double* FEND,
                     int* IER);

/**
 * @brief The core of the Bernstein road: g = (P - X) . P' in Bernstein form on BOUNDS, solved by mrs1g1.
 *
 * @param[in]  NDIM   int: dimension, 2 or 3.
 * @param[in]  NCMAX  int: the largest NCOEF accepted (at most 21).
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  NCOEF  int: number of coefficients.
 * @param[in]  BOUNDS double BOUNDS(2): the interval.
 * @param[in]  X      double X(NDIM): the point.
 * @param[in]  NSOLMX int: capacity of each list, at least 2 NCOEF - 2.
 * @param[out] NSOLP  int: number of point roots.
 * @param[out] SOLP   double SOLP(NSOLMX): the roots.
 * @param[out] NSOLI  int: number of solution intervals.
 * @param[out] SOLI   double SOLI(2, NSOLMX): the intervals.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] NOISE  double NOISE(2, NSOLMX): the intervals.
 * @param[out] FEND   double FEND(2): the function tolerances (mxepsi) of the end sixteenths of BOUNDS.
 * @param[out] CX     double CX(NDIM, NCOEF): P - X.
 * @param[out] DC     double DC(NDIM, NCOEF): P', its last column zero.
 * @param[out] NPROD  int: 2 NCOEF - 1.
 * @param[out] PROD   double PROD(2 NCOEF - 1): the Bernstein coefficients of g on BOUNDS.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: invalid argument. 2: a conversion to Bernstein form failed. 5: a change of layout failed.
 *     3: the product failed. 4: mrs1g1 failed. 6: the end tolerances failed.
 *   - -2: one solution interval equal to BOUNDS. -1: other solution or noisy intervals.
 * @par Work space
 *   That of mrs1g1.
 * @par Trace
 *   Threshold 3, entry and exit; at level 1 or more the line of the code ("MPJPC4 : Argument invalide",
 *   ...). Reports every non-zero code.
 */
VCBM_API void mpjpc4(const int* NDIM, const int* NCMAX, const double* COEF, const int* NCOEF, const double* BOUNDS,
                     const double* X, const int* NSOLMX, int* NSOLP, double* SOLP, int* NSOLI, double* SOLI,
                     int* NNOISE, double* NOISE, double* FEND, double* CX, double* DC, int* NPROD, double* PROD,
                     int* IER);

/**
 * @brief g(T) = (P(T) - X) . P'(T) from the curves stored by mpjpc3 (the evaluation routine of mrs1g1).
 *
 * @param[in]  T   double: the parameter.
 * @param[out] F   double: g(T) (0 with code 1).
 * @param[out] IER int: 0; -1 T lies outside BOUNDS (F is still computed); 1 no curve is stored (outside mpjpc3).
 *
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. Reports every non-zero code.
 */
VCBM_API void mxptcb(const double* T, double* F, int* IER);

/**
 * @brief Tolerances of g on a sub-interval from the curves stored by mpjpc3 (the tolerance routine of mrs1g1).
 *
 * With S and V the largest control points of P - X and P' on TINT (restricted
 * only when TINT is longer than a hundredth of BOUNDS, the last bounds kept
 * otherwise): EPSF = EPS V + EPSA S V, EPSX = max(EPS / V, EPSB).
 *
 * @param[in]  TINT double TINT(2): the sub-interval.
 * @param[out] EPSX double: parameter tolerance.
 * @param[out] EPSF double: function tolerance.
 * @param[out] IER  int: 0; 1 no curve is stored (outside mpjpc3).
 *
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 4, entry and exit. Reports positive codes.
 */
VCBM_API void mxepsi(const double* TINT, double* EPSX, double* EPSF, int* IER);

/* ---- Surface normals ---- */

VCBM_END_DECLS

#endif
