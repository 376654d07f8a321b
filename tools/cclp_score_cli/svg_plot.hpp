// The plot of a run, as one SVG document: the caliper's edges (polarity by
// colour) and the kept candidates along the caliper, then for each score
// method its scoring function with the kept candidates' measured values
// marked and labelled by rank.
#pragma once

#include <string>

#include "cclp_score_cli/scoring_job.hpp"
#include "cclp_score_cli/scoring_run.hpp"

namespace cclp_cli {

std::string renderPlot(const Job& job, const RunOutcome& outcome);

}  // namespace cclp_cli
