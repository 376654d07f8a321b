// Edges found in an image by the edge finder, in place of a document's own:
// the caliper from the command line, the edges and the profile into the job,
// and a gray crop of the image around the caliper for the plot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cedge/cedge.hpp"
#include "cclp_score_cli/cli_options.hpp"
#include "cclp_score_cli/image_region.hpp"
#include "recording/recording.hpp"

namespace cclp_cli {

// The caliper of --image, --caliper, --sigma and --min-contrast; none
// without --image.
std::optional<ImageCaliper> imageCaliper(const Options& options);

// An image read for --image; a UsageError naming --image when it cannot be.
cedge::Image readImage(const std::string& path);

// Replaces the job's edges and profile by those the caliper finds in an
// image already read, and records the caliper. A caliper or setting the
// edge finder refuses is a UsageError naming the option.
void replaceEdges(const cedge::Image& image, const ImageCaliper& caliper, Recording& job);

// Replaces the job's edges and profile by those found in the image and
// records the caliper; returns the region around it. An image that cannot
// be read or a caliper or setting the edge finder refuses is a UsageError
// naming the option.
ImageRegion findImageEdges(const ImageCaliper& caliper, Recording& job);

}  // namespace cclp_cli
