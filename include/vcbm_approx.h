/* Approximation by polynomial curves; principal axes and boxes of curves. */
#ifndef VCBM_APPROX_H
#define VCBM_APPROX_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Function approximation ---- */

/* ---- Principal axes and boxes of curves ---- */

/**
 * @brief Barycentre, inertia matrix and principal axes of a set of curves in Legendre form.
 *
 * The inertia matrix is the second moment about the barycentre integrated over the parameter
 * interval [-1, 1] and averaged over the curves:
 * INER(a, b) = (sum over c, m of L(m+1, a, c) L(m+1, b, c) 2/(2m+1)) / NCURVE - 2 G(a) G(b).
 * Its eigenproblem is solved by vpvpsy at EPSPB (mveps3), and once more at 1e6 EPSPB when that
 * fails. Negative eigenvalues (rounding) are set to 0.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least every NCOEF(c).
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  L       double L(NCMAX, NDIM, NCURVE): L(n, k, c) the coefficient of the Legendre
 *                     polynomial of degree n-1 (P(1) = 1) in component k of curve c, u in [-1, 1].
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[out] INER    double INER(NDIM, NDIM): receives the inertia matrix, then holds what the
 *                     eigensolver leaves of it.
 * @param[out] G       double G(NDIM): the barycentre (mean of the constant coefficients).
 * @param[out] V       double V(NDIM, NDIM): the principal axes, unit columns matching D.
 * @param[out] D       double D(NDIM): the eigenvalues, decreasing, none below 0.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the eigenproblem failed twice (also when EPSPB is not positive).
 *   - 3: NDIM < 1, NCURVE < 1 or some NCOEF(c) outside 1..NCMAX; nothing is written.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr3(const int* NCMAX, const int* NDIM, const int* NCURVE, const double* L, const int* NCOEF,
                     double* INER, double* G, double* V, double* D, int* IER);

/**
 * @brief Oriented box of a set of curves in Legendre form: barycentre, principal axes, half-lengths.
 *
 * The axes come from mblcr3. Along axis i the half-length bounds every curve on [-1, 1]:
 * EXT(i) = max over c of |V(., i) . (L(1, ., c) - G)| + sum over n >= 2 of |V(., i) . L(n, ., c)|,
 * since |P_n| <= 1. The half-lengths are then put in decreasing order with their axes (equal ones
 * keep their places). The box is {G + sum of s_i V(., i) : |s_i| <= EXT(i)}.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least every NCOEF(c).
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  L       double L(NCMAX, NDIM, NCURVE): Legendre coefficients as for mblcr3.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[out] G       double G(NDIM): the centre of the box, the barycentre of the curves.
 * @param[out] V       double V(NDIM, NDIM): the axes of the box, unit columns matching EXT.
 * @param[out] EXT     double EXT(NDIM): the half-lengths, longest first.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the work-space request was refused.
 *   - 2: the principal axes failed (mblcr3).
 *   - 3: NDIM < 1, NCURVE < 1 or some NCOEF(c) outside 1..NCMAX; nothing is written.
 * @par Work space
 *   One request of NDIM*NDIM + NDIM reals when NDIM >= 4; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr2(const int* NCMAX, const int* NDIM, const int* NCURVE, const double* L, const int* NCOEF,
                     double* G, double* V, double* EXT, int* IER);

/**
 * @brief Oriented box of a set of curves given by canonical coefficients on [-1, 1].
 *
 * Each component of each curve is converted to Legendre form (mcvlgd) in a work area, then mblcr2
 * makes the box. The box encloses every curve for u in [-1, 1].
 *
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCMAX   int: coefficient columns per curve block, 1 to 61.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  CRV     double CRV(NDIM, NCMAX, NCURVE): CRV(k, j, c) the coefficient of u^(j-1) in
 *                     component k of curve c; columns past NCOEF(c) are not read.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[out] G       double G(NDIM): the centre of the box.
 * @param[out] V       double V(NDIM, NDIM): the axes, unit columns matching EXT.
 * @param[out] EXT     double EXT(NDIM): the half-lengths, longest first.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the work-space request was refused.
 *   - 2: mblcr2 failed.
 *   - 3: NDIM < 1, NCURVE < 1, NCMAX > 61 or some NCOEF(c) outside 1..NCMAX; nothing is written.
 * @par Work space
 *   One request of NCMAX*(NDIM*NCURVE + 1) reals when that exceeds 512; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr1(const int* NDIM, const int* NCMAX, const int* NCURVE, const double* CRV, const int* NCOEF,
                     double* G, double* V, double* EXT, int* IER);

/**
 * @brief Principal axes or oriented box of curves given on any parameter interval, as a direct frame.
 *
 * The curves are re-expressed on [-1, 1] (mfmcb2) and converted to Legendre form (mcvlgd). An even
 * IOPT gives the principal axes only (mblcr3): EXT then receives the eigenvalues of the inertia
 * matrix, decreasing. An odd IOPT gives the full box (mblcr2). Then the frame is made direct: in 3
 * dimensions the third axis is reversed when the triple product of the axes is negative, in 2
 * dimensions the second axis when their determinant is negative.
 *
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCMAX   int: coefficient columns per curve block, 1 to 61.
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  CRV     double CRV(NDIM, NCMAX, NCURVE): CRV(k, j, c) the coefficient of t^(j-1) in
 *                     component k of curve c; columns past NCOEF(c) are not read.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to NCMAX.
 * @param[in]  TINT    double TINT(2): the parameter interval of every curve (TINT(1) may exceed
 *                     TINT(2)); the box encloses the arcs over it.
 * @param[in]  IOPT    int: even: axes only; odd: the box.
 * @param[out] G       double G(NDIM): the barycentre, centre of the box.
 * @param[out] V       double V(NDIM, NDIM): the axes, unit columns, a direct frame in 2 and 3D.
 * @param[out] EXT     double EXT(NDIM): the half-lengths, longest first (odd IOPT), or the
 *                     eigenvalues, decreasing (even IOPT).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the work-space request was refused.
 *   - 2: the axes or the box failed (mblcr3 or mblcr2).
 *   - 3: NDIM < 1, NCURVE < 1, NCMAX > 61, some NCOEF(c) outside 1..NCMAX, or the change of
 *        interval failed; nothing meaningful is written.
 *   - 200: the work space could not be released (the results are complete).
 * @par Work space
 *   One request of NCMAX*(NDIM*NCURVE + 1) reals, plus NDIM*NDIM for the axes only, when that
 *   exceeds 512; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblcr4(const int* NDIM, const int* NCMAX, const int* NCURVE, const double* CRV, const int* NCOEF,
                     const double* TINT, const int* IOPT, double* G, double* V, double* EXT, int* IER);

/**
 * @brief Barycentre, inertia matrix and principal axes of a 3D patch in Legendre form.
 *
 * As mblcr3 over the square [-1, 1]^2: the weight of the coefficient of P_i(u) P_j(v) is
 * 2/(2i+1) 2/(2j+1), the barycentre is the constant coefficient and the correction is
 * -4 G(a) G(b). The eigenproblem is solved once, at EPSPB; negative eigenvalues are set to 0.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, at least 1.
 * @param[in]  NCOEFV  int: number of coefficients in v, at least 1.
 * @param[in]  L       double L(NCMAX, NCOEFV, 3): L(i, j, k) the coefficient of P_(i-1)(u) P_(j-1)(v)
 *                     in component k (the layout of mpclgd with NCMAX = NCOEFU).
 * @param[out] INER    double INER(3, 3): receives the inertia matrix, then what the eigensolver
 *                     leaves of it.
 * @param[out] G       double G(3): the barycentre.
 * @param[out] V       double V(3, 3): the principal axes, unit columns matching D.
 * @param[out] D       double D(3): the eigenvalues, decreasing, none below 0.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU outside 1..NCMAX or NCOEFV < 1; nothing is written.
 *   - 2: the eigenproblem failed (also when EPSPB is not positive).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry and exit lines. At level 1 and above, on the print unit of nfnimp:
 *   "MBLSR3 : Valeurs propres :", a line of the three eigenvalues, "MBLSR3 : Vecteurs propres :"
 *   and one line per eigenvector, every value in a 22-character field. Reports positive codes
 *   through aermsg.
 */
VCBM_API void mblsr3(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* L, double* INER,
                     double* G, double* V, double* D, int* IER);

/**
 * @brief Oriented box of a 3D patch in Legendre form, as a direct frame.
 *
 * The axes come from mblsr3. EXT(i) is the sum over every coefficient but the constant one of
 * |V(., i) . L(a, b, .)|, a bound of the patch over [-1, 1]^2; the half-lengths are ordered
 * longest first with their axes, and the third axis is reversed when the frame is not direct.
 *
 * @param[in]  NCMAX   int: leading dimension of L, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of coefficients in u, at least 1.
 * @param[in]  NCOEFV  int: number of coefficients in v, at least 1.
 * @param[in]  L       double L(NCMAX, NCOEFV, 3): the Legendre coefficients as for mblsr3.
 * @param[out] G       double G(3): the centre of the box.
 * @param[out] V       double V(3, 3): the axes, unit columns forming a direct frame.
 * @param[out] EXT     double EXT(3): the half-lengths, longest first.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NCOEFU outside 1..NCMAX or NCOEFV < 1; nothing is written.
 *   - 2: the principal axes failed (mblsr3).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry and exit lines, and the lines of mblsr3. Reports positive codes through
 *   aermsg.
 */
VCBM_API void mblsr2(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* L, double* G, double* V,
                     double* EXT, int* IER);

/**
 * @brief Axis-aligned box of a curve from its coefficient vectors (in practice its control points).
 *
 * MODE 1: the componentwise minimum and maximum of the NCOEF vectors, which encloses a curve whose
 * control points they are. MODE 2: each component's polygon is split at its middle (mlmpna) and
 * the box is the union of the boxes of the two halves, a tighter enclosure of the same curve.
 * A NaN coordinate makes both bounds of its component NaN.
 *
 * @param[in]  CRV    double CRV(NDIM, NCOEF): the coefficient vectors.
 * @param[in]  NDIM   int: number of components, at least 1.
 * @param[in]  NCOEF  int: number of vectors, at least 1.
 * @param[in]  MODE   int: 1 or 2, as above.
 * @param[out] BOX    double BOX(2, NDIM): BOX(1, k) the minimum and BOX(2, k) the maximum of
 *                    component k.
 * @param[out] IER    int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM < 1 or NCOEF < 1; nothing is written.
 *   - 2: MODE is neither 1 nor 2; nothing is written.
 *   - 10: the work-space request was refused.
 * @par Work space
 *   One request of NDIM*NCOEF reals (MODE 1), NDIM*NCOEF + NCOEF*NCOEF + 2*NCOEF (MODE 2), when
 *   that exceeds 4096; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblbe0(const double* CRV, const int* NDIM, const int* NCOEF, const int* MODE, double* BOX, int* IER);

/**
 * @brief Axis-aligned box of a patch from its coefficient vectors (in practice its control net).
 *
 * MODE 1: the componentwise minimum and maximum of the NCOEFU*NCOEFV vectors. MODE 2: the net is
 * split at the middle of u (mlmkab) and the box is the union of the boxes of the two halves.
 *
 * @param[in]  NET     double NET(NDIM, NCMAX, NCOEFV): NET(k, i, j) component k of vector (i, j).
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCMAX   int: second dimension of NET, at least NCOEFU.
 * @param[in]  NCOEFU  int: number of vectors along u, at least 1.
 * @param[in]  NCOEFV  int: number of vectors along v, at least 1.
 * @param[in]  MODE    int: 1 or 2, as above.
 * @param[out] BOX     double BOX(2, NDIM): minimum and maximum of each component.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: NDIM, NCOEFU or NCOEFV below 1, or NCOEFU > NCMAX; nothing is written.
 *   - 2: MODE is neither 1 nor 2; nothing is written.
 *   - 10: the work-space request was refused.
 * @par Work space
 *   One request of N = NDIM*NCOEFU*NCOEFV reals (MODE 1), 3N + NCOEFU*NCOEFU (MODE 2), when that
 *   exceeds 4096; none otherwise.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mblbe1(const double* NET, const int* NDIM, const int* NCMAX, const int* NCOEFU, const int* NCOEFV,
                     const int* MODE, double* BOX, int* IER);

/**
 * @brief Componentwise minimum and/or maximum of a set of points stored one component per column.
 *
 * A NaN coordinate makes both results of its component NaN. MODE outside 1..3 or NPTS < 1 writes
 * nothing.
 *
 * @param[in]  MODE  int: 1 the minima, 2 the maxima, 3 both.
 * @param[in]  NDIM  int: number of components.
 * @param[in]  NPTS  int: number of points.
 * @param[in]  PTS   double PTS(NPTS, NDIM): PTS(i, k) component k of point i.
 * @param[out] VMIN  double VMIN(NDIM): the minima (MODE 1 or 3; not written otherwise).
 * @param[out] VMAX  double VMAX(NDIM): the maxima (MODE 2 or 3; not written otherwise).
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void sminmx(const int* MODE, const int* NDIM, const int* NPTS, const double* PTS, double* VMIN,
                     double* VMAX);

/**
 * @brief Whether a set of space curves lies in a plane within a tolerance, and the plane's normal.
 *
 * The curves are taken on u in [-1, 1] and boxed by mblcr1; the normal is the axis of the shortest
 * half-length EXT(3). The set is planar when EXT(3) < TOL; when moreover TOL >= EXT(2) the curves
 * lie within TOL of a line and no plane is defined (code 20).
 *
 * @param[in]  NCURVE  int: number of curves, at least 1.
 * @param[in]  NCOEF   int NCOEF(NCURVE): number of coefficients of each curve, 1 to 61.
 * @param[in]  CRV     double CRV(3, *): the coefficient columns of the curves one after the other,
 *                     NCOEF(c) columns of 3 reals for curve c, column j of t^(j-1), t in [-1, 1].
 * @param[in]  TOL     double: the planarity tolerance, a distance (a NaN gives "not planar").
 * @param[out] PLANAR  int: 1 when the set is planar, 0 otherwise (0 with codes 20 and above).
 * @param[out] G       double G(3): the barycentre of the curves, a point of the plane.
 * @param[out] DIR     double DIR(3): the unit normal of the plane (the axis of least extent).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (PLANAR says the verdict).
 *   - 1: the work-space request was refused.
 *   - 2: the box failed (mblcr1).
 *   - 3: NCURVE < 1 or some NCOEF(c) outside 1..61; nothing is written.
 *   - 20: the curves lie within TOL of a line: no plane is defined (G and DIR are written).
 * @par Work space
 *   One request of 3*NCURVE*max(NCOEF) reals when that exceeds 256, and those of mblcr1.
 * @par Trace
 *   Threshold 1, entry and exit lines. Reports positive codes through aermsg.
 */
VCBM_API void mvdrpn(const int* NCURVE, const int* NCOEF, const double* CRV, const double* TOL, int* PLANAR, double* G,
                     double* DIR, int* IER);

/* ---- Curve-on-surface approximation ---- */

VCBM_END_DECLS

#endif
