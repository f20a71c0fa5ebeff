// Internal pieces of the cyclic Jacobi eigensolver (vpvpsy).
#pragma once

namespace vcbm {

// Number of sweeps allowed for an order-N matrix whose initial off-diagonal
// norm S is at least EPS: min(NITNR, trunc(ln(EPS / S) / ln((1 - 1/N)^N) + 2)).
// A bound that is not a number, or not below NITNR, gives NITNR.
int jacobi_sweep_limit(double eps, double s, int n, int nitnr) noexcept;

}  // namespace vcbm
