#include "engine/runs.hpp"

#include "engine/result_records.hpp"
#include "engine/run_skeleton.hpp"

namespace cclp {

int32_t runScoreDouble(const cclp_resultSet& input, const cclp_scoreParams& params,
                       cclp_scoreResultSet& output) {
    return ScoringRun<double, PlainRecords>(input, params, output).run();
}

int32_t runScoreDoubleEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                         cclp_scoreResultSetEx& output) {
    return ScoringRun<double, ExtendedRecords>(input, params, output).run();
}

int32_t runScoreFixed(const cclp_resultSet& input, const cclp_scoreParams& params,
                      cclp_scoreResultSet& output) {
    return ScoringRun<int32_t, PlainRecords>(input, params, output).run();
}

int32_t runScoreFixedEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                        cclp_scoreResultSetEx& output) {
    return ScoringRun<int32_t, ExtendedRecords>(input, params, output).run();
}

}  // namespace cclp
