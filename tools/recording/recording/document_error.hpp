// How reading a recording fails: InputError names the field and the reason
// ("params.scoreMethods[0].oneSided.x0: expected a number, got string");
// RunError is a failure of the module that is no fault of the document (out
// of memory, say); FileError a file that cannot be read or written. Kept to C++17: the Python extension includes it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace cclp_recording {

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

class RunError : public std::runtime_error {
public:
    RunError(const std::string& message, int32_t status)
        : std::runtime_error(message), status_(status) {}
    int32_t status() const { return status_; }

private:
    int32_t status_;
};

// A file that cannot be read or written.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& message, std::string path)
        : std::runtime_error(message), path_(std::move(path)) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// After a module call that checks a value of the input: one of the
// module's own failure codes means the value was refused (InputError on
// `field`); any other failure (out of memory, say) is a RunError. Either
// quotes the status as cclp::score::statusText words it.
void requireAccepted(int32_t status, const std::string& field, const std::string& call);
void requireAccepted(const std::error_code& status, const std::string& field,
                     const std::string& call);

}  // namespace cclp_recording
