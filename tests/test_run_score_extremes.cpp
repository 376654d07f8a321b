// Runs at the extremes. Fixed-point measurements of edges far out, or of
// values far apart, saturate instead of wrapping, so that both number
// formats agree on which candidates are bad. Inputs are refused exactly
// where their counts leave the 32-bit data model, and run everywhere inside.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "csys_runtime.h"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

// Each pair's combined score, in the order of forming, from an unsorted run
// of the given format.
template <class In>
std::vector<double> pairScores(In& input, const Params& params, uint32_t formats) {
    input.set.formats = formats;
    Output<typename In::Results> out;
    EXPECT_EQ(runScore(input, params, out), 0);
    std::vector<double> scores;
    for (int32_t r = 0; r < out.set.numResults; ++r) scores.push_back(scoreOf(out[r]));
    return scores;
}

// Whether each pair scores 0, in the floating-point and in the fixed-point run.
template <class In>
void expectBadPairsInBothFormats(In& input, const Params& params, const std::vector<bool>& bad) {
    for (const uint32_t formats : {CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED}) {
        const std::vector<double> scores = pairScores(input, params, formats);
        ASSERT_EQ(scores.size(), bad.size()) << "formats " << formats;
        for (size_t k = 0; k < bad.size(); ++k) {
            EXPECT_EQ(scores[k] == 0.0, bad[k]) << "formats " << formats << ", pair " << k;
        }
    }
}

}  // namespace

// An edge at -1e9 lies beyond the fixed-point range, where its position
// holds at the 32-bit limit; its distance to edges near 8388588 is far, not
// the 20 units of the good pair that a wrapped difference would make it.
TEST(RunScoreExtremes, PositionsFarApartMeasureAsFarInFixedPoint) {
    Input input({{0.0, 50}, {8388568.0, 50}, {8388588.0, 50}});
    input.edges[0].position = -1e9;
    input.edgesFixed[0].position = INT32_MIN;
    Params params;
    params.edgePair(20).methods({oneSidedMethod(cclp_scoreMethodSizeDiff, 0, 0.5, 0.5, 1, 0)});
    params.maxResults(3).sorted(false);
    // Pairs (0, 1), (0, 2), (1, 2): only the last is 20 wide.
    expectBadPairsInBothFormats(input, params, {true, true, false});
}

// extra1 values of -9e6 and +9e6 lie beyond the fixed-point range at both
// ends; their difference must not wrap to one unit.
TEST(RunScoreExtremes, ExtraValuesFarApartMeasureAsFarInFixedPoint) {
    InputEx input({{-2.0, 50}, {0.0, 50}, {2.0, 50}});
    const double extra1[] = {-9e6, 9e6, 9e6 - 0.5};
    const int32_t extra1Fixed[] = {INT32_MIN, INT32_MAX, INT32_MAX};
    for (size_t i = 0; i < 3; ++i) {
        input.edges[i].extra1 = extra1[i];
        input.edgesFixed[i].extra1 = extra1Fixed[i];
    }
    Params params;
    params.edgePair(4).methods({oneSidedMethod(cclp_scoreMethodExtra1Diff, 0, 10, 10, 1, 0)});
    params.maxResults(3).sorted(false);
    expectBadPairsInBothFormats(input, params, {true, true, false});
}

// Pairs need n*(n-1) and K*M below 2^31 (K the n*(n-1)/2 pairs), single
// edges n*M. No edge here has the wanted polarity, so that a run inside the
// counts forms no candidate and ends quickly; one outside is refused before
// it allocates anything.
TEST(RunScoreExtremes, RunsExactlyTheCountsOfTheDataModel) {
    const struct {
        int32_t edges, methods;
        bool pairs, inside;
    } cases[] = {{46341, 2, true, true},   // 2147441940 ordered pairs, as many scores
                 {46341, 3, true, false},  // 3221162910 scores
                 {46342, 1, true, false},  // 2147534622 ordered pairs
                 {65535, 32768, false, true},
                 {65536, 32768, false, false}};  // 2^31 scores
    for (const uint32_t formats : {CCLP_FORMAT_DOUBLE, CCLP_FORMAT_FIXED}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.edges << " edges, " << c.methods
                                              << " methods, formats " << formats);
            const Input input(std::vector<EdgeSpec>(static_cast<size_t>(c.edges), {1.0, -5.0}),
                              formats);
            Params params;
            if (c.pairs) {
                params.edgePair(4, cclp_polarityPositive, cclp_polarityPositive);
            } else {
                params.singleEdge(cclp_polarityPositive);
            }
            params.methods(std::vector<cclp_score>(static_cast<size_t>(c.methods), contrast()));
            Output<cclp_scoreResultSet> out;
            const int64_t requests = csys_testing_allocationCount();
            EXPECT_EQ(runScore(input, params, out), c.inside ? 0 : CSYS_STATUS_OUT_OF_MEMORY);
            EXPECT_EQ(csys_testing_allocationCount() - requests, c.inside ? 1 : 0);
            EXPECT_EQ(out.set.numResults, 0);
        }
    }
}
