/*
 * Constant tables of the OrvoSystem library, read-only data.
 *
 *   mcmcnp  binomial coefficients C(n, p), 0 <= p <= n <= 60, at index
 *           n + 61*p (and, the table being symmetric, at p + 61*n).
 *           Entries with p > n hold C(p, n). Values are the exact integers
 *           rounded to the nearest double (exact up to 2^53).
 *   dnombr  real constants by 1-based position: 1 pi, 2 2*pi, 3 pi/2,
 *           4 pi/180, 5 180/pi, 6 0, 7 1, 8 180, 9 360, 10 90.
 *   inombr  element k+1 holds the integer k, k = 0..ORVO_INOMBR_MAX.
 */
#ifndef ORVOSYSTEM_H
#define ORVOSYSTEM_H

#define ORVO_MCMCNP_SIZE 3721
#define ORVO_DNOMBR_SIZE 10
#define ORVO_INOMBR_MAX 100

#ifdef __cplusplus
extern "C" {
#endif

extern const double mcmcnp[ORVO_MCMCNP_SIZE];
extern const double dnombr[ORVO_DNOMBR_SIZE];
extern const int inombr[ORVO_INOMBR_MAX + 1];

#ifdef __cplusplus
}
#endif

#endif
