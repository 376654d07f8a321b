// Combining a candidate's method scores. The order in which sorted runs rank
// candidates (NaN positions and extreme fixed-point values included) the
// run fuzzer checks on every sorted run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/combine.hpp"

using cclp::combineScores;
using cclp::combineScoresFixed;
using cclp::ScoreProduct;

namespace {

template <class Number>
Number combined(std::initializer_list<Number> scores) {
    ScoreProduct<Number> product(static_cast<int32_t>(scores.size()));
    for (const Number s : scores) product.add(s);
    return product.combined();
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
