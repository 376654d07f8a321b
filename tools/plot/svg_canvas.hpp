// A small SVG writer and the axis arithmetic the plot needs.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cclp_cli {

using Point = std::pair<double, double>;

// The first line of every plot after the XML declaration; an existing file
// that carries it is a plot the tool may replace.
inline constexpr std::string_view kPlotSignature = "<!-- plot written by cclp-score -->";

class SvgCanvas {
public:
    SvgCanvas(double width, double height);

    // `style` is a list of extra attributes, written as given.
    void line(double x1, double y1, double x2, double y2, std::string_view style);
    void polyline(const std::vector<Point>& points, std::string_view style);
    void rect(double x, double y, double width, double height, std::string_view style);
    void circle(double cx, double cy, double r, std::string_view style);
    void text(double x, double y, std::string_view content, std::string_view style);

    std::string finish() const;

private:
    double width_;
    double height_;
    std::string body_;
};

// Maps an interval of values linearly onto an interval of pixels.
struct Scale {
    double lo, hi;    // values
    double from, to;  // pixels
    double operator()(double value) const;
};

// Round tick values ("nice numbers") covering [lo, hi], about `count` of them.
std::vector<double> niceTicks(double lo, double hi, int count);

// Text for an SVG element: printableText (no control character or invalid
// UTF-8 reaches the file) with XML's special characters escaped.
std::string escapeXml(std::string_view text);

}  // namespace cclp_cli
