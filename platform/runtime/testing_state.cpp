// The runtime's only state: counters and the armed failures of the test
// controls. Atomics keep concurrent callers on distinct records safe.
#include "testing_state.hpp"

#include <atomic>

#include "csys_runtime.h"

namespace {

// A countdown armed with k reaches zero at the k-th event from now on. A
// transient countdown then disarms; a persistent one keeps firing for every
// later event until it is disarmed.
class Countdown {
public:
    void arm(int32_t k, bool persistent = false) {
        persistent_.store(persistent && k > 0);
        remaining_.store(k > 0 ? k : 0);
    }

    // Counts one event; true for the armed one (and, when persistent, every
    // one after it).
    bool tick() {
        int32_t current = remaining_.load();
        while (current > 0) {
            if (remaining_.compare_exchange_weak(current, current - 1)) {
                if (current != 1) return false;
                if (persistent_.load()) remaining_.store(1);
                return true;
            }
        }
        return false;
    }

private:
    std::atomic<int32_t> remaining_{0};
    std::atomic<bool> persistent_{false};
};

Countdown allocationFailure;
Countdown attentionFailure;
std::atomic<int64_t> liveBlocks{0};
std::atomic<int64_t> allocationRequests{0};
std::atomic<int64_t> assertions{0};
std::atomic<int32_t> lastAssertionLine{0};
std::atomic<int64_t> attentionChecks{0};

}  // namespace

namespace csys::testing {

bool shouldFailAllocation() {
    allocationRequests.fetch_add(1);
    return allocationFailure.tick();
}

void blockAllocated() { liveBlocks.fetch_add(1); }
void blockFreed() { liveBlocks.fetch_sub(1); }

bool shouldFailAttention() {
    attentionChecks.fetch_add(1);
    return attentionFailure.tick();
}

void assertionReported(int32_t line) {
    assertions.fetch_add(1);
    lastAssertionLine.store(line);
}

}  // namespace csys::testing

extern "C" {

int32_t csys_testing_failAllocation(int32_t k) {
    allocationFailure.arm(k);
    return 0;
}

int32_t csys_testing_failAllocationPersistent(int32_t k) {
    allocationFailure.arm(k, true);
    return 0;
}

int32_t csys_testing_failAttention(int32_t k) {
    attentionFailure.arm(k);
    return 0;
}

int64_t csys_testing_liveBlocks(void) { return liveBlocks.load(); }
int64_t csys_testing_allocationCount(void) { return allocationRequests.load(); }
int64_t csys_testing_assertionCount(void) { return assertions.load(); }
int32_t csys_testing_lastAssertionLine(void) { return lastAssertionLine.load(); }
int64_t csys_testing_attentionCount(void) { return attentionChecks.load(); }

}  // extern "C"
