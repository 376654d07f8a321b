// One-sided scoring functions: the checked initialisation and the
// conversion to 1/256 fixed point, shared by the two-sided functions, the
// score methods and the score parameters.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_scoring_function.h"

namespace cclp {

// A ramp whose abscissae lie this close or closer gets the inverse span 1e9.
inline constexpr double kMinRampSpan = 1e-7;

// The checks of an initialisation in their order; 0 when all pass.
int32_t checkOneSidedValues(double x0, double x1, double x2, double y0, double y1);

// Stores the five defining values, resets the offset and derives the ramp.
void storeOneSidedValues(cclp_scoreOneSided& function, double x0, double x1, double x2, double y0,
                         double y1);

// Derived fields computed from the rounded integers, not from the
// floating-point derived fields.
cclp_scoreOneSidedFixed toFixed(const cclp_scoreOneSided& function);

// True when the abscissae run upward; every other record counts as downward.
template <class Function>
constexpr bool isUpward(const Function& function) {
    return function.x0 <= function.x1 && function.x1 <= function.x2;
}

}  // namespace cclp
