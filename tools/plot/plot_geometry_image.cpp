// The geometry plot's image panel: the gray region around the calipers,
// every caliper's rectangle and chosen point coloured by what became of it,
// the nominal geometry dashed, the fitted geometry, and beside it the
// settings and the fit in words.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "cclp_score_cli/text_format.hpp"
#include "plot/geometry_plot_parts.hpp"
#include "plot/image_drawing.hpp"

namespace cclp_cli::plot {
namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
constexpr int32_t kMaxCells = 64;  // along the region's longer side
constexpr double kMaxImageWidth = 600.0;
constexpr double kMaxImageHeight = 440.0;
constexpr double kRegionMargin = 4.0;  // image pixels around the calipers

std::string strokeOf(std::string_view paint, double width) {
    return "stroke=\"" + std::string(paint) + "\" stroke-width=\"" + compact(width) + "\"";
}

// Grows a box to hold the points it is shown, skipping what is not finite.
struct Extent {
    double left = std::numeric_limits<double>::infinity();
    double top = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double bottom = -std::numeric_limits<double>::infinity();

    void add(double x, double y, double reach) {
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(reach)) return;
        left = std::min(left, x - reach);
        top = std::min(top, y - reach);
        right = std::max(right, x + reach);
        bottom = std::max(bottom, y + reach);
    }
    bool empty() const { return !(left <= right); }
};

// The nominal geometry as a polyline in image coordinates.
std::vector<cedge_point> nominalPath(const GeometryPlotRequest& request) {
    if (request.kind == GeometryKind::Line) {
        const cgeom_lineParams& line = request.lineParams;
        return {{line.startX, line.startY}, {line.endX, line.endY}};
    }
    const cgeom_circleParams& circle = request.circleParams;
    const double sweep = std::clamp(circle.sweep, -360.0, 360.0);
    const int steps = std::isfinite(sweep) ? std::max(2, static_cast<int>(std::fabs(sweep) / 3.0)) : 0;
    std::vector<cedge_point> path;
    for (int k = 0; k <= steps; ++k) {
        const double angle = (circle.startAngle + sweep * k / steps) * kDegrees;
        path.push_back({circle.centerX + circle.radius * std::cos(angle),
                        circle.centerY + circle.radius * std::sin(angle)});
    }
    return path;
}

double scaleFor(const ImageRegion& region) {
    return std::min(kMaxImageWidth / (region.columns * region.cellSize),
                    kMaxImageHeight / (region.rows * region.cellSize));
}

void drawNominal(SvgCanvas& canvas, const GeometryPlotRequest& request, const ImageToPage& page) {
    std::vector<Point> points;
    for (const cedge_point& point : nominalPath(request)) {
        if (std::isfinite(point.x) && std::isfinite(point.y)) points.push_back(page(point));
    }
    canvas.polyline(points, strokeOf(colour::desired, 1.5) + " stroke-dasharray=\"6 4\"");
}

void drawFitted(SvgCanvas& canvas, const GeometryPlotRequest& request, const ImageToPage& page) {
    const std::string style = strokeOf(kFittedColour, 1.5);
    if (request.kind == GeometryKind::Circle) {
        const auto [x, y] = page(request.circle.center);
        canvas.circle(x, y, request.circle.radius * page.scale, "fill=\"none\" " + style);
        return;
    }
    // Over the nominal segment's reach, and half a caliper beyond.
    const cgeom_line& line = request.line;
    const cgeom_lineParams& nominal = request.lineParams;
    const auto along = [&](double x, double y) {
        return (x - line.point.x) * line.direction.x + (y - line.point.y) * line.direction.y;
    };
    const double a = along(nominal.startX, nominal.startY);
    const double b = along(nominal.endX, nominal.endY);
    const double reach = nominal.calipers.length / 2.0;
    const double lo = std::min(a, b) - reach;
    const double hi = std::max(a, b) + reach;
    const auto [x1, y1] = page(line.point.x + lo * line.direction.x, line.point.y + lo * line.direction.y);
    const auto [x2, y2] = page(line.point.x + hi * line.direction.x, line.point.y + hi * line.direction.y);
    canvas.line(x1, y1, x2, y2, style);
}

void drawCross(SvgCanvas& canvas, Point at, std::string_view paint) {
    const std::string style = strokeOf(paint, 2.0);
    canvas.line(at.first - 3.5, at.second - 3.5, at.first + 3.5, at.second + 3.5, style);
    canvas.line(at.first - 3.5, at.second + 3.5, at.first + 3.5, at.second - 3.5, style);
}

void drawCalipers(SvgCanvas& canvas, const GeometryPlotRequest& request, const ImageToPage& page) {
    const std::size_t count = request.calipers.size();
    const std::size_t labelEvery = std::max<std::size_t>(1, (count + 11) / 12);
    for (std::size_t i = 0; i < count; ++i) {
        const cgeom_caliperResult& result = request.calipers[i];
        const CaliperState state = stateOf(result);
        drawCaliperOutline(canvas, result.caliper, page, stateColour(state), 1.0);
        if (i % labelEvery == 0) {
            const double before = result.caliper.length / 2.0 + 9.0 / page.scale;
            const auto [x, y] = page(onCaliper(result.caliper, -before, 0.0));
            // Light on a dark outline: readable on any gray.
            canvas.text(x, y + 3.5, std::to_string(i),
                        textStyle(9.5, "white", "middle") +
                            " stroke=\"black\" stroke-width=\"2\" paint-order=\"stroke\"");
        }
    }
    for (const cgeom_caliperResult& result : request.calipers) {
        const CaliperState state = stateOf(result);
        if (result.found == 0) {
            drawCross(canvas, page(result.caliper.centerX, result.caliper.centerY), stateColour(state));
            continue;
        }
        const auto [x, y] = page(result.point);
        canvas.circle(x, y, 3.2,
                      "fill=\"" + std::string(stateColour(state)) + "\" stroke=\"white\" stroke-width=\"0.8\"");
    }
}

std::string pointText(double x, double y) { return "(" + compact(x, 6) + ", " + compact(y, 6) + ")"; }

std::vector<std::string> nominalLines(const GeometryPlotRequest& request) {
    if (request.kind == GeometryKind::Line) {
        const cgeom_lineParams& line = request.lineParams;
        return {"nominal " + pointText(line.startX, line.startY) + " to " +
                pointText(line.endX, line.endY)};
    }
    const cgeom_circleParams& circle = request.circleParams;
    std::vector<std::string> lines{"nominal centre " + pointText(circle.centerX, circle.centerY) +
                                   ", radius " + compact(circle.radius, 6)};
    if (circle.sweep != 360.0) {
        lines.push_back("arc from " + compact(circle.startAngle, 6) + " over " +
                        compact(circle.sweep, 6) + " degrees");
    }
    return lines;
}

std::vector<std::string> fitLines(const GeometryPlotRequest& request) {
    if (request.status < 0) return {"no fit"};
    if (request.kind == GeometryKind::Line) {
        const cgeom_line& line = request.line;
        return {"angle " + decimals(line.angle, 4) + " degrees",
                "through (" + decimals(line.point.x, 3) + ", " + decimals(line.point.y, 3) + ")",
                "RMS " + decimals(line.fit.rms, 4) + " px"};
    }
    const cgeom_circle& circle = request.circle;
    return {"centre (" + decimals(circle.center.x, 3) + ", " + decimals(circle.center.y, 3) + ")",
            "radius " + decimals(circle.radius, 3) + " px",
            "RMS " + decimals(circle.fit.rms, 4) + " px"};
}

void drawCaption(SvgCanvas& canvas, const GeometryPlotRequest& request, double x, double y) {
    const auto write = [&](const std::string& text, std::string_view paint) {
        canvas.text(x, y, text, textStyle(11.5, paint));
        y += 17.0;
    };
    write("image " + std::to_string(request.image.width) + " x " + std::to_string(request.image.height) +
              ", " + std::to_string(request.image.bitsPerPixel) + "-bit",
          colour::ink);
    for (const std::string& line : nominalLines(request)) write(line, colour::ink);
    y += 6.0;
    if (request.calipers.empty()) write("no caliper results", colour::warning);
    for (CaliperState state : {CaliperState::Used, CaliperState::SetAside, CaliperState::NothingFound,
                               CaliperState::OutsideImage}) {
        const auto count = std::count_if(request.calipers.begin(), request.calipers.end(),
                                         [&](const cgeom_caliperResult& r) { return stateOf(r) == state; });
        if (count > 0) write(std::string(stateWord(state)) + ": " + std::to_string(count), stateColour(state));
    }
    y += 6.0;
    for (const std::string& line : fitLines(request)) {
        write(line, request.status < 0 ? colour::warning : colour::ink);
    }
}

}  // namespace

ImageRegion geometryRegion(const GeometryPlotRequest& request) {
    const cgeom_calipers& calipers = caliperSettings(request);
    const double reach = kRegionMargin + (std::isfinite(calipers.length) ? calipers.length / 2.0 : 0.0);
    Extent extent;
    for (const cedge_point& point : nominalPath(request)) extent.add(point.x, point.y, reach);
    for (const cgeom_caliperResult& result : request.calipers) {
        for (const double along : {-0.5, 0.5}) {
            for (const double across : {-0.5, 0.5}) {
                const cedge_point corner = onCaliper(result.caliper, along * result.caliper.length,
                                                     across * result.caliper.thickness);
                extent.add(corner.x, corner.y, kRegionMargin);
            }
        }
    }
    if (extent.empty()) extent = {0.0, 0.0, request.image.width - 1.0, request.image.height - 1.0};
    return cropImage(request.image, {extent.left, extent.top, extent.right, extent.bottom}, kMaxCells);
}

double geometryImageHeight(const ImageRegion& region) {
    return scaleFor(region) * region.rows * region.cellSize;
}

void drawGeometryImage(SvgCanvas& canvas, const GeometryPlotRequest& request,
                       const ImageRegion& region, Box box) {
    const double scale = scaleFor(region);
    const ImageToPage page = regionOnPage(region, box.x, box.y, scale);
    drawPixels(canvas, region, page);
    drawNominal(canvas, request, page);
    if (request.status >= 0) drawFitted(canvas, request, page);
    drawCalipers(canvas, request, page);
    drawCaption(canvas, request, box.x + region.columns * region.cellSize * scale + 20.0, box.y + 14.0);
}

}  // namespace cclp_cli::plot
