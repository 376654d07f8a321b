// Bad images, calipers and settings: each named by its status, the outputs
// untouched, nothing read outside the caller's buffer (the sanitizer build
// runs these against buffers of the exact size), nothing leaked. Calipers
// anywhere over images in blocks of exactly their bytes, corners and
// one-pixel images included, and every failed memory request of a search,
// are the edge projection fuzzer's; what a clipped caliper keeps, the C++
// wrapper's and Python's tests.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "edge_fixtures.hpp"
#include "synthetic_image.hpp"

namespace cedge::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// An 8-bit image of 40 x 30 pixels with rows of 48 bytes, held in a block of
// exactly the bytes it needs: the last row ends the block.
struct ExactImage {
    static constexpr int32_t kWidth = 40, kHeight = 30, kStride = 48;
    static constexpr std::size_t kBytes = (kHeight - 1) * kStride + kWidth;
    std::unique_ptr<uint8_t[]> pixels{new uint8_t[kBytes]};
    ExactImage() {
        for (std::size_t i = 0; i < kBytes; ++i) pixels[i] = static_cast<uint8_t>(i % kStride < 20 ? 50 : 200);
    }
    cedge_image view() const { return {pixels.get(), kBytes, kWidth, kHeight, kStride, 8}; }
};

const cedge_caliper kInside{19.5, 14.5, 0.0, 30.0, 10.0};

int32_t search(const cedge_image& image, const cedge_caliper& caliper,
               const cedge_params& params = paramsWith(1.0, 5.0)) {
    ResultSet edges;
    Profile profile;
    const int32_t status = cedge_findEdges(&image, &caliper, &params, &edges.c, &profile.c);
    if (status < 0) {
        EXPECT_EQ(edges.c.numEdges, 0) << "result set written on failure";
        EXPECT_EQ(profile.c.values, nullptr) << "profile written on failure";
    }
    return status;
}

TEST(BadInput, NullPointersAreNamed) {
    const ExactImage image;
    const cedge_image view = image.view();
    const cedge_params params = paramsWith(1.0, 5.0);
    ResultSet edges;
    EXPECT_EQ(cedge_findEdges(nullptr, &kInside, &params, &edges.c, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_findEdges(&view, nullptr, &params, &edges.c, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_findEdges(&view, &kInside, nullptr, &edges.c, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_findEdges(&view, &kInside, &params, nullptr, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_project(&view, &kInside, 0u, nullptr), CSYS_STATUS_NULL_ARGUMENT);
    EXPECT_EQ(cedge_params_init(nullptr), CSYS_STATUS_NULL_ARGUMENT);
    cedge_image noPixels = view;
    noPixels.pixels = nullptr;
    EXPECT_EQ(search(noPixels, kInside), CSYS_STATUS_NULL_ARGUMENT);
}

TEST(BadInput, ImagesThatDoNotDescribeTheirBufferAreRefused) {
    const ExactImage image;
    const cedge_image good = image.view();
    const struct {
        void (*spoil)(cedge_image&);
        int32_t status;
    } cases[] = {
        {[](cedge_image& i) { i.width = 0; }, CEDGE_STATUS_IMAGE_SIZE_NOT_VALID},
        {[](cedge_image& i) { i.height = -3; }, CEDGE_STATUS_IMAGE_SIZE_NOT_VALID},
        {[](cedge_image& i) { i.bitsPerPixel = 12; }, CEDGE_STATUS_PIXEL_DEPTH_NOT_VALID},
        {[](cedge_image& i) { i.strideBytes = i.width - 1; }, CEDGE_STATUS_STRIDE_TOO_SMALL},
        {[](cedge_image& i) { i.strideBytes = -48; }, CEDGE_STATUS_STRIDE_TOO_SMALL},
        // 16-bit rows need twice the bytes.
        {[](cedge_image& i) { i.bitsPerPixel = 16; }, CEDGE_STATUS_STRIDE_TOO_SMALL},
        {[](cedge_image& i) { i.bufferBytes -= 1; }, CEDGE_STATUS_BUFFER_TOO_SMALL},
        {[](cedge_image& i) { i.height = INT32_MAX; }, CEDGE_STATUS_BUFFER_TOO_SMALL},
        {[](cedge_image& i) { i.bufferBytes = 0; }, CEDGE_STATUS_BUFFER_TOO_SMALL},
    };
    for (const auto& c : cases) {
        cedge_image bad = good;
        c.spoil(bad);
        EXPECT_EQ(search(bad, kInside), c.status) << cedge_statusName(c.status);
    }
    EXPECT_EQ(search(good, kInside), 0);
}

TEST(BadInput, GeometryThatIsNotFiniteOrNotPositiveIsRefused) {
    const ExactImage image;
    const struct {
        cedge_caliper caliper;
        int32_t status;
    } cases[] = {
        {{kNaN, 14.5, 0.0, 30.0, 10.0}, CEDGE_STATUS_CENTER_NOT_VALID},
        {{19.5, -kInf, 0.0, 30.0, 10.0}, CEDGE_STATUS_CENTER_NOT_VALID},
        {{19.5, 14.5, kInf, 30.0, 10.0}, CEDGE_STATUS_ANGLE_NOT_VALID},
        {{19.5, 14.5, 0.0, -30.0, 10.0}, CEDGE_STATUS_LENGTH_NOT_VALID},
        {{19.5, 14.5, 0.0, 1.5, 10.0}, CEDGE_STATUS_LENGTH_NOT_VALID},
        {{19.5, 14.5, 0.0, kNaN, 10.0}, CEDGE_STATUS_LENGTH_NOT_VALID},
        {{19.5, 14.5, 0.0, 1e300, 10.0}, CEDGE_STATUS_LENGTH_NOT_VALID},
        {{19.5, 14.5, 0.0, 30.0, -1.0}, CEDGE_STATUS_THICKNESS_NOT_VALID},
        {{19.5, 14.5, 0.0, 30.0, kNaN}, CEDGE_STATUS_THICKNESS_NOT_VALID},
        {{19.5, 14.5, 0.0, 30.0, 1e9}, CEDGE_STATUS_THICKNESS_NOT_VALID},
        // Half a pixel past either end, and one corner past the left-hand column.
        {{19.5, 14.5, 0.0, 41.0, 10.0}, CEDGE_STATUS_OUTSIDE_IMAGE},
        {{19.5, 14.5, 30.0, 40.0, 10.0}, CEDGE_STATUS_OUTSIDE_IMAGE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search(image.view(), c.caliper), c.status) << cedge_statusName(c.status);
    }
}

TEST(BadInput, SettingsOutsideTheirRangesAreRefused) {
    const ExactImage image;
    const struct {
        cedge_params params;
        int32_t status;
    } cases[] = {
        {paramsWith(0.0, 5.0), CEDGE_STATUS_SIGMA_NOT_VALID},
        {paramsWith(kNaN, 5.0), CEDGE_STATUS_SIGMA_NOT_VALID},
        {paramsWith(1e6, 5.0), CEDGE_STATUS_SIGMA_NOT_VALID},
        {paramsWith(1.0, -1.0), CEDGE_STATUS_MIN_CONTRAST_NOT_VALID},
        {paramsWith(1.0, kInf), CEDGE_STATUS_MIN_CONTRAST_NOT_VALID},
        {paramsWith(1.0, 5.0, 3), CEDGE_STATUS_POLARITY_NOT_VALID},
        {paramsWith(1.0, 5.0, cedge_polarityAny, 4u), CEDGE_STATUS_FLAGS_NOT_VALID},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search(image.view(), kInside, c.params), c.status) << cedge_statusName(c.status);
    }
    for (const uint32_t formats : {0u, 4u}) {
        cedge_params params = paramsWith(1.0, 5.0);
        params.formats = formats;
        EXPECT_EQ(search(image.view(), kInside, params), CEDGE_STATUS_FORMATS_NOT_VALID);
    }
}

}  // namespace
}  // namespace cedge::testing
