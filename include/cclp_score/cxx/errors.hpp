// Statuses as errors: the name and meaning of every status a run can return,
// the error category and exception, and the two forms (throwing and
// std::error_code) of each operation.
// Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
#ifndef CCLP_SCORE_CXX_ERRORS_HPP
#define CCLP_SCORE_CXX_ERRORS_HPP

#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>
#include <type_traits>

#include "../cclp_status_text.h"

#if !defined(CCLP_SCORE_NO_EXCEPTIONS) && !defined(__cpp_exceptions)
#  define CCLP_SCORE_NO_EXCEPTIONS
#endif

namespace cclp::score {

// The name of any status a run can return ("CCLP_STATUS_FORMAT_NOT_VALID",
// "CSYS_STATUS_OUT_OF_MEMORY"), or null for a code no table knows.
inline const char* statusName(int32_t status) noexcept { return cclp_anyStatusName(status); }

// What a status means, or null for a code no table knows.
inline const char* statusMeaning(int32_t status) noexcept { return cclp_anyStatusMeaning(status); }

class ErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "cclp_score"; }

    // "CCLP_STATUS_Y0_BELOW_Y1: y0 below y1", or the code in hex.
    std::string message(int condition) const override {
        const auto status = static_cast<int32_t>(condition);
        if (const char* statusText = statusName(status)) {
            return std::string(statusText) + ": " + statusMeaning(status);
        }
        static const char kDigits[] = "0123456789ABCDEF";
        std::string text = "unknown status 0x";
        const auto bits = static_cast<uint32_t>(status);
        for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(bits >> shift) & 0xFu];
        return text;
    }
};

inline const std::error_category& errorCategory() noexcept {
    static const ErrorCategory category;
    return category;
}

inline std::error_code makeErrorCode(int32_t status) noexcept {
    return std::error_code(static_cast<int>(status), errorCategory());
}

// Thrown by every failing operation; code().value() is the module's status.
class Error : public std::system_error {
public:
    using std::system_error::system_error;
    int32_t status() const noexcept { return static_cast<int32_t>(code().value()); }
};

namespace detail {

// Stores a status in ec (cleared on success); true when it failed.
inline bool failed(int32_t status, std::error_code& ec) noexcept {
    if (status < 0) {
        ec = makeErrorCode(status);
        return true;
    }
    ec.clear();
    return false;
}

[[noreturn]] inline void raise(const std::error_code& ec, const char* operation) {
#ifdef CCLP_SCORE_NO_EXCEPTIONS
    (void)ec;
    (void)operation;
    std::abort();
#else
    throw Error(ec, operation);
#endif
}

// The throwing form of an operation written once in its noexcept form.
template <class Operation>
decltype(auto) orThrow(const char* operation, Operation&& run) {
    std::error_code ec;
    if constexpr (std::is_void_v<decltype(run(ec))>) {
        run(ec);
        if (ec) raise(ec, operation);
    } else {
        decltype(auto) result = run(ec);
        if (ec) raise(ec, operation);
        return result;
    }
}

}  // namespace detail

}  // namespace cclp::score

#endif
