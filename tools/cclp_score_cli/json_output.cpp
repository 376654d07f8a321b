#include "cclp_score_cli/json_output.hpp"

#include "cclp_score/cclp_status.h"
#include "cclp_score_cli/input_document.hpp"
#include "cclp_score_cli/measurements.hpp"
#include "cclp_score_cli/method_table.hpp"

namespace cclp_cli {
namespace {

using Json = nlohmann::ordered_json;

template <class EdgeType>
void putEdgeValues(Json& object, const EdgeType& edge, bool extended, const char* suffix) {
    const std::string s = suffix;
    object["position" + s] = edge.position;
    object["contrast" + s] = edge.contrast;
    if (extended) {
        object["extra1" + s] = edge.extra1;
        object["extra2" + s] = edge.extra2;
        object["extra3" + s] = edge.extra3;
    }
}

// Only offsetDist reads an offset, and only its functions carry one.
Json functionJson(const cclp_scoreOneSided& function, int32_t method) {
    Json object{{"x0", function.x0}, {"x1", function.x1}, {"x2", function.x2},
                {"y0", function.y0}, {"y1", function.y1}};
    if (method == cclp_scoreMethodOffsetDist) object["offset"] = function.positionOffset;
    return object;
}

Json methodJson(const cclp_score& method) {
    const MethodInfo& info = *findMethod(method.method);
    Json object{{"method", info.name}};
    if (info.function == FunctionKind::None) return object;
    if (method.isOneSided == 1) {
        object["oneSided"] = functionJson(method.oneSided, method.method);
    } else {
        object["twoSided"] = Json{{"low", functionJson(method.twoSided.lowSide, method.method)},
                                  {"high", functionJson(method.twoSided.highSide, method.method)}};
    }
    return object;
}

Json imageJson(const ImageCaliper& image) {
    return Json{{"file", image.file},
                {"caliper", Json{{"x", image.centerX},
                                 {"y", image.centerY},
                                 {"angle", image.angle},
                                 {"length", image.length},
                                 {"thickness", image.thickness}}},
                {"sigma", image.sigma},
                {"minContrast", image.minContrast}};
}

Json caliperJson(const Job& job) {
    Json caliper{{"formats", formatsName(job.formats)}};
    if (job.image) caliper["image"] = imageJson(*job.image);
    caliper["edges"] = Json::array();
    for (const Edge& edge : job.edges) {
        Json object;
        putEdgeValues(object, edge, job.edgesHaveExtras, "");
        caliper["edges"].push_back(object);
    }
    if (job.profile) {
        caliper["profile"] = Json{{"start", job.profile->start},
                                  {"step", job.profile->step},
                                  {"values", job.profile->values}};
    }
    return caliper;
}

Json paramsJson(const Job& job) {
    Json params{{"desiredEdges", Json::array()}, {"scoreMethods", Json::array()}};
    for (const cclp_desiredEdge& edge : job.desiredEdges) {
        params["desiredEdges"].push_back(
            Json{{"position", edge.position}, {"polarity", polarityName(edge.polarity)}});
    }
    for (const cclp_score& method : job.scoreMethods)
        params["scoreMethods"].push_back(methodJson(method));
    params["maxNumResults"] = job.maxNumResults;
    params["sortByScore"] = job.sortByScore;
    return params;
}

Json resultJson(const Job& job, const ScoredResult& result, std::size_t rank, bool extended) {
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
    for (const ResultEdge& edge : result.edges) {
        Json entry{{"index", edge.index}};
        if (hasDouble) putEdgeValues(entry, edge.value, extended, "");
        if (hasFixed) putEdgeValues(entry, edge.fixed, extended, "Fixed");
        object["edges"].push_back(entry);
    }
    return object;
}

}  // namespace

Json jobToJson(const Job& job) {
    Json document;
    if (!job.description.empty()) document["description"] = job.description;
    document["caliper"] = caliperJson(job);
    document["params"] = paramsJson(job);
    if (job.expected) {
        Json expected;
        if (!job.expected->edges.empty()) expected["edges"] = job.expected->edges;
        if (job.expected->position) {
            expected["position"] = *job.expected->position;
            expected["tolerance"] = job.expected->tolerance;
        }
        document["expect"] = expected;
    }
    return document;
}

Json resultsToJson(const Job& job, const RunOutcome& outcome) {
    const bool extended = outcome.entryPoint == "cclp_runScoreEx";
    Json results = Json::array();
    for (std::size_t r = 0; r < outcome.results.size(); ++r) {
        results.push_back(resultJson(job, outcome.results[r], r + 1, extended));
    }
    return results;
}

std::string formatJson(const Job& job, const RunOutcome& outcome) {
    Json document = jobToJson(job);
    document["run"] = Json{{"entryPoint", outcome.entryPoint},
                           {"arithmetic", outcome.fixedPoint() ? "fixed point" : "floating point"},
                           {"status", cclp_statusName(CCLP_STATUS_OK)}};
    document["results"] = resultsToJson(job, outcome);
    return document.dump(2) + "\n";
}

}  // namespace cclp_cli
