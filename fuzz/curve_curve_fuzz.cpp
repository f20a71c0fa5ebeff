// Curve/curve intersection: umcvcv (both options, plane and space), and the
// layers below it: urcvcv, uadtcv, ur3dcv, un3dcv.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

// The pairs of a successful call on tame input: finite, NSOL within the capacity.
void expect_pairs(const char* routine, int nsol, int nsolmax, const fz::Array<double>& sol, bool tame) {
    if (nsol < 0 || nsol > std::max(nsolmax, 0)) fz::fail("%s: NSOL = %d with NSOLMAX = %d", routine, nsol, nsolmax);
    if (tame) fz::expect_finite(routine, sol.data(), 2L * nsol);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(5);
    const int ndim = which == 0 ? in.count(2, 3) : which == 1 || which == 2 ? 2 : 3;
    const int nd = std::clamp(ndim, 1, 3);
    const int nc1 = in.count(which == 0 ? 2 : 1, 21), nc2 = in.count(which == 0 ? 2 : 1, 21);
    const int nsolmax = in.count(1, 12);
    const long s1 = static_cast<long>(nd) * std::max(nc1, 1), s2 = static_cast<long>(nd) * std::max(nc2, 1);
    fz::Array<double> coef1(which == 2 ? 4 : s1, "COEF1"), coef2(s2, "COEF2"), sol(2L * std::max(nsolmax, 1), "SOL");
    coef1.fill(in);
    coef2.fill(in);
    coef1.freeze();
    coef2.freeze();
    double ta1 = in.parameter(-1, 1), tb1 = in.parameter(0, 2), ta2 = in.parameter(-1, 1), tb2 = in.parameter(0, 2);
    const double eps = in.flag() ? 1e-6 : in.tolerance();
    int nsol = -7, ier = -7;
    switch (which) {
        case 0: {
            int iopt = in.count(1, 2);
            sol[0] = in.parameter(0, 1);
            sol[1] = in.parameter(0, 1);
            {
                fz::Call call("umcvcv");
                umcvcv(&ndim, &nc1, coef1.data(), &ta1, &tb1, &nc2, coef2.data(), &ta2, &tb2, &iopt, &nsolmax, &nsol,
                       sol.data(), &ier);
            }
            fz::expect_code("umcvcv", ier, {0, -1, 1, 2, 3});
            if (ier == 0) expect_pairs("umcvcv", nsol, iopt == 2 ? 1 : nsolmax, sol, in.tame());
            break;
        }
        case 1: {
            const int iconv = 0;
            fz::Array<double> polyg1(s1, "POLYG1"), polyg2(s2, "POLYG2");
            {
                fz::Call call("urcvcv");
                urcvcv(&iconv, &nc1, coef1.data(), polyg1.data(), &ta1, &tb1, &nc2, coef2.data(), polyg2.data(), &ta2,
                       &tb2, &eps, &nsolmax, &nsol, sol.data(), &ier);
            }
            fz::expect_code("urcvcv", ier, {0, 2, 10, 20, 146, -10});
            if (ier == 0) expect_pairs("urcvcv", nsol, nsolmax, sol, in.tame());
            break;
        }
        case 2: {
            const int nlev = in.count(0, 31);
            fz::Array<double> polyst(84L * std::max(nlev, 0), "POLYST");
            {
                fz::Call call("uadtcv");
                uadtcv(coef1.data(), &ta1, &tb1, &nc2, coef2.data(), &ta2, &tb2, polyst.data(), &nlev, &eps, &nsolmax,
                       &nsol, sol.data(), &ier);
            }
            fz::expect_code("uadtcv", ier, {0, 2, 145, 146, -10});
            if (ier == 0) expect_pairs("uadtcv", nsol, nsolmax, sol, in.tame());
            break;
        }
        case 3: {
            {
                fz::Call call("ur3dcv");
                ur3dcv(&nc1, coef1.data(), &ta1, &tb1, &nc2, coef2.data(), &ta2, &tb2, &eps, &nsolmax, &nsol,
                       sol.data(), &ier);
            }
            fz::expect_code("ur3dcv", ier, {0, 2, 10, 3, -10});
            if (ier == 0) expect_pairs("ur3dcv", nsol, nsolmax, sol, in.tame());
            break;
        }
        default: {
            double t1 = in.parameter(0, 1), t2 = in.parameter(0, 1);
            {
                fz::Call call("un3dcv");
                un3dcv(&nc1, coef1.data(), &ta1, &tb1, &nc2, coef2.data(), &ta2, &tb2, &nsol, &t1, &t2, &ier);
            }
            fz::expect_code("un3dcv", ier, {0, -1, -2, 1, 2, 10});
            if (ier == 0 && nsol == 1 && in.tame() && !(std::isfinite(t1) && std::isfinite(t2)))
                fz::fail("un3dcv: pair (%g, %g) after success", t1, t2);
            break;
        }
    }
    return 0;
}
