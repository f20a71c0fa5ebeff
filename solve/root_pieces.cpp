// Building blocks of the interval root finder: the sign and monotonicity
// tests on a control polygon, the safeguarded Newton iteration, and the
// sorted solution list with multiplicities (the tests and the insertion are
// inline in interval_roots.hpp).
#include <cmath>
#include <limits>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "solve/interval_roots.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace vcbm::roots {

int newton(int n, const double* c, const double* cd, double a, double b, double epsx, double epsf, double& x,
           TraceLevel level, long* budget) noexcept {
    static constexpr auto R = routine("UNRS1D");
    int ier = 0;
    Frame f(R, ier, level);
    const double epsnr = tol::epsnr();
    const double epspb = tol::epspb();
    const int limit = tol::nitnr();
    const double m = (a + b) / 2.0;
    const double h = b - a;
    const double starts[5] = {x, m + h / 3.0, m - h / 3.0, m + h / 6.0, m - h / 6.0};
    double best = x;
    double best_value = std::numeric_limits<double>::infinity();
    for (double start : starts) {
        double xc = start;
        for (int step = 1; step <= limit; ++step) {
            if (budget != nullptr && --*budget < 0) {
                x = best;
                return ier = 1;
            }
            const double p = horner(c, n, xc);
            const double ap = std::fabs(p);
            if (ap <= epsf && ap < best_value && a - epsnr <= xc && xc <= b + epsnr) {
                best = xc;
                best_value = ap;
            }
            const double d = horner(cd, n - 1, xc);
            if (std::fabs(d) <= epspb) {
                if (ap <= epsf) {
                    x = best;
                    return ier = -1;
                }
                break;  // restart
            }
            const double dx = p / d;
            xc -= dx;
            if (ap <= epsf && std::fabs(dx) <= epsx) {
                x = xc;
                return ier = 0;
            }
            // (Written so that a NaN step or bound restarts too.)
            if (!(xc >= a - 0.25 && xc <= b + 0.25)) break;
        }
    }
    x = best;
    return ier = 1;
}

void merge_solutions(double eps, int ndim, int& nsol, double* sol) noexcept {
    if (nsol < 2) return;
    auto s = mat(sol, ndim);
    int kept = 1;
    for (int k = 2; k <= nsol; ++k) {
        bool same = true;
        for (int d = 1; d <= ndim && same; ++d) same = std::fabs(s(d, k) - s(d, kept)) <= eps;
        if (same) continue;
        ++kept;
        if (kept != k)
            for (int d = 1; d <= ndim; ++d) s(d, kept) = s(d, k);
    }
    nsol = kept;
}

}  // namespace vcbm::roots

namespace rt = vcbm::roots;

extern "C" {

void mzrs1d(const int* NCOEF, const double* POLYG, int* ICODE) {
    *ICODE = rt::sign_test(*NCOEF, POLYG, vcbm::tol::eps1(), vcbm::TraceLevel{nfndeb()});
}

void ujrs1d(const int* NCOEF, const double* POLYG, double* WORK, const double* SCALE, int* ISENS) {
    *ISENS = rt::monotonicity<true>(*NCOEF, POLYG, WORK, *SCALE);
}

void unrs1d(const int* NCOEF, const double* C, const double* CD, const double* A, const double* B,
            const double* EPSX, const double* EPSF, double* X, int* IER) {
    *IER = rt::newton(*NCOEF, C, CD, *A, *B, *EPSX, *EPSF, *X, vcbm::TraceLevel{nfndeb()});
}

void uajsol(const int* NDIM, const double* X, const int* MULT, const double* EPS, const int* NMAX, int* NSOL,
            double* SOL, int* IER) {
    *IER = *NDIM < 1 ? 0 : rt::insert_solution(*NDIM, X, *MULT, *EPS, *NMAX, *NSOL, SOL);
}

void uelsol(const double* EPS, const int* NDIM, int* NSOL, double* SOL) {
    if (*NDIM >= 1) rt::merge_solutions(*EPS, *NDIM, *NSOL, SOL);
}

}  // extern "C"
