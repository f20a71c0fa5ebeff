/* Numerical kernels: linear systems, eigenproblem and sorting, quadrature, simplex. */
#ifndef VCBM_NUMERIC_H
#define VCBM_NUMERIC_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Linear systems ---- */

/* ---- Symmetric eigenproblem and sorting ---- */

/* ---- Gauss-Legendre quadrature ---- */

/* ---- Simplex optimisation ---- */

VCBM_END_DECLS

#endif
