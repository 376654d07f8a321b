// The bytes of an image file or stream, read once from its start (never
// rewound, so pipes read as files do), as far as its image reaches.
#ifndef CEDGE_IMAGE_STREAM_HPP
#define CEDGE_IMAGE_STREAM_HPP

#include <cstdint>
#include <vector>

namespace cedge {

// 0, or CEDGE_STATUS_FILE_UNREADABLE (cannot be opened or read) or
// CEDGE_STATUS_FILE_NOT_IMAGE (the bytes read so far are no image, or it
// ends before its image does). Reading stops as soon as the bytes show
// either; a FIFO without a writer reads as empty.
int32_t readImageBytes(const char* path, std::vector<unsigned char>& bytes);

}  // namespace cedge

#endif
