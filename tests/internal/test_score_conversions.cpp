// Fixed-point forms of two-sided functions and score methods, and the
// fixed-point copies that the score parameters keep beside their methods.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_params.h"
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

// Every stored method's fixed form is the conversion of the stored record.
void expectFixedFormsMatch(const cclp_scoreParams& p) {
    for (int32_t i = 0; i < p.numScoreMethods; ++i) {
        EXPECT_TRUE(sameBytes(p.scoreMethodsFixed[i], toFixed(p.scoreMethods[i])))
            << "method " << i;
    }
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

// After every setting, offset update and copy.
TEST(ScoreParamsFixed, FixedFormsAreTheConversionOfTheStoredMethods) {
    cclp_scoreParams params, copy;
    ASSERT_EQ(cclp_scoreParams_construct(&params), 0);
    ASSERT_EQ(cclp_scoreParams_construct(&copy), 0);
    expectFixedFormsMatch(params);
    const cclp_score functions = methodOf(1);
    cclp_score methods[3];
    ASSERT_EQ(cclp_score_init(&methods[0]), 0);
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&methods[1], 10, &functions.twoSided), 0);
    ASSERT_EQ(cclp_score_initScoreMethodOneSided(&methods[2], 11, &functions.oneSided), 0);
    ASSERT_EQ(cclp_scoreParams_setScoreMethods(&params, 3, methods), 0);
    expectFixedFormsMatch(params);
    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&params, 0, 2.5), 0);
    ASSERT_EQ(cclp_scoreParams_updateTwoSidedOffsets(&params, 1, -2.5, 1.0 / 3.0), 0);
    ASSERT_EQ(cclp_scoreParams_updateOneSidedOffset(&params, 2, -1e-3), 0);
    expectFixedFormsMatch(params);
    ASSERT_EQ(cclp_scoreParams_assign(&copy, &params), 0);
    expectFixedFormsMatch(copy);
    EXPECT_EQ(std::memcmp(copy.scoreMethodsFixed, params.scoreMethodsFixed,
                          3 * sizeof(cclp_scoreFixed)),
              0);
    EXPECT_EQ(cclp_scoreParams_destruct(&params), 0);
    EXPECT_EQ(cclp_scoreParams_destruct(&copy), 0);
}
