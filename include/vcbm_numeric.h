/* Numerical kernels: linear systems, eigenproblem and sorting, quadrature, simplex. */
#ifndef VCBM_NUMERIC_H
#define VCBM_NUMERIC_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Linear systems ---- */
/**
 * @brief Solves A.X = B for one right-hand side by Gauss elimination with row pivoting.
 *
 * A and B are overwritten: B holds the solution on exit. Note the codes: 1 is success here.
 *
 * @param[in,out] A    double A(LDA, N): the matrix; destroyed.
 * @param[in,out] B    double B(N): the right-hand side; on exit the solution.
 * @param[in]     N    int: order.
 * @param[in]     LDA  int: leading dimension, at least N.
 * @param[in]     EPS  double: a pivot of modulus <= EPS (or zero) makes the matrix singular.
 * @param[out]    IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 1: solved (also N < 1, nothing touched).
 *   - 2: singular, or LDA < N (nothing touched).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line, no aermsg. From trace level 1 a singular matrix writes "ERREUR
 *   DANS RSLV:MATRICE SINGULIERE 2" on the print unit.
 */
VCBM_API void rslv(double* A, double* B, const int* N, const int* LDA, const double* EPS, int* IER);

/**
 * @brief Solves A.X = B for NRHS right-hand sides, column by column through rslv.
 *
 * @param[in]     A         double A(LDA, N): the matrix, kept (copied to AW).
 * @param[in,out] B         double B(N, NRHS): the right-hand sides, overwritten.
 * @param[in]     N         int: order.
 * @param[in]     NRHS      int: number of right-hand sides; IER is left as it was when NRHS < 1.
 * @param[out]    X         double X(N, NRHS): the solutions.
 * @param[out]    AW        double AW(LDA, N): work (the copy of A).
 * @param[in]     LDA       int: leading dimension of A and AW, at least N.
 * @param[in]     RESERVED  any: not read.
 * @param[in]     EPS       double: pivot threshold, as in rslv.
 * @param[out]    IER       int: result code, see Codes.
 *
 * @par Codes
 *   - 1: solved.
 *   - 2: singular, or LDA < N (nothing touched).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line; rslv's diagnostic line from level 1.
 */
VCBM_API void rslw(const double* A, double* B, const int* N, const int* NRHS, double* X, double* AW,
                   const int* LDA, const void* RESERVED, const double* EPS, int* IER);

/**
 * @brief Solves the augmented system stored equation by equation in W(N+NRHS, N).
 *
 * @param[in]     LDX   int: leading dimension of X, at least N.
 * @param[in]     N     int: order; N < 1: IER 0, nothing written.
 * @param[in]     NRHS  int: right-hand sides, 0 or more.
 * @param[in]     EPS   double: pivot threshold.
 * @param[in,out] W     double W(N+NRHS, N): column i holds equation i (coefficients then right-hand
 *                      sides); destroyed.
 * @param[out]    X     double X(LDX, NRHS): the solutions.
 * @param[out]    IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: solved.
 *   - 1: singular, NRHS < 0 or LDX < N (nothing written).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void mrslw(const int* LDX, const int* N, const int* NRHS, const double* EPS, double* W, double* X,
                    int* IER);

/**
 * @brief Solves A.X = B for NRHS right-hand sides through mrslw.
 *
 * @param[in]  LDA   int: leading dimension of A, B and X, at least N.
 * @param[in]  N     int: order.
 * @param[in]  NRHS  int: right-hand sides.
 * @param[in]  A     double A(LDA, N).
 * @param[in]  B     double B(LDA, NRHS).
 * @param[in]  EPS   double: pivot threshold.
 * @param[out] W     double W(N+NRHS, N): work.
 * @param[out] X     double X(LDA, NRHS): the solutions.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: solved.
 *   - 1: singular, NRHS < 0 or LDA < N.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mrslwd(const int* LDA, const int* N, const int* NRHS, const double* A, const double* B,
                     const double* EPS, double* W, double* X, int* IER);

/**
 * @brief Solves the transposed system A^T.X = B through mrslw.
 *
 * @param[in]  LDA   int: leading dimension of A, B and X, at least N.
 * @param[in]  N     int: order.
 * @param[in]  NRHS  int: right-hand sides.
 * @param[in]  A     double A(LDA, N).
 * @param[in]  B     double B(LDA, NRHS).
 * @param[in]  EPS   double: pivot threshold.
 * @param[out] W     double W(N+NRHS, N): work.
 * @param[out] X     double X(LDA, NRHS): the solutions.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: solved.
 *   - 1: singular, NRHS < 0 or LDA < N.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry line only. Reports positive codes through aermsg.
 */
VCBM_API void mrslwi(const int* LDA, const int* N, const int* NRHS, const double* A, const double* B,
                     const double* EPS, double* W, double* X, int* IER);

/* ---- Symmetric eigenproblem and sorting ---- */
/**
 * @brief Eigenvalues and eigenvectors of a symmetric matrix by the cyclic Jacobi method.
 *
 * At most NITNR sweeps (the tolerance block must be filled).
 *
 * @param[in,out] A       double A(LDA, N): the symmetric matrix (both triangles); destroyed.
 * @param[in]     N       int: order.
 * @param[in]     LDA     int: leading dimension of A and V, at least N.
 * @param[in]     EPS     double: the sweeps stop when the off-diagonal norm is at most EPS; must be
 *                        positive.
 * @param[out]    D       double D(N): the eigenvalues, decreasing.
 * @param[out]    V       double V(LDA, N): column k the unit eigenvector of D(k).
 * @param[out]    NSWEEP  int: sweeps made.
 * @param[out]    OFFNRM  double: the final off-diagonal norm.
 * @param[out]    IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: converged.
 *   - 1: the sweep limit was reached (results of the last sweep).
 *   - 11: EPS <= 0 or not a number; nothing computed.
 *   - 12: LDA < N (N >= 1); nothing computed.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void vpvpsy(double* A, const int* N, const int* LDA, const double* EPS, double* D, double* V,
                     int* NSWEEP, double* OFFNRM, int* IER);

/**
 * @brief Shell sort of N records of reals on one of their rows, ascending.
 *
 * @param[in]     N    int: number of records.
 * @param[in]     LDT  int: length of a record.
 * @param[in,out] T    double T(LDT, N): the records, sorted in place.
 * @param[in]     KEY  int: the row sorted on, 1 to LDT; no effect otherwise.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void vsheld(const int* N, const int* LDT, double* T, const int* KEY);

/**
 * @brief Shell sort of N records of integers on one of their rows, ascending.
 *
 * @param[in]     N    int: number of records.
 * @param[in]     LDT  int: length of a record.
 * @param[in,out] T    int T(LDT, N): the records, sorted in place.
 * @param[in]     KEY  int: the row sorted on, 1 to LDT; no effect otherwise.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void vsheli(const int* N, const int* LDT, int* T, const int* KEY);

/* ---- Gauss-Legendre quadrature ---- */

/* Integrand: F(NDIM) = the NDIM values at T; IER arrives 0 and is set non-zero on failure. */
typedef void (*vcbm_integrand)(const int* NDIM, const double* T, double* F, int* IER);

/**
 * @brief Nodes of the N-point Gauss-Legendre rule on [-1, 1], increasing.
 *
 * @param[in]  N  int: 1 to 61; nothing is written otherwise.
 * @param[out] X  double X(N): the nodes.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines.
 */
VCBM_API void mextrl(const int* N, double* X);

/**
 * @brief Weights of the N-point Gauss-Legendre rule, matching mextrl's nodes.
 *
 * @param[in]  N  int: 1 to 61; nothing is written otherwise.
 * @param[out] W  double W(N): the weights.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines.
 */
VCBM_API void mexthi(const int* N, double* W);

/**
 * @brief Positive nodes and weights of the 4 LEVEL-point Gauss-Legendre rule.
 *
 * @param[in,out] LEVEL  int: 1 to 10; set to 10 when outside.
 * @param[out]    X      double X(2 LEVEL): the positive nodes, outermost first.
 * @param[out]    W      double W(2 LEVEL): their weights.
 * @param[out]    NPTS   int: 2 LEVEL.
 * @param[out]    IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: LEVEL was outside 1..10 and 10 was used.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line; mextrl and mexthi trace from level 3. Reports nothing.
 */
VCBM_API void vgaus0(const int* LEVEL, double* X, double* W, int* NPTS, int* IER);

/**
 * @brief Integral of FUNC on [A, B] by the 4 LEVEL-point Gauss-Legendre rule.
 *
 * @param[in]  NDIM    int: number of values of the integrand, 1 to 10.
 * @param[in]  FUNC    vcbm_integrand: the integrand, called as FUNC(NDIM, T, F, IER) with IER = 0
 *                     on entry; a non-zero IER stops the integration.
 * @param[in]  LEVEL   int: 1 to 10 (10 when outside).
 * @param[in]  A       double: start.
 * @param[in]  B       double: end.
 * @param[out] RESULT  double RESULT(NDIM): the integrals.
 * @param[out] NCALLS  int: number of calls of FUNC.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1 (FUNC not called).
 *   - -1: LEVEL outside 1..10: the 40-point rule (LEVEL 10) was used.
 *   - 10: NDIM > 10 (FUNC not called).
 *   - Otherwise the non-zero code FUNC returned.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void vgaus1(const int* NDIM, vcbm_integrand FUNC, const int* LEVEL, const double* A, const double* B,
                     double* RESULT, int* NCALLS, int* IER);

/**
 * @brief Integral of FUNC on [A, B], raising the Gauss level from 1 to 10 until the change is
 * small.
 *
 * @param[in]  NDIM    int: number of values of the integrand, 1 to 10.
 * @param[in]  FUNC    vcbm_integrand: the integrand, called as FUNC(NDIM, T, F, IER) with IER = 0
 *                     on entry; a non-zero IER stops the integration.
 * @param[in]  A       double: start.
 * @param[in]  B       double: end.
 * @param[in]  TOL     double: stops when the largest change is below max(|TOL|, 1e-10).
 * @param[out] RESULT  double RESULT(NDIM): the integrals.
 * @param[out] ERRMAX  double: the last change.
 * @param[out] NCALLS  int: number of calls of FUNC.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1.
 *   - 10: NDIM > 10.
 *   - Otherwise the non-zero code FUNC returned.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void vgauss(const int* NDIM, vcbm_integrand FUNC, const double* A, const double* B, const double* TOL,
                     double* RESULT, double* ERRMAX, int* NCALLS, int* IER);

/**
 * @brief Second copy of vgauss with storage of its own: may run inside an integrand of vgauss.
 *
 * @param[in]  NDIM    int: number of values of the integrand, 1 to 10.
 * @param[in]  FUNC    vcbm_integrand: the integrand, called as FUNC(NDIM, T, F, IER) with IER = 0
 *                     on entry; a non-zero IER stops the integration.
 * @param[in]  A       double.
 * @param[in]  B       double.
 * @param[in]  TOL     double.
 * @param[out] RESULT  double RESULT(NDIM).
 * @param[out] ERRMAX  double.
 * @param[out] NCALLS  int.
 * @param[out] IER     int: result code, as vgauss.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1.
 *   - 10: NDIM > 10.
 *   - Otherwise the non-zero code FUNC returned.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void vgausa(const int* NDIM, vcbm_integrand FUNC, const double* A, const double* B, const double* TOL,
                     double* RESULT, double* ERRMAX, int* NCALLS, int* IER);

/**
 * @brief Second copy of vgaus1, used by vgausa.
 *
 * @param[in]  NDIM    int: number of values of the integrand, 1 to 10.
 * @param[in]  FUNC    vcbm_integrand: the integrand, called as FUNC(NDIM, T, F, IER) with IER = 0
 *                     on entry; a non-zero IER stops the integration.
 * @param[in]  LEVEL   int.
 * @param[in]  A       double.
 * @param[in]  B       double.
 * @param[out] RESULT  double RESULT(NDIM).
 * @param[out] NCALLS  int.
 * @param[out] IER     int: result code, as vgaus1.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1.
 *   - 10: NDIM > 10.
 *   - Otherwise the non-zero code FUNC returned.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void vgausb(const int* NDIM, vcbm_integrand FUNC, const int* LEVEL, const double* A, const double* B,
                     double* RESULT, int* NCALLS, int* IER);

/* ---- Simplex optimisation ---- */

/**
 * @brief Minimises C.X subject to A X = B and X >= 0 by the revised simplex method.
 *
 * The basis inverse is kept between calls (per thread) for warm starts with OPTION 10 or 11.
 *
 * @param[in]  M       int: number of equations, 0 to 30.
 * @param[in]  N       int: number of unknowns, M to 50, with N - M at most 20.
 * @param[in]  LDA     int: leading dimension of A, at least M.
 * @param[in]  A       double A(LDA, N): the last M columns must form a feasible starting basis
 *                     (OPTION 0, 1).
 * @param[in]  B       double B(M).
 * @param[in]  C       double C(N): costs.
 * @param[in]  MAXIT   int: iteration limit.
 * @param[in]  OPTION  int: 0 or 1 start from the last M columns, 10 or 11 continue from the
 *                     previous call's basis; 0 and 10 enter the most negative reduced cost, 1 and
 *                     11 the smallest index.
 * @param[out] X       double X(N): the solution.
 * @param[out] NIT     int: iterations made.
 * @param[out] STATUS  int: 2 when a ratio test was made in this call, else 0.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: optimum.
 *   - 1: a size beyond the limits, or no feasible basis.
 *   - 2: unknown OPTION.
 *   - -1: unbounded.
 *   - -2: MAXIT reached.
 *   - -3: M = 0 with a pivot required.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg. Writes its diagnostic
 *   lines ("MSIMPL : OPTION INCORRECT", "MSIMPL : Base non realisable", ...) through swrdbg.
 */
VCBM_API void msimpl(const int* M, const int* N, const int* LDA, const double* A, const double* B, const double* C,
                     const int* MAXIT, const int* OPTION, double* X, int* NIT, int* STATUS, int* IER);

VCBM_END_DECLS

#endif
