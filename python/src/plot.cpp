// The plot of a run: the Python package hands the run's inputs over, and
// the tool's renderer scores them again and draws the same SVG document
// `cclp-score --plot` draws.
#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bindings.hpp"
#include "plot/plot_request.hpp"

namespace cclp_python {

void bindPlot(py::module_& module) {
    using Profile = std::tuple<double, double, std::vector<double>>;  // start, step, values
    module.def(
        "plot_svg",
        [](std::vector<double> positions, std::vector<double> contrasts,
           std::vector<std::array<double, 3>> extras, const std::vector<std::pair<double, int32_t>>& desired,
           std::vector<cclp::score::Method> methods, int32_t maxResults, bool sort, uint32_t formats,
           std::string description, std::optional<Profile> profile) {
            cclp_cli::PlotRequest request{std::move(positions), std::move(contrasts), std::move(extras),
                                          {}, std::move(methods), maxResults, sort, formats,
                                          std::move(description), std::nullopt};
            for (const auto& [position, polarity] : desired) request.desired.push_back({position, polarity});
            if (profile) {
                auto& [start, step, values] = *profile;
                request.profile = cclp_cli::PlotProfile{start, step, std::move(values)};
            }
            py::gil_scoped_release released;
            return cclp_cli::plotOf(request);
        },
        py::arg("positions"), py::arg("contrasts"), py::arg("extras"), py::arg("desired"),
        py::arg("methods"), py::arg("max_results"), py::arg("sort"), py::arg("formats"),
        py::arg("description"), py::arg("profile"),
        "The SVG plot of one run, scored again as cclp-score scores it "
        "(cclp_score.plot checks the arguments and wraps the document).");
}

}  // namespace cclp_python
