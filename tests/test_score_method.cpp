// Score method records through the exported interface.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_method.h"
#include "record_bytes.hpp"
#include "runtime_controls.hpp"

using namespace cclp::testing;

namespace {

cclp_scoreOneSided ramp(double x0, double x1, double x2) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, 1.0, 0.0), 0);
    return f;
}

cclp_scoreTwoSided triangle() {
    cclp_scoreTwoSided f;
    EXPECT_EQ(cclp_scoreTwoSided_init(&f), 0);
    return f;
}

// A method whose every byte is set, so that any write shows.
cclp_score marked() {
    cclp_score score;
    std::memset(&score, 0x5A, sizeof score);
    return score;
}

bool acceptsOneSided(int32_t method) {
    return (method >= 1 && method <= 8) || (method >= 11 && method <= 13);
}

bool acceptsTwoSided(int32_t method) { return method >= 9 && method <= 11; }

}  // namespace

TEST(ScoreMethodInit, DefaultIsTheOneSidedContrastRamp) {
    cclp_score score = marked();
    ASSERT_EQ(cclp_score_init(&score), 0);
    EXPECT_EQ(score.isOneSided, 1);
    EXPECT_EQ(score.method, cclp_scoreMethodContrast);
    const cclp_scoreOneSided expected = ramp(255.0, 0.0, 0.0);
    EXPECT_TRUE(sameBytes(score.oneSided, expected));
    EXPECT_TRUE(allZero(score.twoSided)) << "the unused function is zeroed";
}

TEST(ScoreMethodBuild, OneSidedBuilderAcceptsExactlyItsMethods) {
    const cclp_scoreOneSided function = ramp(0.0, 2.0, 3.0);
    for (int32_t method = -1; method <= 15; ++method) {
        const cclp_score before = marked();
        cclp_score score = before;
        const int32_t status = cclp_score_initScoreMethodOneSided(&score, method, &function);
        if (acceptsOneSided(method)) {
            EXPECT_EQ(status, 0) << "method " << method;
            EXPECT_EQ(score.isOneSided, 1);
            EXPECT_EQ(score.method, method);
            EXPECT_TRUE(sameBytes(score.oneSided, function));
            EXPECT_TRUE(allZero(score.twoSided));
        } else {
            EXPECT_EQ(status, CCLP_STATUS_NOT_ONE_SIDED_METHOD) << "method " << method;
            EXPECT_TRUE(sameScore(score, before)) << "method " << method;
        }
    }
}

TEST(ScoreMethodBuild, TwoSidedBuilderAcceptsExactlyItsMethods) {
    const cclp_scoreTwoSided function = triangle();
    for (int32_t method = -1; method <= 15; ++method) {
        const cclp_score before = marked();
        cclp_score score = before;
        const int32_t status = cclp_score_initScoreMethodTwoSided(&score, method, &function);
        if (acceptsTwoSided(method)) {
            EXPECT_EQ(status, 0) << "method " << method;
            EXPECT_EQ(score.isOneSided, 0);
            EXPECT_EQ(score.method, method);
            EXPECT_TRUE(sameBytes(score.twoSided, function));
            EXPECT_TRUE(allZero(score.oneSided));
        } else {
            EXPECT_EQ(status, CCLP_STATUS_NOT_TWO_SIDED_METHOD) << "method " << method;
            EXPECT_TRUE(sameScore(score, before)) << "method " << method;
        }
    }
}

TEST(ScoreMethodBuild, TheFunctionMayComeFromTheRecordItself) {
    cclp_score score;
    const cclp_scoreTwoSided function = triangle();
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, cclp_scoreMethodEdgePos, &function), 0);
    const cclp_scoreOneSided high = score.twoSided.highSide;
    ASSERT_EQ(
        cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodPos, &score.twoSided.highSide),
        0);
    EXPECT_TRUE(sameBytes(score.oneSided, high));
}

TEST(ScoreMethodHeap, NewInitialisesNewCloneCopiesEveryByteDeleteReleases) {
    LeakCheck leaks;
    cclp_score* score = nullptr;
    ASSERT_EQ(cclp_score_new(&score), 0);
    cclp_score expected;
    cclp_score_init(&expected);
    EXPECT_TRUE(sameScore(*score, expected));
    const cclp_score source = marked();
    ASSERT_EQ(cclp_score_newClone(&score, &source), 0) << "the old record is deleted, not leaked";
    EXPECT_TRUE(sameBytes(*score, source));
    EXPECT_EQ(cclp_score_newClone(&score, score), 0) << "cloning the held record keeps it";
    EXPECT_TRUE(sameBytes(*score, source));
    EXPECT_EQ(cclp_score_newClone(&score, nullptr), 0);
    EXPECT_EQ(score, nullptr) << "a null source deletes";
    EXPECT_EQ(cclp_score_delete(&score), 0) << "deleting a null pointer is allowed";
}

TEST(ScoreMethodHeap, AllocationFailuresLeaveThePointerNullAndLeakNothing) {
    const cclp_score source = marked();
    for (const bool cloning : {false, true}) {
        const int32_t points = sweepAllocationFailures([&](int32_t k) {
            cclp_score* score = nullptr;
            EXPECT_EQ(cclp_score_new(&score), 0);
            int32_t status = 0;
            {
                FailAllocation fail(k);
                status = cloning ? cclp_score_newClone(&score, &source) : cclp_score_new(&score);
            }
            if (status < 0) {
                EXPECT_EQ(score, nullptr) << "the old record was deleted first";
            } else {
                EXPECT_EQ(cloning, sameScore(*score, source));
            }
            cclp_score_delete(&score);
            return status;
        });
        EXPECT_EQ(points, 1);
    }
}

TEST(ScoreMethodBuild, NullArgumentsAreReportedAndRefusedWithoutACrash) {
    AssertionCounter assertions;
    cclp_score score;
    EXPECT_LT(cclp_score_init(nullptr), 0);
    EXPECT_LT(cclp_score_initScoreMethodOneSided(&score, 6, nullptr), 0);
    EXPECT_LT(cclp_score_initScoreMethodTwoSided(nullptr, 9, nullptr), 0);
    EXPECT_LT(cclp_score_new(nullptr), 0);
    EXPECT_LT(cclp_score_newClone(nullptr, &score), 0);
    EXPECT_LT(cclp_score_delete(nullptr), 0);
    EXPECT_EQ(assertions.count(), 6);
}
