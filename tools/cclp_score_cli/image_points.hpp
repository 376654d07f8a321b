// Positions along an image run's caliper as points of the image (pixel
// centres at integers, x right, y down), for the reports and the plot.
#pragma once

#include <optional>

#include "cedge/cedge.h"
#include "cclp_score_cli/cli_namespace.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// The image point `position` pixels along the caliper the job's edges were
// found with; none for a job without an image caliper, or a position the
// edge finder cannot place (not finite).
std::optional<cedge_point> imagePoint(const Recording& job, double position);

}  // namespace cclp_cli
