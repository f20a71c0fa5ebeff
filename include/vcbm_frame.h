/* Library frame: the marker, the tolerance block and the vector toolkit. */
#ifndef VCBM_FRAME_H
#define VCBM_FRAME_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Marker ---- */

/**
 * @brief Marker of the library: returns 1 and does nothing else.
 *
 * A caller checks with it that the library is loaded.
 *
 * @par Codes
 *   - Function value 1, always.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API int KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics(void);

/* ---- Tolerance block ---- */

/**
 * @brief Fills the process-wide tolerance block from two arrays of settings.
 *
 * Call it once before any routine that reads a tolerance; until then every slot is 0. It may be
 * called again at any time and overwrites every slot. It must not run while another routine of the
 * library runs (the block is shared by the whole process). The values are taken as they are, with
 * no check: a tolerance at or below zero, or NaN, makes the tests that read it fail (or pass) almost
 * every time. With EPSNR at or below zero, for instance, a Newton step hardly ever counts as
 * converged, and iterations run to NITNR: the routines keep their codes, but a subdivision solver
 * can become slow, up to the bounds it states (see umcvcv).
 *
 * @param[in]  ARG1    int: not read (may be NULL).
 * @param[in]  IPARAM  int IPARAM(21): NITNR = IPARAM(10) (Newton iteration limit), NITLN =
 *                     IPARAM(11); IPARAM(4..9), IPARAM(20), IPARAM(21) are copied and not used.
 * @param[in]  RPARAM  double RPARAM(22): EPS3D = RPARAM(1), EPS1 = RPARAM(12) (length tolerance),
 *                     EPSNR = RPARAM(13) (parametric tolerance), EPSPB = RPARAM(14), EPSPB2 =
 *                     RPARAM(15); RPARAM(2), (3), (16..19), (22) are copied and not used.
 * @param[out] IER     int: result code, always 0.
 *
 * @par Codes
 *   - 0: always.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports its code through aermsg on every call, 0 included.
 */
VCBM_API void mcxcom(const int* ARG1, const int* IPARAM, const double* RPARAM, int* IER);

/**
 * @brief The general length tolerance EPS1 of the tolerance block (RPARAM(12) of mcxcom).
 *
 * @param[out] EPS  double: EPS1; 0 before the first mcxcom.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void meps1(double* EPS);

/**
 * @brief The 3D tolerance EPS3D of the tolerance block (RPARAM(1) of mcxcom).
 *
 * @param[out] EPS  double: EPS3D; 0 before the first mcxcom.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void meps3d(double* EPS);

/**
 * @brief The parametric tolerance EPSNR and the Newton iteration limit NITNR.
 *
 * @param[out] EPS  double: EPSNR (RPARAM(13) of mcxcom).
 * @param[out] NIT  int: NITNR (IPARAM(10) of mcxcom).
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines.
 */
VCBM_API void mepsnr(double* EPS, int* NIT);

/**
 * @brief The small-value threshold EPSPB and the angular tolerance EPSPB2.
 *
 * @param[out] EPSA  double: EPSPB (RPARAM(14) of mcxcom).
 * @param[out] EPSB  double: EPSPB2 (RPARAM(15) of mcxcom).
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines.
 */
VCBM_API void mepspb(double* EPSA, double* EPSB);

/**
 * @brief EPSNR and the two iteration limits NITNR and NITLN.
 *
 * @param[out] EPS   double: EPSNR (RPARAM(13)).
 * @param[out] NIT   int: NITNR (IPARAM(10)).
 * @param[out] NIT2  int: NITLN (IPARAM(11)).
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry line only.
 */
VCBM_API void mepsln(double* EPS, int* NIT, int* NIT2);

/**
 * @brief The small-value threshold EPSPB (RPARAM(14) of mcxcom).
 *
 * @param[out] EPS  double: EPSPB.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry line only.
 */
VCBM_API void mveps3(double* EPS);

/* ---- Vector toolkit ---- */

/**
 * @brief Dot product A . B of two vectors.
 *
 * @param[in]  N  int: dimension; N < 1 gives 0.
 * @param[in]  A  double A(N).
 * @param[in]  B  double B(N).
 *
 * @par Codes
 *   - Function value: the dot product (0 when N < 1).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double sc(const int* N, const double* A, const double* B);

/**
 * @brief Cross product C = A x B of two 3-vectors.
 *
 * @param[in]  A  double A(3).
 * @param[in]  B  double B(3).
 * @param[out] C  double C(3): A x B; may not overlap A or B.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void pvec(const double* A, const double* B, double* C);

/**
 * @brief Triple product (A x B) . C of three 3-vectors.
 *
 * @param[in]  A  double A(3).
 * @param[in]  B  double B(3).
 * @param[in]  C  double C(3).
 *
 * @par Codes
 *   - Function value: the triple product.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double pmixt(const double* A, const double* B, const double* C);

/**
 * @brief Euclidean norm of a vector, computed without overflow.
 *
 * When the largest component in absolute value is at least 1 the vector is scaled by it first.
 *
 * @param[in]  N  int: dimension; N < 1 gives 0.
 * @param[in]  V  double V(N).
 *
 * @par Codes
 *   - Function value: the norm (0 when N < 1).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double zsnorm(const int* N, const double* V);

/**
 * @brief Value of the polynomial A(1) + A(2) X + ... + A(N) X^(N-1), by Horner's rule.
 *
 * @param[in]  N  int: number of coefficients; N < 1 gives 0.
 * @param[in]  A  double A(N): canonical coefficients.
 * @param[in]  X  double: the abscissa.
 * @param[out] P  double: the value.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void upos(const int* N, const double* A, const double* X, double* P);

/**
 * @brief Table of factorials F(k) = k!, k = 1..N, and N!.
 *
 * Exact up to 21! (formed by products in double); beyond, rounded products.
 *
 * @param[out] F  double F(max(N, 1)): F(k) = k!; F(1) = 1 is always written.
 * @param[in]  N  int: the last k.
 *
 * @par Codes
 *   - Function value: N! (1 when N < 2).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double fac(double* F, const int* N);

/**
 * @brief Position of the first occurrence of an integer in a table.
 *
 * @param[in]  IVAL  int: the value sought.
 * @param[in]  N     int: length of the table.
 * @param[in]  ITAB  int ITAB(N).
 * @param[out] IPOS  int: first i with ITAB(i) = IVAL; 0 when none or N < 1.
 *
 * @par Codes
 *   - None: the routine has no result code.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API void sintab(const int* IVAL, const int* N, const int* ITAB, int* IPOS);

/**
 * @brief An angle in degrees converted to radians.
 *
 * @param[in]  ANGLE  double: degrees.
 *
 * @par Codes
 *   - Function value: ANGLE * pi / 180.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double sdegrd(const double* ANGLE);

/**
 * @brief Binomial coefficient C(N, P), read from the mcmcnp table of OrvoSystem.
 *
 * @param[in]  N  int: 0 to 60.
 * @param[in]  P  int: 0 to N.
 *
 * @par Codes
 *   - Function value: C(N, P); for P > N the symmetric entry C(P, N); 0 when N or P lies outside
 *     0..60.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API double maccnp(const int* N, const int* P);

/**
 * @brief Whether two reals are equal relative to a tolerance.
 *
 * Both magnitudes are first clamped into [TOL(2), TOL(3)]; when either was clamped, A takes the
 * sign of B. A and B are equal when |A - B| / sqrt(|A B|) <= TOL(1).
 *
 * @param[in]  A    double.
 * @param[in]  B    double.
 * @param[in]  TOL  double TOL(3): relative tolerance, smallest and largest magnitude.
 *
 * @par Codes
 *   - Function value: -1 (true) when equal, 0 (false) otherwise.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line.
 */
VCBM_API int scmpval(const double* A, const double* B, const double* TOL);

/**
 * @brief Unit vector VU = V / |V|, snapped to an exact axis direction when within reach.
 *
 * When every component of the unit vector but one is at most 10^((-E-1)/2) (1e-8 with E = 15 of
 * aovsr8), the result is that axis exactly, with its sign.
 *
 * @param[in]  N    int: dimension, 1 or more.
 * @param[in]  V    double V(N).
 * @param[out] VU   double VU(N): the unit vector; zero on failure.
 * @param[in]  EPS  double: norms at or below EPS count as zero; EPS <= 0 means 10^-E with E of
 *                  aovsr8 (1e-15).
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 101: N < 1 or |V| <= EPS.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void munivt(const int* N, const double* V, double* VU, const double* EPS, int* IER);

/**
 * @brief Unit vector VU = V / |V| with the fixed tolerance 1e-16 (munivt, traced and reported).
 *
 * @param[in]  N    int: dimension, 1 or more.
 * @param[in]  V    double V(N).
 * @param[out] VU   double VU(N): the unit vector.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 101: N < 1 or |V| <= 1e-16.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 5, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void muntvt(const int* N, const double* V, double* VU, int* IER);

/**
 * @brief Unit vector VU = V / |V| with the fixed tolerance 1e-16, as a function.
 *
 * @param[in]  N   int: dimension, 1 or more.
 * @param[in]  V   double V(N).
 * @param[out] VU  double VU(N): the unit vector.
 *
 * @par Codes
 *   - Function value 0: success.
 *   - Function value 1: N < 1 or |V| <= 1e-16.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. A failure is reported through germsg (no code).
 */
VCBM_API int unitvt(const int* N, const double* V, double* VU);

/**
 * @brief Unit vector VU = V / |V| and the norm, with a caller's tolerance.
 *
 * @param[in]  EPS    double: norms at or below EPS count as zero (EPS <= 0: 1e-15).
 * @param[in]  N      int: dimension, 1 or more.
 * @param[in]  V      double V(N).
 * @param[out] VU     double VU(N): the unit vector; zero when |V| <= EPS.
 * @param[out] XNORM  double: |V| (not written when N < 1).
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: |V| <= EPS: VU is zero (reported although negative).
 *   - 10: N < 1.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg. The code -1 is
 *   reported as well.
 */
VCBM_API void vnitvt(const double* EPS, const int* N, const double* V, double* VU, double* XNORM, int* IER);

/**
 * @brief A unit vector perpendicular to V, in 2D or 3D.
 *
 * @param[in]  N    int: dimension, 2 or 3.
 * @param[in]  V    double V(N): not zero.
 * @param[out] VP   double VP(N): a unit vector with V . VP = 0.
 * @param[out] IER  int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: N is not 2 or 3, or V is zero.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void prpvct(const int* N, const double* V, double* VP, int* IER);

/**
 * @brief Angle from V1 to V2, in degrees and radians.
 *
 * In 2D the angle is signed, in (-pi, pi]; in 3D it lies in [0, pi]. Dot and cross products within
 * EPS1 of zero count as zero (the tolerance block must be filled).
 *
 * @param[in]  N     int: dimension, 2 or 3.
 * @param[in]  V1    double V1(N).
 * @param[in]  V2    double V2(N).
 * @param[out] ADEG  double: the angle in degrees (0 on failure).
 * @param[out] ARAD  double: the angle in radians (0 on failure).
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |V1| <= EPS1.
 *   - 2: |V2| <= EPS1.
 *   - 110: no case decided (a NaN component).
 *   - 1000: N is not 2 or 3.
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line. Reports nothing.
 */
VCBM_API void mangle(const int* N, const double* V1, const double* V2, double* ADEG, double* ARAD, int* IER);

/**
 * @brief Coordinates of a 3D point in the skew basis (U, V, U x V).
 *
 * @param[in]  P      double P(3): the point.
 * @param[in]  U      double U(3): first basis vector.
 * @param[in]  V      double V(3): second basis vector.
 * @param[in]  TOL    double TOL(2): TOL(1) the smallest norm of U and V, TOL(2) the smallest angle
 *                    in radians between them (and from pi).
 * @param[out] COORD  double COORD(3): P = COORD(1) U + COORD(2) V + COORD(3) U x V; 0 on failure.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |U| <= TOL(1).
 *   - 2: |V| <= TOL(1).
 *   - 3: U and V parallel within TOL(2).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports its code through aermsg on every exit, 0 included.
 */
VCBM_API void mcoord(const double* P, const double* U, const double* V, const double* TOL, double* COORD, int* IER);

/**
 * @brief As mcoord, and optionally the derivatives of the coordinates.
 *
 * @param[in]  IDER    int: 1 also computes DCOORD; any other value sets it to 0.
 * @param[in]  P       double P(3): the point.
 * @param[in]  U       double U(3).
 * @param[in]  V       double V(3).
 * @param[in]  DP      double DP(3): derivative of P (read when IDER = 1).
 * @param[in]  DU      double DU(3): derivative of U.
 * @param[in]  DV      double DV(3): derivative of V.
 * @param[in]  TOL     double TOL(2): as in mcoord.
 * @param[out] COORD   double COORD(3): the coordinates, as in mcoord.
 * @param[out] DCOORD  double DCOORD(3): their derivatives (0 unless IDER = 1).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: |U| <= TOL(1).
 *   - 2: |V| <= TOL(1).
 *   - 3: U and V parallel within TOL(2).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 3, entry and exit lines. Reports its code through aermsg on every exit, 0 included.
 */
VCBM_API void mcoord1(const int* IDER, const double* P, const double* U, const double* V, const double* DP,
                      const double* DU, const double* DV, const double* TOL, double* COORD, double* DCOORD,
                      int* IER);

/**
 * @brief A right-handed orthonormal frame whose third axis is the direction of V.
 *
 * @param[in]  V     double V(3): the direction.
 * @param[in]  EPS   double: V counts as zero when every |V(i)| < EPS.
 * @param[out] BASE  double BASE(3, 3): the three unit columns, BASE(:, 3) = V / |V|.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: EPS exceeds every |V(i)|: V is too short.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports its code through aermsg on every exit, 0 included.
 */
VCBM_API void scbase(const double* V, const double* EPS, double* BASE, int* IER);

VCBM_END_DECLS

#endif
