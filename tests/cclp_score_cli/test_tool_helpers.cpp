// The tool's rounding to 1/256, at the edges of its range, and its plots'
// function values. (The command line, the reports and the plots show in the
// end-to-end runs.)
#include <gtest/gtest.h>

#include <limits>

#include "cclp_score/cclp_scoring_function.h"
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

// The plots' curves are the library's values: the ramp formula to the last
// bit, held between the levels only on a ramp too narrow for its inverse span.
TEST(OneSidedValue, KeepsTheFormulasBitsExceptOnANarrowRamp) {
    cclp_scoreOneSided flat;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&flat, 0.0, 3.0, 5.0, 0.3, 0.3), 0);
    EXPECT_EQ(oneSidedValue(flat, 1.0), 0.29999999999999993);
    cclp_scoreOneSided steep;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&steep, 0.0, 1e-8, 1.0, 1.0, 0.25), 0);
    EXPECT_EQ(oneSidedValue(steep, 0.5e-8), 1.0);  // the formula gives 6.25
}

}  // namespace
}  // namespace cclp_cli
