/** @file
 * Statuses as errors: the name and meaning of every status a run can return,
 * the error category and exception, and the two forms (throwing and
 * std::error_code) of each operation.
 * Part of the C++ interface: include <cclp_score/cclp_score.hpp>.
 */
#ifndef CCLP_SCORE_CXX_ERRORS_HPP
#define CCLP_SCORE_CXX_ERRORS_HPP

#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

#include "../cclp_status_text.h"
#include "c_wrapping.hpp"

namespace cclp::score {

/// The name of any status a run can return ("CCLP_STATUS_FORMAT_NOT_VALID",
/// "CSYS_STATUS_OUT_OF_MEMORY"), or null for a code no table knows.
inline const char* statusName(int32_t status) noexcept { return cclp_anyStatusName(status); }

/// What a status means, or null for a code no table knows.
inline const char* statusMeaning(int32_t status) noexcept { return cclp_anyStatusMeaning(status); }

namespace detail {
struct StatusTexts {
    static constexpr const char* kCategory = "cclp_score";
    static const char* name(int32_t status) noexcept { return statusName(status); }
    static const char* meaning(int32_t status) noexcept { return statusMeaning(status); }
};
}  // namespace detail

/// The error category of the module's statuses, which names each one.
using ErrorCategory = cwrap::StatusCategory<detail::StatusTexts>;

/// The one instance of ErrorCategory.
inline const std::error_category& errorCategory() noexcept {
    return cwrap::statusCategory<detail::StatusTexts>();
}

/// A status as a std::error_code of errorCategory().
inline std::error_code makeErrorCode(int32_t status) noexcept {
    return std::error_code(static_cast<int>(status), errorCategory());
}

/// "CCLP_STATUS_Y0_BELOW_Y1: y0 below y1": any status as the error category
/// words it, for callers that print a status without an error_code.
inline std::string statusText(int32_t status) { return errorCategory().message(status); }

/// Thrown by every failing operation; status() is the module's status.
using Error = cwrap::Error<detail::StatusTexts>;

namespace detail {

inline bool failed(int32_t status, std::error_code& ec) noexcept {
    return cwrap::detail::failed<StatusTexts>(status, ec);
}

// Throws Error for ec, with operation (or the refusal's own words) before
// the status text.
[[noreturn]] inline void raise(const std::error_code& ec, const char* operation) {
    cwrap::detail::raise<StatusTexts>(ec, operation);
}

template <class Operation>
decltype(auto) orThrow(const char* operation, Operation&& run) {
    return cwrap::detail::orThrow<StatusTexts>(operation, std::forward<Operation>(run));
}

}  // namespace detail

}  // namespace cclp::score

#endif
