// Default implementation of the OrvoSystem constant tables.
//
// The tables are computed at compile time and land in read-only data. Each
// is defined as a std::array under C linkage, so its symbol is the plain
// name and its layout that of the C array the header declares.
#include <array>
#include <numbers>

#include "platform/orvosystem/binomial.hpp"

namespace {

constexpr int kN = orvo::kBinomMax + 1;

constexpr std::array<double, kN * kN> make_mcmcnp() {
    const auto c = orvo::pascal_triangle();
    std::array<double, kN * kN> t{};
    for (int n = 0; n < kN; ++n) {
        for (int p = 0; p <= n; ++p) {
            t[n + kN * p] = static_cast<double>(c[n][p]);
            t[p + kN * n] = static_cast<double>(c[n][p]);
        }
    }
    return t;
}

constexpr std::array<int, 101> make_inombr() {
    std::array<int, 101> t{};
    for (int k = 0; k <= 100; ++k) t[k] = k;
    return t;
}

}  // namespace

#define ORVO_EXPORT __attribute__((visibility("default")))

extern "C" {
ORVO_EXPORT extern const std::array<double, kN * kN> mcmcnp;
ORVO_EXPORT extern const std::array<double, 10> dnombr;
ORVO_EXPORT extern const std::array<int, 101> inombr;

constexpr std::array<double, kN * kN> mcmcnp = make_mcmcnp();
constexpr std::array<double, 10> dnombr = {
    std::numbers::pi,         2.0 * std::numbers::pi, std::numbers::pi / 2.0, std::numbers::pi / 180.0,
    180.0 / std::numbers::pi, 0.0,                    1.0,                    180.0,
    360.0,                    90.0};
constexpr std::array<int, 101> inombr = make_inombr();
}
