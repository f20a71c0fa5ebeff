// Classification of points of the plane against a domain bounded by
// polynomial curves: inside (1), outside (-1), on the boundary (0) or
// undetermined (10).
//
// A ray leaves each point and its crossings with the boundary curves are
// counted: odd means inside. The ray is a segment long enough to leave the
// global box of the boundary; curves whose boxes it misses are skipped, the
// others are intersected with it (umcvcv). When the ray meets the boundary
// badly (near a curve end, tangentially, along a piece, at two crossings too
// close to tell apart) the count would be wrong, so the ray turns by one
// degree and the count starts again, 359 directions at most.
#include <algorithm>
#include <cmath>

#include "OrvoSystem.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_frame.h"
#include "vcbm_intersect.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"

namespace {

// Crossings umcvcv may return for one ray and one curve.
constexpr int kMaxCrossings = 21;
// Coefficients umcvcv accepts per curve.
constexpr int kMaxCoef = 21;

enum Verdict { kInside = 1, kOutside = -1, kOnBoundary = 0, kUndetermined = 10 };

// The two tolerances of the ray tests, read once per box.
struct RayTolerances {
    double eps1 = vcbm::tol::eps1();
    double epsnr = vcbm::tol::epsnr();
};

// sindd1 with the trace level of an enclosing frame.
int ray_meets_segment(const double* p, const double* d, const double* q, const double* e, const RayTolerances& tol,
                      vcbm::TraceLevel level) noexcept {
    static constexpr auto R = vcbm::routine("SINDD1");
    vcbm::Frame f(R, level);
    const double eps1 = tol.eps1, epsnr = tol.epsnr;
    const double det = d[1] * e[0] - d[0] * e[1];
    const double wx = q[0] - p[0], wy = q[1] - p[1];
    if (std::fabs(det) < eps1) {
        // Parallel: both ends of the segment on the ray's line, one of them ahead.
        const double n0 = -d[1] * wx + d[0] * wy, n1 = -d[1] * (wx + e[0]) + d[0] * (wy + e[1]);
        const double a0 = d[0] * wx + d[1] * wy, a1 = d[0] * (wx + e[0]) + d[1] * (wy + e[1]);
        return std::min(n0, n1) <= epsnr && std::max(n0, n1) >= -epsnr && std::max(a0, a1) >= -epsnr;
    }
    // Along the segment first: most rays miss a box edge there.
    const double u = (d[0] * wy - d[1] * wx) / det;
    if (!(u > -epsnr && u < 1 + epsnr)) return 0;
    const double s = (e[0] * wy - e[1] * wx) / det;
    return s > -epsnr;
}

// sbtid1 with the trace level of an enclosing frame: the edges [O, O+U],
// [O, O+V], [O+V, O+V+U], [O+U, O+U+V] in turn.
int ray_meets_box(const double* p, const double* d, const double* box, vcbm::TraceLevel level) noexcept {
    static constexpr auto R = vcbm::routine("SBTID1");
    vcbm::Frame f(R, level);
    const double* o = box;
    const double* u = box + 2;
    const double* v = box + 4;
    const double ov[2] = {o[0] + v[0], o[1] + v[1]}, ou[2] = {o[0] + u[0], o[1] + u[1]};
    const double* starts[4] = {o, o, ov, ou};
    const double* edges[4] = {u, v, u, v};
    const RayTolerances tol;
    for (int k = 0; k < 4; ++k)
        if (ray_meets_segment(p, d, starts[k], edges[k], tol, f.trace_level())) return 1;
    return 0;
}

// True when the curve cannot meet the ray segment: its control polygon on
// [TA, TB] lies wholly on one side of the ray's line, or wholly behind P,
// by more than EPS1 (the distance within which umcvcv would see a meeting).
// The curve lies in the convex hull of that polygon, so such a curve gives
// umcvcv nothing to find and is skipped without the intersection.
bool cannot_meet(int ncoef, const double* coef, double ta, double tb, const double* p, const double* d) noexcept {
    double work[2 * kMaxCoef], poly[2 * kMaxCoef];
    const int two = 2;
    ufdplg(&two, &ncoef, coef, &ta, &tb, work, poly);
    const double tol = 2 * vcbm::tol::eps1() * std::sqrt(d[0] * d[0] + d[1] * d[1]);
    bool left = true, right = true, behind = true;
    for (int k = 0; k < ncoef; ++k) {
        const double wx = poly[2 * k] - p[0], wy = poly[2 * k + 1] - p[1];
        const double across = d[0] * wy - d[1] * wx, along = d[0] * wx + d[1] * wy;
        left = left && across > tol;
        right = right && across < -tol;
        behind = behind && along < -tol;
    }
    return left || right || behind;
}

// The checks of one crossing list against the ray: 0 when every crossing
// counts, else the text that rejects the direction.
const char* rejected(int ncoef, const double* coef, double ta, double tb, const double* d, double tolrel,
                     double eps, const double* sol, int nsol) noexcept {
    const double len = std::fabs(tb - ta), near = tolrel * len;
    const int two = 2, one = 1;
    for (int k = 0; k < nsol; ++k) {
        const double t = sol[2 * k];
        if (std::fabs(t - ta) <= near || std::fabs(t - tb) <= near) return "SIEPFC : Intersection trouve trop proche du bord";
        double tan[2];
        mdrvck(&ncoef, &two, coef, &one, &t, tan);
        const double tn = std::sqrt(tan[0] * tan[0] + tan[1] * tan[1]);
        if (!(tn >= 1e-9)) return "SIEPFC : Le vecteur tangent a la courbe est nul";
        // Along D or against it: a ray running along a boundary piece either way.
        if (std::fabs(1.0 - std::fabs((tan[0] * d[0] + tan[1] * d[1]) / tn)) <= eps)
            return "SIEPFC : Le vecteur tangent est colineaire a la direction";
        if (k + 1 < nsol && std::fabs(sol[2 * (k + 1)] - t) <= near) return "SIEPFC : Deux intersections trop proches";
    }
    return nullptr;
}

// siepfc with the trace level of an enclosing frame.
void ray_crossings(int ncoef, const double* coef, const double* interval, const double* p, const double* d,
                   double radius, double tolrel, double eps, int iflag, int* ninter, double* xinter, int* ierc,
                   vcbm::TraceLevel level) noexcept {
    static constexpr auto R = vcbm::routine("SIEPFC");
    vcbm::Frame f(R, *ierc, level);
    *ninter = 0;
    double seg[4];
    int ier = 0;
    const int two = 2, forward = 2;
    lnpvdl(&two, p, d, &radius, &forward, seg, &ier);
    if (ier != 0) return f.fail(1);

    // A curve that is a point within the tolerance crosses nothing.
    const double ta = interval[0], tb = interval[1], tm = (ta + tb) / 2;
    double ca[2], cb[2], cm[2];
    pocurv(&two, &ncoef, coef, &ta, ca);
    pocurv(&two, &ncoef, coef, &tb, cb);
    pocurv(&two, &ncoef, coef, &tm, cm);
    auto dist = [](const double* a, const double* b) {
        return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]));
    };
    if (dist(ca, cb) + dist(cb, cm) <= 2 * vcbm::tol::epspb())
        return;
    if (cannot_meet(ncoef, coef, ta, tb, p, d)) return;

    // Pairs (curve parameter, ray parameter), in ray order.
    double sol[2 * kMaxCrossings];
    const double s0 = 0.0, s1 = 1.0;
    const int all = 1, cap = kMaxCrossings;
    int nsol = 0;
    umcvcv(&two, &ncoef, coef, &ta, &tb, &two, seg, &s0, &s1, &all, &cap, &nsol, sol, &ier);
    if (ier > 0) return f.fail(-1);
    if (nsol == 0) return;
    vsheld(&nsol, &two, sol, &two);
    if (iflag == 1) return;

    if (std::fabs(sol[1]) < vcbm::tol::epsnr()) {
        vcbm::debug_line("SIEPFC : Le point est sur la courbe");
        return f.fail(-2);
    }
    if (const char* why = rejected(ncoef, coef, ta, tb, d, tolrel, eps, sol, nsol)) {
        if (f.level() != 0) vcbm::debug_line(why);
        return f.fail(-1);
    }
    for (int k = 0; k < nsol; ++k) {
        xinter[2 * k] = seg[0] + sol[2 * k + 1] * seg[2];
        xinter[2 * k + 1] = seg[1] + sol[2 * k + 1] * seg[3];
    }
    *ninter = nsol;
}

// siepfb with the trace level of an enclosing frame.
void classify_point(int ncmax, int ncurve, const int* ncoef, const double* coefs, const double* intervals,
                    const double* boxes, double radius, const double* p, double tolrel, int* result, int* ier,
                    vcbm::TraceLevel level) noexcept {
    static constexpr auto R = vcbm::routine("SIEPFB");
    vcbm::Frame f(R, *ier, level);
    *result = kUndetermined;
    if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(radius)) return f.fail(2);
    const double eps = vcbm::tol::epsnr();
    auto coef = vcbm::arr3(coefs, 2, ncmax);
    double xinter[2 * kMaxCrossings];
    for (int degrees = 1; degrees < 360; ++degrees) {
        const double a = degrees * dnombr[3];
        const double d[2] = {std::cos(a), std::sin(a)};
        int count = 0, ierc = 0;
        for (int i = 1; i <= ncurve; ++i) {
            if (!ray_meets_box(p, d, boxes + 6 * (i - 1), f.trace_level())) continue;
            int ninter = 0;
            ray_crossings(ncoef[i - 1], coef.at(1, 1, i), intervals + 2 * (i - 1), p, d, radius, tolrel, eps, 0,
                          &ninter, xinter, &ierc, f.trace_level());
            if (ierc != 0) break;
            count += ninter;
        }
        if (ierc > 0) return f.fail(1);
        if (ierc == -2) {
            *result = kOnBoundary;
            vcbm::debug_line("SIEPFB : Le point est sur la frontiere");
            return f.fail(-1);
        }
        if (ierc == -1) continue;  // a bad direction: the next degree
        *result = count % 2 == 1 ? kInside : kOutside;
        return;
    }
    vcbm::debug_line("SIEPFB : Bouclage de 360 degres");
    f.fail(2);
}

// True when every end of every curve meets an end of another curve, or the
// other end of its own, within EPS1: the boundary is closed.
bool closed_boundary(int ncmax, int ncurve, const int* ncoef, const double* coefs, const double* intervals) noexcept {
    const double eps1 = vcbm::tol::eps1();
    auto coef = vcbm::arr3(coefs, 2, ncmax);
    const int two = 2;
    auto end = [&](int i, int side, double* e) { pocurv(&two, &ncoef[i], coef.at(1, 1, i + 1), &intervals[2 * i + side], e); };
    for (int i = 0; i < ncurve; ++i) {
        for (int side = 0; side < 2; ++side) {
            double e[2], g[2];
            end(i, side, e);
            bool met = false;
            for (int j = 0; j < ncurve && !met; ++j) {
                for (int other = 0; other < 2 && !met; ++other) {
                    if (j == i && other == side) continue;
                    end(j, other, g);
                    met = std::hypot(e[0] - g[0], e[1] - g[1]) <= eps1;
                }
            }
            if (!met) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" {

void sindd1(const double* P, const double* D, const double* Q, const double* E, int* HIT) {
    *HIT = ray_meets_segment(P, D, Q, E, RayTolerances{}, vcbm::TraceLevel{nfndeb()});
}

void sbtid1(const double* P, const double* D, const double* BOX, int* HIT) {
    *HIT = ray_meets_box(P, D, BOX, vcbm::TraceLevel{nfndeb()});
}

void siepfc(const int* NCOEF, const double* COEF, const double* INTERVAL, const double* P, const double* D,
            const double* RADIUS, const double* TOLREL, const double* EPS, const int* IFLAG, int* NINTER,
            double* XINTER, int* IERC) {
    *NINTER = 0;
    if (*NCOEF < 2 || *NCOEF > kMaxCoef) {  // outside what umcvcv takes: the direction cannot be used
        static constexpr auto R = vcbm::routine("SIEPFC");
        vcbm::Frame f(R, *IERC);
        return f.fail(-1);
    }
    ray_crossings(*NCOEF, COEF, INTERVAL, P, D, *RADIUS, *TOLREL, *EPS, *IFLAG, NINTER, XINTER, IERC,
                  vcbm::TraceLevel{nfndeb()});
}

void siepfb(const int* NCMAX, const int* NCURVE, const int* NCOEF, const double* COEFS, const double* INTERVALS,
            const double* BOXES, const double* RADIUS, const double* P, const double* TOLREL, int* RESULT,
            int* IER) {
    classify_point(*NCMAX, *NCURVE, NCOEF, COEFS, INTERVALS, BOXES, *RADIUS, P, *TOLREL, RESULT, IER,
                   vcbm::TraceLevel{nfndeb()});
}

void siepf1(const int* NCMAX, const int* NCURVE, const double* COEFS, const double* INTERVALS, const int* NCOEF,
            const double* BOXES, const int* LDPT, const int* NPOINT, const double* POINTS, const double* TOLREL,
            int* RESULT, int* IER) {
    static constexpr auto R = vcbm::routine("SIEPF1");
    vcbm::Frame f(R, *IER);
    const int ncmax = *NCMAX, ncurve = *NCURVE, ldpt = *LDPT, npoint = *NPOINT;
    if (npoint < 1) return;
    if (ncurve < 1 || ldpt < 2 || ncmax < 2) return f.fail(2);
    for (int i = 0; i < ncurve; ++i)
        if (NCOEF[i] < 2 || NCOEF[i] > ncmax || NCOEF[i] > kMaxCoef) return f.fail(2);
    if (!closed_boundary(ncmax, ncurve, NCOEF, COEFS, INTERVALS)) return f.fail(3);

    // The global box, from the curves' boxes.
    double xmin = 1e30, ymin = 1e30, xmax = -1e30, ymax = -1e30;
    for (int i = 0; i < ncurve; ++i) {
        const double* b = BOXES + 6 * i;
        xmin = std::fmin(xmin, b[0]);
        ymin = std::fmin(ymin, b[1]);
        xmax = std::fmax(xmax, b[0] + b[2]);
        ymax = std::fmax(ymax, b[1] + b[5]);
    }
    const double corners[4][2] = {{xmin, ymin}, {xmin, ymax}, {xmax, ymin}, {xmax, ymax}};
    auto pts = vcbm::mat(POINTS, ldpt);
    const int two = 2;
    for (int k = 1; k <= npoint; ++k) {
        const double* p = pts.col(k);
        double far = 0.0;
        for (const auto& c : corners) {
            double dist;
            dsptpt(&two, p, c, &dist);
            far = std::max(far, dist);
        }
        const double radius = 1.1 * far;
        int ierb = 0;
        classify_point(ncmax, ncurve, NCOEF, COEFS, INTERVALS, BOXES, radius, p, *TOLREL, &RESULT[k - 1], &ierb,
                       f.trace_level());
        if (ierb > 0) {
            vcbm::debug_line("SIEPF1: Erreur dans un programme appele");
            return f.fail(1);
        }
        if (f.level() != 0) {
            switch (RESULT[k - 1]) {
                case kInside: vcbm::debug_line("SIEPF1 : point dans domaine, No ", k); break;
                case kOnBoundary: vcbm::debug_line("SIEPF1 : point sur frontiere, No ", k); break;
                case kOutside: vcbm::debug_line("SIEPF1 : point hors domaine, No ", k); break;
                default: break;
            }
        }
    }
}

}  // extern "C"
