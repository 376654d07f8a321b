#include "cclp_score_cli/image_edges.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "cclp_score_cli/exit_status.hpp"
#include "cedge/cedge.hpp"

namespace cclp_cli {
namespace {

constexpr int32_t kMaxRegionCells = 64;  // cells along the longer side of the crop

// Image pixels shown around the caliper: a quarter of its length, for context.
double regionMargin(const ImageCaliper& caliper) { return std::max(4.0, caliper.length / 4.0); }

// The option a refusal of the edge finder is about.
std::string refusedOption(int32_t status) {
    switch (status) {
        case CEDGE_STATUS_SIGMA_NOT_VALID:
            return "--sigma";
        case CEDGE_STATUS_MIN_CONTRAST_NOT_VALID:
            return "--min-contrast";
        case CEDGE_STATUS_FILE_UNREADABLE:
        case CEDGE_STATUS_FILE_NOT_IMAGE:
        case CEDGE_STATUS_FILE_FORMAT_UNSUPPORTED:
        case CEDGE_STATUS_IMAGE_SIZE_NOT_VALID:
            return "--image";
        default:
            return "--caliper";
    }
}

[[noreturn]] void refuse(const std::error_code& ec, const std::string& context) {
    throw UsageError(refusedOption(static_cast<int32_t>(ec.value())) + " " + context + ": " +
                     ec.message());
}

double pixelAt(const cedge_image& image, int32_t x, int32_t y) {
    const auto* row = static_cast<const unsigned char*>(image.pixels) +
                      static_cast<std::size_t>(y) * static_cast<std::size_t>(image.strideBytes);
    if (image.bitsPerPixel == 8) return row[x];
    uint16_t value = 0;
    std::memcpy(&value, row + 2 * static_cast<std::size_t>(x), sizeof value);
    return value / 257.0;  // 16 bits shown in 8
}

// The caliper's rectangle with a margin, clipped to the image, averaged in
// square cells so that the crop stays small.
ImageRegion cropAround(const cedge_image& image, const ImageCaliper& caliper) {
    const double radians = caliper.angle * (3.14159265358979323846 / 180.0);
    const double halfWidth = std::fabs(std::cos(radians)) * caliper.length / 2.0 +
                             std::fabs(std::sin(radians)) * caliper.thickness / 2.0;
    const double halfHeight = std::fabs(std::sin(radians)) * caliper.length / 2.0 +
                              std::fabs(std::cos(radians)) * caliper.thickness / 2.0;
    const auto clampTo = [](double value, int32_t limit) {
        return static_cast<int32_t>(std::clamp(value, 0.0, static_cast<double>(limit - 1)));
    };
    const double margin = regionMargin(caliper);
    return grayRegion(image, clampTo(std::floor(caliper.centerX - halfWidth) - margin, image.width),
                      clampTo(std::floor(caliper.centerY - halfHeight) - margin, image.height),
                      clampTo(std::ceil(caliper.centerX + halfWidth) + margin, image.width),
                      clampTo(std::ceil(caliper.centerY + halfHeight) + margin, image.height),
                      kMaxRegionCells);
}

}  // namespace

ImageRegion grayRegion(const cedge_image& image, int32_t left, int32_t top, int32_t right,
                       int32_t bottom, int32_t maxCells) {
    ImageRegion region;
    region.left = left;
    region.top = top;
    const int32_t longer = std::max(right - left, bottom - top) + 1;
    region.cellSize = (longer + maxCells - 1) / maxCells;
    region.columns = (right - left) / region.cellSize + 1;
    region.rows = (bottom - top) / region.cellSize + 1;
    for (int32_t row = 0; row < region.rows; ++row) {
        for (int32_t column = 0; column < region.columns; ++column) {
            double sum = 0.0;
            int32_t count = 0;
            for (int32_t y = top + row * region.cellSize;
                 y <= std::min(bottom, top + (row + 1) * region.cellSize - 1); ++y) {
                for (int32_t x = left + column * region.cellSize;
                     x <= std::min(right, left + (column + 1) * region.cellSize - 1); ++x) {
                    sum += pixelAt(image, x, y);
                    ++count;
                }
            }
            region.gray.push_back(static_cast<uint8_t>(std::lround(sum / count)));
        }
    }
    return region;
}

std::optional<ImageCaliper> imageCaliper(const Options& options) {
    if (!options.imagePath || !options.caliper) return std::nullopt;
    const std::array<double, 5>& geometry = *options.caliper;
    ImageCaliper caliper{*options.imagePath, geometry[0], geometry[1], geometry[2], geometry[3],
                         geometry[4]};
    const cedge::Settings defaults;
    caliper.sigma = options.sigma.value_or(defaults.c().sigma);
    caliper.minContrast = options.minContrast.value_or(defaults.c().minContrast);
    return caliper;
}

void replaceEdges(const cedge::Image& image, const ImageCaliper& caliper, Recording& job) {
    std::error_code ec;
    const cedge::Found found = cedge::findEdges(
        image.view(),
        cedge::Caliper{caliper.centerX, caliper.centerY, caliper.angle, caliper.length,
                       caliper.thickness},
        cedge::Settings().sigma(caliper.sigma).minContrast(caliper.minContrast), ec);
    if (ec) {
        refuse(ec, "in " + caliper.file + " (" + std::to_string(image.width()) + " x " +
                       std::to_string(image.height()) + " pixels)");
    }
    job.edges.clear();
    for (const cedge::Edge& edge : found.edges) job.edges.push_back({edge.position, edge.contrast});
    job.edgesHaveExtras = false;
    const double* values = found.profile.values();
    job.profile = Profile{found.profile.position(0), 1.0,
                          std::vector<double>(values, values + found.profile.size())};
    job.image = caliper;
}

cedge::Image readImage(const std::string& path) {
    std::error_code ec;
    cedge::Image image = cedge::Image::read(path, ec);
    if (ec) refuse(ec, path);
    return image;
}

ImageRegion findImageEdges(const ImageCaliper& caliper, Recording& job) {
    const cedge::Image image = readImage(caliper.file);
    replaceEdges(image, caliper, job);
    return cropAround(image.view().c(), caliper);
}

}  // namespace cclp_cli
