// `cclp-score line` and `cclp-score circle`: the settings from a document
// and the command line, the geometry tool's call on the image, the report
// and the plot.
#pragma once

#include <iosfwd>
#include <string>

#include "cclp_score_cli/geometry_options.hpp"

namespace cclp_cli {

// Prints the report (or the plot, with "--plot -") to `out` once the call
// is done; returns the exit status. `inputName` receives the document's
// name for messages about it. Throws InputError, UsageError or RunError.
int runGeometry(const GeometryOptions& options, std::ostream& out, std::string& inputName);

}  // namespace cclp_cli
