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

/* ---- Surface normals ---- */

VCBM_END_DECLS

#endif
