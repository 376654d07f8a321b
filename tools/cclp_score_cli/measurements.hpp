// What each score method measures on a candidate (the C++ interface's
// measurement, over the tool's edges): the plot marks a candidate's
// measured values on the curves of the functions that scored them, and the
// reports list them.
#pragma once

#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "cclp_score_cli/cli_namespace.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// The values a method scores for a candidate of one edge or a pair (first
// edge first): one value, or for edgePos and offsetDist on pairs two, the
// first scored by the low side and the second by the high side. Straddle
// measures nothing and gives none.
std::vector<double> measuredValues(const cclp_score& method, const std::vector<Edge>& edges,
                                   double expectedWidth);

}  // namespace cclp_cli
