// Construction of the Legendre tables from exact integer arithmetic.
//
// Each coefficient is a rational number (standard basis) or the square root
// of one (orthonormal basis), known exactly through its prime factorisation.
// A first guess in long double is corrected by comparing, in exact integer
// arithmetic, the value with the midpoints between the guess and its
// neighbouring doubles, so every entry is the nearest double.
#include "polynomial/legendre_table.hpp"

#include <cmath>
#include <cstdint>

namespace vcbm::legendre {
namespace {

// Unsigned integer of fixed capacity, little-endian 32-bit limbs.
class Big {
public:
    static constexpr int kLimbs = 112;  // 3584 bits: the largest product needs under 2400

    explicit Big(std::uint64_t v = 0) noexcept {
        for (auto& l : d_) l = 0;
        d_[0] = static_cast<std::uint32_t>(v);
        d_[1] = static_cast<std::uint32_t>(v >> 32);
        n_ = 2;
        trim();
    }

    void mul_small(std::uint32_t m) noexcept {
        std::uint64_t carry = 0;
        for (int i = 0; i < n_; ++i) {
            const std::uint64_t t = static_cast<std::uint64_t>(d_[i]) * m + carry;
            d_[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry && n_ < kLimbs) d_[n_++] = static_cast<std::uint32_t>(carry);
        trim();
    }

    void mul(const Big& o) noexcept {
        std::uint32_t r[kLimbs] = {};
        for (int i = 0; i < n_; ++i) {
            std::uint64_t carry = 0;
            for (int j = 0; j < o.n_ && i + j < kLimbs; ++j) {
                const std::uint64_t t = static_cast<std::uint64_t>(d_[i]) * o.d_[j] + r[i + j] + carry;
                r[i + j] = static_cast<std::uint32_t>(t);
                carry = t >> 32;
            }
            if (i + o.n_ < kLimbs) r[i + o.n_] = static_cast<std::uint32_t>(carry);
        }
        for (int i = 0; i < kLimbs; ++i) d_[i] = r[i];
        n_ = kLimbs;
        trim();
    }

    void shl(int bits) noexcept {
        const int limbs = bits / 32, rest = bits % 32;
        for (int i = kLimbs - 1; i >= 0; --i) {
            std::uint64_t v = 0;
            if (i - limbs >= 0) v = static_cast<std::uint64_t>(d_[i - limbs]) << rest;
            if (rest && i - limbs - 1 >= 0) v |= static_cast<std::uint64_t>(d_[i - limbs - 1]) >> (32 - rest);
            d_[i] = static_cast<std::uint32_t>(v);
        }
        n_ = kLimbs;
        trim();
    }

    int bit_length() const noexcept {
        if (n_ == 0) return 0;
        return 32 * (n_ - 1) + (32 - __builtin_clz(d_[n_ - 1]));
    }

    // The value as mantissa * 2^exponent with a 64-bit mantissa (truncated).
    long double approx() const noexcept {
        const int bits = bit_length();
        const int drop = bits > 64 ? bits - 64 : 0;
        std::uint64_t top = 0;
        for (int b = bits - 1; b >= drop; --b) top = (top << 1) | bit(b);
        return std::ldexp(static_cast<long double>(top), drop);
    }

    friend int compare(const Big& a, const Big& b) noexcept {
        if (a.n_ != b.n_) return a.n_ < b.n_ ? -1 : 1;
        for (int i = a.n_ - 1; i >= 0; --i)
            if (a.d_[i] != b.d_[i]) return a.d_[i] < b.d_[i] ? -1 : 1;
        return 0;
    }

private:
    std::uint64_t bit(int b) const noexcept { return (d_[b / 32] >> (b % 32)) & 1u; }
    void trim() noexcept {
        while (n_ > 0 && d_[n_ - 1] == 0) --n_;
    }
    std::uint32_t d_[kLimbs];
    int n_;
};

constexpr int kPrimes[] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37,  41,  43,  47,  53,
                           59, 61, 67, 71, 73, 79, 83, 89, 97, 101, 103, 107, 109, 113, 127};
constexpr int kNumPrimes = sizeof kPrimes / sizeof kPrimes[0];

// Exponents of a rational number over the primes up to 127.
struct Factored {
    int e[kNumPrimes] = {};
    void mul(int v, int power) noexcept {
        for (int i = 0; i < kNumPrimes && v > 1; ++i)
            while (v % kPrimes[i] == 0) {
                v /= kPrimes[i];
                e[i] += power;
            }
    }
    void factorial(int n, int power) noexcept {
        for (int v = 2; v <= n; ++v) mul(v, power);
    }
    void odd_factorial(int n, int power) noexcept {  // n!! for odd n
        for (int v = 3; v <= n; v += 2) mul(v, power);
    }
    void numerator(Big& out) const noexcept { build(out, 1); }
    void denominator(Big& out) const noexcept { build(out, -1); }

private:
    void build(Big& out, int sign) const noexcept {
        out = Big(1);
        for (int i = 0; i < kNumPrimes; ++i)
            for (int k = 0; k < sign * e[i]; ++k) out.mul_small(static_cast<std::uint32_t>(kPrimes[i]));
    }
};

// x = M 2^E with M an integer of at most 55 bits.
struct Dyadic {
    std::uint64_t m;
    int e;
};

Dyadic split(double x) noexcept {
    int e = 0;
    const double f = std::frexp(x, &e);
    return {static_cast<std::uint64_t>(std::ldexp(f, 53)), e - 53};
}

// The midpoint of two positive neighbouring doubles, exactly.
Dyadic midpoint(double a, double b) noexcept {
    Dyadic x = split(a), y = split(b);
    if (x.e > y.e) {
        x.m <<= (x.e - y.e);
        x.e = y.e;
    } else if (y.e > x.e) {
        y.m <<= (y.e - x.e);
        y.e = x.e;
    }
    return {x.m + y.m, x.e - 1};
}

// Sign of x^power - num/den for x = M 2^E.
int compare_power(Dyadic x, int power, const Big& num, const Big& den) noexcept {
    Big lhs(den);
    for (int i = 0; i < power; ++i) lhs.mul(Big(x.m));
    Big rhs(num);
    const int shift = power * x.e;
    if (shift >= 0)
        lhs.shl(shift);
    else
        rhs.shl(-shift);
    return compare(lhs, rhs);
}

bool odd_mantissa(double x) noexcept { return (split(x).m & 1u) != 0; }

// The nearest double to the positive root (power 1 or 2) of num/den.
double nearest_root(const Big& num, const Big& den, int power) noexcept {
    long double q = num.approx() / den.approx();
    if (power == 2) q = std::sqrt(q);
    double d = static_cast<double>(q);
    for (int guard = 0; guard < 16; ++guard) {
        const double up = std::nextafter(d, HUGE_VAL);
        const int above = compare_power(midpoint(d, up), power, num, den);
        if (above < 0 || (above == 0 && odd_mantissa(d))) {
            d = up;
            continue;
        }
        const double down = std::nextafter(d, 0.0);
        const int below = compare_power(midpoint(down, d), power, num, den);
        if (below > 0 || (below == 0 && odd_mantissa(d))) {
            d = down;
            continue;
        }
        break;
    }
    return d;
}

Table build(bool ortho) noexcept {
    Table t{};
    for (int k = 0; k < kRows; ++k)
        for (int i = 0; i < kRows - k; ++i) {
            t.even[row_start(k) + i] = exact_coefficient(2 * (k + i), 2 * k, ortho);
            t.odd[row_start(k) + i] = exact_coefficient(2 * (k + i) + 1, 2 * k + 1, ortho);
        }
    return t;
}

}  // namespace

double exact_coefficient(int m, int k, bool ortho) noexcept {
    const int p = (m - k) / 2;
    Factored f;
    f.mul(2 * k + 1, 1);
    f.factorial(m, 1);
    f.e[0] -= p;
    f.factorial(p, -1);
    f.odd_factorial(m + k + 1, -1);
    int power = 1;
    if (ortho) {  // square it and take the root at the end
        for (int& e : f.e) e *= 2;
        f.e[0] += 1;
        f.mul(2 * k + 1, -1);
        power = 2;
    }
    Big num, den;
    f.numerator(num);
    f.denominator(den);
    return nearest_root(num, den, power);
}

const Table& standard() noexcept {
    static const Table t = build(false);
    return t;
}

const Table& orthonormal() noexcept {
    static const Table t = build(true);
    return t;
}

void convert(const Table& table, int ndeg, const double* w, double* out) noexcept {
    const int ne = ndeg / 2 + 1;    // even powers 0, 2, ..., in w[0 .. ne-1]
    const int no = (ndeg + 1) / 2;  // odd powers 1, 3, ..., in w[ne .. ne+no-1]
    for (int k = 0; k < ne; ++k) {
        const double* a = table.even + row_start(k);
        double s = a[0] * w[k];
        for (int i = 1; i < ne - k; ++i) s += a[i] * w[k + i];
        out[2 * k] = s;
    }
    for (int k = 0; k < no; ++k) {
        const double* a = table.odd + row_start(k);
        double s = a[0] * w[ne + k];
        for (int i = 1; i < no - k; ++i) s += a[i] * w[ne + k + i];
        out[2 * k + 1] = s;
    }
}

}  // namespace vcbm::legendre
