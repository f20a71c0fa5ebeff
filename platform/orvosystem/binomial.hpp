// Exact binomial coefficients by Pascal's rule in 64-bit integers.
// C(60, 30) is about 1.2e17, well inside 2^64, so every entry up to n = 60
// is exact before its conversion to double (which rounds to nearest).
#pragma once

#include <array>
#include <cstdint>

namespace orvo {

inline constexpr int kBinomMax = 60;

constexpr std::array<std::array<std::uint64_t, kBinomMax + 1>, kBinomMax + 1> pascal_triangle() {
    std::array<std::array<std::uint64_t, kBinomMax + 1>, kBinomMax + 1> c{};
    for (int n = 0; n <= kBinomMax; ++n) {
        c[n][0] = 1;
        for (int p = 1; p <= n; ++p) c[n][p] = c[n - 1][p - 1] + (p <= n - 1 ? c[n - 1][p] : 0);
    }
    return c;
}

}  // namespace orvo
