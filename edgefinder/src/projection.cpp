#include "projection.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace cedge {

namespace {

// How far a sample may stray past the outermost pixel centres and still
// count as inside: rounding in the grid's arithmetic, not a real overhang.
constexpr double kInsideTolerance = 1e-9;

// Sample coordinates in fixed point with 24 fraction bits: a step along a
// 1048576-sample caliper drifts by at most 2^-25 px per sample, and every
// image coordinate (below 2^31) fits in 64 bits. Interpolation weights keep
// 12 of those bits (1/4096 px), so that a sample of a 16-bit image,
// weighted twice (16 + 12 + 12 bits), summed over 65537 lines still fits.
constexpr int kCoordinateBits = 24;
constexpr int kWeightBits = 12;
constexpr int64_t kWeightOne = int64_t{1} << kWeightBits;
constexpr double kCoordinateOne = static_cast<double>(int64_t{1} << kCoordinateBits);

int64_t toFixed(double coordinate) {
    return static_cast<int64_t>(std::nearbyint(coordinate * kCoordinateOne));
}

// Bilinear sampling of an image of one pixel type at fixed-point points.
// Points are clamped to the image first, so that no argument can make it
// read outside the buffer.
template <class Pixel>
class Sampler {
public:
    explicit Sampler(const cedge_image& image)
        : base_(static_cast<const unsigned char*>(image.pixels)),
          stride_(static_cast<std::ptrdiff_t>(image.strideBytes)),
          maxX_(image.width - 1),
          maxY_(image.height - 1),
          lastX_(std::max(image.width - 2, 0)),
          lastY_(std::max(image.height - 2, 0)),
          stepX_(image.width > 1 ? 1 : 0),
          stepY_(image.height > 1 ? stride_ : 0) {}

    bool inside(double x, double y) const noexcept {
        return x >= -kInsideTolerance && x <= maxX_ + kInsideTolerance &&
               y >= -kInsideTolerance && y <= maxY_ + kInsideTolerance;
    }

    // The value at (x, y) in gray levels times 2^(2 kWeightBits).
    int64_t operator()(int64_t x, int64_t y) const noexcept {
        x = std::clamp<int64_t>(x, 0, int64_t{maxX_} << kCoordinateBits);
        y = std::clamp<int64_t>(y, 0, int64_t{maxY_} << kCoordinateBits);
        const int64_t ix = std::min<int64_t>(x >> kCoordinateBits, lastX_);
        const int64_t iy = std::min<int64_t>(y >> kCoordinateBits, lastY_);
        const int64_t wx = (x - (ix << kCoordinateBits)) >> (kCoordinateBits - kWeightBits);
        const int64_t wy = (y - (iy << kCoordinateBits)) >> (kCoordinateBits - kWeightBits);
        const unsigned char* top = base_ + iy * stride_;
        const unsigned char* bottom = top + stepY_;
        const int64_t topLeft = at(top, ix);
        const int64_t bottomLeft = at(bottom, ix);
        const int64_t upper = topLeft * kWeightOne + (at(top, ix + stepX_) - topLeft) * wx;
        const int64_t lower = bottomLeft * kWeightOne + (at(bottom, ix + stepX_) - bottomLeft) * wx;
        return upper * kWeightOne + (lower - upper) * wy;
    }

private:
    // Rows of 16-bit pixels need not be aligned: read them bytewise.
    static int64_t at(const unsigned char* row, int64_t column) noexcept {
        Pixel pixel;
        std::memcpy(&pixel, row + static_cast<std::size_t>(column) * sizeof(Pixel), sizeof(Pixel));
        return pixel;
    }

    const unsigned char* base_;
    std::ptrdiff_t stride_;
    int32_t maxX_;
    int32_t maxY_;
    int32_t lastX_;
    int32_t lastY_;
    int32_t stepX_;
    std::ptrdiff_t stepY_;
};

// A slice is a segment; the image is convex: both ends inside, all inside.
template <class Pixel>
bool sliceInside(const Sampler<Pixel>& sample, const Grid& grid, int32_t k) {
    return sample.inside(grid.x(k, -grid.halfAcross), grid.y(k, -grid.halfAcross)) &&
           sample.inside(grid.x(k, grid.halfAcross), grid.y(k, grid.halfAcross));
}

// The mean of every slice from first to end - 1, line by line: the slices'
// sums are independent, so consecutive samples need not wait for each
// other, and a line steps from sample to sample by one fixed-point addition.
template <class Pixel>
void sliceMeans(const Sampler<Pixel>& sample, const Grid& grid, int32_t first, int32_t end,
                std::vector<double>& values) {
    std::vector<int64_t> sums(static_cast<std::size_t>(end - first), 0);
    const int64_t stepX = toFixed(grid.alongX);
    const int64_t stepY = toFixed(grid.alongY);
    const int32_t k = first - grid.halfAlong;
    for (int32_t m = -grid.halfAcross; m <= grid.halfAcross; ++m) {
        int64_t x = toFixed(grid.x(k, m));
        int64_t y = toFixed(grid.y(k, m));
        for (int64_t& sum : sums) {
            sum += sample(x, y);
            x += stepX;
            y += stepY;
        }
    }
    const double scale = static_cast<double>(kWeightOne * kWeightOne) * grid.lines();
    for (std::size_t j = 0; j < sums.size(); ++j) {
        values[static_cast<std::size_t>(first) + j] = static_cast<double>(sums[j]) / scale;
    }
}

template <class Pixel>
int32_t projectPixels(const cedge_image& image, const Grid& grid, bool clip, Projection& out) {
    const Sampler<Pixel> sample(image);
    const int32_t count = grid.count();
    int32_t first = 0;
    while (first < count && !sliceInside(sample, grid, first - grid.halfAlong)) ++first;
    int32_t end = first;
    while (end < count && sliceInside(sample, grid, end - grid.halfAlong)) ++end;
    if (first == end || (!clip && (first != 0 || end != count))) {
        return CEDGE_STATUS_OUTSIDE_IMAGE;
    }
    out.values.assign(static_cast<std::size_t>(count), 0.0);
    sliceMeans(sample, grid, first, end, out.values);
    out.validFirst = first;
    out.validCount = end - first;
    return CEDGE_STATUS_OK;
}

}  // namespace

int32_t project(const cedge_image& image, const Grid& grid, bool clip, Projection& out) {
    return image.bitsPerPixel == 8 ? projectPixels<uint8_t>(image, grid, clip, out)
                                   : projectPixels<uint16_t>(image, grid, clip, out);
}

}  // namespace cedge
