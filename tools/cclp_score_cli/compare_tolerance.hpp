// How far a fixed-point score may lie from the floating-point one when both
// runs are right. The fixed-point run rounds each edge value to 1/256 and
// each measured value to 1/256 of its unit before the function, so a method
// score may move by as much as its function moves over that quantisation of
// the measured value, plus the rounding of the ramp's integer arithmetic.
// The allowance is worked out for each candidate at its measured values: a
// steep ramp allows more, a plateau less, a step (straddle's, or a function
// ending above 0) everything when the value lies within a quantum of it.
#pragma once

#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "cclp_score_cli/cli_namespace.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// The quantum of a method's measured value in the fixed-point run, in the
// measured value's unit: 2/256 for positions, contrasts and extras (each
// value rounded, then halved or subtracted, and the function's abscissae
// rounded too); (2 + 2/w)/256 for the measures divided by the expected
// width w (the division's own 1/256, plus the edges' rounding scaled by 1/w).
double measuredQuantum(const cclp_score& method, double expectedWidth);

// The largest difference a method's fixed-point score may show from its
// floating-point score for a candidate with these edges (first edge first).
double methodTolerance(const cclp_score& method, const std::vector<Edge>& edges,
                       double expectedWidth);

// The same for the combined score: the geometric mean of the method scores,
// each moved within its tolerance, plus the rounding of the 1/256 product.
double combinedTolerance(const std::vector<double>& methodScores,
                         const std::vector<double>& methodTolerances);

}  // namespace cclp_cli
