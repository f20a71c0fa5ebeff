/* Polynomial curves and patches: evaluation, basis conversion, control polygons, bounds. */
#ifndef VCBM_POLYNOMIAL_H
#define VCBM_POLYNOMIAL_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Evaluation of polynomials, curves and patches ---- */

/* ---- Basis conversion and reparametrisation ---- */

/* ---- Control polygons, subdivision and bounds ---- */

/* ---- Extreme values and bounding boxes ---- */

VCBM_END_DECLS

#endif
