// Score method records through the exported interface.
#include <gtest/gtest.h>

#include <cstring>

#include "cclp_score/cclp_score_method.h"
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

template <class T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

template <class T>
bool allZero(const T& value) {
    static const T zero{};
    return sameBytes(value, zero);
}

// Field by field: the record has padding that nothing defines.
bool sameScore(const cclp_score& a, const cclp_score& b) {
    return a.isOneSided == b.isOneSided && a.method == b.method &&
           sameBytes(a.oneSided, b.oneSided) && sameBytes(a.twoSided, b.twoSided);
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

TEST(ScoreMethodBuild, RebuildingAsTheOtherKindClearsTheOldFunction) {
    cclp_score score;
    const cclp_scoreTwoSided two = triangle();
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, cclp_scoreMethodOffsetDist, &two), 0);
    const cclp_scoreOneSided one = ramp(1.0, 2.0, 3.0);
    ASSERT_EQ(cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodOffsetDist, &one), 0);
    EXPECT_TRUE(allZero(score.twoSided));
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, cclp_scoreMethodOffsetDist, &two), 0);
    EXPECT_TRUE(allZero(score.oneSided));
    EXPECT_TRUE(sameBytes(score.twoSided, two));
}

TEST(ScoreMethodBuild, TheFunctionMayComeFromTheRecordItself) {
    cclp_score score;
    const cclp_scoreTwoSided function = triangle();
    ASSERT_EQ(cclp_score_initScoreMethodTwoSided(&score, cclp_scoreMethodEdgePos, &function), 0);
    const cclp_scoreOneSided high = score.twoSided.highSide;
    ASSERT_EQ(cclp_score_initScoreMethodOneSided(&score, cclp_scoreMethodPos,
                                                 &score.twoSided.highSide),
              0);
    EXPECT_TRUE(sameBytes(score.oneSided, high));
}

TEST(ScoreMethodHeap, NewInitialisesAndReplacesWhatThePointerHeld) {
    LeakCheck leaks;
    cclp_score* score = nullptr;
    ASSERT_EQ(cclp_score_new(&score), 0);
    ASSERT_NE(score, nullptr);
    cclp_score expected;
    cclp_score_init(&expected);
    EXPECT_TRUE(sameScore(*score, expected));
    ASSERT_EQ(cclp_score_new(&score), 0) << "the old record is deleted, not leaked";
    EXPECT_EQ(cclp_score_delete(&score), 0);
    EXPECT_EQ(score, nullptr);
    EXPECT_EQ(cclp_score_delete(&score), 0) << "deleting a null pointer is allowed";
}

TEST(ScoreMethodHeap, NewCloneCopiesEveryByte) {
    LeakCheck leaks;
    const cclp_score source = marked();
    cclp_score* clone = nullptr;
    ASSERT_EQ(cclp_score_newClone(&clone, &source), 0);
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone, &source);
    EXPECT_TRUE(sameBytes(*clone, source));
    EXPECT_EQ(cclp_score_newClone(&clone, clone), 0) << "cloning the held record keeps it";
    EXPECT_TRUE(sameBytes(*clone, source));
    EXPECT_EQ(cclp_score_newClone(&clone, nullptr), 0);
    EXPECT_EQ(clone, nullptr) << "a null source deletes";
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
