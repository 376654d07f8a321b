// Text from a recording (its description, an image name, a file name) as
// the reports show it: what a terminal or an SVG reader would take as a
// command, or cannot read, is spelled out instead.
#pragma once

#include <string>
#include <string_view>

namespace cclp_cli {

// `text` with every byte of a control character (C0, DEL, and C1 as UTF-8)
// and every byte that is not part of valid UTF-8 written as \xNN (two
// upper-case hex digits); all other text, UTF-8 included, unchanged.
std::string printableText(std::string_view text);

}  // namespace cclp_cli
