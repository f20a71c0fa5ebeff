// Point projection onto a curve: mcvpds (the nearest points, the curve cut
// into pieces).
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    int ndim = in.count(2, 3), ncoef = in.count(1, 21);
    const long nd = std::max(ndim, 1), nc = std::max(ncoef, 1), ns = 2 * nc - 1;
    fz::Array<double> coef(nd * nc, "COEF"), x(nd, "X");
    coef.fill(in);
    x.fill(in);
    coef.freeze();
    x.freeze();
    fz::Array<double> params(ns, "PARAMS"), proj(nd * ns, "PROJ");
    int nsol = -7, ier = -7;
    double dist = -7;
    {
        fz::Call call("mcvpds");
        mcvpds(&ndim, &ncoef, coef.data(), x.data(), &nsol, params.data(), proj.data(), &dist, &ier);
    }
    fz::expect_code("mcvpds", ier, {0, -1, -2, 10, 20, 30, 40, 100});
    if (ier <= 0) {
        if (nsol < 1 || nsol > ns) fz::fail("mcvpds: NSOL = %d", nsol);
        if (in.tame()) {
            fz::expect_finite("mcvpds", params.data(), nsol);
            fz::expect_finite("mcvpds", proj.data(), nd * nsol);
        }
    }
    return 0;
}
