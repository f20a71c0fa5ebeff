/* Differential geometry of curves and patches. */
#ifndef VCBM_DIFFGEOM_H
#define VCBM_DIFFGEOM_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curvature ---- */

/**
 * @brief Curvature, radius and centre of curvature of a canonical curve at one parameter.
 *
 * The first and second derivatives are evaluated at U with the operations of
 * derivc, cderiv and pocurv, in one pass. A singular point and an inflexion are detected
 * component by component against EPSPB (the first value of mepspb); a zero
 * curvature by the Euclidean length of D1 x D2, then of (D1 x D2) x D1,
 * against EPS1 (meps1). HUGE is the bound returned by merflo.
 *
 * @param[in]  POINT   double POINT(NDIM): the point of the curve at U; only places the centre.
 * @param[in]  NDIM    int: space dimension, 2 or 3.
 * @param[in]  NCOEF   int: number of coefficients, at least 3 for a result (degree NCOEF-1).
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients, column k the coefficient of U**(k-1).
 * @param[in]  U       double: parameter value.
 * @param[out] WORK    double WORK(NDIM, NCOEF-1): work array, kept for the interface; not written.
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

/**
 * @brief Derivative of a cross product: R = A x DB + DA x B.
 *
 * @param[in]  A   double A(3): first factor.
 * @param[in]  B   double B(3): second factor.
 * @param[in]  DA  double DA(3): derivative of A.
 * @param[in]  DB  double DB(3): derivative of B.
 * @param[out] R   double R(3): the derivative of A x B; may be any of the inputs.
 *
 * @par Codes
 *   None (no error argument).
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mderpv(const double* A, const double* B, const double* DA, const double* DB, double* R);

/**
 * @brief Second derivative of a cross product: R = A x D2B + 2 DA x DB + D2A x B.
 *
 * @param[in]  A    double A(3): first factor.
 * @param[in]  B    double B(3): second factor.
 * @param[in]  DA   double DA(3): derivative of A.
 * @param[in]  DB   double DB(3): derivative of B.
 * @param[in]  D2A  double D2A(3): second derivative of A.
 * @param[in]  D2B  double D2B(3): second derivative of B.
 * @param[out] R    double R(3): the second derivative of A x B; may be any of the inputs.
 *
 * @par Codes
 *   None (no error argument).
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void md2rpv(const double* A, const double* B, const double* DA, const double* DB, const double* D2A,
                     const double* D2B, double* R);

/**
 * @brief Derivative of the double cross product (A x B) x C.
 *
 * For NDIM = 2 the plane form: with W = A(1)B(2) - A(2)B(1) and DW its
 * derivative, R(1) = -DC(2) W - C(2) DW, R(2) = DC(1) W + C(1) DW; only the
 * first two components of every vector are read and written. Any other
 * NDIM is taken as 3.
 *
 * @param[in]  NDIM  int: 2 for the plane form, otherwise three dimensions.
 * @param[in]  A     double A(3): first factor.
 * @param[in]  B     double B(3): second factor.
 * @param[in]  C     double C(3): third factor.
 * @param[in]  DA    double DA(3): derivative of A.
 * @param[in]  DB    double DB(3): derivative of B.
 * @param[in]  DC    double DC(3): derivative of C.
 * @param[out] R     double R(3): the derivative (R(NDIM) in the plane); may be any of the inputs.
 *
 * @par Codes
 *   None (no error argument).
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mdrdpv(const int* NDIM, const double* A, const double* B, const double* C, const double* DA,
                     const double* DB, const double* DC, double* R);

/**
 * @brief Second derivative of the double cross product (A x B) x C, with the plane form of mdrdpv for NDIM = 2.
 *
 * @param[in]  NDIM  int: 2 for the plane form, otherwise three dimensions.
 * @param[in]  A     double A(3): first factor.
 * @param[in]  B     double B(3): second factor.
 * @param[in]  C     double C(3): third factor.
 * @param[in]  DA    double DA(3): derivative of A.
 * @param[in]  DB    double DB(3): derivative of B.
 * @param[in]  DC    double DC(3): derivative of C.
 * @param[in]  D2A   double D2A(3): second derivative of A.
 * @param[in]  D2B   double D2B(3): second derivative of B.
 * @param[in]  D2C   double D2C(3): second derivative of C.
 * @param[out] R     double R(3): the second derivative (R(NDIM) in the plane); may be any of the inputs.
 *
 * @par Codes
 *   None (no error argument).
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void md2dpv(const int* NDIM, const double* A, const double* B, const double* C, const double* DA,
                     const double* DB, const double* DC, const double* D2A, const double* D2B, const double* D2C,
                     double* R);

/**
 * @brief Derivatives of order 0 to K of the unit vector V/|V| from those of V.
 *
 * Leibniz's rule on V = L W, L = |V|, W . W = 1, with the binomials of the
 * mcmcnp table.
 *
 * @param[in]  NDIM  int: dimension of the vectors.
 * @param[in]  V     double V(NDIM, 0:K): the vector and its derivatives.
 * @param[in]  K     int: highest order, 1 to 3.
 * @param[in]  EPS   double: the shortest admissible length of V(:, 0).
 * @param[out] W     double W(NDIM, 0:K): the unit vector and its derivatives (not the same array as V).
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |V(:, 0)| < EPS, or |V(:, 0)| = 0 (or NaN); W untouched.
 *   - 2: K outside 1..3; W untouched.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines. Every exit is reported through aermsg, success included.
 */
VCBM_API void mdrknr(const int* NDIM, const double* V, const int* K, const double* EPS, double* W, int* IER);

/**
 * @brief Second derivative of the unit vector of A x B when A and B have the derivatives DA, DB, D2A, D2B.
 *
 * @param[in]  A    double A(3): first factor.
 * @param[in]  B    double B(3): second factor.
 * @param[in]  DA   double DA(3): derivative of A.
 * @param[in]  DB   double DB(3): derivative of B.
 * @param[in]  D2A  double D2A(3): second derivative of A.
 * @param[in]  D2B  double D2B(3): second derivative of B.
 * @param[in]  EPS  double: the shortest admissible length of A x B.
 * @param[out] R    double R(3): the second derivative of (A x B)/|A x B|.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: A x B is null (mdrknr); R untouched.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Positive codes are reported through aermsg.
 */
VCBM_API void mdrv2pv(const double* A, const double* B, const double* DA, const double* DB, const double* D2A,
                      const double* D2B, const double* EPS, double* R, int* IER);

/**
 * @brief Frenet frame of a canonical curve in the plane or in space: 1 to 3 vectors, derivatives of order 0 to 2, unit or raw.
 *
 * The tangent and the normal come from the searches of mvtan0 and mdied1
 * (orders, senses at singular points, sense tests inside BOUNDS). Unit frame
 * (odd INORM): T, N unit, B = T x N; their derivatives are those of the unit
 * vectors of D_TORDER, of B x T and of T x N, B the unit vector of T x D_NORDER
 * (mdrvnr, mdrknr, mdrvpv, mdrv2pv). Raw frame (even INORM): T(:, j) =
 * D_(TORDER+j); N = (T1 x D_NORDER) x T1 with T1 the unit tangent, the
 * component of D_NORDER across it, and N(:, j) its product-rule derivatives
 * with T1 and D_NORDER differentiated (mdrdpv, md2dpv); B = T x N with its
 * product-rule derivatives (mderpv, md2rpv). A straight piece gets the
 * arbitrary normal of vtrfrt with zero derivatives and NNORM = 0. In the plane
 * B holds the two in-plane components of T x N, which are 0.
 *
 * @param[in]  NDIM    int: space dimension, 2 or 3.
 * @param[in]  NCOEF   int: number of coefficients, 2 to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  U       double: parameter.
 * @param[in]  EPS     double: null-vector tolerance.
 * @param[in]  BOUNDS  double BOUNDS(2): parameter interval, either order (sense tests).
 * @param[in]  IDER    int: highest derivative order, 0 to 2.
 * @param[in]  NVEC    int: 1 for T, 2 for T and N, 3 for T, N and B.
 * @param[in]  INORM   int: odd for the unit frame, even for the raw frame.
 * @param[out] T       double T(NDIM, 0:IDER): tangent and its derivatives.
 * @param[out] TNORM   double: length of the derivative that gave T.
 * @param[out] TSENSE  int: 1 when the sense of T is defined, 0 when not.
 * @param[out] TORDER  int: order of the derivative that gave T.
 * @param[out] N       double N(NDIM, 0:IDER): principal normal and its derivatives (NVEC >= 2).
 * @param[out] NNORM   double: length of the normal component that gave N; 0 on a straight piece (NVEC >= 2).
 * @param[out] NSENSE  int: 1 when the sense of N is defined, 0 when not (NVEC >= 2).
 * @param[out] NORDER  int: order of the derivative that gave N; 0 when none (NVEC >= 2).
 * @param[out] B       double B(NDIM, 0:IDER): binormal and its derivatives (NVEC = 3).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: a null vector where none is allowed (the segment's direction or normal), or a failure of a lower routine.
 *   - 2: NCOEF < 2, or every derivative is null (TNORM = 0).
 *   - 3: NDIM not 2 or 3, IDER outside 0..2 or NVEC outside 1..3: only the orders, senses and norms are cleared.
 *   - 10: NCOEF above 61.
 * @par Work space
 *   None.
 * @par Trace
 *   No entry or exit trace. Every exit is reported through aermsg, success included.
 */
VCBM_API void mtrdfrt(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
                      const double* BOUNDS, const int* IDER, const int* NVEC, const int* INORM, double* T,
                      double* TNORM, int* TSENSE, int* TORDER, double* N, double* NNORM, int* NSENSE, int* NORDER,
                      double* B, int* IER);

/**
 * @brief Unit Frenet frame of a space curve on [0, 1] at a parameter, with the tolerance of meps1.
 *
 * The tangent and normal come from mdiedr; a segment or a straight piece gets
 * an arbitrary normal: (-T(2), T(1), 0), or (0, 1, 0) when the first two
 * components of T are at most EPS1, made perpendicular to T.
 *
 * @param[in]  NCOEF  int: number of coefficients, 2 to 61.
 * @param[in]  COEF   double COEF(3, NCOEF): canonical coefficients.
 * @param[in]  U      double: parameter.
 * @param[out] T      double T(3): unit tangent.
 * @param[out] N      double N(3): unit principal normal.
 * @param[out] B      double B(3): unit binormal T x N.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the tangent is undefined, a null vector, or a lower failure (NCOEF above 61 included).
 *   - 2: NCOEF < 2.
 * @par Work space
 *   None.
 * @par Trace
 *   No entry or exit trace. Positive codes are reported through aermsg.
 */
VCBM_API void vtrfrt(const int* NCOEF, const double* COEF, const double* U, double* T, double* N, double* B,
                     int* IER);

/**
 * @brief Frenet frame of a space curve on [0, 1] and its first derivatives (mtrdfrt with the tolerance of meps1).
 *
 * @param[in]  NCOEF  int: number of coefficients, 2 to 61.
 * @param[in]  COEF   double COEF(3, NCOEF): canonical coefficients.
 * @param[in]  U      double: parameter.
 * @param[in]  INORM  int: odd for the unit frame, even for the raw frame (see mtrdfrt).
 * @param[out] T      double T(3): tangent.
 * @param[out] N      double N(3): principal normal.
 * @param[out] B      double B(3): binormal.
 * @param[out] DT     double DT(3): derivative of T with respect to U.
 * @param[out] DN     double DN(3): derivative of N.
 * @param[out] DB     double DB(3): derivative of B.
 * @param[out] IER    int: result code, see Codes; the six vectors are written only when it is below 1.
 *
 * @par Codes
 *   - 0: success.
 *   - 1, 2, 10: those of mtrdfrt (2 also for NCOEF < 2).
 * @par Work space
 *   None.
 * @par Trace
 *   No entry or exit trace. Every exit is reported through aermsg, success included.
 */
VCBM_API void vtdfrt(const int* NCOEF, const double* COEF, const double* U, const int* INORM, double* T, double* N,
                     double* B, double* DT, double* DN, double* DB, int* IER);

/**
 * @brief Tangent, normal, binormal, curvature, its arc-length derivative and torsion of a canonical curve, on request.
 *
 * The curvature comes from the orders p = TORDER and q = NORDER: q = 2p gives
 * 2 (p!)**2 NNORM / (q! TNORM**2), |D1 x D2| / |D1|**3 at a regular point;
 * q < 2p is a cusp (ICUSP = 1, curvature left 0); q > 2p a flat point
 * (curvature 0). DCURV = (D3 . NRM - 3 CURV TNORM (D2 . TAN)) / TNORM**3 and
 * the torsion (BIN . D3) / CURV / TNORM**3.
 *
 * @param[in]  NDIM    int: space dimension, 2 or 3.
 * @param[in]  NCOEF   int: number of coefficients, up to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients.
 * @param[in]  U       double: parameter.
 * @param[in]  BOUNDS  double BOUNDS(2): parameter interval, either order (sense tests).
 * @param[in]  IOPT    int: 1 tangent; 2 tangent, normal, binormal (space); 3 tangent, normal, curvature;
 *                     4 as 2 and curvature; 5 as 4 and DCURV; 6 as 4 and torsion; 7 as 4, DCURV and torsion.
 * @param[in]  EPS     double: null-vector tolerance.
 * @param[in]  IDERIV  int: 1 to also compute the derivatives of TAN, NRM and BIN (second columns).
 * @param[out] TAN     double TAN(NDIM, 2): unit tangent and, with IDERIV = 1, its derivative.
 * @param[out] NRM     double NRM(NDIM, 2): unit principal normal and, with IDERIV = 1, its derivative (IOPT >= 2).
 * @param[out] BIN     double BIN(3, 2): unit binormal and, with IDERIV = 1, its derivative (space, IOPT 2, 4 to 7).
 * @param[out] CURV    double CURV(max(IDERIV, 0)+1): CURV(1) the curvature, the others 0.
 * @param[out] TORS    double TORS(max(IDERIV, 0)+1): TORS(1) the torsion (0 in the plane), the others 0.
 * @param[out] DCURV   double: derivative of the curvature with respect to arc length (IOPT 5 and 7), else 0.
 * @param[out] TSENSE  int: 1 when the sense of TAN is defined, 0 when not.
 * @param[out] NSENSE  int: 1 when the sense of NRM is defined, 0 when not.
 * @param[out] ICUSP   int: 1 when NORDER < 2 TORDER (infinite curvature), else 0.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (a straight piece in the plane included: curvature 0).
 *   - 1: NDIM not 2 or 3, IOPT outside 1..7, or the tangent is undefined (NRM(:, 1) = 0, NSENSE = 0).
 *   - 2: a failure of mvtan0, mdied1 or mdrvpv (NCOEF above 61 included).
 *   - -1: the normal is undefined in space (a straight piece).
 *   - -2: the torsion is undefined (curvature 0, or ICUSP = 1); TORS(1) = 0.
 * @par Work space
 *   That of mvtan0 (none in dimensions 2 and 3).
 * @par Trace
 *   Threshold 2, entry and exit lines. Positive codes are reported through aermsg.
 */
VCBM_API void mprcrb(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* BOUNDS,
                     const int* IOPT, const double* EPS, const int* IDERIV, double* TAN, double* NRM, double* BIN,
                     double* CURV, double* TORS, double* DCURV, int* TSENSE, int* NSENSE, int* ICUSP, int* IER);

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
 *   - 1: NDIM outside 1 to 3, the plane curve could not be evaluated (NCOEF2D < 1), or the
 *     speed along the curve overflowed (the length is not finite; LENGTH = 0).
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
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: always (the verdict is ISPHER).
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
 * @param[out] IER int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: T lies outside BOUNDS (F is still computed).
 *   - 1: no curve is stored (called outside mpjpc3).
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
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: no curve is stored (called outside mpjpc3).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 4, entry and exit. Reports positive codes.
 */
VCBM_API void mxepsi(const double* TINT, double* EPSX, double* EPSF, int* IER);

/* ---- Surface normals ---- */

/**
 * @brief Position of a parameter point in the unit square: interior, an edge, a corner or outside.
 *
 * A coordinate below EPS is on the low side, above 1 - EPS on the high side.
 *
 * @param[in]  UV    double UV(2): the point (u, v).
 * @param[in]  EPS   double: the width of the edges.
 * @param[out] IPOS  int: 0 interior; 1 edge u = 0; 2 edge u = 1; 3 edge v = 0; 4 edge v = 1;
 *                   5 corner (0, 0); 6 corner (0, 1); 7 corner (1, 0); 8 corner (1, 1); -1 outside
 *                   (u or v below -EPS or above 1 + EPS, or not a number).
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void sptbor(const double* UV, const double* EPS, int* IPOS);

/**
 * @brief Second derivative of the unit vector V/|V| from the first two derivatives of V.
 *
 * With L = |V|, L' = (V . DV)/L and L L'' = DV . DV + V . D2V - L'^2:
 * D2UNIT = D2V/L - 2 L'/L^2 DV + (2 L'^2 - L L'')/L^3 V.
 *
 * @param[in]  NDIM    int: dimension of the vectors, at least 1.
 * @param[in]  V       double V(NDIM): the vector.
 * @param[in]  DV      double DV(NDIM): its first derivative.
 * @param[in]  D2V     double D2V(NDIM): its second derivative.
 * @param[in]  EPS     double: the smallest length of V; 0 or less means the meps1 tolerance.
 * @param[out] D2UNIT  double D2UNIT(NDIM): the second derivative of V/|V|.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1; nothing is written.
 *   - 10: |V| <= EPS (or not a number); nothing is written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mdr2nr(const int* NDIM, const double* V, const double* DV, const double* D2V, const double* EPS,
                     double* D2UNIT, int* IER);

/**
 * @brief Sample normals of a patch at the four diagonal neighbours of a point, for a sense decision.
 *
 * The step is H = (10 EPS K! / CNORM)^(1/K), the parameter distance at which a leading term of
 * order K and size CNORM moves the normal by 10 EPS. An H above 1 is divided by the power of ten
 * that brings it into [0.1, 1); H is at least 10^-NDIG (aovsr8). The neighbours (U +- H, V +- H)
 * are clamped to [0, 1]^2; one that falls on (U, V) is skipped, and so is one whose normal
 * Su x Sv is null (unit: vnitvt at EPS; raw: not longer than EPS).
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  U        double: the parameter u of the point.
 * @param[in]  V        double: the parameter v of the point.
 * @param[in]  K        int: the order of the leading term, at least 1.
 * @param[in]  CNORM    double: its size, positive.
 * @param[in]  EPS      double: the length tolerance of the samples.
 * @param[in]  INORM    int: odd: unit samples; even: raw samples Su x Sv.
 * @param[in,out] SAMPLES  double SAMPLES(3, NSAMP+4): the samples are appended after the NSAMP
 *                      columns already there.
 * @param[in,out] NSAMP  int: the number of samples, increased by those appended (at most 4); at
 *                      least 0 on entry.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (possibly with no sample appended).
 *   - 1: invalid counts (as mvtnml), K < 1, CNORM not positive or NSAMP < 0; nothing is written.
 *   - 10: a unit sample could not be formed (vnitvt).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mvnrf4(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U,
                     const double* V, const int* K, const double* CNORM, const double* EPS, const int* INORM,
                     double* SAMPLES, int* NSAMP, int* IER);

/**
 * @brief Unit normal of a polynomial patch, also where Su x Sv vanishes.
 *
 * At a regular point (|Su| > EPS, |Sv| > EPS, the raw normal not null under the meps1 tolerance
 * and the sine of the angle of Su and Sv above EPS) the normal is (Su x Sv)/|Su x Sv|, made unit
 * with the rules of vnitvt (its null test, its snap to an axis) in place; vnitvt itself is called
 * for a null or out-of-range raw normal and for the candidates of a singular point.
 * At a singular point, for k = 1, 2, ... the k-th derivatives of Su x Sv along u and along v are
 * formed by Leibniz's rule; the first order with a candidate that is not null gives the
 * direction (the longer candidate, u winning only when strictly longer), and its sense is the one
 * on which all the unit sample normals of mvnrf4 around the point agree.
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  U       double: the parameter u (outside [0, 1] the patch is extrapolated; the sample
 *                     normals of a singular point stay in [0, 1]^2).
 * @param[in]  V       double: the parameter v.
 * @param[in]  EPS     double: the tolerance of the lengths of Su and Sv and of the sine of their
 *                     angle, and of the votes of the sample normals.
 * @param[out] NORMAL  double NORMAL(3): the unit normal.
 * @param[out] NNORM   double: the length of the vector that gave it (|Su x Sv| at a regular point).
 * @param[out] KU      int: 0 at a regular point; the order k when the u-candidate gave the normal.
 * @param[out] KV      int: 0 at a regular point; the order k when the v-candidate gave the normal.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU or NCOEFV outside 2..61, or NCOEFU > NCMAX; nothing is written.
 *   - 13: a singular point where every candidate up to order max(NCOEFU, NCOEFV) - 1 is null, or
 *         where the sample normals do not all vote one way (NORMAL then holds the last candidate
 *         or what the regular test left).
 *   - other positive: the code of mvnrf4, passed on.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg; the null candidates
 *   of a singular point, and a null raw normal, are reported by vnitvt (code -1).
 */
VCBM_API void mvtnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U,
                     const double* V, const double* EPS, double* NORMAL, double* NNORM, int* KU, int* KV, int* IER);

/**
 * @brief Unit or raw normal of a polynomial patch, also where Su x Sv vanishes.
 *
 * As mvtnml. With an even INORM, NORMAL is the vector that gave the normal, unnormalised: Su x Sv at
 * a regular point, the winning candidate (in the decided sense) at a singular point.
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  U       double: the parameter u (outside [0, 1] the patch is extrapolated; the sample
 *                     normals of a singular point stay in [0, 1]^2).
 * @param[in]  V       double: the parameter v.
 * @param[in]  EPS     double: the tolerance of the lengths of Su and Sv and of the sine of their
 *                     angle, and of the votes of the sample normals.
 * @param[in]  INORM   int: odd: unit normal; even: raw normal.
 * @param[out] NORMAL  double NORMAL(3): the normal.
 * @param[out] NNORM   double: the length of the raw normal.
 * @param[out] KU      int: the order of the u-candidate that gave the normal, 0 otherwise.
 * @param[out] KV      int: the order of the v-candidate that gave the normal, 0 otherwise.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU or NCOEFV outside 2..61, or NCOEFU > NCMAX; nothing is written.
 *   - 13: a singular point where every candidate up to order max(NCOEFU, NCOEFV) - 1 is null, or
 *         where the sample normals do not all vote one way (NORMAL then holds the last candidate
 *         or what the regular test left).
 *   - other positive: the code of mvnrf4, passed on.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mvcnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U,
                     const double* V, const double* EPS, const int* INORM, double* NORMAL, double* NNORM, int* KU,
                     int* KV, int* IER);

/**
 * @brief Unit normal of a patch and, at a regular point, its first derivatives in u and v.
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  U       double: the parameter u (outside [0, 1] the patch is extrapolated; the sample
 *                     normals of a singular point stay in [0, 1]^2).
 * @param[in]  V       double: the parameter v.
 * @param[in]  EPS     double: the tolerance of the lengths of Su and Sv and of the sine of their
 *                     angle, and of the votes of the sample normals.
 * @param[out] NORMAL  double NORMAL(3): the unit normal (as mvtnml).
 * @param[out] NNORM   double: the length of the vector that gave it.
 * @param[out] DNU     double DNU(3): the derivative of the unit normal in u; cleared first, left 0
 *                     at a singular point.
 * @param[out] DNV     double DNV(3): the derivative in v, likewise.
 * @param[out] KU      int: as mvtnml.
 * @param[out] KV      int: as mvtnml.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU or NCOEFV outside 2..61, or NCOEFU > NCMAX; nothing is written.
 *   - 13: a singular point where every candidate up to order max(NCOEFU, NCOEFV) - 1 is null, or
 *         where the sample normals do not all vote one way (NORMAL then holds the last candidate
 *         or what the regular test left).
 *   - other positive: the code of mvnrf4, passed on.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mdvnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U,
                     const double* V, const double* EPS, double* NORMAL, double* NNORM, double* DNU, double* DNV,
                     int* KU, int* KV, int* IER);

/**
 * @brief Unit or raw normal of a patch and, at a regular point, its first derivatives.
 *
 * n is the unit normal (odd INORM) or the raw normal Su x Sv (even INORM).
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  U       double: the parameter u (outside [0, 1] the patch is extrapolated; the sample
 *                     normals of a singular point stay in [0, 1]^2).
 * @param[in]  V       double: the parameter v.
 * @param[in]  EPS     double: the tolerance of the lengths of Su and Sv and of the sine of their
 *                     angle, and of the votes of the sample normals.
 * @param[in]  INORM   int: odd: unit normal; even: raw normal.
 * @param[out] NORMAL  double NORMAL(3): the normal n (as mvcnml).
 * @param[out] NNORM   double: the length of the raw normal.
 * @param[out] KU      int: as mvcnml.
 * @param[out] KV      int: as mvcnml.
 * @param[out] R1      double R1(3): dn/du; cleared first, left 0 at a singular point.
 * @param[out] R2      double R2(3): dn/dv, likewise.
 * @param[out] R3      double R3(3): dn/du x dn/dv (for the unit normal, the Gaussian curvature
 *                     times |Su x Sv| times n), likewise.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU or NCOEFV outside 2..61, or NCOEFU > NCMAX; nothing is written.
 *   - 13: a singular point where every candidate up to order max(NCOEFU, NCOEFV) - 1 is null, or
 *         where the sample normals do not all vote one way (NORMAL then holds the last candidate
 *         or what the regular test left).
 *   - other positive: the code of mvnrf4, passed on.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mdrnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U,
                     const double* V, const double* EPS, const int* INORM, double* NORMAL, double* NNORM, int* KU,
                     int* KV, double* R1, double* R2, double* R3, int* IER);

/**
 * @brief Unit or raw normal of a patch and, at a regular point, its first and second derivatives.
 *
 * As mdrnml, and the second derivatives as the 2 x 2 table of vectors d2n/(dx dy), x and y each u
 * or v. For the unit normal the pure second derivatives come from mdr2nr.
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  U       double: the parameter u (outside [0, 1] the patch is extrapolated; the sample
 *                     normals of a singular point stay in [0, 1]^2).
 * @param[in]  V       double: the parameter v.
 * @param[in]  EPS     double: the tolerance of the lengths of Su and Sv and of the sine of their
 *                     angle, and of the votes of the sample normals.
 * @param[in]  INORM   int: odd: unit normal; even: raw normal.
 * @param[out] NORMAL  double NORMAL(3): the normal n (as mvcnml).
 * @param[out] NNORM   double: the length of the raw normal.
 * @param[out] KU      int: as mvcnml.
 * @param[out] KV      int: as mvcnml.
 * @param[out] R1      double R1(3): dn/du; cleared first, left 0 at a singular point.
 * @param[out] R2      double R2(3): dn/dv, likewise.
 * @param[out] R3      double R3(3): dn/du x dn/dv, likewise.
 * @param[out] S11     double S11(3): d2n/du2, likewise.
 * @param[out] S12     double S12(3): d2n/(du dv), likewise.
 * @param[out] S21     double S21(3): d2n/(dv du), the same values as S12.
 * @param[out] S22     double S22(3): d2n/dv2, likewise.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU or NCOEFV outside 2..61, or NCOEFU > NCMAX; nothing is written.
 *   - 13: a singular point where every candidate up to order max(NCOEFU, NCOEFV) - 1 is null, or
 *         where the sample normals do not all vote one way (NORMAL then holds the last candidate
 *         or what the regular test left).
 *   - other positive: the code of mvnrf4, passed on.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines (and those of mdr2nr). Reports positive codes through aermsg.
 */
VCBM_API void md2nml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U,
                     const double* V, const double* EPS, const int* INORM, double* NORMAL, double* NNORM, int* KU,
                     int* KV, double* R1, double* R2, double* R3, double* S11, double* S12, double* S21, double* S22,
                     int* IER);

/**
 * @brief A mixed partial derivative of the cross product S1u x S2v of the first partials of two patches.
 *
 * By Leibniz's rule: the (m, n) derivative is the sum over i = 0..m, j = 0..n of
 * C(m, i) C(n, j) S1(i+1, j) x S2(m-i, n-j+1), S(a, b) the partial derivative of order a in u and
 * b in v (mdrvpk). With S1 = S2 it is the (m, n) derivative of the raw normal.
 *
 * @param[in]  NDIM     int: number of components, 3.
 * @param[in]  NCMAX1   int: second dimension of SURF1, at least NCOEFU1.
 * @param[in]  NCOEFU1  int: coefficients of the first patch in u, 2 to 61.
 * @param[in]  NCOEFV1  int: coefficients of the first patch in v, 2 to 61.
 * @param[in]  SURF1    double SURF1(3, NCMAX1, NCOEFV1): the first patch, as SURF of mvtnml.
 * @param[in]  NCMAX2   int: second dimension of SURF2, at least NCOEFU2.
 * @param[in]  NCOEFU2  int: coefficients of the second patch in u, 2 to 61.
 * @param[in]  NCOEFV2  int: coefficients of the second patch in v, 2 to 61.
 * @param[in]  SURF2    double SURF2(3, NCMAX2, NCOEFV2): the second patch.
 * @param[in]  UV       double UV(2): the parameter point (u, v).
 * @param[in]  ORD      int ORD(2): the orders m in u and n in v, each 0 to 10.
 * @param[out] D        double D(3): the derivative.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM not 3, invalid counts or orders outside 0..10; nothing is written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mponnn(const int* NDIM, const int* NCMAX1, const int* NCOEFU1, const int* NCOEFV1, const double* SURF1,
                     const int* NCMAX2, const int* NCOEFU2, const int* NCOEFV2, const double* SURF2, const double* UV,
                     const int* ORD, double* D, int* IER);

/**
 * @brief All mixed partial derivatives of the raw normal Su x Sv up to given orders.
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): SURF(k, i, j) the coefficient of u^(i-1) v^(j-1)
 *                     in component k, the patch on [0, 1]^2.
 * @param[in]  UV      double UV(2): the parameter point (u, v).
 * @param[in]  ORD     int ORD(2): the highest orders M in u and N in v, each 0 to 10.
 * @param[out] DN      double DN(3, M+1, N+1): DN(:, i+1, j+1) the derivative of order i in u and j
 *                     in v (DN(:, 1, 1) the raw normal itself).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: invalid counts (as mvtnml) or orders outside 0..10; nothing is written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mdrnnn(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* UV,
                     const int* ORD, double* DN, int* IER);

/**
 * @brief Mixed partial derivatives of the unit vector N/|N| from those of N.
 *
 * Leibniz's rule in two variables on N = L W with L = |N| and W . W = 1, the multi-indices taken
 * in increasing order (the two-variable form of the rule of the curve routines).
 *
 * @param[in]  DN   double DN(3, M+1, N+1): the derivatives of N, laid out as by mdrnnn.
 * @param[in]  ORD  int ORD(2): the highest orders M in u and N in v, each 0 to 10.
 * @param[in]  EPS  double: the smallest length of N.
 * @param[out] DW   double DW(3, M+1, N+1): the derivatives of N/|N| in the same layout (DW(:, 1, 1)
 *                  the unit vector).
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |N| <= EPS (or not a number); nothing is written.
 *   - 2: orders outside 0..10; nothing is written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mdrnn2(const double* DN, const int* ORD, const double* EPS, double* DW, int* IER);

/**
 * @brief Normal of a patch at a singular point from the normals of the directions around it.
 *
 * The point is placed in the square by sptbor (TOL(1)). Along the direction d(s) of a parameter s
 * the raw normal starts as h^k/k! T(s), T(s) the k-th derivative of Su x Sv along d(s), formed from
 * the mixed derivatives of mponnn, k the lowest order (0 included) whose derivatives are not all
 * null. The directions that stay in the square are d(s) = R (1 - s^2, 2s), s in [-1, 1] in the
 * interior and on an edge (a half turn; in the interior the other half is -d(s), along which the
 * normal is (-1)^k T(s)), s in [0, 1] at the corners (0, 0) and (1, 1), in [-1, 0] at (0, 1) and
 * (1, 0) (a quarter turn), R turning them into the square. The normal is defined when every
 * direction gives the line of one vector n0 (|T x n0|^2 within the angle tolerance over the whole
 * range: one noisy interval of mrs1d0) and the same sense (T . n0 keeps its sign between its
 * zeros, found by mrs1d0, sorted by vsheld, angles by mangle).
 *
 * @param[in]  NCMAX   int: second dimension of SURF, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, 2 to 61.
 * @param[in]  NCOEFV  int: number of coefficients in v, 2 to 61.
 * @param[in]  SURF    double SURF(3, NCMAX, NCOEFV): the patch on [0, 1]^2, as for mvtnml.
 * @param[in]  UV      double UV(2): the parameter point (u, v).
 * @param[in]  TOL     double TOL(3): TOL(1) the parametric tolerance (edges of the square, the
 *                     resolution of the direction parameter, at most 1); TOL(2) the length below
 *                     which a derivative is null; TOL(3) the angle tolerance in radians, positive.
 * @param[out] NORMAL  double NORMAL(3): the unit normal.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU or NCOEFV outside 2..61, or NCOEFU > NCMAX; nothing is written.
 *   - 2: UV lies outside the square (sptbor gives -1) or is not a number; nothing is written.
 *   - 3: every derivative of Su x Sv up to order min(10, 2 (NCOEFU + NCOEFV) - 6) is null.
 *   - 4: the directions around the point do not give one normal (an apex, a cuspidal edge, or
 *        an odd order in the interior, where opposite directions give opposite normals).
 *   - 100 + k: mrs1d0 failed with code k: 101 for TOL(1) above the range or TOL(3) not positive,
 *     102 a full list, 110 its work area refused, 213 (its 113) at the corners (0, 1) and (1, 0)
 *     when the EPSPB tolerance (mveps3) exceeds 2, the length of the range [-1, 1] it changes to.
 * @par Work space
 *   That of mrs1d0.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mvtnm0(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* UV,
                     const double* TOL, double* NORMAL, int* IER);

VCBM_END_DECLS

#endif
