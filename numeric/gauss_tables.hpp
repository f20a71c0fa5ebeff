// Gauss-Legendre nodes and weights of every order 1 to 61.
//
// The positive roots of P_N, in increasing order, for N = 2..61 are kept in
// two blocks of 465 reals, one for even N and one for odd N. With
// m = N / 2 positive roots, those of order N start at position m(m-1)/2 of
// the block of N's parity; the weights follow the same layout. The weight of
// the node 0 of the odd rule N = 2m + 1 is centre[m], m = 0..30.
//
// The tables are computed once, at first use, by Newton's iteration on P_N
// in extended precision and rounded to double.
#pragma once

namespace vcbm::gauss {

inline constexpr int max_order = 61;
inline constexpr int block_size = 465;  // 1 + 2 + ... + 30

struct Tables {
    double node[2][block_size];    // [N % 2]
    double weight[2][block_size];  // [N % 2]
    double centre[31];
};

// The tables, built on the first call (thread-safe).
const Tables& tables() noexcept;

// Position in its parity block of the first positive root of order N (N >= 2).
constexpr int block_start(int n) noexcept {
    const int m = n / 2;
    return m * (m - 1) / 2;
}

// The m = N / 2 positive nodes of order N, increasing (N in 2..61).
inline const double* positive_nodes(int n) noexcept {
    return tables().node[n % 2] + block_start(n);
}
// Their weights.
inline const double* positive_weights(int n) noexcept {
    return tables().weight[n % 2] + block_start(n);
}

}  // namespace vcbm::gauss
