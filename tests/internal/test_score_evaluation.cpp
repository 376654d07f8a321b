// Score method evaluation in both number formats: what each method
// measures on single edges and on pairs (the batches that runs score agree
// with it bit for bit: see the batch tests; which methods refuse a single
// edge or an unknown number the run fuzzer checks on every run). Measured values are read back through a "probe" function, a
// one-unit ramp that scores 0.5 exactly at the value expected, so any
// measurement off by a unit of the format shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <vector>

#include "engine/evaluate.hpp"
#include "frame/fixed_point.hpp"
#include "tests/support/runtime_controls.hpp"
#include "tests/support/scoring_fixture.hpp"
#include "score/score_method.hpp"

using cclp::round256;
using cclp::testing::AssertionCounter;

namespace {

const cclp_desiredEdge kDesired[2] = {{0.0, 3}, {4.0, 3}};

cclp_scoreOneSided oneSided(double x0, double x1, double x2, double y0, double y1,
                            double offset = 0.0) {
    cclp_scoreOneSided f;
    EXPECT_EQ(cclp_scoreOneSided_initValues(&f, x0, x1, x2, y0, y1), 0);
    f.positionOffset = offset;
    return f;
}

// Scores centre + 0.5 - value for values within half a unit of centre.
cclp_scoreOneSided probe(double centre, double offset = 0.0) {
    return oneSided(centre - 0.5, centre + 0.5, centre + 0.5, 1.0, 0.0, offset);
}

// Scores 0 everywhere: a low side that stays out of the way.
cclp_scoreOneSided zeroBelow(double split) { return oneSided(split - 2, split - 1, split, 0, 0); }

cclp_score methodOf(int32_t kind, const cclp_scoreOneSided& f) { return {1, f, {}, kind}; }
cclp_score methodOf(int32_t kind, const cclp_scoreOneSided& low, const cclp_scoreOneSided& high) {
    return {0, {}, {low, high}, kind};
}

using cclp::testing::EdgeSpec;
using Edges = std::vector<EdgeSpec>;

// The double or the fixed-point form of a test, over extended edges unless
// the plain edge type is asked for.
template <class Number, bool Extended = true>
struct Format {
    static constexpr bool kFixed = std::is_same_v<Number, int32_t>;
    using Edge = std::conditional_t<kFixed,
                                    std::conditional_t<Extended, cclp_edgeFixedEx, cclp_edgeFixed>,
                                    std::conditional_t<Extended, cclp_edgeEx, cclp_edge>>;
    static Number units(double value) {
        if constexpr (kFixed) return round256(value);
        else return value;
    }
    static auto convert(const cclp_score& method) {
        if constexpr (kFixed) return cclp::toFixed(method);
        else return method;
    }
    static std::vector<Edge> edgesOf(const Edges& specs) {
        std::vector<Edge> edges;
        for (const EdgeSpec& spec : specs) {
            edges.push_back(cclp::testing::edgeFrom<Edge>(spec, units));
        }
        return edges;
    }
    static int32_t evaluate(const cclp_score& method, const Edges& values, double width,
                            Number& score) {
        const std::vector<Edge> edges = edgesOf(values);
        const auto converted = convert(method);
        return cclp::evaluateScoreMethod(&converted, static_cast<int32_t>(edges.size()),
                                         edges.data(), kDesired, units(width), &score);
    }
};

constexpr double kAnyScore = -1.0;

// Unless its score is kAnyScore, a candidate scores as given, after the
// broken preconditions given have been reported.
struct Scoring {
    cclp_score method;
    Edges edges;
    double width;
    double score;
    int64_t reports = 0;
};

// Probed methods score 0.5 exactly where they measure the probe's centre.
// A broken precondition is reported once and the values scored as they stand.
const std::vector<Scoring>& scorings() {
    const Edges extended = {{-2, 1, 5, 1, 4}, {3, 1, 2, 6, 2}};
    const cclp_scoreOneSided low = oneSided(-2, -1, -1, 1, 0);
    const cclp_scoreOneSided high = oneSided(0, 1, 1, 1, 0);
    cclp_scoreOneSided sagging = high;
    sagging.x1 = -1.0;
    const cclp_score split =
        methodOf(cclp_scoreMethodSizeDiffSigned, oneSided(-3, -2, -0.5, 0.25, 0.25),
                 oneSided(0, 1, 2, 1, 0));
    const cclp_score down = methodOf(cclp_scoreMethodSizeDiffSigned,
                                     oneSided(1, 1, -1, 0.25, 0.25), oneSided(2, 2, 1, 1, 0.5));
    static const std::vector<Scoring> table = {
        // Pair sizes, relative to the expected width.
        {methodOf(cclp_scoreMethodSizeDiff, probe(0.25)), {{-2}, {3}}, 4, 0.5},
        {methodOf(cclp_scoreMethodSize, probe(1.25)), {{-2}, {3}}, 4, 0.5},
        {methodOf(cclp_scoreMethodPosNormAbs, probe(0.125)), {{-2}, {3}}, 4, 0.5},
        // Positions of single edges and of pairs.
        {methodOf(cclp_scoreMethodPosAbs, probe(3)), {{-3}}, 0, 0.5},
        {methodOf(cclp_scoreMethodPos, probe(-3)), {{-3}}, 0, 0.5},
        {methodOf(cclp_scoreMethodPosAbs, probe(1.5)), {{-2}, {5}}, 4, 0.5},
        {methodOf(cclp_scoreMethodPosNorm, probe(-0.375)), {{-5}, {2}}, 4, 0.5},
        {methodOf(cclp_scoreMethodPos, probe(-1.5)), {{-5}, {2}}, 4, 0.5},
        // Straddling is strict on both sides.
        {methodOf(cclp_scoreMethodStraddle, probe(0)), {{-1}, {2}}, 4, 1},
        {methodOf(cclp_scoreMethodStraddle, probe(0)), {{0}, {2}}, 4, 0},
        {methodOf(cclp_scoreMethodStraddle, probe(0)), {{-1}, {0}}, 4, 0},
        // Contrast: the mean magnitude.
        {methodOf(cclp_scoreMethodContrast, probe(30.5)), {{1, -40}, {2, 21}}, 4, 0.5},
        // The signed size difference uses the whole two-sided function.
        {methodOf(cclp_scoreMethodSizeDiffSigned, zeroBelow(-0.25), probe(0.25)),
         {{-2}, {3}}, 4, 0.5},
        // A high side starting at 0 scores a measured 0 itself (1); anything
        // below is the low side's: here its plateau.
        {split, {{0}, {4}}, 4, 1},
        {split, {{0}, {1}}, 4, 0.25},
        // A downward high side (2, 2, 1) splits at its x2: measured 1.5
        // scores the high side's lower level.
        {down, {{0}, {10}}, 4, 0.5},
        // Edge positions, each by its own side: (0.75 + 0.5) / 2, where
        // swapped sides would give (0 + 1) / 2.
        {methodOf(cclp_scoreMethodEdgePos, oneSided(-2.25, -1.25, -1.25, 1, 0), probe(3)),
         {{-2}, {3}}, 4, 0.625},
        // Offset distances from each function's offset: |2 + 1.5| on a single
        // edge; |p0 + 3| = 1 scoring 0.75 and |p1 + 1| = 4 scoring 0.5.
        {methodOf(cclp_scoreMethodOffsetDist, probe(3.5, -1.5)), {{2}}, 0, 0.5},
        {methodOf(cclp_scoreMethodOffsetDist, oneSided(0.75, 1.75, 1.75, 1, 0, -3), probe(4, -1)),
         {{-2}, {3}}, 4, 0.625},
        // The extra values of extended edges.
        {methodOf(cclp_scoreMethodExtra1Diff, probe(3)), extended, 4, 0.5},
        {methodOf(cclp_scoreMethodExtraMax, probe(6)), extended, 4, 0.5},
        {methodOf(cclp_scoreMethodExtraMax, probe(4)), {extended[0]}, 0, 0.5},
        // Broken: a pair out of order; a size without a width; the low side's
        // x1 or x2 past the split; the high side's x1 below its lower end.
        {methodOf(cclp_scoreMethodOffsetDist, low, high), {{3}, {-2}}, 4, kAnyScore, 1},
        {methodOf(cclp_scoreMethodSize, probe(0)), {{-2}, {3}}, 0, kAnyScore, 1},
        {methodOf(cclp_scoreMethodSizeDiffSigned, oneSided(-1, 1, 2, 1, 0), high), {{0}, {4}}, 4,
         kAnyScore, 1},
        {methodOf(cclp_scoreMethodSizeDiffSigned, oneSided(-2, -1, 1, 1, 0), high), {{0}, {4}}, 4,
         kAnyScore, 1},
        {methodOf(cclp_scoreMethodSizeDiffSigned, low, sagging), {{0}, {4}}, 4, kAnyScore, 1},
    };
    return table;
}

template <class Number>
class ScoreEvaluation : public ::testing::Test {};
using NumberFormats = ::testing::Types<double, int32_t>;
TYPED_TEST_SUITE(ScoreEvaluation, NumberFormats);

}  // namespace

TYPED_TEST(ScoreEvaluation, EachMethodMeasuresWhatItScores) {
    using F = Format<TypeParam>;
    for (size_t row = 0; row < scorings().size(); ++row) {
        const Scoring& s = scorings()[row];
        AssertionCounter assertions;
        TypeParam score{};
        EXPECT_EQ(F::evaluate(s.method, s.edges, s.width, score), 0) << "row " << row;
        if (s.score != kAnyScore) {
            EXPECT_EQ(score, F::units(s.score)) << "row " << row;
        }
        EXPECT_EQ(assertions.count(), s.reports) << "row " << row;
    }
    // Edge positions of a pair out of order are reported in double precision only.
    AssertionCounter assertions;
    TypeParam score{};
    const cclp_scoreOneSided low = oneSided(-2, -1, -1, 1, 0);
    const cclp_score edgePos = methodOf(cclp_scoreMethodEdgePos, low, oneSided(0, 1, 1, 1, 0));
    EXPECT_EQ(F::evaluate(edgePos, {{3}, {-2}}, 4, score), 0);
    EXPECT_EQ(assertions.count(), F::kFixed ? 0 : 1);
}

TYPED_TEST(ScoreEvaluation, PlainEdgesScoreTheExtraMethodsZeroAndReportIt) {
    using F = Format<TypeParam, false>;
    for (const int32_t kind : {cclp_scoreMethodExtra1Diff, cclp_scoreMethodExtraMax}) {
        for (const size_t edges : {1u, 2u}) {
            AssertionCounter assertions;
            TypeParam score = F::units(0.5);
            const Edges values(edges, {1.0});
            EXPECT_EQ(F::evaluate(methodOf(kind, probe(0)), values, 4, score), 0);
            EXPECT_EQ(score, 0) << "method " << kind;
            EXPECT_EQ(assertions.count(), 1);
        }
    }
}

TYPED_TEST(ScoreEvaluation, ContrastNeedsAnEdgeAndNullPointersAreRefused) {
    using F = Format<TypeParam>;
    const auto method = F::convert(methodOf(cclp_scoreMethodContrast, probe(0)));
    const typename F::Edge edge{};
    TypeParam score = F::units(0.5);
    AssertionCounter assertions;
    EXPECT_EQ(cclp::evaluateScoreMethod(&method, 0, &edge, kDesired, TypeParam{0}, &score),
              CCLP_STATUS_BAD_DESIRED_EDGE_COUNT);
    EXPECT_EQ(score, F::units(0.5));
    EXPECT_EQ(cclp::evaluateScoreMethod(&method, 1, &edge, kDesired, TypeParam{0},
                                        static_cast<TypeParam*>(nullptr)),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cclp::evaluateScoreMethod<typename F::Edge>(&method, 1, nullptr, kDesired,
                                                          TypeParam{0}, &score),
              CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(assertions.count(), 3);
}

TEST(ScoreEvaluationFixed, ExtremeInputsWrapInsteadOfOverflowing) {
    const cclp_edgeFixedEx edges[2] = {{INT32_MIN, INT32_MIN, 0, 0, 0},
                                       {INT32_MAX, INT32_MAX, 0, 0, 0}};
    int32_t score = 0;
    for (const int32_t kind : {1, 2, 3, 4, 6, 7, 8, 9, 11}) {
        const cclp_scoreFixed method = cclp::toFixed(methodOf(kind, probe(0)));
        for (const int32_t width : {1, 0, -1}) {
            EXPECT_EQ(cclp::evaluateScoreMethod(&method, 2, edges, kDesired, width, &score), 0);
        }
    }
}

// Fixed-point quotients truncate toward zero, saturate for a zero divisor
// and wrap for the one quotient beyond 32 bits.
TEST(ScoreEvaluationFixed, QuotientsTruncateSaturateAndWrap) {
    using cclp::measure::divide;
    const struct {
        int32_t a, b, quotient;
    } cases[] = {{-7, 2, -3},
                 {-7, -2, 3},
                 {INT32_MIN, -1, INT32_MIN},
                 {INT32_MAX, -1, -INT32_MAX},
                 {3, 0, INT32_MAX},
                 {-3, 0, INT32_MIN},
                 {0, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(divide(c.a, c.b), c.quotient) << c.a << " / " << c.b;
}
