// The tool's input document is the recording document: read by the
// recording model's reader, named in its vocabulary.
#pragma once

#include <nlohmann/json.hpp>

#include "cclp_score_cli/scoring_job.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/polarity.hpp"
#include "recording/schema.hpp"

namespace cclp_cli {

using cclp_recording::EdgeSource;
using cclp_recording::formatsName;
using cclp_recording::parseJsonText;
using cclp_recording::polarityName;

inline Job readJob(const nlohmann::json& document, EdgeSource source = EdgeSource::Document) {
    return cclp_recording::readRecording(document, source);
}

}  // namespace cclp_cli
