#include "line_fit.hpp"

namespace cgeom {

// Points closer together than this (pixels) give no direction.
constexpr double kCoincident = 1e-9;

Point LineGeometry::oriented(double x, double y) const {
    return x * nominal_.x + y * nominal_.y < 0.0 ? Point{-x, -y} : Point{x, y};
}

bool LineGeometry::fromSample(const Point* const* sample, LineModel& model) const {
    const double dx = sample[1]->x - sample[0]->x;
    const double dy = sample[1]->y - sample[0]->y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > kCoincident)) return false;
    model = LineModel{*sample[0], oriented(dx / length, dy / length)};
    return true;
}

int32_t LineGeometry::refit(const std::vector<Point>& points, const std::vector<double>& weights,
                            bool /*first*/, LineModel& model) const {
    const auto [mean, total] = weightedCentroid(points, weights);
    const double meanX = mean.x, meanY = mean.y;
    double sxx = 0.0, sxy = 0.0, syy = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double dx = points[i].x - meanX;
        const double dy = points[i].y - meanY;
        sxx += weights[i] * dx * dx;
        sxy += weights[i] * dx * dy;
        syy += weights[i] * dy * dy;
    }
    if (!(sxx + syy > total * kCoincident * kCoincident)) return CGEOM_STATUS_POINTS_COINCIDENT;
    // The direction of the scatter's larger eigenvalue.
    const double angle = 0.5 * std::atan2(2.0 * sxy, sxx - syy);
    const LineModel fitted{Point{meanX, meanY}, oriented(std::cos(angle), std::sin(angle))};
    if (!std::isfinite(meanX) || !std::isfinite(meanY) || !std::isfinite(angle)) {
        return CGEOM_STATUS_FIT_NOT_FINITE;
    }
    model = fitted;
    return CGEOM_STATUS_OK;
}

}  // namespace cgeom
