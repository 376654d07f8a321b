// The C++ side of the Python benchmark: the same run through the C++
// interface alone, timed in C++ by the thread's CPU time (as the Python side
// times itself), so that one process measures both sides and other
// processes' load counts for neither.
#include <time.h>

#include "bindings.hpp"
#include "run_settings.hpp"

namespace cclp_python {
namespace {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

void bindTiming(py::module_& module) {
    module.def(
        "time_cxx_runs",
        [](const DoubleArray& positions, const DoubleArray& contrasts,
           const std::vector<std::pair<double, int32_t>>& desired,
           const std::vector<cclp::score::Method>& methods, int32_t maxResults, int32_t repeats) {
            const RunSettings settings(desired, methods, maxResults, true, CCLP_FORMAT_DOUBLE);
            py::gil_scoped_release released;
            // What a C++ caller does per recording: copy the edges, build the
            // parameters and score, reading each result's score and indices.
            double checksum = 0.0;
            const double start = threadSeconds();
            for (int32_t i = 0; i < repeats; ++i) {
                const cclp::score::Edges edges(viewOf(positions), viewOf(contrasts));
                cclp::score::Scorer scorer(settings.params());
                for (const cclp::score::Result& result : scorer.score(edges)) {
                    checksum += result.score() + result.index(0) + result.index(1);
                }
            }
            return std::make_pair((threadSeconds() - start) / repeats, checksum);
        },
        py::arg("positions"), py::arg("contrasts"), py::arg("desired"), py::arg("methods"),
        py::arg("max_results"), py::arg("repeats"),
        "Seconds per pair run through the C++ interface alone (and a checksum of its results).");
}

}  // namespace cclp_python
