// The C++ side of the Python benchmark: the same run through the C++
// interface alone, timed in C++, so that one process measures both sides.
#include <chrono>

#include "bindings.hpp"
#include "run_request.hpp"

namespace cclp_python {

void bindTiming(py::module_& module) {
    module.def(
        "time_cxx_runs",
        [](const DoubleArray& positions, const DoubleArray& contrasts,
           const std::vector<std::pair<double, int32_t>>& desired,
           const std::vector<cclp::score::Method>& methods, int32_t maxResults, int32_t repeats) {
            const RunRequest request(positions, contrasts, py::none(), desired, methods, maxResults,
                                     true, CCLP_FORMAT_DOUBLE);
            py::gil_scoped_release released;
            // What a C++ caller does per recording: copy the edges, build the
            // parameters and score, reading each result's score and indices.
            double checksum = 0.0;
            const auto start = std::chrono::steady_clock::now();
            for (int32_t i = 0; i < repeats; ++i) {
                const cclp::score::Edges edges = request.edges();
                cclp::score::Scorer scorer(request.params());
                for (const cclp::score::Result& result : scorer.score(edges)) {
                    checksum += result.score() + result.index(0) + result.index(1);
                }
            }
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            return std::make_pair(elapsed.count() / repeats, checksum);
        },
        py::arg("positions"), py::arg("contrasts"), py::arg("desired"), py::arg("methods"),
        py::arg("max_results"), py::arg("repeats"),
        "Seconds per pair run through the C++ interface alone (and a checksum of its results).");
}

}  // namespace cclp_python
