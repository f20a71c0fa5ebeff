// Approximation: mapfnc and mapfnc1 on a small set of functions chosen by the
// input (smooth, a kink, NaN values, an error code), and the curve on a patch
// mapck5.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

int g_function = 0;               // which function the approximation calls
constexpr int kFunctionCode = 7;  // the code the last function returns

void function(const int* ndim, const double*, const double* t, const int* ideriv, double* val, int* ier) {
    const double x = *t;
    for (int j = 0; j < *ndim; ++j) {
        const double a = j + 1.0;
        switch (g_function) {
            case 0:  // sin(a x) and its derivatives
                val[j] = std::pow(a, *ideriv) * std::sin(a * x + *ideriv * 1.5707963267948966);
                break;
            case 1:  // |x - 0.3|: a kink
                val[j] = *ideriv == 0 ? std::fabs(x - 0.3) : *ideriv == 1 ? (x < 0.3 ? -1.0 : 1.0) : 0.0;
                break;
            case 2:  // NaN past the middle
                val[j] = x > 0.5 ? std::numeric_limits<double>::quiet_NaN() : x * a;
                break;
            case 3:  // huge values
                val[j] = 1e300 * (x + a);
                break;
            default:  // an error code past the middle
                val[j] = x;
                if (x > 0.5) *ier = kFunctionCode;
                break;
        }
    }
}

constexpr int kFunctions = 5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(3);
    int order = in.count(-1, 2), maxseg = in.count(1, 6), maxcoef = in.count(2, 16);
    int ldcoef = std::max(maxcoef, 1) + (in.byte() < 230 ? 0 : in.within(-1, 2));
    const int ms = std::max(maxseg, 1), ld = std::max(ldcoef, 1);
    fz::Array<double> tint(2, "TINT");
    tint[0] = in.parameter(-1, 1);
    tint[1] = in.parameter(0, 2);
    tint.freeze();
    int ier = -7, nseg = -7;
    fz::Array<int> ncoef(ms, "NCOEF");
    if (which < 2) {
        g_function = in.pick(kFunctions);
        if (g_function >= 2) in.untame();
        int ndim = in.count(1, 4), nsub = in.count(1, std::max(ndim, 1));
        const int nd = std::max(ndim, 1), ns = std::max(nsub, 1);
        fz::Array<int> groupdim(ns, "GROUPDIM");
        // Groups that sum to NDIM, sometimes not.
        for (int g = 0; g < ns; ++g) groupdim[g] = g + 1 < ns ? 1 : nd - (ns - 1);
        if (in.byte() >= 240) groupdim[in.pick(ns)] += in.within(-2, 2);
        fz::Array<double> tol(ns, "TOL"), tout(2, "TOUT");
        for (int g = 0; g < ns; ++g) tol[g] = in.byte() < 200 ? 1e-6 : in.tolerance();
        tout[0] = in.flag() ? -1 : in.parameter(-1, 1);
        tout[1] = in.flag() ? 1 : in.parameter(0, 2);
        constexpr int kNpcode[] = {-5, -4, -3, -2, -1, 1, 2, 3, 4, 0, 5, -6};
        int npcode = kNpcode[in.byte() % (in.flag() ? 12 : 9)];
        groupdim.freeze();
        tol.freeze();
        tout.freeze();
        fz::Array<double> coef(static_cast<long>(nd) * ld * ms, "COEF"), tbreak(ms + 1L, "TBREAK"),
            errmax(static_cast<long>(ns) * ms, "ERRMAX"), errmean(static_cast<long>(ns) * ms, "ERRMEAN");
        const char* name = which == 0 ? "mapfnc" : "mapfnc1";
        if (which == 0) {
            fz::Call call(name);
            mapfnc(&ndim, &nsub, groupdim.data(), tint.data(), function, &order, &ldcoef, &maxseg, &maxcoef,
                   tol.data(), tout.data(), &npcode, &nseg, ncoef.data(), coef.data(), tbreak.data(), errmax.data(),
                   errmean.data(), &ier);
        } else {
            int ncut = in.count(2, 5);
            fz::Array<double> tcut(std::max(ncut, 1), "TCUT");
            for (long k = 0; k < tcut.size(); ++k) tcut[k] = in.parameter(-1, 2);
            tcut[0] = tint[0];
            if (ncut >= 1) tcut[ncut - 1] = tint[1];
            tcut.freeze();
            fz::Call call(name);
            mapfnc1(&ndim, &nsub, groupdim.data(), tint.data(), &ncut, tcut.data(), function, &order, &ldcoef, &maxseg,
                    &maxcoef, tol.data(), tout.data(), &npcode, &nseg, ncoef.data(), coef.data(), tbreak.data(),
                    errmax.data(), errmean.data(), &ier);
        }
        // 100 + k passes on the function's own code k, which only the last function returns.
        if (ier == 100 + kFunctionCode && g_function != kFunctions - 1)
            fz::fail("%s: code %d from a function that returned no code", name, ier);
        fz::expect_code(name, ier, {0, -1, -2, 1, 10, 13, 33, 100 + kFunctionCode});
        if (ier == 0 || ier == -1) {
            if (nseg < 1 || nseg > maxseg) fz::fail("%s: NSEG = %d with MAXSEG = %d", name, nseg, maxseg);
            for (int s = 0; s < nseg; ++s)
                if (ncoef[s] < 1 || ncoef[s] > std::min(maxcoef, 14)) fz::fail("%s: NCOEF(%d) = %d", name, s + 1, ncoef[s]);
            if (ier == 0 && in.tame()) {
                fz::expect_finite(name, coef.data(), coef.size());
                fz::expect_finite(name, tbreak.data(), nseg + 1L);
            }
        }
        return 0;
    }
    // The curve on a patch.
    int ndim = in.count(1, 3), ncu = in.count(1, 8), ncv = in.count(1, 8), ndim2 = in.byte() < 240 ? 2 : in.within(1, 3);
    int ncfumx = std::max(ncu, 1) + in.within(0, 1), ncfvmx = std::max(ncv, 1) + in.within(0, 1);
    int ncoef2 = in.count(1, 6), ndimax = std::max(ndim, 1) + in.within(0, 1);
    double tol = in.byte() < 200 ? 1e-6 : in.tolerance();
    fz::Array<double> surf(static_cast<long>(ncfumx) * ncfvmx * std::max(ndim, 1), "SURF"),
        crv2(2L * std::max(ncoef2, 1), "CRV2"), coef(static_cast<long>(ndimax) * ld * ms, "COEF"),
        errtab(4L * ms, "ERRTAB");
    surf.fill(in);
    crv2.fill(in);
    surf.freeze();
    crv2.freeze();
    {
        fz::Call call("mapck5");
        mapck5(&ncfumx, &ncfvmx, surf.data(), &ndim, &ncu, &ncv, &ndim2, &ncoef2, crv2.data(), tint.data(), &order,
               &maxcoef, &tol, &ndimax, &ldcoef, &maxseg, coef.data(), &nseg, ncoef.data(), errtab.data(), &ier);
    }
    fz::expect_code("mapck5", ier, {0, -1, -2, 1, 3, 4});
    if (ier == 0) {
        if (nseg < 1 || nseg > maxseg) fz::fail("mapck5: NSEG = %d with MAXSEG = %d", nseg, maxseg);
        if (in.tame()) fz::expect_finite("mapck5", coef.data(), coef.size());
    }
    return 0;
}
