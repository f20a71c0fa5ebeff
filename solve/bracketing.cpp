// The bracketing root finder for one scalar function, driven by its caller
// one evaluation at a time. Two independent families share the algorithm:
// ufxnl1 / ufxnl2 (value tolerance EPSF) and mfxnl1 / zfxnl2 (exact zero).
// Each family keeps its state per thread between calls.
//
// The solver keeps a bracket [XP, XN] with a positive value at XP and a
// non-positive one at XN, and proposes false-position, then quadratic
// interpolation points through the two latest points on either side, with
// bisection as the fallback and a guard against one side moving too slowly.
#include <algorithm>
#include <cmath>

#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm::bracket {

namespace {
thread_local State t_u;
thread_local State t_m;

// Past this many counted calls only bisection steps are taken.
constexpr int kMaxInterpolated = 25;
// ufxnl1 bisects instead of a false-position step when the two end values
// differ by less than this.
constexpr double kFlatSecant = 1e-10;

// True when the bracket holds 0 strictly inside.
bool straddles_zero(double xp, double xn) noexcept {
    return (xp > 0.0 && xn < 0.0) || (xp < 0.0 && xn > 0.0);
}
}  // namespace

State& u_family() noexcept { return t_u; }
State& m_family() noexcept { return t_m; }

void reset(State& s, double a, double b) noexcept {
    s.xa = a;
    s.xb = b;
    s.neval = 0;
    s.npos = 0;
    s.nneg = 0;
    s.nudge = 0.0;
    s.qfail = 0;
}

double quadratic_step(State& s, double xm, double fm, double xa, double fa, double xb,
                      double fb) noexcept {
    const double d1 = xm - xa;
    const double d2 = xm - xb;
    if (d1 * d2 == 0.0) {
        s.qfail = 1;
        return 0.0;
    }
    // The parabola in s = (x - xa)/h through (0, fa), (d1/h, fm), (1, fb):
    // fa + bq s + aq s^2.
    const double h = xb - xa;
    const double aq = h * (fm * h + fa * d2 - fb * d1) / (d1 * d2);
    const double bq = (fb * (d1 * d1) - fm * (h * h) - fa * d2 * (xm - 2.0 * xa + xb)) / (d1 * d2);
    double t;
    if (aq == 0.0) {
        if (bq == 0.0) {
            s.qfail = 1;
            return 0.0;
        }
        t = -fa / bq;
    } else {
        double r[2];
        int code = 0;
        const int n = quadratic_roots(aq, bq, fa, r, code);
        if (n == 2) {
            t = std::fabs(r[0] - 0.5) < std::fabs(r[1] - 0.5) ? r[0] : r[1];
        } else if (n == 1) {
            t = r[0];
        } else {
            s.qfail = 1;
            return 0.0;
        }
    }
    if (t < 0.0) t = 0.0;
    if (t > 1.0) t = 1.0;
    return xa + h * t;
}

void step(State& s, Kind kind, double& x, double f, double epsx, double epsf, int& icode) noexcept {
    const bool u = kind == Kind::U;
    // Converged on the value.
    if (u ? std::fabs(f) <= epsf : f == 0.0) {
        icode = 1;
        return;
    }
    ++s.neval;
    if (s.neval == 1) {
        s.fa = f;
        s.xa = x;
        x = s.xb;
        icode = 0;
        return;
    }
    if (s.neval == 2) {
        s.fb = f;
        s.xb = x;
        const bool same_sign =
            u ? s.fa * s.fb > 0.0 : (s.fa > 0.0 && s.fb > 0.0) || (s.fa < 0.0 && s.fb < 0.0);
        if (same_sign) {
            icode = 2;
            return;
        }
        icode = 0;
        s.npos = 1;
        s.nneg = 1;
        if (s.fa <= 0.0) {
            s.xn = s.xa;
            s.fn = s.fa;
            s.xp = s.xb;
            s.fp = s.fb;
        } else {
            s.xp = s.xa;
            s.fp = s.fa;
            s.xn = s.xb;
            s.fn = s.fb;
        }
    } else {
        icode = 0;
        if (f <= 0.0) {
            s.xn0 = s.xn;
            s.fn0 = s.fn;
            s.xn = x;
            s.fn = f;
            ++s.nneg;
        } else {
            s.xp0 = s.xp;
            s.fp0 = s.fp;
            s.xp = x;
            s.fp = f;
            ++s.npos;
        }
    }

    double t = 0.0;
    bool bisect = s.neval > kMaxInterpolated;
    if (!bisect) {
        if (straddles_zero(s.xp, s.xn)) {
            x = 0.0;
            return;
        }
        if (s.npos < 2 && s.nneg < 2) {
            // False position.
            if (u && std::fabs(s.fn - s.fp) < kFlatSecant) {
                bisect = true;
            } else {
                x = (s.xp * s.fn - s.xn * s.fp) / (s.fn - s.fp);
                return;
            }
        } else if (s.npos < 2) {
            t = quadratic_step(s, s.xn0, s.fn0, s.xn, s.fn, s.xp, s.fp);
            bisect = s.qfail != 0;
        } else {
            const double t1 = quadratic_step(s, s.xp0, s.fp0, s.xp, s.fp, s.xn, s.fn);
            if (s.qfail != 0) {
                bisect = true;
            } else if (s.nneg >= 2) {
                const double t2 = quadratic_step(s, s.xn0, s.fn0, s.xn, s.fn, s.xp, s.fp);
                if (s.qfail != 0) {
                    bisect = true;
                } else {
                    const double e1 = std::fabs(t1 - s.xp0);
                    const double e2 = std::fabs(t2 - s.xn0);
                    t = t1 + (t2 - t1) * e1 / (e1 + e2);
                }
            } else {
                t = t1;
            }
        }
        // Slow-side guard: one end has hardly moved.
        if (!bisect) {
            const int lag = std::max(s.neval / s.nneg, s.neval / s.npos);
            bisect = lag > 4 && s.neval >= 8;
        }
    }
    if (bisect) {
        t = (s.xp + s.xn) / 2.0;
        if (t == s.xp || t == s.xn) {
            x = t;
            icode = 3;
            return;
        }
    }

    // Acceptance of the estimate.
    const double dp = std::fabs(t - s.xp);
    const double dn = std::fabs(t - s.xn);
    if (std::min(dp, dn) > epsx) {
        x = t;
        return;
    }
    if (std::fabs(s.xp - s.xn) > epsx) {
        // Too close to an end: step 0.8 EPSX inside the bracket from the
        // nearer end instead.
        const double sg = s.xp - s.xn < 0.0 ? -1.0 : 1.0;
        const double moved = dp > dn ? s.xn + 0.8 * sg * std::fabs(epsx) : s.xp - 0.8 * sg * std::fabs(epsx);
        if (moved != s.xp && moved != s.xn) {
            x = moved;
            s.nudge = 1.0;
        } else {
            x = (s.xp + s.xn) / 2.0;
        }
        return;
    }
    x = t;
    icode = 1;
}

}  // namespace vcbm::bracket

namespace bk = vcbm::bracket;

extern "C" {

void ufxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE) {
    bk::step(bk::u_family(), bk::Kind::U, *X, *F, *EPSX, *EPSF, *ICODE);
}

void mfxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE) {
    (void)EPSF;  // this family converges on an exact zero only
    bk::step(bk::m_family(), bk::Kind::M, *X, *F, *EPSX, 0.0, *ICODE);
}

double ufxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
              const double* FB) {
    return bk::quadratic_step(bk::u_family(), *XM, *FM, *XA, *FA, *XB, *FB);
}

double zfxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
              const double* FB) {
    return bk::quadratic_step(bk::m_family(), *XM, *FM, *XA, *FA, *XB, *FB);
}

}  // extern "C"
