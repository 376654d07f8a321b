#include "circle_fit.hpp"

#include <algorithm>
#include <utility>

namespace cgeom {

namespace {

constexpr int kGaussNewtonSteps = 50;

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

// Solves a x = b by elimination with partial pivoting; false when a is
// singular relative to its largest entry.
bool solve3(Matrix3 a, Vector3 b, Vector3& x) {
    double largest = 0.0;
    for (const auto& row : a) {
        for (const double value : row) largest = std::fmax(largest, std::fabs(value));
    }
    if (!(largest > 0.0)) return false;
    for (std::size_t column = 0; column < 3; ++column) {
        std::size_t pivot = column;
        for (std::size_t row = column + 1; row < 3; ++row) {
            if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
        }
        if (!(std::fabs(a[pivot][column]) > 1e-12 * largest)) return false;
        std::swap(a[pivot], a[column]);
        std::swap(b[pivot], b[column]);
        for (std::size_t row = column + 1; row < 3; ++row) {
            const double factor = a[row][column] / a[column][column];
            for (std::size_t k = column; k < 3; ++k) a[row][k] -= factor * a[column][k];
            b[row] -= factor * b[column];
        }
    }
    for (std::size_t row = 3; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < 3; ++k) sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return true;
}

// Adds w * u u^T to a and w * u * r to b.
void accumulate(Matrix3& a, Vector3& b, const Vector3& u, double w, double r) {
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) a[i][j] += w * u[i] * u[j];
        b[i] += w * u[i] * r;
    }
}

// The weighted algebraic circle: least squares of x^2 + y^2 + D x + E y + F,
// about the weighted centroid for conditioning.
bool kasa(const std::vector<Point>& points, const std::vector<double>& weights, CircleModel& model) {
    const Point mean = weightedCentroid(points, weights).mean;
    const double meanX = mean.x, meanY = mean.y;
    Matrix3 a{};
    Vector3 b{};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = points[i].x - meanX;
        const double y = points[i].y - meanY;
        accumulate(a, b, Vector3{x, y, 1.0}, weights[i], -(x * x + y * y));
    }
    Vector3 def{};
    if (!solve3(a, b, def)) return false;
    const double cx = -def[0] / 2.0;
    const double cy = -def[1] / 2.0;
    const double squared = cx * cx + cy * cy - def[2];
    if (!(squared > 0.0)) return false;
    model = CircleModel{Point{meanX + cx, meanY + cy}, std::sqrt(squared)};
    return true;
}

// Gauss-Newton on the weighted geometric distances from model.
int32_t refine(const std::vector<Point>& points, const std::vector<double>& weights,
               CircleModel& model) {
    CircleModel current = model;
    for (int step = 0; step < kGaussNewtonSteps; ++step) {
        Matrix3 a{};
        Vector3 b{};
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double dx = points[i].x - current.center.x;
            const double dy = points[i].y - current.center.y;
            const double distance = std::hypot(dx, dy);
            if (weights[i] == 0.0 || !(distance > 0.0)) continue;
            accumulate(a, b, Vector3{dx / distance, dy / distance, 1.0}, weights[i],
                       distance - current.radius);
        }
        Vector3 delta{};
        if (!solve3(a, b, delta)) return CGEOM_STATUS_POINTS_COLLINEAR;
        current.center.x += delta[0];
        current.center.y += delta[1];
        current.radius += delta[2];
        if (!std::isfinite(current.center.x) || !std::isfinite(current.center.y) ||
            !std::isfinite(current.radius)) {
            return CGEOM_STATUS_FIT_NOT_FINITE;
        }
        if (std::fabs(delta[0]) + std::fabs(delta[1]) + std::fabs(delta[2]) <=
            1e-12 * (1.0 + std::fabs(current.radius))) {
            break;
        }
    }
    // Steps that crossed the centre describe no circle.
    if (!(current.radius > 0.0)) return CGEOM_STATUS_FIT_NOT_FINITE;
    model = current;
    return CGEOM_STATUS_OK;
}

}  // namespace

bool CircleGeometry::fromSample(const Point* const* sample, CircleModel& model) const {
    const Point& a = *sample[0];
    const double bx = sample[1]->x - a.x, by = sample[1]->y - a.y;
    const double cx = sample[2]->x - a.x, cy = sample[2]->y - a.y;
    const double determinant = 2.0 * (bx * cy - by * cx);
    const double scale = std::fmax(bx * bx + by * by, cx * cx + cy * cy);
    if (!(std::fabs(determinant) > 1e-9 * scale)) return false;
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const double ux = (cy * b2 - by * c2) / determinant;
    const double uy = (bx * c2 - cx * b2) / determinant;
    model = CircleModel{Point{a.x + ux, a.y + uy}, std::hypot(ux, uy)};
    return std::isfinite(model.radius);
}

int32_t CircleGeometry::refit(const std::vector<Point>& points, const std::vector<double>& weights,
                              bool first, CircleModel& model) const {
    CircleModel start = model;
    if (first && !kasa(points, weights, start)) return CGEOM_STATUS_POINTS_COLLINEAR;
    const int32_t status = refine(points, weights, start);
    if (status == CGEOM_STATUS_OK) model = start;
    return status;
}

}  // namespace cgeom
