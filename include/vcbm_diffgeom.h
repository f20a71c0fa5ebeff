/* Differential geometry of curves and patches. */
#ifndef VCBM_DIFFGEOM_H
#define VCBM_DIFFGEOM_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curvature ---- */

/**
 * @brief Curvature, radius and centre of curvature of a canonical curve at one parameter.
 *
 * The first and second derivatives are formed from the coefficients (derivc,
 * cderiv) and evaluated at U. A singular point and an inflexion are detected
 * component by component against EPSPB (the first value of mepspb); a zero
 * curvature by the Euclidean length of D1 x D2, then of (D1 x D2) x D1,
 * against EPS1 (meps1). HUGE is the bound returned by merflo.
 *
 * @param[in]  POINT   double POINT(NDIM): the point of the curve at U; only places the centre.
 * @param[in]  NDIM    int: space dimension, 2 or 3.
 * @param[in]  NCOEF   int: number of coefficients, 3 to 62 for a result (degree NCOEF-1).
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients, column k the coefficient of U**(k-1).
 * @param[in]  U       double: parameter value.
 * @param[out] WORK    double WORK(NDIM, NCOEF-1): work array (derivative coefficients), of no use on return.
 * @param[out] CURV    double: curvature at U.
 * @param[out] RADIUS  double: radius of curvature, 1/CURV.
 * @param[out] CENTER  double CENTER(NDIM): centre of curvature.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: singular point: every |D1(i)| <= EPSPB; CURV, RADIUS, CENTER not written.
 *   - 2: inflexion: every |D2(i)| <= EPSPB; CURV = 0, RADIUS = HUGE, CENTER = HUGE.
 *   - 3: zero curvature: |D1 x D2| or |(D1 x D2) x D1| at most EPS1; CURV = 0, RADIUS = HUGE, CENTER = HUGE.
 *   - 4: the curve is a segment (NCOEF <= 2); CURV = 0, RADIUS = HUGE, CENTER = HUGE.
 *   - 5: NDIM is not 2 or 3; nothing written.
 *   - 10: NCOEF above 62 (the derivative table stops at degree 60); nothing written.
 * @par Work space
 *   None.
 * @par Trace
 *   No entry or exit trace. At trace level exactly 1 the cases 1 to 5 write two
 *   lines on the print unit: " MSG FROM CVTURE:" and the line of the case.
 *   Every exit, success included, is reported through aermsg.
 */
VCBM_API void cvture(const double* POINT, const int* NDIM, const int* NCOEF, const double* COEF, const double* U,
                     double* WORK, double* CURV, double* RADIUS, double* CENTER, int* IER);

/* ---- Frenet frame ---- */

/* ---- Tangents and principal normals ---- */

/* ---- Arc length and positioning ---- */

/* ---- Point projection onto a curve ---- */

/* ---- Surface normals ---- */

VCBM_END_DECLS

#endif
