// The whole image for the page to draw under the caliper: gray cells of at
// most kMaxImageCells along the longer side, as base64 bytes row by row.
#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

#include "cedge/cedge.hpp"

namespace cclp_tune {

inline constexpr int32_t kMaxImageCells = 512;

// {"width", "height" (in image pixels), "cellSize", "columns", "rows",
// "gray" (base64)}
nlohmann::ordered_json grayCellsJson(const cedge::Image& image);

}  // namespace cclp_tune
