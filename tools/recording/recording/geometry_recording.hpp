// The geometry document: a line or circle tool's settings (the image, the
// nominal geometry, the calipers, the fit and the edge search) and the
// score parameters every caliper is scored with, so that a call can be
// replayed. Read and written beside the recording document, with the same
// refusals naming the field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cgeom/cgeom.h"
#include "recording/document_writer.hpp"
#include "recording/geometry_kind.hpp"
#include "recording/recording.hpp"

namespace cclp_recording {

struct GeometryRecording {
    std::string description;
    GeometryKind kind = GeometryKind::Line;
    std::string imageFile;
    cgeom_lineParams line{};      // the kind's settings; the other is unused
    cgeom_circleParams circle{};
    double sigma = 1.0;
    double minContrast = 5.0;
    Recording scoring;  // its params; it has no edges

    // The calipers and fit settings of the kind.
    cgeom_calipers& calipers() { return kind == GeometryKind::Line ? line.calipers : circle.calipers; }
    const cgeom_calipers& calipers() const {
        return kind == GeometryKind::Line ? line.calipers : circle.calipers;
    }
    cgeom_fitParams& fit() { return kind == GeometryKind::Line ? line.fit : circle.fit; }
    const cgeom_fitParams& fit() const { return kind == GeometryKind::Line ? line.fit : circle.fit; }
};

// The document's geometry settings with the C defaults for what it leaves
// out; "params" as the recording document has them. A document without
// "geometry" (a recording document) gives the defaults and no nominal
// geometry. InputError names the first field that cannot be used.
GeometryRecording readGeometryRecording(const nlohmann::json& document, GeometryKind kind);

// The weight's name in documents and on the command line, and back.
std::string_view weightName(int32_t weight);
std::optional<int32_t> weightByName(std::string_view name);

// The document with every setting spelled out.
OrderedJson geometryRecordingToJson(const GeometryRecording& recording);

}  // namespace cclp_recording
