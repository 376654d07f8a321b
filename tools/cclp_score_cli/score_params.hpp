// The score parameters of a job, built through the C++ interface after
// checking that every method suits the edge model and that the run fits
// the module's 32-bit counts.
#pragma once

#include "cclp_score/cclp_score.hpp"
#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

// Throws InputError for a setting the module refuses, RunError when it
// cannot build the record (out of memory).
cclp::score::Params buildParams(const Job& job);

// The checks of buildParams that need no library record.
void checkMethodsSuitEdgeModel(const Job& job);
void checkRunSize(const Job& job);

}  // namespace cclp_cli
