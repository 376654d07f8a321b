#include "cclp_score_cli/scoring_run.hpp"

#include <array>
#include <type_traits>
#include <vector>

#include "cclp_score_cli/input_error.hpp"

namespace cclp_cli {
namespace {

namespace cs = cclp::score;

struct Columns {
    std::vector<double> positions;
    std::vector<double> contrasts;
    std::array<std::vector<double>, 3> extras;
};

Columns columnsOf(const std::vector<Edge>& edges) {
    Columns columns;
    for (const Edge& edge : edges) {
        columns.positions.push_back(edge.position);
        columns.contrasts.push_back(edge.contrast);
        columns.extras[0].push_back(edge.extra1);
        columns.extras[1].push_back(edge.extra2);
        columns.extras[2].push_back(edge.extra3);
    }
    return columns;
}

// The module's copies of the job's edges, in the job's formats.
template <class Edges>
Edges inputEdges(const Job& job) {
    const Columns c = columnsOf(job.edges);
    const auto formats = static_cast<cs::Formats>(job.formats);
    std::error_code ec;
    Edges edges = [&] {
        if constexpr (std::is_same_v<Edges, cs::EdgesEx>) {
            return Edges::make(c.positions, c.contrasts, c.extras[0], c.extras[1], c.extras[2],
                               formats, ec);
        } else {
            return Edges::make(c.positions, c.contrasts, formats, ec);
        }
    }();
    if (ec) throw RunError("cannot copy the input edges: " + ec.message(), ec.value());
    return edges;
}

// A result's values; its edges are the job's, found by their input index.
template <class Result>
ScoredResult collect(const Result& result, const Job& job) {
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
RunOutcome runWith(const Job& job, cs::Params params, const char* entryPoint) {
    const Edges edges = inputEdges<Edges>(job);
    cs::Scorer scorer(std::move(params));
    std::error_code ec;
    const auto results = scorer.score(edges, ec);
    if (ec) throw RunError(std::string(entryPoint) + " failed: " + ec.message(), ec.value());
    RunOutcome outcome{entryPoint, job.formats, {}};
    for (const auto& result : results) outcome.results.push_back(collect(result, job));
    return outcome;
}

}  // namespace

RunOutcome runJob(const Job& job, cs::Params params) {
    return job.needsExtendedRun()
               ? runWith<cs::EdgesEx>(job, std::move(params), "cclp_runScoreEx")
               : runWith<cs::Edges>(job, std::move(params), "cclp_runScore");
}

}  // namespace cclp_cli
