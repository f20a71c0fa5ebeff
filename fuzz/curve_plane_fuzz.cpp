// Curve/plane intersection: pcvint and ckplcv.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const bool check = in.flag();
    int ndim = check ? in.count(3, 3) : in.count(1, 3), ncoef = in.count(1, check ? 61 : 41);
    const int nd = std::max(ndim, 1), nc = std::max(ncoef, 1);
    fz::Array<double> coef(static_cast<long>(nd) * nc, "COEF"), normal(nd, "PNORM"), point(nd, "PPLANE");
    fz::Array<double> work(static_cast<long>(nd) * nc, "WORK"), sol(std::max(nd, nc - 1), "SOL");
    coef.fill(in);
    normal.fill(in);
    point.fill(in);
    coef.freeze();
    normal.freeze();
    point.freeze();
    if (check) {
        int ierck = -7;
        fz::Call call("ckplcv");
        ckplcv(&ndim, &ncoef, coef.data(), normal.data(), point.data(), work.data(), &ierck);
        fz::expect_code("ckplcv", ierck, {0, 1, 2, 3, 4});
        return 0;
    }
    double tref = in.parameter(-1, 2), tnear = -7;
    int nsol = -7, ier = -7;
    double eps1 = 0;
    meps1(&eps1);
    {
        fz::Call call("pcvint");
        pcvint(&ndim, &ncoef, coef.data(), normal.data(), point.data(), work.data(), &tref, &tnear, &nsol, sol.data(),
               &ier);
    }
    fz::expect_code("pcvint", ier, {0, 1, 2, 3, 4, 10, 101});
    double after = 0;
    meps1(&after);
    if (std::memcmp(&eps1, &after, sizeof eps1) != 0) fz::fail("pcvint: EPS1 not restored");
    if (ier == 0 && (nsol < 0 || nsol > std::max(ncoef - 1, 0))) fz::fail("pcvint: NSOL = %d", nsol);
    if (ier == 0 && in.tame() && ncoef <= 41 && ndim >= 1) {
        fz::expect_finite("pcvint", sol.data(), nsol);
        for (int k = 0; k < nsol; ++k)
            if (sol[k] < -1e-6 || sol[k] > 1 + 1e-6) fz::fail("pcvint: parameter %.17g outside [0, 1]", sol[k]);
    }
    return 0;
}
