/* Score parameters: the edge model, the score methods, the number of results
 * and sorting of a scoring run. */
#ifndef CCLP_SCORE_PARAMS_H
#define CCLP_SCORE_PARAMS_H

#include <stdint.h>

#include "cclp_export.h"
#include "cclp_score_method.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

enum cclp_polarity {
    cclp_polarityPositive = 1, /* contrast >= 0 */
    cclp_polarityNegative = 2, /* contrast <= 0 */
    cclp_polarityAny = 3       /* any other value accepts every edge */
};

typedef struct cclp_desiredEdge {
    double position;
    int32_t polarity;
} cclp_desiredEdge;

typedef struct cclp_scoreParams {
    int32_t numDesiredEdges; /* 1: single edges, 2: edge pairs */
    int32_t sortByScore;     /* 1: sort results by score */
    cclp_desiredEdge* desiredEdges;
    int32_t maxNumResults;
    int32_t numScoreMethods;
    cclp_score* scoreMethods;
    cclp_scoreFixed* scoreMethodsFixed; /* element i: fixed-point form of scoreMethods[i] */
} cclp_scoreParams;

CCLP_API int32_t cclp_scoreParams_construct(cclp_scoreParams* params);
CCLP_API int32_t cclp_scoreParams_constructCopy(cclp_scoreParams* params,
                                                const cclp_scoreParams* source);
CCLP_API int32_t cclp_scoreParams_assign(cclp_scoreParams* params, const cclp_scoreParams* source);
CCLP_API int32_t cclp_scoreParams_destruct(cclp_scoreParams* params);
CCLP_API int32_t cclp_scoreParams_new(cclp_scoreParams** params);
CCLP_API int32_t cclp_scoreParams_newClone(cclp_scoreParams** params,
                                           const cclp_scoreParams* source);
CCLP_API int32_t cclp_scoreParams_delete(cclp_scoreParams** params);

CCLP_API int32_t cclp_scoreParams_setDesiredEdges(cclp_scoreParams* params, int32_t count,
                                                  const cclp_desiredEdge* edges);
/* Gives the record's own array, valid until the next change of the record. */
CCLP_API int32_t cclp_scoreParams_getDesiredEdges(const cclp_scoreParams* params, int32_t* count,
                                                  const cclp_desiredEdge** edges);
CCLP_API int32_t cclp_scoreParams_setMaxNumResults(cclp_scoreParams* params, int32_t count);
CCLP_API int32_t cclp_scoreParams_getMaxNumResults(const cclp_scoreParams* params, int32_t* count);
CCLP_API int32_t cclp_scoreParams_setSortByScore(cclp_scoreParams* params, int32_t sortByScore);
CCLP_API int32_t cclp_scoreParams_getSortByScore(const cclp_scoreParams* params,
                                                 int32_t* sortByScore);
CCLP_API int32_t cclp_scoreParams_setScoreMethods(cclp_scoreParams* params, int32_t count,
                                                  const cclp_score* methods);
/* Gives the record's own array, valid until the next change of the record. */
CCLP_API int32_t cclp_scoreParams_getScoreMethods(const cclp_scoreParams* params, int32_t* count,
                                                  const cclp_score** methods);
CCLP_API int32_t cclp_scoreParams_updateOneSidedOffset(cclp_scoreParams* params, int32_t index,
                                                       double offset);
CCLP_API int32_t cclp_scoreParams_updateTwoSidedOffsets(cclp_scoreParams* params, int32_t index,
                                                        double lowOffset, double highOffset);

CCLP_EXTERN_C_END

#endif
