// The recording model: a recorded caliper result (its edges, where they
// were found, the caliper's profile), the score parameters to tune on it and
// the winner it expects. One model for every door: the cclp-score tool
// scores it, Python binds it, document_reader/document_writer read and write
// it and run_inputs turns it into the module's parameters and edges.
// Kept to C++17: the Python extension includes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cclp_score/cclp_score.hpp"

namespace cclp_recording {

// One recorded edge in caliper units; the fixed-point form is derived from it.
struct Edge {
    double position = 0.0;
    double contrast = 0.0;
    double extra1 = 0.0;
    double extra2 = 0.0;
    double extra3 = 0.0;
};
inline bool operator==(const Edge& a, const Edge& b) {
    return a.position == b.position && a.contrast == b.contrast && a.extra1 == b.extra1 &&
           a.extra2 == b.extra2 && a.extra3 == b.extra3;
}

// The same edge in 1/256 fixed point.
struct EdgeFixed {
    int32_t position = 0;
    int32_t contrast = 0;
    int32_t extra1 = 0;
    int32_t extra2 = 0;
    int32_t extra3 = 0;
};

// Every value rounded by the module's rule, saturating (the other way:
// cclp::score::fromFixed<Edge>).
EdgeFixed toFixed(const Edge& edge);

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
};

struct Recording {
    std::string description;
    uint32_t formats = CCLP_FORMAT_DOUBLE;
    std::vector<Edge> edges;
    bool edgesHaveExtras = false;
    std::optional<Profile> profile;
    std::optional<ImageCaliper> image;  // where the edges were found, if in an image
    std::vector<cclp_desiredEdge> desiredEdges;
    std::vector<cclp_score> scoreMethods;  // built and checked by the module
    int32_t maxNumResults = 1;
    bool sortByScore = true;
    std::optional<Expectation> expected;

    bool pairs() const { return desiredEdges.size() == 2; }
    double expectedWidth() const {
        return cclp::score::expectedWidth(desiredEdges.data(), desiredEdges.size());
    }
    // Extended edges, or a method that reads them, call for cclp_runScoreEx.
    bool needsExtendedRun() const;
};

}  // namespace cclp_recording
