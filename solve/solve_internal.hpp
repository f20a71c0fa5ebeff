// Internal helpers shared by the equation solvers: Horner evaluation, the
// closed-form quadratic, and the state of the two bracketing-solver families.
#pragma once

#include <cmath>
#include <type_traits>

#include "frame/tolerance.hpp"

namespace vcbm {

// Value of C(1) + C(2) x + ... + C(n) x^(n-1), by Horner from C(n) down.
// 0 for n < 1. N is an int, or a std::integral_constant for a count known at
// compile time (the loop then unrolls; the operations are the same).
template <class N>
[[gnu::always_inline]] inline double horner(const double* c, N count, double x) noexcept {
    const int n = count;
    if (n < 1) return 0.0;
    double p = c[n - 1];
    for (int i = n - 2; i >= 0; --i) p = p * x + c[i];
    return p;
}

// Discriminants below this are negative for sure; between it and 0 the root
// -b/2a is a double root when the residual there is negligible.
inline constexpr double kDiscriminantFloor = 3.6e-15;

// The closed form of quadratic_roots on coefficients whose discriminant and
// 2a are finite.
[[gnu::always_inline]] inline int quadratic_closed_form(double a, double b, double c, double root[2],
                                                        int& code) noexcept {
    code = 0;
    const double d = b * b - 4.0 * a * c;
    if (d <= -kDiscriminantFloor) return 0;
    if (d > 0.0) {
        // The root of larger magnitude first, without cancellation; the
        // other from the product of the roots.
        const double s = std::fabs(b) + std::sqrt(d);
        const double x1 = b < 0.0 ? s / (2.0 * a) : -s / (2.0 * a);
        root[0] = x1;
        if (std::fabs(x1) <= kDiscriminantFloor) {
            code = -1;  // both roots at zero
            return 1;
        }
        root[1] = c / (a * x1);
        return 2;
    }
    const double x = -b / (2.0 * a);
    root[0] = x;
    if (std::fabs(c + x * (b + a * x)) <= tol::epspb()) {
        code = -1;
        return 1;
    }
    return 0;
}

// Finite coefficients whose discriminant (or 2a) overflows: the roots do not
// depend on a common factor, so the closed form runs on the coefficients
// divided by the power of two of the largest (exact, bar the underflow of
// coefficients far below it).
int quadratic_rescaled(double a, double b, double c, double root[2], int& code) noexcept;

// Real roots of a x^2 + b x + c = 0 (a non-zero): the closed form with the
// double-root verdict. Returns the number of roots (0, 1 or 2); code is 0 or
// -1 (double root). root[0] is written whenever a discriminant above the
// negative threshold is seen. Inline: the bracketing solver's quadratic step
// calls it on every interpolation. Where nothing overflows the coefficients
// are used as they are.
[[gnu::always_inline]] inline int quadratic_roots(double a, double b, double c, double root[2], int& code) noexcept {
    constexpr double kHuge = 8.98846567431158e307;  // 2^1023: 2a and b^2 - 4ac stay finite below it
    const double d = b * b - 4.0 * a * c;
    if (!(std::fabs(d) < kHuge && std::fabs(a) < kHuge)) [[unlikely]]
        return quadratic_rescaled(a, b, c, root, code);
    return quadratic_closed_form(a, b, c, root, code);
}

namespace bracket {

// State of one bracketing-solver family, kept between calls on each thread.
struct State {
    int neval = 0;   // counted calls since the reset
    int npos = 0;    // times the positive end was set since the bracket was formed
    int nneg = 0;    // times the non-positive end was set
    double xa = 0.0, fa = 0.0;    // first abscissa and its value
    double xb = 0.0, fb = 0.0;    // second abscissa and its value
    double xp = 0.0, fp = 0.0;    // current positive end
    double xp0 = 0.0, fp0 = 0.0;  // previous positive end
    double xn = 0.0, fn = 0.0;    // current non-positive end
    double xn0 = 0.0, fn0 = 0.0;  // previous non-positive end
    int qfail = 0;                // the quadratic step could not produce an estimate
    double nudge = 0.0;           // 1.0 when the point returned was moved inside the bracket
};

// The family driven by upxnul (steps ufxnl1 / ufxnl2) and the one driven by
// mpxnul (steps mfxnl1 / zfxnl2).
State& u_family() noexcept;
State& m_family() noexcept;

enum class Kind { U, M };

// Starts a solve on the bracket [a, b]: the first abscissa is a, the second b.
inline void reset(State& s, double a, double b) noexcept {
    s.xa = a;
    s.xb = b;
    s.neval = 0;
    s.npos = 0;
    s.nneg = 0;
    s.nudge = 0.0;
    s.qfail = 0;
}

// Zero of the parabola through (xa, fa), (xm, fm), (xb, fb), inside [xa, xb];
// sets s.qfail and returns 0 when there is none.
double quadratic_step(State& s, double xm, double fm, double xa, double fa, double xb,
                      double fb) noexcept;

// One step of the solver: (x, f) is the point just evaluated; on return x is
// the next abscissa and icode 0 (evaluate and call again), 1 (converged),
// 2 (no sign change between the starting points) or 3 (bracket exhausted).
void step(State& s, Kind kind, double& x, double f, double epsx, double epsf, int& icode) noexcept;

}  // namespace bracket

// Driver of the mpxnul family on a polynomial: a root of C(1..n) between a
// and b. eval8 selects upos-style evaluation of c8 (true) or the traced
// evaluator on c (false). Returns the code (0 to 3); *pbrn is set when the
// solve ended for want of iterations or of a splittable bracket. Reports as
// mpxnul does. The inline form (solve/bracket_kernel.hpp) takes the trace
// level of the caller's frame and a count known at compile time.
int solve_bracketed(bool eval8, int n, const double* c8, const double* c, double a, double b,
                    double epsx, double epsf, double& x, bool& pbrn) noexcept;

}  // namespace vcbm
