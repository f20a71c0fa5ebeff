// Evaluation of polynomials, curves and patches and their derivatives.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

long at_least_1(long n) { return n < 1 ? 1 : n; }

void curves(fz::Input& in) {
    const int which = in.pick(11);
    int ndim = in.count(1, 4), ncoef = in.count(1, 61);
    const long nd = at_least_1(ndim), nc = at_least_1(ncoef);
    fz::Array<double> coef(nd * nc, "COEF");
    coef.fill(in);
    double t = in.parameter(-1.5, 1.5);
    const bool tame = in.tame();
    if (which == 0) {
        fz::Array<double> p(nd, "P");
        coef.freeze();
        fz::Call call("pocurv");
        pocurv(&ndim, &ncoef, coef.data(), &t, p.data());
        if (tame && ndim >= 1) fz::expect_finite("pocurv", p.data(), ndim);
    } else if (which == 1) {
        int ndimax = in.count(1, 4);
        int used = std::min(ndim, ndimax);
        fz::Array<double> c(at_least_1(ndimax) * nc, "COEF"), p(nd, "P");
        c.fill(in);
        c.freeze();
        fz::Call call("mpocrb");
        mpocrb(&ndimax, &ncoef, c.data(), &used, &t, p.data());
    } else if (which == 2 || which == 3) {
        fz::Array<double> c((which == 2 ? 2 : 3) * nc, "COEF"), p(which == 2 ? 2 : 3, "P");
        c.fill(in);
        c.freeze();
        fz::Call call("vpscr2/3");
        (which == 2 ? vpscr2 : vpscr3)(&ncoef, c.data(), &t, p.data());
    } else if (which == 4) {
        fz::Array<double> d(nd * at_least_1(ncoef - 1), "COEFD");
        coef.freeze();
        int ncoefd = -7;
        fz::Call call("derivc");
        derivc(&ndim, &ncoef, coef.data(), &ncoefd, d.data());
        if (ncoefd != std::max(ncoef - 1, 1) && ndim >= 1) fz::fail("derivc: NCOEFD = %d", ncoefd);
    } else if (which == 5 || which == 6) {
        int iordr = in.count(0, 8);
        fz::Array<double> d(nd * at_least_1(ncoef - std::max(iordr, 0)), "COEFD");
        int ncoefd = -7;
        if (which == 5) {
            coef.freeze();
            fz::Call call("mcdriv");
            mcdriv(&ndim, &ncoef, coef.data(), &iordr, &ncoefd, d.data());
        } else {
            fz::Call call("cderiv");
            cderiv(&ncoef, &ndim, coef.data(), &iordr);
        }
    } else if (which == 7) {
        int iordr = in.count(0, 8);
        fz::Array<double> d(nd, "D");
        coef.freeze();
        fz::Call call("mdrvck");
        mdrvck(&ncoef, &ndim, coef.data(), &iordr, &t, d.data());
    } else if (which == 8) {
        int iordr = in.count(0, 8), ier = -7;
        fz::Array<double> d(nd * at_least_1(iordr + 1), "D");
        coef.freeze();
        fz::Call call("mdrvcb");
        mdrvcb(&iordr, &ndim, &ncoef, coef.data(), &t, d.data(), &ier);
        fz::expect_code("mdrvcb", ier, {0, 1});
        if (ier == 0 && tame && ndim >= 1 && ncoef <= 41) fz::expect_finite("mdrvcb", d.data(), nd * (iordr + 1));
    } else if (which == 9) {
        int na = in.count(1, 20), nb = in.count(1, 20), nc2 = -7;
        fz::Array<double> a(at_least_1(na), "A"), b(at_least_1(nb), "B"), c(at_least_1(na + nb - 1), "C");
        a.fill(in);
        b.fill(in);
        a.freeze();
        b.freeze();
        fz::Call call("polpol");
        polpol(&na, a.data(), &nb, b.data(), &nc2, c.data());
    } else {
        fz::Array<double> b(at_least_1(ncoef - 1), "B");
        coef.freeze();
        int nb = -7;
        {
            fz::Call call("polval");
            const double v = polval(coef.data(), &ncoef, &t);
            if (tame && ncoef <= 41 && !std::isfinite(v)) fz::fail("polval: %g on finite input", v);
        }
        fz::Call call("polder");
        polder(coef.data(), &ncoef, b.data(), &nb);
    }
}

void patches(fz::Input& in) {
    const int which = in.pick(8);
    double u = in.parameter(-1, 1), v = in.parameter(-1, 1);
    int nu = in.count(1, 21), nv = in.count(1, 8);
    if (which == 0 || which == 6 || which == 7) {
        // COEF(3, 21, NV): posurf, derivt, vderiv (NUI = 21).
        const long nvv = at_least_1(nv);
        fz::Array<double> c(3 * 21 * nvv, "COEF"), p(3, "P"), d(3 * 21 * nvv, "COEFD");
        c.fill(in);
        c.freeze();
        if (which == 0) {
            fz::Call call("posurf");
            posurf(c.data(), &nu, &nv, &u, &v, p.data());
        } else if (which == 6) {
            int idir = in.count(1, 2), nud = -7, nvd = -7;
            fz::Call call("derivt");
            derivt(&nu, &nv, c.data(), &nud, &nvd, d.data(), &idir);
        } else {
            // The output counts follow from the input ones (NVI is not read:
            // the caller's NVO is all the routine knows of COEF's columns).
            int nui = 21, idir = in.count(1, 2), nuo = 21;
            int nvo = idir == 2 ? nv - 1 : nv;
            fz::Call call("vderiv");
            vderiv(&nui, &nv, c.data(), &nuo, &nvo, d.data(), &idir);
        }
        return;
    }
    int ndim = in.count(1, 4), numax = std::max(nu, 1) + in.within(0, 2), nvmax = std::max(nv, 1) + in.within(0, 1);
    int ndimax = std::max(ndim, 1) + in.within(0, 1);
    if (nu > 21) numax = std::max(numax, nu);
    const long size = static_cast<long>(ndimax) * numax * nvmax;
    fz::Array<double> c(size, "COEF"), p(std::max(ndimax, 1), "P");
    c.fill(in);
    c.freeze();
    if (which == 1) {
        fz::Call call("mpoca1");
        mpoca1(&numax, &nvmax, &ndimax, c.data(), &nu, &nv, &u, &v, p.data());
    } else if (which == 2) {
        fz::Call call("mpoca2");
        mpoca2(&ndimax, &numax, &nvmax, c.data(), &ndim, &nu, &nv, &u, &v, p.data());
    } else if (which == 3 || which == 4) {
        int nvc = std::min(nv, nvmax);
        fz::Call call("mdrpu1/mdrpv1");
        (which == 3 ? mdrpu1 : mdrpv1)(&ndimax, &numax, &nu, &nvc, c.data(), &u, &v, p.data());
    } else {
        int idu = in.count(0, 4), idv = in.count(0, 4), nvc = std::min(nv, nvmax);
        fz::Call call("mdrvpk");
        mdrvpk(&ndimax, &numax, &nu, &nvc, c.data(), &u, &v, &idu, &idv, p.data());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    if (in.flag())
        curves(in);
    else
        patches(in);
    return 0;
}
