/** @file
 * Scoring entry points: score the edges of a caliper result set against the
 * score parameters and write the best candidates into a scored result set.
 * Inputs that carry floating-point edges are scored in double precision,
 * the others in 1/256 fixed point. */
#ifndef CCLP_RUN_H
#define CCLP_RUN_H

#include <stdint.h>

#include "cclp_caliper.h"
#include "cclp_export.h"
#include "cclp_result_set_ex.h"
#include "cclp_results.h"
#include "cclp_score_params.h"
#include "cclp_status.h"

CCLP_EXTERN_C_BEGIN

/** Scores the edges of input against params and writes the best candidates,
 * at most params->maxNumResults, into output (whose earlier results are
 * replaced). Runs in double precision when input carries floating-point
 * edges, in 1/256 fixed point otherwise. A failed run leaves output as it
 * was. */
CCLP_API int32_t cclp_runScore(const cclp_resultSet* input, const cclp_scoreParams* params,
                               cclp_scoreResultSet* output);
/** cclp_runScore() for extended edges, which the extra1Diff and extraMax
 * methods need. */
CCLP_API int32_t cclp_runScoreEx(const cclp_resultSetEx* input, const cclp_scoreParams* params,
                                 cclp_scoreResultSetEx* output);

CCLP_EXTERN_C_END

#endif
