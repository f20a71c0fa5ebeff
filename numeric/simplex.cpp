// Revised simplex method with an explicit basis inverse, for small problems:
// minimise c.x subject to A x = b, x >= 0, with M <= 30 equations and at most
// 50 variables of which at most 20 non-basic.
//
// The basis, the non-basic list and the inverse stay in per-thread storage
// after the call, so that a later call can continue from them (warm start
// after a change of b or c).
#include <cmath>
#include <cstdio>

#include "frame/frame.hpp"
#include "vcbm_numeric.h"

namespace {

constexpr int max_rows = 30;
constexpr int max_cols = 50;
constexpr int max_free = 20;  // N - M

struct SimplexState {
    // Inverse of the basis matrix, M x M, column-major with leading
    // dimension M: Binv(i, j) at binv[(j-1)*M + (i-1)].
    double binv[max_rows * max_rows];
    int basic[max_rows];       // variable (1-based) of each row
    int nonbasic[max_free];    // the N - M others
    int m = 0, n = 0;          // size of the problem the basis belongs to
    bool valid = false;        // a basis was set up by a start option
    bool ratio_tested = false; // what STATUS reports
};

// Out of line: the caller keeps the address instead of recomputing it.
__attribute__((noinline)) SimplexState& state() noexcept {
    thread_local SimplexState s;
    return s;
}

void say(const char* text) noexcept { vcbm::debug_line(text); }

// Dot product with four partial sums, so that the additions overlap.
inline double dot(const double* a, const double* b, int n) noexcept {
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        s0 += a[k] * b[k];
        s1 += a[k + 1] * b[k + 1];
        s2 += a[k + 2] * b[k + 2];
        s3 += a[k + 3] * b[k + 3];
    }
    for (; k < n; ++k) s0 += a[k] * b[k];
    return (s0 + s1) + (s2 + s3);
}

// r = Binv v, column by column (v's zero entries cost nothing).
inline void times(const double* binv, int m, const double* v, double* r) noexcept {
    for (int i = 0; i < m; ++i) r[i] = 0.0;
    for (int j = 0; j < m; ++j) {
        const double vj = v[j];
        if (vj == 0.0) continue;
        const double* col = binv + j * m;
        for (int i = 0; i < m; ++i) r[i] += vj * col[i];
    }
}

constexpr auto R = vcbm::routine("MSIMPL");

// The body of msimpl, in a plain and an AVX2 build (same operations in the
// same order, so the same results; no contraction into fused operations).
// clang (14) gives the resolver of the clones external linkage even in an
// unnamed namespace, which would export it; under ThreadSanitizer the
// resolver runs, instrumented, before the sanitizer's runtime is set up: one
// plain build in both cases.
#if defined(__clang__) || defined(__SANITIZE_THREAD__)
#define VCBM_AVX2_CLONE
#else
#define VCBM_AVX2_CLONE __attribute__((target_clones("avx2", "default")))
#endif
VCBM_AVX2_CLONE void run(const int* M, const int* N, const int* LDA,
                                                          const double* A, const double* B, const double* C,
                                                          const int* MAXIT, const int* OPTION, double* X, int* NIT,
                                                          int* STATUS, int* IER) {
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // the code goes to aermsg on every exit, 0 included
    SimplexState& s = state();
    s.ratio_tested = false;
    // STATUS is set on every way out, after the frame's own work is decided.
    struct StatusOnExit {
        int* status;
        const SimplexState& st;
        ~StatusOnExit() { *status = st.ratio_tested ? 2 : 0; }
    } status_on_exit{STATUS, s};

    const int m = *M, n = *N, lda = *LDA;
    *NIT = 0;
    for (int j = 0; j < n; ++j) X[j] = 0.0;

    if (m < 0 || m > max_rows || n < m || n > max_cols || n - m > max_free || m > lda) return f.fail(1);

    const int option = *OPTION;
    const bool bland = option == 1 || option == 11;
    const int nfree = n - m;
    auto a = vcbm::mat(A, lda > 0 ? lda : 1);
    auto b = vcbm::vec(B);
    auto c = vcbm::vec(C);
    auto x = vcbm::vec(X);

    if (option == 0 || option == 1) {
        s.valid = false;
        s.m = m;
        s.n = n;
        for (int k = 0; k < m * m; ++k) s.binv[k] = 0.0;
        for (int i = 0; i < m; ++i) {
            const int col = nfree + i + 1;
            const double d = a(i + 1, col);
            if (std::fabs(d) < 1e-10 || d * b(i + 1) < 0.0) {
                say("MSIMPL : Base non realisable");
                return f.fail(1);
            }
            s.binv[i * m + i] = 1.0 / d;
            s.basic[i] = col;
        }
        for (int k = 0; k < nfree; ++k) s.nonbasic[k] = k + 1;
        s.valid = true;
    } else if (option == 10 || option == 11) {
        // The saved basis must belong to a problem of this size.
        if (!s.valid || s.m != m || s.n != n) {
            say("MSIMPL : Base non realisable");
            return f.fail(1);
        }
    } else {
        say("MSIMPL : OPTION INCORRECT");
        return f.fail(2);
    }

    // x_B = Binv b, written at the basic indices.
    double xb[max_rows];
    auto basic_solution = [&] {
        times(s.binv, m, B, xb);
        for (int i = 0; i < m; ++i) x(s.basic[i]) = xb[i];
    };

    basic_solution();
    for (int i = 0; i < m; ++i) {
        if (x(s.basic[i]) < -1e-10) {
            say("MSIMPL : Base non realisable");
            return f.fail(1);
        }
    }
    // The inverse must reproduce b from the basic columns.
    for (int i = 1; i <= m; ++i) {
        double sum = 0.0;
        for (int k = 0; k < m; ++k) sum += a(i, s.basic[k]) * x(s.basic[k]);
        const bool ok = std::fabs(b(i)) <= 1e-8 ? std::fabs(sum - b(i)) <= 1e-10
                                                 : std::fabs((b(i) - sum) / b(i)) <= 0.01;
        if (!ok) {
            say("MSIMPL : Matrice inverse incorrecte");
            return f.fail(1);
        }
    }

    double pi[max_rows];
    double y[max_rows];
    int leaving = 0;
    const int maxit = *MAXIT;
    while (*NIT < maxit) {
        ++*NIT;
        if (leaving > 0) x(leaving) = 0.0;
        basic_solution();

        if (f.level() >= 3) {
            double value = 0.0;
            for (int j = 1; j <= n; ++j) value += c(j) * x(j);
            std::printf(" Fonctionnelle = %24.16E\n", value);
            std::fflush(stdout);
        }

        // Simplex multipliers and the entering variable.
        double cb[max_rows];
        for (int i = 0; i < m; ++i) cb[i] = c(s.basic[i]);
        for (int j = 0; j < m; ++j) pi[j] = dot(cb, s.binv + j * m, m);
        int enter_pos = -1;
        double best = 0.0;
        for (int p = 0; p < nfree; ++p) {
            const int k = s.nonbasic[p];
            const double d = c(k) - dot(pi, a.col(k), m);
            if (!(d < 0.0)) continue;
            if (bland) {
                if (enter_pos < 0 || k < s.nonbasic[enter_pos]) enter_pos = p;
            } else if (d < best) {
                best = d;
                enter_pos = p;
            }
        }
        if (enter_pos < 0) return;  // no negative reduced cost: optimal

        if (m < 1) return f.fail(-3);
        const int entering = s.nonbasic[enter_pos];
        times(s.binv, m, a.col(entering), y);

        // Ratio test.
        s.ratio_tested = true;
        int r = -1;
        double bound = 1e36;
        for (int i = 0; i < m; ++i) {
            if (!(y[i] > 1e-20)) continue;
            const double ratio = xb[i] / y[i];
            if (ratio < bound || (bland && r >= 0 && ratio == bound && s.basic[i] < s.basic[r])) {
                bound = ratio;
                r = i;
            }
        }
        if (r < 0) {
            say("MSIMPL : OPTIMUM NON BORNE");
            return f.fail(-1);
        }

        // Pivot on row r: row r / y_r, and every other row i less
        // y_i / y_r times the old row r.
        const double yr = y[r];
        for (int j = 0; j < m; ++j) {
            double* col = s.binv + j * m;
            const double g = col[r] / yr;
            if (g != 0.0)
                for (int i = 0; i < m; ++i) col[i] -= y[i] * g;
            col[r] = g;
        }
        leaving = s.basic[r];
        s.basic[r] = entering;
        s.nonbasic[enter_pos] = leaving;
    }
    say("MSIMPL : PAS DE CONVERGENCE");
    f.fail(-2);
}

}  // namespace

extern "C" VCBM_API void msimpl(const int* M, const int* N, const int* LDA, const double* A, const double* B,
                                const double* C, const int* MAXIT, const int* OPTION, double* X, int* NIT,
                                int* STATUS, int* IER) {
    run(M, N, LDA, A, B, C, MAXIT, OPTION, X, NIT, STATUS, IER);
}
