// The command line of `cclp-score line` and `cclp-score circle`, declared
// as a table (geometry_options.cpp) that drives parsing and the help text.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cclp_score_cli/option_table.hpp"
#include "recording/geometry_kind.hpp"

namespace cclp_cli {

using cclp_recording::GeometryKind;

struct GeometryOptions {
    GeometryKind kind = GeometryKind::Line;
    std::optional<std::string> documentPath;  // a recording (its "params") or a geometry document
    std::optional<std::string> imagePath;
    std::optional<NumberList> segment;  // line: X0,Y0,X1,Y1
    std::optional<NumberList> circle;   // circle: X,Y,RADIUS
    std::optional<NumberList> arc;      // circle: START,SWEEP
    bool inward = false;
    unsigned calipers = 0;  // 0: not given
    std::optional<double> spacing;
    std::optional<NumberList> caliperSize;  // LENGTH,THICKNESS
    std::optional<std::string> weight;
    std::optional<double> inlierDistance;
    unsigned iterations = 0;  // 0: not given
    std::optional<double> sigma;
    std::optional<double> minContrast;
    bool json = false;
    std::optional<std::string> plotPath;
    bool help = false;
    std::vector<std::string_view> given;  // the options on the command line
};

// `arguments` follow the tool's name. Throws UsageError as the main
// command line does.
GeometryOptions parseGeometryOptions(GeometryKind kind, std::span<const std::string_view> arguments);
std::string geometryHelpText(GeometryKind kind);

}  // namespace cclp_cli
