/** @file
 * What each score method measures on a candidate before its function maps
 * the value to a score, in caliper units: the value a tuner moves a
 * breakpoint to. The module keeps these to itself, so they are computed
 * here from the candidate's edges by the methods' formulas.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_MEASURED_VALUES_HPP
#define CCLP_SCORE_CXX_MEASURED_VALUES_HPP

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "array_ref.hpp"
#include "methods.hpp"
#include "params.hpp"
#include "results.hpp"

namespace cclp::score {

/// The values of one edge that the methods read; the extras stay 0 for
/// edges that have none.
struct MeasuredEdge {
    double position = 0.0;  ///< Along the caliper, in caliper units.
    double contrast = 0.0;  ///< Signed: positive dark to light.
    double extra1 = 0.0;    ///< The first extra value (extra1Diff reads it).
    double extra2 = 0.0;    ///< The second extra value (extraMax reads it).
    double extra3 = 0.0;    ///< The third extra value (extraMax reads it).
};

/// A double-precision edge record (a result's edgeValue(k)) as the methods
/// read it.
template <class Edge>
MeasuredEdge measuredEdge(const Edge& edge) noexcept {
    MeasuredEdge values;
    values.position = edge.position;
    values.contrast = edge.contrast;
    if constexpr (detail::HasExtras<Edge>::value) {
        values.extra1 = edge.extra1;
        values.extra2 = edge.extra2;
        values.extra3 = edge.extra3;
    }
    return values;
}

namespace detail {

inline std::vector<double> measuredSingle(const cclp_score& method, const MeasuredEdge& e) {
    switch (method.method) {
        case cclp_scoreMethodPosAbs:
            return {std::fabs(e.position)};
        case cclp_scoreMethodContrast:
            return {std::fabs(e.contrast)};
        case cclp_scoreMethodPos:
            return {e.position};
        case cclp_scoreMethodOffsetDist:
            return {std::fabs(e.position - method.oneSided.positionOffset)};
        case cclp_scoreMethodExtraMax:
            return {std::max(e.extra2, e.extra3)};
        default:
            return {};
    }
}

inline std::vector<double> measuredPair(const cclp_score& method, const MeasuredEdge& e0,
                                        const MeasuredEdge& e1, double w) {
    const double p0 = e0.position;
    const double p1 = e1.position;
    switch (method.method) {
        case cclp_scoreMethodSizeDiff:
            return {std::fabs(std::fabs(p1 - p0) - w) / w};
        case cclp_scoreMethodSize:
            return {std::fabs(p1 - p0) / w};
        case cclp_scoreMethodPosNormAbs:
            return {std::fabs(p1 + p0) / (2.0 * w)};
        case cclp_scoreMethodPosAbs:
            return {std::fabs(p1 + p0) / 2.0};
        case cclp_scoreMethodContrast:
            return {(std::fabs(e0.contrast) + std::fabs(e1.contrast)) / 2.0};
        case cclp_scoreMethodPosNorm:
            return {(p1 + p0) / (2.0 * w)};
        case cclp_scoreMethodPos:
            return {(p1 + p0) / 2.0};
        case cclp_scoreMethodSizeDiffSigned:
            return {(std::fabs(p1 - p0) - w) / w};
        case cclp_scoreMethodEdgePos:
            return {p0, p1};
        case cclp_scoreMethodOffsetDist:
            return {std::fabs(p0 - method.twoSided.lowSide.positionOffset),
                    std::fabs(p1 - method.twoSided.highSide.positionOffset)};
        case cclp_scoreMethodExtra1Diff:
            return {std::fabs(e1.extra1 - e0.extra1)};
        case cclp_scoreMethodExtraMax:
            return {std::max(std::max(e0.extra2, e0.extra3), std::max(e1.extra2, e1.extra3))};
        default:
            return {};
    }
}

}  // namespace detail

/// The values a method scores for a candidate of one edge or a pair (first
/// edge first), with w the pair's expected width: one value, or for edgePos
/// and offsetDist on pairs two, the first scored by the low side and the
/// second by the high side. Straddle measures nothing and gives none, as
/// does a method that does not score candidates of that many edges.
///@{
inline std::vector<double> measuredValues(const cclp_score& method, ArrayRef<MeasuredEdge> edges,
                                          double expectedWidth) {
    if (edges.size() == 1) return detail::measuredSingle(method, edges[0]);
    if (edges.size() == 2) return detail::measuredPair(method, edges[0], edges[1], expectedWidth);
    return {};
}

inline std::vector<double> measuredValues(const Method& method, ArrayRef<MeasuredEdge> edges,
                                          double expectedWidth) {
    return measuredValues(method.c(), edges, expectedWidth);
}
///@}

/// What method m of the parameters measured on a result of a run with them,
/// from the result's edges in whichever format the run wrote.
template <class Family>
std::vector<double> measuredValues(const Params& params, int32_t m,
                                   const BasicResult<Family>& result) {
    MeasuredEdge edges[2];
    const auto count = static_cast<std::size_t>(std::clamp(result.numEdges(), 0, 2));
    for (std::size_t k = 0; k < count; ++k) {
        edges[k] = measuredEdge(result.edgeValue(static_cast<int32_t>(k)));
    }
    return measuredValues(params.method(m), ArrayRef<MeasuredEdge>(edges, count),
                          params.expectedWidth());
}

}  // namespace cclp::score

#endif
