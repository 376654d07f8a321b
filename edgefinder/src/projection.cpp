#include "projection.hpp"

#include <algorithm>
#include <cstring>

namespace cedge {

namespace {

// How far a sample may stray past the outermost pixel centres and still
// count as inside: rounding in the grid's arithmetic, not a real overhang.
constexpr double kInsideTolerance = 1e-9;

// Bilinear sampling of an image of one pixel type. Coordinates are clamped
// to the image first, so that no argument can make it read outside.
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

    double operator()(double x, double y) const noexcept {
        x = std::min(std::max(x, 0.0), static_cast<double>(maxX_));
        y = std::min(std::max(y, 0.0), static_cast<double>(maxY_));
        const int32_t ix = std::min(static_cast<int32_t>(x), lastX_);
        const int32_t iy = std::min(static_cast<int32_t>(y), lastY_);
        const double fx = x - ix;
        const double fy = y - iy;
        const unsigned char* top = base_ + iy * stride_;
        const unsigned char* bottom = top + stepY_;
        const double topLeft = at(top, ix);
        const double topRight = at(top, ix + stepX_);
        const double bottomLeft = at(bottom, ix);
        const double bottomRight = at(bottom, ix + stepX_);
        const double upper = topLeft + fx * (topRight - topLeft);
        const double lower = bottomLeft + fx * (bottomRight - bottomLeft);
        return upper + fy * (lower - upper);
    }

private:
    // Rows of 16-bit pixels need not be aligned: read them bytewise.
    static double at(const unsigned char* row, int32_t column) noexcept {
        Pixel pixel;
        std::memcpy(&pixel, row + static_cast<std::size_t>(column) * sizeof(Pixel),
                    sizeof(Pixel));
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

template <class Pixel>
double sliceMean(const Sampler<Pixel>& sample, const Grid& grid, int32_t k) {
    const double baseX = grid.centerX + k * grid.alongX;
    const double baseY = grid.centerY + k * grid.alongY;
    double sum = 0.0;
    for (int32_t m = -grid.halfAcross; m <= grid.halfAcross; ++m) {
        sum += sample(baseX + m * grid.acrossX, baseY + m * grid.acrossY);
    }
    return sum / grid.lines();
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
    for (int32_t i = first; i < end; ++i) {
        out.values[static_cast<std::size_t>(i)] = sliceMean(sample, grid, i - grid.halfAlong);
    }
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
