// Internal interface of the interval root finder's building blocks.
//
// The tests that run on every piece of a subdivision (sign, monotonicity,
// insertion into the solution list) are inline, and take the count as an int
// or as a std::integral_constant when it is known at compile time; either
// way they perform the same operations in the same order.
#pragma once

#include <cmath>
#include <limits>

#include "frame/array_view.hpp"
#include "frame/frame.hpp"

namespace vcbm::roots {

// 2^-48: bounds of a derivative smaller than this give it no sign.
inline constexpr double kFlat = 3.552713678800501e-15;

// Sign test of a control polygon against eps, the EPS1 in force (traced as
// MZRS1D under the caller's trace level): 0 no root on the piece, 1 maybe
// roots, 2 zero within eps on the whole piece. The bounds of the control
// values are scanned as utspol does, stopping once both signs are seen.
template <class N>
[[gnu::always_inline]] inline int sign_test(N count, const double* poly, double eps, TraceLevel level) noexcept {
    static constexpr auto R = routine("MZRS1D");
    return traced_step(R, level, [&]() -> int {
        const int n = count;
        if (n < 1) return 0;
        // The scan stops at the first value that completes both signs. The
        // bounds are updated without branches on the values (the pieces'
        // values follow no pattern that a branch predictor could learn); a
        // NaN changes neither bound.
        double hi = poly[0], lo = poly[0];
        for (int i = 1; i < n; ++i) {
            const double a = poly[i];
            hi = a > hi ? a : hi;
            lo = a < lo ? a : lo;
            if ((hi > 0.0) & (lo < 0.0)) break;
        }
        if (hi < -eps || lo > eps) return 0;
        if (std::fabs(hi) <= eps && std::fabs(lo) <= eps) return 2;
        return 1;
    });
}

// Monotonicity of the piece from its polygon's first differences scaled by
// SCALE: 1 increasing, -1 decreasing, 0 undecided. With STORE the scaled
// differences are written to work (ujrs1d's contract).
//
// Without STORE and with a finite positive scale, the bounds of the
// unscaled differences are scaled instead: rounding a product by a positive
// factor is monotonic, so the scaled minimum and maximum are the same numbers
// (a NaN difference stays NaN and is skipped alike).
template <bool Store, class N>
[[gnu::always_inline]] inline int monotonicity(N count, const double* poly, double* work, double scale) noexcept {
    const int n = count;
    if (n < 2) return 0;
    const int nd = n - 1;
    double hi, lo;
    if (!Store && scale > 0.0 && scale <= std::numeric_limits<double>::max()) {
        hi = poly[1] - poly[0];
        lo = hi;
        for (int k = 1; k < nd; ++k) {
            const double d = poly[k + 1] - poly[k];
            hi = d > hi ? d : hi;
            lo = d < lo ? d : lo;
        }
        hi *= scale;
        lo *= scale;
    } else {
        hi = (poly[1] - poly[0]) * scale;
        lo = hi;
        if (Store) work[0] = hi;
        for (int k = 1; k < nd; ++k) {
            const double d = (poly[k + 1] - poly[k]) * scale;
            if (Store) work[k] = d;
            if (d > hi)
                hi = d;
            else if (d < lo)
                lo = d;
        }
    }
    if (lo > kFlat) return 1;
    if (hi < -kFlat) return -1;
    return 0;
}

// Safeguarded Newton iteration with restarts (traced and reported as
// UNRS1D under the given trace level); returns 0, -1 or 1 and the point in x.
// With BUDGET, every step takes one from *budget, and the iteration ends
// with code 1 once it is spent.
int newton(int n, const double* c, const double* cd, double a, double b, double epsx, double epsf, double& x,
           TraceLevel level, long* budget = nullptr) noexcept;

// Inserts x (ndim components) with multiplicity mult into the sorted list
// sol(ndim, nmax) holding nsol entries; 1 when it would overflow (reported
// through the general message service, list unchanged).
[[gnu::always_inline]] inline int insert_solution(int ndim, const double* x, int mult, double eps, int nmax,
                                                  int& nsol, double* sol) noexcept {
    auto s = mat(sol, ndim);
    auto xv = vec(x);
    int matches = 0;
    int pos = nsol + 1;
    for (int k = 1; k <= nsol; ++k) {
        bool same = true;
        for (int d = 1; d <= ndim && same; ++d) same = std::fabs(s(d, k) - xv(d)) <= eps;
        if (same && ++matches >= mult) return 0;
        if (s(1, k) - xv(1) > eps) {
            pos = k;
            break;
        }
    }
    const int missing = mult - matches;
    if (missing <= 0) return 0;
    if (nsol + missing > nmax) {
        static constexpr auto R = routine("UAJSOL");
        report_failure(R);
        return 1;
    }
    for (int k = nsol; k >= pos; --k)
        for (int d = 1; d <= ndim; ++d) s(d, k + missing) = s(d, k);
    for (int k = pos; k < pos + missing; ++k)
        for (int d = 1; d <= ndim; ++d) s(d, k) = xv(d);
    nsol += missing;
    return 0;
}

// Drops every entry equal to the previous kept one within eps.
void merge_solutions(double eps, int ndim, int& nsol, double* sol) noexcept;

}  // namespace vcbm::roots
