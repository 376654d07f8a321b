#include "pnm_reader.hpp"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "cedge/cedge_status.h"

namespace cedge {

namespace {

// Skips whitespace and "#" comments (to the end of their line).
int skipSeparators(std::FILE* file) {
    int c = std::fgetc(file);
    while (c != EOF) {
        if (c == '#') {
            while (c != EOF && c != '\n') c = std::fgetc(file);
        } else if (!std::isspace(c)) {
            return c;
        } else {
            c = std::fgetc(file);
        }
    }
    return c;
}

// A decimal header field from 1 to limit, followed by one separator.
bool readField(std::FILE* file, uint32_t limit, uint32_t& value) {
    int c = skipSeparators(file);
    if (c == EOF || !std::isdigit(c)) return false;
    uint64_t number = 0;
    while (c != EOF && std::isdigit(c)) {
        number = number * 10 + static_cast<uint64_t>(c - '0');
        if (number > limit) return false;
        c = std::fgetc(file);
    }
    if (c == EOF || !std::isspace(c)) return false;
    value = static_cast<uint32_t>(number);
    return number >= 1;
}

// 16-bit samples are stored most significant byte first.
void toNativeOrder(unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const uint16_t sample = static_cast<uint16_t>((bytes[2 * i] << 8) | bytes[2 * i + 1]);
        std::memcpy(bytes + 2 * i, &sample, sizeof sample);
    }
}

}  // namespace

int32_t decodePnm(std::FILE* file, cedge_decodedImage& image) {
    char magic[2];
    if (std::fread(magic, 1, 2, file) != 2 || magic[0] != 'P' || (magic[1] != '5' && magic[1] != '6')) {
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t maxValue = 0;
    if (!readField(file, CEDGE_MAX_IMAGE_SIDE, width) ||
        !readField(file, CEDGE_MAX_IMAGE_SIDE, height) || !readField(file, 65535u, maxValue) ||
        static_cast<uint64_t>(width) * height > CEDGE_MAX_IMAGE_PIXELS) {
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    const uint32_t channels = magic[1] == '5' ? 1u : 3u;
    const uint32_t bytesPerSample = maxValue > 255 ? 2u : 1u;
    const std::size_t samples = static_cast<std::size_t>(width) * height * channels;
    auto* bytes = static_cast<unsigned char*>(std::malloc(samples * bytesPerSample));
    if (bytes == nullptr) return CSYS_STATUS_OUT_OF_MEMORY;
    if (std::fread(bytes, bytesPerSample, samples, file) != samples) {
        std::free(bytes);
        return std::ferror(file) ? CEDGE_STATUS_FILE_UNREADABLE : CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    if (bytesPerSample == 2) toNativeOrder(bytes, samples);
    image = cedge_decodedImage{width, height, channels, 8 * bytesPerSample, bytes};
    return CEDGE_STATUS_OK;
}

}  // namespace cedge
