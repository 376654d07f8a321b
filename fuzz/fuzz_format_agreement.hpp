// The fixed-point run against the floating-point run on well-conditioned
// inputs: edges on the 1/16 grid (exact in both formats) and continuous
// scoring functions whose ramps span at least one unit of the measured
// value. Each method score agrees within a few 1/256, each combined score
// within what those errors allow, and both runs form the same candidates at
// the same positions.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "cclp_score/cclp_score.h"
#include "fuzz/fuzz_forms.hpp"
#include "fuzz/fuzz_support.hpp"

namespace cclp::fuzz {

constexpr double kMethodTolerance = 3.0 / 256;

class WellConditioned {
public:
    explicit WellConditioned(FuzzedDataProvider& in) : in_(in) {}

    // A multiple of 1/16 in [low, high].
    double grid(double low, double high) {
        return in_.ConsumeIntegralInRange<int32_t>(static_cast<int32_t>(low * 16),
                                                   static_cast<int32_t>(high * 16)) /
               16.0;
    }
    int32_t pick(int32_t low, int32_t high) { return in_.ConsumeIntegralInRange<int32_t>(low, high); }

    std::vector<cclp_edgeEx> edges() {
        std::vector<cclp_edgeEx> edges;
        double position = grid(-40, -25);
        for (int32_t n = pick(6, 14); n > 0; --n) {
            const double contrast = grid(5, 250) * (pick(0, 2) == 0 ? -1 : 1);
            edges.push_back({position, contrast, grid(0, 20), grid(0, 20), grid(0, 20)});
            position += grid(0.5, 7);
        }
        return edges;
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
        case 8: return oneSided(cclp_scoreMethodStraddle, 0, 1, 1);
        case 9: return upward(cclp_scoreMethodPosNorm, grid(-3, 0), grid(2, 6));
        case 10: return triangle(cclp_scoreMethodSizeDiffSigned, grid(-0.5, 0.5));
        case 11: return triangle(cclp_scoreMethodEdgePos, grid(-5, 5));
        case 12: {
            const double low = grid(0, 2), high = grid(0, 2);
            cclp_score method = twoSided(cclp_scoreMethodOffsetDist, {low, 12, 14}, {high, 15, 16});
            method.twoSided.lowSide.positionOffset = grid(-10, 0);
            method.twoSided.highSide.positionOffset = grid(0, 10);
            return method;
        }
        default: return upward(cclp_scoreMethodExtra1Diff, 0, grid(5, 20));
        }
    }

private:
    using Abscissae = double[3];

    // Falling from 1 at x0 to 0 at x1, 0 beyond x2: nothing jumps at x2.
    static cclp_score oneSided(int32_t method, double x0, double x1, double x2) {
        cclp_scoreOneSided f;
        FUZZ_CHECK(cclp_scoreOneSided_initValues(&f, x0, x1, x2, 1, 0) == 0);
        cclp_score score;
        FUZZ_CHECK(cclp_score_init(&score) == 0);
        FUZZ_CHECK(cclp_score_initScoreMethodOneSided(&score, method, &f) == 0);
        return score;
    }
    static cclp_score twoSided(int32_t method, const Abscissae& low, const Abscissae& high) {
        cclp_scoreTwoSided f;
        FUZZ_CHECK(cclp_scoreTwoSided_initOneSided(&f, low[0], low[1], low[2], 1, 0, high[0],
                                                   high[1], high[2], 1, 0) == 0);
        cclp_score score;
        FUZZ_CHECK(cclp_score_init(&score) == 0);
        FUZZ_CHECK(cclp_score_initScoreMethodTwoSided(&score, method, &f) == 0);
        return score;
    }
    cclp_score upward(int32_t method, double x0, double span) {
        return oneSided(method, x0, x0 + span, x0 + span + grid(0, 2));
    }
    cclp_score downward(int32_t method, double x0, double span) {
        return oneSided(method, x0, x0 - span, x0 - span - grid(0, 2));
    }
    // Both sides falling from 1 to 0 away from the split.
    cclp_score triangle(int32_t method, double split) {
        const double below = split - grid(1, 2), above = split + grid(1, 2);
        return twoSided(method, {split, below, split - 3}, {split, above, split + 3});
    }

    FuzzedDataProvider& in_;
};

// How far a fixed-point combined score may stray from the exact one: the
// method errors and the rounding of each partial product, carried through
// the geometric mean; unbounded once a score or partial product nears 0.
inline double combinedTolerance(const cclp_scoreOneResultEx& exact) {
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

inline bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

// One well-conditioned run in each format, every candidate compared.
inline void checkFormatsAgree(FuzzedDataProvider& in) {
    WellConditioned random(in);
    const bool pairs = in.ConsumeBool();
    std::vector<cclp_score> methods;
    for (int32_t m = random.pick(1, 4); m > 0; --m) methods.push_back(random.method(pairs));
    const double width = random.grid(2, 30);
    const cclp_desiredEdge desired[2] = {{pairs ? -width / 2 : 0.0, 3}, {width / 2, 3}};
    std::vector<cclp_edgeEx> edges = random.edges();
    std::vector<cclp_edgeFixedEx> edgesFixed;
    for (const cclp_edgeEx& e : edges) {
        edgesFixed.push_back({referenceRound256(e.position), referenceRound256(e.contrast),
                              referenceRound256(e.extra1), referenceRound256(e.extra2),
                              referenceRound256(e.extra3)});
    }
    Owned<cclp_scoreParams, cclp_scoreParams_construct, cclp_scoreParams_destruct> params;
    FUZZ_CHECK(cclp_scoreParams_setDesiredEdges(&params.value, pairs ? 2 : 1, desired) == 0);
    FUZZ_CHECK(cclp_scoreParams_setScoreMethods(&params.value, static_cast<int32_t>(methods.size()),
                                                methods.data()) == 0);
    FUZZ_CHECK(cclp_scoreParams_setMaxNumResults(&params.value, 1000) == 0);
    FUZZ_CHECK(cclp_scoreParams_setSortByScore(&params.value, 0) == 0);
    cclp_resultSetEx input{};
    input.numEdges = static_cast<int32_t>(edges.size());
    input.edges = edges.data();
    input.edgesFixed = edgesFixed.data();
    OwnedSet<ExtendedForm> exact, approx;
    input.formats = CCLP_FORMAT_DOUBLE;
    FUZZ_CHECK(ExtendedForm::run(input, params.value, exact.value) == 0);
    input.formats = CCLP_FORMAT_FIXED;
    FUZZ_CHECK(ExtendedForm::run(input, params.value, approx.value) == 0);
    FUZZ_CHECK(exact.value.numResults == approx.value.numResults);
    for (int32_t k = 0; k < exact.value.numResults; ++k) {
        const cclp_scoreOneResultEx& e = exact.value.results[k];
        const cclp_scoreOneResultEx& a = approx.value.results[k];
        FUZZ_CHECK(near(a.positionFixed / 256.0, e.position, 1.0 / 256));
        for (int32_t m = 0; m < e.numScores; ++m) {
            FUZZ_CHECK(near(a.scoresFixed[m] / 256.0, e.scores[m], kMethodTolerance));
        }
        FUZZ_CHECK(near(a.scoreFixed / 256.0, e.score, combinedTolerance(e)));
    }
}

}  // namespace cclp::fuzz
