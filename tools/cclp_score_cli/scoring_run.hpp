// Runs the library's scoring entry point on a job and collects what it wrote.
#pragma once

#include "cclp_score_cli/score_params.hpp"
#include "cclp_score_cli/scored_result.hpp"
#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

// Throws RunError when the library returns a failure status.
RunOutcome runJob(const Job& job, const ScoreParams& params);

}  // namespace cclp_cli
