#include "tune/image_cells.hpp"

#include <string>
#include <string_view>
#include <vector>

#include "cclp_score_cli/image_region.hpp"

namespace cclp_tune {
namespace {

std::string base64(const std::vector<uint8_t>& bytes) {
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        uint32_t group = static_cast<uint32_t>(bytes[i]) << 16;
        if (left > 1) group |= static_cast<uint32_t>(bytes[i + 1]) << 8;
        if (left > 2) group |= bytes[i + 2];
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        text += left > 2 ? kAlphabet[group & 63] : '=';
    }
    return text;
}

}  // namespace

nlohmann::ordered_json grayCellsJson(const cedge::Image& image) {
    const cclp_cli::ImageRegion cells = cclp_cli::cropImage(
        image.view().c(),
        {0.0, 0.0, static_cast<double>(image.width() - 1), static_cast<double>(image.height() - 1)},
        kMaxImageCells);
    return {{"width", image.width()},     {"height", image.height()}, {"cellSize", cells.cellSize},
            {"columns", cells.columns},   {"rows", cells.rows},       {"gray", base64(cells.gray)}};
}

}  // namespace cclp_tune
