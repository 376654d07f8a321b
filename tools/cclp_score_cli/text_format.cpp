#include "cclp_score_cli/text_format.hpp"

#include <cmath>
#include <cstdio>

namespace cclp_cli {
namespace {

std::string print(const char* format, int places, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, places, value);
    return buffer;
}

// Beyond this, fixed notation would run to hundreds of digits: such values
// are printed in exponent form with as many decimals, so that every finite
// value fits a column.
constexpr double kLargestFixed = 1e12;

const char* fixedOrExponent(const char* fixed, const char* exponent, double value) {
    return std::fabs(value) < kLargestFixed ? fixed : exponent;
}

bool isNegativeZero(const std::string& text) {
    return text.find_first_not_of("-+0.") == std::string::npos && text[0] == '-';
}

}  // namespace

std::string decimals(double value, int places) {
    std::string text = print(fixedOrExponent("%.*f", "%.*e", value), places, value);
    if (isNegativeZero(text)) text.erase(0, 1);
    return text;
}

std::string signedDecimals(double value, int places) {
    std::string text = print(fixedOrExponent("%+.*f", "%+.*e", value), places, value);
    if (isNegativeZero(text)) text[0] = '+';
    return text;
}

std::string compact(double value, int significant) {
    std::string text = print("%.*g", significant, value);
    if (text == "-0") text = "0";
    return text;
}

std::string indexList(const std::vector<std::size_t>& indices) {
    std::string text;
    for (std::size_t index : indices) text += (text.empty() ? "#" : " #") + std::to_string(index);
    return text;
}

}  // namespace cclp_cli
