// Parses the input document's JSON text, naming the field of every problem
// the parser meets: a syntax error, a number beyond the double range, a key
// given twice in one object.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

namespace cclp_recording {

// Throws InputError.
nlohmann::json parseJsonText(std::string_view text);

}  // namespace cclp_recording
