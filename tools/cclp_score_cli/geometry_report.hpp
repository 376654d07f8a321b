// The reports of a line or circle tool's call: a table, or JSON that is
// itself a geometry document with the call's "run" and "results" added.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cgeom/cgeom.h"
#include "recording/geometry_recording.hpp"

namespace cclp_cli {

using cclp_recording::GeometryRecording;

// What the call gave: the fit (status 0), or the status saying why there
// is none and no caliper results.
struct GeometryOutcome {
    cclp_recording::GeometryKind kind = cclp_recording::GeometryKind::Line;
    int32_t status = 0;
    cgeom_line line{};
    cgeom_circle circle{};
    std::vector<cgeom_caliperResult> calipers;
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    int32_t bitsPerPixel = 0;

    const cgeom_fitSummary& fit() const {
        return kind == cclp_recording::GeometryKind::Line ? line.fit : circle.fit;
    }
};

std::string formatGeometryTable(const GeometryRecording& job, const GeometryOutcome& outcome);
std::string formatGeometryJson(const GeometryRecording& job, const GeometryOutcome& outcome);

}  // namespace cclp_cli
