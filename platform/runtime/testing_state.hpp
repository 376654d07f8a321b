// Counters and armed failures behind the test controls.
#pragma once

#include <cstdint>

namespace csys::testing {

// Counts one memory request; true when this request is the one armed to fail.
bool shouldFailAllocation();
void blockAllocated();
void blockFreed();

// Counts one attention check; true when this check is the one armed to fail.
bool shouldFailAttention();

void assertionReported(int32_t line);

}  // namespace csys::testing
