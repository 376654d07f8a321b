// Score method evaluation in both number formats: what each method
// measures on single edges and on pairs, and which candidates a method
// refuses. The measured value is read back through a "probe" function: a
// one-unit ramp around the expected value whose score is centre + half -
// value, so any measurement off by a unit or more shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <vector>

#include "evaluate.hpp"
#include "fixed_point.hpp"
#include "one_sided.hpp"
#include "runtime_controls.hpp"

using cclp::round256;
using cclp::testing::AssertionCounter;

namespace {

cclp_scoreOneSided oneSided(double x0, double x1, double x2, double y0, double y1) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, y0, y1), 0);
    return f;
}

// Scores centre + 0.5 - value for values within half a unit of centre.
cclp_scoreOneSided probe(double centre) {
    return oneSided(centre - 0.5, centre + 0.5, centre + 0.5, 1.0, 0.0);
}

// Scores 0 everywhere: a low side that stays out of the way.
cclp_scoreOneSided zeroBelow(double split) { return oneSided(split - 2, split - 1, split, 0, 0); }

struct EdgeValues {
    double position;
    double contrast = 1.0;
    double extra1 = 0.0;
    double extra2 = 0.0;
    double extra3 = 0.0;
};

// The double and the fixed-point form of one test, both over extended edges
// unless the plain edge type is asked for.
template <class Number, bool Extended = true>
struct Format;

template <bool Extended>
struct Format<double, Extended> {
    using Number = double;
    using Edge = std::conditional_t<Extended, cclp_edgeEx, cclp_edge>;
    using Method = cclp_score;
    static Number units(double value) { return value; }
    static Method method(int32_t kind, const cclp_scoreOneSided& f) {
        Method m{};
        m.isOneSided = 1;
        m.oneSided = f;
        m.method = kind;
        return m;
    }
    static Method method(int32_t kind, const cclp_scoreTwoSided& f) {
        Method m{};
        m.twoSided = f;
        m.method = kind;
        return m;
    }
    static Edge edge(const EdgeValues& v) {
        if constexpr (Extended) {
            return Edge{v.position, v.contrast, v.extra1, v.extra2, v.extra3};
        } else {
            return Edge{v.position, v.contrast};
        }
    }
};

template <bool Extended>
struct Format<int32_t, Extended> {
    using Number = int32_t;
    using Edge = std::conditional_t<Extended, cclp_edgeFixedEx, cclp_edgeFixed>;
    using Method = cclp_scoreFixed;
    static Number units(double value) { return round256(value); }
    static Method method(int32_t kind, const cclp_scoreOneSided& f) {
        Method m{};
        m.isOneSided = 1;
        m.oneSided = cclp::toFixed(f);
        m.method = kind;
        return m;
    }
    static Method method(int32_t kind, const cclp_scoreTwoSided& f) {
        Method m{};
        m.twoSided = {cclp::toFixed(f.lowSide), cclp::toFixed(f.highSide)};
        m.method = kind;
        return m;
    }
    static Edge edge(const EdgeValues& v) {
        if constexpr (Extended) {
            return Edge{round256(v.position), round256(v.contrast), round256(v.extra1),
                        round256(v.extra2), round256(v.extra3)};
        } else {
            return Edge{round256(v.position), round256(v.contrast)};
        }
    }
};

template <class F>
struct Candidate {
    std::vector<typename F::Edge> edges;
    explicit Candidate(std::initializer_list<EdgeValues> values) {
        for (const auto& v : values) edges.push_back(F::edge(v));
    }
    int32_t count() const { return static_cast<int32_t>(edges.size()); }
};

const cclp_desiredEdge kDesired[2] = {{0.0, 3}, {4.0, 3}};

template <class F>
int32_t evaluate(const typename F::Method& method, const Candidate<F>& candidate, double width,
                 typename F::Number& score) {
    return cclp::evaluateScoreMethod(&method, candidate.count(), candidate.edges.data(), kDesired,
                                     F::units(width), &score);
}

// The value a method measured, read back through a probe around expected.
template <class F>
typename F::Number measured(const typename F::Method& method, const Candidate<F>& candidate,
                            double width, double expected) {
    typename F::Number score{};
    EXPECT_EQ(evaluate<F>(method, candidate, width, score), 0);
    return F::units(expected) + F::units(0.5) - score;
}

template <class F>
typename F::Number measuredOneSided(int32_t kind, const Candidate<F>& candidate, double width,
                                    double expected) {
    return measured<F>(F::method(kind, probe(expected)), candidate, width, expected);
}

template <class Number>
class ScoreEvaluation : public ::testing::Test {};
using NumberFormats = ::testing::Types<double, int32_t>;
TYPED_TEST_SUITE(ScoreEvaluation, NumberFormats);

}  // namespace

TYPED_TEST(ScoreEvaluation, PairSizeMethodsMeasureRelativeToTheExpectedWidth) {
    using F = Format<TypeParam>;
    const Candidate<F> pair{{-2.0}, {3.0}};
    EXPECT_EQ(measuredOneSided<F>(1, pair, 4.0, 0.25), F::units(0.25));
    EXPECT_EQ(measuredOneSided<F>(2, pair, 4.0, 1.25), F::units(1.25));
    EXPECT_EQ(measuredOneSided<F>(3, pair, 4.0, 0.125), F::units(0.125));
    const Candidate<F> narrow{{-1.0}, {1.0}};
    EXPECT_EQ(measuredOneSided<F>(1, narrow, 4.0, 0.5), F::units(0.5)) << "too narrow counts too";
}

TYPED_TEST(ScoreEvaluation, PositionMethodsHaveSingleAndPairForms) {
    using F = Format<TypeParam>;
    const Candidate<F> single{{-3.0}};
    EXPECT_EQ(measuredOneSided<F>(4, single, 0.0, 3.0), F::units(3.0));
    EXPECT_EQ(measuredOneSided<F>(8, single, 0.0, -3.0), F::units(-3.0));
    const Candidate<F> pair{{-2.0}, {5.0}};
    EXPECT_EQ(measuredOneSided<F>(4, pair, 4.0, 1.5), F::units(1.5));
    EXPECT_EQ(measuredOneSided<F>(8, pair, 4.0, 1.5), F::units(1.5));
    const Candidate<F> leftOfCentre{{-5.0}, {2.0}};
    EXPECT_EQ(measuredOneSided<F>(4, leftOfCentre, 4.0, 1.5), F::units(1.5));
    EXPECT_EQ(measuredOneSided<F>(7, leftOfCentre, 4.0, -0.375), F::units(-0.375));
    EXPECT_EQ(measuredOneSided<F>(8, leftOfCentre, 4.0, -1.5), F::units(-1.5));
}

TYPED_TEST(ScoreEvaluation, StraddleIsStrictOnBothSides) {
    using F = Format<TypeParam>;
    const auto method = F::method(5, probe(0.0));
    TypeParam score{};
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{-1.0}, {2.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(1.0));
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{0.0}, {2.0}}, 4.0, score), 0);
    EXPECT_EQ(score, 0);
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{-1.0}, {0.0}}, 4.0, score), 0);
    EXPECT_EQ(score, 0);
}

TYPED_TEST(ScoreEvaluation, ContrastIsTheMeanMagnitude) {
    using F = Format<TypeParam>;
    EXPECT_EQ(measuredOneSided<F>(6, Candidate<F>{{1.0, -40.0}}, 0.0, 40.0), F::units(40.0));
    EXPECT_EQ(measuredOneSided<F>(6, Candidate<F>{{1.0, -40.0}, {2.0, 21.0}}, 4.0, 30.5),
              F::units(30.5));
}

TYPED_TEST(ScoreEvaluation, SignedSizeDifferenceUsesTheWholeTwoSidedFunction) {
    using F = Format<TypeParam>;
    for (const double expected : {0.25, -0.25}) {
        const cclp_scoreTwoSided f{zeroBelow(expected - 0.5), probe(expected)};
        const double p0 = expected > 0 ? -2.0 : 0.0;
        EXPECT_EQ(measured<F>(F::method(9, f), Candidate<F>{{p0}, {3.0}}, 4.0, expected),
                  F::units(expected));
    }
}

TYPED_TEST(ScoreEvaluation, EdgePositionsScoreEachEdgeByItsOwnSide) {
    using F = Format<TypeParam>;
    // Low side scores 0.75 at p0 = -2, high side 0.5 at p1 = 3: mean 0.625.
    // Sides swapped would give (0 + 1) / 2.
    const cclp_scoreTwoSided f{oneSided(-2.25, -1.25, -1.25, 1, 0), probe(3.0)};
    TypeParam score{};
    ASSERT_EQ(evaluate<F>(F::method(10, f), Candidate<F>{{-2.0}, {3.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(0.625));
}

TYPED_TEST(ScoreEvaluation, OffsetDistanceMeasuresFromEachFunctionsOffset) {
    using F = Format<TypeParam>;
    auto single = probe(3.5);
    single.positionOffset = -1.5;
    EXPECT_EQ(measured<F>(F::method(11, single), Candidate<F>{{2.0}}, 0.0, 3.5), F::units(3.5));
    // |p0 - (-3)| = 1 scores 0.75 on the low side, |p1 - (-1)| = 4 scores 0.5.
    cclp_scoreTwoSided pair{oneSided(0.75, 1.75, 1.75, 1, 0), probe(4.0)};
    pair.lowSide.positionOffset = -3.0;
    pair.highSide.positionOffset = -1.0;
    TypeParam score{};
    ASSERT_EQ(evaluate<F>(F::method(11, pair), Candidate<F>{{-2.0}, {3.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(0.625));
}

TYPED_TEST(ScoreEvaluation, ExtendedEdgesScoreTheirExtraValues) {
    using F = Format<TypeParam>;
    const Candidate<F> pair{{-2.0, 1.0, 5.0, 1.0, 4.0}, {3.0, 1.0, 2.0, 6.0, 2.0}};
    EXPECT_EQ(measuredOneSided<F>(12, pair, 4.0, 3.0), F::units(3.0));
    EXPECT_EQ(measuredOneSided<F>(13, pair, 4.0, 6.0), F::units(6.0));
    const Candidate<F> single{{-2.0, 1.0, 5.0, 1.0, 4.0}};
    EXPECT_EQ(measuredOneSided<F>(13, single, 0.0, 4.0), F::units(4.0));
}

TYPED_TEST(ScoreEvaluation, PlainEdgesScoreTheExtraMethodsZeroAndReportIt) {
    using F = Format<TypeParam, false>;
    for (const int32_t kind : {12, 13}) {
        for (const auto& candidate : {Candidate<F>{{1.0}}, Candidate<F>{{1.0}, {2.0}}}) {
            AssertionCounter assertions;
            TypeParam score = F::units(0.5);
            EXPECT_EQ(evaluate<F>(F::method(kind, probe(0.0)), candidate, 4.0, score), 0);
            EXPECT_EQ(score, 0) << "method " << kind;
            EXPECT_EQ(assertions.count(), 1);
        }
    }
}

TYPED_TEST(ScoreEvaluation, UnsuitableMethodsFailWithoutWritingAScore) {
    using F = Format<TypeParam>;
    const Candidate<F> single{{1.0}};
    const Candidate<F> pair{{1.0}, {2.0}};
    struct Refusal {
        int32_t kind;
        const Candidate<F>* candidate;
        int32_t status;
    };
    const Refusal refusals[] = {
        {1, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},  {2, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},
        {3, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},  {5, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},
        {7, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},  {9, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},
        {10, &single, CCLP_STATUS_METHOD_NEEDS_PAIR}, {12, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},
        {0, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},  {14, &single, CCLP_STATUS_METHOD_NEEDS_PAIR},
        {0, &pair, CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR},
        {14, &pair, CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR},
        {-1, &pair, CCLP_STATUS_UNKNOWN_METHOD_FOR_PAIR},
    };
    for (const Refusal& refusal : refusals) {
        TypeParam score = F::units(0.5);
        EXPECT_EQ(evaluate<F>(F::method(refusal.kind, probe(0.0)), *refusal.candidate, 4.0, score),
                  refusal.status)
            << "method " << refusal.kind;
        EXPECT_EQ(score, F::units(0.5)) << "method " << refusal.kind;
    }
}

TYPED_TEST(ScoreEvaluation, ContrastNeedsAnEdgeAndNullPointersAreRefused) {
    using F = Format<TypeParam>;
    const auto method = F::method(6, probe(0.0));
    const Candidate<F> single{{1.0}};
    TypeParam score = F::units(0.5);
    AssertionCounter assertions;
    EXPECT_EQ(cclp::evaluateScoreMethod(&method, 0, single.edges.data(), kDesired, TypeParam{0},
                                        &score),
              CCLP_STATUS_BAD_DESIRED_EDGE_COUNT);
    EXPECT_EQ(score, F::units(0.5));
    EXPECT_EQ(cclp::evaluateScoreMethod(&method, 1, single.edges.data(), kDesired, TypeParam{0},
                                        static_cast<TypeParam*>(nullptr)),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp::evaluateScoreMethod<typename F::Edge>(&method, 1, nullptr, kDesired,
                                                          TypeParam{0}, &score),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 3);
}

TYPED_TEST(ScoreEvaluation, TwoSidedFunctionSplitsAtTheStartOfItsHighSide) {
    using F = Format<TypeParam>;
    // High side starts at 0: x = 0 is scored by it (1), anything below by the
    // low side (0.25).
    const cclp_scoreTwoSided f{oneSided(-3, -2, -0.5, 0.25, 0.25), oneSided(0, 1, 2, 1, 0)};
    const auto method = F::method(9, f);
    TypeParam score{};
    // Method 9 measures (|p1 - p0| - w) / w: 0 here, and -1/256 just below.
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{0.0}, {4.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(1.0));
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{0.0}, {3.9}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(0.0)) << "low side beyond its x2";
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{0.0}, {1.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(0.25)) << "low side plateau";
}

TYPED_TEST(ScoreEvaluation, ADownwardHighSideSplitsAtItsX2) {
    using F = Format<TypeParam>;
    // High side 2, 2, 1 runs downward: the split point is 1. Below it the
    // low side's plateau (0.25), from it on the high side's lower level (0.5).
    const cclp_scoreTwoSided f{oneSided(1, 1, -1, 0.25, 0.25), oneSided(2, 2, 1, 1, 0.5)};
    const auto method = F::method(9, f);
    TypeParam score{};
    // Method 9 measures (|p1 - p0| - w) / w: 0.5 and 1.5 here.
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{0.0}, {6.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(0.25));
    ASSERT_EQ(evaluate<F>(method, Candidate<F>{{0.0}, {10.0}}, 4.0, score), 0);
    EXPECT_EQ(score, F::units(0.5));
}

// A broken precondition is reported once and the evaluation goes on with the
// values as they are.
TYPED_TEST(ScoreEvaluation, BrokenPreconditionsAreReportedAndScoredAsTheyStand) {
    using F = Format<TypeParam>;
    const bool doubles = std::is_same_v<TypeParam, double>;
    struct Case {
        const char* what;
        typename F::Method method;
        Candidate<F> candidate;
        double width;
        int64_t reports;
    };
    cclp_scoreTwoSided sides{oneSided(-2, -1, -1, 1, 0), oneSided(0, 1, 1, 1, 0)};
    cclp_scoreTwoSided overlapping = sides;
    overlapping.lowSide = oneSided(-1, 1, 2, 1, 0);
    cclp_scoreTwoSided pastTheSplit = sides;
    pastTheSplit.lowSide = oneSided(-2, -1, 1, 1, 0);
    cclp_scoreTwoSided highMiddleBelow = sides;
    highMiddleBelow.highSide.x1 = -1.0;
    const Case cases[] = {
        {"offset distance, pair out of order", F::method(11, sides), Candidate<F>{{3.0}, {-2.0}},
         4.0, 1},
        {"edge positions, pair out of order", F::method(10, sides), Candidate<F>{{3.0}, {-2.0}},
         4.0, doubles ? 1 : 0},
        {"size without a width", F::method(2, probe(0.0)), Candidate<F>{{-2.0}, {3.0}}, 0.0, 1},
        {"low side's x1 past the split", F::method(9, overlapping), Candidate<F>{{0.0}, {4.0}},
         4.0, 1},
        {"low side's x2 past the split", F::method(9, pastTheSplit), Candidate<F>{{0.0}, {4.0}},
         4.0, 1},
        {"high side's x1 below its lower end", F::method(9, highMiddleBelow),
         Candidate<F>{{0.0}, {4.0}}, 4.0, 1},
    };
    for (const Case& c : cases) {
        AssertionCounter assertions;
        TypeParam score = F::units(0.5);
        EXPECT_EQ(evaluate<F>(c.method, c.candidate, c.width, score), 0) << c.what;
        EXPECT_EQ(assertions.count(), c.reports) << c.what;
    }
}

TEST(ScoreEvaluationFixed, ExtremeInputsWrapInsteadOfOverflowing) {
    using F = Format<int32_t>;
    const auto method = F::method(1, probe(0.0));
    const F::Edge edges[2] = {{INT32_MIN, INT32_MIN, 0, 0, 0}, {INT32_MAX, INT32_MAX, 0, 0, 0}};
    int32_t score = 0;
    for (const int32_t kind : {1, 2, 3, 4, 6, 7, 8, 9, 11}) {
        auto m = method;
        m.method = kind;
        EXPECT_EQ(cclp::evaluateScoreMethod(&m, 2, edges, kDesired, 1, &score), 0);
        EXPECT_EQ(cclp::evaluateScoreMethod(&m, 2, edges, kDesired, 0, &score), 0);
        EXPECT_EQ(cclp::evaluateScoreMethod(&m, 2, edges, kDesired, -1, &score), 0);
    }
}
