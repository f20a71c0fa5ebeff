// Roots by subdivision with noisy intervals: mrs1d0 and its refinement mrs1i1.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const bool refine = in.byte() >= 224;
    int n = in.count(1, 61);
    const long m = std::max(n - 1, 1);
    fz::Array<double> c(std::max(n, 1), "C"), tint(2, "TINT");
    c.fill(in);
    tint[0] = in.parameter(-1, 1);
    tint[1] = in.parameter(0, 2);
    c.freeze();
    tint.freeze();
    int ier = -7;
    if (refine) {
        double epsf = in.tolerance(), x = -7;
        fz::Array<double> val(2, "VAL");
        {
            fz::Call call("mrs1i1");
            mrs1i1(c.data(), &n, tint.data(), &epsf, &x, val.data(), &ier);
        }
        fz::expect_code("mrs1i1", ier, {0, 1, -1});
        if (ier == 0 && in.tame() && !std::isfinite(x)) fz::fail("mrs1i1: root %g after success", x);
        return 0;
    }
    double epsx = in.flag() ? 1e-6 : in.tolerance(), epsf = in.tolerance();
    fz::Array<double> roots(m, "ROOTS"), noise(2 * m, "NOISE"), unres(2 * m, "UNRES");
    int nroot = -7, nnoise = -7, nunres = -7;
    {
        fz::Call call("mrs1d0");
        mrs1d0(c.data(), &n, tint.data(), &epsx, &epsf, roots.data(), &nroot, noise.data(), &nnoise, unres.data(),
               &nunres, &ier);
    }
    fz::expect_code("mrs1d0", ier, {0, -1, -13, 1, 2, 10, 113});
    if (ier == 0 || ier == -1) {
        for (int k : {nroot, nnoise, nunres})
            if (k < 0 || k > m) fz::fail("mrs1d0: a count of %d with room for %ld", k, m);
        if (in.tame()) {
            fz::expect_finite("mrs1d0", roots.data(), nroot);
            fz::expect_finite("mrs1d0", noise.data(), 2L * nnoise);
            fz::expect_finite("mrs1d0", unres.data(), 2L * nunres);
            // A root recovered on a piece widened past an end may lie
            // outside the interval, by at most half its length.
            const double lo = std::min(tint[0], tint[1]), hi = std::max(tint[0], tint[1]), half = (hi - lo) / 2;
            for (int k = 0; k < nroot; ++k)
                if (roots[k] < lo - half || roots[k] > hi + half)
                    fz::fail("mrs1d0: root %.17g beyond the widened interval", roots[k]);
        }
    }
    return 0;
}
