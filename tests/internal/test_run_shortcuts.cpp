// The run's shortcuts change nothing a caller sees: thousands of random runs
// (single edges and pairs, ascending positions and not, many ties, fewer
// scoring candidates than results, every format, family and method count)
// write, with the shortcuts, the same records into an output kept from run
// to run as the full course into a copy of it, return the same status and
// poll for attention as often.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "csys_runtime.h"
#include "engine/combine.hpp"
#include "engine/runs.hpp"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp;
using namespace cclp::testing;

namespace {

struct Scale {
    int32_t method;
    double unit;  // a typical measured value
};

// Methods whose values land on a coarse grid, so that scores and positions
// tie often.
class RandomRuns {
public:
    explicit RandomRuns(uint32_t seed) : rng_(seed) {}

    std::vector<EdgeSpec> edges(int32_t n) {
        std::vector<EdgeSpec> specs;
        for (int32_t i = 0; i < n; ++i) {
            specs.push_back({0.25 * pick(-48, 48), 25.0 * pick(-8, 8)});
        }
        if (pick(0, 3) != 0) {
            std::sort(specs.begin(), specs.end(),
                      [](const EdgeSpec& a, const EdgeSpec& b) { return a.position < b.position; });
        }
        return specs;
    }

    void configure(Params& params, bool pairs) {
        static const Scale kPairs[] = {{cclp_scoreMethodSizeDiff, 1},   {cclp_scoreMethodSize, 1},
                                       {cclp_scoreMethodPosNormAbs, 1}, {cclp_scoreMethodPosAbs, 6},
                                       {cclp_scoreMethodContrast, 100}, {cclp_scoreMethodPos, 6}};
        static const Scale kSingles[] = {{cclp_scoreMethodPosAbs, 6},
                                         {cclp_scoreMethodContrast, 100},
                                         {cclp_scoreMethodPos, 6}};
        std::vector<cclp_score> methods;
        const int32_t count = pick(0, 6);
        for (int32_t m = std::max(count, 1); m > 0; --m) {
            const Scale& scale = pairs ? kPairs[pick(0, 5)] : kSingles[pick(0, 2)];
            const double u = scale.unit / 4;
            const double x0 = u * pick(-2, 2);
            const double x1 = x0 + u * pick(1, 6);
            const double x2 = x1 + u * pick(0, 2);
            const double y0 = 0.25 * pick(2, 4);
            const double y1 = 0.25 * pick(0, 1);
            methods.push_back(pick(0, 1) != 0 ? oneSidedMethod(scale.method, x0, x1, x2, y0, y1)
                                              : oneSidedMethod(scale.method, x2, x1, x0, y0, y1));
        }
        if (pairs) {
            params.edgePair(2.0 * pick(1, 5), pick(1, 3), pick(1, 3));
        } else {
            params.singleEdge(pick(1, 3));
        }
        params.methods(methods);
        params.params.numScoreMethods = count;  // the setter refuses none
        params.params.maxNumResults = pick(0, 12);
        params.params.sortByScore = pick(0, 4) != 0 ? 1 : 0;
    }

    int32_t pick(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(rng_);
    }

private:
    std::mt19937 rng_;
};

int32_t copy(cclp_scoreResultSet& to, const cclp_scoreResultSet& from) {
    return cclp_scoreResultSet_assign(&to, &from);
}
int32_t copy(cclp_scoreResultSetEx& to, const cclp_scoreResultSetEx& from) {
    return cclp_scoreResultSetEx_assign(&to, &from);
}

// Random runs of one family; `kept` carries over from run to run, as a
// caller's output does, and the full course writes into a copy of it.
template <class In>
void compareRuns(RandomRuns& random, int32_t trials) {
    Output<typename In::Results> kept;
    const RunShortcuts none{false, false, false};
    for (int32_t trial = 0; trial < trials; ++trial) {
        const bool pairs = random.pick(0, 1) != 0;
        const In input(random.edges(random.pick(0, 30)), static_cast<uint32_t>(random.pick(1, 3)));
        Params params;
        random.configure(params, pairs);
        Output<typename In::Results> full;
        ASSERT_EQ(copy(full.set, kept.set), 0);
        const int64_t before = csys_testing_attentionCount();
        const int32_t status = cclp::runScore(input.set, params.params, full.set, none);
        const int64_t fullPolls = csys_testing_attentionCount() - before;
        const int32_t shortcut = cclp::runScore(input.set, params.params, kept.set, RunShortcuts{});
        ASSERT_EQ(shortcut, status) << "trial " << trial;
        ASSERT_EQ(csys_testing_attentionCount() - before - fullPolls, fullPolls) << "trial " << trial;
        ASSERT_EQ(snapshot(kept.set, false), snapshot(full.set, false)) << "trial " << trial;
    }
}

}  // namespace

TEST(RunShortcuts, WriteWhatTheFullCourseWrites) {
    RandomRuns random(20261207);
    compareRuns<Input>(random, 3000);
    compareRuns<InputEx>(random, 1000);
}

// A product just below the bound of a score combines to a lower score, in
// both formats, for scores across their range.
TEST(RunShortcuts, ProductsBelowTheBoundScoreLower) {
    for (int32_t count = 3; count <= 8; ++count) {
        for (double score = 1e-60; score < 1e60; score *= 1.37) {
            const double bound = productsBelowScore(score, count);
            if (bound == 0.0) continue;
            EXPECT_LT(combineScores(std::nextafter(bound, 0.0), count), score) << score;
            if (std::isfinite(bound)) {
                EXPECT_GT(bound, std::pow(score, count) * 0.999999) << "a bound too low: " << score;
            }
        }
        for (int32_t score = 1; score <= 4096; ++score) {
            const double bound = productsBelowScore(score, count);
            const double below = std::ceil(bound) - 1.0;
            if (below > 0.0 && below <= INT32_MAX) {
                EXPECT_LT(combineScoresFixed(static_cast<int32_t>(below), count), score) << score;
            }
        }
    }
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(productsBelowScore(kInfinity, 3), kInfinity);
    EXPECT_EQ(productsBelowScore(std::nan(""), 3), 0.0);
    EXPECT_EQ(productsBelowScore(1e-300, 3), 0.0) << "the bound would be subnormal";
    EXPECT_EQ(productsBelowScore(0.5, 2), 0.0) << "square roots are not avoided";
    EXPECT_EQ(productsBelowScore(int32_t{0}, 3), 0.0);
}

// Threads count into tallies of their own; the counts add up all of them.
TEST(RunShortcuts, EveryThreadsChecksAndBlocksAreCounted) {
    const int64_t checks = csys_testing_attentionCount();
    const int64_t requests = csys_testing_allocationCount();
    const int64_t blocks = csys_testing_liveBlocks();
    std::vector<void*> kept(4, nullptr);
    std::vector<std::thread> threads;
    for (void*& block : kept) {
        threads.emplace_back([&block] {
            for (int32_t k = 0; k < 1000; ++k) (void)csys_attention_check();
            EXPECT_EQ(csys_memory_alloc_internal(16, &block), 0);
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(csys_testing_attentionCount() - checks, 4000);
    EXPECT_EQ(csys_testing_allocationCount() - requests, 4);
    EXPECT_EQ(csys_testing_liveBlocks() - blocks, 4) << "blocks of ended threads";
    for (void*& block : kept) EXPECT_EQ(csys_memory_free_internal(&block), 0);
    EXPECT_EQ(csys_testing_liveBlocks(), blocks) << "freed by another thread";
}
