// Which geometry tool: a line over a row of calipers, or a circle over a
// ring of them.
#pragma once

namespace cclp_recording {

enum class GeometryKind { Line, Circle };

}  // namespace cclp_recording
