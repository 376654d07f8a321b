// What the tuning page works on: the recording named on the command line,
// the image its edges are found in, the check folder's recordings and the
// file a save writes. Every document the page sends is read and checked
// by the recording model, exactly as the tool reads a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cedge/cedge.hpp"
#include "recording/recording.hpp"
#include "tune/save_target.hpp"
#include "tune/tune_options.hpp"

namespace cclp_tune {

using Json = nlohmann::ordered_json;

class TuneSession {
public:
    // Reads the recording, the image and the check folder's list, and finds
    // the edges once. Throws cclp_recording::InputError for a bad recording,
    // cclp_cli::UsageError for a file or a caliper that cannot be used.
    explicit TuneSession(const TuneOptions& options);

    // {"document", "image" (gray cells, or null), "check" (whether there is
    // a folder), "saveTo"} plus the first score().
    Json state() const;
    // The document scored: {"document" (as scored, with the edges found),
    // "results", "winner" (index into results, or null), "noCandidate" (why
    // nothing is acceptable, or null), "warnings", "curves"}.
    Json score(std::string_view documentText) const;
    // The check folder scored with the document's "params", as check --json
    // reports it.
    Json check(std::string_view documentText) const;
    // Writes the document, as scored, to the save target: {"saved": path}.
    Json save(std::string_view documentText);

    bool hasCheckFolder() const { return !checkRecordings_.empty(); }

private:
    cclp_recording::Recording read(std::string_view documentText) const;
    Json imageJson() const;

    std::optional<cedge::Image> image_;
    std::string imageName_;
    Json initialDocument_;
    std::vector<std::string> checkRecordings_;
    SaveTarget saveTarget_;
};

}  // namespace cclp_tune
