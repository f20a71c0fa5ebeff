// The sense tests of the tangent and normal searches, shared by the tangent
// and normal routines and the frame routines.
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

}  // namespace vcbm::geo
