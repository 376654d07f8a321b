// Reads the recording document. Every field is checked for presence and
// type, every scoring function and score method is built by the module, and
// the first problem is thrown as an InputError naming the field.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "recording/recording.hpp"

namespace cclp_recording {

// Where the edges to score come from: the document's "caliper", or an image
// (then the document needs only its "params"; a "caliper" it has gives the
// formats, and its edges are replaced).
enum class EdgeSource { Document, Image };

Recording readRecording(const nlohmann::json& document, EdgeSource source = EdgeSource::Document);

// One part of a document, read as the whole document reads it; `path`
// names it in messages ("caliper.image").
Profile readProfile(const nlohmann::json& json, const std::string& path);
ImageCaliper readImageCaliper(const nlohmann::json& json, const std::string& path);
Expectation readExpectation(const nlohmann::json& json, const std::string& path);

// A whole document as every door reads it: parsed (parseJsonText), read,
// and its run inputs checked (checkRunInputs), so that what one door
// accepts, every door accepts.
Recording loadRecording(std::string_view text);
// The same from a file, read by readRecordingFileText (FileError when it is
// not a regular file, cannot be read or is too large).
Recording loadRecordingFile(const std::filesystem::path& path);

}  // namespace cclp_recording
