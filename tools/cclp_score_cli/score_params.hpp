// A job's score parameters: the recording model's conversion.
#pragma once

#include "cclp_score_cli/scoring_job.hpp"
#include "recording/run_inputs.hpp"

namespace cclp_cli {

using cclp_recording::buildParams;
using cclp_recording::checkMethodsSuitEdgeModel;
using cclp_recording::checkRunSize;

}  // namespace cclp_cli
