// What each score method measures on a candidate, and the value of a
// scoring function at a point, in double precision as the floating-point
// run defines them: the plot marks a candidate's measured values on the
// curves of the functions that scored them.
#pragma once

#include <vector>

#include "cclp_score/cclp_score.h"
#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

double oneSidedValue(const cclp_scoreOneSided& function, double x);
// The whole function: the low side below the split point, the high side at and above it.
double twoSidedValue(const cclp_scoreTwoSided& function, double x);
double splitPoint(const cclp_scoreTwoSided& function);

// The values a method scores for a candidate of one edge or a pair (first
// edge first): one value, or for edgePos and offsetDist on pairs two, the
// first scored by the low side and the second by the high side. Straddle
// measures nothing and gives none.
std::vector<double> measuredValues(const cclp_score& method, const std::vector<Edge>& edges,
                                   double expectedWidth);

}  // namespace cclp_cli
