// Whole-image copies. The new pixels are allocated before the old ones are
// released, so a failed copy leaves the destination untouched.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "cip_pixel.h"
#include "csys_runtime.h"

namespace {

template <class Image>
constexpr uint32_t kindOf() {
    return std::is_same_v<Image, cimg_image32> ? CIMG_KIND_IMAGE32 : CIMG_KIND_IMAGED;
}

// The image's own kind, or a zero-filled or destroyed record taken for an
// unbound image.
template <class Image>
bool isUsableAs(uint32_t kind) {
    return kind == kindOf<Image>() || kind == CIMG_KIND_NONE;
}

template <class Image>
bool isBound(const Image& image) {
    return image.pixels != nullptr && image.width > 0 && image.height > 0;
}

// A packed copy (row stride = width) of the source's pixels in a new block.
template <class Image, class Pixel = std::remove_pointer_t<decltype(Image::pixels)>>
int32_t copyPixels(const Image& source, Pixel** copy) {
    const size_t rowBytes = static_cast<size_t>(source.width) * sizeof(Pixel);
    void* block = nullptr;
    const int32_t status =
        csys_memory_alloc_internal(rowBytes * static_cast<size_t>(source.height), &block);
    if (status < 0) return status;
    auto* rows = static_cast<unsigned char*>(block);
    for (int32_t y = 0; y < source.height; ++y) {
        const Pixel* row = source.pixels + static_cast<ptrdiff_t>(y) * source.rowStride;
        std::memcpy(rows + static_cast<size_t>(y) * rowBytes, row, rowBytes);
    }
    *copy = static_cast<Pixel*>(block);
    return CSYS_STATUS_OK;
}

template <class Image>
int32_t assignCopyEntire(const Image* source, Image* destination) {
    if (source == nullptr || destination == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    if (!isUsableAs<Image>(source->kind) || !isUsableAs<Image>(destination->kind)) {
        return CSYS_STATUS_INVALID_ARGUMENT;
    }
    if (source == destination) return CSYS_STATUS_OK;
    decltype(destination->pixels) copy = nullptr;
    if (isBound(*source)) {
        const int32_t status = copyPixels(*source, &copy);
        if (status < 0) return status;
    }
    void* old = destination->pixels;
    csys_memory_free_internal(&old);
    const bool bound = copy != nullptr;
    destination->kind = kindOf<Image>();
    destination->pixels = copy;
    destination->width = bound ? source->width : 0;
    destination->height = bound ? source->height : 0;
    destination->rowStride = bound ? source->width : 0;
    return CSYS_STATUS_OK;
}

}  // namespace

extern "C" {

int32_t cip_pelAssignCopyEntire32(const cimg_image32* source, cimg_image32* destination) {
    return assignCopyEntire(source, destination);
}

int32_t cip_pelAssignCopyEntireD(const cimg_imageD* source, cimg_imageD* destination) {
    return assignCopyEntire(source, destination);
}

}  // extern "C"
