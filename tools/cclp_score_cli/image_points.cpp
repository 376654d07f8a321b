#include "cclp_score_cli/image_points.hpp"

namespace cclp_cli {

std::optional<cedge_point> imagePoint(const Recording& job, double position) {
    if (!job.image) return std::nullopt;
    const ImageCaliper& image = *job.image;
    const cedge_caliper caliper{image.centerX, image.centerY, image.angle, image.length, image.thickness};
    cedge_point point{};
    if (cedge_caliperPoint(&caliper, position, &point) != 0) return std::nullopt;
    return point;
}

}  // namespace cclp_cli
