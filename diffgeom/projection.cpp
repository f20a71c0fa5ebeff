// Points of a polynomial curve nearest to (or farthest from) a point X.
//
// Both roads solve g(u) = (P(u) - X) . P'(u) = 0 and compare the roots with
// the ends of the interval. Road A builds g in canonical form on [0, 1] and
// solves it with ur1pls (mcvprj, mcvpr2), by pieces for accuracy (mcvpds).
// Road B builds g in Bernstein form on the caller's interval (mpjpc3,
// mpjpc4) and solves it with the subdivision solver mrs1g1, which reads g
// and its tolerances through mxptcb and mxepsi from the curves stored here;
// it also returns the stretches where g vanishes (mdpcv0).
#include <cmath>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_frame.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace {

constexpr int kMaxCurve = 21;                  // coefficients of a curve
constexpr int kMaxProjection = 2 * kMaxCurve;  // candidates: roots of g and the ends
// The spread of distances tolerated on a sphere: 5e-6 as a single-precision value.
constexpr double kSphereSpread = static_cast<double>(5e-6f);
constexpr int kSphereSamples = 32;
constexpr double kShortPiece = 0.01;  // share of BOUNDS below which mxepsi keeps its last bounds

double distance(int nd, const double* p, const double* x) noexcept {
    double s = 0.0;
    for (int i = 0; i < nd; ++i) s += (p[i] - x[i]) * (p[i] - x[i]);
    return std::sqrt(s);
}

void point_at(int nd, int n, const double* coef, double t, double* p) noexcept { pocurv(&nd, &n, coef, &t, p); }

// The curves that mxptcb and mxepsi read during one mpjpc3 call: P - X and
// P', the interval and tolerances, and the bounds of the last restriction.
struct Stored {
    const double* cx = nullptr;
    const double* dc = nullptr;
    int ndim = 0, ncoef = 0;
    double ua = 0.0, ub = 0.0;
    double eps = 0.0, epsa = 0.0, epsb = 0.0;
    double size = 0.0, speed = 0.0;  // bounds of |P - X| and |P'| on the last restricted piece
};
thread_local Stored stored;

// Largest norm of the control points of the arc [a, b] of CURVE(nd, n).
double polygon_bound(int nd, int n, const double* curve, double a, double b) noexcept {
    double piece[3 * kMaxCurve], poly[3 * kMaxCurve];
    int code = 0;
    marc41(&nd, &nd, &n, curve, &a, &b, piece, &code);
    if (nd == 2)
        mcpol2(&n, piece, poly, &code);
    else
        mcpol3(&n, piece, poly, &code);
    double big = 0.0;
    for (int j = 0; j < n; ++j) {
        double s = 0.0;
        for (int i = 0; i < nd; ++i) s += poly[j * nd + i] * poly[j * nd + i];
        big = std::fmax(big, std::sqrt(s));
    }
    return big;
}

// Nearest points of the curve on [0, 1] (mcvpr2). Returns 1 when mcvprj
// failed; sphere is set when g vanishes everywhere. Lists of capacity cap.
int nearest_points(int level, int nd, int n, const double* coef, const double* x, int cap, int& nsol, double* proj,
                   double* params, double& dist, bool& sphere) noexcept {
    nsol = 0;
    sphere = false;
    double work[3 * kMaxCurve], roots[kMaxProjection];
    int nroot = 0, code = 0;
    mcvprj(work, &nd, &n, coef, x, &nroot, roots, &code);
    if (code > 0) return 1;
    double p[3];
    point_at(nd, n, coef, 0.0, p);
    nsol = 1;
    params[0] = 0.0;
    for (int i = 0; i < nd; ++i) proj[i] = p[i];
    dist = distance(nd, p, x);
    if (nroot == -1) {
        if (level != 0) {
            vcbm::print_line(" LA COURBE EST PORTEE PAR UNE SPHERE ");
            vcbm::print_line(" LE POINT ENTRE EST SON CENTRE ");
        }
        sphere = true;
        return 0;
    }
    const double eps1 = vcbm::tol::eps1();
    if (nroot == 0 || roots[nroot - 1] < 1.0 - eps1) roots[nroot++] = 1.0;
    for (int k = roots[0] < eps1 ? 1 : 0; k < nroot; ++k) {
        const double r = roots[k];
        point_at(nd, n, coef, r, p);
        const double d = distance(nd, p, x);
        int at;
        if (d < dist - eps1) {
            nsol = 0;
            dist = d;
            at = 0;
        } else if (d < dist + eps1 && nsol < cap) {
            at = nsol;
        } else {
            continue;
        }
        params[at] = r;
        for (int i = 0; i < nd; ++i) proj[at * nd + i] = p[i];
        nsol = at + 1;
    }
    return 0;
}

int sphere_test(int nd, int n, const double* coef, const double* x, double& radius) noexcept {
    double p[3];
    point_at(nd, n, coef, 0.0, p);
    radius = distance(nd, p, x);
    for (int k = 1; k <= kSphereSamples; ++k) {
        point_at(nd, n, coef, static_cast<double>(k) / kSphereSamples, p);
        if (!(std::fabs(distance(nd, p, x) - radius) <= kSphereSpread * radius)) return 0;
    }
    return 1;
}

}  // namespace

extern "C" {

void mcvprj(double* WORK, const int* NDIM, const int* NCOEF, const double* COEF, const double* X, int* NROOT,
            double* ROOTS, int* IER) {
    static constexpr auto R = vcbm::routine("MCVPRJ");
    vcbm::Frame f(R, *IER);
    f.set_report(true);
    *NROOT = 0;
    const int nd = *NDIM, n = *NCOEF;
    if (nd < 1 || nd > 3 || n < 1 || n > kMaxCurve) return f.fail(1);
    int ndc = 0;
    derivc(NDIM, NCOEF, COEF, &ndc, WORK);
    auto d = vcbm::mat(WORK, nd);
    auto coef = vcbm::mat(COEF, nd);
    int ng = ndc + n - 1;
    double g[kMaxProjection] = {};
    for (int k = 1; k <= ndc; ++k)
        for (int i = 1; i <= nd; ++i) g[k - 1] -= X[i - 1] * d(i, k);
    for (int j = 1; j <= n; ++j)
        for (int k = 1; k <= ndc; ++k)
            for (int i = 1; i <= nd; ++i) g[j + k - 2] += coef(i, j) * d(i, k);
    double aux[kMaxProjection];
    const double a = 0.0, b = 1.0;
    int iret = 0;
    ur1pls(&ng, g, &a, &b, NROOT, ROOTS, aux, &iret);
    if (iret == 100 || iret == 200) {
        *NROOT = -1;
        return;
    }
    if (iret > 0) f.fail(1);
}

void mcvpr2(const int* NDIM, const int* NCOEF, const double* COEF, const double* X, int* NSOL, double* PROJ,
            double* PARAMS, double* DIST, int* IER) {
    static constexpr auto R = vcbm::routine("MCVPR1");
    vcbm::Frame f(R, *IER);
    bool sphere = false;
    const int cap = 2 * *NCOEF - 1 > 1 ? 2 * *NCOEF - 1 : 1;
    f.fail(nearest_points(f.level(), *NDIM, *NCOEF, COEF, X, cap, *NSOL, PROJ, PARAMS, *DIST, sphere));
}

void mcvcrc(const int* NDIM, const int* NCOEF, const double* COEF, const double* X, double* RADIUS, int* ISPHER,
            int* IER) {
    static constexpr auto R = vcbm::routine("MCVCRC");
    vcbm::Frame f(R, *IER);
    f.set_report(true);
    *ISPHER = sphere_test(*NDIM, *NCOEF, COEF, X, *RADIUS);
}

void mcvpds(const int* NDIM, const int* NCOEF, const double* COEF, const double* X, int* NSOL, double* PARAMS,
            double* PROJ, double* DIST, int* IER) {
    static constexpr auto R = vcbm::routine("MCVPDS");
    vcbm::Frame f(R, *IER);
    f.set_report(true);
    const int nd = *NDIM, n = *NCOEF;
    if (nd < 2 || nd > 3) return f.fail(100);
    *NSOL = 0;
    const double eps1 = vcbm::tol::eps1(), epsnr = vcbm::tol::epsnr();
    const double zero = 0.0, one = 1.0;
    double length = 0.0;
    int code = 0;
    mloncv(NDIM, NDIM, NCOEF, COEF, &zero, &one, &length, &code);
    if (f.level() >= 3) vcbm::print_line(" Longueur CV= %.17g", length);
    if (code > 0) return f.fail(40);
    auto first_point = [&](double dist, int ier) {
        *NSOL = 1;
        PARAMS[0] = 0.0;
        for (int i = 0; i < nd; ++i) PROJ[i] = COEF[i];
        *DIST = dist;
        f.fail(ier);
    };
    if (std::fabs(length) < eps1) return first_point(distance(nd, COEF, X), -1);
    double radius = 0.0;
    if (sphere_test(nd, n, COEF, X, radius) == 1) return first_point(radius, -2);
    if (n > kMaxCurve) return f.fail(10);
    const int nseg = n <= 2 ? 1 : n <= 4 ? 4 : n <= 8 ? 8 : 16;
    const double h = 1.0 / nseg;
    const int cap = 2 * n - 1;
    // The kept solutions, and those of the current piece.
    double params[kMaxProjection], proj[3 * kMaxProjection], pp[kMaxProjection], pq[3 * kMaxProjection];
    int nsol = 0;
    double dist = 0.0, t2 = 0.0;
    for (int s = 1; s <= nseg; ++s) {
        double t1 = t2;
        t2 = t1 + h;
        if (t2 > 1.0 - h / 2.0) t2 = 1.0;
        double piece[3 * kMaxCurve];
        marc41(NDIM, NDIM, NCOEF, COEF, &t1, &t2, piece, &code);
        if (code > 0) return f.fail(20);
        int ns = 0;
        double d = 0.0;
        bool sphere = false;
        if (nearest_points(f.level(), nd, n, piece, X, cap, ns, pq, pp, d, sphere) > 0) return f.fail(30);
        if (sphere) return first_point(distance(nd, COEF, X), -2);
        for (int k = 0; k < ns; ++k) pp[k] = pp[k] * h + t1;
        int from = 0, at = nsol;
        if (s == 1 || d < dist - eps1) {
            at = 0;
            dist = d;
        } else if (d <= dist + eps1) {
            if (std::fabs(pp[0] - params[nsol - 1]) < epsnr) from = 1;  // the shared end of two pieces
        } else {
            continue;
        }
        for (int k = from; k < ns && at < cap; ++k, ++at) {
            params[at] = pp[k];
            for (int i = 0; i < nd; ++i) proj[at * nd + i] = pq[k * nd + i];
        }
        nsol = at;
    }
    *NSOL = nsol;
    *DIST = dist;
    for (int k = 0; k < nsol; ++k) {
        PARAMS[k] = params[k];
        for (int i = 0; i < nd; ++i) PROJ[k * nd + i] = proj[k * nd + i];
    }
}

void mxptcb(const double* T, double* F, int* IER) {
    static constexpr auto R = vcbm::routine("MXPTCB");
    vcbm::Frame f(R, *IER);
    *F = 0.0;
    if (stored.cx == nullptr) return f.fail(1);
    double p[3], d[3];
    int nd = stored.ndim, n = stored.ncoef;
    mpocrb(&nd, &n, stored.cx, &nd, T, p);
    mpocrb(&nd, &n, stored.dc, &nd, T, d);
    double s = 0.0;
    for (int i = 0; i < nd; ++i) s += p[i] * d[i];
    *F = s;
    if (*T < std::fmin(stored.ua, stored.ub) || *T > std::fmax(stored.ua, stored.ub)) f.fail(-1);
}

void mxepsi(const double* TINT, double* EPSX, double* EPSF, int* IER) {
    static constexpr auto R = vcbm::routine("MXEPSI");
    vcbm::Frame f(R, *IER);
    if (stored.cx == nullptr) return f.fail(1);
    const double a = TINT[0], b = TINT[1];
    if (std::fabs(b - a) > kShortPiece * std::fabs(stored.ub - stored.ua)) {
        stored.size = polygon_bound(stored.ndim, stored.ncoef, stored.cx, a, b);
        stored.speed = polygon_bound(stored.ndim, stored.ncoef, stored.dc, a, b);
    }
    // A move of the foot point by EPS changes g by up to EPS |P'|, plus the
    // rounding of the product at the relative precision EPSA; the parameter
    // step that moves the point by EPS, not below EPSB.
    *EPSF = stored.eps * stored.speed + stored.epsa * stored.size * stored.speed;
    *EPSX = stored.speed > 0.0 ? std::fmax(stored.eps / stored.speed, stored.epsb) : stored.epsb;
}

void mpjpc4(const int* NDIM, const int* NCMAX, const double* COEF, const int* NCOEF, const double* BOUNDS,
            const double* X, const int* NSOLMX, int* NSOLP, double* SOLP, int* NSOLI, double* SOLI, int* NNOISE,
            double* NOISE, double* FEND, double* CX, double* DC, int* NPROD, double* PROD, int* IER) {
    static constexpr auto R = vcbm::routine("MPJPC4");
    vcbm::Frame f(R, *IER);
    const bool talk = f.level() >= 1;
    auto fail = [&](int code, const char* line) {
        if (talk) vcbm::debug_line(line);
        f.fail(code);
        if (code < 0) vcbm::report_code(R, code);
    };
    int nd = *NDIM, n = *NCOEF;
    *NSOLP = *NSOLI = *NNOISE = 0;
    if (n > *NCMAX || n < 1 || n > kMaxCurve || (nd != 2 && nd != 3) || *NSOLMX < 2 * n - 2)
        return fail(1, "MPJPC4 : Argument invalide");
    bool finite = std::isfinite(BOUNDS[0]) && std::isfinite(BOUNDS[1]);
    for (int k = 0; k < nd * n; ++k) finite = finite && std::isfinite(COEF[k]);
    for (int i = 0; i < nd; ++i) finite = finite && std::isfinite(X[i]);
    if (!finite) return fail(1, "MPJPC4 : Argument invalide");
    const int nprod = 2 * n - 1;
    *NPROD = nprod;
    for (int k = 0; k < nprod; ++k) PROD[k] = 0.0;
    int one = 1, ncd = 0, code = 0;
    mcdriv(NDIM, NCOEF, COEF, &one, &ncd, DC);
    if (n > 1)  // the derivative kept on NCOEF coefficients
        for (int i = 0; i < nd; ++i) DC[(n - 1) * nd + i] = 0.0;
    for (int k = 0; k < nd * n; ++k) CX[k] = COEF[k];
    for (int i = 0; i < nd; ++i) CX[i] -= X[i];
    // Bernstein coefficients of P - X and P' on BOUNDS, then one
    // coefficient-first layout, then their dot product in Bernstein form.
    double pcx[3 * kMaxCurve], pdc[3 * kMaxCurve];
    const double ua = BOUNDS[0], ub = BOUNDS[1];
    for (auto [in, out] : {std::pair<const double*, double*>{CX, pcx}, {DC, pdc}}) {
        if (ua == 0.0 && ub == 1.0) {
            cpolyg(NDIM, NDIM, NCOEF, in, out, &code);
        } else {
            const double* from = in;
            double moved[3 * kMaxCurve];
            if (!(ua == -1.0 && ub == 1.0)) {
                const double unit[2] = {-1.0, 1.0};
                mfmcb2(NDIM, NCOEF, in, NDIM, BOUNDS, moved, unit, &code);
                from = moved;
            }
            if (code == 0) mbbpg3(NDIM, NDIM, NCOEF, from, out, &code);
        }
        if (code != 0) return fail(2, "MPJPC4 : Probleme de conversion dans BEZIER");
    }
    double tcx[3 * kMaxCurve], tdc[3 * kMaxCurve];
    int idir = 1;
    mfmcb5(&idir, NDIM, NCOEF, pcx, NCOEF, NCOEF, NDIM, tcx, &code);
    if (code == 0) mfmcb5(&idir, NDIM, NCOEF, pdc, NCOEF, NCOEF, NDIM, tdc, &code);
    if (code > 0) return fail(5, "MPJPC4 : Probleme de formattage des courbes");
    int nur = 0, nvr = 0, ld2 = 1, nprodv = nprod;
    meqps3(NCOEF, &ld2, NDIM, tcx, NCOEF, &one, NCOEF, &ld2, tdc, NCOEF, &one, &one, &nprodv, &ld2, PROD, &nur, &nvr,
           &code);
    if (code > 0) return fail(3, "MPJPC4 : Produit dans BEZIER incorrect");
    mrs1g1(mxptcb, PROD, NPROD, BOUNDS, mxepsi, SOLP, NSOLP, SOLI, NSOLI, NOISE, NNOISE, &code);
    if (code > 0) return fail(4, "MPJPC4 : Probleme dans la resolution");
    // The function tolerances at the two ends, from the end sixteenths of BOUNDS.
    const double w = (ub - ua) / 16.0, head[2] = {ua, ua + w}, tail[2] = {ub - w, ub};
    double epsx = 0.0;
    int c1 = 0, c2 = 0;
    mxepsi(head, &epsx, &FEND[0], &c1);
    mxepsi(tail, &epsx, &FEND[1], &c2);
    if (c1 > 0 || c2 > 0) return fail(6, "MPJPC4 : Probleme de calcul des boites de polygones");
    if (code == -1) {
        const double lo = std::fmin(ua, ub), hi = std::fmax(ua, ub);
        if (*NSOLI == 1 && SOLI[0] == lo && SOLI[1] == hi)
            return fail(-2, "MPJPC4 : MRS1F1 --> intervalle (0,1) solution");
        return fail(-1, "MPJPC4 : MRS1F1 --> intervalles event. bruites");
    }
}

void mpjpc3(const int* NDIM, const int* NCMAX, const int* NCOEF, const double* COEF, const double* BOUNDS,
            const double* X, const double* EPS, const double* EPSA, const double* EPSB, const int* NSOLMX,
            int* NSOLP, double* SOLP, int* NSOLI, double* SOLI, int* NNOISE, double* NOISE, double* FEND, int* IER) {
    static constexpr auto R = vcbm::routine("MPJPC3");
    vcbm::Frame f(R, *IER);
    const int nd = *NDIM, n = *NCOEF;
    int nprod = 0, code = 0;
    if ((nd != 2 && nd != 3) || n < 1 || n > *NCMAX || n > kMaxCurve) {
        double none[1];
        mpjpc4(NDIM, NCMAX, COEF, NCOEF, BOUNDS, X, NSOLMX, NSOLP, SOLP, NSOLI, SOLI, NNOISE, NOISE, FEND, none, none,
               &nprod, none, &code);
        return f.fail(1);
    }
    thread_local vcbm::WorkBase<double, 1> b1, b2, b3;
    double* cx = f.request(b1.base, nd * n);
    double* dc = cx ? f.request(b2.base, nd * n) : nullptr;
    double* prod = dc ? f.request(b3.base, 2 * n - 1) : nullptr;
    if (!prod) {
        vcbm::debug_line("LNCVAD: PB. d'allocation dynamique");
        return;  // 10, set by the frame
    }
    for (int k = 0; k < nd * n; ++k) cx[k] = dc[k] = 0.0;
    const Stored saved = stored;
    stored = Stored{cx, dc, nd, n, BOUNDS[0], BOUNDS[1], *EPS, *EPSA, *EPSB, 0.0, 0.0};
    mpjpc4(NDIM, NCMAX, COEF, NCOEF, BOUNDS, X, NSOLMX, NSOLP, SOLP, NSOLI, SOLI, NNOISE, NOISE, FEND, cx, dc, &nprod,
           prod, &code);
    stored = saved;
    f.fail(code > 0 ? 1 : code);
    f.release_all();
}

void mdpcv0(const int* NDIM, const int* NCOEF, const double* COEF, const double* BOUNDS, const double* X,
            const int* ISENS, const double* EPS, const double* EPSA, const double* EPSB, const int* NMAX, int* NPTS,
            double* PARPTS, double* PTS, int* NINT, double* INTS, int* NNOISE, double* NOISES, double* DIST,
            int* IER) {
    static constexpr auto R = vcbm::routine("MDPCV0");
    vcbm::Frame f(R, *IER);
    f.set_report(true);
    const int nd = *NDIM, n = *NCOEF, nmax = *NMAX;
    if (nd != 2 && nd != 3) return f.fail(2);
    if (nmax < 1) return f.fail(2);
    *NPTS = *NINT = *NNOISE = 0;
    *DIST = 1e30;
    const double ua = BOUNDS[0], ub = BOUNDS[1], eps = *EPS;
    const double sens = *ISENS < 0 ? -1.0 : 1.0;
    double length = 0.0, p[3];
    int code = 0;
    mloncv(NDIM, NDIM, NCOEF, COEF, &ua, &ub, &length, &code);
    if (f.level() >= 2) vcbm::debug_line("MDPCV0 : Longueur CV ", length);
    if (code > 0) return f.fail(1);
    point_at(nd, n, COEF, ua, p);
    if (std::fabs(length) < eps) {
        *DIST = distance(nd, p, X);
        return f.fail(-3);
    }
    double radius = 0.0;
    if (sphere_test(nd, n, COEF, X, radius) == 1) {
        *DIST = radius;
        return f.fail(-2);
    }
    int ncmax = kMaxCurve, nsolmx = kMaxProjection - 1, nsolp = 0, nsoli = 0, nnoi = 0;
    double solp[kMaxProjection], soli[2 * kMaxProjection], noi[2 * kMaxProjection], fend[2] = {0.0, 0.0};
    mpjpc3(NDIM, &ncmax, NCOEF, COEF, BOUNDS, X, EPS, EPSA, EPSB, &nsolmx, &nsolp, solp, &nsoli, soli, &nnoi, noi,
           fend, &code);
    if (code > 0) return f.fail(1);
    if (code == -2) {
        vcbm::debug_line(" La courbe est portee par une sphere ");
        vcbm::debug_line(" Le point entre est son centre ");
        *DIST = distance(nd, p, X);
        return f.fail(-2);
    }
    if (code == -1) {
        vcbm::debug_line("Il y a des intervalles solution et/ou bruites");
        vcbm::debug_line("Nombre d'intervalles solutions : ", nsoli);
        vcbm::debug_line("Nombre d'intervalles bruites : ", nnoi);
    }
    // Candidates by their signed distance: the smallest is the wanted extreme.
    double best = 1e30;
    auto consider = [&](int kind, double t, const double* interval) {
        double q[3];
        point_at(nd, n, COEF, t, q);
        const double d = sens * distance(nd, q, X);
        int* counts[3] = {NPTS, NINT, NNOISE};
        if (d < best - eps) {
            best = d;
            *NPTS = *NINT = *NNOISE = 0;
        } else if (!(d < best + eps) || *counts[kind] >= nmax) {
            return;
        }
        const int k = (*counts[kind])++;
        if (kind == 0) {
            PARPTS[k] = t;
            for (int i = 0; i < nd; ++i) PTS[k * nd + i] = q[i];
        } else {
            double* list = kind == 1 ? INTS : NOISES;
            list[2 * k] = interval[0];
            list[2 * k + 1] = interval[1];
        }
    };
    auto slope = [&](double t) {  // (P(t) - X) . P'(t)
        double d[3];
        int one = 1;
        point_at(nd, n, COEF, t, p);
        mdrvck(NCOEF, NDIM, COEF, &one, &t, d);
        double s = 0.0;
        for (int i = 0; i < nd; ++i) s += (p[i] - X[i]) * d[i];
        return s;
    };
    if (sens * slope(ua) > fend[0]) consider(0, ua, nullptr);
    if (-sens * slope(ub) > fend[1]) consider(0, ub, nullptr);
    for (int k = 0; k < nsolp; ++k) consider(0, solp[k], nullptr);
    for (int k = 0; k < nsoli; ++k) consider(1, (soli[2 * k] + soli[2 * k + 1]) / 2.0, soli + 2 * k);
    for (int k = 0; k < nnoi; ++k) consider(2, (noi[2 * k] + noi[2 * k + 1]) / 2.0, noi + 2 * k);
    *DIST = sens * best;
}

}  // extern "C"
