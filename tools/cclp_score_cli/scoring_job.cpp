#include "cclp_score_cli/scoring_job.hpp"

#include <algorithm>
#include <cmath>

#include "cclp_score_cli/method_table.hpp"

namespace cclp_cli {

EdgeFixed toFixed(const Edge& edge) {
    return {cclp_round256(edge.position), cclp_round256(edge.contrast), cclp_round256(edge.extra1),
            cclp_round256(edge.extra2), cclp_round256(edge.extra3)};
}

Edge fromFixed(const EdgeFixed& edge) {
    return {fromFixed(edge.position), fromFixed(edge.contrast), fromFixed(edge.extra1),
            fromFixed(edge.extra2), fromFixed(edge.extra3)};
}

double Job::expectedWidth() const {
    return pairs() ? std::fabs(desiredEdges[1].position - desiredEdges[0].position) : 0.0;
}

bool Job::needsExtendedRun() const {
    return edgesHaveExtras ||
           std::any_of(scoreMethods.begin(), scoreMethods.end(), [](const cclp_score& method) {
               const MethodInfo* info = findMethod(method.method);
               return info != nullptr && info->extendedOnly;
           });
}

}  // namespace cclp_cli
