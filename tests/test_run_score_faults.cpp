// Scoring runs that cannot finish: failed allocations, attention requests,
// unsuitable methods and inputs the run refuses. Before its sizing step a
// failing run leaves the output exactly as it was; nothing ever leaks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "runtime_controls.hpp"
#include "scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

const std::vector<EdgeSpec> kEdges = {{-6, 40, 1, 2, 3}, {-2.5, -80, 2, 3, 1}, {-1, 0, 5, 1, 1},
                                      {0.5, 60, 1, 1, 9}, {3, -30, 2, 2, 2},   {4.5, 90, 3, 0, 1}};

cclp_score contrast() {
    cclp_score method;
    EXPECT_EQ(cclp_score_init(&method), 0);
    return method;
}

std::vector<cclp_score> pairMethods() {
    return {oneSidedMethod(cclp_scoreMethodSizeDiff, 0, 1, 2, 1, 0), contrast(),
            oneSidedMethod(cclp_scoreMethodPosAbs, 0, 8, 8, 1, 0)};
}

struct RunShape {
    bool pairs;
    uint32_t formats;
};

const RunShape kShapes[] = {{false, 1}, {false, 2}, {false, 3}, {true, 1}, {true, 2}, {true, 3}};

void configure(Params& params, const RunShape& shape) {
    if (shape.pairs) {
        params.edgePair(5).methods(pairMethods());
    } else {
        params.singleEdge().methods(
            {contrast(), oneSidedMethod(cclp_scoreMethodPos, 0, 8, 8, 1, 0)});
    }
    params.maxResults(4);
}

// An output that already holds results of another run (one more record
// than the runs here write), so that every sizing path is taken.
template <class Set, class In>
void fillWithEarlierResults(Output<Set>& out, const In& input, const RunShape& shape) {
    Params earlier;
    configure(earlier, shape);
    earlier.maxResults(5);
    ASSERT_EQ(runScore(input, earlier, out), 0);
    ASSERT_EQ(out.set.numResults, 5);
}

template <class In, class Set>
void sweepAllocations(const RunShape& shape) {
    const In input(kEdges, shape.formats);
    Params params;
    configure(params, shape);
    const int32_t failurePoints = sweepAllocationFailures([&](int32_t k) {
        Output<Set> out;
        fillWithEarlierResults(out, input, shape);
        const std::string before = snapshot(out.set);
        const int32_t status = [&] {
            FailAllocation fail(k);
            return runScore(input, params, out);
        }();
        if (status < 0 && k == 1) {
            EXPECT_EQ(snapshot(out.set), before) << "the working block failed: output untouched";
        } else if (status < 0) {
            EXPECT_EQ(out.set.numResults, 0) << "failed at request " << k;
        } else {
            EXPECT_EQ(out.set.numResults, 4);
        }
        return status;
    });
    // The block, the set's array, and one request per array of each record.
    const int32_t arraysPerRecord = shape.formats == 3 ? 4 : 2;
    EXPECT_EQ(failurePoints, 2 + 4 * arraysPerRecord);
}

// The number of attention polls of one successful run.
template <class In, class Set>
int64_t pollsOf(const In& input, const Params& params) {
    Output<Set> out;
    const int64_t before = csys_testing_attentionCount();
    EXPECT_EQ(runScore(input, params, out), 0);
    return csys_testing_attentionCount() - before;
}

template <class In, class Set>
void sweepAttention(const RunShape& shape) {
    const In input(kEdges, shape.formats);
    Params params;
    configure(params, shape);
    const int64_t polls = pollsOf<In, Set>(input, params);
    ASSERT_GT(polls, 1);
    for (int32_t k = 1; k <= polls; ++k) {
        LeakCheck leaks;
        Output<Set> out;
        fillWithEarlierResults(out, input, shape);
        const std::string before = snapshot(out.set);
        DisarmOnExit disarm;
        csys_testing_failAttention(k);
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_ATTENTION) << "poll " << k;
        EXPECT_EQ(snapshot(out.set), before) << "poll " << k;
    }
}

}  // namespace

TEST(RunScoreFaults, EveryAllocationFailurePassesThroughWithoutLeaks) {
    for (const RunShape& shape : kShapes) {
        SCOPED_TRACE(::testing::Message()
                     << "pairs " << shape.pairs << " formats " << shape.formats);
        sweepAllocations<Input, cclp_scoreResultSet>(shape);
        sweepAllocations<InputEx, cclp_scoreResultSetEx>(shape);
    }
}

TEST(RunScoreFaults, AttentionAtAnyPollAbandonsTheRunBeforeTheOutputIsTouched) {
    for (const RunShape& shape : kShapes) {
        SCOPED_TRACE(::testing::Message()
                     << "pairs " << shape.pairs << " formats " << shape.formats);
        sweepAttention<Input, cclp_scoreResultSet>(shape);
        sweepAttention<InputEx, cclp_scoreResultSetEx>(shape);
    }
}

TEST(RunScoreFaults, RunsPollAtTheirOwnPlaces) {
    // Nine single edges: before edges 0, 4 and 8, and once after the scan.
    std::vector<EdgeSpec> nine;
    for (int32_t i = 0; i < 9; ++i) nine.push_back({i - 4.0, 10});
    Params singles;
    singles.singleEdge(cclp_polarityPositive);
    for (const uint32_t formats : {1u, 2u}) {
        EXPECT_EQ((pollsOf<Input, cclp_scoreResultSet>(Input(nine, formats), singles)), 4);
    }
    // Pairs over five edges of which edges 1 and 3 fail the first polarity.
    const std::vector<EdgeSpec> five = {{-4, 5}, {-2, -5}, {0, 5}, {2, -5}, {4, 5}};
    Params pairs;
    pairs.edgePair(4, cclp_polarityPositive, 3).methods({contrast()});
    // Floating point: before every first edge, and once after sorting.
    EXPECT_EQ((pollsOf<Input, cclp_scoreResultSet>(Input(five, 1), pairs)), 6);
    // Fixed point: before every second edge of a kept first edge (4 + 2 + 0),
    // and once after the scan.
    EXPECT_EQ((pollsOf<Input, cclp_scoreResultSet>(Input(five, 2), pairs)), 7);
}

TEST(RunScoreFaults, AFailingMethodLeavesTheOutputAsItWas) {
    for (const uint32_t formats : {1u, 2u}) {
        const RunShape shape{false, formats};
        const Input input(kEdges, formats);
        Output<cclp_scoreResultSet> out;
        fillWithEarlierResults(out, input, shape);
        const std::string before = snapshot(out.set);
        LeakCheck leaks;
        Params params;
        params.singleEdge().methods(
            {contrast(), oneSidedMethod(cclp_scoreMethodSize, 0, 1, 2, 1, 0)});
        EXPECT_EQ(runScore(input, params, out), CCLP_STATUS_METHOD_NEEDS_PAIR);
        cclp_score unknown = contrast();
        unknown.method = 14;
        params.edgePair(3).methods({unknown});
        EXPECT_EQ(runScore(input, params, out), CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR);
        params.singleEdge();
        EXPECT_EQ(runScore(input, params, out), CCLP_STATUS_METHOD_NEEDS_PAIR);
        EXPECT_EQ(runScore(Input(kEdges, 0), params, out), CCLP_STATUS_FORMAT_NOT_VALID);
        EXPECT_EQ(snapshot(out.set), before);
    }
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
    // Arrays a run would read must be there too.
    for (const uint32_t formats : {1u, 2u, 3u}) {
        Input missing(kEdges, formats);
        if (formats == 2) {
            missing.set.edgesFixed = nullptr;
        } else {
            missing.set.edges = nullptr;
        }
        EXPECT_EQ(runScore(missing, params, out), CSYS_STATUS_NULL_ARGUMENT) << formats;
    }
    Input noFixedCopies(kEdges, 3);
    noFixedCopies.set.edgesFixed = nullptr;
    EXPECT_EQ(runScore(noFixedCopies, params, out), CSYS_STATUS_NULL_ARGUMENT);
    // And the parameters' arrays: the desired edges, the methods of the run's format.
    for (const uint32_t formats : {1u, 2u}) {
        const Input present(kEdges, formats);
        cclp_scoreParams noDesiredEdges = params.params;
        noDesiredEdges.desiredEdges = nullptr;
        EXPECT_EQ(cclp_runScore(&present.set, &noDesiredEdges, &out.set),
                  CSYS_STATUS_NULL_ARGUMENT);
        cclp_scoreParams noMethods = params.params;
        if (formats == 1) {
            noMethods.scoreMethods = nullptr;
        } else {
            noMethods.scoreMethodsFixed = nullptr;
        }
        EXPECT_EQ(cclp_runScore(&present.set, &noMethods, &out.set), CSYS_STATUS_NULL_ARGUMENT);
    }
    EXPECT_EQ(out.set.numResults, 0);
}

TEST(RunScoreFaults, CountsOutsideTheRecordsRangesAreRefusedBeforeAnyAllocation) {
    for (const uint32_t formats : {1u, 2u}) {
        const RunShape shape{true, formats};
        Input input(kEdges, formats);
        Output<cclp_scoreResultSet> out;
        fillWithEarlierResults(out, input, shape);
        const std::string before = snapshot(out.set);
        Params params;
        configure(params, shape);
        const int64_t requests = csys_testing_allocationCount();

        input.set.numEdges = -1;
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_INVALID_ARGUMENT);
        // 46342 edges make more ordered pairs than 32 bits count.
        input.set.numEdges = 46342;
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_OUT_OF_MEMORY);
        // 46341 edges do, but their per-method scores (3 each) do not.
        input.set.numEdges = 46341;
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_OUT_OF_MEMORY);
        input.set.numEdges = static_cast<int32_t>(kEdges.size());

        const int32_t methods = params.params.numScoreMethods;
        params.params.numScoreMethods = -2;
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_INVALID_ARGUMENT);
        params.params.numScoreMethods = methods;
        params.params.maxNumResults = -1;
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_INVALID_ARGUMENT);
        params.params.maxNumResults = 4;
        params.params.numDesiredEdges = 0;
        EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_INVALID_ARGUMENT);
        params.params.numDesiredEdges = 2;

        EXPECT_EQ(csys_testing_allocationCount(), requests);
        EXPECT_EQ(snapshot(out.set), before);
    }
}

TEST(RunScoreFaults, SingleEdgeRunsRefuseBlocksBeyondTwoGigabytes) {
    // 60000 edges by 5000 methods: 3e8 scores, 2.4e9 bytes of doubles.
    Input input(kEdges);
    input.set.numEdges = 60000;
    Params params;
    const int32_t methods = params.params.numScoreMethods;
    params.params.numScoreMethods = 5000;
    Output<cclp_scoreResultSet> out;
    const int64_t requests = csys_testing_allocationCount();
    EXPECT_EQ(runScore(input, params, out), CSYS_STATUS_OUT_OF_MEMORY);
    EXPECT_EQ(csys_testing_allocationCount(), requests);
    params.params.numScoreMethods = methods;
}
