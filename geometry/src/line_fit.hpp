// A line through points: the minimal sample is two points, the refit the
// weighted orthogonal (total) least squares line.
#ifndef CGEOM_LINE_FIT_HPP
#define CGEOM_LINE_FIT_HPP

#include "robust_fit.hpp"

namespace cgeom {

struct LineModel {
    Point point;      // on the line
    Point direction;  // unit
};

class LineGeometry {
public:
    static constexpr std::size_t kSampleSize = 2;
    static constexpr int32_t kDegenerate = CGEOM_STATUS_POINTS_COINCIDENT;

    // Directions are turned to point as `nominal` does.
    explicit LineGeometry(Point nominal) : nominal_(nominal) {}

    bool fromSample(const Point* const* sample, LineModel& model) const;
    // Along the direction turned by +90 degrees.
    double residual(const LineModel& model, const Point& point) const {
        return (point.y - model.point.y) * model.direction.x -
               (point.x - model.point.x) * model.direction.y;
    }
    int32_t refit(const std::vector<Point>& points, const std::vector<double>& weights, bool first,
                  LineModel& model) const;

private:
    Point oriented(double x, double y) const;
    Point nominal_;
};

}  // namespace cgeom

#endif
