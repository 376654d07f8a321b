// The plot of a line or circle tool's call, as one SVG document: the image
// around the calipers with every caliper's rectangle, its chosen point
// coloured by what became of it, the nominal and the fitted geometry, and a
// strip of the residuals, caliper by caliper. Drawn by `cclp-score line` and
// `cclp-score circle` and, from plain values, by the Python package.
//
// C++17, as the Python extension that includes it is.
#pragma once

#include <string>
#include <vector>

#include "cgeom/cgeom.h"
#include "recording/geometry_kind.hpp"

namespace cclp_cli {

using GeometryKind = cclp_recording::GeometryKind;

// One call of cgeom_findLine or cgeom_findCircle: what went in and what
// came out, as the C records hold it.
struct GeometryPlotRequest {
    // The searched image, read in place during the call (8 or 16 bits).
    cedge_image image{};
    GeometryKind kind = GeometryKind::Line;
    // The nominal geometry and the caliper and fit settings of the kind.
    cgeom_lineParams lineParams{};
    cgeom_circleParams circleParams{};
    // The call's status: 0 when it fitted, otherwise why not.
    int32_t status = 0;
    // The fit, read when status is 0.
    cgeom_line line{};
    cgeom_circle circle{};
    // One record per caliper; empty when the call wrote none.
    std::vector<cgeom_caliperResult> calipers;
    // The plot's title; empty: "line tool" or "circle tool".
    std::string description;
};

/**
 * @brief The SVG document of a line or circle tool's call.
 * @param request The call; the image's pixels are read during this call only.
 * @return The document, starting with the XML declaration and the tool's
 *         plot signature.
 * @throws std::invalid_argument naming the field for an image the edge
 *         finder would refuse (no pixels, sizes not positive, a stride or
 *         buffer too small, a depth other than 8 or 16 bits).
 */
std::string geometryPlotOf(const GeometryPlotRequest& request);

}  // namespace cclp_cli
