// Values of scoring functions in fixed point and of the default two-sided
// function, and the conversion of score methods to 1/256 fixed point. The
// double-precision one-sided values (plateaus, the ramp formula's own bits,
// values within the levels where the formula fails) and round256 are the
// scoring-function fuzzer's, on arbitrary functions and arguments.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "engine/function_value.hpp"
#include "score/one_sided.hpp"
#include "tests/support/record_bytes.hpp"
#include "score/score_method.hpp"
#include "score/two_sided.hpp"

using cclp::oneSidedValueFixed;
using cclp::toFixed;
using cclp::testing::allZero;
using cclp::testing::sameBytes;

namespace {

cclp_scoreOneSided make(double x0, double x1, double x2, double y0, double y1) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, y0, y1), 0);
    return f;
}

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

TEST(OneSidedFixedValue, TheRoundedLineInBothDirections) {
    const auto up = toFixed(make(0.0, 1.0, 2.0, 1.0, 0.25));
    const auto down = toFixed(make(2.0, 1.0, 0.0, 1.0, 0.25));
    const cclp_scoreOneSidedFixed narrow{0, 1, 3, 13, 128, 96, 2, 32, 8388608};
    const auto extreme = toFixed(make(-30000.0, 30000.0, 30000.0, 1.0, 0.0));
    const struct {
        const cclp_scoreOneSidedFixed& q;
        int32_t x, value;
    } cases[] = {
        // clang-format off
        {up, 0, 256}, {up, 128, 160}, {up, 255, 65}, {up, 512, 64}, {up, 513, 0},
        {down, 384, 160}, {down, -1, 0},
        {narrow, 2, 256},  // a narrow ramp may leave its levels: not the 112 of the exact line
        {extreme, INT32_MIN + 1, 256}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(oneSidedValueFixed(c.q, c.x), c.value) << c.x;
    (void)oneSidedValueFixed(extreme, 7000000);  // defined, whatever it gives
}

TEST(TwoSidedValue, DefaultTrianglePeaksAtZero) {
    cclp_scoreTwoSided f;
    ASSERT_EQ(cclp_scoreTwoSided_init(&f), 0);
    EXPECT_EQ(cclp::twoSidedValue(f, 0.0), 1.0);
    EXPECT_EQ(cclp::twoSidedValue(f, -0.5), 0.5);
    EXPECT_EQ(cclp::twoSidedValue(f, 0.5), 0.5);
    EXPECT_EQ(cclp::twoSidedValue(f, -3.0), 0.0);
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
