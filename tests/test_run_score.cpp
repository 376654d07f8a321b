// Scoring runs through the exported entry points: what candidates score in
// both number formats and both record families, and what a repeated run
// allocates. Which candidates are formed, in which order and of which
// polarities, and when an unsuitable method fails, the run fuzzer checks
// record by record against a model of the candidates.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "tests/support/runtime_controls.hpp"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

constexpr uint32_t kBothFormats[] = {CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED};
using Positions = std::vector<double>;

// Fixed-point scores may differ from the exact ones by a unit or so.
double toleranceOf(uint32_t formats) { return formats == CCLP_FORMAT_FIXED ? 1.5 / 256 : 1e-12; }

// The positions of the results of a run that must succeed.
Positions positionsAfter(const std::vector<EdgeSpec>& edges, uint32_t formats,
                         const Params& params) {
    Output<cclp_scoreResultSet> out;
    EXPECT_EQ(runScore(Input(edges, formats), params, out), 0);
    Positions positions;
    for (int32_t r = 0; r < out.set.numResults; ++r) positions.push_back(positionOf(out[r]));
    return positions;
}

}  // namespace

TEST(RunScore, UnsortedRunsKeepInputOrderEvenBehindAZeroScore) {
    const std::vector<EdgeSpec> edges = {{-20, 255}, {1, 51}, {-2, 51}};
    for (const uint32_t formats : kBothFormats) {
        Params params;
        params.methods({nearCentre(), contrast()}).maxResults(2).sorted(false);
        Output<cclp_scoreResultSet> out;
        ASSERT_EQ(runScore(Input(edges, formats), params, out), 0);
        ASSERT_EQ(out.set.numResults, 2);
        EXPECT_EQ(positionOf(out[0]), -20);
        EXPECT_EQ(scoreOf(out[0]), 0.0);
        EXPECT_EQ(methodScoreOf(out[0], 1), 1.0) << "evaluated after the zero";
        EXPECT_NEAR(methodScoreOf(out[1], 0), 0.9, toleranceOf(formats));
        EXPECT_NEAR(methodScoreOf(out[1], 1), 0.2, toleranceOf(formats));
        EXPECT_EQ(positionsAfter(edges, formats, params.sorted(true).maxResults(1)),
                  (Positions{1}));
    }
}

TEST(RunScore, FixedPairRunsNeedAWidthOfAtLeastOneUnit) {
    Params params;
    params.methods({nearCentre()}).desired({{0.0, 3}, {0.001, 3}});
    Output<cclp_scoreResultSet> out;
    const Input input({{-1, 1}, {1, 1}}, CCLP_FORMAT_FIXED);
    EXPECT_EQ(runScore(input, params, out), CCLP_STATUS_ZERO_PAIR_WIDTH);
    EXPECT_EQ(runScore(Input({{-1, 1}, {1, 1}}), params, out), 0) << "no such limit in doubles";
    EXPECT_EQ(runScore(input, params.desired({{0.0, 3}, {0.002, 3}}), out), 0);
    // Only a record written by hand carries a width of 0: the double run
    // reports it and scores on.
    params.params.desiredEdges[1].position = 0.0;
    AssertionCounter assertions;
    EXPECT_EQ(runScore(Input({{-1, 1}, {1, 1}}), params, out), 0);
    EXPECT_EQ(assertions.count(), 1);
    EXPECT_EQ(out.set.numResults, 1);
    EXPECT_EQ(runScore(input, params, out), CCLP_STATUS_ZERO_PAIR_WIDTH);
}

// Method 12 scores 1 - |extra1 difference| / 10, method 13 1 - (the largest
// of extra2 and extra3) / 10; plain edges have no extras and each such
// method reports and scores 0.
TEST(RunScore, ExtendedRunsScoreTheExtraValuesAndPlainRunsScoreThemZero) {
    const std::vector<EdgeSpec> edges = {{-2, 5, 1, 2, 4}, {3, 5, 7, 3, 1}};
    Params params;
    params.edgePair(5).methods({oneSidedMethod(cclp_scoreMethodExtra1Diff, 0, 10, 10, 1, 0),
                                oneSidedMethod(cclp_scoreMethodExtraMax, 0, 10, 10, 1, 0)});
    for (const uint32_t formats : kBothFormats) {
        Output<cclp_scoreResultSetEx> outEx;
        ASSERT_EQ(runScore(InputEx(edges, formats), params, outEx), 0);
        ASSERT_EQ(outEx.set.numResults, 1);
        EXPECT_NEAR(methodScoreOf(outEx[0], 0), 0.4, toleranceOf(formats));
        EXPECT_NEAR(methodScoreOf(outEx[0], 1), 0.6, toleranceOf(formats));
        AssertionCounter assertions;
        Output<cclp_scoreResultSet> out;
        ASSERT_EQ(runScore(Input(edges, formats), params, out), 0);
        ASSERT_EQ(out.set.numResults, 1);
        EXPECT_EQ(methodScoreOf(out[0], 0), 0.0);
        EXPECT_EQ(methodScoreOf(out[0], 1), 0.0);
        EXPECT_EQ(assertions.count(), 2) << "each extra method reported";
    }
}

TEST(RunScore, ARepeatedRunAllocatesOnlyItsWorkingBlock) {
    for (const uint32_t formats : {1u, 2u, 3u}) {
        Params params;
        params.edgePair(4).methods({nearCentre(), contrast()}).maxResults(3);
        const Input input({{-3, 5}, {-1, 9}, {2, 5}, {5, 7}}, formats);
        Output<cclp_scoreResultSet> out;
        ASSERT_EQ(runScore(input, params, out), 0);
        const auto* results = out.set.results;
        const auto* scores = out[2].scores;
        const int64_t before = csys_testing_allocationCount();
        ASSERT_EQ(runScore(input, params, out), 0);
        EXPECT_EQ(csys_testing_allocationCount() - before, 1) << "formats " << formats;
        EXPECT_EQ(out.set.results, results);
        EXPECT_EQ(out[2].scores, scores);
    }
}

// A run keeping fewer results than the one before reuses the records it
// keeps: it allocates only its working block, writes what a fresh output
// gets, and the records it drops leave nothing behind.
TEST(RunScore, ARunKeepingFewerResultsReusesItsRecords) {
    const Input input({{-3, 5}, {-1, 9}, {2, 5}, {5, 7}, {6, 3}});
    const auto values = [](const cclp_scoreResultSet& set) {
        std::string text = std::to_string(set.numResults);
        for (int32_t r = 0; r < set.numResults; ++r) text += "\n" + recordText(set.results[r], false);
        return text;
    };
    const LeakCheck leaks;
    Output<cclp_scoreResultSet> out;
    for (const int32_t keep : {5, 2, 4, 1, 3}) {
        Params params;
        params.edgePair(4).methods({nearCentre(), contrast()}).maxResults(keep);
        const int32_t held = out.set.numResults;
        const int64_t before = csys_testing_allocationCount();
        ASSERT_EQ(runScore(input, params, out), 0);
        if (keep < held) {
            EXPECT_EQ(csys_testing_allocationCount() - before, 1) << "keeping " << keep;
        }
        Output<cclp_scoreResultSet> fresh;
        ASSERT_EQ(runScore(input, params, fresh), 0);
        EXPECT_EQ(values(out.set), values(fresh.set)) << "keeping " << keep;
    }
}
