// The exported entry points of the line and circle tools: parameters,
// caliper search, fit, and the caller's records written only on success.
#include <algorithm>
#include <cmath>
#include <vector>

#include "caliper_layout.hpp"
#include "caliper_search.hpp"
#include "circle_fit.hpp"
#include "line_fit.hpp"
#include "runtime_arrays.hpp"

namespace cgeom {

namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

cgeom_fitParams defaultFit() { return cgeom_fitParams{cgeom_weightTukey, 20, 1.5}; }

cgeom_calipers defaultCalipers(int32_t count) {
    return cgeom_calipers{count, 0u, 0.0, 40.0, 5.0};
}

// The found points, relative to origin for conditioning.
std::vector<Point> foundPoints(const std::vector<cgeom_caliperResult>& results, Point origin) {
    std::vector<Point> points;
    for (const cgeom_caliperResult& result : results) {
        if (result.found != 0) points.push_back({result.point.x - origin.x, result.point.y - origin.y});
    }
    return points;
}

// Writes each found point's residual, weight and use, and the summary.
template <class Geometry, class Model>
cgeom_fitSummary summarise(const Geometry& geometry, const Model& model,
                           const std::vector<Point>& points, const std::vector<double>& weights,
                           std::vector<cgeom_caliperResult>& results) {
    cgeom_fitSummary summary{0.0, static_cast<int32_t>(results.size()), 0, 0, 0};
    double sumSquares = 0.0;
    std::size_t next = 0;
    for (cgeom_caliperResult& result : results) {
        if (result.found == 0) {
            ++summary.numMissing;
            continue;
        }
        ++summary.numFound;
        result.residual = geometry.residual(model, points[next]);
        result.weight = weights[next];
        result.used = weights[next] > 0.0 ? 1 : 0;
        ++next;
        if (result.used != 0) {
            ++summary.numUsed;
            sumSquares += result.residual * result.residual;
        }
    }
    summary.rms = std::sqrt(sumSquares / summary.numUsed);
    return summary;
}

// A caliper averages its lines m = -H .. H across the search direction; on
// a circle's edge each line meets the edge at sqrt(R^2 - m^2) along the ray,
// so the points lie on average at R - q / R with q = mean(m^2) / 2 =
// H (H + 1) / 6. The fit finds that circle; this is the edge's radius.
double trueRadius(double fittedRadius, double thickness) {
    const double half = std::floor(thickness / 2.0);
    const double q = half * (half + 1.0) / 6.0;
    return (fittedRadius + std::sqrt(fittedRadius * fittedRadius + 4.0 * q)) / 2.0;
}

int32_t checkCommon(const cedge_image* image, const void* params, const cedge_params* edgeParams,
                    const cclp_scoreParams* scoreParams, const void* output,
                    const cgeom_caliperResult* results) {
    const bool anyNull = image == nullptr || params == nullptr || edgeParams == nullptr ||
                         scoreParams == nullptr || output == nullptr || results == nullptr;
    return anyNull ? CSYS_STATUS_NULL_ARGUMENT : CGEOM_STATUS_OK;
}

// What both tools share: the calipers searched, the found points (relative
// to origin) fitted robustly from model's start, and the summary. The
// results reach the caller only once the fit has succeeded.
template <class Geometry, class Model>
int32_t searchAndFit(const cedge_image& image, const std::vector<cedge_caliper>& calipers,
                     const cedge_params& edgeParams, const cclp_scoreParams& scoreParams,
                     int32_t capacity, const Point& origin, const Geometry& geometry,
                     const cgeom_fitParams& fit, Model& model, std::vector<cgeom_caliperResult>& results,
                     cgeom_fitSummary& summary) {
    if (capacity < static_cast<int32_t>(calipers.size())) return CGEOM_STATUS_CAPACITY_TOO_SMALL;
    int32_t status = searchCalipers(image, calipers, edgeParams, scoreParams, results);
    if (status != CGEOM_STATUS_OK) return status;
    const std::vector<Point> points = foundPoints(results, origin);
    std::vector<double> weights;
    status = robustFit(geometry, points, fit, model, weights);
    if (status == CGEOM_STATUS_OK) summary = summarise(geometry, model, points, weights, results);
    return status;
}

int32_t findLine(const cedge_image& image, const cgeom_lineParams& params,
                 const cedge_params& edgeParams, const cclp_scoreParams& scoreParams,
                 cgeom_line& line, cgeom_caliperResult* out, int32_t capacity) {
    int32_t count = 0;
    int32_t status = checkLine(params, count);
    if (status != CGEOM_STATUS_OK) return status;
    const Point origin{(params.startX + params.endX) / 2.0, (params.startY + params.endY) / 2.0};
    const LineGeometry geometry(Point{params.endX - params.startX, params.endY - params.startY});
    LineModel model{};
    std::vector<cgeom_caliperResult> results;
    cgeom_line fitted{};
    status = searchAndFit(image, lineCalipers(params, count), edgeParams, scoreParams, capacity, origin, geometry, params.fit, model, results, fitted.fit);
    if (status != CGEOM_STATUS_OK) return status;
    // The origin (the nominal midpoint) projected onto the line.
    const double along = -(model.point.x * model.direction.x + model.point.y * model.direction.y);
    fitted.point = cedge_point{origin.x + model.point.x + along * model.direction.x,
                               origin.y + model.point.y + along * model.direction.y};
    fitted.direction = cedge_point{model.direction.x, model.direction.y};
    fitted.angle = std::atan2(model.direction.y, model.direction.x) * kDegrees;
    std::copy(results.begin(), results.end(), out);
    line = fitted;
    return CGEOM_STATUS_OK;
}

int32_t findCircle(const cedge_image& image, const cgeom_circleParams& params,
                   const cedge_params& edgeParams, const cclp_scoreParams& scoreParams,
                   cgeom_circle& circle, cgeom_caliperResult* out, int32_t capacity) {
    int32_t count = 0;
    int32_t status = checkCircle(params, count);
    if (status != CGEOM_STATUS_OK) return status;
    const Point origin{params.centerX, params.centerY};
    CircleModel model{Point{0.0, 0.0}, params.radius};
    std::vector<cgeom_caliperResult> results;
    cgeom_circle fitted{};
    status = searchAndFit(image, circleCalipers(params, count), edgeParams, scoreParams, capacity, origin, CircleGeometry{}, params.fit, model, results, fitted.fit);
    if (status != CGEOM_STATUS_OK) return status;
    fitted.center = cedge_point{origin.x + model.center.x, origin.y + model.center.y};
    fitted.radius = trueRadius(model.radius, params.calipers.thickness);
    std::copy(results.begin(), results.end(), out);
    circle = fitted;
    return CGEOM_STATUS_OK;
}

}  // namespace

}  // namespace cgeom

extern "C" {

int32_t cgeom_lineParams_init(cgeom_lineParams* params) {
    if (params == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    *params = cgeom_lineParams{0.0, 0.0, 0.0, 0.0, cgeom::defaultCalipers(10), cgeom::defaultFit()};
    return CGEOM_STATUS_OK;
}

int32_t cgeom_circleParams_init(cgeom_circleParams* params) {
    if (params == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    *params = cgeom_circleParams{0.0, 0.0, 0.0, 0.0, 360.0, cgeom::defaultCalipers(16),
                                 cgeom::defaultFit()};
    return CGEOM_STATUS_OK;
}

int32_t cgeom_lineCaliperCount(const cgeom_lineParams* params, int32_t* count) {
    if (params == nullptr || count == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    int32_t checked = 0;
    const int32_t status = cgeom::checkLine(*params, checked);
    if (status == CGEOM_STATUS_OK) *count = checked;
    return status;
}

int32_t cgeom_circleCaliperCount(const cgeom_circleParams* params, int32_t* count) {
    if (params == nullptr || count == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    int32_t checked = 0;
    const int32_t status = cgeom::checkCircle(*params, checked);
    if (status == CGEOM_STATUS_OK) *count = checked;
    return status;
}

int32_t cgeom_findLine(const cedge_image* image, const cgeom_lineParams* params,
                       const cedge_params* edgeParams, const cclp_scoreParams* scoreParams,
                       cgeom_line* line, cgeom_caliperResult* results, int32_t capacity) {
    const int32_t status = cgeom::checkCommon(image, params, edgeParams, scoreParams, line, results);
    if (status != CGEOM_STATUS_OK) return status;
    return cedge::statusOf([&] {
        return cgeom::findLine(*image, *params, *edgeParams, *scoreParams, *line, results, capacity);
    });
}

int32_t cgeom_findCircle(const cedge_image* image, const cgeom_circleParams* params,
                         const cedge_params* edgeParams, const cclp_scoreParams* scoreParams,
                         cgeom_circle* circle, cgeom_caliperResult* results, int32_t capacity) {
    const int32_t status = cgeom::checkCommon(image, params, edgeParams, scoreParams, circle, results);
    if (status != CGEOM_STATUS_OK) return status;
    return cedge::statusOf([&] {
        return cgeom::findCircle(*image, *params, *edgeParams, *scoreParams, *circle, results,
                                 capacity);
    });
}

}  // extern "C"
