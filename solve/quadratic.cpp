// Closed-form roots: the quadratic equation, and the roots of polynomials of
// degree 1 and 2 inside a parameter interval widened by EPSNR.
#include <algorithm>
#include <cmath>

#include "frame/array_view.hpp"
#include "frame/tolerance.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm {

namespace {
// Discriminants below this are negative for sure; between it and 0 the
// root -b/2a is a double root when the residual there is negligible.
constexpr double kDiscriminantFloor = 3.6e-15;
}  // namespace

int quadratic_roots(double a, double b, double c, double root[2], int& code) noexcept {
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

}  // namespace vcbm

extern "C" {

void urequ2(const double* A, const double* B, const double* C, int* NROOT, double* ROOT, int* IER) {
    *NROOT = vcbm::quadratic_roots(*A, *B, *C, ROOT, *IER);
}

void urpol2(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
            double* ROOT, int* IER) {
    *NROOT = 0;
    if (*NCOEF != 2 || std::fabs(C[1]) < vcbm::tol::eps1()) {
        *IER = 10;
        return;
    }
    *IER = 0;
    const double eps = vcbm::tol::epsnr();
    const double t = -C[0] / C[1];
    if (std::min(*TDEB, *TFIN) - eps <= t && t <= std::max(*TDEB, *TFIN) + eps) {
        ROOT[0] = t;
        *NROOT = 1;
    }
}

void urpol3(const int* NCOEF, const double* C, const double* TDEB, const double* TFIN, int* NROOT,
            double* ROOT, int* IER) {
    *NROOT = 0;
    if (*NCOEF != 3 || C[2] == 0.0) {
        *IER = 10;
        return;
    }
    *IER = 0;
    double r[2];
    int code = 0;
    const int n = vcbm::quadratic_roots(C[2], C[1], C[0], r, code);
    if (n == 0) return;
    *IER = code;
    const double eps = vcbm::tol::epsnr();
    const double lo = std::min(*TDEB, *TFIN) - eps;
    const double hi = std::max(*TDEB, *TFIN) + eps;
    int kept = 0;
    for (int k = 0; k < n; ++k)
        if (lo <= r[k] && r[k] <= hi) ROOT[kept++] = r[k];
    if (kept == 2 && ROOT[1] < ROOT[0]) std::swap(ROOT[0], ROOT[1]);
    *NROOT = kept;
}

}  // extern "C"
