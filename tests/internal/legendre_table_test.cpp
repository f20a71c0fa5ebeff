// The Legendre tables, entry by entry, against exact rational arithmetic of
// Boost.Multiprecision (independent of the library's own integer code), and
// the expansions they encode against Boost.Math's Legendre polynomials.
#include <gtest/gtest.h>

#include <boost/math/special_functions/legendre.hpp>
#include <boost/multiprecision/cpp_int.hpp>
#include <cmath>

#include "polynomial/legendre_table.hpp"

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;
namespace lg = vcbm::legendre;

cpp_int factorial(int n) {
    cpp_int r = 1;
    for (int v = 2; v <= n; ++v) r *= v;
    return r;
}

cpp_int odd_factorial(int n) {
    cpp_int r = 1;
    for (int v = 3; v <= n; v += 2) r *= v;
    return r;
}

// a(m, k) = (2k+1) m! / (2^p p! (m+k+1)!!), exactly.
cpp_rational coefficient(int m, int k) {
    const int p = (m - k) / 2;
    return cpp_rational(cpp_int(2 * k + 1) * factorial(m),
                        (cpp_int(1) << p) * factorial(p) * odd_factorial(m + k + 1));
}

cpp_rational exact(double d) {  // every double is a dyadic rational
    int e = 0;
    const double f = std::frexp(d, &e);
    cpp_int m = static_cast<long long>(std::ldexp(f, 53));
    e -= 53;
    return e >= 0 ? cpp_rational(m << e) : cpp_rational(m, cpp_int(1) << -e);
}

// D is the nearest double to X (X > 0 given by its square when SQUARED):
// X lies between the midpoints to both neighbours.
void expect_nearest(double d, const cpp_rational& x, bool squared, int m, int k) {
    const cpp_rational lo = (exact(std::nextafter(d, 0.0)) + exact(d)) / 2;
    const cpp_rational hi = (exact(d) + exact(std::nextafter(d, HUGE_VAL))) / 2;
    if (squared) {
        EXPECT_TRUE(lo * lo <= x && x <= hi * hi) << "m=" << m << " k=" << k << " d=" << d;
    } else {
        EXPECT_TRUE(lo <= x && x <= hi) << "m=" << m << " k=" << k << " d=" << d;
    }
}

TEST(LegendreTable, EveryEntryIsTheNearestDouble) {
    const lg::Table& s = lg::standard();
    const lg::Table& o = lg::orthonormal();
    for (int k = 0; k < lg::kRows; ++k)
        for (int i = 0; i < lg::kRows - k; ++i)
            for (int parity = 0; parity < 2; ++parity) {
                const int m = 2 * (k + i) + parity, deg = 2 * k + parity;
                const int at = lg::row_start(k) + i;
                const cpp_rational a = coefficient(m, deg);
                expect_nearest(parity ? s.odd[at] : s.even[at], a, false, m, deg);
                expect_nearest(parity ? o.odd[at] : o.even[at], a * a * 2 / (2 * deg + 1), true, m, deg);
            }
    EXPECT_EQ(s.even[lg::row_start(1)], lg::exact_coefficient(2, 2, false));  // rows packed as said
    EXPECT_EQ(s.even[lg::kTriangle - 1], lg::exact_coefficient(60, 60, false));
}

// t^m = sum over k of a(m, k) P_k(t): the tables encode the Legendre expansion.
TEST(LegendreTable, ExpansionsReproduceThePowers) {
    const lg::Table& s = lg::standard();
    for (int m = 0; m <= lg::kMaxDegree; ++m)
        for (double x : {-1.0, -0.73, 0.0, 0.41, 0.97, 1.0}) {
            long double sum = 0;
            for (int deg = m % 2; deg <= m; deg += 2) {
                const int k = deg / 2, i = (m - deg) / 2;
                const double a = (m % 2 ? s.odd : s.even)[lg::row_start(k) + i];
                sum += a * static_cast<long double>(boost::math::legendre_p(deg, x));
            }
            EXPECT_NEAR(static_cast<double>(sum), std::pow(x, m), 1e-14) << "m=" << m << " x=" << x;
        }
}

}  // namespace
