// The plots' function values. (The command line, the reports and the plots
// show in the end-to-end runs.)
#include <gtest/gtest.h>

#include "cclp_score/cclp_scoring_function.h"
#include "cclp_score_cli/measurements.hpp"

namespace cclp_cli {
namespace {

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
