// The bases of the approximation kernels and their tables.
//
// For a continuity order R (-1..2) the compound basis on [-1, 1] has K =
// 2R + 2 end positions (none for R = -1) followed by the functions
//     b_n(u) = (1 - u^2)^(R+1) J_n(u),   n = 0, 1, ...
// where J_n is the degree-n polynomial orthonormal on [-1, 1] for the weight
// (1 - u^2)^A, A = 2R + 2 (A = 0 and no factor for R = -1: the normalised
// Legendre polynomials). Position p (1-based) always holds a function of
// degree p - 1: the monomial u^(p-1) for p <= K, b_(p-K-1) after.
//
// Three tables per order, built at first use (thread-safe, then read-only):
//  - the power coefficients of the function at every position;
//  - the maximum modulus on [-1, 1] of the function at every position (for
//    R = 1 and 2 rounded to single precision, the precision the truncation
//    bound is kept in for those orders);
//  - for each supported Gauss rule, the values w_k b_n(u_k) at the positive
//    nodes u_k and at the centre of odd rules.
// All values come from the three-term recurrence of J_n in long double.
#pragma once

namespace vcbm::approx {

inline constexpr int kMaxPositions = 61;  // positions 1..61: degrees 0..60
inline constexpr int kNumRules = 9;
inline constexpr int kRules[kNumRules] = {8, 10, 15, 20, 25, 30, 40, 50, 61};
inline constexpr int kMaxRows = 31;  // (61 + 1) / 2

constexpr int end_conditions(int r) noexcept { return r < 0 ? 0 : 2 * r + 2; }
constexpr bool order_ok(int r) noexcept { return r >= -1 && r <= 2; }
// Index of NPTS in kRules, -1 when it is not a supported rule.
constexpr int rule_index(int npts) noexcept {
    for (int i = 0; i < kNumRules; ++i)
        if (kRules[i] == npts) return i;
    return -1;
}
// Rows of a weighted-value column: the NPTS/2 positive nodes, then the centre for odd NPTS.
constexpr int sample_rows(int npts) noexcept { return (npts + 1) / 2; }

struct OrderTables {
    // power[p-1][i]: coefficient of u^i of the function at position p.
    double power[kMaxPositions][kMaxPositions];
    // maximum[p-1]: maximum modulus on [-1, 1] of the function at position p.
    double maximum[kMaxPositions];
    // weighted[rule][n][k]: w_k b_n(u_k), k = 0..rows-1 (positive nodes
    // increasing, then the centre of an odd rule); n = 0..NPTS-1.
    double weighted[kNumRules][kMaxPositions][kMaxRows];
};

// The tables of order R (-1..2).
const OrderTables& tables(int r) noexcept;

// J_n(u), orthonormal for the weight (1 - u^2)^A, in long double.
long double orthonormal_jacobi(int a, int n, long double u) noexcept;

}  // namespace vcbm::approx
