#include "plot/plot_request.hpp"

#include <stdexcept>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "plot/svg_plot.hpp"
#include "recording/recording.hpp"
#include "recording/run_inputs.hpp"

namespace cclp_cli {
namespace {

void requireLength(std::size_t length, std::size_t edges, const char* name) {
    if (length != edges) {
        throw std::invalid_argument(std::string(name) + ": " + std::to_string(length) +
                                    " values, but positions has " + std::to_string(edges));
    }
}

// The job the tool would have read from a document with these values.
Recording jobOf(const PlotRequest& request) {
    const std::size_t numEdges = request.positions.size();
    requireLength(request.contrasts.size(), numEdges, "contrasts");
    if (!request.extras.empty()) requireLength(request.extras.size(), numEdges, "extras");
    Recording job;
    job.description = request.description;
    job.formats = request.formats;
    job.edgesHaveExtras = !request.extras.empty();
    for (std::size_t k = 0; k < numEdges; ++k) {
        Edge edge;
        edge.position = request.positions[k];
        edge.contrast = request.contrasts[k];
        if (job.edgesHaveExtras) {
            edge.extra1 = request.extras[k][0];
            edge.extra2 = request.extras[k][1];
            edge.extra3 = request.extras[k][2];
        }
        job.edges.push_back(edge);
    }
    if (request.profile) {
        job.profile = Profile{request.profile->start, request.profile->step, request.profile->values};
    }
    job.desiredEdges = request.desired;
    for (const cclp::score::Method& method : request.methods) job.scoreMethods.push_back(method.c());
    job.maxNumResults = request.maxResults;
    job.sortByScore = request.sort;
    return job;
}

}  // namespace

std::string plotOf(const PlotRequest& request) {
    const Recording job = jobOf(request);
    try {
        return renderPlot(job, runJob(job, buildParams(job)));
    } catch (const InputError& error) {
        throw std::invalid_argument(error.what());
    }
}

}  // namespace cclp_cli
