#include "cclp_score_cli/printable_text.hpp"

#include <cstddef>
#include <cstdint>

namespace cclp_cli {
namespace {

// The length of the valid UTF-8 sequence at text[i], or 0 when there is none
// (a stray continuation byte, a truncated, overlong or surrogate sequence).
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    std::size_t length = 0;
    uint32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (byte(i + k) & 0x3Fu);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

bool isControl(std::string_view text, std::size_t i, std::size_t length) {
    const auto lead = static_cast<uint8_t>(text[i]);
    if (length == 1) return lead < 0x20 || lead == 0x7F;
    return length == 2 && lead == 0xC2 && static_cast<uint8_t>(text[i + 1]) < 0xA0;  // U+0080..U+009F
}

void appendHex(std::string& out, std::string_view bytes) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        out += "\\x";
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0Fu];
    }
}

}  // namespace

std::string printableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8Length(text, i);
        const std::size_t taken = length == 0 ? 1 : length;
        if (length == 0 || isControl(text, i, length)) {
            appendHex(out, text.substr(i, taken));
        } else {
            out.append(text.substr(i, taken));
        }
        i += taken;
    }
    return out;
}

}  // namespace cclp_cli
