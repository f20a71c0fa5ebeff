/* Library frame: the marker, the tolerance block and the vector toolkit. */
#ifndef VCBM_FRAME_H
#define VCBM_FRAME_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Marker ---- */

/* Returns 1; identifies the library. */
VCBM_API int KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics(void);

/* ---- Tolerance block ---- */

/* Fills the tolerance block from IPARAM(>=21) and RPARAM(>=22); ARG1 is not read; IER is always 0. */
VCBM_API void mcxcom(const int* ARG1, const int* IPARAM, const double* RPARAM, int* IER);
/* EPS = EPS1, the general length tolerance (RPARAM(12)). */
VCBM_API void meps1(double* EPS);
/* EPS = EPS3D (RPARAM(1)). */
VCBM_API void meps3d(double* EPS);
/* EPS = EPSNR (RPARAM(13)), NIT = NITNR (IPARAM(10)). */
VCBM_API void mepsnr(double* EPS, int* NIT);
/* EPSA = EPSPB (RPARAM(14)), EPSB = EPSPB2 (RPARAM(15)). */
VCBM_API void mepspb(double* EPSA, double* EPSB);
/* EPS = EPSNR, NIT = NITNR, NIT2 = NITLN (IPARAM(11)). */
VCBM_API void mepsln(double* EPS, int* NIT, int* NIT2);
/* EPS = EPSPB. */
VCBM_API void mveps3(double* EPS);

/* ---- Vector toolkit ---- */

VCBM_END_DECLS

#endif
