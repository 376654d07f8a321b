// Sampling scoring functions: the samples are, bit for bit, the method
// scores that runs write for candidates whose measured value is the sample
// point, in double precision and in 1/256 fixed point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "cclp_score/cclp_score.hpp"
#include "tests/support/runtime_controls.hpp"

namespace {

using namespace cclp::score;

const std::vector<double> kPositions{-30.0, -17.5, -10.0, -7.3, -2.0, 0.0, 0.4,
                                     1.99, 2.0, 6.5, 11.0, 14.2, 25.0};

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// posAbs scores a single edge by its function at |position|.
TEST(CxxSampling, OneSidedSamplesAreTheScoresOfARunMeasuringThoseValues) {
    cclp::testing::LeakCheck leaks;
    const OneSided function(2.0, 11.0, 14.2, 0.9, 0.15);
    Params params;
    params.single().methods({Method(MethodId::PosAbs, function)}).sorted(false).maxResults(100);
    Scorer scorer(params);
    const std::vector<double> contrasts(kPositions.size(), 10.0);

    const Edges doubles(kPositions, contrasts);
    const Results results = scorer.score(doubles);
    std::vector<double> measured;
    for (const Result& result : results) measured.push_back(std::fabs(result.edge(0).position));
    const std::vector<double> samples = function.sample(measured);
    ASSERT_EQ(samples.size(), measured.size());
    for (int32_t r = 0; r < results.size(); ++r) {
        EXPECT_TRUE(sameBits(samples[static_cast<size_t>(r)], results[r].methodScore(0)))
            << "at " << measured[static_cast<size_t>(r)];
    }

    const Edges fixed(kPositions, contrasts, Formats::Fixed);
    const Results fixedResults = scorer.score(fixed);
    std::vector<int32_t> measuredFixed;
    for (const Result& result : fixedResults) {
        measuredFixed.push_back(std::abs(result.edgeFixed(0).position));
    }
    const std::vector<int32_t> fixedSamples = function.sampleFixed(measuredFixed);
    for (int32_t r = 0; r < fixedResults.size(); ++r) {
        EXPECT_EQ(fixedSamples[static_cast<size_t>(r)], fixedResults[r].methodScoreFixed(0));
    }
}

// sizeDiffSigned scores a pair by its two-sided function at
// (|p1 - p0| - w) / w; with w = 1 (256 in fixed point) the measured value
// is exact in both formats.
TEST(CxxSampling, TwoSidedSamplesFollowTheSideThatScoresEachValue) {
    const TwoSided function({-0.9, -0.5, -0.1, 1.0, 0.4}, {0.0, 0.75, 3.0, 0.8, 0.2});
    Params params;
    params.pair({0.0, Polarity::Any}, {1.0, Polarity::Any})
        .methods({Method(MethodId::SizeDiffSigned, function)})
        .sorted(false)
        .maxResults(1000);
    Scorer scorer(params);
    const std::vector<double> contrasts(kPositions.size(), 10.0);
    const Edges edges(kPositions, contrasts, Formats::Fixed);
    const Results results = scorer.score(edges);
    std::vector<int32_t> measured;
    for (const Result& result : results) {
        measured.push_back(std::abs(result.edgeFixed(1).position - result.edgeFixed(0).position) -
                           256);
    }
    const std::vector<int32_t> samples = function.sampleFixed(measured);
    ASSERT_EQ(samples.size(), measured.size());
    for (int32_t r = 0; r < results.size(); ++r) {
        EXPECT_EQ(samples[static_cast<size_t>(r)], results[r].methodScoreFixed(0))
            << "at " << measured[static_cast<size_t>(r)];
    }
    // In double precision both sides meet the split at 0.
    const std::vector<double> values{-1.0, -0.7, -0.1, 0.0, 0.5, 2.0, 3.5};
    const std::vector<double> doubles = function.sample(values);
    const std::vector<double> low = function.lowSide().sample(values);
    const std::vector<double> high = function.highSide().sample(values);
    for (size_t k = 0; k < values.size(); ++k) {
        EXPECT_TRUE(sameBits(doubles[k], values[k] < 0.0 ? low[k] : high[k])) << values[k];
    }
}

TEST(CxxSampling, FailedAllocationsReportOutOfMemoryAndLeakNothing) {
    const TwoSided function({-0.9, -0.5, -0.1, 1.0, 0.4}, {0.0, 0.75, 3.0, 0.8, 0.2});
    const std::vector<int32_t> values{-200, -20, 0, 90, 700};
    const std::vector<int32_t> expected = function.sampleFixed(values);
    cclp::testing::sweepAllocationFailures([&](int32_t k) {
        std::error_code ec;
        cclp::testing::FailAllocation fail(k);
        const std::vector<int32_t> samples = function.sampleFixed(values, ec);
        EXPECT_EQ(samples.empty() ? std::vector<int32_t>{} : expected, samples);
        return static_cast<int32_t>(ec.value());
    });
}

TEST(CxxSampling, NoValuesGiveNoSamples) {
    EXPECT_TRUE(OneSided().sample(std::vector<double>{}).empty());
    EXPECT_TRUE(TwoSided().sampleFixed(std::vector<int32_t>{}).empty());
}

}  // namespace
