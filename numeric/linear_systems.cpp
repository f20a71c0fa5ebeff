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
#include <type_traits>
#include <utility>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "vcbm_numeric.h"

namespace {

using std::ptrdiff_t;

// Rows (or equations) are processed in blocks of this many multipliers, held
// in a stack buffer so that their divisions run as vector operations.
constexpr int kBlock = 64;

// Index (0-based, from 0) of the first element of largest modulus among
// x[0], x[stride], ..., x[(count-1) stride], with the running maximum
// started at |x[0]| and replaced only by a strictly larger modulus: a NaN
// first element is kept, later NaNs are never chosen. The maximum is found
// with two independent accumulators, then its first position.
inline int first_largest(const double* x, ptrdiff_t stride, int count, double& m_out) noexcept {
    const double m0 = std::fabs(x[0]);
    double m1 = m0;
    double m2 = m0;
    int i = 1;
    for (; i + 1 < count; i += 2) {
        const double v1 = std::fabs(x[i * stride]);
        const double v2 = std::fabs(x[(i + 1) * stride]);
        m1 = v1 > m1 ? v1 : m1;
        m2 = v2 > m2 ? v2 : m2;
    }
    if (i < count) {
        const double v1 = std::fabs(x[i * stride]);
        m1 = v1 > m1 ? v1 : m1;
    }
    const double m = m2 > m1 ? m2 : m1;
    m_out = m;
    if (!(m > m0)) return 0;  // also when |x[0]| is NaN
    int p = 1;
    while (std::fabs(x[p * stride]) != m) ++p;
    return p;
}

// c0 -= f * a0 and c1 -= f * a1 over [from, to): two columns share one pass
// over the multipliers f.
inline void update_pair(double* __restrict c0, double* __restrict c1, const double* __restrict f, double a0,
                        double a1, ptrdiff_t from, ptrdiff_t to) noexcept {
    for (ptrdiff_t i = from; i < to; ++i) {
        c0[i] -= f[i] * a0;
        c1[i] -= f[i] * a1;
    }
}

inline void update_one(double* __restrict c0, const double* __restrict f, double a0, ptrdiff_t from,
                       ptrdiff_t to) noexcept {
    for (ptrdiff_t i = from; i < to; ++i) c0[i] -= f[i] * a0;
}

// Elimination of rslv on A(lda, n) with the right-hand side b; returns
// 1 (solved, b holds the solution) or 2 (singular, line written).
int eliminate_unit(double* a, double* b, int n, ptrdiff_t lda, double eps) noexcept {
    const auto A = vcbm::mat(a, lda);
    double row[kBlock];
    for (int k = 1; k <= n; ++k) {
        // Pivot: the first row of largest modulus in column k, rows k..n.
        double m;
        const int p = k + first_largest(A.at(k, k), 1, n - k + 1, m);
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
        for (int j0 = k + 1; j0 <= n; j0 += kBlock) {
            const int cnt = n - j0 + 1 < kBlock ? n - j0 + 1 : kBlock;
            for (int t = 0; t < cnt; ++t) row[t] = A(k, j0 + t);
            for (int t = 0; t < cnt; ++t) row[t] /= piv;
            for (int t = 0; t < cnt; ++t) A(k, j0 + t) = row[t];
            if (!some_zero) {
                int t = 0;
                for (; t + 1 < cnt; t += 2) update_pair(A.col(j0 + t), A.col(j0 + t + 1), ck, row[t], row[t + 1], k, n);
                if (t < cnt) update_one(A.col(j0 + t), ck, row[t], k, n);
            } else {
                for (int t = 0; t < cnt; ++t) {
                    double* cj = A.col(j0 + t);
                    for (int i = k; i < n; ++i)
                        if (ck[i] != 0.0) cj[i] -= ck[i] * row[t];
                }
            }
        }
        b[k - 1] /= piv;
        const double bk = b[k - 1];
        for (int i = k; i < n; ++i) b[i] = ck[i] != 0.0 ? b[i] - bk * ck[i] : b[i];
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
template <class Count>
int eliminate_count(ptrdiff_t ldx, Count n, int nrhs, double eps, double* w, double* x) noexcept {
    const ptrdiff_t m_all = static_cast<ptrdiff_t>(n) + nrhs;
    const auto W = vcbm::mat(w, m_all);
    const auto X = vcbm::mat(x, ldx);
    // A pivot must exceed EPS strictly, and zero is never a pivot.
    const double floor = eps < 0.0 ? 0.0 : eps;
    double f[kBlock];
    for (int k = 1; k <= n; ++k) {
        double m = floor;
        int p = 0;
        if (!std::isnan(W(k, k))) {
            p = k + first_largest(W.at(k, k), m_all, n - k + 1, m);
        } else {  // a NaN candidate is passed over like any other
            for (int r = k + 1; r <= n; ++r) {
                const double v = std::fabs(W(k, r));
                if (v > m) {
                    p = r;
                    m = v;
                }
            }
        }
        if (!(m > floor)) return 1;
        double* ek = W.col(k);
        if (p != k) {
            double* ep = W.col(p);
            for (ptrdiff_t c = k - 1; c < m_all; ++c) std::swap(ek[c], ep[c]);
        }
        const double neg_pivot = -ek[k - 1];
        for (int r0 = k + 1; r0 <= n; r0 += kBlock) {
            const int cnt = n - r0 + 1 < kBlock ? n - r0 + 1 : kBlock;
            for (int t = 0; t < cnt; ++t) f[t] = W(k, r0 + t);
            for (int t = 0; t < cnt; ++t) f[t] /= neg_pivot;
            // W(c, r) + F.W(c, k) is W(c, r) - (-F).W(c, k) exactly.
            int t = 0;
            for (; t + 1 < cnt; t += 2)
                update_pair(W.col(r0 + t), W.col(r0 + t + 1), ek, -f[t], -f[t + 1], k, m_all);
            if (t < cnt) update_one(W.col(r0 + t), ek, -f[t], k, m_all);
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

// The elimination with the order as a compile-time constant for small
// systems, where loop overhead dominates; the same operations either way.
int eliminate_augmented(ptrdiff_t ldx, int n, int nrhs, double eps, double* w, double* x) noexcept {
    if (n < 1) return 0;
    if (nrhs < 0 || ldx < n) return 1;
    switch (n) {
        case 2: return eliminate_count(ldx, std::integral_constant<int, 2>{}, nrhs, eps, w, x);
        case 3: return eliminate_count(ldx, std::integral_constant<int, 3>{}, nrhs, eps, w, x);
        case 4: return eliminate_count(ldx, std::integral_constant<int, 4>{}, nrhs, eps, w, x);
        case 5: return eliminate_count(ldx, std::integral_constant<int, 5>{}, nrhs, eps, w, x);
        case 6: return eliminate_count(ldx, std::integral_constant<int, 6>{}, nrhs, eps, w, x);
        case 7: return eliminate_count(ldx, std::integral_constant<int, 7>{}, nrhs, eps, w, x);
        case 8: return eliminate_count(ldx, std::integral_constant<int, 8>{}, nrhs, eps, w, x);
        default: return eliminate_count(ldx, n, nrhs, eps, w, x);
    }
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
