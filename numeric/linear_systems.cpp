// Dense square linear systems by Gaussian elimination with row pivoting.
//
// Two families with their own conventions:
//  - rslv / rslw: the matrix in its natural column-major storage, one
//    right-hand side at a time, reduced to a unit upper triangle; result code
//    1 = solved, 2 = singular.
//  - mrslw with its front ends mrslwd (A.X = B) and mrslwi (A^T.X = B): an
//    augmented work matrix stored equation by equation, every right-hand side
//    reduced in the same pass; result code 0 = solved, 1 = singular.
// Every work array is the caller's; nothing is kept between calls.
//
// Arithmetic is carried out in exactly the order the algorithms state
// (divisions by the pivot, not multiplications by its reciprocal), so that
// results are reproducible to the last bit. In the back substitutions the
// dot product of a row with the known unknowns is summed first, in ascending
// index order, and then subtracted from the right-hand side.
//
// Out-of-range counts: nothing is read or written beyond the arrays the
// counts describe. rslv with N < 1 reports success (IER = 1) and touches
// nothing; with LDA < N it refuses (IER = 2) without touching anything or
// writing the singular-matrix line. rslw refuses LDA < N the same way. The
// mrslw family reports IER = 1 for NRHS < 0 or a leading dimension below N.
// A pivot of modulus zero is refused whatever EPS is, so a negative EPS acts
// as 0 and no division by zero can happen.
#include <cmath>
#include <cstddef>
#include <utility>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "vcbm_numeric.h"

namespace {

using std::ptrdiff_t;

// Elimination of rslv on A(lda, n) with the right-hand side b; returns
// 1 (solved, b holds the solution) or 2 (singular, line written).
int eliminate_unit(double* a, double* b, int n, ptrdiff_t lda, double eps) noexcept {
    const auto A = vcbm::mat(a, lda);
    for (int k = 1; k <= n; ++k) {
        // Pivot: the first row of largest modulus in column k, rows k..n.
        int p = k;
        double m = std::fabs(A(k, k));
        for (int i = k + 1; i <= n; ++i) {
            const double v = std::fabs(A(i, k));
            if (m - v < 0.0) {
                p = i;
                m = v;
            }
        }
        if (p != k) {
            for (int j = k; j <= n; ++j) std::swap(A(k, j), A(p, j));
            std::swap(b[k - 1], b[p - 1]);
        }
        if (m <= eps || m == 0.0) {
            if (nfndeb() >= 1) vcbm::print_line("   ERREUR DANS RSLV:MATRICE SINGULIERE%5d", 2);
            return 2;
        }
        if (k == n) {
            b[n - 1] /= A(n, n);
            break;
        }
        // Row k divided by its pivot, then subtracted from each row below
        // whose entry in column k is not exactly zero. Column k itself is
        // left as it stands.
        const double piv = A(k, k);
        const double* ck = A.col(k);
        bool some_zero = false;
        for (int i = k; i < n; ++i) some_zero |= (ck[i] == 0.0);
        for (int j = k + 1; j <= n; ++j) {
            double* cj = A.col(j);
            const double akj = cj[k - 1] / piv;
            cj[k - 1] = akj;
            if (!some_zero) {
                for (int i = k; i < n; ++i) cj[i] -= ck[i] * akj;
            } else {
                for (int i = k; i < n; ++i)
                    if (ck[i] != 0.0) cj[i] -= ck[i] * akj;
            }
        }
        b[k - 1] /= piv;
        const double bk = b[k - 1];
        for (int i = k; i < n; ++i)
            if (ck[i] != 0.0) b[i] -= bk * ck[i];
    }
    // Back substitution over the unit upper triangle.
    for (int i = n - 1; i >= 1; --i) {
        double s = 0.0;
        for (int j = i + 1; j <= n; ++j) s += A(i, j) * b[j - 1];
        b[i - 1] -= s;
    }
    return 1;
}

// Elimination of mrslw on the augmented matrix W(n + nrhs, n), column i
// being equation i; solutions into X(ldx, nrhs). Returns 0 or 1.
int eliminate_augmented(ptrdiff_t ldx, int n, int nrhs, double eps, double* w, double* x) noexcept {
    if (n < 1) return 0;
    if (nrhs < 0 || ldx < n) return 1;
    const ptrdiff_t m_all = static_cast<ptrdiff_t>(n) + nrhs;
    const auto W = vcbm::mat(w, m_all);
    const auto X = vcbm::mat(x, ldx);
    // A pivot must exceed EPS strictly, and zero is never a pivot.
    const double floor = eps < 0.0 ? 0.0 : eps;
    for (int k = 1; k <= n; ++k) {
        int p = 0;
        double m = floor;
        for (int r = k; r <= n; ++r) {
            const double v = std::fabs(W(k, r));
            if (v > m) {
                p = r;
                m = v;
            }
        }
        if (p == 0) return 1;
        double* ek = W.col(k);
        if (p != k) {
            double* ep = W.col(p);
            for (ptrdiff_t c = k - 1; c < m_all; ++c) std::swap(ek[c], ep[c]);
        }
        const double neg_pivot = -ek[k - 1];
        for (int r = k + 1; r <= n; ++r) {
            double* er = W.col(r);
            const double f = er[k - 1] / neg_pivot;
            for (ptrdiff_t c = k; c < m_all; ++c) er[c] += f * ek[c];
        }
    }
    for (int i = n; i >= 1; --i) {
        const double* ei = W.col(i);
        for (int k = 1; k <= nrhs; ++k) {
            const double* xk = X.col(k);
            double s = 0.0;
            for (int j = i + 1; j <= n; ++j) s += ei[j - 1] * xk[j - 1];
            X(i, k) = (ei[n + k - 1] - s) / ei[i - 1];
        }
    }
    return 0;
}

// Right-hand sides of equation i go after its N coefficients.
void fill_rhs(double* w, ptrdiff_t m_all, int n, int nrhs, const double* b, ptrdiff_t ldb) noexcept {
    const auto W = vcbm::mat(w, m_all);
    const auto B = vcbm::mat(b, ldb);
    for (int i = 1; i <= n; ++i)
        for (int k = 1; k <= nrhs; ++k) W(n + k, i) = B(i, k);
}

}  // namespace

extern "C" {

void rslv(double* A, double* B, const int* N, const int* LDA, const double* EPS, int* IER) {
    const int n = *N;
    *IER = 1;
    if (n < 1) return;
    if (*LDA < n) {
        *IER = 2;
        return;
    }
    *IER = eliminate_unit(A, B, n, *LDA, *EPS);
}

void rslw(const double* A, double* B, const int* N, const int* NRHS, double* X, double* AW, const int* LDA,
          const void* /*RESERVED: not read*/, const double* EPS, int* IER) {
    const int n = *N;
    const int nrhs = *NRHS;
    if (nrhs < 1) return;
    const ptrdiff_t lda = *LDA;
    if (n >= 1 && lda < n) {
        *IER = 2;
        return;
    }
    const auto a = vcbm::mat(A, lda);
    const auto aw = vcbm::mat(AW, lda);
    const auto b = vcbm::mat(B, lda);
    for (int j = 1; j <= nrhs; ++j) {
        // The matrix is copied and reduced again for every right-hand side.
        for (int c = 1; c <= n; ++c)
            for (int i = 1; i <= n; ++i) aw(i, c) = a(i, c);
        for (int i = 1; i <= n; ++i) X[i - 1] = b(i, j);
        *IER = n < 1 ? 1 : eliminate_unit(AW, X, n, lda, *EPS);
        if (*IER == 2) return;
        for (int i = 1; i <= n; ++i) b(i, j) = X[i - 1];
    }
}

void mrslw(const int* LDX, const int* N, const int* NRHS, const double* EPS, double* W, double* X, int* IER) {
    *IER = eliminate_augmented(*LDX, *N, *NRHS, *EPS, W, X);
}

void mrslwd(const int* LDA, const int* N, const int* NRHS, const double* A, const double* B, const double* EPS,
            double* W, double* X, int* IER) {
    static constexpr auto R = vcbm::routine("MRSLWD");
    // Traces only: a singular system is not reported, so the code lives
    // outside the frame.
    vcbm::Frame f(R);
    const int n = *N;
    const int nrhs = *NRHS;
    const ptrdiff_t lda = *LDA;
    *IER = 0;
    if (n < 1) return;
    if (nrhs < 0 || lda < n) {
        *IER = 1;
        return;
    }
    const ptrdiff_t m_all = static_cast<ptrdiff_t>(n) + nrhs;
    // Row i of A becomes equation i.
    const auto a = vcbm::mat(A, lda);
    const auto w = vcbm::mat(W, m_all);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) w(j, i) = a(i, j);
    fill_rhs(W, m_all, n, nrhs, B, lda);
    *IER = eliminate_augmented(lda, n, nrhs, *EPS, W, X);
}

void mrslwi(const int* LDA, const int* N, const int* NRHS, const double* A, const double* B, const double* EPS,
            double* W, double* X, int* IER) {
    static constexpr auto R = vcbm::routine("MRSLWI");
    vcbm::Frame f(R, *IER);
    const int n = *N;
    const int nrhs = *NRHS;
    const ptrdiff_t lda = *LDA;
    if (n < 1) return;
    if (nrhs < 0 || lda < n) return f.fail(1);
    const ptrdiff_t m_all = static_cast<ptrdiff_t>(n) + nrhs;
    // Column i of A becomes equation i: the transposed system.
    const auto a = vcbm::mat(A, lda);
    const auto w = vcbm::mat(W, m_all);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) w(j, i) = a(j, i);
    fill_rhs(W, m_all, n, nrhs, B, lda);
    if (eliminate_augmented(lda, n, nrhs, *EPS, W, X) > 0) f.fail(1);
}

}  // extern "C"
