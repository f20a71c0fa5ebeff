/* Polynomial curves and patches: evaluation, basis conversion, control polygons, bounds. */
#ifndef VCBM_POLYNOMIAL_H
#define VCBM_POLYNOMIAL_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Evaluation of polynomials, curves and patches ---- */

/**
 * @brief Value of a scalar polynomial at T, by Horner's rule.
 *
 * @param[in]  A  double A(N): canonical coefficients, A(1) the constant term.
 * @param[in]  N  int: number of coefficients; N < 1 gives 0.
 * @param[in]  T  double: the parameter.
 *
 * @par Codes
 *   - Function value: A(1) + A(2) T + ... + A(N) T^(N-1) (0 when N < 1).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double polval(const double* A, const int* N, const double* T);

/**
 * @brief Derivative of a scalar polynomial.
 *
 * @param[in]  A   double A(N): canonical coefficients.
 * @param[in]  N   int: number of coefficients.
 * @param[out] B   double B(max(N-1, 1)): B(i) = i A(i+1); B(1) = 0 when N < 2.
 * @param[out] NB  int: N-1, or 1 when N < 2.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void polder(const double* A, const int* N, double* B, int* NB);

/**
 * @brief Product of two scalar polynomials.
 *
 * @param[in]  NA  int: number of coefficients of A.
 * @param[in]  A   double A(NA).
 * @param[in]  NB  int: number of coefficients of B.
 * @param[in]  B   double B(NB).
 * @param[out] NC  int: NA+NB-1 (not written when NA < 1 or NB < 1).
 * @param[out] C   double C(NA+NB-1): the product; may not overlap A or B.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void polpol(const int* NA, const double* A, const int* NB, const double* B, int* NC, double* C);

/**
 * @brief Point of a polynomial curve at a parameter.
 *
 * @param[in]  NDIM   int: dimension of the space, 1 or more.
 * @param[in]  NCOEF  int: number of coefficients; NCOEF < 1 gives the origin.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                    coefficient of t^(j-1).
 * @param[in]  T      double: the parameter.
 * @param[out] P      double P(NDIM): the point C(T).
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void pocurv(const int* NDIM, const int* NCOEF, const double* COEF, const double* T, double* P);

/**
 * @brief Point at T of the curve made of the first NDIM rows of a wider coefficient array.
 *
 * @param[in]  NDIMAX  int: leading dimension of COEF.
 * @param[in]  NCOEF   int: number of coefficients.
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  NDIM    int: rows used, 1 to NDIMAX.
 * @param[in]  T       double: the parameter.
 * @param[out] P       double P(NDIM): the point; the origin when NCOEF < 1 or NDIM > NDIMAX.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mpocrb(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* T,
                     double* P);

/**
 * @brief Point of a planar curve at a parameter.
 *
 * @param[in]  NCOEF  int: number of coefficients.
 * @param[in]  COEF   double COEF(2, NCOEF): canonical coefficients.
 * @param[in]  T      double: the parameter.
 * @param[out] P      double P(2): the point.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void vpscr2(const int* NCOEF, const double* COEF, const double* T, double* P);

/**
 * @brief Point of a space curve at a parameter.
 *
 * @param[in]  NCOEF  int: number of coefficients.
 * @param[in]  COEF   double COEF(3, NCOEF): canonical coefficients.
 * @param[in]  T      double: the parameter.
 * @param[out] P      double P(3): the point.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void vpscr3(const int* NCOEF, const double* COEF, const double* T, double* P);

/**
 * @brief First-derivative curve of a polynomial curve.
 *
 * @param[in]  NDIM    int: dimension.
 * @param[in]  NCOEF   int: number of coefficients.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                     coefficient of t^(j-1).
 * @param[out] NCOEFD  int: NCOEF-1, or 1 when NCOEF < 2.
 * @param[out] COEFD   double COEFD(NDIM, max(NCOEF-1, 1)): the derivative; zero when NCOEF < 2.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void derivc(const int* NDIM, const int* NCOEF, const double* COEF, int* NCOEFD, double* COEFD);

/**
 * @brief Derivative curve of a given order of a polynomial curve.
 *
 * @param[in]  NDIM    int: dimension.
 * @param[in]  NCOEF   int: number of coefficients, at most 61 (the binomial table).
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                     coefficient of t^(j-1).
 * @param[in]  IORDR   int: order of derivation.
 * @param[out] NCOEFD  int: NCOEF-IORDR, or 1 when the derivative vanishes (IORDR >= NCOEF, IORDR <
 *                     0 or NCOEF > 61).
 * @param[out] COEFD   double COEFD(NDIM, NCOEFD): the derivative; one zero column when it vanishes.
 *                     May be COEF.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mcdriv(const int* NDIM, const int* NCOEF, const double* COEF, const int* IORDR, int* NCOEFD,
                     double* COEFD);

/**
 * @brief Derivative curve of a given order, in place.
 *
 * @param[in,out] NCOEF  int: number of coefficients; on exit that of the derivative (1 when it
 *                       vanishes).
 * @param[in]     NDIM   int: dimension.
 * @param[in,out] COEF   double COEF(NDIM, NCOEF): the curve, replaced by its derivative; the whole
 *                       array is zeroed when the derivative vanishes (IORDR >= NCOEF, IORDR < 0 or
 *                       NCOEF > 61).
 * @param[in]     IORDR  int: order of derivation.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void cderiv(int* NCOEF, const int* NDIM, double* COEF, const int* IORDR);

/**
 * @brief Derivative of a given order of a polynomial curve at a parameter.
 *
 * @param[in]  NCOEF  int: number of coefficients, at most 61.
 * @param[in]  NDIM   int: dimension.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                    coefficient of t^(j-1).
 * @param[in]  IORDR  int: order of derivation.
 * @param[in]  T      double: the parameter.
 * @param[out] D      double D(NDIM): the derivative; 0 when IORDR >= NCOEF, IORDR < 0 or NCOEF >
 *                    61.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mdrvck(const int* NCOEF, const int* NDIM, const double* COEF, const int* IORDR, const double* T,
                     double* D);

/**
 * @brief Point and derivatives up to a given order of a polynomial curve at a parameter.
 *
 * Orders above NCOEF-1 are exactly 0. Any degree is accepted (no binomial table is read).
 *
 * @param[in]  IORDR  int: the highest order, 0 or more.
 * @param[in]  NDIM   int: dimension; nothing is written when NDIM < 1.
 * @param[in]  NCOEF  int: number of coefficients, 1 or more.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                    coefficient of t^(j-1).
 * @param[in]  T      double: the parameter.
 * @param[out] D      double D(NDIM, IORDR+1): column r+1 holds the derivative of order r (column 1
 *                    the point).
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: IORDR < 0 or NCOEF < 1; D is not written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void mdrvcb(const int* IORDR, const int* NDIM, const int* NCOEF, const double* COEF, const double* T,
                     double* D, int* IER);

/**
 * @brief Point of a 3D polynomial patch at (U, V).
 *
 * @param[in]  COEF  double COEF(3, 21, NV): COEF(:, i, j) the coefficient of u^(i-1) v^(j-1).
 * @param[in]  NU    int: number of coefficients in u, 1 to 21.
 * @param[in]  NV    int: number of coefficients in v, 1 or more.
 * @param[in]  U     double.
 * @param[in]  V     double.
 * @param[out] P     double P(3): the point; 0 when NU < 1, NV < 1 or NU > 21.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void posurf(const double* COEF, const int* NU, const int* NV, const double* U, const double* V, double* P);

/**
 * @brief Point of a polynomial patch stored component by component, at (U, V).
 *
 * @param[in]  NUMAX  int: first leading dimension of COEF.
 * @param[in]  NVMAX  int: second leading dimension.
 * @param[in]  NDIM   int: dimension.
 * @param[in]  COEF   double COEF(NUMAX, NVMAX, NDIM): COEF(i, j, k) the coefficient of u^(i-1)
 *                    v^(j-1) of component k.
 * @param[in]  NU     int: 1 to NUMAX.
 * @param[in]  NV     int: 1 to NVMAX.
 * @param[in]  U      double.
 * @param[in]  V      double.
 * @param[out] P      double P(NDIM): the point; 0 for counts outside those ranges.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mpoca1(const int* NUMAX, const int* NVMAX, const int* NDIM, const double* COEF, const int* NU,
                     const int* NV, const double* U, const double* V, double* P);

/**
 * @brief Point of a polynomial patch stored point by point, at (U, V).
 *
 * @param[in]  NDIMAX  int: first leading dimension of COEF.
 * @param[in]  NUMAX   int: second leading dimension.
 * @param[in]  NVMAX   int: third leading dimension.
 * @param[in]  COEF    double COEF(NDIMAX, NUMAX, NVMAX): COEF(:, i, j) the coefficient of u^(i-1)
 *                     v^(j-1).
 * @param[in]  NDIM    int: 1 to NDIMAX.
 * @param[in]  NU      int: 1 to NUMAX.
 * @param[in]  NV      int: 1 to NVMAX.
 * @param[in]  U       double.
 * @param[in]  V       double.
 * @param[out] P       double P(NDIM): the point; 0 for counts outside those ranges.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mpoca2(const int* NDIMAX, const int* NUMAX, const int* NVMAX, const double* COEF, const int* NDIM,
                     const int* NU, const int* NV, const double* U, const double* V, double* P);

/**
 * @brief First partial derivative in u of a polynomial patch at (U, V).
 *
 * @param[in]  NDIMAX  int: dimension (first leading dimension of COEF).
 * @param[in]  NUMAX   int: second leading dimension.
 * @param[in]  NU      int: 2 to NUMAX.
 * @param[in]  NV      int: 1 or more.
 * @param[in]  COEF    double COEF(NDIMAX, NUMAX, NV).
 * @param[in]  U       double.
 * @param[in]  V       double.
 * @param[out] D       double D(NDIMAX): the derivative; 0 when NU < 2, NV < 1 or NU > NUMAX.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mdrpu1(const int* NDIMAX, const int* NUMAX, const int* NU, const int* NV, const double* COEF,
                     const double* U, const double* V, double* D);

/**
 * @brief First partial derivative in v of a polynomial patch at (U, V).
 *
 * @param[in]  NDIMAX  int: dimension (first leading dimension of COEF).
 * @param[in]  NUMAX   int: second leading dimension.
 * @param[in]  NU      int: 1 to NUMAX.
 * @param[in]  NV      int: 2 or more.
 * @param[in]  COEF    double COEF(NDIMAX, NUMAX, NV).
 * @param[in]  U       double.
 * @param[in]  V       double.
 * @param[out] D       double D(NDIMAX): the derivative; 0 when NV < 2, NU < 1 or NU > NUMAX.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mdrpv1(const int* NDIMAX, const int* NUMAX, const int* NU, const int* NV, const double* COEF,
                     const double* U, const double* V, double* D);

/**
 * @brief Partial derivative of orders IDU in u and IDV in v of a polynomial patch at (U, V).
 *
 * @param[in]  NDIM   int: dimension (first leading dimension of COEF).
 * @param[in]  NUMAX  int: second leading dimension.
 * @param[in]  NU     int: 1 to NUMAX, at most 61 (the binomial table).
 * @param[in]  NV     int: 1 to 61.
 * @param[in]  COEF   double COEF(NDIM, NUMAX, NV).
 * @param[in]  U      double.
 * @param[in]  V      double.
 * @param[in]  IDU    int: order in u.
 * @param[in]  IDV    int: order in v.
 * @param[out] D      double D(NDIM): the derivative; 0 unless 0 <= IDU < NU and 0 <= IDV < NV.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mdrvpk(const int* NDIM, const int* NUMAX, const int* NU, const int* NV, const double* COEF,
                     const double* U, const double* V, const int* IDU, const int* IDV, double* D);

/**
 * @brief Derivative patch of a 3D patch in u or in v.
 *
 * @param[in]  NU     int: coefficients in u, 1 to 21.
 * @param[in]  NV     int: coefficients in v.
 * @param[in]  COEF   double COEF(3, 21, NV).
 * @param[out] NUD    int: NU-1 for IDIR = 1, else NU; 1 when the derivative vanishes (NU or NV
 *                    below 1, NU above 21, or a single coefficient in that direction).
 * @param[out] NVD    int: NV-1 for IDIR = 2, else NV; 1 when the derivative vanishes.
 * @param[out] COEFD  double COEFD(3, 21, NVD): the derivative patch; its first coefficient 0 when
 *                    it vanishes.
 * @param[in]  IDIR   int: 1 derivative in u, 2 in v; any other value writes nothing.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void derivt(const int* NU, const int* NV, const double* COEF, int* NUD, int* NVD, double* COEFD,
                     const int* IDIR);

/**
 * @brief Derivative patch in u or v, with separate leading sizes for input and output.
 *
 * @param[in]  NUI    int: leading size in u of COEF (also its count in u).
 * @param[in]  NVI    int: not read.
 * @param[in]  COEF   double COEF(3, NUI, *).
 * @param[in]  NUO    int: leading size in u of COEFD and its count.
 * @param[in]  NVO    int: count in v of COEFD.
 * @param[out] COEFD  double COEFD(3, NUO, NVO): the derivative patch.
 * @param[in]  IDIR   int: 1 derivative in u, 2 in v.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void vderiv(const int* NUI, const int* NVI, const double* COEF, const int* NUO, const int* NVO,
                     double* COEFD, const int* IDIR);

/* ---- Basis conversion and reparametrisation ---- */

/**
 * @brief A curve re-expressed on [0, 1] from its arc on [TA, TB]: COEFN(s) = C(TA + (TB-TA) s).
 *
 * @param[in]  NDIMAX  int: leading dimension of COEF and COEFN.
 * @param[in]  NDIM    int: rows used, 1 to NDIMAX; nothing is read or written otherwise.
 * @param[in]  NCOEF   int: number of coefficients, 1 to 61.
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[in]  TA      double: parameter mapped to s = 0.
 * @param[in]  TB      double: parameter mapped to s = 1.
 * @param[out] COEFN   double COEFN(NDIMAX, NCOEF): the new coefficients; may be COEF.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void marc41(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF,
                     const double* TA, const double* TB, double* COEFN, int* IER);

/**
 * @brief A curve known on the interval TAB re-expressed on the interval TNEW.
 *
 * @param[in]  NDIMAX  int: leading dimension.
 * @param[in]  NCOEF   int: number of coefficients, 1 to 61.
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF).
 * @param[in]  NDIM    int: rows used, 1 to NDIMAX.
 * @param[in]  TAB     double TAB(2): the interval the curve is known on.
 * @param[out] COEFN   double COEFN(NDIMAX, NCOEF): the same curve with TNEW(1), TNEW(2) as the
 *                     images of TAB(1), TAB(2).
 * @param[in]  TNEW    double TNEW(2): the new interval.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61 (from marc41).
 *   - 13: TNEW shorter than EPSPB (mveps3).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports every non-zero code through aermsg.
 */
VCBM_API void mfmcb2(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM,
                     const double* TAB, double* COEFN, const double* TNEW, int* IER);

/**
 * @brief Reversal of a 3D curve on [0, 1]: COEFN(s) = C(1 - s).
 *
 * @param[in]  NCOEF  int: number of coefficients, 1 to 61.
 * @param[in]  COEF   double COEF(3, NCOEF).
 * @param[out] COEFN  double COEFN(3, NCOEF): the reversed curve; may be COEF.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports its code through aermsg on every exit, 0 included.
 */
VCBM_API void vcvinv(const int* NCOEF, const double* COEF, double* COEFN, int* IER);

/**
 * @brief Reversal of a planar curve on [0, 1]: COEFN(s) = C(1 - s).
 *
 * @param[in]  NCOEF  int: number of coefficients, 1 to 61.
 * @param[in]  COEF   double COEF(2, NCOEF).
 * @param[out] COEFN  double COEFN(2, NCOEF): the reversed curve; may be COEF.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void vcvin2(const int* NCOEF, const double* COEF, double* COEFN, int* IER);

/**
 * @brief A curve on [0, 1] re-expressed on [-1, 1] (t = (s+1)/2), stored coefficient-first.
 *
 * @param[in]  LDW    int: leading dimension of W and CF, at least NCOEF.
 * @param[in]  LDC    int: leading dimension of COEF, at least NDIM.
 * @param[in]  NCOEF  int: 1 to min(61, LDW); nothing is done otherwise.
 * @param[in]  NDIM   int: 1 to LDC.
 * @param[in]  COEF   double COEF(LDC, NCOEF): canonical coefficients on [0, 1].
 * @param[out] W      double W(LDW, NDIM): work.
 * @param[out] CF     double CF(LDW, NDIM): CF(j, k) the coefficient of s^(j-1) of component k.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry line only.
 */
VCBM_API void mcvnst(const int* LDW, const int* LDC, const int* NCOEF, const int* NDIM,
                     const double* COEF, double* W, double* CF);

/**
 * @brief Legendre coefficients of curves given by canonical coefficients on [-1, 1].
 *
 * @param[in]  NCOEF  int: 1 to 62; nothing is done otherwise.
 * @param[in]  NDIM   int: number of components.
 * @param[in]  CF     double CF(NCOEF, NDIM): canonical coefficients, coefficient-first.
 * @param[out] W      double W(NCOEF): work.
 * @param[out] CL     double CL(NCOEF, NDIM): Legendre coefficients; may be CF.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines.
 */
VCBM_API void mcvlgd(const int* NCOEF, const int* NDIM, const double* CF, double* W, double* CL);

/**
 * @brief Legendre coefficients of one component from its even and odd canonical coefficients.
 *
 * @param[in]  NDEG  int: degree, 0 to 61; nothing is written otherwise.
 * @param[in]  W     double W(NDEG+1): the even-power coefficients first, then the odd ones.
 * @param[out] CL    double CL(NDEG+1): the Legendre coefficients.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines.
 */
VCBM_API void mcanlg(const int* NDEG, const double* W, double* CL);

/**
 * @brief Coefficients of curves in the orthonormal Legendre basis, from canonical coefficients on
 * [-1, 1].
 *
 * @param[in]  NCOEF   int: number of coefficients, 1 to 62.
 * @param[in]  NDIM    int: number of components.
 * @param[in]  IORDRE  int: -1, the only order provided; CJ is not written for another.
 * @param[in]  CF      double CF(NCOEF, NDIM): canonical coefficients, coefficient-first.
 * @param[out] W       double W(NCOEF): work.
 * @param[out] CJ      double CJ(NCOEF, NDIM): the coefficients; may be CF.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry line only.
 */
VCBM_API void mcvjac(const int* NCOEF, const int* NDIM, const int* IORDRE, const double* CF,
                     double* W, double* CJ);

/**
 * @brief One component of mcvjac.
 *
 * @param[in]  IORDRE  int: -1; nothing is written for another value.
 * @param[in]  NDEG    int: degree, 0 to 61.
 * @param[in]  W       double W(NDEG+1): even-power coefficients first, then the odd ones.
 * @param[out] CJ      double CJ(NDEG+1): the orthonormal Legendre coefficients.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry line only.
 */
VCBM_API void mcanjc(const int* IORDRE, const int* NDEG, const double* W, double* CJ);

/**
 * @brief Legendre coefficients in both variables of a 3D patch.
 *
 * @param[in]  NDU  int: degree in u, 0 to 61.
 * @param[in]  NDV  int: degree in v, 0 to 61.
 * @param[in]  P    double P(NDU+1, NDV+1, 3): canonical coefficients on [-1, 1]^2.
 * @param[out] W    double W(3 (NDU+1)(NDV+1) + max(NDU, NDV) + 1): work.
 * @param[out] PL   double PL(NDU+1, NDV+1, 3): Legendre coefficients; may be P.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry line only.
 */
VCBM_API void mpclgd(const int* NDU, const int* NDV, const double* P, double* W, double* PL);

/**
 * @brief Effective number of coefficients of a curve: the last non-zero column.
 *
 * @param[in]  NDIM    int: dimension.
 * @param[in]  NCOEF   int: number of coefficients.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                     coefficient of t^(j-1).
 * @param[out] NCOEFR  int: the index of the last column (2..NCOEF) with a non-zero or NaN entry,
 *                     else 1.
 * @param[out] ICONST  int: 1 when there is none (the curve is constant), else 0.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void udegcv(const int* NDIM, const int* NCOEF, const double* COEF, int* NCOEFR, int* ICONST);

/**
 * @brief Transposition B(j, i) = A(i, j).
 *
 * @param[in]  LDB  int: leading dimension of B; nothing is done when LDB < N2.
 * @param[in]  N1   int: rows of A.
 * @param[in]  N2   int: columns of A.
 * @param[in]  A    double A(N1, N2).
 * @param[out] B    double B(LDB, N1).
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry line only.
 */
VCBM_API void mcvinv(const int* LDB, const int* N1, const int* N2, const double* A, double* B);

/**
 * @brief Transposition B(k, i) = A(i, k) of the first N1 columns of A.
 *
 * @param[in]  LDB  int: leading dimension of B; nothing is done when LDB < N1.
 * @param[in]  N1   int: columns of A used.
 * @param[in]  N3   int: rows of A.
 * @param[in]  A    double A(N3, N1).
 * @param[out] B    double B(LDB, N3).
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry line only.
 */
VCBM_API void minvcv(const int* LDB, const int* N1, const int* N3, const double* A, double* B);

/**
 * @brief Transposition between A(LDA, NA) and B(LDB, N2), in either direction.
 *
 * @param[in]     IDIR  int: 1 B(k, i) = A(i, k); -1 A(i, k) = B(k, i).
 * @param[in]     LDA   int: leading dimension of A, at least N2.
 * @param[in]     NA    int: columns of A, at least N1.
 * @param[in,out] A     double A(LDA, NA).
 * @param[in]     N1    int: k = 1..N1.
 * @param[in]     LDB   int: leading dimension of B, at least N1.
 * @param[in]     N2    int: i = 1..N2.
 * @param[in,out] B     double B(LDB, N2).
 * @param[out]    IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -3136: N2 = 1 and NA = LDB: one flat copy of LDB reals.
 *   - 3119: a size out of range.
 *   - 3164: IDIR is not 1 or -1.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void mfmcb5(const int* IDIR, const int* LDA, const int* NA, double* A, const int* N1,
                     const int* LDB, const int* N2, double* B, int* IER);

/**
 * @brief Rearrangement between A(LDA1, LDA2, NA3) and B(LDB1, LDB2, N3): B(j, k, i) = A(i, j, k) or
 * the reverse.
 *
 * With N3 = 1, LDB1 = LDA2 and LDB2 = NA3 the layouts coincide and one flat copy is made.
 *
 * @param[in]     IDIR  int: 1 from A to B, -1 from B to A.
 * @param[in]     LDA1  int: first dimension of A, at least N3.
 * @param[in]     LDA2  int: second dimension of A, at least N1.
 * @param[in]     NA3   int: third dimension of A, at least N2.
 * @param[in,out] A     double A(LDA1, LDA2, NA3).
 * @param[in]     N1    int: j = 1..N1.
 * @param[in]     N2    int: k = 1..N2.
 * @param[in]     LDB1  int: first dimension of B, at least N1.
 * @param[in]     LDB2  int: second dimension of B, at least N2.
 * @param[in]     N3    int: i = 1..N3.
 * @param[in,out] B     double B(LDB1, LDB2, N3).
 * @param[out]    IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 3133: a size out of range.
 *   - 3163: IDIR is not 1 or -1.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void mfmca5(const int* IDIR, const int* LDA1, const int* LDA2, const int* NA3, double* A,
                     const int* N1, const int* N2, const int* LDB1, const int* LDB2, const int* N3,
                     double* B, int* IER);

/**
 * @brief Copy of A(LDA, NA2, NBLK) into the wider B(LDB, NB2, NBLK), last block first, so that B
 * may lie over A.
 *
 * @param[in]  LDA   int.
 * @param[in]  NA2   int.
 * @param[in]  NBLK  int: number of blocks.
 * @param[in]  LDB   int.
 * @param[in]  NB2   int.
 * @param[in]  NB3   int: not read.
 * @param[in]  A     double A(LDA, NA2, NBLK).
 * @param[out] B     double B(LDB, NB2, NBLK): the part common to both shapes; may start at A.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mfmca8(const int* LDA, const int* NA2, const int* NBLK, const int* LDB, const int* NB2,
                     const int* NB3, const double* A, double* B);

/**
 * @brief Copy of A(LDA, NA2, NBLK) into the narrower B(LDB, NB2, NBLK), first block first, so that
 * B may lie over A.
 *
 * @param[in]  LDA   int.
 * @param[in]  NA2   int.
 * @param[in]  NA3   int: not read.
 * @param[in]  LDB   int.
 * @param[in]  NB2   int.
 * @param[in]  NBLK  int: number of blocks.
 * @param[in]  A     double A(LDA, NA2, NBLK).
 * @param[out] B     double B(LDB, NB2, NBLK): the part common to both shapes; may start at A.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void mfmca9(const int* LDA, const int* NA2, const int* NA3, const int* LDB, const int* NB2,
                     const int* NBLK, const double* A, double* B);

/* ---- Control polygons, subdivision and bounds ---- */

/**
 * @brief Control polygon on [0, 1] of a polynomial curve.
 *
 * @param[in]  NDIMAX  int: leading dimension of COEF and POLY.
 * @param[in]  NDIM    int: rows used, 1 to NDIMAX; nothing is read or written otherwise.
 * @param[in]  NCOEF   int: number of coefficients, 1 to 61.
 * @param[in]  COEF    double COEF(NDIMAX, NCOEF): canonical coefficients.
 * @param[out] POLY    double POLY(NDIMAX, NCOEF): the Bernstein coefficients; may be COEF.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void cpolyg(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF,
                     double* POLY, int* IER);

/**
 * @brief Control polygon of the arc of a curve on [TA, TB].
 *
 * It has no result code: with NCOEF outside 1..61, POLY (and WORK) are not written, and only the
 * reports of marc41 and cpolyg (code 10, under their names) tell. The caller keeps NCOEF within
 * 1..61.
 *
 * @param[in]  NDIM   int: dimension.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 61.
 * @param[in]  COEF   double COEF(NDIM, NCOEF): canonical coefficients, column j the vector
 *                    coefficient of t^(j-1).
 * @param[in]  TA     double: start of the arc.
 * @param[in]  TB     double: end of the arc.
 * @param[out] WORK   double WORK(NDIM, NCOEF): the arc re-expressed on [0, 1].
 * @param[out] POLY   double POLY(NDIM, NCOEF): its control polygon.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line; marc41 and cpolyg report their codes.
 */
VCBM_API void ufdplg(const int* NDIM, const int* NCOEF, const double* COEF, const double* TA,
                     const double* TB, double* WORK, double* POLY);

/**
 * @brief Control polygon on [0, 1] of a planar curve (cpolyg in 2D).
 *
 * @param[in]  NCOEF  int: 1 to 61.
 * @param[in]  COEF   double COEF(2, NCOEF).
 * @param[out] POLY   double POLY(2, NCOEF); may be COEF.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void mcpol2(const int* NCOEF, const double* COEF, double* POLY, int* IER);

/**
 * @brief Control polygon on [0, 1] of a space curve (cpolyg in 3D).
 *
 * @param[in]  NCOEF  int: 1 to 61.
 * @param[in]  COEF   double COEF(3, NCOEF).
 * @param[out] POLY   double POLY(3, NCOEF); may be COEF.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void mcpol3(const int* NCOEF, const double* COEF, double* POLY, int* IER);

/**
 * @brief Canonical coefficients of the curve of a control polygon on [0, 1].
 *
 * @param[in]  NDIMAX  int: leading dimension.
 * @param[in]  NDIM    int: rows used, 1 to NDIMAX; nothing is read or written otherwise.
 * @param[in]  NCOEF   int: number of control points, 1 to 61.
 * @param[in]  POLY    double POLY(NDIMAX, NCOEF): the control points.
 * @param[out] COEF    double COEF(NDIMAX, NCOEF): canonical coefficients; may be POLY.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void polygc(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* POLY,
                     double* COEF, int* IER);

/**
 * @brief Canonical coefficients of a planar control polygon (polygc in 2D).
 *
 * @param[in]  NCOEF  int: 1 to 61.
 * @param[in]  POLY   double POLY(2, NCOEF).
 * @param[out] COEF   double COEF(2, NCOEF); may be POLY.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void mpolc2(const int* NCOEF, const double* POLY, double* COEF, int* IER);

/**
 * @brief Canonical coefficients of a space control polygon (polygc in 3D).
 *
 * @param[in]  NCOEF  int: 1 to 61.
 * @param[in]  POLY   double POLY(3, NCOEF).
 * @param[out] COEF   double COEF(3, NCOEF); may be POLY.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void mpolc3(const int* NCOEF, const double* POLY, double* COEF, int* IER);

/**
 * @brief de Casteljau split of a control polygon at 1/2.
 *
 * @param[in]  NDIM   int: dimension, 1 or more.
 * @param[in]  LDW    int: leading dimension of WORK, at least NCOEF.
 * @param[in]  NCOEF  int: number of points, 1 to LDW; nothing is done otherwise.
 * @param[in]  POLY   double POLY(NDIM, NCOEF).
 * @param[out] WORK   double WORK(LDW, LDW): scratch.
 * @param[out] LEFT   double LEFT(NDIM, NCOEF): polygon of the first half on [0, 1]; may be POLY.
 * @param[out] RIGHT  double RIGHT(NDIM, NCOEF): polygon of the second half; may be POLY.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void upolyg(const int* NDIM, const int* LDW, const int* NCOEF, const double* POLY, double* WORK,
                     double* LEFT, double* RIGHT);

/**
 * @brief de Casteljau split of a control polygon at T.
 *
 * @param[in]  NDIM   int: dimension, 1 or more.
 * @param[in]  LDW    int: leading dimension of WORK, at least NCOEF.
 * @param[in]  NCOEF  int: number of points, 1 to LDW; nothing is done otherwise.
 * @param[in]  POLY   double POLY(NDIM, NCOEF).
 * @param[in]  T      double: the split parameter of the polygon's [0, 1].
 * @param[out] WORK   double WORK(LDW, LDW): scratch.
 * @param[out] LEFT   double LEFT(NDIM, NCOEF): polygon of [0, T], on [0, 1]; LEFT(:, NCOEF) is the
 *                    point at T. May be POLY.
 * @param[out] RIGHT  double RIGHT(NDIM, NCOEF): polygon of [T, 1]; may be POLY.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void uplygg(const int* NDIM, const int* LDW, const int* NCOEF, const double* POLY,
                     const double* T, double* WORK, double* LEFT, double* RIGHT);

/**
 * @brief de Casteljau split at 1/2 of a scalar control polygon.
 *
 * @param[in]  POLY   double POLY(N).
 * @param[in]  N      int: number of points; nothing is done when N < 1.
 * @param[out] WORK   double WORK(N, N): scratch.
 * @param[out] LEFT   double LEFT(N): first half.
 * @param[out] RIGHT  double RIGHT(N): second half.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines.
 */
VCBM_API void mlmpna(const double* POLY, const int* N, double* WORK, double* LEFT, double* RIGHT);

/**
 * @brief de Casteljau split at 1/2 of a control net along u or v.
 *
 * @param[in]  LD1    int: first leading dimension of NET, LEFT and RIGHT.
 * @param[in]  LD2    int: second leading dimension.
 * @param[in]  NET    double NET(LD1, LD2, NDIM): the control net.
 * @param[in]  NU     int: points along u (degree NU-1), at most LD1.
 * @param[in]  NV     int: points along v, at most LD2.
 * @param[in]  NDIM   int: dimension.
 * @param[in]  IDIR   int: 1 along u, 2 along v.
 * @param[out] WORK   double WORK(LDW, *): scratch.
 * @param[in]  LDW    int: leading dimension of WORK, at least NU (IDIR = 1) or NV (IDIR = 2).
 * @param[out] LEFT   double LEFT(LD1, LD2, NDIM): first half.
 * @param[out] RIGHT  double RIGHT(LD1, LD2, NDIM): second half.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: a size beyond its leading dimension, LDW too small, or IDIR not 1 or 2.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mlmkab(const int* LD1, const int* LD2, const double* NET, const int* NU, const int* NV,
                     const int* NDIM, const int* IDIR, double* WORK, const int* LDW, double* LEFT,
                     double* RIGHT, int* IER);

/**
 * @brief Largest and smallest value of an array.
 *
 * @param[in]  N     int: length; N < 1 leaves AMAX and AMIN unchanged.
 * @param[in]  A     double A(N).
 * @param[out] AMAX  double: the largest.
 * @param[out] AMIN  double: the smallest.
 *
 * @par Codes
 *   - Function value: AMIN.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double ugpolx(const int* N, const double* A, double* AMAX, double* AMIN);

/**
 * @brief Smallest and largest value of an array, stopping once both signs were seen.
 *
 * Used as a sign test of control polygons: once a strictly positive and a strictly negative value
 * were met the scan stops, and AMIN, AMAX are those of the part scanned.
 *
 * @param[in]  N     int: length; N < 1 leaves AMIN and AMAX unchanged.
 * @param[in]  A     double A(N).
 * @param[out] AMIN  double.
 * @param[out] AMAX  double.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
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
 *                   A root that mrs1d0 recovered past an end of [A, B] is kept, as mrs1d0 returns
 *                   it: within (B - A)/2 of that end.
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
