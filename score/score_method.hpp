// Score methods: the conversion to the fixed-point form that the score
// parameters keep beside every stored method and the fixed-point run reads.
#pragma once

#include "cclp_score/cclp_score_method.h"
#include "score/two_sided.hpp"

namespace cclp {

// Copies method and isOneSided and converts the function that isOneSided
// selects (1: oneSided, anything else: twoSided). The other function is
// all zeros, so that every byte of the result is defined.
cclp_scoreFixed toFixed(const cclp_score& score);

}  // namespace cclp
