// The scoring settings of a run that stay from one call to the next: the
// desired edges, the methods, how many results to keep, the order and the
// number formats, checked once and turned into the module's parameters once.
// score() and Scorer run with them, and the geometry tools score each
// caliper with them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bindings.hpp"

namespace cclp_python {

class RunSettings {
public:
    using Desired = std::vector<std::pair<double, int32_t>>;

    // desired: (position, polarity code) for a single edge or a pair, or
    // none for the module's default (the strongest edge of either
    // polarity); methods: none also leaves the module's default. formats:
    // the input's CCLP_FORMAT_* bits. Raises ValueError naming a bad
    // argument, and a method that suits no run of this kind (with or
    // without extras).
    RunSettings(const Desired& desired, std::vector<cclp::score::Method> methods, int32_t maxResults,
                bool sort, uint32_t formats)
        : methods_(std::move(methods)), formats_(static_cast<cclp::score::Formats>(formats)) {
        if (desired.size() > 2) throw py::value_error("desired: one desired edge or two");
        if (formats < CCLP_FORMAT_DOUBLE || formats > (CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED)) {
            throw py::value_error("formats: 1 (double), 2 (fixed) or 3 (both)");
        }
        pairs_ = desired.size() == 2;
        for (std::size_t k = 0; k < methods_.size(); ++k) {
            if (methods_[k].fit({pairs_, true}) != cclp::score::Fit::Suits) checkFit(k, false);
        }
        const auto edge = [&](std::size_t k) {
            return cclp::score::DesiredEdge{desired[k].first,
                                            static_cast<cclp::score::Polarity>(desired[k].second)};
        };
        if (pairs_) {
            params_.pair(edge(0), edge(1));
        } else if (desired.size() == 1) {
            params_.single(edge(0));
        }
        if (!methods_.empty()) params_.methods(methods_);
        params_.maxResults(maxResults).sorted(sort);
    }

    // The settings of a caller's run, which names its desired edges and at
    // least one method.
    static RunSettings named(const Desired& desired, std::vector<cclp::score::Method> methods,
                             int32_t maxResults, bool sort, uint32_t formats) {
        if (desired.empty()) throw py::value_error("desired: one desired edge or two");
        if (methods.empty()) throw py::value_error("methods: at least one");
        return RunSettings(desired, std::move(methods), maxResults, sort, formats);
    }

    // Raises ValueError naming the first method that does not suit a run
    // over edges with (extended) or without extras.
    void checkFits(bool extended) const {
        for (std::size_t k = 0; k < methods_.size(); ++k) checkFit(k, extended);
    }

    const cclp::score::Params& params() const noexcept { return params_; }
    cclp::score::Formats formats() const noexcept { return formats_; }
    // Whether a run writes the results' 1/256 fields.
    bool writesFixed() const noexcept {
        return (static_cast<uint32_t>(formats_) & CCLP_FORMAT_FIXED) != 0;
    }

private:
    void checkFit(std::size_t k, bool extended) const {
        const cclp::score::Fit fit = methods_[k].fit({pairs_, extended});
        if (fit != cclp::score::Fit::Suits) {
            throw py::value_error("methods[" + std::to_string(k) + "]: '" + methods_[k].name() +
                                  "' " + cclp::score::fitText(fit));
        }
    }

    std::vector<cclp::score::Method> methods_;
    cclp::score::Formats formats_;
    bool pairs_ = false;
    cclp::score::Params params_;
};

}  // namespace cclp_python
