// Normalisation of a vector, with the snap to an exact axis direction, and
// its four entry points: munivt (codes only), muntvt (traced, reported),
// unitvt (a function reporting through germsg) and vnitvt (traced, also
// returns the norm).
#include <cmath>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_frame.h"

namespace vcbm {

namespace {
// Tolerance of muntvt and unitvt.
constexpr double kFixedTolerance = 1.0e-16;
}  // namespace

NormSizes norm_sizes() noexcept {
    // The exponent comes from the infrastructure on every call; the powers
    // of ten are recomputed only when it changes.
    thread_local int cached_e = 0;
    thread_local NormSizes cached{};
    thread_local bool valid = false;
    int e = 0;
    aovsr8(&e);
    if (!valid || e != cached_e) {
        cached = NormSizes{std::pow(10.0, -e), std::pow(10.0, (-e - 1) / 2)};
        cached_e = e;
        valid = true;
    }
    return cached;
}

bool normalise(int n, const double* v, double* vu, double tol, double& xnorm) noexcept {
    const NormSizes sz = norm_sizes();
    if (tol <= 0.0) tol = sz.smallest;
    xnorm = norm(n, v);
    if (tol >= xnorm) {
        if (n >= 1) vrirazx(&n, vu);
        return false;
    }
    for (int i = 0; i < n; ++i) vu[i] = v[i] / xnorm;

    // A unit vector with all components but one negligible becomes that axis.
    // Components that are NaN count neither way, so they never snap.
    int negligible = 0;
    int k = -1;
    for (int i = 0; i < n; ++i) {
        const double a = std::fabs(vu[i]);
        if (a <= sz.negligible)
            ++negligible;
        else if (a > sz.negligible)
            k = i;
    }
    if (negligible == n - 1 && k >= 0) {
        const double s = vu[k] > 0.0 ? 1.0 : -1.0;
        for (int i = 0; i < n; ++i) vu[i] = 0.0;
        vu[k] = s;
    }
    return true;
}

int unit_vector(int n, const double* v, double* vu) noexcept {
    static constexpr auto R = routine("UNITVT");
    double xnorm;
    if (n < 1 || !normalise(n, v, vu, kFixedTolerance, xnorm)) {
        report_failure(R);
        return 1;
    }
    return 0;
}

}  // namespace vcbm

extern "C" {

void munivt(const int* N, const double* V, double* VU, const double* EPS, int* IER) {
    double xnorm;
    *IER = vcbm::normalise(*N, V, VU, *EPS, xnorm) ? 0 : 101;
}

void muntvt(const int* N, const double* V, double* VU, int* IER) {
    static constexpr auto R = vcbm::routine("MUNTVT");
    vcbm::Frame f(R, *IER);
    double xnorm;
    if (!vcbm::normalise(*N, V, VU, vcbm::kFixedTolerance, xnorm)) f.fail(101);
}

int unitvt(const int* N, const double* V, double* VU) { return vcbm::unit_vector(*N, V, VU); }

void vnitvt(const double* EPS, const int* N, const double* V, double* VU, double* XNORM, int* IER) {
    static constexpr auto R = vcbm::routine("VNITVT");
    vcbm::Frame f(R, *IER);
    if (*N < 1) {
        vcbm::norm_sizes();  // the exponent is read on every call
        return f.fail(10);
    }
    if (!vcbm::normalise(*N, V, VU, *EPS, *XNORM)) {
        // Not a failure, but this routine reports it all the same.
        f.fail(-1);
        vcbm::report_code(R, -1);
    }
}

}  // extern "C"
