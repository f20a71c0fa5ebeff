/* Shape analysis of point sets. */
#ifndef VCBM_SHAPE_H
#define VCBM_SHAPE_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Principal axes and shape classification ---- */

VCBM_END_DECLS

#endif
