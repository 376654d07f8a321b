// `cclp-score --compare`: the floating-point and the fixed-point run of one
// recording side by side, with each method's largest difference over the
// candidates both kept and whether the two rank them alike.
#pragma once

#include <string>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scored_result.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// How far the fixed-point scores may lie from the floating-point ones today.
inline constexpr double kMethodTolerance = 2.0 / 256.0;
inline constexpr double kCombinedTolerance = 5.0 / 256.0;

struct Comparison {
    std::vector<double> methodDifferences;  // largest per method
    double combinedDifference = 0.0;
    std::size_t compared = 0;  // candidates kept by both runs
    bool rankingDiffers = false;
};

Comparison compareRuns(const RunOutcome& floating, const RunOutcome& fixed);
std::string formatComparison(const Recording& job, const RunOutcome& floating, const RunOutcome& fixed);

}  // namespace cclp_cli
