// The four scoring runs: floating point and fixed point, each over the
// caliper's result set and over the extended one. Each reads only the
// input's edges of its format, and fills the output.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_result_set_ex.h"
#include "cclp_score/cclp_results.h"
#include "cclp_score/cclp_score_params.h"

namespace cclp {

// The shortcuts a run takes where they cannot change what it writes or
// where it polls; the tests turn them off to compare with the full course.
struct RunShortcuts {
    bool skipRoots = true;    // no root for candidates ranking after the bar
    bool keepRecords = true;  // a growing output keeps the records it holds
    bool windowPairs = true;  // pair runs score only the pairs of a window
};

int32_t runScoreDouble(const cclp_resultSet& input, const cclp_scoreParams& params,
                       cclp_scoreResultSet& output, const RunShortcuts& shortcuts = {});
int32_t runScoreDoubleEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                         cclp_scoreResultSetEx& output, const RunShortcuts& shortcuts = {});
int32_t runScoreFixed(const cclp_resultSet& input, const cclp_scoreParams& params,
                      cclp_scoreResultSet& output, const RunShortcuts& shortcuts = {});
int32_t runScoreFixedEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                        cclp_scoreResultSetEx& output, const RunShortcuts& shortcuts = {});

// The run for the input: an input that carries floating-point edges is
// scored in double precision, any other in fixed point (which refuses an
// input without fixed-point edges).
int32_t runScore(const cclp_resultSet& input, const cclp_scoreParams& params,
                 cclp_scoreResultSet& output, const RunShortcuts& shortcuts = {});
int32_t runScore(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                 cclp_scoreResultSetEx& output, const RunShortcuts& shortcuts = {});

}  // namespace cclp
