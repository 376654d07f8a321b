/** @file
 * Score parameters: the edge model, the score methods, the number of results
 * and sorting of a scoring run. */
#ifndef CCLP_SCORE_PARAMS_H
#define CCLP_SCORE_PARAMS_H

#include <stdint.h>

#include "cclp_export.h"
#include "cclp_score_method.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/** The polarity a desired edge accepts: the sign of an edge's contrast. */
enum cclp_polarity {
    cclp_polarityPositive = 1, /**< contrast >= 0 */
    cclp_polarityNegative = 2, /**< contrast <= 0 */
    cclp_polarityAny = 3       /**< any other value accepts every edge */
};

/** An edge the caller looks for: where it is expected, and its polarity. */
typedef struct cclp_desiredEdge {
    double position;  /**< expected position, from the caliper's centre */
    int32_t polarity; /**< a cclp_polarity */
} cclp_desiredEdge;

/** The score parameters of a run. Set them through the functions below,
 * which check them and keep the fixed-point forms up to date. */
typedef struct cclp_scoreParams {
    int32_t numDesiredEdges;        /**< 1: single edges, 2: edge pairs */
    int32_t sortByScore;            /**< 1: sort results by score */
    cclp_desiredEdge* desiredEdges; /**< numDesiredEdges, owned */
    int32_t maxNumResults;          /**< the most results a run keeps, > 0 */
    int32_t numScoreMethods;        /**< > 0 */
    cclp_score* scoreMethods;       /**< numScoreMethods, owned */
    cclp_scoreFixed* scoreMethodsFixed; /**< element i: fixed-point form of scoreMethods[i], owned */
} cclp_scoreParams;

/** Default parameters: one desired edge at 0 of any polarity, one
 * cclp_score_init() method, one result, sorted. */
CCLP_API int32_t cclp_scoreParams_construct(cclp_scoreParams* params);
/** Constructs params as a copy of source. */
CCLP_API int32_t cclp_scoreParams_constructCopy(cclp_scoreParams* params,
                                                const cclp_scoreParams* source);
/** Makes the constructed params a copy of source. */
CCLP_API int32_t cclp_scoreParams_assign(cclp_scoreParams* params, const cclp_scoreParams* source);
/** Frees what params owns. */
CCLP_API int32_t cclp_scoreParams_destruct(cclp_scoreParams* params);
/** Allocates constructed parameters into *params (null on failure). */
CCLP_API int32_t cclp_scoreParams_new(cclp_scoreParams** params);
/** Allocates a copy of source into *params (null on failure). */
CCLP_API int32_t cclp_scoreParams_newClone(cclp_scoreParams** params,
                                           const cclp_scoreParams* source);
/** Destructs and frees what *params holds and nulls it; a null *params is
 * left alone. */
CCLP_API int32_t cclp_scoreParams_delete(cclp_scoreParams** params);

/** Stores count (1: single edges, 2: a pair) desired edges, copied. */
CCLP_API int32_t cclp_scoreParams_setDesiredEdges(cclp_scoreParams* params, int32_t count,
                                                  const cclp_desiredEdge* edges);
/** The desired edges: the record's own array, valid until the next change of
 * the record. */
CCLP_API int32_t cclp_scoreParams_getDesiredEdges(const cclp_scoreParams* params, int32_t* count,
                                                  const cclp_desiredEdge** edges);
/** Sets the most results a run keeps (> 0). */
CCLP_API int32_t cclp_scoreParams_setMaxNumResults(cclp_scoreParams* params, int32_t count);
/** The most results a run keeps. */
CCLP_API int32_t cclp_scoreParams_getMaxNumResults(const cclp_scoreParams* params, int32_t* count);
/** 1: runs sort their results best first; 0: in the order they were formed. */
CCLP_API int32_t cclp_scoreParams_setSortByScore(cclp_scoreParams* params, int32_t sortByScore);
/** Whether runs sort their results. */
CCLP_API int32_t cclp_scoreParams_getSortByScore(const cclp_scoreParams* params,
                                                 int32_t* sortByScore);
/** Stores count (> 0) score methods, copied, with their fixed-point forms. */
CCLP_API int32_t cclp_scoreParams_setScoreMethods(cclp_scoreParams* params, int32_t count,
                                                  const cclp_score* methods);
/** The score methods: the record's own array, valid until the next change of
 * the record. */
CCLP_API int32_t cclp_scoreParams_getScoreMethods(const cclp_scoreParams* params, int32_t* count,
                                                  const cclp_score** methods);
/** Sets the position offset of the one-sided function of method index. */
CCLP_API int32_t cclp_scoreParams_updateOneSidedOffset(cclp_scoreParams* params, int32_t index,
                                                       double offset);
/** Sets both position offsets of the two-sided function of method index. */
CCLP_API int32_t cclp_scoreParams_updateTwoSidedOffsets(cclp_scoreParams* params, int32_t index,
                                                        double lowOffset, double highOffset);

CCLP_EXTERN_C_END

#endif
