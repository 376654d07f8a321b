/* Math library (stand-in): the vector record and the few operations the
 * scoring module calls. */
#ifndef CMATH_LIB_H
#define CMATH_LIB_H

#include <stdint.h>

#include "platform_export.h"

#if defined(CMATH_BUILDING)
#  define CMATH_API PLATFORM_EXPORT
#else
#  define CMATH_API PLATFORM_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct cmath_vect {
    double x;
    double y;
} cmath_vect;

/* Sets the vector to (x, y). Returns 0, or a negative status for a null vector. */
CMATH_API int32_t cmath_vect_init(cmath_vect* vect, double x, double y);

/* The floor of the square root of value. */
CMATH_API uint32_t cmath_sqrt32(uint32_t value);

/* Nonzero when |a - b| <= tolerance (0 and 0 are equal whatever the tolerance). */
CMATH_API int32_t cmath_double_epsilonEqual(double a, double b, double tolerance);

#ifdef __cplusplus
}
#endif

#endif
