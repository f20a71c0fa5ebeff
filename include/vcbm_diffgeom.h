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

/**
 * @brief Unit tangent of a canonical curve at a parameter, at regular and singular points, with its derivative on request.
 *
 * The tangent comes from the first derivative D_k (k = 1 .. NCOEF-1) longer
 * than EPS (vnitvt); k is its order. For an even order the sense is decided
 * from the chords to the curve a small step before and after U, clamped to
 * BOUNDS: both sides along TAN keep it, both against reverse it, a
 * disagreement (a cusp) or no side to test gives TSENSE = 0.
 *
 * @param[in]  NDIM    int: space dimension (not checked; work space is requested beyond 3).
 * @param[in]  NCOEF   int: number of coefficients, up to 61 (derivative table).
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  U       double: parameter.
 * @param[in]  EPS     double: null-vector tolerance (lengths at most EPS are null).
 * @param[in]  BOUNDS  double BOUNDS(2): parameter interval, either order; the sense test stays inside it.
 * @param[in]  IDERIV  int: 1 to compute DTAN as well; any other value leaves DTAN untouched.
 * @param[out] TAN     double TAN(NDIM): unit tangent; 0 when IER = -1.
 * @param[out] TNORM   double: length of the derivative that gave TAN; 0 when IER = -1.
 * @param[out] TORDER  int: order of that derivative; 0 when none.
 * @param[out] TSENSE  int: 1 when the sense of TAN is defined, 0 when not.
 * @param[out] DTAN    double DTAN(NDIM): with IDERIV = 1, the derivative of D_k / |D_k| with respect to U.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: vnitvt failed (NDIM below 1) or the work-space request was refused.
 *   - 10: NCOEF above 61.
 *   - -1: every derivative of order 1 to NCOEF-1 is null (or NCOEF < 2): TAN = 0, TNORM = 0, TSENSE = 0, DTAN = 0 with IDERIV = 1.
 * @par Work space
 *   One request of 2*NDIM reals when NDIM exceeds 3 (and NCOEF >= 2), released on every exit.
 * @par Trace
 *   Threshold 2, entry and exit lines. Every exit is reported through aermsg, success included.
 */
VCBM_API void mvtan0(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
                     const double* BOUNDS, const int* IDERIV, double* TAN, double* TNORM, int* TORDER, int* TSENSE,
                     double* DTAN, int* IER);

/**
 * @brief Unit tangent of a canonical curve at a parameter: mvtan0 without the derivative.
 *
 * @param[in]  NDIM    int: space dimension.
 * @param[in]  NCOEF   int: number of coefficients, up to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  U       double: parameter.
 * @param[in]  EPS     double: null-vector tolerance.
 * @param[in]  BOUNDS  double BOUNDS(2): parameter interval, either order.
 * @param[out] TAN     double TAN(NDIM): unit tangent.
 * @param[out] TNORM   double: length of the derivative that gave TAN.
 * @param[out] TORDER  int: order of that derivative; 0 when none.
 * @param[out] TSENSE  int: 1 when the sense of TAN is defined, 0 when not.
 * @param[out] IER     int: the code of mvtan0.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: a failure of vnitvt or of the work-space request.
 *   - 10: NCOEF above 61.
 *   - -1: every derivative is null: TAN = 0, TNORM = 0, TSENSE = 0.
 * @par Work space
 *   That of mvtan0.
 * @par Trace
 *   Threshold 2, entry and exit lines. Every non-zero code is reported through aermsg.
 */
VCBM_API void mvtang(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
                     const double* BOUNDS, double* TAN, double* TNORM, int* TORDER, int* TSENSE, int* IER);

/**
 * @brief Unit principal normal of a canonical curve at a parameter, given its tangent, with its derivative on request.
 *
 * The normal is the component across TAN of the first derivative D_K, K
 * from TORDER+1 to NCOEF-1, longer than EPS and whose component is longer
 * than EPS + 2 EPS |D_K| / TNORM. For an odd order the sense is decided from
 * second differences of the curve a small step before and after U, clamped
 * to BOUNDS: a disagreement (an inflexion) gives NSENSE = 0. The derivative
 * is that of the unit vector of B x TAN, B the unit vector of TAN x D_K;
 * in the plane the cross products are taken with a zero third component.
 *
 * @param[in]  NDIM    int: space dimension, 2 or 3.
 * @param[in]  NCOEF   int: number of coefficients, up to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  U       double: parameter.
 * @param[in]  EPS     double: null-vector tolerance.
 * @param[in]  BOUNDS  double BOUNDS(2): parameter interval, either order.
 * @param[in]  IDERIV  int: 1 to compute DNRM as well (DTAN is then read).
 * @param[in]  TAN     double TAN(NDIM): unit tangent from mvtan0 (same curve, U, EPS, BOUNDS).
 * @param[in]  TNORM   double: its TNORM; 0 or less: no normal is found.
 * @param[in]  TORDER  int: its TORDER; below 1: no normal is searched (IER = -1).
 * @param[in]  DTAN    double DTAN(NDIM): its DTAN, read when IDERIV = 1.
 * @param[out] NRM     double NRM(NDIM): unit principal normal.
 * @param[out] NNORM   double: length of the normal component that gave NRM; 0 when none.
 * @param[out] NORDER  int: order of the derivative that gave NRM; 0 when none.
 * @param[out] NSENSE  int: 1 when the sense of NRM is defined, 0 when not.
 * @param[out] DNRM    double DNRM(NDIM): with IDERIV = 1, the derivative of NRM with respect to U.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM not 2 or 3, or a failure of vnitvt, mdrvnr, mdrvpv or munivt.
 *   - 10: NCOEF above 61.
 *   - -1: a straight piece, no derivative has a component across TAN: in the plane NRM is TAN turned
 *     a quarter turn (NSENSE = 1), in space NRM = 0 and NSENSE = 0; NNORM = 0, NORDER = 0, DNRM = 0 with IDERIV = 1.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Every non-zero code is reported through aermsg.
 */
VCBM_API void mdied1(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
                     const double* BOUNDS, const int* IDERIV, const double* TAN, const double* TNORM,
                     const int* TORDER, const double* DTAN, double* NRM, double* NNORM, int* NORDER, int* NSENSE,
                     double* DNRM, int* IER);

/**
 * @brief Unit tangent and unit principal normal of a canonical curve at a parameter (mvtan0, then mdied1).
 *
 * @param[in]  NDIM    int: space dimension, 2 or 3.
 * @param[in]  NCOEF   int: number of coefficients, up to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  U       double: parameter.
 * @param[in]  EPS     double: null-vector tolerance.
 * @param[in]  BOUNDS  double BOUNDS(2): parameter interval, either order.
 * @param[out] TAN     double TAN(NDIM): unit tangent.
 * @param[out] TNORM   double: length of the derivative that gave TAN.
 * @param[out] TORDER  int: order of that derivative; 0 when none.
 * @param[out] TSENSE  int: 1 when the sense of TAN is defined, 0 when not.
 * @param[out] NRM     double NRM(NDIM): unit principal normal.
 * @param[out] NNORM   double: length of the normal component that gave NRM.
 * @param[out] NORDER  int: order of the derivative that gave NRM; 0 when none.
 * @param[out] NSENSE  int: 1 when the sense of NRM is defined, 0 when not.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM not 2 or 3, or any failure of mvtan0 or mdied1 (NCOEF above 61 included).
 *   - -1: the tangent is undefined (every derivative null): NRM = 0, NNORM = 0, NORDER = 0, NSENSE = 0.
 *   - -2: the normal is undefined (a straight piece): the outputs of mdied1 for its code -1.
 * @par Work space
 *   That of mvtan0 (none in dimensions 2 and 3).
 * @par Trace
 *   Threshold 2, entry and exit lines. Every non-zero code is reported through aermsg.
 */
VCBM_API void mdiedr(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
                     const double* BOUNDS, double* TAN, double* TNORM, int* TORDER, int* TSENSE, double* NRM,
                     double* NNORM, int* NORDER, int* NSENSE, int* IER);

/**
 * @brief Derivative of the unit vector XVECTE/|XVECTE| when XVECTE has the derivative XDVECT.
 *
 * DVECNO = XDVECT / L - XVECTE (XVECTE . XDVECT) / L**3 with L = |XVECTE|.
 *
 * @param[in]  NDIM    int: dimension of the vectors.
 * @param[in]  XVECTE  double XVECTE(NDIM): the vector.
 * @param[in]  XDVECT  double XDVECT(NDIM): its derivative.
 * @param[in]  EPS     double: the shortest admissible length of XVECTE.
 * @param[out] DVECNO  double DVECNO(NDIM): the derivative of the unit vector; may be XDVECT itself.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |XVECTE| < EPS, or |XVECTE| = 0 (or NaN): DVECNO untouched, debug line "MDRVNR : Le vecteur est nul".
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines; at level 5 and above two lines with XVECTE and XDVECT on
 *   entry and one with DVECNO on success, on the print unit. Every exit is reported through aermsg,
 *   success included.
 */
VCBM_API void mdrvnr(const int* NDIM, const double* XVECTE, const double* XDVECT, const double* EPS, double* DVECNO,
                     int* IER);

/**
 * @brief Derivative of the unit vector of A x B when A and B have the derivatives DA and DB.
 *
 * @param[in]  A      double A(3): first factor.
 * @param[in]  B      double B(3): second factor.
 * @param[in]  DA     double DA(3): derivative of A.
 * @param[in]  DB     double DB(3): derivative of B.
 * @param[in]  EPS    double: the shortest admissible length of A x B.
 * @param[out] DUNIT  double DUNIT(3): the derivative of (A x B)/|A x B|.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: A x B is null (mdrvnr): DUNIT untouched.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Positive codes are reported through aermsg.
 */
VCBM_API void mdrvpv(const double* A, const double* B, const double* DA, const double* DB, const double* EPS,
                     double* DUNIT, int* IER);

/* ---- Arc length and positioning ---- */

/* ---- Point projection onto a curve ---- */

/* ---- Surface normals ---- */

VCBM_END_DECLS

#endif
