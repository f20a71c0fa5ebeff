/* Intersections and point classification. */
#ifndef VCBM_INTERSECT_H
#define VCBM_INTERSECT_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curve/curve intersection ---- */

/* ---- Curve/plane intersection ---- */

/**
 * @brief Intersection of a polynomial curve on [0, 1] with a plane (a line in 2D).
 *
 * EPS1 is scaled by the speed of the curve at t = 0.48 for the duration of the call (and restored
 * on every exit). In 3D the control polygon is first tested against the plane (ckplcv). The signed
 * distance to the plane is a polynomial whose roots on [0, 1] come from ur1pls.
 *
 * @param[in]  NDIM    int: dimension, 1 or more (2: a line, 3: a plane).
 * @param[in]  NCOEF   int: number of coefficients, 1 to 41 (the limit of ur1pls).
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients on [0, 1].
 * @param[in]  PNORM   double PNORM(NDIM): the plane's normal, of any length.
 * @param[in]  PPLANE  double PPLANE(NDIM): a point of the plane.
 * @param[out] WORK    double WORK(NDIM, NCOEF): work.
 * @param[in]  TREF    double: reference parameter.
 * @param[out] TNEAR   double: the solution nearest to TREF (of two at the same distance, the
 *                     larger); TREF for codes 1, 2 and 3.
 * @param[out] NSOL    int: the number of solutions (1 for code 1; not written for codes 2 and 101).
 * @param[out] SOL     double SOL(max(NDIM, NCOEF-1)): SOL(1..NSOL), the parameters, ascending.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (NSOL may be 0).
 *   - 1: a 3D curve lying in the plane within EPS1.
 *   - 2: every parameter is a solution (the distance polynomial is zero).
 *   - 3: more roots than the degree: the list is unreliable.
 *   - 4: a coefficient, the normal or the point is not finite, or a tolerance is NaN: nothing
 *        computed.
 *   - 101: the normal is zero.
 * @par Work space
 *   None itself; ur1pls requests its own.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports every non-zero code through aermsg. From level 2 the
 *   speed line "PCVINT : Norme du vecteur derive en ! 0.48 = ...", and from level 1 a line for each
 *   failure, on the print unit.
 */
VCBM_API void pcvint(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
                     double* WORK, const double* TREF, double* TNEAR, int* NSOL, double* SOL, int* IER);

/**
 * @brief Whether every control point of a 3D curve lies within EPS1 of a plane.
 *
 * @param[in]  NDIM    int: must be 3.
 * @param[in]  NCOEF   int: number of coefficients, 1 to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients on [0, 1].
 * @param[in]  PNORM   double PNORM(3): the normal, not zero.
 * @param[in]  PPLANE  double PPLANE(3): a point of the plane.
 * @param[out] POLYG   double POLYG(NDIM, NCOEF): the control polygon.
 * @param[out] IERCK   int: the verdict, see Codes.
 *
 * @par Codes
 *   - IERCK 0: the polygon lies in the plane.
 *   - IERCK 1: it does not.
 *   - IERCK 2: the normal is zero.
 *   - IERCK 3: NDIM is not 3.
 *   - IERCK 4: no control polygon (NCOEF outside 1..61).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line, no aermsg. When the trace level is exactly 1, the failures write
 *   "MSG FROM CKPLCV:" and the reason on the print unit.
 */
VCBM_API void ckplcv(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
                     double* POLYG, int* IERCK);

/* ---- Point-in-domain classification ---- */

/* ---- Normal segments between two curves ---- */

/* ---- Line/curve and space-curve intersection ---- */

VCBM_END_DECLS

#endif
