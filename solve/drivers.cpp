// Polynomial root drivers on the bracketing solver: upxnul on the ufxnl1
// family, mpxnul on the mfxnl1 family, and the evaluator mqpos.
#include <cmath>
#include <cstring>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "solve/bracket_kernel.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm {

int solve_bracketed(bool eval8, int n, const double* c8, const double* c, double a, double b,
                    double epsx, double epsf, double& x, bool& pbrn) noexcept {
    return solve_bracketed(TraceLevel{nfndeb()}, eval8, n, c8, c, a, b, epsx, epsf, x, pbrn);
}

}  // namespace vcbm

extern "C" {

void mqpos(const int* NCOEF, const double* C, const double* X, double* F) {
    static constexpr auto R = vcbm::routine("MQPOS");
    vcbm::Frame f(R);
    *F = vcbm::horner(C, *NCOEF, *X);
}

void upxnul(const int* NCOEF, const double* C, const double* A, const double* B, const double* EPSX,
            const double* EPSF, double* X, int* IER) {
    static constexpr auto R = vcbm::routine("UPXNUL");
    vcbm::Frame f(R, *IER);
    const int n = *NCOEF;
    *IER = vcbm::drive<vcbm::bracket::Kind::U>(vcbm::bracket::u_family(),
                                               [=](double t) { return vcbm::horner(C, n, t); }, *A, *B, *EPSX,
                                               *EPSF, *X);
}

void mpxnul(const int* IOPT, const int* NCOEF, const double* C8, const double* C, const double* A,
            const double* B, const double* EPSX, const double* EPSF, double* X, char* STATUS, int* IER,
            long STATUS_len) {
    bool pbrn = false;
    *IER = vcbm::solve_bracketed(*IOPT == 8, *NCOEF, C8, C, *A, *B, *EPSX, *EPSF, *X, pbrn);
    const long n = STATUS_len < 4 ? (STATUS_len < 0 ? 0 : STATUS_len) : 4;
    std::memcpy(STATUS, pbrn ? "PBRN" : "    ", static_cast<std::size_t>(n));
}

}  // extern "C"
