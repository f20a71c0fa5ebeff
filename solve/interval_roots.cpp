// All real roots of a polynomial on an interval.
//
// ur1pls takes its work area and merges coincident roots; mmrs1d sizes the
// per-level subdivision storage; mhrs1d isolates the roots by subdividing the
// Bernstein control polygon (depth first, at most 31 levels), solving
// monotonic pieces with the bracketing solver and analysing short pieces
// through bounds on the second derivative; myrs1d continues a piece with a
// single work area when the per-level storage is used up.
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

#include "VelCurveBasedInfrastructure.h"
#include "vcbm_polynomial.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "polynomial/basis_kernels.hpp"
#include "solve/bernstein.hpp"
#include "solve/bracket_kernel.hpp"
#include "solve/interval_roots.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm::roots {

namespace {

constexpr int kMaxLevel = 31;        // deepest subdivision level
constexpr double kShortPiece = 1e-6; // pieces at most this long are analysed, not split
constexpr double kFlatMergeEps = 1e-6;
// Bound on the number of splits of one solve. A polynomial of degree 60 needs
// a few thousand; past this the polynomial is flat within the tolerances
// over a long stretch and the remaining pieces are left noisy.
constexpr long kMaxSplits = 1L << 15;
// Bound on the Newton steps of one solve. The short-piece analysis runs up
// to five starts of NITNR steps on each piece; with a zero or negative EPSNR
// and a polynomial flat within EPS1 every piece reaches the deepest level,
// and a large NITNR then made one call last minutes. A usual solve takes a
// few hundred steps; past this the rest of the pieces are left noisy.
constexpr long kMaxNewtonSteps = 1L << 20;
constexpr int kNcMax = 61;
constexpr int kWorkArea = 30000;
// Code of every layer when a coefficient is not finite, or an end of the
// interval, EPSF or a tolerance that the isolation reads (EPS1, EPSNR,
// EPSPB) is NaN: no comparison with a NaN settles a piece, so the
// subdivision and its bracketed solves would run to their limits for nothing.
constexpr int kNotFinite = 2;
// ur1pls divides coefficients above this by the power of two of the largest
// (the roots do not depend on a common factor): the polynomial values, their
// differences and the second-derivative bounds of the finest pieces then stay
// far from overflow. Below it the coefficients are used as they are.
constexpr double kScaleAbove = 0x1p100;

// eps1 is the EPS1 in force, read once by the caller.
bool not_finite(int n, const double* c, double a, double b, double epsf, double eps1) noexcept {
    if (std::isnan(a) || std::isnan(b) || std::isnan(epsf) || std::isnan(eps1) || std::isnan(tol::epsnr()) ||
        std::isnan(tol::epspb()))
        return true;
    for (int k = 0; k < n; ++k)
        if (!std::isfinite(c[k])) return true;
    return false;
}

// What became of a half after its examination.
enum class Fate { Settled, Pending, Split };

struct Piece {
    double a, b;
    int level;
    bool force_split;
};

// The state of the isolation of the roots of one polynomial, and the rare
// steps (short pieces, Newton candidates), which take the count as an int.
class IsolationCore {
public:
    IsolationCore(TraceLevel trace, bool eval8, const double* c, const double* c2, int neff, double a, double b,
                  double epsf, double eps1, int& nroot, double* root, double* work) noexcept
        : trace_(trace), eval8_(eval8), c_(c), c2_(c2), nc_(neff), a_(a), b_(b), epsf_(epsf),
          epsnr_(tol::epsnr()), eps1_(eps1), nroot_(nroot), root_(root), work_(work), family_(bracket::m_family()) {}

    bool stopped() const noexcept { return stopped_; }
    bool full() const noexcept { return full_; }
    bool noisy() const noexcept { return noisy_ || over_budget_; }
    bool pbrn() const noexcept { return pbrn_; }
    TraceLevel trace() const noexcept { return trace_; }

    // Counts one split; false once the budget is spent.
    bool take_split() noexcept {
        if (++splits_ > kMaxSplits) spend_budget();
        return !over_budget_;
    }

    // Short-piece analysis; true when the piece must be split again.
    bool analyse_short(const double* poly, double a, double b, int level) noexcept;

protected:
    // The ends of the whole interval are moved outward by EPSNR so that a
    // root lying on them is bracketed.
    double widened_low(double a) const noexcept { return a == a_ ? a - epsnr_ : a; }
    double widened_high(double b) const noexcept { return b == b_ ? b + epsnr_ : b; }

    // What became of the bracketed solve of a piece holding one sign change.
    void solved(int code, double x, bool pb) noexcept {
        pbrn_ = pb;
        if (code == 0)
            insert(x, 1, epsnr_);
        else if (code >= 2)
            noisy_ = true;
    }

    // The bracketed solve with the count as an int.
    void solve_polynomial_on(double wa, double wb) noexcept;

    void insert(double x, int mult, double eps) noexcept {
        if (insert_solution(1, &x, mult, eps, nc_ - 1, nroot_, root_) != 0) full_ = stopped_ = true;
    }

    TraceLevel trace_;
    bool eval8_;
    const double* c_;
    const double* c2_;
    int nc_;
    double a_, b_;
    double epsf_, epsnr_;
    double eps1_;  // the sign test's tolerance, read once
    int& nroot_;
    double* root_;
    double* work_;  // kNcMax reals of scratch
    bracket::State& family_;  // the thread's solver family, looked up once

private:
    // The first and second derivatives, formed when a short piece first
    // needs them.
    void derivatives() noexcept;

    void spend_budget() noexcept { over_budget_ = stopped_ = true; }

    // Newton results are kept only inside the interval widened by EPSNR.
    void insert_checked(double x, int mult, double eps) noexcept {
        if (a_ - epsnr_ <= x && x <= b_ + epsnr_) insert(x, mult, eps);
    }

    bool have_derivatives_ = false;
    bool noisy_ = false;
    bool full_ = false;
    bool over_budget_ = false;
    bool stopped_ = false;  // full_ || over_budget_, tested after every step
    bool pbrn_ = false;
    long splits_ = 0;
    long newton_budget_ = kMaxNewtonSteps;
    double cd_[kNcMax];   // first derivative, n - 1 coefficients
    double cdd_[kNcMax];  // second derivative, n - 2 coefficients
};

void IsolationCore::derivatives() noexcept {
    if (have_derivatives_) return;
    const int n = nc_;
    for (int k = 1; k < n; ++k) cd_[k - 1] = k * c_[k];
    for (int k = 1; k < n - 1; ++k) cdd_[k - 1] = k * cd_[k];
    have_derivatives_ = true;
}

void IsolationCore::solve_polynomial_on(double wa, double wb) noexcept {
    double x;
    bool pb = false;
    const int code = solve_bracketed(family_, trace_, eval8_, nc_, c_, c2_, wa, wb, epsnr_, epsf_, x, pb);
    solved(code, x, pb);
}

bool IsolationCore::analyse_short(const double* poly, double a, double b, int level) noexcept {
    const int n = nc_;
    derivatives();
    double* d2 = work_;
    for (int k = 0; k < n - 2; ++k) d2[k] = (poly[k + 2] - poly[k + 1]) - (poly[k + 1] - poly[k]);
    double hi, lo;
    const int nd2 = n - 2;
    ugpolx(&nd2, d2, &hi, &lo);
    const double scale = static_cast<double>(n - 1) * (n - 2) / ((b - a) * (b - a));
    const double m2 = lo * scale, big_m2 = hi * scale;
    if (m2 <= kFlat && big_m2 >= -kFlat) {
        // The second derivative has no sign: split on, or a Newton
        // candidate from the midpoint once the piece is at its finest.
        if (b - a > epsnr_ && level < kMaxLevel) return true;
        double x = (a + b) / 2.0;
        if (newton(n, c_, cd_, a, b, epsnr_, epsf_, x, trace_, &newton_budget_) != 0 && newton_budget_ < 0)
            spend_budget();
        if (std::fabs(horner(c_, n, x)) <= epsf_)
            insert_checked(x, 1, kFlatMergeEps);
        else
            noisy_ = true;
        return false;
    }
    // P' is monotonic: P has at most one extremum on the piece.
    const double wa = widened_low(a), wb = widened_high(b);
    double xs;
    bool pb = false;
    const int code = solve_bracketed(family_, trace_, true, n - 1, cd_, cd_, wa, wb, epsnr_, epsf_, xs, pb);
    pbrn_ = pb;
    if (code == 1) {
        solve_polynomial_on(wa, wb);
        return false;
    }
    const double p = horner(c_, n, xs);
    if (std::fabs(p) <= epsf_) {
        insert_checked(xs, 2, epsnr_);
        return false;
    }
    const double s = m2 + big_m2 >= 0.0 ? 1.0 : -1.0;
    if (s * p > 0.0) return false;  // the extremum lies on the side of the axis away from a root
    // Two roots around the extremum, estimated from the osculating parabola.
    const double q = -2.0 * p / horner(cdd_, n - 2, xs);
    const double d = q > 0.0 && std::isfinite(q) ? std::sqrt(q) : 0.0;
    double x1 = xs - d;
    if (newton(n, c_, cd_, a, xs, epsnr_, epsf_, x1, trace_, &newton_budget_) != 0 && newton_budget_ < 0)
        spend_budget();
    if (std::fabs(horner(c_, n, x1)) <= epsf_) insert_checked(x1, 1, epsnr_);
    if (full_) return false;
    double x2 = xs + d;
    if (newton(n, c_, cd_, xs, b, epsnr_, epsf_, x2, trace_, &newton_budget_) != 0 && newton_budget_ < 0)
        spend_budget();
    if (std::fabs(horner(c_, n, x2)) <= epsf_) insert_checked(x2, 1, epsnr_);
    return false;
}

// The per-piece steps with the count N, an int or a std::integral_constant
// for the short counts (the tests, the split and the evaluations in the
// bracketed solves then unroll; the operations are the same either way).
template <class N>
class Isolation : public IsolationCore {
public:
    Isolation(TraceLevel trace, bool eval8, const double* c, const double* c2, N neff, double a, double b,
              double epsf, double eps1, int& nroot, double* root, double* work) noexcept
        : IsolationCore(trace, eval8, c, c2, neff, a, b, epsf, eps1, nroot, root, work), n_(neff) {}

    N count() const noexcept { return n_; }

    // Examination of a half (step "for each half" of the isolation).
    [[gnu::always_inline]] Fate examine(const double* poly, double a, double b, int level) noexcept {
        const int ic = sign_test(n_, poly, eps1_, trace_);
        if (ic == 0) return Fate::Settled;
        if (ic == 2) return analyse_short(poly, a, b, level) ? Fate::Split : Fate::Settled;
        const int n = n_;
        const int sense = monotonicity<false>(n_, poly, nullptr, (n - 1) / (b - a));
        if (sense == 0) return Fate::Pending;
        solve_monotonic(widened_low(a), widened_high(b));
        return Fate::Settled;
    }

private:
    // A monotonic piece holding exactly one sign change. Kept out of line:
    // most examinations end before it.
    [[gnu::noinline]] void solve_monotonic(double wa, double wb) noexcept {
        if (!eval8_) return solve_polynomial_on(wa, wb);
        double x;
        bool pb = false;
        const int code = solve_bracketed(family_, trace_, true, n_, c_, c_, wa, wb, epsnr_, epsf_, x, pb);
        solved(code, x, pb);
    }

    N n_;
};

// Layout of the caller's work area (at least kWorkNeed reals for NCMAX = 61).
struct WorkLayout {
    double* poly;      // polygon of the whole interval
    double* fallback;  // the single level of storage when none was granted
    double* scratch;   // differences
    double* piece;     // myrs1d: polygon of the current piece
    double* halves;    // myrs1d: its two halves
    double* conv;      // change of interval
    explicit WorkLayout(double* w, int nc) noexcept
        : poly(w), fallback(w + nc), scratch(w + 3 * nc), piece(w + 4 * nc), halves(w + 5 * nc),
          conv(w + 7 * nc) {}
};

// Control polygon of c(1..n) on [a, b] (ufdplg). On [0, 1] ufdplg is
// cpolyg, whose general kernel divides by the binomials and then runs the
// passes p(j) = p(j) + p(j-1), j from the last down to k, for k = 1..n-1:
// the same operations here, with the count N known at compile time for the
// short polynomials.
template <class N>
void polygon_on(N count, const double* c, double a, double b, double* conv, double* poly) noexcept {
    int n = count;
    if (a == 0.0 && b == 1.0) {
        const int m = n - 1;
        for (int j = 0; j <= m; ++j) poly[j] = c[j] / basis::binom(m, j);
        for (int k = 1; k <= m; ++k)
            for (int j = m; j >= k; --j) poly[j] += poly[j - 1];
        return;
    }
    const int one = 1;
    ufdplg(&one, &n, c, &a, &b, conv, poly);
}

// Depth-first continuation of a piece with one work area: pending pieces are
// kept as intervals and their polygons recomputed from the coefficients.
template <class N>
int continue_piece(Isolation<N>& iso, const double* c, double a, double b, int level, bool force_split,
                   const WorkLayout& w) noexcept {
    static constexpr auto R = routine("MYRS1D");
    Frame f(R, iso.trace());
    const N n = iso.count();
    Piece stack[2 * kMaxLevel + 4];
    int top = 0;
    stack[top++] = Piece{a, b, level, force_split};
    while (top > 0 && !iso.stopped()) {
        const Piece p = stack[--top];
        polygon_on(n, c, p.a, p.b, w.conv, w.piece);
        bool split = p.force_split || (p.b - p.a > kShortPiece && p.level < kMaxLevel);
        if (!split) split = iso.analyse_short(w.piece, p.a, p.b, p.level);
        if (!split || iso.stopped()) continue;
        if (!iso.take_split()) break;
        const double m = (p.a + p.b) / 2.0;
        const int nc = n;
        double* left = w.halves;
        double* right = w.halves + nc;
        bern::split_half(w.piece, n, left, right);
        const Piece half[2] = {{p.a, m, p.level + 1, false}, {m, p.b, p.level + 1, false}};
        Fate fate[2] = {Fate::Settled, Fate::Settled};
        fate[0] = iso.examine(left, half[0].a, half[0].b, half[0].level);
        if (iso.stopped()) break;
        // The left half's examination may have used the scratch area only;
        // the right polygon is intact.
        fate[1] = iso.examine(right, half[1].a, half[1].b, half[1].level);
        for (int s = 1; s >= 0; --s)
            if (fate[s] != Fate::Settled)
                stack[top++] = Piece{half[s].a, half[s].b, half[s].level, fate[s] == Fate::Split};
    }
    return iso.full() ? -2 : 0;
}

// The subdivision of [a, b], whose polygon w.poly has passed the sign test:
// stack holds nlevel levels of two halves of ncmax reals each, level L
// (1..nlevel) the two halves of the piece split at level L-1.
//
// Pieces are split depth first, left before right: the halves of a split
// that are still pending go on a list of pieces to do, right one first, so
// that the next piece taken is always the deepest pending one, the left
// half before the right. A half at level L stays in its level's storage
// until it is taken: every piece split after it lies deeper.
template <class N>
void subdivide(Isolation<N>& iso, const double* c, double a, double b, int ncmax, int nlevel, double* stack,
               const WorkLayout& w) noexcept {
    const N n = iso.count();
    struct Todo {
        const double* poly;
        double a, b;
        int level;
        bool split;  // its examination asked for a split
    };
    Todo todo[2 * kMaxLevel + 4];  // at most two per level
    int top = 0;

    if (!(b - a > kShortPiece || iso.analyse_short(w.poly, a, b, 0))) return;
    const double* poly = w.poly;
    double pa = a, pb = b;
    int level = 0;
    for (;;) {
        // Split the piece (poly, pa, pb) of LEVEL.
        if (level >= nlevel) {
            continue_piece(iso, c, pa, pb, level, true, w);
        } else if (iso.take_split()) {
            const int l = level + 1;
            const double m = (pa + pb) / 2.0;
            double* left = stack + static_cast<long>(level) * 2 * ncmax;
            double* right = left + ncmax;
            bern::split_half(poly, n, left, right);
            Fate fl = Fate::Settled, fr = Fate::Settled;
            if (!iso.stopped()) fl = iso.examine(left, pa, m, l);
            if (!iso.stopped()) fr = iso.examine(right, m, pb, l);
            if (fr != Fate::Settled) todo[top++] = Todo{right, m, pb, l, fr == Fate::Split};
            if (fl != Fate::Settled) todo[top++] = Todo{left, pa, m, l, fl == Fate::Split};
        }
        // The next piece to split.
        for (;;) {
            if (top == 0 || iso.stopped()) return;
            const Todo& t = todo[--top];
            bool again = t.split || (t.b - t.a > kShortPiece && t.level < kMaxLevel);
            if (!again) again = iso.analyse_short(t.poly, t.a, t.b, t.level);
            if (again && !iso.stopped()) {
                poly = t.poly;
                pa = t.a;
                pb = t.b;
                level = t.level;
                break;
            }
        }
    }
}

// Runs BODY with the count as a compile-time constant for the short
// polynomials that the subdivision meets most, as an int otherwise. Each
// constant is a copy of the isolation; past 8 coefficients the gain (about
// 10% at 11) no longer pays for the code.
template <class Body>
[[gnu::always_inline]] inline void with_count(int n, Body body) noexcept {
    switch (n) {
        case 4: return body(std::integral_constant<int, 4>{});
        case 5: return body(std::integral_constant<int, 5>{});
        case 6: return body(std::integral_constant<int, 6>{});
        case 7: return body(std::integral_constant<int, 7>{});
        case 8: return body(std::integral_constant<int, 8>{});
        case 9: return body(std::integral_constant<int, 9>{});
        case 10: return body(std::integral_constant<int, 10>{});
        case 11: return body(std::integral_constant<int, 11>{});
        case 12: return body(std::integral_constant<int, 12>{});
        default: return body(n);
    }
}

// The isolation proper (mhrs1d) under the given trace level and EPS1. stack
// holds nlevel levels of two halves of ncmax reals each.
int isolate(TraceLevel trace, double eps1, bool eval8, int ncmax, int ncoef, const double* c, const double* c2,
            double a, double b, double epsf, int nlevel, double* stack, double* work, int& nroot, double* root,
            bool& pbrn) noexcept {
    static constexpr auto R = routine("MHRS1D");
    int ier = 0;
    Frame f(R, ier, trace);
    nroot = 0;
    pbrn = false;
    int neff = 1, iconst = 0;
    const int one = 1;
    udegcv(&one, &ncoef, c, &neff, &iconst);
    if (neff == 1) {
        if (std::fabs(c[0]) <= epsf) ier = -1;
        return ier;
    }
    if (neff == 2 || neff == 3) {
        int code = 0;
        if (neff == 2) {
            urpol2(&neff, c, &a, &b, &nroot, root, &code);
        } else {
            double r[2];
            int n = 0;
            urpol3(&neff, c, &a, &b, &n, r, &code);
            // Code -1 comes with the double root also when it lies outside
            // the interval, and then no root is returned.
            if (code == -1 && n > 0) {
                nroot = 0;
                insert_solution(1, r, 2, tol::epsnr(), 2, nroot, root);
            } else {
                nroot = n;
                for (int k = 0; k < n; ++k) root[k] = r[k];
            }
        }
        return ier;
    }

    const WorkLayout w(work, ncmax);
    if (!(std::isfinite(a) && std::isfinite(b))) return ier = 1;
    if (a == b) {
        // A single point: a root when the value there is negligible.
        if (std::fabs(horner(c, neff, a)) <= epsf) root[nroot++] = a;
        return ier;
    }
    with_count(neff, [&](auto n) {
        polygon_on(n, c, a, b, w.conv, w.poly);
        for (int k = 0; k < neff; ++k)
            if (!std::isfinite(w.poly[k])) {
                ier = 1;  // NaN or overflow: nothing can be said
                return;
            }
        const int ic = sign_test(n, w.poly, eps1, trace);
        if (ic == 0) return;
        if (ic == 2) {
            // The sign test stops scanning once it has seen both signs: the
            // polynomial is zero within the tolerance on the whole interval
            // only when every control value is.
            double hi, lo;
            ugpolx(&neff, w.poly, &hi, &lo);
            if (std::fabs(hi) <= epsf && std::fabs(lo) <= epsf) {
                ier = -1;
                return;
            }
        }
        Isolation<decltype(n)> iso(trace, eval8, c, c2, n, a, b, epsf, eps1, nroot, root, w.scratch);
        subdivide(iso, c, a, b, ncmax, nlevel, stack, w);
        pbrn = iso.pbrn();
        if (iso.full()) ier = -2;
        if (iso.noisy()) ier = 1;
    });
    return ier;
}

// Consecutive roots between which the polynomial stays within EPSF are one
// root under the value tolerance (rounding makes a touching root cross zero
// twice a hair apart); the run keeps its member of smallest value.
void merge_flat_runs(const double* c, int n, double epsf, int& nroot, double* root) noexcept {
    if (nroot < 2) return;
    int kept = 0;
    double kept_value = std::fabs(horner(c, n, root[0]));
    for (int k = 1; k < nroot; ++k) {
        const double x = root[k], prev = root[kept];
        bool flat = true;
        for (int q = 1; q <= 3 && flat; ++q) flat = std::fabs(horner(c, n, prev + (x - prev) * q / 4.0)) <= epsf;
        const double v = std::fabs(horner(c, n, x));
        if (!flat) {
            root[++kept] = x;
            kept_value = v;
        } else if (v < kept_value) {
            root[kept] = x;
            kept_value = v;
        }
    }
    nroot = kept + 1;
}

void write_status(char* status, long len, bool pbrn) noexcept {
    const long n = len < 4 ? (len < 0 ? 0 : len) : 4;
    std::memcpy(status, pbrn ? "PBRN" : "    ", static_cast<std::size_t>(n));
}

// The base address of the work-space requests. Only its address is used
// (crrqst returns the block as an offset from it, and nothing is stored
// through it), so one read-only array serves every thread and a request
// does not pay a thread-local lookup.
constinit const WorkBase<double, 1> kRequestBase{};
double* request_base() noexcept { return const_cast<double*>(kRequestBase.base); }

// Storage sizing and the isolation (mmrs1d) under the given trace level and
// EPS1.
int solve_interval(TraceLevel trace, double eps1, bool eval8, int ncmax, int ncoef, const double* c,
                   const double* c2, double tdeb, double tfin, double epsf, int& nroot, double* root, double* work,
                   bool& pbrn) noexcept {
    static constexpr auto R = routine("MMRS1D");
    int ier = 0;
    Frame f(R, ier, trace);
    nroot = 0;
    pbrn = false;
    if (ncmax < 1 || ncmax > kNcMax || ncoef < 1 || ncoef > ncmax) return ier = 10;
    if (not_finite(ncoef, c, tdeb, tfin, epsf, eps1) || (!eval8 && not_finite(ncoef, c2, 0.0, 0.0, 0.0, eps1)))
        return ier = kNotFinite;
    int nlevel = kMaxLevel;
    udfpil(&nlevel);
    if (nlevel > kMaxLevel) nlevel = kMaxLevel;
    double* stack = nullptr;
    if (nlevel >= 2) {
        stack = f.request(request_base(), nlevel * 2 * ncmax);
        if (!stack) ier = 0;  // refused: one level, kept in the work area
    }
    if (!stack) {
        nlevel = 1;
        stack = WorkLayout(work, ncmax).fallback;
    }
    const double a = tdeb < tfin ? tdeb : tfin;
    const double b = tdeb < tfin ? tfin : tdeb;
    ier = isolate(trace, eps1, eval8, ncmax, ncoef, c, c2, a, b, epsf, nlevel, stack, work, nroot, root, pbrn);
    // Released here, not by the frame on the way out: a failed release must
    // turn the code that is returned into 10.
    f.release_all();
    return ier;
}

}  // namespace

}  // namespace vcbm::roots

namespace rt = vcbm::roots;

extern "C" {

void ur1pls(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT, double* ROOT,
            double* AUX, int* IER) {
    static constexpr auto R = vcbm::routine("UR1PLS");
    vcbm::Frame f(R, *IER);
    *NROOT = 0;
    const int ncoef = *NCOEF;
    if (ncoef < 1 || ncoef > 41) {
        vcbm::report_failure(R);
        return;
    }
    double* work = f.request(rt::request_base(), rt::kWorkArea);
    if (!work) return;
    const double epsf = vcbm::tol::eps1();
    const double epsnr = vcbm::tol::epsnr();
    double big = 0.0;
    // NaN entries are skipped, as fmax would.
    for (int k = 0; k < ncoef; ++k) {
        const double v = std::fabs(C[k]);
        if (v > big) big = v;
    }
    double scaled[41];
    const double* c = C;
    if (big > rt::kScaleAbove && big <= std::numeric_limits<double>::max()) {
        int e = 0;
        std::frexp(big, &e);
        for (int k = 0; k < ncoef; ++k) scaled[k] = std::ldexp(C[k], -e);
        c = scaled;
    }
    bool pbrn = false;
    int ier = rt::solve_interval(f.trace_level(), epsf, true, rt::kNcMax, ncoef, c, c, *TDEB, *TFIN, epsf, *NROOT,
                                 ROOT, work, pbrn);
    if (*NROOT > 0) {
        rt::merge_solutions(epsnr, 1, *NROOT, ROOT);
        rt::merge_flat_runs(c, ncoef, epsf, *NROOT, ROOT);
        const int nbytes = 8 * *NROOT;
        irazx(&nbytes, AUX);
    }
    if (ier == -1) ier = 100;
    if (ier == -2) ier = 200;
    *IER = ier;
}

void mmrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
            const double* TDEB, const double* TFIN, const double* EPSF, int* NROOT, double* ROOT, double* WORK,
            char* STATUS, int* IER, long STATUS_len) {
    bool pbrn = false;
    *IER = rt::solve_interval(vcbm::TraceLevel{nfndeb()}, vcbm::tol::eps1(), *IOPT == 8, *NCMAX, *NCOEF, C, C2,
                              *TDEB, *TFIN, *EPSF, *NROOT, ROOT, WORK, pbrn);
    rt::write_status(STATUS, STATUS_len, pbrn);
}

void mhrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
            const double* A, const double* B, const double* EPSF, const int* NLEVEL, double* STACK, double* WORK,
            int* NROOT, double* ROOT, char* STATUS, int* IER, long STATUS_len) {
    const int ncmax = *NCMAX, ncoef = *NCOEF;
    if (ncmax < 1 || ncmax > rt::kNcMax || ncoef < 1 || ncoef > ncmax || *NLEVEL < 1) {
        static constexpr auto R = vcbm::routine("MHRS1D");
        vcbm::Frame f(R, *IER);
        return f.fail(10);
    }
    const double eps1 = vcbm::tol::eps1();
    if (rt::not_finite(ncoef, C, *A, *B, *EPSF, eps1) || (*IOPT != 8 && rt::not_finite(ncoef, C2, 0.0, 0.0, 0.0, eps1))) {
        static constexpr auto R = vcbm::routine("MHRS1D");
        vcbm::Frame f(R, *IER);
        *NROOT = 0;
        return f.fail(rt::kNotFinite);
    }
    bool pbrn = false;
    const int nlevel = *NLEVEL > 31 ? 31 : *NLEVEL;
    *IER = rt::isolate(vcbm::TraceLevel{nfndeb()}, eps1, *IOPT == 8, ncmax, ncoef, C, C2, *A, *B, *EPSF, nlevel,
                       STACK, WORK, *NROOT, ROOT, pbrn);
    rt::write_status(STATUS, STATUS_len, pbrn);
}

void myrs1d(const int* IOPT, const int* NCMAX, const int* NCOEF, const double* C, const double* C2,
            const double* A, const double* B, const double* TA, const double* TB, const int* LEVEL,
            const double* EPSF, double* WORK, int* NROOT, double* ROOT, int* NOISY, char* STATUS, int* IER,
            long STATUS_len) {
    const int ncmax = *NCMAX, n = *NCOEF;
    if (ncmax < 1 || ncmax > rt::kNcMax || n < 4 || n > ncmax || *NROOT < 0 || *NROOT > n - 1) {
        static constexpr auto R = vcbm::routine("MYRS1D");
        vcbm::Frame f(R, *IER);
        return f.fail(10);
    }
    const double eps1 = vcbm::tol::eps1();
    if (rt::not_finite(n, C, *TA, *TB, *EPSF, eps1) || std::isnan(*A) || std::isnan(*B) ||
        (*IOPT != 8 && rt::not_finite(n, C2, 0.0, 0.0, 0.0, eps1))) {
        static constexpr auto R = vcbm::routine("MYRS1D");
        vcbm::Frame f(R, *IER);
        return f.fail(rt::kNotFinite);
    }
    const rt::WorkLayout w(WORK, ncmax);
    rt::Isolation<int> iso(vcbm::TraceLevel{nfndeb()}, *IOPT == 8, C, C2, n, *A, *B, *EPSF, eps1, *NROOT,
                           ROOT, w.scratch);
    const int level = *LEVEL < 0 ? 0 : *LEVEL;
    *IER = rt::continue_piece(iso, C, *TA, *TB, level, level < 31, w);
    if (iso.noisy()) *NOISY = 1;
    rt::write_status(STATUS, STATUS_len, iso.pbrn());
}

}  // extern "C"
