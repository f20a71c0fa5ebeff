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

/* Dot product A . B of two N-vectors; 0 when N < 1. */
VCBM_API double sc(const int* N, const double* A, const double* B);
/* Cross product C = A x B of two 3-vectors. */
VCBM_API void pvec(const double* A, const double* B, double* C);
/* Triple product (A x B) . C of three 3-vectors. */
VCBM_API double pmixt(const double* A, const double* B, const double* C);
/* Euclidean norm of V(N), scaled by its largest component when that is >= 1; 0 when N < 1. */
VCBM_API double zsnorm(const int* N, const double* V);
/* P = A(1) + A(2)X + ... + A(N)X^(N-1) by Horner; 0 when N < 1. */
VCBM_API void upos(const int* N, const double* A, const double* X, double* P);
/* F(k) = k! for k = 1..N (F(1) = 1 always); returns N! (1 when N < 2). */
VCBM_API double fac(double* F, const int* N);
/* IPOS = first i with ITAB(i) = IVAL, 0 when none or N < 1. */
VCBM_API void sintab(const int* IVAL, const int* N, const int* ITAB, int* IPOS);
/* ANGLE in degrees converted to radians. */
VCBM_API double sdegrd(const double* ANGLE);
/* Binomial coefficient C(N, P) read from the mcmcnp table; 0 outside 0..60. */
VCBM_API double maccnp(const int* N, const int* P);
/* Logical (-1 true, 0 false): A and B are equal relative to TOL(1), magnitudes clamped into [TOL(2), TOL(3)]. */
VCBM_API int scmpval(const double* A, const double* B, const double* TOL);
/* VU = V/norm(V), snapped to an exact axis when within reach; IER = 101 when norm(V) <= EPS (10^-E when EPS <= 0). */
VCBM_API void munivt(const int* N, const double* V, double* VU, const double* EPS, int* IER);
/* As munivt with the tolerance 1.0e-16; IER = 101 is reported. */
VCBM_API void muntvt(const int* N, const double* V, double* VU, int* IER);
/* As munivt with the tolerance 1.0e-16; returns 0, or 1 after germsg when N < 1 or V is too short. */
VCBM_API int unitvt(const int* N, const double* V, double* VU);
/* As munivt, also giving XNORM; IER = -1 (reported) for a too-short vector, 10 when N < 1. */
VCBM_API void vnitvt(const double* EPS, const int* N, const double* V, double* VU, double* XNORM, int* IER);
/* A unit vector VP perpendicular to V (N = 2 or 3); IER = 1 for another N or a zero V. */
VCBM_API void prpvct(const int* N, const double* V, double* VP, int* IER);
/* Angle from V1 to V2 in degrees and radians (signed in 2D, in [0, pi] in 3D); IER 1000, 1, 2 or 110. */
VCBM_API void mangle(const int* N, const double* V1, const double* V2, double* ADEG, double* ARAD, int* IER);
/* Coordinates of P in the basis (U, V, U x V); IER 1, 2 or 3 with COORD = 0. */
VCBM_API void mcoord(const double* P, const double* U, const double* V, const double* TOL, double* COORD, int* IER);
/* As mcoord; with IDER = 1 also the derivatives DCOORD from DP, DU, DV (DCOORD = 0 otherwise). */
VCBM_API void mcoord1(const int* IDER, const double* P, const double* U, const double* V, const double* DP,
                      const double* DU, const double* DV, const double* TOL, double* COORD, double* DCOORD,
                      int* IER);
/* Right-handed orthonormal frame BASE(3, 3) whose third column is V/norm(V); IER = 1 when EPS > max abs(V(i)). */
VCBM_API void scbase(const double* V, const double* EPS, double* BASE, int* IER);

VCBM_END_DECLS

#endif
