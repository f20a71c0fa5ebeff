// Dense linear systems: rslv, rslw, mrslw, mrslwd, mrslwi.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(5);
    int n = in.count(1, 12), nrhs = in.count(1, 4);
    int lda = std::max(n, 1) + (in.flag() ? in.within(0, 2) : in.count(0, 0));
    const long la = static_cast<long>(std::max(lda, 1)) * std::max(n, 1);
    const int nr = std::max(nrhs, 1), nn = std::max(n, 1);
    double eps = in.tolerance();
    int ier = -7;
    if (which == 0) {
        fz::Array<double> a(la, "A"), b(nn, "B");
        a.fill(in);
        b.fill(in);
        fz::Call call("rslv");
        rslv(a.data(), b.data(), &n, &lda, &eps, &ier);
        fz::expect_code("rslv", ier, {1, 2});
        if (ier == 1 && n >= 1 && in.tame() && eps > 0) fz::expect_finite("rslv", b.data(), n);
    } else if (which == 1) {
        fz::Array<double> a(la, "A"), b(static_cast<long>(std::max(lda, 1)) * nr, "B"), x(nn, "X"), aw(la, "AW");
        a.fill(in);
        b.fill(in);
        a.freeze();
        fz::Call call("rslw");
        rslw(a.data(), b.data(), &n, &nrhs, x.data(), aw.data(), &lda, nullptr, &eps, &ier);
        if (nrhs >= 1) fz::expect_code("rslw", ier, {1, 2});  // NRHS < 1: IER left as it was
    } else {
        // W(N + NRHS, N) for mrslw; mrslwd / mrslwi take A(LDA, N) and B(LDA, NRHS).
        fz::Array<double> a(la, "A"), b(static_cast<long>(std::max(lda, 1)) * nr, "B");
        fz::Array<double> w(static_cast<long>(nn + nr) * nn, "W"), x(static_cast<long>(std::max(lda, 1)) * nr, "X");
        a.fill(in);
        b.fill(in);
        w.fill(in);
        a.freeze();
        b.freeze();
        const char* name = which == 2 ? "mrslw" : which == 3 ? "mrslwd" : "mrslwi";
        fz::Call call(name);
        if (which == 2)
            mrslw(&lda, &n, &nrhs, &eps, w.data(), x.data(), &ier);
        else
            (which == 3 ? mrslwd : mrslwi)(&lda, &n, &nrhs, a.data(), b.data(), &eps, w.data(), x.data(), &ier);
        fz::expect_code(name, ier, {0, 1});
        if (ier == 0 && which > 2 && n >= 1 && nrhs >= 1 && in.tame() && eps > 0) {
            for (int j = 0; j < nrhs; ++j) fz::expect_finite(name, x.data() + static_cast<long>(j) * lda, n);
        }
    }
    return 0;
}
