// Closed-form roots: the quadratic equation, and the roots of polynomials of
// degree 1 and 2 inside a parameter interval widened by EPSNR.
#include <algorithm>
#include <cmath>

#include "frame/tolerance.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm {

int quadratic_rescaled(double a, double b, double c, double root[2], int& code) noexcept {
    const double m = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
    code = 0;
    if (!std::isfinite(m)) return 0;  // a NaN or an infinity: no root can be told
    int e = 0;
    std::frexp(m, &e);
    return quadratic_closed_form(std::ldexp(a, -e), std::ldexp(b, -e), std::ldexp(c, -e), root, code);
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
