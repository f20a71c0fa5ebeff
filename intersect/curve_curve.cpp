// Intersection of two polynomial curves in the plane: the entry umcvcv, the
// planar driver urcvcv with its layers, the Newton iteration uncvcv, the
// solution list uadsol and the point test nfnequ.
//
// The planar solve subdivides both curves at once. A pair of pieces is
// dropped when the control polygons show that the pieces cannot meet (axis
// ranges, then oriented boxes); it is solved directly when the tangent
// cones of the two pieces are disjoint, which leaves room for one crossing
// at most; otherwise it is split into its four half-pairs. Pairs too small
// to split further are finished by the Newton iteration. The halves'
// polygons of each level are kept in per-level storage requested by the
// driver; below the stored levels they are recomputed from the curve.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "intersect/curve_curve.hpp"
#include "vcbm_intersect.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace vcbm::cc {

Tols read_tols() noexcept {
    Tols t;
    t.eps1 = tol::eps1();
    t.eps1sq = t.eps1 * t.eps1;
    t.epsnr = tol::epsnr();
    t.epspb = tol::epspb();
    t.epspb2 = tol::epspb2();
    t.nitnr = tol::nitnr();
    return t;
}

void set_curve(Curve2& cv, int n, const double* coef) noexcept {
    cv.n = n;
    for (int k = 0; k < 2 * n; ++k) cv.c[k] = coef[k];
    if (n < 2) {
        cv.nd = 1;
        cv.d[0] = cv.d[1] = 0.0;
        return;
    }
    cv.nd = n - 1;
    for (int j = 1; j < n; ++j) {
        cv.d[2 * (j - 1)] = j * coef[2 * j];
        cv.d[2 * (j - 1) + 1] = j * coef[2 * j + 1];
    }
}

int add_solution(int ndim, const double* x, double eps, int nmax, int& nsol, double* sol) noexcept {
    auto s = mat(sol, ndim);
    int pos = nsol + 1;
    for (int k = 1; k <= nsol; ++k) {
        bool same = true;
        for (int d = 1; d <= ndim && same; ++d) same = std::fabs(s(d, k) - x[d - 1]) <= eps;
        if (same) return 0;
        if (s(1, k) - x[0] > eps) {
            pos = k;
            break;
        }
    }
    if (nsol >= nmax) {
        static constexpr auto R = routine("UADSOL");
        report_failure(R);
        return 1;
    }
    for (int k = nsol; k >= pos; --k)
        for (int d = 1; d <= ndim; ++d) s(d, k + 1) = s(d, k);
    for (int d = 1; d <= ndim; ++d) s(d, pos) = x[d - 1];
    ++nsol;
    return 0;
}

// ---- Newton iteration (uncvcv) -------------------------------------------------

int newton(const Curve2& c1, const Curve2& c2, double a1, double b1, double a2, double b2, double& t1,
           double& t2, const Tols& tol, long* budget) noexcept {
    // Restart directions, each used with steps of a sixth, then of a third,
    // of the interval lengths around the midpoints.
    static constexpr int kDir[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    const double m1 = (a1 + b1) / 2, m2 = (a2 + b2) / 2;
    const double lo1 = a1 - tol.epsnr, hi1 = b1 + tol.epsnr, lo2 = a2 - tol.epsnr, hi2 = b2 + tol.epsnr;
    bool met = false;
    double h1 = 0, h2 = 0;
    double x1 = t1, x2 = t2;
    bool spent = false;
    for (int restart = 0; restart <= 16 && !spent; ++restart) {
        if (restart > 0) {
            const int k = (restart - 1) % 8;
            const double f = restart <= 8 ? 1.0 / 6.0 : 1.0 / 3.0;
            x1 = m1 + kDir[k][0] * (b1 - a1) * f;
            x2 = m2 + kDir[k][1] * (b2 - a2) * f;
        }
        for (int step = 1;; ++step) {
            if (budget != nullptr && --*budget < 0) {
                spent = true;
                break;
            }
            double p[2], q[2], u[2], v[2];
            point(c1, x1, p);
            point(c2, x2, q);
            deriv(c1, x1, u);
            deriv(c2, x2, v);
            const double fx = p[0] - q[0], fy = p[1] - q[1];
            const bool small = std::fabs(fx) <= tol.eps1 && std::fabs(fy) <= tol.eps1;
            const bool inside = x1 >= lo1 && x1 <= hi1 && x2 >= lo2 && x2 <= hi2;
            if (small && inside && !met) {
                met = true;
                h1 = x1;
                h2 = x2;
            }
            const double det = v[0] * u[1] - u[0] * v[1];
            if (!(std::fabs(det) > tol.epspb)) {
                if (met) {
                    t1 = h1;
                    t2 = h2;
                    return -1;
                }
                break;
            }
            const double d1 = (v[0] * fy - v[1] * fx) / det;
            const double d2 = (u[0] * fy - u[1] * fx) / det;
            x1 -= d1;
            x2 -= d2;
            if (small && std::fabs(d1) <= tol.epsnr && std::fabs(d2) <= tol.epsnr) {
                if (x1 >= lo1 && x1 <= hi1 && x2 >= lo2 && x2 <= hi2) {
                    t1 = x1;
                    t2 = x2;
                    return 0;
                }
                break;
            }
            if (!(x1 >= a1 - 0.01 && x1 <= b1 + 0.01 && x2 >= a2 - 0.01 && x2 <= b2 + 0.01) || step >= tol.nitnr)
                break;
        }
    }
    if (met) {
        t1 = h1;
        t2 = h2;
        return -2;
    }
    return 1;
}

int newton_traced(TraceLevel level, const Curve2& c1, const Curve2& c2, double a1, double b1, double a2,
                  double b2, double& t1, double& t2, const Tols& tol, long* budget) noexcept {
    static constexpr auto R = routine("UNCVCV");
    int quiet = 0;  // the frame's code stays 0: nothing is reported
    Frame f(R, quiet, level);
    return newton(c1, c2, a1, b1, a2, b2, t1, t2, tol, budget);
}

// ---- End points (uecvcv) ---------------------------------------------------------

namespace {

// Unit tangent of CV at T; false when the derivative vanishes.
bool unit_tangent(const Curve2& cv, double t, double* u) noexcept {
    deriv(cv, t, u);
    const double len = std::hypot(u[0], u[1]);
    if (!(len > 0.0)) return false;
    u[0] /= len;
    u[1] /= len;
    return true;
}

// Moves an end by the end-point step into its interval [A, B], or by a
// quarter of the interval when it is shorter than two steps.
double inward(double a, double b) noexcept {
    const double len = b - a;
    return len > 2 * kEndEps ? kEndEps : len / 4;
}

}  // namespace

int end_points(const Curve2& c1, double& a1, double& b1, const Curve2& c2, double& a2, double& b2,
               SolutionList& list, const Tols& tol, bool& moved) noexcept {
    moved = false;
    const double e1[2] = {a1, b1}, e2[2] = {a2, b2};
    bool move1[2] = {false, false}, move2[2] = {false, false};
    for (int i = 0; i < 2; ++i) {
        double p[2];
        point(c1, e1[i], p);
        for (int j = 0; j < 2; ++j) {
            double q[2];
            point(c2, e2[j], q);
            const int two = 2;
            if (nfnequ(&two, p, q, &tol.eps1sq) != 1) continue;
            double u[2], v[2];
            const bool tangents = unit_tangent(c1, e1[i], u) && unit_tangent(c2, e2[j], v);
            if (tangents && std::fabs(u[0] * v[1] - u[1] * v[0]) > tol.epspb2) continue;  // transversal
            if (!list.add(e1[i], e2[j], kEndEps)) return 1;
            move1[i] = move2[j] = true;
        }
    }
    const double s1 = inward(a1, b1), s2 = inward(a2, b2);
    if (move1[0]) a1 += s1;
    if (move1[1]) b1 -= s1;
    if (move2[0]) a2 += s2;
    if (move2[1]) b2 -= s2;
    moved = move1[0] || move1[1] || move2[0] || move2[1];
    return 0;
}

// ---- Boxes, segments and cones of polygons ------------------------------------------

void oriented_box(int n, const double* poly, Box& box) noexcept {
    const double* first = poly;
    const double* last = poly + 2 * (n - 1);
    double cx = last[0] - first[0], cy = last[1] - first[1];
    const double len2 = cx * cx + cy * cy;
    if (len2 <= 2e-18 || !(len2 < std::numeric_limits<double>::infinity())) {
        box.o[0] = box.o[1] = 0.0;
        box.u[0] = 1.0;
        box.u[1] = 0.0;
    } else {
        const double len = std::sqrt(len2);
        box.o[0] = first[0];
        box.o[1] = first[1];
        box.u[0] = cx / len;
        box.u[1] = cy / len;
    }
    box.v[0] = -box.u[1];
    box.v[1] = box.u[0];
    box.lo[0] = box.lo[1] = std::numeric_limits<double>::infinity();
    box.hi[0] = box.hi[1] = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < n; ++k) {
        const double dx = poly[2 * k] - box.o[0], dy = poly[2 * k + 1] - box.o[1];
        const double s = dx * box.u[0] + dy * box.u[1];
        const double r = dx * box.v[0] + dy * box.v[1];
        box.lo[0] = std::min(box.lo[0], s);
        box.hi[0] = std::max(box.hi[0], s);
        box.lo[1] = std::min(box.lo[1], r);
        box.hi[1] = std::max(box.hi[1], r);
    }
}

namespace {

// Range of the projections of the corners of BOX on the unit axis W.
void project_box(const Box& box, const double* w, double& lo, double& hi) noexcept {
    const double o = box.o[0] * w[0] + box.o[1] * w[1];
    const double su = box.u[0] * w[0] + box.u[1] * w[1];
    const double sv = box.v[0] * w[0] + box.v[1] * w[1];
    const double a0 = su * box.lo[0], a1 = su * box.hi[0];
    const double b0 = sv * box.lo[1], b1 = sv * box.hi[1];
    lo = o + std::min(a0, a1) + std::min(b0, b1);
    hi = o + std::max(a0, a1) + std::max(b0, b1);
}

}  // namespace

bool boxes_disjoint(const Box& a, const Box& b, double margin) noexcept {
    const double* axes[4] = {a.u, a.v, b.u, b.v};
    for (const double* w : axes) {
        double alo, ahi, blo, bhi;
        project_box(a, w, alo, ahi);
        project_box(b, w, blo, bhi);
        // Written so that a NaN separates: such a pair is dropped.
        if (!(alo <= bhi + 2 * margin && blo <= ahi + 2 * margin)) return true;
    }
    return false;
}

bool segments_meet(const double* p1, const double* p2, const double* q1, const double* q2) noexcept {
    const auto orient = [](const double* a, const double* b, const double* c) {
        return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
    };
    const double o1 = orient(p1, p2, q1), o2 = orient(p1, p2, q2);
    const double o3 = orient(q1, q2, p1), o4 = orient(q1, q2, p2);
    if (((o1 > 0 && o2 < 0) || (o1 < 0 && o2 > 0)) && ((o3 > 0 && o4 < 0) || (o3 < 0 && o4 > 0))) return true;
    // Touching or collinear: the bounding ranges decide.
    const auto on = [](const double* a, const double* b, const double* c) {
        return std::min(a[0], b[0]) <= c[0] && c[0] <= std::max(a[0], b[0]) && std::min(a[1], b[1]) <= c[1] &&
               c[1] <= std::max(a[1], b[1]);
    };
    return (o1 == 0 && on(p1, p2, q1)) || (o2 == 0 && on(p1, p2, q2)) || (o3 == 0 && on(q1, q2, p1)) ||
           (o4 == 0 && on(q1, q2, p2));
}

// The legs of a polygon are the directions of the derivative's control
// polygon, so every tangent of the piece is a positive combination of them.
// Measured as slopes against the chord (the sum of the legs), they give the
// cone's two extreme directions; starting bounds +-1e25 stand for no leg
// seen yet. A leg at 90 degrees or more from the chord makes the cone
// improper (undecided), which only costs further splitting.
Cone tangent_cone(int n, const double* poly) noexcept {
    Cone cone;
    const double rx = poly[2 * (n - 1)] - poly[0], ry = poly[2 * (n - 1) + 1] - poly[1];
    if (!(rx != 0.0 || ry != 0.0)) return cone;
    double smin = 1e25, smax = -1e25;
    for (int k = 1; k < n; ++k) {
        const double lx = poly[2 * k] - poly[2 * k - 2], ly = poly[2 * k + 1] - poly[2 * k - 1];
        if (lx == 0.0 && ly == 0.0) continue;
        const double along = rx * lx + ry * ly;
        if (!(along > 0.0)) return cone;
        const double s = (rx * ly - ry * lx) / along;
        smin = std::min(smin, s);
        smax = std::max(smax, s);
    }
    if (!(smin <= smax)) return cone;
    const double base = std::atan2(ry, rx);
    const double lo = std::atan(smin);
    cone.proper = true;
    cone.start = base + lo;
    cone.width = std::atan(smax) - lo;
    return cone;
}

bool cones_disjoint(const Cone& a, const Cone& b) noexcept {
    if (!a.proper || !b.proper) return false;
    constexpr double pi = std::numbers::pi;
    constexpr double margin = 1e-10;  // radians kept between the cones
    double d = b.start - a.start;
    d -= pi * std::floor(d / pi);  // B's start relative to A's, in [0, pi)
    if (!(d >= 0.0 && d < pi)) return false;
    return d > a.width + margin && d + b.width < pi - margin;
}

bool cone_gap(const Cone& a, const Cone& b, double& angle) noexcept {
    if (!cones_disjoint(a, b)) return false;
    constexpr double pi = std::numbers::pi;
    double d = b.start - a.start;
    d -= pi * std::floor(d / pi);
    angle = a.start + (a.width + d) / 2;
    return true;
}

bool crossing_with_line(const Curve2& cv, double a, double b, const double* p, const double* d, const Tols& tol,
                        double& t) noexcept {
    // g(t) = d x (C(t) - P), the signed distance of C(t) to the line.
    double g[kMaxCoef];
    for (int k = 0; k < cv.n; ++k) g[k] = d[0] * cv.c[2 * k + 1] - d[1] * cv.c[2 * k];
    g[0] -= d[0] * p[1] - d[1] * p[0];
    // The solver is called on a sign change only (it reports the lack of
    // one as a failure).
    const double ga = horner1(cv.n, g, a), gb = horner1(cv.n, g, b);
    if ((ga < 0.0 && gb > 0.0) || (ga > 0.0 && gb < 0.0)) {
        double x = a;
        int ier = 0;
        upxnul(&cv.n, g, &a, &b, &tol.epsnr, &tol.eps1, &x, &ier);
        if (ier == 0) {
            t = x;
            return true;
        }
    }
    // No sign change: an end within EPS1 of the line counts.
    if (std::fabs(ga) <= tol.eps1 && std::fabs(ga) <= std::fabs(gb)) {
        t = a;
        return true;
    }
    if (std::fabs(gb) <= tol.eps1) {
        t = b;
        return true;
    }
    return false;
}

namespace {
// Squared distance between the curves at (T1, T2).
double gap2(const Curve2& c1, const Curve2& c2, double t1, double t2) noexcept {
    double p[2], q[2];
    point(c1, t1, p);
    point(c2, t2, q);
    return (p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]);
}
}  // namespace

void merge_contacts(const Curve2& c1, const Curve2& c2, SolutionList& list, double eps, const Tols& tol) noexcept {
    int& nsol = *list.nsol;
    const int count = std::min(nsol, list.nmax);
    auto s = mat(list.sol, 2);
    const double span = 1000 * eps, tol2 = 4 * tol.eps1sq;
    int out = 0;
    for (int k = 1; k <= count; ++k) {
        if (out > 0) {
            const double t1 = s(1, out), t2 = s(2, out), u1 = s(1, k), u2 = s(2, k);
            if (std::fabs(u1 - t1) <= span && std::fabs(u2 - t2) <= span &&
                gap2(c1, c2, (t1 + u1) / 2, (t2 + u2) / 2) <= tol2) {
                if (gap2(c1, c2, u1, u2) < gap2(c1, c2, t1, t2)) {
                    s(1, out) = u1;
                    s(2, out) = u2;
                }
                continue;
            }
        }
        ++out;
        s(1, out) = s(1, k);
        s(2, out) = s(2, k);
    }
    nsol = out;
}

bool on_known_contact(const Curve2& c1, const Curve2& c2, const SolutionList& list, double eps, const Tols& tol,
                      double t1, double t2) noexcept {
    const double span = 1000 * eps;
    const int count = std::min(*list.nsol, list.nmax);
    for (int k = 0; k < count; ++k) {
        const double u1 = list.sol[2 * k], u2 = list.sol[2 * k + 1];
        if (std::fabs(u1 - t1) <= span && std::fabs(u2 - t2) <= span &&
            gap2(c1, c2, (t1 + u1) / 2, (t2 + u2) / 2) <= 4 * tol.eps1sq)
            return true;
    }
    return false;
}

namespace {
// Point, first and second derivatives of CV at T.
void jet(const Curve2& cv, double t, double* p, double* d1, double* d2) noexcept {
    point(cv, t, p);
    deriv(cv, t, d1);
    d2[0] = d2[1] = 0.0;
    for (int j = cv.nd - 1; j >= 1; --j) {
        d2[0] = d2[0] * t + j * cv.d[2 * j];
        d2[1] = d2[1] * t + j * cv.d[2 * j + 1];
    }
}
}  // namespace

bool refine_contact(const Curve2& c1, const Curve2& c2, const Tols& tol, double lo1, double hi1, double lo2,
                    double hi2, double& t1, double& t2) noexcept {
    double x1 = t1, x2 = t2;
    for (int it = 0; it < 40; ++it) {
        double p[2], u[2], uu[2], q[2], v[2], vv[2];
        jet(c1, x1, p, u, uu);
        jet(c2, x2, q, v, vv);
        const double fx = p[0] - q[0], fy = p[1] - q[1];
        const double g1 = fx * v[0] + fy * v[1];
        const double g2 = u[0] * v[1] - u[1] * v[0];
        const double j11 = u[0] * v[0] + u[1] * v[1];
        const double j12 = -(v[0] * v[0] + v[1] * v[1]) + fx * vv[0] + fy * vv[1];
        const double j21 = uu[0] * v[1] - uu[1] * v[0];
        const double j22 = u[0] * vv[1] - u[1] * vv[0];
        const double det = j11 * j22 - j12 * j21;
        if (!(std::fabs(det) > 0.0)) return false;
        const double d1 = (g1 * j22 - g2 * j12) / det, d2 = (j11 * g2 - j21 * g1) / det;
        x1 -= d1;
        x2 -= d2;
        if (!(x1 >= lo1 && x1 <= hi1 && x2 >= lo2 && x2 <= hi2)) return false;
        if (std::fabs(d1) <= 1e-3 * tol.epsnr && std::fabs(d2) <= 1e-3 * tol.epsnr) break;
    }
    if (!(gap2(c1, c2, x1, x2) <= tol.eps1sq)) return false;
    t1 = x1;
    t2 = x2;
    return true;
}

}  // namespace vcbm::cc

// ---- The planar subdivision ---------------------------------------------------------

namespace vcbm::cc {
namespace {

struct Pair {
    double a1, b1, a2, b2;
};

// A half polygon and what the tests learn about it: its axis ranges at
// once, its oriented box and tangent cone when first asked for, so that
// each is formed at most once per examination of a split.
struct Piece {
    const double* poly = nullptr;
    int n = 0;
    double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
    bool has_box = false, has_cone = false;
    Box box{};
    Cone cone{};

    void init(int count, const double* p) noexcept {
        poly = p;
        n = count;
        has_box = has_cone = false;
        xlo = xhi = p[0];
        ylo = yhi = p[1];
        for (int k = 1; k < n; ++k) {
            xlo = std::min(xlo, p[2 * k]);
            xhi = std::max(xhi, p[2 * k]);
            ylo = std::min(ylo, p[2 * k + 1]);
            yhi = std::max(yhi, p[2 * k + 1]);
        }
    }
    const Box& get_box() noexcept {
        if (!has_box) oriented_box(n, poly, box);
        has_box = true;
        return box;
    }
    const Cone& get_cone() noexcept {
        if (!has_cone) cone = tangent_cone(n, poly);
        has_cone = true;
        return cone;
    }
    const double* first() const noexcept { return poly; }
    const double* last() const noexcept { return poly + 2 * (n - 1); }
};

// The state of one planar solve.
struct Planar {
    TraceLevel trace{0};
    Curve2 c1, c2;
    Tols tol;
    double eps = kDefaultEps;
    SolutionList list{0, nullptr, nullptr};
    double A1 = 0, B1 = 0, A2 = 0, B2 = 0;        // the intervals being subdivided
    double P1[2 * kMaxCoef], P2[2 * kMaxCoef];  // their control polygons
    // Pairs that may still be split. Curves that overlap along an arc keep
    // a pending pair at every place of the arc, which doubles at every level;
    // the solve stops there as a failure inside rather than run for hours.
    long splits_left = kMaxSplits;
    long newton_left = kMaxNewtonSteps;  // and so it does past this many Newton steps
};

// Exclusion test (uzcvcv). First uifplg: disjoint axis ranges (widened by
// EPS1) exclude, crossing chords (uinseg) keep the pair; otherwise the
// oriented boxes (ufnbox) decide (uibxbx). NaN ranges exclude.
bool excluded(const Tols& tol, Piece& p, Piece& q) noexcept {
    const double w = 2 * tol.eps1;
    if (!(p.xlo <= q.xhi + w && q.xlo <= p.xhi + w && p.ylo <= q.yhi + w && q.ylo <= p.yhi + w)) return true;
    if (segments_meet(p.first(), p.last(), q.first(), q.last())) return false;
    return boxes_disjoint(p.get_box(), q.get_box(), tol.eps1);
}

// Single-intersection test (ujcvcv): disjoint tangent cones (uextjb).
bool single(Piece& p, Piece& q) noexcept { return cones_disjoint(p.get_cone(), q.get_cone()); }

// Newton for a pair known to hold one crossing at most (unc1cv): from the
// midpoints, no restart, and given up as soon as an iterate leaves the
// pair's intervals widened by their own lengths, the determinant vanishes,
// or after 12 steps (from the midpoints of such a pair the iteration
// converges in a few steps when it converges at all; a failure costs only
// the further split). Accepted within the intervals widened by EPSNR.
constexpr int kSingleSteps = 12;
bool newton_single(const Planar& pl, const Pair& pr, double& t1, double& t2) noexcept {
    const Tols& tol = pl.tol;
    const double w1 = pr.b1 - pr.a1, w2 = pr.b2 - pr.a2;
    double x1 = (pr.a1 + pr.b1) / 2, x2 = (pr.a2 + pr.b2) / 2;
    const int steps = std::min(tol.nitnr, kSingleSteps);
    for (int step = 1; step <= steps; ++step) {
        double p[2], q[2], u[2], v[2];
        point(pl.c1, x1, p);
        point(pl.c2, x2, q);
        deriv(pl.c1, x1, u);
        deriv(pl.c2, x2, v);
        const double fx = p[0] - q[0], fy = p[1] - q[1];
        const double det = v[0] * u[1] - u[0] * v[1];
        if (!(std::fabs(det) > tol.epspb)) return false;
        const double d1 = (v[0] * fy - v[1] * fx) / det;
        const double d2 = (u[0] * fy - u[1] * fx) / det;
        x1 -= d1;
        x2 -= d2;
        if (std::fabs(fx) <= tol.eps1 && std::fabs(fy) <= tol.eps1 && std::fabs(d1) <= tol.epsnr &&
            std::fabs(d2) <= tol.epsnr) {
            if (!(x1 >= pr.a1 - tol.epsnr && x1 <= pr.b1 + tol.epsnr && x2 >= pr.a2 - tol.epsnr &&
                  x2 <= pr.b2 + tol.epsnr))
                return false;
            t1 = x1;
            t2 = x2;
            return true;
        }
        if (!(x1 >= pr.a1 - w1 && x1 <= pr.b1 + w1 && x2 >= pr.a2 - w2 && x2 <= pr.b2 + w2)) return false;
    }
    return false;
}

// First non-zero leg of a polygon, as a unit vector; false when none.
bool first_leg(const Piece& p, double* d) noexcept {
    for (int k = 1; k < p.n; ++k) {
        const double lx = p.poly[2 * k] - p.poly[2 * k - 2], ly = p.poly[2 * k + 1] - p.poly[2 * k - 1];
        const double len = std::hypot(lx, ly);
        if (len > 0.0) {
            d[0] = lx / len;
            d[1] = ly / len;
            return true;
        }
    }
    return false;
}

// Tangent test (utgtpt): the line along D meets the piece Q at most once
// when every non-zero leg of Q lies strictly on one side of D.
bool transversal_to(const double* d, const Piece& q) noexcept {
    int side = 0;
    for (int k = 1; k < q.n; ++k) {
        const double lx = q.poly[2 * k] - q.poly[2 * k - 2], ly = q.poly[2 * k + 1] - q.poly[2 * k - 1];
        if (lx == 0.0 && ly == 0.0) continue;
        const double c = d[0] * ly - d[1] * lx;
        const int s = c > 0.0 ? 1 : (c < 0.0 ? -1 : 0);
        if (s == 0 || (side != 0 && s != side)) return false;
        side = s;
    }
    return side != 0;
}

// Classification of an end point (uicbpt). The end at T of the piece OWN
// (of curve C) is tested against the piece OTHER of curve D on [OA, OB]:
// it must lie within the other polygon's axis ranges widened by EPS1; the
// line through it along the own polygon's first leg must cross the other
// piece at most once (utgtpt); that crossing is found on the bracketing
// solver (ucrbpt); and the end lies on the other curve when the crossing
// point is within EPS1 of it (ujcbpt). Then TO receives the crossing's
// parameter.
bool end_on_other(const Tols& tol, const Curve2& c, const Piece& own, double t, const Curve2& d,
                  const Piece& other, double oa, double ob, double& to) noexcept {
    double p[2];
    point(c, t, p);
    const double e = tol.eps1;
    if (!(p[0] >= other.xlo - e && p[0] <= other.xhi + e && p[1] >= other.ylo - e && p[1] <= other.yhi + e))
        return false;
    double dir[2];
    if (!first_leg(own, dir) || !transversal_to(dir, other)) return false;
    double tc = oa;
    if (!crossing_with_line(d, oa, ob, p, dir, tol, tc)) return false;
    double q[2];
    point(d, tc, q);
    const int two = 2;
    if (nfnequ(&two, p, q, &tol.eps1sq) != 1) return false;
    to = tc;
    return true;
}

// Whether a pair with disjoint tangent cones certainly does not meet.
// Along a direction E that neither cone holds, both pieces are graphs over
// the coordinate across E (each line parallel to E meets each piece once at
// most), and they meet once or never. So the pieces meet exactly when their
// heights along E change order over the common range of that coordinate:
// the heights are compared at both ends of the range, each end being an end
// point of one piece classified against the other curve along E (ucrbpt on
// the bracketing solver). Heights apart by more than EPS1, in the same order
// at both ends, mean no crossing.
bool no_crossing(const Planar& pl, const Pair& pr, Piece& p, Piece& q) noexcept {
    double angle = 0;
    if (!cone_gap(p.get_cone(), q.get_cone(), angle)) return false;
    const double e[2] = {std::cos(angle), std::sin(angle)};
    const auto across = [&](const double* x) { return e[0] * x[1] - e[1] * x[0]; };
    const auto along = [&](const double* x) { return e[0] * x[0] + e[1] * x[1]; };
    double ends1[2][2], ends2[2][2];
    point(pl.c1, pr.a1, ends1[0]);
    point(pl.c1, pr.b1, ends1[1]);
    point(pl.c2, pr.a2, ends2[0]);
    point(pl.c2, pr.b2, ends2[1]);
    const double s1[2] = {across(ends1[0]), across(ends1[1])}, s2[2] = {across(ends2[0]), across(ends2[1])};
    const double lo1 = std::min(s1[0], s1[1]), hi1 = std::max(s1[0], s1[1]);
    const double lo2 = std::min(s2[0], s2[1]), hi2 = std::max(s2[0], s2[1]);
    const double e1 = pl.tol.eps1;
    if (hi1 < lo2 - e1 || hi2 < lo1 - e1) return true;  // no common range
    // Height of curve 1 minus that of curve 2 at the end point P of one
    // piece (FIRST: of curve 1), the other piece met along E.
    const auto difference = [&](const double* x, bool first, double& diff) {
        const Curve2& other = first ? pl.c2 : pl.c1;
        const double oa = first ? pr.a2 : pr.a1, ob = first ? pr.b2 : pr.b1;
        double t = oa, y[2];
        if (!crossing_with_line(other, oa, ob, x, e, pl.tol, t)) return false;
        point(other, t, y);
        diff = first ? along(x) - along(y) : along(y) - along(x);
        return true;
    };
    // The end point at each end of the common range.
    const bool low_on_1 = lo1 >= lo2, high_on_1 = hi1 <= hi2;
    const double* plo = low_on_1 ? ends1[s1[0] <= s1[1] ? 0 : 1] : ends2[s2[0] <= s2[1] ? 0 : 1];
    const double* phi = high_on_1 ? ends1[s1[0] <= s1[1] ? 1 : 0] : ends2[s2[0] <= s2[1] ? 1 : 0];
    double dlo = 0, dhi = 0;
    if (!difference(plo, low_on_1, dlo) || !difference(phi, high_on_1, dhi)) return false;
    return (dlo > e1 && dhi > e1) || (dlo < -e1 && dhi < -e1);
}

// Final solve of a pair with one crossing at most (ufcvcv): 0 settled, -1
// left pending, 1 the list is full.
int final_solve(Planar& pl, const Pair& pr, Piece& p, Piece& q) noexcept {
    static constexpr auto R = routine("UFCVCV");
    int ier = 0;
    Frame f(R, ier, pl.trace);
    const Tols& tol = pl.tol;
    double t1 = 0, t2 = 0;
    if (newton_single(pl, pr, t1, t2)) return ier = pl.list.add(t1, t2, tol.epsnr) ? 0 : 1;
    if (no_crossing(pl, pr, p, q)) return ier;
    // The ends of each piece against the other curve; the first end found
    // on it narrows both intervals around the coincidence.
    Pair nr{};
    bool found = false;
    double to = 0;
    for (int e = 0; e < 2 && !found; ++e) {
        const double t = e == 0 ? pr.a1 : pr.b1;
        if (end_on_other(tol, pl.c1, p, t, pl.c2, q, pr.a2, pr.b2, to)) {
            nr = Pair{t - tol.epsnr, t + tol.epsnr, to - tol.epsnr, to + tol.epsnr};
            found = true;
        }
    }
    for (int e = 0; e < 2 && !found; ++e) {
        const double t = e == 0 ? pr.a2 : pr.b2;
        if (end_on_other(tol, pl.c2, q, t, pl.c1, p, pr.a1, pr.b1, to)) {
            nr = Pair{to - tol.epsnr, to + tol.epsnr, t - tol.epsnr, t + tol.epsnr};
            found = true;
        }
    }
    // Without a coincidence at an end, the Newton iteration from the
    // midpoints has just failed on this pair: it is split further.
    if (!found) return ier = -1;
    t1 = (nr.a1 + nr.b1) / 2;
    t2 = (nr.a2 + nr.b2) / 2;
    if (newton_traced(pl.trace, pl.c1, pl.c2, nr.a1, nr.b1, nr.a2, nr.b2, t1, t2, tol, &pl.newton_left) < 1)
        return ier = pl.list.add(t1, t2, tol.epsnr) ? 0 : 1;
    return ier = -1;
}

// A pair that is not split any further: Newton from its midpoints; at the
// last level a coincidence at the midpoints counts. -10 when the list is
// full or the Newton steps are spent, else 0.
int solve_small(Planar& pl, const Pair& pr, int level) noexcept {
    if (pl.newton_left < 0) return -10;
    double t1 = (pr.a1 + pr.b1) / 2, t2 = (pr.a2 + pr.b2) / 2;
    // A pair this small that is still undecided usually lies on a
    // tangential contact: one already found settles it, a new one is found
    // by its own iteration; the Newton iteration on C1 = C2 follows.
    if (on_known_contact(pl.c1, pl.c2, pl.list, pl.eps, pl.tol, t1, t2)) return 0;
    if (refine_contact(pl.c1, pl.c2, pl.tol, pl.A1, pl.B1, pl.A2, pl.B2, t1, t2))
        return pl.list.add(t1, t2, pl.eps) ? 0 : -10;
    const int r = newton_traced(pl.trace, pl.c1, pl.c2, pr.a1, pr.b1, pr.a2, pr.b2, t1, t2, pl.tol, &pl.newton_left);
    if (r < 1) return pl.list.add(t1, t2, pl.eps) ? 0 : -10;
    if (level < kMaxLevel) return 0;
    const double m1 = (pr.a1 + pr.b1) / 2, m2 = (pr.a2 + pr.b2) / 2;
    double p[2], q[2];
    point(pl.c1, m1, p);
    point(pl.c2, m2, q);
    const int two = 2;
    if (nfnequ(&two, p, q, &pl.tol.eps1sq) == 1 && !pl.list.add(m1, m2, pl.eps)) return -10;
    return 0;
}

// Squared distance from X to the curve CV near parameter T (a few
// projection steps from T).
double projected_gap2(const Curve2& cv, double t, const double* x) noexcept {
    double p[2], d[2];
    for (int it = 0; it < 3; ++it) {
        point(cv, t, p);
        deriv(cv, t, d);
        const double dd = d[0] * d[0] + d[1] * d[1];
        if (!(dd > 0.0)) break;
        t -= ((p[0] - x[0]) * d[0] + (p[1] - x[1]) * d[1]) / dd;
    }
    point(cv, t, p);
    return (p[0] - x[0]) * (p[0] - x[0]) + (p[1] - x[1]) * (p[1] - x[1]);
}

// A pair within 1000 EPS of a pair already found whose four piece ends all
// lie within 2 EPS1 of the other curve is inside the band of that
// (tangential) contact: what it could add would be merged with the pair
// found, so it is settled.
bool known_here(const Planar& pl, const Pair& pr) noexcept {
    const double span = 1000 * pl.eps, tol2 = 4 * pl.tol.eps1sq;
    if (!(pr.b1 - pr.a1 <= span && pr.b2 - pr.a2 <= span)) return false;
    const int count = std::min(*pl.list.nsol, pl.list.nmax);
    for (int k = 0; k < count; ++k) {
        const double u1 = pl.list.sol[2 * k], u2 = pl.list.sol[2 * k + 1];
        if (!(std::fabs(u1 - pr.a1) <= span && std::fabs(u2 - pr.a2) <= span)) continue;
        bool inside = true;
        for (int e = 0; e < 2 && inside; ++e) {
            double x[2];
            point(pl.c1, e ? pr.b1 : pr.a1, x);
            inside = projected_gap2(pl.c2, u2, x) <= tol2;
            if (!inside) break;
            point(pl.c2, e ? pr.b2 : pr.a2, x);
            inside = projected_gap2(pl.c1, u1, x) <= tol2;
        }
        if (inside) return true;
    }
    return false;
}

// An undecided pair shorter than 1000 EPS on both curves lies on a
// tangential contact when the contact iteration from its midpoints finds
// one inside it, which is then inserted. 1 settled, 0 not, -1 the list is
// full.
int on_contact(Planar& pl, const Pair& pr) noexcept {
    const double span = 1000 * pl.eps;
    if (!(pr.b1 - pr.a1 <= span && pr.b2 - pr.a2 <= span)) return 0;
    const double m1 = (pr.a1 + pr.b1) / 2, m2 = (pr.a2 + pr.b2) / 2;
    double t1 = m1, t2 = m2;
    if (!refine_contact(pl.c1, pl.c2, pl.tol, pr.a1, pr.b1, pr.a2, pr.b2, t1, t2)) return 0;
    if (!pl.list.add(t1, t2, pl.eps)) return -1;
    return on_known_contact(pl.c1, pl.c2, pl.list, pl.eps, pl.tol, m1, m2) ? 1 : 0;
}

// Splits the pair PR with polygons Q1, Q2 at its midpoints (uccvcv) into the
// halves H1 (left then right, 42 reals each) and H2, and examines the four
// half-pairs in the order (left, left), (left, right), (right, left),
// (right, right). KIDS receive their intervals, PENDING whether they must be
// split further. -10 when the solve must stop, else 0.
int examine(Planar& pl, const Pair& pr, const double* q1, const double* q2, double* h1, double* h2, Pair kids[4],
            bool pending[4]) noexcept {
    if (--pl.splits_left < 0 || pl.newton_left < 0) return -10;
    const int n1 = pl.c1.n, n2 = pl.c2.n, two = 2, ldw = kMaxCoef;
    double unused[1];
    upolyg(&two, &ldw, &n1, q1, unused, h1, h1 + 2 * kMaxCoef);
    upolyg(&two, &ldw, &n2, q2, unused, h2, h2 + 2 * kMaxCoef);
    const double m1 = (pr.a1 + pr.b1) / 2, m2 = (pr.a2 + pr.b2) / 2;
    Piece p[2], q[2];
    for (int i = 0; i < 2; ++i) {
        p[i].init(n1, h1 + i * 2 * kMaxCoef);
        q[i].init(n2, h2 + i * 2 * kMaxCoef);
    }
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            const int k = 2 * i + j;
            kids[k] = Pair{i ? m1 : pr.a1, i ? pr.b1 : m1, j ? m2 : pr.a2, j ? pr.b2 : m2};
            pending[k] = false;
            if (excluded(pl.tol, p[i], q[j])) continue;
            if (known_here(pl, kids[k])) continue;
            if (!single(p[i], q[j])) {
                const int c = on_contact(pl, kids[k]);
                if (c < 0) return -10;
                pending[k] = c == 0;
                continue;
            }
            const int r = final_solve(pl, kids[k], p[i], q[j]);
            if (r > 0) return -10;
            pending[k] = r == -1;
        }
    }
    return 0;
}

bool small_pair(const Planar& pl, const Pair& pr, int level) noexcept {
    return (pr.b1 - pr.a1 <= pl.eps && pr.b2 - pr.a2 <= pl.eps) || level >= kMaxLevel;
}

// Control polygon of the piece [A, B] of a curve whose polygon on [WA, WB]
// is WHOLE, by two splits (uplygg).
void piece_polygon(int n, const double* whole, double wa, double wb, double a, double b, double* out) noexcept {
    const int two = 2, ldw = kMaxCoef;
    double left[2 * kMaxCoef], rest[2 * kMaxCoef], unused[1];
    const double len = wb - wa;
    if (!(len > 0.0)) {
        for (int k = 0; k < 2 * n; ++k) out[k] = whole[k];
        return;
    }
    const double sb = (b - wa) / len;
    uplygg(&two, &ldw, &n, whole, &sb, unused, left, rest);
    const double sa = sb > 0.0 ? (a - wa) / (b - wa) : 0.0;
    uplygg(&two, &ldw, &n, left, &sa, unused, rest, out);
}

// Subdivision below the stored levels (uycvcv): the pair PR at LEVEL, its
// polygons given, is split depth first with its pending pairs kept as
// intervals only and their polygons recomputed from the curves.
int subdivide_unstored(Planar& pl, const Pair& pr, int level, const double* q1, const double* q2) noexcept {
    static constexpr auto R = routine("UYCVCV");
    int ier = 0;
    Frame f(R, ier, pl.trace);
    struct Item {
        Pair pr;
        int level;
    };
    Item stack[4 * kMaxLevel + 4];
    int top = 0;
    double h1[kLevelReals], h2[kLevelReals], r1[2 * kMaxCoef], r2[2 * kMaxCoef];
    Pair kids[4];
    bool pending[4];
    const auto push_kids = [&](int lv) {
        for (int k = 3; k >= 0; --k)
            if (pending[k]) stack[top++] = Item{kids[k], lv + 1};
    };
    if (examine(pl, pr, q1, q2, h1, h2, kids, pending) != 0) return ier = -10;
    push_kids(level);
    while (top > 0) {
        const Item it = stack[--top];
        if (small_pair(pl, it.pr, it.level)) {
            if (solve_small(pl, it.pr, it.level) != 0) return ier = -10;
            continue;
        }
        piece_polygon(pl.c1.n, pl.P1, pl.A1, pl.B1, it.pr.a1, it.pr.b1, r1);
        piece_polygon(pl.c2.n, pl.P2, pl.A2, pl.B2, it.pr.a2, it.pr.b2, r2);
        if (examine(pl, it.pr, r1, r2, h1, h2, kids, pending) != 0) return ier = -10;
        push_kids(it.level);
    }
    return ier;
}

// Simultaneous subdivision (uhcvcv) with NLEV stored levels of polygons in
// ST1 and ST2 (84 reals per level each). Depth first: the next pair is the
// first pending one of the deepest level that has one. -10 when the solve
// must stop, else 0.
int subdivide(Planar& pl, double* st1, double* st2, int nlev) noexcept {
    static constexpr auto R = routine("UHCVCV");
    int ier = 0;
    Frame f(R, ier, pl.trace);
    Pair kids[kMaxLevel + 1][4];
    bool pending[kMaxLevel + 1][4] = {};
    Pair cur{pl.A1, pl.B1, pl.A2, pl.B2};
    const double* q1 = pl.P1;
    const double* q2 = pl.P2;
    int level = 1, top = 0;
    for (;;) {
        int code = 0;
        if (small_pair(pl, cur, level)) {
            code = solve_small(pl, cur, level);
        } else if (level > nlev) {
            code = subdivide_unstored(pl, cur, level, q1, q2);
        } else {
            double* s1 = st1 + (level - 1) * kLevelReals;
            double* s2 = st2 + (level - 1) * kLevelReals;
            code = examine(pl, cur, q1, q2, s1, s2, kids[level], pending[level]);
            top = level;
        }
        if (code != 0) return ier = -10;
        int k = -1;
        while (top > 0) {
            for (int j = 0; j < 4 && k < 0; ++j)
                if (pending[top][j]) k = j;
            if (k >= 0) break;
            --top;
        }
        if (top == 0) break;
        pending[top][k] = false;
        cur = kids[top][k];
        q1 = st1 + (top - 1) * kLevelReals + (k / 2) * 2 * kMaxCoef;
        q2 = st2 + (top - 1) * kLevelReals + (k % 2) * 2 * kMaxCoef;
        level = top + 1;
    }
    return ier;
}

// Curve/curve preparation (uacvcv): end points, polygons, subdivision.
// POLYG1/2 are used when GIVEN and the intervals were not shrunk.
int prepare_and_solve(Planar& pl, bool given, const double* polyg1, const double* polyg2, double* st1, double* st2,
                      int nlev) noexcept {
    static constexpr auto R = routine("UACVCV");
    int ier = 0;
    Frame f(R, ier, pl.trace);
    bool moved = false;
    if (end_points(pl.c1, pl.A1, pl.B1, pl.c2, pl.A2, pl.B2, pl.list, pl.tol, moved) != 0) return ier = -10;
    const int two = 2;
    double work[2 * kMaxCoef];
    if (given && !moved) {
        for (int k = 0; k < 2 * pl.c1.n; ++k) pl.P1[k] = polyg1[k];
        for (int k = 0; k < 2 * pl.c2.n; ++k) pl.P2[k] = polyg2[k];
    } else {
        ufdplg(&two, &pl.c1.n, pl.c1.c, &pl.A1, &pl.B1, work, pl.P1);
        ufdplg(&two, &pl.c2.n, pl.c2.c, &pl.A2, &pl.B2, work, pl.P2);
    }
    ier = subdivide(pl, st1, st2, nlev) == 0 ? 0 : -10;
    merge_contacts(pl.c1, pl.c2, pl.list, pl.eps, pl.tol);
    return ier;
}

}  // namespace

void planar_driver(TraceLevel level, int iconv, int n1, const double* coef1, double* polyg1, double ta1, double tb1,
                   int n2, const double* coef2, double* polyg2, double ta2, double tb2, double eps, int nmax,
                   int& nsol, double* sol, int& ier) noexcept {
    static constexpr auto R = routine("URCVCV");
    Frame f(R, ier, level);
    nsol = 0;
    if (n1 < 1 || n1 > kMaxCoef || n2 < 1 || n2 > kMaxCoef) return f.fail(2);
    const int two = 2;
    int r1 = 1, r2 = 1, k1 = 0, k2 = 0;
    udegcv(&two, &n1, coef1, &r1, &k1);
    udegcv(&two, &n2, coef2, &r2, &k2);
    if (k1 != 0 || k2 != 0) return f.fail(10);
    if (r1 == r2 && std::equal(coef1, coef1 + 2 * r1, coef2)) return f.fail(20);

    thread_local Planar pl;
    pl.trace = f.trace_level();
    pl.tol = read_tols();
    pl.eps = eps;
    pl.list = SolutionList{nmax, &nsol, sol};
    pl.splits_left = kMaxSplits;
    pl.newton_left = kMaxNewtonSteps;
    set_curve(pl.c1, r1, coef1);
    set_curve(pl.c2, r2, coef2);
    pl.A1 = std::min(ta1, tb1);
    pl.B1 = std::max(ta1, tb1);
    pl.A2 = std::min(ta2, tb2);
    pl.B2 = std::max(ta2, tb2);
    if (!(ta1 <= tb1 || ta1 > tb1)) pl.A1 = pl.B1 = ta1;  // a NaN end stays in both
    if (!(ta2 <= tb2 || ta2 > tb2)) pl.A2 = pl.B2 = ta2;

    // Per-level polygon storage: as many levels as the space query grants,
    // one level in fixed storage when the requests are refused.
    int nlev = kMaxLevel;
    udfpil(&nlev);
    nlev = std::min(nlev, kMaxLevel);
    thread_local WorkBase<double, 1> base1, base2;
    thread_local double fallback1[kLevelReals], fallback2[kLevelReals];
    double* st1 = nullptr;
    double* st2 = nullptr;
    if (nlev >= 2) {
        st1 = f.request(base1.base, nlev * kLevelReals);
        if (st1) st2 = f.request(base2.base, nlev * kLevelReals);
        if (!st2) {
            f.release_all();
            ier = 0;
        }
    }
    if (!st2) {
        nlev = 1;
        st1 = fallback1;
        st2 = fallback2;
    }
    int code = 0;
    if (r1 == 2 || r2 == 2) {
        // A segment: the line/curve solver, with the segment first.
        const bool first = r1 == 2;
        const double* seg = first ? coef1 : coef2;
        const int nc = first ? r2 : r1;
        const double* cv = first ? coef2 : coef1;
        const double sa = first ? ta1 : ta2, sb = first ? tb1 : tb2, ca = first ? ta2 : ta1, cb = first ? tb2 : tb1;
        uadtcv(seg, &sa, &sb, &nc, cv, &ca, &cb, st1, &nlev, &eps, &nmax, &nsol, sol, &code);
        if (!first) {
            const int count = std::min(nsol, nmax), key = 1, ld = 2;
            for (int k = 0; k < count; ++k) std::swap(sol[2 * k], sol[2 * k + 1]);
            vsheld(&count, &ld, sol, &key);
        }
        if (code == 146) {
            ier = 146;
            return;
        }
        if (code == 145) code = 10;
        if (iconv != 1) {
            double work[2 * kMaxCoef];
            ufdplg(&two, &r1, coef1, &pl.A1, &pl.B1, work, polyg1);
            ufdplg(&two, &r2, coef2, &pl.A2, &pl.B2, work, polyg2);
        }
    } else {
        const bool given = iconv == 1 && r1 == n1 && r2 == n2;
        code = prepare_and_solve(pl, given, polyg1, polyg2, st1, st2, nlev);
    }
    if (iconv != 1 && r1 != 2 && r2 != 2) {
        for (int k = 0; k < 2 * r1; ++k) polyg1[k] = pl.P1[k];
        for (int k = 0; k < 2 * r2; ++k) polyg2[k] = pl.P2[k];
    }
    if (code < 0) ier = -10;
    if (code > 0) ier = 10;
    // A refused release leaves the pairs complete; its code must not read
    // as a curve reduced to a point (10).
    f.release_all();
    if (ier == 10 && code == 0) ier = -10;
}

}  // namespace vcbm::cc

namespace cc = vcbm::cc;

extern "C" {

int nfnequ(const int* NDIM, const double* P, const double* Q, const double* EPS2) {
    double s = 0.0;
    for (int i = 0; i < *NDIM; ++i) {
        const double d = P[i] - Q[i];
        s += d * d;
    }
    return s <= *EPS2 ? 1 : 0;
}

void uadsol(const int* NDIM, const double* X, const double* EPS, const int* NMAX, int* NSOL, double* SOL,
            int* IER) {
    *IER = *NDIM < 1 ? 0 : cc::add_solution(*NDIM, X, *EPS, *NMAX, *NSOL, SOL);
}

void uncvcv(const int* NCOEF1, const double* COEF1, const int* NCOEF2, const double* COEF2, const double* DCOEF1,
            const double* DCOEF2, const double* A1, const double* B1, const double* A2, const double* B2, double* T1,
            double* T2, int* IER) {
    static constexpr auto R = vcbm::routine("UNCVCV");
    vcbm::Frame f(R, *IER);
    const int n1 = *NCOEF1, n2 = *NCOEF2;
    if (n1 < 1 || n1 > cc::kMaxCoef || n2 < 1 || n2 > cc::kMaxCoef) return f.fail(1);
    cc::Curve2 c1, c2;
    c1.n = n1;
    c2.n = n2;
    c1.nd = std::max(n1 - 1, 1);
    c2.nd = std::max(n2 - 1, 1);
    std::copy(COEF1, COEF1 + 2 * n1, c1.c);
    std::copy(COEF2, COEF2 + 2 * n2, c2.c);
    std::copy(DCOEF1, DCOEF1 + 2 * c1.nd, c1.d);
    std::copy(DCOEF2, DCOEF2 + 2 * c2.nd, c2.d);
    *IER = cc::newton(c1, c2, *A1, *B1, *A2, *B2, *T1, *T2, cc::read_tols());
}

void urcvcv(const int* ICONV, const int* NCOEF1, const double* COEF1, double* POLYG1, const double* TA1,
            const double* TB1, const int* NCOEF2, const double* COEF2, double* POLYG2, const double* TA2,
            const double* TB2, const double* EPS, const int* NSOLMAX, int* NSOL, double* SOL, int* IER) {
    cc::planar_driver(vcbm::TraceLevel{nfndeb()}, *ICONV, *NCOEF1, COEF1, POLYG1, *TA1, *TB1, *NCOEF2, COEF2,
                      POLYG2, *TA2, *TB2, *EPS, *NSOLMAX, *NSOL, SOL, *IER);
}

}  // extern "C"

namespace {

bool all_finite(int n, const double* v) noexcept {
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(v[k])) return false;
    return true;
}

}  // namespace

extern "C" void umcvcv(const int* NDIM, const int* NCOEF1, const double* COEF1, const double* TA1,
                       const double* TB1, const int* NCOEF2, const double* COEF2, const double* TA2,
                       const double* TB2, const int* IOPT, const int* NSOLMAX, int* NSOL, double* SOL, int* IER) {
    static constexpr auto R = vcbm::routine("UMCVCV");
    vcbm::Frame f(R, *IER);
    *NSOL = 0;
    const int ndim = *NDIM, n1 = *NCOEF1, n2 = *NCOEF2, iopt = *IOPT, nmax = *NSOLMAX;
    // The general failure message goes with codes 1, 2 and 3, on every exit.
    struct Message {
        int& ier;
        ~Message() {
            if (ier >= 1 && ier <= 3) vcbm::report_failure(R);
        }
    } message{*IER};
    if (n1 < 2 || n1 > cc::kMaxCoef || n2 < 2 || n2 > cc::kMaxCoef || (ndim != 2 && ndim != 3) ||
        (iopt != 1 && iopt != 2))
        return f.fail(2);
    // Infinite or NaN data describe no curve.
    const double ends[4] = {*TA1, *TB1, *TA2, *TB2};
    if (!all_finite(ndim * n1, COEF1) || !all_finite(ndim * n2, COEF2) || !all_finite(4, ends)) return f.fail(2);

    if (ndim == 2 && iopt == 1) {
        double poly1[2 * cc::kMaxCoef], poly2[2 * cc::kMaxCoef];
        int code = 0;
        cc::planar_driver(f.trace_level(), 0, n1, COEF1, poly1, *TA1, *TB1, n2, COEF2, poly2, *TA2, *TB2,
                          cc::kDefaultEps, nmax, *NSOL, SOL, code);
        if (code == 10) return f.fail(2);
        if (code == 20) return f.fail(-1);
        if (code == -10) return f.fail(1);
        if (code != 0) return f.fail(3);
        return;
    }
    if (ndim == 2) {
        cc::Curve2 c1, c2;
        cc::set_curve(c1, n1, COEF1);
        cc::set_curve(c2, n2, COEF2);
        double t1 = SOL[0], t2 = SOL[1];
        const int code = cc::newton_traced(f.trace_level(), c1, c2, std::min(*TA1, *TB1), std::max(*TA1, *TB1),
                                           std::min(*TA2, *TB2), std::max(*TA2, *TB2), t1, t2, cc::read_tols());
        if (code > 0) return;
        if (nmax < 1) return f.fail(1);
        SOL[0] = t1;
        SOL[1] = t2;
        *NSOL = 1;
        return;
    }
    // Space curves.
    if (iopt == 1) {
        const double eps = cc::kDefaultEps;
        int code = 0;
        ur3dcv(NCOEF1, COEF1, TA1, TB1, NCOEF2, COEF2, TA2, TB2, &eps, NSOLMAX, NSOL, SOL, &code);
        if (code == 2) return f.fail(2);
        if (code == 10) return f.fail(-1);
        if (code == -10) return f.fail(1);
        if (code != 0) f.fail(3);
        return;
    }
    double t1 = SOL[0], t2 = SOL[1];
    int found = 0, code = 0;
    un3dcv(NCOEF1, COEF1, TA1, TB1, NCOEF2, COEF2, TA2, TB2, &found, &t1, &t2, &code);
    if (code == 2) return f.fail(2);
    if (code == 10) return f.fail(-1);
    if (found == 1) {
        if (nmax < 1) return f.fail(1);
        SOL[0] = t1;
        SOL[1] = t2;
        *NSOL = 1;
    }
    if (code != 0) f.fail(3);
}
