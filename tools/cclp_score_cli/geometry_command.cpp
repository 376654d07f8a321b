#include "cclp_score_cli/geometry_command.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/geometry_report.hpp"
#include "cclp_score_cli/plot_file.hpp"
#include "cgeom/cgeom.hpp"
#include "plot/geometry_plot.hpp"
#include "recording/json_text.hpp"
#include "recording/run_inputs.hpp"

namespace cclp_cli {
namespace {

namespace fs = std::filesystem;

// Where a refusal comes from: the options that set the value, and the
// document's field.
struct Source {
    int32_t status;
    std::initializer_list<std::string_view> options;
    std::string_view field;
};

const Source kSources[] = {
    {CGEOM_STATUS_SEGMENT_NOT_VALID, {"--segment"}, "geometry.line"},
    {CGEOM_STATUS_SEGMENT_TOO_SHORT, {"--segment"}, "geometry.line"},
    {CGEOM_STATUS_CENTER_NOT_VALID, {"--circle"}, "geometry.circle"},
    {CGEOM_STATUS_RADIUS_NOT_VALID, {"--circle"}, "geometry.circle.radius"},
    {CGEOM_STATUS_ARC_NOT_VALID, {"--arc"}, "geometry.circle"},
    {CGEOM_STATUS_CALIPER_COUNT_NOT_VALID, {"--calipers", "--spacing"}, "geometry.calipers"},
    {CGEOM_STATUS_FIT_SETTINGS_NOT_VALID, {"--weight", "--inlier-distance", "--iterations"}, "geometry.fit"},
    {CEDGE_STATUS_LENGTH_NOT_VALID, {"--caliper-size"}, "geometry.calipers.length"},
    {CEDGE_STATUS_THICKNESS_NOT_VALID, {"--caliper-size"}, "geometry.calipers.thickness"},
    {CEDGE_STATUS_SIGMA_NOT_VALID, {"--sigma"}, "geometry.sigma"},
    {CEDGE_STATUS_MIN_CONTRAST_NOT_VALID, {"--min-contrast"}, "geometry.minContrast"},
};

bool isNoFit(int32_t status) {
    return status == CGEOM_STATUS_TOO_FEW_POINTS || status == CGEOM_STATUS_POINTS_COINCIDENT ||
           status == CGEOM_STATUS_POINTS_COLLINEAR || status == CGEOM_STATUS_FIT_NOT_FINITE;
}

bool given(const GeometryOptions& options, std::string_view name) {
    return std::find(options.given.begin(), options.given.end(), name) != options.given.end();
}

// A refused setting named as the user gave it: the option, or the field.
[[noreturn]] void refuse(const GeometryOptions& options, const std::error_code& ec) {
    const auto status = static_cast<int32_t>(ec.value());
    for (const Source& source : kSources) {
        if (source.status != status) continue;
        for (const std::string_view option : source.options) {
            if (given(options, option)) throw UsageError(std::string(option) + ": " + ec.message());
        }
        throw InputError(std::string(source.field), ec.message());
    }
    throw RunError(ec.message(), status);
}

std::string readText(const std::string& path) {
    std::error_code ec;
    std::ifstream file;
    if (!fs::is_directory(path, ec)) file.open(path, std::ios::binary);
    if (!file) throw UsageError("cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void applyCount(const GeometryOptions& options, cgeom_calipers& calipers) {
    if (options.calipers != 0) calipers.count = static_cast<int32_t>(options.calipers);
    if (options.spacing) {
        calipers.count = 0;
        calipers.spacing = *options.spacing;
    }
    if (options.caliperSize) {
        calipers.length = (*options.caliperSize)[0];
        calipers.thickness = (*options.caliperSize)[1];
    }
}

void applyFit(const GeometryOptions& options, cgeom_fitParams& fit) {
    if (options.weight) {
        const std::optional<int32_t> weight = cclp_recording::weightByName(*options.weight);
        if (!weight) throw UsageError("--weight takes tukey, huber or none (got '" + *options.weight + "')");
        fit.weight = *weight;
    }
    if (options.inlierDistance) fit.inlierDistance = *options.inlierDistance;
    if (options.iterations != 0) fit.maxIterations = static_cast<int32_t>(options.iterations);
}

// The nominal geometry from the command line, or refused when neither it
// nor the document gives one.
void applyNominal(const GeometryOptions& options, GeometryRecording& job, bool documentHasIt) {
    if (job.kind == GeometryKind::Line) {
        if (const auto& s = options.segment) job.line = {(*s)[0], (*s)[1], (*s)[2], (*s)[3], job.line.calipers, job.line.fit};
        if (!options.segment && !documentHasIt) {
            throw UsageError("line needs --segment X0,Y0,X1,Y1 (or geometry.line in the document)");
        }
        return;
    }
    cgeom_circleParams& circle = job.circle;
    if (const auto& c = options.circle) {
        circle.centerX = (*c)[0];
        circle.centerY = (*c)[1];
        circle.radius = (*c)[2];
    }
    if (!options.circle && !documentHasIt) {
        throw UsageError("circle needs --circle X,Y,RADIUS (or geometry.circle in the document)");
    }
    if (options.arc) {
        circle.startAngle = (*options.arc)[0];
        circle.sweep = (*options.arc)[1];
    }
    if (options.inward) circle.calipers.flags |= CGEOM_SEARCH_INWARD;
}

// The document's settings with the command line's on top.
GeometryRecording settingsOf(const GeometryOptions& options, const std::string& text) {
    const nlohmann::json document = parseJsonText(text);
    GeometryRecording job = cclp_recording::readGeometryRecording(document, options.kind);
    const bool documentHasNominal = document.is_object() && document.contains("geometry") &&
                                    document["geometry"].contains(options.kind == GeometryKind::Line ? "line" : "circle");
    applyNominal(options, job, documentHasNominal);
    applyCount(options, job.calipers());
    applyFit(options, job.fit());
    if (options.sigma) job.sigma = *options.sigma;
    if (options.minContrast) job.minContrast = *options.minContrast;
    if (options.imagePath) {
        job.imageFile = *options.imagePath;
    } else if (job.imageFile.empty()) {
        throw UsageError(std::string(options.kind == GeometryKind::Line ? "line" : "circle") +
                         " needs --image FILE (or geometry.image in the document)");
    }
    return job;
}

// The image, its name as given (relative to the current folder, as the
// report records it, so that the report replays from there).
cedge::Image readImage(const GeometryOptions& options, const GeometryRecording& job) {
    std::error_code ec;
    cedge::Image image = cedge::Image::read(job.imageFile, ec);
    if (ec) {
        const std::string name = options.imagePath ? "--image " : "geometry.image ";
        throw UsageError(name + job.imageFile + ": " + ec.message());
    }
    return image;
}

template <class Fit>
void take(Fit&& fit, GeometryOutcome& outcome) {
    outcome.calipers = std::move(fit.calipers);
    if constexpr (std::is_same_v<std::decay_t<Fit>, cgeom::LineFit>) {
        outcome.line = fit.geometry;
    } else {
        outcome.circle = fit.geometry;
    }
}

GeometryOutcome call(const GeometryOptions& options, const GeometryRecording& job, const cedge::Image& image) {
    const cclp::score::Params params = cclp_recording::buildParams(job.scoring);
    const cedge::Settings settings = cedge::Settings().sigma(job.sigma).minContrast(job.minContrast);
    GeometryOutcome outcome;
    outcome.kind = job.kind;
    outcome.imageWidth = image.width();
    outcome.imageHeight = image.height();
    outcome.bitsPerPixel = image.bitsPerPixel();
    std::error_code ec;
    if (job.kind == GeometryKind::Line) {
        take(cgeom::findLine(image.view(), cgeom::LineParams(job.line), settings, params, ec), outcome);
    } else {
        take(cgeom::findCircle(image.view(), cgeom::CircleParams(job.circle), settings, params, ec), outcome);
    }
    if (ec && !isNoFit(static_cast<int32_t>(ec.value()))) refuse(options, ec);
    outcome.status = static_cast<int32_t>(ec.value());
    return outcome;
}

std::string plotOf(const GeometryRecording& job, const GeometryOutcome& outcome, const cedge::Image& image) {
    GeometryPlotRequest request;
    request.image = image.view().c();
    request.kind = job.kind;
    request.lineParams = job.line;
    request.circleParams = job.circle;
    request.status = outcome.status;
    request.line = outcome.line;
    request.circle = outcome.circle;
    request.calipers = outcome.calipers;
    request.description = job.description;
    return geometryPlotOf(request);
}

}  // namespace

int runGeometry(const GeometryOptions& options, std::ostream& out, std::string& inputName) {
    if (options.help) {
        out << geometryHelpText(options.kind);
        return kExitSuccess;
    }
    if (!options.documentPath) {
        throw UsageError(std::string(options.kind == GeometryKind::Line ? "line" : "circle") +
                         " needs a recording with \"params\", or a geometry document");
    }
    if (options.plotPath) checkPlotPath(*options.plotPath, InputFiles(options.documentPath, options.imagePath));
    inputName = *options.documentPath;
    const GeometryRecording job = settingsOf(options, readText(*options.documentPath));
    // The image the run reads may be named by the document instead of --image.
    const InputFiles inputs(options.documentPath, job.imageFile);
    const cedge::Image image = readImage(options, job);
    const GeometryOutcome outcome = call(options, job, image);
    std::string report = options.json ? formatGeometryJson(job, outcome) : formatGeometryTable(job, outcome);
    if (options.plotPath) {
        std::string plot = plotOf(job, outcome, image);
        if (*options.plotPath == "-") {
            report = std::move(plot);
        } else {
            writePlotFile(*options.plotPath, plot, inputs);
        }
    }
    out << report << std::flush;
    return outcome.status == 0 ? kExitSuccess : kExitNoFit;
}

}  // namespace cclp_cli
