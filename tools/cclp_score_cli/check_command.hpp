// `cclp-score check`: scores a set of recordings, one run per recording on
// each thread, and reports each winner against the one it expects.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace cclp_cli {

struct CheckOptions {
    std::vector<std::string> paths;        // recordings, or folders of *.json recordings
    std::optional<std::string> paramsPath;  // parameters replacing every recording's own
    bool json = false;
    unsigned threads = 0;  // 0: one per core
};

// The recordings named: files as given, folders searched for *.json files
// (recursively, in name order). Throws UsageError for a path that is neither.
std::vector<std::string> collectRecordings(const std::vector<std::string>& paths);

// The report of `check --json` for the recordings collected, scored with
// `params` in place of their own when given, one run per core at once.
nlohmann::ordered_json checkReport(const std::vector<std::string>& recordings,
                                   const nlohmann::json* params);

// Prints the report to `out` and progress to `progress` (a terminal) when
// there are more than a hundred recordings. Returns the exit status.
int runCheck(const CheckOptions& options, std::ostream& out, std::ostream* progress);

}  // namespace cclp_cli
