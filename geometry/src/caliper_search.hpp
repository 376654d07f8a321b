// Each caliper's edges, scored with the caller's parameters, and the best
// candidate as the caliper's point.
#ifndef CGEOM_CALIPER_SEARCH_HPP
#define CGEOM_CALIPER_SEARCH_HPP

#include <cstdint>
#include <vector>

#include "cgeom/cgeom.h"

namespace cgeom {

// Fills one result per caliper (caliper, status, found, position, point,
// score, numEdges). A caliper reaching outside the image is that caliper's
// status; any other refusal of the edge finder or the scoring is returned.
int32_t searchCalipers(const cedge_image& image, const std::vector<cedge_caliper>& calipers,
                       const cedge_params& edgeParams, const cclp_scoreParams& scoreParams,
                       std::vector<cgeom_caliperResult>& results);

}  // namespace cgeom

#endif
