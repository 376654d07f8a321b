// A circle through points: the minimal sample is three points (their
// circumcircle); the first refit starts from the weighted algebraic (Kasa)
// circle, every refit ends with Gauss-Newton steps on the weighted
// geometric distances.
#ifndef CGEOM_CIRCLE_FIT_HPP
#define CGEOM_CIRCLE_FIT_HPP

#include "robust_fit.hpp"

namespace cgeom {

struct CircleModel {
    Point center;
    double radius;
};

class CircleGeometry {
public:
    static constexpr std::size_t kSampleSize = 3;
    static constexpr int32_t kDegenerate = CGEOM_STATUS_POINTS_COLLINEAR;

    bool fromSample(const Point* const* sample, CircleModel& model) const;
    // Outside positive.
    double residual(const CircleModel& model, const Point& point) const {
        const double dx = point.x - model.center.x;
        const double dy = point.y - model.center.y;
        return std::sqrt(dx * dx + dy * dy) - model.radius;
    }
    int32_t refit(const std::vector<Point>& points, const std::vector<double>& weights, bool first,
                  CircleModel& model) const;
};

}  // namespace cgeom

#endif
