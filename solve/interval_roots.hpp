// Internal interface of the interval root finder's building blocks.
#pragma once

namespace vcbm::roots {

// 2^-48: bounds of a derivative smaller than this give it no sign.
inline constexpr double kFlat = 3.552713678800501e-15;

// Sign test of a control polygon against eps, the EPS1 in force (traced as
// MZRS1D): 0 no root on the piece, 1 maybe roots, 2 zero within eps on the
// whole piece.
int sign_test(int n, const double* poly, double eps) noexcept;

// Monotonicity of the piece from its polygon's first differences scaled by
// SCALE (written to work): 1 increasing, -1 decreasing, 0 undecided.
int monotonicity(int n, const double* poly, double* work, double scale) noexcept;

// Safeguarded Newton iteration with restarts (traced and reported as
// UNRS1D); returns 0, -1 or 1 and the point in x.
int newton(int n, const double* c, const double* cd, double a, double b, double epsx, double epsf,
           double& x) noexcept;

// Inserts x (ndim components) with multiplicity mult into the sorted list
// sol(ndim, nmax) holding nsol entries; 1 when it would overflow (reported
// through the general message service, list unchanged).
int insert_solution(int ndim, const double* x, int mult, double eps, int nmax, int& nsol, double* sol) noexcept;

// Drops every entry equal to the previous kept one within eps.
void merge_solutions(double eps, int ndim, int& nsol, double* sol) noexcept;

}  // namespace vcbm::roots
