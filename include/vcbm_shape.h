/* Shape analysis of point sets. */
#ifndef VCBM_SHAPE_H
#define VCBM_SHAPE_H

#include "vcbm_export.h"

VCBM_BEGIN_DECLS

/* ---- Principal axes and shape classification ---- */

/**
 * @brief Principal axes of a point set: centroid, covariance matrix, its eigenvalues and eigenvectors.
 *
 * The covariance divides by NPTS and is formed as the mean of the products minus the product of
 * the means (the points are not moved to the centroid first). Its eigenproblem is solved by vpvpsy
 * at the EPSPB tolerance (mveps3); the eigenvalues come out largest first.
 *
 * @param[in]  NDIM    int: dimension of the points and order of the eigenproblem, at least 1.
 * @param[in]  NPTS    int: number of points, at least 1.
 * @param[in]  PTS     double PTS(NDIM, NPTS): the points, one per column.
 * @param[out] COV     double COV(NDIM, NDIM): work: receives the covariance matrix, then holds
 *                     the nearly diagonal matrix the eigensolver leaves.
 * @param[out] RESULT  double RESULT(2*NDIM + NDIM*NDIM): RESULT(1..NDIM) the eigenvalues in
 *                     decreasing order; RESULT(NDIM+1..2*NDIM) the centroid; then the eigenvectors
 *                     as an NDIM by NDIM matrix, column i the unit axis of eigenvalue i.
 * @param[out] IER     int: result code, see Codes.
 *
 * @par Codes
 *   - 0: success.
 *   - 1: the sweep limit of vpvpsy was reached; the results are complete but may not have
 *        converged to EPSPB.
 *   - 2: NDIM < 1 or NPTS < 1; nothing is written.
 *   - 11: EPSPB is not positive (the tolerance block is not set); the centroid and COV are
 *        written, the eigenvalues and eigenvectors are not.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 1, entry and exit lines (the level is read before EPSPB through mveps3). Reports
 *   positive codes through aermsg.
 */
VCBM_API void mckpl0(const int* NDIM, const int* NPTS, const double* PTS, double* COV, double* RESULT, int* IER);

/**
 * @brief Shape of a point set from its principal variances: "POIN", "DRTE" (line), "PLAN" or "QCQU".
 *
 * With the eigenvalues of mckpl0: "POIN" when TOL*TOL >= EIGEN(1); "DRTE" when TOL, or 1.0e-15,
 * is at least the sum of sqrt(abs(EIGEN(i))) for i = 2..NDIM; "PLAN" (NDIM >= 3 only) when TOL is
 * at least that sum for i = 3..NDIM; "QCQU" otherwise, so a planar set of dimension 2 that is not a
 * line is "QCQU". A NaN measure or tolerance never counts as flat.
 *
 * @param[in]  NDIM      int: number of eigenvalues; below 1 the verdict is "POIN" and EIGEN is
 *                       not read.
 * @param[in]  EIGEN     double EIGEN(NDIM): the eigenvalues in decreasing order.
 * @param[in]  TOL       double: distance tolerance, in the units of the points.
 * @param[out] KIND      char KIND(4): the verdict; exactly four characters are written.
 * @param[in]  KIND_len  long: length of KIND (hidden), not read: 4 characters are written.
 *
 * @par Codes
 *   None: any input yields one of the four verdicts.
 * @par Work space
 *   None.
 * @par Trace
 *   Threshold 2, entry and exit lines.
 */
VCBM_API void mckent(const int* NDIM, const double* EIGEN, const double* TOL, char* KIND, long KIND_len);

VCBM_END_DECLS

#endif
