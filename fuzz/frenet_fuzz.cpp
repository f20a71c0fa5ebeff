// Curvature, tangents and normals, Frenet frames: cvture, mvtan0, mvtang,
// mdied1, mdiedr, mtrdfrt, vtrfrt, vtdfrt, mprcrb, mdrvnr, mdrvpv.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

// Finite results of a successful call on tame input.
void finite(const char* routine, bool ok, bool tame, std::initializer_list<const fz::Array<double>*> out) {
    if (!ok || !tame) return;
    for (const fz::Array<double>* a : out) fz::expect_finite(routine, a->data(), a->size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(10);
    // mvtan0 and mvtang take any dimension (work space beyond 3).
    int ndim = which == 1 || which == 2 ? in.count(1, 5) : in.count(2, 3);
    if (which >= 6 && which <= 7) ndim = 3;
    const int ncoef = in.count(2, 61);
    const int nd = std::max(ndim, 1), nc = std::max(ncoef, 1);
    fz::Array<double> coef(static_cast<long>(which >= 6 && which <= 7 ? 3 : nd) * nc, "COEF");
    coef.fill(in);
    coef.freeze();
    double u = in.parameter(-0.5, 1.5), eps = in.tolerance();
    fz::Array<double> bounds(2, "BOUNDS");
    bounds[0] = in.parameter(-1, 1);
    bounds[1] = in.parameter(0, 2);
    bounds.freeze();
    int ier = -7;
    switch (which) {
        case 0: {
            fz::Array<double> point(nd, "POINT"), work(static_cast<long>(nd) * std::max(nc - 1, 1), "WORK"),
                center(nd, "CENTER");
            point.fill(in);
            point.freeze();
            double curv = 0, radius = 0;
            {
                fz::Call call("cvture");
                cvture(point.data(), &ndim, &ncoef, coef.data(), &u, work.data(), &curv, &radius, center.data(), &ier);
            }
            fz::expect_code("cvture", ier, {0, 1, 2, 3, 4, 5});
            if (ier == 0 && in.tame() && !(std::isfinite(curv) && std::isfinite(radius)))
                fz::fail("cvture: curvature %g, radius %g after success", curv, radius);
            finite("cvture", ier == 0, in.tame(), {&center});
            break;
        }
        case 1:
        case 2: {
            fz::Array<double> tan(nd, "TAN"), dtan(nd, "DTAN"), nrm(nd, "NRM"), dnrm(nd, "DNRM");
            double tnorm = 0, nnorm = 0;
            int torder = 0, tsense = 0, norder = 0, nsense = 0, ideriv = in.count(0, 1);
            {
                fz::Call call("mvtan0");
                mvtan0(&ndim, &ncoef, coef.data(), &u, &eps, bounds.data(), &ideriv, tan.data(), &tnorm, &torder,
                       &tsense, dtan.data(), &ier);
            }
            fz::expect_code("mvtan0", ier, {0, 1, 10, -1});
            finite("mvtan0", ier == 0, in.tame(), {&tan});
            if (which == 2 && ier == 0 && ndim <= 3) {
                {
                    fz::Call call("mdied1");
                    mdied1(&ndim, &ncoef, coef.data(), &u, &eps, bounds.data(), &ideriv, tan.data(), &tnorm, &torder,
                           dtan.data(), nrm.data(), &nnorm, &norder, &nsense, dnrm.data(), &ier);
                }
                fz::expect_code("mdied1", ier, {0, 1, 10, -1});
                finite("mdied1", ier == 0, in.tame(), {&nrm});
            } else if (which == 2) {
                fz::Call call("mvtang");
                mvtang(&ndim, &ncoef, coef.data(), &u, &eps, bounds.data(), tan.data(), &tnorm, &torder, &tsense, &ier);
                fz::expect_code("mvtang", ier, {0, 1, 10, -1});
            }
            break;
        }
        case 3: {
            fz::Array<double> tan(nd, "TAN"), nrm(nd, "NRM");
            double tnorm = 0, nnorm = 0;
            int torder = 0, tsense = 0, norder = 0, nsense = 0;
            {
                fz::Call call("mdiedr");
                mdiedr(&ndim, &ncoef, coef.data(), &u, &eps, bounds.data(), tan.data(), &tnorm, &torder, &tsense,
                       nrm.data(), &nnorm, &norder, &nsense, &ier);
            }
            fz::expect_code("mdiedr", ier, {0, 1, -1, -2});
            finite("mdiedr", ier == 0, in.tame(), {&tan, &nrm});
            break;
        }
        case 4: {
            int ider = in.count(0, 2), nvec = in.count(1, 3), inorm = in.within(0, 3);
            const long cols = std::clamp(ider, 0, 2) + 1;
            fz::Array<double> t(nd * cols, "T"), n(nd * cols, "N"), b(nd * cols, "B");
            double tnorm = 0, nnorm = 0;
            int tsense = 0, torder = 0, nsense = 0, norder = 0;
            {
                fz::Call call("mtrdfrt");
                mtrdfrt(&ndim, &ncoef, coef.data(), &u, &eps, bounds.data(), &ider, &nvec, &inorm, t.data(), &tnorm,
                        &tsense, &torder, n.data(), &nnorm, &nsense, &norder, b.data(), &ier);
            }
            fz::expect_code("mtrdfrt", ier, {0, 1, 2, 3, 10});
            finite("mtrdfrt", ier == 0, in.tame(), {&t});
            break;
        }
        case 5: {
            int iopt = in.count(1, 7), ideriv = in.count(0, 1);
            // CURV and TORS hold IDERIV + 1 values, CURV(1) and TORS(1) at least.
            const long nc1 = std::max(ideriv, 0) + 1L;
            fz::Array<double> tan(2L * nd, "TAN"), nrm(2L * nd, "NRM"), bin(6, "BIN"), curv(nc1, "CURV"), tors(nc1, "TORS");
            double dcurv = 0;
            int tsense = 0, nsense = 0, icusp = 0;
            {
                fz::Call call("mprcrb");
                mprcrb(&ndim, &ncoef, coef.data(), &u, bounds.data(), &iopt, &eps, &ideriv, tan.data(), nrm.data(),
                       bin.data(), curv.data(), tors.data(), &dcurv, &tsense, &nsense, &icusp, &ier);
            }
            fz::expect_code("mprcrb", ier, {0, 1, 2, -1, -2});
            if (ier == 0 && in.tame() && !std::isfinite(curv[0])) fz::fail("mprcrb: curvature %g after success", curv[0]);
            break;
        }
        case 6: {
            fz::Array<double> t(3, "T"), n(3, "N"), b(3, "B");
            {
                fz::Call call("vtrfrt");
                vtrfrt(&ncoef, coef.data(), &u, t.data(), n.data(), b.data(), &ier);
            }
            fz::expect_code("vtrfrt", ier, {0, 1, 2});
            finite("vtrfrt", ier == 0, in.tame(), {&t, &n, &b});
            break;
        }
        case 7: {
            int inorm = in.within(0, 3);
            fz::Array<double> t(3, "T"), n(3, "N"), b(3, "B"), dt(3, "DT"), dn(3, "DN"), db(3, "DB");
            {
                fz::Call call("vtdfrt");
                vtdfrt(&ncoef, coef.data(), &u, &inorm, t.data(), n.data(), b.data(), dt.data(), dn.data(), db.data(),
                       &ier);
            }
            fz::expect_code("vtdfrt", ier, {0, 1, 2, 10});
            finite("vtdfrt", ier == 0, in.tame(), {&t, &n, &b});
            break;
        }
        case 8: {
            int n = in.count(1, 6);
            const int m = std::max(n, 1);
            fz::Array<double> v(m, "XVECTE"), dv(m, "XDVECT"), out(m, "DVECNO");
            v.fill(in);
            dv.fill(in);
            v.freeze();
            dv.freeze();
            {
                fz::Call call("mdrvnr");
                mdrvnr(&n, v.data(), dv.data(), &eps, out.data(), &ier);
            }
            fz::expect_code("mdrvnr", ier, {0, 1});
            if (n >= 1) finite("mdrvnr", ier == 0, in.tame(), {&out});
            break;
        }
        default: {
            fz::Array<double> a(3, "A"), b(3, "B"), da(3, "DA"), db(3, "DB"), out(3, "DUNIT");
            for (fz::Array<double>* x : {&a, &b, &da, &db}) {
                x->fill(in);
                x->freeze();
            }
            {
                fz::Call call("mdrvpv");
                mdrvpv(a.data(), b.data(), da.data(), db.data(), &eps, out.data(), &ier);
            }
            fz::expect_code("mdrvpv", ier, {0, 1});
            finite("mdrvpv", ier == 0, in.tame(), {&out});
            break;
        }
    }
    return 0;
}
