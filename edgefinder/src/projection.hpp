// The projection: the caliper's samples, bilinearly interpolated and
// averaged across the thickness into one profile value per slice.
#ifndef CEDGE_PROJECTION_HPP
#define CEDGE_PROJECTION_HPP

#include <cstdint>
#include <vector>

#include "geometry.hpp"

namespace cedge {

struct Projection {
    std::vector<double> values;  // one per slice; 0 outside the valid run
    int32_t validFirst = 0;
    int32_t validCount = 0;
};

// Projects a checked image along a grid. Without clipping every slice must
// lie inside the image (else CEDGE_STATUS_OUTSIDE_IMAGE); with it, the first
// run of slices wholly inside is projected, and no slice inside is an error.
// Never reads outside the image's buffer, whatever the grid.
int32_t project(const cedge_image& image, const Grid& grid, bool clip, Projection& out);

}  // namespace cedge

#endif
