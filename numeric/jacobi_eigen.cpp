// Eigenvalues and eigenvectors of a real symmetric matrix by the cyclic
// Jacobi method (vpvpsy).
//
// Each sweep visits every pair (p, q), p < q, in row order and applies the
// symmetric reflection [[c, s], [s, -c]] chosen to annihilate A(p, q); no
// pair is skipped for being small. The iteration stops when a sweep moves
// the diagonal by at most EPS (Euclidean norm of the change), or after the
// sweep limit. The eigenvalues are then ordered decreasingly by a bubble
// sort that moves the eigenvector columns along.
//
// Off-diagonal norms (the initial S and the final OFFNRM) sum the squares of
// the entries column by column, entries of modulus below EPS counting as
// zero. The values written by a transformation are computed in exactly the
// order stated below, so results are reproducible to the last bit.
//
// Out-of-range arguments: EPS <= 0 or not a number gives IER = 11; LDA < N
// (with N >= 1) gives IER = 12; in both cases only IER and NSWEEP (0) are
// written. N <= 0 computes nothing but OFFNRM = 0.
#include "numeric/jacobi_eigen.hpp"

#include <cmath>
#include <cstddef>
#include <utility>

#include "frame/frame.hpp"
#include "vcbm_frame.h"
#include "vcbm_numeric.h"

namespace vcbm {

int jacobi_sweep_limit(double eps, double s, int n, int nitnr) noexcept {
    // The power is a real raised to an integer, by repeated squaring.
    const double shrink = __builtin_powi(1.0 - 1.0 / n, n);
    const double bound = std::log(eps / s) / std::log(shrink) + 2.0;
    if (!(bound < static_cast<double>(nitnr))) return nitnr;
    if (bound < 1.0) return 1;  // one sweep runs in any case
    return static_cast<int>(bound);
}

}  // namespace vcbm

namespace {

using std::ptrdiff_t;

// x := c.x + s.y, y := s.x - c.y on elements [from, to).
inline void reflect_pair(double* x, double* y, ptrdiff_t from, ptrdiff_t to, double c, double s) noexcept {
    for (ptrdiff_t r = from; r < to; ++r) {
        const double xr = x[r];
        const double yr = y[r];
        x[r] = c * xr + s * yr;
        y[r] = s * xr - c * yr;
    }
}

// One transformation on the pair (p, q), 0-based, p < q.
inline void transform(double* a, ptrdiff_t lda, double* v, ptrdiff_t n, ptrdiff_t p, ptrdiff_t q, double eps,
                      double sqrt_eps) noexcept {
    double* cp = a + p * lda;
    double* cq = a + q * lda;
    const double app = cp[p];
    const double aqq = cq[q];
    const double apq = cq[p];
    const double delta = app - aqq;
    const double tau = 2.0 * apq;
    const double sigma = delta * tau >= 0.0 ? 1.0 : -1.0;
    double t = 1.0e30;
    double h = 0.0;
    if (std::fabs(delta) > eps) {
        t = tau / delta;
        h = 0.5 / std::sqrt(t * t + 1.0);
    }
    const double c = std::sqrt(h + 0.5);
    double s;
    double s2;
    if (std::fabs(t) <= sqrt_eps) {  // small angle
        s = t / 2.0;
        s2 = s * s;
    } else {  // includes the 45-degree case |delta| <= eps
        s = sigma * std::sqrt(0.5 - h);
        s2 = 1.0 - c * c;
    }

    // Columns p and q off the pair, then the same values into rows p and q.
    reflect_pair(cp, cq, 0, p, c, s);
    reflect_pair(cp, cq, p + 1, q, c, s);
    reflect_pair(cp, cq, q + 1, n, c, s);
    for (ptrdiff_t r = 0; r < n; ++r) {
        if (r == p || r == q) continue;
        a[r * lda + p] = cp[r];
        a[r * lda + q] = cq[r];
    }
    reflect_pair(v + p * lda, v + q * lda, 0, n, c, s);

    const double cc = c * c;
    const double m = tau * c * s;
    cp[p] = app * cc + aqq * s2 + m;
    cq[q] = app * s2 + aqq * cc - m;
    const double off = (s2 - cc) * apq + delta * c * s;
    cq[p] = off;
    cp[q] = off;
}

// Sum of squares of the off-diagonal entries (strict lower triangle only, or
// both triangles), entries of modulus below EPS counting as zero.
double off_diagonal_squares(const double* a, ptrdiff_t lda, ptrdiff_t n, double eps, bool both) noexcept {
    double sum = 0.0;
    for (ptrdiff_t j = 0; j < n; ++j) {
        const double* cj = a + j * lda;
        for (ptrdiff_t i = both ? 0 : j + 1; i < n; ++i) {
            if (i == j) continue;
            const double x = cj[i];
            if (!(std::fabs(x) < eps)) sum += x * x;
        }
    }
    return sum;
}

// Returns 0 (converged) or 1 (sweep limit reached).
int jacobi(double* a, ptrdiff_t n, ptrdiff_t lda, double eps, int nitnr, double* d, double* v, int* nsweep,
           double* offnrm) noexcept {
    const double root2 = std::sqrt(2.0);
    int code = 0;
    for (ptrdiff_t j = 0; j < n; ++j)
        for (ptrdiff_t i = 0; i < n; ++i) v[j * lda + i] = i == j ? 1.0 : 0.0;

    const double s = root2 * std::sqrt(off_diagonal_squares(a, lda, n, eps, false));
    for (ptrdiff_t i = 0; i < n; ++i) d[i] = a[i * lda + i];

    if (!(s < eps)) {
        const int nmax = vcbm::jacobi_sweep_limit(eps, s, static_cast<int>(n), nitnr);
        const double sqrt_eps = std::sqrt(eps);
        int done = 0;
        bool converged = false;
        do {
            for (ptrdiff_t p = 0; p + 1 < n; ++p)
                for (ptrdiff_t q = p + 1; q < n; ++q) transform(a, lda, v, n, p, q, eps, sqrt_eps);
            *nsweep = ++done;
            double moved = 0.0;
            for (ptrdiff_t i = 0; i < n; ++i) {
                const double aii = a[i * lda + i];
                const double dd = aii - d[i];
                moved += dd * dd;
                d[i] = aii;
            }
            converged = std::sqrt(moved) <= eps;
        } while (!converged && done < nmax);
        if (!converged) code = 1;
    }

    // Decreasing order; equal eigenvalues keep the order of their columns.
    for (ptrdiff_t k = 1; k < n; ++k) {
        bool exchanged = false;
        for (ptrdiff_t i = 0; i < n - k; ++i) {
            if (d[i] < d[i + 1]) {
                std::swap(d[i], d[i + 1]);
                double* vi = v + i * lda;
                double* vj = vi + lda;
                for (ptrdiff_t r = 0; r < n; ++r) std::swap(vi[r], vj[r]);
                exchanged = true;
            }
        }
        if (!exchanged) break;
    }

    *offnrm = root2 * std::sqrt(off_diagonal_squares(a, lda, n, eps, true));
    return code;
}

}  // namespace

extern "C" void vpvpsy(double* A, const int* N, const int* LDA, const double* EPS, double* D, double* V,
                       int* NSWEEP, double* OFFNRM, int* IER) {
    static constexpr auto R = vcbm::routine("VPVPSY");
    vcbm::Frame f(R, *IER);
    *NSWEEP = 0;
    double epsln;
    int nitnr;
    int nitln;
    mepsln(&epsln, &nitnr, &nitln);
    const double eps = *EPS;
    if (!(eps > 0.0)) return f.fail(11);
    const int n = *N;
    if (n >= 1 && *LDA < n) return f.fail(12);
    const ptrdiff_t nn = n < 0 ? 0 : n;
    if (const int code = jacobi(A, nn, *LDA, eps, nitnr, D, V, NSWEEP, OFFNRM); code != 0) f.fail(code);
}
