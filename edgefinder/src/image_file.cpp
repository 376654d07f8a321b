// Images from files: the format told by the first bytes, the decoded
// samples turned into an owned gray image.
#include "image_file.hpp"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "decoded_image.h"
#include "image_extent.hpp"
#include "image_stream.hpp"
#include "pnm_reader.hpp"
#include "runtime_arrays.hpp"

namespace cedge {

namespace {

struct DecodedImage {
    cedge_decodedImage image{0, 0, 0, 0, nullptr};
    ~DecodedImage() { std::free(image.samples); }
};

// The usual luma weights of red, green and blue, rounded to the nearest
// gray level.
template <class Sample>
Sample luma(const Sample* rgb) {
    return static_cast<Sample>(0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2] + 0.5);
}

template <class Sample>
void toGray(const cedge_decodedImage& decoded, Sample* gray) {
    const auto* samples = static_cast<const Sample*>(decoded.samples);
    const std::size_t pixels = static_cast<std::size_t>(decoded.width) * decoded.height;
    if (decoded.channels == 1) {
        std::memcpy(gray, samples, pixels * sizeof(Sample));
        return;
    }
    for (std::size_t i = 0; i < pixels; ++i) gray[i] = luma(samples + 3 * i);
}

int32_t toOwnedImage(const cedge_decodedImage& decoded, cedge_ownedImage& owned) {
    const std::size_t bytesPerPixel = decoded.bitDepth / 8;
    const std::size_t pixels = static_cast<std::size_t>(decoded.width) * decoded.height;
    RuntimeArray<unsigned char> gray;
    const int32_t status = gray.allocate(pixels * bytesPerPixel);
    if (status < 0) return status;
    if (bytesPerPixel == 1) {
        toGray(decoded, gray.get());
    } else {
        toGray(decoded, reinterpret_cast<uint16_t*>(gray.get()));
    }
    cedge_ownedImage_destruct(&owned);
    owned.view.bufferBytes = pixels * bytesPerPixel;
    owned.view.width = static_cast<int32_t>(decoded.width);
    owned.view.height = static_cast<int32_t>(decoded.height);
    owned.view.strideBytes = static_cast<int32_t>(decoded.width * bytesPerPixel);
    owned.view.bitsPerPixel = static_cast<int32_t>(decoded.bitDepth);
    owned.view.pixels = gray.release();
    return CEDGE_STATUS_OK;
}

int32_t decode(const unsigned char* data, std::size_t size, cedge_decodedImage& decoded) {
    const ImageExtent extent = imageExtent(data, size);
    if (extent.state != ImageExtent::State::known || extent.bytes > size) {
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    if (extent.format == ImageFormat::pnm) return decodePnm(data, extent.bytes, decoded);
#ifdef CEDGE_HAVE_PNG
    return cedge_decodePng(data, extent.bytes, &decoded);
#else
    return CEDGE_STATUS_FILE_FORMAT_UNSUPPORTED;
#endif
}

// The file's bytes are let go before the gray image is made.
int32_t readImageFile(const char* path, cedge_ownedImage& owned) {
    DecodedImage decoded;
    {
        std::vector<unsigned char> bytes;
        int32_t status = readImageBytes(path, bytes);
        if (status == CEDGE_STATUS_OK) status = decode(bytes.data(), bytes.size(), decoded.image);
        if (status < 0) return status;
    }
    return toOwnedImage(decoded.image, owned);
}

}  // namespace

int32_t decodeImageBytes(const unsigned char* data, std::size_t size, cedge_ownedImage& owned) {
    DecodedImage decoded;
    const int32_t status = decode(data, size, decoded.image);
    if (status < 0) return status;
    return toOwnedImage(decoded.image, owned);
}

}  // namespace cedge

extern "C" {

int32_t cedge_ownedImage_construct(cedge_ownedImage* image) {
    if (image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    image->view = cedge_image{nullptr, 0, 0, 0, 0, 8};
    return CEDGE_STATUS_OK;
}

int32_t cedge_ownedImage_destruct(cedge_ownedImage* image) {
    if (image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    void* pixels = const_cast<void*>(image->view.pixels);
    csys_memory_free_internal(&pixels);
    return cedge_ownedImage_construct(image);
}

int32_t cedge_readImageFile(const char* path, cedge_ownedImage* image) {
    if (path == nullptr || image == nullptr) return CSYS_STATUS_NULL_ARGUMENT;
    return cedge::statusOf([&] { return cedge::readImageFile(path, *image); });
}

int32_t cedge_readsPng(void) {
#ifdef CEDGE_HAVE_PNG
    return 1;
#else
    return 0;
#endif
}

}  // extern "C"
