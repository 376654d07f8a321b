// What a run wrote, copied out of the library's result records into plain
// values, with every result edge traced back to its input index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

struct ResultEdge {
    std::size_t index = 0;  // in the job's edges
    Edge value;             // valid with CCLP_FORMAT_DOUBLE
    EdgeFixed fixed;        // valid with CCLP_FORMAT_FIXED
};

struct ScoredResult {
    uint32_t formats = 0;  // which of the fields below the run wrote
    double position = 0.0;
    double score = 0.0;
    int32_t positionFixed = 0;
    int32_t scoreFixed = 0;
    std::vector<double> scores;
    std::vector<int32_t> scoresFixed;
    std::vector<ResultEdge> edges;

    // In caliper units and 0..1 whichever arithmetic the run used.
    double positionValue() const;
    double scoreValue() const;
    double methodScore(std::size_t method) const;
    Edge edgeValue(std::size_t edge) const;
};

struct RunOutcome {
    std::string entryPoint;  // "cclp_runScore" or "cclp_runScoreEx"
    uint32_t formats = 0;    // of the input the run was given
    std::vector<ScoredResult> results;

    bool fixedPoint() const { return (formats & CCLP_FORMAT_DOUBLE) == 0; }
};

}  // namespace cclp_cli
