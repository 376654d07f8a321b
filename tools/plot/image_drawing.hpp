// Drawing on a crop of the image: its gray cells, and calipers and points
// given in image coordinates, mapped onto the page.
#pragma once

#include <string_view>

#include "cclp_score_cli/image_region.hpp"
#include "cedge/cedge.h"
#include "plot/svg_canvas.hpp"

namespace cclp_cli::plot {

// Image coordinates to page coordinates: `scale` page units per image pixel.
struct ImageToPage {
    double originX, originY, scale;
    Point operator()(double x, double y) const { return {originX + x * scale, originY + y * scale}; }
    Point operator()(const cedge_point& point) const { return (*this)(point.x, point.y); }
};

// The mapping that puts the region's top left pixel edge at (x, y) with
// `scale` page units per image pixel.
ImageToPage regionOnPage(const ImageRegion& region, double x, double y, double scale);

// The image point `along` pixels from the caliper's centre in its search
// direction and `across` pixels across it.
cedge_point onCaliper(const cedge_caliper& caliper, double along, double across);

void drawPixels(SvgCanvas& canvas, const ImageRegion& region, const ImageToPage& page);

// The caliper's rectangle in `stroke`, with a dot where its positions start.
void drawCaliperOutline(SvgCanvas& canvas, const cedge_caliper& caliper, const ImageToPage& page,
                        std::string_view stroke, double width);

}  // namespace cclp_cli::plot
