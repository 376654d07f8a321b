#include "cclp_score_cli/option_table.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace cclp_cli {
namespace {

constexpr std::size_t kHelpWidth = 78;
constexpr std::size_t kHelpIndent = 19;  // where an option's help starts

void appendWrapped(std::string& text, std::string_view paragraph, std::size_t column) {
    std::size_t start = 0;
    while (start < paragraph.size()) {
        const std::size_t end = paragraph.find(' ', start);
        const std::string_view word =
            paragraph.substr(start, end == std::string_view::npos ? end : end - start);
        if (column > kHelpIndent && column + 1 + word.size() > kHelpWidth) {
            text += "\n" + std::string(kHelpIndent, ' ');
            column = kHelpIndent;
        } else if (column > kHelpIndent) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
        start = end == std::string_view::npos ? paragraph.size() : end + 1;
    }
    text += '\n';
}

}  // namespace

double parseFiniteNumber(const std::string& text, std::string_view option,
                         std::string_view wanted) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) {
        throw UsageError(std::string(option) + " takes " + std::string(wanted) + " (got '" + text +
                         "')");
    }
    return value;
}

namespace {

// `count` comma-separated finite numbers, or a UsageError quoting `wanted`.
NumberList parseNumbers(const std::string& text, std::string_view option, std::size_t count,
                        std::string_view wanted) {
    NumberList values(count);
    std::size_t start = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (k + 1 == count)) {
            throw UsageError(std::string(option) + " takes " + std::string(wanted) + " (got '" +
                             text + "')");
        }
        values[k] = parseFiniteNumber(text.substr(start, comma - start), option, wanted);
        start = comma + 1;
    }
    return values;
}

}  // namespace

CaliperValues parseCaliper(const std::string& text, std::string_view option) {
    const NumberList numbers =
        parseNumbers(text, option, 5, "X,Y,ANGLE,LENGTH,THICKNESS: five finite numbers");
    CaliperValues values{};
    std::copy(numbers.begin(), numbers.end(), values.begin());
    if (values[3] < 0.0 || values[4] < 0.0) {
        throw UsageError(std::string(option) +
                         ": the length and the thickness must not be negative (got '" + text +
                         "')");
    }
    return values;
}

NumberList parseNumberList(const std::string& text, std::string_view option, std::string_view names) {
    const auto count = static_cast<std::size_t>(std::count(names.begin(), names.end(), ',')) + 1;
    return parseNumbers(text, option, count,
                        std::string(names) + ": " + std::to_string(count) + " finite numbers");
}

unsigned parseCount(const std::string& text, std::string_view option) {
    const unsigned long count = std::strtoul(text.c_str(), nullptr, 10);
    if (text.find_first_not_of("0123456789") != std::string::npos || count == 0 || count > 1024) {
        throw UsageError(std::string(option) + " takes a count from 1 to 1024 (got " + text + ")");
    }
    return static_cast<unsigned>(count);
}

std::string optionsHelp(const std::vector<std::pair<std::string, std::string_view>>& rows) {
    std::string text;
    for (const auto& [label, help] : rows) {
        std::string line = "  " + label;
        if (line.size() + 1 > kHelpIndent) {
            text += line + "\n";
            line.clear();
        }
        line.resize(kHelpIndent, ' ');
        text += line;
        appendWrapped(text, help, kHelpIndent);
    }
    return text;
}

std::string listOfAlternatives(std::span<const std::string_view> names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
        text += names[i];
    }
    return text;
}

}  // namespace cclp_cli
