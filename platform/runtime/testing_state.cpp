// The runtime's only state: counters and the armed failures of the test
// controls. Every thread counts into a tally of its own, so that callers on
// many threads share no cache line and take no lock on the hot path (an
// attention check, an allocation); reading a counter adds up the tallies.
// Attention checks, made once per pair by long runs, are counted only once
// a test has used their controls.
#include "testing_state.hpp"

#include <atomic>
#include <mutex>
#include <vector>

#include "csys_runtime.h"

namespace {

// A countdown armed with k reaches zero at the k-th event from now on. A
// transient countdown then disarms; a persistent one keeps firing for every
// later event until it is disarmed. Unarmed, an event costs one load.
class Countdown {
public:
    void arm(int32_t k, bool persistent = false) {
        persistent_.store(persistent && k > 0);
        remaining_.store(k > 0 ? k : 0);
    }

    // Counts one event; true for the armed one (and, when persistent, every
    // one after it).
    bool tick() {
        int32_t current = remaining_.load(std::memory_order_relaxed);
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

// One thread's counts. Only that thread changes them, by a relaxed load and
// store rather than a locked read-modify-write; other threads only read.
struct Tally {
    std::atomic<int64_t> attentionChecks{0};
    std::atomic<int64_t> allocationRequests{0};
    std::atomic<int64_t> liveBlocks{0};
};

using Counter = std::atomic<int64_t> Tally::*;

void bump(Tally& tally, Counter counter, int64_t by) {
    std::atomic<int64_t>& value = tally.*counter;
    value.store(value.load(std::memory_order_relaxed) + by, std::memory_order_relaxed);
}

// Every thread's tally, kept for the life of the process: a thread that ends
// leaves its counts in place, so a sum still holds them, and no thread-exit
// hook is needed (MinGW's thread_local destructors run after its thread
// storage is gone). One small block per thread that ever counted.
class Tallies {
public:
    Tally* add() {
        const std::lock_guard<std::mutex> lock(mutex_);
        all_.push_back(new Tally);
        return all_.back();
    }

    int64_t sum(Counter counter) {
        const std::lock_guard<std::mutex> lock(mutex_);
        int64_t total = 0;
        for (const Tally* tally : all_) total += (tally->*counter).load();
        return total;
    }

private:
    std::mutex mutex_;
    std::vector<Tally*> all_;
};

// Never destroyed: threads may still end, and count, while the process
// exits.
Tallies& tallies() {
    static Tallies* const instance = new Tallies;
    return *instance;
}

void count(Counter counter, int64_t by = 1) {
    thread_local Tally* const mine = tallies().add();
    bump(*mine, counter, by);
}

Countdown allocationFailure;
Countdown attentionFailure;
std::atomic<int64_t> assertions{0};
std::atomic<int32_t> lastAssertionLine{0};

}  // namespace

namespace csys::testing {

bool shouldFailAllocation() {
    count(&Tally::allocationRequests);
    return allocationFailure.tick();
}

void blockAllocated() { count(&Tally::liveBlocks); }
void blockFreed() { count(&Tally::liveBlocks, -1); }

std::atomic<bool> attentionWatched{false};

bool countAttentionCheck() {
    count(&Tally::attentionChecks);
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
    csys::testing::attentionWatched.store(true);
    attentionFailure.arm(k);
    return 0;
}

int64_t csys_testing_liveBlocks(void) { return tallies().sum(&Tally::liveBlocks); }
int64_t csys_testing_allocationCount(void) { return tallies().sum(&Tally::allocationRequests); }
int64_t csys_testing_assertionCount(void) { return assertions.load(); }
int32_t csys_testing_lastAssertionLine(void) { return lastAssertionLine.load(); }
int64_t csys_testing_attentionCount(void) {
    csys::testing::attentionWatched.store(true);
    return tallies().sum(&Tally::attentionChecks);
}

}  // extern "C"
