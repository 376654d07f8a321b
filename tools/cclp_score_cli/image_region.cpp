#include "cclp_score_cli/image_region.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace cclp_cli {
namespace {

double pixelAt(const cedge_image& image, int32_t x, int32_t y) {
    const auto* row = static_cast<const unsigned char*>(image.pixels) +
                      static_cast<std::size_t>(y) * static_cast<std::size_t>(image.strideBytes);
    if (image.bitsPerPixel == 8) return row[x];
    uint16_t value = 0;
    std::memcpy(&value, row + 2 * static_cast<std::size_t>(x), sizeof value);
    return value / 257.0;  // 16 bits shown in 8
}

int32_t clampTo(double value, int32_t limit) {
    return static_cast<int32_t>(std::clamp(value, 0.0, static_cast<double>(limit - 1)));
}

}  // namespace

ImageRegion cropImage(const cedge_image& image, const ImageBounds& bounds, int32_t maxCells) {
    ImageRegion region;
    region.left = clampTo(std::floor(bounds.left), image.width);
    region.top = clampTo(std::floor(bounds.top), image.height);
    const int32_t right = clampTo(std::ceil(bounds.right), image.width);
    const int32_t bottom = clampTo(std::ceil(bounds.bottom), image.height);
    const int32_t longer = std::max(right - region.left, bottom - region.top) + 1;
    region.cellSize = (longer + maxCells - 1) / maxCells;
    region.columns = (right - region.left) / region.cellSize + 1;
    region.rows = (bottom - region.top) / region.cellSize + 1;
    for (int32_t row = 0; row < region.rows; ++row) {
        for (int32_t column = 0; column < region.columns; ++column) {
            double sum = 0.0;
            int32_t count = 0;
            for (int32_t y = region.top + row * region.cellSize;
                 y <= std::min(bottom, region.top + (row + 1) * region.cellSize - 1); ++y) {
                for (int32_t x = region.left + column * region.cellSize;
                     x <= std::min(right, region.left + (column + 1) * region.cellSize - 1); ++x) {
                    sum += pixelAt(image, x, y);
                    ++count;
                }
            }
            region.gray.push_back(static_cast<uint8_t>(std::lround(sum / count)));
        }
    }
    return region;
}

}  // namespace cclp_cli
