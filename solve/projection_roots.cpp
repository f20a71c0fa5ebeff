// Roots of a polynomial given by its Bernstein coefficients on an interval,
// by subdivision, with the function and its tolerances supplied by the
// caller as routines: the solver behind the projection of a point onto a
// curve.
//
// mrs1g1 takes the tolerances of the whole interval and the work area;
// mrs1g2 walks the pieces depth first, each with its own tolerances; mrs1g4
// decides on one piece (no root, a solution interval where the polygon lies
// within the function tolerance, a monotonic piece whose root mrs1i4 refines,
// or a piece to halve); mrs1i4 refines by inverse interpolation. A piece
// still unsettled at the deepest level is a noisy interval.
//
// The function tolerance EPSF is in the units of the function's values, the
// parameter tolerance EPSX in those of the parameter; the derivative test of
// a piece of width w uses EPSF / EPSX / 4 * w.
#include <cmath>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "solve/bernstein.hpp"
#include "solve/noisy_roots.hpp"
#include "vcbm_solve.h"

namespace {

constexpr int kMaxCoef = 61;
constexpr int kDepth = 25;        // levels of mrs1g1's subdivision
constexpr int kDepthLimit = 40;   // the deepest mrs1g2 accepts
constexpr int kIterations = 16;   // refinement iterations
constexpr double kPrecisionFactor = 1000.0;

using Eval = void (*)(const double*, double*, int*);
using Tolerance = void (*)(const double*, double*, double*, int*);

// The result lists of one solve; capacity max(NCOEF - 1, 1) each.
struct Lists {
    int cap;
    double* solp;
    int& nsolp;
    double* soli;
    int& nsoli;
    double* noise;
    int& nnoise;
};

// Appends [a, b] to an interval list, merged with the last interval when
// they touch and MERGE; false when the list is full.
bool add_interval(double* list, int& count, int cap, double a, double b, bool merge) noexcept {
    if (merge && count > 0 && list[2 * count - 1] == a) {
        list[2 * count - 1] = b;
        return true;
    }
    if (count >= cap) return false;
    list[2 * count] = a;
    list[2 * count + 1] = b;
    ++count;
    return true;
}

// Inserts x into the ascending list; false when full.
bool add_root(double* list, int& count, int cap, double x) noexcept {
    if (count >= cap) return false;
    int k = count;
    while (k > 0 && list[k - 1] > x) {
        list[k] = list[k - 1];
        --k;
    }
    list[k] = x;
    ++count;
    return true;
}

// Refinement of the root of F in [a, b] (mrs1i4): 0 with the root in x, 1
// when the ends have the same sign beyond the tolerance, -1 when 16
// iterations did not bring |F| below it (x the best point, [a, b] the last
// bracket).
int refine(vcbm::TraceLevel level, Eval feval, double& a, double& b, double epsf, double& x) noexcept {
    static constexpr auto R = vcbm::routine("MRS1I4");
    int ier = 0;
    vcbm::Frame f(R, ier, level);
    if (a > b) {
        const double t = a;
        a = b;
        b = t;
    }
    int code = 0;
    double fa = 0.0, fb = 0.0;
    feval(&a, &fa, &code);
    feval(&b, &fb, &code);
    if (std::fabs(fa) <= epsf) {
        x = a;
        return ier;
    }
    if (std::fabs(fb) <= epsf) {
        x = b;
        return ier;
    }
    if (!((fa < 0.0) != (fb < 0.0))) {
        if (level.value >= 3) vcbm::debug_line(" ERR : incoherence fonction/polygone");
        return ier = 1;
    }
    double rel = 0.0;
    aovur8(&rel);
    const double prec = kPrecisionFactor * rel;
    // Inverse interpolation through the two ends and the end replaced last,
    // in the bracket's own coordinate s in [0, 1]; the secant point when the
    // step leaves (0, 1); a bisection after two steps that did not halve the
    // bracket.
    double xp = 0.0, fp = 0.0;
    bool have_prev = false;
    int stalls = 0;
    double best = std::fabs(fa) < std::fabs(fb) ? a : b, fbest = std::fmin(std::fabs(fa), std::fabs(fb));
    for (int it = 0; it < kIterations; ++it) {
        const double w = b - a;
        if (!(w > prec * std::fmax(1.0, std::fmax(std::fabs(a), std::fabs(b))))) break;
        double s = fa / (fa - fb);  // secant
        if (have_prev && fp != fa && fp != fb) {
            // Lagrange form of x(f) through (fa, a), (fb, b), (fp, xp) at f = 0.
            const double t = a * fb * fp / ((fa - fb) * (fa - fp)) + b * fa * fp / ((fb - fa) * (fb - fp)) +
                             xp * fa * fb / ((fp - fa) * (fp - fb));
            const double q = (t - a) / w;
            if (q > 0.0 && q < 1.0 && std::isfinite(q)) s = q;
        }
        if (stalls >= 2) {
            s = 0.5;
            stalls = 0;
        }
        s = std::fmin(std::fmax(s, prec), 1.0 - prec);
        const double t = a + s * w;
        double ft = 0.0;
        feval(&t, &ft, &code);
        if (std::fabs(ft) < fbest) {
            fbest = std::fabs(ft);
            best = t;
        }
        if (std::fabs(ft) <= epsf) {
            x = t;
            return ier;
        }
        // The end that the new point replaces is the third point of the
        // next interpolation.
        have_prev = true;
        if ((ft < 0.0) == (fa < 0.0)) {
            xp = a;
            fp = fa;
            a = t;
            fa = ft;
        } else {
            xp = b;
            fp = fb;
            b = t;
            fb = ft;
        }
        if (b - a > 0.5 * w) ++stalls;
    }
    x = best;
    return ier = -1;
}

// Decision on the piece [pa, pb] with Bernstein coefficients c(n) (mrs1g4).
// Returns IER (0, -1, 2) and sets settled.
int decide(vcbm::TraceLevel level, Eval feval, const double* c, int n, double pa, double pb, double epsx,
           double epsf, double* work, Lists& out, bool& settled) noexcept {
    static constexpr auto R = vcbm::routine("MRS1G4");
    int ier = 0;
    vcbm::Frame f(R, ier, level);
    settled = true;
    vcbm::noisy::PolygonSigns s;
    {
        static constexpr auto RS = vcbm::routine("MBTPT0");
        vcbm::Frame fs(RS, level);
        s = vcbm::noisy::polygon_signs(c, n, 1, epsf);
    }
    if (s.zero == 0) return ier;
    if (s.small == 1) {
        if (!add_interval(out.soli, out.nsoli, out.cap, pa, pb, true)) return ier = 2;
        // A root found at the start of the stretch belongs to it.
        if (out.nsolp > 0 && out.solp[out.nsolp - 1] >= pa - epsx) --out.nsolp;
        return ier = -1;
    }
    int nd = 0;
    {
        static constexpr auto RD = vcbm::routine("MDEPNA");
        vcbm::Frame fd(RD, level);
        vcbm::noisy::derivative_polygon(c, n, pa, pb, work, nd);
    }
    const double epsd = epsf / epsx / 4.0 * (pb - pa);
    vcbm::noisy::PolygonSigns ds;
    {
        static constexpr auto RS = vcbm::routine("MBTPT0");
        vcbm::Frame fs(RS, level);
        ds = vcbm::noisy::polygon_signs(work, nd, 1, epsd);
    }
    if (nd > 0 && ds.zero == 1) {
        settled = false;
        return ier;
    }
    double a = pa, b = pb, x = 0.0;
    const int code = refine(level, feval, a, b, epsf, x);
    if (code == 1) return ier;  // no sign change after all: no root
    if (code == -1 && b - a > epsx) {
        if (!add_interval(out.noise, out.nnoise, out.cap, a, b, false)) return ier = 2;
        return ier = -1;
    }
    // A root seen again from the next piece (a shared end) is kept once.
    if (out.nsolp > 0 && std::fabs(x - out.solp[out.nsolp - 1]) <= epsx) return ier;
    if (out.nsoli > 0 && out.soli[2 * out.nsoli - 1] >= x - epsx && out.soli[2 * out.nsoli - 2] <= x + epsx) return ier;
    if (!add_root(out.solp, out.nsolp, out.cap, x)) return ier = 2;
    return ier;
}

// Depth-first walk (mrs1g2): stack holds depth levels of two halves of n
// reals, work n reals.
int walk(vcbm::TraceLevel level, Eval feval, Tolerance ftol, const double* c, int n, double ta, double tb, int depth,
         double* stack, double* work, Lists& out) noexcept {
    static constexpr auto R = vcbm::routine("MRS1G2");
    int ier = 0;
    vcbm::Frame f(R, ier, level);
    if (depth < 1 || depth > kDepthLimit || n < 1 || n > kMaxCoef) return ier = 1;
    double lo[kDepthLimit + 1], hi[kDepthLimit + 1];
    int side[kDepthLimit + 1];
    auto slot = [&](int k, int s) { return stack + (static_cast<long>(k - 1) * 2 + s) * n; };
    for (int j = 0; j < n; ++j) slot(1, 1)[j] = c[j];
    lo[1] = ta;
    hi[1] = tb;
    side[1] = 1;
    int k = 1;
    for (;;) {
        double pa = ta, pb = tb;
        if (k > 1) {
            const double m = (lo[k] + hi[k]) / 2.0;
            pa = side[k] == 0 ? lo[k] : m;
            pb = side[k] == 0 ? m : hi[k];
        }
        const double piece[2] = {pa, pb};
        double epsx = 0.0, epsf = 0.0;
        int code = 0;
        ftol(piece, &epsx, &epsf, &code);
        if (code > 0) return ier = 1;
        bool settled = true;
        code = decide(level, feval, slot(k, side[k]), n, pa, pb, epsx, epsf, work, out, settled);
        if (code > 0) return ier = code;
        if (code < 0) ier = code;
        if (!settled && k >= depth) {
            // Not merged: a polynomial unsettled everywhere fills the list
            // after a few pieces instead of walking every piece of the last level.
            if (!add_interval(out.noise, out.nnoise, out.cap, pa, pb, false)) return ier = 2;
            ier = -1;
            settled = true;
        }
        if (settled) {
            while (k >= 1 && side[k] == 1) --k;
            if (k < 1) break;
            side[k] = 1;
            continue;
        }
        {
            static constexpr auto RM = vcbm::routine("MLMPNA");
            vcbm::Frame fm(RM, level);
            vcbm::bern::split_half(slot(k, side[k]), n, slot(k + 1, 0), slot(k + 1, 1));
        }
        ++k;
        lo[k] = pa;
        hi[k] = pb;
        side[k] = 0;
    }
    // Solution intervals no wider than the resolution are point roots.
    double epsx = 0.0, epsf = 0.0;
    int code = 0;
    const double whole[2] = {ta, tb};
    ftol(whole, &epsx, &epsf, &code);
    int kept = 0;
    for (int i = 0; i < out.nsoli; ++i) {
        const double a = out.soli[2 * i], b = out.soli[2 * i + 1];
        if (b - a <= epsx && out.nsolp < out.cap) {
            add_root(out.solp, out.nsolp, out.cap, (a + b) / 2.0);
            continue;
        }
        out.soli[2 * kept] = a;
        out.soli[2 * kept + 1] = b;
        ++kept;
    }
    out.nsoli = kept;
    if (ier == -1 && out.nsoli == 0 && out.nnoise == 0) ier = 0;
    return ier;
}

}  // namespace

extern "C" {

void mrs1g1(void (*FEVAL)(const double*, double*, int*), const double* C, const int* NCOEF, const double* TINT,
            void (*FTOL)(const double*, double*, double*, int*), double* SOLP, int* NSOLP, double* SOLI, int* NSOLI,
            double* NOISE, int* NNOISE, int* IER) {
    static constexpr auto R = vcbm::routine("MRS1G1");
    vcbm::Frame f(R, *IER);
    *NSOLP = *NSOLI = *NNOISE = 0;
    const int n = *NCOEF;
    if (n < 1 || n > kMaxCoef) return f.fail(1);
    const double ta = TINT[0] < TINT[1] ? TINT[0] : TINT[1], tb = TINT[0] < TINT[1] ? TINT[1] : TINT[0];
    const double whole[2] = {ta, tb};
    double epsx = 0.0, epsf = 0.0;
    int code = 0;
    FTOL(whole, &epsx, &epsf, &code);
    if (code > 0 || !(epsx <= tb - ta)) return f.fail(1);
    if (n == 1) {
        if (std::fabs(C[0]) <= epsf) {
            SOLI[0] = ta;
            SOLI[1] = tb;
            *NSOLI = 1;
            f.fail(-1);
        }
        return;
    }
    thread_local vcbm::WorkBase<double, 1> base;
    double* area = f.request(base.base, n * 2 * kDepth + n * n);
    if (!area) return;
    Lists out{n - 1, SOLP, *NSOLP, SOLI, *NSOLI, NOISE, *NNOISE};
    const int ier = walk(f.trace_level(), FEVAL, FTOL, C, n, ta, tb, kDepth, area, area + n * 2 * kDepth, out);
    f.fail(ier);
    f.release_all();
}

void mrs1g2(void (*FEVAL)(const double*, double*, int*), const double* C, const int* NCOEF, const double* TINT,
            void (*FTOL)(const double*, double*, double*, int*), const int* DEPTH, double* STACK, double* WORK,
            double* SOLP, int* NSOLP, double* SOLI, int* NSOLI, double* NOISE, int* NNOISE, int* IER) {
    *NSOLP = *NSOLI = *NNOISE = 0;
    const int n = *NCOEF;
    Lists out{n - 1 > 1 ? n - 1 : 1, SOLP, *NSOLP, SOLI, *NSOLI, NOISE, *NNOISE};
    const double ta = TINT[0] < TINT[1] ? TINT[0] : TINT[1], tb = TINT[0] < TINT[1] ? TINT[1] : TINT[0];
    *IER = walk(vcbm::TraceLevel{nfndeb()}, FEVAL, FTOL, C, n, ta, tb, *DEPTH, STACK, WORK, out);
}

void mrs1g4(void (*FEVAL)(const double*, double*, int*), const double* C, const int* NCOEF, const double* PIECE,
            const double* EPSX, const double* EPSF, double* WORK, double* SOLP, int* NSOLP, double* SOLI,
            int* NSOLI, double* NOISE, int* NNOISE, int* ISETTL, int* IER) {
    const int n = *NCOEF, cap = n - 1 > 1 ? n - 1 : 1;
    if (n < 1 || n > kMaxCoef || *NSOLP < 0 || *NSOLP > cap || *NSOLI < 0 || *NSOLI > cap || *NNOISE < 0 ||
        *NNOISE > cap) {
        static constexpr auto R = vcbm::routine("MRS1G4");
        vcbm::Frame f(R, *IER);
        return f.fail(1);
    }
    Lists out{cap, SOLP, *NSOLP, SOLI, *NSOLI, NOISE, *NNOISE};
    bool settled = true;
    *IER = decide(vcbm::TraceLevel{nfndeb()}, FEVAL, C, n, PIECE[0], PIECE[1], *EPSX, *EPSF, WORK, out, settled);
    *ISETTL = settled ? 1 : 0;
}

void mrs1i4(void (*FEVAL)(const double*, double*, int*), const double* TINT, const double* EPSF, double* X,
            double* BRACKET, int* IER) {
    double a = TINT[0], b = TINT[1];
    *IER = refine(vcbm::TraceLevel{nfndeb()}, FEVAL, a, b, *EPSF, *X);
    BRACKET[0] = a;
    BRACKET[1] = b;
}

}  // extern "C"
