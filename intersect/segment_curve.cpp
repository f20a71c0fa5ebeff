// Intersection of a straight segment with a planar curve (uadtcv and its
// family). The plane is turned so that the segment lies on the x-axis; only
// the curve is subdivided, and a piece of it meets the segment where its y
// polynomial vanishes within the segment's x range.
#include <algorithm>
#include <cmath>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "intersect/curve_curve.hpp"
#include "vcbm_intersect.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace vcbm::cc {
namespace {

struct Segment {
    TraceLevel trace{0};
    Tols tol;
    double eps = kDefaultEps;
    SolutionList list{0, nullptr, nullptr};
    Curve2 line;              // the segment as a curve of two coefficients, on the x-axis
    Curve2 curve;             // the curve in the turned plane
    double y[kMaxCoef];       // its y polynomial
    double A1 = 0, B1 = 0;    // the segment's interval (after the end points)
    double xmin = 0, xmax = 0;  // its x range
    double A2 = 0, B2 = 0;    // the curve's interval
    double P[2 * kMaxCoef];   // the curve's polygon on [A2, B2]
    // Pieces that may still be split: a curve that runs along the segment
    // keeps every piece pending, twice as many at every level.
    long splits_left = kMaxSplits;
    long newton_left = kMaxNewtonSteps;  // likewise the Newton steps (see kMaxNewtonSteps)
};

// Whether the point (X, Y) lies in the box widened by MARGIN (uptbox).
bool point_in_box(const Box& b, double x, double y, double margin) noexcept {
    const double dx = x - b.o[0], dy = y - b.o[1];
    const double s = dx * b.u[0] + dy * b.u[1], r = dx * b.v[0] + dy * b.v[1];
    return s >= b.lo[0] - margin && s <= b.hi[0] + margin && r >= b.lo[1] - margin && r <= b.hi[1] + margin;
}

// The oriented box of a piece against the segment (uidtbx): a segment end
// inside the box meets it at once (uptbox); otherwise the separating axes of
// the box and of the segment, seen as a flat box, decide.
bool box_misses_segment(const Segment& sg, const Box& b) noexcept {
    const double e = sg.tol.eps1;
    if (point_in_box(b, sg.xmin, 0.0, e) || point_in_box(b, sg.xmax, 0.0, e)) return false;
    Box flat{};
    flat.o[0] = sg.xmin;
    flat.u[0] = 1.0;
    flat.v[1] = 1.0;
    flat.hi[0] = sg.xmax - sg.xmin;
    return boxes_disjoint(b, flat, e);
}

// Exclusion test of a piece's polygon (uzdtcv with uidplg): 1 excluded, 0
// kept.
bool piece_excluded(const Segment& sg, int n, const double* q) noexcept {
    const double e = sg.tol.eps1;
    double xlo = q[0], xhi = q[0], ylo = q[1], yhi = q[1];
    for (int k = 1; k < n; ++k) {
        xlo = std::min(xlo, q[2 * k]);
        xhi = std::max(xhi, q[2 * k]);
        ylo = std::min(ylo, q[2 * k + 1]);
        yhi = std::max(yhi, q[2 * k + 1]);
    }
    if (!(xhi >= sg.xmin - e && xlo <= sg.xmax + e)) return true;  // NaN excluded as well
    if (ylo > e || yhi < -e) return true;
    // The chord: kept when it crosses the axis within the segment's range.
    const double* p0 = q;
    const double* p1 = q + 2 * (n - 1);
    const double dy = p1[1] - p0[1];
    const bool near_end = std::fabs(p0[1]) <= e || std::fabs(p1[1]) <= e;
    const bool across = (p0[1] > 0 && p1[1] < 0) || (p0[1] < 0 && p1[1] > 0);
    if (near_end || across) {
        const double slope = std::fabs(dy) <= 1e-20 ? 1e20 : (p1[0] - p0[0]) / dy;
        const double x = std::fabs(dy) <= 1e-20 ? (std::fabs(p0[1]) <= e ? p0[0] : p1[0]) : p0[0] - p0[1] * slope;
        if (x >= sg.xmin - e && x <= sg.xmax + e) return false;
    }
    Box b;
    oriented_box(n, q, b);
    return box_misses_segment(sg, b);
}

// Single-crossing test (ujdtcv): the piece crosses the axis once at most
// when its tangent cone (uextjb) excludes the horizontal, that is when the y
// steps of all its non-zero legs have one strict sign.
bool piece_single(int n, const double* q) noexcept {
    int side = 0;
    for (int k = 1; k < n; ++k) {
        const double lx = q[2 * k] - q[2 * k - 2], ly = q[2 * k + 1] - q[2 * k - 1];
        if (lx == 0.0 && ly == 0.0) continue;
        const int s = ly > 0.0 ? 1 : (ly < 0.0 ? -1 : 0);
        if (s == 0 || (side != 0 && s != side)) return false;
        side = s;
    }
    return side != 0;
}

// Inserts the crossing at curve parameter T2 when its x lies on the
// segment, after refining the pair by the Newton iteration on [A, B].
// False when the list is full.
bool add_crossing(Segment& sg, double t2, double a, double b, double resolution) noexcept {
    double p[2];
    point(sg.curve, t2, p);
    const double v = sg.line.c[2];
    double t1 = (p[0] - sg.line.c[0]) / v;
    const double e = sg.tol.epsnr;
    double r1 = t1, r2 = t2;
    if (newton_traced(sg.trace, sg.line, sg.curve, sg.A1, sg.B1, a, b, r1, r2, sg.tol, &sg.newton_left) < 1) {
        t1 = r1;
        t2 = r2;
    } else if (!(std::fabs(p[1]) <= sg.tol.eps1)) {
        return true;
    }
    if (!(t1 >= sg.A1 - e && t1 <= sg.B1 + e)) return true;
    return sg.list.add(t1, t2, resolution);
}

// Final solve of a piece with one crossing at most (ufdtcv): the crossing of
// the y polynomial on [A, B] by the bracketing solver (ucrbpt), then the
// pair. 0 settled, 1 the list is full.
int piece_solve(Segment& sg, double a, double b) noexcept {
    static constexpr auto R = routine("UFDTCV");
    int ier = 0;
    Frame f(R, ier, sg.trace);
    const double origin[2] = {0.0, 0.0}, axis[2] = {1.0, 0.0};
    double t2 = a;
    if (!crossing_with_line(sg.curve, a, b, origin, axis, sg.tol, t2)) return ier;
    return ier = add_crossing(sg, t2, a, b, sg.tol.epsnr) ? 0 : 1;
}

// A piece not split any further: Newton from the midpoints, and at the
// last level a coincidence at the midpoints. False when the list is full or
// the Newton steps are spent.
bool piece_small(Segment& sg, double a, double b, int level) noexcept {
    if (sg.newton_left < 0) return false;
    double t1 = (sg.A1 + sg.B1) / 2, t2 = (a + b) / 2;
    double p[2];
    point(sg.curve, t2, p);
    const double v = sg.line.c[2];
    t1 = std::clamp((p[0] - sg.line.c[0]) / v, sg.A1, sg.B1);
    // As for a pair of curves: a known contact settles the piece, a new one
    // is found by its own iteration, then the Newton iteration.
    if (on_known_contact(sg.line, sg.curve, sg.list, sg.eps, sg.tol, t1, t2)) return true;
    if (refine_contact(sg.line, sg.curve, sg.tol, sg.A1, sg.B1, sg.A2, sg.B2, t1, t2))
        return sg.list.add(t1, t2, sg.eps);
    if (newton_traced(sg.trace, sg.line, sg.curve, sg.A1, sg.B1, a, b, t1, t2, sg.tol, &sg.newton_left) < 1)
        return sg.list.add(t1, t2, sg.eps);
    if (level < kMaxLevel || !(std::fabs(p[1]) <= sg.tol.eps1)) return true;
    const double x = p[0];
    if (!(x >= sg.xmin - sg.tol.eps1 && x <= sg.xmax + sg.tol.eps1)) return true;
    return sg.list.add((x - sg.line.c[0]) / v, (a + b) / 2, sg.eps);
}

// Splits the piece [A, B] with polygon Q into the halves H (left, right)
// and settles each: PENDING says which must be split further. -10 when the
// solve must stop, else 0.
int split_piece(Segment& sg, double a, double b, const double* q, double* h, bool pending[2]) noexcept {
    if (--sg.splits_left < 0 || sg.newton_left < 0) return -10;
    const int n = sg.curve.n, two = 2, ldw = kMaxCoef;
    double unused[1];
    upolyg(&two, &ldw, &n, q, unused, h, h + 2 * kMaxCoef);
    const double m = (a + b) / 2;
    for (int i = 0; i < 2; ++i) {
        const double* half = h + i * 2 * kMaxCoef;
        const double ha = i ? m : a, hb = i ? b : m;
        pending[i] = false;
        if (piece_excluded(sg, n, half)) continue;
        if (!piece_single(n, half)) {
            pending[i] = true;
            continue;
        }
        if (piece_solve(sg, ha, hb) != 0) return -10;
    }
    return 0;
}

bool piece_is_small(const Segment& sg, double a, double b, int level) noexcept {
    return b - a <= sg.eps || level >= kMaxLevel;
}

// Subdivision below the stored levels (uydtcv): pending pieces kept as
// intervals, their polygons recomputed from the curve's.
int subdivide_unstored(Segment& sg, double a, double b, int level, const double* q) noexcept {
    static constexpr auto R = routine("UYDTCV");
    int ier = 0;
    Frame f(R, ier, sg.trace);
    struct Item {
        double a, b;
        int level;
    };
    Item stack[2 * kMaxLevel + 2];
    int top = 0;
    double h[kLevelReals], piece[2 * kMaxCoef], left[2 * kMaxCoef], rest[2 * kMaxCoef], unused[1];
    bool pending[2];
    const auto push = [&](double pa, double pb, int lv) {
        const double m = (pa + pb) / 2;
        if (pending[1]) stack[top++] = Item{m, pb, lv + 1};
        if (pending[0]) stack[top++] = Item{pa, m, lv + 1};
    };
    if (split_piece(sg, a, b, q, h, pending) != 0) return ier = -10;
    push(a, b, level);
    const int n = sg.curve.n, two = 2, ldw = kMaxCoef;
    while (top > 0) {
        const Item it = stack[--top];
        if (piece_is_small(sg, it.a, it.b, it.level)) {
            if (!piece_small(sg, it.a, it.b, it.level)) return ier = -10;
            continue;
        }
        const double len = sg.B2 - sg.A2;
        const double sb = (it.b - sg.A2) / len, sa = (it.a - sg.A2) / (it.b - sg.A2);
        uplygg(&two, &ldw, &n, sg.P, &sb, unused, left, rest);
        uplygg(&two, &ldw, &n, left, &sa, unused, rest, piece);
        if (split_piece(sg, it.a, it.b, piece, h, pending) != 0) return ier = -10;
        push(it.a, it.b, it.level);
    }
    return ier;
}

// Subdivision of the curve (uhdtcv) with NLEV stored levels in ST (84 reals
// per level), depth first. -10 when the solve must stop, else 0.
int subdivide(Segment& sg, double* st, int nlev) noexcept {
    static constexpr auto R = routine("UHDTCV");
    int ier = 0;
    Frame f(R, ier, sg.trace);
    double lo[kMaxLevel + 1][2], hi[kMaxLevel + 1][2];
    bool pending[kMaxLevel + 1][2] = {};
    double a = sg.A2, b = sg.B2;
    const double* q = sg.P;
    int level = 1, top = 0;
    for (;;) {
        int code = 0;
        if (piece_is_small(sg, a, b, level)) {
            code = piece_small(sg, a, b, level) ? 0 : -10;
        } else if (level > nlev) {
            code = subdivide_unstored(sg, a, b, level, q);
        } else {
            code = split_piece(sg, a, b, q, st + (level - 1) * kLevelReals, pending[level]);
            const double m = (a + b) / 2;
            lo[level][0] = a;
            hi[level][0] = m;
            lo[level][1] = m;
            hi[level][1] = b;
            top = level;
        }
        if (code != 0) return ier = -10;
        int k = -1;
        while (top > 0) {
            k = pending[top][0] ? 0 : (pending[top][1] ? 1 : -1);
            if (k >= 0) break;
            --top;
        }
        if (top == 0) break;
        pending[top][k] = false;
        a = lo[top][k];
        b = hi[top][k];
        q = st + (top - 1) * kLevelReals + k * 2 * kMaxCoef;
        level = top + 1;
    }
    return ier;
}

}  // namespace

}  // namespace vcbm::cc

extern "C" void uadtcv(const double* SEG, const double* TA1, const double* TB1, const int* NCOEF2,
                       const double* COEF2, const double* TA2, const double* TB2, double* POLYST, const int* NLEV,
                       const double* EPS, const int* NSOLMAX, int* NSOL, double* SOL, int* IER) {
    namespace cc = vcbm::cc;
    static constexpr auto R = vcbm::routine("UADTCV");
    vcbm::Frame f(R, *IER);
    *NSOL = 0;
    const int n2 = *NCOEF2;
    if (n2 < 1 || n2 > cc::kMaxCoef) return f.fail(2);
    if (*TA1 == *TB1) return f.fail(145);
    double veps = vcbm::tol::epspb();
    if (std::fabs(SEG[2]) <= veps && std::fabs(SEG[3]) <= veps) return f.fail(146);

    thread_local cc::Segment sg;
    sg.trace = f.trace_level();
    sg.tol = cc::read_tols();
    sg.eps = *EPS;
    sg.list = cc::SolutionList{*NSOLMAX, NSOL, SOL};
    sg.splits_left = cc::kMaxSplits;
    sg.newton_left = cc::kMaxNewtonSteps;
    // Turn the plane so that the segment's direction is the x-axis and its
    // line the axis itself.
    const double vlen = std::hypot(SEG[2], SEG[3]);
    const double c = SEG[2] / vlen, s = SEG[3] / vlen;
    double rot[2 * cc::kMaxCoef];
    for (int k = 0; k < n2; ++k) {
        const double x = COEF2[2 * k], y = COEF2[2 * k + 1];
        rot[2 * k] = c * x + s * y;
        rot[2 * k + 1] = -s * x + c * y;
    }
    rot[1] -= c * SEG[1] - s * SEG[0];
    cc::set_curve(sg.curve, n2, rot);
    for (int k = 0; k < n2; ++k) sg.y[k] = rot[2 * k + 1];
    const double line[4] = {c * SEG[0] + s * SEG[1], 0.0, vlen, 0.0};
    cc::set_curve(sg.line, 2, line);
    sg.A1 = std::min(*TA1, *TB1);
    sg.B1 = std::max(*TA1, *TB1);
    sg.A2 = std::min(*TA2, *TB2);
    sg.B2 = std::max(*TA2, *TB2);

    bool moved = false;
    if (cc::end_points(sg.line, sg.A1, sg.B1, sg.curve, sg.A2, sg.B2, sg.list, sg.tol, moved) != 0)
        return f.fail(-10);
    // x grows with the segment's parameter (its direction is the x-axis).
    sg.xmin = line[0] + vlen * sg.A1;
    sg.xmax = line[0] + vlen * sg.B1;
    const int two = 2;
    double work[2 * cc::kMaxCoef];
    ufdplg(&two, &n2, sg.curve.c, &sg.A2, &sg.B2, work, sg.P);
    const int nlev = std::max(*NLEV, 0);
    thread_local double own_level[cc::kLevelReals];
    double* st = nlev > 0 ? POLYST : own_level;
    if (cc::subdivide(sg, st, std::max(nlev, 1)) != 0) f.fail(-10);
    cc::merge_contacts(sg.line, sg.curve, sg.list, sg.eps, sg.tol);
}
