// Arc length of polynomial curves and the parameter at a given fraction of
// the length, for a canonical curve in space (mloncv, mcglc1, mposcv) and
// for a plane curve drawn on a polynomial patch (mloncl, mcglc2, mposcl).
//
// Three layers per family: one Gauss-Legendre rule over the whole interval
// (fast), a composite rule halving its sub-intervals until two successive
// sums agree (precise), and a bracketing search for the parameter that
// runs on the fast length and switches to the precise one once close.
// Lengths are signed: reversed bounds give the negative length.
#include <cmath>
#include <cstddef>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"

namespace {

using std::ptrdiff_t;

// Positive half of the 4L-point rule of the level used last, per thread;
// the two families keep a copy each.
struct NodeCache {
    int level = 0;
    int npts = 0;
    double x[20];
    double w[20];
};

template <int Family>
NodeCache& node_cache() noexcept {
    thread_local NodeCache c;
    return c;
}

// Nodes of LEVEL in CACHE, from vgaus0 when the level changes; vgaus0's
// code (positive codes are failures).
int refresh(NodeCache& c, int level) noexcept {
    if (c.level == level) return 0;
    int ier = 0;
    vgaus0(&level, c.x, c.w, &c.npts, &ier);
    c.level = ier > 0 ? 0 : level;
    return ier;
}

// Euclidean length of the first derivative at T of the D leading rows of
// COEF(LD, NCOEF), Horner's scheme on the derivative coefficients
// j COEF(i, j+1); two abscissae at once so that the two chains overlap.
template <int D>
inline void speeds(const double* coef, ptrdiff_t ld, int ncoef, double t1, double t2, double& s1,
                   double& s2) noexcept {
    auto a = vcbm::mat(coef, ld);
    double p[D], q[D];
    const double top = ncoef - 1;
    for (int i = 0; i < D; ++i) p[i] = q[i] = top * a(i + 1, ncoef);
    for (int j = ncoef - 2; j >= 1; --j) {
        for (int i = 0; i < D; ++i) {
            const double c = j * a(i + 1, j + 1);
            p[i] = p[i] * t1 + c;
            q[i] = q[i] * t2 + c;
        }
    }
    double n1 = 0.0, n2 = 0.0;
    for (int i = 0; i < D; ++i) {
        n1 += p[i] * p[i];
        n2 += q[i] * q[i];
    }
    s1 = std::sqrt(n1);
    s2 = std::sqrt(n2);
}

// The same for NDIM rows known at run time.
inline void speeds_n(int ndim, const double* coef, ptrdiff_t ld, int ncoef, double t1, double t2, double& s1,
                     double& s2) noexcept {
    auto a = vcbm::mat(coef, ld);
    double n1 = 0.0, n2 = 0.0;
    for (int i = 1; i <= ndim; ++i) {
        double p = (ncoef - 1) * a(i, ncoef), q = p;
        for (int j = ncoef - 2; j >= 1; --j) {
            const double c = j * a(i, j + 1);
            p = p * t1 + c;
            q = q * t2 + c;
        }
        n1 += p * p;
        n2 += q * q;
    }
    s1 = std::sqrt(n1);
    s2 = std::sqrt(n2);
}

// S(k) = sqrt(S(k)), k < N (N even), on sums of squares: the packed root
// where there is one (std::sqrt keeps a call for errno on every element).
template <int N>
inline void roots(double* s) noexcept {
#if defined(__SSE2__)
    for (int k = 0; k < N; k += 2) _mm_storeu_pd(s + k, _mm_sqrt_pd(_mm_loadu_pd(s + k)));
#else
    for (int k = 0; k < N; ++k) s[k] = std::sqrt(s[k]);
#endif
}

// The 4L-point rule of the cache on [M - H, M + H] for D rows of
// COEF(LD, NCOEF), L fixed: the 4L abscissae go through Horner's scheme side
// by side (the inner loops run across abscissae and vectorise), then their
// speeds, two square roots at a time.
template <int D, int L>
double rule_fixed(const double* coef, ptrdiff_t ld, int ncoef, const NodeCache& c, double m, double h) noexcept {
    constexpr int H = 2 * L, N = 4 * L;
    auto a = vcbm::mat(coef, ld);
    double t[N], p[D][N], s[N];
    for (int k = 0; k < H; ++k) {
        t[k] = m + c.x[k] * h;
        t[H + k] = m - c.x[k] * h;
    }
    for (int i = 0; i < D; ++i) {
        const double top = (ncoef - 1) * a(i + 1, ncoef);
        for (int k = 0; k < N; ++k) p[i][k] = top;
    }
    for (int j = ncoef - 2; j >= 1; --j) {
        for (int i = 0; i < D; ++i) {
            const double cj = j * a(i + 1, j + 1);
            for (int k = 0; k < N; ++k) p[i][k] = p[i][k] * t[k] + cj;
        }
    }
    for (int k = 0; k < N; ++k) {
        double q = 0.0;
        for (int i = 0; i < D; ++i) q += p[i][k] * p[i][k];
        s[k] = q;
    }
    roots<N>(s);
    double sum = 0.0;
    for (int k = 0; k < H; ++k) sum += c.w[k] * (s[k] + s[H + k]);
    return sum * h;
}

// The space curve COEF(LD, NCOEF), NDIM rows used, with the rule of the
// cache: H times the weighted sum of the speeds on [M - H, M + H].
struct SpaceCurve {
    int ndim;
    ptrdiff_t ld;
    int ncoef;
    const double* coef;

    template <int D>
    double rule_d(const NodeCache& c, double m, double h) const noexcept {
        switch (c.level) {
            case 1: return rule_fixed<D, 1>(coef, ld, ncoef, c, m, h);
            case 2: return rule_fixed<D, 2>(coef, ld, ncoef, c, m, h);
            case 3: return rule_fixed<D, 3>(coef, ld, ncoef, c, m, h);
            default: break;
        }
        double sum = 0.0;
        for (int k = 0; k < c.npts; ++k) {
            double s1, s2;
            speeds<D>(coef, ld, ncoef, m + c.x[k] * h, m - c.x[k] * h, s1, s2);
            sum += c.w[k] * (s1 + s2);
        }
        return sum * h;
    }

    double rule(const NodeCache& c, double u1, double u2) const noexcept {
        const double m = (u1 + u2) / 2, h = (u2 - u1) / 2;
        if (ncoef < 2) return 0.0;
        if (ndim == 3) return rule_d<3>(c, m, h);
        if (ndim == 2) return rule_d<2>(c, m, h);
        double sum = 0.0;
        for (int k = 0; k < c.npts; ++k) {
            double s1, s2;
            speeds_n(ndim, coef, ld, ncoef, m + c.x[k] * h, m - c.x[k] * h, s1, s2);
            sum += c.w[k] * (s1 + s2);
        }
        return sum * h;
    }
};

// Level of the single rule on a space curve: 4L points, L = NCOEF div 4 + 1
// up to 10.
int space_level(int ncoef) noexcept { return ncoef / 4 + 1 < 10 ? ncoef / 4 + 1 : 10; }

// mloncv without its frame: 0, or 2 when the nodes cannot be had.
int length_space(const SpaceCurve& cv, double u1, double u2, double& length) noexcept {
    length = 0.0;
    if (u1 == u2) return 0;
    NodeCache& c = node_cache<0>();
    if (refresh(c, space_level(cv.ncoef)) > 0) return 2;
    length = cv.rule(c, u1, u2);
    return 0;
}

// The curve S(u(t), v(t)) on the patch SURF(NDIM, NCOEFU, NCOEFV).
struct PatchCurve {
    int ncoef2d;
    const double* crv2d;
    int ndim;
    int ncoefu;
    int ncoefv;
    const double* surf;

    // |C'(t)|; false when the plane curve cannot be evaluated.
    bool speed(double t, double& s) const noexcept {
        const int order = 1, two = 2;
        double d[4];
        int ier = 0;
        mdrvcb(&order, &two, &ncoef2d, crv2d, &t, d, &ier);
        if (ier > 0) return false;
        double su[3], sv[3];
        mdrpu1(&ndim, &ncoefu, &ncoefu, &ncoefv, surf, &d[0], &d[1], su);
        mdrpv1(&ndim, &ncoefu, &ncoefu, &ncoefv, surf, &d[0], &d[1], sv);
        double n = 0.0;
        for (int i = 0; i < ndim; ++i) {
            const double ci = su[i] * d[2] + sv[i] * d[3];
            n += ci * ci;
        }
        s = std::sqrt(n);
        return true;
    }
};

int patch_level(int ncoef2d, int ncoefu, int ncoefv) noexcept {
    const int l = ((ncoef2d - 1) * (ncoefu + ncoefv - 2)) / 4 + 1;
    return l < 1 ? 1 : (l > 5 ? 5 : l);
}

// mloncl without its frame: 0, 1 (dimension, or the plane curve cannot be
// evaluated) or 2 (no nodes).
int length_patch(const PatchCurve& cv, double u1, double u2, double& length) noexcept {
    length = 0.0;
    if (cv.ndim < 1 || cv.ndim > 3) return 1;
    if (u1 == u2) return 0;
    NodeCache& c = node_cache<1>();
    if (refresh(c, patch_level(cv.ncoef2d, cv.ncoefu, cv.ncoefv)) > 0) return 2;
    const double m = (u1 + u2) / 2, h = (u2 - u1) / 2;
    double sum = 0.0;
    for (int k = 0; k < c.npts; ++k) {
        double s1, s2;
        if (!cv.speed(m + c.x[k] * h, s1) || !cv.speed(m - c.x[k] * h, s2)) return 1;
        sum += c.w[k] * (s1 + s2);
    }
    // Moderate coefficients can still overflow on the patch (the plane curve
    // reaches far out and the patch's powers follow): such a length is not
    // a result, and counts as an evaluation that failed.
    if (!std::isfinite(h * sum)) return 1;
    length = h * sum;
    return 0;
}

// Outcome of the composite rule.
struct Composite {
    int ier = 0;  // 0 converged, 1 not converged, 2 a single rule failed
    double length = 0.0;
    double diff = 0.0;
    int it = 0;   // refinements made
};

// The composite rule on [UA, UB]: N = 1, 2, 4, ... sub-intervals up to
// ITMAX refinements, until two successive sums differ by at most EPS.
// ONE(a, b, len) is the single rule (0 or its failure code); SOTTC(s) sees
// the running sum after each sub-interval of the last two refinements.
// A sum that is not a number ends the refinement at once (code 1).
template <class One, class Running>
Composite composite(double ua, double ub, double eps, int itmax, One one, Running sottc) noexcept {
    Composite r;
    double prev = 0.0;
    int n = 1;
    for (int it = 1;; ++it) {
        r.it = it;
        const double d = (ub - ua) / n;
        double s = 0.0;
        for (int i = 1; i <= n; ++i) {
            const double a = ua + (i - 1) * d, b = i == n ? ub : ua + i * d;
            double part;
            if (one(a, b, part) != 0) {
                r.ier = 2;
                return r;
            }
            s += part;
            if (it >= itmax - 1) sottc(s);
        }
        if (it > 1) {
            const double dif = std::fabs(s - prev);
            r.length = s;
            r.diff = dif;
            if (dif <= eps) return r;
            if (it + 1 > itmax || !std::isfinite(dif)) {
                r.ier = 1;
                return r;
            }
        }
        prev = s;
        n *= 2;
    }
}

// The convergence notes written when the last two refinements were needed.
void late_convergence_notes(const Composite& r, int itmax, const char* last, const char* before_last) noexcept {
    if (r.ier != 0) return;
    if (r.it == itmax)
        vcbm::debug_line(last);
    else if (r.it + 1 == itmax)
        vcbm::debug_line(before_last);
}

// The inverse search shared by mposcv and mposcl. FAST(x, len) and
// PRECISE(x, len) give the length from UA to x and a code (0 = success).
struct Search {
    int ier = 0;  // 0 found, 5 no result within the iterations, else the failing evaluation's code
    double u = 0.0;
    int niter = 0;
};

constexpr int kMaxIterations = 40;

template <class Fast, class Precise>
Search inverse_search(double ua, double ub, double lena, double lenb, double ratio, double toll, Fast fast,
                      Precise precise) noexcept {
    Search out;
    const double target = (lenb - lena) * ratio;
    bool exact = false;
    // F(x) = length from UA to x minus the target, in the current mode.
    auto f = [&](double x, double& fx) {
        double len = 0.0;
        const int code = exact ? precise(x, len) : fast(x, len);
        fx = len - target;
        return code;
    };
    double a = ua, b = ub, fa = -target, fb = (lenb - target) - lena;
    double c = (a + b) / 2;
    // A failed evaluation ends the search with its code, at the last estimate.
    auto failed = [&](int code) {
        out.ier = code;
        out.u = c;
        return code != 0;
    };
    for (int it = 1; it <= kMaxIterations; ++it) {
        out.niter = it;
        c = (a + b) / 2;
        double fc;
        if (failed(f(c, fc))) return out;
        const double half = (b - a) / 2;
        if (half <= 1e-12) {
            out.u = c;
            return out;
        }
        if (!std::isfinite(fc)) break;  // no search can go on from a value that is not a number
        // A step from a model through the three values: a parabola when
        // they are not aligned within the tolerance, else the secant.
        const double q = fa - 2 * fc + fb;
        bool step = false;
        double dx = 0.0;
        if (std::fabs(q) > toll) {
            const double g = (fb - fa) / (2 * half), k = q / (2 * half * half);
            const double disc = g * g - 4 * k * fc;
            if (disc >= 0) {
                const double dx1 = (-g - std::sqrt(disc)) / (2 * k);
                // The other root from the product of the two, FC / K.
                const double dx2 = dx1 != 0.0 ? fc / (k * dx1) : 0.0;
                dx = std::fabs(dx2) < std::fabs(dx1) ? dx2 : dx1;
                step = true;
            }
        } else if (fb != fa) {
            dx = -half * (fa + fb) / (fb - fa);
            step = true;
        }
        if (fc >= 0) {
            b = c;
            fb = fc;
        } else {
            a = c;
            fa = fc;
        }
        if (!step) continue;
        const double x = c + dx;
        double fx;
        if (failed(f(x, fx))) return out;
        if (std::fabs(fx) <= toll) {
            if (exact) {
                out.u = x;
                return out;
            }
            // Close on the fast length: from now on the precise one.
            exact = true;
            if (failed(f(a, fa)) || failed(f(b, fb)) || failed(f(x, fx))) return out;
        }
        if (x > b) {
            b = x;
            fb = fx;
        } else if (x < a || fx < 0) {
            a = x;
            fa = fx;
        } else {
            b = x;
            fb = fx;
        }
    }
    out.ier = 5;
    out.u = c;
    return out;
}

}  // namespace

extern "C" {

void mloncv(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, const double* U1,
            const double* U2, double* LENGTH, int* IER) {
    static constexpr auto R = vcbm::routine("MLONCV");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ncoef = *NCOEF;
    if (ndim < 1 || ncoef < 1 || ndim > *NDIMAX) {
        *LENGTH = 0.0;
        return f.fail(1);
    }
    const SpaceCurve cv{ndim, *NDIMAX, ncoef, COEF};
    f.fail(length_space(cv, *U1, *U2, *LENGTH));
}

void mloncl(const int* NCOEF2D, const double* CRV2D, const int* NDIM, const int* NCOEFU, const int* NCOEFV,
            const double* SURF, const double* U1, const double* U2, double* LENGTH, int* IER) {
    // Traced, but never reported: the frame keeps a code of its own.
    static constexpr auto R = vcbm::routine("MLONCL");
    vcbm::Frame f(R);
    const PatchCurve cv{*NCOEF2D, CRV2D, *NDIM, *NCOEFU, *NCOEFV, SURF};
    *IER = length_patch(cv, *U1, *U2, *LENGTH);
}

void mcglc1(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, const double* UA,
            const double* UB, const double* EPS, double* LENGTH, double* DIFF, int* IER) {
    static constexpr auto R = vcbm::routine("MCGLC1");
    vcbm::Frame f(R, *IER);
    constexpr int itmax = 13;
    *LENGTH = 0.0;
    *DIFF = 0.0;
    const int ndim = *NDIM, ncoef = *NCOEF, ndimax = *NDIMAX;
    if (ndim < 1 || ncoef < 1 || ndim > ndimax) return f.fail(3);
    if (*UA == *UB) return;

    // Every sub-interval takes the same rule: its nodes are fetched once.
    const SpaceCurve cv{ndim, ndimax, ncoef, COEF};
    NodeCache& nodes = node_cache<0>();
    if (const int code = refresh(nodes, space_level(ncoef)); code > 0) {
        vcbm::report_code(vcbm::routine("MLONCV"), 2);
        return f.fail(2);
    }
    auto one = [&](double a, double b, double& len) {
        len = cv.rule(nodes, a, b);
        return 0;
    };
    auto sottc = [](double s) { vcbm::debug_line("MCGLC1 : SOTTC ", s); };
    const Composite r = composite(*UA, *UB, *EPS, itmax, one, sottc);
    if (r.ier == 2) return f.fail(2);
    *LENGTH = r.length;
    *DIFF = r.diff;
    late_convergence_notes(r, itmax, "MCGLC1 : Derniere iteration atteinte",
                           "MCGLC1 : Avant-derniere iteration atteinte");
    if (r.ier == 0) return;

    vcbm::debug_line("MCGLC1 : ITMAX ", itmax);
    vcbm::debug_line("       : TDEBUT ", *UA);
    vcbm::debug_line("       : TFINAL ", *UB);
    vcbm::debug_line("       : NDIMEN ", ndim);
    vcbm::debug_line("       : NDIMAX ", ndimax);
    vcbm::debug_line("       : NCOEFF ", ncoef);
    vcbm::debug_line("MCGLC1 : Les coefficients de la courbe :");
    static constexpr const char* labels[3] = {"            A ", "            B ", "            C "};
    auto a = vcbm::mat(COEF, ndimax);
    for (int k = 1; k <= ncoef; ++k) {
        vcbm::debug_line("          Coefficients no", k);
        for (int i = 1; i <= ndim && i <= 3; ++i) vcbm::debug_line(labels[i - 1], a(i, k));
    }
    vcbm::debug_line("MCGLC1 : Tol. convergence, EPSILN ", *EPS);
    vcbm::debug_line("MCGLC1 : Test convergence, DIF ", r.diff);
    vcbm::debug_line("MCGLC1 : Nb maxi d'iterations depasse");
    f.fail(1);
}

void mcglc2(const int* NCOEF2D, const double* CRV2D, const int* NDIM, const int* NCOEFU, const int* NCOEFV,
            const double* SURF, const double* UA, const double* UB, const double* EPS, double* LENGTH,
            double* DIFF, int* IER) {
    static constexpr auto R = vcbm::routine("MCGLC2");
    vcbm::Frame f(R, *IER);
    constexpr int itmax = 10;
    *LENGTH = 0.0;
    *DIFF = 0.0;
    if (*UA == *UB) return;

    auto one = [&](double a, double b, double& len) {
        int code = 0;
        mloncl(NCOEF2D, CRV2D, NDIM, NCOEFU, NCOEFV, SURF, &a, &b, &len, &code);
        return code;
    };
    const Composite r = composite(*UA, *UB, *EPS, itmax, one, [](double) {});
    if (r.ier == 2) return f.fail(2);
    *LENGTH = r.length;
    *DIFF = r.diff;
    late_convergence_notes(r, itmax, "MCGLC2 : Derniere iteration atteinte",
                           "MCGLC2 : Avant-derniere iteration atteinte");
    if (r.ier == 0) return;
    vcbm::debug_line("MCGLC2 : Tol. convergence, EPSILN =", *EPS);
    vcbm::debug_line("MCGLC2 : Test convergence, DIF =", r.diff);
    vcbm::debug_line("MCGLC2 : Nb maxi d'iterations depasse");
    f.fail(1);
}

void mposcv(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, const double* UA,
            const double* UB, const double* LENA, const double* LENB, const double* RATIO, double* UOUT,
            const double* TOL, int* NITER, int* IER) {
    static constexpr auto R = vcbm::routine("MPOSCV");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    *UOUT = 0.0;
    *NITER = 0;
    const int ndim = *NDIM, ncoef = *NCOEF, ndimax = *NDIMAX;
    const double ua = *UA, ub = *UB, ratio = *RATIO;
    if (ndim < 1 || ncoef < 1) return f.fail(1);
    if (!(ratio >= 0.0 && ratio <= 1.0)) return f.fail(2);
    if (!(ua < ub)) return f.fail(3);
    if (ndim != ndimax) return f.fail(4);
    if (ratio == 0.0) {
        *UOUT = ua;
        return;
    }
    if (ratio == 1.0) {
        *UOUT = ub;
        return;
    }

    const double toll = std::fmax(vcbm::tol::eps1(), *TOL);
    const double eps = toll / 4;
    auto fast = [&](double x, double& len) {
        int code = 0;
        mloncv(NDIMAX, NDIM, NCOEF, COEF, UA, &x, &len, &code);
        return code;
    };
    auto precise = [&](double x, double& len) {
        int code = 0;
        double diff;
        mcglc1(NDIMAX, NDIM, NCOEF, COEF, UA, &x, &eps, &len, &diff, &code);
        return code;
    };
    const Search s = inverse_search(ua, ub, *LENA, *LENB, ratio, toll, fast, precise);
    *UOUT = s.u;
    *NITER = s.niter;
    f.fail(s.ier);
}

void mposcl(const int* NCOEF2D, const double* CRV2D, const int* NDIM, const int* NCOEFU, const int* NCOEFV,
            const double* SURF, const double* UA, const double* UB, const double* LENTOT, const double* RATIO,
            const double* TOL, double* UOUT, int* IER) {
    static constexpr auto R = vcbm::routine("MPOSCL");
    vcbm::Frame f(R, *IER);
    *UOUT = 0.0;
    const double ua = *UA, ub = *UB, ratio = *RATIO;
    if (*NCOEF2D < 1 || *NDIM < 1 || *NCOEFU < 1 || *NCOEFV < 1) return f.fail(1);
    if (!(ratio >= 0.0 && ratio <= 1.0)) return f.fail(2);
    if (!(ua < ub)) return f.fail(3);
    if (ratio == 0.0) {
        *UOUT = ua;
        return;
    }
    if (ratio == 1.0) {
        *UOUT = ub;
        return;
    }

    const double toll = std::fmax(vcbm::tol::eps1(), *TOL);
    const double eps = toll / 4;
    auto fast = [&](double x, double& len) {
        int code = 0;
        mloncl(NCOEF2D, CRV2D, NDIM, NCOEFU, NCOEFV, SURF, UA, &x, &len, &code);
        return code != 0 ? 4 : 0;
    };
    auto precise = [&](double x, double& len) {
        int code = 0;
        double diff;
        mcglc2(NCOEF2D, CRV2D, NDIM, NCOEFU, NCOEFV, SURF, UA, &x, &eps, &len, &diff, &code);
        return code == 1 ? 5 : (code != 0 ? 4 : 0);
    };
    const double lenb = *LENTOT;
    const Search s = inverse_search(ua, ub, 0.0, lenb, ratio, toll, fast, precise);
    *UOUT = s.u;
    f.fail(s.ier);
}

}  // extern "C"
