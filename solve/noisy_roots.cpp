// Roots of a polynomial on an interval by subdivision of its Bernstein
// polygon, with the pieces where nothing can be decided handed back as
// intervals.
//
// mrs1d0 checks its arguments and forms the polygon; mrs1d1 sizes the
// subdivision and takes its work area; mrs1d2 walks the pieces depth first,
// left before right; mrs1d3 decides on one piece (no zero, within the value
// tolerance everywhere, not monotonic, or monotonic with one root that
// mrs1i1 refines). A piece within the value tolerance everywhere is a noisy
// interval; a monotonic piece whose refinement fails is an unresolved one.
//
// Units: EPSX is a length of the caller's parameter and EPSF a size of the
// polynomial's values. Every piece keeps the caller's parameter; only the
// widening of a piece (mrs1d3) is measured in the parameter of the whole
// interval mapped onto [-1, 1].
#include <cmath>

#include "frame/frame.hpp"
#include "polynomial/basis_kernels.hpp"
#include "solve/bernstein.hpp"
#include "solve/noisy_roots.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace vcbm::noisy {

namespace {

constexpr int kMaxCoef = 61;
constexpr int kMaxDepth = 20;        // the depth mrs1d1 gives the subdivision
constexpr int kDepthLimit = 40;      // the deepest stack mrs1d2 accepts
constexpr int kMaxIterations = 16;   // refinement iterations of one root
constexpr double kTinyBracket = 1e-7;  // parameter length below which noise is suspected
constexpr double kCurved = 1e-4;       // second difference that warrants a quadratic step

// The result lists of one solve and their capacity.
struct Lists {
    int cap;
    double* roots;
    int& nroot;
    double* noise;
    int& nnoise;
    double* unres;
    int& nunres;
};

int capacity(int n) noexcept { return n - 1 > 1 ? n - 1 : 1; }

// Appends an interval; 2 when the list is full.
int append_interval(double* list, int& count, int cap, double a, double b) noexcept {
    if (count >= cap) return 2;
    list[2 * count] = a;
    list[2 * count + 1] = b;
    ++count;
    return 0;
}

}  // namespace

PolygonSigns polygon_signs(const double* poly, int n, int ndim, double eps) noexcept {
    PolygonSigns s{0, 0};
    bool small = true;
    for (int c = 0; c < ndim; ++c) {
        bool all_above = true, all_below = true, inside = true;
        for (int j = 0; j < n; ++j) {
            const double v = poly[j * ndim + c];
            all_above = all_above && v >= eps;
            all_below = all_below && v <= -eps;
            inside = inside && v > -eps && v < eps;
        }
        if (all_above || all_below) return s;  // this component keeps away from zero
        small = small && inside;
    }
    s.zero = 1;
    s.small = small ? 1 : 0;
    return s;
}

int refine_root(TraceLevel level, const double* c, int n, double a, double b, double epsf, double& x,
                double val[2]) noexcept {
    static constexpr auto R = routine("MRS1I1");
    int ier = 0;
    Frame f(R, ier, level);
    if (a > b) {
        const double t = a;
        a = b;
        b = t;
    }
    double fa = horner(c, n, a), fb = horner(c, n, b);
    if (std::fabs(fa) < epsf) {
        x = a;
        return ier;
    }
    if (std::fabs(fb) < epsf) {
        x = b;
        return ier;
    }
    if ((fa > 0.0 && fb > 0.0) || (fa < 0.0 && fb < 0.0)) {
        if (level.value >= 3) debug_line("ERR : la fonction est de mm signe en tmin,tmax");
        val[0] = fa;
        val[1] = fb;
        return ier = 1;
    }
    // The bracket [a, b] keeps a sign change: fa and fb of opposite signs.
    // Each iteration evaluates the midpoint, tries the quadratic through the
    // ends and the midpoint, narrows the bracket to the points' signs, then
    // takes a false-position point of what is left. The midpoint at least
    // halves the bracket on every iteration.
    double best = std::fabs(fa) < std::fabs(fb) ? fa : fb;  // the value of least size met
    auto keep = [&](double t, double ft) {
        if (std::fabs(ft) < std::fabs(best)) best = ft;
        if ((ft < 0.0) == (fa < 0.0)) {
            a = t;
            fa = ft;
        } else {
            b = t;
            fb = ft;
        }
    };
    auto outside = [&](double v) { return v > std::fmax(fa, fb) || v < std::fmin(fa, fb); };
    bool failed = false;
    for (int it = 0; it < kMaxIterations && !failed; ++it) {
        const double h = (b - a) / 2.0;
        const double m = a + h;
        if (!(m > a && m < b)) {  // the bracket cannot be split any more
            failed = true;
            break;
        }
        const double fm = horner(c, n, m);
        if (std::fabs(fm) < epsf) {
            x = m;
            return ier;
        }
        if (h <= kTinyBracket && outside(fm)) {
            if (std::fabs(fm) < std::fabs(best)) best = fm;
            failed = true;
            break;
        }
        // The parabola through (a, fa), (m, fm), (b, fb) in s = t - m:
        // q(s) = fm + s (fb - fa) / 2h + s^2 (fa + fb - 2 fm) / 2h^2.
        double tq = 0.0, fq = 0.0;
        bool have_q = false;
        const double second = fa + fb - 2.0 * fm;
        if (std::fabs(second) > kCurved) {
            const double qa = second / (2.0 * h * h), qb = (fb - fa) / (2.0 * h);
            double r[2];
            int code = 0;
            const int nr = quadratic_roots(qa, qb, fm, r, code);
            if (nr > 0) {
                double s = r[0];
                if (nr == 2 && std::fabs(r[1]) < std::fabs(s)) s = r[1];
                // On the side of the sign change: left of m when fa and fm differ in sign.
                const bool left = (fm < 0.0) != (fa < 0.0);
                if (std::fabs(s) <= h && (left ? s <= 0.0 : s >= 0.0) && std::isfinite(s)) {
                    tq = m + s;
                    fq = horner(c, n, tq);
                    if (std::fabs(fq) < epsf) {
                        x = tq;
                        return ier;
                    }
                    have_q = true;
                }
            }
        }
        keep(m, fm);
        if (have_q && tq > a && tq < b) keep(tq, fq);
        const double tf = a - fa * (b - a) / (fb - fa);
        if (!(tf > a && tf < b)) continue;  // the bracket is at its last digits; the midpoint goes on
        const double ff = horner(c, n, tf);
        if (std::fabs(ff) < epsf) {
            x = tf;
            return ier;
        }
        if (b - a <= kTinyBracket && outside(ff)) {
            if (std::fabs(ff) < std::fabs(best)) best = ff;
            failed = true;
            break;
        }
        keep(tf, ff);
    }
    if (level.value >= 3) {
        debug_line("BRUIT NUMERIQUE d'amplitude", std::fabs(best));
        debug_line(">EPS impose", epsf);
    }
    x = (a + b) / 2.0;
    val[0] = a;
    val[1] = b;
    return ier = -1;
}

void derivative_polygon(const double* poly, int n, double a, double b, double* dpoly, int& nd) noexcept {
    nd = n > 1 ? n - 1 : 0;
    const double scale = static_cast<double>(nd) / (b - a);
    for (int i = 0; i < nd; ++i) dpoly[i] = (poly[i + 1] - poly[i]) * scale;
}

namespace {

// Decision on the piece [pa, pb] of the whole interval [ta, tb], whose
// polygon is poly (n values); work holds n reals. Returns the code (0, -1 or
// 2) and sets settled.
int decide(TraceLevel level, const double* c, int n, const double* poly, double pa, double pb, double ta,
           double tb, double epsx, double epsf, double* work, Lists& out, bool& settled) noexcept {
    static constexpr auto R = routine("MRS1D3");
    int ier = 0;
    Frame f(R, ier, level);
    settled = true;
    if (n > kMaxCoef || n < 1) return ier = 1;
    PolygonSigns s;
    {
        static constexpr auto RS = routine("MBTPT0");
        Frame fs(RS, level);
        s = polygon_signs(poly, n, 1, epsf);
    }
    if (s.zero == 0) return ier;
    if (s.small == 1) {
        // Within EPSF everywhere: noisy. A root found at the start of the
        // piece is part of the noisy stretch.
        if (out.nnoise > 0 && out.noise[2 * out.nnoise - 1] == pa) {
            out.noise[2 * out.nnoise - 1] = pb;
            return ier = -1;
        }
        if (append_interval(out.noise, out.nnoise, out.cap, pa, pb) != 0) return ier = 2;
        if (out.nroot > 0 && out.roots[out.nroot - 1] == pa) --out.nroot;
        return ier = -1;
    }
    int nd = 0;
    {
        static constexpr auto RD = routine("MDEPNA");
        Frame fd(RD, level);
        derivative_polygon(poly, n, pa, pb, work, nd);
    }
    PolygonSigns ds;
    {
        static constexpr auto RS = routine("MBTPT0");
        Frame fs(RS, level);
        ds = polygon_signs(work, nd, 1, 0.0);
    }
    if (ds.zero == 1) {
        settled = false;
        return ier;
    }
    // Monotonic: at most one root.
    double x = 0.0, val[2] = {0.0, 0.0};
    int code = refine_root(level, c, n, pa, pb, epsf, x, val);
    if (code == 1) {
        // The polygon changes sign but P does not: the root lies just past
        // the end where the two disagree. The piece is widened by its length
        // on that side, as far as the whole interval widened by half its
        // length on each side ([-2, 2] in the parameter of [-1, 1]).
        const double fa = val[0], fb = val[1];
        const bool left = (poly[0] < 0.0) != (fa < 0.0), right = (poly[n - 1] < 0.0) != (fb < 0.0);
        double wa = pa, wb = pb;
        if (left)
            wa = 2.0 * pa - pb;
        else if (right)
            wb = 2.0 * pb - pa;
        const double half = (tb - ta) / 2.0, mid = ta + half;
        const bool inside = (left || right) && std::fabs(wa - mid) <= 2.0 * half && std::fabs(wb - mid) <= 2.0 * half;
        if (inside) {
            code = refine_root(level, c, n, wa, wb, epsf, x, val);
            if (code != 1 && level.value != 0) debug_line("MRS1D3:recuperation d erreur par elargissement debfin");
        }
        if (!inside || code == 1) {
            if (append_interval(out.unres, out.nunres, out.cap, wa, wb) != 0) return ier = 2;
            return ier = -1;
        }
    }
    if (code == -1) {
        if (append_interval(out.unres, out.nunres, out.cap, val[0], val[1]) != 0) return ier = 2;
        return ier = -1;
    }
    if (out.nnoise > 0 && x == out.noise[2 * out.nnoise - 1]) return ier;
    if (out.nroot > 0 && x < out.roots[out.nroot - 1] + epsx) return ier;
    if (out.nroot >= out.cap) return ier = 2;
    out.roots[out.nroot++] = x;
    return ier;
}

// Depth-first walk of the pieces: stack holds depth levels of two polygons
// of n reals (level k, side s at stack + ((k-1) 2 + s) n), work n*n reals.
int walk(TraceLevel level, const double* c, int n, const double* poly, double ta, double tb, double epsx,
         double epsf, int depth, double* stack, double* work, Lists& out) noexcept {
    static constexpr auto R = routine("MRS1D2");
    int ier = 0;
    Frame f(R, ier, level);
    if (depth > kDepthLimit || depth < 1 || n > kMaxCoef || n < 1) return ier = 1;
    auto slot = [&](int k, int side) { return stack + (static_cast<long>(k - 1) * 2 + side) * n; };
    // Level k holds the halves of the piece [lo[k], hi[k]] split at level
    // k - 1; side[k] is the current half (0 left, 1 right). Level 1 is the
    // whole interval, held as a right half so that the walk ends with it.
    double lo[kDepthLimit + 1], hi[kDepthLimit + 1];
    int side[kDepthLimit + 1];
    for (int j = 0; j < n; ++j) slot(1, 1)[j] = poly[j];
    lo[1] = ta;
    hi[1] = tb;
    side[1] = 1;
    int k = 1;
    for (;;) {
        double pa, pb;
        if (k == 1) {
            pa = ta;
            pb = tb;
        } else {
            const double m = (lo[k] + hi[k]) / 2.0;
            pa = side[k] == 0 ? lo[k] : m;
            pb = side[k] == 0 ? m : hi[k];
        }
        bool settled = true;
        const int code = decide(level, c, n, slot(k, side[k]), pa, pb, ta, tb, epsx, epsf, work, out, settled);
        if (code > 0) return ier = code;
        if (code < 0) ier = code;
        if (settled) {
            while (k >= 1 && side[k] == 1) --k;
            if (k < 1) break;
            side[k] = 1;
            continue;
        }
        if (k >= depth) {
            if (level.value >= 5) debug_line("MRS1D2: profondeur maximale atteinte", depth);
            return ier = -13;
        }
        {
            static constexpr auto RM = routine("MLMPNA");
            Frame fm(RM, level);
            bern::split_half(slot(k, side[k]), n, slot(k + 1, 0), slot(k + 1, 1));
        }
        ++k;
        lo[k] = pa;
        hi[k] = pb;
        side[k] = 0;
    }
    return ier;
}

}  // namespace

int subdivision_depth(double ta, double tb, double epsx) noexcept {
    const double r = std::fabs(tb - ta) / epsx;
    if (!(r >= 2.0)) return 1;  // also NaN
    const double d = std::trunc(std::log2(r)) + 1.0;
    return d > kMaxDepth ? kMaxDepth : static_cast<int>(d);
}

int solve_polygon(TraceLevel level, const double* c, int n, const double* poly, double ta, double tb, double epsx,
                  double epsf, double* roots, int& nroot, double* noise, int& nnoise, double* unres,
                  int& nunres) noexcept {
    static constexpr auto R = routine("MRS1D1");
    int ier = 0;
    Frame f(R, ier, level);
    nroot = nnoise = nunres = 0;
    if (n < 1 || n > kMaxCoef) return ier = 1;
    const int depth = subdivision_depth(ta, tb, epsx);
    thread_local WorkBase<double, 1> base;
    double* area = f.request(base.base, depth * 2 * n + n * n);
    if (!area) {
        if (level.value >= 4) debug_line("MRS1D1: pb. d'allocation");
        return ier;  // 10, set by the frame
    }
    Lists out{capacity(n), roots, nroot, noise, nnoise, unres, nunres};
    ier = walk(level, c, n, poly, ta, tb, epsx, epsf, depth, area, area + depth * 2 * n, out);
    f.release_all();  // a refused release turns 0 into 10 here, before the report
    return ier;
}

void bernstein_01(int n, const double* c, double* b) noexcept { basis::to_polygon<0>(1, 1, n, c, b); }

void bernstein_11(int n, const double* c, double* b) noexcept {
    // Horner's rule on the Bernstein form over [-1, 1]: q <- s q + c(i),
    // from the leading coefficient down. With q of degree m, s q has the
    // degree m + 1 coefficients ((j/(m+1)) q(j-1) - (1 - j/(m+1)) q(j)):
    // weights of size at most 1, so no value grows beyond the polynomial's
    // own Bernstein coefficients (composing with 2u - 1 would cancel
    // coefficients of size 2^n).
    double q[kMaxCoefficients];
    q[0] = c[n - 1];
    for (int m = 0; m < n - 1; ++m) {
        const double inv = 1.0 / (m + 1);
        q[m + 1] = q[m];
        for (int j = m; j >= 1; --j) q[j] = j * inv * q[j - 1] - (1.0 - j * inv) * q[j];
        q[0] = -q[0];
        const double add = c[n - 2 - m];
        for (int j = 0; j <= m + 1; ++j) q[j] += add;
    }
    for (int j = 0; j < n; ++j) b[j] = q[j];
}

}  // namespace vcbm::noisy

namespace nz = vcbm::noisy;

extern "C" {

void mrs1d0(const double* C, const int* N, const double* TINT, const double* EPSX, const double* EPSF, double* ROOTS,
            int* NROOT, double* NOISE, int* NNOISE, double* UNRES, int* NUNRES, int* IER) {
    static constexpr auto R = vcbm::routine("MRS1D0");
    vcbm::Frame f(R, *IER);
    *NROOT = *NNOISE = *NUNRES = 0;
    const int n = *N;
    const double epsx = *EPSX, epsf = *EPSF;
    double a = TINT[0], b = TINT[1];
    if (n < 1 || n > nz::kMaxCoefficients || !(epsx > 0.0) || !(epsf > 0.0) || !std::isfinite(epsx) ||
        !std::isfinite(epsf) || !std::isfinite(a) || !std::isfinite(b) || !(std::fabs(b - a) >= epsx))
        return f.fail(1);
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(C[k])) return f.fail(1);
    if (a > b) {
        const double t = a;
        a = b;
        b = t;
    }
    int neff = n;
    while (neff > 1 && C[neff - 1] == 0.0) --neff;
    if (neff == 1) {
        if (std::fabs(C[0]) <= epsf) {
            NOISE[0] = a;
            NOISE[1] = b;
            *NNOISE = 1;
            f.fail(-1);
        }
        return;
    }
    double poly[nz::kMaxCoefficients];
    if (a == 0.0 && b == 1.0) {
        int code = 0;
        mbbpg1(&neff, C, poly, &code);
    } else {
        double c11[nz::kMaxCoefficients];
        const double* from = C;
        if (!(a == -1.0 && b == 1.0)) {
            const int one = 1;
            const double ordered[2] = {a, b}, unit[2] = {-1.0, 1.0};
            int code = 0;
            mfmcb2(&one, &neff, C, &one, ordered, c11, unit, &code);
            if (code != 0) return f.fail(100 + code);
            from = c11;
        }
        int code = 0;
        mbbpg2(&neff, from, poly, &code);
    }
    for (int k = 0; k < neff; ++k)
        if (!std::isfinite(poly[k])) return f.fail(1);  // the polygon overflows
    const int ier = nz::solve_polygon(f.trace_level(), C, neff, poly, a, b, epsx, epsf, ROOTS, *NROOT, NOISE,
                                      *NNOISE, UNRES, *NUNRES);
    f.fail(ier);
    if (f.level() >= 3) {
        if (*NNOISE > 0) vcbm::debug_line("MRS1D0: intervalles bruites", *NNOISE);
        if (*NUNRES > 0) vcbm::debug_line("MRS1D0: intervalles non resolus", *NUNRES);
    }
}

void mrs1d1(const double* C, const int* N, const double* POLYG, const double* TINT, const double* EPSX,
            const double* EPSF, double* ROOTS, int* NROOT, double* NOISE, int* NNOISE, double* UNRES, int* NUNRES,
            int* IER) {
    const double a = TINT[0] < TINT[1] ? TINT[0] : TINT[1], b = TINT[0] < TINT[1] ? TINT[1] : TINT[0];
    *IER = nz::solve_polygon(vcbm::TraceLevel{nfndeb()}, C, *N, POLYG, a, b, *EPSX, *EPSF, ROOTS, *NROOT, NOISE,
                             *NNOISE, UNRES, *NUNRES);
}

void mrs1d2(const double* C, const int* N, const double* POLYG, const double* TINT, const double* EPSX,
            const double* EPSF, const int* DEPTH, double* STACK, double* WORK, double* ROOTS, int* NROOT,
            double* NOISE, int* NNOISE, double* UNRES, int* NUNRES, int* IER) {
    *NROOT = *NNOISE = *NUNRES = 0;
    const int n = *N;
    nz::Lists out{nz::capacity(n), ROOTS, *NROOT, NOISE, *NNOISE, UNRES, *NUNRES};
    const double a = TINT[0] < TINT[1] ? TINT[0] : TINT[1], b = TINT[0] < TINT[1] ? TINT[1] : TINT[0];
    *IER = nz::walk(vcbm::TraceLevel{nfndeb()}, C, n, POLYG, a, b, *EPSX, *EPSF, *DEPTH, STACK, WORK, out);
}

void mrs1d3(const double* C, const int* N, const double* POLYG, const double* PIECE, const double* TINT,
            const double* EPSX, const double* EPSF, double* WORK, double* ROOTS, int* NROOT, double* NOISE,
            int* NNOISE, double* UNRES, int* NUNRES, int* ISETTL, int* IER) {
    const int n = *N;
    int cap = nz::capacity(n);
    if (*NROOT < 0 || *NROOT > cap || *NNOISE < 0 || *NNOISE > cap || *NUNRES < 0 || *NUNRES > cap) {
        static constexpr auto R = vcbm::routine("MRS1D3");
        vcbm::Frame f(R, *IER);
        return f.fail(1);
    }
    nz::Lists out{cap, ROOTS, *NROOT, NOISE, *NNOISE, UNRES, *NUNRES};
    const double a = TINT[0] < TINT[1] ? TINT[0] : TINT[1], b = TINT[0] < TINT[1] ? TINT[1] : TINT[0];
    bool settled = true;
    *IER = nz::decide(vcbm::TraceLevel{nfndeb()}, C, n, POLYG, PIECE[0], PIECE[1], a, b, *EPSX, *EPSF, WORK, out,
                      settled);
    *ISETTL = settled ? 1 : 0;
}

void mrs1i1(const double* C, const int* N, const double* TINT, const double* EPSF, double* X, double* VAL,
            int* IER) {
    const int n = *N < 0 ? 0 : *N;
    *IER = nz::refine_root(vcbm::TraceLevel{nfndeb()}, C, n, TINT[0], TINT[1], *EPSF, *X, VAL);
}

void mbtpt0(const double* POLYG, const int* N, const int* NDIM, const double* EPS, int* ZERO, int* SMALL, int* IER) {
    static constexpr auto R = vcbm::routine("MBTPT0");
    vcbm::Frame f(R, *IER);
    if (*NDIM < 1 || *NDIM > 3 || *N < 1) return f.fail(1);
    const nz::PolygonSigns s = nz::polygon_signs(POLYG, *N, *NDIM, *EPS);
    *ZERO = s.zero;
    *SMALL = s.small;
}

void mdepna(const double* POLYG, const int* N, const double* TINT, double* DPOLYG, int* ND) {
    static constexpr auto R = vcbm::routine("MDEPNA");
    vcbm::Frame f(R);
    nz::derivative_polygon(POLYG, *N, TINT[0], TINT[1], DPOLYG, *ND);
}

void mbbpg1(const int* N, const double* C, double* POLYG, int* IER) {
    static constexpr auto R = vcbm::routine("MBBPG1");
    vcbm::Frame f(R, *IER);
    if (*N < 1 || *N > nz::kMaxCoefficients) return f.fail(10);
    nz::bernstein_01(*N, C, POLYG);
}

void mbbpg2(const int* N, const double* C, double* POLYG, int* IER) {
    static constexpr auto R = vcbm::routine("MBBPG2");
    vcbm::Frame f(R, *IER);
    if (*N < 1 || *N > nz::kMaxCoefficients) return f.fail(10);
    nz::bernstein_11(*N, C, POLYG);
}

}  // extern "C"

extern "C" void mbbpg3(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, double* POLYG,
                       int* IER) {
    static constexpr auto R = vcbm::routine("MBBPG3");
    vcbm::Frame f(R, *IER);
    const int n = *NCOEF, nd = *NDIM, ld = *NDIMAX;
    if (n < 1 || n > nz::kMaxCoefficients) return f.fail(10);
    if (nd < 1 || nd > ld) return;
    auto coef = vcbm::mat(COEF, ld);
    auto poly = vcbm::mat(POLYG, ld);
    for (int i = 1; i <= nd; ++i) {
        double row[nz::kMaxCoefficients];
        for (int k = 1; k <= n; ++k) row[k - 1] = coef(i, k);
        nz::bernstein_11(n, row, row);
        for (int k = 1; k <= n; ++k) poly(i, k) = row[k - 1];
    }
}
