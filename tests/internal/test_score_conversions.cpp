// Values of two-sided functions and fixed-point forms of score methods.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "function_value.hpp"
#include "record_bytes.hpp"
#include "score_method.hpp"
#include "two_sided.hpp"

using cclp::toFixed;
using cclp::testing::allZero;
using cclp::testing::sameBytes;

namespace {

// Both functions filled, whichever isOneSided selects.
cclp_score methodOf(int32_t isOneSided) {
    cclp_score score;
    std::memset(&score, 0, sizeof score);
    score.isOneSided = isOneSided;
    score.method = 11;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&score.oneSided, 0.0, 1.0, 2.0, 1.0, 0.25), 0);
    EXPECT_EQ(cclp_scoreTwoSided_initValues(&score.twoSided, -1.0, -2.0, -3.0, 0.0, 2.0, 4.0, 1.0,
                                            0.5, 1.0, 0.25),
              0);
    return score;
}

}  // namespace

TEST(TwoSidedValue, DefaultTrianglePeaksAtZero) {
    cclp_scoreTwoSided f;
    ASSERT_EQ(cclp_scoreTwoSided_init(&f), 0);
    EXPECT_EQ(cclp::twoSidedValue(f, 0.0), 1.0);
    EXPECT_EQ(cclp::twoSidedValue(f, -0.5), 0.5);
    EXPECT_EQ(cclp::twoSidedValue(f, 0.5), 0.5);
    for (const double x : {-1.0, 1.0, -3.0, 3.0}) EXPECT_EQ(cclp::twoSidedValue(f, x), 0.0);
}

// isOneSided 1 selects the one-sided function, anything else the two-sided.
TEST(ScoreMethodFixed, ConvertsOnlyTheSelectedFunctionAndZeroesTheOther) {
    for (const int32_t isOneSided : {1, 0, 2, -1}) {
        const cclp_score method = methodOf(isOneSided);
        const cclp_scoreFixed q = toFixed(method);
        EXPECT_EQ(q.isOneSided, isOneSided);
        EXPECT_EQ(q.method, 11);
        if (isOneSided == 1) {
            EXPECT_TRUE(sameBytes(q.oneSided, toFixed(method.oneSided)));
            EXPECT_TRUE(allZero(q.twoSided));
        } else {
            EXPECT_TRUE(sameBytes(q.twoSided, toFixed(method.twoSided)));
            EXPECT_TRUE(allZero(q.oneSided));
        }
    }
}
