// One recording checked by `cclp-score check`: scored with its own or the
// given parameters, its winner compared with the winner it expects.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/scored_result.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

enum class Verdict { asExpected, notAsExpected, noExpectation, failed };

struct CheckRow {
    std::string recording;
    Verdict verdict = Verdict::failed;
    std::optional<ScoredResult> winner;  // none when nothing acceptable was kept
    std::optional<double> margin;        // to the runner-up, when there is one
    std::string problem;                 // why it failed or did not match
};

// Whether the outcome's winner is the one the job expects; `problem` says
// what differs.
Verdict judge(const Recording& job, const std::optional<ScoredResult>& winner, std::string& problem);

// Reads, scores and judges one recording; never throws. `params`, when
// given, replaces the recording's own "params".
CheckRow checkRecording(const std::string& path, const nlohmann::json* params);

}  // namespace cclp_cli
