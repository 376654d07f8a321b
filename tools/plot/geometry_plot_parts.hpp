// Pieces of the geometry plot shared by its parts: what became of each
// caliper, its colour and words, and the drawing of the image panel and of
// the residual strip.
#pragma once

#include <string>
#include <string_view>

#include "cclp_score_cli/image_region.hpp"
#include "plot/geometry_plot.hpp"
#include "plot/plot_parts.hpp"

namespace cclp_cli::plot {

// What became of one caliper's search.
enum class CaliperState { Used, SetAside, NothingFound, OutsideImage };

CaliperState stateOf(const cgeom_caliperResult& result);
std::string_view stateColour(CaliperState state);
std::string_view stateWord(CaliperState state);

inline constexpr std::string_view kFittedColour = "#17becf";

// The call's settings as the request holds them for its kind.
const cgeom_calipers& caliperSettings(const GeometryPlotRequest& request);
const cgeom_fitParams& fitSettings(const GeometryPlotRequest& request);

// The part of the image the plot shows: every caliper and the nominal
// geometry with a margin, in cells small enough for a light document.
ImageRegion geometryRegion(const GeometryPlotRequest& request);

// The page height the region's image takes.
double geometryImageHeight(const ImageRegion& region);

// The image with the calipers, their points, the nominal and the fitted
// geometry, and the settings and the fit written beside it.
void drawGeometryImage(SvgCanvas& canvas, const GeometryPlotRequest& request,
                         const ImageRegion& region, Box box);

// Each caliper's residual as a bar, the inlier band, and the missing
// calipers marked where they stand.
inline constexpr double kResidualStripHeight = 170.0;
void drawResidualStrip(SvgCanvas& canvas, const GeometryPlotRequest& request, Box box);

}  // namespace cclp_cli::plot
