// The command line of cclp-score and its help text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cclp_cli {

struct Options {
    std::optional<std::string> inputPath;  // none: the bundled sample; "-": standard input
    std::optional<std::string> plotPath;
    bool json = false;
    bool fixed = false;
    bool help = false;
};

// Throws UsageError for an unknown option, a missing value or a second input.
Options parseOptions(const std::vector<std::string_view>& arguments);
std::string helpText();

}  // namespace cclp_cli
