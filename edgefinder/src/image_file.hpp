// Images from files and from bytes in memory, owned as gray images.
#ifndef CEDGE_IMAGE_FILE_HPP
#define CEDGE_IMAGE_FILE_HPP

#include <cstddef>
#include <cstdint>

#include "cedge/cedge.h"

namespace cedge {

// What cedge_readImageFile does with a file's bytes: the whole PNG, PGM or
// PPM file in memory (bytes after its image are ignored). On failure the
// image is left as it was.
int32_t decodeImageBytes(const unsigned char* data, std::size_t size, cedge_ownedImage& owned);

}  // namespace cedge

#endif
