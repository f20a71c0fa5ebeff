// Polynomials with known roots for the equation-solving tests.
#pragma once

#include <vector>

namespace roots_ref {

// Canonical coefficients of scale * prod (t - r).
inline std::vector<double> from_roots(const std::vector<double>& roots, double scale = 1.0) {
    std::vector<double> c{scale};
    for (double r : roots) {
        std::vector<double> d(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            d[i + 1] += c[i];
            d[i] -= r * c[i];
        }
        c = d;
    }
    return c;
}

}  // namespace roots_ref
