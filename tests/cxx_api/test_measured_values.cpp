// Measured values: each method's formula on a few candidates, and the check
// that ties them to the module: the method's function at the measured value
// is the score the run wrote.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "cclp_score/cclp_score.hpp"

namespace {

using namespace cclp::score;

// The formulas subtract nearly equal values: the expectations, worked out
// by hand, hold to about 1e-15.
constexpr double kTolerance = 1e-12;
const MeasuredEdge kFirst{-10.35, 61.2, 3.5, 0.41, 0.36};
const MeasuredEdge kSecond{9.8, -58.9, -7.9, 0.52, 0.47};

std::vector<double> measure(const Method& method, std::vector<MeasuredEdge> edges, double w) {
    return measuredValues(method, edges, w);
}

TEST(CxxMeasuredValues, PairMethodsMeasureByTheirFormulas) {
    const OneSided f(0.0, 1.0, 2.0, 1.0, 0.0);
    const TwoSided t({-1.0, -0.5, 0.0, 1.0, 0.0}, {0.0, 0.5, 1.0, 1.0, 0.0});
    const std::vector<MeasuredEdge> pair{kFirst, kSecond};
    EXPECT_NEAR(measure(Method(MethodId::SizeDiff, f), pair, 20.0)[0], 0.15 / 20.0, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::Size, f), pair, 20.0)[0], 20.15 / 20.0, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::PosNormAbs, f), pair, 20.0)[0], 0.55 / 40.0, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::PosAbs, f), pair, 20.0)[0], 0.275, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::Contrast, f), pair, 20.0)[0], 60.05, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::PosNorm, f), pair, 20.0)[0], -0.55 / 40.0, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::Pos, f), pair, 20.0)[0], -0.275, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::SizeDiffSigned, t), pair, 20.0)[0], 0.15 / 20.0, kTolerance);
    EXPECT_EQ(measure(Method(MethodId::EdgePos, t), pair, 20.0), (std::vector<double>{-10.35, 9.8}));
    const std::vector<double> offsets =
        measure(Method(MethodId::OffsetDist, TwoSided(t).positionOffsets(-10.0, 10.0)), pair, 20.0);
    ASSERT_EQ(offsets.size(), 2u);
    EXPECT_NEAR(offsets[0], 0.35, kTolerance);
    EXPECT_NEAR(offsets[1], 0.2, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::Extra1Diff, f), pair, 20.0)[0], 11.4, kTolerance);
    EXPECT_NEAR(measure(Method(MethodId::ExtraMax, f), pair, 20.0)[0], 0.52, kTolerance);
    EXPECT_TRUE(measure(Method(MethodId::Straddle, f), pair, 20.0).empty());
}

TEST(CxxMeasuredValues, SingleEdgeMethodsMeasureByTheirFormulas) {
    const OneSided f(0.0, 1.0, 2.0, 1.0, 0.0);
    const std::vector<MeasuredEdge> one{kFirst};
    EXPECT_EQ(measure(Method(MethodId::PosAbs, f), one, 0.0), std::vector<double>{10.35});
    EXPECT_EQ(measure(Method(MethodId::Contrast, f), one, 0.0), std::vector<double>{61.2});
    EXPECT_EQ(measure(Method(MethodId::Pos, f), one, 0.0), std::vector<double>{-10.35});
    EXPECT_NEAR(
        measure(Method(MethodId::OffsetDist, OneSided(f).positionOffset(-12.0)), one, 0.0)[0],
        1.65, kTolerance);
    EXPECT_EQ(measure(Method(MethodId::ExtraMax, f), one, 0.0), std::vector<double>{0.41});
    EXPECT_TRUE(measure(Method(MethodId::SizeDiff, f), one, 0.0).empty());
    EXPECT_TRUE(measure(Method(MethodId::Pos, f), {}, 0.0).empty());
}

// On the ramps the functions are one to one, so a wrong measurement would
// sample to another score than the run's.
TEST(CxxMeasuredValues, FunctionsAtTheMeasuredValuesGiveTheRunsScores) {
    const std::vector<double> positions{-34.2, -26.8, -10.35, -3.1, 4.6, 9.8, 18.4, 31.0};
    const std::vector<double> contrasts{14.5, -12.0, 61.2, 9.5, -11.3, -58.9, 40.3, -38.7};
    const std::vector<Method> methods{Method(MethodId::SizeDiff, OneSided(0.0, 2.0, 2.0, 1.0, 0.0)),
                                      Method(MethodId::Contrast, OneSided(80.0, 0.0, 0.0, 1.0, 0.0)),
                                      Method(MethodId::Pos, OneSided(-40.0, 40.0, 40.0, 1.0, 0.0))};
    for (const Formats formats : {Formats::Double, Formats::Fixed}) {
        Params params;
        params.pair({-10.0, Polarity::Any}, {10.0, Polarity::Any}).methods(methods).maxResults(6);
        Scorer scorer(params);
        const Edges edges(positions, contrasts, formats);
        const Results results = scorer.score(edges);
        ASSERT_EQ(results.size(), 6);
        for (const Result& result : results) {
            for (int32_t m = 0; m < 3; ++m) {
                const std::vector<double> measured = measuredValues(params, m, result);
                ASSERT_EQ(measured.size(), 1u);
                const double score = methods[static_cast<size_t>(m)].oneSided().sample(measured)[0];
                if (formats == Formats::Double) {
                    EXPECT_EQ(score, result.methodScore(m)) << "method " << m;
                } else {
                    EXPECT_NEAR(score, result.methodScoreFixed(m) / 256.0, 2.0 / 256.0);
                }
            }
        }
    }
}

}  // namespace
