// The human-readable report of a run: a short summary of what was scored
// and an aligned table of the results, best first when sorted.
#pragma once

#include <string>

#include "cclp_score_cli/scoring_job.hpp"
#include "cclp_score_cli/scoring_run.hpp"

namespace cclp_cli {

std::string formatTable(const Job& job, const RunOutcome& outcome);

}  // namespace cclp_cli
