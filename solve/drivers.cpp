// Polynomial root drivers on the bracketing solver: upxnul on the ufxnl1
// family, mpxnul on the mfxnl1 family, and the evaluator mqpos.
#include <cmath>
#include <cstring>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm {

namespace {

// The common loop: one evaluation and one solver step per pass, at most
// NITNR passes (the first pass is pass 1). Returns 0 (root), 1 (no sign
// change), 2 (bracket exhausted) or 3 (iteration limit).
template <class Eval>
int drive(bracket::State& s, bracket::Kind kind, Eval&& eval, double a, double b, double epsx,
          double epsf, double& x) noexcept {
    bracket::reset(s, a, b);
    x = a;
    const int limit = tol::nitnr();
    for (int pass = 1;; ++pass) {
        if (pass > limit) return 3;
        double f = eval(x);
        s.qfail = 0;
        s.nudge = 0.0;
        int icode = 0;
        bracket::step(s, kind, x, f, epsx, epsf, icode);
        switch (icode) {
            case 0: break;
            case 2: return 1;
            case 3: return 2;
            default:
                f = eval(x);
                if (std::fabs(f) <= epsf) return 0;
                break;
        }
    }
}

}  // namespace

int solve_bracketed(bool eval8, int n, const double* c8, const double* c, double a, double b,
                    double epsx, double epsf, double& x, bool& pbrn) noexcept {
    static constexpr auto R = routine("MPXNUL");
    int ier = 0;
    Frame f(R, ier);
    if (eval8) {
        ier = drive(bracket::m_family(), bracket::Kind::M,
                    [=](double t) { return horner(c8, n, t); }, a, b, epsx, epsf, x);
    } else {
        ier = drive(bracket::m_family(), bracket::Kind::M,
                    [=](double t) {
                        double v;
                        mqpos(&n, c, &t, &v);
                        return v;
                    },
                    a, b, epsx, epsf, x);
    }
    pbrn = ier == 2 || ier == 3;
    return ier;
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
    *IER = vcbm::drive(vcbm::bracket::u_family(), vcbm::bracket::Kind::U,
                       [=](double t) { return vcbm::horner(C, n, t); }, *A, *B, *EPSX, *EPSF, *X);
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
