// The human-readable report of a run: a short summary of what was scored
// and an aligned table of the results, best first when sorted.
#pragma once

#include <string>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// With `measured`, each method's column is followed by what it measured
// before its function ("a/b" for the two sides of a two-sided method).
std::string formatTable(const Recording& job, const RunOutcome& outcome, bool measured = false);

}  // namespace cclp_cli
