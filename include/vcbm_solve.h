/* Equation solving: closed-form and bracketed roots, roots on an interval, systems in two unknowns. */
#ifndef VCBM_SOLVE_H
#define VCBM_SOLVE_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Closed-form roots, bracketing solvers and bivariate products ---- */

/**
 * @brief Real roots of the quadratic A x^2 + B x + C = 0.
 *
 * The larger root is formed without cancellation, the other from the product of the roots. A
 * discriminant between -3.6e-15 and 0 gives the double root -B/2A when the residual there is within
 * EPSPB. Coefficients whose discriminant would overflow are divided by a power of two first (the
 * roots do not change); a NaN or infinite coefficient gives no root (NROOT = 0, IER 0).
 *
 * @param[in]  A      double: not zero (not checked).
 * @param[in]  B      double.
 * @param[in]  C      double.
 * @param[out] NROOT  int: 0, 1 or 2.
 * @param[out] ROOT   double ROOT(2): ROOT(1..NROOT).
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: NROOT simple roots (0 when there is no real root).
 *   - -1: a double root (or both roots at 0), NROOT = 1.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void urequ2(const double* A, const double* B, const double* C, int* NROOT, double* ROOT, int* IER);

/**
 * @brief Root of the linear polynomial C(1) + C(2) t inside [TDEB, TFIN], widened by EPSNR.
 *
 * @param[in]  NCOEF  int: must be 2.
 * @param[in]  C      double C(2): canonical coefficients.
 * @param[in]  TDEB   double: start of the interval.
 * @param[in]  TFIN   double: end of the interval.
 * @param[out] NROOT  int: 0 or 1 (0 also when |C(2)| <= EPS1).
 * @param[out] ROOT   double ROOT(1).
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (NROOT may be 0).
 *   - 10: NCOEF is not 2.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void urpol2(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, int* IER);

/**
 * @brief Roots of the quadratic C(1) + C(2) t + C(3) t^2 inside [TDEB, TFIN], widened by EPSNR,
 * ascending.
 *
 * @param[in]  NCOEF  int: must be 3.
 * @param[in]  C      double C(3): canonical coefficients.
 * @param[in]  TDEB   double: start of the interval.
 * @param[in]  TFIN   double: end of the interval.
 * @param[out] NROOT  int: 0, 1 or 2.
 * @param[out] ROOT   double ROOT(2): ROOT(1..NROOT), ascending.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: a double root.
 *   - 10: NCOEF is not 3.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void urpol3(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, int* IER);

/**
 * @brief One step of the bracketing root finder of the ufxnl1 family, driven by the caller.
 *
 * The caller starts with X = A, ICODE = 0 and F = F(A): the first step answers X = B. Each
 * following call hands F(X); the solver keeps its bracket between calls, per thread. It mixes
 * quadratic interpolation and bisection.
 *
 * @param[in,out] X      double: the abscissa just evaluated; on exit the next one to evaluate (or
 *                       the root).
 * @param[in]     F      double: F(X).
 * @param[in]     EPSX   double: tolerance on X.
 * @param[in]     EPSF   double: |F| <= EPSF is a root.
 * @param[out]    ICODE  int: what to do next, see Codes.
 *
 * @par Codes
 *   - ICODE 0: evaluate F at the new X and call again.
 *   - ICODE 1: X is a root (|F| <= EPSF, or the bracket is narrower than EPSX).
 *   - ICODE 2: F(A) and F(B) have the same sign: no bracket.
 *   - ICODE 3: the bracket cannot be split further.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void ufxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE);

/**
 * @brief Quadratic-interpolation estimate of the ufxnl1 family inside [XA, XB].
 *
 * @param[in]  XM  double: middle abscissa.
 * @param[in]  FM  double: F(XM).
 * @param[in]  XA  double: one end.
 * @param[in]  FA  double: F(XA).
 * @param[in]  XB  double: the other end.
 * @param[in]  FB  double: F(XB).
 *
 * @par Codes
 *   - Function value: the estimate (the mid-point when the interpolation is unusable).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double ufxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
                       const double* FB);

/**
 * @brief One step of the bracketing root finder of the mfxnl1 family (converges on an exact zero).
 *
 * @param[in,out] X      double: the abscissa just evaluated; on exit the next one.
 * @param[in]     F      double: F(X).
 * @param[in]     EPSX   double: tolerance on X.
 * @param[in]     EPSF   double: not read.
 * @param[out]    ICODE  int: see Codes.
 *
 * @par Codes
 *   - ICODE 0: evaluate F at the new X and call again.
 *   - ICODE 1: X is a root (F = 0, or the bracket is narrower than EPSX).
 *   - ICODE 2: F(A) and F(B) have the same sign.
 *   - ICODE 3: the bracket cannot be split further.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void mfxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE);

/**
 * @brief Quadratic-interpolation estimate of the mfxnl1 family inside [XA, XB].
 *
 * @param[in]  XM  double.
 * @param[in]  FM  double.
 * @param[in]  XA  double.
 * @param[in]  FA  double.
 * @param[in]  XB  double.
 * @param[in]  FB  double.
 *
 * @par Codes
 *   - Function value: the estimate.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double zfxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
                       const double* FB);

/**
 * @brief A root between A and B of the canonical polynomial C, on the ufxnl1 family.
 *
 * At most NITNR evaluations (mepsnr): fill the tolerance block first.
 *
 * @param[in]  NCOEF  int: number of coefficients.
 * @param[in]  C      double C(NCOEF): canonical coefficients.
 * @param[in]  A      double: one end of the bracket.
 * @param[in]  B      double: the other end.
 * @param[in]  EPSX   double: tolerance on X.
 * @param[in]  EPSF   double: |F| <= EPSF is a root.
 * @param[out] X      double: the root (the last iterate on failure).
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: root found.
 *   - 1: no sign change between A and B.
 *   - 2: the bracket cannot be split further.
 *   - 3: NITNR evaluations made.
 *   - 4: A, B, EPSX or EPSF is NaN (nothing evaluated), or a value of the polynomial is NaN (X is
 *        where it was met).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry line only. Reports every non-zero code through aermsg.
 */
VCBM_API void upxnul(const int* NCOEF, const double* C, const double* A, const double* B, const double* EPSX,
                     const double* EPSF, double* X, int* IER);

/**
 * @brief A root between A and B of a canonical polynomial, on the mfxnl1 family.
 *
 * @param[in]  IOPT        int: 8 evaluates C8, any other value C (through mqpos).
 * @param[in]  NCOEF       int: number of coefficients.
 * @param[in]  C8          double C8(NCOEF): coefficients read when IOPT = 8.
 * @param[in]  C           double C(NCOEF): coefficients read otherwise.
 * @param[in]  A           double: one end.
 * @param[in]  B           double: the other end.
 * @param[in]  EPSX        double: tolerance on X.
 * @param[in]  EPSF        double: |F| <= EPSF is a root.
 * @param[out] X           double: the root.
 * @param[out] STATUS      char STATUS(4): "PBRN" when the bracketing solver gave up on some piece,
 *                         else four blanks.
 * @param[out] IER         int: result code, see Codes.
 * @param[in]  STATUS_len  long: length of STATUS; 4 characters are used.
 *
 * @par Codes
 *   - 0: root found.
 *   - 1: no sign change.
 *   - 2: the bracket cannot be split further (STATUS PBRN).
 *   - 3: NITNR evaluations made (STATUS PBRN).
 *   - 4: A, B, EPSX or EPSF is NaN, or a value of the polynomial is NaN.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void mpxnul(const int* IOPT, const int* NCOEF, const double* C8, const double* C, const double* A,
                     const double* B, const double* EPSX, const double* EPSF, double* X, char* STATUS, int* IER,
                     long STATUS_len);

/**
 * @brief Value of a canonical polynomial at X, by Horner's rule.
 *
 * @param[in]  NCOEF  int: number of coefficients.
 * @param[in]  C      double C(NCOEF).
 * @param[in]  X      double.
 * @param[out] F      double: the value.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry line only.
 */
VCBM_API void mqpos(const int* NCOEF, const double* C, const double* X, double* F);

/**
 * @brief R <- R op P*Q for bivariate polynomials in canonical form.
 *
 * @param[in]     LD1P  int: first leading dimension of P.
 * @param[in]     LD2P  int: second leading dimension of P.
 * @param[in]     P     double P(LD1P, LD2P): canonical coefficients, P(i, j) that of u^(i-1)
 *                      v^(j-1).
 * @param[in]     NU1   int: coefficients of P in u.
 * @param[in]     NV1   int: coefficients of P in v.
 * @param[in]     LD1Q  int: first leading dimension of Q.
 * @param[in]     LD2Q  int: second leading dimension of Q.
 * @param[in]     Q     double Q(LD1Q, LD2Q): second factor, same form.
 * @param[in]     NU2   int: coefficients of Q in u.
 * @param[in]     NV2   int: coefficients of Q in v.
 * @param[in]     MODE  int: 0 R = P*Q, -1 R = R - P*Q, any other value R = R + P*Q.
 * @param[in]     LD1R  int: first leading dimension of R, at least NU1+NU2-1.
 * @param[in]     LD2R  int: second leading dimension of R, at least NV1+NV2-1.
 * @param[in,out] R     double R(LD1R, LD2R): the result (read when MODE adds or subtracts).
 * @param[out]    NUR   int: NU1+NU2-1.
 * @param[out]    NVR   int: NV1+NV2-1.
 * @param[out]    IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 7134: NUR > LD1R or NVR > LD2R.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports positive codes through aermsg.
 */
VCBM_API void meqps2(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
                     const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
                     const int* MODE, const int* LD1R, const int* LD2R, double* R, int* NUR, int* NVR, int* IER);

/**
 * @brief R <- R op P*Q for bivariate polynomials in Bernstein form.
 *
 * @param[in]     LD1P  int: first leading dimension of P.
 * @param[in]     LD2P  int: second leading dimension of P.
 * @param[in]     P     double P(LD1P, LD2P): Bernstein coefficients, P(i, j) that of u^(i-1)
 *                      v^(j-1).
 * @param[in]     NU1   int: coefficients of P in u.
 * @param[in]     NV1   int: coefficients of P in v.
 * @param[in]     LD1Q  int: first leading dimension of Q.
 * @param[in]     LD2Q  int: second leading dimension of Q.
 * @param[in]     Q     double Q(LD1Q, LD2Q): second factor, same form.
 * @param[in]     NU2   int: coefficients of Q in u.
 * @param[in]     NV2   int: coefficients of Q in v.
 * @param[in]     MODE  int: 0 R = P*Q, -1 R = R - P*Q, any other value R = R + P*Q.
 * @param[in]     LD1R  int: first leading dimension of R, at least NU1+NU2-1.
 * @param[in]     LD2R  int: second leading dimension of R, at least NV1+NV2-1.
 * @param[in,out] R     double R(LD1R, LD2R): the result (read when MODE adds or subtracts).
 * @param[out]    NUR   int: NU1+NU2-1.
 * @param[out]    NVR   int: NV1+NV2-1.
 * @param[out]    IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NUR or NVR above 61 (the binomial table).
 *   - 2: NUR > LD1R or NVR > LD2R.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void meqps5(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
                     const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
                     const int* MODE, const int* LD1R, const int* LD2R, double* R, int* NUR, int* NVR, int* IER);

/**
 * @brief Checks the sizes and forms R <- R op P*Q in the basis IBASE.
 *
 * @param[in]     LD1P   int: first leading dimension of P.
 * @param[in]     LD2P   int: second leading dimension of P.
 * @param[in]     P      double P(LD1P, LD2P): canonical or Bernstein coefficients, P(i, j) that of
 *                       u^(i-1) v^(j-1).
 * @param[in]     NU1    int: coefficients of P in u.
 * @param[in]     NV1    int: coefficients of P in v.
 * @param[in]     LD1Q   int: first leading dimension of Q.
 * @param[in]     LD2Q   int: second leading dimension of Q.
 * @param[in]     Q      double Q(LD1Q, LD2Q): second factor, same form.
 * @param[in]     NU2    int: coefficients of Q in u.
 * @param[in]     NV2    int: coefficients of Q in v.
 * @param[in]     MODE   int: 0 set, -1 subtract, otherwise add.
 * @param[in]     IBASE  int: 0 canonical, 1 Bernstein.
 * @param[in]     LD1R   int: first leading dimension of R, at least NU1+NU2-1.
 * @param[in]     LD2R   int: second leading dimension of R, at least NV1+NV2-1.
 * @param[in,out] R      double R(LD1R, LD2R): the result (read when MODE adds or subtracts).
 * @param[out]    NUR    int: NU1+NU2-1.
 * @param[out]    NVR    int: NV1+NV2-1.
 * @param[out]    IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the product failed.
 *   - 2: NUR > LD1R or NVR > LD2R.
 *   - 3: IBASE not 0 or 1.
 *   - 4: a count beyond its leading dimension.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void meqps4(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
                     const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
                     const int* MODE, const int* IBASE, const int* LD1R, const int* LD2R, double* R, int* NUR,
                     int* NVR, int* IER);

/**
 * @brief R = sum over d of P(., ., d) * Q(., ., d): the dot product of two bivariate vector
 * polynomials.
 *
 * @param[in]     LD1P   int.
 * @param[in]     LD2P   int.
 * @param[in]     NDIM   int: number of components.
 * @param[in]     P      double P(LD1P, LD2P, NDIM).
 * @param[in]     NU1    int.
 * @param[in]     NV1    int.
 * @param[in]     LD1Q   int.
 * @param[in]     LD2Q   int.
 * @param[in]     Q      double Q(LD1Q, LD2Q, NDIM).
 * @param[in]     NU2    int.
 * @param[in]     NV2    int.
 * @param[in]     IBASE  int: 0 canonical, 1 Bernstein.
 * @param[in]     LD1R   int: first leading dimension of R, at least NU1+NU2-1.
 * @param[in]     LD2R   int: second leading dimension of R, at least NV1+NV2-1.
 * @param[in,out] R      double R(LD1R, LD2R): the result (read when MODE adds or subtracts).
 * @param[out]    NUR    int: NU1+NU2-1.
 * @param[out]    NVR    int: NV1+NV2-1.
 * @param[out]    IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - Otherwise the code of meqps4 for the first component that failed.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void meqps3(const int* LD1P, const int* LD2P, const int* NDIM, const double* P, const int* NU1,
                     const int* NV1, const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2,
                     const int* NV2, const int* IBASE, const int* LD1R, const int* LD2R, double* R, int* NUR,
                     int* NVR, int* IER);

/* ---- Roots of a polynomial on an interval ---- */

/**
 * @brief All real roots of a polynomial on an interval, in ascending order.
 *
 * The polynomial is split into pieces whose Bernstein polygons are tested for sign changes;
 * monotonic pieces are solved with the bracketing solver, noisy ones halved up to 31 levels deep.
 * Roots within EPSNR are merged. Reads EPS1 (values counted as zero), EPSNR and NITNR: fill the
 * tolerance block first. Coefficients above 2^100 in magnitude are divided by the power of two of
 * the largest before the solve, so that no intermediate value overflows (the roots do not change).
 *
 * @param[in]  NCOEF  int: number of coefficients, 1 to 41 (degree NCOEF-1). Outside: failure
 *                    report, NROOT = 0, IER 0.
 * @param[in]  C      double C(NCOEF): canonical coefficients, C(1) the constant term.
 * @param[in]  TDEB   double: one end of the interval (either order).
 * @param[in]  TFIN   double: the other end.
 * @param[out] NROOT  int: the number of roots found.
 * @param[out] ROOT   double ROOT(NCOEF-1): ROOT(1..NROOT), the roots, ascending.
 * @param[out] AUX    double AUX(NROOT): set to 0.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: noisy pieces (or a non-finite value): some roots may be missing.
 *   - 2: a coefficient is not finite, or TDEB, TFIN, EPS1, EPSNR or EPSPB is NaN: no root.
 *   - 10: a work-space request was refused.
 *   - 100: the polynomial is zero within EPS1: every parameter is a root.
 *   - 200: more roots were found than the degree allows.
 * @par Work space
 *   One request of 30000 reals on every call, then one of 62 NLEVEL reals in mmrs1d (NLEVEL from
 *   udfpil, 31 by default); when the second is refused the isolation works on one level.
 * @par Trace
 *   Threshold 2, entry line only. Reports positive codes through aermsg; an NCOEF outside 1..41
 *   through germsg.
 */
VCBM_API void ur1pls(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
                     double* ROOT, double* AUX, int* IER);

/**
 * @brief Sizes the per-level subdivision storage and isolates the roots of a polynomial on an
 * interval.
 *
 * @param[in]  IOPT        int: 8 evaluates C2, any other value C.
 * @param[in]  NCMAX       int: largest number of coefficients, 1 to 61.
 * @param[in]  NCOEF       int: number of coefficients, 1 to NCMAX.
 * @param[in]  C           double C(NCOEF): canonical coefficients.
 * @param[in]  C2          double C2(NCOEF): the same, read when IOPT = 8.
 * @param[in]  TDEB        double: one end (either order).
 * @param[in]  TFIN        double: the other end.
 * @param[in]  EPSF        double: values within EPSF count as zero.
 * @param[out] NROOT       int: number of roots.
 * @param[out] ROOT        double ROOT(NCOEF-1): the roots, ascending.
 * @param[out] WORK        double WORK(10 NCMAX): work.
 * @param[out] STATUS      char STATUS(4): "PBRN" when the bracketing solver gave up on some piece,
 *                         else four blanks.
 * @param[out] IER         int: result code, see Codes.
 * @param[in]  STATUS_len  long: length of STATUS; 4 characters are used.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: noisy pieces or a non-finite value.
 *   - 2: a coefficient (of C, or of C2 when IOPT is 8) is not finite, or EPSF is NaN.
 *   - -1: the polynomial is zero within EPSF.
 *   - -2: more roots than the degree.
 *   - 10: NCMAX or NCOEF out of range.
 * @par Work space
 *   One request of 2 NCMAX NLEVEL reals (NLEVEL from udfpil, at most 31); refused, the isolation
 *   works on one level in WORK and the code is unchanged.
 * @par Trace
 *   Threshold 2, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void mmrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* TDEB, const double* TFIN, const double* EPSF, int* NROOT, double* ROOT,
                     double* WORK, char* STATUS, int* IER, long STATUS_len);

/**
 * @brief Isolation and refinement of the roots of a polynomial on [A, B] with a caller's level
 * storage.
 *
 * @param[in]  IOPT        int: 8 evaluates C2, any other value C.
 * @param[in]  NCMAX       int: 1 to 61.
 * @param[in]  NCOEF       int: 1 to NCMAX.
 * @param[in]  C           double C(NCOEF).
 * @param[in]  C2          double C2(NCOEF).
 * @param[in]  A           double: start, A < B.
 * @param[in]  B           double: end.
 * @param[in]  EPSF        double: values within EPSF count as zero.
 * @param[in]  NLEVEL      int: levels of STACK, 1 or more (31 used at most).
 * @param[out] STACK       double STACK(NCMAX, 2, NLEVEL): the pieces waiting at each level.
 * @param[out] WORK        double WORK(10 NCMAX): work.
 * @param[out] NROOT       int.
 * @param[out] ROOT        double ROOT(NCOEF-1): the roots, ascending.
 * @param[out] STATUS      char STATUS(4): "PBRN" when the bracketing solver gave up on some piece,
 *                         else four blanks.
 * @param[out] IER         int: result code, see Codes.
 * @param[in]  STATUS_len  long: length of STATUS; 4 characters are used.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: noisy pieces or a non-finite value.
 *   - 2: a coefficient is not finite, or EPSF is NaN.
 *   - -1: zero polynomial.
 *   - -2: more roots than the degree.
 *   - 10: NCMAX, NCOEF or NLEVEL out of range.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void mhrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* A, const double* B, const double* EPSF, const int* NLEVEL, double* STACK,
                     double* WORK, int* NROOT, double* ROOT, char* STATUS, int* IER, long STATUS_len);

/**
 * @brief Continues the isolation of the piece [TA, TB] at a subdivision level, with one work area.
 *
 * @param[in]     IOPT        int: 8 evaluates C2, any other value C.
 * @param[in]     NCMAX       int: 1 to 61.
 * @param[in]     NCOEF       int: 4 to NCMAX.
 * @param[in]     C           double C(NCOEF).
 * @param[in]     C2          double C2(NCOEF).
 * @param[in]     A           double: start of the whole interval.
 * @param[in]     B           double: its end.
 * @param[in]     TA          double: start of the piece.
 * @param[in]     TB          double: end of the piece.
 * @param[in]     LEVEL       int: subdivision level of the piece (negative counts as 0; below 31
 *                            the piece may still be halved).
 * @param[in]     EPSF        double.
 * @param[in,out] WORK        double WORK(10 NCMAX): the piece's polygon and scratch.
 * @param[in,out] NROOT       int: roots listed so far, 0 to NCOEF-1; increased.
 * @param[in,out] ROOT        double ROOT(NCOEF-1): the sorted list.
 * @param[out]    NOISY       int: set to 1 when a piece stayed noisy (not cleared otherwise).
 * @param[out]    STATUS      char STATUS(4): "PBRN" when the bracketing solver gave up on some
 *                            piece, else four blanks.
 * @param[out]    IER         int: result code, see Codes.
 * @param[in]     STATUS_len  long: length of STATUS; 4 characters are used.
 *
 * @par Codes
 *   - 0: success.
 *   - 2: a coefficient is not finite, or EPSF is NaN.
 *   - -2: the list is full.
 *   - 10: NCMAX, NCOEF or NROOT out of range.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void myrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
                     const double* A, const double* B, const double* TA, const double* TB, const int* LEVEL,
                     const double* EPSF, double* WORK, int* NROOT, double* ROOT, int* NOISY, char* STATUS,
                     int* IER, long STATUS_len);

/**
 * @brief Sign test of a control polygon: whether the polynomial may have roots.
 *
 * @param[in]  NCOEF  int: number of points.
 * @param[in]  POLYG  double POLYG(NCOEF): the Bernstein coefficients.
 * @param[out] ICODE  int: see Codes.
 *
 * @par Codes
 *   - ICODE 0: no root (one strict sign).
 *   - ICODE 1: maybe roots.
 *   - ICODE 2: every value within EPS1 of zero.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 4, entry line only. Reports nothing.
 */
VCBM_API void mzrs1d(const int* NCOEF, const double* POLYG, int* ICODE);

/**
 * @brief Monotonicity test of a control polygon from its first differences.
 *
 * @param[in]  NCOEF  int: number of points.
 * @param[in]  POLYG  double POLYG(NCOEF).
 * @param[out] WORK   double WORK(NCOEF-1): the differences.
 * @param[in]  SCALE  double: the differences are scaled by SCALE before the test.
 * @param[out] ISENS  int: 1 increasing, -1 decreasing, 0 undecided.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void ujrs1d(const int* NCOEF, const double* POLYG, double* WORK, const double* SCALE, int* ISENS);

/**
 * @brief Safeguarded Newton iteration on a polynomial from X, kept near [A, B].
 *
 * Up to NITNR steps from X, then from four restarts inside [A, B] (the thirds and sixths around the
 * middle); a run stops when it leaves [A - 0.25, B + 0.25] or meets a derivative within EPSPB.
 *
 * @param[in]     NCOEF  int.
 * @param[in]     C      double C(NCOEF): canonical coefficients.
 * @param[in]     CD     double CD(NCOEF-1): those of the derivative.
 * @param[in]     A      double: start of the interval.
 * @param[in]     B      double: end.
 * @param[in]     EPSX   double: step at which it has converged.
 * @param[in]     EPSF   double: |F| <= EPSF is a root.
 * @param[in,out] X      double: the start; on exit the root.
 * @param[out]    IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: converged.
 *   - -1: a derivative within EPSPB where |F| <= EPSF: X is the best point met (a multiple root).
 *   - 1: no convergence from the start nor from the four restarts; X is the best point met (F
 *     within EPSF), or the start.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void unrs1d(const int* NCOEF, const double* C, const double* CD, const double* A, const double* B,
                     const double* EPSX, const double* EPSF, double* X, int* IER);

/**
 * @brief Inserts a solution with its multiplicity into a list sorted on its first component.
 *
 * @param[in]     NDIM  int: components of a solution; nothing is done when NDIM < 1.
 * @param[in]     X     double X(NDIM): the solution.
 * @param[in]     MULT  int: copies to insert (its multiplicity).
 * @param[in]     EPS   double: an entry within EPS is the same solution; copies are added up to
 *                      MULT.
 * @param[in]     NMAX  int: capacity of SOL.
 * @param[in,out] NSOL  int: entries in the list.
 * @param[in,out] SOL   double SOL(NDIM, NMAX): the list.
 * @param[out]    IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the list is full.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. A full list is reported through germsg.
 */
VCBM_API void uajsol(const int* NDIM, const double* X, const int* MULT, const double* EPS, const int* NMAX,
                     int* NSOL, double* SOL, int* IER);

/**
 * @brief Removes from a sorted list every entry equal to its predecessor within EPS.
 *
 * @param[in]     EPS   double.
 * @param[in]     NDIM  int: components of an entry.
 * @param[in,out] NSOL  int: entries; on exit those kept.
 * @param[in,out] SOL   double SOL(NDIM, NSOL): the list.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void uelsol(const double* EPS, const int* NDIM, int* NSOL, double* SOL);

/* ---- Systems of two polynomial equations ---- */

/**
 * @brief Change of a bivariate polynomial from a box to the unit square.
 *
 * B(s, t) = A(U1 + s (U2 - U1), V1 + t (V2 - V1)), both in canonical form, the
 * coefficient (i, j) multiplying u^(i-1) v^(j-1); the same polynomial, exactly
 * up to rounding.
 *
 * @param[in]  LDA  int: leading dimension of A, at least NU.
 * @param[in]  NU   int: coefficients in u, 1 to 41.
 * @param[in]  NV   int: coefficients in v, 1 to 41.
 * @param[in]  A    double A(LDA, NV): the polynomial on the box.
 * @param[in]  BOX  double BOX(4): (U1, U2, V1, V2).
 * @param[in]  LDB  int: leading dimension of B, at least NU.
 * @param[out] B    double B(LDB, NV): the polynomial on the unit square.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NU or NV outside 1 to 41, or a leading dimension below NU; B not written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mfmca7(const int* LDA, const int* NU, const int* NV, const double* A, const double* BOX,
                     const int* LDB, double* B, int* IER);

/**
 * @brief Bernstein net on the unit square of a bivariate canonical polynomial.
 *
 * @param[in]  LDA  int: leading dimension of A, at least NU.
 * @param[in]  NU   int: coefficients in u, 1 to 41.
 * @param[in]  NV   int: coefficients in v, 1 to 41.
 * @param[in]  A    double A(LDA, NV): canonical coefficients.
 * @param[in]  LDB  int: leading dimension of B, at least NU.
 * @param[out] B    double B(LDB, NV): the Bernstein coefficients of degrees NU-1, NV-1 on [0, 1]^2.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NU or NV outside 1 to 41, or a leading dimension below NU; B not written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mbbpy2(const int* LDA, const int* NU, const int* NV, const double* A, const int* LDB, double* B,
                     int* IER);

/**
 * @brief Bernstein nets of the two partial derivatives of a bivariate Bernstein net on the unit square.
 *
 * DU(i, j) = (NU-1) (B(i+1, j) - B(i, j)) and DV(i, j) = (NV-1) (B(i, j+1) - B(i, j)): the exact nets
 * of the derivatives in u and in v.
 *
 * @param[in]  LDB  int: leading dimension of B, at least NU.
 * @param[in]  NU   int: coefficients in u, 1 to 41.
 * @param[in]  NV   int: coefficients in v, 1 to 41.
 * @param[in]  B    double B(LDB, NV): the net.
 * @param[in]  LDU  int: leading dimension of DU, at least NU-1.
 * @param[out] DU   double DU(LDU, NV): the net of the u-derivative, NU-1 by NV (nothing when NU = 1).
 * @param[in]  LDV  int: leading dimension of DV, at least NU.
 * @param[out] DV   double DV(LDV, NV-1): the net of the v-derivative, NU by NV-1 (nothing when NV = 1).
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: a size or leading dimension out of range; nothing written.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void mdeca1(const int* LDB, const int* NU, const int* NV, const double* B, const int* LDU, double* DU,
                     const int* LDV, double* DV, int* IER);

/**
 * @brief Common zeros of two bivariate polynomials in a box, by subdivision of their Bernstein nets.
 *
 * Both polynomials are converted to Bernstein nets on the box and the box is halved
 * (v first, then u, alternately; 41 levels at most). A box is dropped when a net keeps
 * one sign beyond EPSF; it is solved by Newton's iteration when the ranges of the
 * derivative nets prove that it holds one common zero at most; otherwise it is split.
 * Roots closer than EPSX in both components are one.
 *
 * @param[in]  LD1      int: first leading dimension of each polynomial, at least NU.
 * @param[in]  LD2      int: second leading dimension, at least NV.
 * @param[in]  FG       double FG(LD1, LD2, 2): F then G, canonical, (i, j) multiplying u^(i-1) v^(j-1).
 * @param[in]  NU       int: coefficients used in u, 1 to 41.
 * @param[in]  NV       int: coefficients used in v, 1 to 41.
 * @param[in]  BOX      double BOX(4): (U1, U2, V1, V2), U1 < U2, V1 < V2.
 * @param[in]  EPSX     double: parameter resolution, and the distance under which two roots are one.
 * @param[in]  EPSF     double: value tolerance.
 * @param[in]  NMAX     int: capacity of ROOTS, at least 1.
 * @param[out] ROOTS    double ROOTS(2, NMAX): ROOTS(., 1..NROOT), the zeros (u, v), ascending in u.
 * @param[out] NROOT    int: the number of zeros found.
 * @param[out] LASTBOX  double LASTBOX(4): on codes -2, -13 and 2, the box (U1, U2, V1, V2) the solve stopped on.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: some isolated zeros did not converge; the others are returned.
 *   - -2: the solve stopped on a box where both nets lie within EPSF (LASTBOX).
 *   - -13: the subdivision reached 41 levels, or the solve reached its work bound (see Cost);
 *     LASTBOX holds the box it stopped on, the roots found before it are returned.
 *   - 1: a size out of range, an empty or inverted box, NMAX < 1, a coefficient that is not a number,
 *     or a failed conversion or split.
 *   - 2: the root list is full.
 *   - 10: a work area was refused.
 * @par Work space
 *   A request of 8 NU NV reals, then (under the stage MRS2D1) one of 164 NU NV + 2 max(NU, NV)^2 + 328
 *   reals; both released on every path.
 * @par Cost
 *   At most 2^28 coefficient operations: each box decided counts NU NV (6 + max(NU, NV)), each
 *   Newton step 6 NU NV; the solve is stopped, with code -13, before the first box past that
 *   bound (about 0.2 s in a release build). The tests' systems use at most 3% of it; normals
 *   between random curves of degree up to 20 (lnn2cv) give the same results without it. Nets
 *   that never settle use all of it: tolerances at or below zero, or a curve of near-zeros along
 *   which every box fails its Newton iteration and is split again.
 * @par Trace
 *   Threshold 3, entry and exit lines; the stages trace under MRS2D1 to MRS2D5, MRS2NR, MRS2D4,
 *   MBTCV1 and MINLTT at their own thresholds. At level 3 and up MRS2NR writes its noise lines when it
 *   does not converge. Reports every non-zero code through aermsg.
 */
VCBM_API void mrs2d0(const int* LD1, const int* LD2, const double* FG, const int* NU, const int* NV,
                     const double* BOX, const double* EPSX, const double* EPSF, const int* NMAX, double* ROOTS,
                     int* NROOT, double* LASTBOX, int* IER);

/* ---- Roots by Bezier subdivision with noisy intervals ---- */

/**
 * @brief Roots of a polynomial on an interval, with the noisy and unresolved stretches.
 *
 * The Bernstein polygon of C on [A, B] is halved depth first, left before right,
 * down to pieces about EPSX long (at most 20 levels). A piece whose polygon lies
 * within EPSF of zero is a noisy interval (touching noisy pieces are merged); a
 * piece on which the polynomial is monotonic has its root refined by mrs1i1; a
 * piece where that refinement fails is an unresolved interval. EPSX is a length
 * of the parameter, EPSF a size of the polynomial's values.
 *
 * @param[in]  C      double C(N): canonical coefficients, C(1) the constant term; finite.
 * @param[in]  N      int: number of coefficients, 1 to 61. Exactly-zero trailing coefficients are dropped.
 * @param[in]  TINT   double TINT(2): the interval [A, B], either order.
 * @param[in]  EPSX   double: abscissa resolution, > 0, at most |B - A|.
 * @param[in]  EPSF   double: value tolerance, > 0.
 * @param[out] ROOTS  double ROOTS(max(N-1, 1)): ROOTS(1..NROOT), the simple roots, ascending.
 *                   A root recovered on a piece widened past an end of [A, B] (when the
 *                   polygon and the polynomial disagree in sign at that end) is kept: it may
 *                   lie outside [A, B], by at most (B - A)/2.
 * @param[out] NROOT  int: number of roots.
 * @param[out] NOISE  double NOISE(2, max(N-1, 1)): the noisy intervals, ascending.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] UNRES  double UNRES(2, max(N-1, 1)): the unresolved intervals, ascending.
 * @param[out] NUNRES int: number of unresolved intervals.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success, roots only.
 *   - -1: noisy or unresolved intervals were returned (a polynomial constant within EPSF: one noisy interval [A, B]).
 *   - -13: the depth limit was reached on an unsettled piece; the lists hold what was found before it.
 *   - 1: N outside 1..61, EPSX or EPSF not positive and finite, |B - A| < EPSX, a coefficient or an end
 *     that is not finite, or a polygon that overflows.
 *   - 2: a result list is full.
 *   - 10: the work area was refused, or its release failed.
 *   - 100 + k: the change of interval to [-1, 1] failed with code k (only when EPSPB exceeds 2).
 * @par Work space
 *   One request of DEPTH*2*N + N*N reals per call that reaches the subdivision
 *   (DEPTH = trunc(log2(|B - A| / EPSX)) + 1, clamped to 1..20).
 * @par Trace
 *   Threshold 3, entry and exit. At level 3 or more, the lines "MRS1D0: intervalles bruites" and
 *   "MRS1D0: intervalles non resolus" with the counts. Reports every non-zero code.
 */
VCBM_API void mrs1d0(const double* C, const int* N, const double* TINT, const double* EPSX, const double* EPSF,
                     double* ROOTS, int* NROOT, double* NOISE, int* NNOISE, double* UNRES, int* NUNRES, int* IER);

/**
 * @brief Depth and work area of the subdivision of a Bernstein polygon (second step of mrs1d0).
 *
 * @param[in]  C      double C(N): canonical coefficients, for the refinement of the roots.
 * @param[in]  N      int: number of coefficients, 1 to 61.
 * @param[in]  POLYG  double POLYG(N): the Bernstein polygon of C on TINT.
 * @param[in]  TINT   double TINT(2): the interval, either order.
 * @param[in]  EPSX   double: abscissa resolution (sets the depth).
 * @param[in]  EPSF   double: value tolerance.
 * @param[out] ROOTS  double ROOTS(max(N-1, 1)): the roots, ascending.
 * @param[out] NROOT  int: number of roots.
 * @param[out] NOISE  double NOISE(2, max(N-1, 1)): the noisy intervals.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] UNRES  double UNRES(2, max(N-1, 1)): the unresolved intervals.
 * @param[out] NUNRES int: number of unresolved intervals.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0, -1, -13, 2: as mrs1d0.
 *   - 1: N outside 1..61.
 *   - 10: the work area was refused, or its release failed.
 * @par Work space
 *   One request of DEPTH*2*N + N*N reals.
 * @par Trace
 *   Threshold 4, entry and exit; "MRS1D1: pb. d'allocation" at level 4 or more when the
 *   request is refused. Reports every non-zero code.
 */
VCBM_API void mrs1d1(const double* C, const int* N, const double* POLYG, const double* TINT, const double* EPSX,
                     const double* EPSF, double* ROOTS, int* NROOT, double* NOISE, int* NNOISE, double* UNRES,
                     int* NUNRES, int* IER);

/**
 * @brief Depth-first subdivision of a Bernstein polygon, one decision (mrs1d3) per piece.
 *
 * @param[in]  C      double C(N): canonical coefficients.
 * @param[in]  N      int: number of coefficients, 1 to 61.
 * @param[in]  POLYG  double POLYG(N): the Bernstein polygon of C on TINT.
 * @param[in]  TINT   double TINT(2): the interval, either order.
 * @param[in]  EPSX   double: abscissa resolution.
 * @param[in]  EPSF   double: value tolerance.
 * @param[in]  DEPTH  int: the number of levels, 1 to 40 (level 1 is the whole interval).
 * @param[out] STACK  double STACK(N, 2, DEPTH): the polygons of the two halves of each level.
 * @param[out] WORK   double WORK(N): scratch (the derivative polygon).
 * @param[out] ROOTS  double ROOTS(max(N-1, 1)): the roots, ascending.
 * @param[out] NROOT  int: number of roots.
 * @param[out] NOISE  double NOISE(2, max(N-1, 1)): the noisy intervals.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] UNRES  double UNRES(2, max(N-1, 1)): the unresolved intervals.
 * @param[out] NUNRES int: number of unresolved intervals.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0, -1, 2: as mrs1d0.
 *   - -13: a piece at level DEPTH was still unsettled; the walk stopped there.
 *   - 1: DEPTH outside 1..40 or N outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit; "MRS1D2: profondeur maximale atteinte" with DEPTH at level 5
 *   or more on code -13. Reports positive codes.
 */
VCBM_API void mrs1d2(const double* C, const int* N, const double* POLYG, const double* TINT, const double* EPSX,
                     const double* EPSF, const int* DEPTH, double* STACK, double* WORK, double* ROOTS, int* NROOT,
                     double* NOISE, int* NNOISE, double* UNRES, int* NUNRES, int* IER);

/**
 * @brief Decision on one piece of the subdivision: no zero, noisy, to be halved, or one root.
 *
 * A polygon within EPSF of zero makes the piece noisy (merged with a noisy
 * interval ending at its start; a root at its start is dropped). A derivative
 * polygon of both signs leaves the piece unsettled. Otherwise the root is
 * refined by mrs1i1; when the polynomial does not change sign on the piece
 * although its polygon does, the piece is widened by its length on the side
 * where they disagree, within the whole interval widened by half its length
 * on each side, and refined again. A root is appended unless it is the end of
 * the last noisy interval or lies less than EPSX past the last root.
 *
 * @param[in]     C      double C(N): canonical coefficients.
 * @param[in]     N      int: number of coefficients, 1 to 61.
 * @param[in]     POLYG  double POLYG(N): the Bernstein polygon of C on the piece.
 * @param[in]     PIECE  double PIECE(2): the piece [a, b], a < b.
 * @param[in]     TINT   double TINT(2): the whole interval, either order.
 * @param[in]     EPSX   double: abscissa resolution.
 * @param[in]     EPSF   double: value tolerance.
 * @param[out]    WORK   double WORK(N): scratch (the derivative polygon).
 * @param[in,out] ROOTS  double ROOTS(max(N-1, 1)): the roots so far, ascending.
 * @param[in,out] NROOT  int: number of roots, 0 to max(N-1, 1).
 * @param[in,out] NOISE  double NOISE(2, max(N-1, 1)): the noisy intervals so far.
 * @param[in,out] NNOISE int: number of noisy intervals, 0 to max(N-1, 1).
 * @param[in,out] UNRES  double UNRES(2, max(N-1, 1)): the unresolved intervals so far.
 * @param[in,out] NUNRES int: number of unresolved intervals, 0 to max(N-1, 1).
 * @param[out]    ISETTL int: 1 the piece is settled, 0 it must be halved.
 * @param[out]    IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: settled without a warning, or to be halved.
 *   - -1: a noisy or unresolved interval was appended or extended.
 *   - 1: N outside 1..61, or a count outside 0..max(N-1, 1) (nothing is changed).
 *   - 2: a list is full.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 6, entry and exit; "MRS1D3:recuperation d erreur par elargissement debfin" at any
 *   non-zero level when the widened piece gave an answer. Reports positive codes.
 */
VCBM_API void mrs1d3(const double* C, const int* N, const double* POLYG, const double* PIECE, const double* TINT,
                     const double* EPSX, const double* EPSF, double* WORK, double* ROOTS, int* NROOT,
                     double* NOISE, int* NNOISE, double* UNRES, int* NUNRES, int* ISETTL, int* IER);

/**
 * @brief Refines the single root of a polynomial in an interval where it is monotonic.
 *
 * At most 16 iterations, each a bisection, a quadratic step through the ends
 * and the midpoint (when their second difference exceeds 1e-4) and a
 * false-position step. A bracket of parameter length 1e-7 or less on which a
 * new value leaves the range of the end values is numerical noise: failure.
 *
 * @param[in]  C     double C(N): canonical coefficients.
 * @param[in]  N     int: number of coefficients (below 1: the zero polynomial).
 * @param[in]  TINT  double TINT(2): the bracket, either order.
 * @param[in]  EPSF  double: value tolerance: X is a root when |P(X)| < EPSF.
 * @param[out] X     double: the root (code 0); the middle of the last bracket (code -1).
 * @param[out] VAL   double VAL(2): code 1, (P(a), P(b)); code -1, the last bracket [a, b].
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: X is a root.
 *   - 1: P has the same strict sign at both ends.
 *   - -1: no convergence.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. At level 3 or more: "ERR : la fonction est de mm signe en tmin,tmax"
 *   on code 1; "BRUIT NUMERIQUE d'amplitude" with the smallest |P| met and ">EPS impose" with
 *   EPSF on code -1. Reports every non-zero code.
 */
VCBM_API void mrs1i1(const double* C, const int* N, const double* TINT, const double* EPSF, double* X, double* VAL,
                     int* IER);

/**
 * @brief Sign analysis of a control polygon: can it reach zero, does it stay near zero.
 *
 * @param[in]  POLYG double POLYG(NDIM, N): the polygon.
 * @param[in]  N     int: number of points, at least 1.
 * @param[in]  NDIM  int: dimension, 1 to 3.
 * @param[in]  EPS   double: the threshold.
 * @param[out] ZERO  int: 0 when some component's values are all >= EPS or all <= -EPS (no zero possible), else 1.
 * @param[out] SMALL int: 1 when ZERO = 1 and every value lies strictly between -EPS and EPS, else 0.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM outside 1..3 or N below 1 (ZERO and SMALL not written).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. Reports positive codes.
 */
VCBM_API void mbtpt0(const double* POLYG, const int* N, const int* NDIM, const double* EPS, int* ZERO, int* SMALL,
                     int* IER);

/**
 * @brief Derivative polygon of a scalar Bernstein polygon on an interval.
 *
 * @param[in]  POLYG  double POLYG(N): the polygon on TINT.
 * @param[in]  N      int: number of values.
 * @param[in]  TINT   double TINT(2): the interval [a, b] (b = a gives infinite values).
 * @param[out] DPOLYG double DPOLYG(N-1): (POLYG(i+1) - POLYG(i)) (N - 1) / (b - a).
 * @param[out] ND     int: N - 1 (0 when N < 2).
 *
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit.
 */
VCBM_API void mdepna(const double* POLYG, const int* N, const double* TINT, double* DPOLYG, int* ND);

/**
 * @brief Bernstein coefficients on [0, 1] of a polynomial in canonical form.
 *
 * @param[in]  N     int: number of coefficients, 1 to 61.
 * @param[in]  C     double C(N): canonical coefficients.
 * @param[out] POLYG double POLYG(N): the Bernstein coefficients on [0, 1]; may be C.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: N outside 1..61 (nothing written).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. Reports positive codes.
 */
VCBM_API void mbbpg1(const int* N, const double* C, double* POLYG, int* IER);

/**
 * @brief Bernstein coefficients on [-1, 1] of a polynomial in canonical form.
 *
 * @param[in]  N     int: number of coefficients, 1 to 61.
 * @param[in]  C     double C(N): canonical coefficients in s, s in [-1, 1].
 * @param[out] POLYG double POLYG(N): the Bernstein coefficients on [-1, 1]; may be C.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: N outside 1..61 (nothing written).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. Reports positive codes.
 */
VCBM_API void mbbpg2(const int* N, const double* C, double* POLYG, int* IER);

/**
 * @brief Bernstein coefficients on [-1, 1] of a curve in canonical form, component by component.
 *
 * @param[in]  NDIMAX int: leading dimension of COEF and POLYG.
 * @param[in]  NDIM   int: components converted (none outside 1..NDIMAX).
 * @param[in]  NCOEF  int: number of coefficients, 1 to 61.
 * @param[in]  COEF   double COEF(NDIMAX, NCOEF): canonical coefficients in s, s in [-1, 1].
 * @param[out] POLYG  double POLYG(NDIMAX, NCOEF): the Bernstein coefficients; may be COEF.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 10: NCOEF outside 1..61.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit. Reports positive codes.
 */
VCBM_API void mbbpg3(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, double* POLYG,
                     int* IER);

/**
 * @brief Roots of a polynomial given by its Bernstein coefficients on an interval, with the function and its
 *        tolerances supplied as routines; stretches where it vanishes are solution intervals.
 *
 * The pieces are halved depth first down to 25 levels, each with its own
 * tolerances from FTOL: a polygon within EPSF of zero is a solution interval
 * (touching ones merged), a polygon whose derivative keeps its sign beyond
 * EPSF / EPSX / 4 times the piece's width has its root refined by mrs1i4, any
 * other piece is halved; one still unsettled at the last level is a noisy
 * interval. Solution intervals no wider than EPSX become point roots.
 *
 * @param[in]  FEVAL routine FEVAL(T, F, IER): the function at T.
 * @param[in]  C     double C(NCOEF): Bernstein coefficients on TINT.
 * @param[in]  NCOEF int: number of coefficients, 1 to 61.
 * @param[in]  TINT  double TINT(2): the interval, either order.
 * @param[in]  FTOL  routine FTOL(TINT, EPSX, EPSF, IER): parameter and function tolerances of a sub-interval.
 * @param[out] SOLP  double SOLP(max(NCOEF-1, 1)): the point roots, ascending.
 * @param[out] NSOLP int: number of point roots.
 * @param[out] SOLI  double SOLI(2, max(NCOEF-1, 1)): the solution intervals.
 * @param[out] NSOLI int: number of solution intervals.
 * @param[out] NOISE double NOISE(2, max(NCOEF-1, 1)): the noisy intervals.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: solution or noisy intervals were found.
 *   - 1: NCOEF outside 1..61, FTOL failed, or EPSX exceeds the width of TINT.
 *   - 2: a list is full (the search stopped there).
 *   - 10: the work area was refused, or its release failed.
 * @par Work space
 *   One request of 50 NCOEF + NCOEF^2 reals when NCOEF > 1.
 * @par Trace
 *   Threshold 4, entry and exit. Reports every non-zero code.
 */
VCBM_API void mrs1g1(void (*FEVAL)(const double*, double*, int*), const double* C, const int* NCOEF,
                     const double* TINT, void (*FTOL)(const double*, double*, double*, int*), double* SOLP, int* NSOLP,
                     double* SOLI, int* NSOLI, double* NOISE, int* NNOISE, int* IER);

/**
 * @brief The depth-first subdivision of mrs1g1 on given storage.
 *
 * @param[in]  FEVAL  routine FEVAL(T, F, IER): the function.
 * @param[in]  C      double C(NCOEF): Bernstein coefficients on TINT.
 * @param[in]  NCOEF  int: number of coefficients, 1 to 61.
 * @param[in]  TINT   double TINT(2): the interval, either order.
 * @param[in]  FTOL   routine FTOL(TINT, EPSX, EPSF, IER): the tolerances of a sub-interval.
 * @param[in]  DEPTH  int: number of levels, 1 to 40.
 * @param[out] STACK  double STACK(NCOEF, 2, DEPTH): the halves of each level.
 * @param[out] WORK   double WORK(NCOEF): scratch.
 * @param[out] SOLP   double SOLP(max(NCOEF-1, 1)): the point roots.
 * @param[out] NSOLP  int: number of point roots.
 * @param[out] SOLI   double SOLI(2, max(NCOEF-1, 1)): the solution intervals.
 * @param[out] NSOLI  int: number of solution intervals.
 * @param[out] NOISE  double NOISE(2, max(NCOEF-1, 1)): the noisy intervals.
 * @param[out] NNOISE int: number of noisy intervals.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0, -1 or 2: as mrs1g1.
 *   - 1: DEPTH or NCOEF out of range, or FTOL failed.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit. Reports positive codes.
 */
VCBM_API void mrs1g2(void (*FEVAL)(const double*, double*, int*), const double* C, const int* NCOEF,
                     const double* TINT, void (*FTOL)(const double*, double*, double*, int*), const int* DEPTH,
                     double* STACK, double* WORK, double* SOLP, int* NSOLP, double* SOLI, int* NSOLI, double* NOISE,
                     int* NNOISE, int* IER);

/**
 * @brief Decision on one piece of mrs1g2's subdivision: no root, solution interval, one root, or to be halved.
 *
 * @param[in]     FEVAL  routine FEVAL(T, F, IER): the function.
 * @param[in]     C      double C(NCOEF): Bernstein coefficients on the piece.
 * @param[in]     NCOEF  int: number of coefficients, 1 to 61.
 * @param[in]     PIECE  double PIECE(2): the piece [a, b], a < b.
 * @param[in]     EPSX   double: parameter tolerance of the piece.
 * @param[in]     EPSF   double: function tolerance of the piece.
 * @param[out]    WORK   double WORK(NCOEF): scratch (the derivative's coefficients).
 * @param[in,out] SOLP   double SOLP(max(NCOEF-1, 1)): the point roots so far.
 * @param[in,out] NSOLP  int: their number, 0 to max(NCOEF-1, 1).
 * @param[in,out] SOLI   double SOLI(2, max(NCOEF-1, 1)): the solution intervals so far.
 * @param[in,out] NSOLI  int: their number.
 * @param[in,out] NOISE  double NOISE(2, max(NCOEF-1, 1)): the noisy intervals so far.
 * @param[in,out] NNOISE int: their number.
 * @param[out]    ISETTL int: 1 settled, 0 to be halved.
 * @param[out]    IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: an interval was added.
 *   - 1: a count out of range (nothing changed).
 *   - 2: a list is full.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 6, entry and exit. Reports positive codes.
 */
VCBM_API void mrs1g4(void (*FEVAL)(const double*, double*, int*), const double* C, const int* NCOEF,
                     const double* PIECE, const double* EPSX, const double* EPSF, double* WORK, double* SOLP,
                     int* NSOLP, double* SOLI, int* NSOLI, double* NOISE, int* NNOISE, int* ISETTL, int* IER);

/**
 * @brief Refines the root of a function on a bracket where it is monotonic, by inverse interpolation.
 *
 * At most 16 iterations; the step through the ends and the previous point,
 * the secant point when it leaves the bracket, a halving after two steps that
 * did not halve it. The bracket is not split below 1000 times the relative
 * precision of reals (aovur8).
 *
 * @param[in]  FEVAL   routine FEVAL(T, F, IER): the function.
 * @param[in]  TINT    double TINT(2): the bracket, either order.
 * @param[in]  EPSF    double: function tolerance: X is a root when |F(X)| <= EPSF.
 * @param[out] X       double: the root (code 0), the point of least |F| met (code -1).
 * @param[out] BRACKET double BRACKET(2): the last bracket.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: a root.
 *   - 1: the ends have the same sign beyond EPSF.
 *   - -1: no convergence.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit; " ERR : incoherence fonction/polygone" at level 3 or more on code 1.
 *   Reports positive codes.
 */
VCBM_API void mrs1i4(void (*FEVAL)(const double*, double*, int*), const double* TINT, const double* EPSF, double* X,
                     double* BRACKET, int* IER);

VCBM_END_DECLS

#endif
