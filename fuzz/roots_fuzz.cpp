// Closed-form roots, the bracketing solvers and their drivers, and the
// products of bivariate polynomials.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

void closed_form(fz::Input& in) {
    const int which = in.pick(3);
    if (which == 0) {
        double a = in.real(), b = in.real(), c = in.real();
        fz::Array<double> root(2, "ROOT");
        int n = -7, ier = -7;
        {
            fz::Call call("urequ2");
            urequ2(&a, &b, &c, &n, root.data(), &ier);
        }
        fz::expect_code("urequ2", ier, {0, -1});
        if (n < 0 || n > 2) fz::fail("urequ2: NROOT = %d", n);
        if (in.tame() && a != 0.0) fz::expect_finite("urequ2", root.data(), n);
        return;
    }
    int n = in.count(2, 3);
    fz::Array<double> c(std::max(n, 0), "C"), root(2, "ROOT");
    c.fill(in);
    c.freeze();
    double ta = in.parameter(-2, 2), tb = in.parameter(-2, 2);
    int nroot = -7, ier = -7;
    fz::Call call(which == 1 ? "urpol2" : "urpol3");
    (which == 1 ? urpol2 : urpol3)(&n, c.data(), &ta, &tb, &nroot, root.data(), &ier);
    fz::expect_code("urpol2/urpol3", ier, {0, -1, 10});
    if (nroot < 0 || nroot > which) fz::fail("urpol%d: NROOT = %d", which + 1, nroot);
    if (in.tame()) fz::expect_finite("urpol2/urpol3", root.data(), nroot);
}

// A caller driving a bracketing family step by step, values from the input.
void steps(fz::Input& in) {
    const bool m = in.flag();
    double x = in.real(), epsx = in.tolerance(), epsf = in.tolerance();
    int icode = 0;
    for (int k = 0, n = in.within(1, 60); k < n; ++k) {
        double f = in.real();
        fz::Call call(m ? "mfxnl1" : "ufxnl1");
        (m ? mfxnl1 : ufxnl1)(&x, &f, &epsx, &epsf, &icode);
        fz::expect_code("ufxnl1/mfxnl1", icode, {0, 1, 2, 3});
    }
    double v[6];
    for (double& d : v) d = in.real();
    fz::Call call("ufxnl2");
    (m ? zfxnl2 : ufxnl2)(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
}

void drivers(fz::Input& in) {
    int iopt = in.flag() ? 8 : 0, n = in.count(1, 41);
    fz::Array<double> c(std::max(n, 0), "C"), c8(std::max(n, 0), "C8");
    c.fill(in);
    c8.fill(in);
    c.freeze();
    c8.freeze();
    double a = in.parameter(-2, 2), b = in.parameter(-2, 2), epsx = in.tolerance(), epsf = in.tolerance(), x = -7;
    int ier = -7;
    if (in.flag()) {
        fz::Call call("upxnul");
        upxnul(&n, c.data(), &a, &b, &epsx, &epsf, &x, &ier);
        fz::expect_code("upxnul", ier, {0, 1, 2, 3, 4});
    } else {
        char status[8] = "xxxxxxx";
        fz::Call call("mpxnul");
        mpxnul(&iopt, &n, c8.data(), c.data(), &a, &b, &epsx, &epsf, &x, status, &ier, 4);
        fz::expect_code("mpxnul", ier, {0, 1, 2, 3, 4});
        if (std::memcmp(status + 4, "xxx", 3) != 0) fz::fail("mpxnul: STATUS written past 4 characters");
    }
    if (ier == 0 && in.tame() && !std::isfinite(x)) fz::fail("upxnul/mpxnul: root %g", x);
    double t = in.real(), f;
    fz::Call call("mqpos");
    mqpos(&n, c.data(), &t, &f);
}

// meqps2 / meqps5 / meqps4 / meqps3 on arrays sized by their leading
// dimensions.
void products(fz::Input& in) {
    const int which = in.pick(4);
    int ld1p = in.count(1, 8), ld2p = in.count(1, 8), ld1q = in.count(1, 8), ld2q = in.count(1, 8);
    int nu1 = in.count(1, 8), nv1 = in.count(1, 8), nu2 = in.count(1, 8), nv2 = in.count(1, 8);
    int ld1r = in.count(1, 16), ld2r = in.count(1, 16), mode = in.within(-1, 1), ibase = in.count(0, 1);
    int ndim = which == 3 ? in.count(1, 3) : 1;
    // Counts beyond the leading dimensions are refused only by meqps4 and
    // meqps3: the direct products get consistent ones.
    if (which < 2) {
        nu1 = std::clamp(nu1, 1, std::max(ld1p, 1));
        nv1 = std::clamp(nv1, 1, std::max(ld2p, 1));
        nu2 = std::clamp(nu2, 1, std::max(ld1q, 1));
        nv2 = std::clamp(nv2, 1, std::max(ld2q, 1));
    }
    const long np = static_cast<long>(std::max(ld1p, 1)) * std::max(ld2p, 1) * std::max(ndim, 1);
    const long nq = static_cast<long>(std::max(ld1q, 1)) * std::max(ld2q, 1) * std::max(ndim, 1);
    const long nr = static_cast<long>(std::max(ld1r, 1)) * std::max(ld2r, 1);
    fz::Array<double> p(np, "P"), q(nq, "Q"), r(nr, "R");
    p.fill(in);
    q.fill(in);
    r.fill(in);
    p.freeze();
    q.freeze();
    int nur = -7, nvr = -7, ier = -7;
    if (ld1p < 1 || ld2p < 1 || ld1q < 1 || ld2q < 1 || ld1r < 1 || ld2r < 1) return;  // sizes of no array
    if (which == 0) {
        fz::Call call("meqps2");
        meqps2(&ld1p, &ld2p, p.data(), &nu1, &nv1, &ld1q, &ld2q, q.data(), &nu2, &nv2, &mode, &ld1r, &ld2r, r.data(),
               &nur, &nvr, &ier);
        fz::expect_code("meqps2", ier, {0, 7134});
    } else if (which == 1) {
        fz::Call call("meqps5");
        meqps5(&ld1p, &ld2p, p.data(), &nu1, &nv1, &ld1q, &ld2q, q.data(), &nu2, &nv2, &mode, &ld1r, &ld2r, r.data(),
               &nur, &nvr, &ier);
        fz::expect_code("meqps5", ier, {0, 1, 2});
    } else if (which == 2) {
        fz::Call call("meqps4");
        meqps4(&ld1p, &ld2p, p.data(), &nu1, &nv1, &ld1q, &ld2q, q.data(), &nu2, &nv2, &mode, &ibase, &ld1r, &ld2r,
               r.data(), &nur, &nvr, &ier);
        fz::expect_code("meqps4", ier, {0, 1, 2, 3, 4});
    } else {
        fz::Call call("meqps3");
        meqps3(&ld1p, &ld2p, &ndim, p.data(), &nu1, &nv1, &ld1q, &ld2q, q.data(), &nu2, &nv2, &ibase, &ld1r, &ld2r,
               r.data(), &nur, &nvr, &ier);
        fz::expect_code("meqps3", ier, {0, 1, 2, 3, 4});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    switch (in.pick(4)) {
        case 0: closed_form(in); break;
        case 1: steps(in); break;
        case 2: drivers(in); break;
        default: products(in); break;
    }
    return 0;
}
