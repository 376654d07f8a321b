#include "image_stream.hpp"

#include <cstddef>

#include "cedge/cedge.h"
#include "image_extent.hpp"

#ifdef _WIN32
#include <cstdio>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace cedge {

namespace {

#ifdef _WIN32
class InputFile {
public:
    explicit InputFile(const char* path) : file_(std::fopen(path, "rb")) {}
    ~InputFile() {
        if (file_ != nullptr) std::fclose(file_);
    }
    bool isOpen() const { return file_ != nullptr; }
    // Bytes read, 0 at the end, -1 on an error.
    std::ptrdiff_t read(unsigned char* into, std::size_t count) {
        const std::size_t got = std::fread(into, 1, count, file_);
        return got == 0 && std::ferror(file_) ? -1 : static_cast<std::ptrdiff_t>(got);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

private:
    std::FILE* file_;
};
#else
// Opened without waiting for a FIFO's writer, then read blocking: a FIFO
// that nobody writes reads as empty instead of hanging.
class InputFile {
public:
    explicit InputFile(const char* path) : fd_(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        if (fd_ < 0) return;
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) < 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~InputFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    std::ptrdiff_t read(unsigned char* into, std::size_t count) {
        for (;;) {
            const ssize_t got = ::read(fd_, into, count);
            if (got >= 0 || errno != EINTR) return got;
        }
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

private:
    int fd_;
};
#endif

constexpr std::size_t kFirstRead = std::size_t{1} << 16;

// As much again as has been read (so that the chunks are walked a
// logarithmic number of times), but no more than the image still needs when
// its length is known, nor beyond the longest file read.
std::size_t nextReadBytes(const std::vector<unsigned char>& bytes, const ImageExtent& extent) {
    const std::size_t step = bytes.size() < kFirstRead ? kFirstRead : bytes.size();
    const std::size_t limit = extent.state == ImageExtent::State::known
                                  ? extent.bytes - bytes.size()
                                  : CEDGE_IMAGE_FILE_BYTES_MAX - bytes.size();
    return limit < step ? limit : step;
}

}  // namespace

int32_t readImageBytes(const char* path, std::vector<unsigned char>& bytes) {
    InputFile file(path);
    if (!file.isOpen()) return CEDGE_STATUS_FILE_UNREADABLE;
    bytes.clear();
    for (;;) {
        const ImageExtent extent = imageExtent(bytes.data(), bytes.size());
        if (extent.state == ImageExtent::State::invalid) return CEDGE_STATUS_FILE_NOT_IMAGE;
        if (extent.state == ImageExtent::State::known && bytes.size() >= extent.bytes) {
            bytes.resize(extent.bytes);
            return CEDGE_STATUS_OK;
        }
        const std::size_t had = bytes.size();
        if (had >= CEDGE_IMAGE_FILE_BYTES_MAX) return CEDGE_STATUS_FILE_NOT_IMAGE;
        bytes.resize(had + nextReadBytes(bytes, extent));
        const std::ptrdiff_t got = file.read(bytes.data() + had, bytes.size() - had);
        if (got < 0) return CEDGE_STATUS_FILE_UNREADABLE;
        if (got == 0) return CEDGE_STATUS_FILE_NOT_IMAGE;
        bytes.resize(had + static_cast<std::size_t>(got));
    }
}

}  // namespace cedge
