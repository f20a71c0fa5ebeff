/* Differential geometry of curves and patches. */
#ifndef VCBM_DIFFGEOM_H
#define VCBM_DIFFGEOM_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curvature ---- */

/* ---- Frenet frame ---- */

/* ---- Tangents and principal normals ---- */

/* ---- Arc length and positioning ---- */

/* ---- Point projection onto a curve ---- */

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
 * (vnitvt) and the sine of the angle of Su and Sv above EPS) the normal is (Su x Sv)/|Su x Sv|.
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
 *   of a singular point are reported by vnitvt (code -1).
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

VCBM_END_DECLS

#endif
