// The Legendre conversion tables.
//
// a(m, k) is the coefficient of the basis polynomial of degree k in the
// expansion of t^m (m - k even, 0 <= k <= m <= 61):
//     standard Legendre (P_k(1) = 1):  a(m, k) = (2k+1) m! / (2^p p! (m+k+1)!!), p = (m-k)/2
//     orthonormal on [-1, 1]:           the same times sqrt(2 / (2k+1)).
// Each table is two packed triangles of 496 reals: row k (k = 0..30) starts
// at entry 32k - k(k+1)/2 and holds a(2(k+i), 2k), i = 0..30-k (even
// triangle), or a(2(k+i)+1, 2k+1) (odd triangle). Every entry is the double
// nearest to its exact value: the tables are built at first use from exact
// integer arithmetic.
#pragma once

namespace vcbm::legendre {

inline constexpr int kRows = 31;
inline constexpr int kTriangle = kRows * (kRows + 1) / 2;  // 496
inline constexpr int kMaxDegree = 2 * kRows - 1;           // 61

constexpr int row_start(int k) noexcept { return 32 * k - k * (k + 1) / 2; }

struct Table {
    double even[kTriangle];
    double odd[kTriangle];
};

const Table& standard() noexcept;
const Table& orthonormal() noexcept;

// The nearest double to a(m, k) (orthonormal: times sqrt(2/(2k+1))), from
// exact integer arithmetic. Requires 0 <= k <= m <= 61, m - k even.
double exact_coefficient(int m, int k, bool orthonormal) noexcept;

// One component: W holds the even canonical coefficients c0, c2, ... then the
// odd ones c1, c3, ...; OUT(1..NDEG+1) receives the coefficients in the basis
// of TABLE in degree order. Requires 0 <= NDEG <= 61.
void convert(const Table& table, int ndeg, const double* w, double* out) noexcept;

}  // namespace vcbm::legendre
