// The image around the caliper: its gray pixels as small squares, the
// caliper's rectangle, every found edge as a line across it (colour by
// polarity) and the rank-1 candidate's edges underlaid broad, with the
// caliper and the search settings written beside it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "plot/plot_parts.hpp"

namespace cclp_cli::plot {
namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
constexpr std::string_view kCaliperColour = "#ffbf00";

std::string grayFill(uint8_t gray) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "fill=\"#%02x%02x%02x\"", gray, gray, gray);
    return buffer;
}

// Image coordinates to page coordinates: the region's left/top pixel edge
// at the box's corner, `scale` page units per image pixel.
struct ImageToPage {
    double originX, originY, scale;
    Point operator()(double x, double y) const { return {originX + x * scale, originY + y * scale}; }
};

// A point of the caliper: `along` pixels from its centre in the search
// direction, `across` pixels across it.
Point onCaliper(const ImageCaliper& caliper, double along, double across) {
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

void drawAcross(SvgCanvas& canvas, const ImageCaliper& caliper, const ImageToPage& page,
                double position, const std::string& style) {
    const double reach = caliper.thickness / 2.0 + 3.0;
    const auto [x1, y1] = onCaliper(caliper, position, -reach);
    const auto [x2, y2] = onCaliper(caliper, position, reach);
    const auto [pageX1, pageY1] = page(x1, y1);
    const auto [pageX2, pageY2] = page(x2, y2);
    canvas.line(pageX1, pageY1, pageX2, pageY2, style);
}

void drawCaliper(SvgCanvas& canvas, const ImageCaliper& caliper, const ImageToPage& page) {
    const double halfLength = caliper.length / 2.0;
    const double halfThickness = caliper.thickness / 2.0;
    std::vector<Point> corners;
    for (const auto& [along, across] : {std::pair{-halfLength, -halfThickness},
                                        {halfLength, -halfThickness},
                                        {halfLength, halfThickness},
                                        {-halfLength, halfThickness},
                                        {-halfLength, -halfThickness}}) {
        const auto [x, y] = onCaliper(caliper, along, across);
        corners.push_back(page(x, y));
    }
    canvas.polyline(corners, "stroke=\"" + std::string(kCaliperColour) +
                                 "\" stroke-width=\"1.5\"");
    // The search direction: a dot where the positions start.
    const auto [startX, startY] = onCaliper(caliper, -halfLength, 0.0);
    const auto [dotX, dotY] = page(startX, startY);
    canvas.circle(dotX, dotY, 3.0, "fill=\"" + std::string(kCaliperColour) + "\"");
}

std::vector<std::string> captionLines(const Recording& job, const RunOutcome& outcome) {
    const ImageCaliper& image = *job.image;
    std::vector<std::string> lines{
        "image " + image.file,
        "caliper at (" + compact(image.centerX, 6) + ", " + compact(image.centerY, 6) + "), " +
            compact(image.angle, 6) + " degrees, " + compact(image.length, 6) + " x " +
            compact(image.thickness, 6) + " px",
        "sigma " + compact(image.sigma) + " px, min contrast " + compact(image.minContrast),
        std::to_string(job.edges.size()) + " edges found"};
    if (!outcome.results.empty() && outcome.results[0].edges.size() == 2) {
        const ScoredResult& best = outcome.results[0];
        lines.push_back("rank 1: " + compact(best.edgeValue(0).position, 6) + " to " +
                        compact(best.edgeValue(1).position, 6) + ", width " +
                        compact(best.edgeValue(1).position - best.edgeValue(0).position, 6) + " px");
    } else if (!outcome.results.empty()) {
        lines.push_back("rank 1: edge at " + compact(outcome.results[0].edgeValue(0).position, 6));
    }
    return lines;
}

}  // namespace

void drawImageRegion(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome,
                     const ImageRegion& region, Box box) {
    const ImageCaliper& caliper = *job.image;
    const double imageWidth = static_cast<double>(region.columns * region.cellSize);
    const double imageHeight = static_cast<double>(region.rows * region.cellSize);
    const double scale = std::min(box.height / imageHeight, box.width / 2.0 / imageWidth);
    const ImageToPage page{box.x - (region.left - 0.5) * scale, box.y - (region.top - 0.5) * scale,
                           scale};
    drawPixels(canvas, region, page);
    if (!outcome.results.empty()) {
        const std::string broad =
            "stroke=\"" +
            std::string(hasAcceptableCandidate(outcome) ? colour::winner : colour::warning) +
            "\" stroke-width=\"5\" stroke-opacity=\"0.7\"";
        for (std::size_t k = 0; k < outcome.results[0].edges.size(); ++k)
            drawAcross(canvas, caliper, page, outcome.results[0].edgeValue(k).position, broad);
    }
    for (const Edge& edge : job.edges) {
        const std::string_view paint = edge.contrast >= 0.0 ? colour::positive : colour::negative;
        drawAcross(canvas, caliper, page, edge.position,
                   "stroke=\"" + std::string(paint) + "\" stroke-width=\"2\"");
    }
    drawCaliper(canvas, caliper, page);
    double y = box.y + 14.0;
    const double textX = box.x + imageWidth * scale + 20.0;
    for (const std::string& line : captionLines(job, outcome)) {
        canvas.text(textX, y, line, textStyle(11.5, colour::ink));
        y += 17.0;
    }
}

}  // namespace cclp_cli::plot
