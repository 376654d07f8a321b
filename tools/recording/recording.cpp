#include "recording/recording.hpp"

#include <algorithm>

#include "recording/method_table.hpp"

namespace cclp_recording {

EdgeFixed toFixed(const Edge& edge) {
    using cclp::score::toFixed;
    return {toFixed(edge.position), toFixed(edge.contrast), toFixed(edge.extra1), toFixed(edge.extra2),
            toFixed(edge.extra3)};
}

bool Recording::needsExtendedRun() const {
    return edgesHaveExtras ||
           std::any_of(scoreMethods.begin(), scoreMethods.end(), [](const cclp_score& method) {
               const MethodInfo* info = findMethod(method.method);
               return info != nullptr && info->extendedOnly;
           });
}

}  // namespace cclp_recording
