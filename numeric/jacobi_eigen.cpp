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

// x := c.x + s.y, y := s.x - c.y on elements [0, n).
inline void reflect_pair(double* x, double* y, ptrdiff_t n, double c, double s) noexcept {
    for (ptrdiff_t r = 0; r < n; ++r) {
        const double xr = x[r];
        const double yr = y[r];
        x[r] = c * xr + s * yr;
        y[r] = s * xr - c * yr;
    }
}

// The transformation of one pair: its coefficients and the new values of
// the pair's own four entries.
struct Reflection {
    double c, s;
    double app, aqq, off;  // new A(p, p), A(q, q), A(p, q) = A(q, p)
};

// Coefficients for the current entries app = A(p, p), aqq = A(q, q),
// apq = A(p, q).
inline Reflection reflection(double app, double aqq, double apq, double eps, double sqrt_eps) noexcept {
    const double delta = app - aqq;
    const double tau = 2.0 * apq;
    const double sigma = delta * tau >= 0.0 ? 1.0 : -1.0;
    double t = 1.0e30;
    double h = 0.0;
    double c;
    if (std::fabs(delta) > eps) {
        t = tau / delta;
        const double t2p1 = t * t + 1.0;
        if (t2p1 == 1.0) {
            // sqrt(1) = 1, 0.5 / 1 = 0.5 and sqrt(0.5 + 0.5) = 1, all exact:
            // the near-converged sweeps skip two roots and a division.
            h = 0.5;
            c = 1.0;
        } else {
            h = 0.5 / std::sqrt(t2p1);
            c = std::sqrt(h + 0.5);
        }
    } else {
        c = std::sqrt(h + 0.5);
    }
    double s;
    double s2;
    if (std::fabs(t) <= sqrt_eps) {  // small angle
        s = t / 2.0;
        s2 = s * s;
    } else {  // includes the 45-degree case |delta| <= eps
        s = sigma * std::sqrt(0.5 - h);
        s2 = 1.0 - c * c;
    }
    const double cc = c * c;
    const double m = tau * c * s;
    return {c, s, app * cc + aqq * s2 + m, app * s2 + aqq * cc - m, (s2 - cc) * apq + delta * c * s};
}

// Applies R to the pair (p, q), 0-based, p < q: columns p and q of A and V,
// the same values into rows p and q of A, and the pair's own entries last.
inline void apply(const Reflection& R, double* a, ptrdiff_t lda, double* v, ptrdiff_t n, ptrdiff_t p,
                  ptrdiff_t q) noexcept {
    double* cp = a + p * lda;
    double* cq = a + q * lda;
    reflect_pair(cp, cq, n, R.c, R.s);
    for (ptrdiff_t r = 0; r < n; ++r) {
        a[r * lda + p] = cp[r];
        a[r * lda + q] = cq[r];
    }
    reflect_pair(v + p * lda, v + q * lda, n, R.c, R.s);
    cp[p] = R.app;
    cq[q] = R.aqq;
    cq[p] = R.off;
    cp[q] = R.off;
}

// One cyclic sweep over the pairs (p, q) in row order. The coefficients of
// the next pair are computed before the current pair is applied, so that
// the long dependent chain of roots and divisions of one pair runs while
// the column updates of the previous one execute; every value is the same
// as in strict pair-by-pair order:
//  - within a row, the next pair (p, q+1) needs the new A(p, p), A(q+1, q+1),
//    which the current pair leaves alone, and the new A(p, q+1), formed here
//    exactly as the column update forms it;
//  - the first pair (p+1, p+2) of the next row reads entries the last pair
//    (p, q) of a row does not touch, unless q is p+1 or p+2, in which case
//    it waits for that pair.
void sweep(double* a, ptrdiff_t lda, double* v, ptrdiff_t n, double eps, double sqrt_eps) noexcept {
    if (n < 2) return;
    const auto at = [a, lda](ptrdiff_t i, ptrdiff_t j) -> double& { return a[j * lda + i]; };
    const auto from_memory = [&](ptrdiff_t p, ptrdiff_t q) {
        return reflection(at(p, p), at(q, q), at(p, q), eps, sqrt_eps);
    };
    ptrdiff_t p = 0;
    ptrdiff_t q = 1;
    Reflection cur = from_memory(p, q);
    for (;;) {
        if (q + 1 < n) {
            const double apq_next = cur.c * at(q + 1, p) + cur.s * at(q + 1, q);
            const Reflection next = reflection(cur.app, at(q + 1, q + 1), apq_next, eps, sqrt_eps);
            apply(cur, a, lda, v, n, p, q);
            cur = next;
            ++q;
        } else if (p + 2 < n) {
            Reflection next;
            if (q > p + 2) {
                next = from_memory(p + 1, p + 2);
                apply(cur, a, lda, v, n, p, q);
            } else {
                apply(cur, a, lda, v, n, p, q);
                next = from_memory(p + 1, p + 2);
            }
            cur = next;
            ++p;
            q = p + 1;
        } else {
            apply(cur, a, lda, v, n, p, q);
            return;
        }
    }
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
            sweep(a, lda, v, n, eps, sqrt_eps);
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
