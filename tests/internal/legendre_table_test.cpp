// The Legendre tables, entry by entry, against exact rational arithmetic of
// Boost.Multiprecision (independent of the library's own integer code). The
// expansions they encode are checked against Boost.Math's Legendre
// polynomials through the conversions that use them (basis_test).
#include <gtest/gtest.h>

#include <boost/multiprecision/cpp_int.hpp>
#include <cmath>

#include "polynomial/legendre_table.hpp"

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;
namespace lg = vcbm::legendre;

// N!, or with ODD the product of the odd numbers up to N.
cpp_int factorial(int n, bool odd = false) {
    cpp_int r = 1;
    for (int v = odd ? 3 : 2; v <= n; v += odd ? 2 : 1) r *= v;
    return r;
}

// a(m, k) = (2k+1) m! / (2^p p! (m+k+1)!!), exactly.
cpp_rational coefficient(int m, int k) {
    const int p = (m - k) / 2;
    return cpp_rational(cpp_int(2 * k + 1) * factorial(m), (cpp_int(1) << p) * factorial(p) * factorial(m + k + 1, true));
}

// D is the nearest double to X (X > 0 given by its square when SQUARED): X
// lies between the midpoints to both neighbours (a double converts exactly).
bool nearest(double d, const cpp_rational& x, bool squared) {
    const cpp_rational lo = (cpp_rational(std::nextafter(d, 0.0)) + cpp_rational(d)) / 2;
    const cpp_rational hi = (cpp_rational(d) + cpp_rational(std::nextafter(d, HUGE_VAL))) / 2;
    return squared ? lo * lo <= x && x <= hi * hi : lo <= x && x <= hi;
}

TEST(LegendreTable, EveryEntryIsTheNearestDouble) {
    const lg::Table& s = lg::standard();
    const lg::Table& o = lg::orthonormal();
    for (int k = 0; k < lg::kRows; ++k)
        for (int i = 0; i < lg::kRows - k; ++i)
            for (int parity = 0; parity < 2; ++parity) {
                const int m = 2 * (k + i) + parity, deg = 2 * k + parity, at = lg::row_start(k) + i;
                const cpp_rational a = coefficient(m, deg);
                EXPECT_TRUE(nearest(parity ? s.odd[at] : s.even[at], a, false)) << "m=" << m << " k=" << deg;
                EXPECT_TRUE(nearest(parity ? o.odd[at] : o.even[at], a * a * 2 / (2 * deg + 1), true))
                    << "m=" << m << " k=" << deg;
            }
    EXPECT_EQ(s.even[lg::row_start(1)], lg::exact_coefficient(2, 2, false));  // rows packed as said
    EXPECT_EQ(s.even[lg::kTriangle - 1], lg::exact_coefficient(60, 60, false));
}

}  // namespace
