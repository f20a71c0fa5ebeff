// Boxes of curves and patches: the oriented boxes mblcr1, mblcr2, mblcr4,
// mblsr2, the planarity test mvdrpn, the axis-aligned boxes mblbe0, mblbe1
// and sminmx.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

void finite_on_success(const char* routine, int ier, bool tame, std::initializer_list<const fz::Array<double>*> outs) {
    if (ier != 0 || !tame) return;
    for (const fz::Array<double>* a : outs) fz::expect_finite(routine, a->data(), a->size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(8);
    int ier = -7;
    if (which <= 3) {
        // A set of curves; NDIM up to 5 reaches the work space of mblcr2, large
        // NCMAX that of mblcr1 and mblcr4.
        int ndim = which == 3 ? 3 : in.count(1, 5), ncurve = in.count(1, 4);
        int ncmax = in.byte() < 230 ? in.count(1, 12) : in.count(1, 61);
        const int nd = std::max(ndim, 1), nk = std::max(ncurve, 1), ncm = std::max(ncmax, 1);
        fz::Array<int> ncoef(nk, "NCOEF");
        for (int c = 0; c < nk; ++c) ncoef[c] = in.count(1, ncm);
        ncoef.freeze();
        fz::Array<double> g(nd, "G"), v(static_cast<long>(nd) * nd, "V"), ext(nd, "EXT");
        if (which == 3) {
            // mvdrpn: the columns of the curves one after the other.
            long cols = 0;
            for (int c = 0; c < nk; ++c) cols += std::max(ncoef[c], 0);
            fz::Array<double> crv(3 * std::max(cols, 1L), "CRV");
            crv.fill(in);
            crv.freeze();
            double tol = in.tolerance();
            int planar = -7;
            {
                fz::Call call("mvdrpn");
                mvdrpn(&ncurve, ncoef.data(), crv.data(), &tol, &planar, g.data(), v.data(), &ier);
            }
            fz::expect_code("mvdrpn", ier, {0, 1, 2, 3, 20});
            if (ier == 0 && planar != 0 && planar != 1) fz::fail("mvdrpn: PLANAR = %d", planar);
            return 0;
        }
        fz::Array<double> crv(static_cast<long>(nd) * ncm * nk, "CRV");
        crv.fill(in);
        crv.freeze();
        if (which == 0) {
            {
                fz::Call call("mblcr1");
                mblcr1(&ndim, &ncmax, &ncurve, crv.data(), ncoef.data(), g.data(), v.data(), ext.data(), &ier);
            }
            fz::expect_code("mblcr1", ier, {0, 1, 2, 3});
            finite_on_success("mblcr1", ier, in.tame(), {&g, &v, &ext});
        } else if (which == 1) {
            {
                fz::Call call("mblcr2");
                mblcr2(&ncmax, &ndim, &ncurve, crv.data(), ncoef.data(), g.data(), v.data(), ext.data(), &ier);
            }
            fz::expect_code("mblcr2", ier, {0, 1, 2, 3});
            finite_on_success("mblcr2", ier, in.tame(), {&g, &v, &ext});
        } else {
            fz::Array<double> tint(2, "TINT");
            tint[0] = in.parameter(-1, 1);
            tint[1] = in.parameter(0, 2);
            tint.freeze();
            int iopt = in.within(0, 3);
            {
                fz::Call call("mblcr4");
                mblcr4(&ndim, &ncmax, &ncurve, crv.data(), ncoef.data(), tint.data(), &iopt, g.data(), v.data(),
                       ext.data(), &ier);
            }
            fz::expect_code("mblcr4", ier, {0, 1, 2, 3, 200});
            finite_on_success("mblcr4", ier, in.tame(), {&g, &v, &ext});
        }
        return 0;
    }
    if (which == 4) {
        int ncu = in.count(1, 8), ncv = in.count(1, 8);
        int ncmax = std::max(ncu, 1) + (in.byte() < 230 ? 0 : in.within(-1, 2));
        fz::Array<double> l(3L * std::max(ncmax, 1) * std::max(ncv, 1), "L"), g(3, "G"), v(9, "V"), ext(3, "EXT");
        l.fill(in);
        l.freeze();
        {
            fz::Call call("mblsr2");
            mblsr2(&ncmax, &ncu, &ncv, l.data(), g.data(), v.data(), ext.data(), &ier);
        }
        fz::expect_code("mblsr2", ier, {0, 1, 2});
        finite_on_success("mblsr2", ier, in.tame(), {&g, &v, &ext});
        return 0;
    }
    int mode = in.count(1, 3);
    int ndim = in.count(1, 4);
    const int nd = std::max(ndim, 1);
    fz::Array<double> box(2L * nd, "BOX");
    if (which == 5) {
        int ncoef = in.byte() < 230 ? in.count(1, 30) : in.count(1, 800);  // past 4096 reals: work space
        fz::Array<double> crv(static_cast<long>(nd) * std::max(ncoef, 1), "CRV");
        crv.fill(in);
        crv.freeze();
        {
            fz::Call call("mblbe0");
            mblbe0(crv.data(), &ndim, &ncoef, &mode, box.data(), &ier);
        }
        fz::expect_code("mblbe0", ier, {0, 1, 2, 10});
        finite_on_success("mblbe0", ier, in.tame(), {&box});
    } else if (which == 6) {
        int ncu = in.count(1, 40), ncv = in.count(1, 40);
        int ncmax = std::max(ncu, 1) + (in.byte() < 230 ? 0 : in.within(-1, 2));
        fz::Array<double> net(static_cast<long>(nd) * std::max(ncmax, 1) * std::max(ncv, 1), "NET");
        net.fill(in);
        net.freeze();
        {
            fz::Call call("mblbe1");
            mblbe1(net.data(), &ndim, &ncmax, &ncu, &ncv, &mode, box.data(), &ier);
        }
        fz::expect_code("mblbe1", ier, {0, 1, 2, 10});
        finite_on_success("mblbe1", ier, in.tame(), {&box});
    } else {
        int npts = in.count(1, 20);
        fz::Array<double> pts(static_cast<long>(nd) * std::max(npts, 1), "PTS"), vmin(nd, "VMIN"), vmax(nd, "VMAX");
        pts.fill(in);
        pts.freeze();
        {
            fz::Call call("sminmx");
            sminmx(&mode, &ndim, &npts, pts.data(), vmin.data(), vmax.data());
        }
        if (in.tame() && npts >= 1 && mode == 3)
            for (int k = 0; k < ndim; ++k)
                if (vmin[k] > vmax[k]) fz::fail("sminmx: minimum above maximum in component %d", k + 1);
    }
    return 0;
}
