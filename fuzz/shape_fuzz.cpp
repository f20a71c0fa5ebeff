// Principal axes and shape of a point set: mckpl0, then mckent on its
// eigenvalues (or on decoded ones).
#include <algorithm>
#include <string>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    int ndim = in.count(1, 4), npts = in.count(1, 24);
    const int nd = std::max(ndim, 1);
    fz::Array<double> pts(static_cast<long>(nd) * std::max(npts, 1), "PTS"), cov(static_cast<long>(nd) * nd, "COV"),
        result(2L * nd + static_cast<long>(nd) * nd, "RESULT");
    pts.fill(in);
    pts.freeze();
    int ier = -7;
    {
        fz::Call call("mckpl0");
        mckpl0(&ndim, &npts, pts.data(), cov.data(), result.data(), &ier);
    }
    fz::expect_code("mckpl0", ier, {0, 1, 2, 11});
    if (ier == 0 && in.tame()) {
        fz::expect_finite("mckpl0", result.data(), result.size());
        for (int k = 1; k < ndim; ++k)
            if (result[k] > result[k - 1]) fz::fail("mckpl0: eigenvalues not decreasing");
    }
    fz::Array<double> eigen(nd, "EIGEN");
    for (int k = 0; k < nd; ++k) eigen[k] = ier == 0 && in.flag() ? result[k] : in.real();
    eigen.freeze();
    double tol = in.tolerance();
    fz::Array<char> kind(4, "KIND");
    {
        fz::Call call("mckent");
        mckent(&ndim, eigen.data(), &tol, kind.data(), 4);
    }
    const std::string verdict(kind.data(), 4);
    if (verdict != "POIN" && verdict != "DRTE" && verdict != "PLAN" && verdict != "QCQU")
        fz::fail("mckent: verdict \"%.4s\"", kind.data());
    return 0;
}
