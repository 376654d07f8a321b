// The ways an invocation ends, each with its exit status: bad input (the
// recording model's InputError, naming the field and the reason), a bad
// command line (UsageError), and a scoring run that the module ended with a
// failure status (RunError).
#pragma once

#include <stdexcept>

#include "cclp_score_cli/cli_namespace.hpp"
#include "recording/document_error.hpp"

namespace cclp_cli {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitBadInput = 1,
    kExitUsage = 2,
    kExitRunFailed = 3,
    kExitNoAcceptableCandidate = 4,  // the run kept nothing, or nothing scoring above 0
    kExitCheckFailed = 5,            // check: a recording failed or missed its expected winner
    kExitNoFit = 6                   // line, circle: too few calipers found points that agree
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace cclp_cli
