// `cclp-score --compare`: the floating-point and the fixed-point run of one
// recording side by side, with each method's largest difference over the
// candidates both kept, whether it lies within what the fixed point's
// rounding allows (compare_tolerance.hpp), and whether the two rank alike.
#pragma once

#include <string>
#include <vector>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scored_result.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// One score's differences over the candidates both kept, as the one whose
// difference is the largest share of its allowance.
struct ScoreDifference {
    double difference = 0.0;
    double allowed = 0.0;
    std::size_t candidates = 0;

    void add(double candidateDifference, double allowance);
    bool beyond() const { return difference > allowed; }
};

struct Comparison {
    std::vector<ScoreDifference> methods;
    ScoreDifference combined;
    std::size_t compared = 0;  // candidates kept by both runs
    bool rankingDiffers = false;

    bool beyond() const;
};

Comparison compareRuns(const Recording& job, const RunOutcome& floating, const RunOutcome& fixed);
std::string formatComparison(const Recording& job, const RunOutcome& floating, const RunOutcome& fixed);

}  // namespace cclp_cli
