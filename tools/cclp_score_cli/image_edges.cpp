#include "cclp_score_cli/image_edges.hpp"

#include <algorithm>
#include <cmath>
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

// The caliper's rectangle with a margin, clipped to the image, averaged in
// square cells so that the crop stays small.
ImageRegion cropAround(const cedge_image& image, const ImageCaliper& caliper) {
    const double radians = caliper.angle * (3.14159265358979323846 / 180.0);
    const double halfWidth = std::fabs(std::cos(radians)) * caliper.length / 2.0 +
                             std::fabs(std::sin(radians)) * caliper.thickness / 2.0;
    const double halfHeight = std::fabs(std::sin(radians)) * caliper.length / 2.0 +
                              std::fabs(std::cos(radians)) * caliper.thickness / 2.0;
    const double margin = regionMargin(caliper);
    return cropImage(image,
                     {std::floor(caliper.centerX - halfWidth) - margin,
                      std::floor(caliper.centerY - halfHeight) - margin,
                      std::ceil(caliper.centerX + halfWidth) + margin,
                      std::ceil(caliper.centerY + halfHeight) + margin},
                     kMaxRegionCells);
}

}  // namespace

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
