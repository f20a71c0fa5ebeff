// Two polynomial equations in two unknowns (mrs2d0) and the normal segments
// between two curves (lnn2cv), small degrees.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    int ier = -7;
    if (in.flag()) {
        int ndim = in.count(1, 3), nc1 = in.count(1, 5), nc2 = in.count(1, 5);
        const long nd = std::max(ndim, 1);
        fz::Array<double> c1(nd * std::max(nc1, 1), "COEF1"), c2(nd * std::max(nc2, 1), "COEF2"), p1(nd, "P1"),
            p2(nd, "P2");
        c1.fill(in);
        c2.fill(in);
        p1.fill(in);
        p2.fill(in);
        c1.freeze();
        c2.freeze();
        p1.freeze();
        p2.freeze();
        fz::Array<double> sol(2 * 51, "SOL"), seg(nd * 2, "SEG");
        int nsol = -7;
        {
            fz::Call call("lnn2cv");
            lnn2cv(&ndim, &nc1, c1.data(), &nc2, c2.data(), p1.data(), p2.data(), &nsol, sol.data(), seg.data(), &ier);
        }
        fz::expect_code("lnn2cv", ier, {0, -1, 1, 2, 3, 4});
        if (ier <= 0 && (nsol < 0 || nsol > 51)) fz::fail("lnn2cv: NSOL = %d", nsol);
        return 0;
    }
    int nu = in.count(1, 4), nv = in.count(1, 4);
    int ld1 = std::max(nu, 1) + (in.byte() < 240 ? 0 : in.within(-1, 1));
    int ld2 = std::max(nv, 1) + (in.byte() < 240 ? 0 : in.within(-1, 1));
    const long l1 = std::max(ld1, 1), l2 = std::max(ld2, 1);
    fz::Array<double> fg(l1 * l2 * 2, "FG"), box(4, "BOX");
    fg.fill(in);
    box[0] = in.parameter(-1, 0);
    box[1] = in.parameter(0.5, 1.5);
    box[2] = in.parameter(-1, 0);
    box[3] = in.parameter(0.5, 1.5);
    fg.freeze();
    box.freeze();
    double epsx = in.tolerance(), epsf = in.tolerance();
    int nmax = in.count(1, 12);
    const long nm = std::max(nmax, 1);
    fz::Array<double> roots(2 * nm, "ROOTS"), lastbox(4, "LASTBOX");
    int nroot = -7;
    {
        fz::Call call("mrs2d0");
        mrs2d0(&ld1, &ld2, fg.data(), &nu, &nv, box.data(), &epsx, &epsf, &nmax, roots.data(), &nroot,
               lastbox.data(), &ier);
    }
    fz::expect_code("mrs2d0", ier, {0, -1, -2, -13, 1, 2, 10});
    if (ier <= 0 || ier == 2) {
        if (nroot < 0 || nroot > nmax) fz::fail("mrs2d0: NROOT = %d", nroot);
        if (ier == 0 && in.tame()) fz::expect_finite("mrs2d0", roots.data(), 2L * nroot);
    }
    return 0;
}
