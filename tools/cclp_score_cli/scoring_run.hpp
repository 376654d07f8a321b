// Runs a recording through the C++ interface and collects what it wrote.
#pragma once

#include "cclp_score/cclp_score.hpp"
#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scored_result.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// Throws RunError when the library returns a failure status.
RunOutcome runJob(const Recording& job, cclp::score::Params params);

}  // namespace cclp_cli
