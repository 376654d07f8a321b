// The image reader's decoding of whole files from memory (what
// cedge_readImageFile does once the bytes are read): PNG through libpng and
// binary PGM/PPM, any bytes. Checks what a caller relies on: a status from
// the list, an image within the stated limits whose buffer holds exactly its
// rows (every pixel is read, so that the sanitizer sees any short buffer),
// nothing written on failure, nothing leaked.
#include <cstddef>
#include <cstdint>

#include "cedge/cedge.h"
#include "fuzz_support.hpp"
#include "image_file.hpp"

namespace {

void checkImage(const cedge_image& view) {
    FUZZ_CHECK(view.width >= 1 && static_cast<uint32_t>(view.width) <= CEDGE_IMAGE_SIDE_MAX);
    FUZZ_CHECK(view.height >= 1 && static_cast<uint32_t>(view.height) <= CEDGE_IMAGE_SIDE_MAX);
    FUZZ_CHECK(view.bitsPerPixel == 8 || view.bitsPerPixel == 16);
    const auto rowBytes = static_cast<std::size_t>(view.width) * static_cast<std::size_t>(view.bitsPerPixel / 8);
    FUZZ_CHECK(static_cast<std::size_t>(view.strideBytes) == rowBytes);
    FUZZ_CHECK(view.bufferBytes == rowBytes * static_cast<std::size_t>(view.height));
    FUZZ_CHECK(view.bufferBytes <= CEDGE_IMAGE_BYTES_MAX);
    const auto* pixels = static_cast<const volatile unsigned char*>(view.pixels);
    unsigned sum = 0;
    for (std::size_t i = 0; i < view.bufferBytes; ++i) sum += pixels[i];
    (void)sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const cclp::fuzz::NoLeaks noLeaks;
    cclp::fuzz::Owned<cedge_ownedImage, cedge_ownedImage_construct, cedge_ownedImage_destruct> image;
    const int32_t status = cedge::decodeImageBytes(data, size, image.value);
    FUZZ_CHECK_STATUS(status, CEDGE_STATUS_OK, CEDGE_STATUS_FILE_NOT_IMAGE,
                      CEDGE_STATUS_FILE_FORMAT_UNSUPPORTED);
    if (status == CEDGE_STATUS_OK) {
        checkImage(image.value.view);
    } else {
        FUZZ_CHECK(image.value.view.pixels == nullptr && image.value.view.bufferBytes == 0);
    }
    return 0;
}
