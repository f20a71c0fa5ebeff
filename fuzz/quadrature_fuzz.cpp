// Gauss-Legendre quadrature: the tables (mextrl, mexthi, vgaus0) and the
// integrators (vgaus1, vgausb, vgauss, vgausa) on an integrand decoded from
// the input: a polynomial per component, with a failure code or NaN values
// at some points.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

struct Integrand {
    int ncoef = 0;
    double c[10][8] = {};
    int fail_after = -1;  // the integrand's code turns non-zero after this many calls
    int calls = 0;
    int ndim_seen = 0;
};
thread_local Integrand g_f;

void integrand(const int* ndim, const double* t, double* f, int* ier) {
    if (*ndim != g_f.ndim_seen) fz::fail("quadrature: integrand called with NDIM = %d", *ndim);
    for (int d = 0; d < *ndim; ++d) {
        double v = 0;
        for (int k = g_f.ncoef - 1; k >= 0; --k) v = v * *t + g_f.c[d][k];
        f[d] = v;
    }
    if (g_f.fail_after >= 0 && ++g_f.calls > g_f.fail_after) *ier = 3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(5);
    if (which == 0) {
        int n = in.count(1, 61);
        fz::Array<double> x(std::max(n, 1), "X"), w(std::max(n, 1), "W");
        fz::Call call("mextrl/mexthi");
        mextrl(&n, x.data());
        mexthi(&n, w.data());
        return 0;
    }
    if (which == 1) {
        int level = in.count(1, 10), npts = -7, ier = -7;
        fz::Array<double> x(20, "X"), w(20, "W");
        fz::Call call("vgaus0");
        vgaus0(&level, x.data(), w.data(), &npts, &ier);
        fz::expect_code("vgaus0", ier, {0, -1});
        return 0;
    }
    int ndim = in.count(1, 10);
    g_f = Integrand{};
    g_f.ndim_seen = ndim;
    g_f.ncoef = in.within(1, 8);
    for (int d = 0; d < 10; ++d)
        for (int k = 0; k < g_f.ncoef; ++k) g_f.c[d][k] = in.real();
    g_f.fail_after = in.byte() < 220 ? -1 : in.within(0, 200);
    double a = in.parameter(-3, 3), b = in.parameter(-3, 3);
    fz::Array<double> result(std::max(ndim, 1), "RESULT");
    int ncalls = -7, ier = -7;
    if (which == 2) {
        int level = in.count(1, 10);
        const bool copy = in.flag();
        fz::Call call("vgaus1/vgausb");
        (copy ? vgausb : vgaus1)(&ndim, integrand, &level, &a, &b, result.data(), &ncalls, &ier);
        fz::expect_code("vgaus1", ier, {0, -1, 1, 3, 10});
    } else {
        double tol = in.tolerance(), errmax = -7;
        const bool copy = which == 4;
        fz::Call call("vgauss/vgausa");
        (copy ? vgausa : vgauss)(&ndim, integrand, &a, &b, &tol, result.data(), &errmax, &ncalls, &ier);
        fz::expect_code("vgauss", ier, {0, 1, 3, 10});
        if (ier == 0 && in.tame() && g_f.fail_after < 0) fz::expect_finite("vgauss", result.data(), ndim);
    }
    return 0;
}
