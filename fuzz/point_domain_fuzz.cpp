// Point-in-domain classification: siepf1 on a boundary of a few planar
// curves (a closed chain or a broken one), and the distance dsptpt.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    if (in.pick(4) == 0) {
        // Work space above 100 coordinates, refused or not.
        int ndim = in.count(1, 130);
        const long nd = std::max(ndim, 1);
        fz::Array<double> p(nd, "P"), q(nd, "Q");
        p.fill(in);
        q.fill(in);
        p.freeze();
        q.freeze();
        double dist = -7;
        {
            fz::Call call("dsptpt");
            dsptpt(&ndim, p.data(), q.data(), &dist);
        }
        if (in.tame() && ndim >= 1 && !(dist >= 0)) fz::fail("dsptpt: distance %g", dist);
        return 0;
    }
    int ncmax = in.count(2, 6), ncurve = in.count(1, 4), ldpt = in.count(2, 3), npoint = in.count(1, 4);
    const long ncm = std::max(ncmax, 1), ncu = std::max(ncurve, 1), ld = std::max(ldpt, 1), np = std::max(npoint, 1);
    fz::Array<double> coefs(2 * ncm * ncu, "COEFS"), intervals(2 * ncu, "INTERVALS"), boxes(6 * ncu, "BOXES"),
        points(ld * np, "POINTS");
    fz::Array<int> ncoef(ncu, "NCOEF");
    const bool chain = in.flag();
    for (long c = 0; c < ncu; ++c) {
        ncoef[c] = in.byte() < 240 ? in.within(2, std::max(2, std::min(ncmax, 4))) : in.count(2, 21);
        for (long k = 0; k < 2 * ncm; ++k) coefs[2 * ncm * c + k] = chain ? in.moderate(2.0) : in.real();
        intervals[2 * c] = in.byte() < 230 ? 0.0 : in.parameter(-1, 1);
        intervals[2 * c + 1] = in.byte() < 230 ? 1.0 : in.parameter(0, 2);
        for (int k = 0; k < 6; ++k) boxes[6 * c + k] = in.byte() < 200 ? (k == 2 || k == 5 ? 1.0 : 0.0) : in.real();
    }
    if (chain) {
        // Close the chain: each curve starts where the previous one ends (on
        // [0, 1]), so that the boundary is often a closed one.
        for (long c = 0; c < ncu; ++c) {
            const long prev = (c + ncu - 1) % ncu;
            const int np2 = std::max(1, std::min(ncoef[prev], static_cast<int>(ncm)));
            for (int d = 0; d < 2; ++d) {
                double end = 0;
                for (int k = 0; k < np2; ++k) end += coefs[2 * ncm * prev + 2 * k + d];
                coefs[2 * ncm * c + d] = end;
            }
        }
    }
    points.fill(in);
    coefs.freeze();
    intervals.freeze();
    boxes.freeze();
    points.freeze();
    ncoef.freeze();
    double tolrel = in.tolerance();
    fz::Array<int> result(np, "RESULT");
    int ier = -7;
    {
        fz::Call call("siepf1");
        siepf1(&ncmax, &ncurve, coefs.data(), intervals.data(), ncoef.data(), boxes.data(), &ldpt, &npoint,
               points.data(), &tolrel, result.data(), &ier);
    }
    fz::expect_code("siepf1", ier, {0, 1, 2, 3});
    if (ier == 0)
        for (int k = 0; k < npoint; ++k)
            if (result[k] != 1 && result[k] != -1 && result[k] != 0 && result[k] != 10)
                fz::fail("siepf1: RESULT(%d) = %d", k + 1, result[k]);
    return 0;
}
