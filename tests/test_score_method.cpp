// Score method records through the exported interface.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "tests/support/record_bytes.hpp"
#include "tests/support/runtime_controls.hpp"

using namespace cclp::testing;

namespace {

// A method whose every byte is set, so that any write shows.
cclp_score marked() {
    cclp_score score;
    std::memset(&score, 0x5A, sizeof score);
    return score;
}

}  // namespace

TEST(ScoreMethod, DefaultIsTheOneSidedContrastRamp) {
    cclp_score score = marked();
    ASSERT_EQ(cclp_score_init(&score), 0);
    EXPECT_EQ(score.isOneSided, 1);
    EXPECT_EQ(score.method, cclp_scoreMethodContrast);
    cclp_scoreOneSided expected;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&expected, 255.0, 0.0, 0.0, 1.0, 0.0), 0);
    EXPECT_TRUE(sameBytes(score.oneSided, expected));
    EXPECT_TRUE(allZero(score.twoSided)) << "the unused function is zeroed";
}

constexpr int32_t kNotAMethod = -1;

int32_t functionKindOf(int32_t method) {
#define FUNCTION_OF_(number, id, name, function, ...) \
    if (method == (number)) return function;
    CCLP_SCORE_METHOD_TABLE(FUNCTION_OF_)
#undef FUNCTION_OF_
    return kNotAMethod;
}

// Each builder accepts the methods whose table row names its function
// (the one-sided builder also those without a function). An accepted method
// zeroes the function it does not use; a refused one leaves the record
// untouched.
TEST(ScoreMethod, EachBuilderAcceptsExactlyItsMethods) {
    cclp_scoreOneSided one;
    cclp_scoreTwoSided two;
    ASSERT_EQ(cclp_scoreOneSided_initValues(&one, 0.0, 2.0, 3.0, 1.0, 0.0), 0);
    ASSERT_EQ(cclp_scoreTwoSided_init(&two), 0);
    const cclp_score before = marked();
    for (int32_t method = -1; method <= CCLP_SCORE_METHOD_COUNT + 2; ++method) {
        SCOPED_TRACE(method);
        cclp_score score = before;
        const int32_t kind = functionKindOf(method);
        if (kind != kNotAMethod && kind != cclp_scoreFunctionTwoSided) {
            ASSERT_EQ(cclp_score_initScoreMethodOneSided(&score, method, &one), 0);
            EXPECT_EQ(score.isOneSided, 1);
            EXPECT_EQ(score.method, method);
            EXPECT_TRUE(sameBytes(score.oneSided, one));
            EXPECT_TRUE(allZero(score.twoSided));
        } else {
            EXPECT_EQ(cclp_score_initScoreMethodOneSided(&score, method, &one),
                      CCLP_STATUS_NOT_ONE_SIDED_METHOD);
            EXPECT_TRUE(sameScore(score, before));
        }
        score = before;
        if (kind == cclp_scoreFunctionTwoSided || kind == cclp_scoreFunctionByCandidate) {
            ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, method, &two), 0);
            EXPECT_EQ(score.isOneSided, 0);
            EXPECT_EQ(score.method, method);
            EXPECT_TRUE(sameBytes(score.twoSided, two));
            EXPECT_TRUE(allZero(score.oneSided));
        } else {
            EXPECT_EQ(cclp_score_initScoreMethodTwoSided(&score, method, &two),
                      CCLP_STATUS_NOT_TWO_SIDED_METHOD);
            EXPECT_TRUE(sameScore(score, before));
        }
    }
}

TEST(ScoreMethod, TheFunctionMayComeFromTheRecordItself) {
    cclp_score score;
    cclp_scoreTwoSided function;
    ASSERT_EQ(cclp_scoreTwoSided_init(&function), 0);
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, cclp_scoreMethodEdgePos, &function), 0);
    ASSERT_EQ(
        cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodPos, &score.twoSided.highSide),
        0);
    EXPECT_TRUE(sameBytes(score.oneSided, function.highSide));
}

TEST(ScoreMethod, NewNewCloneAndDeleteOwnTheRecord) {
    LeakCheck leaks;
    const auto everyByte = [](const cclp_score& copy, const cclp_score& source) {
        EXPECT_TRUE(sameBytes(copy, source));
    };
    EXPECT_EQ(expectHeapLifecycle(cclp_score_new, cclp_score_newClone, cclp_score_delete, marked(),
                                  everyByte),
              1);
}

TEST(ScoreMethod, NullArgumentsAreReportedAndRefused) {
    cclp_score score;
    EXPECT_NULL_REFUSED(cclp_score_initScoreMethodOneSided(&score, 6, nullptr));
    EXPECT_NULL_REFUSED(cclp_score_initScoreMethodTwoSided(nullptr, 9, nullptr));
}
