// Approximation of a caller's function by a chain of polynomial segments.
//
// Each segment [t0, t1] is mapped to u in [-1, 1]. F is sampled at the
// Gauss-Legendre points (as sums and differences of symmetric pairs, since
// every basis function has the parity of its degree); for continuity order
// R >= 0 the Hermite polynomial H of degree 2R + 1 that matches F and its
// first R derivatives at both ends is subtracted first, and the rest is
// expanded on b_n = (1 - u^2)^(R+1) J_n (see approx/jacobi_tables.hpp), whose
// members vanish at both ends to order R, so truncation never moves the end
// conditions. The expansion is truncated per group of components under the
// bound sum |c_n| max|b_n|; a segment needing more coefficients than allowed
// is halved, the left half retried and the right half processed next.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "approx/jacobi_tables.hpp"
#include "frame/frame.hpp"
#include "frame/vector_toolkit.hpp"
#include "numeric/gauss_tables.hpp"
#include "vcbm_approx.h"
#include "vcbm_frame.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"

namespace {

using std::ptrdiff_t;
using vcbm::approx::end_conditions;
using vcbm::approx::order_ok;
using vcbm::approx::sample_rows;

constexpr int kMaxCoefKept = 14;          // coefficients a segment may keep
constexpr int kPointCounts[] = {8, 10, 15, 20, 25, 30, 40, 50, 61};

double eps1() {
    double e = 0.0;
    meps1(&e);
    return e;
}

double epspb() {
    double e = 0.0;
    mveps3(&e);
    return e;
}

// Mapping of a segment onto [-1, 1].
struct Segment {
    double m, h;
    explicit Segment(const double* tseg) noexcept : m((tseg[0] + tseg[1]) * 0.5), h((tseg[1] - tseg[0]) * 0.5) {}
};

// Calls FUNC once; its positive code K becomes 100 + K.
int evaluate(vcbm_approx_function func, int ndim, const double* tseg, double t, int ideriv, double* val) {
    int code = 0;
    func(&ndim, tseg, &t, &ideriv, val, &code);
    return code > 0 ? 100 + code : 0;
}

// Number of work reals of mapjak.
ptrdiff_t segment_work(int ndim, int npts, int ndjac) {
    return static_cast<ptrdiff_t>(ndim) * (npts + 13) + static_cast<ptrdiff_t>(sample_rows(npts)) * (ndjac + 1);
}

// The truncation shared by the four orders.
void truncate(int r, int ld, int ndimg, int nc, double tol, const double* crvjac, double* ymax, double* err,
              int* nkeep) {
    const int k = end_conditions(r);
    const auto& b = vcbm::approx::tables(r).maximum;
    auto c = vcbm::mat(crvjac, ld);
    nc = std::min(nc, vcbm::approx::kMaxPositions);
    int keep = std::max(k, 1);
    for (int j = 0; j < ndimg; ++j) ymax[j] = 0.0;
    double e = 0.0;
    for (int p = nc; p > keep; --p) {
        for (int j = 1; j <= ndimg; ++j) ymax[j - 1] += std::fabs(c(p, j)) * b[p - 1];
        const double en = ndimg == 1 ? ymax[0] : vcbm::norm(ndimg, ymax);
        if (!(en <= tol)) {  // a NaN bound is not met either
            keep = p;
            break;
        }
        e = en;
    }
    if (r >= 0 && keep == k) {
        const double eps = eps1();
        int q = k;
        for (; q >= 2; --q) {
            double s = 0.0;
            for (int j = 1; j <= ndimg; ++j) s += std::fabs(c(q, j));
            if (s > eps) break;
        }
        keep = q >= 2 ? q : 1;
    }
    *err = e;
    *nkeep = keep;
}

// The Hermite systems: column i + 1 of row k + 1 holds the k-th derivative
// of u^(2i + PARITY) at u = 1.
void hermite_matrix(int n, int parity, double* a) {
    for (int k = 0; k < n; ++k)
        for (int i = 0; i < n; ++i) {
            const int d = 2 * i + parity;
            double v = d >= k ? 1.0 : 0.0;
            for (int s = 0; s < k && v != 0.0; ++s) v *= d - s;
            a[i * n + k] = v;
        }
}

// OUT[q] = sum over i < N of W[q][i] X[i], Q sums side by side, each in two
// lanes (even and odd i) added at the end.
template <int Q>
inline void dot_products(int n, const double* const* w, const double* x, double* out) noexcept {
    using pair = double __attribute__((vector_size(16)));
    auto load = [](const double* p) {
        pair v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    pair acc[Q] = {};
    int i = 0;
    for (; i + 1 < n; i += 2) {
        const pair xv = load(x + i);
        for (int q = 0; q < Q; ++q) acc[q] += load(w[q] + i) * xv;
    }
    for (int q = 0; q < Q; ++q) out[q] = acc[q][0] + acc[q][1] + (i < n ? w[q][i] * x[i] : 0.0);
}

// Inserts T after TBREAK(NSEG), shifting TBREAK(NSEG+1..NS) one place up.
void insert_break(double* tbreak, int nseg, int ns, double t) {
    for (int i = ns; i > nseg; --i) tbreak[i + 1] = tbreak[i];
    tbreak[nseg + 1] = t;
}

bool strictly_inside(double t, double a, double b) { return (t - a) * (t - b) < 0.0; }

void debug_verification(int r, int ndim, int nsub, const int* groupdim, const double* tol,
                        vcbm_approx_function func, const double* tseg, int& ier) {
    if (r <= 0) {
        vcbm::print_line(" DEBUG AB : F(t) : Pas de verif; contr. C-1,C0");
        return;
    }
    double rp[3];
    int ip[2], code = 0;
    mapirw("LECT", rp, ip, &code, 4);
    if (code != 0) {
        vcbm::print_line(" DEBUG AB : F(t) : Pb de lecture des parametres");
        ier = -2;
        return;
    }
    ip[0] = std::min(ip[0], r);
    vcbm::print_line(" DEBUG AB : F(t) : Ordre des contr. verifiees %d", ip[0]);
    mapdbn(&ndim, &nsub, groupdim, tol, func, tseg, rp, ip, &code);
    if (code != 0) {
        vcbm::print_line(" DEBUG AB : F(t) : Pb de DEBUG mais on continue");
        ier = -2;
    }
}

// The driver of mapfnc and mapfnc1 (NCUT = 0: no preferred cuts).
void drive(const vcbm::Routine& R, const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TINT,
           int ncut, const double* tcut, vcbm_approx_function FUNC, const int* ORDER, const int* LDCOEF,
           const int* MAXSEG, const int* MAXCOEF, const double* TOL, const double* TOUT, const int* NPCODE,
           int* NSEG, int* NCOEF, double* COEF, double* TBREAK, double* ERRMAX, double* ERRMEAN, int* IER) {
    vcbm::Frame f(R, *IER);
    const bool debug = nacdbg() == 1;
    const int ndim = *NDIM, nsub = *NSUB, r = *ORDER, ldcoef = *LDCOEF, maxseg = *MAXSEG;
    int& ier = *IER;
    if (ndim > 0 && ldcoef > 0 && maxseg > 0)
        std::fill(COEF, COEF + static_cast<ptrdiff_t>(ndim) * ldcoef * maxseg, 0.0);

    // Checks.
    const int maxcoef = std::min(*MAXCOEF, kMaxCoefKept);
    const double eps = epspb();
    if (maxseg < 1 || maxcoef > ldcoef || ndim < 1 || nsub < 1 || nsub > ndim) return f.fail(1);
    if (!(std::fabs(TINT[1] - TINT[0]) >= eps) || !(std::fabs(TOUT[1] - TOUT[0]) >= eps)) return f.fail(1);
    int total = 0;
    for (int g = 0; g < nsub; ++g) {
        if (GROUPDIM[g] < 1 || !(TOL[g] > 0.0)) return f.fail(1);
        total += GROUPDIM[g];
    }
    if (total != ndim) return f.fail(1);
    if (ncut > 0 && ncut < 2) return f.fail(1);
    int npts = 0, ndjac = 0, code = 0;
    ma1nbp(ORDER, &maxcoef, NPCODE, &npts, &ndjac, &code);
    if (code != 0) return f.fail(1);
    if (r >= 0) npts -= 2;
    const int nc = ndjac + 1;

    // One work area: mapjak's work, then CRVJAC(NC, NDIM), the even/odd split
    // and the canonical coefficients (NC x NDIM each), then YMAX(NDIM).
    const ptrdiff_t jak = segment_work(ndim, npts, ndjac);
    const ptrdiff_t block = static_cast<ptrdiff_t>(nc) * ndim;
    const ptrdiff_t need = jak + 3 * block + ndim;
    double base[1];
    double* work = need <= 0x7fffffff ? f.request(base, static_cast<int>(need)) : nullptr;
    if (!work) return f.fail(13);
    double* crvjac = work + jak;
    double* cmp = crvjac + block;
    double* can = cmp + block;
    double* ymax = can + block;

    auto errmax = vcbm::mat(ERRMAX, nsub);
    auto errmean = vcbm::mat(ERRMEAN, nsub);
    auto coef = vcbm::arr3(COEF, ndim, ldcoef);
    TBREAK[0] = TINT[0];
    TBREAK[1] = TINT[1];
    int nseg = 0, ns = 1;
    *NSEG = 0;
    while (nseg < ns) {
        const int s = nseg + 1;
        const double tseg[2] = {TBREAK[nseg], TBREAK[nseg + 1]};
        mapjak(NDIM, FUNC, tseg, ORDER, &ndjac, &npts, work, crvjac, &code);
        if (code > 0) {
            ier = code;
            break;
        }
        NCOEF[s - 1] = 0;
        int failed = 0;  // group that could not be kept within MAXCOEF coefficients
        int first = 1;   // first component of the group
        for (int g = 1; g <= nsub; ++g) {
            const int dg = GROUPDIM[g - 1];
            double* cg = crvjac + static_cast<ptrdiff_t>(first - 1) * nc;
            double e = 0.0;
            int nkeep = 0;
            mtrpjj(&nc, &dg, &nc, &TOL[g - 1], ORDER, cg, ymax, &e, &nkeep);
            if (nkeep > maxcoef && ns < maxseg) {
                failed = g;
                break;
            }
            if (g == 1) ++nseg;
            if (nkeep > maxcoef) {  // the last segment allowed: kept beyond tolerance
                ier = -1;
                NCOEF[nseg - 1] = maxcoef;
                maperr(&nc, &dg, &nc, ORDER, cg, &maxcoef, &errmax(g, nseg));
                maperm(&nc, &dg, &nc, ORDER, cg, &maxcoef, &errmean(g, nseg));
            } else {
                NCOEF[nseg - 1] = std::max(NCOEF[nseg - 1], nkeep);
                errmax(g, nseg) = e;
                maperm(&nc, &dg, &nc, ORDER, cg, &nkeep, &errmean(g, nseg));
                for (int j = 0; j < dg; ++j)
                    for (int p = nkeep + 1; p <= maxcoef; ++p) cg[static_cast<ptrdiff_t>(j) * nc + p - 1] = 0.0;
            }
            first += dg;
        }
        if (failed) {
            if (failed > 1) --nseg;
            const double a = TBREAK[nseg], b = TBREAK[nseg + 1];
            double cut = (a + b) * 0.5;
            if (failed == 1)
                for (int i = 2; i < ncut; ++i)
                    if (strictly_inside(tcut[i - 1], a, b)) {
                        cut = tcut[i - 1];
                        break;
                    }
            insert_break(TBREAK, nseg, ns, cut);
            ++ns;
            continue;
        }
        *NSEG = nseg;

        // Output: the kept positions to canonical form on [-1, 1], then on TOUT.
        const int ncf = NCOEF[nseg - 1], ndeg = ncf - 1;
        mapcmp(&nc, &ncf, NDIM, crvjac, cmp);
        for (int j = 0; j < ndim; ++j)
            mjacan(ORDER, &ndeg, cmp + static_cast<ptrdiff_t>(j) * nc, can + static_cast<ptrdiff_t>(j) * ncf);
        marcin(NDIM, NDIM, &ncf, can, &TOUT[0], &TOUT[1], coef.at(1, 1, nseg), &code);
        if (code != 0) {
            ier = 1;
            break;
        }
        if (debug) debug_verification(r, ndim, nsub, GROUPDIM, TOL, FUNC, tseg, ier);
    }

    // Release here so that a failed release becomes this routine's code 13,
    // and report the negative codes too.
    const int before = ier;
    f.release_all();
    if (before < 1 && ier == 10) ier = 13;
    if (ier < 0) vcbm::report_code(R, ier);
}

}  // namespace

extern "C" {

void mapfnc(const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TINT, vcbm_approx_function FUNC,
            const int* ORDER, const int* LDCOEF, const int* MAXSEG, const int* MAXCOEF, const double* TOL,
            const double* TOUT, const int* NPCODE, int* NSEG, int* NCOEF, double* COEF, double* TBREAK,
            double* ERRMAX, double* ERRMEAN, int* IER) {
    static constexpr auto R = vcbm::routine("MAPFNC");
    drive(R, NDIM, NSUB, GROUPDIM, TINT, 0, nullptr, FUNC, ORDER, LDCOEF, MAXSEG, MAXCOEF, TOL, TOUT, NPCODE, NSEG,
          NCOEF, COEF, TBREAK, ERRMAX, ERRMEAN, IER);
}

void mapfnc1(const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TINT, const int* NCUT,
             const double* TCUT, vcbm_approx_function FUNC, const int* ORDER, const int* LDCOEF, const int* MAXSEG,
             const int* MAXCOEF, const double* TOL, const double* TOUT, const int* NPCODE, int* NSEG, int* NCOEF,
             double* COEF, double* TBREAK, double* ERRMAX, double* ERRMEAN, int* IER) {
    static constexpr auto R = vcbm::routine("MAPFNC1");
    // NCUT < 2 is refused with the other invalid arguments.
    const int ncut = *NCUT < 2 ? 1 : *NCUT;
    drive(R, NDIM, NSUB, GROUPDIM, TINT, ncut, TCUT, FUNC, ORDER, LDCOEF, MAXSEG, MAXCOEF, TOL, TOUT, NPCODE, NSEG,
          NCOEF, COEF, TBREAK, ERRMAX, ERRMEAN, IER);
}

void ma1nbp(const int* ORDER, const int* MAXCOEF, const int* NPCODE, int* NPTS, int* NDJAC, int* IER) {
    static constexpr auto R = vcbm::routine("MA1NBP");
    vcbm::Frame f(R, *IER);
    const int r = *ORDER, maxcoef = *MAXCOEF, npcode = *NPCODE;
    if (!order_ok(r)) return f.fail(2);
    if (maxcoef < std::max(2 * r + 2, 2)) return f.fail(1);
    const int ndjac = npcode < 1 ? maxcoef + 5 : maxcoef + 8;
    int n1 = 0;
    for (int n : kPointCounts)
        if (n > ndjac) {
            n1 = n;
            break;
        }
    if (n1 == 0) return f.fail(1);
    int n2 = 0;
    switch (npcode) {
        case -5: n2 = 8; break;
        case -4: n2 = 10; break;
        case -3: n2 = 15; break;
        case -2: n2 = 20; break;
        case -1: n2 = 25; break;
        case 1: n2 = 30; break;
        case 2: n2 = 40; break;
        case 3: n2 = 50; break;
        case 4: n2 = 61; break;
        default: return f.fail(3);
    }
    *NDJAC = ndjac;
    *NPTS = std::max(n1, n2) + (r >= 0 ? 2 : 0);
}

void mrtptt(const int* NPTS, double* U) {
    static constexpr auto R = vcbm::routine("MRTPTT");
    vcbm::Frame f(R);
    const int npts = *NPTS;
    if (npts < 2 || npts > vcbm::gauss::max_order) return;
    const double* x = vcbm::gauss::positive_nodes(npts);
    std::copy(x, x + npts / 2, U);
}

void mapfdi(const int* NDIM, vcbm_approx_function FUNC, const double* TSEG, const int* NPTS, const double* U,
            double* S, double* D, int* IER) {
    static constexpr auto R = vcbm::routine("MAPFDI");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, npts = *NPTS, half = npts / 2;
    const Segment seg(TSEG);
    auto s = vcbm::mat(S, ndim);
    auto d = vcbm::mat(D, ndim);
    for (int k = 1; k <= half; ++k) {
        const double du = seg.h * U[k - 1];
        int code = evaluate(FUNC, ndim, TSEG, seg.m + du, 0, s.col(k));
        if (code == 0) code = evaluate(FUNC, ndim, TSEG, seg.m - du, 0, d.col(k));
        if (code != 0) return f.fail(code);
        for (int j = 1; j <= ndim; ++j) {
            const double p = s(j, k), q = d(j, k);
            s(j, k) = p + q;
            d(j, k) = p - q;
        }
    }
    if (npts % 2 == 1) {
        const int c = half + 1;
        const int code = evaluate(FUNC, ndim, TSEG, seg.m, 0, s.col(c));
        if (code != 0) return f.fail(code);
        for (int j = 1; j <= ndim; ++j) d(j, c) = s(j, c);
    }
}

void mapcco(const int* NDIM, vcbm_approx_function FUNC, const double* TSEG, const int* IORDRE, double* VALA,
            double* VALB, int* IER) {
    static constexpr auto R = vcbm::routine("MAPCCO");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, r = *IORDRE;
    const Segment seg(TSEG);
    auto a = vcbm::mat(VALA, ndim);
    auto b = vcbm::mat(VALB, ndim);
    double scale = 1.0;
    for (int k = 0; k <= r; ++k) {
        int code = evaluate(FUNC, ndim, TSEG, TSEG[0], k, a.col(k + 1));
        if (code == 0) code = evaluate(FUNC, ndim, TSEG, TSEG[1], k, b.col(k + 1));
        if (code != 0) return f.fail(code);
        for (int j = 1; j <= ndim; ++j) {
            a(j, k + 1) *= scale;
            b(j, k + 1) *= scale;
        }
        scale *= seg.h;
    }
}

void mcvctx(const int* IORDRE, const int* NDIM, const double* VALA, const double* VALB, double* HC, int* IER) {
    static constexpr auto R = vcbm::routine("MCVCTX");
    vcbm::Frame f(R, *IER);
    const int r = *IORDRE, ndim = *NDIM;
    if (r < 0 || r > 2 || ndim < 1) return f.fail(1);
    const int n = r + 1, k2 = 2 * n;
    // B(N, NDIM), X(N, NDIM) and W((N + NDIM) N): on the stack up to 16 components.
    constexpr int kFixed = 3 * 3 * 16 + 9;
    double fixed[kFixed];
    double* w = f.acquire(fixed, kFixed, 3 * n * ndim + n * n);
    if (!w) return f.fail(13);
    double* rhs = w;
    double* x = rhs + n * ndim;
    double* aw = x + n * ndim;
    double a[9];
    const double eps = eps1();
    auto va = vcbm::mat(VALA, ndim);
    auto vb = vcbm::mat(VALB, ndim);
    auto h = vcbm::mat(HC, k2);
    for (int parity = 0; parity <= 1; ++parity) {
        hermite_matrix(n, parity, a);
        for (int j = 1; j <= ndim; ++j)
            for (int k = 0; k < n; ++k) {
                const double sa = k % 2 == 0 ? va(j, k + 1) : -va(j, k + 1);
                rhs[(j - 1) * n + k] = parity == 0 ? (vb(j, k + 1) + sa) * 0.5 : (vb(j, k + 1) - sa) * 0.5;
            }
        int code = 0;
        mrslwd(&n, &n, &ndim, a, rhs, &eps, aw, x, &code);
        if (code != 0) return f.fail(10);
        for (int j = 1; j <= ndim; ++j)
            for (int i = 0; i < n; ++i) h(2 * i + parity + 1, j) = x[(j - 1) * n + i];
    }
}

void mpocvi(const int* NCOEF, const double* C, const double* U, double* SUM, double* DIFF) {
    const int nc = *NCOEF;
    const double u = *U, w = u * u;
    double e = 0.0, o = 0.0;
    for (int i = (nc - 1) / 2 * 2; i >= 0; i -= 2) e = e * w + C[i];
    for (int i = nc % 2 == 0 ? nc - 1 : nc - 2; i >= 1; i -= 2) o = o * w + C[i];
    *SUM = 2.0 * e;
    *DIFF = 2.0 * u * o;
}

void mpocur(const int* NCOEF, const double* C, const double* T, double* VAL) {
    const int nc = *NCOEF;
    double p = 0.0;
    for (int i = nc - 1; i >= 0; --i) p = p * *T + C[i];
    *VAL = p;
}

void mapcti(const int* NDIM, const int* IORDRE, const int* NPTS, const double* U, const double* HC, double* S,
            double* D) {
    static constexpr auto R = vcbm::routine("MAPCTI");
    vcbm::Frame f(R);
    const int ndim = *NDIM, r = *IORDRE, npts = *NPTS, half = npts / 2;
    if (r < 0 || r > 2) return;
    const int k2 = 2 * r + 2;
    auto h = vcbm::mat(HC, k2);
    auto s = vcbm::mat(S, ndim);
    auto d = vcbm::mat(D, ndim);
    for (int k = 1; k <= half; ++k)
        for (int j = 1; j <= ndim; ++j) {
            double sum, diff;
            mpocvi(&k2, h.col(j), &U[k - 1], &sum, &diff);
            s(j, k) -= sum;
            d(j, k) -= diff;
        }
    if (npts % 2 == 1) {
        const double zero = 0.0;
        for (int j = 1; j <= ndim; ++j) {
            double h0;
            mpocur(&k2, h.col(j), &zero, &h0);
            s(j, half + 1) -= h0;
            d(j, half + 1) -= h0;
        }
    }
}

void mapptt(const int* NDJAC, const int* NPTS, const int* IORDRE, double* PT, int* IER) {
    static constexpr auto R = vcbm::routine("MAPPTT");
    vcbm::Frame f(R, *IER);
    const int ndjac = *NDJAC, npts = *NPTS, r = *IORDRE;
    const int rule = vcbm::approx::rule_index(npts);
    if (rule < 0) return f.fail(11);
    if (!order_ok(r)) return f.fail(21);
    const int k = end_conditions(r);
    if (ndjac < k || ndjac > npts - 1) return f.fail(31);
    const int rows = sample_rows(npts);
    const auto& t = vcbm::approx::tables(r).weighted[rule];
    for (int n = 0; n <= ndjac - k; ++n) std::copy(t[n], t[n] + rows, PT + static_cast<ptrdiff_t>(n) * rows);
}

void mapcoe(const int* NDIM, const int* IORDRE, const int* NDJAC, const int* NPTS, const double* PT, const double* S,
            const double* D, double* CRVJAC) {
    static constexpr auto R = vcbm::routine("MAPCOE");
    vcbm::Frame f(R);
    const int ndim = *NDIM, r = *IORDRE, ndjac = *NDJAC, rows = sample_rows(*NPTS);
    if (!order_ok(r)) return;
    const int k = end_conditions(r);
    auto pt = vcbm::mat(PT, rows);
    auto s = vcbm::mat(S, ndim);
    auto d = vcbm::mat(D, ndim);
    auto c = vcbm::mat(CRVJAC, ndjac + 1);
    const int nmax = ndjac - k;
    double x[vcbm::approx::kMaxRows];
    for (int j = 1; j <= ndim; ++j)
        for (int parity = 0; parity <= 1; ++parity) {
            // The samples of component j as one contiguous column, then four
            // coefficients of this parity at a time (independent sums).
            const auto& src = parity == 0 ? s : d;
            for (int row = 1; row <= rows; ++row) x[row - 1] = src(j, row);
            int n = parity;
            for (; n + 6 <= nmax; n += 8) {
                const double* w[4] = {pt.col(n + 1), pt.col(n + 3), pt.col(n + 5), pt.col(n + 7)};
                double a[4];
                dot_products<4>(rows, w, x, a);
                for (int q = 0; q < 4; ++q) c(k + 1 + n + 2 * q, j) = a[q];
            }
            for (; n <= nmax; n += 2) {
                const double* w[1] = {pt.col(n + 1)};
                dot_products<1>(rows, w, x, &c(k + 1 + n, j));
            }
        }
}

void mapjak(const int* NDIM, vcbm_approx_function FUNC, const double* TSEG, const int* IORDRE, const int* NDJAC,
            const int* NPTS, double* WORK, double* CRVJAC, int* IER) {
    static constexpr auto R = vcbm::routine("MAPJAK");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, r = *IORDRE, ndjac = *NDJAC, npts = *NPTS;
    if (ndim < 1 || !order_ok(r) || vcbm::approx::rule_index(npts) < 0) return f.fail(33);
    const int rows = sample_rows(npts), k = end_conditions(r);
    double* s = WORK;
    double* d = s + static_cast<ptrdiff_t>(ndim) * rows;
    double* va = d + static_cast<ptrdiff_t>(ndim) * rows;
    double* vb = va + 3 * ndim;
    double* hc = vb + 3 * ndim;
    double* pt = hc + 6 * ndim;
    double u[vcbm::approx::kMaxRows];
    mrtptt(NPTS, u);
    int code = 0;
    mapfdi(NDIM, FUNC, TSEG, NPTS, u, s, d, &code);
    if (code > 0) return f.fail(code);
    if (r >= 0) {
        mapcco(NDIM, FUNC, TSEG, IORDRE, va, vb, &code);
        if (code > 0) return f.fail(code);
        mcvctx(IORDRE, NDIM, va, vb, hc, &code);
        if (code > 0) return f.fail(code);
        mapcti(NDIM, IORDRE, NPTS, u, hc, s, d);
    }
    mapptt(NDJAC, NPTS, IORDRE, pt, &code);
    if (code != 0) return f.fail(33);
    mapcoe(NDIM, IORDRE, NDJAC, NPTS, pt, s, d, CRVJAC);
    if (r >= 0) {
        auto c = vcbm::mat(CRVJAC, ndjac + 1);
        auto h = vcbm::mat(hc, k);
        for (int j = 1; j <= ndim; ++j)
            for (int p = 1; p <= k; ++p) c(p, j) = h(p, j);
    }
}

void mtrpjj(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const int* IORDRE,
            const double* CRVJAC, double* YMAX, double* ERRMAX, int* NKEEP) {
    switch (*IORDRE) {
        case -1: return mtrpj0(LDJAC, NDIMG, NC, TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
        case 0: return mtrpj2(LDJAC, NDIMG, NC, TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
        case 1: return mtrpj4(LDJAC, NDIMG, NC, TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
        case 2: return mtrpj6(LDJAC, NDIMG, NC, TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
        default: return;
    }
}

void mtrpj0(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC, double* YMAX,
            double* ERRMAX, int* NKEEP) {
    truncate(-1, *LDJAC, *NDIMG, *NC, *TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
}
void mtrpj2(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC, double* YMAX,
            double* ERRMAX, int* NKEEP) {
    truncate(0, *LDJAC, *NDIMG, *NC, *TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
}
void mtrpj4(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC, double* YMAX,
            double* ERRMAX, int* NKEEP) {
    truncate(1, *LDJAC, *NDIMG, *NC, *TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
}
void mtrpj6(const int* LDJAC, const int* NDIMG, const int* NC, const double* TOL, const double* CRVJAC, double* YMAX,
            double* ERRMAX, int* NKEEP) {
    truncate(2, *LDJAC, *NDIMG, *NC, *TOL, CRVJAC, YMAX, ERRMAX, NKEEP);
}

void maperm(const int* LDJAC, const int* NDIMG, const int* NC, const int* IORDRE, const double* CRVJAC, const int* N,
            double* EMEAN) {
    static constexpr auto R = vcbm::routine("MAPERM");
    vcbm::Frame f(R);
    auto c = vcbm::mat(CRVJAC, *LDJAC);
    double s = 0.0;
    for (int p = std::max(2 * *IORDRE + 3, *N + 1); p <= *NC; ++p)
        for (int j = 1; j <= *NDIMG; ++j) s += c(p, j) * c(p, j);
    *EMEAN = std::sqrt(0.5 * s);
}

void maperr(const int* LDJAC, const int* NDIMG, const int* NC, const int* IORDRE, const double* CRVJAC, const int* N,
            double* EMAX) {
    static constexpr auto R = vcbm::routine("MAPERR");
    vcbm::Frame f(R);
    const int k = 2 * *IORDRE + 2;
    auto c = vcbm::mat(CRVJAC, *LDJAC);
    const double scale = std::ldexp(1.0, -(2 * k + 1));
    double s = 0.0;
    for (int p = std::max(*N + 1, k + 1); p <= *NC; ++p) {
        const int top = 2 * k + p - 1;
        const double binom = top <= vcbm::kMaxBinomial ? vcbm::binomial(top, k)
                                                       : std::round(std::exp(std::lgamma(top + 1.0) - std::lgamma(k + 1.0) -
                                                                             std::lgamma(top - k + 1.0)));
        const double w = (2.0 * k + 2.0 * p - 1.0) * binom * scale;
        for (int j = 1; j <= *NDIMG; ++j) s += c(p, j) * c(p, j) * w;
    }
    *EMAX = std::sqrt(s);
}

void mapcmp(const int* LDJAC, const int* NCOEF, const int* NDIM, const double* CRVJAC, double* CMP) {
    static constexpr auto R = vcbm::routine("MAPCMP");
    vcbm::Frame f(R);
    const int ld = *LDJAC, ncoef = *NCOEF;
    auto c = vcbm::mat(CRVJAC, ld);
    auto out = vcbm::mat(CMP, ld);
    for (int j = 1; j <= *NDIM; ++j) {
        int x = 1;
        for (int p = 1; p <= ncoef; p += 2) out(x++, j) = c(p, j);
        for (int p = 2; p <= ncoef; p += 2) out(x++, j) = c(p, j);
    }
}

void mjacan(const int* IORDRE, const int* NDEG, const double* CMP, double* CAN) {
    static constexpr auto R = vcbm::routine("MJACAN");
    vcbm::Frame f(R);
    const int r = *IORDRE, ndeg = *NDEG;
    if (!order_ok(r) || ndeg < 0 || ndeg >= vcbm::approx::kMaxPositions) return;
    const auto& power = vcbm::approx::tables(r).power;
    const int ne = ndeg / 2 + 1;
    for (int i = 0; i <= ndeg; ++i) {
        // Functions of degree d >= i with the parity of i: d = i, i + 2, ...
        double s = 0.0;
        for (int d = ndeg - (ndeg - i) % 2; d >= i; d -= 2) {
            const int at = d % 2 == 0 ? d / 2 : ne + (d - 1) / 2;
            s += CMP[at] * power[d][i];
        }
        CAN[i] = s;
    }
}

void marcin(const int* NDIMAX, const int* NDIM, const int* NCF, const double* CAN, const double* T1,
            const double* T2, double* OUT, int* IER) {
    static constexpr auto R = vcbm::routine("MARCIN");
    vcbm::Frame f(R, *IER);
    const int ncf = *NCF, ndimax = *NDIMAX, ndim = *NDIM;
    if (ncf < 1 || ncf > 61) return f.fail(10);
    const double t1 = *T1, t2 = *T2;
    if (!(std::fabs(t2 - t1) >= epspb()) || ndim < 1 || ndim > ndimax) return f.fail(1);
    mcvinv(NDIMAX, NCF, NDIM, CAN, OUT);
    if (t1 == -1.0 && t2 == 1.0) return;
    // u = (2v - (T1 + T2)) / (T2 - T1) = TA + (TB - TA) v.
    const double ta = -(t1 + t2) / (t2 - t1), tb = ta + 2.0 / (t2 - t1);
    int code = 0;
    marc41(NDIMAX, NDIM, NCF, OUT, &ta, &tb, OUT, &code);
    if (code != 0) f.fail(10);
}

// ---- Debug mode: saved parameters and end-derivative verification ----

namespace {
struct DebugParameters {
    bool saved = false;
    double rp[3];
    int ip[2];
};
thread_local DebugParameters t_debug;

// 0.01 and 0.2 in single precision, widened.
constexpr double kDefaultRp[3] = {static_cast<double>(0.01f), 1.0, static_cast<double>(0.2f)};
constexpr int kDefaultIp[2] = {1, 1};
}  // namespace

void mapirw(const char* MODE, double* RP, int* IP, int* IER, long MODE_len) {
    static constexpr auto R = vcbm::routine("MAPIRW");
    // The code is reported (0 included) only at trace level 2 and above: the
    // frame reports a code of its own, copied to IER on the way out.
    int code = 0;
    {
        vcbm::Frame f(R, code);
        const bool report = f.level() >= 2;
        f.set_report(report);
        char mode[4] = {' ', ' ', ' ', ' '};
        for (long i = 0; i < 4 && i < MODE_len; ++i) mode[i] = MODE[i];
        auto is = [&](const char* m) { return std::memcmp(mode, m, 4) == 0; };
        DebugParameters& d = t_debug;
        if (is("LECT")) {
            if (!d.saved) {
                std::copy(kDefaultRp, kDefaultRp + 3, d.rp);
                std::copy(kDefaultIp, kDefaultIp + 2, d.ip);
                d.saved = true;
            }
            std::copy(d.rp, d.rp + 3, RP);
            std::copy(d.ip, d.ip + 2, IP);
        } else if (is("DEFT")) {
            std::copy(kDefaultRp, kDefaultRp + 3, RP);
            std::copy(kDefaultIp, kDefaultIp + 2, IP);
        } else if (is("SAUV")) {
            std::copy(RP, RP + 3, d.rp);
            std::copy(IP, IP + 2, d.ip);
            d.saved = true;
        } else {
            code = 1;
        }
        *IER = code;
        if (!report) code = 0;  // below level 2 nothing is reported
    }
}

void mapdbn(const int* NDIM, const int* NSUB, const int* GROUPDIM, const double* TOL, vcbm_approx_function FUNC,
            const double* TSEG, const double* RP, const int* IP, int* IER) {
    static constexpr auto R = vcbm::routine("MAPDBN");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, nsub = *NSUB, q = IP[0], verbose = IP[1];
    const double t0 = TSEG[0], t1 = TSEG[1], len = std::fabs(t1 - t0);
    const double delta = (t1 - t0) * RP[0];
    if (!(delta >= 1e-15) || q < 1 || ndim < 1) return f.fail(1);
    // F^(q-1) at t0, t0 + delta, t1 - delta, t1; F^(q) at t0, t1; the tolerance per component.
    constexpr int kFixed = 7 * 16;
    double fixed[kFixed];
    double* w = f.acquire(fixed, kFixed, 7 * ndim);
    if (!w) return f.fail(2);
    auto v = vcbm::mat(w, ndim);
    const double at[6] = {t0, t0 + delta, t1 - delta, t1, t0, t1};
    for (int i = 0; i < 6; ++i)
        if (evaluate(FUNC, ndim, TSEG, at[i], i < 4 ? q - 1 : q, v.col(i + 1)) != 0) return f.fail(1);
    double* tolk = v.col(7);
    for (int g = 0, j = 0; g < nsub; ++g)
        for (int i = 0; i < GROUPDIM[g] && j < ndim; ++i) tolk[j++] = TOL[g];
    for (int end = 0; end < 2; ++end) {
        bool first = true;
        for (int k = 1; k <= ndim; ++k) {
            const double exact = v(k, 5 + end);
            const double quotient = end == 0 ? (v(k, 2) - v(k, 1)) / delta : (v(k, 4) - v(k, 3)) / delta;
            const double diff = exact - quotient;
            const double relative = std::fabs(exact) * RP[2];
            double absolute = RP[1] * 4.0 * tolk[k - 1] / len;
            if (q > 1) absolute *= 0.5 / len;
            if (!(std::fabs(diff) > relative && std::fabs(diff) > absolute)) continue;
            if (first) vcbm::print_line(end == 0 ? " Verification en a = %.16G" : " Verification en b = %.16G", end == 0 ? t0 : t1);
            first = false;
            vcbm::print_line(" Resultat INCORRECT  pour la composante %d", k);
            if (absolute < relative) {
                if (verbose < 2)
                    vcbm::print_line(" Ecart relat. depasse");
                else
                    vcbm::print_line(" Ecart rel. obtenu = %.16G", std::fabs(diff) / std::fabs(exact));
            } else {
                if (verbose < 2)
                    vcbm::print_line(" Ecart absolu depasse");
                else
                    vcbm::print_line(" Ecart abs. obtenu = %.16G", std::fabs(diff));
            }
            if (verbose >= 2) {
                vcbm::print_line(" Calcul par les derivees : %.16G", exact);
                vcbm::print_line(" Calcul par diff. finies : %.16G", quotient);
            }
        }
    }
}

}  // extern "C"
