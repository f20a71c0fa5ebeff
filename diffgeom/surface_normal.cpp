// Normals of polynomial patches SURF(3, NCMAX, NCOEFV) on [0, 1]^2 and their
// derivatives: the unit or raw normal (mvtnml, mvcnml) that stays defined
// where Su x Sv vanishes, the sample normals that decide its sense there
// (mvnrf4), first and second derivatives of the normal (mdvnml, mdrnml,
// md2nml, mdr2nr), mixed partial derivatives of the raw normal and of the
// unit normal (mponnn, mdrnnn, mdrnn2), the normal at a singular point from
// the directions around it (mvtnm0) and the position of a parameter point in
// the unit square (sptbor).
//
// Partial derivatives of the raw normal N = Su x Sv follow from Leibniz's
// rule: the (i, j) derivative of S1u x S2v is the sum over a <= i, b <= j of
// C(i, a) C(j, b) S1(a+1, b) x S2(i-a, j-b+1), S(a, b) the partial
// derivative of order a in u and b in v. Those of the unit normal W = N/|N|
// follow from N = L W, L = |N| and W . W = 1 (see unit_derivatives).
#include <algorithm>
#include <cmath>
#include <limits>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_frame.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

// Pairing the three components into vector registers would make the partial
// derivatives travel through memory in pieces of mismatched sizes on their
// way to the cross product, which stalls the loads that follow.
// (GCC only: clang does not know the pragma.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

namespace {

using std::ptrdiff_t;

// Largest order in each variable of the derivative tables.
constexpr int kMaxOrder = 10;
constexpr int kSide = kMaxOrder + 2;
// Coefficients in each variable: the capacity of the binomial-scaled partials.
constexpr int kMaxCoef = vcbm::kMaxBinomial + 1;

// A patch SURF(3, NCMAX, NV) with NU by NV coefficients.
struct Patch {
    int ncmax, nu, nv;
    const double* surf;

    bool valid() const noexcept { return nu >= 2 && nu <= ncmax && nv >= 2 && nu <= kMaxCoef && nv <= kMaxCoef; }
    // S(a, b) at (u, v): 0 when a >= NU or b >= NV.
    void partial(int a, int b, double u, double v, double* d) const noexcept {
        const int three = 3;
        mdrvpk(&three, &ncmax, &nu, &nv, surf, &u, &v, &a, &b, d);
    }
};

bool patch_args_ok(const int* ncmax, const int* nu, const int* nv) noexcept {
    return Patch{*ncmax, *nu, *nv, nullptr}.valid();
}

// Su and Sv of a 3D patch in one pass: for each column j the u-polynomial
// and its derivative by Horner's rule, then both combined in v. The counts
// are known at compile time for the usual square patches (0: at run time).
template <int NU, int NV>
[[gnu::always_inline]] inline void first_partials_n(const Patch& p, double u, double v, double* su, double* sv) noexcept {
    const int nu = NU > 0 ? NU : p.nu, nv = NV > 0 ? NV : p.nv;
    const auto c = vcbm::arr3(p.surf, 3, p.ncmax);
    double au[3] = {0, 0, 0}, av[3] = {0, 0, 0};
#pragma GCC unroll 8
    for (int j = nv; j >= 1; --j) {
        double s[3], ds[3] = {0, 0, 0};
        const double* col = c.at(1, 1, j);
        for (int k = 0; k < 3; ++k) s[k] = col[3 * (nu - 1) + k];
#pragma GCC unroll 8
        for (int i = nu - 2; i >= 0; --i)
            for (int k = 0; k < 3; ++k) {
                ds[k] = ds[k] * u + s[k];
                s[k] = s[k] * u + col[3 * i + k];
            }
        for (int k = 0; k < 3; ++k) {
            au[k] = au[k] * v + ds[k];
            if (j >= 2) av[k] = av[k] * v + (j - 1) * s[k];
        }
    }
    for (int k = 0; k < 3; ++k) {
        su[k] = au[k];
        sv[k] = av[k];
    }
}

[[gnu::always_inline]] inline void first_partials(const Patch& p, double u, double v, double* su,
                                                 double* sv) noexcept {
    if (p.nu == p.nv) {
        switch (p.nu) {
            case 2: return first_partials_n<2, 2>(p, u, v, su, sv);
            case 3: return first_partials_n<3, 3>(p, u, v, su, sv);
            case 4: return first_partials_n<4, 4>(p, u, v, su, sv);
        }
    }
    first_partials_n<0, 0>(p, u, v, su, sv);
}

// Tables of the partial derivatives that the Leibniz sums read:
// du[a][b] = S1(a+1, b) and dv[a][b] = S2(a, b+1), a <= M, b <= N.
struct PartialTables {
    double du[kSide][kSide][3];
    double dv[kSide][kSide][3];
    void fill(const Patch& s1, const Patch& s2, double u, double v, int m, int n) noexcept {
        for (int a = 0; a <= m; ++a)
            for (int b = 0; b <= n; ++b) {
                s1.partial(a + 1, b, u, v, du[a][b]);
                s2.partial(a, b + 1, u, v, dv[a][b]);
            }
    }
    // The (i, j) derivative of S1u x S2v.
    void raw_normal(int i, int j, double* d) const noexcept {
        d[0] = d[1] = d[2] = 0.0;
        for (int a = 0; a <= i; ++a)
            for (int b = 0; b <= j; ++b) {
                const double w = vcbm::binomial(i, a) * vcbm::binomial(j, b);
                double x[3];
                vcbm::cross3(du[a][b], dv[i - a][j - b], x);
                for (int k = 0; k < 3; ++k) d[k] += w * x[k];
            }
    }
};

// Derivatives of the unit vector W = N/|N| from those of N, both laid out
// (3, 0:M, 0:N). With L = |N|, for each multi-index g in increasing order:
//   P_g = W0 . W_g = -1/2 sum over 0 < h < g of C(g, h) W_h . W_(g-h)   (W . W = 1)
//   L_g = N_g . W0 - sum over h < g, h /= g of C(g, h) L_h P_(g-h)
//   W_g = (N_g - sum over 0 < h <= g of C(g, h) L_h W_(g-h)) / L0
// with C(g, h) = C(g1, h1) C(g2, h2). False when |N| <= EPS.
bool unit_derivatives(int m, int n, const double* dn, double eps, double* dw) noexcept {
    const auto N = vcbm::arr3(dn, 3, m + 1);
    const auto W = vcbm::arr3(dw, 3, m + 1);
    double len[kSide][kSide], proj[kSide][kSide];
    const double l0 = vcbm::norm(3, dn);
    if (!(l0 > eps)) return false;
    for (int k = 1; k <= 3; ++k) W(k, 1, 1) = N(k, 1, 1) / l0;
    len[0][0] = l0;
    proj[0][0] = 1.0;
    auto c = [](int g1, int g2, int h1, int h2) { return vcbm::binomial(g1, h1) * vcbm::binomial(g2, h2); };
    for (int g2 = 0; g2 <= n; ++g2) {
        for (int g1 = 0; g1 <= m; ++g1) {
            if (g1 == 0 && g2 == 0) continue;
            double p = 0.0;
            for (int h2 = 0; h2 <= g2; ++h2)
                for (int h1 = 0; h1 <= g1; ++h1) {
                    if ((h1 == 0 && h2 == 0) || (h1 == g1 && h2 == g2)) continue;
                    p += c(g1, g2, h1, h2) * vcbm::dot3(W.at(1, h1 + 1, h2 + 1), W.at(1, g1 - h1 + 1, g2 - h2 + 1));
                }
            proj[g1][g2] = -0.5 * p;
            double l = vcbm::dot3(N.at(1, g1 + 1, g2 + 1), W.at(1, 1, 1));
            for (int h2 = 0; h2 <= g2; ++h2)
                for (int h1 = 0; h1 <= g1; ++h1) {
                    if (h1 == g1 && h2 == g2) continue;
                    l -= c(g1, g2, h1, h2) * len[h1][h2] * proj[g1 - h1][g2 - h2];
                }
            len[g1][g2] = l;
            double w[3] = {N(1, g1 + 1, g2 + 1), N(2, g1 + 1, g2 + 1), N(3, g1 + 1, g2 + 1)};
            for (int h2 = 0; h2 <= g2; ++h2)
                for (int h1 = 0; h1 <= g1; ++h1) {
                    if (h1 == 0 && h2 == 0) continue;
                    const double f = c(g1, g2, h1, h2) * len[h1][h2];
                    for (int k = 0; k < 3; ++k) w[k] -= f * W(k + 1, g1 - h1 + 1, g2 - h2 + 1);
                }
            for (int k = 0; k < 3; ++k) W(k + 1, g1 + 1, g2 + 1) = w[k] / l0;
        }
    }
    return true;
}

// vnitvt(EPS, 3, X, XU, XNORM, code) as the exported routine does it; below
// its trace threshold and for a vector that is not null, without the call.
[[gnu::noinline]] int normalise3(double eps, const double* x, double* xu, double& xnorm, int level) noexcept {
    if (level < 2 && vcbm::normalise(3, x, xu, eps, xnorm)) return 0;
    const int three = 3;
    int code = 0;
    vnitvt(&eps, &three, x, xu, &xnorm, &code);
    return code;
}

// The regular normal made unit with the rules of vnitvt (the tolerance, its
// null decision, the snap to an axis) from the plain sum of squares while it
// lies in the normal range, by vnitvt itself otherwise and for a null vector
// (which vnitvt reports). Returns vnitvt's code.
[[gnu::always_inline]] inline int unit_normal(double eps, const double* x, double* xu, double& xnorm,
                                              int level) noexcept {
    const double n2 = vcbm::dot3(x, x);
    if (!(n2 > 1e-300 && n2 < 1e300)) return normalise3(eps, x, xu, xnorm, level);
    const vcbm::NormSizes sz = vcbm::norm_sizes();
    xnorm = std::sqrt(n2);
    if ((eps > 0.0 ? eps : sz.smallest) >= xnorm) return normalise3(eps, x, xu, xnorm, level);
    int negligible = 0, k = 0;
    for (int i = 0; i < 3; ++i) {
        xu[i] = x[i] / xnorm;
        if (std::fabs(xu[i]) <= sz.negligible)
            ++negligible;
        else
            k = i;
    }
    if (negligible == 2) {
        const double sign = xu[k] > 0.0 ? 1.0 : -1.0;
        xu[0] = xu[1] = xu[2] = 0.0;
        xu[k] = sign;
    }
    return 0;
}

// What the normal routines compute at one point.
struct Normal {
    double unit[3];
    double raw[3];  // the vector that gave the normal, in its sense
    double len;     // its length
    int ku, kv;
};

// Sample normals around (U, V) for the sense at a singular point (mvnrf4's
// work). Returns the code; the samples are appended after NSAMP.
int sample_normals(const Patch& p, double u, double v, int k, double cnorm, double eps, int inorm, double* samples,
                   int& nsamp, int level) noexcept {
    // The step at which the leading term of order K moves the normal by 10 EPS.
    const double lk = std::log(vcbm::factorial(k));
    double h = std::exp((std::log(10.0 * eps) + lk - std::log(cnorm)) / k);
    if (h > 1.0) h /= std::pow(10.0, std::floor(std::log10(h)) + 1.0);
    int ndig = 0;
    aovsr8(&ndig);
    const double hmin = std::pow(10.0, -ndig);
    if (!(h >= hmin)) h = hmin;
    static constexpr int kSigns[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (const auto& s : kSigns) {
        const double u1 = std::clamp(u + s[0] * h, 0.0, 1.0);
        const double v1 = std::clamp(v + s[1] * h, 0.0, 1.0);
        if (u1 == u && v1 == v) continue;
        double su[3], sv[3], n[3];
        first_partials(p, u1, v1, su, sv);
        vcbm::cross3(su, sv, n);
        double* out = samples + 3 * nsamp;
        if (inorm % 2 != 0) {
            double len;
            const int code = normalise3(eps, n, out, len, level);
            if (code > 0) return code;
            if (code < 0) continue;
        } else {
            if (!(vcbm::norm(3, n) > eps)) continue;
            for (int i = 0; i < 3; ++i) out[i] = n[i];
        }
        ++nsamp;
    }
    return 0;
}

// The normal at a singular point (normal_at's rare path).
[[gnu::noinline]] int singular_normal(const Patch& p, double u, double v, double eps, double eps1, int level,
                                      Normal& out) noexcept {
    // Singular point: the k-th derivatives of N along u (A) and along v (B).
    const int kmax = std::max(p.nu, p.nv);
    for (int k = 1; k < kmax; ++k) {
        double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
        for (int j = 0; j <= k; ++j) {
            const double c = vcbm::binomial(k, j);
            double x[3], y[3], z[3];
            p.partial(j + 1, 0, u, v, x);
            p.partial(k - j, 1, u, v, y);
            vcbm::cross3(x, y, z);
            for (int i = 0; i < 3; ++i) a[i] += c * z[i];
            p.partial(1, k - j, u, v, x);
            p.partial(0, j + 1, u, v, y);
            vcbm::cross3(x, y, z);
            for (int i = 0; i < 3; ++i) b[i] += c * z[i];
        }
        double ua[3], ub[3], la, lb;
        const int ca = normalise3(eps1, a, ua, la, level);
        const int cb = normalise3(eps1, b, ub, lb, level);
        if (ca != 0 && cb != 0) continue;
        const bool use_a = ca == 0 && (cb != 0 || la > lb);
        const double* cand = use_a ? ua : ub;
        out.ku = use_a ? k : 0;
        out.kv = use_a ? 0 : k;
        out.len = use_a ? la : lb;
        // The sense: every sample around the point must vote the same way.
        double samples[12];
        int nsamp = 0;
        const int code = sample_normals(p, u, v, k, out.len, eps, -1, samples, nsamp, level);
        if (code > 0) return code;
        int plus = 0, minus = 0;
        for (int s = 0; s < nsamp; ++s) {
            const double d = vcbm::dot3(samples + 3 * s, cand);
            if (d > eps)
                ++plus;
            else if (d < -eps)
                ++minus;
        }
        if (nsamp < 1 || (plus != nsamp && minus != nsamp)) return 13;
        const double sign = plus == nsamp ? 1.0 : -1.0;
        const double* raw = use_a ? a : b;
        for (int i = 0; i < 3; ++i) {
            out.unit[i] = sign * cand[i];
            out.raw[i] = sign * raw[i];
        }
        return 0;
    }
    return 13;
}

// The normal at (U, V): the regular case, else the first derivative of N
// along u or v that is not null, with its sense voted by sample normals.
// Returns 0, 13 (no direction or no sense) or a positive code of mvnrf4.
[[gnu::always_inline]] inline int normal_at(const Patch& p, double u, double v, double eps, int level,
                                            Normal& out) noexcept {
    const double eps1 = vcbm::tol::eps1();
    double su[3], sv[3];
    first_partials(p, u, v, su, sv);
    out.ku = out.kv = 0;
    // |Su| > EPS, |Sv| > EPS and |N| > EPS |Su| |Sv| compared through the
    // squares while these are finite and not below the normal range, with
    // the norms themselves otherwise.
    const double su2 = vcbm::dot3(su, su), sv2 = vcbm::dot3(sv, sv), prod = su2 * sv2;
    const bool squares = prod < 1e300 && su2 > 1e-300 && sv2 > 1e-300 && eps < 1e150;
    const double lu = squares ? 0.0 : vcbm::norm(3, su), lv = squares ? 0.0 : vcbm::norm(3, sv);
    if (squares ? su2 > eps * eps && sv2 > eps * eps : lu > eps && lv > eps) {
        vcbm::cross3(su, sv, out.raw);
        const int code = unit_normal(eps1, out.raw, out.unit, out.len, level);
        if (code == 0 && (squares ? out.len * out.len > (eps * eps) * prod : out.len / (lu * lv) > eps)) return 0;
    }
    return singular_normal(p, u, v, eps, eps1, level, out);
}

// Partial derivatives of the normal at a regular point up to ORDER (1 or 2)
// in each variable: DN(3, 0:ORDER, 0:ORDER) of the raw normal, DW the same
// of the unit normal. The derivatives along one variable are those of a
// cross product (mderpv, md2rpv) and, for the unit normal, of the unit
// vector of a cross product (mdrvpv); the mixed ones come from Leibniz's rule.
bool normal_derivatives(const Patch& p, double u, double v, int order, double* dn, double* dw) noexcept {
    PartialTables t;
    t.fill(p, p, u, v, order, order);
    const auto d = vcbm::arr3(dn, 3, order + 1);
    for (int j = 0; j <= order; ++j)
        for (int i = 0; i <= order; ++i) t.raw_normal(i, j, d.at(1, i + 1, j + 1));
    // Su, Sv, Suu, Suv, Svv and, for the second order, Suuu, Suuv, Suvv, Svvv.
    const double *su = t.du[0][0], *sv = t.dv[0][0], *suu = t.du[1][0], *suv = t.du[0][1], *svv = t.dv[0][1];
    mderpv(su, sv, suu, suv, d.at(1, 2, 1));
    mderpv(su, sv, suv, svv, d.at(1, 1, 2));
    if (order == 2) {
        md2rpv(su, sv, suu, suv, t.du[2][0], t.du[1][1], d.at(1, 3, 1));
        md2rpv(su, sv, suv, svv, t.du[0][2], t.dv[0][2], d.at(1, 1, 3));
    }
    if (!unit_derivatives(order, order, dn, 0.0, dw)) return false;
    const auto w = vcbm::arr3(dw, 3, order + 1);
    const double tiny = std::numeric_limits<double>::min();  // N is not null here
    int ier = 0;
    mdrvpv(su, sv, suu, suv, &tiny, w.at(1, 2, 1), &ier);
    mdrvpv(su, sv, suv, svv, &tiny, w.at(1, 1, 2), &ier);
    return true;
}

// ---- Normal at a singular point from the directions around it (mvtnm0) ----

// Direction-parameter range [s0, s1] by position code 0..8 (sptbor).
constexpr double kRange[9][2] = {{-1, 1}, {-1, 1}, {-1, 1}, {-1, 1}, {-1, 1}, {0, 1}, {-1, 0}, {-1, 0}, {0, 1}};
// The direction of parameter s is d(s) = R (1 - s^2, 2s): the half turn of
// directions of angle 2 atan(s) turned by R = [[c, -q], [q, c]], so that the
// range of each position covers the directions that stay in the square:
// a half plane on an edge, a quarter on a corner; in the interior the other
// half turn is -d(s). (c, q) by position code.
constexpr int kTurn[9][2] = {{1, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 0}, {1, 0}, {-1, 0}, {-1, 0}};

constexpr int kMaxPoly = 4 * kMaxOrder + 1;  // coefficients of |T x n0|^2 at the highest order

// Product C(NA+NB-1) of the polynomials A(NA) and B(NB).
int poly_mul(const double* a, int na, const double* b, int nb, double* c) noexcept {
    for (int i = 0; i < na + nb - 1; ++i) c[i] = 0.0;
    for (int i = 0; i < na; ++i)
        for (int j = 0; j < nb; ++j) c[i + j] += a[i] * b[j];
    return na + nb - 1;
}

// T(s) = sum over i of C(k, i) a(s)^i b(s)^(k-i) N_(i, k-i), the k-th derivative of the
// raw normal along d(s) = (a, b), as three polynomials of 2k+1 coefficients each.
int directional_polynomial(int k, const double (*nk)[3], int c, int q, double (*t)[2 * kMaxOrder + 1]) noexcept {
    const double a[3] = {double(c), -2.0 * q, -double(c)}, b[3] = {double(q), 2.0 * c, -double(q)};
    const int n = 2 * k + 1;
    for (int r = 0; r < 3; ++r)
        for (int j = 0; j < n; ++j) t[r][j] = 0.0;
    for (int i = 0; i <= k; ++i) {
        double p[2 * kMaxOrder + 1] = {1.0}, w[2 * kMaxOrder + 1];
        int np = 1;
        for (int e = 0; e < i; ++e) {
            np = poly_mul(p, np, a, 3, w);
            std::copy(w, w + np, p);
        }
        for (int e = 0; e < k - i; ++e) {
            np = poly_mul(p, np, b, 3, w);
            std::copy(w, w + np, p);
        }
        const double bin = vcbm::binomial(k, i);
        for (int r = 0; r < 3; ++r)
            for (int j = 0; j < np; ++j) t[r][j] += bin * nk[i][r] * p[j];
    }
    return n;
}

void eval3(const double (*t)[2 * kMaxOrder + 1], int n, double s, double* x) noexcept {
    for (int r = 0; r < 3; ++r) {
        double y = 0.0;
        for (int j = n - 1; j >= 0; --j) y = y * s + t[r][j];
        x[r] = y;
    }
}

inline void copy3(const double* from, double* to) noexcept {
    for (int k = 0; k < 3; ++k) to[k] = from[k];
}
inline void zero3(double* to) noexcept { to[0] = to[1] = to[2] = 0.0; }

// mdrnml (ORDER 1) and md2nml (ORDER 2): the normal of mvcnml and, at a
// regular point, R1 = n_u, R2 = n_v, R3 = n_u x n_v and, for ORDER 2, the
// second derivatives SECOND = {n_uu, n_uv, n_vu, n_vv}, n the unit normal
// (odd INORM) or the raw normal Su x Sv (even INORM). The derivatives are
// cleared first and stay 0 at a singular point. Returns the code.
int normal_and_derivatives(const Patch& p, double u, double v, double eps, int inorm, int order, int level,
                           double* normal, double* nnorm, int* ku, int* kv, double* r1, double* r2, double* r3,
                           double* const* second) noexcept {
    double* firsts[3] = {r1, r2, r3};
    for (double* r : firsts) zero3(r);
    if (order == 2)
        for (int i = 0; i < 4; ++i) zero3(second[i]);
    Normal n;
    const int code = normal_at(p, u, v, eps, level, n);
    const bool unit = inorm % 2 != 0;
    copy3(unit ? n.unit : n.raw, normal);
    *nnorm = n.len;
    *ku = n.ku;
    *kv = n.kv;
    if (code != 0 || n.ku != 0 || n.kv != 0) return code;
    double dn[3 * 9], dw[3 * 9];  // (3, 0:2, 0:2) at most
    if (!normal_derivatives(p, u, v, order, dn, dw)) return 0;
    const auto d = vcbm::arr3(unit ? dw : dn, 3, order + 1);
    copy3(d.at(1, 2, 1), r1);
    copy3(d.at(1, 1, 2), r2);
    vcbm::cross3(r1, r2, r3);
    if (order == 2) {
        if (unit) {  // along one variable, the second derivative of a unit vector
            const int three = 3;
            const double tiny = std::numeric_limits<double>::min();  // N is not null here
            int ier = 0;
            const auto raw = vcbm::arr3(dn, 3, 3);
            mdr2nr(&three, raw.at(1, 1, 1), raw.at(1, 2, 1), raw.at(1, 3, 1), &tiny, second[0], &ier);
            mdr2nr(&three, raw.at(1, 1, 1), raw.at(1, 1, 2), raw.at(1, 1, 3), &tiny, second[3], &ier);
        } else {
            copy3(d.at(1, 3, 1), second[0]);
            copy3(d.at(1, 1, 3), second[3]);
        }
        copy3(d.at(1, 2, 2), second[1]);
        copy3(d.at(1, 2, 2), second[2]);
    }
    return 0;
}

}  // namespace

extern "C" {

void sptbor(const double* UV, const double* EPS, int* IPOS) {
    const double u = UV[0], v = UV[1], e = *EPS;
    if (!(u >= -e && u <= 1.0 + e && v >= -e && v <= 1.0 + e)) {  // a NaN is outside too
        *IPOS = -1;
        return;
    }
    // Side of each coordinate: 0 low end, 2 high end, 1 between.
    const int su = u < e ? 0 : u > 1.0 - e ? 2 : 1;
    const int sv = v < e ? 0 : v > 1.0 - e ? 2 : 1;
    static constexpr int kCode[3][3] = {{5, 1, 6}, {3, 0, 4}, {7, 2, 8}};  // [su][sv]
    *IPOS = kCode[su][sv];
}

void mdr2nr(const int* NDIM, const double* V, const double* DV, const double* D2V, const double* EPS, double* D2UNIT,
            int* IER) {
    static constexpr auto R = vcbm::routine("MDR2NR");
    vcbm::Frame f(R, *IER);
    const int n = *NDIM;
    if (n < 1) return f.fail(1);
    double eps = *EPS;
    if (eps <= 0.0) meps1(&eps);
    const double l = vcbm::norm(n, V);
    if (!(l > eps)) return f.fail(10);
    double vdv = 0.0, dvdv = 0.0, vd2v = 0.0;
    for (int i = 0; i < n; ++i) {
        vdv += V[i] * DV[i];
        dvdv += DV[i] * DV[i];
        vd2v += V[i] * D2V[i];
    }
    const double l1 = vdv / l;                      // L'
    const double ll2 = dvdv + vd2v - l1 * l1;       // L L''
    const double a = 1.0 / l, b = -2.0 * l1 / (l * l), c = (2.0 * l1 * l1 - ll2) / (l * l * l);
    for (int i = 0; i < n; ++i) D2UNIT[i] = a * D2V[i] + b * DV[i] + c * V[i];
}

void mvnrf4(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U, const double* V,
            const int* K, const double* CNORM, const double* EPS, const int* INORM, double* SAMPLES, int* NSAMP,
            int* IER) {
    static constexpr auto R = vcbm::routine("MVNRF4");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV) || *K < 1 || !(*CNORM > 0.0) || *NSAMP < 0) return f.fail(1);
    const Patch p{*NCMAX, *NCOEFU, *NCOEFV, SURF};
    const int code = sample_normals(p, *U, *V, *K, *CNORM, *EPS, *INORM, SAMPLES, *NSAMP, f.level());
    if (code > 0) f.fail(code);
}

void mvtnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U, const double* V,
            const double* EPS, double* NORMAL, double* NNORM, int* KU, int* KV, int* IER) {
    static constexpr auto R = vcbm::routine("MVTNML");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV)) return f.fail(1);
    Normal n;
    const int code = normal_at(Patch{*NCMAX, *NCOEFU, *NCOEFV, SURF}, *U, *V, *EPS, f.level(), n);
    copy3(n.unit, NORMAL);
    *NNORM = n.len;
    *KU = n.ku;
    *KV = n.kv;
    if (code != 0) f.fail(code);
}

void mvcnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U, const double* V,
            const double* EPS, const int* INORM, double* NORMAL, double* NNORM, int* KU, int* KV, int* IER) {
    static constexpr auto R = vcbm::routine("MVCNML");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV)) return f.fail(1);
    Normal n;
    const int code = normal_at(Patch{*NCMAX, *NCOEFU, *NCOEFV, SURF}, *U, *V, *EPS, f.level(), n);
    copy3(*INORM % 2 != 0 ? n.unit : n.raw, NORMAL);
    *NNORM = n.len;
    *KU = n.ku;
    *KV = n.kv;
    if (code != 0) f.fail(code);
}

void mponnn(const int* NDIM, const int* NCMAX1, const int* NCOEFU1, const int* NCOEFV1, const double* SURF1,
            const int* NCMAX2, const int* NCOEFU2, const int* NCOEFV2, const double* SURF2, const double* UV,
            const int* ORD, double* D, int* IER) {
    static constexpr auto R = vcbm::routine("MPONNN");
    vcbm::Frame f(R, *IER);
    const int m = ORD[0], n = ORD[1];
    if (*NDIM != 3 || !patch_args_ok(NCMAX1, NCOEFU1, NCOEFV1) || !patch_args_ok(NCMAX2, NCOEFU2, NCOEFV2) || m < 0 ||
        n < 0 || m > kMaxOrder || n > kMaxOrder)
        return f.fail(1);
    PartialTables t;
    t.fill(Patch{*NCMAX1, *NCOEFU1, *NCOEFV1, SURF1}, Patch{*NCMAX2, *NCOEFU2, *NCOEFV2, SURF2}, UV[0], UV[1], m, n);
    t.raw_normal(m, n, D);
}

void mdrnnn(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* UV,
            const int* ORD, double* DN, int* IER) {
    static constexpr auto R = vcbm::routine("MDRNNN");
    vcbm::Frame f(R, *IER);
    const int m = ORD[0], n = ORD[1];
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV) || m < 0 || n < 0 || m > kMaxOrder || n > kMaxOrder) return f.fail(1);
    const Patch p{*NCMAX, *NCOEFU, *NCOEFV, SURF};
    PartialTables t;
    t.fill(p, p, UV[0], UV[1], m, n);
    const auto d = vcbm::arr3(DN, 3, m + 1);
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= m; ++i) t.raw_normal(i, j, d.at(1, i + 1, j + 1));
}

void mdrnn2(const double* DN, const int* ORD, const double* EPS, double* DW, int* IER) {
    static constexpr auto R = vcbm::routine("MDRNN2");
    vcbm::Frame f(R, *IER);
    const int m = ORD[0], n = ORD[1];
    if (m < 0 || n < 0 || m > kMaxOrder || n > kMaxOrder) return f.fail(2);
    if (!unit_derivatives(m, n, DN, *EPS, DW)) f.fail(1);
}

void mdvnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U, const double* V,
            const double* EPS, double* NORMAL, double* NNORM, double* DNU, double* DNV, int* KU, int* KV, int* IER) {
    static constexpr auto R = vcbm::routine("MDVNML");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV)) return f.fail(1);
    zero3(DNU);
    zero3(DNV);
    const Patch p{*NCMAX, *NCOEFU, *NCOEFV, SURF};
    Normal n;
    const int code = normal_at(p, *U, *V, *EPS, f.level(), n);
    copy3(n.unit, NORMAL);
    *NNORM = n.len;
    *KU = n.ku;
    *KV = n.kv;
    if (code != 0) return f.fail(code);
    if (n.ku != 0 || n.kv != 0) return;
    double dn[3 * 4], dw[3 * 4];
    if (!normal_derivatives(p, *U, *V, 1, dn, dw)) return;
    copy3(dw + 3, DNU);
    copy3(dw + 6, DNV);
}

void mdrnml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U, const double* V,
            const double* EPS, const int* INORM, double* NORMAL, double* NNORM, int* KU, int* KV, double* R1,
            double* R2, double* R3, int* IER) {
    static constexpr auto R = vcbm::routine("MDRNML");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV)) return f.fail(1);
    const int code = normal_and_derivatives(Patch{*NCMAX, *NCOEFU, *NCOEFV, SURF}, *U, *V, *EPS, *INORM, 1,
                                            f.level(), NORMAL, NNORM, KU, KV, R1, R2, R3, nullptr);
    if (code != 0) f.fail(code);
}

void md2nml(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* U, const double* V,
            const double* EPS, const int* INORM, double* NORMAL, double* NNORM, int* KU, int* KV, double* R1,
            double* R2, double* R3, double* S11, double* S12, double* S21, double* S22, int* IER) {
    static constexpr auto R = vcbm::routine("MD2NML");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV)) return f.fail(1);
    double* second[4] = {S11, S12, S21, S22};
    const int code = normal_and_derivatives(Patch{*NCMAX, *NCOEFU, *NCOEFV, SURF}, *U, *V, *EPS, *INORM, 2,
                                            f.level(), NORMAL, NNORM, KU, KV, R1, R2, R3, second);
    if (code != 0) f.fail(code);
}


void mvtnm0(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* SURF, const double* UV,
            const double* TOL, double* NORMAL, int* IER) {
    static constexpr auto R = vcbm::routine("MVTNM0");
    vcbm::Frame f(R, *IER);
    if (!patch_args_ok(NCMAX, NCOEFU, NCOEFV)) return f.fail(1);
    const double tpar = TOL[0], tlen = TOL[1], tang = TOL[2];
    int pos = -1;
    sptbor(UV, &tpar, &pos);
    if (pos < 0) return f.fail(2);
    const int c = kTurn[pos][0], q = kTurn[pos][1];
    const double range[2] = {kRange[pos][0], kRange[pos][1]};
    const int kmax = std::min(kMaxOrder, 2 * (*NCOEFU + *NCOEFV) - 6);
    const int three = 3;
    // The lowest order whose derivatives of N are not all null.
    double nk[kMaxOrder + 1][3];
    int k = 0;
    for (;; ++k) {
        if (k > kmax) return f.fail(3);
        bool null = true;
        for (int i = 0; i <= k; ++i) {
            const int ord[2] = {i, k - i};
            int code = 0;
            mponnn(&three, NCMAX, NCOEFU, NCOEFV, SURF, NCMAX, NCOEFU, NCOEFV, SURF, UV, ord, nk[i], &code);
            if (vcbm::norm(3, nk[i]) > tlen) null = false;
        }
        if (!null) break;
    }
    double t[3][2 * kMaxOrder + 1];
    const int n = directional_polynomial(k, nk, c, q, t);
    // Reference direction: the longest T among samples of the range.
    double n0[3] = {0, 0, 0}, tmax = 0.0;
    for (int i = 0; i <= 8; ++i) {
        double x[3];
        eval3(t, n, range[0] + (range[1] - range[0]) * i / 8.0, x);
        const double l = vcbm::norm(3, x);
        if (l > tmax) {
            tmax = l;
            for (int r = 0; r < 3; ++r) n0[r] = x[r];
        }
    }
    if (!(tmax > tlen)) return f.fail(3);
    for (double& x : n0) x /= tmax;
    // Every direction gives the line of n0 when |T x n0|^2 stays within the
    // angle tolerance over the whole range: one noisy interval covering it.
    double h[kMaxPoly] = {};
    for (int r = 0; r < 3; ++r) {
        const int r1 = (r + 1) % 3, r2 = (r + 2) % 3;
        double x[2 * kMaxOrder + 1], sq[kMaxPoly];
        for (int j = 0; j < n; ++j) x[j] = t[r1][j] * n0[r2] - t[r2][j] * n0[r1];
        const int nh = poly_mul(x, n, x, n, sq);
        for (int j = 0; j < nh; ++j) h[j] += sq[j];
    }
    const int nh = 2 * n - 1;
    double roots[kMaxPoly], noise[2 * kMaxPoly], unres[2 * kMaxPoly];
    int nroot = 0, nnoise = 0, nunres = 0, code = 0;
    const double epsh = (tang * tmax) * (tang * tmax);
    mrs1d0(h, &nh, range, &tpar, &epsh, roots, &nroot, noise, &nnoise, unres, &nunres, &code);
    if (code > 0) return f.fail(100 + code);
    const bool covered = nnoise == 1 && noise[0] <= range[0] + tpar && noise[1] >= range[1] - tpar;
    if (!covered) return f.fail(4);
    // The sense: T . n0 keeps one sign between its zeros (and in the interior
    // the opposite directions give (-1)^k T).
    if (pos == 0 && k % 2 == 1) return f.fail(4);
    double g[2 * kMaxOrder + 1];
    for (int j = 0; j < n; ++j) g[j] = t[0][j] * n0[0] + t[1][j] * n0[1] + t[2][j] * n0[2];
    mrs1d0(g, &n, range, &tpar, &tlen, roots, &nroot, noise, &nnoise, unres, &nunres, &code);
    if (code > 0) return f.fail(100 + code);
    // Break points: the roots and the middles of the noisy and unresolved
    // stretches, sorted, with the ends of the range.
    double br[kMaxPoly * 3 + 2];
    int nb = 0;
    br[nb++] = range[0];
    br[nb++] = range[1];
    for (int i = 0; i < nroot; ++i) br[nb++] = roots[i];
    for (int i = 0; i < nnoise; ++i) br[nb++] = 0.5 * (noise[2 * i] + noise[2 * i + 1]);
    for (int i = 0; i < nunres; ++i) br[nb++] = 0.5 * (unres[2 * i] + unres[2 * i + 1]);
    const int one = 1;
    vsheld(&nb, &one, br, &one);
    for (int i = 0; i + 1 < nb; ++i) {
        if (!(br[i + 1] - br[i] > tpar)) continue;
        double x[3], xu[3], xn;
        eval3(t, n, 0.5 * (br[i] + br[i + 1]), x);
        if (!vcbm::normalise(3, x, xu, tlen, xn)) continue;
        double adeg, arad;
        int ier = 0;
        mangle(&three, xu, n0, &adeg, &arad, &ier);
        if (ier != 0 || arad > 0.5 * std::acos(-1.0)) return f.fail(4);
    }
    copy3(n0, NORMAL);
}

}  // extern "C"
