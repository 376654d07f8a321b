/* Score methods: which property of a candidate is scored, and by which
 * scoring function. */
#ifndef CCLP_SCORE_METHOD_H
#define CCLP_SCORE_METHOD_H

#include <stdint.h>

#include "cclp_export.h"
#include "cclp_scoring_function.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/* Method numbers. p0, p1: positions of a pair's edges; w: expected width. */
enum cclp_scoreMethodNumber {
    cclp_scoreMethodSizeDiff = 1,       /* ||p1 - p0| - w| / w, pairs */
    cclp_scoreMethodSize = 2,           /* |p1 - p0| / w, pairs */
    cclp_scoreMethodPosNormAbs = 3,     /* |p0 + p1| / 2w, pairs */
    cclp_scoreMethodPosAbs = 4,         /* |p0|, or |p0 + p1| / 2 */
    cclp_scoreMethodStraddle = 5,       /* 1 when p0 < 0 < p1, pairs */
    cclp_scoreMethodContrast = 6,       /* mean absolute contrast */
    cclp_scoreMethodPosNorm = 7,        /* (p0 + p1) / 2w, pairs */
    cclp_scoreMethodPos = 8,            /* p0, or (p0 + p1) / 2 */
    cclp_scoreMethodSizeDiffSigned = 9, /* (|p1 - p0| - w) / w, two-sided, pairs */
    cclp_scoreMethodEdgePos = 10,       /* p0 by lowSide, p1 by highSide, pairs */
    cclp_scoreMethodOffsetDist = 11,    /* distance from the position offsets */
    cclp_scoreMethodExtra1Diff = 12,    /* |extra1 difference|, extended pairs */
    cclp_scoreMethodExtraMax = 13       /* largest extra2/extra3, extended edges */
};

typedef struct cclp_score {
    int32_t isOneSided; /* 1: built with a one-sided function, 0: two-sided */
    cclp_scoreOneSided oneSided;
    cclp_scoreTwoSided twoSided;
    int32_t method; /* cclp_scoreMethodNumber */
} cclp_score;

/* The fixed-point form kept beside every stored score method. */
typedef struct cclp_scoreFixed {
    int32_t isOneSided;
    cclp_scoreOneSidedFixed oneSided;
    cclp_scoreTwoSidedFixed twoSided;
    int32_t method;
} cclp_scoreFixed;

/* A one-sided contrast method: 0 at contrast 0 rising to 1 at 255. */
CCLP_API int32_t cclp_score_init(cclp_score* score);
/* Accepts methods 1-8, 11, 12, 13; copies the function into oneSided. */
CCLP_API int32_t cclp_score_initScoreMethodOneSided(cclp_score* score, int32_t method,
                                                    const cclp_scoreOneSided* function);
/* Accepts methods 9, 10, 11; copies the function into twoSided. */
CCLP_API int32_t cclp_score_initScoreMethodTwoSided(cclp_score* score, int32_t method,
                                                    const cclp_scoreTwoSided* function);
CCLP_API int32_t cclp_score_new(cclp_score** score);
CCLP_API int32_t cclp_score_newClone(cclp_score** score, const cclp_score* source);
CCLP_API int32_t cclp_score_delete(cclp_score** score);

CCLP_EXTERN_C_END

#endif
