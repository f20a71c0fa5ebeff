// Shared pieces of the curve/curve intersection family: the planar curve
// with its derivative, the tolerances read once per call, the solution list,
// the planar Newton iteration, the end-point treatment, the oriented boxes
// and tangent cones of control polygons, and the planar driver's entry for
// the space-curve and line/curve solvers.
#pragma once

#include <cmath>

#include "frame/frame.hpp"

namespace vcbm::cc {

inline constexpr int kMaxCoef = 21;         // coefficients of a curve
inline constexpr int kMaxLevel = 31;        // subdivision depth
inline constexpr long kMaxSplits = 1L << 14;  // pairs split in one planar solve
// Newton steps of one planar solve. On arcs that overlap, the subdivision
// runs to kMaxSplits and many small pairs end in a Newton solve of up to 17
// starts of NITNR steps; with EPSNR and EPSPB at or below zero every solve
// runs to its limit, and a large NITNR made one call last hours. Past this
// bound the solve stops like the split bound, as a failure inside; no result
// of the tests or of the fuzz corpora changed with it.
inline constexpr long kMaxNewtonSteps = 1L << 22;
inline constexpr int kLevelReals = 84;      // polygon storage per curve and level: two halves of 21 points
inline constexpr double kDefaultEps = 1e-6; // subdivision resolution handed down by umcvcv
inline constexpr double kEndEps = 0.001;    // resolution and inward move of the end-point treatment

// The tolerances the family reads, taken from the block once per call.
struct Tols {
    double eps1 = 0, eps1sq = 0, epsnr = 0, epspb = 0, epspb2 = 0;
    int nitnr = 0;
};
Tols read_tols() noexcept;

// A planar curve in canonical form with its derivative curve, both with
// leading dimension 2; the derivative has max(n-1, 1) coefficients.
struct Curve2 {
    int n = 0, nd = 0;
    double c[2 * kMaxCoef];
    double d[2 * kMaxCoef];
};
// Copies COEF(2, N) (1 <= N <= 21) and forms the derivative.
void set_curve(Curve2& cv, int n, const double* coef) noexcept;

inline void horner2(int n, const double* c, double t, double& x, double& y) noexcept {
    const double* p = c + 2 * (n - 1);
    double sx = p[0], sy = p[1];
    for (int j = n - 2; j >= 0; --j) {
        p -= 2;
        sx = sx * t + p[0];
        sy = sy * t + p[1];
    }
    x = sx;
    y = sy;
}
inline double horner1(int n, const double* c, double t) noexcept {
    double s = c[n - 1];
    for (int j = n - 2; j >= 0; --j) s = s * t + c[j];
    return s;
}
inline void point(const Curve2& cv, double t, double* p) noexcept { horner2(cv.n, cv.c, t, p[0], p[1]); }
inline void deriv(const Curve2& cv, double t, double* p) noexcept { horner2(cv.nd, cv.d, t, p[0], p[1]); }

// Inserts X(NDIM) into SOL(NDIM, NMAX), sorted on the first component,
// unless an entry equals it within EPS in every component. Returns 1 (after
// the failure report under UADSOL) when the list is full, else 0.
int add_solution(int ndim, const double* x, double eps, int nmax, int& nsol, double* sol) noexcept;

// The planar Newton iteration on C1(t1) = C2(t2) with its restarts, the
// pair (T1, T2) in and out. Codes 0, -1, -2, 1 as the exported uncvcv.
// With BUDGET, every step takes one from *budget, and the iteration ends as
// unconverged once it is below zero.
int newton(const Curve2& c1, const Curve2& c2, double a1, double b1, double a2, double b2, double& t1,
           double& t2, const Tols& tol, long* budget = nullptr) noexcept;
// The same under the frame of UNCVCV (its entry trace), for the callers
// inside the family: a failed iteration is an expected outcome there and is
// not reported.
int newton_traced(TraceLevel level, const Curve2& c1, const Curve2& c2, double a1, double b1, double a2, double b2,
                  double& t1, double& t2, const Tols& tol, long* budget = nullptr) noexcept;

// Where the solver puts the pairs it finds.
struct SolutionList {
    int nmax;
    int* nsol;
    double* sol;  // SOL(2, NMAX)
    // Inserts (t1, t2) at resolution EPS; false when the list is full.
    bool add(double t1, double t2, double eps) noexcept {
        const double x[2] = {t1, t2};
        return add_solution(2, x, eps, nmax, *nsol, sol) == 0;
    }
};

// End points (uecvcv): pairs of ends that meet tangentially (or where a
// tangent vanishes) are inserted at resolution 0.001 and the ends involved
// moved 0.001 into their intervals. Returns 1 when the list is full, else 0;
// MOVED tells whether an end was moved.
int end_points(const Curve2& c1, double& a1, double& b1, const Curve2& c2, double& a2, double& b2,
               SolutionList& list, const Tols& tol, bool& moved) noexcept;

// Oriented box of a planar polygon (ufnbox): origin O, unit axes U (along
// the chord) and V (its normal), and the extreme projections of the points
// on both axes relative to O.
struct Box {
    double o[2], u[2], v[2];
    double lo[2], hi[2];
};
void oriented_box(int n, const double* poly, Box& box) noexcept;
// Whether two oriented boxes, each widened by MARGIN, do not overlap (uibxbx).
bool boxes_disjoint(const Box& a, const Box& b, double margin) noexcept;
// Whether the segments [P1, P2] and [Q1, Q2] meet (uinseg).
bool segments_meet(const double* p1, const double* p2, const double* q1, const double* q2) noexcept;

// The cone of tangent directions of a polygon piece (uextjb): directions
// from START (radians) over WIDTH, as lines (modulo pi). PROPER is false
// when the legs do not lie within 90 degrees of the chord.
struct Cone {
    bool proper = false;
    double start = 0, width = 0;
};
Cone tangent_cone(int n, const double* poly) noexcept;
// Whether two proper cones share no direction modulo pi: the two pieces
// then meet at most once.
bool cones_disjoint(const Cone& a, const Cone& b) noexcept;

// A direction (radians) between two disjoint cones, that neither holds;
// false when the cones are not disjoint.
bool cone_gap(const Cone& a, const Cone& b, double& angle) noexcept;

// The line through P along D (unit) against the curve piece [A, B] of CV,
// on the bracketing solver (ucrbpt). Returns true with T when the piece
// meets the line, or when an end of the piece is within EPS1 of it.
bool crossing_with_line(const Curve2& cv, double a, double b, const double* p, const double* d, const Tols& tol,
                        double& t) noexcept;

// A tangential contact is a band of parameters along which the curves stay
// within EPS1 of each other, and the pieces of the band each leave a pair in
// the list. Neighbours in the list (sorted on t1) closer than 1000 EPS in
// both parameters whose midpoint pair still coincides (within 2 EPS1) are
// one contact: the run keeps its pair of smallest gap. Two distinct
// crossings fail the midpoint test unless they are within EPS1 of each other.
void merge_contacts(const Curve2& c1, const Curve2& c2, SolutionList& list, double eps, const Tols& tol) noexcept;

// Whether (T1, T2) lies on a contact already in the list: an entry closer
// than 1000 EPS in both parameters with the curves coinciding (within
// 2 EPS1) at the midpoint pair. Such a pair is settled without a solve.
bool on_known_contact(const Curve2& c1, const Curve2& c2, const SolutionList& list, double eps, const Tols& tol,
                      double t1, double t2) noexcept;

// At a tangential contact the Newton iteration on C1 = C2 stalls (its
// Jacobian vanishes there). The contact is instead the solution of
// (C1 - C2) . C2' = 0 and C1' x C2' = 0, which is regular when the curves'
// curvatures differ: a Newton iteration on that system from (T1, T2),
// accepted when it converges within [LO, HI] of both parameters to a pair
// whose gap is at most EPS1.
bool refine_contact(const Curve2& c1, const Curve2& c2, const Tols& tol, double lo1, double hi1, double lo2,
                    double hi2, double& t1, double& t2) noexcept;

// The planar driver (urcvcv) on prepared arguments: ICONV and the caller's
// polygons as urcvcv takes them, intervals in either order; IER receives
// urcvcv's code.
void planar_driver(TraceLevel level, int iconv, int n1, const double* coef1, double* polyg1, double ta1, double tb1,
                   int n2, const double* coef2, double* polyg2, double ta2, double tb2, double eps, int nmax,
                   int& nsol, double* sol, int& ier) noexcept;

}  // namespace vcbm::cc
