/* Faults the documentation check must find (its own test). */
#include "vcbm_export.h"

/* A plain comment is not a doc block. */
VCBM_API void nodoc(const int* N);

/**
 * @brief Misses an argument and names a stranger.
 *
 * @param[in]  N  int: a count.
 * @param[out] Z  double: not an argument.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void missing(const int* N, double* X, char* S, long S_len);

/**
 * @brief Arguments out of order, no Trace paragraph.
 *
 * @param[out] B  double: second.
 * @param[in]  A  double: first.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 */
VCBM_API void swapped(const double* A, double* B);

/**
 * @brief A correct block, with a function pointer argument.
 *
 * @param[in]  F  function: the integrand.
 * @param[out] R  double: the result.
 *
 * @par Codes
 *   None.
 * @par Work space
 *   None.
 * @par Trace
 *   None.
 */
VCBM_API void good(void (*F)(const double* T, double* V), double* R);
