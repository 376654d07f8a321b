// The arguments of one run, converted while the GIL is held and read
// without it: the arrays (or the edge finder's record) stay referenced
// here, and the C++ interface's inputs are built from views of them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bindings.hpp"
#include "cedge/cedge.hpp"

namespace cclp_python {

// The scoring keywords of a run: the desired edges (polarity codes) and the
// methods, each method checked against the run's shape, how many results to
// keep and whether to sort. No desired edge, or no method, leaves the
// module's default (the strongest edge of either polarity).
class ScoreSettings {
public:
    ScoreSettings(std::vector<std::pair<double, int32_t>> desired, std::vector<cclp::score::Method> methods,
                  int32_t maxResults, bool sort, bool extended)
        : desired_(std::move(desired)), methods_(std::move(methods)), maxResults_(maxResults), sort_(sort) {
        if (desired_.size() > 2) throw py::value_error("desired: one desired edge or two");
        const cclp::score::RunShape shape{desired_.size() == 2, extended};
        for (std::size_t k = 0; k < methods_.size(); ++k) {
            const cclp::score::Fit fit = methods_[k].fit(shape);
            if (fit != cclp::score::Fit::Suits) {
                throw py::value_error("methods[" + std::to_string(k) + "]: '" + methods_[k].name() +
                                      "' " + cclp::score::fitText(fit));
            }
        }
    }

    std::size_t numDesired() const noexcept { return desired_.size(); }

    // Runs without the GIL.
    cclp::score::Params params() const {
        using cclp::score::Polarity;
        cclp::score::Params params;
        const auto edge = [&](std::size_t k) {
            return cclp::score::DesiredEdge{desired_[k].first, static_cast<Polarity>(desired_[k].second)};
        };
        if (desired_.size() == 2) {
            params.pair(edge(0), edge(1));
        } else if (desired_.size() == 1) {
            params.single(edge(0));
        }
        if (!methods_.empty()) params.methods(methods_);
        params.maxResults(maxResults_).sorted(sort_);
        return params;
    }

private:
    std::vector<std::pair<double, int32_t>> desired_;
    std::vector<cclp::score::Method> methods_;
    int32_t maxResults_;
    bool sort_;
};

class RunRequest {
public:
    // extras: None or a sequence of three float arrays as long as positions.
    RunRequest(DoubleArray positions, DoubleArray contrasts, const py::object& extras,
               std::vector<std::pair<double, int32_t>> desired,
               std::vector<cclp::score::Method> methods, int32_t maxResults, bool sort,
               uint32_t formats)
        : positions_(std::move(positions)),
          contrasts_(std::move(contrasts)),
          settings_(checkedDesired(std::move(desired)), checkedMethods(std::move(methods)), maxResults, sort,
                    !extras.is_none()),
          formats_(static_cast<cclp::score::Formats>(formats)) {
        // The package checks these first; the module's own entry stays safe too.
        if (formats < CCLP_FORMAT_DOUBLE || formats > (CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED)) {
            throw py::value_error("formats: 1 (double), 2 (fixed) or 3 (both)");
        }
        if (!extras.is_none()) {
            const auto columns = extras.cast<std::array<DoubleArray, 3>>();
            extras_.assign(columns.begin(), columns.end());
        }
    }

    // The edge finder's result set (an EdgeRecord), scored in place.
    RunRequest(const py::object& record, std::vector<std::pair<double, int32_t>> desired,
               std::vector<cclp::score::Method> methods, int32_t maxResults, bool sort)
        : RunRequest(DoubleArray(py::ssize_t{0}), DoubleArray(py::ssize_t{0}), py::none(), std::move(desired),
                     std::move(methods), maxResults, sort, CCLP_FORMAT_DOUBLE) {
        record_ = record;
        borrowed_ = &record.cast<const cedge::Edges&>().c();
    }

    bool extended() const noexcept { return !extras_.empty(); }
    // Whether the run writes the results' 1/256 fields.
    bool writesFixed() const noexcept {
        return (static_cast<uint32_t>(formats_) & CCLP_FORMAT_FIXED) != 0;
    }
    // The finder's record, when the run reads that instead of the arrays.
    const cclp_resultSet* borrowed() const noexcept { return borrowed_; }

    // Everything below runs without the GIL.
    cclp::score::Params params() const { return settings_.params(); }
    cclp::score::Edges edges() const {
        return cclp::score::Edges(viewOf(positions_), viewOf(contrasts_), formats_);
    }
    cclp::score::EdgesEx edgesEx() const {
        return cclp::score::EdgesEx(viewOf(positions_), viewOf(contrasts_), viewOf(extras_[0]),
                                    viewOf(extras_[1]), viewOf(extras_[2]), formats_);
    }

private:
    // A run names its desired edges and at least one method.
    using DesiredEdges = std::vector<std::pair<double, int32_t>>;
    static DesiredEdges checkedDesired(DesiredEdges desired) {
        if (desired.empty()) throw py::value_error("desired: one desired edge or two");
        return desired;
    }
    static std::vector<cclp::score::Method> checkedMethods(std::vector<cclp::score::Method> methods) {
        if (methods.empty()) throw py::value_error("methods: at least one");
        return methods;
    }

    DoubleArray positions_;
    DoubleArray contrasts_;
    std::vector<DoubleArray> extras_;
    ScoreSettings settings_;
    cclp::score::Formats formats_;
    py::object record_;  // keeps borrowed_ alive
    const cclp_resultSet* borrowed_ = nullptr;
};

}  // namespace cclp_python
