/*
 * VelCurveBasedMathematics: numerical routines for the geometry of
 * polynomial curves and patches, behind a flat C interface.
 *
 * Conventions: every argument is passed by address; integers are 32-bit
 * (int), reals 64-bit (double); arrays are column-major and described with
 * 1-based indices, COEF(NDIM, NCOEF) holding element (i, j) at
 * (j-1)*NDIM + (i-1). IER, as a rule the last argument, is 0 on success,
 * positive on failure and negative for a warning with defined results.
 * Character arguments are followed, after the last ordinary argument, by
 * their lengths as `long` values.
 *
 * Call mcxcom once to fill the tolerance block before any routine that
 * reads a tolerance.
 */
#ifndef VELCURVEBASEDMATHEMATICS_H
#define VELCURVEBASEDMATHEMATICS_H

#include "vcbm_frame.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"
#include "vcbm_intersect.h"
#include "vcbm_approx.h"
#include "vcbm_numeric.h"
#include "vcbm_diffgeom.h"
#include "vcbm_shape.h"

#endif
