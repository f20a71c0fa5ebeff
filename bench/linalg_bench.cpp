// Dense linear systems (rslv, mrslwd) and the symmetric eigensolver (vpvpsy)
// next to Eigen (dynamic sizes, objects allocated once) and LAPACK in the
// same run. Every routine that destroys its input gets a fresh copy on each
// iteration, the peers included.
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"

extern "C" {
void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b, const int* ldb,
            int* info);
void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w, double* work,
            const int* lwork, int* info, long, long);
}

namespace {

struct Problem {
    int n;
    std::vector<double> a, b;
    explicit Problem(int order, bool symmetric = false) : n(order), a(order * order), b(order) {
        std::mt19937 rng(1000 + order);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (double& x : a) x = u(rng);
        for (double& x : b) x = u(rng);
        if (symmetric)
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < j; ++i) a[j * n + i] = a[i * n + j];
    }
};

void BM_rslv(benchmark::State& state) {
    Problem p(static_cast<int>(state.range(0)));
    std::vector<double> a(p.a.size()), b(p.b.size());
    const double eps = 1e-14;
    int ier;
    for (auto _ : state) {
        a = p.a;
        b = p.b;
        rslv(a.data(), b.data(), &p.n, &p.n, &eps, &ier);
        benchmark::DoNotOptimize(b.data());
    }
}

void BM_mrslwd(benchmark::State& state) {
    Problem p(static_cast<int>(state.range(0)));
    std::vector<double> w((p.n + 1) * p.n), x(p.n);
    const double eps = 1e-14;
    int one = 1, ier;
    for (auto _ : state) {
        mrslwd(&p.n, &p.n, &one, p.a.data(), p.b.data(), &eps, w.data(), x.data(), &ier);
        benchmark::DoNotOptimize(x.data());
    }
}

void BM_eigen_lu(benchmark::State& state) {
    Problem p(static_cast<int>(state.range(0)));
    const Eigen::Map<const Eigen::MatrixXd> a(p.a.data(), p.n, p.n);
    const Eigen::Map<const Eigen::VectorXd> b(p.b.data(), p.n);
    Eigen::PartialPivLU<Eigen::MatrixXd> lu(p.n);
    Eigen::VectorXd x(p.n);
    for (auto _ : state) {
        lu.compute(a);
        x.noalias() = lu.solve(b);
        benchmark::DoNotOptimize(x.data());
    }
}

void BM_dgesv(benchmark::State& state) {
    Problem p(static_cast<int>(state.range(0)));
    std::vector<double> a(p.a.size()), b(p.b.size());
    std::vector<int> ipiv(p.n);
    int one = 1, info;
    for (auto _ : state) {
        a = p.a;
        b = p.b;
        dgesv_(&p.n, &one, a.data(), &p.n, ipiv.data(), b.data(), &p.n, &info);
        benchmark::DoNotOptimize(b.data());
    }
}

// The eigensolver reads its sweep limit from the tolerance block.
void fill_tolerances() {
    int ip[21] = {};
    double rp[22] = {};
    ip[9] = 100;
    rp[11] = 1e-9;
    int ier;
    mcxcom(nullptr, ip, rp, &ier);
}

void BM_vpvpsy(benchmark::State& state) {
    fill_tolerances();
    Problem p(static_cast<int>(state.range(0)), true);
    std::vector<double> a(p.a.size()), v(p.a.size()), d(p.n);
    const double eps = 1e-12;
    int nsweep = 0, ier;
    double offnrm;
    for (auto _ : state) {
        a = p.a;
        vpvpsy(a.data(), &p.n, &p.n, &eps, d.data(), v.data(), &nsweep, &offnrm, &ier);
        benchmark::DoNotOptimize(v.data());
    }
    state.counters["sweeps"] = nsweep;
    if (ier != 0) state.SkipWithError("vpvpsy did not converge");
}

void BM_eigen_syev(benchmark::State& state) {
    Problem p(static_cast<int>(state.range(0)), true);
    const Eigen::Map<const Eigen::MatrixXd> a(p.a.data(), p.n, p.n);
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(p.n);
    for (auto _ : state) {
        es.compute(a);
        benchmark::DoNotOptimize(es.eigenvectors().data());
    }
}

void BM_dsyev(benchmark::State& state) {
    Problem p(static_cast<int>(state.range(0)), true);
    std::vector<double> a(p.a.size()), w(p.n);
    int lwork = -1, info;
    double query;
    dsyev_("V", "U", &p.n, a.data(), &p.n, w.data(), &query, &lwork, &info, 1, 1);
    lwork = static_cast<int>(query);
    std::vector<double> work(lwork);
    for (auto _ : state) {
        a = p.a;
        dsyev_("V", "U", &p.n, a.data(), &p.n, w.data(), work.data(), &lwork, &info, 1, 1);
        benchmark::DoNotOptimize(a.data());
    }
}

}  // namespace

BENCHMARK(BM_rslv)->Arg(3)->Arg(6)->Arg(12)->Arg(20);
BENCHMARK(BM_mrslwd)->Arg(3)->Arg(6)->Arg(12)->Arg(20);
BENCHMARK(BM_eigen_lu)->Arg(3)->Arg(6)->Arg(12)->Arg(20);
BENCHMARK(BM_dgesv)->Arg(3)->Arg(6)->Arg(12)->Arg(20);
BENCHMARK(BM_vpvpsy)->Arg(3)->Arg(6)->Arg(12);
BENCHMARK(BM_eigen_syev)->Arg(3)->Arg(6)->Arg(12);
BENCHMARK(BM_dsyev)->Arg(3)->Arg(6)->Arg(12);

BENCHMARK_MAIN();
