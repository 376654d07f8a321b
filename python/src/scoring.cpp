// The reusable scorer behind cclp_score.Scorer and score(): its settings
// and output records stay from one call to the next; each call checks the
// arrays in one pass, runs without the GIL and writes the results straight
// into numpy arrays.
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "bindings.hpp"
#include "cedge/cedge.hpp"
#include "checked_edges.hpp"
#include "run_settings.hpp"

namespace cclp_python {
namespace {

using namespace cclp::score;

template <class T>
py::array_t<T> filled(std::vector<py::ssize_t> shape, T value) {
    py::array_t<T> array(std::move(shape));
    std::fill_n(array.mutable_data(), array.size(), value);
    return array;
}

// The results in numpy arrays: score, position (n); method_scores (n, m);
// edges (n, 1 or 2); measured (n, m, 2), one value a method or a pair's two
// for edgePos and offsetDist, NaN where none; the fixed-point fields when
// the run wrote them.
template <class Family>
py::dict resultArrays(const Params& params, const BasicResults<Family>& results) {
    const auto n = static_cast<py::ssize_t>(results.size());
    const auto m = static_cast<py::ssize_t>(params.numMethods());
    const py::ssize_t perResult = params.pairs() ? 2 : 1;
    py::array_t<double> score(n), position(n), methodScores({n, m});
    py::array_t<int32_t> edges({n, perResult});
    py::array_t<double> measured = filled({n, m, 2}, std::numeric_limits<double>::quiet_NaN());
    const bool hasFixed =
        n > 0 && (static_cast<uint32_t>(results[0].formats()) & CCLP_FORMAT_FIXED) != 0;
    // Only when the run wrote the fixed-point fields.
    std::optional<py::array_t<int32_t>> scoreFixed, positionFixed, methodScoresFixed;
    if (hasFixed) {
        scoreFixed.emplace(n);
        positionFixed.emplace(n);
        methodScoresFixed.emplace(std::vector<py::ssize_t>{n, m});
    }
    for (py::ssize_t r = 0; r < n; ++r) {
        const BasicResult<Family> result = results[static_cast<int32_t>(r)];
        score.mutable_at(r) = result.scoreValue();
        position.mutable_at(r) = result.positionValue();
        if (hasFixed) {
            scoreFixed->mutable_at(r) = result.scoreFixed();
            positionFixed->mutable_at(r) = result.positionFixed();
        }
        for (py::ssize_t k = 0; k < m; ++k) {
            const auto at = static_cast<int32_t>(k);
            methodScores.mutable_at(r, k) = result.methodScoreValue(at);
            if (hasFixed) methodScoresFixed->mutable_at(r, k) = result.methodScoreFixed(at);
            const std::vector<double> values = measuredValues(params, at, result);
            for (py::ssize_t v = 0; v < static_cast<py::ssize_t>(values.size()) && v < 2; ++v) {
                measured.mutable_at(r, k, v) = values[static_cast<std::size_t>(v)];
            }
        }
        for (py::ssize_t k = 0; k < perResult; ++k) {
            edges.mutable_at(r, k) = result.index(static_cast<int32_t>(k));
        }
    }
    py::dict out;
    out["score"] = score;
    out["position"] = position;
    out["method_scores"] = methodScores;
    out["edges"] = edges;
    out["measured"] = measured;
    if (hasFixed) {
        out["score_fixed"] = *scoreFixed;
        out["position_fixed"] = *positionFixed;
        out["method_scores_fixed"] = *methodScoresFixed;
    }
    return out;
}

// One run of scorer over the edges that makeEdges builds (or borrows),
// without the GIL; the results read with it.
template <class MakeEdges>
py::dict runWith(Scorer& scorer, MakeEdges makeEdges) {
    using View = decltype(scorer.score(makeEdges()));
    std::optional<View> results;
    {
        py::gil_scoped_release released;
        const auto& edges = makeEdges();
        results.emplace(scorer.score(edges));
    }
    return resultArrays(scorer.params(), *results);
}

class PythonScorer {
public:
    explicit PythonScorer(RunSettings settings)
        : settings_(std::move(settings)), scorer_(settings_.params()) {}

    // record: None, or the edge finder's result set that positions and
    // contrasts view (ascending, so not checked for order; a
    // double-precision run without extras reads it in place).
    py::dict score(const py::handle& positions, const py::handle& contrasts,
                   const py::handle& extras, const py::handle& record) {
        const bool inPlace = !record.is_none() && extras.is_none() &&
                             settings_.formats() == Formats::Double;
        std::optional<CheckedEdges> edges;
        if (!inPlace) edges.emplace(checkedEdges(positions, contrasts, extras, record.is_none()));
        settings_.checkFits(edges && edges->extended());
        // Another thread is running this scorer: this call runs on its own.
        std::optional<Scorer> own;
        Scorer& scorer = busy_ ? own.emplace(settings_.params()) : scorer_;
        const Busy busy(&scorer == &scorer_ ? &busy_ : nullptr);
        py::dict out = run(scorer, edges, record);
        if (edges) {
            out["positions"] = edges->positions;
            out["contrasts"] = edges->contrasts;
            out["extras"] = edges->extras;
        } else {
            out["positions"] = positions;
            out["contrasts"] = contrasts;
            out["extras"] = py::none();
        }
        return out;
    }

private:
    // Marks the kept scorer in use for the life of a call (under the GIL).
    class Busy {
    public:
        explicit Busy(bool* flag) noexcept : flag_(flag) {
            if (flag_ != nullptr) *flag_ = true;
        }
        ~Busy() {
            if (flag_ != nullptr) *flag_ = false;
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        bool* flag_;
    };

    py::dict run(Scorer& scorer, const std::optional<CheckedEdges>& edges,
                 const py::handle& record) const {
        const Formats formats = settings_.formats();
        if (!edges) {
            const cclp_resultSet& borrowed = record.cast<const cedge::Edges&>().c();
            return runWith(scorer, [&]() -> const cclp_resultSet& { return borrowed; });
        }
        if (edges->extended()) {
            const auto& extra = edges->extraColumns;
            return runWith(scorer, [&] {
                return EdgesEx(viewOf(edges->positions), viewOf(edges->contrasts), extra[0],
                               extra[1], extra[2], formats);
            });
        }
        return runWith(scorer, [&] {
            return Edges(viewOf(edges->positions), viewOf(edges->contrasts), formats);
        });
    }

    RunSettings settings_;
    Scorer scorer_;
    bool busy_ = false;
};

}  // namespace

void bindScoring(py::module_& module) {
    py::class_<PythonScorer>(module, "Scorer",
                             "The settings and output records of runs, kept between calls "
                             "(cclp_score.Scorer checks its arguments and names the bad one).")
        .def(py::init([](const std::vector<std::pair<double, int32_t>>& desired,
                         std::vector<Method> methods, int32_t maxResults, bool sort,
                         uint32_t formats) {
                 return PythonScorer(
                     RunSettings(desired, std::move(methods), maxResults, sort, formats));
             }),
             py::arg("desired"), py::arg("methods"), py::arg("max_results"), py::arg("sort"),
             py::arg("formats"))
        .def("score", &PythonScorer::score, py::arg("positions"), py::arg("contrasts"),
             py::arg("extras"), py::arg("record"),
             "One run: the result arrays and the checked inputs, as a dict.");
}

}  // namespace cclp_python
