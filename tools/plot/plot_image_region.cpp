// The image around the caliper: its gray pixels as small squares, the
// caliper's rectangle, every found edge as a line across it (colour by
// polarity) and the rank-1 candidate's edges underlaid broad, with the
// caliper and the search settings written beside it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cclp_score_cli/image_points.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "plot/image_drawing.hpp"
#include "plot/plot_parts.hpp"

namespace cclp_cli::plot {
namespace {

constexpr std::string_view kCaliperColour = "#ffbf00";

cedge_caliper rectangleOf(const ImageCaliper& caliper) {
    return {caliper.centerX, caliper.centerY, caliper.angle, caliper.length, caliper.thickness};
}

void drawAcross(SvgCanvas& canvas, const cedge_caliper& caliper, const ImageToPage& page,
                double position, const std::string& style) {
    const double reach = caliper.thickness / 2.0 + 3.0;
    const auto [x1, y1] = page(onCaliper(caliper, position, -reach));
    const auto [x2, y2] = page(onCaliper(caliper, position, reach));
    canvas.line(x1, y1, x2, y2, style);
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
    if (!outcome.results.empty()) {
        if (const std::optional<cedge_point> point = imagePoint(job, outcome.results[0].positionValue())) {
            lines.push_back("rank 1 in the image: (" + compact(point->x, 6) + ", " + compact(point->y, 6) + ")");
        }
    }
    return lines;
}

}  // namespace

void drawImageRegion(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome,
                     const ImageRegion& region, Box box) {
    const cedge_caliper caliper = rectangleOf(*job.image);
    const double imageWidth = static_cast<double>(region.columns * region.cellSize);
    const double imageHeight = static_cast<double>(region.rows * region.cellSize);
    const double scale = std::min(box.height / imageHeight, box.width / 2.0 / imageWidth);
    const ImageToPage page = regionOnPage(region, box.x, box.y, scale);
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
    drawCaliperOutline(canvas, caliper, page, kCaliperColour, 1.5);
    double y = box.y + 14.0;
    const double textX = box.x + imageWidth * scale + 20.0;
    for (const std::string& line : captionLines(job, outcome)) {
        canvas.text(textX, y, line, textStyle(11.5, colour::ink));
        y += 17.0;
    }
}

}  // namespace cclp_cli::plot
