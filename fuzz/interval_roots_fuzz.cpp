// Roots of a polynomial on an interval: ur1pls and its layers.
#include <algorithm>

#include "fuzz/harness.hpp"

namespace {

// Roots must lie in the interval widened by EPSNR (and a little more for
// the Newton candidates of flat pieces), ascending.
void check_roots(const char* name, int nroot, const double* root, double a, double b, bool tame) {
    if (!tame) return;
    double epsnr = 0;
    int nit = 0;
    mepsnr(&epsnr, &nit);
    const double lo = std::min(a, b), hi = std::max(a, b), slack = std::fabs(epsnr) + 1e-6 * (hi - lo) + 1e-12;
    for (int k = 0; k < nroot; ++k) {
        if (!(root[k] >= lo - slack && root[k] <= hi + slack))
            fz::fail("%s: root %d = %.17g outside [%.17g, %.17g]", name, k, root[k], lo, hi);
        if (k > 0 && root[k] < root[k - 1]) fz::fail("%s: roots not ascending", name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(7);
    if (which == 0) {  // ur1pls
        int n = in.count(1, 41);
        const int cap = std::max(n - 1, 1);
        fz::Array<double> c(std::max(n, 0), "C"), root(cap, "ROOT"), aux(cap, "AUX");
        c.fill(in);
        c.freeze();
        double a = in.parameter(-2, 2), b = in.parameter(-2, 2);
        int nroot = -1, ier = -1;
        {
            fz::Call call("ur1pls");
            ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &ier);
        }
        fz::expect_code("ur1pls", ier, {0, 1, 2, 10, 100, 200});
        if (nroot < 0 || nroot > cap) fz::fail("ur1pls: NROOT = %d for NCOEF = %d", nroot, n);
        if (n >= 1 && n <= 41 && ier != 10 && in.tame() && std::isfinite(a) && std::isfinite(b)) {
            if (ier == 2) fz::fail("ur1pls: code 2 on finite input");
            if (ier == 0) fz::expect_finite("ur1pls", root.data(), nroot);
            check_roots("ur1pls", nroot, root.data(), a, b, true);
        }
    } else if (which == 1 || which == 2) {  // mmrs1d / mhrs1d
        int iopt = in.flag() ? 8 : 0, ncmax = in.count(1, 61), n = in.count(1, 61);
        const int nc = std::max(ncmax, 1), nn = std::max(n, 0);
        fz::Array<double> c(nn, "C"), c2(nn, "C2"), work(10L * nc, "WORK"), root(nc, "ROOT");
        c.fill(in);
        for (int k = 0; k < nn; ++k) c2[k] = in.flag() ? c[k] : in.real();
        c.freeze();
        c2.freeze();
        double a = in.parameter(-2, 2), b = in.parameter(-2, 2), epsf = in.tolerance();
        int nroot = -1, ier = -1;
        char status[8] = "xxxxxxx";
        if (which == 1) {
            fz::Call call("mmrs1d");
            mmrs1d(&iopt, &ncmax, &n, c.data(), c2.data(), &a, &b, &epsf, &nroot, root.data(), work.data(), status,
                   &ier, 4);
            fz::expect_code("mmrs1d", ier, {0, 1, 2, -1, -2, 10});
        } else {
            if (b < a) std::swap(a, b);
            int nlevel = in.count(1, 31);
            fz::Array<double> stack(2L * nc * std::clamp(nlevel, 1, 31), "STACK");
            fz::Call call("mhrs1d");
            mhrs1d(&iopt, &ncmax, &n, c.data(), c2.data(), &a, &b, &epsf, &nlevel, stack.data(), work.data(), &nroot,
                   root.data(), status, &ier, 4);
            fz::expect_code("mhrs1d", ier, {0, 1, 2, -1, -2, 10});
        }
        if (ier != 10 && ier != 2 && (nroot < 0 || nroot > std::max(n - 1, 1)))
            fz::fail("mmrs1d/mhrs1d: NROOT = %d for NCOEF = %d", nroot, n);
        if (std::memcmp(status + 4, "xxx", 3) != 0) fz::fail("mmrs1d/mhrs1d: STATUS written past 4 characters");
    } else if (which == 3) {  // mzrs1d, ujrs1d
        int n = in.count(1, 61);
        fz::Array<double> poly(std::max(n, 0), "POLYG"), work(std::max(n, 1), "WORK");
        poly.fill(in);
        poly.freeze();
        int icode = -1;
        {
            fz::Call call("mzrs1d");
            mzrs1d(&n, poly.data(), &icode);
        }
        fz::expect_code("mzrs1d", icode, {0, 1, 2});
        double scale = in.real();
        int isens = -7;
        fz::Call call("ujrs1d");
        ujrs1d(&n, poly.data(), work.data(), &scale, &isens);
        fz::expect_code("ujrs1d", isens, {-1, 0, 1});
    } else if (which == 4) {  // unrs1d
        int n = in.count(1, 41);
        fz::Array<double> c(std::max(n, 0), "C"), cd(std::max(n - 1, 1), "CD");
        c.fill(in);
        for (int k = 0; k + 1 < n; ++k) cd[k] = in.flag() ? (k + 1) * c[k + 1] : in.real();
        c.freeze();
        cd.freeze();
        double a = in.parameter(-2, 2), b = in.parameter(-2, 2), epsx = in.tolerance(), epsf = in.tolerance();
        double x = in.parameter(a, b);
        int ier = -7;
        fz::Call call("unrs1d");
        unrs1d(&n, c.data(), cd.data(), &a, &b, &epsx, &epsf, &x, &ier);
        fz::expect_code("unrs1d", ier, {-1, 0, 1});
    } else if (which == 6) {  // myrs1d: a piece continued with one work area
        int iopt = in.flag() ? 8 : 0, ncmax = in.count(4, 61), n = in.count(4, 61);
        const int nc = std::max(ncmax, 1), nn = std::max(n, 0);
        fz::Array<double> c(nn, "C"), c2(nn, "C2"), work(10L * nc, "WORK"), root(std::max(n - 1, 1), "ROOT");
        c.fill(in);
        c2.fill(in);
        c.freeze();
        c2.freeze();
        double a = in.parameter(-2, 2), b = in.parameter(-2, 2), ta = in.parameter(a, b), tb = in.parameter(a, b);
        double epsf = in.tolerance();
        int level = in.count(0, 31), nroot = in.count(0, std::max(n - 1, 0)), noisy = 0, ier = -7;
        for (int k = 0; k < std::min(nroot, std::max(n - 1, 1)); ++k) root[k] = a + (b - a) * k / n;
        char status[8] = "xxxxxxx";
        fz::Call call("myrs1d");
        myrs1d(&iopt, &ncmax, &n, c.data(), c2.data(), &a, &b, &ta, &tb, &level, &epsf, work.data(), &nroot, root.data(),
               &noisy, status, &ier, 4);
        fz::expect_code("myrs1d", ier, {0, 2, -2, 10});
        if (ier != 10 && ier != 2 && (nroot < 0 || nroot > n - 1)) fz::fail("myrs1d: NROOT = %d", nroot);
    } else {  // uajsol, uelsol
        int ndim = in.count(1, 3), nmax = in.count(1, 20);
        const int nd = std::max(ndim, 1), nm = std::max(nmax, 1);
        fz::Array<double> sol(static_cast<long>(nd) * nm, "SOL"), x(nd, "X");
        int nsol = 0;
        double eps = in.tolerance();
        for (int step = 0, steps = in.within(1, 30); step < steps; ++step) {
            x.fill(in);
            int mult = in.count(1, 3), ier = -7;
            fz::Call call("uajsol");
            uajsol(&ndim, x.data(), &mult, &eps, &nmax, &nsol, sol.data(), &ier);
            fz::expect_code("uajsol", ier, {0, 1});
            if (nsol < 0 || nsol > std::max(nmax, 0)) fz::fail("uajsol: NSOL = %d, NMAX = %d", nsol, nmax);
        }
        fz::Call call("uelsol");
        uelsol(&eps, &ndim, &nsol, sol.data());
        if (nsol < 0 || nsol > std::max(nmax, 0)) fz::fail("uelsol: NSOL = %d", nsol);
    }
    return 0;
}
