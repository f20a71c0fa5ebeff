// The true degree of a curve, and the copies that change an array's layout:
// transpositions between the component-first and coefficient-first forms, and
// re-layouts of block arrays that may be made in place.
#include <algorithm>
#include <cstring>

#include "frame/frame.hpp"
#include "vcbm_polynomial.h"

extern "C" void udegcv(const int* NDIM, const int* NCOEF, const double* COEF, int* NCOEFR, int* ICONST) {
    const int ndim = *NDIM;
    auto coef = vcbm::mat(COEF, ndim > 0 ? ndim : 1);
    int last = 1;
    for (int j = *NCOEF; j >= 2 && last == 1; --j)
        for (int i = 1; i <= ndim; ++i)
            if (!(coef(i, j) == 0.0)) {  // a NaN counts as non-zero
                last = j;
                break;
            }
    *NCOEFR = last;
    *ICONST = last == 1 ? 1 : 0;
}

namespace {
// B(j, i) = A(i, j) for the ROWS x COLS array A (leading dimension ROWS);
// B has leading dimension LDB >= COLS.
void transpose(int rows, int cols, const double* A, double* B, int ldb) noexcept {
    auto a = vcbm::mat(A, rows);
    auto b = vcbm::mat(B, ldb);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) b(j, i) = a(i, j);
}
}  // namespace

extern "C" void mcvinv(const int* LDB, const int* N1, const int* N2, const double* A, double* B) {
    static constexpr auto R = vcbm::routine("MCVINV");
    vcbm::Frame f(R);
    const int n1 = *N1, n2 = *N2;
    if (n1 < 1 || n2 < 1 || *LDB < n2) return;
    transpose(n1, n2, A, B, *LDB);
}

extern "C" void minvcv(const int* LDB, const int* N1, const int* N3, const double* A, double* B) {
    static constexpr auto R = vcbm::routine("MINVCV");
    vcbm::Frame f(R);
    const int n1 = *N1, n3 = *N3;
    if (n1 < 1 || n3 < 1 || *LDB < n1) return;
    transpose(n3, n1, A, B, *LDB);
}

extern "C" void mfmcb5(const int* IDIR, const int* LDA, const int* NA, double* A, const int* N1, const int* LDB,
                       const int* N2, double* B, int* IER) {
    static constexpr auto R = vcbm::routine("MFMCB5");
    vcbm::Frame f(R, *IER);
    const int idir = *IDIR, lda = *LDA, na = *NA, n1 = *N1, ldb = *LDB, n2 = *N2;
    if (n2 > lda || n1 > na || n1 > ldb) return f.fail(3119);
    if (n2 == 1 && na == ldb) {
        // The two layouts hold the same reals in the same order: one flat copy.
        if (idir != 1 && idir != -1) return f.fail(3164);
        if (ldb > 0) {
            if (idir == 1)
                std::memmove(B, A, sizeof(double) * static_cast<std::size_t>(ldb));
            else
                std::memmove(A, B, sizeof(double) * static_cast<std::size_t>(ldb));
        }
        f.set_report(true);
        return f.fail(-3136);
    }
    if (idir != 1 && idir != -1) return f.fail(3164);
    if (n1 < 1 || n2 < 1) return;
    auto a = vcbm::mat(A, lda);
    auto b = vcbm::mat(B, ldb);
    for (int i = 1; i <= n2; ++i)
        for (int k = 1; k <= n1; ++k) {
            if (idir == 1)
                b(k, i) = a(i, k);
            else
                a(i, k) = b(k, i);
        }
}

extern "C" void mfmca5(const int* IDIR, const int* LDA1, const int* LDA2, const int* NA3, double* A, const int* N1,
                       const int* N2, const int* LDB1, const int* LDB2, const int* N3, double* B, int* IER) {
    static constexpr auto R = vcbm::routine("MFMCA5");
    vcbm::Frame f(R, *IER);
    const int idir = *IDIR, lda1 = *LDA1, lda2 = *LDA2, na3 = *NA3;
    const int n1 = *N1, n2 = *N2, ldb1 = *LDB1, ldb2 = *LDB2, n3 = *N3;
    if (n3 > lda1 || n1 > lda2 || n1 > ldb1 || n2 > na3 || n2 > ldb2) return f.fail(3133);
    if (idir != 1 && idir != -1) return f.fail(3163);
    if (n3 == 1 && ldb1 == lda2 && ldb2 == na3) {
        const long count = static_cast<long>(ldb1) * ldb2;
        if (ldb1 > 0 && ldb2 > 0) {
            if (idir == 1)
                std::memmove(B, A, sizeof(double) * static_cast<std::size_t>(count));
            else
                std::memmove(A, B, sizeof(double) * static_cast<std::size_t>(count));
        }
        return;
    }
    if (n1 < 1 || n2 < 1 || n3 < 1) return;
    auto a = vcbm::arr3(A, lda1, lda2);
    auto b = vcbm::arr3(B, ldb1, ldb2);
    for (int k = 1; k <= n2; ++k)
        for (int j = 1; j <= n1; ++j)
            for (int i = 1; i <= n3; ++i) {
                if (idir == 1)
                    b(j, k, i) = a(i, j, k);
                else
                    a(i, j, k) = b(j, k, i);
            }
}

namespace {

// Copies the part common to A(LDA, NA2, NBLK) and B(LDB, NB2, NBLK), in
// whole, per block or per column, forwards (B narrower, lying over A) or
// backwards (B wider, lying over A). memmove keeps each piece safe when it
// overlaps its own source; the order keeps later pieces' sources intact.
void relayout(int lda, int na2, int ldb, int nb2, int nblk, const double* a, double* b, bool backwards) {
    const int rows = std::min(lda, ldb), cols = std::min(na2, nb2);
    if (rows < 1 || cols < 1 || nblk < 1) return;
    const std::ptrdiff_t sa = static_cast<std::ptrdiff_t>(lda) * na2, sb = static_cast<std::ptrdiff_t>(ldb) * nb2;
    auto move = [](double* to, const double* from, std::ptrdiff_t n) {
        if (to != from) std::memmove(to, from, sizeof(double) * static_cast<std::size_t>(n));
    };
    if (lda == ldb && na2 == nb2) {
        move(b, a, sa * nblk);
        return;
    }
    for (int s = 0; s < nblk; ++s) {
        const int k = backwards ? nblk - 1 - s : s;
        if (lda == ldb) {
            move(b + k * sb, a + k * sa, static_cast<std::ptrdiff_t>(rows) * cols);
            continue;
        }
        for (int t = 0; t < cols; ++t) {
            const int j = backwards ? cols - 1 - t : t;
            move(b + k * sb + static_cast<std::ptrdiff_t>(j) * ldb, a + k * sa + static_cast<std::ptrdiff_t>(j) * lda,
                 rows);
        }
    }
}

}  // namespace

extern "C" void mfmca8(const int* LDA, const int* NA2, const int* NBLK, const int* LDB, const int* NB2,
                       const int* NB3, const double* A, double* B) {
    relayout(*LDA, *NA2, *LDB, *NB2, *NBLK, A, B, true);
}

extern "C" void mfmca9(const int* LDA, const int* NA2, const int* NA3, const int* LDB, const int* NB2,
                       const int* NBLK, const double* A, double* B) {
    relayout(*LDA, *NA2, *LDB, *NB2, *NBLK, A, B, false);
}
