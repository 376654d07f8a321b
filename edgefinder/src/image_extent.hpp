// How many bytes of a file or stream make its image, told from the bytes
// read so far: the format by the first bytes, a PNG's end by its chunks
// (up to IEND), a PGM's or PPM's by its header.
#ifndef CEDGE_IMAGE_EXTENT_HPP
#define CEDGE_IMAGE_EXTENT_HPP

#include <cstddef>

namespace cedge {

enum class ImageFormat { png, pnm };

struct ImageExtent {
    enum class State {
        unknown,  // more bytes are needed to tell
        invalid,  // not an image within the reader's limits
        known     // the image is `bytes` long
    } state = State::unknown;
    ImageFormat format = ImageFormat::pnm;
    std::size_t bytes = 0;
};

ImageExtent imageExtent(const unsigned char* data, std::size_t size);

}  // namespace cedge

#endif
