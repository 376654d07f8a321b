// One- and two-sided scoring functions through the exported interface: the
// default and the null checks. The order of the initialisations' checks, a
// refusal that changes nothing and a high-side failure that keeps the new
// low side are the scoring-function fuzzer's, on arbitrary values.
#include <gtest/gtest.h>

#include "cclp_score/cclp_scoring_function.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

TEST(OneSided, DefaultIsUnitRampFromZeroToOne) {
    cclp_scoreOneSided f, expected;
    ASSERT_EQ(cclp_scoreOneSided_init(&f), 0);
    ASSERT_EQ(cclp_scoreOneSided_initValues(&expected, 0.0, 1.0, 1.0, 1.0, 0.0), 0);
    EXPECT_TRUE(sameBytes(f, expected)) << "offset 0 included";
    double offset = -1.0;
    EXPECT_EQ(cclp_scoreOneSided_getPositionOffset(&f, &offset), 0);
    EXPECT_EQ(offset, 0.0);
}

TEST(ScoringFunctions, NullArgumentsAreReportedAndRefused) {
    cclp_scoreOneSided one;
    cclp_scoreTwoSided two;
    cclp_scoreTwoSided_init(&two);
    one = two.lowSide;
    double x = 0.0;
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_init(nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreOneSided_getValues(&one, &x, &x, nullptr, &x, &x));
    EXPECT_NULL_REFUSED(
        cclp_scoreTwoSided_getValues(&two, &x, &x, &x, &x, &x, &x, &x, &x, &x, nullptr));
    EXPECT_NULL_REFUSED(cclp_scoreTwoSided_getPositionOffsets(&two, &x, nullptr));
}
