// The fixed-point run against the floating-point run on well-conditioned
// inputs: edges on the 1/16 grid (exact in both formats) and continuous
// scoring functions whose ramps span at least one unit of the measured
// value. Both runs form the same candidates at the same positions; each
// method score agrees within a few 1/256, each combined score within what
// those errors allow.
#pragma once

#include <cmath>
#include <vector>

#include "fuzz/fuzz_forms.hpp"

namespace cclp::fuzz {

constexpr double kMethodTolerance = 3.0 / 256;

class WellConditioned {
public:
    explicit WellConditioned(FuzzedDataProvider& in) : in_(in) {}

    double grid(double low, double high) {  // a multiple of 1/16
        return pick(static_cast<int32_t>(low * 16), static_cast<int32_t>(high * 16)) / 16.0;
    }
    int32_t pick(int32_t low, int32_t high) { return in_.ConsumeIntegralInRange<int32_t>(low, high); }

    std::vector<cclp_edgeEx> edges() {
        std::vector<cclp_edgeEx> edges;
        double position = grid(-40, -25);
        for (int32_t n = pick(6, 14); n > 0; --n, position += grid(0.5, 7)) {
            const double contrast = grid(5, 250) * (pick(0, 2) == 0 ? -1 : 1);
            edges.push_back({position, contrast, grid(0, 20), grid(0, 20), grid(0, 20)});
        }
        return edges;
    }

    // Methods 4, 6, 8 and 13 score both candidate forms, the one-sided
    // offset distance single edges only, the rest pairs only.
    cclp_score method(bool pairs) {
        const int32_t kind = pairs ? pick(0, 12) : pick(0, 4);
        switch (kind + (pairs && kind >= 4 ? 1 : 0)) {
        case 0: return ramp(cclp_scoreMethodPosAbs, grid(0, 5), grid(5, 30));
        case 1: return ramp(cclp_scoreMethodContrast, grid(100, 255), -grid(60, 90));
        case 2: return ramp(cclp_scoreMethodPos, grid(-40, 0), grid(10, 50));
        case 3: return ramp(cclp_scoreMethodExtraMax, grid(10, 20), -grid(5, 10));
        case 4: return ramp(cclp_scoreMethodOffsetDist, grid(0, 2), grid(5, 20), grid(-10, 10));
        case 5: return ramp(cclp_scoreMethodSizeDiff, grid(0, 0.25), grid(1, 2));
        case 6: return ramp(cclp_scoreMethodSize, grid(0.5, 1.5), grid(1, 4));
        case 7: return ramp(cclp_scoreMethodPosNormAbs, 0, grid(1, 3));
        case 8: return {1, side(0, 1, 1), {}, cclp_scoreMethodStraddle};
        case 9: return ramp(cclp_scoreMethodPosNorm, grid(-3, 0), grid(2, 6));
        case 10: return triangle(cclp_scoreMethodSizeDiffSigned, grid(-0.5, 0.5));
        case 11: return triangle(cclp_scoreMethodEdgePos, grid(-5, 5));
        case 12: {
            cclp_scoreTwoSided sides{side(grid(0, 2), 12, 14), side(grid(0, 2), 15, 16)};
            sides.lowSide.positionOffset = grid(-10, 0);
            sides.highSide.positionOffset = grid(0, 10);
            return {0, {}, sides, cclp_scoreMethodOffsetDist};
        }
        default: return ramp(cclp_scoreMethodExtra1Diff, 0, grid(5, 20));
        }
    }

private:
    // Falling from 1 at x0 to 0 at x1, 0 beyond x2: nothing jumps at x2.
    static cclp_scoreOneSided side(double x0, double x1, double x2, double offset = 0.0) {
        cclp_scoreOneSided f;
        FUZZ_CHECK(cclp_scoreOneSided_initValues(&f, x0, x1, x2, 1, 0) == 0);
        f.positionOffset = offset;
        return f;
    }
    // A one-sided ramp over `span` (downward when negative), 0 up to 2 past it.
    cclp_score ramp(int32_t method, double x0, double span, double offset = 0.0) {
        const double x1 = x0 + span;
        return {1, side(x0, x1, x1 + std::copysign(grid(0, 2), span), offset), {}, method};
    }
    // Both sides falling from 1 to 0 away from the split.
    cclp_score triangle(int32_t method, double split) {
        const cclp_scoreOneSided low = side(split, split - grid(1, 2), split - 3);
        return {0, {}, {low, side(split, split + grid(1, 2), split + 3)}, method};
    }

    FuzzedDataProvider& in_;
};

// How far a fixed-point combined score may stray from the exact one: the
// method errors and the rounding of each partial product, carried through
// the geometric mean; unbounded once a score or partial product nears 0.
inline double combinedTolerance(const cclp_scoreOneResultEx& exact) {
    double relative = 0.0, partial = 1.0;
    for (int32_t m = 0; m < exact.numScores; ++m) {
        partial *= exact.scores[m];
        if (exact.scores[m] < 4.0 / 256 || partial < 4.0 / 256) return 1.0;
        relative += kMethodTolerance / exact.scores[m] + 0.5 / 256 / partial;
    }
    return 2.0 / 256 + exact.score * relative / exact.numScores;
}

inline bool near(int32_t fixed, double exact, double tolerance) {
    return std::fabs(fixed / 256.0 - exact) <= tolerance;
}

// One well-conditioned unsorted run in each format, candidate by candidate.
inline void checkFormatsAgree(FuzzedDataProvider& in) {
    WellConditioned random(in);
    const bool pairs = in.ConsumeBool();
    std::vector<cclp_score> methods;
    for (int32_t m = random.pick(1, 4); m > 0; --m) methods.push_back(random.method(pairs));
    const double half = random.grid(2, 30) / 2;
    const cclp_desiredEdge desired[2] = {{pairs ? -half : 0.0, 3}, {half, 3}};
    std::vector<cclp_edgeEx> edges = random.edges();
    std::vector<cclp_edgeFixedEx> fixed;
    for (const cclp_edgeEx& e : edges) {
        fixed.push_back({referenceRound256(e.position), referenceRound256(e.contrast),
                         referenceRound256(e.extra1), referenceRound256(e.extra2),
                         referenceRound256(e.extra3)});
    }
    Owned<cclp_scoreParams, cclp_scoreParams_construct, cclp_scoreParams_destruct> params;
    FUZZ_CHECK(cclp_scoreParams_setDesiredEdges(&params.value, pairs ? 2 : 1, desired) == 0);
    FUZZ_CHECK(cclp_scoreParams_setScoreMethods(&params.value, static_cast<int32_t>(methods.size()),
                                                methods.data()) == 0);
    params.value.maxNumResults = 1000;
    params.value.sortByScore = 0;
    cclp_resultSetEx input{};
    input.numEdges = static_cast<int32_t>(edges.size());
    input.edges = edges.data();
    input.edgesFixed = fixed.data();
    OwnedSet<ExtendedForm> exact, approx;
    input.formats = CCLP_FORMAT_DOUBLE;
    FUZZ_CHECK(ExtendedForm::run(input, params.value, exact.value) == 0);
    input.formats = CCLP_FORMAT_FIXED;
    FUZZ_CHECK(ExtendedForm::run(input, params.value, approx.value) == 0);
    FUZZ_CHECK(exact.value.numResults == approx.value.numResults);
    for (int32_t k = 0; k < exact.value.numResults; ++k) {
        const cclp_scoreOneResultEx& e = exact.value.results[k];
        const cclp_scoreOneResultEx& a = approx.value.results[k];
        FUZZ_CHECK(near(a.positionFixed, e.position, 1.0 / 256));
        for (int32_t m = 0; m < e.numScores; ++m) {
            FUZZ_CHECK(near(a.scoresFixed[m], e.scores[m], kMethodTolerance));
        }
        FUZZ_CHECK(near(a.scoreFixed, e.score, combinedTolerance(e)));
    }
}

}  // namespace cclp::fuzz
