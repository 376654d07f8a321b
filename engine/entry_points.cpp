// The exported scoring entry points.
#include "cclp_score/cclp_run.h"
#include "frame/check.hpp"
#include "engine/runs.hpp"

namespace {

template <class Input, class Output>
int32_t dispatch(const Input* input, const cclp_scoreParams* params, Output* output) {
    CCLP_REQUIRE_NONNULL(input, params, output);
    return cclp::runScore(*input, *params, *output);
}

}  // namespace

extern "C" {

int32_t cclp_runScore(const cclp_resultSet* input, const cclp_scoreParams* params,
                      cclp_scoreResultSet* output) {
    return dispatch(input, params, output);
}

int32_t cclp_runScoreEx(const cclp_resultSetEx* input, const cclp_scoreParams* params,
                        cclp_scoreResultSetEx* output) {
    return dispatch(input, params, output);
}

}  // extern "C"
