/* Approximation by polynomial curves; principal axes and boxes of curves. */
#ifndef VCBM_APPROX_H
#define VCBM_APPROX_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Function approximation ---- */

/* ---- Principal axes and boxes of curves ---- */

/* ---- Curve-on-surface approximation ---- */

VCBM_END_DECLS

#endif
