#include "numeric/gauss_tables.hpp"

#include <cfloat>
#include <cmath>

namespace vcbm::gauss {
namespace {

using real = long double;

// P_N(x) and P_N'(x) by the three-term recurrence.
void legendre(int n, real x, real& p, real& dp) {
    real p0 = 1.0L, p1 = x;
    for (int k = 1; k < n; ++k) {
        const real p2 = ((2 * k + 1) * x * p1 - k * p0) / (k + 1);
        p0 = p1;
        p1 = p2;
    }
    p = p1;
    dp = n * (x * p1 - p0) / (x * x - 1.0L);
}

// Root i (i = 1..N/2, i = 1 nearest to 1) of P_N and its weight.
void root(int n, int i, real& x, real& w) {
    const real pi = 3.141592653589793238462643383279502884L;
    x = std::cos(pi * (i - 0.25L) / (n + 0.5L));
    real p = 0, dp = 1;
    // Newton converges quadratically from this start; the bound only guards
    // against a tie that never settles in the last bit.
    for (int it = 0; it < 40; ++it) {
        legendre(n, x, p, dp);
        const real dx = p / dp;
        x -= dx;
        if (std::fabs(dx) <= 2 * LDBL_EPSILON * std::fabs(x)) break;
    }
    legendre(n, x, p, dp);
    w = 2.0L / ((1.0L - x * x) * dp * dp);
}

Tables build() {
    Tables t{};
    for (int n = 2; n <= max_order; ++n) {
        const int m = n / 2;
        double* node = t.node[n % 2] + block_start(n);
        double* weight = t.weight[n % 2] + block_start(n);
        for (int i = 1; i <= m; ++i) {
            real x, w;
            root(n, i, x, w);
            // increasing order: the root nearest to 1 goes last
            node[m - i] = static_cast<double>(x);
            weight[m - i] = static_cast<double>(w);
        }
    }
    // Centre weights: w = 2 / P_N'(0)^2 for odd N.
    t.centre[0] = 2.0;
    for (int m = 1; m <= 30; ++m) {
        real p, dp;
        legendre(2 * m + 1, 0.0L, p, dp);
        t.centre[m] = static_cast<double>(2.0L / (dp * dp));
    }
    return t;
}

}  // namespace

const Tables& tables() noexcept {
    static const Tables t = build();
    return t;
}

}  // namespace vcbm::gauss
