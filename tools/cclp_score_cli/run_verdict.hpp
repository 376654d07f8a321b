// What a run's outcome tells the caller beyond its results: why there are
// none, whether the best candidate is acceptable at all, and settings that
// are valid but cannot find what they describe.
#pragma once

#include <string>
#include <vector>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scored_result.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// Why a run kept no candidate: too few edges, or none of the desired polarity.
std::string noResultReason(const Recording& job);

// The best kept score; a run whose best candidate scores 0 found nothing
// the methods accept.
double bestScore(const RunOutcome& outcome);
bool hasAcceptableCandidate(const RunOutcome& outcome);

// Warnings about the parameters, one line each.
std::vector<std::string> jobWarnings(const Recording& job);

}  // namespace cclp_cli
