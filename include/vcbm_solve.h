/* Equation solving: closed-form and bracketed roots, roots on an interval, systems in two unknowns. */
#ifndef VCBM_SOLVE_H
#define VCBM_SOLVE_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Closed-form roots, bracketing solvers and bivariate products ---- */

/* ---- Roots of a polynomial on an interval ---- */

/* ---- Systems of two polynomial equations ---- */

/* ---- Roots by Bezier subdivision ---- */

VCBM_END_DECLS

#endif
