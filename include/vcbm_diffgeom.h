/* Differential geometry of curves and patches. */
#ifndef VCBM_DIFFGEOM_H
#define VCBM_DIFFGEOM_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Curvature ---- */

/* ---- Frenet frame ---- */

/* ---- Tangents and principal normals ---- */

/* ---- Arc length and positioning ---- */

/* ---- Point projection onto a curve ---- */

/* ---- Surface normals ---- */

VCBM_END_DECLS

#endif
