// The machine-readable report of a run. The document repeats the recording
// as it was scored (recordingToJson: every default spelled out), so that it
// can be fed back in to score again, and adds the run and its results.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "recording/document_writer.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

nlohmann::ordered_json resultsToJson(const Recording& job, const RunOutcome& outcome);
std::string formatJson(const Recording& job, const RunOutcome& outcome);

}  // namespace cclp_cli
