// Symmetric eigenproblem (vpvpsy) and the Shell sorts (vsheld, vsheli).
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(3);
    if (which == 0) {
        int n = in.count(1, 16), lda = std::max(n, 1) + (in.flag() ? in.within(0, 2) : in.count(0, 0));
        const int nn = std::max(n, 1), ld = std::max(lda, 1);
        fz::Array<double> a(static_cast<long>(ld) * nn, "A"), d(nn, "D"), v(static_cast<long>(ld) * nn, "V");
        for (int j = 0; j < nn; ++j)
            for (int i = 0; i <= j && i < ld; ++i) {
                const double x = in.real();
                a[static_cast<long>(j) * ld + i] = x;
                if (j < ld) a[static_cast<long>(i) * ld + j] = x;
            }
        double eps = in.tolerance(), offnrm = -7;
        int nsweep = -7, ier = -7;
        const bool tame = in.tame();
        fz::Call call("vpvpsy");
        vpvpsy(a.data(), &n, &lda, &eps, d.data(), v.data(), &nsweep, &offnrm, &ier);
        fz::expect_code("vpvpsy", ier, {0, 1, 11, 12});
        if (ier == 0 && n >= 1 && lda >= n && tame) {
            fz::expect_finite("vpvpsy", d.data(), n);
            for (int k = 1; k < n; ++k)
                if (d[k] > d[k - 1]) fz::fail("vpvpsy: eigenvalues not decreasing");
        }
        return 0;
    }
    int n = in.count(1, 40), ldt = in.count(1, 4), key = in.count(1, std::max(ldt, 1));
    const long total = static_cast<long>(std::max(n, 0)) * std::max(ldt, 1);
    if (which == 1) {
        fz::Array<double> t(total, "T");
        t.fill(in);
        fz::Call call("vsheld");
        vsheld(&n, &ldt, t.data(), &key);
        if (key >= 1 && key <= ldt && in.tame())
            for (int k = 1; k < n; ++k)
                if (t[static_cast<long>(k) * ldt + key - 1] < t[static_cast<long>(k - 1) * ldt + key - 1])
                    fz::fail("vsheld: not sorted");
    } else {
        fz::Array<int> t(total, "T");
        t.fill(in);
        fz::Call call("vsheli");
        vsheli(&n, &ldt, t.data(), &key);
        if (key >= 1 && key <= ldt)
            for (int k = 1; k < n; ++k)
                if (t[static_cast<long>(k) * ldt + key - 1] < t[static_cast<long>(k - 1) * ldt + key - 1])
                    fz::fail("vsheli: not sorted");
    }
    return 0;
}
