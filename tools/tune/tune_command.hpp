// `cclp-score tune`: reads what the command line names, starts the server
// and prints the page's address.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace cclp_tune {

// Serves until the process is stopped; returns the exit status of a
// command line or an input that cannot be used (printing why to `errors`).
int runTune(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& errors);

}  // namespace cclp_tune
