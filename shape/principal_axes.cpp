// Principal axes of a point set (mckpl0) and its classification as a point,
// a line, a plane or a general shape (mckent).
//
// mckpl0 forms the centroid and the covariance matrix of the points (divisor
// NPTS, the mean of the products minus the product of the means) and hands
// the matrix to the Jacobi eigensolver, which orders the eigenvalues
// decreasingly. Every covariance entry is the plain sum over the points in
// their order; for two to four components the entries are accumulated in
// registers during a single pass over the points, which gives each entry the
// same operations in the same order as the entry-by-entry loop used for
// other dimensions.
//
// mckent compares the distance tolerance with standard deviations: the
// largest one for a point, the sum of the minor ones for a line, the sum of
// those beyond the second for a plane. A measure exactly at the tolerance
// counts as flat.
#include <cmath>

#include "frame/frame.hpp"
#include "vcbm_frame.h"
#include "vcbm_numeric.h"
#include "vcbm_shape.h"

namespace {

using std::ptrdiff_t;

// Centroid G(D) and upper triangle of the covariance COV(D, D) of the N
// points PTS(D, N), D known at compile time: one pass over the points.
template <int D>
void moments_fixed(int n, const double* pts, double* g, double* cov) noexcept {
    double s[D] = {};
    double p[D][D] = {};  // p[j][i], i <= j
    for (ptrdiff_t k = 0; k < n; ++k) {
        const double* x = pts + k * D;
#pragma GCC unroll 4
        for (int j = 0; j < D; ++j) {
            s[j] += x[j];
#pragma GCC unroll 4
            for (int i = 0; i <= j; ++i) p[j][i] += x[j] * x[i];
        }
    }
    const double r = 1.0 / n;
    for (int i = 0; i < D; ++i) g[i] = s[i] * r;
    for (int j = 0; j < D; ++j)
        for (int i = 0; i <= j; ++i) cov[j * D + i] = p[j][i] * r - g[i] * g[j];
}

// The same for any dimension, accumulating in COV itself.
void moments_any(int d, int n, const double* pts, double* g, double* cov) noexcept {
    const auto x = vcbm::mat(pts, d);
    const auto c = vcbm::mat(cov, d);
    for (int i = 1; i <= d; ++i) {
        double s = 0.0;
        for (int k = 1; k <= n; ++k) s += x(i, k);
        g[i - 1] = s;
    }
    const double r = 1.0 / n;
    for (int i = 0; i < d; ++i) g[i] *= r;
    for (int j = 1; j <= d; ++j)
        for (int i = 1; i <= j; ++i) c(i, j) = 0.0;
    for (int k = 1; k <= n; ++k)
        for (int j = 1; j <= d; ++j)
            for (int i = 1; i <= j; ++i) c(i, j) += x(j, k) * x(i, k);
    for (int j = 1; j <= d; ++j)
        for (int i = 1; i <= j; ++i) c(i, j) = c(i, j) * r - g[i - 1] * g[j - 1];
}

}  // namespace

extern "C" void mckpl0(const int* NDIM, const int* NPTS, const double* PTS, double* COV, double* RESULT, int* IER) {
    static constexpr auto R = vcbm::routine("MCKPL0");
    // The level is read before the tolerance, the entry trace written after.
    const vcbm::TraceLevel level{nfndeb()};
    double eps;
    mveps3(&eps);
    vcbm::Frame f(R, *IER, level);
    const int d = *NDIM, n = *NPTS;
    if (d < 1 || n < 1) return f.fail(2);
    double* g = RESULT + d;
    switch (d) {
        case 1: moments_fixed<1>(n, PTS, g, COV); break;
        case 2: moments_fixed<2>(n, PTS, g, COV); break;
        case 3: moments_fixed<3>(n, PTS, g, COV); break;
        case 4: moments_fixed<4>(n, PTS, g, COV); break;
        default: moments_any(d, n, PTS, g, COV);
    }
    const auto c = vcbm::mat(COV, d);
    for (int j = 2; j <= d; ++j)
        for (int i = 1; i < j; ++i) c(j, i) = c(i, j);
    int nsweep, code;
    double offnrm;
    vpvpsy(COV, &d, &d, &eps, RESULT, RESULT + 2 * d, &nsweep, &offnrm, &code);
    if (code != 0) f.fail(code);
}

extern "C" void mckent(const int* NDIM, const double* EIGEN, const double* TOL, char* KIND, long KIND_len) {
    static constexpr auto R = vcbm::routine("MCKENT");
    vcbm::Frame f(R);
    const char* verdict = "QCQU";
    const int d = *NDIM;
    const double tol = *TOL;
    // Sum of the standard deviations along the axes FIRST..NDIM.
    auto spread = [&](int first) {
        double s = 0.0;
        for (int i = first; i <= d; ++i) s += std::sqrt(std::fabs(EIGEN[i - 1]));
        return s;
    };
    if (d < 1 || tol * tol >= EIGEN[0]) {
        verdict = "POIN";
    } else {
        const double s2 = spread(2);
        if (tol >= s2 || 1.0e-15 >= s2)
            verdict = "DRTE";
        else if (d >= 3 && tol >= spread(3))
            verdict = "PLAN";
    }
    for (int k = 0; k < 4; ++k) KIND[k] = verdict[k];
}
