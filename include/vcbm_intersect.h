/* Intersections and point classification. */
#ifndef VCBM_INTERSECT_H
#define VCBM_INTERSECT_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curve/curve intersection ---- */

/* ---- Curve/plane intersection ---- */

/* ---- Point-in-domain classification ---- */

/* ---- Normal segments between two curves ---- */

/* ---- Line/curve and space-curve intersection ---- */

VCBM_END_DECLS

#endif
