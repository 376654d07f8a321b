// Reads the input document: a recorded caliper result and the score
// parameters. Every field is checked for presence and type, every scoring
// function and score method is built by the library, and the first problem
// is thrown as an InputError naming the field.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cclp_score_cli/json_text.hpp"
#include "cclp_score_cli/scoring_job.hpp"

namespace cclp_cli {

// Where the edges to score come from: the document's "caliper", or an image
// (then the document needs only its "params"; a "caliper" it has gives the
// formats, and its edges are replaced).
enum class EdgeSource { Document, Image };

Job readJob(const nlohmann::json& document, EdgeSource source = EdgeSource::Document);

// Names used in the document for formats and polarities.
std::string_view formatsName(uint32_t formats);
std::string_view polarityName(int32_t polarity);

}  // namespace cclp_cli
