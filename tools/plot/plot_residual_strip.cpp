// The geometry plot's residual strip: one bar per caliper from zero to its
// point's signed distance from the fitted geometry, coloured by use, the
// inlier band dashed, and the calipers without a point crossed on the axis.
#include <algorithm>
#include <cmath>
#include <string>

#include "cclp_score_cli/text_format.hpp"
#include "plot/geometry_plot_parts.hpp"

namespace cclp_cli::plot {
namespace {

constexpr double kAxisWidth = 56.0;
constexpr double kBottom = 40.0;

// Half the strip's value range: the inlier band and every residual, with room.
double residualReach(const GeometryPlotRequest& request) {
    const double band = fitSettings(request).inlierDistance;
    double reach = std::isfinite(band) && band > 0.0 ? band : 0.0;
    for (const cgeom_caliperResult& result : request.calipers) {
        if (result.found != 0 && std::isfinite(result.residual)) {
            reach = std::max(reach, std::fabs(result.residual));
        }
    }
    return reach > 0.0 ? 1.15 * reach : 1.0;
}

void drawValueAxis(SvgCanvas& canvas, const Scale& value, double left, double right) {
    for (double tick : niceTicks(value.lo, value.hi, 5)) {
        canvas.line(left, value(tick), right, value(tick), "stroke=\"" + std::string(colour::grid) + "\"");
        canvas.text(left - 6.0, value(tick) + 3.5, compact(tick), textStyle(10, colour::faint, "end"));
    }
    canvas.line(left, value(0.0), right, value(0.0), "stroke=\"#444\"");
}

void drawInlierBand(SvgCanvas& canvas, const Scale& value, double band, double left, double right) {
    if (!(std::isfinite(band) && band > 0.0)) return;
    const std::string style =
        "stroke=\"" + std::string(colour::desired) + "\" stroke-dasharray=\"5 4\"";
    for (const double edge : {-band, band}) canvas.line(left, value(edge), right, value(edge), style);
    canvas.text(right - 4.0, value(band) - 4.0, "inlier distance " + compact(band, 6) + " px",
                textStyle(10, colour::desired, "end"));
}

}  // namespace

void drawResidualStrip(SvgCanvas& canvas, const GeometryPlotRequest& request, Box box) {
    canvas.text(box.x, box.y + 4.0,
                request.kind == GeometryKind::Line
                    ? "residual per caliper, px (along the search direction)"
                    : "residual per caliper, px (outside the circle positive)",
                textStyle(11.5, colour::ink, "start", true));
    const double left = box.x + kAxisWidth;
    const double right = box.x + box.width;
    const double top = box.y + 18.0;
    const double bottom = box.y + box.height - kBottom;
    const std::size_t count = request.calipers.size();
    if (count == 0) {
        canvas.text((left + right) / 2.0, (top + bottom) / 2.0,
                    "no caliper results: " + std::string(request.status < 0 ? "the call failed" : "none given"),
                    textStyle(12, colour::warning, "middle"));
        return;
    }
    const double reach = residualReach(request);
    const Scale value{-reach, reach, bottom, top};
    const Scale caliper{-0.5, static_cast<double>(count) - 0.5, left, right};
    drawValueAxis(canvas, value, left, right);
    drawInlierBand(canvas, value, fitSettings(request).inlierDistance, left, right);
    const double band = (right - left) / static_cast<double>(count);
    const double barWidth = std::min(14.0, 0.7 * band);
    const std::size_t labelEvery = std::max<std::size_t>(1, (count + 19) / 20);
    for (std::size_t i = 0; i < count; ++i) {
        const cgeom_caliperResult& result = request.calipers[i];
        const std::string paint(stateColour(stateOf(result)));
        const double x = caliper(static_cast<double>(i));
        if (result.found != 0 && std::isfinite(result.residual)) {
            const double y0 = value(0.0);
            const double y1 = value(result.residual);
            canvas.rect(x - barWidth / 2.0, std::min(y0, y1), barWidth, std::fabs(y1 - y0),
                        "fill=\"" + paint + "\"");
        } else {
            const std::string style = "stroke=\"" + paint + "\" stroke-width=\"2\"";
            canvas.line(x - 3.5, value(0.0) - 3.5, x + 3.5, value(0.0) + 3.5, style);
            canvas.line(x - 3.5, value(0.0) + 3.5, x + 3.5, value(0.0) - 3.5, style);
        }
        if (i % labelEvery == 0) {
            canvas.text(x, bottom + 15.0, std::to_string(i), textStyle(10, colour::faint, "middle"));
        }
    }
    canvas.text((left + right) / 2.0, bottom + 31.0, "caliper", textStyle(10.5, colour::faint, "middle"));
}

}  // namespace cclp_cli::plot
