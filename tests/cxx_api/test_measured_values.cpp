// Measured values: each method's formula on a few candidates, and the check
// that ties every method of the table to the module: the method's function
// at the measured values is the score the run wrote.
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
    EXPECT_TRUE(measure(Method(MethodId::Straddle), pair, 20.0).empty());
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

// What the run scored through the method's function at the measured values:
// one value through the function it reads, or a pair's two through the low
// and the high side, averaged.
double scoreAt(const Method& method, FunctionKind read, const std::vector<double>& measured) {
    if (measured.size() == 2) {
        const TwoSided sides = method.twoSided();
        return (sides.lowSide().sample({measured[0]})[0] + sides.highSide().sample({measured[1]})[0]) / 2.0;
    }
    return read == FunctionKind::TwoSided ? method.twoSided().sample({measured[0]})[0]
                                          : method.oneSided().sample({measured[0]})[0];
}

// Every method of the table, on single edges and on pairs where it scores
// them, in both formats: its function at the measured values is the score
// the run wrote. The functions are one to one on the values met (a ramp,
// or a V with a ramp each side), so a wrong measurement scores otherwise.
TEST(CxxMeasuredValues, EveryMethodScoresItsMeasuredValuesThroughItsFunction) {
    const std::vector<double> positions{-34.2, -26.8, -10.35, -3.1, 4.6, 9.8, 18.4, 31.0};
    const std::vector<double> contrasts{14.5, -12.0, 61.2, 9.5, -11.3, -58.9, 40.3, -38.7};
    const std::vector<double> extra1{3.5, -7.9, 0.25, 12.0, -1.5, 6.0, 2.75, -4.0};
    const std::vector<double> extra2{0.41, 0.52, -3.0, 8.5, 1.0, -0.5, 4.25, 2.0};
    const std::vector<double> extra3{0.36, 0.47, 5.0, -2.0, 1.5, 0.75, -6.0, 3.0};
    const OneSided ramp(200.0, -200.0, -200.0, 1.0, 0.0);
    const TwoSided vee({-200.0, 0.0, 0.0, 1.0, 0.0}, {200.0, 0.0, 0.0, 1.0, 0.0});
    for (const MethodInfo& info : kMethods) {
        for (const bool pairs : {false, true}) {
            if (info.pairsOnly && !pairs) continue;
            const FunctionKind read = functionRead(info, pairs);
            const Method method =
                read == FunctionKind::None       ? Method(info.id)
                : read == FunctionKind::TwoSided ? Method(info.id, TwoSided(vee).positionOffsets(-10.0, 10.0))
                                                 : Method(info.id, OneSided(ramp).positionOffset(-12.0));
            for (const Formats formats : {Formats::Double, Formats::Fixed}) {
                Params params;
                if (pairs) {
                    params.pair({-10.0, Polarity::Any}, {10.0, Polarity::Any});
                } else {
                    params.single({0.0, Polarity::Any});
                }
                params.methods({method}).maxResults(28).sorted(false);
                Scorer scorer(params);
                const EdgesEx edges(positions, contrasts, extra1, extra2, extra3, formats);
                const ResultsEx results = scorer.score(edges);
                ASSERT_EQ(results.size(), pairs ? 28 : 8) << info.name;
                for (const ResultEx& result : results) {
                    const std::vector<double> measured = measuredValues(params, 0, result);
                    if (read == FunctionKind::None) {
                        EXPECT_TRUE(measured.empty()) << info.name;
                        continue;
                    }
                    ASSERT_FALSE(measured.empty()) << info.name << (pairs ? " on pairs" : "");
                    EXPECT_NEAR(scoreAt(method, read, measured), result.methodScoreValue(0),
                                formats == Formats::Double ? 1e-12 : 2.0 / 256.0)
                        << info.name << (pairs ? " on pairs" : "") << ", edges " << result.index(0)
                        << ", " << result.index(1);
                }
            }
        }
    }
}

}  // namespace
