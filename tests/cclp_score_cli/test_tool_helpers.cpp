// The tool's rounding to 1/256, at the edges of its range. (The command
// line, the reports and the plots show in the end-to-end runs.)
#include <gtest/gtest.h>

#include <limits>

#include "cclp_score_cli/fixed_point.hpp"

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

}  // namespace
}  // namespace cclp_cli
