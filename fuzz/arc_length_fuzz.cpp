// Arc length and positioning: mloncv, mcglc1, mposcv on space curves, mloncl,
// mcglc2, mposcl on curves drawn on a patch.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

void expect_finite_value(const char* routine, const char* what, double v, bool ok, bool tame) {
    if (ok && tame && !std::isfinite(v)) fz::fail("%s: %s is %g after success on finite input", routine, what, v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(6);
    double ua = in.parameter(-1, 1), ub = in.parameter(0, 2), tol = in.tolerance();
    int ier = -7;
    if (which < 3) {
        // Space curve; NDIMAX at or just off NDIM.
        int ndim = in.count(1, 4), ncoef = in.count(1, 41);
        int ndimax = std::max(ndim, 1) + (in.byte() < 230 ? 0 : in.within(-1, 2));
        if (which == 2 && in.byte() < 230) ndimax = ndim;
        const long ld = std::max(ndimax, 1), nc = std::max(ncoef, 1);
        fz::Array<double> coef(ld * nc, "COEF");
        coef.fill(in);
        coef.freeze();
        double length = -7, diff = -7, uout = -7;
        if (which == 0) {
            {
                fz::Call call("mloncv");
                mloncv(&ndimax, &ndim, &ncoef, coef.data(), &ua, &ub, &length, &ier);
            }
            fz::expect_code("mloncv", ier, {0, 1, 2});
            expect_finite_value("mloncv", "LENGTH", length, ier == 0, in.tame());
        } else if (which == 1) {
            {
                fz::Call call("mcglc1");
                mcglc1(&ndimax, &ndim, &ncoef, coef.data(), &ua, &ub, &tol, &length, &diff, &ier);
            }
            fz::expect_code("mcglc1", ier, {0, 1, 2, 3});
            expect_finite_value("mcglc1", "LENGTH", length, ier == 0, in.tame());
        } else {
            double lena = in.parameter(0, 1), lenb = in.parameter(1, 3), ratio = in.parameter(-0.1, 1.1);
            int niter = -7;
            {
                fz::Call call("mposcv");
                mposcv(&ndimax, &ndim, &ncoef, coef.data(), &ua, &ub, &lena, &lenb, &ratio, &uout, &tol, &niter, &ier);
            }
            fz::expect_code("mposcv", ier, {0, 1, 2, 3, 4, 5});
            expect_finite_value("mposcv", "UOUT", uout, ier == 0, in.tame());
            if (niter < 0 || niter > 100) fz::fail("mposcv: NITER = %d", niter);
        }
        return 0;
    }
    // Curve on a patch.
    int nc2d = in.count(1, 21), ndim = in.count(1, 3), ncu = in.count(1, 15), ncv = in.count(1, 15);
    fz::Array<double> crv(2L * std::max(nc2d, 1), "CRV2D"),
        surf(static_cast<long>(std::max(ndim, 1)) * std::max(ncu, 1) * std::max(ncv, 1), "SURF");
    crv.fill(in);
    surf.fill(in);
    crv.freeze();
    surf.freeze();
    double length = -7, diff = -7, uout = -7;
    if (which == 3) {
        {
            fz::Call call("mloncl");
            mloncl(&nc2d, crv.data(), &ndim, &ncu, &ncv, surf.data(), &ua, &ub, &length, &ier);
        }
        fz::expect_code("mloncl", ier, {0, 1, 2});
        expect_finite_value("mloncl", "LENGTH", length, ier == 0, in.tame());
    } else if (which == 4) {
        {
            fz::Call call("mcglc2");
            mcglc2(&nc2d, crv.data(), &ndim, &ncu, &ncv, surf.data(), &ua, &ub, &tol, &length, &diff, &ier);
        }
        fz::expect_code("mcglc2", ier, {0, 1, 2});
        expect_finite_value("mcglc2", "LENGTH", length, ier == 0, in.tame());
    } else {
        double lentot = in.parameter(0, 3), ratio = in.parameter(-0.1, 1.1);
        {
            fz::Call call("mposcl");
            mposcl(&nc2d, crv.data(), &ndim, &ncu, &ncv, surf.data(), &ua, &ub, &lentot, &ratio, &tol, &uout, &ier);
        }
        fz::expect_code("mposcl", ier, {0, 1, 2, 3, 4, 5});
        expect_finite_value("mposcl", "UOUT", uout, ier == 0, in.tame());
    }
    return 0;
}
