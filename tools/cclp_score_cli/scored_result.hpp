// What a run wrote, as plain values: each result with the input indices of
// its edges, as the C++ interface recovers them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

struct ResultEdge {
    std::size_t index = 0;  // in the job's edges
    Edge value;             // the input edge
    EdgeFixed fixed;        // and its 1/256 form, as the fixed-point run reads it
    Edge scored;            // as the run scored it: value, or fixed in caliper units
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
    // In caliper units and 0..1 whichever format the run wrote, as the C++
    // interface reads them.
    struct {
        double position = 0.0;
        double score = 0.0;
        std::vector<double> scores;
    } values;

    double positionValue() const { return values.position; }
    double scoreValue() const { return values.score; }
    double methodScore(std::size_t method) const { return values.scores.at(method); }
    Edge edgeValue(std::size_t edge) const { return edges.at(edge).scored; }
    std::vector<std::size_t> edgeIndices() const {
        std::vector<std::size_t> indices;
        for (const ResultEdge& edge : edges) indices.push_back(edge.index);
        return indices;
    }
    std::vector<Edge> edgeValues() const {
        std::vector<Edge> scored;
        for (const ResultEdge& edge : edges) scored.push_back(edge.scored);
        return scored;
    }
};

struct RunOutcome {
    std::string entryPoint;  // "cclp_runScore" or "cclp_runScoreEx"
    uint32_t formats = 0;    // of the input the run was given
    std::vector<ScoredResult> results;

    bool fixedPoint() const { return (formats & CCLP_FORMAT_DOUBLE) == 0; }
};

}  // namespace cclp_cli
