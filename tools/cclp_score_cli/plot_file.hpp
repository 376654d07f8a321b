// Where a plot may be written. A plot never replaces an input, a device or
// any file it did not write itself, and is never left half-written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "plot/svg_canvas.hpp"

namespace cclp_cli {

// Throws UsageError when the plot may not go to `plotPath` ("-" is standard
// output): a name not ending in .svg, the input itself, or an existing file
// that is not a regular file holding a plot (kPlotSignature).
void checkPlotPath(const std::string& plotPath, const std::optional<std::string>& inputPath);

// Writes the plot to a new file beside the target and renames it over the
// target, so that a failed write leaves the target as it was.
void writePlotFile(const std::string& plotPath, const std::string& content);

}  // namespace cclp_cli
