// Internal operations on scored results that have no export.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_results.h"

namespace cclp {

// Releases every record (last first) and the array; numResults 0.
int32_t resetScoreResultSetEx(cclp_scoreResultSetEx* set);

}  // namespace cclp
