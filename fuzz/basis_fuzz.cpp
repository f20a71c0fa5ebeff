// Basis conversion, reparametrisation, control polygons, subdivision and
// bounds.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

long at_least_1(long n) { return n < 1 ? 1 : n; }

void conversions(fz::Input& in) {
    const int which = in.pick(7);
    int ndim = in.count(1, 3), ncoef = in.count(1, 61), ier = -7;
    int ndimax = std::max(ndim, 1) + in.within(0, 1);
    const long nc = at_least_1(ncoef);
    fz::Array<double> coef(ndimax * nc, "COEF"), out(ndimax * nc, "COEFN");
    coef.fill(in);
    coef.freeze();
    const bool tame = in.tame();
    if (which == 0) {
        double ta = in.parameter(-2, 2), tb = in.parameter(-2, 2);
        fz::Call call("marc41");
        marc41(&ndimax, &ndim, &ncoef, coef.data(), &ta, &tb, out.data(), &ier);
        fz::expect_code("marc41", ier, {0, 10});
    } else if (which == 1) {
        double tab[2] = {in.parameter(-2, 2), in.parameter(-2, 2)}, tnew[2] = {in.parameter(-2, 2), in.parameter(-2, 2)};
        fz::Call call("mfmcb2");
        mfmcb2(&ndimax, &ncoef, coef.data(), &ndim, tab, out.data(), tnew, &ier);
        fz::expect_code("mfmcb2", ier, {0, 10, 13});
    } else if (which == 2) {
        fz::Array<double> c3(3 * nc, "COEF"), o3(3 * nc, "COEFN");
        c3.fill(in);
        c3.freeze();
        const bool two = in.flag();
        fz::Call call("vcvinv/vcvin2");
        (two ? vcvin2 : vcvinv)(&ncoef, c3.data(), o3.data(), &ier);
        fz::expect_code("vcvinv/vcvin2", ier, {0, 10});
    } else if (which == 3) {
        fz::Call call("cpolyg");
        cpolyg(&ndimax, &ndim, &ncoef, coef.data(), out.data(), &ier);
        fz::expect_code("cpolyg", ier, {0, 10});
        if (ier == 0 && tame && ndim >= 1 && ndim <= ndimax)
            for (long j = 0; j < ncoef; ++j) fz::expect_finite("cpolyg", out.data() + j * ndimax, ndim);
    } else if (which == 4) {
        fz::Call call("polygc");
        polygc(&ndimax, &ndim, &ncoef, coef.data(), out.data(), &ier);
        fz::expect_code("polygc", ier, {0, 10});
    } else if (which == 5) {
        const bool three = in.flag();
        fz::Array<double> c(3 * nc, "COEF"), o(3 * nc, "POLY");
        c.fill(in);
        c.freeze();
        const bool back = in.flag();
        fz::Call call("mcpol2/3, mpolc2/3");
        if (back)
            (three ? mpolc3 : mpolc2)(&ncoef, c.data(), o.data(), &ier);
        else
            (three ? mcpol3 : mcpol2)(&ncoef, c.data(), o.data(), &ier);
        fz::expect_code("mcpol/mpolc", ier, {0, 10});
    } else {
        double ta = in.parameter(-2, 2), tb = in.parameter(-2, 2);
        fz::Array<double> work(at_least_1(ndim) * nc, "WORK"), poly(at_least_1(ndim) * nc, "POLY");
        if (ncoef > 61 || ndim < 1) return;  // no code to say so: the work space is the caller's
        fz::Array<double> c(at_least_1(ndim) * nc, "COEF");
        c.fill(in);
        c.freeze();
        fz::Call call("ufdplg");
        ufdplg(&ndim, &ncoef, c.data(), &ta, &tb, work.data(), poly.data());
    }
}

void legendre(fz::Input& in) {
    const int which = in.pick(4);
    int ncoef = in.count(1, 61), ndim = in.count(1, 3);
    const long nc = at_least_1(ncoef), nd = at_least_1(ndim);
    if (which == 0) {
        int ldc = std::max(ndim, 1), ldw = std::max(ncoef, 1) + in.within(0, 1);
        fz::Array<double> c(ldc * nc, "COEF"), w(ldw * nd, "W"), cf(ldw * nd, "CF");
        c.fill(in);
        c.freeze();
        fz::Call call("mcvnst");
        mcvnst(&ldw, &ldc, &ncoef, &ndim, c.data(), w.data(), cf.data());
    } else if (which == 1) {
        int n = in.count(1, 62);
        fz::Array<double> cf(at_least_1(n) * nd, "CF"), w(at_least_1(n), "W"), cl(at_least_1(n) * nd, "CL");
        cf.fill(in);
        cf.freeze();
        fz::Call call("mcvlgd");
        mcvlgd(&n, &ndim, cf.data(), w.data(), cl.data());
    } else if (which == 2) {
        int iordre = in.flag() ? -1 : in.count(-1, 1);
        fz::Array<double> cf(nc * nd, "CF"), w(nc, "W"), cj(nc * nd, "CJ");
        cf.fill(in);
        cf.freeze();
        fz::Call call("mcvjac");
        mcvjac(&ncoef, &ndim, &iordre, cf.data(), w.data(), cj.data());
    } else {
        int ndu = in.count(0, 8), ndv = in.count(0, 8);
        const long np = 3L * (std::max(ndu, 0) + 1) * (std::max(ndv, 0) + 1);
        fz::Array<double> p(np, "P"), w(np + std::max({ndu, ndv, 0}) + 1, "W"), pl(np, "PL");
        p.fill(in);
        p.freeze();
        fz::Call call("mpclgd");
        mpclgd(&ndu, &ndv, p.data(), w.data(), pl.data());
    }
}

void subdivision(fz::Input& in) {
    const int which = in.pick(5);
    int ndim = in.count(1, 3), ncoef = in.count(1, 61);
    const long nd = at_least_1(ndim), nc = at_least_1(ncoef);
    if (which <= 1) {
        int ldw = std::max(ncoef, 1) + in.within(0, 1);
        fz::Array<double> poly(nd * nc, "POLY"), work(static_cast<long>(ldw) * ldw, "WORK"), left(nd * nc, "LEFT"),
            right(nd * nc, "RIGHT");
        poly.fill(in);
        poly.freeze();
        double t = in.parameter(0, 1);
        fz::Call call("upolyg/uplygg");
        if (which == 0)
            upolyg(&ndim, &ldw, &ncoef, poly.data(), work.data(), left.data(), right.data());
        else
            uplygg(&ndim, &ldw, &ncoef, poly.data(), &t, work.data(), left.data(), right.data());
    } else if (which == 2) {
        fz::Array<double> poly(nc, "POLY"), work(nc * nc, "WORK"), left(nc, "LEFT"), right(nc, "RIGHT");
        poly.fill(in);
        poly.freeze();
        fz::Call call("mlmpna");
        mlmpna(poly.data(), &ncoef, work.data(), left.data(), right.data());
    } else if (which == 3) {
        int nu = in.count(1, 8), nv = in.count(1, 8), idir = in.count(1, 2), ier = -7;
        int ld1 = std::max(nu, 1) + in.within(0, 1), ld2 = std::max(nv, 1) + in.within(0, 1);
        int ldw = std::max(ld1, ld2) + in.within(0, 1);
        const long net = static_cast<long>(ld1) * ld2 * nd;
        fz::Array<double> n(net, "NET"), work(static_cast<long>(ldw) * ldw * std::max(ld1, ld2) * nd, "WORK"),
            left(net, "LEFT"), right(net, "RIGHT");
        n.fill(in);
        n.freeze();
        fz::Call call("mlmkab");
        mlmkab(&ld1, &ld2, n.data(), &nu, &nv, &ndim, &idir, work.data(), &ldw, left.data(), right.data(), &ier);
        fz::expect_code("mlmkab", ier, {0, 1});
    } else {
        fz::Array<double> a(nc, "A");
        a.fill(in);
        a.freeze();
        double hi = -7, lo = -7;
        fz::Call call("ugpolx/utspol");
        ugpolx(&ncoef, a.data(), &hi, &lo);
        utspol(&ncoef, a.data(), &lo, &hi);
        int nr = -7, iconst = -7;
        int one = 1;
        udegcv(&one, &ncoef, a.data(), &nr, &iconst);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    switch (in.pick(3)) {
        case 0: conversions(in); break;
        case 1: legendre(in); break;
        default: subdivision(in); break;
    }
    return 0;
}
