// The bracketing root finder for one scalar function, driven by its caller
// one evaluation at a time. Two independent families share the algorithm:
// ufxnl1 / ufxnl2 (value tolerance EPSF) and mfxnl1 / zfxnl2 (exact zero).
// Each family keeps its state per thread between calls.
//
// The solver keeps a bracket [XP, XN] with a positive value at XP and a
// non-positive one at XN, and proposes false-position, then quadratic
// interpolation points through the two latest points on either side, with
// bisection as the fallback and a guard against one side moving too slowly.
#include "solve/bracket_kernel.hpp"
#include "solve/solve_internal.hpp"
#include "vcbm_solve.h"

namespace vcbm::bracket {

namespace {
thread_local State t_u;
thread_local State t_m;
}  // namespace

State& u_family() noexcept { return t_u; }
State& m_family() noexcept { return t_m; }

double quadratic_step(State& s, double xm, double fm, double xa, double fa, double xb,
                      double fb) noexcept {
    return quadratic_estimate(s.qfail, xm, fm, xa, fa, xb, fb);
}

void step(State& s, Kind kind, double& x, double f, double epsx, double epsf, int& icode) noexcept {
    if (kind == Kind::U)
        step_inline<Kind::U>(s, x, f, epsx, epsf, icode);
    else
        step_inline<Kind::M>(s, x, f, epsx, epsf, icode);
}

}  // namespace vcbm::bracket

namespace bk = vcbm::bracket;

extern "C" {

void ufxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE) {
    bk::step(bk::u_family(), bk::Kind::U, *X, *F, *EPSX, *EPSF, *ICODE);
}

void mfxnl1(double* X, const double* F, const double* EPSX, const double* EPSF, int* ICODE) {
    (void)EPSF;  // this family converges on an exact zero only
    bk::step(bk::m_family(), bk::Kind::M, *X, *F, *EPSX, 0.0, *ICODE);
}

double ufxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
              const double* FB) {
    return bk::quadratic_step(bk::u_family(), *XM, *FM, *XA, *FA, *XB, *FB);
}

double zfxnl2(const double* XM, const double* FM, const double* XA, const double* FA, const double* XB,
              const double* FB) {
    return bk::quadratic_step(bk::m_family(), *XM, *FM, *XA, *FA, *XB, *FB);
}

}  // extern "C"
