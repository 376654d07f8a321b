#include "pnm_reader.hpp"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "cedge/cedge_status.h"

namespace cedge {

namespace {

constexpr std::size_t kHeaderBytesMax = std::size_t{1} << 20;

class HeaderCursor {
public:
    HeaderCursor(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    // A decimal field from 1 to limit after whitespace and "#" comments (to
    // the end of their line), followed by one whitespace byte.
    PnmParse field(uint32_t limit, uint32_t& value) {
        skipSeparators();
        if (atEnd()) return PnmParse::incomplete;
        if (!std::isdigit(data_[position_])) return PnmParse::invalid;
        uint64_t number = 0;
        for (; !atEnd() && std::isdigit(data_[position_]); ++position_) {
            number = number * 10 + static_cast<uint64_t>(data_[position_] - '0');
            if (number > limit) return PnmParse::invalid;
        }
        if (atEnd()) return PnmParse::incomplete;
        if (!std::isspace(data_[position_++]) || number < 1) return PnmParse::invalid;
        value = static_cast<uint32_t>(number);
        return PnmParse::complete;
    }
    std::size_t position() const { return position_; }
    bool atEnd() const { return position_ >= size_; }

private:
    void skipSeparators() {
        while (!atEnd()) {
            if (data_[position_] == '#') {
                while (!atEnd() && data_[position_] != '\n') ++position_;
            } else if (std::isspace(data_[position_])) {
                ++position_;
            } else {
                return;
            }
        }
    }

    const unsigned char* data_;
    std::size_t size_;
    std::size_t position_ = 2;
};

PnmParse parseFields(HeaderCursor& cursor, PnmHeader& header) {
    const uint32_t limits[] = {CEDGE_IMAGE_SIDE_MAX, CEDGE_IMAGE_SIDE_MAX, 65535u};
    uint32_t* fields[] = {&header.width, &header.height, &header.maxValue};
    for (std::size_t i = 0; i < 3; ++i) {
        const PnmParse parse = cursor.field(limits[i], *fields[i]);
        if (parse != PnmParse::complete) return parse;
    }
    return PnmParse::complete;
}

uint32_t bitDepthOf(const PnmHeader& header) { return header.maxValue > 255 ? 16u : 8u; }

// 16-bit samples are stored most significant byte first.
void toNativeOrder(unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const uint16_t sample = static_cast<uint16_t>((bytes[2 * i] << 8) | bytes[2 * i + 1]);
        std::memcpy(bytes + 2 * i, &sample, sizeof sample);
    }
}

}  // namespace

PnmParse parsePnmHeader(const unsigned char* data, std::size_t size, PnmHeader& header) {
    if (size < 2) return PnmParse::incomplete;
    if (data[0] != 'P' || (data[1] != '5' && data[1] != '6')) return PnmParse::invalid;
    HeaderCursor cursor(data, size < kHeaderBytesMax ? size : kHeaderBytesMax);
    const PnmParse parse = parseFields(cursor, header);
    if (parse == PnmParse::incomplete && size >= kHeaderBytesMax) return PnmParse::invalid;
    if (parse != PnmParse::complete) return parse;
    header.channels = data[1] == '5' ? 1u : 3u;
    if (!cedge_imageSizeAccepted(header.width, header.height, header.channels, bitDepthOf(header))) {
        return PnmParse::invalid;
    }
    header.rasterOffset = cursor.position();
    header.rasterBytes = std::size_t{header.width} * header.height * header.channels *
                         (bitDepthOf(header) / 8);
    return PnmParse::complete;
}

int32_t decodePnm(const unsigned char* data, std::size_t size, cedge_decodedImage& image) {
    PnmHeader header;
    if (parsePnmHeader(data, size, header) != PnmParse::complete ||
        size - header.rasterOffset < header.rasterBytes) {
        return CEDGE_STATUS_FILE_NOT_IMAGE;
    }
    auto* bytes = static_cast<unsigned char*>(std::malloc(header.rasterBytes));
    if (bytes == nullptr) return CSYS_STATUS_OUT_OF_MEMORY;
    std::memcpy(bytes, data + header.rasterOffset, header.rasterBytes);
    const uint32_t bitDepth = bitDepthOf(header);
    if (bitDepth == 16) toNativeOrder(bytes, header.rasterBytes / 2);
    image = cedge_decodedImage{header.width, header.height, header.channels, bitDepth, bytes};
    return CEDGE_STATUS_OK;
}

}  // namespace cedge
