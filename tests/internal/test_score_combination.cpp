// Combining a candidate's method scores, and the order in which sorted runs
// rank candidates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "combine.hpp"
#include "scored_candidate.hpp"

using cclp::combineScores;
using cclp::combineScoresFixed;
using cclp::ScoredCandidate;
using cclp::ScoreProduct;

namespace {

template <class Number>
Number combined(std::initializer_list<Number> scores) {
    ScoreProduct<Number> product(static_cast<int32_t>(scores.size()));
    for (const Number s : scores) product.add(s);
    return product.combined();
}

template <class Number>
std::vector<int32_t> sortedIndices(std::vector<ScoredCandidate<Number>> candidates) {
    std::qsort(candidates.data(), candidates.size(), sizeof(candidates[0]),
               &cclp::compareScoredCandidates<Number>);
    std::vector<int32_t> order;
    for (const auto& c : candidates) order.push_back(c.index);
    return order;
}

}  // namespace

TEST(CombineScores, GeometricMeanInDoublePrecision) {
    EXPECT_DOUBLE_EQ(combined({1.0, 0.5, 0.25}), 0.5);
    EXPECT_EQ(combined({0.64}), 0.64);
    EXPECT_EQ(combined({0.25, 0.64}), 0.4);
    EXPECT_EQ(combineScores(0.3, 0), 0.0);
}

TEST(CombineScores, AnyScoreOfZeroOrLessGivesZero) {
    EXPECT_EQ(combined({1.0, 0.0, 0.5}), 0.0);
    EXPECT_EQ(combined({0.0, 1.0}), 0.0);
    EXPECT_EQ(combined({0.5, -0.1}), 0.0);
    EXPECT_EQ(combined({0.5, std::numeric_limits<double>::quiet_NaN()}), 0.0);
    EXPECT_EQ(ScoreProduct<double>(0).combined(), 0.0) << "no methods, no score";
}

TEST(CombineScoresFixed, ProductsRoundAtEachStepAndRootsFollowTheCount) {
    ScoreProduct<int32_t> product(3);
    product.add(256);
    product.add(128);
    product.add(64);
    EXPECT_EQ(product.combined(), 128) << "products 256, 128, 32";
    EXPECT_EQ(combineScoresFixed(32, 3), 128);
    EXPECT_EQ(combineScoresFixed(64, 2), 128) << "square root of 16384";
    EXPECT_EQ(combineScoresFixed(200, 1), 200);
    EXPECT_EQ(combineScoresFixed(200, 0), 0);
    EXPECT_EQ(combineScoresFixed(256, 6), 256);
}

TEST(CombineScoresFixed, AProductRoundedToZeroGivesZero) {
    EXPECT_EQ(combined<int32_t>({1, 127}), 0) << "products 1, then 0";
    EXPECT_EQ(combined<int32_t>({256, 0, 256}), 0);
    EXPECT_EQ(combined<int32_t>({256, -3}), 0);
}

TEST(CombineScoresFixed, OutOfRangeScoresStayDefined) {
    // Narrow fixed-point ramps can score far above 256; the product wraps
    // and the square root keeps its low 16 bits.
    EXPECT_GE(combined<int32_t>({INT32_MAX, INT32_MAX}), 0);
    EXPECT_EQ(combineScoresFixed(INT32_MAX, 3), round(std::cbrt(INT32_MAX / 256.0) * 256.0));
    EXPECT_EQ(combineScoresFixed(-5, 3), 0) << "a negative product has no real root";
}

TEST(CompareScoredCandidates, HigherScoresFirstThenLowerPositions) {
    const std::vector<ScoredCandidate<double>> candidates = {
        {0.5, 3.0, 0}, {0.9, 1.0, 1}, {0.5, -2.0, 2}, {0.0, -9.0, 3}, {0.9, 0.5, 4}};
    EXPECT_EQ(sortedIndices(candidates), (std::vector<int32_t>{4, 1, 2, 0, 3}));
    const std::vector<ScoredCandidate<int32_t>> fixed = {
        {128, 768, 0}, {230, 256, 1}, {128, -512, 2}, {0, -2304, 3}, {230, 128, 4}};
    EXPECT_EQ(sortedIndices(fixed), (std::vector<int32_t>{4, 1, 2, 0, 3}));
}

TEST(CompareScoredCandidates, ExtremeFixedValuesDoNotWrap) {
    const std::vector<ScoredCandidate<int32_t>> candidates = {
        {INT32_MIN, 0, 0}, {INT32_MAX, 0, 1}, {5, INT32_MAX, 2}, {5, INT32_MIN, 3}};
    EXPECT_EQ(sortedIndices(candidates), (std::vector<int32_t>{1, 3, 2, 0}));
}

TEST(CompareScoredCandidates, NaNPositionsRankLastAmongEqualScores) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<ScoredCandidate<double>> candidates;
    for (int32_t i = 0; i < 40; ++i) {
        candidates.push_back({0.5, i % 3 == 0 ? nan : 40.0 - i, i});
    }
    const auto order = sortedIndices(candidates);
    // Numbers ascending first, the NaN positions after them.
    for (size_t k = 0; k + 1 < order.size(); ++k) {
        const double a = candidates[static_cast<size_t>(order[k])].position;
        const double b = candidates[static_cast<size_t>(order[k + 1])].position;
        EXPECT_TRUE(std::isnan(b) || (!std::isnan(a) && a < b)) << "at " << k;
    }
}
