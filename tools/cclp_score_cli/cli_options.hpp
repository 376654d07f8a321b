// The command line of cclp-score and its help text.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cclp_score_cli/check_command.hpp"

namespace cclp_cli {

struct Options {
    std::optional<std::string> inputPath;  // none: the bundled sample; "-": standard input
    std::optional<std::string> plotPath;
    bool json = false;
    bool fixed = false;
    bool measured = false;  // the table shows what each method measured
    bool compare = false;   // the floating-point and the fixed-point run side by side
    bool help = false;
    // Edges found in an image instead of the document's own.
    std::optional<std::string> imagePath;
    std::optional<std::array<double, 5>> caliper;  // x, y, angle, length, thickness
    std::optional<double> sigma;
    std::optional<double> minContrast;
    std::optional<CheckOptions> check;  // `cclp-score check ...`
};

// Throws UsageError for an unknown option, a missing value or a second input.
Options parseOptions(const std::vector<std::string_view>& arguments);
std::string helpText();

}  // namespace cclp_cli
