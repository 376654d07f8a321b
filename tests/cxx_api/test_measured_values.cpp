// Measured values: the check that ties every method of the table to the
// module: the method's function at the measured values is the score the run
// wrote.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "cclp_score/cclp_score.hpp"

namespace {

using namespace cclp::score;

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
// or a V whose sides differ in slope, so that a value of the wrong sign or
// on the wrong side shows too), so a wrong measurement scores otherwise.
TEST(CxxMeasuredValues, EveryMethodScoresItsMeasuredValuesThroughItsFunction) {
    const std::vector<double> positions{-34.2, -26.8, -10.35, -3.1, 4.6, 9.8, 18.4, 31.0};
    const std::vector<double> contrasts{14.5, -12.0, 61.2, 9.5, -11.3, -58.9, 40.3, -38.7};
    const std::vector<double> extra1{3.5, -7.9, 0.25, 12.0, -1.5, 6.0, 2.75, -4.0};
    const std::vector<double> extra2{0.41, 0.52, -3.0, 8.5, 1.0, -0.5, 4.25, 2.0};
    const std::vector<double> extra3{0.36, 0.47, 5.0, -2.0, 1.5, 0.75, -6.0, 3.0};
    const OneSided ramp(200.0, -200.0, -200.0, 1.0, 0.0);
    const TwoSided vee({-200.0, 0.0, 0.0, 1.0, 0.0}, {100.0, 0.0, 0.0, 1.0, 0.0});
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
