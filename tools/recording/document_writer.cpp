#include "recording/document_writer.hpp"

#include <cmath>
#include <fstream>

#include "recording/document_error.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/method_table.hpp"
#include "recording/polarity.hpp"

namespace cclp_recording {
namespace {

using Json = OrderedJson;

Json object(std::initializer_list<std::pair<std::string_view, Json>> members) {
    Json result = Json::object();
    for (const auto& [name, value] : members) result[std::string(name)] = value;
    return result;
}

// Only offsetDist reads an offset, and only its functions carry one.
Json functionJson(const cclp_scoreOneSided& function, int32_t method) {
    Json json = object({{key::x0, function.x0}, {key::x1, function.x1}, {key::x2, function.x2},
                        {key::y0, function.y0}, {key::y1, function.y1}});
    if (method == cclp_scoreMethodOffsetDist) json[std::string(key::offset)] = function.positionOffset;
    return json;
}

Json methodJson(const cclp_score& method) {
    const MethodInfo& info = *findMethod(method.method);
    Json json = object({{key::method, info.name}});
    if (info.function == FunctionKind::None) return json;
    if (method.isOneSided == 1) {
        json[std::string(key::oneSided)] = functionJson(method.oneSided, method.method);
    } else {
        json[std::string(key::twoSided)] =
            object({{key::low, functionJson(method.twoSided.lowSide, method.method)},
                    {key::high, functionJson(method.twoSided.highSide, method.method)}});
    }
    return json;
}

}  // namespace

Json imageJson(const ImageCaliper& image) {
    return object({{key::file, image.file},
                   {key::caliper, object({{key::x, image.centerX},
                                          {key::y, image.centerY},
                                          {key::angle, image.angle},
                                          {key::length, image.length},
                                          {key::thickness, image.thickness}})},
                   {key::sigma, image.sigma},
                   {key::minContrast, image.minContrast}});
}

Json profileJson(const Profile& profile) {
    return object({{key::start, profile.start}, {key::step, profile.step}, {key::values, profile.values}});
}

namespace {

Json caliperJson(const Recording& recording) {
    Json caliper = object({{key::formats, formatsName(recording.formats)}});
    if (recording.image) caliper[std::string(key::image)] = imageJson(*recording.image);
    Json& edges = caliper[std::string(key::edges)] = Json::array();
    for (const Edge& edge : recording.edges) {
        Json json;
        putEdgeValues(json, edge, recording.edgesHaveExtras);
        edges.push_back(json);
    }
    if (recording.profile) {
        caliper[std::string(key::profile)] = profileJson(*recording.profile);
    }
    return caliper;
}

}  // namespace

Json paramsJson(const Recording& recording) {
    Json desired = Json::array();
    for (const cclp_desiredEdge& edge : recording.desiredEdges) {
        desired.push_back(
            object({{key::position, edge.position}, {key::polarity, polarityName(edge.polarity)}}));
    }
    Json methods = Json::array();
    for (const cclp_score& method : recording.scoreMethods) methods.push_back(methodJson(method));
    return object({{key::desiredEdges, desired},
                   {key::scoreMethods, methods},
                   {key::maxNumResults, recording.maxNumResults},
                   {key::sortByScore, recording.sortByScore}});
}

Json expectationJson(const Expectation& expected) {
    Json json = Json::object();
    if (!expected.edges.empty()) json[std::string(key::edges)] = expected.edges;
    if (expected.position) {
        json[std::string(key::position)] = *expected.position;
        json[std::string(key::tolerance)] = expected.tolerance;
    }
    return json;
}

namespace {

// JSON has no NaN or infinity (a writer would put null there).
void requireFinite(const Json& json, const std::string& path) {
    if (json.is_number_float() && !std::isfinite(json.get<double>())) {
        throw InputError(path, "not a finite number (a document holds finite numbers only)");
    }
    if (json.is_object()) {
        for (const auto& item : json.items()) {
            requireFinite(item.value(), path.empty() ? item.key() : fieldPath(path, item.key()));
        }
    } else if (json.is_array()) {
        for (std::size_t i = 0; i < json.size(); ++i) {
            requireFinite(json[i], path + "[" + std::to_string(i) + "]");
        }
    }
}

}  // namespace

Json recordingToJson(const Recording& recording) {
    Json document = Json::object();
    if (!recording.description.empty()) {
        document[std::string(key::description)] = recording.description;
    }
    document[std::string(key::caliper)] = caliperJson(recording);
    document[std::string(key::params)] = paramsJson(recording);
    if (recording.expected) {
        document[std::string(key::expect)] = expectationJson(*recording.expected);
    }
    return document;
}

std::string recordingText(const Recording& recording) {
    const Json document = recordingToJson(recording);
    requireFinite(document, "");
    std::string text = documentText(document);
    (void)loadRecording(text);  // what is written reads back, or is refused here
    return text;
}

void saveRecordingFile(const std::filesystem::path& path, const Recording& recording) {
    const std::string text = recordingText(recording);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file << text;
    file.close();
    if (!file) throw FileError("cannot write " + path.string(), path.string());
}

}  // namespace cclp_recording
