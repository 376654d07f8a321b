// A small gray crop of an image for plots: the pixels of a rectangle of the
// image, averaged in square cells so that the drawing stays small.
#pragma once

#include <cstdint>
#include <vector>

#include "cedge/cedge.h"

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

// Image coordinates of a rectangle (pixel centres at integers).
struct ImageBounds {
    double left, top, right, bottom;
};

// The pixels of the image within bounds (clipped to the image), in cells of
// as many pixels as keep the longer side to at most maxCells; 16-bit images
// are shown in 8 bits.
ImageRegion cropImage(const cedge_image& image, const ImageBounds& bounds, int32_t maxCells);

}  // namespace cclp_cli
