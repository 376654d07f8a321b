// The plot of a run, as one SVG document: the caliper's edges (polarity by
// colour) and the kept candidates along the caliper, then for each score
// method its scoring function with the kept candidates' measured values
// marked and labelled by rank.
#pragma once

#include <string>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/image_edges.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// With the region of the image the edges were found in, the image is drawn
// above the caliper strip.
std::string renderPlot(const Recording& job, const RunOutcome& outcome,
                       const ImageRegion* region = nullptr);

}  // namespace cclp_cli
