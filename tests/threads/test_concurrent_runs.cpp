// Many scoring runs at once: eight threads share one input and one
// parameters record, and each writes its own output, run after run. Every
// output must be the one a single thread gets, in both number formats (and
// both at once), for plain and extended edges, single edges and pairs. The
// runtime stand-in's test controls are process-wide, so none is armed here.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

constexpr int kThreads = 8;
constexpr int kRunsPerThread = 100;

// Edges in ascending position with contrasts of both signs and extra values
// of every size, the same on every call.
std::vector<EdgeSpec> profile() {
    std::vector<EdgeSpec> edges;
    uint32_t state = 12345;
    const auto next = [&state](int32_t range) {
        state = state * 1103515245u + 12345u;
        return static_cast<double>((state >> 8) % static_cast<uint32_t>(range));
    };
    double position = -30.0;
    for (int32_t i = 0; i < 32; ++i) {
        position += 0.25 + next(16) / 8.0;
        const double contrast = (next(2) == 0 ? -1.0 : 1.0) * (5.0 + next(250));
        edges.push_back({position, contrast, next(40) / 4.0, next(40) / 4.0, next(40) / 4.0});
    }
    return edges;
}

// Methods that every candidate form can take: extended edges add the two
// methods of their extra values.
void configure(Params& params, bool pairs, bool extended) {
    std::vector<cclp_score> methods = {contrast(), nearCentre()};
    if (pairs) {
        params.edgePair(6.0, 3, 3);
        methods.push_back(oneSidedMethod(cclp_scoreMethodSizeDiff, 0, 0.75, 1, 1, 0.25));
        methods.push_back(
            twoSidedMethod(cclp_scoreMethodEdgePos, {0, -2, -6, 1, 0.25}, {0, 2, 6, 1, 0.25}));
        if (extended) {
            methods.push_back(oneSidedMethod(cclp_scoreMethodExtra1Diff, 0, 8, 9, 1, 0.25));
        }
    } else {
        params.singleEdge(3);
        methods.push_back(oneSidedMethod(cclp_scoreMethodPos, -20, 20, 25, 1, 0.25));
    }
    if (extended) methods.push_back(oneSidedMethod(cclp_scoreMethodExtraMax, 10, 2, 0, 1, 0));
    params.methods(methods).maxResults(12).sorted(true);
}

// Everything a caller reads of an output, without where its arrays lie.
template <class Set>
std::string resultsText(const Set& set) {
    std::string text = std::to_string(set.numResults) + "\n";
    for (int32_t r = 0; r < set.numResults; ++r) {
        text += recordText(set.results[r], false);
        text += '\n';
    }
    return text;
}

// Runs the scenario on one thread for the reference, then on kThreads
// threads at once, kRunsPerThread runs each into the thread's own output.
template <class In>
void expectEveryThreadGetsTheSingleThreadedResults(bool pairs, uint32_t formats) {
    SCOPED_TRACE(::testing::Message() << (pairs ? "pairs" : "single edges") << ", formats "
                                      << formats);
    using Set = typename In::Results;
    const In input(profile(), formats);
    Params params;
    configure(params, pairs, !std::is_same_v<In, Input>);
    Output<Set> reference;
    ASSERT_EQ(runScore(input, params, reference), 0);
    ASSERT_EQ(reference.set.numResults, 12);
    const std::string expected = snapshot(reference.set, false);

    std::atomic<bool> start{false};
    std::atomic<int32_t> failedRuns{0};
    std::atomic<int32_t> differentResults{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            Output<Set> output;
            while (!start.load()) std::this_thread::yield();
            for (int r = 0; r < kRunsPerThread; ++r) {
                if (runScore(input, params, output) != 0) {
                    failedRuns.fetch_add(1);
                } else if (snapshot(output.set, false) != expected) {
                    differentResults.fetch_add(1);
                }
            }
        });
    }
    start.store(true);
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failedRuns.load(), 0);
    EXPECT_EQ(differentResults.load(), 0);
}

}  // namespace

TEST(ConcurrentRuns, EveryThreadGetsTheSingleThreadedResults) {
    for (const bool pairs : {false, true}) {
        for (const uint32_t formats : {1u, 2u, 3u}) {
            expectEveryThreadGetsTheSingleThreadedResults<Input>(pairs, formats);
            expectEveryThreadGetsTheSingleThreadedResults<InputEx>(pairs, formats);
        }
    }
}
