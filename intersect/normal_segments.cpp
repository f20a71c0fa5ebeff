// Segments normal to two curves at both ends (lnn2cv): the pairs (u, v) in
// [0, 1]^2 where C1(u) - C2(v) is orthogonal to C1'(u) and to C2'(v), found
// as the common zeros of two bivariate polynomials, and the scalar product
// of a vector polynomial with another (scavct) that builds them.
#include <algorithm>
#include <cmath>

#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "vcbm_intersect.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace {

constexpr int kMaxCurveCoef = 21;    // per curve: the equations then have at most 41 per variable
constexpr int kSide = 41;            // coefficients per variable of the equations
constexpr int kMaxRoots = 50;
constexpr int kMaxScalarCoef = 61;   // per factor in scavct

}  // namespace

extern "C" {

void scavct(const int* NDIM, const int* NCOEF, const double* COEF, const int* NCOEFD, const double* DCOEF,
            int* NOUT, double* OUT, int* IER) {
    *IER = 0;
    const int ndim = *NDIM, na = *NCOEF, nb = *NCOEFD;
    if (ndim < 1 || na < 1 || nb < 1 || na > kMaxScalarCoef || nb > kMaxScalarCoef) {
        *IER = 1;
        return;
    }
    const int nout = na + nb - 1;
    *NOUT = nout;
    std::fill(OUT, OUT + nout, 0.0);
    double a[kMaxScalarCoef], b[kMaxScalarCoef], c[2 * kMaxScalarCoef];
    for (int d = 0; d < ndim; ++d) {
        for (int k = 0; k < na; ++k) a[k] = COEF[d + k * ndim];
        for (int k = 0; k < nb; ++k) b[k] = DCOEF[d + k * ndim];
        int nc = 0;
        polpol(&na, a, &nb, b, &nc, c);
        for (int k = 0; k < nc && k < nout; ++k) OUT[k] += c[k];
    }
}

void lnn2cv(const int* NDIM, const int* NCOEF1, const double* COEF1, const int* NCOEF2, const double* COEF2,
            const double* P1, const double* P2, int* NSOL, double* SOL, double* SEG, int* IER) {
    static constexpr auto R = vcbm::routine("LNN2CV");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every code goes to the error reporter
    *NSOL = 0;
    const int ndim = *NDIM, n1 = *NCOEF1, n2 = *NCOEF2;
    if (ndim < 1 || ndim > 3 || n1 < 1 || n2 < 1 || n1 > kMaxCurveCoef || n2 > kMaxCurveCoef) return f.fail(3);

    // F(u, v) = C1'(u) . (C1(u) - C2(v)), G(u, v) = C2'(v) . (C1(u) - C2(v)), 41 x 41 each.
    double fg[2][kSide][kSide] = {};  // [F or G][v power][u power]: column-major (u first)
    double d1[3 * kMaxCurveCoef], d2[3 * kMaxCurveCoef], s[2 * kSide];
    int nd1 = 0, nd2 = 0, ns = 0, ier = 0;
    derivc(&ndim, &n1, COEF1, &nd1, d1);
    derivc(&ndim, &n2, COEF2, &nd2, d2);
    auto dot = [&](const double* a, int i, const double* b, int j) {
        double sum = 0.0;
        for (int k = 0; k < ndim; ++k) sum += a[k + i * ndim] * b[k + j * ndim];
        return sum;
    };
    for (int i = 0; i < nd1; ++i)
        for (int j = 0; j < n2; ++j) fg[0][j][i] = -dot(d1, i, COEF2, j);
    scavct(&ndim, &n1, COEF1, &nd1, d1, &ns, s, &ier);
    if (ier != 0) {
        vcbm::debug_line("LNN2CV : Probleme dans SCAVCT");
        return f.fail(4);
    }
    const int nu = std::max(n1, ns);
    for (int i = 0; i < ns; ++i) fg[0][0][i] += s[i];
    for (int i = 0; i < n1; ++i)
        for (int j = 0; j < nd2; ++j) fg[1][j][i] = dot(COEF1, i, d2, j);
    scavct(&ndim, &n2, COEF2, &nd2, d2, &ns, s, &ier);
    if (ier != 0) {
        vcbm::debug_line("LNN2CV : Probleme dans SCAVCT");
        return f.fail(4);
    }
    const int nv = std::max(n2, ns);
    for (int j = 0; j < ns; ++j) fg[1][j][0] -= s[j];

    const double epsnr = vcbm::tol::epsnr(), eps1 = vcbm::tol::eps1();
    const double box[4] = {-epsnr / 2, 1 + epsnr / 2, -epsnr / 2, 1 + epsnr / 2};
    double roots[2 * (kMaxRoots + 1)], lastbox[4];
    int nroot = 0, code = 0;
    const int ld = kSide, nmax = kMaxRoots;
    mrs2d0(&ld, &ld, &fg[0][0][0], &nu, &nv, box, &epsnr, &eps1, &nmax, roots, &nroot, lastbox, &code);
    vcbm::debug_line("LNN2CV : Retour MRS2D0 , IERT2", code);
    vcbm::debug_line("NROOT", nroot);
    if (code >= 1) return f.fail(1);
    if (code == -1) vcbm::debug_line("LNN2CV : Non convergence pour certaines racines");
    if (code == -2 || code == -13) {
        f.fail(2);
        roots[2 * nroot] = (lastbox[0] + lastbox[1]) / 2;
        roots[2 * nroot + 1] = (lastbox[2] + lastbox[3]) / 2;
        ++nroot;
    }

    // The roots in the square (within EPSNR), snapped onto its sides.
    auto snap = [&](double x) { return std::fabs(x) < epsnr ? 0.0 : std::fabs(x - 1) < epsnr ? 1.0 : x; };
    int nsol = 0;
    for (int k = 0; k < nroot; ++k) {
        const double u = roots[2 * k], v = roots[2 * k + 1];
        if (u < -epsnr || u > 1 + epsnr || v < -epsnr || v > 1 + epsnr) continue;
        SOL[2 * nsol] = snap(u);
        SOL[2 * nsol + 1] = snap(v);
        ++nsol;
    }
    *NSOL = nsol;
    if (nsol == 0) return;

    // The pair whose ends lie nearest to P1 and P2 (the first of equals).
    int best = 0;
    double best_d = HUGE_VAL, a[3], b[3];
    for (int k = 0; k < nsol && nsol > 1; ++k) {
        pocurv(&ndim, &n1, COEF1, &SOL[2 * k], a);
        pocurv(&ndim, &n2, COEF2, &SOL[2 * k + 1], b);
        double da = 0.0, db = 0.0;
        for (int i = 0; i < ndim; ++i) da += (a[i] - P1[i]) * (a[i] - P1[i]), db += (b[i] - P2[i]) * (b[i] - P2[i]);
        const double dist = std::sqrt(da) + std::sqrt(db);
        if (dist < best_d) best_d = dist, best = k;
    }
    pocurv(&ndim, &n1, COEF1, &SOL[2 * best], a);
    pocurv(&ndim, &n2, COEF2, &SOL[2 * best + 1], b);
    int iseg = 0;
    lnptpt(&ndim, a, b, SEG, &iseg);
    if (iseg == -1 && f.ier() == 0) f.fail(-1);
}

}  // extern "C"
