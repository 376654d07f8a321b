// Positions along a caliper as points in the image.
#include "cedge/cedge.h"
#include "geometry.hpp"

#include <cmath>

namespace cedge {

namespace {

cedge_point pointAt(const Grid& grid, double position) {
    return cedge_point{grid.centerX + position * grid.alongX, grid.centerY + position * grid.alongY};
}

// A fixed-point position in pixels (division by 256 is exact).
double pixelsOf(int32_t fixed) { return static_cast<double>(fixed) / 256.0; }

}  // namespace

}  // namespace cedge

extern "C" {

int32_t cedge_caliperPoint(const cedge_caliper* caliper, double position, cedge_point* point) {
    if (caliper == nullptr || point == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    const int32_t status = cedge::checkCaliper(*caliper);
    if (status != CEDGE_STATUS_OK) return status;
    if (!std::isfinite(position)) return CEDGE_STATUS_POSITION_NOT_VALID;
    *point = cedge::pointAt(cedge::gridOf(*caliper), position);
    return CEDGE_STATUS_OK;
}

int32_t cedge_edgePoints(const cedge_caliper* caliper, const cclp_resultSet* edges,
                         cedge_point* points, int32_t capacity) {
    if (caliper == nullptr || edges == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    const int32_t status = cedge::checkCaliper(*caliper);
    if (status != CEDGE_STATUS_OK) return status;
    const int32_t count = edges->numEdges;
    if (count <= 0) return CEDGE_STATUS_OK;
    const bool doubles = edges->edges != nullptr;
    if (!doubles && edges->edgesFixed == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (points == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (capacity < count) return CEDGE_STATUS_CAPACITY_TOO_SMALL;
    const auto positionOf = [&](int32_t i) {
        return doubles ? edges->edges[i].position : cedge::pixelsOf(edges->edgesFixed[i].position);
    };
    // Checked first, so that nothing is written unless every point is.
    for (int32_t i = 0; i < count; ++i) {
        if (!std::isfinite(positionOf(i))) return CEDGE_STATUS_POSITION_NOT_VALID;
    }
    const cedge::Grid grid = cedge::gridOf(*caliper);
    for (int32_t i = 0; i < count; ++i) points[i] = cedge::pointAt(grid, positionOf(i));
    return CEDGE_STATUS_OK;
}

}  // extern "C"
