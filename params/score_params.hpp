// Score parameters: the releases shared by the lifecycle and the settings.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_score_params.h"

namespace cclp {

// numScoreMethods 0, then both method arrays freed and nulled. A failed free
// returns at once.
int32_t releaseScoreMethods(cclp_scoreParams& params);

// Leaves the record empty: both counts 0, arrays freed and nulled,
// maxNumResults 1, sortByScore 1. A failed free returns at once.
int32_t releaseParams(cclp_scoreParams& params);

}  // namespace cclp
