// Internal interface of the subdivision root finder with noisy intervals,
// for the routines that build on its steps (extreme values, projection).
#pragma once

#include "frame/frame.hpp"

namespace vcbm::noisy {

inline constexpr int kMaxCoefficients = 61;

// Sign analysis of the polygon POLY(ndim, n) against eps: zero = 0 when
// some component has all its values >= eps or all <= -eps (no zero on the
// piece); otherwise zero = 1, and small = 1 when every value of every
// component lies strictly between -eps and eps.
struct PolygonSigns {
    int zero;
    int small;
};
PolygonSigns polygon_signs(const double* poly, int n, int ndim, double eps) noexcept;

// The derivative polygon of POLY(n) on [a, b]: nd = n - 1 values (0 for n < 2).
void derivative_polygon(const double* poly, int n, double a, double b, double* dpoly, int& nd) noexcept;

// Refinement of the single root of C(1..n) in [a, b] (mrs1i1, traced under
// the given level): 0 with the root in x, 1 with the end values in val when
// they have the same strict sign, -1 with the last bracket in val.
int refine_root(TraceLevel level, const double* c, int n, double a, double b, double epsf, double& x,
                double val[2]) noexcept;

// Depth of the subdivision of [ta, tb] down to pieces about epsx long, 1 to 20.
int subdivision_depth(double ta, double tb, double epsx) noexcept;

// mrs1d1 under the given level: the work area and the subdivision of the
// polygon POLY(n) of C(1..n) on [ta, tb] (ta < tb). Lists of capacity
// max(n - 1, 1). Returns IER.
int solve_polygon(TraceLevel level, const double* c, int n, const double* poly, double ta, double tb, double epsx,
                  double epsf, double* roots, int& nroot, double* noise, int& nnoise, double* unres,
                  int& nunres) noexcept;

// Bernstein coefficients of C(1..n) on [0, 1] and on [-1, 1] (b may be c).
void bernstein_01(int n, const double* c, double* b) noexcept;
void bernstein_11(int n, const double* c, double* b) noexcept;

}  // namespace vcbm::noisy
