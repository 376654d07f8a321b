#include "caliper_layout.hpp"

#include <cmath>

namespace cgeom {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 180.0 / kPi;

int32_t checkFit(const cgeom_fitParams& fit) {
    const bool weightKnown = fit.weight >= cgeom_weightTukey && fit.weight <= cgeom_weightNone;
    // Written so that NaN fails the test.
    const bool distanceValid = fit.inlierDistance > 0.0 && std::isfinite(fit.inlierDistance);
    if (!weightKnown || !distanceValid || fit.maxIterations < 1 || fit.maxIterations > 100) {
        return CGEOM_STATUS_FIT_SETTINGS_NOT_VALID;
    }
    return CGEOM_STATUS_OK;
}

// The caliper's size by the edge finder's limits, then K for an extent of
// `extent` pixels along the segment or arc.
int32_t checkCalipers(const cgeom_calipers& calipers, uint32_t knownFlags, double extent,
                      int32_t& count) {
    if ((calipers.flags & ~knownFlags) != 0) return CGEOM_STATUS_SEARCH_NOT_VALID;
    if (!(calipers.length >= CEDGE_LENGTH_MIN && calipers.length <= CEDGE_LENGTH_MAX)) {
        return CEDGE_STATUS_LENGTH_NOT_VALID;
    }
    if (!(calipers.thickness >= 0.0 && calipers.thickness <= CEDGE_THICKNESS_MAX)) {
        return CEDGE_STATUS_THICKNESS_NOT_VALID;
    }
    if (calipers.count < 0 || calipers.count > CGEOM_CALIPERS_MAX) {
        return CGEOM_STATUS_CALIPER_COUNT_NOT_VALID;
    }
    if (calipers.count > 0) {
        count = calipers.count;
        return CGEOM_STATUS_OK;
    }
    if (!(calipers.spacing > 0.0 && std::isfinite(calipers.spacing))) {
        return CGEOM_STATUS_CALIPER_COUNT_NOT_VALID;
    }
    const double fitting = std::floor(extent / calipers.spacing);
    if (!(fitting <= CGEOM_CALIPERS_MAX)) return CGEOM_STATUS_CALIPER_COUNT_NOT_VALID;
    count = fitting < 1.0 ? 1 : static_cast<int32_t>(fitting);
    return CGEOM_STATUS_OK;
}

double segmentLength(const cgeom_lineParams& params) {
    return std::hypot(params.endX - params.startX, params.endY - params.startY);
}

double arcLength(const cgeom_circleParams& params) {
    return std::fabs(params.sweep) / kDegrees * params.radius;
}

// The share of the extent at which caliper i of count is centred.
double shareOf(int32_t i, int32_t count) { return (i + 0.5) / count; }

}  // namespace

int32_t checkLine(const cgeom_lineParams& params, int32_t& count) noexcept {
    if (!std::isfinite(params.startX) || !std::isfinite(params.startY) ||
        !std::isfinite(params.endX) || !std::isfinite(params.endY)) {
        return CGEOM_STATUS_SEGMENT_NOT_VALID;
    }
    const double length = segmentLength(params);
    if (!(length >= 1.0)) return CGEOM_STATUS_SEGMENT_TOO_SHORT;
    const int32_t status = checkCalipers(params.calipers, 0u, length, count);
    return status != CGEOM_STATUS_OK ? status : checkFit(params.fit);
}

int32_t checkCircle(const cgeom_circleParams& params, int32_t& count) noexcept {
    if (!std::isfinite(params.centerX) || !std::isfinite(params.centerY)) {
        return CGEOM_STATUS_CENTER_NOT_VALID;
    }
    if (!(params.radius >= 1.0 && std::isfinite(params.radius))) {
        return CGEOM_STATUS_RADIUS_NOT_VALID;
    }
    if (!std::isfinite(params.startAngle) || !(std::fabs(params.sweep) <= 360.0) ||
        params.sweep == 0.0) {
        return CGEOM_STATUS_ARC_NOT_VALID;
    }
    const int32_t status =
        checkCalipers(params.calipers, CGEOM_SEARCH_INWARD, arcLength(params), count);
    return status != CGEOM_STATUS_OK ? status : checkFit(params.fit);
}

std::vector<cedge_caliper> lineCalipers(const cgeom_lineParams& params, int32_t count) {
    const double dx = params.endX - params.startX;
    const double dy = params.endY - params.startY;
    // Across the segment: its direction turned by +90 degrees.
    const double angle = std::atan2(dy, dx) * kDegrees + 90.0;
    std::vector<cedge_caliper> calipers(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const double share = shareOf(i, count);
        calipers[static_cast<std::size_t>(i)] =
            cedge_caliper{params.startX + share * dx, params.startY + share * dy, angle,
                          params.calipers.length, params.calipers.thickness};
    }
    return calipers;
}

std::vector<cedge_caliper> circleCalipers(const cgeom_circleParams& params, int32_t count) {
    const bool inward = (params.calipers.flags & CGEOM_SEARCH_INWARD) != 0;
    std::vector<cedge_caliper> calipers(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const double angle = params.startAngle + shareOf(i, count) * params.sweep;
        const double radians = angle / kDegrees;
        calipers[static_cast<std::size_t>(i)] =
            cedge_caliper{params.centerX + params.radius * std::cos(radians),
                          params.centerY + params.radius * std::sin(radians),
                          inward ? angle + 180.0 : angle, params.calipers.length,
                          params.calipers.thickness};
    }
    return calipers;
}

}  // namespace cgeom
