// The geometry plot's page: a header that says what was fitted (or why
// nothing was), a legend, the image panel and the residual strip.
#include "plot/geometry_plot.hpp"

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

#include "cclp_score_cli/text_format.hpp"
#include "cgeom/cgeom.hpp"
#include "plot/geometry_plot_parts.hpp"

namespace cclp_cli {
namespace plot {

CaliperState stateOf(const cgeom_caliperResult& result) {
    if (result.status != 0) return CaliperState::OutsideImage;
    if (result.found == 0) return CaliperState::NothingFound;
    return result.used != 0 ? CaliperState::Used : CaliperState::SetAside;
}

std::string_view stateColour(CaliperState state) {
    switch (state) {
        case CaliperState::Used:
            return colour::winner;
        case CaliperState::SetAside:
            return colour::warning;
        case CaliperState::NothingFound:
            return colour::other;
        case CaliperState::OutsideImage:
            break;
    }
    return colour::negative;
}

std::string_view stateWord(CaliperState state) {
    switch (state) {
        case CaliperState::Used:
            return "used";
        case CaliperState::SetAside:
            return "set aside";
        case CaliperState::NothingFound:
            return "nothing found";
        case CaliperState::OutsideImage:
            break;
    }
    return "outside the image";
}

const cgeom_calipers& caliperSettings(const GeometryPlotRequest& request) {
    return request.kind == GeometryKind::Line ? request.lineParams.calipers
                                              : request.circleParams.calipers;
}

const cgeom_fitParams& fitSettings(const GeometryPlotRequest& request) {
    return request.kind == GeometryKind::Line ? request.lineParams.fit : request.circleParams.fit;
}

namespace {

constexpr double kHeaderHeight = 112.0;

[[noreturn]] void refuseImage(const std::string& field, const std::string& reason) {
    throw std::invalid_argument("image." + field + ": " + reason);
}

void checkImage(const cedge_image& image) {
    if (image.pixels == nullptr) refuseImage("pixels", "null");
    if (image.width <= 0 || image.height <= 0) {
        refuseImage(image.width <= 0 ? "width" : "height", "not positive");
    }
    if (image.bitsPerPixel != 8 && image.bitsPerPixel != 16) refuseImage("bitsPerPixel", "not 8 or 16");
    const auto rowBytes = static_cast<unsigned long long>(image.width) *
                          static_cast<unsigned long long>(image.bitsPerPixel / 8);
    if (image.strideBytes < 0 || static_cast<unsigned long long>(image.strideBytes) < rowBytes) {
        refuseImage("strideBytes", "smaller than a row");
    }
    const unsigned long long needed =
        static_cast<unsigned long long>(image.height - 1) *
            static_cast<unsigned long long>(image.strideBytes) +
        rowBytes;
    if (image.bufferBytes < needed) refuseImage("bufferBytes", "smaller than the image");
}

std::string weightName(int32_t weight) {
    switch (weight) {
        case cgeom_weightTukey:
            return "Tukey weights";
        case cgeom_weightHuber:
            return "Huber weights";
        default:
            return "plain least squares";
    }
}

std::string settingsLine(const GeometryPlotRequest& request) {
    const cgeom_calipers& calipers = caliperSettings(request);
    const cgeom_fitParams& fit = fitSettings(request);
    std::string line = request.kind == GeometryKind::Line ? "line tool: " : "circle tool: ";
    line += calipers.count > 0 ? std::to_string(calipers.count) + " calipers"
                               : "calipers " + compact(calipers.spacing, 6) + " px apart";
    line += " of " + compact(calipers.length, 6) + " x " + compact(calipers.thickness, 6) + " px";
    if (request.kind == GeometryKind::Circle) {
        line += (calipers.flags & CGEOM_SEARCH_INWARD) != 0u ? ", searching inward" : ", searching outward";
    }
    return line + "; " + weightName(fit.weight) + ", inlier distance " +
           compact(fit.inlierDistance, 6) + " px";
}

std::string fittedText(const GeometryPlotRequest& request) {
    if (request.kind == GeometryKind::Line) {
        const cgeom_line& line = request.line;
        return "line at " + decimals(line.angle, 4) + " degrees through (" +
               decimals(line.point.x, 3) + ", " + decimals(line.point.y, 3) + ")";
    }
    const cgeom_circle& circle = request.circle;
    return "circle centred at (" + decimals(circle.center.x, 3) + ", " +
           decimals(circle.center.y, 3) + "), radius " + decimals(circle.radius, 3);
}

std::string verdictText(const GeometryPlotRequest& request) {
    if (request.status < 0) return "no fit: " + cgeom::statusText(request.status);
    const cgeom_fitSummary& fit =
        request.kind == GeometryKind::Line ? request.line.fit : request.circle.fit;
    return fittedText(request) + "; RMS " + decimals(fit.rms, 4) + " px; " +
           std::to_string(fit.numUsed) + " of " + std::to_string(fit.numCalipers) + " calipers used";
}

void drawLegend(SvgCanvas& canvas, double y) {
    double x = kMargin;
    const auto entry = [&](std::string_view paint, std::string_view label, bool dashed) {
        const std::string stroke = "stroke=\"" + std::string(paint) + "\" stroke-width=\"2.5\"";
        if (dashed) {
            canvas.line(x, y - 4.0, x + 18.0, y - 4.0, stroke + " stroke-dasharray=\"4 3\"");
        } else {
            canvas.line(x, y - 4.0, x + 18.0, y - 4.0, stroke);
        }
        canvas.text(x + 22.0, y, label, textStyle(10.5, colour::faint));
        x += 40.0 + 6.2 * static_cast<double>(label.size());
    };
    for (CaliperState state : {CaliperState::Used, CaliperState::SetAside, CaliperState::NothingFound,
                               CaliperState::OutsideImage}) {
        entry(stateColour(state), stateWord(state), false);
    }
    entry(colour::desired, "nominal", true);
    entry(kFittedColour, "fitted", false);
}

void drawHeader(SvgCanvas& canvas, const GeometryPlotRequest& request) {
    const std::string title = request.description.empty()
                                  ? (request.kind == GeometryKind::Line ? "line tool" : "circle tool")
                                  : request.description;
    canvas.text(kMargin, 30.0, title, textStyle(16, colour::ink, "start", true));
    canvas.text(kMargin, 50.0, settingsLine(request), textStyle(11.5, colour::faint));
    canvas.text(kMargin, 70.0, verdictText(request),
                textStyle(12.5, request.status < 0 ? colour::warning : colour::winner, "start", true));
    drawLegend(canvas, 92.0);
}

}  // namespace
}  // namespace plot

std::string geometryPlotOf(const GeometryPlotRequest& request) {
    using namespace plot;
    checkImage(request.image);
    const ImageRegion region = geometryRegion(request);
    const double contentWidth = kPageWidth - 2.0 * kMargin;
    const double imageHeight = geometryImageHeight(region);
    const double stripTop = kHeaderHeight + imageHeight + 20.0;
    SvgCanvas canvas(kPageWidth, stripTop + kResidualStripHeight + kMargin);
    drawHeader(canvas, request);
    drawGeometryImage(canvas, request, region, {kMargin, kHeaderHeight, contentWidth, imageHeight});
    drawResidualStrip(canvas, request, {kMargin, stripTop, contentWidth, kResidualStripHeight});
    return canvas.finish();
}

}  // namespace cclp_cli
