// What a run wrote, as plain values: each result with the input indices of
// its edges, as the C++ interface recovers them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "cclp_score_cli/cli_namespace.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

struct ResultEdge {
    std::size_t index = 0;  // in the job's edges
    Edge value;             // the input edge
    EdgeFixed fixed;        // and its 1/256 form, as the fixed-point run reads it
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

    // In caliper units and 0..1 whichever format the run wrote, read as the
    // C++ interface reads a result.
    double positionValue() const { return cclp::score::valueIn(formats, position, positionFixed); }
    double scoreValue() const { return cclp::score::valueIn(formats, score, scoreFixed); }
    double methodScore(std::size_t method) const {
        return cclp::score::valueIn(formats, at(scores, method), at(scoresFixed, method));
    }
    Edge edgeValue(std::size_t edge) const {
        const ResultEdge& copy = edges.at(edge);
        return cclp::score::valueIn(formats, copy.value, copy.fixed);
    }
    std::vector<std::size_t> edgeIndices() const {
        std::vector<std::size_t> indices;
        for (const ResultEdge& edge : edges) indices.push_back(edge.index);
        return indices;
    }
    std::vector<Edge> edgeValues() const {
        std::vector<Edge> values;
        for (std::size_t k = 0; k < edges.size(); ++k) values.push_back(edgeValue(k));
        return values;
    }

private:
    // A field of a format the run did not write is empty: 0 there.
    template <class T>
    static T at(const std::vector<T>& values, std::size_t i) {
        return i < values.size() ? values[i] : T{};
    }
};

struct RunOutcome {
    std::string entryPoint;  // "cclp_runScore" or "cclp_runScoreEx"
    uint32_t formats = 0;    // of the input the run was given
    std::vector<ScoredResult> results;

    bool fixedPoint() const { return (formats & CCLP_FORMAT_DOUBLE) == 0; }
};

}  // namespace cclp_cli
