// Segments as degree-1 curves SEG(NDIM, 2) (start, displacement) and the
// distance of two points: the small geometric helpers of the ray casting in
// point classification.
#include <cmath>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_intersect.h"

namespace {

// Coordinates kept in the private array of dsptpt; more go to a request.
constexpr int kLocalCoordinates = 100;

// |P - Q| with the scaling of vcbm::norm, without storing the difference:
// the way of dsptpt when no work space is granted.
double distance_in_place(int n, const double* p, const double* q) noexcept {
    if (n < 1) return 0.0;
    int k = 0;
    double big = std::fabs(p[0] - q[0]);
    for (int i = 1; i < n; ++i) {
        if (std::fabs(p[i] - q[i]) > big) {
            big = std::fabs(p[i] - q[i]);
            k = i;
        }
    }
    double s = 0.0;
    if (big >= 1.0) {
        const double dk = p[k] - q[k];
        for (int i = 0; i < n; ++i) {
            if (i == k) continue;
            const double r = (p[i] - q[i]) / dk;
            s += r * r;
        }
        return big * std::sqrt(1.0 + s);
    }
    for (int i = 0; i < n; ++i) s += (p[i] - q[i]) * (p[i] - q[i]);
    return std::sqrt(s);
}

}  // namespace

extern "C" {

void lnpvdl(const int* NDIM, const double* P, const double* DIR, const double* LENGTH, const int* MODE, double* SEG,
            int* IER) {
    *IER = 0;
    const int n = *NDIM;
    const double len = *LENGTH, eps = vcbm::tol::epspb();
    const bool talk = nfndeb() == 1;
    if (!(len > eps)) {
        *IER = 1;
        if (talk) vcbm::print_line(" LNPVDL : LONGEUR NULLE");
        return;
    }
    const double dnorm = vcbm::norm(n, DIR);
    if (!(dnorm > eps)) {
        *IER = 2;
        if (talk) vcbm::print_line(" LNPVDL : VECTEUR DIRECTEUR NUL");
        return;
    }
    auto seg = vcbm::mat(SEG, n);
    const int mode = *MODE;
    for (int i = 1; i <= n; ++i) {
        const double u = DIR[i - 1] / dnorm;
        if (mode == 1) {
            seg(i, 1) = P[i - 1] - len / 2 * u;
            seg(i, 2) = len * u;
        } else {
            seg(i, 1) = P[i - 1];
            seg(i, 2) = mode == 3 ? -len * u : len * u;
        }
    }
}

void lnptpt(const int* NDIM, const double* P, const double* Q, double* SEG, int* IER) {
    const int n = *NDIM;
    auto seg = vcbm::mat(SEG, n);
    for (int i = 1; i <= n; ++i) {
        seg(i, 1) = P[i - 1];
        seg(i, 2) = Q[i - 1] - P[i - 1];
    }
    *IER = vcbm::norm(n, seg.col(2)) <= vcbm::tol::epspb() ? -1 : 0;
}

void dsptpt(const int* NDIM, const double* P, const double* Q, double* DIST) {
    static constexpr auto R = vcbm::routine("DSPTPT");
    // The base of a request lives as long as the thread; the usual case
    // works on the stack.
    thread_local double request_base[1];
    double local[kLocalCoordinates];
    vcbm::Frame f(R);
    const int n = *NDIM;
    double* d = n <= kLocalCoordinates ? local : f.request(request_base, n);
    if (d == nullptr) {
        // Refused: no report, the distance is formed without storage.
        f.ier() = 0;
        *DIST = distance_in_place(n, P, Q);
        return;
    }
    for (int i = 0; i < n; ++i) d[i] = Q[i] - P[i];
    *DIST = vcbm::norm(n, d);
}

}  // extern "C"
