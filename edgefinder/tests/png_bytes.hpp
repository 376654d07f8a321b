// PNG files built byte by byte: chunks with their CRC, pixel rows in one
// stored (uncompressed) deflate block.
#pragma once

#include <cstdint>
#include <string>

namespace cedge::testing {

inline uint32_t crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline std::string bigEndian(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

inline std::string pngChunk(const std::string& type, const std::string& data) {
    return bigEndian(static_cast<uint32_t>(data.size())) + type + data + bigEndian(crc32(type + data));
}

// The signature and the header of an image with 8-bit samples.
inline std::string pngStart(uint32_t width, uint32_t height, char colorType) {
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", bigEndian(width) + bigEndian(height) + '\x08' + colorType +
                                std::string(3, '\0'));
}

// Rows, each led by its filter byte, as the zlib stream of one IDAT chunk,
// and the end of the file.
inline std::string pngRowsAndEnd(const std::string& rows) {
    uint32_t a = 1, b = 0;
    for (const char byte : rows) {
        a = (a + static_cast<unsigned char>(byte)) % 65521u;
        b = (b + a) % 65521u;
    }
    const auto length = static_cast<uint16_t>(rows.size());
    const std::string stored{'\x01', static_cast<char>(length & 0xFF), static_cast<char>(length >> 8),
                             static_cast<char>(~length & 0xFF), static_cast<char>((~length >> 8) & 0xFF)};
    return pngChunk("IDAT", "\x78\x01" + stored + rows + bigEndian((b << 16) | a)) + pngChunk("IEND", "");
}

}  // namespace cedge::testing
