#include "cclp_score_cli/json_output.hpp"

#include "cclp_score/cclp_status.h"
#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/image_points.hpp"
#include "cclp_score_cli/measurements.hpp"
#include "recording/json_text.hpp"
#include "recording/method_table.hpp"

namespace cclp_cli {
namespace {

using Json = nlohmann::ordered_json;
using cclp_recording::putEdgeValues;

// An image run's position as {"x", "y"} in the image, under "point".
void putImagePoint(Json& object, const Recording& job, double position) {
    if (const std::optional<cedge_point> point = imagePoint(job, position)) {
        object["point"] = Json{{"x", point->x}, {"y", point->y}};
    }
}

Json resultJson(const Recording& job, const ScoredResult& result, std::size_t rank, bool extended) {
    const bool hasDouble = (result.formats & CCLP_FORMAT_DOUBLE) != 0;
    const bool hasFixed = (result.formats & CCLP_FORMAT_FIXED) != 0;
    Json object{{"rank", rank}};
    if (hasDouble) {
        object["position"] = result.position;
        object["score"] = result.score;
    }
    if (hasFixed) {
        object["positionFixed"] = result.positionFixed;
        object["scoreFixed"] = result.scoreFixed;
    }
    putImagePoint(object, job, result.positionValue());
    const std::vector<Edge> edges = result.edgeValues();
    Json scores = Json::array();
    for (std::size_t m = 0; m < job.scoreMethods.size(); ++m) {
        const cclp_score& method = job.scoreMethods[m];
        Json entry{{"method", findMethod(method.method)->name}};
        if (hasDouble) entry["score"] = result.scores[m];
        if (hasFixed) entry["scoreFixed"] = result.scoresFixed[m];
        const std::vector<double> measured = measuredValues(method, edges, job.expectedWidth());
        if (!measured.empty()) entry["measured"] = measured;
        scores.push_back(entry);
    }
    object["methodScores"] = scores;
    object["edges"] = Json::array();
    for (std::size_t k = 0; k < result.edges.size(); ++k) {
        const ResultEdge& edge = result.edges[k];
        Json entry{{"index", edge.index}};
        if (hasDouble) putEdgeValues(entry, edge.value, extended, "");
        if (hasFixed) putEdgeValues(entry, edge.fixed, extended, "Fixed");
        putImagePoint(entry, job, edges[k].position);
        object["edges"].push_back(entry);
    }
    return object;
}

}  // namespace

Json resultsToJson(const Recording& job, const RunOutcome& outcome) {
    const bool extended = outcome.entryPoint == "cclp_runScoreEx";
    Json results = Json::array();
    for (std::size_t r = 0; r < outcome.results.size(); ++r) {
        results.push_back(resultJson(job, outcome.results[r], r + 1, extended));
    }
    return results;
}

std::string formatJson(const Recording& job, const RunOutcome& outcome) {
    Json document = cclp_recording::recordingToJson(job);
    document["run"] = Json{{"entryPoint", outcome.entryPoint},
                           {"arithmetic", outcome.fixedPoint() ? "fixed point" : "floating point"},
                           {"status", cclp_statusName(CCLP_STATUS_OK)}};
    if (job.image) {
        // The found edges in the image, in the order of caliper.edges.
        Json points = Json::array();
        for (const Edge& edge : job.edges) {
            Json entry = Json::object();
            putImagePoint(entry, job, edge.position);
            points.push_back(entry.value("point", Json()));
        }
        document["run"]["edgePoints"] = points;
    }
    document["results"] = resultsToJson(job, outcome);
    return documentText(document);
}

}  // namespace cclp_cli
