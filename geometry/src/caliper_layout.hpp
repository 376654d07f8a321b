// Where the calipers of a line or circle tool go: the checks of the tools'
// parameters and the calipers they describe.
#ifndef CGEOM_CALIPER_LAYOUT_HPP
#define CGEOM_CALIPER_LAYOUT_HPP

#include <cstdint>
#include <vector>

#include "cgeom/cgeom.h"

namespace cgeom {

// 0 or the status naming the first bad field, in the order of the fields;
// count receives K.
int32_t checkLine(const cgeom_lineParams& params, int32_t& count) noexcept;
int32_t checkCircle(const cgeom_circleParams& params, int32_t& count) noexcept;

// The calipers of checked parameters.
std::vector<cedge_caliper> lineCalipers(const cgeom_lineParams& params, int32_t count);
std::vector<cedge_caliper> circleCalipers(const cgeom_circleParams& params, int32_t count);

}  // namespace cgeom

#endif
