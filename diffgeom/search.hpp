// Pieces of the tangent and normal searches shared by the tangent and normal
// routines and the frame routines: the normal component, the arbitrary
// normal of a straight piece, and the sense tests.
//
// At a point where the leading derivative has an even order (tangent) or the
// leading normal component an odd order (normal), the direction found from
// the derivative alone may point against the motion (or the bending) of the
// curve on one side. The tests look at the curve a small step before and
// after the parameter, inside the parameter interval, and compare.
#pragma once

namespace vcbm::geo {

// Verdicts of a sense test.
enum Sense : int {
    kReverse = -1,    // every tested side points against the vector
    kUndefined = 0,   // the sides disagree, or nothing could be tested
    kKeep = 1,        // every tested side agrees with the vector
};

// The vector V of dimension NDIM (2 or 3) as three components, the third 0
// in the plane, for the cross products.
inline void pad3(int ndim, const double* v, double* v3) noexcept {
    v3[0] = v[0];
    v3[1] = v[1];
    v3[2] = ndim == 3 ? v[2] : 0.0;
}

// Highest number of coefficients of the searches: the derivative table
// stops at degree 60.
inline constexpr int kMaxCoef = 61;

// The parameter step at which a leading Taylor term of order ORDER and
// length LEN moves the point by EPS, (EPS ORDER! / LEN)^(1/ORDER), raised to
// at least 10^-NDIG (NDIG the decimal precision of aovsr8).
double sense_step(double eps, int order, double len) noexcept;

// The tangent test: difference quotients (P(U1) - P(U)) / (U1 - U) against
// DIR for U1 = U + H and U - H clamped to [LO, HI]. P0 and P1 are NDIM
// reals of scratch.
Sense chord_sense(int ndim, int ncoef, const double* coef, double u, double lo, double hi, double h,
                  const double* dir, double* p0, double* p1) noexcept;

// The normal test: second differences (P(U + DU) - 2 P(U + DU/2) + P(U)) 2 / DU^2
// against DIR, DU = U1 - U for the same two clamped trial parameters.
// NDIM is 2 or 3.
Sense bend_sense(int ndim, int ncoef, const double* coef, double u, double lo, double hi, double h,
                 const double* dir) noexcept;

// The search for the principal normal of the curve at U, given its unit
// tangent TAN, the length TNORM and the order TORDER of the derivative that
// gave it: the first D_K, K = TORDER+1 .. NCOEF-1, longer than EPS whose
// component across TAN is longer than EPS + 2 EPS |D_K| / TNORM (the error
// the tangent's own tolerance carries into the component). W receives D_K
// made unit and WN its length; NRM the component made unit and NNORM its
// length. Returns K, 0 when there is none (or TORDER < 1, or TNORM <= 0),
// and -1 when vnitvt fails. NDIM is 2 or 3.
int normal_component(int ndim, int ncoef, const double* coef, const double* u, const double* eps,
                     const double* tan, double tnorm, int torder, double* w, double& wn, double* nrm,
                     double& nnorm) noexcept;

// The normal given to a straight piece, from its tangent T: in the plane T
// turned a quarter turn; in space (-T(2), T(1), 0), or (0, 1, 0) when the
// first two components of T are at most EPS in absolute value, then made
// perpendicular to T as (T x N) x T.
void arbitrary_normal(int ndim, const double* t, double eps, double* n) noexcept;

}  // namespace vcbm::geo
