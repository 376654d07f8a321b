// The tool's own arithmetic: rounding to 1/256, the function values and
// measured values the plot marks, and axis ticks. (The command line shows in
// the end-to-end runs.)
#include <gtest/gtest.h>

#include <limits>

#include "fixed_point.hpp"
#include "measurements.hpp"
#include "svg_canvas.hpp"

namespace cclp_cli {
namespace {

TEST(Round256, RoundsAsTheModuleDoesAndSaturates) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const std::pair<double, int32_t> cases[] = {
        {1.0, 256}, {0.5 / 256, 1}, {-0.5 / 256, 0} /* toward zero */, {-0.6 / 256, -1},
        {9.0e6, INT32_MAX}, {-9.0e6, INT32_MIN}, {kInfinity, INT32_MAX},
        {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& [value, fixed] : cases) EXPECT_EQ(round256(value), fixed) << value;
}

cclp_scoreOneSided oneSided(double x0, double x1, double x2, double y0, double y1) {
    cclp_scoreOneSided function{};
    EXPECT_EQ(cclp_scoreOneSided_initValues(&function, x0, x1, x2, y0, y1), CCLP_STATUS_OK);
    return function;
}

TEST(FunctionValues, FollowTheLibrarysRule) {
    const cclp_scoreOneSided up = oneSided(0, 5, 10, 1, 0.5);
    EXPECT_EQ(oneSidedValue(up, -3), 1.0);
    EXPECT_DOUBLE_EQ(oneSidedValue(up, 2.5), 0.75);
    EXPECT_EQ(oneSidedValue(up, 10), 0.5);  // x2 still scores y1
    EXPECT_EQ(oneSidedValue(up, 10.001), 0.0);
    const cclp_scoreOneSided down = oneSided(255, 0, 0, 1, 0);
    EXPECT_DOUBLE_EQ(oneSidedValue(down, 127.5), 0.5);
    EXPECT_EQ(oneSidedValue(down, -1), 0.0);
    cclp_scoreTwoSided triangle{};
    ASSERT_EQ(cclp_scoreTwoSided_init(&triangle), CCLP_STATUS_OK);
    EXPECT_EQ(splitPoint(triangle), 0.0);
    EXPECT_EQ(twoSidedValue(triangle, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(twoSidedValue(triangle, -0.5), 0.5);
    EXPECT_DOUBLE_EQ(twoSidedValue(triangle, 0.5), 0.5);
}

cclp_score method(int32_t number) {
    cclp_score score{};
    score.method = number;
    score.twoSided.lowSide.positionOffset = -6.0;
    score.twoSided.highSide.positionOffset = 6.0;
    return score;
}

TEST(MeasuredValues, MatchTheMethodDefinitions) {
    const std::vector<Edge> pair{{-9.0, 40.0, 1.0, 0.2, 0.9}, {13.0, -20.0, 4.0, 0.5, 0.1}};
    const std::vector<Edge> single{{-3.0, -30.0, 0.0, 0.4, 0.7}};
    const auto measure = [](int32_t number, const std::vector<Edge>& edges) {
        return measuredValues(method(number), edges, 20.0);
    };
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodSizeDiff, pair)[0], 0.1);  // |22 - 20| / 20
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodSize, pair)[0], 1.1);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPosNormAbs, pair)[0], 0.1);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPosNorm, pair)[0], 0.1);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPos, pair)[0], 2.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodContrast, pair)[0], 30.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodSizeDiffSigned, pair)[0], 0.1);
    EXPECT_EQ(measure(cclp_scoreMethodEdgePos, pair), (std::vector<double>{-9.0, 13.0}));
    EXPECT_EQ(measure(cclp_scoreMethodOffsetDist, pair), (std::vector<double>{3.0, 7.0}));
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodExtra1Diff, pair)[0], 3.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodExtraMax, pair)[0], 0.9);
    EXPECT_TRUE(measure(cclp_scoreMethodStraddle, pair).empty());
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPosAbs, single)[0], 3.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPos, single)[0], -3.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodExtraMax, single)[0], 0.7);
    EXPECT_TRUE(measure(cclp_scoreMethodSize, single).empty());
}

TEST(AxisTicks, AreRoundAndCoverTheRange) {
    EXPECT_EQ(niceTicks(-0.05, 1.05, 5), (std::vector<double>{0.0, 0.25, 0.5, 0.75, 1.0}));
    EXPECT_EQ(niceTicks(-37.0, 41.0, 8), (std::vector<double>{-30, -20, -10, 0, 10, 20, 30, 40}));
    EXPECT_EQ(niceTicks(3.0, 3.0, 5), (std::vector<double>{3.0}));
}

}  // namespace
}  // namespace cclp_cli
