#include "recording/recording.hpp"

#include <algorithm>
#include <cmath>

#include "recording/method_table.hpp"

namespace cclp_recording {

EdgeFixed toFixed(const Edge& edge) {
    return {cclp_round256(edge.position), cclp_round256(edge.contrast), cclp_round256(edge.extra1),
            cclp_round256(edge.extra2), cclp_round256(edge.extra3)};
}

Edge fromFixed(const EdgeFixed& edge) {
    return {fromFixed(edge.position), fromFixed(edge.contrast), fromFixed(edge.extra1),
            fromFixed(edge.extra2), fromFixed(edge.extra3)};
}

double Recording::expectedWidth() const {
    return pairs() ? std::fabs(desiredEdges[1].position - desiredEdges[0].position) : 0.0;
}

bool Recording::needsExtendedRun() const {
    return edgesHaveExtras ||
           std::any_of(scoreMethods.begin(), scoreMethods.end(), [](const cclp_score& method) {
               const MethodInfo* info = findMethod(method.method);
               return info != nullptr && info->extendedOnly;
           });
}

}  // namespace cclp_recording
