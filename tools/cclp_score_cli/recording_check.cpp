#include "cclp_score_cli/recording_check.hpp"

#include <algorithm>
#include <cmath>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/run_verdict.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "recording/document_file.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/polarity.hpp"
#include "recording/run_inputs.hpp"
#include "recording/schema.hpp"

namespace cclp_cli {
namespace {

// The best of the candidates the plain run keeps, and its lead over the
// next best of `outcome` (scored with room for a runner-up).
void rankOutcome(const RunOutcome& outcome, std::size_t kept, CheckRow& row) {
    std::vector<const ScoredResult*> ranked;
    for (const ScoredResult& result : outcome.results) ranked.push_back(&result);
    const auto byScore = [](const auto* a, const auto* b) { return a->scoreValue() > b->scoreValue(); };
    const auto keptEnd = ranked.begin() + static_cast<std::ptrdiff_t>(std::min(kept, ranked.size()));
    std::stable_sort(ranked.begin(), keptEnd, byScore);
    if (ranked.empty() || !(ranked[0]->scoreValue() > 0.0)) return;
    std::stable_sort(ranked.begin() + 1, ranked.end(), byScore);
    row.winner = *ranked[0];
    if (ranked.size() > 1) row.margin = ranked[0]->scoreValue() - ranked[1]->scoreValue();
}

}  // namespace

Verdict judge(const Recording& job, const std::optional<ScoredResult>& winner, std::string& problem) {
    if (!job.expected) return Verdict::noExpectation;
    const Expectation& expected = *job.expected;
    if (!winner) {
        problem = "no acceptable candidate";
        return Verdict::notAsExpected;
    }
    if (!expected.edges.empty() && winner->edgeIndices() != expected.edges) {
        problem = "expected " + indexList(expected.edges);
        return Verdict::notAsExpected;
    }
    if (expected.position &&
        !(std::fabs(winner->positionValue() - *expected.position) <= expected.tolerance)) {
        problem = "expected position " + compact(*expected.position, 6) + " +- " +
                  compact(expected.tolerance, 6);
        return Verdict::notAsExpected;
    }
    return Verdict::asExpected;
}

CheckRow checkRecording(const std::string& path, const nlohmann::json* params) {
    CheckRow row;
    row.recording = path;
    try {
        nlohmann::json document = parseJsonText(readRecordingFileText(path));
        if (params != nullptr && document.is_object()) document["params"] = *params;
        Recording job = readRecording(document);
        // Refused as the plain run refuses it; only then given room for the
        // runner-up that the margin needs. The first maxNumResults results
        // are still the plain run's.
        checkRunInputs(job);
        const auto kept = static_cast<std::size_t>(job.maxNumResults);
        job.maxNumResults = std::max(job.maxNumResults, 2);
        const RunOutcome outcome = runJob(job, buildParams(job));
        rankOutcome(outcome, kept, row);
        row.verdict = judge(job, row.winner, row.problem);
    } catch (const InputError& error) {
        row.problem = std::string("bad input: ") + error.what();
    } catch (const std::exception& error) {
        row.problem = error.what();
    }
    return row;
}

}  // namespace cclp_cli
