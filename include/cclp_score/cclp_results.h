/** @file
 * Scored results: one scored candidate, and the set of them a run writes,
 * each in a plain and an extended form. */
#ifndef CCLP_RESULTS_H
#define CCLP_RESULTS_H

#include <stdint.h>

#include "cclp_caliper.h"
#include "cclp_export.h"
#include "cclp_result_set_ex.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/** One scored candidate: a single edge or an edge pair. */
typedef struct cclp_scoreOneResult {
    int32_t numScores;      /**< one score per score method of the run */
    uint32_t formats;       /**< CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED: which fields are valid */
    int32_t numEdges;       /**< 1: single edge, 2: edge pair */
    double position;        /**< the edge's position, or the mean of the pair's */
    int32_t positionFixed;  /**< position in 1/256 units */
    double score;           /**< combined score, 0 to 1 */
    int32_t scoreFixed;     /**< 0 to 256 */
    double* scores;         /**< numScores, owned */
    int32_t* scoresFixed;   /**< numScores, owned */
    cclp_edge* edges;       /**< numEdges copies, owned */
    cclp_edgeFixed* edgesFixed; /**< numEdges copies in 1/256 units, owned */
} cclp_scoreOneResult;

/** The scored candidates a run keeps. */
typedef struct cclp_scoreResultSet {
    int32_t numResults;           /**< results kept */
    cclp_scoreOneResult* results; /**< numResults, owned; best first when the run sorted */
} cclp_scoreResultSet;

/** cclp_scoreOneResult with extended edges. */
typedef struct cclp_scoreOneResultEx {
    int32_t numScores;            /**< cclp_scoreOneResult::numScores */
    uint32_t formats;             /**< cclp_scoreOneResult::formats */
    int32_t numEdges;             /**< cclp_scoreOneResult::numEdges */
    double position;              /**< cclp_scoreOneResult::position */
    int32_t positionFixed;        /**< cclp_scoreOneResult::positionFixed */
    double score;                 /**< cclp_scoreOneResult::score */
    int32_t scoreFixed;           /**< cclp_scoreOneResult::scoreFixed */
    double* scores;               /**< cclp_scoreOneResult::scores */
    int32_t* scoresFixed;         /**< cclp_scoreOneResult::scoresFixed */
    cclp_edgeEx* edges;           /**< numEdges extended copies, owned */
    cclp_edgeFixedEx* edgesFixed; /**< numEdges extended copies in 1/256 units, owned */
} cclp_scoreOneResultEx;

/** cclp_scoreResultSet with extended results. */
typedef struct cclp_scoreResultSetEx {
    int32_t numResults;             /**< results kept */
    cclp_scoreOneResultEx* results; /**< numResults, owned; best first when the run sorted */
} cclp_scoreResultSetEx;

/** An empty record. */
CCLP_API int32_t cclp_scoreOneResult_construct(cclp_scoreOneResult* result);
/** Constructs the record as a copy of source. */
CCLP_API int32_t cclp_scoreOneResult_constructCopy(cclp_scoreOneResult* result,
                                                   const cclp_scoreOneResult* source);
/** Makes the constructed record a copy of source. */
CCLP_API int32_t cclp_scoreOneResult_assign(cclp_scoreOneResult* result,
                                            const cclp_scoreOneResult* source);
/** Empties the record, freeing what it owns. */
CCLP_API int32_t cclp_scoreOneResult_reset(cclp_scoreOneResult* result);
/** Frees what the record owns. */
CCLP_API int32_t cclp_scoreOneResult_destruct(cclp_scoreOneResult* result);

/** An empty record. */
CCLP_API int32_t cclp_scoreResultSet_construct(cclp_scoreResultSet* set);
/** Constructs the record as a copy of source. */
CCLP_API int32_t cclp_scoreResultSet_constructCopy(cclp_scoreResultSet* set,
                                                   const cclp_scoreResultSet* source);
/** Makes the constructed record a copy of source. */
CCLP_API int32_t cclp_scoreResultSet_assign(cclp_scoreResultSet* set,
                                            const cclp_scoreResultSet* source);
/** Empties the record, freeing what it owns. */
CCLP_API int32_t cclp_scoreResultSet_reset(cclp_scoreResultSet* set);
/** Frees what the record owns. */
CCLP_API int32_t cclp_scoreResultSet_destruct(cclp_scoreResultSet* set);

/** An empty record. */
CCLP_API int32_t cclp_scoreOneResultEx_construct(cclp_scoreOneResultEx* result);
/** Constructs the record as a copy of source. */
CCLP_API int32_t cclp_scoreOneResultEx_constructCopy(cclp_scoreOneResultEx* result,
                                                     const cclp_scoreOneResultEx* source);
/** Makes the constructed record a copy of source. */
CCLP_API int32_t cclp_scoreOneResultEx_assign(cclp_scoreOneResultEx* result,
                                              const cclp_scoreOneResultEx* source);
/** Empties the record, freeing what it owns. */
CCLP_API int32_t cclp_scoreOneResultEx_reset(cclp_scoreOneResultEx* result);
/** Frees what the record owns. */
CCLP_API int32_t cclp_scoreOneResultEx_destruct(cclp_scoreOneResultEx* result);
/** Plain to extended: extras become 0. */
CCLP_API int32_t cclp_scoreOneResultEx_assignToEx(cclp_scoreOneResultEx* result,
                                                  const cclp_scoreOneResult* source);
/** Extended to plain: extras are dropped. */
CCLP_API int32_t cclp_scoreOneResultEx_assignFromEx(cclp_scoreOneResult* result,
                                                    const cclp_scoreOneResultEx* source);

/** An empty record. */
CCLP_API int32_t cclp_scoreResultSetEx_construct(cclp_scoreResultSetEx* set);
/** Constructs the record as a copy of source. */
CCLP_API int32_t cclp_scoreResultSetEx_constructCopy(cclp_scoreResultSetEx* set,
                                                     const cclp_scoreResultSetEx* source);
/** Makes the constructed record a copy of source. */
CCLP_API int32_t cclp_scoreResultSetEx_assign(cclp_scoreResultSetEx* set,
                                              const cclp_scoreResultSetEx* source);
/** Frees what the record owns. */
CCLP_API int32_t cclp_scoreResultSetEx_destruct(cclp_scoreResultSetEx* set);
/** Plain to extended: extras become 0. */
CCLP_API int32_t cclp_scoreResultSetEx_assignToEx(cclp_scoreResultSetEx* set,
                                                  const cclp_scoreResultSet* source);
/** Extended to plain: extras are dropped. */
CCLP_API int32_t cclp_scoreResultSetEx_assignFromEx(cclp_scoreResultSet* set,
                                                    const cclp_scoreResultSetEx* source);

CCLP_EXTERN_C_END

#endif
