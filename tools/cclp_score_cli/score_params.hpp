// The score parameters record of a job, built through the library's
// settings, after checking that every method suits the edge model and that
// the run fits the module's 32-bit counts.
#pragma once

#include "cclp_score/cclp_score.h"
#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

class ScoreParams {
public:
    explicit ScoreParams(const Job& job);  // throws InputError
    ~ScoreParams();
    ScoreParams(const ScoreParams&) = delete;
    ScoreParams& operator=(const ScoreParams&) = delete;

    const cclp_scoreParams* get() const { return &params_; }

private:
    cclp_scoreParams params_{};
};

// The checks of the constructor that need no library record.
void checkMethodsSuitEdgeModel(const Job& job);
void checkRunSize(const Job& job);

}  // namespace cclp_cli
