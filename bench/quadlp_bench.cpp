// Gauss quadrature against GSL's fixed Gauss-Legendre rule, and the simplex
// against GLPK, in the same run.
//
// Quadrature: vgauss integrates a smooth 3-component function to 1e-10; GSL
// applies its fixed rule with as many points as vgauss evaluated in all.
// Compare the "per_eval" counters.
#include <benchmark/benchmark.h>
#include <glpk.h>
#include <gsl/gsl_integration.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "VelCurveBasedInfrastructure.h"
#include "VelCurveBasedMathematics.h"

namespace {

// Never inlined: both integrators reach it through a function pointer.
__attribute__((noinline)) void smooth3(const int*, const double* t, double* f, int*) {
    const double x = *t;
    f[0] = std::exp(-x) * std::sin(3 * x);
    f[1] = 1.0 / (1.0 + x * x);
    f[2] = std::sqrt(1.0 + x * x);
}

constexpr double kA = 0.0, kB = 2.0, kTol = 1e-10;

int vgauss_calls() {
    const int ndim = 3;
    double r[3], err;
    int ncalls = 0, ier = 0;
    vgauss(&ndim, smooth3, &kA, &kB, &kTol, r, &err, &ncalls, &ier);
    return ncalls;
}

void BM_vgauss(benchmark::State& state) {
    const int ndim = 3;
    double r[3], err;
    int ncalls = 0, ier = 0;
    for (auto _ : state) {
        vgauss(&ndim, smooth3, &kA, &kB, &kTol, r, &err, &ncalls, &ier);
        benchmark::DoNotOptimize(r);
    }
    state.counters["evals"] = ncalls;
    state.counters["per_eval"] =
        benchmark::Counter(static_cast<double>(ncalls), benchmark::Counter::kIsIterationInvariantRate |
                                                            benchmark::Counter::kInvert);
}
BENCHMARK(BM_vgauss);

void BM_gsl_glfixed(benchmark::State& state) {
    const int n = vgauss_calls();
    gsl_integration_glfixed_table* t = gsl_integration_glfixed_table_alloc(n);
    const int ndim = 3;
    double r[3], f[3];
    vcbm_integrand func = smooth3;
    benchmark::DoNotOptimize(func);
    for (auto _ : state) {
        r[0] = r[1] = r[2] = 0.0;
        for (int i = 0; i < n; ++i) {
            double xi, wi;
            int ier = 0;
            gsl_integration_glfixed_point(kA, kB, i, &xi, &wi, t);
            func(&ndim, &xi, f, &ier);
            for (int k = 0; k < 3; ++k) r[k] += wi * f[k];
        }
        benchmark::DoNotOptimize(r);
    }
    gsl_integration_glfixed_table_free(t);
    state.counters["evals"] = n;
    state.counters["per_eval"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_gsl_glfixed);

// Simplex: a feasible, bounded 20 x 40 problem with a diagonal slack block in
// the last 20 columns, solved cold each time. GLPK builds its problem object,
// loads the matrix and solves in each iteration (the set-up is part of its
// cost, as the data arrive in the caller's arrays for msimpl).
struct Lp {
    int m = 20, n = 40;
    std::vector<double> a, b, c;  // a column-major, 20 x 40
};

const Lp& problem() {
    static const Lp lp = [] {
        Lp p;
        std::mt19937 gen(2024);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        p.a.assign(static_cast<std::size_t>(p.m) * p.n, 0.0);
        for (int j = 0; j < p.n - p.m; ++j)
            for (int i = 0; i < p.m; ++i) p.a[j * p.m + i] = u(gen) < 0.3 ? 0.1 + 0.9 * u(gen) : 0.0;
        for (int i = 0; i < p.m; ++i) p.a[(p.n - p.m + i) * p.m + i] = 1.0;
        for (int i = 0; i < p.m; ++i) p.b.push_back(1.0 + 9.0 * u(gen));
        // costs close to the column sums: many columns compete for the basis
        for (int j = 0; j < p.n - p.m; ++j) {
            double sum = 0.0;
            for (int i = 0; i < p.m; ++i) sum += p.a[j * p.m + i];
            p.c.push_back(-sum * (0.9 + 0.2 * u(gen)));
        }
        for (int i = 0; i < p.m; ++i) p.c.push_back(0.0);
        return p;
    }();
    return lp;
}

double solve_msimpl(int* nit) {
    const Lp& p = problem();
    const int maxit = 500, option = 0;
    double x[40];
    int status, ier;
    msimpl(&p.m, &p.n, &p.m, p.a.data(), p.b.data(), p.c.data(), &maxit, &option, x, nit, &status, &ier);
    double obj = 0.0;
    for (int j = 0; j < p.n; ++j) obj += p.c[j] * x[j];
    return ier == 0 ? obj : NAN;
}

double solve_glpk() {
    const Lp& p = problem();
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    glp_add_rows(lp, p.m);
    glp_add_cols(lp, p.n);
    int ia[20 * 40 + 1], ja[20 * 40 + 1];
    double ar[20 * 40 + 1];
    int ne = 0;
    for (int i = 1; i <= p.m; ++i) glp_set_row_bnds(lp, i, GLP_FX, p.b[i - 1], p.b[i - 1]);
    for (int j = 1; j <= p.n; ++j) {
        glp_set_col_bnds(lp, j, GLP_LO, 0.0, 0.0);
        glp_set_obj_coef(lp, j, p.c[j - 1]);
        for (int i = 1; i <= p.m; ++i) {
            const double v = p.a[(j - 1) * p.m + (i - 1)];
            if (v == 0.0) continue;
            ++ne;
            ia[ne] = i;
            ja[ne] = j;
            ar[ne] = v;
        }
    }
    glp_load_matrix(lp, ne, ia, ja, ar);
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    glp_simplex(lp, &parm);
    const double obj = glp_get_status(lp) == GLP_OPT ? glp_get_obj_val(lp) : NAN;
    glp_delete_prob(lp);
    return obj;
}

void BM_msimpl_20x40(benchmark::State& state) {
    int nit = 0;
    double obj = 0.0;
    for (auto _ : state) {
        obj = solve_msimpl(&nit);
        benchmark::DoNotOptimize(obj);
    }
    const double ref = solve_glpk();
    state.counters["iterations"] = nit;
    state.counters["objective_gap"] = std::fabs(obj - ref);
    if (!(std::fabs(obj - ref) <= 1e-9 * (1.0 + std::fabs(ref)))) state.SkipWithError("optimum differs from GLPK");
}
BENCHMARK(BM_msimpl_20x40);

void BM_glpk_20x40(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(solve_glpk());
}
BENCHMARK(BM_glpk_20x40);

// A host's report sink: msimpl reports its code on every exit, and the
// default infrastructure would write (and flush) that line on stderr.
FILE* report_sink() {
    cookie_io_functions_t io{};
    io.write = [](void*, const char*, size_t size) -> ssize_t { return static_cast<ssize_t>(size); };
    return fopencookie(nullptr, "w", io);
}

}  // namespace

int main(int argc, char** argv) {
    vcbi_set_trace_stream(report_sink());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
