// The three ways an invocation fails, each with its exit status: bad input
// (naming the field and the reason), a bad command line, and a scoring run
// that the library ended with a failure status.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace cclp_cli {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitBadInput = 1,
    kExitUsage = 2,
    kExitRunFailed = 3,
    kExitNoAcceptableCandidate = 4,  // the run kept nothing, or nothing scoring above 0
    kExitCheckFailed = 5             // check: a recording failed or missed its expected winner
};

class InputError : public std::runtime_error {
public:
    InputError(const std::string& field, const std::string& reason)
        : std::runtime_error(field.empty() ? reason : field + ": " + reason),
          field_(field),
          reason_(reason) {}
    const std::string& field() const { return field_; }
    const std::string& reason() const { return reason_; }

private:
    std::string field_;
    std::string reason_;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class RunError : public std::runtime_error {
public:
    RunError(const std::string& message, int32_t status)
        : std::runtime_error(message), status_(status) {}
    int32_t status() const { return status_; }

private:
    int32_t status_;
};

// "NAME (meaning)" for the module's and the runtime's codes, the hex code
// otherwise.
std::string describeStatus(int32_t status);
std::string describeStatus(const std::error_code& status);

// After a library call that checks a value of the input: one of the
// module's own failure codes means the value was refused (InputError on
// `field`); any other failure (out of memory, say) is a RunError.
void requireAccepted(int32_t status, const std::string& field, const std::string& call);
void requireAccepted(const std::error_code& status, const std::string& field,
                     const std::string& call);

}  // namespace cclp_cli
