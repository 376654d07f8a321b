// Combining a candidate's method scores, and the order in which sorted runs
// rank candidates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/combine.hpp"
#include "engine/scored_candidate.hpp"

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
    std::sort(candidates.begin(), candidates.end(), &cclp::ranksBefore<Number>);
    std::vector<int32_t> order;
    for (const auto& c : candidates) order.push_back(c.index);
    return order;
}

}  // namespace

TEST(CombineScores, GeometricMeanInDoublePrecisionZeroForAnyScoreOfZeroOrLess) {
    EXPECT_DOUBLE_EQ(combined({1.0, 0.5, 0.25}), 0.5);
    EXPECT_EQ(combined({0.25, 0.64}), 0.4);
    EXPECT_EQ(combineScores(0.3, 0), 0.0);
    for (const double bad : {0.0, -0.1, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(combined({1.0, bad, 0.5}), 0.0) << bad;
    }
    EXPECT_EQ(ScoreProduct<double>(0).combined(), 0.0) << "no methods, no score";
}

TEST(CombineScoresFixed, ProductsRoundAtEachStepAndRootsFollowTheCount) {
    EXPECT_EQ(combined<int32_t>({256, 128, 64}), 128) << "products 256, 128, 32";
    EXPECT_EQ(combineScoresFixed(64, 2), 128) << "square root of 16384";
    EXPECT_EQ(combineScoresFixed(200, 0), 0);
    // A product rounded to zero gives zero.
    EXPECT_EQ(combined<int32_t>({1, 127}), 0) << "products 1, then 0";
    // Narrow fixed-point ramps can score far above 256; the product wraps
    // and the square root keeps its low 16 bits.
    EXPECT_GE(combined<int32_t>({INT32_MAX, INT32_MAX}), 0);
    EXPECT_EQ(combineScoresFixed(INT32_MAX, 3), round(std::cbrt(INT32_MAX / 256.0) * 256.0));
    EXPECT_EQ(combineScoresFixed(-5, 3), 0) << "a negative product has no real root";
}

// Higher scores first, then lower positions; extreme fixed-point values do
// not wrap, and NaN positions rank last among equal scores.
TEST(CompareScoredCandidates, RankHigherScoresFirstThenLowerPositions) {
    const std::vector<ScoredCandidate<int32_t>> fixed = {
        {128, 768, 0}, {230, 256, 1}, {128, -512, 2}, {0, -2304, 3}, {230, 128, 4}};
    EXPECT_EQ(sortedIndices(fixed), (std::vector<int32_t>{4, 1, 2, 0, 3}));
    const std::vector<ScoredCandidate<int32_t>> extremes = {
        {INT32_MIN, 0, 0}, {INT32_MAX, 0, 1}, {5, INT32_MAX, 2}, {5, INT32_MIN, 3}};
    EXPECT_EQ(sortedIndices(extremes), (std::vector<int32_t>{1, 3, 2, 0}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<ScoredCandidate<double>> candidates;
    for (int32_t i = 0; i < 40; ++i) candidates.push_back({0.5, i % 3 == 0 ? nan : 40.0 - i, i});
    candidates.push_back({0.9, 50.0, 40});
    const auto order = sortedIndices(candidates);
    EXPECT_EQ(order.front(), 40);
    for (size_t k = 1; k + 1 < order.size(); ++k) {
        const double a = candidates[static_cast<size_t>(order[k])].position;
        const double b = candidates[static_cast<size_t>(order[k + 1])].position;
        EXPECT_TRUE(std::isnan(b) || (!std::isnan(a) && a < b)) << "at " << k;
    }
}
