#include "plot/svg_canvas.hpp"

#include <cmath>
#include <cstdio>

#include "cclp_score_cli/printable_text.hpp"

namespace cclp_cli {
namespace {

std::string num(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

}  // namespace

std::string escapeXml(std::string_view text) {
    std::string escaped;
    for (char c : printableText(text)) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

SvgCanvas::SvgCanvas(double width, double height) : width_(width), height_(height) {}

void SvgCanvas::line(double x1, double y1, double x2, double y2, std::string_view style) {
    body_ += "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" +
             num(y2) + "\" " + std::string(style) + "/>\n";
}

void SvgCanvas::polyline(const std::vector<Point>& points, std::string_view style) {
    body_ += "<polyline fill=\"none\" points=\"";
    for (const auto& [x, y] : points) body_ += num(x) + "," + num(y) + " ";
    body_ += "\" " + std::string(style) + "/>\n";
}

void SvgCanvas::rect(double x, double y, double width, double height, std::string_view style) {
    body_ += "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(width) +
             "\" height=\"" + num(height) + "\" " + std::string(style) + "/>\n";
}

void SvgCanvas::circle(double cx, double cy, double r, std::string_view style) {
    body_ += "<circle cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" r=\"" + num(r) + "\" " +
             std::string(style) + "/>\n";
}

void SvgCanvas::text(double x, double y, std::string_view content, std::string_view style) {
    body_ += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" " + std::string(style) + ">" +
             escapeXml(content) + "</text>\n";
}

std::string SvgCanvas::finish() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + std::string(kPlotSignature) +
           "\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           num(width_) + "\" height=\"" + num(height_) + "\" viewBox=\"0 0 " + num(width_) + " " +
           num(height_) +
           "\" font-family=\"DejaVu Sans, Liberation Sans, Arial, sans-serif\">\n"
           "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n" +
           body_ + "</svg>\n";
}

double Scale::operator()(double value) const {
    return from + (value - lo) / (hi - lo) * (to - from);
}

std::vector<double> niceTicks(double lo, double hi, int count) {
    const double span = hi - lo;
    if (!(span > 0.0) || count < 1) return {lo};
    const double rough = span / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = factor * magnitude;
        if (step >= rough) break;
    }
    std::vector<double> ticks;
    // Multiples of the step, computed each from its index so that no
    // rounding error accumulates.
    for (double index = std::ceil(lo / step); index * step <= hi + step * 1e-9; index += 1.0) {
        ticks.push_back(index == 0.0 ? 0.0 : index * step);
    }
    return ticks;
}

}  // namespace cclp_cli
