// A run described by plain values, as a caller outside the tool holds one
// (the Python package's results carry theirs), and its plot. The run is
// scored again through the tool's own path, so that the plot shows exactly
// what `cclp-score --plot` shows for the same recording.
//
// C++17, as the Python extension that includes it is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.hpp"

namespace cclp_cli {

// The caliper's projection, sampled at start, start + step, ...
struct PlotProfile {
    double start = 0.0;
    double step = 1.0;
    std::vector<double> values;
};

struct PlotRequest {
    std::vector<double> positions;
    std::vector<double> contrasts;
    std::vector<std::array<double, 3>> extras;  // empty: the run is not an extended one
    std::vector<cclp_desiredEdge> desired;      // one, or two for pairs
    std::vector<cclp::score::Method> methods;
    int32_t maxResults = 1;
    bool sort = true;
    uint32_t formats = CCLP_FORMAT_DOUBLE;
    std::string description;
    std::optional<PlotProfile> profile;
};

// The plot's SVG document. Throws std::invalid_argument naming the value
// for a request the tool would refuse (columns of different lengths, a
// method that does not suit the edge model, a setting the library
// refuses), std::runtime_error when the run fails.
std::string plotOf(const PlotRequest& request);

}  // namespace cclp_cli
