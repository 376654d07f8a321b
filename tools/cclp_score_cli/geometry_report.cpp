#include "cclp_score_cli/geometry_report.hpp"

#include <string_view>

#include "cclp_score_cli/text_format.hpp"
#include "cgeom/cgeom.hpp"
#include "recording/schema.hpp"

namespace cclp_cli {
namespace {

using Json = nlohmann::ordered_json;
using cclp_recording::GeometryKind;

std::string_view toolCall(GeometryKind kind) {
    return kind == GeometryKind::Line ? "cgeom_findLine" : "cgeom_findCircle";
}

std::string_view useWord(const cgeom_caliperResult& result) {
    if (result.status != 0) return "outside the image";
    if (result.found == 0) return "nothing found";
    return result.used != 0 ? "used" : "set aside";
}

std::string statusName(int32_t status) {
    const char* name = cgeom::detail::StatusTexts::name(status);
    return name != nullptr ? name : cgeom::statusText(status);
}

Json pointJson(const cedge_point& point) { return Json{{"x", point.x}, {"y", point.y}}; }

Json caliperJson(const cgeom_caliperResult& result) {
    const cedge_caliper& c = result.caliper;
    Json json{{"caliper", Json{{"x", c.centerX}, {"y", c.centerY}, {"angle", c.angle},
                               {"length", c.length}, {"thickness", c.thickness}}},
              {"status", statusName(result.status)},
              {"use", useWord(result)}};
    if (result.found == 0) return json;
    json["point"] = pointJson(result.point);
    json["position"] = result.position;
    json["score"] = result.score;
    json["residual"] = result.residual;
    json["weight"] = result.weight;
    json["used"] = result.used != 0;
    json["numEdges"] = result.numEdges;
    return json;
}

Json resultsJson(const GeometryRecording& job, const GeometryOutcome& outcome) {
    Json results = Json::object();
    if (job.kind == GeometryKind::Line) {
        results["line"] = Json{{"point", pointJson(outcome.line.point)},
                               {"direction", pointJson(outcome.line.direction)},
                               {"angle", outcome.line.angle}};
    } else {
        results["circle"] = Json{{"center", pointJson(outcome.circle.center)}, {"radius", outcome.circle.radius}};
    }
    const cgeom_fitSummary& fit = outcome.fit();
    results["rms"] = fit.rms;
    results["numCalipers"] = fit.numCalipers;
    results["numFound"] = fit.numFound;
    results["numMissing"] = fit.numMissing;
    results["numUsed"] = fit.numUsed;
    results["calipers"] = Json::array();
    for (const cgeom_caliperResult& result : outcome.calipers) results["calipers"].push_back(caliperJson(result));
    return results;
}

std::string fittedLine(const GeometryRecording& job, const GeometryOutcome& outcome) {
    if (job.kind == GeometryKind::Line) {
        const cgeom_line& line = outcome.line;
        return "line: angle " + decimals(line.angle, 4) + " degrees, through (" + decimals(line.point.x, 3) +
               ", " + decimals(line.point.y, 3) + "), direction (" + decimals(line.direction.x, 5) + ", " +
               decimals(line.direction.y, 5) + ")\n";
    }
    const cgeom_circle& circle = outcome.circle;
    return "circle: centre (" + decimals(circle.center.x, 3) + ", " + decimals(circle.center.y, 3) +
           "), radius " + decimals(circle.radius, 3) + "\n";
}

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string caliperRow(std::size_t index, const cgeom_caliperResult& result) {
    std::string row = rightAligned(std::to_string(index), 7);
    const auto cell = [&](const std::string& text, std::size_t width) { row += rightAligned(text, width); };
    if (result.found == 0) {
        for (const std::size_t width : {10u, 10u, 10u, 8u, 10u}) cell("-", width);
    } else {
        cell(decimals(result.point.x, 3), 10);
        cell(decimals(result.point.y, 3), 10);
        cell(decimals(result.position, 3), 10);
        cell(decimals(result.score, 4), 8);
        cell(signedDecimals(result.residual, 4), 10);
    }
    return row + "  " + std::string(useWord(result)) + "\n";
}

}  // namespace

std::string formatGeometryTable(const GeometryRecording& job, const GeometryOutcome& outcome) {
    const cgeom_calipers& calipers = job.calipers();
    std::string text = (job.description.empty() ? "" : job.description + "\n") +
                       (job.kind == GeometryKind::Line ? "line tool on " : "circle tool on ") + job.imageFile +
                       " (" + std::to_string(outcome.imageWidth) + " x " + std::to_string(outcome.imageHeight) +
                       ", " + std::to_string(outcome.bitsPerPixel) + "-bit): " +
                       (outcome.calipers.empty() ? std::string("calipers")
                                                 : std::to_string(outcome.calipers.size()) + " calipers of") + " " +
                       compact(calipers.length, 6) + " x " + compact(calipers.thickness, 6) + " px, " +
                       std::string(cclp_recording::weightName(job.fit().weight)) + " weights, inlier distance " +
                       compact(job.fit().inlierDistance, 6) + " px\n";
    if (outcome.status != 0) return text + "no fit: " + cgeom::statusText(outcome.status) + "\n";
    const cgeom_fitSummary& fit = outcome.fit();
    text += fittedLine(job, outcome);
    text += "RMS " + decimals(fit.rms, 4) + " px; " + std::to_string(fit.numUsed) + " of " +
            std::to_string(fit.numCalipers) + " calipers used, " + std::to_string(fit.numFound - fit.numUsed) +
            " set aside, " + std::to_string(fit.numMissing) + " missing\n\n";
    text += "caliper         x         y  position   score  residual  use\n";
    for (std::size_t i = 0; i < outcome.calipers.size(); ++i) text += caliperRow(i, outcome.calipers[i]);
    return text;
}

std::string formatGeometryJson(const GeometryRecording& job, const GeometryOutcome& outcome) {
    Json document = cclp_recording::geometryRecordingToJson(job);
    document["run"] = Json{{"tool", toolCall(job.kind)}, {"status", statusName(outcome.status)}};
    if (outcome.status != 0) {
        document["run"]["message"] = cgeom::statusText(outcome.status);
    } else {
        document["results"] = resultsJson(job, outcome);
    }
    return document.dump(2) + "\n";
}

}  // namespace cclp_cli
