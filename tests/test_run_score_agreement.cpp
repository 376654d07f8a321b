// The fixed-point run against the floating-point run on many random,
// well-conditioned inputs: edges on the 1/256 grid, continuous scoring
// functions whose ramps span at least one unit of the measured value. Each
// method score agrees within a few 1/256, each combined score within what
// those errors allow.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "tests/support/scoring_fixture.hpp"

using namespace cclp::testing;

namespace {

constexpr double kMethodTolerance = 3.0 / 256;

class RandomCase {
public:
    explicit RandomCase(uint32_t seed) : rng_(seed) {}

    // Grid values: multiples of 1/16, so every abscissa and position is
    // exact in both formats.
    double grid(double low, double high) {
        std::uniform_int_distribution<int32_t> steps(static_cast<int32_t>(low * 16),
                                                     static_cast<int32_t>(high * 16));
        return steps(rng_) / 16.0;
    }
    int32_t pick(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(rng_);
    }

    std::vector<EdgeSpec> edges() {
        std::vector<EdgeSpec> edges;
        double position = grid(-40, -25);
        const int32_t n = pick(6, 14);
        for (int32_t i = 0; i < n; ++i) {
            const double contrast = grid(5, 250) * (pick(0, 2) == 0 ? -1 : 1);
            edges.push_back({position, contrast, grid(0, 20), grid(0, 20), grid(0, 20)});
            position += grid(0.5, 7);
        }
        return edges;
    }

    // Continuous one-sided functions: y1 = 0, so nothing jumps at x2.
    cclp_score upward(int32_t method, double x0, double span) {
        const double x1 = x0 + span;
        return oneSidedMethod(method, x0, x1, x1 + grid(0, 2), 1, 0);
    }
    cclp_score downward(int32_t method, double x0, double span) {
        const double x1 = x0 - span;
        return oneSidedMethod(method, x0, x1, x1 - grid(0, 2), 1, 0);
    }
    // Both sides falling from 1 to 0 away from the split.
    cclp_score triangle(int32_t method, double split) {
        const Side low = {split, split - grid(1, 2), split - 3, 1, 0};
        const Side high = {split, split + grid(1, 2), split + 3, 1, 0};
        return twoSidedMethod(method, low, high);
    }

    // Methods 4, 6, 8 and 13 score both candidate forms, the one-sided
    // offset distance single edges only, the rest pairs only.
    cclp_score method(bool pairs) {
        const int32_t kind = pairs ? pick(0, 12) : pick(0, 4);
        switch (kind + (pairs && kind >= 4 ? 1 : 0)) {
        case 0: return upward(cclp_scoreMethodPosAbs, grid(0, 5), grid(5, 30));
        case 1: return downward(cclp_scoreMethodContrast, grid(100, 255), grid(60, 90));
        case 2: return upward(cclp_scoreMethodPos, grid(-40, 0), grid(10, 50));
        case 3: return downward(cclp_scoreMethodExtraMax, grid(10, 20), grid(5, 10));
        case 4: {
            cclp_score method = upward(cclp_scoreMethodOffsetDist, grid(0, 2), grid(5, 20));
            method.oneSided.positionOffset = grid(-10, 10);
            return method;
        }
        case 5: return upward(cclp_scoreMethodSizeDiff, grid(0, 0.25), grid(1, 2));
        case 6: return upward(cclp_scoreMethodSize, grid(0.5, 1.5), grid(1, 4));
        case 7: return upward(cclp_scoreMethodPosNormAbs, 0, grid(1, 3));
        case 8: return oneSidedMethod(cclp_scoreMethodStraddle, 0, 1, 1, 1, 0);
        case 9: return upward(cclp_scoreMethodPosNorm, grid(-3, 0), grid(2, 6));
        case 10: return triangle(cclp_scoreMethodSizeDiffSigned, grid(-0.5, 0.5));
        case 11: return triangle(cclp_scoreMethodEdgePos, grid(-5, 5));
        case 12: {
            const Side low = {grid(0, 2), 12, 14, 1, 0};
            const Side high = {grid(0, 2), 15, 16, 1, 0};
            cclp_score method = twoSidedMethod(cclp_scoreMethodOffsetDist, low, high);
            method.twoSided.lowSide.positionOffset = grid(-10, 0);
            method.twoSided.highSide.positionOffset = grid(0, 10);
            return method;
        }
        default: return upward(cclp_scoreMethodExtra1Diff, 0, grid(5, 20));
        }
    }

private:
    std::mt19937 rng_;
};

// How far a fixed-point combined score may stray from the exact one: the
// method errors and the rounding of each partial product, carried through
// the geometric mean; unbounded once a score or partial product nears 0.
double combinedTolerance(const cclp_scoreOneResultEx& exact) {
    double relative = 0.0;
    double partial = 1.0;
    for (int32_t m = 0; m < exact.numScores; ++m) {
        const double s = exact.scores[m];
        partial *= s;
        if (s < 4.0 / 256 || partial < 4.0 / 256) return 1.0;
        relative += kMethodTolerance / s + 0.5 / 256 / partial;
    }
    return 2.0 / 256 + exact.score * relative / exact.numScores;
}

void compareTrial(uint32_t seed) {
    RandomCase random(seed);
    const std::vector<EdgeSpec> edges = random.edges();
    const bool pairs = seed % 2 == 1;
    Params params;
    std::vector<cclp_score> methods;
    for (int32_t m = random.pick(1, 4); m > 0; --m) methods.push_back(random.method(pairs));
    params.methods(methods).sorted(false).maxResults(1000);
    if (pairs) params.edgePair(random.grid(2, 30));
    if (!pairs) params.singleEdge();
    Output<cclp_scoreResultSetEx> exact, approx;
    ASSERT_EQ(runScore(InputEx(edges, CCLP_FORMAT_DOUBLE), params, exact), 0);
    ASSERT_EQ(runScore(InputEx(edges, CCLP_FORMAT_FIXED), params, approx), 0);
    ASSERT_EQ(exact.set.numResults, approx.set.numResults);
    for (int32_t k = 0; k < exact.set.numResults; ++k) {
        const cclp_scoreOneResultEx& e = exact[k];
        const cclp_scoreOneResultEx& a = approx[k];
        EXPECT_NEAR(positionOf(a), e.position, 1.0 / 256) << "candidate " << k;
        for (int32_t m = 0; m < e.numScores; ++m) {
            EXPECT_NEAR(methodScoreOf(a, m), e.scores[m], kMethodTolerance)
                << "candidate " << k << ", method " << methods[static_cast<size_t>(m)].method;
        }
        EXPECT_NEAR(scoreOf(a), e.score, combinedTolerance(e)) << "candidate " << k;
    }
}

}  // namespace

TEST(RunScoreAgreement, FixedPointRunsScoreLikeDoublePrecisionRuns) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        compareTrial(seed);
        if (::testing::Test::HasFatalFailure()) return;
    }
}
