// Scoring runs through the exported entry points: which candidates are
// formed and kept, how they are ranked and limited, and what each result
// record holds, in both number formats and both record families.
#include <gtest/gtest.h>

#include <cstdint>
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

TEST(RunScore, PairsAreFormedFirstEdgeMajorInInputOrderAtTheirMean) {
    Params params;
    params.edgePair(4).methods({nearCentre()}).maxResults(10).sorted(false);
    const std::vector<EdgeSpec> edges = {{-3, 5}, {-1, 5}, {2, 5}, {5, 5}};
    for (const uint32_t formats : kBothFormats) {
        EXPECT_EQ(positionsAfter(edges, formats, params), (Positions{-2, -0.5, 1, 0.5, 2, 3.5}));
    }
    Output<cclp_scoreResultSet> out;
    ASSERT_EQ(runScore(Input({{-3 / 256.0, 5}, {0, 5}}, CCLP_FORMAT_FIXED), params, out), 0);
    EXPECT_EQ(out[0].positionFixed, -2) << "(-3 + 0) >> 1";
}

TEST(RunScore, PolarityTestsLetAZeroContrastPassBoth) {
    const std::vector<EdgeSpec> edges = {{-2, 5}, {0, 0}, {2, -5}};
    Params params;
    params.methods({nearCentre()}).maxResults(10).sorted(false);
    for (const uint32_t formats : kBothFormats) {
        EXPECT_EQ(positionsAfter(edges, formats, params.singleEdge(cclp_polarityNegative)),
                  (Positions{0, 2}));
        // First edge light-to-dark, second dark-to-light: (0,1), (0,2), (1,2).
        params.edgePair(4, cclp_polarityPositive, cclp_polarityNegative);
        EXPECT_EQ(positionsAfter(edges, formats, params), (Positions{-1, 0, 1}));
    }
}

TEST(RunScore, RunsWithoutCandidatesGiveEmptyResults) {
    for (const uint32_t formats : kBothFormats) {
        Params params;
        EXPECT_TRUE(positionsAfter({}, formats, params).empty());
        params.singleEdge(cclp_polarityNegative);
        EXPECT_TRUE(positionsAfter({{-3, 10}, {3, 20}}, formats, params).empty());
        // A pair-only method fails only once a candidate reaches it.
        params.methods({oneSidedMethod(cclp_scoreMethodSize, 0, 1, 2, 1, 0)});
        EXPECT_TRUE(positionsAfter({{-3, 10}, {3, 20}}, formats, params).empty());
        Output<cclp_scoreResultSet> out;
        EXPECT_EQ(runScore(Input({{-3, 10}, {3, -20}}, formats), params, out),
                  CCLP_STATUS_METHOD_NEEDS_PAIR);
        params.edgePair(4).methods({nearCentre()});
        EXPECT_TRUE(positionsAfter({{1, 1}}, formats, params).empty());
    }
}

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

// Scores stay between the function's levels even on a ramp narrower than
// 1e-7, where the ramp's slope is not followed.
TEST(RunScore, ScoresStayWithinTheLevelsOnARampTooSteepToFollow) {
    Params params;
    params.methods({oneSidedMethod(cclp_scoreMethodPos, 0, 1e-8, 1, 1, 0.5)}).maxResults(5);
    Output<cclp_scoreResultSet> out;
    ASSERT_EQ(runScore(Input({{0.5e-8, 9}, {0.9e-8, 9}}, 3), params, out), 0);
    ASSERT_EQ(out.set.numResults, 2);
    for (int32_t r = 0; r < 2; ++r) {
        EXPECT_GE(out[r].score, 0.5);
        EXPECT_LE(out[r].score, 1.0);
        EXPECT_LE(out[r].scoreFixed, 256);
    }
    EXPECT_EQ(out[0].score, 1.0) << "the formula gives 7.5";
}

TEST(RunScore, FormatsChooseTheRunAndTheFieldsItWrites) {
    Params params;
    params.methods({oneSidedMethod(cclp_scoreMethodPosAbs, 0, 4, 4, 1, 0)}).sorted(false);
    params.maxResults(5);
    Input input({{-1.0, 30}, {-1.5, 30}, {-1.3, 30}}, CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED);
    // The fixed-point edges are copied as they are, not derived from the doubles.
    input.edgesFixed[1] = {-999, 77};
    Output<cclp_scoreResultSet> out;
    ASSERT_EQ(runScore(input, params, out), 0);
    ASSERT_EQ(out.set.numResults, 3);
    EXPECT_EQ(out[0].formats, 3u);
    EXPECT_EQ(out[0].score, 0.75);
    EXPECT_EQ(out[0].scoreFixed, 192);
    EXPECT_EQ(out[1].positionFixed, -384);
    EXPECT_EQ(out[1].edgesFixed[0].position, -999);
    EXPECT_EQ(out[1].edges[0].position, -1.5);
    // Rounded, not truncated: -332.8 and 172.8 (score 0.675) in 1/256.
    EXPECT_EQ(out[2].positionFixed, -333);
    EXPECT_EQ(out[2].scoreFixed, 173);
    EXPECT_EQ(out[2].scoresFixed[0], 173);
    // A single format writes only its own fields.
    input.set.formats = CCLP_FORMAT_DOUBLE;
    Output<cclp_scoreResultSet> doubles;
    ASSERT_EQ(runScore(input, params, doubles), 0);
    EXPECT_EQ(doubles[0].formats, 1u);
    EXPECT_EQ(doubles[0].scoresFixed, nullptr);
    EXPECT_EQ(doubles[0].edgesFixed, nullptr);
    EXPECT_EQ(doubles[0].scoreFixed, 0);
    input.set.formats = CCLP_FORMAT_FIXED;
    Output<cclp_scoreResultSet> fixed;
    ASSERT_EQ(runScore(input, params, fixed), 0);
    EXPECT_EQ(fixed[0].formats, 2u);
    EXPECT_EQ(fixed[0].scores, nullptr);
    EXPECT_EQ(fixed[0].edges, nullptr);
    EXPECT_EQ(fixed[0].position, 0.0);
    EXPECT_EQ(fixed[0].scoreFixed, 192);
    for (const uint32_t invalid : {0u, 4u}) {
        input.set.formats = invalid;
        EXPECT_EQ(runScore(input, params, out), CCLP_STATUS_FORMAT_NOT_VALID);
    }
    Output<cclp_scoreResultSetEx> outEx;
    EXPECT_EQ(runScore(InputEx({{1, 1}}, 0), params, outEx), CCLP_STATUS_FORMAT_NOT_VALID);
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

TEST(RunScore, ExtendedRunsScoreTheExtraValuesAndPlainRunsScoreThemZero) {
    // Method 13 scores the larger of extra2 and extra3: 1 - max / 10.
    const cclp_score extraMax = oneSidedMethod(cclp_scoreMethodExtraMax, 0, 10, 10, 1, 0);
    const cclp_score extraDiff = oneSidedMethod(cclp_scoreMethodExtra1Diff, 0, 10, 10, 1, 0);
    const std::vector<EdgeSpec> edges = {{-2, 5, 1, 2, 4}, {3, 5, 7, 3, 1}};
    for (const uint32_t formats : kBothFormats) {
        const double tolerance = toleranceOf(formats);
        Params params;
        params.methods({extraMax}).maxResults(5).sorted(false);
        Output<cclp_scoreResultSetEx> outEx;
        ASSERT_EQ(runScore(InputEx(edges, formats), params, outEx), 0);
        ASSERT_EQ(outEx.set.numResults, 2);
        EXPECT_NEAR(scoreOf(outEx[0]), 0.6, tolerance);
        EXPECT_NEAR(scoreOf(outEx[1]), 0.7, tolerance);
        params.edgePair(5).methods({extraDiff, extraMax});
        ASSERT_EQ(runScore(InputEx(edges, formats), params, outEx), 0);
        ASSERT_EQ(outEx.set.numResults, 1);
        EXPECT_NEAR(methodScoreOf(outEx[0], 0), 0.4, tolerance);
        EXPECT_NEAR(methodScoreOf(outEx[0], 1), 0.6, tolerance);
        EXPECT_EQ(formats == CCLP_FORMAT_FIXED ? outEx[0].edgesFixed[1].extra1 / 256.0
                                               : outEx[0].edges[1].extra1,
                  7.0);

        AssertionCounter assertions;
        Output<cclp_scoreResultSet> out;
        ASSERT_EQ(runScore(Input({{-2, 5}, {3, 5}}, formats), params, out), 0);
        ASSERT_EQ(out.set.numResults, 1);
        EXPECT_EQ(scoreOf(out[0]), 0.0);
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
