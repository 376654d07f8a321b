#include "engine/runs.hpp"

#include "engine/result_records.hpp"
#include "engine/run_skeleton.hpp"

namespace cclp {

int32_t runScoreDouble(const cclp_resultSet& input, const cclp_scoreParams& params,
                       cclp_scoreResultSet& output, const RunShortcuts& shortcuts) {
    return ScoringRun<double, PlainRecords>(input, params, output, shortcuts).run();
}

int32_t runScoreDoubleEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                         cclp_scoreResultSetEx& output, const RunShortcuts& shortcuts) {
    return ScoringRun<double, ExtendedRecords>(input, params, output, shortcuts).run();
}

int32_t runScoreFixed(const cclp_resultSet& input, const cclp_scoreParams& params,
                      cclp_scoreResultSet& output, const RunShortcuts& shortcuts) {
    return ScoringRun<int32_t, PlainRecords>(input, params, output, shortcuts).run();
}

int32_t runScoreFixedEx(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                        cclp_scoreResultSetEx& output, const RunShortcuts& shortcuts) {
    return ScoringRun<int32_t, ExtendedRecords>(input, params, output, shortcuts).run();
}

int32_t runScore(const cclp_resultSet& input, const cclp_scoreParams& params,
                 cclp_scoreResultSet& output, const RunShortcuts& shortcuts) {
    return (input.formats & CCLP_FORMAT_DOUBLE) != 0
               ? runScoreDouble(input, params, output, shortcuts)
               : runScoreFixed(input, params, output, shortcuts);
}

int32_t runScore(const cclp_resultSetEx& input, const cclp_scoreParams& params,
                 cclp_scoreResultSetEx& output, const RunShortcuts& shortcuts) {
    return (input.formats & CCLP_FORMAT_DOUBLE) != 0
               ? runScoreDoubleEx(input, params, output, shortcuts)
               : runScoreFixedEx(input, params, output, shortcuts);
}

}  // namespace cclp
