/* Intersections and point classification. */
#ifndef VCBM_INTERSECT_H
#define VCBM_INTERSECT_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curve/curve intersection ---- */

/**
 * @brief Intersections of two polynomial curves, in the plane or in space.
 *
 * Option 1 finds every parameter pair (t1, t2) at which the curves meet: both
 * control polygons are subdivided together, pairs of pieces whose polygons
 * cannot meet are dropped, pairs that can meet once at most are solved by a
 * Newton iteration, and the rest are split further. Option 2 refines one
 * intersection by a Newton iteration from the start pair (SOL(1), SOL(2)).
 * Space curves are solved through a plane (ur3dcv, un3dcv). A tangential contact is reported once,
 * at the point where the tangents are parallel. Reads EPS1, EPSNR, EPSPB, EPSPB2 and NITNR of the
 * tolerance block.
 *
 * @param[in]  NDIM     int: dimension, 2 or 3.
 * @param[in]  NCOEF1   int: number of coefficients of curve 1, 2 to 21.
 * @param[in]  COEF1    double COEF1(NDIM, NCOEF1): curve 1, canonical form.
 * @param[in]  TA1      double: one end of the interval of curve 1 (either order).
 * @param[in]  TB1      double: the other end.
 * @param[in]  NCOEF2   int: number of coefficients of curve 2, 2 to 21.
 * @param[in]  COEF2    double COEF2(NDIM, NCOEF2): curve 2, canonical form.
 * @param[in]  TA2      double: one end of the interval of curve 2 (either order).
 * @param[in]  TB2      double: the other end.
 * @param[in]  IOPT     int: 1 all intersections; 2 one intersection from the start pair in SOL.
 * @param[in]  NSOLMAX  int: capacity of SOL in pairs (below 1: nothing is written to SOL).
 * @param[out] NSOL     int: number of pairs found.
 * @param[in,out] SOL   double SOL(2, NSOLMAX): option 2 reads the start pair in SOL(1), SOL(2);
 *                      on exit SOL(., 1..NSOL) hold the pairs (t1, t2), ascending in t1.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (NSOL may be 0; in option 2 a failed iteration in the plane gives NSOL = 0).
 *   - -1: the two curves are identical (same count after dropping zero trailing coefficients,
 *     equal coefficients); NSOL = 0.
 *   - 1: the solution list is full (the pairs found so far stay in SOL), a final solve failed, the
 *     subdivision split more than 16384 pairs (curves that overlap along an arc) or its Newton
 *     solves took more than 2^22 steps, or the work space could not be released (the pairs stay).
 *   - 2: NDIM, IOPT or a count out of range, a NaN or infinite coefficient or interval end, or a
 *     curve that reduces to a point.
 *   - 3: any other failure of the solvers (in space: a Newton result at a singular or
 *     unconverged point, the pair in SOL when the space points coincide).
 * @par Work space
 *   Through urcvcv: two requests of L x 84 reals, L the stored levels (31 at most, as udfpil
 *   grants); one level of fixed storage when refused.
 * @par Cost
 *   Bounded by 16384 splits and 2^22 Newton steps per planar solve (four planar solves in space).
 *   On arcs that overlap or nearly so, the subdivision runs to the split bound and many small pairs
 *   end in a Newton solve of up to 17 starts of NITNR steps each: with usual tolerances one call
 *   then takes at most tens of milliseconds. With EPSNR and EPSPB at or below zero, hardly a step
 *   counts as converged and hardly a determinant as zero, so the solves run to their limit and the
 *   step bound ends the call, with code 1, after a few tenths of a second.
 * @par Trace
 *   Threshold 1, entry line only. Reports positive codes through aermsg, and codes 1, 2 and 3
 *   also through germsg.
 */
VCBM_API void umcvcv(const int* NDIM, const int* NCOEF1, const double* COEF1, const double* TA1, const double* TB1,
                     const int* NCOEF2, const double* COEF2, const double* TA2, const double* TB2, const int* IOPT,
                     const int* NSOLMAX, int* NSOL, double* SOL, int* IER);

/**
 * @brief All intersections of two planar curves (the planar driver of umcvcv).
 *
 * Drops exactly-zero trailing coefficients, orders both intervals, sizes the per-level polygon
 * storage, and solves by simultaneous subdivision; a curve of two coefficients (a segment) goes to
 * the line/curve solver uadtcv. NSOL is set to 0 first.
 *
 * @param[in]  ICONV    int: 1 POLYG1 and POLYG2 hold the control polygons on the intervals and are
 *                      used as they are (when no trailing coefficient was dropped); 0 they are
 *                      computed and written.
 * @param[in]  NCOEF1   int: number of coefficients of curve 1, 1 to 21.
 * @param[in]  COEF1    double COEF1(2, NCOEF1): curve 1, canonical form.
 * @param[in,out] POLYG1 double POLYG1(2, NCOEF1): its control polygon on [TA1, TB1].
 * @param[in]  TA1      double: one end of the interval of curve 1 (either order).
 * @param[in]  TB1      double: the other end.
 * @param[in]  NCOEF2   int: number of coefficients of curve 2, 1 to 21.
 * @param[in]  COEF2    double COEF2(2, NCOEF2): curve 2, canonical form.
 * @param[in,out] POLYG2 double POLYG2(2, NCOEF2): its control polygon on [TA2, TB2].
 * @param[in]  TA2      double: one end of the interval of curve 2 (either order).
 * @param[in]  TB2      double: the other end.
 * @param[in]  EPS      double: subdivision resolution (umcvcv passes 1e-6).
 * @param[in]  NSOLMAX  int: capacity of SOL in pairs.
 * @param[out] NSOL     int: number of pairs found.
 * @param[out] SOL      double SOL(2, NSOLMAX): the pairs (t1, t2), ascending in t1.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 2: a count outside 1..21.
 *   - 10: a curve reduces to a point, or the segment's interval has zero length.
 *   - 20: the curves are identical.
 *   - 146: a curve is a segment whose direction is below the mveps3 tolerance.
 *   - -10: failure inside: the list overflowed, a final solve failed, or more than 16384 pairs were
 *     split (curves that overlap along an arc) or 2^22 Newton steps taken.
 *     Also when the work space could not be released (the pairs found are complete).
 * @par Work space
 *   Two requests of L x 84 reals, L = min(31, udfpil(31)) when L >= 2; when refused (or L < 2)
 *   one level of fixed storage is used and the deeper levels are recomputed.
 * @par Trace
 *   Threshold 1, entry line only. Reports positive codes.
 */
VCBM_API void urcvcv(const int* ICONV, const int* NCOEF1, const double* COEF1, double* POLYG1, const double* TA1,
                     const double* TB1, const int* NCOEF2, const double* COEF2, double* POLYG2, const double* TA2,
                     const double* TB2, const double* EPS, const int* NSOLMAX, int* NSOL, double* SOL, int* IER);

/**
 * @brief Planar Newton iteration for C1(T1) = C2(T2), with restarts.
 *
 * Converged when both components of C1 - C2 are within EPS1 and the step within EPSNR, at a pair
 * inside the intervals widened by EPSNR. Restarts (16 at most) around the midpoints when the
 * iterate leaves the intervals widened by 0.01, the step count exceeds NITNR or the determinant
 * is at most EPSPB.
 *
 * @param[in]  NCOEF1  int: number of coefficients of curve 1, 1 to 21.
 * @param[in]  COEF1   double COEF1(2, NCOEF1): curve 1.
 * @param[in]  NCOEF2  int: number of coefficients of curve 2, 1 to 21.
 * @param[in]  COEF2   double COEF2(2, NCOEF2): curve 2.
 * @param[in]  DCOEF1  double DCOEF1(2, max(NCOEF1-1, 1)): derivative curve of curve 1.
 * @param[in]  DCOEF2  double DCOEF2(2, max(NCOEF2-1, 1)): derivative curve of curve 2.
 * @param[in]  A1      double: start of the interval of curve 1.
 * @param[in]  B1      double: its end (B1 >= A1).
 * @param[in]  A2      double: start of the interval of curve 2.
 * @param[in]  B2      double: its end (B2 >= A2).
 * @param[in,out] T1   double: start parameter on curve 1; the result.
 * @param[in,out] T2   double: start parameter on curve 2; the result.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: converged.
 *   - -1: stopped at a singular Jacobian after meeting a coincidence point, which is returned
 *     (tangential intersection).
 *   - -2: no convergence, but a coincidence point was met; it is returned.
 *   - 1: failure (also a count outside 1..21); T1, T2 unchanged.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry line only. Reports code 1.
 */
VCBM_API void uncvcv(const int* NCOEF1, const double* COEF1, const int* NCOEF2, const double* COEF2,
                     const double* DCOEF1, const double* DCOEF2, const double* A1, const double* B1, const double* A2,
                     const double* B2, double* T1, double* T2, int* IER);

/**
 * @brief Inserts a point into a list sorted on its first component, unless it is already there.
 *
 * An entry within EPS of X in every component counts as X. The scan stops at the first entry
 * whose first component exceeds X's by more than EPS; X is inserted there.
 *
 * @param[in]  NDIM  int: components per entry (nothing is done below 1).
 * @param[in]  X     double X(NDIM): the point.
 * @param[in]  EPS   double: resolution.
 * @param[in]  NMAX  int: capacity of SOL.
 * @param[in,out] NSOL int: number of entries.
 * @param[in,out] SOL double SOL(NDIM, NMAX): the list.
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: inserted, or already present.
 *   - 1: the list is full (NSOL >= NMAX); nothing changed.
 * @par Work space
 *   None.
 * @par Trace
 *   None. Code 1 is reported through germsg.
 */
VCBM_API void uadsol(const int* NDIM, const double* X, const double* EPS, const int* NMAX, int* NSOL, double* SOL,
                     int* IER);

/**
 * @brief Whether two points coincide: 1 when their squared distance is at most EPS2, else 0.
 *
 * @param[in]  NDIM  int: dimension (0 or less: the points coincide).
 * @param[in]  P     double P(NDIM): first point.
 * @param[in]  Q     double Q(NDIM): second point.
 * @param[in]  EPS2  double: squared tolerance.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API int nfnequ(const int* NDIM, const double* P, const double* Q, const double* EPS2);

/* ---- Curve/plane intersection ---- */

/**
 * @brief Intersection of a polynomial curve on [0, 1] with a plane (a line in 2D).
 *
 * EPS1 is scaled by the speed of the curve at t = 0.48 for the duration of the call (and restored
 * on every exit). In 3D the control polygon is first tested against the plane (ckplcv). The signed
 * distance to the plane is a polynomial whose roots on [0, 1] come from ur1pls.
 *
 * @param[in]  NDIM    int: dimension, 1 or more (2: a line, 3: a plane).
 * @param[in]  NCOEF   int: number of coefficients, 1 to 41 (the limit of ur1pls).
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients on [0, 1].
 * @param[in]  PNORM   double PNORM(NDIM): the plane's normal, of any length.
 * @param[in]  PPLANE  double PPLANE(NDIM): a point of the plane.
 * @param[out] WORK    double WORK(NDIM, NCOEF): work.
 * @param[in]  TREF    double: reference parameter.
 * @param[out] TNEAR   double: the solution nearest to TREF (of two at the same distance, the
 *                     larger); TREF for codes 1, 2 and 3.
 * @param[out] NSOL    int: the number of solutions (1 for code 1; not written for codes 2 and 101).
 * @param[out] SOL     double SOL(max(NDIM, NCOEF-1)): SOL(1..NSOL), the parameters, ascending.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (NSOL may be 0).
 *   - 1: a 3D curve lying in the plane within EPS1.
 *   - 2: every parameter is a solution (the distance polynomial is zero).
 *   - 3: more roots than the degree: the list is unreliable.
 *   - 4: a coefficient, the normal or the point is not finite, or a tolerance is NaN: nothing
 *        computed.
 *   - 10: the root finder's work space was refused (or not released).
 *   - 101: the normal is zero.
 * @par Work space
 *   None itself; ur1pls requests its own.
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports every non-zero code through aermsg. From level 2 the
 *   speed line "PCVINT : Norme du vecteur derive en ! 0.48 = ...", and from level 1 a line for each
 *   failure, on the print unit.
 */
VCBM_API void pcvint(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
                     double* WORK, const double* TREF, double* TNEAR, int* NSOL, double* SOL, int* IER);

/**
 * @brief Whether every control point of a 3D curve lies within EPS1 of a plane.
 *
 * @param[in]  NDIM    int: must be 3.
 * @param[in]  NCOEF   int: number of coefficients, 1 to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): canonical coefficients on [0, 1].
 * @param[in]  PNORM   double PNORM(3): the normal, not zero.
 * @param[in]  PPLANE  double PPLANE(3): a point of the plane.
 * @param[out] POLYG   double POLYG(NDIM, NCOEF): the control polygon.
 * @param[out] IERCK   int: the verdict, see Codes.
 *
 * @par Codes
 *   - IERCK 0: the polygon lies in the plane.
 *   - IERCK 1: it does not.
 *   - IERCK 2: the normal is zero.
 *   - IERCK 3: NDIM is not 3.
 *   - IERCK 4: no control polygon (NCOEF outside 1..61).
 * @par Work space
 *   None.
 * @par Trace
 *   None: no entry or exit line, no aermsg. When the trace level is exactly 1, the failures write
 *   "MSG FROM CKPLCV:" and the reason on the print unit.
 */
VCBM_API void ckplcv(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
                     double* POLYG, int* IERCK);

/* ---- Point-in-domain classification ---- */

/**
 * @brief Classifies points of the plane against a domain bounded by polynomial curves.
 *
 * A ray from each point, cut beyond the global box of the boundary, counts its
 * crossings with the boundary curves (odd: inside), through siepfb. The boundary
 * must be closed: each end of a curve must meet another end within EPS1.
 * Reads EPS1, EPSNR and EPSPB of the tolerance block.
 *
 * @param[in]  NCMAX      int: leading size of COEFS in coefficients, at least 2.
 * @param[in]  NCURVE     int: number of boundary curves, at least 1.
 * @param[in]  COEFS      double COEFS(2, NCMAX, NCURVE): the curves, canonical form.
 * @param[in]  INTERVALS  double INTERVALS(2, NCURVE): the parameter interval of each curve.
 * @param[in]  NCOEF      int NCOEF(NCURVE): coefficients of each curve, 2 to min(NCMAX, 21).
 * @param[in]  BOXES      double BOXES(6, NCURVE): box of each curve, (Ox, Oy, Ux, Uy, Vx, Vy), the
 *                        parallelogram with corner O and edges U and V; its extent along the axes is
 *                        read as O + (Ux, Vy) for the global box.
 * @param[in]  LDPT       int: leading dimension of POINTS, at least 2.
 * @param[in]  NPOINT     int: number of points (below 1: nothing is done, IER 0).
 * @param[in]  POINTS     double POINTS(LDPT, NPOINT): the points, first two components used.
 * @param[in]  TOLREL     double: relative parameter tolerance of a crossing near a curve end or
 *                        near another crossing (which makes the ray direction unusable).
 * @param[out] RESULT     int RESULT(NPOINT): 1 inside, -1 outside, 0 on the boundary, 10 undetermined;
 *                        the points after a failed one are not written.
 * @param[out] IER        int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the classification of a point failed (siepfb code 1 or 2, a point that is not a number among
 *     others); the points after it are not classified.
 *   - 2: NCURVE < 1, LDPT < 2, NCMAX < 2, or some NCOEF(i) outside 2 to min(NCMAX, 21); nothing classified.
 *   - 3: the boundary is open: an end of a curve meets no other end within EPS1 (also for coefficients
 *     that are not numbers); nothing classified.
 * @par Work space
 *   None of its own (see umcvcv and dsptpt).
 * @par Trace
 *   Threshold 1, entry and exit lines. When the trace level is not 0, one debug line per classified
 *   point with its number ("SIEPF1 : point dans domaine, No ", "... sur frontiere ...", "... hors
 *   domaine ..."). Reports positive codes through aermsg.
 */
VCBM_API void siepf1(const int* NCMAX, const int* NCURVE, const double* COEFS, const double* INTERVALS,
                     const int* NCOEF, const double* BOXES, const int* LDPT, const int* NPOINT,
                     const double* POINTS, const double* TOLREL, int* RESULT, int* IER);

/**
 * @brief Classifies one point against a domain by counting the crossings of a turning ray.
 *
 * The ray starts at 1 degree and turns by one degree whenever siepfc finds the
 * direction unusable, up to 359 degrees; the count restarts with each direction.
 * Curves whose boxes the unbounded ray misses (sbtid1) are skipped.
 *
 * @param[in]  NCMAX      int: leading size of COEFS in coefficients.
 * @param[in]  NCURVE     int: number of boundary curves.
 * @param[in]  NCOEF      int NCOEF(NCURVE): coefficients of each curve (outside 2 to 21 the curve
 *                        makes every direction unusable).
 * @param[in]  COEFS      double COEFS(2, NCMAX, NCURVE): the curves, canonical form.
 * @param[in]  INTERVALS  double INTERVALS(2, NCURVE): the parameter interval of each curve.
 * @param[in]  BOXES      double BOXES(6, NCURVE): box of each curve, as for siepf1.
 * @param[in]  RADIUS     double: length of the ray segment; it must leave the domain.
 * @param[in]  P          double P(2): the point.
 * @param[in]  TOLREL     double: relative parameter tolerance, as for siepf1.
 * @param[out] RESULT     int: 1 inside, -1 outside, 0 on the boundary, 10 undetermined.
 * @param[out] IER        int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: the point is on the boundary (RESULT 0).
 *   - 1: a ray segment could not be formed (RADIUS not positive).
 *   - 2: no usable ray direction in 360 degrees, or P or RADIUS not a number (RESULT 10).
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines. Debug lines "SIEPFB : Le point est sur la frontiere" and
 *   "SIEPFB : Bouclage de 360 degres". Reports every non-zero code through aermsg.
 */
VCBM_API void siepfb(const int* NCMAX, const int* NCURVE, const int* NCOEF, const double* COEFS,
                     const double* INTERVALS, const double* BOXES, const double* RADIUS, const double* P,
                     const double* TOLREL, int* RESULT, int* IER);

/**
 * @brief Crossings of one ray segment with one curve, with the checks that make a ray direction unusable.
 *
 * The ray segment runs from P to P + RADIUS D; the crossings come from umcvcv and
 * are taken in ray order. A direction is unusable when a crossing lies within
 * TOLREL times the interval length of a curve end or of the next crossing, where
 * the tangent vanishes, or where the unit tangent T runs along the ray either way
 * (|1 - |T . D|| <= EPS).
 *
 * @param[in]  NCOEF     int: number of coefficients of the curve, 2 to 21.
 * @param[in]  COEF      double COEF(2, NCOEF): the curve, canonical form.
 * @param[in]  INTERVAL  double INTERVAL(2): its parameter interval [a, b].
 * @param[in]  P         double P(2): the start of the ray.
 * @param[in]  D         double D(2): the ray direction (any length).
 * @param[in]  RADIUS    double: the length of the ray segment.
 * @param[in]  TOLREL    double: relative parameter tolerance.
 * @param[in]  EPS       double: tolerance of the collinearity test.
 * @param[in]  IFLAG     int: 1 finds the crossings without the checks and counts nothing; otherwise 0.
 * @param[out] NINTER    int: number of crossings counted.
 * @param[out] XINTER    double XINTER(2, 21): XINTER(., 1..NINTER), the crossing points, in ray order.
 * @param[out] IERC      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (a curve that is a point within twice the mveps3 tolerance has no crossing).
 *   - -1: the direction is unusable, choose another (also when umcvcv fails, NCOEF outside 2 to 21).
 *   - -2: P lies on the curve (the nearest crossing is within EPSNR of the ray start, in ray parameter).
 *   - 1: the ray segment is degenerate (RADIUS or D of zero length).
 * @par Work space
 *   None of its own (see umcvcv).
 * @par Trace
 *   Threshold 2, entry and exit lines. Debug line "SIEPFC : Le point est sur la courbe"; when the
 *   trace level is not 0, the reason a direction is unusable. Reports positive codes through aermsg.
 */
VCBM_API void siepfc(const int* NCOEF, const double* COEF, const double* INTERVAL, const double* P,
                     const double* D, const double* RADIUS, const double* TOLREL, const double* EPS,
                     const int* IFLAG, int* NINTER, double* XINTER, int* IERC);

/**
 * @brief Whether the unbounded ray from P along D meets an edge of a parallelogram box.
 *
 * The edges [O, O+U], [O, O+V], [O+V, O+V+U], [O+U, O+U+V] are tested in turn with sindd1.
 *
 * @param[in]  P    double P(2): start of the ray.
 * @param[in]  D    double D(2): its direction.
 * @param[in]  BOX  double BOX(6): (Ox, Oy, Ux, Uy, Vx, Vy).
 * @param[out] HIT  int: 1 when the ray meets an edge, else 0.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry line only.
 */
VCBM_API void sbtid1(const double* P, const double* D, const double* BOX, int* HIT);

/**
 * @brief Whether the unbounded ray from P along D meets the segment from Q to Q + E.
 *
 * Parallel within EPS1 (|Dy Ex - Dx Ey|): a hit when the segment lies on the ray's line
 * within EPSNR and reaches ahead of P. Otherwise a hit when the crossing lies ahead of P
 * and on the segment, within EPSNR in both parameters.
 *
 * @param[in]  P    double P(2): start of the ray.
 * @param[in]  D    double D(2): its direction.
 * @param[in]  Q    double Q(2): start of the segment.
 * @param[in]  E    double E(2): its displacement.
 * @param[out] HIT  int: 1 on a hit, else 0.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry line only.
 */
VCBM_API void sindd1(const double* P, const double* D, const double* Q, const double* E, int* HIT);

/**
 * @brief Segment of a given length along a direction, as a degree-1 curve.
 *
 * @param[in]  NDIM    int: dimension.
 * @param[in]  P       double P(NDIM): the reference point.
 * @param[in]  DIR     double DIR(NDIM): the direction, any length (normalised here).
 * @param[in]  LENGTH  double: the length of the segment.
 * @param[in]  MODE    int: 1 centred on P; 3 from P backwards; any other value from P forwards.
 * @param[out] SEG     double SEG(NDIM, 2): start and displacement (not written on codes 1 and 2).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: LENGTH is at most the mepspb tolerance (or not a number).
 *   - 2: |DIR| is at most the mepspb tolerance (also NDIM < 1).
 * @par Work space
 *   None.
 * @par Trace
 *   No entry trace. At trace level exactly 1, the line " LNPVDL : LONGEUR NULLE" (code 1) or
 *   " LNPVDL : VECTEUR DIRECTEUR NUL" (code 2) on the print unit.
 */
VCBM_API void lnpvdl(const int* NDIM, const double* P, const double* DIR, const double* LENGTH, const int* MODE,
                     double* SEG, int* IER);

/**
 * @brief Segment between two points, as a degree-1 curve.
 *
 * @param[in]  NDIM  int: dimension.
 * @param[in]  P     double P(NDIM): the start.
 * @param[in]  Q     double Q(NDIM): the end.
 * @param[out] SEG   double SEG(NDIM, 2): SEG(., 1) = P, SEG(., 2) = Q - P (always written).
 * @param[out] IER   int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - -1: |Q - P| is at most the mepspb tolerance.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void lnptpt(const int* NDIM, const double* P, const double* Q, double* SEG, int* IER);

/**
 * @brief Distance of two points, with the overflow-resistant norm of the vector toolkit.
 *
 * @param[in]  NDIM  int: dimension (below 1: the distance is 0).
 * @param[in]  P     double P(NDIM): the first point.
 * @param[in]  Q     double Q(NDIM): the second point.
 * @param[out] DIST  double: |Q - P|.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   One request of NDIM reals when NDIM exceeds 100; when it is refused the distance is
 *   formed without storage (same value), and nothing is reported.
 * @par Trace
 *   None.
 */
VCBM_API void dsptpt(const int* NDIM, const double* P, const double* Q, double* DIST);

/* ---- Normal segments between two curves ---- */

/**
 * @brief Scalar product of two vector polynomials: OUT = sum over components of COEF(d, .) x DCOEF(d, .).
 *
 * @param[in]  NDIM    int: number of components, at least 1.
 * @param[in]  NCOEF   int: coefficients of the first polynomial, 1 to 61.
 * @param[in]  COEF    double COEF(NDIM, NCOEF): the first polynomial, canonical form.
 * @param[in]  NCOEFD  int: coefficients of the second, 1 to 61.
 * @param[in]  DCOEF   double DCOEF(NDIM, NCOEFD): the second polynomial (as a rule the derivative of the first).
 * @param[out] NOUT    int: NCOEF + NCOEFD - 1.
 * @param[out] OUT     double OUT(NOUT): the canonical coefficients of the product.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: a count out of range; nothing written.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void scavct(const int* NDIM, const int* NCOEF, const double* COEF, const int* NCOEFD, const double* DCOEF,
                     int* NOUT, double* OUT, int* IER);

/**
 * @brief Segments normal to two curves at both ends, and the one ending nearest to two reference points.
 *
 * The pairs (u, v) in [0, 1]^2 where C1(u) - C2(v) is orthogonal to C1'(u) and C2'(v)
 * (points where the curves meet included) are the common zeros of
 * F = C1' . (C1 - C2) and G = C2' . (C1 - C2), solved by mrs2d0 on the square widened
 * by EPSNR / 2 with the tolerances EPSNR and EPS1, 50 roots at most.
 *
 * @param[in]  NDIM    int: dimension, 1 to 3.
 * @param[in]  NCOEF1  int: coefficients of curve 1, 1 to 21.
 * @param[in]  COEF1   double COEF1(NDIM, NCOEF1): curve 1 on [0, 1], canonical form.
 * @param[in]  NCOEF2  int: coefficients of curve 2, 1 to 21.
 * @param[in]  COEF2   double COEF2(NDIM, NCOEF2): curve 2 on [0, 1].
 * @param[in]  P1      double P1(NDIM): reference point near which the chosen normal should start.
 * @param[in]  P2      double P2(NDIM): reference point near which it should end.
 * @param[out] NSOL    int: number of pairs kept.
 * @param[out] SOL     double SOL(2, 51): SOL(., 1..NSOL), the pairs (u, v) in the solver's order;
 *                     a parameter within EPSNR of 0 or 1 is set to it.
 * @param[out] SEG     double SEG(NDIM, 2): the chosen normal, start C1(u) and displacement C2(v) - C1(u)
 *                     (written when NSOL > 0).
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success (NSOL may be 0).
 *   - -1: the chosen segment has zero length (the curves meet there).
 *   - 1: the solver failed.
 *   - 2: the solver stopped on an unresolved box (a family of normals, a tangential contact, or
 *     the solver's work bound reached); the centre of that box is among the pairs.
 *   - 3: NDIM outside 1 to 3, or a count outside 1 to 21.
 *   - 4: scavct refused the scalar products ("LNN2CV : Probleme dans SCAVCT").
 * @par Work space
 *   Through mrs2d0.
 * @par Cost
 *   That of mrs2d0 on two nets of up to 41 x 41 coefficients: bounded by its work bound, about
 *   0.2 s at most in a release build.
 * @par Trace
 *   Not traced. Debug lines "LNN2CV : Retour MRS2D0 , IERT2" and "NROOT" with the solver's code and
 *   count, and "LNN2CV : Non convergence pour certaines racines" on its code -1. Reports every code,
 *   0 included, through aermsg.
 */
VCBM_API void lnn2cv(const int* NDIM, const int* NCOEF1, const double* COEF1, const int* NCOEF2,
                     const double* COEF2, const double* P1, const double* P2, int* NSOL, double* SOL, double* SEG,
                     int* IER);

/* ---- Line/curve and space-curve intersection ---- */

/**
 * @brief All intersections of a straight segment with a planar curve.
 *
 * The plane is turned so that the segment lies on the x-axis; the curve alone is subdivided, its
 * pieces dropped when their polygons miss the segment, solved on the bracketing solver when their
 * y polynomial is monotone, and split otherwise. Pairs meeting tangentially at the ends are
 * inserted first and the ends moved 0.001 inwards, as in umcvcv. NSOL is set to 0 first.
 *
 * @param[in]  SEG      double SEG(2, 2): the segment P + t V, P = SEG(., 1), V = SEG(., 2).
 * @param[in]  TA1      double: one end of the segment's interval (either order).
 * @param[in]  TB1      double: the other end.
 * @param[in]  NCOEF2   int: number of coefficients of the curve, 1 to 21.
 * @param[in]  COEF2    double COEF2(2, NCOEF2): the curve, canonical form.
 * @param[in]  TA2      double: one end of the curve's interval (either order).
 * @param[in]  TB2      double: the other end.
 * @param[in,out] POLYST double POLYST(84, NLEV): per-level polygon storage (scratch).
 * @param[in]  NLEV     int: levels in POLYST, at most 31 used; below 1 the routine keeps one level
 *                      of its own and recomputes the deeper ones.
 * @param[in]  EPS      double: subdivision resolution.
 * @param[in]  NSOLMAX  int: capacity of SOL in pairs.
 * @param[out] NSOL     int: number of pairs found.
 * @param[out] SOL      double SOL(2, NSOLMAX): pairs (segment parameter, curve parameter),
 *                      ascending in the first.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 2: NCOEF2 outside 1..21.
 *   - 145: TA1 = TB1.
 *   - 146: both components of V are at most the mveps3 tolerance in magnitude.
 *   - -10: failure inside: the list is full, or more than 16384 pieces were split (a curve that runs
 *     along the segment) or 2^22 Newton steps taken.
 * @par Work space
 *   None (POLYST is the caller's).
 * @par Trace
 *   Threshold 2, entry and exit lines. Reports every non-zero code, -10 included.
 */
VCBM_API void uadtcv(const double* SEG, const double* TA1, const double* TB1, const int* NCOEF2, const double* COEF2,
                     const double* TA2, const double* TB2, double* POLYST, const int* NLEV, const double* EPS,
                     const int* NSOLMAX, int* NSOL, double* SOL, int* IER);

/**
 * @brief All intersections of two space curves.
 *
 * Curves lying in one coordinate plane x_d = const (equal constant terms in d, every other
 * coefficient in d at most min(EPSPB, 1e-13)) are solved in that plane by urcvcv. Otherwise both
 * intervals are halved and each of the four pairs of halves is solved in projection (ua3dcv); at
 * most 40 pairs are kept. NSOL is set to 0 first.
 *
 * @param[in]  NCOEF1   int: number of coefficients of curve 1, 1 to 21.
 * @param[in]  COEF1    double COEF1(3, NCOEF1): curve 1.
 * @param[in]  TA1      double: one end of the interval of curve 1 (either order).
 * @param[in]  TB1      double: the other end.
 * @param[in]  NCOEF2   int: number of coefficients of curve 2, 1 to 21.
 * @param[in]  COEF2    double COEF2(3, NCOEF2): curve 2.
 * @param[in]  TA2      double: one end of the interval of curve 2 (either order).
 * @param[in]  TB2      double: the other end.
 * @param[in]  EPS      double: subdivision resolution.
 * @param[in]  NSOLMAX  int: capacity of SOL in pairs.
 * @param[out] NSOL     int: number of pairs found.
 * @param[out] SOL      double SOL(2, NSOLMAX): the pairs (t1, t2), ascending in t1.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 2: a curve reduces to a point, or a count outside 1..21.
 *   - 10: the curves are identical.
 *   - 3: the planar solve failed.
 *   - -10: the list overflowed or a failure inside (more than 16384 pairs split or 2^22 Newton steps
 *     taken in one planar solve included).
 * @par Work space
 *   Through urcvcv.
 * @par Trace
 *   No entry line. At trace level 3 and above the counts and coefficients of both curves are
 *   written through swrdbi and swrdbr (projected case). Reports positive codes.
 */
VCBM_API void ur3dcv(const int* NCOEF1, const double* COEF1, const double* TA1, const double* TB1, const int* NCOEF2,
                     const double* COEF2, const double* TA2, const double* TB2, const double* EPS,
                     const int* NSOLMAX, int* NSOL, double* SOL, int* IER);

/**
 * @brief One intersection of two space curves by a Newton iteration from (T1, T2).
 *
 * In a shared coordinate plane the planar iteration runs there; otherwise on the projections onto
 * the plane chosen as in ua3dcv, and the result counts when the space points coincide within EPS1.
 *
 * @param[in]  NCOEF1  int: number of coefficients of curve 1, 1 to 21.
 * @param[in]  COEF1   double COEF1(3, NCOEF1): curve 1.
 * @param[in]  TA1     double: one end of the interval of curve 1 (either order).
 * @param[in]  TB1     double: the other end.
 * @param[in]  NCOEF2  int: number of coefficients of curve 2, 1 to 21.
 * @param[in]  COEF2   double COEF2(3, NCOEF2): curve 2.
 * @param[in]  TA2     double: one end of the interval of curve 2 (either order).
 * @param[in]  TB2     double: the other end.
 * @param[out] NSOL    int: 1 when (T1, T2) is an intersection on exit, else 0.
 * @param[in,out] T1   double: start parameter on curve 1; the result when NSOL = 1.
 * @param[in,out] T2   double: start parameter on curve 2; the result when NSOL = 1.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0, -1, -2, 1: the code of the planar iteration (see uncvcv); 1 also when no projection plane
 *     could be formed.
 *   - 2: a curve reduces to a point, or a count outside 1..21.
 *   - 10: the curves are identical.
 * @par Work space
 *   None.
 * @par Trace
 *   None of its own. Reports positive codes.
 */
VCBM_API void un3dcv(const int* NCOEF1, const double* COEF1, const double* TA1, const double* TB1, const int* NCOEF2,
                     const double* COEF2, const double* TA2, const double* TB2, int* NSOL, double* T1, double* T2,
                     int* IER);

/**
 * @brief The projected solve of one pair of space-curve pieces; pairs are added to SOL.
 *
 * The projection normal is the cross product of the principal directions of the two polygons
 * (ufddir), else of the first direction and the line of the centres, else (1, 1, 1)/sqrt(3). The
 * planar pairs are refined in the plane of both space tangents and kept, through uadsol, where the
 * space points coincide within EPS1. NSOL is not reset.
 *
 * @param[in]  NCOEF1   int: number of coefficients of curve 1, 1 to 21.
 * @param[in]  COEF1    double COEF1(3, NCOEF1): curve 1.
 * @param[in]  DCOEF1   double DCOEF1(3, max(NCOEF1-1, 1)): its derivative curve.
 * @param[in]  POLYG1   double POLYG1(3, NCOEF1): its control polygon on [TA1, TB1].
 * @param[in]  TA1      double: start of the piece of curve 1.
 * @param[in]  TB1      double: its end.
 * @param[in]  NCOEF2   int: number of coefficients of curve 2, 1 to 21.
 * @param[in]  COEF2    double COEF2(3, NCOEF2): curve 2.
 * @param[in]  DCOEF2   double DCOEF2(3, max(NCOEF2-1, 1)): its derivative curve.
 * @param[in]  POLYG2   double POLYG2(3, NCOEF2): its control polygon on [TA2, TB2].
 * @param[in]  TA2      double: start of the piece of curve 2.
 * @param[in]  TB2      double: its end.
 * @param[in]  EPS      double: subdivision resolution.
 * @param[in]  NSOLMAX  int: capacity of SOL in pairs.
 * @param[in,out] NSOL  int: number of pairs in SOL.
 * @param[in,out] SOL   double SOL(2, NSOLMAX): the sorted list of pairs.
 * @param[out] IER      int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: no projection plane could be formed, or a count outside 1..21.
 *   - 3: the planar solve failed.
 *   - -10: the list overflowed (or the planar list of 40 pairs did).
 * @par Work space
 *   Through urcvcv.
 * @par Trace
 *   None of its own. Reports positive codes.
 */
VCBM_API void ua3dcv(const int* NCOEF1, const double* COEF1, const double* DCOEF1, const double* POLYG1,
                     const double* TA1, const double* TB1, const int* NCOEF2, const double* COEF2,
                     const double* DCOEF2, const double* POLYG2, const double* TA2, const double* TB2,
                     const double* EPS, const int* NSOLMAX, int* NSOL, double* SOL, int* IER);

/**
 * @brief Coordinates of a space curve in a frame of two vectors: COEF2(i, k) = FRAME(., i) . COEF3(., k).
 *
 * @param[in]  FRAME  double FRAME(3, 2): the two frame vectors.
 * @param[in]  NCOEF  int: number of coefficients (nothing is done below 1).
 * @param[in]  COEF3  double COEF3(3, NCOEF): the space curve (or polygon).
 * @param[out] COEF2  double COEF2(2, NCOEF): its planar coordinates.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void upjcrb(const double* FRAME, const int* NCOEF, const double* COEF3, double* COEF2);

/**
 * @brief Centre and principal direction of the points of a control polygon.
 *
 * CENTRE is the mean of the points, DIR the unit eigenvector of the largest eigenvalue of their
 * scatter about the centre (symmetric eigenproblem by vpvpsy).
 *
 * @param[in]  NDIM    int: dimension, 1 to 3 (nothing is done otherwise).
 * @param[in]  NCOEF   int: number of points (nothing is done below 1).
 * @param[in]  POLYG   double POLYG(NDIM, NCOEF): the points.
 * @param[out] CENTRE  double CENTRE(NDIM): their mean.
 * @param[out] DIR     double DIR(NDIM): the principal direction.
 * @par Work space
 *   None.
 * @par Trace
 *   None of its own (vpvpsy traces at level 2).
 */
VCBM_API void ufddir(const int* NDIM, const int* NCOEF, const double* POLYG, double* CENTRE, double* DIR);

VCBM_END_DECLS

#endif
