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
// for edgePos and offsetDist, NaN where none; and, when the run writes them
// (even if it keeps nothing), the fixed-point fields.
template <class Family>
class ResultArrays {
public:
    ResultArrays(const Params& params, const BasicResults<Family>& results, bool writesFixed)
        : params_(params),
          n_(results.size()),
          m_(params.numMethods()),
          score_(n_),
          position_(n_),
          methodScores_({n_, m_}),
          edges_({n_, params.pairs() ? py::ssize_t{2} : py::ssize_t{1}}),
          measured_(filled({n_, m_, 2}, std::numeric_limits<double>::quiet_NaN())) {
        if (writesFixed) {
            fixed_.emplace(Fixed{py::array_t<int32_t>(n_), py::array_t<int32_t>(n_),
                                 py::array_t<int32_t>({n_, m_})});
        }
        for (py::ssize_t r = 0; r < n_; ++r) write(r, results[static_cast<int32_t>(r)]);
    }

    py::dict dict() const {
        py::dict out;
        out["score"] = score_;
        out["position"] = position_;
        out["method_scores"] = methodScores_;
        out["edges"] = edges_;
        out["measured"] = measured_;
        if (fixed_) {
            out["score_fixed"] = fixed_->score;
            out["position_fixed"] = fixed_->position;
            out["method_scores_fixed"] = fixed_->methodScores;
        }
        return out;
    }

private:
    struct Fixed {
        py::array_t<int32_t> score, position, methodScores;
    };

    void write(py::ssize_t r, const BasicResult<Family>& result) {
        score_.mutable_at(r) = result.scoreValue();
        position_.mutable_at(r) = result.positionValue();
        if (fixed_) {
            fixed_->score.mutable_at(r) = result.scoreFixed();
            fixed_->position.mutable_at(r) = result.positionFixed();
        }
        for (py::ssize_t k = 0; k < m_; ++k) writeMethod(r, static_cast<int32_t>(k), result);
        for (py::ssize_t k = 0; k < edges_.shape(1); ++k) {
            edges_.mutable_at(r, k) = result.index(static_cast<int32_t>(k));
        }
    }

    void writeMethod(py::ssize_t r, int32_t k, const BasicResult<Family>& result) {
        methodScores_.mutable_at(r, k) = result.methodScoreValue(k);
        if (fixed_) fixed_->methodScores.mutable_at(r, k) = result.methodScoreFixed(k);
        const std::vector<double> values = measuredValues(params_, k, result);
        for (std::size_t v = 0; v < values.size() && v < 2; ++v) {
            measured_.mutable_at(r, k, static_cast<py::ssize_t>(v)) = values[v];
        }
    }

    const Params& params_;
    py::ssize_t n_;
    py::ssize_t m_;
    py::array_t<double> score_, position_, methodScores_;
    py::array_t<int32_t> edges_;
    py::array_t<double> measured_;
    std::optional<Fixed> fixed_;
};

template <class Family>
py::dict resultDict(const Params& params, const BasicResults<Family>& results, bool writesFixed) {
    return ResultArrays<Family>(params, results, writesFixed).dict();
}

// One run of scorer over the edges that makeEdges builds (or borrows),
// without the GIL; the results read with it.
template <class MakeEdges>
py::dict runWith(Scorer& scorer, bool writesFixed, MakeEdges makeEdges) {
    using View = decltype(scorer.score(makeEdges()));
    std::optional<View> results;
    {
        py::gil_scoped_release released;
        const auto& edges = makeEdges();
        results.emplace(scorer.score(edges));
    }
    return resultDict(scorer.params(), *results, writesFixed);
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
        const bool writesFixed = settings_.writesFixed();
        if (!edges) {
            const cclp_resultSet& borrowed = record.cast<const cedge::Edges&>().c();
            return runWith(scorer, writesFixed, [&]() -> const cclp_resultSet& { return borrowed; });
        }
        if (edges->extended()) {
            const auto& extra = edges->extraColumns;
            return runWith(scorer, writesFixed, [&] {
                return EdgesEx(viewOf(edges->positions), viewOf(edges->contrasts), extra[0],
                               extra[1], extra[2], formats);
            });
        }
        return runWith(scorer, writesFixed, [&] {
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
                     RunSettings::named(desired, std::move(methods), maxResults, sort, formats));
             }),
             py::arg("desired"), py::arg("methods"), py::arg("max_results"), py::arg("sort"),
             py::arg("formats"))
        .def("score", &PythonScorer::score, py::arg("positions"), py::arg("contrasts"),
             py::arg("extras"), py::arg("record"),
             "One run: the result arrays and the checked inputs, as a dict.");
    // The C++ interface's words for refused edges and a reversed pair, so
    // that the package's own checks say what every other door says.
    module.def("edge_order_text", &edgeOrderText, py::arg("index"));
    module.def("not_finite_text", &notFiniteText, py::arg("index"));
    module.def("reversed_pair_text", &reversedPairText, py::arg("first"), py::arg("second"));
}

}  // namespace cclp_python
