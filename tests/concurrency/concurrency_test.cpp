// Concurrent calls: 8 threads call a mix of routines on distinct data, many
// times, and every result must equal, bit for bit, the result of the same
// call made serially. Built with -DVCBM_SANITIZE=thread this is also the
// ThreadSanitizer check that the routines share no unsynchronised state.
// On the default infrastructure (the recorder keeps one event list).
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "VelCurveBasedMathematics.h"

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 100;  // calls of every kind per thread

// FNV-1a over the bytes of the results of one call.
struct Digest {
    std::uint64_t h = 1469598103934665603ull;
    void add(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t k = 0; k < n; ++k) h = (h ^ b[k]) * 1099511628211ull;
    }
    void add(int v) { add(&v, sizeof v); }
    void add(const double* v, int n) {
        if (n > 0) add(static_cast<const void*>(v), sizeof(double) * static_cast<std::size_t>(n));
    }
};

void quadrature_integrand(const int* ndim, const double* t, double* f, int* ier) {
    for (int d = 0; d < *ndim; ++d) f[d] = std::sin((d + 1) * *t) + *t * *t;
    *ier = 0;
}

// The call of kind K on the data of SEED; returns the digest of its results.
std::uint64_t run(int kind, std::uint32_t seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1, 1);
    Digest d;
    switch (kind) {
        case 0: {  // roots on an interval (work space, level storage, bracketing state)
            int n = 4 + static_cast<int>(seed % 12), nroot = 0, ier = 0;
            std::vector<double> c(n), root(n), aux(n);
            for (double& x : c) x = u(gen);
            double a = 0, b = 1;
            ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &ier);
            d.add(ier);
            d.add(root.data(), nroot);
            break;
        }
        case 1: {  // curve/plane (EPS1 scaled for the call on this thread only)
            int ndim = 3, ncoef = 6, nsol = 0, ier = 0;
            std::vector<double> coef(18), work(18), sol(6);
            for (double& x : coef) x = u(gen);
            double normal[3] = {u(gen), u(gen), 1}, point[3] = {0, 0, u(gen) / 4}, tref = 0.5, tnear = 0;
            pcvint(&ndim, &ncoef, coef.data(), normal, point, work.data(), &tref, &tnear, &nsol, sol.data(), &ier);
            double eps1 = 0;
            meps1(&eps1);
            d.add(ier);
            d.add(sol.data(), ier == 0 ? nsol : 0);
            d.add(&eps1, 1);
            break;
        }
        case 2: {  // bracketing drivers (per-thread family state) and the closed form
            int n = 4, ier = 0, iopt = 8;
            double c[4] = {u(gen) / 2, 1, u(gen), u(gen)}, a = -1, b = 1, eps = 1e-13, x = 0, y = 0;
            char status[4];
            upxnul(&n, c, &a, &b, &eps, &eps, &x, &ier);
            d.add(ier);
            d.add(&x, 1);
            mpxnul(&iopt, &n, c, c, &a, &b, &eps, &eps, &y, status, &ier, 4);
            d.add(ier);
            d.add(&y, 1);
            double r[2];
            int nr = 0;
            urequ2(&c[3], &c[2], &c[0], &nr, r, &ier);
            d.add(r, nr);
            break;
        }
        case 3: {  // evaluation, control polygon, change of interval, Legendre form
            int ndim = 3, ncoef = 5 + static_cast<int>(seed % 20), ier = 0;
            std::vector<double> coef(3 * ncoef), poly(3 * ncoef), moved(3 * ncoef), w(ncoef), cl(3 * ncoef);
            for (double& x : coef) x = u(gen);
            double t = u(gen), p[3], ta = u(gen), tb = 1 + u(gen);
            pocurv(&ndim, &ncoef, coef.data(), &t, p);
            cpolyg(&ndim, &ndim, &ncoef, coef.data(), poly.data(), &ier);
            marc41(&ndim, &ndim, &ncoef, coef.data(), &ta, &tb, moved.data(), &ier);
            mcvlgd(&ncoef, &ndim, coef.data(), w.data(), cl.data());
            d.add(p, 3);
            d.add(poly.data(), 3 * ncoef);
            d.add(moved.data(), 3 * ncoef);
            d.add(cl.data(), 3 * ncoef);
            break;
        }
        case 4: {  // eigenproblem, linear systems, sorting
            int n = 2 + static_cast<int>(seed % 9), nsweep = 0, ier = 0, one = 1;
            std::vector<double> a(n * n), eig(n), vec(n * n), m(n * n), rhs(n), w((n + 1) * n), x(n);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j <= i; ++j) a[i * n + j] = a[j * n + i] = u(gen);
            for (double& v : m) v = u(gen);
            for (double& v : rhs) v = u(gen);
            double eps = 1e-14, off = 0;
            std::vector<double> a2 = a;
            vpvpsy(a2.data(), &n, &n, &eps, eig.data(), vec.data(), &nsweep, &off, &ier);
            d.add(eig.data(), n);
            d.add(vec.data(), n * n);
            mrslwd(&n, &n, &one, m.data(), rhs.data(), &eps, w.data(), x.data(), &ier);
            d.add(ier);
            d.add(x.data(), n);
            int key = 1, ld = 1;
            vsheld(&n, &ld, rhs.data(), &key);
            d.add(rhs.data(), n);
            break;
        }
        case 5: {  // quadrature (per-thread pair storage), simplex (per-thread basis)
            int ndim = 2, ncalls = 0, ier = 0;
            double a = u(gen), b = a + 1 + u(gen), tol = 1e-12, result[2], errmax = 0;
            vgauss(&ndim, quadrature_integrand, &a, &b, &tol, result, &errmax, &ncalls, &ier);
            d.add(result, 2);
            d.add(ncalls);
            // min c.x, x1 + x2 + s1 = b1, x1 - x2 + s2 = b2, x >= 0.
            int m = 2, n = 4, lda = 2, maxit = 50, option = 0, nit = 0, status = 0;
            double A[8] = {1, 1, 1, -1, 1, 0, 0, 1}, B[2] = {1 + (u(gen) + 1), 1 + (u(gen) + 1)},
                   C[4] = {u(gen), u(gen), 0, 0}, X[4];
            msimpl(&m, &n, &lda, A, B, C, &maxit, &option, X, &nit, &status, &ier);
            d.add(ier);
            d.add(X, 4);
            option = 10;  // warm start from this thread's basis
            msimpl(&m, &n, &lda, A, B, C, &maxit, &option, X, &nit, &status, &ier);
            d.add(ier);
            d.add(X, 4);
            break;
        }
    }
    return d.h;
}

constexpr int kKinds = 6;

std::uint32_t seed_of(int thread, int round, int kind) {
    return static_cast<std::uint32_t>(1000003u * thread + 7919u * round + 31u * kind + 17u);
}

TEST(Concurrency, EightThreadsMatchTheSerialRunBitForBit) {
    int ip[21] = {}, ier = 0;
    double rp[22] = {};
    rp[0] = 1e-7;
    rp[11] = 1e-9;
    rp[12] = 1e-11;
    rp[13] = 1e-14;
    rp[14] = 1e-9;
    ip[9] = 100;
    ip[10] = 50;
    mcxcom(nullptr, ip, rp, &ier);

    std::vector<std::uint64_t> serial(kThreads * kRounds * kKinds), parallel(serial.size());
    auto index = [](int t, int r, int k) { return (static_cast<std::size_t>(t) * kRounds + r) * kKinds + k; };
    for (int t = 0; t < kThreads; ++t)
        for (int r = 0; r < kRounds; ++r)
            for (int k = 0; k < kKinds; ++k) serial[index(t, r, k)] = run(k, seed_of(t, r, k));

    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            ++ready;
            while (ready.load() < kThreads) std::this_thread::yield();  // start together
            // Each thread walks the kinds in its own order, so that different
            // routines overlap.
            for (int r = 0; r < kRounds; ++r)
                for (int j = 0; j < kKinds; ++j) {
                    const int k = (j + t) % kKinds;
                    parallel[index(t, r, k)] = run(k, seed_of(t, r, k));
                }
        });
    for (std::thread& th : threads) th.join();

    int mismatches = 0;
    for (std::size_t i = 0; i < serial.size(); ++i) mismatches += serial[i] != parallel[i];
    EXPECT_EQ(mismatches, 0) << "of " << serial.size() << " calls";
    double eps1 = 0;
    meps1(&eps1);
    EXPECT_EQ(eps1, 1e-9) << "EPS1 as the block holds it";
}

}  // namespace
