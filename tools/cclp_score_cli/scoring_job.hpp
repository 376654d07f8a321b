// What one invocation scores: a recorded caliper result and the score
// parameters, as read from the input document and checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.h"

namespace cclp_cli {

// One recorded edge in caliper units; the fixed-point form is derived from it.
struct Edge {
    double position = 0.0;
    double contrast = 0.0;
    double extra1 = 0.0;
    double extra2 = 0.0;
    double extra3 = 0.0;

    bool operator==(const Edge&) const = default;
};

// The same edge in 1/256 fixed point.
struct EdgeFixed {
    int32_t position = 0;
    int32_t contrast = 0;
    int32_t extra1 = 0;
    int32_t extra2 = 0;
    int32_t extra3 = 0;

    bool operator==(const EdgeFixed&) const = default;
};

// Every value rounded by the module's rule, saturating.
EdgeFixed toFixed(const Edge& edge);
inline double fromFixed(int32_t value) { return static_cast<double>(value) / 256.0; }
Edge fromFixed(const EdgeFixed& edge);

// The caliper's projection, sampled at start, start + step, ...; drawn only.
struct Profile {
    double start = 0.0;
    double step = 1.0;
    std::vector<double> values;
};

// The winner a recording expects, for `cclp-score check`: the input indices
// of its edges, or its position within a tolerance.
struct Expectation {
    std::vector<std::size_t> edges;
    std::optional<double> position;
    double tolerance = 0.0;
};

// The caliper that found the edges in an image, and its search settings:
// kept with the edges so that a report replays without the image.
struct ImageCaliper {
    std::string file;
    double centerX = 0.0;
    double centerY = 0.0;
    double angle = 0.0;  // degrees, the search direction; clockwise on screen
    double length = 0.0;
    double thickness = 0.0;
    double sigma = 1.0;
    double minContrast = 5.0;

    bool operator==(const ImageCaliper&) const = default;
};

struct Job {
    std::string description;
    uint32_t formats = CCLP_FORMAT_DOUBLE;
    std::vector<Edge> edges;
    bool edgesHaveExtras = false;
    std::optional<Profile> profile;
    std::optional<ImageCaliper> image;  // where the edges were found, if in an image
    std::vector<cclp_desiredEdge> desiredEdges;
    std::vector<cclp_score> scoreMethods;  // built and checked by the library
    int32_t maxNumResults = 1;
    bool sortByScore = true;
    std::optional<Expectation> expected;

    bool pairs() const { return desiredEdges.size() == 2; }
    double expectedWidth() const;
    // Extended edges, or a method that reads them, call for cclp_runScoreEx.
    bool needsExtendedRun() const;
};

}  // namespace cclp_cli
