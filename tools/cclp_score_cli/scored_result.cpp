#include "cclp_score_cli/scored_result.hpp"

#include "cclp_score_cli/fixed_point.hpp"

namespace cclp_cli {

double ScoredResult::positionValue() const {
    return (formats & CCLP_FORMAT_DOUBLE) ? position : fromFixed(positionFixed);
}

double ScoredResult::scoreValue() const {
    return (formats & CCLP_FORMAT_DOUBLE) ? score : fromFixed(scoreFixed);
}

double ScoredResult::methodScore(std::size_t method) const {
    return (formats & CCLP_FORMAT_DOUBLE) ? scores.at(method) : fromFixed(scoresFixed.at(method));
}

Edge ScoredResult::edgeValue(std::size_t edge) const {
    const ResultEdge& copy = edges.at(edge);
    return (formats & CCLP_FORMAT_DOUBLE) ? copy.value : fromFixed(copy.fixed);
}

}  // namespace cclp_cli
