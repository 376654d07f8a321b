#include "cclp_score_cli/text_format.hpp"

#include <cstdio>

namespace cclp_cli {
namespace {

std::string print(const char* format, int places, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, places, value);
    return buffer;
}

bool isNegativeZero(const std::string& text) {
    return text.find_first_not_of("-+0.") == std::string::npos && text[0] == '-';
}

}  // namespace

std::string decimals(double value, int places) {
    std::string text = print("%.*f", places, value);
    if (isNegativeZero(text)) text.erase(0, 1);
    return text;
}

std::string signedDecimals(double value, int places) {
    std::string text = print("%+.*f", places, value);
    if (isNegativeZero(text)) text[0] = '+';
    return text;
}

std::string compact(double value, int significant) {
    std::string text = print("%.*g", significant, value);
    if (text == "-0") text = "0";
    return text;
}

}  // namespace cclp_cli
