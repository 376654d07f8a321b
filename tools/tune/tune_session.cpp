#include "tune/tune_session.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cclp_score_cli/check_command.hpp"
#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/image_edges.hpp"
#include "cclp_score_cli/json_output.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "recording/document_reader.hpp"
#include "recording/document_writer.hpp"
#include "recording/json_text.hpp"
#include "recording/run_inputs.hpp"
#include "tune/function_curves.hpp"
#include "tune/image_cells.hpp"

namespace cclp_tune {
namespace {

using cclp_recording::Recording;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw cclp_cli::UsageError("tune: cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

SaveTarget saveTargetOf(const TuneOptions& options) {
    if (options.savePath) return SaveTarget(*options.savePath, true);
    return SaveTarget(SaveTarget::besideInput(*options.recordingPath), false);
}

// Across the middle of the image, left to right, over half its width.
cclp_recording::ImageCaliper startingCaliper(const cedge::Image& image, const std::string& file) {
    const cedge::Settings defaults;
    return {file,
            (image.width() - 1) / 2.0,
            (image.height() - 1) / 2.0,
            0.0,
            std::max(2.0, image.width() / 2.0),
            2.0,
            defaults.c().sigma,
            defaults.c().minContrast};
}

// Why no candidate is acceptable: none was kept, or the best scores 0.
std::string noCandidateReason(const Recording& job, const cclp_cli::RunOutcome& outcome) {
    return outcome.results.empty() ? cclp_cli::noResultReason(job) : "the best candidate scores 0";
}

// The index of the best result (the first of equals), when it scores above 0.
Json winnerIndex(const cclp_cli::RunOutcome& outcome) {
    if (!cclp_cli::hasAcceptableCandidate(outcome)) return nullptr;
    const auto best = std::max_element(
        outcome.results.begin(), outcome.results.end(),
        [](const auto& a, const auto& b) { return a.scoreValue() < b.scoreValue(); });
    return static_cast<std::size_t>(best - outcome.results.begin());
}

}  // namespace

TuneSession::TuneSession(const TuneOptions& options) : saveTarget_(saveTargetOf(options)) {
    if (options.imagePath) {
        image_ = cclp_cli::readImage(*options.imagePath);
        imageName_ = *options.imagePath;
    }
    if (options.checkFolder) {
        std::error_code ec;
        if (!std::filesystem::is_directory(*options.checkFolder, ec)) {
            throw cclp_cli::UsageError("tune: --check " + *options.checkFolder + " is not a folder");
        }
        checkRecordings_ = cclp_cli::collectRecordings({*options.checkFolder});
    }
    Recording recording = read(readFile(*options.recordingPath));
    initialDocument_ = cclp_recording::recordingToJson(recording);
}

Recording TuneSession::read(std::string_view documentText) const {
    const nlohmann::json document = cclp_recording::parseJsonText(documentText);
    Recording job = cclp_recording::readRecording(
        document, image_ ? cclp_recording::EdgeSource::Image : cclp_recording::EdgeSource::Document);
    cclp_recording::checkRunInputs(job);
    if (image_) {
        // Only the image named on the command line is ever read.
        cclp_recording::ImageCaliper caliper =
            job.image ? *job.image : startingCaliper(*image_, imageName_);
        caliper.file = imageName_;
        cclp_cli::replaceEdges(*image_, caliper, job);
    }
    return job;
}

Json TuneSession::score(std::string_view documentText) const {
    const Recording job = read(documentText);
    const cclp_cli::RunOutcome outcome = cclp_cli::runJob(job, cclp_recording::buildParams(job));
    const Json winner = winnerIndex(outcome);
    return Json{{"document", cclp_recording::recordingToJson(job)},
                {"results", cclp_cli::resultsToJson(job, outcome)},
                {"winner", winner},
                {"noCandidate", winner.is_null() ? Json(noCandidateReason(job, outcome)) : Json()},
                {"warnings", cclp_cli::jobWarnings(job)},
                {"curves", functionCurves(job, outcome)}};
}

Json TuneSession::check(std::string_view documentText) const {
    if (checkRecordings_.empty()) return nullptr;
    const Recording job = read(documentText);
    const nlohmann::json params =
        nlohmann::json::parse(cclp_recording::recordingToJson(job)["params"].dump());
    return cclp_cli::checkReport(checkRecordings_, &params);
}

Json TuneSession::save(std::string_view documentText) {
    saveTarget_.write(cclp_recording::recordingText(read(documentText)));
    return Json{{"saved", saveTarget_.path().string()}};
}

Json TuneSession::imageJson() const {
    if (!image_) return nullptr;
    return grayCellsJson(*image_);
}

Json TuneSession::state() const {
    Json state{{"image", imageJson()},
               {"check", hasCheckFolder()},
               {"saveTo", saveTarget_.path().string()}};
    state["scored"] = score(initialDocument_.dump());
    return state;
}

}  // namespace cclp_tune
