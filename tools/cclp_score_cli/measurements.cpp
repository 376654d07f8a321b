#include "cclp_score_cli/measurements.hpp"

#include <algorithm>
#include <cmath>

namespace cclp_cli {

std::vector<double> measuredValues(const cclp_score& method, const std::vector<Edge>& edges,
                                   double w) {
    if (edges.empty()) return {};
    const double p0 = edges[0].position;
    if (edges.size() == 1) {
        const Edge& e = edges[0];
        switch (method.method) {
            case cclp_scoreMethodPosAbs:
                return {std::fabs(p0)};
            case cclp_scoreMethodContrast:
                return {std::fabs(e.contrast)};
            case cclp_scoreMethodPos:
                return {p0};
            case cclp_scoreMethodOffsetDist:
                return {std::fabs(p0 - method.oneSided.positionOffset)};
            case cclp_scoreMethodExtraMax:
                return {std::max(e.extra2, e.extra3)};
            default:
                return {};
        }
    }
    const Edge& e0 = edges[0];
    const Edge& e1 = edges[1];
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

}  // namespace cclp_cli
