// The four scoring runs: floating point and fixed point, each over the
// caliper's result set and over the extended one. Each reads only the
// input's edges of its format, and fills the output.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_result_set_ex.h"
#include "cclp_score/cclp_results.h"
#include "cclp_score/cclp_score_params.h"

namespace cclp {

int32_t runScoreDouble(const cclp_resultSet& input, const cclp_scoreParams& params,
                       cclp_scoreResultSet& output);
int32_t runScoreDoubleEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                         cclp_scoreResultSetEx& output);
int32_t runScoreFixed(const cclp_resultSet& input, const cclp_scoreParams& params,
                      cclp_scoreResultSet& output);
int32_t runScoreFixedEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                        cclp_scoreResultSetEx& output);

}  // namespace cclp
