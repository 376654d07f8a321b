// Counters and armed failures behind the test controls.
#pragma once

#include <atomic>
#include <cstdint>

namespace csys::testing {

// Counts one memory request; true when this request is the one armed to fail.
bool shouldFailAllocation();
void blockAllocated();
void blockFreed();

// Whether a test has used the attention controls (read their count, or
// armed a failure); until then checks are neither counted nor failed.
extern std::atomic<bool> attentionWatched;

// Counts one attention check; true when this check is the one armed to fail.
bool countAttentionCheck();

inline bool shouldFailAttention() {
    return attentionWatched.load(std::memory_order_relaxed) && countAttentionCheck();
}

void assertionReported(int32_t line);

}  // namespace csys::testing
