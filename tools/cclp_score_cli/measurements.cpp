#include "cclp_score_cli/measurements.hpp"

namespace cclp_cli {

std::vector<double> measuredValues(const cclp_score& method, const std::vector<Edge>& edges,
                                   double expectedWidth) {
    std::vector<cclp::score::MeasuredEdge> measured;
    measured.reserve(edges.size());
    for (const Edge& edge : edges) {
        measured.push_back({edge.position, edge.contrast, edge.extra1, edge.extra2, edge.extra3});
    }
    return cclp::score::measuredValues(method, measured, expectedWidth);
}

}  // namespace cclp_cli
