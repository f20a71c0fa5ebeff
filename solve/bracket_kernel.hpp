// The bracketing solver's step and its polynomial driver, inline.
//
// The exported steps (ufxnl1, mfxnl1, ufxnl2, zfxnl2) and drivers (upxnul,
// mpxnul) use these, and so does the interval root finder, which runs a
// bracketed solve on every monotonic piece. Inline, a solve runs on a copy of
// the family's state held in registers, written back to the family when the
// solve ends; the steps, their operations and the abscissae are those of the
// exported routines.
#pragma once

#include <algorithm>
#include <cmath>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm::bracket {

// Past this many counted calls only bisection steps are taken.
inline constexpr int kMaxInterpolated = 25;
// ufxnl1 bisects instead of a false-position step when the two end values
// differ by less than this.
inline constexpr double kFlatSecant = 1e-10;

// True when the bracket holds 0 strictly inside.
[[gnu::always_inline]] inline bool straddles_zero(double xp, double xn) noexcept {
    return (xp > 0.0 && xn < 0.0) || (xp < 0.0 && xn > 0.0);
}

// Zero of the parabola through (xa, fa), (xm, fm), (xb, fb), inside [xa, xb];
// sets qfail and returns 0 when there is none.
[[gnu::always_inline]] inline double quadratic_estimate(int& qfail, double xm, double fm, double xa, double fa,
                                                        double xb, double fb) noexcept {
    const double d1 = xm - xa;
    const double d2 = xm - xb;
    if (d1 * d2 == 0.0) {
        qfail = 1;
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
            qfail = 1;
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
            qfail = 1;
            return 0.0;
        }
    }
    if (t < 0.0) t = 0.0;
    if (t > 1.0) t = 1.0;
    return xa + h * t;
}

// One step of the solver (see step() in solve_internal.hpp).
template <Kind K>
[[gnu::always_inline]] inline void step_inline(State& s, double& x, double f, double epsx, double epsf,
                                               int& icode) noexcept {
    constexpr bool u = K == Kind::U;
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
            t = quadratic_estimate(s.qfail, s.xn0, s.fn0, s.xn, s.fn, s.xp, s.fp);
            bisect = s.qfail != 0;
        } else {
            const double t1 = quadratic_estimate(s.qfail, s.xp0, s.fp0, s.xp, s.fp, s.xn, s.fn);
            if (s.qfail != 0) {
                bisect = true;
            } else if (s.nneg >= 2) {
                const double t2 = quadratic_estimate(s.qfail, s.xn0, s.fn0, s.xn, s.fn, s.xp, s.fp);
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
        // Slow-side guard: one end has hardly moved. (Both counts are at
        // least 1 once a bracket was formed; a caller that goes on stepping
        // after code 2 has none, and then bisects here.)
        if (!bisect) {
            if (s.nneg < 1 || s.npos < 1)
                bisect = s.neval >= 8;
            else
                bisect = s.neval >= 8 && std::max(s.neval / s.nneg, s.neval / s.npos) > 4;
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

namespace vcbm {

// The driver's loop: one evaluation and one solver step per pass, at most
// NITNR passes (the first pass is pass 1), on a copy of the family's state
// written back at the end. Returns 0 (root), 1 (no sign change), 2 (bracket
// exhausted), 3 (iteration limit) or kNotANumber: an end or a tolerance is
// NaN (nothing evaluated), or a value is (x is where it was met). No
// comparison with a NaN settles anything, so the loop would otherwise run to
// its limit.
inline constexpr int kNotANumber = 4;
template <bracket::Kind K, class Eval>
[[gnu::always_inline]] inline int drive(bracket::State& family, Eval&& eval, double a, double b, double epsx,
                                        double epsf, double& x) noexcept {
    bracket::State s = family;
    bracket::reset(s, a, b);
    x = a;
    const int limit = tol::nitnr();
    int code = 3;
    if (std::isnan(a) || std::isnan(b) || std::isnan(epsx) || std::isnan(epsf)) [[unlikely]] {
        family = s;
        return kNotANumber;
    }
    for (int pass = 1; pass <= limit; ++pass) {
        double f = eval(x);
        if (std::isnan(f)) [[unlikely]] {
            code = kNotANumber;
            break;
        }
        s.qfail = 0;
        s.nudge = 0.0;
        int icode = 0;
        bracket::step_inline<K>(s, x, f, epsx, epsf, icode);
        if (icode == 0) continue;
        if (icode == 2) {
            code = 1;
            break;
        }
        if (icode == 3) {
            code = 2;
            break;
        }
        f = eval(x);
        if (std::fabs(f) <= epsf) {
            code = 0;
            break;
        }
    }
    family = s;
    return code;
}

// mpxnul under the trace level of the calling frame: c8(1..n) evaluated by
// Horner when eval8 (its option 8), otherwise c(1..n) through mqpos. N as
// for horner().
// FAMILY is bracket::m_family() of the calling thread, which a caller that
// solves many times may look up once.
template <class N>
[[gnu::always_inline]] inline int solve_bracketed(bracket::State& family, TraceLevel level, bool eval8, N n,
                                                  const double* c8, const double* c, double a, double b,
                                                  double epsx, double epsf, double& x, bool& pbrn) noexcept {
    static constexpr auto R = routine("MPXNUL");
    int ier = 0;
    Frame f(R, ier, level);
    if (eval8) {
        ier = drive<bracket::Kind::M>(family, [=](double t) { return horner(c8, n, t); }, a, b, epsx, epsf, x);
    } else {
        const int nc = n;
        ier = drive<bracket::Kind::M>(family,
                                      [=](double t) {
                                          double v;
                                          mqpos(&nc, c, &t, &v);
                                          return v;
                                      },
                                      a, b, epsx, epsf, x);
    }
    pbrn = ier == 2 || ier == 3;
    return ier;
}

template <class N>
[[gnu::always_inline]] inline int solve_bracketed(TraceLevel level, bool eval8, N n, const double* c8,
                                                  const double* c, double a, double b, double epsx, double epsf,
                                                  double& x, bool& pbrn) noexcept {
    return solve_bracketed(bracket::m_family(), level, eval8, n, c8, c, a, b, epsx, epsf, x, pbrn);
}

}  // namespace vcbm
