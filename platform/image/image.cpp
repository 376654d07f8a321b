// Images of 32-bit values and of doubles. Both records share their header
// (kind, size, stride, pixels), so one set of templates serves both kinds
// and cimg_image_destruct can tell them apart by the kind alone.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "cimg_image.h"
#include "csys_runtime.h"

static_assert(sizeof(cimg_image32) == 64, "cimg_image32 is 64 bytes");
static_assert(sizeof(cimg_imageD) == 64, "cimg_imageD is 64 bytes");
static_assert(offsetof(cimg_image32, pixels) == offsetof(cimg_imageD, pixels),
              "both image kinds share their header");

namespace {

template <class Image>
constexpr uint32_t kindOf();
template <>
constexpr uint32_t kindOf<cimg_image32>() {
    return CIMG_KIND_IMAGE32;
}
template <>
constexpr uint32_t kindOf<cimg_imageD>() {
    return CIMG_KIND_IMAGED;
}

// The image's own kind, or a zero-filled or destroyed record.
template <class Image>
bool isUsableAs(uint32_t kind) {
    return kind == kindOf<Image>() || kind == CIMG_KIND_NONE;
}

template <class Image>
void setUnbound(Image& image) {
    std::memset(&image, 0, sizeof image);
    image.kind = kindOf<Image>();
}

template <class Image>
int32_t constructUnbound(Image* image) {
    if (image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    setUnbound(*image);
    return CSYS_STATUS_OK;
}

template <class Image>
int32_t constructSized(Image* image, int32_t width, int32_t height) {
    if (image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    setUnbound(*image);
    if (width < 0 || height < 0) return CSYS_STATUS_INVALID_ARGUMENT;
    if (width == 0 || height == 0) return CSYS_STATUS_OK;
    using Pixel = std::remove_pointer_t<decltype(image->pixels)>;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(Pixel);
    void* block = nullptr;
    const int32_t status = csys_memory_alloc_internal(bytes, &block);
    if (status < 0) return status;
    std::memset(block, 0, bytes);
    image->pixels = static_cast<Pixel*>(block);
    image->width = width;
    image->height = height;
    image->rowStride = width;
    return CSYS_STATUS_OK;
}

template <class Image>
int32_t releasePixels(Image& image) {
    void* block = image.pixels;
    const int32_t status = csys_memory_free_internal(&block);
    if (status < 0) return status;
    image.pixels = nullptr;
    image.width = 0;
    image.height = 0;
    image.rowStride = 0;
    return CSYS_STATUS_OK;
}

template <class Image>
int32_t assignUnbound(Image* image) {
    if (image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (!isUsableAs<Image>(image->kind)) return CSYS_STATUS_INVALID_ARGUMENT;
    const int32_t status = releasePixels(*image);
    if (status < 0) return status;
    image->kind = kindOf<Image>();
    return CSYS_STATUS_OK;
}

template <class Image>
int32_t destruct(Image& image) {
    const int32_t status = releasePixels(image);
    if (status < 0) return status;
    image.kind = CIMG_KIND_NONE;
    return CSYS_STATUS_OK;
}

template <class Pixel, class Image>
Pixel* pixelAt(Image* image, int32_t x, int32_t y) {
    if (image == nullptr || image->pixels == nullptr) return nullptr;
    if (x < 0 || y < 0 || x >= image->width || y >= image->height) return nullptr;
    const ptrdiff_t index = static_cast<ptrdiff_t>(y) * image->rowStride + x;
    return image->pixels + index;
}

}  // namespace

extern "C" {

int32_t cimg_image32_constructUnbound(cimg_image32* image) { return constructUnbound(image); }
int32_t cimg_imageD_constructUnbound(cimg_imageD* image) { return constructUnbound(image); }

int32_t cimg_image32_constructSized(cimg_image32* image, int32_t width, int32_t height) {
    return constructSized(image, width, height);
}
int32_t cimg_imageD_constructSized(cimg_imageD* image, int32_t width, int32_t height) {
    return constructSized(image, width, height);
}

int32_t cimg_image32_assignUnbound(cimg_image32* image) { return assignUnbound(image); }
int32_t cimg_imageD_assignUnbound(cimg_imageD* image) { return assignUnbound(image); }

int32_t cimg_image_destruct(void* image) {
    if (image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    uint32_t kind = 0;
    std::memcpy(&kind, image, sizeof kind);
    switch (kind) {
        case CIMG_KIND_IMAGE32: return destruct(*static_cast<cimg_image32*>(image));
        case CIMG_KIND_IMAGED: return destruct(*static_cast<cimg_imageD*>(image));
        case CIMG_KIND_NONE: return CSYS_STATUS_OK;
        default: return CSYS_STATUS_INVALID_ARGUMENT;
    }
}

int32_t cimg_window_init(cimg_window* window, const cimg_image32* image) {
    if (window == nullptr || image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (!isUsableAs<cimg_image32>(image->kind)) return CSYS_STATUS_INVALID_ARGUMENT;
    window->width = image->width;
    window->height = image->height;
    window->rowStride = image->rowStride;
    window->reserved = 0;
    window->firstPixel = image->pixels;
    return CSYS_STATUS_OK;
}

uint32_t* cimg_image32_pixelAt(cimg_image32* image, int32_t x, int32_t y) {
    return pixelAt<uint32_t>(image, x, y);
}
const uint32_t* cimg_image32_pixelAtConst(const cimg_image32* image, int32_t x, int32_t y) {
    return pixelAt<const uint32_t>(image, x, y);
}
double* cimg_imageD_pixelAt(cimg_imageD* image, int32_t x, int32_t y) {
    return pixelAt<double>(image, x, y);
}
const double* cimg_imageD_pixelAtConst(const cimg_imageD* image, int32_t x, int32_t y) {
    return pixelAt<const double>(image, x, y);
}

}  // extern "C"
