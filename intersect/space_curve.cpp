// Intersection of two space curves (ur3dcv, un3dcv, ua3dcv and their
// helpers). Curves in one coordinate plane are solved there directly; other
// pairs are projected onto a plane chosen from the principal directions of
// their control polygons, solved in that plane, and the planar pairs kept
// only where the space points coincide.
#include <algorithm>
#include <cmath>
#include <string>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "intersect/curve_curve.hpp"
#include "vcbm_frame.h"
#include "vcbm_intersect.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"

namespace vcbm::cc {
namespace {

inline constexpr int kSpaceCapacity = 40;  // pairs kept by the space solve
constexpr int kThree = 3;

// A space curve with its derivative curve, leading dimension 3.
struct Curve3 {
    int n = 0, nd = 0;
    double c[3 * kMaxCoef];
    double d[3 * kMaxCoef];
};

void set_curve3(Curve3& cv, int n, const double* coef) noexcept {
    cv.n = n;
    std::copy(coef, coef + 3 * n, cv.c);
    int nd = 0;
    derivc(&kThree, &n, coef, &nd, cv.d);
    cv.nd = nd;
}

void point3(int n, const double* c, double t, double* p) noexcept {
    const double* q = c + 3 * (n - 1);
    double x = q[0], y = q[1], z = q[2];
    for (int j = n - 2; j >= 0; --j) {
        q -= 3;
        x = x * t + q[0];
        y = y * t + q[1];
        z = z * t + q[2];
    }
    p[0] = x;
    p[1] = y;
    p[2] = z;
}

bool same_point(const double* p, const double* q, const Tols& tol) noexcept {
    return nfnequ(&kThree, p, q, &tol.eps1sq) == 1;
}

// Symmetric 3 x 3 eigenproblem (uvprop): the unit eigenvector of the
// largest eigenvalue of A, on the library's Jacobi solver.
void principal_vector(double* a, double* dir) noexcept {
    const int n = 3;
    const double eps = 1e-14;
    double d[3], v[9], offnrm = 0.0;
    int nsweep = 0, ier = 0;
    vpvpsy(a, &n, &n, &eps, d, v, &nsweep, &offnrm, &ier);
    dir[0] = v[0];
    dir[1] = v[1];
    dir[2] = v[2];
}

// Unit normal of the projection plane of two polygons: the cross product of
// their principal directions, else of the first direction and the line of
// the centres, else (1, 1, 1)/sqrt(3).
void projection_normal(int n1, const double* p1, int n2, const double* p2, double* normal) noexcept {
    double c1[3], c2[3], d1[3], d2[3];
    ufddir(&kThree, &n1, p1, c1, d1);
    ufddir(&kThree, &n2, p2, c2, d2);
    cross3(d1, d2, normal);
    double len = norm(3, normal);
    if (!(len > 1e-12)) {
        for (int i = 0; i < 3; ++i) d2[i] = c2[i] - c1[i];
        cross3(d1, d2, normal);
        len = norm(3, normal);
        const double scale = norm(3, d2);
        if (!(len > 1e-12 * std::max(scale, 1.0))) {
            normal[0] = normal[1] = normal[2] = 1.0 / std::sqrt(3.0);
            return;
        }
    }
    for (int i = 0; i < 3; ++i) normal[i] /= len;
}

// The frame (U, W) of the plane perpendicular to the unit vector N, as
// FRAME(3, 2). False when prpvct fails.
bool plane_frame(const double* normal, double* frame) noexcept {
    int ier = 0;
    prpvct(&kThree, normal, frame, &ier);
    if (ier != 0) return false;
    pvec(normal, frame, frame + 3);
    return true;
}

// The curve and its derivative projected on FRAME, as a planar Curve2.
void project(const double* frame, const Curve3& cv, Curve2& out) noexcept {
    out.n = cv.n;
    out.nd = cv.nd;
    upjcrb(frame, &cv.n, cv.c, out.c);
    upjcrb(frame, &cv.nd, cv.d, out.d);
}

// Coordinate plane shared by both curves: the axis d (1..3) whose constant
// terms are equal and whose other coefficients are all at most EPSC; 0 when
// none.
int shared_axis(int n1, const double* c1, int n2, const double* c2, double epsc) noexcept {
    for (int d = 0; d < 3; ++d) {
        if (!(c1[d] == c2[d])) continue;
        bool flat = true;
        for (int k = 1; k < n1 && flat; ++k) flat = std::fabs(c1[3 * k + d]) <= epsc;
        for (int k = 1; k < n2 && flat; ++k) flat = std::fabs(c2[3 * k + d]) <= epsc;
        if (flat) return d + 1;
    }
    return 0;
}

// The two coordinates other than AXIS (in increasing order) of COEF(3, N).
void drop_axis(int axis, int n, const double* coef, double* out) noexcept {
    const int i = axis == 1 ? 1 : 0, j = axis == 3 ? 1 : 2;
    for (int k = 0; k < n; ++k) {
        out[2 * k] = coef[3 * k + i];
        out[2 * k + 1] = coef[3 * k + j];
    }
}

// Checks shared by ur3dcv and un3dcv: 2 a point, 10 identical, else 0 with
// the reduced counts.
int reduce_pair(int& n1, const double* c1, int& n2, const double* c2) noexcept {
    int r1 = 1, r2 = 1, k1 = 0, k2 = 0;
    udegcv(&kThree, &n1, c1, &r1, &k1);
    udegcv(&kThree, &n2, c2, &r2, &k2);
    if (k1 != 0 || k2 != 0) return 2;
    if (r1 == r2 && std::equal(c1, c1 + 3 * r1, c2)) return 10;
    n1 = r1;
    n2 = r2;
    return 0;
}

double smaller_eps() noexcept { return std::min(tol::epspb(), 1e-13); }

}  // namespace
}  // namespace vcbm::cc

namespace cc = vcbm::cc;

extern "C" {

void upjcrb(const double* FRAME, const int* NCOEF, const double* COEF3, double* COEF2) {
    for (int k = 0; k < *NCOEF; ++k) {
        const double* c = COEF3 + 3 * k;
        const double x = FRAME[0] * c[0] + FRAME[1] * c[1] + FRAME[2] * c[2];
        const double y = FRAME[3] * c[0] + FRAME[4] * c[1] + FRAME[5] * c[2];
        COEF2[2 * k] = x;
        COEF2[2 * k + 1] = y;
    }
}

void ufddir(const int* NDIM, const int* NCOEF, const double* POLYG, double* CENTRE, double* DIR) {
    const int ndim = *NDIM, n = *NCOEF;
    if (ndim < 1 || ndim > 3 || n < 1) return;
    double c[3] = {0, 0, 0}, a[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < n; ++k)
        for (int i = 0; i < ndim; ++i) c[i] += POLYG[ndim * k + i];
    for (int i = 0; i < ndim; ++i) c[i] /= n;
    // Scatter of the points about the centre, in 3 x 3 (zero rows beyond NDIM).
    for (int k = 0; k < n; ++k) {
        double w[3] = {0, 0, 0};
        for (int i = 0; i < ndim; ++i) w[i] = POLYG[ndim * k + i] - c[i];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) a[3 * j + i] += w[i] * w[j];
    }
    double dir[3];
    cc::principal_vector(a, dir);
    for (int i = 0; i < ndim; ++i) {
        CENTRE[i] = c[i];
        DIR[i] = dir[i];
    }
}

void ua3dcv(const int* NCOEF1, const double* COEF1, const double* DCOEF1, const double* POLYG1, const double* TA1,
            const double* TB1, const int* NCOEF2, const double* COEF2, const double* DCOEF2, const double* POLYG2,
            const double* TA2, const double* TB2, const double* EPS, const int* NSOLMAX, int* NSOL, double* SOL,
            int* IER) {
    static constexpr auto R = vcbm::routine("UA3DCV");
    vcbm::Frame f(R, *IER);
    const int n1 = *NCOEF1, n2 = *NCOEF2;
    if (n1 < 1 || n1 > cc::kMaxCoef || n2 < 1 || n2 > cc::kMaxCoef) return f.fail(1);
    const cc::Tols tol = cc::read_tols();
    const double eps = *EPS;
    cc::Curve3 s1, s2;
    s1.n = n1;
    s2.n = n2;
    s1.nd = std::max(n1 - 1, 1);
    s2.nd = std::max(n2 - 1, 1);
    std::copy(COEF1, COEF1 + 3 * n1, s1.c);
    std::copy(COEF2, COEF2 + 3 * n2, s2.c);
    std::copy(DCOEF1, DCOEF1 + 3 * s1.nd, s1.d);
    std::copy(DCOEF2, DCOEF2 + 3 * s2.nd, s2.d);

    double normal[3], frame[6];
    cc::projection_normal(n1, POLYG1, n2, POLYG2, normal);
    if (!cc::plane_frame(normal, frame)) return f.fail(1);
    cc::Curve2 p1, p2;
    cc::project(frame, s1, p1);
    cc::project(frame, s2, p2);
    double q1[2 * cc::kMaxCoef], q2[2 * cc::kMaxCoef];
    upjcrb(frame, &n1, POLYG1, q1);
    upjcrb(frame, &n2, POLYG2, q2);

    double planar[2 * cc::kSpaceCapacity];
    int nplanar = 0, code = 0;
    cc::planar_driver(f.trace_level(), 1, n1, p1.c, q1, *TA1, *TB1, n2, p2.c, q2, *TA2, *TB2, eps,
                      cc::kSpaceCapacity, nplanar, planar, code);
    if (code < 0) return f.fail(-10);
    if (code > 0) return f.fail(3);

    cc::SolutionList list{*NSOLMAX, NSOL, SOL};
    for (int k = 0; k < nplanar; ++k) {
        double t1 = planar[2 * k], t2 = planar[2 * k + 1];
        double d1[3], d2[3], axis[3];
        cc::point3(s1.nd, s1.d, t1, d1);
        cc::point3(s2.nd, s2.d, t2, d2);
        vcbm::cross3(d1, d2, axis);
        const double len = vcbm::norm(3, axis);
        double resolution = eps;
        if (len > tol.epspb2 * vcbm::norm(3, d1) * vcbm::norm(3, d2) && len > 0.0) {
            // Refined in the plane of both tangents, where they are far from
            // parallel.
            for (double& x : axis) x /= len;
            double fr[6];
            if (cc::plane_frame(axis, fr)) {
                cc::Curve2 r1, r2;
                cc::project(fr, s1, r1);
                cc::project(fr, s2, r2);
                double u1 = t1, u2 = t2;
                if (cc::newton_traced(f.trace_level(), r1, r2, t1 - eps, t1 + eps, t2 - eps, t2 + eps, u1, u2,
                                      tol) < 1) {
                    t1 = u1;
                    t2 = u2;
                }
            }
            resolution = tol.epsnr;
        }
        double x1[3], x2[3];
        cc::point3(n1, s1.c, t1, x1);
        cc::point3(n2, s2.c, t2, x2);
        if (!cc::same_point(x1, x2, tol)) continue;
        if (!list.add(t1, t2, resolution)) return f.fail(-10);
    }
}

void ur3dcv(const int* NCOEF1, const double* COEF1, const double* TA1, const double* TB1, const int* NCOEF2,
            const double* COEF2, const double* TA2, const double* TB2, const double* EPS, const int* NSOLMAX,
            int* NSOL, double* SOL, int* IER) {
    static constexpr auto R = vcbm::routine("UR3DCV");
    vcbm::Frame f(R, *IER);
    *NSOL = 0;
    int n1 = *NCOEF1, n2 = *NCOEF2;
    if (n1 < 1 || n1 > cc::kMaxCoef || n2 < 1 || n2 > cc::kMaxCoef) return f.fail(2);
    const double epsc = cc::smaller_eps();
    const double a1 = std::min(*TA1, *TB1), b1 = std::max(*TA1, *TB1);
    const double a2 = std::min(*TA2, *TB2), b2 = std::max(*TA2, *TB2);
    const int reduced = cc::reduce_pair(n1, COEF1, n2, COEF2);
    if (reduced != 0) return f.fail(reduced);

    if (const int axis = cc::shared_axis(n1, COEF1, n2, COEF2, epsc); axis != 0) {
        double c1[2 * cc::kMaxCoef], c2[2 * cc::kMaxCoef], q1[2 * cc::kMaxCoef], q2[2 * cc::kMaxCoef];
        cc::drop_axis(axis, n1, COEF1, c1);
        cc::drop_axis(axis, n2, COEF2, c2);
        int code = 0;
        cc::planar_driver(f.trace_level(), 0, n1, c1, q1, a1, b1, n2, c2, q2, a2, b2, *EPS, *NSOLMAX, *NSOL, SOL,
                          code);
        if (code > 0) return f.fail(3);
        if (code < 0) return f.fail(-10);
        return;
    }
    if (f.level() > 2) {
        vcbm::debug_line("UR3DCV : NCOEF1 =", n1);
        for (int k = 0; k < 3 * n1; ++k) vcbm::debug_line("UR3DCV : COEF1", COEF1[k]);
        vcbm::debug_line("UR3DCV : NCOEF2 =", n2);
        for (int k = 0; k < 3 * n2; ++k) vcbm::debug_line("UR3DCV : COEF2", COEF2[k]);
    }
    const int nmax = std::min(*NSOLMAX, cc::kSpaceCapacity);
    double d1[3 * cc::kMaxCoef], d2[3 * cc::kMaxCoef], p1[3 * cc::kMaxCoef], p2[3 * cc::kMaxCoef];
    double work[3 * cc::kMaxCoef];
    int nd1 = 0, nd2 = 0;
    derivc(&cc::kThree, &n1, COEF1, &nd1, d1);
    derivc(&cc::kThree, &n2, COEF2, &nd2, d2);
    ufdplg(&cc::kThree, &n1, COEF1, &a1, &b1, work, p1);
    ufdplg(&cc::kThree, &n2, COEF2, &a2, &b2, work, p2);
    // Halves of both polygons at the parameter midpoints.
    double h1[2][3 * cc::kMaxCoef], h2[2][3 * cc::kMaxCoef];
    const int ldw = cc::kMaxCoef;
    upolyg(&cc::kThree, &ldw, &n1, p1, work, h1[0], h1[1]);
    upolyg(&cc::kThree, &ldw, &n2, p2, work, h2[0], h2[1]);
    const double m1 = (a1 + b1) / 2, m2 = (a2 + b2) / 2;
    const double lo1[2] = {a1, m1}, hi1[2] = {m1, b1}, lo2[2] = {a2, m2}, hi2[2] = {m2, b2};
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            int code = 0;
            ua3dcv(&n1, COEF1, d1, h1[i], &lo1[i], &hi1[i], &n2, COEF2, d2, h2[j], &lo2[j], &hi2[j], EPS, &nmax,
                   NSOL, SOL, &code);
            if (code > 0) return f.fail(3);
            if (code < 0) return f.fail(-10);
        }
    }
}

void un3dcv(const int* NCOEF1, const double* COEF1, const double* TA1, const double* TB1, const int* NCOEF2,
            const double* COEF2, const double* TA2, const double* TB2, int* NSOL, double* T1, double* T2, int* IER) {
    static constexpr auto R = vcbm::routine("UN3DCV");
    vcbm::Frame f(R, *IER);
    *NSOL = 0;
    int n1 = *NCOEF1, n2 = *NCOEF2;
    if (n1 < 1 || n1 > cc::kMaxCoef || n2 < 1 || n2 > cc::kMaxCoef) return f.fail(2);
    const double a1 = std::min(*TA1, *TB1), b1 = std::max(*TA1, *TB1);
    const double a2 = std::min(*TA2, *TB2), b2 = std::max(*TA2, *TB2);
    const int reduced = cc::reduce_pair(n1, COEF1, n2, COEF2);
    if (reduced != 0) return f.fail(reduced);
    const cc::Tols tol = cc::read_tols();
    cc::Curve3 s1, s2;
    cc::set_curve3(s1, n1, COEF1);
    cc::set_curve3(s2, n2, COEF2);
    cc::Curve2 r1, r2;
    double u1 = *T1, u2 = *T2;
    if (const int axis = cc::shared_axis(n1, COEF1, n2, COEF2, cc::smaller_eps()); axis != 0) {
        double c1[2 * cc::kMaxCoef], c2[2 * cc::kMaxCoef];
        cc::drop_axis(axis, n1, COEF1, c1);
        cc::drop_axis(axis, n2, COEF2, c2);
        cc::set_curve(r1, n1, c1);
        cc::set_curve(r2, n2, c2);
        const int code = cc::newton_traced(f.trace_level(), r1, r2, a1, b1, a2, b2, u1, u2, tol);
        *IER = code;
        if (code < 1) {
            *NSOL = 1;
            *T1 = u1;
            *T2 = u2;
        }
        return;
    }
    double p1[3 * cc::kMaxCoef], p2[3 * cc::kMaxCoef], work[3 * cc::kMaxCoef], normal[3], frame[6];
    ufdplg(&cc::kThree, &n1, COEF1, &a1, &b1, work, p1);
    ufdplg(&cc::kThree, &n2, COEF2, &a2, &b2, work, p2);
    cc::projection_normal(n1, p1, n2, p2, normal);
    if (!cc::plane_frame(normal, frame)) return f.fail(1);
    cc::project(frame, s1, r1);
    cc::project(frame, s2, r2);
    const int code = cc::newton_traced(f.trace_level(), r1, r2, a1, b1, a2, b2, u1, u2, tol);
    *IER = code;
    if (code > 0) return;
    double x1[3], x2[3];
    cc::point3(n1, s1.c, u1, x1);
    cc::point3(n2, s2.c, u2, x2);
    if (!cc::same_point(x1, x2, tol)) return;
    *NSOL = 1;
    *T1 = u1;
    *T2 = u2;
}

}  // extern "C"
