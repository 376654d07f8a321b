#include <array>
#include <utility>

#include "json_field.hpp"
#include "recording/document_error.hpp"
#include "recording/document_reader.hpp"
#include "recording/geometry_recording.hpp"
#include "recording/schema.hpp"

namespace cclp_recording {
namespace {

using Json = OrderedJson;

constexpr std::array<std::pair<int32_t, std::string_view>, 3> kWeights = {
    std::pair{cgeom_weightTukey, "tukey"}, std::pair{cgeom_weightHuber, "huber"},
    std::pair{cgeom_weightNone, "none"}};

std::string_view toolName(GeometryKind kind) { return kind == GeometryKind::Line ? key::line : key::circle; }

void readPoint(const JsonField& field, double& x, double& y) {
    field.allowOnly({key::x, key::y});
    x = field.member(key::x).number();
    y = field.member(key::y).number();
}

void readLine(const JsonField& field, cgeom_lineParams& line) {
    field.allowOnly({key::start, key::end});
    readPoint(field.member(key::start), line.startX, line.startY);
    readPoint(field.member(key::end), line.endX, line.endY);
}

void readCircle(const JsonField& field, cgeom_circleParams& circle) {
    field.allowOnly({key::x, key::y, key::radius, key::startAngle, key::sweep, key::inward});
    circle.centerX = field.member(key::x).number();
    circle.centerY = field.member(key::y).number();
    circle.radius = field.member(key::radius).number();
    circle.startAngle = field.numberOr(key::startAngle, circle.startAngle);
    circle.sweep = field.numberOr(key::sweep, circle.sweep);
    if (const std::optional<JsonField> inward = field.optionalMember(key::inward)) {
        circle.calipers.flags = inward->boolean() ? CGEOM_SEARCH_INWARD : 0u;
    }
}

void readCalipers(const JsonField& field, cgeom_calipers& calipers) {
    field.allowOnly({key::count, key::spacing, key::length, key::thickness});
    if (const std::optional<JsonField> count = field.optionalMember(key::count)) {
        calipers.count = count->integer();
    }
    calipers.spacing = field.numberOr(key::spacing, calipers.spacing);
    calipers.length = field.numberOr(key::length, calipers.length);
    calipers.thickness = field.numberOr(key::thickness, calipers.thickness);
}

void readFit(const JsonField& field, cgeom_fitParams& fit) {
    field.allowOnly({key::weight, key::inlierDistance, key::maxIterations});
    if (const std::optional<JsonField> weight = field.optionalMember(key::weight)) {
        const std::string name = weight->text();
        const std::optional<int32_t> known = weightByName(name);
        if (!known) weight->fail("unknown weight '" + name + "' (known: tukey, huber, none)");
        fit.weight = *known;
    }
    fit.inlierDistance = field.numberOr(key::inlierDistance, fit.inlierDistance);
    if (const std::optional<JsonField> rounds = field.optionalMember(key::maxIterations)) {
        fit.maxIterations = rounds->integer();
    }
}

void readGeometry(const JsonField& field, GeometryRecording& recording) {
    field.allowOnly({key::image, key::line, key::circle, key::calipers, key::fit, key::sigma,
                     key::minContrast});
    const GeometryKind other = recording.kind == GeometryKind::Line ? GeometryKind::Circle : GeometryKind::Line;
    if (const std::optional<JsonField> wrong = field.optionalMember(toolName(other))) {
        wrong->fail("the settings of the " + std::string(toolName(other)) + " tool; run cclp-score " +
                    std::string(toolName(other)));
    }
    if (const std::optional<JsonField> image = field.optionalMember(key::image)) {
        recording.imageFile = image->text();
    }
    if (recording.kind == GeometryKind::Line) {
        if (const std::optional<JsonField> line = field.optionalMember(key::line)) readLine(*line, recording.line);
    } else if (const std::optional<JsonField> circle = field.optionalMember(key::circle)) {
        readCircle(*circle, recording.circle);
    }
    if (const std::optional<JsonField> calipers = field.optionalMember(key::calipers)) {
        readCalipers(*calipers, recording.calipers());
    }
    if (const std::optional<JsonField> fit = field.optionalMember(key::fit)) readFit(*fit, recording.fit());
    recording.sigma = field.numberOr(key::sigma, recording.sigma);
    recording.minContrast = field.numberOr(key::minContrast, recording.minContrast);
}

Json pointJson(double x, double y) { return Json{{std::string(key::x), x}, {std::string(key::y), y}}; }

Json shapeJson(const GeometryRecording& recording) {
    if (recording.kind == GeometryKind::Line) {
        const cgeom_lineParams& line = recording.line;
        return Json{{std::string(key::start), pointJson(line.startX, line.startY)},
                    {std::string(key::end), pointJson(line.endX, line.endY)}};
    }
    const cgeom_circleParams& circle = recording.circle;
    return Json{{std::string(key::x), circle.centerX},
                {std::string(key::y), circle.centerY},
                {std::string(key::radius), circle.radius},
                {std::string(key::startAngle), circle.startAngle},
                {std::string(key::sweep), circle.sweep},
                {std::string(key::inward), (circle.calipers.flags & CGEOM_SEARCH_INWARD) != 0u}};
}

}  // namespace

std::string_view weightName(int32_t weight) {
    for (const auto& [value, name] : kWeights) {
        if (value == weight) return name;
    }
    return "unknown";
}

std::optional<int32_t> weightByName(std::string_view name) {
    for (const auto& [value, known] : kWeights) {
        if (known == name) return value;
    }
    return std::nullopt;
}

GeometryRecording readGeometryRecording(const nlohmann::json& document, GeometryKind kind) {
    GeometryRecording recording;
    recording.kind = kind;
    (void)cgeom_lineParams_init(&recording.line);
    (void)cgeom_circleParams_init(&recording.circle);
    // The score parameters and the description, read as a recording whose
    // edges come from elsewhere.
    nlohmann::json scoring = document;
    std::optional<JsonField> geometry;
    if (document.is_object() && document.contains(key::geometry)) {
        scoring.erase(std::string(key::geometry));
        geometry.emplace(document[std::string(key::geometry)], std::string(key::geometry));
    }
    recording.scoring = readRecording(scoring, EdgeSource::Image);
    recording.description = recording.scoring.description;
    if (geometry) readGeometry(*geometry, recording);
    return recording;
}

OrderedJson geometryRecordingToJson(const GeometryRecording& recording) {
    const cgeom_calipers& calipers = recording.calipers();
    const cgeom_fitParams& fit = recording.fit();
    Json settings{{std::string(key::image), recording.imageFile},
                  {std::string(toolName(recording.kind)), shapeJson(recording)},
                  {std::string(key::calipers),
                   Json{{std::string(key::count), calipers.count},
                        {std::string(key::spacing), calipers.spacing},
                        {std::string(key::length), calipers.length},
                        {std::string(key::thickness), calipers.thickness}}},
                  {std::string(key::fit),
                   Json{{std::string(key::weight), weightName(fit.weight)},
                        {std::string(key::inlierDistance), fit.inlierDistance},
                        {std::string(key::maxIterations), fit.maxIterations}}},
                  {std::string(key::sigma), recording.sigma},
                  {std::string(key::minContrast), recording.minContrast}};
    Json document = Json::object();
    if (!recording.description.empty()) document[std::string(key::description)] = recording.description;
    document[std::string(key::geometry)] = settings;
    document[std::string(key::params)] = paramsJson(recording.scoring);
    return document;
}

}  // namespace cclp_recording
