// The command line of `cclp-score tune`, from its own option table.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cclp_tune {

struct TuneOptions {
    std::optional<std::string> recordingPath;
    std::optional<std::string> imagePath;
    std::optional<std::string> checkFolder;
    std::optional<std::string> savePath;  // named by the user: may replace any regular file
    std::optional<double> port;           // none: one the system picks
    bool help = false;
};

// Throws cclp_cli::UsageError for an unknown option, a bad value, a port
// that is no whole number from 1 to 65535, or not exactly one recording
// (unless --help is given).
TuneOptions parseTuneOptions(std::span<const std::string_view> arguments);
std::string tuneHelpText();

}  // namespace cclp_tune
