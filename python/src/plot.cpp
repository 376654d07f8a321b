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
namespace {

using Profile = std::tuple<double, double, std::vector<double>>;

cclp_cli::PlotRequest request(std::vector<double> positions, std::vector<double> contrasts,
                                std::vector<std::array<double, 3>> extras,
                                const std::vector<std::pair<double, int32_t>>& desired,
                                std::vector<cclp::score::Method> methods, int32_t maxResults,
                                bool sort, uint32_t formats, std::string description,
                                std::optional<Profile> profile) {
    cclp_cli::PlotRequest out;
    out.positions = std::move(positions);
    out.contrasts = std::move(contrasts);
    out.extras = std::move(extras);
    for (const auto& [position, polarity] : desired) out.desired.push_back({position, polarity});
    out.methods = std::move(methods);
    out.maxResults = maxResults;
    out.sort = sort;
    out.formats = formats;
    out.description = std::move(description);
    if (profile) {
        auto& [start, step, values] = *profile;
        out.profile = cclp_cli::PlotProfile{start, step, std::move(values)};
    }
    return out;
}

}  // namespace

void bindPlot(py::module_& module) {
    module.def(
        "plot_svg",
        [](std::vector<double> positions, std::vector<double> contrasts,
           std::vector<std::array<double, 3>> extras, const std::vector<std::pair<double, int32_t>>& desired,
           std::vector<cclp::score::Method> methods, int32_t maxResults, bool sort, uint32_t formats,
           std::string description, std::optional<Profile> profile) {
            const cclp_cli::PlotRequest plotted =
                request(std::move(positions), std::move(contrasts), std::move(extras), desired,
                        std::move(methods), maxResults, sort, formats, std::move(description),
                        std::move(profile));
            py::gil_scoped_release released;
            return cclp_cli::plotOf(plotted);
        },
        py::arg("positions"), py::arg("contrasts"), py::arg("extras"), py::arg("desired"),
        py::arg("methods"), py::arg("max_results"), py::arg("sort"), py::arg("formats"),
        py::arg("description"), py::arg("profile"),
        "The SVG plot of one run, scored again as cclp-score scores it "
        "(cclp_score.plot checks the arguments and wraps the document).");
}

}  // namespace cclp_python
