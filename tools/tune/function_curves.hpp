// Each score method's function as the page draws it: points sampled by the
// library in the run's arithmetic over a range that shows every breakpoint
// and every kept candidate's measured value, so that a curve never differs
// from what a run scores.
#pragma once

#include <nlohmann/json.hpp>

#include "cclp_score_cli/scoring_run.hpp"
#include "recording/recording.hpp"

namespace cclp_tune {

// One array per method: its curves ({"side": "one" | "low" | "high",
// "points": [[x, score], ...]}); empty for a method without a function.
nlohmann::ordered_json functionCurves(const cclp_recording::Recording& job,
                                      const cclp_cli::RunOutcome& outcome);

}  // namespace cclp_tune
