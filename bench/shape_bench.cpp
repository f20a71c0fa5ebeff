// Principal axes of point sets (mckpl0) next to Eigen and GSL, oriented boxes
// of curves (mblcr1) beside the boxes of their control points (mblbe0), and
// the unit normal of a patch (mvtnml) next to a hand-written evaluation of
// Su, Sv and their normalised cross product.
#include <benchmark/benchmark.h>
#include <gsl/gsl_eigen.h>
#include <gsl/gsl_matrix.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"

namespace {

void fill_tolerances() {
    int ip[21] = {};
    double rp[22] = {};
    ip[9] = 100;   // NITNR
    rp[11] = 1e-9;  // EPS1
    rp[13] = 1e-14; // EPSPB
    int ier;
    mcxcom(nullptr, ip, rp, &ier);
}

// N points near a tilted plane, away from the origin.
std::vector<double> points(int n) {
    std::mt19937 rng(3 + n);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> p(3 * static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double a = u(rng), b = u(rng), c = 0.01 * u(rng);
        p[3 * k] = 2 + a + 0.3 * b;
        p[3 * k + 1] = -1 + 0.5 * a - b + c;
        p[3 * k + 2] = 0.5 + 0.2 * a + 0.1 * b + c;
    }
    return p;
}

// Eigenvalues (ascending) of the covariance of the centred points, formed in
// long double and solved by Eigen: the reference of the accuracy counters.
Eigen::Vector3d reference_eigenvalues(const std::vector<double>& p) {
    const std::size_t n = p.size() / 3;
    long double g[3] = {0, 0, 0}, c[3][3] = {};
    for (std::size_t k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i) g[i] += p[3 * k + i];
    for (auto& x : g) x /= n;
    for (std::size_t k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) c[i][j] += (p[3 * k + i] - g[i]) * (p[3 * k + j] - g[j]);
    Eigen::Matrix3d m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m(i, j) = static_cast<double>(c[i][j] / n);
    return Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(m).eigenvalues();
}

void BM_mckpl0(benchmark::State& state) {
    fill_tolerances();
    const int n = static_cast<int>(state.range(0)), d = 3;
    const std::vector<double> p = points(n);
    double cov[9], result[15];
    int ier;
    for (auto _ : state) {
        mckpl0(&d, &n, p.data(), cov, result, &ier);
        benchmark::DoNotOptimize(result);
    }
    char kind[4];
    const double tol = 0.05;
    mckent(&d, result, &tol, kind, 4);
    state.SetLabel(std::string(kind, 4) + (ier == 0 ? "" : " ier"));
    const Eigen::Vector3d ev = reference_eigenvalues(p);
    double err = 0.0;
    for (int i = 0; i < 3; ++i) err = std::max(err, std::fabs(result[i] - ev(2 - i)));
    state.counters["eig_err"] = err;
}

void BM_eigen(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> p = points(n);
    const Eigen::Map<const Eigen::Matrix3Xd> x(p.data(), 3, n);
    Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> es;
    for (auto _ : state) {
        const Eigen::Vector3d mean = x.rowwise().mean();
        const Eigen::Matrix3Xd centred = x.colwise() - mean;
        const Eigen::Matrix3d cov = centred * centred.transpose() / n;
        es.compute(cov);
        benchmark::DoNotOptimize(es.eigenvalues().data());
    }
}

void BM_gsl(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> p = points(n);
    gsl_matrix* a = gsl_matrix_alloc(3, 3);
    gsl_matrix* evec = gsl_matrix_alloc(3, 3);
    gsl_vector* eval = gsl_vector_alloc(3);
    gsl_eigen_symmv_workspace* w = gsl_eigen_symmv_alloc(3);
    for (auto _ : state) {
        double g[3] = {0, 0, 0}, c[6] = {0, 0, 0, 0, 0, 0};
        for (int k = 0; k < n; ++k)
            for (int i = 0; i < 3; ++i) g[i] += p[3 * k + i];
        for (double& x : g) x /= n;
        for (int k = 0; k < n; ++k) {
            const double x = p[3 * k] - g[0], y = p[3 * k + 1] - g[1], z = p[3 * k + 2] - g[2];
            c[0] += x * x, c[1] += x * y, c[2] += x * z, c[3] += y * y, c[4] += y * z, c[5] += z * z;
        }
        const int idx[3][3] = {{0, 1, 2}, {1, 3, 4}, {2, 4, 5}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) gsl_matrix_set(a, i, j, c[idx[i][j]] / n);
        gsl_eigen_symmv(a, eval, evec, w);
        gsl_eigen_symmv_sort(eval, evec, GSL_EIGEN_SORT_VAL_DESC);
        benchmark::DoNotOptimize(eval->data);
    }
    const Eigen::Vector3d ev = reference_eigenvalues(p);
    double err = 0.0;
    for (int i = 0; i < 3; ++i) err = std::max(err, std::fabs(gsl_vector_get(eval, i) - ev(2 - i)));
    state.counters["eig_err"] = err;
    gsl_eigen_symmv_free(w);
    gsl_vector_free(eval);
    gsl_matrix_free(evec);
    gsl_matrix_free(a);
}

// Eight random cubic space curves (canonical on [-1, 1]) and their control polygons on [0, 1].
struct Cubics {
    std::vector<double> crv, poly;
    Cubics() : crv(8 * 12), poly(8 * 12) {
        std::mt19937 rng(8);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (double& x : crv) x = u(rng);
        int three = 3, four = 4, ier;
        for (int c = 0; c < 8; ++c) cpolyg(&three, &three, &four, crv.data() + 12 * c, poly.data() + 12 * c, &ier);
    }
};

void BM_mblcr1_8cubics(benchmark::State& state) {
    fill_tolerances();
    const Cubics c;
    int three = 3, four = 4, eight = 8, ier;
    const int ncoef[8] = {4, 4, 4, 4, 4, 4, 4, 4};
    double g[3], v[9], ext[3];
    for (auto _ : state) {
        mblcr1(&three, &four, &eight, c.crv.data(), ncoef, g, v, ext, &ier);
        benchmark::DoNotOptimize(ext);
    }
}

void BM_mblbe0_8cubics(benchmark::State& state) {
    const Cubics c;
    int three = 3, four = 4, mode = 1, ier;
    double box[6];
    for (auto _ : state) {
        for (int k = 0; k < 8; ++k) {
            mblbe0(c.poly.data() + 12 * k, &three, &four, &mode, box, &ier);
            benchmark::DoNotOptimize(box);
        }
    }
}

// A bicubic patch SURF(3, 4, 4) and parameter points where it is regular.
struct Bicubic {
    std::vector<double> surf, uv;
    Bicubic() : surf(48), uv(2 * 64) {
        std::mt19937 rng(16);
        std::uniform_real_distribution<double> u(-0.2, 0.2), t(0.0, 1.0);
        for (double& x : surf) x = u(rng);
        surf[3 * 1 + 0] += 1.0;  // x ~ u
        surf[3 * 4 + 1] += 1.0;  // y ~ v
        for (double& x : uv) x = t(rng);
    }
};

void BM_mvtnml(benchmark::State& state) {
    fill_tolerances();
    const Bicubic b;
    const int ncmax = 4, nu = 4, nv = 4;
    const double eps = 1e-9;
    double n[3], nnorm;
    int ku, kv, ier;
    for (auto _ : state) {
        for (int k = 0; k < 64; ++k) {
            mvtnml(&ncmax, &nu, &nv, b.surf.data(), &b.uv[2 * k], &b.uv[2 * k + 1], &eps, n, &nnorm, &ku, &kv, &ier);
            benchmark::DoNotOptimize(n);
        }
    }
    state.SetItemsProcessed(64 * state.iterations());
}

// Hand-written floor: Su and Sv by Horner's rule with the derivative in u
// then in v, their cross product and its normalisation.
void BM_hand_normal(benchmark::State& state) {
    const Bicubic b;
    const double* c = b.surf.data();
    double n[3];
    for (auto _ : state) {
        for (int k = 0; k < 64; ++k) {
            const double u = b.uv[2 * k], v = b.uv[2 * k + 1];
            double su[3] = {0, 0, 0}, sv[3] = {0, 0, 0};
            for (int j = 3; j >= 0; --j) {
                double s[3], ds[3] = {0, 0, 0};
                for (int r = 0; r < 3; ++r) s[r] = c[(j * 4 + 3) * 3 + r];
                for (int i = 2; i >= 0; --i)
                    for (int r = 0; r < 3; ++r) {
                        ds[r] = ds[r] * u + s[r];
                        s[r] = s[r] * u + c[(j * 4 + i) * 3 + r];
                    }
                for (int r = 0; r < 3; ++r) {
                    su[r] = su[r] * v + ds[r];
                    if (j >= 1) sv[r] = sv[r] * v + j * s[r];
                }
            }
            const double x = su[1] * sv[2] - su[2] * sv[1], y = su[2] * sv[0] - su[0] * sv[2],
                         z = su[0] * sv[1] - su[1] * sv[0];
            const double l = std::sqrt(x * x + y * y + z * z);
            n[0] = x / l, n[1] = y / l, n[2] = z / l;
            benchmark::DoNotOptimize(n);
        }
    }
    state.SetItemsProcessed(64 * state.iterations());
}

}  // namespace

BENCHMARK(BM_mckpl0)->Arg(100)->Arg(10000);
BENCHMARK(BM_eigen)->Arg(100)->Arg(10000);
BENCHMARK(BM_gsl)->Arg(100)->Arg(10000);
BENCHMARK(BM_mblcr1_8cubics);
BENCHMARK(BM_mblbe0_8cubics);
BENCHMARK(BM_mvtnml);
BENCHMARK(BM_hand_normal);

BENCHMARK_MAIN();
