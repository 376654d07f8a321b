// The command line of cclp-score and its help text, both from the table of
// options in cli_options.cpp: a new option is a field here and a row there.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cclp_score_cli/check_command.hpp"
#include "cclp_score_cli/geometry_options.hpp"
#include "cclp_score_cli/option_table.hpp"

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
    std::optional<CaliperValues> caliper;
    std::optional<double> sigma;
    std::optional<double> minContrast;
    std::optional<CheckOptions> check;  // `cclp-score check ...`
    std::optional<GeometryOptions> geometry;  // `cclp-score line ...`, `cclp-score circle ...`
};

// Throws UsageError for an unknown option, a missing or bad value, a second
// input, or options the table refuses alone or together.
Options parseOptions(const std::vector<std::string_view>& arguments);
std::string helpText();

}  // namespace cclp_cli
