// Extreme values and boxes: mbtpnm, mbtpnn, mbtpnu, mbtpnp, mbtcb1, mbtcb2, mbtcbn.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

// The codes of mrs1d0 that the bounding routines pass on, with their own.
void expect_bound_code(const char* routine, int ier, std::initializer_list<int> own) {
    for (int c : own)
        if (c == ier) return;
    fz::expect_code(routine, ier, {1, 2, 10, 113, 3178, 3835, 8354});
}

void expect_ordered(const char* routine, double lo, double hi, bool ok, bool tame) {
    if (!ok || !tame) return;
    if (!(std::isfinite(lo) && std::isfinite(hi))) fz::fail("%s: bounds %g, %g after success", routine, lo, hi);
    if (lo > hi) fz::fail("%s: lower bound %.17g above the upper %.17g", routine, lo, hi);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(7);
    fz::Array<double> tint(2, "TINT");
    tint[0] = in.parameter(-1, 1);
    tint[1] = in.parameter(0, 2);
    tint.freeze();
    double tol = in.tolerance();
    int ier = -7;
    if (which < 4) {
        int n = in.count(1, 61);
        fz::Array<double> c(std::max(n, 1), "C");
        c.fill(in);
        c.freeze();
        double bmax = -7, bmin = -7, tmax = -7, tmin = -7;
        switch (which) {
            case 0: {
                fz::Array<double> crit(std::max(n, 1), "CRIT");
                int ncrit = -7, iflat = -7;
                {
                    fz::Call call("mbtpnm");
                    mbtpnm(&n, c.data(), tint.data(), &tol, crit.data(), &ncrit, &iflat, &ier);
                }
                expect_bound_code("mbtpnm", ier, {0});
                if (ier == 0 && (ncrit < 0 || ncrit > n)) fz::fail("mbtpnm: NCRIT = %d", ncrit);
                if (ier == 0 && in.tame()) fz::expect_finite("mbtpnm", crit.data(), ncrit);
                break;
            }
            case 1: {
                {
                    fz::Call call("mbtpnn");
                    mbtpnn(&n, c.data(), tint.data(), &tol, &bmax, &bmin, &ier);
                }
                expect_bound_code("mbtpnn", ier, {0, -10, 8888});
                expect_ordered("mbtpnn", bmin, bmax, ier == 0, in.tame());
                break;
            }
            case 2: {
                {
                    fz::Call call("mbtpnu");
                    mbtpnu(&n, c.data(), tint.data(), &tol, &bmax, &bmin, &tmax, &tmin, &ier);
                }
                expect_bound_code("mbtpnu", ier, {0, -10, 8888});
                expect_ordered("mbtpnu", bmin, bmax, ier == 0, in.tame());
                break;
            }
            default: {
                {
                    fz::Call call("mbtpnp");
                    mbtpnp(&n, c.data(), tint.data(), &bmax, &bmin, &ier);
                }
                fz::expect_code("mbtpnp", ier, {0, 8888});
                expect_ordered("mbtpnp", bmin, bmax, ier == 0, in.tame());
                break;
            }
        }
        return 0;
    }
    if (which < 6) {
        int ndim = in.count(1, 3), ncoef = in.count(1, 21);
        int ndimax = std::max(ndim, 1) + (in.byte() < 230 ? 0 : in.within(-1, 2));
        fz::Array<double> coef(static_cast<long>(std::max(ndimax, 1)) * std::max(ncoef, 1), "COEF"),
            box(2L * std::max(ndim, 1), "BOX");
        coef.fill(in);
        coef.freeze();
        if (which == 4) {
            {
                fz::Call call("mbtcb1");
                mbtcb1(&ndimax, &ncoef, coef.data(), &ndim, tint.data(), &tol, box.data(), &ier);
            }
            expect_bound_code("mbtcb1", ier, {0, -10, 8888});
        } else {
            {
                fz::Call call("mbtcb2");
                mbtcb2(&ndimax, &ncoef, coef.data(), &ndim, tint.data(), box.data(), &ier);
            }
            fz::expect_code("mbtcb2", ier, {0, 8888});
        }
        if (ier == 0)
            for (int d = 0; d < ndim; ++d) expect_ordered(which == 4 ? "mbtcb1" : "mbtcb2", box[2 * d], box[2 * d + 1], true, in.tame());
        return 0;
    }
    int ncmax = in.count(1, 21), ncurv = in.count(1, 4);
    const int nk = std::max(ncurv, 1), ncm = std::max(ncmax, 1);
    fz::Array<double> tints(2L * nk, "TINTS"), coefs(2L * ncm * nk, "COEFS"), boxes(6L * nk, "BOXES"), box(4, "BOX");
    fz::Array<int> ncoefs(nk, "NCOEFS");
    for (long k = 0; k < 2L * nk; ++k) tints[k] = in.parameter(-1, 2);
    for (int k = 0; k < nk; ++k) ncoefs[k] = in.count(1, std::min(ncm, 21));
    coefs.fill(in);
    tints.freeze();
    coefs.freeze();
    ncoefs.freeze();
    {
        fz::Call call("mbtcbn");
        mbtcbn(&ncmax, &tol, &ncurv, tints.data(), ncoefs.data(), coefs.data(), boxes.data(), box.data(), &ier);
    }
    fz::expect_code("mbtcbn", ier, {0, 1});
    if (ier == 0 && ncurv >= 1) {
        expect_ordered("mbtcbn", box[0], box[2], true, in.tame());
        expect_ordered("mbtcbn", box[1], box[3], true, in.tame());
    }
    return 0;
}
