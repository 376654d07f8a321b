#include "cclp_score_cli/run_verdict.hpp"

#include <algorithm>

#include "cclp_score_cli/text_format.hpp"

namespace cclp_cli {

std::string noResultReason(const Recording& job) {
    if (job.edges.empty()) return "the caliper has no edges";
    if (job.pairs() && job.edges.size() < 2) return "a pair needs two edges, the caliper has one";
    return "no candidate has the desired polarity";
}

double bestScore(const RunOutcome& outcome) {
    double best = 0.0;
    for (const ScoredResult& result : outcome.results) best = std::max(best, result.scoreValue());
    return best;
}

bool hasAcceptableCandidate(const RunOutcome& outcome) { return bestScore(outcome) > 0.0; }

std::vector<std::string> jobWarnings(const Recording& job) {
    std::vector<std::string> warnings;
    if (job.pairs()) {
        const std::string reversed = cclp::score::reversedPairText(job.desiredEdges[0].position,
                                                                   job.desiredEdges[1].position);
        if (!reversed.empty()) warnings.push_back("params.desiredEdges: " + reversed);
    }
    return warnings;
}

}  // namespace cclp_cli
