// Test helpers over the runtime's test controls: allocation sweeps, leak
// checks and assertion counting.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "csys_runtime.h"

namespace cclp::testing {

// Disarms every injected failure when it goes out of scope.
struct DisarmOnExit {
    ~DisarmOnExit() {
        csys_testing_failAllocation(0);
        csys_testing_failAttention(0);
    }
};

// How an armed allocation failure behaves: once (transient), or for every
// request from the k-th on (persistent, as when memory stays exhausted).
enum class FailureMode { transient, persistent };

// The mode FailAllocation arms; the allocation sweep runs in both.
inline FailureMode& currentFailureMode() {
    static FailureMode mode = FailureMode::transient;
    return mode;
}

// Arms the k-th memory request from here on to fail, in the current mode;
// disarms at scope exit.
class FailAllocation {
public:
    explicit FailAllocation(int32_t k) {
        if (currentFailureMode() == FailureMode::persistent) {
            csys_testing_failAllocationPersistent(k);
        } else {
            csys_testing_failAllocation(k);
        }
    }
    ~FailAllocation() { csys_testing_failAllocation(0); }
    FailAllocation(const FailAllocation&) = delete;
    FailAllocation& operator=(const FailAllocation&) = delete;
};

// Asserts that no block held through the runtime outlives a scope.
class LeakCheck {
public:
    LeakCheck() : baseline_(csys_testing_liveBlocks()) {}
    ~LeakCheck() { EXPECT_EQ(csys_testing_liveBlocks(), baseline_) << "blocks leaked"; }
    LeakCheck(const LeakCheck&) = delete;
    LeakCheck& operator=(const LeakCheck&) = delete;

private:
    int64_t baseline_;
};

// Counts the assertions reported while it lives.
class AssertionCounter {
public:
    AssertionCounter() : start_(csys_testing_assertionCount()) {}
    int64_t count() const { return csys_testing_assertionCount() - start_; }

private:
    int64_t start_;
};

// The allocation sweep: for k = 1, 2, ... runs `attempt(k)`, which sets up
// what it needs, arms the k-th request with FailAllocation(k) just before
// the operation under test, checks the state it promises, tears everything
// down and returns the operation's status. The sweep checks that each
// failing attempt returned the runtime's out-of-memory status unchanged and
// leaked nothing, and stops at the first success. It runs once with
// transient failures and once with persistent ones, and returns the number
// of failure points found (the same in both modes).
inline int32_t sweepAllocationFailuresIn(FailureMode mode,
                                         const std::function<int32_t(int32_t k)>& attempt,
                                         int32_t limit) {
    const char* modeName = mode == FailureMode::persistent ? "persistent" : "transient";
    currentFailureMode() = mode;
    for (int32_t k = 1; k <= limit; ++k) {
        const int64_t baseline = csys_testing_liveBlocks();
        const int32_t status = attempt(k);
        csys_testing_failAllocation(0);
        EXPECT_EQ(csys_testing_liveBlocks(), baseline)
            << "leak when request " << k << " failed (" << modeName << ")";
        if (status >= 0) {
            currentFailureMode() = FailureMode::transient;
            return k - 1;
        }
        EXPECT_EQ(status, CSYS_STATUS_OUT_OF_MEMORY)
            << "status changed at request " << k << " (" << modeName << ")";
    }
    currentFailureMode() = FailureMode::transient;
    ADD_FAILURE() << "operation never succeeded (" << modeName << ")";
    return limit;
}

inline int32_t sweepAllocationFailures(const std::function<int32_t(int32_t k)>& attempt,
                                       int32_t limit = 10000) {
    const int32_t transient = sweepAllocationFailuresIn(FailureMode::transient, attempt, limit);
    const int32_t persistent = sweepAllocationFailuresIn(FailureMode::persistent, attempt, limit);
    EXPECT_EQ(transient, persistent) << "failure points differ between the two modes";
    return transient;
}

}  // namespace cclp::testing
