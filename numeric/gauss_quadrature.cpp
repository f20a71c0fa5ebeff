// Gauss-Legendre rules and the integrators built on them.
//
// mextrl / mexthi hand out the rules of order 1..61 from the generated
// tables. vgaus0 gives the positive half of the 4L-point rule, vgaus1 applies
// it once to a caller's function, vgauss raises the level until two
// estimates agree. vgausa / vgausb are the same pair with storage of their
// own, so that an integrand running under one pair may integrate with the
// other.
#include <cmath>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "numeric/gauss_tables.hpp"
#include "vcbm_numeric.h"

namespace {

constexpr int max_dim = 10;
constexpr int max_level = 10;

// Storage kept by one integrator pair between its own calls (and across
// the calls it makes to the integrand).
struct PairState {
    // the level rule
    double x[20];
    double w[20];
    int npts;
    // the one-rule pass
    double sum[max_dim];
    double f1[max_dim];
    double f2[max_dim];
    double t;  // the abscissa handed to the integrand
    // the level loop
    double estimate[max_dim];
    int level;
};

template <int Copy>
PairState& pair_state() noexcept {
    thread_local PairState s;
    return s;
}

// Code for an NDIM the saved arrays cannot hold, 0 when it fits.
int bad_dimension(int ndim) noexcept {
    if (ndim < 1) return 1;
    if (ndim > max_dim) return 10;
    return 0;
}

// One application of the level rule on [a, b], with the storage S of the
// calling pair. Not vectorised: the integrand has just stored F1 and F2 one
// real at a time, and wide loads of them would stall on store forwarding.
#if defined(__clang__)
#define VCBM_NOT_VECTORISED  // no such function attribute in clang (the loops are left as they come)
#else
#define VCBM_NOT_VECTORISED __attribute__((optimize("no-tree-vectorize")))
#endif
VCBM_NOT_VECTORISED void one_rule(PairState& s, const int* ndim_p, vcbm_integrand func,
                                                             const int* level, const double* a, const double* b,
                                                             double* result, int* ncalls, int* ier) {
    const int ndim = *ndim_p;
    *ncalls = 0;
    if (const int code = bad_dimension(ndim)) {
        *ier = code;
        return;
    }
    // RESULT is zero unless the rule completes: written on the way out.
    vgaus0(level, s.x, s.w, &s.npts, ier);

    const double mid = (*a + *b) / 2;
    const double half = (*b - *a) / 2;
    const int npts = s.npts;
    for (double& v : s.sum) v = 0.0;
    for (int k = 0; k < npts; ++k) {
        const double d = s.x[k] * half;
        s.t = mid + d;
        func(ndim_p, &s.t, s.f1, ier);
        if (*ier == 0) {
            s.t = mid - d;
            func(ndim_p, &s.t, s.f2, ier);
        }
        if (*ier != 0) {
            for (int i = 0; i < ndim; ++i) result[i] = 0.0;
            return;
        }
        const double wk = s.w[k];
        for (int i = 0; i < ndim; ++i) s.sum[i] += (s.f1[i] + s.f2[i]) * wk;
    }
    *ncalls = 2 * npts;
    for (int i = 0; i < ndim; ++i) result[i] = s.sum[i] * half;
    *ier = 0;
}

// Levels 1..10 until the change between two estimates is below the tolerance.
void level_loop(PairState& s, const int* ndim_p, vcbm_integrand func, const double* a, const double* b,
                const double* tol_p, double* result, double* errmax, int* ncalls, int* ier) {
    const int ndim = *ndim_p;
    *ier = 0;
    *ncalls = 0;
    if (const int code = bad_dimension(ndim)) {
        *ier = code;
        return;
    }
    // RESULT is zero until level 1 completes: written there, or on failure.
    double tol = std::fabs(*tol_p);
    if (!(tol >= 1e-10)) tol = 1e-10;

    for (s.level = 1; s.level <= max_level; ++s.level) {
        int n = 0;
        one_rule(s, ndim_p, func, &s.level, a, b, s.estimate, &n, ier);
        *ncalls += n;
        if (*ier > 0) {
            if (s.level == 1)
                for (int i = 0; i < ndim; ++i) result[i] = 0.0;
            return;
        }
        if (s.level == 1) {
            for (int i = 0; i < ndim; ++i) result[i] = s.estimate[i];
            continue;
        }
        double delta = 0.0, size = 0.0;
        for (int i = 0; i < ndim; ++i) {
            const double change = std::fabs(s.estimate[i] - result[i]);
            const double value = std::fabs(s.estimate[i]);
            if (change > delta) delta = change;
            if (value > size) size = value;
        }
        if (size > 1.0) delta /= size;  // relative for large values, absolute otherwise
        *errmax = delta;
        for (int i = 0; i < ndim; ++i) result[i] = s.estimate[i];
        if (tol > delta) return;
    }
    *ier = 0;  // the last level is not a failure: the caller reads ERRMAX
}

// Fills OUT(1..n) from the values of the positive half, in ascending order of
// the nodes: the negative half gets them mirrored and multiplied by SIGN
// (-1 for nodes, 1 for weights), and an odd order puts CENTRE in the middle.
void mirror(int n, const double* pos, double sign, double centre, double* out) noexcept {
    const int m = n / 2;
    const int h = (n + 1) / 2;
    auto o = vcbm::vec(out);
    for (int k = 1; k <= m; ++k) {
        o(h + k) = pos[k - 1];
        o(m + 1 - k) = sign * pos[k - 1];
    }
    if (n % 2 == 1) o(m + 1) = centre;
}

}  // namespace

extern "C" {

VCBM_API void mextrl(const int* N, double* X) {
    static constexpr auto R = vcbm::routine("MEXTRL");
    vcbm::Frame f(R);
    const int n = *N;
    if (n < 1 || n > vcbm::gauss::max_order) return;
    mirror(n, vcbm::gauss::positive_nodes(n), -1.0, 0.0, X);
}

VCBM_API void mexthi(const int* N, double* W) {
    static constexpr auto R = vcbm::routine("MEXTHI");
    vcbm::Frame f(R);
    const int n = *N;
    if (n < 1 || n > vcbm::gauss::max_order) return;
    mirror(n, vcbm::gauss::positive_weights(n), 1.0, vcbm::gauss::tables().centre[n / 2], W);
}

VCBM_API void vgaus0(const int* LEVEL, double* X, double* W, int* NPTS, int* IER) {
    *IER = 0;
    int level = *LEVEL;
    if (level < 1 || level > max_level) {
        *IER = -1;
        level = max_level;
    }
    const int ng = 4 * level;
    const int half = 2 * level;
    if (nfndeb() >= vcbm::routine("MEXTRL").threshold) {
        // Through the rule routines, so that their traces are written.
        double t[40];
        mextrl(&ng, t);
        for (int k = 0; k < half; ++k) X[k] = -t[k];
        mexthi(&ng, t);
        for (int k = 0; k < half; ++k) W[k] = t[k];
    } else {
        // Same values straight from the tables: the negative half of the
        // rule, mirrored, is the positive half from the outermost node in.
        const vcbm::gauss::Tables& tab = vcbm::gauss::tables();
        const double* pos = tab.node[0] + vcbm::gauss::block_start(ng);  // ng is even
        const double* wts = tab.weight[0] + vcbm::gauss::block_start(ng);
        for (int k = 0; k < half; ++k) {
            X[k] = pos[half - 1 - k];
            W[k] = wts[half - 1 - k];
        }
    }
    *NPTS = half;
}

VCBM_API void vgaus1(const int* NDIM, vcbm_integrand FUNC, const int* LEVEL, const double* A, const double* B,
                     double* RESULT, int* NCALLS, int* IER) {
    one_rule(pair_state<0>(), NDIM, FUNC, LEVEL, A, B, RESULT, NCALLS, IER);
}

VCBM_API void vgauss(const int* NDIM, vcbm_integrand FUNC, const double* A, const double* B, const double* TOL,
                     double* RESULT, double* ERRMAX, int* NCALLS, int* IER) {
    level_loop(pair_state<0>(), NDIM, FUNC, A, B, TOL, RESULT, ERRMAX, NCALLS, IER);
}

VCBM_API void vgausb(const int* NDIM, vcbm_integrand FUNC, const int* LEVEL, const double* A, const double* B,
                     double* RESULT, int* NCALLS, int* IER) {
    one_rule(pair_state<1>(), NDIM, FUNC, LEVEL, A, B, RESULT, NCALLS, IER);
}

VCBM_API void vgausa(const int* NDIM, vcbm_integrand FUNC, const double* A, const double* B, const double* TOL,
                     double* RESULT, double* ERRMAX, int* NCALLS, int* IER) {
    level_loop(pair_state<1>(), NDIM, FUNC, A, B, TOL, RESULT, ERRMAX, NCALLS, IER);
}

}  // extern "C"
