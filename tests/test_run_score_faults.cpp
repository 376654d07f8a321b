// Scoring runs that cannot finish: where runs poll for attention, null
// arguments and records the run refuses, which leave the output exactly as
// it was. Failed allocations and attention requests at every point, and
// unsuitable methods and formats, are the run fuzzer's: they pass through,
// leave the output as it was before sizing and without records after, and
// leak nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "tests/support/runtime_controls.hpp"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

const std::vector<EdgeSpec> kEdges = {{-6, 40, 1, 2, 3}, {-2.5, -80, 2, 3, 1}, {-1, 0, 5, 1, 1},
                                      {0.5, 60, 1, 1, 9}, {3, -30, 2, 2, 2},   {4.5, 90, 3, 0, 1}};

struct RunShape {
    bool pairs;
    uint32_t formats;
};

void configure(Params& params, const RunShape& shape, int32_t maxResults = 4) {
    if (shape.pairs) {
        params.edgePair(5).methods({oneSidedMethod(cclp_scoreMethodSizeDiff, 0, 1, 2, 1, 0),
                                    contrast(),
                                    oneSidedMethod(cclp_scoreMethodPosAbs, 0, 8, 8, 1, 0)});
    } else {
        params.singleEdge().methods(
            {contrast(), oneSidedMethod(cclp_scoreMethodPos, 0, 8, 8, 1, 0)});
    }
    params.maxResults(maxResults);
}

// An output that already holds results of another run (one more record
// than the runs here write), so that every sizing path is taken.
template <class In>
struct FilledOutput : Output<typename In::Results> {
    FilledOutput(const In& input, const RunShape& shape) {
        Params earlier;
        configure(earlier, shape, 5);
        EXPECT_EQ(runScore(input, earlier, *this), 0);
        EXPECT_EQ(this->set.numResults, 5);
    }
    std::string snapshot() const { return cclp::testing::snapshot(this->set); }
};

// The number of attention polls of one successful run.
template <class In>
int64_t pollsOf(const In& input, const Params& params) {
    Output<typename In::Results> out;
    const int64_t before = csys_testing_attentionCount();
    EXPECT_EQ(runScore(input, params, out), 0);
    return csys_testing_attentionCount() - before;
}

}  // namespace

TEST(RunScoreFaults, RunsPollAtTheirOwnPlaces) {
    // Nine single edges: before edges 0, 4 and 8, and once after the scan.
    std::vector<EdgeSpec> nine;
    for (int32_t i = 0; i < 9; ++i) nine.push_back({i - 4.0, 10});
    Params singles;
    singles.singleEdge(cclp_polarityPositive);
    EXPECT_EQ(pollsOf(Input(nine, 1), singles), 4);
    EXPECT_EQ(pollsOf(Input(nine, 2), singles), 4);
    // Pairs over five edges of which edges 1 and 3 fail the first polarity.
    const std::vector<EdgeSpec> five = {{-4, 5}, {-2, -5}, {0, 5}, {2, -5}, {4, 5}};
    Params pairs;
    pairs.edgePair(4, cclp_polarityPositive, 3).methods({contrast()});
    // Floating point: before every first edge, and once after sorting.
    EXPECT_EQ(pollsOf(Input(five, 1), pairs), 6);
    // Fixed point: before every second edge of a kept first edge (4 + 2 + 0),
    // and once after the scan.
    EXPECT_EQ(pollsOf(Input(five, 2), pairs), 7);
}

TEST(RunScoreFaults, NullArgumentsAreRefused) {
    const Input input(kEdges);
    Params params;
    Output<cclp_scoreResultSet> out;
    AssertionCounter assertions;
    EXPECT_EQ(cclp_runScore(nullptr, &params.params, &out.set), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_runScore(&input.set, nullptr, &out.set), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_runScore(&input.set, &params.params, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp_runScoreEx(nullptr, nullptr, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 4);
}

// Counts outside the records' ranges and missing arrays that the run would
// read (counts beyond what 32 bits hold: see the extremes).
TEST(RunScoreFaults, RunsRefusedUpFrontAllocateNothingAndLeaveTheOutputAsItWas) {
    using Change = std::function<void(cclp_resultSet&, cclp_scoreParams&)>;
    for (const uint32_t formats : {1u, 2u, 3u}) {
        SCOPED_TRACE(::testing::Message() << "formats " << formats);
        const Input input(kEdges, formats);
        FilledOutput<Input> out(input, {true, formats});
        const std::string before = out.snapshot();
        Params params;
        configure(params, {true, formats});
        const auto refuses = [&](int32_t status, const Change& change) {
            cclp_resultSet set = input.set;
            cclp_scoreParams changed = params.params;
            change(set, changed);
            const int64_t requests = csys_testing_allocationCount();
            EXPECT_EQ(cclp_runScore(&set, &changed, &out.set), status);
            EXPECT_EQ(csys_testing_allocationCount(), requests);
            EXPECT_EQ(out.snapshot(), before);
        };
        refuses(CSYS_STATUS_INVALID_ARGUMENT, [](auto& set, auto&) { set.numEdges = -1; });
        refuses(CSYS_STATUS_INVALID_ARGUMENT, [](auto&, auto& p) { p.numScoreMethods = -2; });
        refuses(CSYS_STATUS_INVALID_ARGUMENT, [](auto&, auto& p) { p.maxNumResults = -1; });
        refuses(CSYS_STATUS_INVALID_ARGUMENT, [](auto&, auto& p) { p.numDesiredEdges = 0; });
        refuses(CSYS_STATUS_NULL_ARGUMENT, [](auto&, auto& p) { p.desiredEdges = nullptr; });
        if (formats == 2) {
            refuses(CSYS_STATUS_NULL_ARGUMENT,
                    [](auto&, auto& p) { p.scoreMethodsFixed = nullptr; });
        } else {
            refuses(CSYS_STATUS_NULL_ARGUMENT, [](auto&, auto& p) { p.scoreMethods = nullptr; });
            refuses(CSYS_STATUS_NULL_ARGUMENT, [](auto& set, auto&) { set.edges = nullptr; });
        }
        if (formats != 1) {
            refuses(CSYS_STATUS_NULL_ARGUMENT, [](auto& set, auto&) { set.edgesFixed = nullptr; });
        }
    }
}
