#include "geometry.hpp"

#include <cmath>
#include <cstddef>

namespace cedge {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Byte count of a row of pixels, in 64 bits so that it cannot overflow.
uint64_t rowBytes(const cedge_image& image) {
    return static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.bitsPerPixel / 8);
}

// cos and sin of an angle in degrees, exact at multiples of 90 degrees, so
// that an axis-aligned caliper samples exactly on its axis.
void directionOf(double degrees, double& cosine, double& sine) {
    const double reduced = std::remainder(degrees, 360.0);
    const double quarter = reduced / 90.0;
    if (quarter == std::nearbyint(quarter)) {
        static const double kCos[] = {1.0, 0.0, -1.0, 0.0};
        const auto index = static_cast<int>(std::nearbyint(quarter) + 4.0) % 4;
        cosine = kCos[index];
        sine = kCos[(index + 3) % 4];
        return;
    }
    const double radians = reduced * (kPi / 180.0);
    cosine = std::cos(radians);
    sine = std::sin(radians);
}

}  // namespace

int32_t checkImage(const cedge_image& image) noexcept {
    if (image.pixels == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (image.width <= 0 || image.height <= 0) return CEDGE_STATUS_IMAGE_SIZE_NOT_VALID;
    if (image.bitsPerPixel != 8 && image.bitsPerPixel != 16) {
        return CEDGE_STATUS_PIXEL_DEPTH_NOT_VALID;
    }
    if (image.strideBytes < 0 || static_cast<uint64_t>(image.strideBytes) < rowBytes(image)) {
        return CEDGE_STATUS_STRIDE_TOO_SMALL;
    }
    const uint64_t needed =
        static_cast<uint64_t>(image.height - 1) * static_cast<uint64_t>(image.strideBytes) +
        rowBytes(image);
    if (static_cast<uint64_t>(image.bufferBytes) < needed) return CEDGE_STATUS_BUFFER_TOO_SMALL;
    return CEDGE_STATUS_OK;
}

int32_t checkCaliper(const cedge_caliper& caliper) noexcept {
    if (!std::isfinite(caliper.centerX) || !std::isfinite(caliper.centerY)) {
        return CEDGE_STATUS_CENTER_NOT_VALID;
    }
    if (!std::isfinite(caliper.angle)) return CEDGE_STATUS_ANGLE_NOT_VALID;
    // Written so that NaN fails the test.
    if (!(caliper.length >= CEDGE_LENGTH_MIN && caliper.length <= CEDGE_LENGTH_MAX)) {
        return CEDGE_STATUS_LENGTH_NOT_VALID;
    }
    if (!(caliper.thickness >= 0.0 && caliper.thickness <= CEDGE_THICKNESS_MAX)) {
        return CEDGE_STATUS_THICKNESS_NOT_VALID;
    }
    return CEDGE_STATUS_OK;
}

Grid gridOf(const cedge_caliper& caliper) noexcept {
    Grid grid;
    grid.centerX = caliper.centerX;
    grid.centerY = caliper.centerY;
    directionOf(caliper.angle, grid.alongX, grid.alongY);
    grid.acrossX = -grid.alongY;
    grid.acrossY = grid.alongX;
    grid.halfAlong = static_cast<int32_t>(std::floor(caliper.length / 2.0));
    grid.halfAcross = static_cast<int32_t>(std::floor(caliper.thickness / 2.0));
    return grid;
}

}  // namespace cedge
