#include "plot/image_drawing.hpp"

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cclp_score_cli/text_format.hpp"

namespace cclp_cli::plot {
namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

std::string grayFill(uint8_t gray) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "fill=\"#%02x%02x%02x\"", gray, gray, gray);
    return buffer;
}

}  // namespace

ImageToPage regionOnPage(const ImageRegion& region, double x, double y, double scale) {
    return {x - (region.left - 0.5) * scale, y - (region.top - 0.5) * scale, scale};
}

cedge_point onCaliper(const cedge_caliper& caliper, double along, double across) {
    const double c = std::cos(caliper.angle * kDegrees);
    const double s = std::sin(caliper.angle * kDegrees);
    return {caliper.centerX + along * c - across * s, caliper.centerY + along * s + across * c};
}

void drawPixels(SvgCanvas& canvas, const ImageRegion& region, const ImageToPage& page) {
    const double side = region.cellSize * page.scale;
    for (int32_t row = 0; row < region.rows; ++row) {
        for (int32_t column = 0; column < region.columns; ++column) {
            const auto [x, y] = page(region.left + column * region.cellSize - 0.5,
                                     region.top + row * region.cellSize - 0.5);
            // A little overlap hides the seams that anti-aliasing leaves.
            canvas.rect(x, y, side + 0.4, side + 0.4,
                        grayFill(region.gray[static_cast<std::size_t>(row * region.columns + column)]));
        }
    }
}

void drawCaliperOutline(SvgCanvas& canvas, const cedge_caliper& caliper, const ImageToPage& page,
                        std::string_view stroke, double width) {
    const double halfLength = caliper.length / 2.0;
    const double halfThickness = caliper.thickness / 2.0;
    std::vector<Point> corners;
    for (const auto& [along, across] : {std::pair{-halfLength, -halfThickness},
                                        {halfLength, -halfThickness},
                                        {halfLength, halfThickness},
                                        {-halfLength, halfThickness},
                                        {-halfLength, -halfThickness}}) {
        corners.push_back(page(onCaliper(caliper, along, across)));
    }
    const std::string colour(stroke);
    canvas.polyline(corners, "stroke=\"" + colour + "\" stroke-width=\"" + compact(width) + "\"");
    const auto [dotX, dotY] = page(onCaliper(caliper, -halfLength, 0.0));
    canvas.circle(dotX, dotY, width + 1.5, "fill=\"" + colour + "\"");
}

}  // namespace cclp_cli::plot
