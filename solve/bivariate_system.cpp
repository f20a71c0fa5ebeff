// Common zeros of two bivariate polynomials F(u, v), G(u, v) in a box, by
// subdivision of their Bernstein nets (mrs2d0), and the three conversions
// the solve starts from: the change of a bivariate polynomial from a box to
// the unit square (mfmca7), canonical to Bernstein form on the unit square
// (mbbpy2), and the Bernstein nets of the partial derivatives (mdeca1).
//
// The chain: mrs2d0 (conversions) -> mrs2d1 (work area) -> mrs2d2 (stack of
// halved boxes) -> mrs2d3 (one box: exclusion mbtcv1, uniqueness mrs2d4,
// Newton solution mrs2d5). The stages keep their trace names; only mrs2d0
// and the conversions are exported.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace {

using std::ptrdiff_t;

constexpr int kMaxCoef = 41;   // coefficients per variable (binomials of the table)
constexpr int kLevels = 41;    // depth of the subdivision stack
constexpr int kMaxNewton = 100;

// The work one solve may spend, in coefficient operations: a box decided
// costs NU NV (6 + max(NU, NV)) (its exclusion and uniqueness tests and its
// split), a Newton step 6 NU NV (F, G and their partials). Depth alone does
// not bound the solve: 41 levels allow 2^41 boxes, and nets that never
// settle (tolerances at or below zero, a curve of near-zeros) visited
// millions of boxes, seconds per call. The bound is about 0.2 s of work on
// this machine's release build; the solve then stops like the depth limit.
constexpr long long kWorkBound = 1LL << 28;

// One variable of a bivariate array A(LD, *): the NU x NV block, the
// polynomial in the direction DIR read as NV (or NU) univariate polynomials.
// F(k) for k = 0..N-1 along the direction, element (i, j) at i + LD j.
template <class Op>
void along(int dir, int nu, int nv, int lda, double* a, Op op) noexcept {
    double line[kMaxCoef];
    const int n = dir == 1 ? nu : nv, m = dir == 1 ? nv : nu;
    for (int r = 0; r < m; ++r) {
        auto at = [&](int k) -> double& { return dir == 1 ? a[k + static_cast<ptrdiff_t>(lda) * r] : a[r + static_cast<ptrdiff_t>(lda) * k]; };
        for (int k = 0; k < n; ++k) line[k] = at(k);
        op(n, line);
        for (int k = 0; k < n; ++k) at(k) = line[k];
    }
}

// p(x) -> p(lo + (hi - lo) x), coefficients in place (Taylor shift, then scaling).
void shift_scale(int n, double* c, double lo, double hi) noexcept {
    for (int k = 0; k < n - 1; ++k)
        for (int j = n - 2; j >= k; --j) c[j] += lo * c[j + 1];
    double s = 1.0;
    for (int k = 0; k < n; ++k, s *= hi - lo) c[k] *= s;
}

// Canonical coefficients on [0, 1] to Bernstein coefficients, in place:
// b_i = sum_{j <= i} C(i, j) / C(n-1, j) a_j.
void to_bernstein(int n, double* c) noexcept {
    double b[kMaxCoef];
    for (int i = 0; i < n; ++i) {
        double s = 0.0;
        for (int j = 0; j <= i; ++j) s += vcbm::binomial(i, j) / vcbm::binomial(n - 1, j) * c[j];
        b[i] = s;
    }
    std::copy(b, b + n, c);
}

void copy_block(int nu, int nv, int lda, const double* a, int ldb, double* b) noexcept {
    for (int j = 0; j < nv; ++j)
        for (int i = 0; i < nu; ++i) b[i + static_cast<ptrdiff_t>(ldb) * j] = a[i + static_cast<ptrdiff_t>(lda) * j];
}

bool bad_sizes(int nu, int nv, int lda, int ldb) noexcept {
    return nu < 1 || nv < 1 || nu > kMaxCoef || nv > kMaxCoef || lda < nu || ldb < nu;
}

// Range [lo, hi] of the N values of A.
void range(int n, const double* a, double& lo, double& hi) noexcept {
    lo = hi = a[0];
    for (int k = 1; k < n; ++k) lo = std::min(lo, a[k]), hi = std::max(hi, a[k]);
}

// ---- The solve --------------------------------------------------------------

// Everything the stages share for one solve.
struct Solve {
    int nu, nv;
    const double* f;      // canonical F(NU, NV), original variables
    const double* g;      // canonical G(NU, NV)
    double box[4];        // U1, U2, V1, V2
    double epsx, epsf;
    int nmax;
    double* roots;
    int* nroot;
    double* lastbox;
    double* stack;        // nets: level L, half H: F then G, NU*NV each
    double* scratch;      // split work and derivative nets
    vcbm::TraceLevel level;
    bool missed = false;  // some isolated zero did not converge
    long long work_left = kWorkBound;

    long long box_cost() const { return net_size() * (6 + std::max(nu, nv)); }
    long long newton_cost() const { return 6 * net_size(); }

    ptrdiff_t net_size() const { return static_cast<ptrdiff_t>(nu) * nv; }
    double* nets(int lvl, int half) const { return stack + ((lvl - 1) * 2 + half) * 2 * net_size(); }
};

// A box of the parameter square [0, 1]^2 of the nets, and its image in the caller's variables.
struct Box {
    double s0, s1, t0, t1;
};
void to_caller(const Solve& s, const Box& b, double* out) noexcept {
    const double du = s.box[1] - s.box[0], dv = s.box[3] - s.box[2];
    out[0] = s.box[0] + b.s0 * du;
    out[1] = s.box[0] + b.s1 * du;
    out[2] = s.box[2] + b.t0 * dv;
    out[3] = s.box[2] + b.t1 * dv;
}

// mbtcv1: 1 when the nets show that F and G cannot vanish together (a net
// whose coefficients all exceed EPSF in magnitude with one sign: by the
// convex hull property its polynomial keeps that sign on the box, so a box
// holding a common zero is never discarded); -2 when both nets lie within
// EPSF of zero; else 0.
int exclusion(const Solve& s, const double* fg) noexcept {
    static constexpr auto R = vcbm::routine("MBTCV1");
    vcbm::Frame fr(R, s.level);
    const ptrdiff_t n = s.net_size();
    double lof, hif, log, hig;
    range(static_cast<int>(n), fg, lof, hif);
    range(static_cast<int>(n), fg + n, log, hig);
    if (lof > s.epsf || hif < -s.epsf || log > s.epsf || hig < -s.epsf) return 1;
    if (std::max(hif, -lof) <= s.epsf && std::max(hig, -log) <= s.epsf) return -2;
    return 0;
}

// mrs2d4 (with mdekac and mbtcv0): true when the box holds one common zero
// at most. mdekac forms the Bernstein nets of the four partial derivatives
// (through mdeca1, in net units: positive per-axis factors change no sign
// below); mbtcv0 takes the range of each, the interval that holds every
// value of that derivative on the box. By the mean value theorem applied to
// F and to G separately, F(x) - F(y) and G(x) - G(y) equal M (x - y) for a
// matrix M whose rows lie in those ranges; when no such matrix is singular
// (the determinant range Fu Gv - Fv Gu, exact for independent intervals,
// stays beyond the mveps3 tolerance times its scale on one side of 0), x = y.
bool unique_zero(const Solve& s, const double* fg) noexcept {
    static constexpr auto R = vcbm::routine("MRS2D4");
    int ier = 0;
    vcbm::Frame fr(R, ier, s.level);
    const int nu = s.nu, nv = s.nv;
    if (nu < 2 && nv < 2) return false;
    double r[2][2][2];  // [F or G][u or v][lo, hi]
    for (int p = 0; p < 2; ++p) {
        double* du = s.scratch;  // (NU-1) x NV, then NU x (NV-1): max(NU, NV)^2 reals each
        double* dv = s.scratch + std::max(nu, nv) * std::max(nu, nv);
        int code = 0;
        const int ldu = std::max(nu - 1, 1);
        mdeca1(&nu, &nu, &nv, fg + p * s.net_size(), &ldu, du, &nu, dv, &code);
        if (nu > 1) range((nu - 1) * nv, du, r[p][0][0], r[p][0][1]);
        else r[p][0][0] = r[p][0][1] = 0.0;
        if (nv > 1) range(nu * (nv - 1), dv, r[p][1][0], r[p][1][1]);
        else r[p][1][0] = r[p][1][1] = 0.0;
    }
    auto mul = [](const double* a, const double* b, double& lo, double& hi) {
        const double c[4] = {a[0] * b[0], a[0] * b[1], a[1] * b[0], a[1] * b[1]};
        lo = *std::min_element(c, c + 4);
        hi = *std::max_element(c, c + 4);
    };
    double l1, h1, l2, h2;
    mul(r[0][0], r[1][1], l1, h1);  // Fu Gv
    mul(r[0][1], r[1][0], l2, h2);  // Fv Gu
    const double lo = l1 - h2, hi = h1 - l2;
    const double scale = std::max({std::fabs(l1), std::fabs(h1), std::fabs(l2), std::fabs(h2)});
    const double margin = vcbm::tol::epspb() * scale;
    return lo > margin || hi < -margin;
}

// F, G and their partial derivatives at (u, v), caller's variables.
void evaluate(const Solve& s, double u, double v, double* val, double jac[2][2]) noexcept {
    const int one = 1;
    for (int p = 0; p < 2; ++p) {
        const double* c = p == 0 ? s.f : s.g;
        mpoca2(&one, &s.nu, &s.nv, c, &one, &s.nu, &s.nv, &u, &v, &val[p]);
        mdrpu1(&one, &s.nu, &s.nu, &s.nv, c, &u, &v, &jac[p][0]);
        mdrpv1(&one, &s.nu, &s.nu, &s.nv, c, &u, &v, &jac[p][1]);
    }
}

// mrs2nr: Newton's iteration from (U, V) in the caller's box B. 0: a root
// in (U, V); -1: no convergence (the noise lines at trace level 3 and up);
// 1: the normalised Jacobian is singular.
int newton(Solve& s, const double* b, double& u, double& v) noexcept {
    static constexpr auto R = vcbm::routine("MRS2NR");
    int ier = 0;
    vcbm::Frame fr(R, ier, s.level);
    const double eps1 = vcbm::tol::eps1();
    const double epss = std::max(s.epsx, eps1);
    double flou = 10 * std::max(b[1] - b[0], b[3] - b[2]), noise = 1e15;
    const int limit = std::min(std::max(vcbm::tol::nitnr(), 1), kMaxNewton);
    bool have = false, grew = false;
    double cu = u, cv = v, prev = HUGE_VAL, last = 0.0, res = 0.0;
    auto inside = [&](double x, double y) { return x >= b[0] && x <= b[1] && y >= b[2] && y <= b[3]; };
    int it = 0;
    for (; it < limit; ++it) {
        double val[2], jac[2][2];
        s.work_left -= s.newton_cost();
        evaluate(s, u, v, val, jac);
        res = std::max(std::fabs(val[0]), std::fabs(val[1]));
        if (!std::isfinite(res)) break;
        const bool exact = res < eps1, acceptable = res < s.epsf;
        const double big = std::max({std::fabs(jac[0][0]), std::fabs(jac[0][1]), std::fabs(jac[1][0]), std::fabs(jac[1][1])});
        const double det = big > 0 ? (jac[0][0] * jac[1][1] - jac[0][1] * jac[1][0]) / (big * big) : 0.0;
        if (std::fabs(det) < eps1) {
            fr.fail(1);
            return 1;
        }
        const double d = jac[0][0] * jac[1][1] - jac[0][1] * jac[1][0];
        const double du = (val[0] * jac[1][1] - val[1] * jac[0][1]) / d;
        const double dv = (val[1] * jac[0][0] - val[0] * jac[1][0]) / d;
        if ((exact || acceptable) && std::fabs(du) < epss && std::fabs(dv) < epss && inside(u, v)) {
            if (exact) return 0;
            have = true, cu = u, cv = v;
        }
        u -= du;
        v -= dv;
        const double step = std::hypot(du, dv);
        last = step;
        if (!exact && !acceptable && step > epss) {
            flou = std::min(flou, step);
            noise = std::min(noise, res);
        } else if (step > prev) {
            grew = true;
            break;
        }
        prev = step;
        u = std::clamp(u, b[0], b[1]);
        v = std::clamp(v, b[2], b[3]);
    }
    if (have) {
        u = cu, v = cv;
        return 0;
    }
    if (fr.level() >= 3) {
        if (it >= limit) vcbm::debug_line("Nombre max d iteration atteint : ", it);
        if (grew) {
            vcbm::debug_line("Bruit numerique atteint:flou 2d =", last);
            vcbm::debug_line("Bruit numerique : bruit sur E,F =", res);
        } else {
            vcbm::debug_line("Bruit numeri. atteint:flou 2d =", flou);
            vcbm::debug_line("Bruit numeri. : bruit sur E,F =", noise);
        }
    }
    fr.fail(-1);
    return -1;
}

// minltt: inserts (U, V) into ROOTS sorted by u unless an entry lies within
// EPSX in both components; 2 when the list is full.
int insert_root(const Solve& s, double u, double v) noexcept {
    static constexpr auto R = vcbm::routine("MINLTT");
    vcbm::Frame fr(R, s.level);
    double* r = s.roots;
    int n = *s.nroot, at = n;
    for (int k = 0; k < n; ++k) {
        if (std::fabs(r[2 * k] - u) <= s.epsx && std::fabs(r[2 * k + 1] - v) <= s.epsx) return 0;
        if (at == n && r[2 * k] > u) at = k;
    }
    if (n >= s.nmax) return 2;
    for (int k = n; k > at; --k) r[2 * k] = r[2 * k - 2], r[2 * k + 1] = r[2 * k - 1];
    r[2 * at] = u;
    r[2 * at + 1] = v;
    *s.nroot = n + 1;
    return 0;
}

// mrs2d5 (with mrs2d6, misok1, mrs1ip): the zero of a box holding one at
// most. Newton from the box centre (mrs2d6's rule for a singular Jacobian:
// the box is left unsettled, to be split until the determinant range leaves
// 0 or the depth runs out); misok1: the result counts when it lies in the
// box widened by EPSX; mrs1ip: it is then inserted. Returns 0 settled
// (a root inserted, or none converged in a box below EPSX: S.missed),
// 1 unsettled, 2 list full.
int solve_box(Solve& s, const Box& bx) noexcept {
    static constexpr auto R = vcbm::routine("MRS2D5");
    vcbm::Frame fr(R, s.level);
    double b[4];
    to_caller(s, bx, b);
    double u = (b[0] + b[1]) / 2, v = (b[2] + b[3]) / 2;
    const int code = newton(s, b, u, v);
    if (code > 0) return 1;
    if (code < 0) {
        // A box proven to hold one zero at most may hold none: the iteration
        // then runs against its sides. While the box is wider than EPSX it
        // is split further (the exclusion settles the empty halves); a box
        // that small is settled without a root, and the zero counts as missed.
        if (b[1] - b[0] > s.epsx || b[3] - b[2] > s.epsx) return 1;
        s.missed = true;
        return 0;
    }
    const bool in_box = u >= b[0] - s.epsx && u <= b[1] + s.epsx && v >= b[2] - s.epsx && v <= b[3] + s.epsx;
    if (!in_box) return 1;
    return insert_root(s, u, v);
}

// mrs2d3: 0 settled, 1 unsettled, or the solve's code (-2, 2).
int decide(Solve& s, const double* fg, const Box& bx) noexcept {
    static constexpr auto R = vcbm::routine("MRS2D3");
    vcbm::Frame fr(R, s.level);
    const int ex = exclusion(s, fg);
    if (ex == 1) return 0;
    if (ex == -2) return -2;
    if (!unique_zero(s, fg)) return 1;
    return solve_box(s, bx);
}

// mrs2d2: depth-first over the halves; the nets of level 1 are the whole box's.
// The work bound ends the solve as the depth limit does (-13, LASTBOX the box
// next in line), checked before each box: a Newton run overshoots it by 100
// steps at most.
int subdivide(Solve& s) noexcept {
    static constexpr auto R = vcbm::routine("MRS2D2");
    int ier = 0;
    vcbm::Frame fr(R, ier, s.level);
    Box boxes[kLevels + 1][2];
    int current[kLevels + 1];
    boxes[1][0] = Box{0, 1, 0, 1};
    current[1] = 0;
    int lvl = 1;
    const int two = 2;
    for (;;) {
        const Box bx = boxes[lvl][current[lvl]];
        const double* fg = s.nets(lvl, current[lvl]);
        if (s.work_left <= 0) {
            to_caller(s, bx, s.lastbox);
            return -13;
        }
        s.work_left -= s.box_cost();
        const int code = decide(s, fg, bx);
        if (code == -2 || code == 2) {
            to_caller(s, bx, s.lastbox);
            return code;
        }
        if (code == 1) {
            if (lvl == kLevels) {
                to_caller(s, bx, s.lastbox);
                return -13;
            }
            // Odd levels split in v, even ones in u.
            const int dir = lvl % 2 == 1 ? 2 : 1;
            int err = 0;
            const int ldw = std::max(s.nu, s.nv);
            mlmkab(&s.nu, &s.nv, fg, &s.nu, &s.nv, &two, &dir, s.scratch, &ldw, s.nets(lvl + 1, 0), s.nets(lvl + 1, 1),
                   &err);
            if (err != 0) return 1;
            Box lo = bx, hi = bx;
            if (dir == 1) lo.s1 = hi.s0 = (bx.s0 + bx.s1) / 2;
            else lo.t1 = hi.t0 = (bx.t0 + bx.t1) / 2;
            ++lvl;
            boxes[lvl][0] = lo;
            boxes[lvl][1] = hi;
            current[lvl] = 0;
            continue;
        }
        // Settled: the sibling, or the second half of the nearest level above.
        while (lvl > 1 && current[lvl] == 1) --lvl;
        if (lvl == 1) return 0;
        current[lvl] = 1;
    }
}

}  // namespace

extern "C" {

void mfmca7(const int* LDA, const int* NU, const int* NV, const double* A, const double* BOX, const int* LDB,
            double* B, int* IER) {
    static constexpr auto R = vcbm::routine("MFMCA7");
    vcbm::Frame f(R, *IER);
    const int nu = *NU, nv = *NV, ldb = *LDB;
    if (bad_sizes(nu, nv, *LDA, ldb)) return f.fail(1);
    copy_block(nu, nv, *LDA, A, ldb, B);
    along(1, nu, nv, ldb, B, [&](int n, double* c) { shift_scale(n, c, BOX[0], BOX[1]); });
    along(2, nu, nv, ldb, B, [&](int n, double* c) { shift_scale(n, c, BOX[2], BOX[3]); });
}

void mbbpy2(const int* LDA, const int* NU, const int* NV, const double* A, const int* LDB, double* B, int* IER) {
    static constexpr auto R = vcbm::routine("MBBPY2");
    vcbm::Frame f(R, *IER);
    const int nu = *NU, nv = *NV, ldb = *LDB;
    if (bad_sizes(nu, nv, *LDA, ldb)) return f.fail(1);
    copy_block(nu, nv, *LDA, A, ldb, B);
    along(1, nu, nv, ldb, B, to_bernstein);
    along(2, nu, nv, ldb, B, to_bernstein);
}

void mdeca1(const int* LDB, const int* NU, const int* NV, const double* B, const int* LDU, double* DU,
            const int* LDV, double* DV, int* IER) {
    *IER = 0;
    const int nu = *NU, nv = *NV, ldb = *LDB, ldu = *LDU, ldv = *LDV;
    if (bad_sizes(nu, nv, ldb, ldb) || ldu < nu - 1 || ldv < nu) {
        *IER = 1;
        return;
    }
    auto b = vcbm::mat(B, ldb);
    auto du = vcbm::mat(DU, ldu);
    auto dv = vcbm::mat(DV, ldv);
    for (int j = 1; j <= nv; ++j)
        for (int i = 1; i < nu; ++i) du(i, j) = (nu - 1) * (b(i + 1, j) - b(i, j));
    for (int j = 1; j < nv; ++j)
        for (int i = 1; i <= nu; ++i) dv(i, j) = (nv - 1) * (b(i, j + 1) - b(i, j));
}

void mrs2d0(const int* LD1, const int* LD2, const double* FG, const int* NU, const int* NV, const double* BOX,
            const double* EPSX, const double* EPSF, const int* NMAX, double* ROOTS, int* NROOT, double* LASTBOX,
            int* IER) {
    static constexpr auto R = vcbm::routine("MRS2D0");
    thread_local vcbm::WorkBase<double, 1> base0, base1;
    vcbm::Frame f(R, *IER);
    *NROOT = 0;
    const int ld1 = *LD1, ld2 = *LD2, nu = *NU, nv = *NV;
    const double* box = BOX;
    if (nu < 1 || nv < 1 || nu > kMaxCoef || nv > kMaxCoef || ld1 < nu || ld2 < nv) return f.fail(1);
    if (!(box[0] < box[1]) || !(box[2] < box[3]) || *NMAX < 1) return f.fail(1);
    const ptrdiff_t n = static_cast<ptrdiff_t>(nu) * nv;
    for (int p = 0; p < 2; ++p)
        for (int j = 0; j < nv; ++j)
            for (int i = 0; i < nu; ++i)
                if (!std::isfinite(FG[p * static_cast<ptrdiff_t>(ld1) * ld2 + i + static_cast<ptrdiff_t>(ld1) * j]))
                    return f.fail(1);

    // Canonical copies (the Newton iteration) and the nets of level 1: 8 NU NV reals.
    double* area = f.request(base0.base, static_cast<int>(8 * n));
    if (!area) return;
    double* canon = area;  // F, G compact
    double* nets = area + 2 * n;
    double* tmp = area + 4 * n;
    const bool unit = box[0] == 0.0 && box[1] == 1.0 && box[2] == 0.0 && box[3] == 1.0;
    for (int p = 0; p < 2; ++p) {
        int code = 0;
        copy_block(nu, nv, ld1, FG + p * static_cast<ptrdiff_t>(ld1) * ld2, nu, canon + p * n);
        const double* src = canon + p * n;
        if (!unit) {
            mfmca7(&nu, &nu, &nv, src, box, &nu, tmp, &code);
            src = tmp;
        }
        if (code == 0) mbbpy2(&nu, &nu, &nv, src, &nu, nets + p * n, &code);
        if (code != 0) return f.fail(1);
    }

    // mrs2d1: the stack of 41 levels and the scratch of the splits and derivative nets.
    static constexpr auto R1 = vcbm::routine("MRS2D1");
    int ier1 = 0;
    {
        vcbm::Frame f1(R1, ier1, f.trace_level());
        const int mx = std::max(nu, nv);
        const int count = static_cast<int>(n * 4 * kLevels + 2 * mx * mx + 328);
        double* work = f1.request(base1.base, count);
        if (!work) return f.fail(10);
        Solve s{nu, nv, canon, canon + n, {box[0], box[1], box[2], box[3]}, *EPSX, *EPSF, *NMAX, ROOTS, NROOT,
                LASTBOX, work, work + n * 4 * kLevels, f1.trace_level()};
        std::copy(nets, nets + 2 * n, s.nets(1, 0));
        int code = subdivide(s);
        if (code == 0 && s.missed) code = -1;
        f1.fail(code);
    }
    f.fail(ier1);
}

}  // extern "C"
