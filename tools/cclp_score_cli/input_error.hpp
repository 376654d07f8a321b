// The ways an invocation fails, each with its exit status: bad input (the
// recording's InputError, naming the field and the reason), a bad command
// line, and a scoring run that the module ended with a failure status.
#pragma once

#include "recording/document_error.hpp"

namespace cclp_cli {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitBadInput = 1,
    kExitUsage = 2,
    kExitRunFailed = 3,
    kExitNoAcceptableCandidate = 4,  // the run kept nothing, or nothing scoring above 0
    kExitCheckFailed = 5             // check: a recording failed or missed its expected winner
};

using cclp_recording::describeStatus;
using cclp_recording::InputError;
using cclp_recording::requireAccepted;
using cclp_recording::RunError;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace cclp_cli
