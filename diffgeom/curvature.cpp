// Curvature, radius and centre of curvature of a canonical curve at one
// parameter (cvture), with the three degenerate cases told apart: a
// singular point (null first derivative), an inflexion (null second
// derivative) and a zero curvature (first and second derivatives parallel).
//
// The cross products are always taken in three dimensions; a plane curve
// gets a third component of 0 in its derivative vectors on every call.
#include <cmath>

#include "VelCurveBasedInfrastructure.h"
#include "diffgeom/regular.hpp"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_frame.h"
#include "vcbm_polynomial.h"

namespace {

// The message pair of the fixed-text cases, written at trace level 1.
void say(const char* what) {
    vcbm::print_line(" MSG FROM CVTURE:");
    vcbm::print_line("%-55s", what);
}

// The message pair of a singular point or an inflexion.
void say_point(double epspb, double u, const char* what) {
    vcbm::print_line(" MSG FROM CVTURE:");
    vcbm::print_line("    ACCORDING TO ZERO = EPS3 = %15.8E INPUT POINT U=%15.8E%s", epspb, u, what);
}

// Every component of V(NDIM) at most EPS in absolute value (NaN included:
// such a vector is not known to be regular).
bool negligible(int ndim, const double* v, double eps) {
    for (int i = 0; i < ndim; ++i)
        if (std::fabs(v[i]) > eps) return false;
    return true;
}

}  // namespace

extern "C" {

// The derivatives are evaluated with the operations of derivc and pocurv
// (D1) and of cderiv and pocurv (D2), fused into one pass that needs no
// storage: WORK is not written.
void cvture(const double* POINT, const int* NDIM, const int* NCOEF, const double* COEF, const double* U,
            double* WORK, double* CURV, double* RADIUS, double* CENTER, int* IER) {
    static constexpr auto R = vcbm::routine("CVTURE");
    static constexpr auto R_EPSPB = vcbm::routine("MEPSPB");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    const bool talk = f.level() == 1;
    const double eps1 = vcbm::tol::eps1();
    double epspb = vcbm::tol::epspb(), epspb2 = 0.0;
    if (f.level() >= R_EPSPB.threshold) mepspb(&epspb, &epspb2);  // the same values, with its trace

    const int ndim = *NDIM, ncoef = *NCOEF;
    auto degenerate = [&](int code) {
        double huge = 0.0;
        merflo(&huge);
        *CURV = 0.0;
        *RADIUS = huge;
        for (int i = 0; i < ndim; ++i) CENTER[i] = huge;
        f.fail(code);
    };
    if (ndim < 2 || ndim > 3) {
        if (talk) say("       INPUT NDIM ERROR");
        return f.fail(5);
    }
    if (ncoef <= 2) {
        if (talk) say("       INPUT CURVE IS A SEGMENT");
        return degenerate(4);
    }

    // D1 and D2 carry three components whatever NDIM is.
    double d1[3] = {0.0, 0.0, 0.0}, d2[3] = {0.0, 0.0, 0.0}, w[3];
    if (ndim == 3)
        vcbm::geo::first_two<3>(ncoef, COEF, *U, d1, d2, vcbm::geo::SecondTwice{});
    else
        vcbm::geo::first_two<2>(ncoef, COEF, *U, d1, d2, vcbm::geo::SecondTwice{});
    if (negligible(ndim, d1, epspb)) {
        if (talk) say_point(epspb, *U, " IS A SINGULAR POINT        ");
        return f.fail(1);
    }
    const double s = vcbm::norm(ndim, d1);
    const double s3 = (s * s) * s;
    if (negligible(ndim, d2, epspb)) {
        if (talk) say_point(epspb, *U, " IS AN INFLEXION POINT      ");
        return degenerate(2);
    }

    vcbm::cross3(d1, d2, w);
    const double c = vcbm::norm(3, w);
    if (!(c > eps1)) {
        if (talk) say("       CURVATURE IS ZER0");
        return degenerate(3);
    }
    *CURV = c / s3;
    *RADIUS = s3 / c;

    // W x D1 points from the curve towards the centre.
    vcbm::cross3(w, d1, d2);
    const double l = vcbm::norm(3, d2);
    if (!(l > eps1)) {
        if (talk) say("       CURVATURE IS ZER0");
        return degenerate(3);
    }
    for (int i = 0; i < ndim; ++i) CENTER[i] = d2[i] * *RADIUS / l + POINT[i];
}

}  // extern "C"
