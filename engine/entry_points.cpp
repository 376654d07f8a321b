// The exported scoring entry points. An input that carries floating-point
// edges is scored in double precision, any other in fixed point (which
// refuses an input without fixed-point edges).
#include "cclp_score/cclp_run.h"
#include "frame/check.hpp"
#include "engine/runs.hpp"

namespace {

template <class Input, class Output, class DoubleRun, class FixedRun>
int32_t dispatch(const Input* input, const cclp_scoreParams* params, Output* output,
                 DoubleRun runDouble, FixedRun runFixed) {
    CCLP_REQUIRE_NONNULL(input, params, output);
    if ((input->formats & CCLP_FORMAT_DOUBLE) != 0) return runDouble(*input, *params, *output);
    return runFixed(*input, *params, *output);
}

}  // namespace

extern "C" {

int32_t cclp_runScore(const cclp_resultSet* input, const cclp_scoreParams* params,
                      cclp_scoreResultSet* output) {
    return dispatch(input, params, output, cclp::runScoreDouble, cclp::runScoreFixed);
}

int32_t cclp_runScoreEx(const cclp_resultSetEx* input, const cclp_scoreParams* params,
                        cclp_scoreResultSetEx* output) {
    return dispatch(input, params, output, cclp::runScoreDoubleEx, cclp::runScoreFixedEx);
}

}  // extern "C"
