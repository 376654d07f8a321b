#include "cclp_score_cli/compare_tolerance.hpp"

#include <algorithm>
#include <cmath>

#include "cclp_score_cli/measurements.hpp"

namespace cclp_cli {
namespace {

namespace cs = cclp::score;

constexpr double kStep = 1.0 / 256.0;

bool dividedByWidth(int32_t method) {
    switch (method) {
        case cclp_scoreMethodSizeDiff:
        case cclp_scoreMethodSize:
        case cclp_scoreMethodPosNormAbs:
        case cclp_scoreMethodPosNorm:
        case cclp_scoreMethodSizeDiffSigned:
            return true;
        default:
            return false;
    }
}

// The ramp's integer arithmetic: its final shift truncates (one step); a
// ramp between values other than 0 and 1 rounds up to 1.5 of its
// intermediate steps, each worth 1/(256 * span) of score; the truncated
// reciprocal of the span costs span/65536.
double rampRounding(const cclp_scoreOneSided& f) {
    const double span = std::fabs(f.x1 - f.x0);
    if (span == 0.0) return kStep;
    const auto whole = [](double y) { return y == 0.0 || y == 1.0; };
    const double intermediate = whole(f.y0) && whole(f.y1) ? 0.0 : 1.5 * kStep / span;
    return kStep + intermediate + span / 65536.0;
}

// How far the function moves from its value at v over [v - q, v + q]: the
// extremes of a piecewise-linear function lie at the ends or at its
// breakpoints, where a step shows its full height.
template <class Function>
double spread(const Function& function, const std::vector<double>& breaks, double v, double q) {
    std::vector<double> xs{v, v - q, v + q};
    for (double b : breaks) {
        if (b > v - q && b < v + q) xs.push_back(b);
    }
    const std::vector<double> ys = function.sample(xs);
    double largest = 0.0;
    for (double y : ys) largest = std::max(largest, std::fabs(y - ys[0]));
    return largest;
}

std::vector<double> breaksOf(const cclp_scoreOneSided& f) { return {f.x0, f.x1, f.x2}; }

double oneSideTolerance(const cclp_scoreOneSided& f, double v, double q) {
    return spread(cs::OneSided(f), breaksOf(f), v, q) + rampRounding(f);
}

double twoSidedTolerance(const cclp_scoreTwoSided& f, double v, double q) {
    std::vector<double> breaks = breaksOf(f.lowSide);
    for (double b : breaksOf(f.highSide)) breaks.push_back(b);
    return spread(cs::TwoSided(f), breaks, v, q) +
           std::max(rampRounding(f.lowSide), rampRounding(f.highSide));
}

// An edge within a quantum of the centre may fall on either side of it.
double straddleTolerance(const std::vector<Edge>& edges) {
    for (const Edge& edge : edges) {
        if (std::fabs(edge.position) < kStep) return 1.0;
    }
    return 0.0;
}

}  // namespace

double measuredQuantum(const cclp_score& method, double expectedWidth) {
    return dividedByWidth(method.method) ? (2.0 + 2.0 / expectedWidth) * kStep : 2.0 * kStep;
}

double methodTolerance(const cclp_score& method, const std::vector<Edge>& edges,
                       double expectedWidth) {
    if (method.method == cclp_scoreMethodStraddle) return straddleTolerance(edges);
    const std::vector<double> values = measuredValues(method, edges, expectedWidth);
    const double q = measuredQuantum(method, expectedWidth);
    if (values.size() == 2) {
        // Each side scores its own edge; the halved sum truncates once more.
        return (oneSideTolerance(method.twoSided.lowSide, values[0], q) +
                oneSideTolerance(method.twoSided.highSide, values[1], q)) / 2.0 + kStep;
    }
    if (values.empty()) return 0.0;
    return method.isOneSided ? oneSideTolerance(method.oneSided, values[0], q)
                             : twoSidedTolerance(method.twoSided, values[0], q);
}

double combinedTolerance(const std::vector<double>& methodScores,
                         const std::vector<double>& methodTolerances) {
    const std::size_t n = methodScores.size();
    if (n == 0) return 0.0;
    const auto geometricMean = [n](const std::vector<double>& scores) {
        double product = 1.0;
        for (double s : scores) {
            if (!(s > 0.0)) return 0.0;
            product *= s;
        }
        return std::pow(product, 1.0 / static_cast<double>(n));
    };
    std::vector<double> low(n), high(n);
    for (std::size_t m = 0; m < n; ++m) {
        low[m] = methodScores[m] - methodTolerances[m];
        high[m] = methodScores[m] + methodTolerances[m];
    }
    const double mean = geometricMean(methodScores);
    // Each product of the chain rounds by half a step, the root by one.
    const double rounding = (0.5 * static_cast<double>(n) + 1.0) * kStep;
    return std::max(mean - geometricMean(low), geometricMean(high) - mean) + rounding;
}

}  // namespace cclp_cli
