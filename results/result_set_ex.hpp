// Conversion of a caliper result set to the extended form at a chosen
// projection scale; the vector conversion brings every element to one scale.
#pragma once

#include <cstdint>

#include "cclp_score/cclp_result_set_ex.h"

namespace cclp {

// Makes `destination` the extended form of `source` with projectionScale
// `targetScale`. When the source's projection follows its scale
// (projectionScaling nonzero) and that scale differs from the target, the
// first row of the copied projection is multiplied by the target, keeping the
// low 32 bits of each product. A failure leaves the destination with its
// counts, formats, projectionScaling and auxValue 0, destructible.
int32_t assignToExScaled(cclp_resultSetEx& destination, uint32_t targetScale,
                         const cclp_resultSet& source);

}  // namespace cclp
