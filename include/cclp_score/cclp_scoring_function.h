/** @file
 * Piecewise-linear scoring functions: one-sided and two-sided, with their
 * 1/256 fixed-point forms. A score method maps the value it measures through
 * one of them to a score from 0 to 1. */
#ifndef CCLP_SCORING_FUNCTION_H
#define CCLP_SCORING_FUNCTION_H

#include <stdint.h>

#include "cclp_export.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/** A scaled value (v*256) rounded to 1/256 units the way the module rounds:
 * + 0.5 and truncated toward zero when it is 0 or more, - 0.4999999999 and
 * truncated otherwise. Values outside the 32-bit range saturate and NaN
 * becomes 0, so that no conversion is undefined. */
static inline int32_t cclp_round256Scaled(double scaled) {
    double rounded;
    if (scaled != scaled) return 0;
    rounded = scaled >= 0.0 ? scaled + 0.5 : scaled - 0.4999999999;
    if (rounded >= 2147483648.0) return INT32_MAX;
    if (rounded <= -2147483649.0) return INT32_MIN;
    return (int32_t)rounded;
}

/** A double in units of 1/256, as the fixed-point forms of score methods and
 * results hold it (multiplying by 256 is exact). */
static inline int32_t cclp_round256(double value) { return cclp_round256Scaled(value * 256.0); }

/** A one-sided scoring function: top plateau y0 from x0 outward, ramp to (x1, y1), lower plateau y1 up to
 * x2, 0 beyond. Abscissae run upward (x0 <= x1 <= x2) or downward. */
typedef struct cclp_scoreOneSided {
    double positionOffset; /**< reference position of the offset-distance method */
    double x0;          /**< end of the top plateau */
    double x1;          /**< end of the ramp, start of the lower plateau */
    double x2;          /**< end of the lower plateau; 0 beyond */
    double y0;          /**< score of the top plateau, 0 to 1 */
    double y1;          /**< score of the lower plateau, 0 to y0 */
    double rampConst;   /**< derived: x1*y0 - x0*y1 */
    double rampDrop;    /**< derived: y0 - y1 */
    double rampInvSpan; /**< derived: 1/(x1 - x0), or 1e9 for a ramp of 1e-7 or less */
} cclp_scoreOneSided;

/** cclp_scoreOneSided in units of 1/256 (cclp_round256()): the form a
 * fixed-point run uses. */
typedef struct cclp_scoreOneSidedFixed {
    int32_t positionOffset; /**< cclp_scoreOneSided::positionOffset */
    int32_t x0;             /**< cclp_scoreOneSided::x0 */
    int32_t x1;             /**< cclp_scoreOneSided::x1 */
    int32_t x2;             /**< cclp_scoreOneSided::x2 */
    int32_t y0;             /**< cclp_scoreOneSided::y0 (256 is 1) */
    int32_t y1;             /**< cclp_scoreOneSided::y1 (256 is 1) */
    int32_t rampConst;      /**< cclp_scoreOneSided::rampConst */
    int32_t rampDrop;       /**< cclp_scoreOneSided::rampDrop */
    int32_t rampInvSpan;    /**< cclp_scoreOneSided::rampInvSpan */
} cclp_scoreOneSidedFixed;

/** A two-sided scoring function: lowSide scores values below the split point
 * (the smaller end abscissa of highSide), highSide every other value. */
typedef struct cclp_scoreTwoSided {
    cclp_scoreOneSided lowSide;  /**< scores values below the split point */
    cclp_scoreOneSided highSide; /**< scores the split point and above */
} cclp_scoreTwoSided;

/** cclp_scoreTwoSided in units of 1/256. */
typedef struct cclp_scoreTwoSidedFixed {
    cclp_scoreOneSidedFixed lowSide;  /**< cclp_scoreTwoSided::lowSide */
    cclp_scoreOneSidedFixed highSide; /**< cclp_scoreTwoSided::highSide */
} cclp_scoreTwoSidedFixed;

/** Makes function score 1 up to 0, falling linearly to 0 at 1, 0 beyond. */
CCLP_API int32_t cclp_scoreOneSided_init(cclp_scoreOneSided* function);
/** Checks (abscissae order, y0, y1, y0 >= y1), stores, derives; resets the
 * position offset. A failure leaves the record unchanged. */
CCLP_API int32_t cclp_scoreOneSided_initValues(cclp_scoreOneSided* function, double x0, double x1,
                                               double x2, double y0, double y1);
/** The five values cclp_scoreOneSided_initValues() stored. */
CCLP_API int32_t cclp_scoreOneSided_getValues(const cclp_scoreOneSided* function, double* x0,
                                              double* x1, double* x2, double* y0, double* y1);
/** Sets the reference position the offset-distance method measures from. */
CCLP_API int32_t cclp_scoreOneSided_setPositionOffset(cclp_scoreOneSided* function, double offset);
/** The reference position of the offset-distance method. */
CCLP_API int32_t cclp_scoreOneSided_getPositionOffset(const cclp_scoreOneSided* function,
                                                      double* offset);

/** Makes function a triangle peaking at 0 with score 1, reaching 0 at -1 and +1. */
CCLP_API int32_t cclp_scoreTwoSided_init(cclp_scoreTwoSided* function);
/** Cross-checks both sides, then initialises lowSide and highSide. */
CCLP_API int32_t cclp_scoreTwoSided_initValues(cclp_scoreTwoSided* function, double lowX0,
                                               double lowX1, double lowX2, double highX0,
                                               double highX1, double highX2, double lowY0,
                                               double lowY1, double highY0, double highY1);
/** Initialises each side on its own, without the cross-checks. */
CCLP_API int32_t cclp_scoreTwoSided_initOneSided(cclp_scoreTwoSided* function, double lowX0,
                                                 double lowX1, double lowX2, double lowY0,
                                                 double lowY1, double highX0, double highX1,
                                                 double highX2, double highY0, double highY1);
/** The ten values, in the order of cclp_scoreTwoSided_initValues(). */
CCLP_API int32_t cclp_scoreTwoSided_getValues(const cclp_scoreTwoSided* function, double* lowX0,
                                              double* lowX1, double* lowX2, double* highX0,
                                              double* highX1, double* highX2, double* lowY0,
                                              double* lowY1, double* highY0, double* highY1);
/** Sets both sides' reference positions for the offset-distance method. */
CCLP_API int32_t cclp_scoreTwoSided_setPositionOffsets(cclp_scoreTwoSided* function,
                                                       double lowOffset, double highOffset);
/** Both sides' reference positions for the offset-distance method. */
CCLP_API int32_t cclp_scoreTwoSided_getPositionOffsets(const cclp_scoreTwoSided* function,
                                                       double* lowOffset, double* highOffset);

CCLP_EXTERN_C_END

#endif
