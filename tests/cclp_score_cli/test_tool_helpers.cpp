// The tool's own arithmetic: rounding to 1/256 and the measured values the
// reports give. (The command line and the plots show in the end-to-end runs.)
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "fixed_point.hpp"
#include "measurements.hpp"

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
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPosNormAbs, pair)[0], 0.1);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPos, pair)[0], 2.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodContrast, pair)[0], 30.0);
    EXPECT_EQ(measure(cclp_scoreMethodEdgePos, pair), (std::vector<double>{-9.0, 13.0}));
    EXPECT_EQ(measure(cclp_scoreMethodOffsetDist, pair), (std::vector<double>{3.0, 7.0}));
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodExtra1Diff, pair)[0], 3.0);
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodExtraMax, pair)[0], 0.9);
    EXPECT_TRUE(measure(cclp_scoreMethodStraddle, pair).empty());
    EXPECT_DOUBLE_EQ(measure(cclp_scoreMethodPosAbs, single)[0], 3.0);
    EXPECT_TRUE(measure(cclp_scoreMethodSize, single).empty());
}

}  // namespace
}  // namespace cclp_cli
