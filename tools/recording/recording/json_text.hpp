// Parses the input document's JSON text, naming the field of every problem
// the parser meets: a syntax error, a number beyond the double range, a key
// given twice in one object.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace cclp_recording {

// Throws InputError.
nlohmann::json parseJsonText(std::string_view text);

// A document's JSON text, indented by two, with a final newline. A string
// may hold bytes that are not UTF-8 (a file name can): each is written as
// U+FFFD, the replacement character, so the text is always valid JSON.
template <class Json>
std::string documentText(const Json& document) {
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace cclp_recording
