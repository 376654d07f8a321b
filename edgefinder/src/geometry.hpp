// Where the caliper's samples lie: the checks of the image and the caliper,
// and the sample grid (directions, counts, positions) they describe.
#ifndef CEDGE_GEOMETRY_HPP
#define CEDGE_GEOMETRY_HPP

#include <cstdint>

#include "cedge/cedge.h"

namespace cedge {

struct Grid {
    double centerX = 0.0;
    double centerY = 0.0;
    double alongX = 1.0;   // unit search direction
    double alongY = 0.0;
    double acrossX = 0.0;  // unit across direction
    double acrossY = 1.0;
    int32_t halfAlong = 0;  // samples at k = -halfAlong .. halfAlong
    int32_t halfAcross = 0; // lines at m = -halfAcross .. halfAcross

    int32_t count() const noexcept { return 2 * halfAlong + 1; }
    int32_t lines() const noexcept { return 2 * halfAcross + 1; }
    double x(int32_t k, int32_t m) const noexcept { return centerX + k * alongX + m * acrossX; }
    double y(int32_t k, int32_t m) const noexcept { return centerY + k * alongY + m * acrossY; }
};

// 0 or the status naming the first bad field, in the order of the fields.
int32_t checkImage(const cedge_image& image) noexcept;
int32_t checkCaliper(const cedge_caliper& caliper) noexcept;

// The grid of a checked caliper.
Grid gridOf(const cedge_caliper& caliper) noexcept;

}  // namespace cedge

#endif
