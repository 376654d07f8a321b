// One scoring run over the caller's arrays, with the GIL released from the
// copy of the edges to the last measured value; its results as numpy arrays.
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "bindings.hpp"
#include "run_request.hpp"

namespace cclp_python {
namespace {

using namespace cclp::score;

// The results in flat, row-major columns, filled without the GIL.
struct Columns {
    std::size_t numResults = 0;
    std::size_t numMethods = 0;
    std::size_t edgesPerResult = 1;
    bool hasFixed = false;
    std::vector<double> score, position, methodScores, measured;
    std::vector<int32_t> edges, scoreFixed, positionFixed, methodScoresFixed;
};

template <class Family>
void collect(const Params& params, const BasicResults<Family>& results, Columns& out) {
    out.numResults = static_cast<std::size_t>(results.size());
    out.numMethods = static_cast<std::size_t>(params.numMethods());
    out.edgesPerResult = params.pairs() ? 2 : 1;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    out.measured.assign(out.numResults * out.numMethods * 2, nan);
    for (int32_t r = 0; r < results.size(); ++r) {
        const BasicResult<Family> result = results[r];
        out.score.push_back(result.scoreValue());
        out.position.push_back(result.positionValue());
        if (out.hasFixed) {
            out.scoreFixed.push_back(result.scoreFixed());
            out.positionFixed.push_back(result.positionFixed());
        }
        for (std::size_t m = 0; m < out.numMethods; ++m) {
            const auto at = static_cast<int32_t>(m);
            out.methodScores.push_back(result.methodScoreValue(at));
            if (out.hasFixed) out.methodScoresFixed.push_back(result.methodScoreFixed(at));
            // Two slots per method: one value, or a pair's two for edgePos and offsetDist.
            const std::vector<double> values = measuredValues(params, at, result);
            const std::size_t slot = (static_cast<std::size_t>(r) * out.numMethods + m) * 2;
            for (std::size_t v = 0; v < values.size() && v < 2; ++v) out.measured[slot + v] = values[v];
        }
        for (int32_t k = 0; k < static_cast<int32_t>(out.edgesPerResult); ++k) {
            out.edges.push_back(result.index(k));
        }
    }
}

Columns runRequest(const RunRequest& request) {
    Params params = request.params();
    Scorer scorer(params);
    Columns columns;
    columns.hasFixed = request.writesFixed();
    if (const cclp_resultSet* record = request.borrowed()) {
        collect(params, scorer.score(*record), columns);
    } else if (request.extended()) {
        const EdgesEx edges = request.edgesEx();
        collect(params, scorer.score(edges), columns);
    } else {
        const Edges edges = request.edges();
        collect(params, scorer.score(edges), columns);
    }
    return columns;
}

template <class T>
py::array_t<T> shaped(const std::vector<T>& values, std::vector<py::ssize_t> shape) {
    py::array_t<T> array(shape);
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

py::dict toDict(const Columns& c) {
    const auto n = static_cast<py::ssize_t>(c.numResults);
    const auto m = static_cast<py::ssize_t>(c.numMethods);
    py::dict out;
    out["score"] = shaped(c.score, {n});
    out["position"] = shaped(c.position, {n});
    out["method_scores"] = shaped(c.methodScores, {n, m});
    out["edges"] = shaped(c.edges, {n, static_cast<py::ssize_t>(c.edgesPerResult)});
    out["measured"] = shaped(c.measured, {n, m, 2});
    if (c.hasFixed) {
        out["score_fixed"] = shaped(c.scoreFixed, {n});
        out["position_fixed"] = shaped(c.positionFixed, {n});
        out["method_scores_fixed"] = shaped(c.methodScoresFixed, {n, m});
    }
    return out;
}

py::dict run(const RunRequest& request) {
    Columns columns;
    {
        py::gil_scoped_release released;
        columns = runRequest(request);
    }
    return toDict(columns);
}

}  // namespace

void bindScoring(py::module_& module) {
    module.def(
        "run",
        [](const DoubleArray& positions, const DoubleArray& contrasts, const py::object& extras,
           const std::vector<std::pair<double, int32_t>>& desired, const std::vector<Method>& methods,
           int32_t maxResults, bool sort, uint32_t formats) {
            return run(RunRequest(positions, contrasts, extras, desired, methods, maxResults, sort,
                                  formats));
        },
        py::arg("positions"), py::arg("contrasts"), py::arg("extras"), py::arg("desired"),
        py::arg("methods"), py::arg("max_results"), py::arg("sort"), py::arg("formats"),
        "One run over checked arrays (cclp_score.score checks them and names the bad one).");
    module.def(
        "run_record",
        [](const py::object& record, const std::vector<std::pair<double, int32_t>>& desired,
           const std::vector<Method>& methods, int32_t maxResults, bool sort) {
            return run(RunRequest(record, desired, methods, maxResults, sort));
        },
        py::arg("record"), py::arg("desired"), py::arg("methods"), py::arg("max_results"),
        py::arg("sort"), "One run over the edge finder's record (an EdgeRecord), read in place.");
    // The C++ interface's words for refused edges and a reversed pair, so
    // that the package's own checks say what every other door says.
    module.def("edge_order_text", &edgeOrderText, py::arg("index"));
    module.def("not_finite_text", &notFiniteText, py::arg("index"));
    module.def("reversed_pair_text", &reversedPairText, py::arg("first"), py::arg("second"));
}

}  // namespace cclp_python
