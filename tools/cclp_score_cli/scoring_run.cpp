#include "cclp_score_cli/scoring_run.hpp"

#include <vector>

#include "cclp_score_cli/exit_status.hpp"
#include "recording/run_inputs.hpp"

namespace cclp_cli {
namespace {

namespace cs = cclp::score;

// A result's values; its edges are the job's, found by their input index.
template <class Result>
ScoredResult collect(const Result& result, const Recording& job) {
    ScoredResult scored;
    scored.formats = result.c().formats;
    const bool hasDouble = result.wroteDouble();
    const bool hasFixed = (scored.formats & CCLP_FORMAT_FIXED) != 0;
    for (int32_t m = 0; m < result.numScores(); ++m) {
        if (hasDouble) scored.scores.push_back(result.methodScore(m));
        if (hasFixed) scored.scoresFixed.push_back(result.methodScoreFixed(m));
    }
    if (hasDouble) {
        scored.position = result.position();
        scored.score = result.score();
    }
    if (hasFixed) {
        scored.positionFixed = result.positionFixed();
        scored.scoreFixed = result.scoreFixed();
    }
    for (int32_t k = 0; k < result.numEdges(); ++k) {
        // Every result edge is a copy of an input edge; -1 would mean the
        // run wrote an edge it was never given.
        if (result.index(k) < 0) throw RunError("a result edge matches no input edge", 0);
        const auto index = static_cast<std::size_t>(result.index(k));
        scored.edges.push_back({index, job.edges[index], toFixed(job.edges[index])});
    }
    return scored;
}

template <class Edges>
RunOutcome runWith(const Recording& job, cs::Params params, const char* entryPoint) {
    const Edges edges = buildEdges<Edges>(job);
    cs::Scorer scorer(std::move(params));
    std::error_code ec;
    const auto results = scorer.score(edges, ec);
    if (ec) throw RunError(std::string(entryPoint) + " failed: " + ec.message(), ec.value());
    RunOutcome outcome{entryPoint, job.formats, {}};
    for (const auto& result : results) outcome.results.push_back(collect(result, job));
    return outcome;
}

}  // namespace

RunOutcome runJob(const Recording& job, cs::Params params) {
    return job.needsExtendedRun()
               ? runWith<cs::EdgesEx>(job, std::move(params), "cclp_runScoreEx")
               : runWith<cs::Edges>(job, std::move(params), "cclp_runScore");
}

}  // namespace cclp_cli
