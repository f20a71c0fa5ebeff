// The revised simplex method (msimpl), cold starts and warm starts from the
// basis the previous call left.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    // A few calls in a row on one problem, so that the warm starts see the
    // basis of an earlier call.
    int m = in.count(0, 30);
    int n = std::max(m, 0) + in.count(0, 20);
    if (n > 52) n = 52;
    int lda = std::max(m, 1) + in.within(0, 1);
    const long la = static_cast<long>(lda) * std::max(n, 1);
    fz::Array<double> a(la, "A"), b(std::max(m, 1), "B"), c(std::max(n, 1), "C"), x(std::max(n, 1), "X");
    a.fill(in);
    b.fill(in);
    c.fill(in);
    if (in.flag())  // slack columns, as the cold start expects
        for (int i = 0; i < m && n >= m; ++i)
            for (int k = 0; k < m; ++k) a[static_cast<long>(n - m + k) * lda + i] = i == k ? 1.0 : 0.0;
    a.freeze();
    b.freeze();
    c.freeze();
    constexpr int kOptions[] = {0, 1, 10, 11, 0, 1, 2, -1, 12};
    for (int call_no = 0, calls = in.within(1, 3); call_no < calls; ++call_no) {
        int maxit = in.count(0, 100), option = kOptions[in.pick(call_no == 0 ? 2 : 9)], nit = -7, status = -7, ier = -7;
        fz::Call call("msimpl");
        msimpl(&m, &n, &lda, a.data(), b.data(), c.data(), &maxit, &option, x.data(), &nit, &status, &ier);
        fz::expect_code("msimpl", ier, {0, 1, 2, -1, -2, -3});
        fz::expect_code("msimpl STATUS", status, {0, 2, -7});
        if (ier == 0 && in.tame() && n >= 1) fz::expect_finite("msimpl", x.data(), n);
    }
    return 0;
}
