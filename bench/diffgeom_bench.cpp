// Curvature (cvture) and the Frenet frame of a space curve (vtrfrt) at
// regular points of cubic and quintic space curves, next to their floor: a
// hand-written Horner evaluation of the first two derivatives followed by
// the closed formulas (|D1 x D2| / |D1|^3 and the centre; T = D1/|D1|,
// B = unit(D1 x D2), N = B x T). Singular points (a cusp, an inflexion, a
// point where two derivatives vanish) are measured separately: there the
// routines climb to higher derivatives and run their sense tests.
// The program is the host: its error reports go to a silent service of its
// own (cvture reports every exit), so the figures are the library's.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"

extern "C" {
void aermsg(const char*, const int*, long) {}
void germsg(const char*, long) {}
}

namespace {

void set_tolerances() {
    int ip[21] = {}, ier;
    double rp[22] = {};
    rp[11] = 1e-9;   // EPS1
    rp[12] = 1e-10;  // EPSNR
    rp[13] = 1e-14;  // EPSPB
    ip[9] = 100;
    mcxcom(nullptr, ip, rp, &ier);
}

struct Data {
    std::vector<double> coef;
    std::vector<double> ts;
    Data(int ncoef) : coef(static_cast<std::size_t>(3 * ncoef)), ts(64) {
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> d(-1.0, 1.0);
        for (double& c : coef) c = d(rng);
        for (double& t : ts) t = 0.5 * (d(rng) + 1.0) * 0.98 + 0.01;
    }
};

// The floor: D1 and D2 of a space curve by Horner.
inline void hand_d12(int ncoef, const double* c, double t, double* d1, double* d2) {
    double p[3], a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) p[i] = c[(ncoef - 1) * 3 + i];
    for (int j = ncoef - 2; j >= 0; --j) {
        for (int i = 0; i < 3; ++i) {
            b[i] = b[i] * t + a[i];
            a[i] = a[i] * t + p[i];
            p[i] = p[i] * t + c[j * 3 + i];
        }
    }
    for (int i = 0; i < 3; ++i) {
        d1[i] = a[i];
        d2[i] = 2.0 * b[i];
    }
}

inline void cross(const double* a, const double* b, double* c) {
    c[0] = a[1] * b[2] - a[2] * b[1];
    c[1] = a[2] * b[0] - a[0] * b[2];
    c[2] = a[0] * b[1] - a[1] * b[0];
}
inline double norm(const double* a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }

__attribute__((noinline)) void hand_curvature(int ncoef, const double* c, const double* point, double t,
                                              double* curv, double* radius, double* center) {
    double d1[3], d2[3], w[3], n[3];
    hand_d12(ncoef, c, t, d1, d2);
    cross(d1, d2, w);
    const double s = norm(d1), cw = norm(w);
    *curv = cw / (s * s * s);
    *radius = s * s * s / cw;
    cross(w, d1, n);
    const double l = norm(n);
    for (int i = 0; i < 3; ++i) center[i] = point[i] + n[i] * *radius / l;
}

__attribute__((noinline)) void hand_frame(int ncoef, const double* c, double t, double* tt, double* nn, double* bb) {
    double d1[3], d2[3];
    hand_d12(ncoef, c, t, d1, d2);
    const double s = norm(d1);
    for (int i = 0; i < 3; ++i) tt[i] = d1[i] / s;
    cross(d1, d2, bb);
    const double l = norm(bb);
    for (int i = 0; i < 3; ++i) bb[i] /= l;
    cross(bb, tt, nn);
}

// Runs STEP(coefficients, NCOEF, t) with t changing on every call, so that
// nothing is hoisted out of the timing loop.
template <class Step>
void along(benchmark::State& state, Step step) {
    set_tolerances();
    const int ncoef = static_cast<int>(state.range(0));
    const Data data(ncoef);
    std::size_t k = 0;
    for (auto _ : state) step(data.coef.data(), ncoef, data.ts[k++ & 63]);
}

void BM_cvture(benchmark::State& state) {
    along(state, [](const double* c, int ncoef, double t) {
        int ndim = 3, ier;
        double work[3 * 8], curv, radius, center[3], point[3] = {0, 0, 0};
        cvture(point, &ndim, &ncoef, c, &t, work, &curv, &radius, center, &ier);
        benchmark::DoNotOptimize(center);
    });
}

void BM_cvture_floor(benchmark::State& state) {
    along(state, [](const double* c, int ncoef, double t) {
        double curv, radius, center[3], point[3] = {0, 0, 0};
        hand_curvature(ncoef, c, point, t, &curv, &radius, center);
        benchmark::DoNotOptimize(center);
    });
}

void BM_vtrfrt(benchmark::State& state) {
    along(state, [](const double* c, int ncoef, double t) {
        int ier;
        double frame[9];
        vtrfrt(&ncoef, c, &t, frame, frame + 3, frame + 6, &ier);
        benchmark::DoNotOptimize(frame);
    });
}

void BM_vtrfrt_floor(benchmark::State& state) {
    along(state, [](const double* c, int ncoef, double t) {
        double frame[9];
        hand_frame(ncoef, c, t, frame, frame + 3, frame + 6);
        benchmark::DoNotOptimize(frame);
    });
}

// Singular points: 0 the cusp of (t^2, t^3, t^4) at 0 inside [0, 1]'s
// neighbour (0.5 after a shift), 1 an inflexion of (t, t^3, 0), 2 the
// stationary point of (t^3, t^5, t^4) where D1 = D2 = 0.
std::vector<double> singular_curve(int kind) {
    switch (kind) {
        // ((t - 1/2)^2, (t - 1/2)^3, (t - 1/2)^4)
        case 0: return {0.25, -0.125, 0.0625, -1, 0.75, -0.5, 1, -1.5, 1.5, 0, 1, -2, 0, 0, 1};
        // (t - 1/2, (t - 1/2)^3, 0)
        case 1: return {-0.5, -0.125, 0, 1, 0.75, 0, 0, -1.5, 0, 0, 1, 0};
        // ((t - 1/2)^3, (t - 1/2)^5, (t - 1/2)^4): only the leading terms matter at 1/2
        default: {
            std::vector<double> c(18, 0.0);
            const double h = -0.5;
            auto binom = [](int n, int k) { double b = 1; for (int i = 1; i <= k; ++i) b = b * (n - k + i) / i; return b; };
            for (int comp = 0; comp < 3; ++comp) {
                const int p = comp == 0 ? 3 : comp == 1 ? 5 : 4;
                for (int j = 0; j <= p; ++j) c[j * 3 + comp] = binom(p, j) * std::pow(h, p - j);
            }
            return c;
        }
    }
}

void BM_cvture_singular(benchmark::State& state) {
    set_tolerances();
    const std::vector<double> coef = singular_curve(static_cast<int>(state.range(0)));
    int ndim = 3, ncoef = static_cast<int>(coef.size()) / 3;
    double work[3 * 8], curv, radius, center[3], point[3] = {0, 0, 0}, t = 0.5;
    for (auto _ : state) {
        int ier;
        cvture(point, &ndim, &ncoef, coef.data(), &t, work, &curv, &radius, center, &ier);
        benchmark::DoNotOptimize(center);
    }
}

void BM_vtrfrt_singular(benchmark::State& state) {
    set_tolerances();
    const std::vector<double> coef = singular_curve(static_cast<int>(state.range(0)));
    int ncoef = static_cast<int>(coef.size()) / 3;
    double t3[3], n3[3], b3[3], t = 0.5;
    for (auto _ : state) {
        int ier;
        vtrfrt(&ncoef, coef.data(), &t, t3, n3, b3, &ier);
        benchmark::DoNotOptimize(b3);
    }
}

}  // namespace

BENCHMARK(BM_cvture)->Arg(4)->Arg(6);
BENCHMARK(BM_cvture_floor)->Arg(4)->Arg(6);
BENCHMARK(BM_vtrfrt)->Arg(4)->Arg(6);
BENCHMARK(BM_vtrfrt_floor)->Arg(4)->Arg(6);
BENCHMARK(BM_cvture_singular)->ArgName("kind")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_vtrfrt_singular)->ArgName("kind")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK_MAIN();
