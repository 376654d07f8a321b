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
#include "recording/recording.hpp"

namespace cclp_cli {

// Gray pixels of the image around the caliper, 8 bits, row by row; a pixel
// covers `cellSize` image pixels each way (more than 1 for large regions).
// Image pixel (x, y) lies in cell ((x - left) / cellSize, (y - top) / cellSize).
struct ImageRegion {
    int32_t left = 0;
    int32_t top = 0;
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t cellSize = 1;
    std::vector<uint8_t> gray;
};

// The caliper of --image, --caliper, --sigma and --min-contrast; none
// without --image.
std::optional<ImageCaliper> imageCaliper(const Options& options);

// The image between columns left..right and rows top..bottom (inclusive),
// averaged in square cells so that neither side has more than `maxCells`.
ImageRegion grayRegion(const cedge_image& image, int32_t left, int32_t top, int32_t right,
                       int32_t bottom, int32_t maxCells);

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
