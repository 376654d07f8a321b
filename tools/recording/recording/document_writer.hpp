// Writes the recording document: the recording with every default spelled
// out, so that it reads back as it was. The tool's report adds its run and
// results to recordingToJson's object.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "recording/recording.hpp"
#include "recording/schema.hpp"

namespace cclp_recording {

using OrderedJson = nlohmann::ordered_json;

OrderedJson recordingToJson(const Recording& recording);
// Its parts, as recordingToJson writes them.
OrderedJson profileJson(const Profile& profile);
OrderedJson imageJson(const ImageCaliper& image);
OrderedJson expectationJson(const Expectation& expected);
OrderedJson paramsJson(const Recording& recording);

// The document's text, refused (InputError naming the field) unless every
// number is finite and the text reads back as the same recording would.
std::string recordingText(const Recording& recording);
// Writes recordingText to a file; nothing is written when it is refused.
// FileError when the file cannot be written.
void saveRecordingFile(const std::filesystem::path& path, const Recording& recording);

// An edge's values (Edge or EdgeFixed) under the document's keys, each
// followed by `suffix` ("positionFixed"); the extras only when `extended`.
template <class EdgeType>
void putEdgeValues(OrderedJson& object, const EdgeType& edge, bool extended,
                   std::string_view suffix = "") {
    const auto put = [&](std::string_view name, auto value) {
        object[std::string(name) + std::string(suffix)] = value;
    };
    put(key::position, edge.position);
    put(key::contrast, edge.contrast);
    if (extended) {
        put(key::extra1, edge.extra1);
        put(key::extra2, edge.extra2);
        put(key::extra3, edge.extra3);
    }
}

}  // namespace cclp_recording
