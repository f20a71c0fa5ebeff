/* Intersections and point classification. */
#ifndef VCBM_INTERSECT_H
#define VCBM_INTERSECT_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curve/curve intersection ---- */

/* ---- Curve/plane intersection ---- */

/* Parameters in [0, 1] where the curve COEF(NDIM, NCOEF) meets the plane (PNORM, PPLANE), ascending in SOL,
   and the one nearest TREF; WORK(NDIM, NCOEF); IER 0, 1 curve in the plane, 2 and 3 all values, 4 a coefficient,
   the normal or the point not finite or a tolerance NaN (nothing computed), 10 the root finder's work space was
   refused (or not released), 101 zero normal. */
VCBM_API void pcvint(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
                     double* WORK, const double* TREF, double* TNEAR, int* NSOL, double* SOL, int* IER);
/* Whether every control point of the 3D curve lies within EPS1 of the plane: IERCK 0 yes, 1 no, 2 zero normal,
   3 NDIM not 3, 4 no control polygon (NCOEF outside 1..61); POLYG(NDIM, NCOEF) out. */
VCBM_API void ckplcv(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
                     double* POLYG, int* IERCK);

/* ---- Point-in-domain classification ---- */

/* ---- Normal segments between two curves ---- */

/* ---- Line/curve and space-curve intersection ---- */

VCBM_END_DECLS

#endif
