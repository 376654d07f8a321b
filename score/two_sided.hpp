// Two-sided scoring functions: the conversion to 1/256 fixed point, used
// wherever a score method is stored beside its fixed-point form.
#pragma once

#include "cclp_score/cclp_scoring_function.h"
#include "score/one_sided.hpp"

namespace cclp {

// Each side converted on its own, the low side first.
cclp_scoreTwoSidedFixed toFixed(const cclp_scoreTwoSided& function);

}  // namespace cclp
